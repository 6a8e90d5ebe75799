#include "vesk/presets/PresetManager.h"

#include <gtest/gtest.h>

namespace
{
juce::ValueTree entry (const juce::String& id, const juce::var& value)
{
    juce::ValueTree e ("PARAM");
    e.setProperty ("id", id, nullptr);
    e.setProperty ("value", value, nullptr);
    return e;
}

TEST (MergeTree, MatchesChildrenByTheirFirstPropertyNotByPosition)
{
    juce::ValueTree destination ("Root");
    destination.appendChild (entry ("a", 1), nullptr);
    destination.appendChild (entry ("b", 2), nullptr);

    juce::ValueTree source ("Root");
    source.setProperty ("colour", "red", nullptr);
    source.appendChild (entry ("b", 20), nullptr);

    vesk::PresetManager::mergeTree (source, destination, 3);

    EXPECT_EQ (destination.getProperty ("colour").toString(), "red");
    ASSERT_EQ (destination.getNumChildren(), 2);
    EXPECT_EQ (destination.getChild (0).getProperty ("value"), juce::var (1));
    EXPECT_EQ (destination.getChild (1).getProperty ("value"), juce::var (20));
}

TEST (MergeTree, ChildWhoseKeyMatchesNothingIsAppendedNotMergedIntoASibling)
{
    juce::ValueTree destination ("Root");
    destination.appendChild (entry ("a", 1), nullptr);

    juce::ValueTree source ("Root");
    source.appendChild (entry ("zz", 9), nullptr);

    vesk::PresetManager::mergeTree (source, destination, 3);

    ASSERT_EQ (destination.getNumChildren(), 2);
    EXPECT_EQ (destination.getChild (0).getProperty ("id").toString(), "a");
    EXPECT_EQ (destination.getChild (0).getProperty ("value"), juce::var (1));
    EXPECT_EQ (destination.getChild (1).getProperty ("id").toString(), "zz");
}

TEST (MergeTree, DepthLimitsHowFarDownEntriesAreMerged)
{
    juce::ValueTree destination ("Root");
    auto level1 = entry ("x", 0);
    auto level2 = entry ("y", 0);
    level1.appendChild (level2, nullptr);
    destination.appendChild (level1, nullptr);

    juce::ValueTree source ("Root");
    auto sourceLevel1 = entry ("x", 1);
    sourceLevel1.appendChild (entry ("y", 2), nullptr);
    source.appendChild (sourceLevel1, nullptr);

    vesk::PresetManager::mergeTree (source, destination, -1);
    vesk::PresetManager::mergeTree (source, destination, 0);
    EXPECT_EQ (level1.getProperty ("value"), juce::var (0)) << "depth 0 merges the root's own properties only";

    vesk::PresetManager::mergeTree (source, destination, 1);
    EXPECT_EQ (level1.getProperty ("value"), juce::var (1));
    EXPECT_EQ (level2.getProperty ("value"), juce::var (0));

    vesk::PresetManager::mergeTree (source, destination, 2);
    EXPECT_EQ (level2.getProperty ("value"), juce::var (2));
    EXPECT_EQ (destination.getNumChildren(), 1);
    EXPECT_EQ (level1.getNumChildren(), 1);
}
} // namespace
