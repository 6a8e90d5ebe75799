#include "EditorTestHelpers.h"
#include "TapSceneTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
/** The editor as people see it, written to PNGs: the default window, and the window with
    taps around the room fed by a sine at different levels after a run of blocks and frame
    steps.
*/
class RenderEditor : public test::EditorFixture
{
protected:
    void feedTaps()
    {
        auto& taps = processor.getTaps();
        for (size_t k = 0; k < 8; ++k)
        {
            const auto angle = juce::MathConstants<float>::twoPi * static_cast<float> (k) / 8.0f;
            test::place (taps[k], 0.8f * std::sin (angle), 0.8f * std::cos (angle), k % 2 == 0 ? 0.0f : 1.0f);
            setReal (taps[k].inputs[0].gain, -3.0f * static_cast<float> (k));
        }
    }

    void processBlocks (int count)
    {
        juce::AudioBuffer<float> buffer (12, 512);
        juce::MidiBuffer midi;

        for (int block = 0; block < count; ++block)
        {
            buffer.clear();
            for (int i = 0; i < buffer.getNumSamples(); ++i)
                buffer.setSample (0, i, 0.7f * std::sin (0.05f * static_cast<float> (phase++)));

            processor.processBlock (buffer, midi);
            editor->frameStep();
        }
    }

    static void setReal (juce::RangedAudioParameter* parameter, float value)
    {
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
    }

    int phase = 0;
};

TEST_F (RenderEditor, WritesTheDefaultWindow)
{
    editor->frameStep();
    EXPECT_TRUE (test::writePng (test::paintToImage (*editor), "editor-default"));
}

TEST_F (RenderEditor, WritesTheWindowWithSignal)
{
    feedTaps();
    editor->getViewButton (vesk::SceneEditor::Orbit)->triggerClick();
    test::runMessageLoop();
    editor->selectTap (2);
    editor->getTapDetails().setCurrentTabIndex (3);

    processBlocks (40);
    test::runMessageLoop();

    // The signal reached the output meters and the list's tap meters.
    auto& meters = editor->getMeters();
    ASSERT_EQ (meters.getNumChannels(), 12);
    auto loudest = -100.0f;
    for (int i = 0; i < meters.getNumChannels(); ++i)
        loudest = juce::jmax (loudest, meters.getMeterChannel (i)->getLevel());
    EXPECT_GT (loudest, -20.0f);
    EXPECT_GT (processor.getTaps()[0].level.load(), 0.1f);

    // Without a pointer the posted clicks leave their buttons drawn pressed.
    for (auto mode : { vesk::SceneEditor::Orbit, vesk::SceneEditor::Top })
        editor->getViewButton (mode)->setState (juce::Button::buttonNormal);

    EXPECT_TRUE (test::writePng (test::paintToImage (*editor), "editor-signal"));
}
} // namespace
