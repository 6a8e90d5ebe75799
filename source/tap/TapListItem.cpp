#include "tap/TapListItem.h"

#include "tap/TapDelayEditor.h"
#include "tap/TapDelayProcessor.h"
#include "tap/TapList.h"

#include <cmath>

namespace tap
{
namespace
{
    const juce::Colour labelColour (0xffc0c0c0);
    const juce::Colour meterBackgroundColour (0xff000000);
    const juce::Colour meterBarColour (0xff008000);

    constexpr int labelWidth = 16;
    constexpr int sliderPieceWidth = 60;
    constexpr int outLabelWidth = 32;
    constexpr float meterFloorDb = -50.0f;

    void attach (std::unique_ptr<juce::SliderParameterAttachment>& attachment,
                 juce::RangedAudioParameter* parameter,
                 juce::Slider& slider)
    {
        if (parameter != nullptr)
            attachment = std::make_unique<juce::SliderParameterAttachment> (*parameter, slider);
    }
} // namespace

TapListItem::TapListItem (TapDelayEditor& owner, TapList& ownerList, int row)
    : editor (&owner)
    , list (&ownerList)
    , redrawAttachment (this, [this] { repaint(); })
{
    for (auto* slider : { &xSlider, &ySlider, &zSlider, &outputKnob })
        addAndMakeVisible (*slider);

    setTapIndex (row);
}

TapListItem::~TapListItem()
{
    redrawAttachment = juce::VBlankAttachment();
    xAttachment.reset();
    yAttachment.reset();
    zAttachment.reset();
    outputAttachment.reset();
}

bool TapListItem::hasTap() const noexcept
{
    return juce::isPositiveAndBelow (index, TapDelayProcessor::numTaps);
}

void TapListItem::setTapIndex (int row)
{
    xAttachment.reset();
    yAttachment.reset();
    zAttachment.reset();
    outputAttachment.reset();

    index = row;
    if (!hasTap())
        return;

    auto& t = editor->getProcessor().getTaps()[static_cast<size_t> (index)];
    attach (xAttachment, t.x, xSlider);
    attach (yAttachment, t.y, ySlider);
    attach (zAttachment, t.z, zSlider);
    attach (outputAttachment, t.output, outputKnob);
}

int TapListItem::getMeterBarWidth (float level, int meterWidth) noexcept
{
    const auto decibels = level > 0.0f ? juce::jmax (20.0f * std::log10 (level), meterFloorDb) - meterFloorDb : 0.0f;
    const auto fraction = juce::jlimit (0.0f, 1.0f, decibels / -meterFloorDb);

    // nearbyint rounds halves to even under the default rounding mode.
    return juce::jmax (0, static_cast<int> (std::nearbyint (fraction * static_cast<float> (meterWidth))));
}

//==============================================================================================
void TapListItem::resized()
{
    auto area = juce::Rectangle<int> (5, 2, juce::jmax (getWidth() - 10, 0), juce::jmax (getHeight() - 4, 0));
    const auto h = area.getHeight();

    area.removeFromLeft (juce::jmin (area.getWidth(), h + 5)); // the name block, drawn by the list
    xLabelArea = area.removeFromLeft (labelWidth);
    xSlider.setBounds (area.removeFromLeft (sliderPieceWidth).reduced (2));
    yLabelArea = area.removeFromLeft (labelWidth);
    ySlider.setBounds (area.removeFromLeft (sliderPieceWidth).reduced (2));
    zLabelArea = area.removeFromLeft (labelWidth);
    zSlider.setBounds (area.removeFromLeft (sliderPieceWidth).reduced (2));
    outputKnob.setBounds (area.removeFromRight (juce::jmin (area.getWidth(), h)));
    outLabelArea = area.removeFromRight (juce::jmin (area.getWidth(), outLabelWidth));
    meterArea = area.reduced (5);
}

void TapListItem::paint (juce::Graphics& g)
{
    g.setColour (labelColour);
    g.drawFittedText ("X:", xLabelArea, juce::Justification::centred, 1);
    g.drawFittedText ("Y:", yLabelArea, juce::Justification::centred, 1);
    g.drawFittedText ("Z:", zLabelArea, juce::Justification::centred, 1);
    g.drawFittedText ("Out:", outLabelArea, juce::Justification::centred, 1);

    if (!hasTap() || meterArea.isEmpty())
        return;

    const auto level = editor->getProcessor().getTaps()[static_cast<size_t> (index)].level.load();
    const juce::Graphics::ScopedSaveState state (g);

    juce::Path meterShape;
    meterShape.addRoundedRectangle (meterArea.toFloat(), 2.0f);
    g.reduceClipRegion (meterShape);
    g.setColour (meterBackgroundColour);
    g.fillRect (meterArea);

    const auto barWidth = getMeterBarWidth (level, meterArea.getWidth());
    g.reduceClipRegion (meterArea.withWidth (barWidth));
    g.setColour (meterBarColour);
    g.fillRect (meterArea);
}

//==============================================================================================
void TapListItem::mouseDown (const juce::MouseEvent&)
{
    list->selectRow (index, true);

    if (list->onSelect)
        list->onSelect (index);
}

void TapListItem::mouseDoubleClick (const juce::MouseEvent&)
{
    if (!hasTap())
        return;

    auto* active = editor->getProcessor().getTaps()[static_cast<size_t> (index)].active;
    if (active == nullptr)
        return;

    active->beginChangeGesture();
    active->setValueNotifyingHost (active->get() ? 0.0f : 1.0f);
    active->endChangeGesture();
    repaint();
}
} // namespace tap
