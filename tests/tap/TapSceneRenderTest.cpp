#include "TapSceneTestHelpers.h"
#include "helpers/GuiTestHelpers.h"
#include "tap/TapDelayProcessor.h"
#include "tap/TapScene.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using Mode = vesk::SceneEditor::ViewMode;

struct Shot
{
    Mode mode;
    const char* name;
};

class SceneRender : public ::testing::TestWithParam<Shot>
{
};

/** The room view as the default window lays it out, written to a PNG for people to look at. */
TEST_P (SceneRender, WritesTheRoomWithSixteenTaps)
{
    tap::TapDelayProcessor processor;
    auto& taps = processor.getTaps();

    for (size_t k = 0; k < taps.size(); ++k)
    {
        // A spiral up from the floor: every tap at its own place in every view.
        const auto angle = juce::MathConstants<float>::twoPi * static_cast<float> (k) / 16.0f;
        const auto radius = k % 2 == 0 ? 0.85f : 0.5f;
        test::place (taps[k], radius * std::sin (angle), radius * std::cos (angle), static_cast<float> (k) / 15.0f);
        taps[k].level.store (std::pow (10.0f, -6.0f * static_cast<float> (k) / 20.0f));
    }

    test::setActive (taps[13], false);
    test::setActive (taps[14], false);

    tap::TapScene scene (processor);
    juce::Component window;
    vesk::SceneEditor editor;
    window.setSize (560, 650);
    window.addAndMakeVisible (editor);
    editor.setBounds (0, 48, 560, 602);
    editor.setScene (&scene);
    editor.setViewMode (GetParam().mode == Mode::Top ? Mode::Orbit : Mode::Top);
    editor.setViewMode (GetParam().mode);
    test::runMessageLoop();

    const auto image = test::paintToImage (editor);
    const juce::File folder (WENDREL_TEST_OUTPUT_DIR);
    ASSERT_TRUE (folder.createDirectory());
    const auto file = folder.getChildFile (juce::String ("scene-") + GetParam().name + ".png");
    file.deleteFile();
    {
        juce::FileOutputStream stream (file);
        ASSERT_TRUE (stream.openedOk());
        ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (image, stream));
    }

    const auto reloaded = juce::ImageFileFormat::loadFrom (file);
    ASSERT_TRUE (reloaded.isValid());
    EXPECT_EQ (reloaded.getBounds(), image.getBounds());

    // Tap A is frontmost; the upper part of its disc shows its colour.
    const auto a = editor.getObjects()[0]->getBounds();
    EXPECT_EQ (image.getPixelAt (a.getCentreX(), a.getY() + 6), taps[0].colour);
}

INSTANTIATE_TEST_SUITE_P (Views,
                          SceneRender,
                          ::testing::Values (Shot{ Mode::Orbit, "orbit" },
                                             Shot{ Mode::Top, "top" },
                                             Shot{ Mode::Side, "side" },
                                             Shot{ Mode::Rear, "rear" }),
                          [] (const auto& shot) { return std::string (shot.param.name); });
} // namespace
