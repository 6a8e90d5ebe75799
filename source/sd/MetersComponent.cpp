#include "sd/MetersComponent.h"

#include "sd/MeterFont.h"

namespace sd::SoundMeter
{
MetersComponent::MetersComponent (const Options& optionsToUse, const juce::AudioChannelSet& format)
    : options (optionsToUse)
    , segmentOptions (defaultSegmentOptions())
    , labelStrip (optionsToUse, segmentOptions, true)
{
    addAndMakeVisible (labelStrip);
    setChannelFormat (format);
    startTimerHz (juce::roundToInt (options.getRefreshRate()));
}

MetersComponent::~MetersComponent()
{
    stopTimer();
}

//==============================================================================================
void MetersComponent::setOptions (const Options& newOptions)
{
    options = newOptions;
    labelStrip.setOptions (options);

    for (auto& meter : meterChannels)
        meter->setOptions (options);

    startTimerHz (juce::roundToInt (options.getRefreshRate()));
    resized();
}

void MetersComponent::setMeterSegments (const std::vector<SegmentOptions>& newSegmentOptions)
{
    segmentOptions = newSegmentOptions;
    labelStrip.setMeterSegments (segmentOptions);

    for (auto& meter : meterChannels)
        meter->setMeterSegments (segmentOptions);
}

void MetersComponent::setLabelStripPosition (LabelStripPosition position)
{
    options.labelStripPosition = position;
    resized();
    repaint();
}

//==============================================================================================
void MetersComponent::setChannelFormat (const juce::AudioChannelSet& newFormat, const juce::StringArray& names)
{
    if (newFormat.size() == 0)
        return;

    // The owner calls this every frame: an unchanged format must cost nothing and repaint nothing.
    if (newFormat == channelFormat && getNumChannels() == newFormat.size())
    {
        if (!names.isEmpty())
            setChannelNames (names);

        return;
    }

    if (newFormat.size() != getNumChannels())
        createMeters (newFormat);
    else
        for (int i = 0; i < getNumChannels(); ++i)
            meterChannels[(size_t) i]->setChannelType (newFormat.getTypeOfChannel (i));

    channelFormat = newFormat;
    setChannelNames (names);
    resized();
    repaint();
}

void MetersComponent::createMeters (const juce::AudioChannelSet& format)
{
    meterChannels.clear();

    for (int i = 0; i < format.size(); ++i)
    {
        auto meter = std::make_unique<MeterChannel> (options, segmentOptions, false, format.getTypeOfChannel (i));

        if (clock != nullptr)
            meter->setClock (clock);

        addAndMakeVisible (*meter);
        meterChannels.push_back (std::move (meter));
    }
}

void MetersComponent::setChannelNames (const juce::StringArray& names)
{
    const auto numChannels = getNumChannels();

    for (int i = 0; i < juce::jmin (names.size(), numChannels); ++i)
        if (names[i].isNotEmpty())
            meterChannels[(size_t) i]->setChannelName (names[i]);

    const auto font = MeterFont::make();
    auto widest = MeterChannel::minHeaderTextWidth;

    for (auto& meter : meterChannels)
        widest = juce::jmax (widest, MeterFont::getTextWidth (font, meter->getTypeName()));

    for (auto& meter : meterChannels)
        meter->setHeaderTextWidth (widest);

    minimumWidth = 2 * numChannels + (int) (widest * (float) numChannels) + 35;
}

MeterChannel* MetersComponent::getMeterChannel (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, getNumChannels()) ? meterChannels[(size_t) index].get() : nullptr;
}

int MetersComponent::getPreferredWidth (int numChannels) noexcept
{
    return 25 * juce::jmax (0, numChannels) + 25;
}

//==============================================================================================
void MetersComponent::setInputLevel (int channel, float peak) noexcept
{
    if (auto* meter = getMeterChannel (channel))
        meter->setInputLevel (peak);
}

void MetersComponent::refresh (bool force)
{
    labelStrip.refresh (force);

    for (auto& meter : meterChannels)
        meter->refresh (force);
}

void MetersComponent::clearPeakHold()
{
    for (auto& meter : meterChannels)
        meter->clearPeakHold();
}

void MetersComponent::setClock (MeterChannel::Clock newClock)
{
    clock = std::move (newClock);
    labelStrip.setClock (clock);

    for (auto& meter : meterChannels)
        meter->setClock (clock);
}

void MetersComponent::timerCallback()
{
    refresh (false);
}

//==============================================================================================
void MetersComponent::resized()
{
    const auto numMeters = getNumChannels();

    if (numMeters == 0)
    {
        labelStrip.setBounds ({});
        return;
    }

    const auto width = getWidth();
    const auto height = getHeight();
    auto stripWidth = options.labelStripPosition == LabelStripPosition::none ? 0 : labelStripWidth;
    auto meterWidth = juce::jlimit (1, maxMeterWidth, (width - stripWidth) / numMeters);

    const auto valueTextWidth = MeterFont::getTextWidth (MeterFont::make(), "-9.99");
    minimalMode = options.autoMinimal
        && (meterWidth < minMeterWidth || height < minFullHeight || (float) meterWidth < valueTextWidth);

    if (minimalMode)
    {
        stripWidth = 0;
        meterWidth = juce::jlimit (1, maxMeterWidth, width / numMeters);
    }

    stripWidth = juce::jlimit (0, stripWidth, width - numMeters * meterWidth);
    const auto stripOnLeft = options.labelStripPosition == LabelStripPosition::left;
    const auto firstMeterX = stripOnLeft ? stripWidth : 0;

    for (int i = 0; i < numMeters; ++i)
    {
        auto& meter = *meterChannels[(size_t) i];
        meter.setMinimalMode (minimalMode);
        meter.setBounds (firstMeterX + i * meterWidth, 0, meterWidth, height);
    }

    layOutLabelStrip (stripOnLeft ? 0 : numMeters * meterWidth, stripWidth);
}

void MetersComponent::layOutLabelStrip (int x, int width)
{
    if (width <= 0)
    {
        labelStrip.setBounds ({});
        return;
    }

    // The strip runs the panel's full height, so that the labels at the ends of the scale
    // are not cut; its labels refer to the first meter's meter rectangle.
    const auto& firstMeter = *meterChannels.front();
    const auto span = firstMeter.getMeterBounds().translated (firstMeter.getX(), 0);
    labelStrip.setBounds (x, 0, width, getHeight());
    labelStrip.setLabelStripMeterBounds ({ 0, span.getY(), width, span.getHeight() });
}

void MetersComponent::paint (juce::Graphics& g)
{
    g.fillAll (MeterColours::resolve (*this, backgroundColourId));
}

void MetersComponent::mouseDoubleClick (const juce::MouseEvent& event)
{
    if (event.mods.isLeftButtonDown())
        clearPeakHold();
}

void MetersComponent::colourChanged()
{
    labelStrip.updateColours();

    for (auto& meter : meterChannels)
        meter->updateColours();

    repaint();
}
} // namespace sd::SoundMeter
