#pragma once

#include "helpers/GuiTestHelpers.h"

#include "sd/MeterChannel.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cmath>

namespace sd::SoundMeter::test
{
/** A millisecond counter the test moves by hand. */
struct ManualClock
{
    juce::uint32 now = 1000;

    MeterChannel::Clock function()
    {
        return [this] { return now; };
    }
};

inline float decibels (float gain)
{
    return 20.0f * std::log10 (gain);
}

inline juce::Image snapshot (juce::Component& component)
{
    return component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
}

using ::test::makeMouseEvent;

inline void doubleClick (juce::Component& component,
                         juce::Point<float> position,
                         juce::ModifierKeys modifiers = juce::ModifierKeys::leftButtonModifier)
{
    component.mouseDoubleClick (makeMouseEvent (component, position, modifiers, 2));
}

/** Whether two colours agree in every channel within a tolerance. */
inline bool coloursClose (juce::Colour a, juce::Colour b, int tolerance = 2)
{
    auto close = [tolerance] (juce::uint8 x, juce::uint8 y) { return std::abs ((int) x - (int) y) <= tolerance; };
    return close (a.getRed(), b.getRed()) && close (a.getGreen(), b.getGreen()) && close (a.getBlue(), b.getBlue())
        && close (a.getAlpha(), b.getAlpha());
}
} // namespace sd::SoundMeter::test
