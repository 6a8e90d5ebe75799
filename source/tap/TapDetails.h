#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace tap
{
class TapDelayProcessor;

/** The routing of the selected tap in four tabs: "Input" (a strip per input channel),
    "Taps" (the tap-to-tap matrix), "FX" (empty) and "Feedback" (a strip per output channel),
    with a badge naming the tap in its colour.

    The pages are rebuilt on every tap selection, for the bus layout at that moment; the open
    tab stays open. Message thread only.
*/
class TapDetails : public juce::TabbedComponent
{
public:
    static constexpr int tabDepth = 30;

    explicit TapDetails (TapDelayProcessor& owner);
    ~TapDetails() override;

    /** Rebuilds the four pages for tap `index` (0 to 15; other values are ignored) and keeps
        the tab that was open.
    */
    void setTap (int index);
    int getTapIndex() const noexcept { return tapIndex; }

    /** Draws only the badge; the pages and the tab bar draw themselves. */
    void paint (juce::Graphics& g) override;

private:
    TapDelayProcessor* processor;
    int tapIndex = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TapDetails)
};
} // namespace tap
