#include "vesk/gui/FontMaker.h"

namespace vesk
{
juce::Font FontMaker::make (float height, int styleFlags)
{
#if JUCE_MAJOR_VERSION >= 8
    return juce::Font (juce::FontOptions (height, styleFlags));
#else
    return juce::Font (height, styleFlags);
#endif
}
} // namespace vesk
