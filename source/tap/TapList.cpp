#include "tap/TapList.h"

#include "tap/TapDelayEditor.h"
#include "tap/TapDelayProcessor.h"
#include "tap/TapListItem.h"
#include "tap/TapSceneObject.h"
#include "vesk/gui/FontMaker.h"

namespace tap
{
namespace
{
    const juce::Colour rowColour (0xff555555);
    constexpr float nameFontHeight = 20.0f;
} // namespace

TapList::TapList (TapDelayEditor& owner)
    : juce::ListBox ({}, nullptr)
    , editor (&owner)
{
    // Set here rather than in the base's constructor, once the model part exists.
    setModel (this);
}

TapList::~TapList() = default;

int TapList::getNumRows()
{
    return TapDelayProcessor::numTaps;
}

juce::Colour TapList::getBlockColour (int row, bool rowIsSelected) const
{
    const auto& t = editor->getProcessor().getTaps()[static_cast<size_t> (row)];
    const auto colour = rowIsSelected ? t.colour : t.colour.withAlpha (static_cast<juce::uint8> (0x80));
    return t.isActive() ? colour : TapSceneObject::getInactiveColour (colour);
}

void TapList::paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool rowIsSelected)
{
    if (!juce::isPositiveAndBelow (row, TapDelayProcessor::numTaps))
        return;

    const auto w = juce::jmax (width - 10, 0);
    const auto h = juce::jmax (height - 4, 0);
    const auto s = juce::jmin (w, h);

    g.setColour (rowColour);
    g.fillRoundedRectangle (5.0f, 2.0f, static_cast<float> (w), static_cast<float> (h), 5.0f);

    const auto block = getBlockColour (row, rowIsSelected);
    juce::Path blockShape;
    blockShape.addRoundedRectangle (5.0f,
                                    2.0f,
                                    static_cast<float> (s),
                                    static_cast<float> (h),
                                    4.0f,
                                    4.0f,
                                    true,
                                    false,
                                    true,
                                    false);
    g.setColour (block);
    g.fillPath (blockShape);

    g.setColour (TapSceneObject::getTextColour (block));
    g.setFont (vesk::FontMaker::make (nameFontHeight, juce::Font::bold));
    g.drawFittedText (editor->getProcessor().getTaps()[static_cast<size_t> (row)].name,
                      { 5, 2, s, h },
                      juce::Justification::centred,
                      1);
}

juce::Component* TapList::refreshComponentForRow (int row, bool, juce::Component* existing)
{
    if (auto* item = dynamic_cast<TapListItem*> (existing))
    {
        item->setTapIndex (row);
        return item;
    }

    delete existing;
    return new TapListItem (*editor, *this, row);
}
} // namespace tap
