#pragma once

#include "vesk/dsp/DelayReader.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace tap
{
/** One feed into a tap: the reader on its source ring and the handles of its gain (dB) and
    time (ms) parameters. The handles are owned by the processor and outlive the route.
*/
struct TapRoute
{
    std::unique_ptr<vesk::dsp::DelayReader> reader;
    juce::AudioParameterFloat* gain = nullptr;
    juce::AudioParameterFloat* time = nullptr;
};
} // namespace tap
