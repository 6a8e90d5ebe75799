#include "sd/MeterChannel.h"

#include "sd/MeterFont.h"

#include <cmath>

namespace sd::SoundMeter
{
namespace
{
    const char* const peakHoldTooltip = "Double click to clear peak hold.";

    juce::uint32 frameworkMilliseconds()
    {
        return juce::Time::getMillisecondCounter();
    }
} // namespace

MeterChannel::MeterChannel()
    : MeterChannel (Options(), defaultSegmentOptions())
{
}

MeterChannel::MeterChannel (const Options& optionsToUse,
                            const std::vector<SegmentOptions>& segmentOptions,
                            bool isLabelStripToUse,
                            juce::AudioChannelSet::ChannelType channelTypeToUse)
    : options (optionsToUse)
    , clock (frameworkMilliseconds)
    , lastRefresh (frameworkMilliseconds())
{
    setMeterSegments (segmentOptions);
    setIsLabelStrip (isLabelStripToUse);
    setChannelType (channelTypeToUse);
    palette.update (*this);
}

MeterChannel::~MeterChannel() = default;

//==============================================================================================
void MeterChannel::setOptions (const Options& newOptions)
{
    options = newOptions;

    for (auto& segment : segments)
        segment.setOptions (options);

    updateDecayRate();
    resized();
}

void MeterChannel::setMeterSegments (const std::vector<SegmentOptions>& segmentOptions)
{
    segments.clear();
    segments.reserve (segmentOptions.size());

    for (const auto& band : segmentOptions)
        segments.emplace_back (band, options);

    range = {};

    if (!segmentOptions.empty())
    {
        range = { segmentOptions.front().minDb, segmentOptions.front().maxDb };

        for (const auto& band : segmentOptions)
            range = range.getUnionWith ({ band.minDb, band.maxDb });
    }

    for (auto& segment : segments)
        segment.setShowsPeaksAboveRange (segment.getSegmentOptions().maxDb >= range.getEnd());

    level = floorDb;
    updateDecayRate();
    layOutSegments();
    repaint();
}

void MeterChannel::updateDecayRate()
{
    decayRate = range.getLength() / options.getDecayTime();
}

//==============================================================================================
void MeterChannel::setChannelType (juce::AudioChannelSet::ChannelType newType)
{
    channelType = newType;
    typeName = juce::AudioChannelSet::getChannelTypeName (channelType);
    abbreviatedTypeName = juce::AudioChannelSet::getAbbreviatedChannelTypeName (channelType);
    setName (typeName);

    const auto font = MeterFont::make();
    headerTextWidth = juce::jmax (minHeaderTextWidth, MeterFont::getTextWidth (font, typeName));
    updateHeaderText();
}

void MeterChannel::setChannelName (const juce::String& newName)
{
    name = newName;
    updateHeaderText();
}

void MeterChannel::setHeaderTextWidth (float width)
{
    headerTextWidth = juce::jmax (minHeaderTextWidth, width);
    updateHeaderText();
}

void MeterChannel::updateHeaderText()
{
    const auto width = (float) headerBounds.getWidth();
    auto text = abbreviatedTypeName;

    if (name.isNotEmpty() && MeterFont::getTextWidth (MeterFont::make(), name) < width)
        text = name;
    else if (typeName.isNotEmpty() && headerTextWidth < width - 5.0f)
        text = typeName;

    if (text != headerText)
    {
        headerText = text;
        repaint (headerBounds);
    }
}

//==============================================================================================
void MeterChannel::setInputLevel (float peak) noexcept
{
    if (!inputLevelRead.load())
        inputLevel.store (juce::jmax (inputLevel.load(), peak));
    else
        inputLevel.store (peak);

    inputLevelRead.store (false);
}

float MeterChannel::toDecibels (float peak) noexcept
{
    if (!(peak > 0.0f))
        return silenceDb;

    return juce::jlimit (silenceDb, ceilingDb, 20.0f * std::log10 (peak));
}

juce::Rectangle<int> MeterChannel::refresh (bool force)
{
    if (getLocalBounds().isEmpty() || !isDisplayed())
        return {};

    if (!labelStrip)
        stepBallistics();

    auto area = takeDirtyArea();

    if (force)
        area = getLocalBounds();

    if (!area.isEmpty())
        repaint (area);

    return area;
}

bool MeterChannel::isDisplayed() const
{
    // Unlike isShowing, this holds for a hierarchy that is not on the desktop, so that the
    // meters can also be driven and painted off screen.
    for (auto* c = static_cast<const juce::Component*> (this); c != nullptr; c = c->getParentComponent())
        if (!c->isVisible())
            return false;

    if (auto* peer = getPeer())
        return !peer->isMinimised();

    return true;
}

void MeterChannel::stepBallistics()
{
    inputLevelRead.store (true);
    const auto levelDb = toDecibels (inputLevel.load());

    const auto now = clock();
    const auto elapsed = (float) (now - lastRefresh);
    lastRefresh = now;

    if (levelDb >= level)
        level = levelDb;
    else
        level = juce::jmax (level - elapsed * decayRate, floorDb);

    const auto peakBefore = getPeakHoldLevel();

    for (auto& segment : segments)
        segment.setLevel (level);

    if (getPeakHoldLevel() > peakBefore)
        valueDirty = true;
}

juce::Rectangle<int> MeterChannel::takeDirtyArea()
{
    juce::Rectangle<float> area;

    for (auto& segment : segments)
        area = area.getUnion (segment.takeDirtyArea());

    auto dirty = area.getSmallestIntegerContainer().getIntersection (getLocalBounds());

    if (valueDirty)
        dirty = dirty.getUnion (valueBounds);

    valueDirty = false;
    return dirty;
}

float MeterChannel::getPeakHoldLevel() const noexcept
{
    auto peak = floorDb;

    for (const auto& segment : segments)
        peak = juce::jmax (peak, segment.getPeakHoldLevel());

    return peak;
}

void MeterChannel::clearPeakHold()
{
    for (auto& segment : segments)
        segment.resetPeakHold();

    valueDirty = true;
    repaint (takeDirtyArea());
}

void MeterChannel::setClock (Clock newClock)
{
    clock = newClock != nullptr ? std::move (newClock) : Clock (frameworkMilliseconds);
    lastRefresh = clock();
}

//==============================================================================================
void MeterChannel::setMinimalMode (bool shouldBeMinimal)
{
    if (minimalMode == shouldBeMinimal)
        return;

    minimalMode = shouldBeMinimal;
    resized();
}

void MeterChannel::setActive (bool shouldBeActive)
{
    if (active == shouldBeActive)
        return;

    active = shouldBeActive;
    repaint();
}

void MeterChannel::setIsLabelStrip (bool shouldBeLabelStrip)
{
    labelStrip = shouldBeLabelStrip;
    // A double click on the strip belongs to the panel, which clears every peak hold.
    setInterceptsMouseClicks (!labelStrip, false);
    resized();
}

void MeterChannel::setLabelStripMeterBounds (juce::Rectangle<int> newBounds)
{
    if (labelStripMeterBounds == newBounds)
        return;

    labelStripMeterBounds = newBounds;
    resized();
}

//==============================================================================================
void MeterChannel::resized()
{
    auto area = getLocalBounds();
    headerBounds = {};
    valueBounds = {};

    if (labelStrip)
    {
        meterBounds = labelStripMeterBounds.isEmpty() ? area : labelStripMeterBounds;
    }
    else
    {
        if (options.headerEnabled && !minimalMode)
            headerBounds = area.removeFromTop (juce::jmin (headerHeight, area.getHeight()));

        if (options.valueEnabled && !minimalMode)
            valueBounds = area.removeFromBottom (valueHeight);

        meterBounds = area.reduced (juce::jmin (meterMargin, (area.getWidth() - 1) / 2), 0);
    }

    layOutSegments();
    updateHeaderText();
    repaint();
}

void MeterChannel::layOutSegments()
{
    for (auto& segment : segments)
    {
        segment.setMeterBounds (meterBounds.toFloat());
        segment.takeDirtyArea();
    }
}

float MeterChannel::getLabelFontHeight() const noexcept
{
    return juce::jlimit (1.0f, 15.0f, 0.25f * (float) meterBounds.getHeight());
}

std::vector<MeterChannel::TickLabel> MeterChannel::getTickLabels() const
{
    std::vector<TickLabel> labels;
    const auto fontHeight = getLabelFontHeight();
    const auto x = (float) meterBounds.getX() + 2.0f;
    const auto width = juce::jmax (0.0f, (float) meterBounds.getWidth() - 4.0f);

    for (const auto& segment : segments)
    {
        for (auto tick : segment.getTickMarks())
        {
            const auto top = segment.getYForLevel (tick) - 0.5f * fontHeight;
            labels.push_back (
                { juce::String (juce::roundToInt (tick - options.nominalLevel)), { x, top, width, fontHeight } });
        }
    }

    return labels;
}

juce::String MeterChannel::getValueText() const
{
    const auto peak = getPeakHoldLevel();

    if (peak <= range.getStart())
        return {};

    return juce::String (peak, peak > -10.0f ? 2 : 1);
}

//==============================================================================================
void MeterChannel::updateColours()
{
    palette.update (*this);
    repaint();
}

void MeterChannel::colourChanged()
{
    updateColours();
}

void MeterChannel::lookAndFeelChanged()
{
    updateColours();
}

void MeterChannel::parentHierarchyChanged()
{
    updateColours();
}

//==============================================================================================
void MeterChannel::paint (juce::Graphics& g)
{
    if (getLocalBounds().isEmpty())
        return;

    paintHeader (g);

    g.setColour (active ? palette.background : palette.inactive);
    g.fillRect (meterBounds);

    if (labelStrip)
    {
        paintLabels (g);
        return;
    }

    const auto withTickMarks = options.tickMarksEnabled && !minimalMode;

    for (const auto& segment : segments)
        segment.paint (g, palette, withTickMarks);

    paintValue (g);
}

void MeterChannel::paintHeader (juce::Graphics& g) const
{
    if (headerBounds.isEmpty())
        return;

    g.setColour (palette.text);
    g.setFont (MeterFont::make());
    g.drawText (headerText, headerBounds, juce::Justification::centred, false);
}

void MeterChannel::paintLabels (juce::Graphics& g) const
{
    g.setColour (palette.text);
    g.setFont (MeterFont::make (getLabelFontHeight()));

    for (const auto& label : getTickLabels())
        g.drawText (label.text, label.bounds, juce::Justification::topLeft, false);
}

void MeterChannel::paintValue (juce::Graphics& g) const
{
    if (valueBounds.isEmpty())
        return;

    g.setColour (palette.textValue);
    g.setFont (MeterFont::make());
    g.drawText (getValueText(), valueBounds, juce::Justification::centred, false);
}

//==============================================================================================
void MeterChannel::mouseMove (const juce::MouseEvent& event)
{
    const auto overMeter = !labelStrip && meterBounds.contains (event.getPosition());
    setMouseCursor (overMeter ? juce::MouseCursor::PointingHandCursor : juce::MouseCursor::NormalCursor);
    setTooltip (overMeter ? peakHoldTooltip : juce::String());
}

void MeterChannel::mouseExit (const juce::MouseEvent&)
{
    setMouseCursor (juce::MouseCursor::NormalCursor);
}

void MeterChannel::mouseDoubleClick (const juce::MouseEvent& event)
{
    if (event.mods.isLeftButtonDown() && meterBounds.contains (event.getPosition()))
        clearPeakHold();
}
} // namespace sd::SoundMeter
