#include "tap/TapMixerItem.h"

#include "tap/TapDelayProcessor.h"

namespace tap
{
namespace
{
    const juce::Colour labelTextColour (0xffffffff);

    constexpr int inset = 8;
    constexpr int barHeight = 24;
    constexpr int labelHeight = 20;
} // namespace

TapMixerItem::TapMixerItem (TapDelayProcessor& owner,
                            const juce::String& stripName,
                            juce::Colour stripColour,
                            juce::RangedAudioParameter& gain,
                            juce::RangedAudioParameter& time)
    : processor (&owner)
    , name (stripName)
    , colour (stripColour)
    , gainSliderAttachment (gain, gainSlider, &owner.getUndoManager())
    , gainBarAttachment (gain, gainBar, &owner.getUndoManager())
    , timeSliderAttachment (time, timeSlider, &owner.getUndoManager())
    , timeBarAttachment (time, timeBar, &owner.getUndoManager())
{
    for (auto* slider : { &gainSlider, &timeSlider, &gainBar, &timeBar })
        addAndMakeVisible (*slider);
}

TapMixerItem::~TapMixerItem() = default;

void TapMixerItem::resized()
{
    const auto iw = juce::jmax (getWidth() - 2 * inset, 0);
    const auto ih = juce::jmax (getHeight() - 36, 0);
    auto area = juce::Rectangle<int> (inset, inset, iw, ih);

    gainBar.setBounds (area.removeFromTop (juce::jmin (ih, barHeight)));
    timeBar.setBounds (area.removeFromBottom (juce::jmin (area.getHeight(), barHeight)));
    gainSlider.setBounds (area.removeFromLeft (iw / 2));
    timeSlider.setBounds (area);
}

void TapMixerItem::paint (juce::Graphics& g)
{
    const auto aw = static_cast<float> (juce::jmax (getWidth() - 10, 0));
    const auto ah = static_cast<float> (juce::jmax (getHeight() - 4, 0));

    g.setColour (colour);
    g.drawRoundedRectangle (5.0f, 2.0f, aw, ah, 5.0f, 2.0f);

    const juce::Rectangle<float> labelArea (5.0f, ah - 18.0f, aw, static_cast<float> (labelHeight));
    juce::Path label;
    label.addRoundedRectangle (labelArea.getX(),
                               labelArea.getY(),
                               labelArea.getWidth(),
                               labelArea.getHeight(),
                               5.0f,
                               5.0f,
                               false,
                               false,
                               true,
                               true);
    g.fillPath (label);

    g.setColour (labelTextColour);
    g.drawFittedText (name, labelArea.toNearestInt(), juce::Justification::centred, 1);
}
} // namespace tap
