#pragma once

#include "tap/TapDelayProcessor.h"

namespace presets
{
/** Sets up one tap of a patch through its parameter handles, in the parameters' own units:
    positions in room coordinates, levels in dB, times in ms. Gains and times snap to the
    parameters' 1 dB and 1 ms steps.
*/
class TapPatch
{
public:
    explicit TapPatch (tap::Tap& tapToSetUp);

    TapPatch& at (float x, float y, float z);
    TapPatch& output (float decibels);
    /** Feeds input channel `channel` into the tap. */
    TapPatch& input (int channel, float milliseconds, float decibels);
    /** Feeds the recent signal of tap `source` ('A' … 'P') into the tap. */
    TapPatch& from (char source, float milliseconds, float decibels);
    /** Feeds output channel `channel` back into the tap. */
    TapPatch& feedback (int channel, float milliseconds, float decibels);

private:
    tap::Tap& t;
};

/** Starts a patch on a fresh processor: every tap is switched off, so that a patch consists
    of exactly the taps it asks for.
*/
class PatchBuilder
{
public:
    explicit PatchBuilder (tap::TapDelayProcessor& processorToSetUp);

    /** The tap with that name ('A' … 'P'), switched on. */
    TapPatch tap (char name);

private:
    tap::TapDelayProcessor& processor;
};
} // namespace presets
