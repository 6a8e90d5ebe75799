#pragma once

#include "helpers/GuiTestHelpers.h"
#include "tap/TapDelayEditor.h"
#include "tap/TapDelayProcessor.h"

#include <gtest/gtest.h>

#include <memory>

namespace test
{
/** A processor prepared for its default 7.1.4 output and an editor on it, after the first
    messages (the Top view's click) have run.
*/
struct EditorFixture : ::testing::Test
{
    EditorFixture()
    {
        processor.prepareToPlay (48000.0, 512);
        editor = std::make_unique<tap::TapDelayEditor> (processor);
        editor->setVisible (true); // as its window would show it
        runMessageLoop();
    }

    /** Lets the value tree state's timer write pending parameter changes into the state
        tree (where the undo manager records them).
    */
    void flushParameters() { juce::MessageManager::getInstance()->runDispatchLoopUntil (700); }

    tap::TapDelayProcessor processor;
    std::unique_ptr<tap::TapDelayEditor> editor;
};

/** Writes an image as a PNG into the test output folder, for people to look at. */
inline bool writePng (const juce::Image& image, const juce::String& name)
{
    const juce::File folder (WENDREL_TEST_OUTPUT_DIR);
    if (!folder.createDirectory())
        return false;

    const auto file = folder.getChildFile (name + ".png");
    file.deleteFile();
    juce::FileOutputStream stream (file);
    return stream.openedOk() && juce::PNGImageFormat().writeImageToStream (image, stream);
}
} // namespace test
