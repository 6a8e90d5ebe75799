#include "tap/StemFormats.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{
TEST (StemFormats, AcceptedOutputsAreTheSpeakerFormatsOfTwoToSixteen)
{
    std::map<juce::String, std::set<juce::String>> inputsByOutput;
    for (const auto& pair : tap::getAcceptedStemPairs())
        inputsByOutput[pair.output.name].insert (pair.input.name);

    const std::set<juce::String> expected{ "Stereo", "LCR",   "LCRS",  "Quad",  "5.0",   "5.1",   "6.0",   "6.1",
                                           "7.0",    "7.1",   "7.0.2", "7.1.2", "5.0.2", "5.1.2", "5.0.4", "5.1.4",
                                           "7.0.4",  "7.1.4", "7.0.6", "7.1.6", "9.0.4", "9.1.4", "9.0.6", "9.1.6" };

    std::set<juce::String> outputs;
    for (const auto& [output, inputs] : inputsByOutput)
    {
        outputs.insert (output);
        const std::set<juce::String> mono_stereo_same{ "Mono", "Stereo", output };
        EXPECT_EQ (inputs, mono_stereo_same) << output;
    }
    EXPECT_EQ (outputs, expected);
}

TEST (StemFormats, FormatsHaveTheirChannelCounts)
{
    const std::map<juce::String, int> counts{ { "5.0.2", 7 },  { "5.0.4", 9 },  { "7.0.6", 13 }, { "9.0.4", 13 },
                                              { "9.1.4", 14 }, { "9.0.6", 15 }, { "9.1.6", 16 }, { "LCRS", 4 } };
    for (const auto& f : tap::getStemFormats())
    {
        if (counts.count (f.name) > 0)
        {
            EXPECT_EQ (f.channelSet.size(), counts.at (f.name)) << f.name;
        }
    }
}
} // namespace
