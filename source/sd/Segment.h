#pragma once

#include "sd/MeterColours.h"
#include "sd/Options.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace sd::SoundMeter
{
/** One band of a meter channel: its part of the meter rectangle, the tick marks that fall
    into it, the current level and the peak-hold level, and the bar and peak-line rectangles
    computed from them.

    A segment recomputes its rectangles only when a level changes, and collects the area that
    changed since the channel last repainted. Message thread only.
*/
class Segment
{
public:
    /** The level a band starts at and never shows below. */
    static constexpr float floorDb = -96.0f;

    Segment (const SegmentOptions& segmentOptions, const Options& meterOptions);

    /** Takes the tick marks in (minDb, maxDb] and the drawing options. */
    void setOptions (const Options& meterOptions);

    /** The topmost band also shows a peak above its range, as a line at its top, so that an
        over stays visible.
    */
    void setShowsPeaksAboveRange (bool shouldShow);

    /** Lays the band out in the channel's meter rectangle. */
    void setMeterBounds (juce::Rectangle<float> newMeterBounds);

    /** Shows a level; a level above the peak-hold level becomes the new peak hold. */
    void setLevel (float levelDb);

    /** Drops the peak hold back to the floor and removes its line. */
    void resetPeakHold();

    /** The height of a level inside the band, clamped to the band. */
    float getYForLevel (float levelDb) const noexcept;

    void paint (juce::Graphics& g, const Palette& palette, bool withTickMarks) const;

    const SegmentOptions& getSegmentOptions() const noexcept { return segmentOptions; }
    const std::vector<float>& getTickMarks() const noexcept { return tickMarks; }
    juce::Rectangle<float> getBounds() const noexcept { return bounds; }
    juce::Rectangle<float> getBarBounds() const noexcept { return barBounds; }
    juce::Rectangle<float> getPeakHoldBounds() const noexcept { return peakHoldBounds; }
    float getLevel() const noexcept { return level; }
    float getPeakHoldLevel() const noexcept { return peakHoldLevel; }

    bool isDirty() const noexcept { return dirty; }

    /** The union of the rectangles that changed since the last call; clears the dirty flag. */
    juce::Rectangle<float> takeDirtyArea() noexcept;

private:
    float getFraction (float levelDb) const noexcept;
    juce::Rectangle<float> computeBarBounds() const noexcept;
    juce::Rectangle<float> computePeakHoldBounds() const noexcept;
    void updateBar();
    void updatePeakHold();
    void markChanged (juce::Rectangle<float> before, juce::Rectangle<float> after);
    void markBandChanged();
    void paintTickMarks (juce::Graphics& g, const Palette& palette) const;

    SegmentOptions segmentOptions;
    std::vector<float> tickMarks;
    float tickMarkThickness = 2.0f;
    float peakHoldThickness = 2.0f;
    bool tickMarksOnTop = false;
    bool useGradient = true;
    bool showPeakHold = true;
    bool showsPeaksAboveRange = false;

    juce::Rectangle<float> meterBounds, bounds, barBounds, peakHoldBounds;
    float level = floorDb;
    float peakHoldLevel = floorDb;

    bool dirty = false;
    juce::Rectangle<float> dirtyArea;
};
} // namespace sd::SoundMeter
