#include "sd/MeterFont.h"

#include "vesk/gui/FontMaker.h"

namespace sd::SoundMeter
{
juce::Font MeterFont::make (float fontHeight)
{
    return vesk::FontMaker::make (fontHeight);
}

float MeterFont::getTextWidth (const juce::Font& font, const juce::String& text)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font, text, 0.0f, 0.0f);
    return glyphs.getBoundingBox (0, -1, true).getWidth();
}
} // namespace sd::SoundMeter
