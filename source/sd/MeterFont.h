#pragma once

#include <juce_graphics/juce_graphics.h>

namespace sd::SoundMeter
{
/** Text helpers of the meters, the same on JUCE 7 and JUCE 8. */
struct MeterFont
{
    /** Height of the font of headers and values. */
    static constexpr float height = 11.0f;

    /** A plain font of the given height. */
    static juce::Font make (float fontHeight = height);

    /** The width of a single line of text in a font. */
    static float getTextWidth (const juce::Font& font, const juce::String& text);
};
} // namespace sd::SoundMeter
