#pragma once

#include "sd/MeterChannel.h"
#include "sd/MeterColours.h"
#include "sd/Options.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace sd::SoundMeter
{
/** A panel of level meters, one per channel of a channel set, side by side, with a scale
    strip of tick labels beside them. When the meters get too narrow or the panel too low,
    every meter switches to minimal mode: bars only, no headers, values, ticks or strip.

    Each display frame the owner hands over one linear peak per channel (setInputLevel) and
    calls refresh; the panel's timer also refreshes at the options' refresh rate. Only what
    changed is repainted. Message thread only, as a format change rebuilds the meters; only
    MeterChannel::setInputLevel may be called from another thread.
*/
class MetersComponent : public juce::Component, public juce::Timer, public MeterColours
{
public:
    static constexpr int labelStripWidth = 30;
    static constexpr int maxMeterWidth = 500;
    static constexpr int minMeterWidth = 20;
    static constexpr int minFullHeight = 150;

    /** Starts the timer at the options' refresh rate. */
    explicit MetersComponent (const Options& options = {},
                              const juce::AudioChannelSet& channelFormat = juce::AudioChannelSet());
    ~MetersComponent() override;

    //==============================================================================================
    void setOptions (const Options& newOptions);
    const Options& getOptions() const noexcept { return options; }

    void setMeterSegments (const std::vector<SegmentOptions>& newSegmentOptions);
    void setLabelStripPosition (LabelStripPosition position);

    /** One meter per channel of the set, in channel order. The meters are rebuilt only when
        the number of channels changes; an empty set leaves them as they are.
    */
    void setChannelFormat (const juce::AudioChannelSet& newFormat, const juce::StringArray& names = {});
    const juce::AudioChannelSet& getChannelFormat() const noexcept { return channelFormat; }

    /** A non-empty name replaces its channel's name; also sizes the headers and the minimum
        width from the widest type name.
    */
    void setChannelNames (const juce::StringArray& names);

    int getNumChannels() const noexcept { return (int) meterChannels.size(); }
    MeterChannel* getMeterChannel (int index) const noexcept;
    MeterChannel& getLabelStrip() noexcept { return labelStrip; }

    //==============================================================================================
    /** Hands over a linear peak for one channel; out-of-range indices are ignored. */
    void setInputLevel (int channel, float peak) noexcept;

    /** The ballistics step of the scale strip and of every meter. */
    void refresh (bool force);

    /** Clears the peak hold of every meter. */
    void clearPeakHold();

    /** Replaces the millisecond clock of the ballistics, for every meter present and to come. */
    void setClock (MeterChannel::Clock newClock);

    //==============================================================================================
    bool isMinimalModeActive() const noexcept { return minimalMode; }

    /** The panel's minimum width for its meters: 2 × n + int (widest × n) + 35, where widest is
        the widest type name of the panel (at least 20 pixels) and n the number of meters.
    */
    int getMinimumWidth() const noexcept { return minimumWidth; }

    /** The width the plug-in's editor gives the panel: 25 pixels per meter plus 25. */
    static int getPreferredWidth (int numChannels) noexcept;

    /** The height the plug-in's editor gives the panel at most. */
    static constexpr int preferredHeight = 100;

    //==============================================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDoubleClick (const juce::MouseEvent& event) override;
    void colourChanged() override;
    void timerCallback() override;

private:
    void createMeters (const juce::AudioChannelSet& format);
    void layOutLabelStrip (int x, int width);

    Options options;
    std::vector<SegmentOptions> segmentOptions;
    MeterChannel labelStrip;
    std::vector<std::unique_ptr<MeterChannel>> meterChannels;
    juce::AudioChannelSet channelFormat;
    MeterChannel::Clock clock;
    int minimumWidth = 0;
    bool minimalMode = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MetersComponent)
};
} // namespace sd::SoundMeter
