#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace tap
{
class TapDelayEditor;
class TapList;

/** The component inside one row of the tap list: bar sliders for the tap's X, Y and Z,
    a knob for its output gain and a small level meter (the colour block and name underneath
    are drawn by the list).

    The sliders are bound to the tap's parameters without an undo manager and rebound
    whenever the list reuses the item for another row. The item repaints itself on every
    display frame for its meter. Message thread only; the level is read as an atomic float.
*/
class TapListItem : public juce::Component
{
public:
    TapListItem (TapDelayEditor& owner, TapList& ownerList, int row);
    ~TapListItem() override;

    /** Shows tap `row`: drops the attachments and, for a row of a tap, binds the sliders anew. */
    void setTapIndex (int row);
    int getTapIndex() const noexcept { return index; }

    /** The meter bar's width for a level: linear in decibels from -50 dB (empty) to 0 dBFS
        (the whole meter width).
    */
    static int getMeterBarWidth (float level, int meterWidth) noexcept;

    juce::Slider& getXSlider() noexcept { return xSlider; }
    juce::Slider& getYSlider() noexcept { return ySlider; }
    juce::Slider& getZSlider() noexcept { return zSlider; }
    juce::Slider& getOutputKnob() noexcept { return outputKnob; }
    juce::Rectangle<int> getMeterArea() const noexcept { return meterArea; }

    //==========================================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDoubleClick (const juce::MouseEvent& e) override;

private:
    bool hasTap() const noexcept;

    TapDelayEditor* editor;
    TapList* list;
    int index = -1;
    juce::Rectangle<int> xLabelArea, yLabelArea, zLabelArea, meterArea, outLabelArea;
    juce::Slider xSlider{ juce::Slider::LinearBar, juce::Slider::TextBoxAbove };
    juce::Slider ySlider{ juce::Slider::LinearBar, juce::Slider::TextBoxAbove };
    juce::Slider zSlider{ juce::Slider::LinearBar, juce::Slider::TextBoxAbove };
    juce::Slider outputKnob{ juce::Slider::RotaryHorizontalVerticalDrag, juce::Slider::NoTextBox };
    std::unique_ptr<juce::SliderParameterAttachment> xAttachment, yAttachment, zAttachment, outputAttachment;
    juce::VBlankAttachment redrawAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TapListItem)
};
} // namespace tap
