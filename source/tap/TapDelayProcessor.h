#pragma once

#include "tap/Tap.h"
#include "tap/TapScene.h"
#include "vesk/dsp/CircularBuffer.h"
#include "vesk/dsp/SpeakerLayout.h"
#include "vesk/presets/PresetManager.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>

namespace tap
{
/** The plug-in instance: sixteen delay taps, their 1616 parameters, the signal histories the
    taps read from and the output level cells the editor's meters take.

    Construction, state and the editor belong to the message thread; prepareToPlay and
    processBlock to the audio thread, which allocates and locks nothing.
*/
class TapDelayProcessor : public juce::AudioProcessor
{
public:
    static constexpr int numTaps = 16;
    static constexpr int numLevelCells = 32;
    static constexpr int maxOutputChannels = 16;

    TapDelayProcessor();
    ~TapDelayProcessor() override;

    //==========================================================================================
    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int maximumBlockSize) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    /** The bus rules as a plain function of the main input and output channel sets. */
    static bool isLayoutAccepted (const juce::AudioChannelSet& in, const juce::AudioChannelSet& out);

    //==========================================================================================
    using TapArray = std::array<Tap, numTaps>;
    using LevelCells = std::array<std::atomic<float>, numLevelCells>;

    TapArray& getTaps() noexcept { return taps; }
    const TapArray& getTaps() const noexcept { return taps; }
    juce::AudioProcessorValueTreeState& getTreeState() noexcept { return treeState; }
    juce::UndoManager& getUndoManager() noexcept { return undoManager; }
    const vesk::dsp::ProcessingSpec& getSpec() const noexcept { return spec; }
    LevelCells& getOutputLevels() noexcept { return outputLevels; }
    vesk::PresetManager& getPresetManager() noexcept { return presetManager; }
    TapScene& getScene() noexcept { return scene; }
    const vesk::dsp::CircularBuffer& getInputHistory() const noexcept { return inputHistory; }
    const vesk::dsp::CircularBuffer& getFeedbackHistory() const noexcept { return feedbackHistory; }

private:
    static TapArray makeTaps (TapDelayProcessor& owner);
    juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();
    void processChunk (juce::AudioBuffer<float>& buffer) noexcept;
    void raiseOutputLevels (const juce::AudioBuffer<float>& buffer) noexcept;

    // Declaration order is construction order: the taps' routes read the histories, the
    // value tree state takes the taps' parameters.
    vesk::dsp::CircularBuffer inputHistory;
    vesk::dsp::CircularBuffer feedbackHistory;
    TapArray taps;
    juce::UndoManager undoManager;
    juce::AudioProcessorValueTreeState treeState;
    vesk::dsp::ProcessingSpec spec;
    LevelCells outputLevels{};
    vesk::PresetManager presetManager;
    TapScene scene;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TapDelayProcessor)
};
} // namespace tap
