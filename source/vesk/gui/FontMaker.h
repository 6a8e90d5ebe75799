#pragma once

#include <juce_graphics/juce_graphics.h>

namespace vesk
{
/** Makes fonts the same way on JUCE 7 and JUCE 8 (where a font is built from font options). */
struct FontMaker
{
    /** A font of the given height and style flags (juce::Font::plain, bold, italic ...). */
    static juce::Font make (float height, int styleFlags = juce::Font::plain);
};
} // namespace vesk
