#pragma once

#include <juce_core/juce_core.h>

/** The text conversions of the tap parameters: what a host shows for a value, and what a typed
    text means. The value-to-text functions ignore the maximum length a host may ask for.
*/
namespace tap::text
{
/** Positions: v × 100 rounded (halves to even) with "%": 0.125 gives "12%". */
juce::String percentFromValue (float value, int maximumLength = 0);
/** The number at the start of the text × 0.01: "50%" gives 0.5. */
float percentToValue (const juce::String& text);

/** Levels: v rounded (halves to even) with "dB": "-6dB". */
juce::String decibelFromValue (float value, int maximumLength = 0);
/** The number at the start of the text: "-6dB" and "-6" both give −6. */
float decibelToValue (const juce::String& text);

/** Times: "250ms" below one second, else seconds with two decimals: "1.00s". */
juce::String timeFromValue (float value, int maximumLength = 0);
/** "…ms" (any case) in milliseconds, anything else in seconds: "1.5" gives 1500. */
float timeToValue (const juce::String& text);
} // namespace tap::text
