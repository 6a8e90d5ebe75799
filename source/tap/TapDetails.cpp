#include "tap/TapDetails.h"

#include "tap/TapDelayProcessor.h"
#include "tap/TapRoutePages.h"
#include "tap/TapSceneObject.h"

namespace tap
{
namespace
{
    const juce::Colour tabColour (0xffd3d3d3);

    constexpr int badgeWidth = 70;
    constexpr int badgeMargin = 5;
} // namespace

TapDetails::TapDetails (TapDelayProcessor& owner)
    : juce::TabbedComponent (juce::TabbedButtonBar::TabsAtTop)
    , processor (&owner)
{
    setTabBarDepth (tabDepth);
    setOutline (1);
    setIndent (0);
}

TapDetails::~TapDetails() = default;

void TapDetails::setTap (int index)
{
    if (!juce::isPositiveAndBelow (index, TapDelayProcessor::numTaps))
        return;

    const auto openTab = getCurrentTabIndex();
    clearTabs();
    tapIndex = index;

    addTab ("Input", tabColour, new TapInputComponent (*processor, index), true);
    addTab ("Taps", tabColour, new TapMatrixComponent (*processor, index), true);
    addTab ("FX", tabColour, new juce::Component(), true);
    addTab ("Feedback", tabColour, new TapFeedbackComponent (*processor, index), true);

    setCurrentTabIndex (juce::jmax (openTab, 0));
    repaint();
}

void TapDetails::paint (juce::Graphics& g)
{
    const auto& t = processor->getTaps()[static_cast<size_t> (tapIndex)];
    const juce::Rectangle<int> badge (getWidth() - badgeWidth - badgeMargin,
                                      badgeMargin,
                                      badgeWidth,
                                      juce::jmax (getTabBarDepth() - 2 * badgeMargin, 0));

    g.setColour (t.colour);
    g.fillRoundedRectangle (badge.toFloat(), 5.0f);
    g.setColour (TapSceneObject::getTextColour (t.colour));
    g.drawFittedText ("Tap " + t.name, badge, juce::Justification::centred, 1);
}
} // namespace tap
