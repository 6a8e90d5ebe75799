#pragma once

#include "sd/MetersComponent.h"
#include "tap/TapDetails.h"
#include "tap/TapList.h"
#include "tap/TapSelector.h"
#include "vesk/presets/PresetComponent.h"
#include "vesk/scene/SceneEditor.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace tap
{
class TapDelayProcessor;

/** The plug-in window: the room view with its four view-mode buttons, the tap list, the
    tabbed tap details, the output meters and the preset bar, over a background with the logo.

    It keeps the list, the details and the room showing the same selected tap, and once per
    display frame hands the processor's output levels to the meters and repaints the room.
    The selection and the view mode live only in the panels: every new editor opens in the
    Top view with tap A selected.

    Message thread only; the level cells are taken from the processor by atomic exchange.
*/
class TapDelayEditor : public juce::AudioProcessorEditor, public TapSelector
{
public:
    static constexpr int initialWidth = 960;
    static constexpr int initialHeight = 650;
    static constexpr int topBarHeight = 48;
    static constexpr int rightColumnWidth = 400;
    static constexpr int detailsHeight = 240;

    explicit TapDelayEditor (TapDelayProcessor& owner);
    ~TapDelayEditor() override;

    /** Selects tap `index` in the list, shows it in the details and brings its object in the
        room to the front.
    */
    void selectTap (int index) override;

    /** One display frame: takes the output level cells, keeps the meters' channels in step
        with the output layout, feeds and refreshes them, and repaints the room view.
    */
    void frameStep();

    void paint (juce::Graphics& g) override;
    void resized() override;

    //==========================================================================================
    TapDelayProcessor& getProcessor() const noexcept { return processor; }
    vesk::SceneEditor& getSceneEditor() noexcept { return sceneEditor; }
    TapList& getTapList() noexcept { return tapList; }
    TapDetails& getTapDetails() noexcept { return tapDetails; }
    sd::SoundMeter::MetersComponent& getMeters() noexcept { return meters; }
    /** The button that selects a view mode, or null for a value outside the four modes. */
    juce::TextButton* getViewButton (vesk::SceneEditor::ViewMode mode) noexcept;
    /** Where the preset bar sits: the top bar right of the room view, inside a 5-pixel margin. */
    juce::Rectangle<int> getPresetArea() const noexcept { return presetComponent.getBounds(); }
    vesk::PresetComponent& getPresetComponent() noexcept { return presetComponent; }
    const juce::Drawable* getLogo() const noexcept { return logo.get(); }

private:
    void setUpViewButton (juce::TextButton& button, const juce::String& text, vesk::SceneEditor::ViewMode mode);
    void viewModeChanged (vesk::SceneEditor::ViewMode mode);
    void updateMeterFormat();

    // Declaration order is construction order.
    TapDelayProcessor& processor;
    vesk::SceneEditor sceneEditor;
    TapList tapList;
    TapDetails tapDetails;
    sd::SoundMeter::MetersComponent meters;
    vesk::PresetComponent presetComponent;
    juce::TextButton topButton, sideButton, rearButton, orbitButton;
    std::unique_ptr<juce::Drawable> logo;
    juce::VBlankAttachment blankAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TapDelayEditor)
};
} // namespace tap
