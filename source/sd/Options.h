#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

namespace sd::SoundMeter
{
/** Where the panel puts its scale strip. */
enum class LabelStripPosition
{
    left = 0,
    right = 1,
    none = 2
};

/** The display options that every meter channel and the meter panel carry. The defaults are
    the values the plug-in uses.
*/
struct Options
{
    bool headerEnabled = true; ///< a header with the channel name
    bool valueEnabled = true;  ///< a value area below the meter
    bool autoMinimal = true;   ///< switch to minimal mode when too small
    float decayTime = 3000.0f; ///< ms the bar needs to fall through the whole range
    float refreshRate = 30.0f; ///< Hz, the rate of the panel's timer
    bool tickMarksEnabled = true;
    bool tickMarksOnTop = false; ///< false: ticks are hidden where the bar covers them
    bool useGradient = true;     ///< bars shaded from a band's colour to its next colour
    bool showPeakHold = true;
    std::vector<float> tickMarks{ 0.0f, -3.0f, -6.0f, -9.0f, -12.0f, -18.0f, -30.0f, -40.0f, -50.0f };
    float tickMarkThickness = 2.0f;
    float peakHoldThickness = 2.0f;
    float nominalLevel = 0.0f; ///< dB subtracted from a tick's value for its label
    LabelStripPosition labelStripPosition = LabelStripPosition::right;

    static constexpr float minDecayTime = 100.0f;
    static constexpr float maxDecayTime = 8000.0f;
    static constexpr float minRefreshRate = 1.0f;

    /** The decay time within its limits. */
    float getDecayTime() const noexcept;

    /** The refresh rate, at least one per second. */
    float getRefreshRate() const noexcept;
};

/** One band of a meter: a range of levels in dB shown over a share of the meter's height,
    shaded from colour at the band's bottom to nextColour at its top.
*/
struct SegmentOptions
{
    float minDb = -60.0f;
    float maxDb = 0.0f;
    float minFraction = 0.0f; ///< share of the meter height where the band starts, from the bottom
    float maxFraction = 1.0f;
    juce::Colour colour = juce::Colours::green;
    juce::Colour nextColour = juce::Colours::green;
};

/** The plug-in's three bands: green up to −18 dB over the lower half, green to yellow up to
    −3 dB over the next 40 %, yellow to red up to 0 dB at the top.
*/
std::vector<SegmentOptions> defaultSegmentOptions();
} // namespace sd::SoundMeter
