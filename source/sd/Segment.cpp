#include "sd/Segment.h"

#include "vesk/dsp/ApproximatelyEqual.h"

namespace sd::SoundMeter
{
Segment::Segment (const SegmentOptions& segmentOptionsToUse, const Options& meterOptions)
    : segmentOptions (segmentOptionsToUse)
{
    setOptions (meterOptions);
}

void Segment::setOptions (const Options& meterOptions)
{
    tickMarks.clear();

    for (auto tick : meterOptions.tickMarks)
        if (tick > segmentOptions.minDb && tick <= segmentOptions.maxDb)
            tickMarks.push_back (tick);

    tickMarkThickness = meterOptions.tickMarkThickness;
    peakHoldThickness = meterOptions.peakHoldThickness;
    tickMarksOnTop = meterOptions.tickMarksOnTop;
    useGradient = meterOptions.useGradient;
    showPeakHold = meterOptions.showPeakHold;
    updatePeakHold();
    markBandChanged();
}

void Segment::setShowsPeaksAboveRange (bool shouldShow)
{
    showsPeaksAboveRange = shouldShow;
    updatePeakHold();
}

void Segment::setMeterBounds (juce::Rectangle<float> newMeterBounds)
{
    meterBounds = newMeterBounds;

    const auto top = meterBounds.getY() + (1.0f - segmentOptions.maxFraction) * meterBounds.getHeight();
    const auto height = (segmentOptions.maxFraction - segmentOptions.minFraction) * meterBounds.getHeight();
    const auto oldBounds = bounds;
    bounds = { meterBounds.getX(), top, meterBounds.getWidth(), height };
    markChanged (oldBounds, bounds);

    updateBar();
    updatePeakHold();
}

void Segment::setLevel (float levelDb)
{
    if (!vesk::approximatelyEqual (levelDb, level))
    {
        level = levelDb;
        updateBar();
    }

    if (levelDb > peakHoldLevel)
    {
        peakHoldLevel = levelDb;
        updatePeakHold();
    }
}

void Segment::resetPeakHold()
{
    peakHoldLevel = floorDb;
    updatePeakHold();
}

float Segment::getYForLevel (float levelDb) const noexcept
{
    const auto f = juce::jlimit (0.0f, 1.0f, getFraction (levelDb));
    return bounds.getY() + (1.0f - f) * bounds.getHeight();
}

juce::Rectangle<float> Segment::takeDirtyArea() noexcept
{
    const auto area = dirtyArea;
    dirtyArea = {};
    dirty = false;
    return area;
}

//==============================================================================================
float Segment::getFraction (float levelDb) const noexcept
{
    const auto range = segmentOptions.maxDb - segmentOptions.minDb;

    if (range <= 0.0f)
        return levelDb > segmentOptions.minDb ? 1.0f : -1.0f;

    return (levelDb - segmentOptions.minDb) / range;
}

juce::Rectangle<float> Segment::computeBarBounds() const noexcept
{
    const auto f = getFraction (level);
    const auto top = bounds.getY() + (f < 0.0f ? 1.0f : 1.0f - juce::jmin (f, 1.0f)) * bounds.getHeight();
    return bounds.withTop (top);
}

juce::Rectangle<float> Segment::computePeakHoldBounds() const noexcept
{
    const auto inRange = peakHoldLevel > segmentOptions.minDb && peakHoldLevel <= segmentOptions.maxDb;
    const auto aboveShownRange = showsPeaksAboveRange && peakHoldLevel > segmentOptions.maxDb;

    if (!(inRange || aboveShownRange))
        return {};

    return { bounds.getX(), getYForLevel (peakHoldLevel), bounds.getWidth(), peakHoldThickness };
}

void Segment::updateBar()
{
    const auto oldBar = barBounds;
    barBounds = computeBarBounds();
    markChanged (oldBar, barBounds);
}

void Segment::updatePeakHold()
{
    const auto oldPeak = peakHoldBounds;
    peakHoldBounds = computePeakHoldBounds();
    markChanged (oldPeak, peakHoldBounds);
}

void Segment::markChanged (juce::Rectangle<float> before, juce::Rectangle<float> after)
{
    if (before == after)
        return;

    dirtyArea = dirtyArea.getUnion (before).getUnion (after);
    dirty = !dirtyArea.isEmpty();
}

void Segment::markBandChanged()
{
    dirtyArea = dirtyArea.getUnion (bounds);
    dirty = !dirtyArea.isEmpty();
}

//==============================================================================================
void Segment::paint (juce::Graphics& g, const Palette& palette, bool withTickMarks) const
{
    if (bounds.isEmpty())
        return;

    if (withTickMarks && !tickMarksOnTop)
        paintTickMarks (g, palette);

    if (!barBounds.isEmpty())
    {
        if (useGradient)
            g.setGradientFill (juce::ColourGradient (segmentOptions.colour,
                                                     bounds.getX(),
                                                     bounds.getBottom(),
                                                     segmentOptions.nextColour,
                                                     bounds.getX(),
                                                     bounds.getY(),
                                                     false));
        else
            g.setColour (segmentOptions.colour);

        g.fillRect (barBounds);
    }

    if (withTickMarks && tickMarksOnTop)
        paintTickMarks (g, palette);

    if (showPeakHold && !peakHoldBounds.isEmpty())
    {
        g.setColour (palette.peakHold);
        g.fillRect (peakHoldBounds);
    }
}

void Segment::paintTickMarks (juce::Graphics& g, const Palette& palette) const
{
    g.setColour (palette.tickMark);

    for (auto tick : tickMarks)
    {
        const auto y = getYForLevel (tick);
        const juce::Rectangle<float> line{ bounds.getX(),
                                           y - 0.5f * tickMarkThickness,
                                           bounds.getWidth(),
                                           tickMarkThickness };
        // The 0 dB tick sits on the meter's top edge: keep the whole line inside the meter.
        g.fillRect (line.constrainedWithin (meterBounds));
    }
}
} // namespace sd::SoundMeter
