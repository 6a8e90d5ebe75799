#include "sd/MeterFont.h"

namespace sd::SoundMeter
{
juce::Font MeterFont::make (float fontHeight)
{
#if JUCE_MAJOR_VERSION >= 8
    return juce::Font (juce::FontOptions (fontHeight, juce::Font::plain));
#else
    return juce::Font (fontHeight, juce::Font::plain);
#endif
}

float MeterFont::getTextWidth (const juce::Font& font, const juce::String& text)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font, text, 0.0f, 0.0f);
    return glyphs.getBoundingBox (0, -1, true).getWidth();
}
} // namespace sd::SoundMeter
