#pragma once

#include "sd/MeterColours.h"
#include "sd/Options.h"
#include "sd/Segment.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <functional>
#include <vector>

namespace sd::SoundMeter
{
/** One level meter: a header with the channel's name, the meter with its bands, tick marks and
    peak-hold line, and a value area below that shows the peak-hold level. The same class, set
    up as a label strip, draws the scale labels beside a row of meters.

    Levels are handed over with setInputLevel (linear peaks; the hand-over is atomic, so one
    thread other than the message thread may write them) and turned into decibels by refresh, which applies the
   ballistics: instant rise, a linear fall through the whole range in the decay time, and a peak hold that stays until
    cleared. refresh repaints only the rectangles that changed.

    Everything else runs on the message thread. The clock that times the fall can
    be replaced, so that the ballistics can be driven step by step.
*/
class MeterChannel : public juce::Component, public juce::SettableTooltipClient, public MeterColours
{
public:
    /** A millisecond counter; wrapping around is harmless. */
    using Clock = std::function<juce::uint32()>;

    static constexpr float silenceDb = -100.0f; ///< what a peak of 0 or less reads as
    static constexpr float ceilingDb = 100.0f;  ///< keeps an infinite peak from freezing the level
    static constexpr float floorDb = Segment::floorDb;
    static constexpr int headerHeight = 25;
    static constexpr int valueHeight = 25;
    static constexpr int meterMargin = 1; ///< left and right of the meter, so that neighbouring bars stay apart
    static constexpr float minHeaderTextWidth = 20.0f;

    MeterChannel();
    MeterChannel (const Options& options,
                  const std::vector<SegmentOptions>& segmentOptions,
                  bool isLabelStrip = false,
                  juce::AudioChannelSet::ChannelType channelType = juce::AudioChannelSet::unknown);
    ~MeterChannel() override;

    //==============================================================================================
    void setOptions (const Options& newOptions);
    const Options& getOptions() const noexcept { return options; }

    /** Replaces the bands; their levels and peak holds start again at the floor. */
    void setMeterSegments (const std::vector<SegmentOptions>& segmentOptions);
    const std::vector<Segment>& getSegments() const noexcept { return segments; }

    /** The union of the bands' ranges in dB. */
    juce::Range<float> getRange() const noexcept { return range; }

    //==============================================================================================
    void setChannelType (juce::AudioChannelSet::ChannelType newType);
    juce::AudioChannelSet::ChannelType getChannelType() const noexcept { return channelType; }
    const juce::String& getTypeName() const noexcept { return typeName; }
    const juce::String& getAbbreviatedTypeName() const noexcept { return abbreviatedTypeName; }

    void setChannelName (const juce::String& newName);
    const juce::String& getChannelName() const noexcept { return name; }

    /** The width a header needs to show the type names of the panel, at least 20 pixels. */
    void setHeaderTextWidth (float width);
    float getHeaderTextWidth() const noexcept { return headerTextWidth; }

    /** What the header shows: the name, else the type name, else its abbreviation, whichever
        fits first.
    */
    const juce::String& getHeaderText() const noexcept { return headerText; }

    //==============================================================================================
    /** Hands over a linear peak. Several hand-overs between two refreshes keep the largest. */
    void setInputLevel (float peak) noexcept;

    /** The ballistics step, while the channel is displayed and has a size. Repaints what
        changed, or the whole channel when forced.
        @returns the area that was repainted (empty when nothing changed)
    */
    juce::Rectangle<int> refresh (bool force);

    float getLevel() const noexcept { return level; }
    float getPeakHoldLevel() const noexcept;

    /** Drops the peak hold to the floor and removes its line. */
    void clearPeakHold();

    void setClock (Clock newClock);

    //==============================================================================================
    /** Minimal mode shows the bars alone: no header, value area or tick marks. */
    void setMinimalMode (bool shouldBeMinimal);
    bool isMinimalModeActive() const noexcept { return minimalMode; }

    /** An inactive channel shows its meter on the inactive colour. */
    void setActive (bool shouldBeActive);
    bool isActive() const noexcept { return active; }

    void setIsLabelStrip (bool shouldBeLabelStrip);
    bool isLabelStrip() const noexcept { return labelStrip; }

    /** For a label strip: the span the labels refer to (the meter rectangle of the meters
        beside it), in the strip's coordinates. Empty: the whole strip.
    */
    void setLabelStripMeterBounds (juce::Rectangle<int> newBounds);

    juce::Rectangle<int> getHeaderBounds() const noexcept { return headerBounds; }
    juce::Rectangle<int> getMeterBounds() const noexcept { return meterBounds; }
    juce::Rectangle<int> getValueBounds() const noexcept { return valueBounds; }

    /** The scale labels of a label strip: text and the rectangle it is drawn into. */
    struct TickLabel
    {
        juce::String text;
        juce::Rectangle<float> bounds;
    };

    std::vector<TickLabel> getTickLabels() const;
    float getLabelFontHeight() const noexcept;

    /** The peak-hold level as the value area shows it; empty while it is below the range. */
    juce::String getValueText() const;

    /** Resolves the colours again, e.g. after a parent's colours changed. */
    void updateColours();

    //==============================================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseMove (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;
    void mouseDoubleClick (const juce::MouseEvent& event) override;
    void colourChanged() override;
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;

private:
    static float toDecibels (float peak) noexcept;
    bool isDisplayed() const;
    void stepBallistics();
    juce::Rectangle<int> takeDirtyArea();
    void layOutSegments();
    void updateDecayRate();
    void updateHeaderText();
    void paintHeader (juce::Graphics& g) const;
    void paintLabels (juce::Graphics& g) const;
    void paintValue (juce::Graphics& g) const;

    Options options;
    std::vector<Segment> segments;
    juce::Range<float> range;

    juce::String name;
    juce::AudioChannelSet::ChannelType channelType = juce::AudioChannelSet::unknown;
    juce::String typeName, abbreviatedTypeName, headerText;
    float headerTextWidth = minHeaderTextWidth;

    juce::Rectangle<int> headerBounds, meterBounds, valueBounds, labelStripMeterBounds;

    std::atomic<float> inputLevel{ 0.0f };
    std::atomic<bool> inputLevelRead{ false };
    float level = floorDb;
    float decayRate = 0.0f; ///< dB per millisecond
    Clock clock;
    juce::uint32 lastRefresh = 0;

    bool labelStrip = false;
    bool minimalMode = false;
    bool active = true;
    bool valueDirty = false;
    Palette palette;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MeterChannel)
};
} // namespace sd::SoundMeter
