#include "tap/ParameterText.h"

#include <cmath>

namespace tap::text
{
namespace
{
    // Rounds halves to even under the default rounding mode.
    juce::String roundedInteger (float value)
    {
        return juce::String (static_cast<int> (std::nearbyint (value)));
    }

    // The decimal number at the start of the text; no number reads as 0.
    float leadingNumber (const juce::String& text)
    {
        return text.getFloatValue();
    }
} // namespace

juce::String percentFromValue (float value, int)
{
    return roundedInteger (value * 100.0f) + "%";
}

float percentToValue (const juce::String& text)
{
    return leadingNumber (text) * 0.01f;
}

juce::String decibelFromValue (float value, int)
{
    return roundedInteger (value) + "dB";
}

float decibelToValue (const juce::String& text)
{
    return leadingNumber (text);
}

juce::String timeFromValue (float value, int)
{
    if (value < 1000.0f)
        return roundedInteger (value) + "ms";

    return juce::String (value / 1000.0f, 2) + "s";
}

float timeToValue (const juce::String& text)
{
    if (text.endsWithIgnoreCase ("ms"))
        return leadingNumber (text.dropLastCharacters (2));

    return leadingNumber (text) * 1000.0f;
}
} // namespace tap::text
