#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace sd::SoundMeter
{
/** The colour identifiers of the meter panel and its channels. A colour set on the component,
    on one of its parents or on its look and feel wins; otherwise the default applies.
*/
struct MeterColours
{
    enum ColourIds
    {
        backgroundColourId = 0x1a03201, ///< active channel and panel background (black)
        tickMarkColourId = 0x1a03202,   ///< tick lines (light grey, half transparent)
        textColourId = 0x1a03203,       ///< header text and scale labels (grey)
        textValueColourId = 0x1a03205,  ///< value text (grey)
        inactiveColourId = 0x1a03209,   ///< background of an inactive channel (mid grey)
        peakHoldColourId = 0x1a03210    ///< peak-hold line (red)
    };

    /** The colour a component shows for an identifier: its own or a parent's, then its look
        and feel's, then the default.
    */
    static juce::Colour resolve (const juce::Component& component, int colourId);

    /** The colour used when nothing else specifies one. */
    static juce::Colour getDefault (int colourId);
};

/** The colours a channel paints with, resolved once whenever colours or the look and feel
    change, so that painting does no look-ups.
*/
struct Palette
{
    juce::Colour background, tickMark, text, textValue, inactive, peakHold;

    void update (const juce::Component& component);
};
} // namespace sd::SoundMeter
