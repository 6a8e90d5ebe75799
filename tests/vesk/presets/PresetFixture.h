#pragma once

#include "tap/TapDelayProcessor.h"
#include "tap/WendrelProduct.h"
#include "vesk/presets/PresetManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace presets_test
{
using Param = std::pair<juce::String, juce::String>;

/** Writes a preset document by hand, independently of the code under test. A name of
    std::nullopt leaves the "preset_name" attribute out.
*/
inline juce::File writePreset (const juce::File& file,
                               std::optional<juce::String> name,
                               const std::vector<Param>& params = {},
                               const juce::String& product = "Wendrel",
                               const juce::String& version = "0.2.0")
{
    juce::String text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Wendrel preset_version=\"" + version
        + "\" product_name=\"" + product + "\"";

    if (name.has_value())
        text << " preset_name=\"" << *name << "\"";

    text << ">\r\n";

    for (const auto& [id, value] : params)
        text << "  <PARAM id=\"" << id << "\" value=\"" << value << "\"/>\r\n";

    text << "</Wendrel>\r\n";

    file.getParentDirectory().createDirectory();
    EXPECT_TRUE (file.replaceWithText (text));
    return file;
}

/** Counts the notifications of a manager. */
struct CountingListener : vesk::PresetManager::PresetListener
{
    void presetListChanged() override { ++listChanged; }
    void presetStatusChanged() override { ++statusChanged; }
    void presetLoaded() override { ++loaded; }

    int listChanged = 0;
    int statusChanged = 0;
    int loaded = 0;
};

/** A processor, and a temporary factory and user folder that are removed afterwards. The
    real home folder is never touched.
*/
class PresetFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A unique name: ctest runs several test processes at once.
        root = juce::File::getSpecialLocation (juce::File::tempDirectory)
                   .getChildFile ("wendrel-presets-" + juce::Uuid().toString());
        ASSERT_TRUE (root.createDirectory().wasOk());
        factory = root.getChildFile ("factory");
        user = root.getChildFile ("user");
    }

    void TearDown() override
    {
        if (manager != nullptr)
            manager->removeListener (&listener);

        manager.reset();
        root.deleteRecursively();
    }

    vesk::PresetManager& makeManager (vesk::config::Registry registry = {})
    {
        manager = std::make_unique<vesk::PresetManager> (processor.getTreeState(),
                                                         tap::getWendrelProductInfo(),
                                                         "tappreset",
                                                         std::move (registry),
                                                         vesk::PresetFolders{ factory, user });
        manager->addListener (&listener);
        return *manager;
    }

    float valueOf (const juce::String& parameterId)
    {
        return processor.getTreeState().getRawParameterValue (parameterId)->load();
    }

    void setValue (const juce::String& parameterId, float plainValue)
    {
        auto* parameter = processor.getTreeState().getParameter (parameterId);
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
    }

    /** Writes pending parameter values into the state tree now, as the value tree state's
        timer would do a little later.
    */
    void flushParameters() { processor.getTreeState().copyState(); }

    int idOfFile (const juce::File& file) const
    {
        return manager->findPresetNode ("preset_file_path", file.getFullPathName()).getProperty ("preset_id", -1);
    }

    tap::TapDelayProcessor processor;
    juce::File root, factory, user;
    CountingListener listener;
    std::unique_ptr<vesk::PresetManager> manager;
};
} // namespace presets_test
