#pragma once

#include "vesk/config/Registry.h"
#include "vesk/gui/BaseComponent.h"
#include "vesk/gui/MouseAttachment.h"
#include "vesk/presets/PresetManager.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace vesk
{
/** The preset bar: a drop-down box with the preset list between a previous and a next arrow.
    The box's menu also opens a preset file from anywhere, saves the current state as a preset
    file and deletes the selected user preset; deleting asks "Sure?" in place of the box, with
    a cancel and a confirm button that go away by themselves after five seconds.

    The bar keeps no preset state of its own: it reads the list, the selection and the dirty
    flag from its manager and redraws when the manager tells it. It holds the manager weakly,
    so the manager may die first; every action then does nothing.

    Message thread only. Open and save show asynchronous file choosers; what happens with the
    chosen file is openPresetFile and savePresetFile, which owners may also call directly.
*/
class PresetComponent : public BaseComponent, public PresetManager::PresetListener
{
public:
    enum ColourIds
    {
        /** Background of the box and of its menu. */
        barColourId = 0x8a51100,
        /** For a look-and-feel; the bar does not read it. */
        spareColourId = 0x8a51101,
        /** Every icon. */
        iconColourId = 0x8a51102
    };

    /** How long the deletion question stays up without an answer. */
    static constexpr int confirmationTimeoutMs = 5000;

    /** Builds the bar on the manager (null is allowed: the bar then does nothing). The flag
        has no effect.
    */
    explicit PresetComponent (PresetManager* manager, bool unused = false);
    ~PresetComponent() override;

    void lookAndFeelChanged() override;
    void resized() override;

    //==========================================================================================
    /** Rebuilds the box's menu from the manager's list: the folders as submenus, then Open,
        Save and Delete. Ends with updatePresetDisplay.
    */
    void syncPresetList();

    /** Shows the selected preset: ticked in the box while unmodified; while modified no item
        is ticked and the box shows the name followed by "*". Enables Delete only for an
        unmodified user preset.
    */
    void updatePresetDisplay();

    /** Shows a file chooser and opens the chosen file (see openPresetFile). */
    void openPreset();

    /** Shows a file chooser and saves into the chosen file (see savePresetFile). */
    void savePreset();

    /** First call: asks for confirmation. Call while asking: deletes the selected user preset,
        rescans and selects nothing. Never deletes "Initialize" or a factory preset.
    */
    void deletePreset();

    /** Shows the deletion question in place of the box, or the box again. A question shown
        goes away by itself after confirmationTimeoutMs unless it was answered first.
    */
    void showConfirmation (bool show);

    /** What opening does with a chosen file: tells onOpen and loads it through the manager
        when it is an existing file. An empty path (a cancelled chooser) does nothing.
    */
    void openPresetFile (const juce::File& chosen);

    /** What saving does with a chosen file: writes the current state as a preset file named
        after the file, with the manager's preset extension replacing any other, rescans the
        lists and selects the file when it is listed. The dirty flag is left alone.
        Returns true when the file was written.
    */
    bool savePresetFile (const juce::File& chosen);

    /** Steps to the previous or next list entry, wrapping around at both ends. */
    void previousPreset();
    void nextPreset();

    //==========================================================================================
    /** The attachment that makes a click on the "Sure?" text cancel the deletion. */
    MouseAttachment& getConfirmLabelMouse() noexcept { return *labelMouse; }

    //==========================================================================================
    /** When set, fills the box's menu instead of the default contents. */
    std::function<void (juce::PopupMenu&)> onBuildMenu;
    /** Told when a preset file is opened (or, with externalFileDialogs, instead of a chooser). */
    std::function<void()> onOpen;
    /** Told when a preset file is saved (or, with externalFileDialogs, instead of a chooser). */
    std::function<void()> onSave;
    /** Told at every deletePreset. */
    std::function<void()> onDelete;
    std::function<void()> onPrevious;
    std::function<void()> onNext;
    /** Told at the end of syncPresetList. */
    std::function<void()> onMenuRebuilt;

    /** When set, open and save only call onOpen and onSave: the owner shows its own dialogs. */
    bool externalFileDialogs = false;

private:
    void presetListChanged() override;
    void presetStatusChanged() override;
    // The manager clears its dirty flag without telling anyone when it loads a file; when the
    // file was already selected no status change follows, so the bar refreshes here.
    void presetLoaded() override;

    void presetBoxChanged();
    void addActionsToMenu (juce::PopupMenu& menu);
    int getControlId (const char* name) const;
    void createIconButton (std::unique_ptr<juce::DrawableButton>& button,
                           const config::Config* control,
                           int iconIndex,
                           juce::Colour colour,
                           int& focusOrder,
                           std::function<void()> onClick);
    static std::unique_ptr<juce::Drawable> createIcon (const char* svg, juce::Colour colour);
    void applyBarColours();
    void stepTo (int presetId);

    juce::WeakReference<PresetManager> presetManager;
    config::Registry controls;
    std::unique_ptr<juce::FileChooser> fileChooser;

    juce::ComboBox presetBox;
    std::unique_ptr<juce::Drawable> openIcon, saveIcon, deleteIcon;
    std::unique_ptr<juce::DrawableButton> previousButton, nextButton;
    juce::Label confirmLabel;
    std::unique_ptr<juce::DrawableButton> confirmYesButton, confirmNoButton;
    std::unique_ptr<MouseAttachment> labelMouse;

    // Counts the questions shown, so that a timeout only ends the question it was set for.
    int confirmationsShown = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetComponent)
};
} // namespace vesk
