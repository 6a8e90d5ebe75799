#include "tap/TapRoutePages.h"

#include "tap/TapDelayProcessor.h"

namespace tap
{
namespace
{
    const juce::Colour channelStripColour (0xff555555);

    constexpr int longNameLength = 9;

    juce::AudioChannelSet getMainBusLayout (const TapDelayProcessor& processor, bool isInput)
    {
        return processor.getChannelLayoutOfBus (isInput, 0);
    }
} // namespace

TapRoutePage::TapRoutePage (TapDelayProcessor& owner, int selectedTap)
    : processor (owner)
    , tapIndex (selectedTap)
{
    viewport.setViewedComponent (&content, false);
    viewport.setScrollBarsShown (false, true, false, false);
    addAndMakeVisible (viewport);
}

TapRoutePage::~TapRoutePage() = default;

juce::String TapRoutePage::getChannelStripName (const juce::AudioChannelSet& channelSet, int channel)
{
    const auto type = channelSet.getTypeOfChannel (channel);
    const auto name = juce::AudioChannelSet::getChannelTypeName (type);

    return name.length() >= longNameLength ? juce::AudioChannelSet::getAbbreviatedChannelTypeName (type) : name;
}

void TapRoutePage::addStrip (const juce::String& name, juce::Colour colour, const TapRoute& route)
{
    if (route.gain == nullptr || route.time == nullptr)
        return;

    strips.push_back (std::make_unique<TapMixerItem> (processor, name, colour, *route.gain, *route.time));
    content.addAndMakeVisible (*strips.back());
}

void TapRoutePage::resized()
{
    viewport.setBounds (getLocalBounds());

    const auto contentWidth = TapMixerItem::stripWidth * getNumStripsForWidth();
    const auto contentHeight = juce::jmax (getHeight() - viewport.getScrollBarThickness() - 2, 0);
    content.setBounds (0, 0, contentWidth, contentHeight);

    for (size_t i = 0; i < strips.size(); ++i)
    {
        const auto x = TapMixerItem::stripWidth * static_cast<int> (i);
        strips[i]->setBounds (x, 0, juce::jlimit (0, TapMixerItem::stripWidth, contentWidth - x), contentHeight);
    }
}

//==============================================================================================
TapInputComponent::TapInputComponent (TapDelayProcessor& owner, int selectedTap)
    : TapRoutePage (owner, selectedTap)
{
    const auto layout = getMainBusLayout (processor, true);
    auto& t = processor.getTaps()[static_cast<size_t> (tapIndex)];
    const auto numChannels = juce::jmin (layout.size(), Tap::numInputRoutes);

    for (int c = 0; c < numChannels; ++c)
        addStrip (layout.size() == 1 ? juce::String ("Input") : getChannelStripName (layout, c),
                  channelStripColour,
                  t.inputs[static_cast<size_t> (c)]);
}

int TapInputComponent::getNumStripsForWidth() const
{
    return getMainBusLayout (processor, true).size();
}

//==============================================================================================
TapMatrixComponent::TapMatrixComponent (TapDelayProcessor& owner, int selectedTap)
    : TapRoutePage (owner, selectedTap)
{
    auto& taps = processor.getTaps();
    auto& t = taps[static_cast<size_t> (tapIndex)];

    for (size_t k = 0; k < t.matrix.size() && k < taps.size(); ++k)
        addStrip (taps[k].name, taps[k].colour, t.matrix[k]);
}

int TapMatrixComponent::getNumStripsForWidth() const
{
    return TapDelayProcessor::numTaps;
}

//==============================================================================================
TapFeedbackComponent::TapFeedbackComponent (TapDelayProcessor& owner, int selectedTap)
    : TapRoutePage (owner, selectedTap)
{
    const auto layout = getMainBusLayout (processor, false);
    auto& t = processor.getTaps()[static_cast<size_t> (tapIndex)];
    const auto numChannels = juce::jmin (layout.size(), Tap::numFeedbackRoutes);

    for (int c = 0; c < numChannels; ++c)
        addStrip (getChannelStripName (layout, c), channelStripColour, t.feedback[static_cast<size_t> (c)]);
}

int TapFeedbackComponent::getNumStripsForWidth() const
{
    return getMainBusLayout (processor, false).size();
}
} // namespace tap
