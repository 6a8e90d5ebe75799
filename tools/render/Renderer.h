#pragma once

#include "render/RenderOptions.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <functional>
#include <vector>

namespace tap::render
{
/** The peak of one output file channel over the whole render. */
struct ChannelPeak
{
    juce::String name; ///< the speaker's short name ("L", "Lss" ...) or its number
    float peak = 0.0f; ///< highest absolute sample value
};

/** What a render produced: the peaks per file channel, or a one-line error. */
struct RenderResult
{
    juce::String error;
    std::vector<ChannelPeak> peaks;
    int numChannels = 0;
    double sampleRate = 0.0;
    juce::int64 numSamples = 0;

    bool failed() const noexcept { return error.isNotEmpty(); }
};

/** Where a render reports while it runs. Either function may be empty. */
struct RenderCallbacks
{
    /** A one-line warning; the render goes on. */
    std::function<void (const juce::String&)> warning;

    /** The fraction done, 0 to 1; called only for long renders, at most once per percent. */
    std::function<void (double)> progress;
};

/** Renders options.input through a new processor into options.output.

    The output file appears only once it is complete: the render writes a hidden temporary
    file beside it and renames that at the end, so a failed render leaves whatever was at the
    target untouched. Runs on the calling thread, which must be the message thread (the
    processor is built and its parameters set there).
*/
RenderResult render (const RenderOptions& options, const RenderCallbacks& callbacks = {});

/** Renders longer than this (input and tail) report their progress. */
constexpr double progressThresholdSeconds = 10.0;
} // namespace tap::render
