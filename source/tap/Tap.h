#pragma once

#include "tap/TapRoute.h"
#include "vesk/dsp/CircularBuffer.h"
#include "vesk/dsp/LayerPanner.h"
#include "vesk/dsp/SpeakerLayout.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

namespace tap
{
class TapDelayProcessor;

/** One of the sixteen delay taps "A" to "P".

    A tap owns the handles of its 101 parameters and its 48 routes: one per input channel,
    one per tap of the processor (the tap-to-tap matrix, itself included) and one per output
    channel (feedback). The parameters themselves belong to the processor.

    The engine part (prepare, gather, render) runs on the audio thread; `level` is the only
    member read from another thread.
*/
class Tap
{
public:
    static constexpr int numInputRoutes = 16;
    static constexpr int numMatrixRoutes = 16;
    static constexpr int numFeedbackRoutes = 16;

    Tap (const juce::String& tapName, TapDelayProcessor& owner);

    /** Creates this tap's 101 parameters in a new group, keeps their handles and gives every
        route its reader. Needs all 16 taps of the owner and its histories to exist; called
        once per tap by the processor's constructor.
    */
    std::unique_ptr<juce::AudioProcessorParameterGroup> createParameters();

    /** Sizes the work buffer and the history for the processing set-up and gives every reader a ramp of
        0.1 seconds. Not real-time safe.
    */
    void prepare (const vesk::dsp::ProcessingSpec& newSpec);

    /** Builds this block's signal from every route in use into the work buffer.
        numInputChannels is the number of input channels the input history holds.
    */
    void gather (int numSamples, int numInputChannels) noexcept;

    /** Records the gathered signal into the history, measures it, applies the output level
        and pans it into buffer, adding to what is there.
    */
    void render (juce::AudioBuffer<float>& buffer) noexcept;

    bool isActive() const noexcept { return active != nullptr && active->get(); }

    const vesk::dsp::CircularBuffer& getHistory() const noexcept { return history; }
    const vesk::dsp::ProcessingSpec& getSpec() const noexcept { return spec; }
    const vesk::dsp::LayerPanner& getPanner() const noexcept { return panner; }

    //==========================================================================================
    const juce::String name;
    juce::Colour colour;
    std::atomic<float> level{ 0.0f };

    juce::AudioParameterBool* active = nullptr;
    juce::AudioParameterFloat* x = nullptr;
    juce::AudioParameterFloat* y = nullptr;
    juce::AudioParameterFloat* z = nullptr;
    juce::AudioParameterFloat* output = nullptr;

    TapDelayProcessor& processor;

private:
    static bool isRouteSkipped (const TapRoute& route) noexcept;
    void updateRoute (TapRoute& route) const noexcept;
    void applyOutputGain (float* work, int numSamples) noexcept;

    vesk::dsp::ProcessingSpec spec;
    juce::AudioBuffer<float> workBuffer;
    vesk::dsp::LayerPanner panner;
    vesk::dsp::CircularBuffer history;

public:
    std::array<TapRoute, numInputRoutes> inputs;
    std::vector<TapRoute> matrix;
    std::array<TapRoute, numFeedbackRoutes> feedback;

private:
    float lastOutputGain = 1.0f;

    JUCE_DECLARE_NON_COPYABLE (Tap)
};
} // namespace tap
