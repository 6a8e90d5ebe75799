#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace tap
{
class TapDelayEditor;

/** The list of the sixteen taps in the editor's right column: one row per tap with its
    colour block and name, position sliders, output knob and a small level meter (the row
    components are TapListItem). A click on a row selects the tap in the whole editor,
    a double-click switches it on or off.

    The list box is its own model. Message thread only.
*/
class TapList : public juce::ListBox, public juce::ListBoxModel
{
public:
    static constexpr int rowHeight = 40;

    explicit TapList (TapDelayEditor& owner);
    ~TapList() override;

    TapDelayEditor& getEditor() const noexcept { return *editor; }

    /** Told the index of a tap selected by a click on its row. */
    std::function<void (int)> onSelect;

    //==========================================================================================
    int getNumRows() override;
    void paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool rowIsSelected) override;
    juce::Component* refreshComponentForRow (int row, bool isRowSelected, juce::Component* existing) override;

    /** The colour of a row's block: the tap's colour, half transparent unless the row is
        selected, in its inactive form when the tap is switched off.
    */
    juce::Colour getBlockColour (int row, bool rowIsSelected) const;

private:
    TapDelayEditor* editor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TapList)
};
} // namespace tap
