#include "sd/MeterColours.h"

namespace sd::SoundMeter
{
juce::Colour MeterColours::resolve (const juce::Component& component, int colourId)
{
    for (auto* c = &component; c != nullptr; c = c->getParentComponent())
        if (c->isColourSpecified (colourId))
            return c->findColour (colourId);

    auto& lookAndFeel = component.getLookAndFeel();

    if (lookAndFeel.isColourSpecified (colourId))
        return lookAndFeel.findColour (colourId);

    return getDefault (colourId);
}

juce::Colour MeterColours::getDefault (int colourId)
{
    switch (colourId)
    {
        case tickMarkColourId: return juce::Colours::white.withBrightness (0.769f).withAlpha ((juce::uint8) 0x80);
        case textColourId:
        case textValueColourId: return juce::Colours::white.withBrightness (0.625f);
        case inactiveColourId: return juce::Colour (0xff808080);
        case peakHoldColourId: return juce::Colours::red;
        case backgroundColourId:
        default: return juce::Colours::black;
    }
}

void Palette::update (const juce::Component& component)
{
    background = MeterColours::resolve (component, MeterColours::backgroundColourId);
    tickMark = MeterColours::resolve (component, MeterColours::tickMarkColourId);
    text = MeterColours::resolve (component, MeterColours::textColourId);
    textValue = MeterColours::resolve (component, MeterColours::textValueColourId);
    inactive = MeterColours::resolve (component, MeterColours::inactiveColourId);
    peakHold = MeterColours::resolve (component, MeterColours::peakHoldColourId);
}
} // namespace sd::SoundMeter
