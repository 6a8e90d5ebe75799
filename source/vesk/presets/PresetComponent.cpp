#include "vesk/presets/PresetComponent.h"

#include "vesk/FaultLog.h"
#include "vesk/config/ComponentInfo.h"
#include "vesk/presets/PresetIcons.h"

#include <algorithm>
#include <utility>

namespace vesk
{
namespace
{
    namespace names
    {
        const char* const presetList = "psco_preset_list";
        const char* const openPreset = "psco_open_preset";
        const char* const savePreset = "psco_save_preset";
        const char* const deletePreset = "psco_delete_preset";
        const char* const previousPreset = "psco_previous_preset";
        const char* const nextPreset = "psco_next_preset";
        const char* const confirm = "psco_confirm_preset_del";
        const char* const confirmYes = "psco_confirm_preset_del_yes";
        const char* const confirmNo = "psco_confirm_preset_del_no";
    } // namespace names

    struct ControlText
    {
        const char* name;
        const char* formalName;
        const char* description;
    };

    const ControlText controlTexts[] = {
        { names::presetList, "Preset List", "List of all the presets." },
        { names::openPreset, "Open Preset", "Open a preset from disk." },
        { names::savePreset, "Save Preset", "Save a preset to disk." },
        { names::deletePreset, "Delete Preset", "Delete a preset from disk." },
        { names::previousPreset, "Previous Preset", "Load the previous preset." },
        { names::nextPreset, "Next Preset", "Load the next preset." },
        { names::confirm, "Confirm Preset Deletion", "Are you sure you want to delete this preset?" },
        { names::confirmYes, "Delete Preset", "Confirm preset deletion." },
        { names::confirmNo, "Cancel Delete", "Cancel preset deletion." },
    };

    const juce::Identifier presetIdProperty{ "preset_id" };
    const juce::Identifier presetNameProperty{ "preset_name" };
    const juce::Identifier presetVersionProperty{ "preset_version" };
    const juce::Identifier productNameProperty{ "product_name" };

    constexpr int stateProperty = 2;

    config::Registry makeControls()
    {
        config::Registry registry;

        for (const auto& text : controlTexts)
            registry.add (config::makeControl (text.name, text.formalName, "Presets", text.description, "0"));

        return registry;
    }

    PresetIcon iconForIndex (int index) noexcept
    {
        switch (index)
        {
            case 1: return PresetIcon::prohibitionSign;
            case 2: return PresetIcon::roundedCross;
            case 3: return PresetIcon::wasteBin;
            case 4: return PresetIcon::triangleLeft;
            case 5: return PresetIcon::triangleRight;
            default: return PresetIcon::checkMark;
        }
    }

    bool isStateProperty (const config::Registry& registry, const juce::Identifier& property)
    {
        return std::any_of (registry.begin(),
                            registry.end(),
                            [&property] (const auto& entry)
                            { return entry->storage == stateProperty && property.toString() == entry->name.c_str(); });
    }

    void deletePresetFile (PresetManager& manager, const juce::File& file)
    {
        const auto path = file.getFullPathName();

        if (path.isEmpty() || !file.exists() || file.isDirectory())
        {
            logFault ("Preset file to delete [" + path + "] does not exist");
            return;
        }

        if (!file.deleteFile())
            logFault ("Could not delete preset file [" + path + "]");

        manager.updatePresetLists (juce::sendNotification);
        manager.setSelectedPresetIndex (-1, juce::sendNotification);
    }
} // namespace

//==============================================================================================
PresetComponent::PresetComponent (PresetManager* manager, bool)
    : presetManager (manager)
    , controls (makeControls())
{
    setDefaultColour (barColourId, juce::Colour (0xff2f4f4f));
    setDefaultColour (spareColourId, juce::Colour (0xffc0c0c0));
    setDefaultColour (iconColourId, juce::Colour (0xffc0c0c0));

    const auto* listControl = controls.find (names::presetList);
    config::applyControlInfo (*this, listControl);
    setFocusContainerType (juce::Component::FocusContainerType::focusContainer);

    config::applyControlInfo (presetBox, listControl);
    presetBox.setExplicitFocusOrder (1);
    presetBox.setTextWhenNoChoicesAvailable ("No presets...");
    presetBox.setTextWhenNothingSelected ("No preset");
    presetBox.setMouseCursor (juce::MouseCursor::PointingHandCursor);
    applyBarColours();
    presetBox.onChange = [this] { presetBoxChanged(); };

    const auto iconColour = findColour (iconColourId);
    const juce::Component::SafePointer<PresetComponent> safe (this);
    int focusOrder = 1;

    createIconButton (previousButton,
                      controls.find (names::previousPreset),
                      4,
                      iconColour,
                      focusOrder,
                      [safe]
                      {
                          if (safe != nullptr)
                              safe->previousPreset();
                      });
    createIconButton (nextButton,
                      controls.find (names::nextPreset),
                      5,
                      iconColour,
                      focusOrder,
                      [safe]
                      {
                          if (safe != nullptr)
                              safe->nextPreset();
                      });

    config::applyControlInfo (confirmLabel, controls.find (names::confirm));
    confirmLabel.setJustificationType (juce::Justification::centred);
    confirmLabel.setColour (juce::Label::backgroundColourId, findColour (juce::ComboBox::backgroundColourId));
    confirmLabel.setColour (juce::Label::outlineColourId, findColour (juce::ComboBox::outlineColourId));
    confirmLabel.setColour (juce::Label::textColourId, findColour (juce::TextButton::textColourOffId));
    confirmLabel.setText ("Sure?", juce::dontSendNotification);

    labelMouse = std::make_unique<MouseAttachment> (confirmLabel);
    labelMouse->onMouseUp = [safe] (const juce::MouseEvent&)
    {
        if (safe != nullptr)
            safe->showConfirmation (false);
    };

    openIcon = createIcon (getPresetIconSvg (PresetIcon::openedFolder), iconColour);
    saveIcon = createIcon (getPresetIconSvg (PresetIcon::floppyDisk), iconColour);
    deleteIcon = createIcon (getPresetIconSvg (PresetIcon::wasteBin), iconColour);

    createIconButton (confirmNoButton,
                      controls.find (names::confirmNo),
                      1,
                      iconColour,
                      focusOrder,
                      [safe]
                      {
                          if (safe != nullptr)
                              safe->showConfirmation (false);
                      });
    createIconButton (confirmYesButton,
                      controls.find (names::confirmYes),
                      0,
                      iconColour,
                      focusOrder,
                      [safe]
                      {
                          if (safe != nullptr)
                              safe->deletePreset();
                      });

    addAndMakeVisible (presetBox);

    for (auto* button : { previousButton.get(), nextButton.get() })
        if (button != nullptr)
            addAndMakeVisible (*button);

    addChildComponent (confirmLabel);

    for (auto* button : { confirmNoButton.get(), confirmYesButton.get() })
        if (button != nullptr)
            addChildComponent (*button);

    syncPresetList();

    if (auto* m = presetManager.get())
        m->addListener (this);
}

PresetComponent::~PresetComponent()
{
    if (auto* m = presetManager.get())
        m->removeListener (this);
}

//==============================================================================================
void PresetComponent::createIconButton (std::unique_ptr<juce::DrawableButton>& button,
                                        const config::Config* control,
                                        int iconIndex,
                                        juce::Colour colour,
                                        int& focusOrder,
                                        std::function<void()> onClick)
{
    button.reset();

    if (control == nullptr)
        return;

    button = std::make_unique<juce::DrawableButton> (juce::String::fromUTF8 (control->name.c_str()),
                                                     juce::DrawableButton::ImageOnButtonBackground);
    config::applyControlInfo (*button, control);
    button->setMouseCursor (juce::MouseCursor::PointingHandCursor);
    button->onClick = std::move (onClick);
    button->setColour (juce::TextButton::buttonColourId, juce::Colour (0x00000000));
    button->setColour (juce::TextButton::buttonOnColourId, juce::Colour (0x00000000));
    button->setEdgeIndent (0);

    if (const auto icon = createIcon (getPresetIconSvg (iconForIndex (iconIndex)), colour))
    {
        button->setImages (icon.get());
        button->setExplicitFocusOrder (++focusOrder);
    }
}

std::unique_ptr<juce::Drawable> PresetComponent::createIcon (const char* svg, juce::Colour colour)
{
    if (svg == nullptr || *svg == 0)
        return {};

    const auto xml = juce::parseXML (juce::String::fromUTF8 (svg));

    if (xml == nullptr)
        return {};

    auto drawable = juce::Drawable::createFromSVG (*xml);

    if (drawable != nullptr && colour != juce::Colours::black)
        drawable->replaceColour (juce::Colours::black, colour);

    return drawable;
}

void PresetComponent::applyBarColours()
{
    const auto bar = findColour (barColourId);
    presetBox.setColour (juce::ComboBox::backgroundColourId, bar);
    presetBox.setColour (juce::PopupMenu::backgroundColourId, bar);
}

void PresetComponent::lookAndFeelChanged()
{
    applyBarColours();
}

void PresetComponent::resized()
{
    const auto w = getWidth();
    const auto h = getHeight();

    if (w < 1 || h < 1)
        return;

    const auto m = margin;
    int a = 0;
    int c = 0;

    if (previousButton != nullptr)
    {
        a = std::min (w, h / 2);
        previousButton->setBounds (0, 0, a, h);
    }

    if (nextButton != nullptr)
    {
        c = std::min (w - a, h / 2);
        nextButton->setBounds (w - c, 0, c, h);
    }

    const auto b = std::max (w - a - c, 0);
    const auto g = std::max (h - 2 * m, 0);
    presetBox.setBounds (a, m, b, g);
    confirmLabel.setBounds (a, m, b, g);

    const auto l = std::max (b - 2 * m, 0);
    int s = 0;

    if (confirmNoButton != nullptr)
    {
        s = std::min (l, g);
        confirmNoButton->setBounds (a + m, m, s, g);
    }

    if (confirmYesButton != nullptr)
    {
        const auto t = std::min (l - s, g);
        confirmYesButton->setBounds (a + b - m - t, m, t, g);
    }
}

//==============================================================================================
void PresetComponent::presetListChanged()
{
    syncPresetList();
}

void PresetComponent::presetStatusChanged()
{
    updatePresetDisplay();
}

void PresetComponent::presetLoaded()
{
    updatePresetDisplay();
}

int PresetComponent::getControlId (const char* name) const
{
    const auto* control = controls.find (name);
    return control != nullptr ? control->id : -1;
}

void PresetComponent::syncPresetList()
{
    auto* manager = presetManager.get();

    if (manager == nullptr || !manager->getPresetList().isValid())
        return;

    presetBox.clear (juce::dontSendNotification);
    auto& menu = *presetBox.getRootMenu();

    if (onBuildMenu)
    {
        onBuildMenu (menu);
    }
    else
    {
        PresetManager::addPresetsToMenu (menu, manager->getPresetList());
        menu.addSeparator();
        addActionsToMenu (menu);
    }

    updatePresetDisplay();

    if (onMenuRebuilt)
        onMenuRebuilt();
}

void PresetComponent::addActionsToMenu (juce::PopupMenu& menu)
{
    struct Action
    {
        const char* control;
        const juce::Drawable* icon;
        void (PresetComponent::*run)();
    };

    const Action actions[] = {
        { names::openPreset, openIcon.get(), &PresetComponent::openPreset },
        { names::savePreset, saveIcon.get(), &PresetComponent::savePreset },
        { names::deletePreset, deleteIcon.get(), &PresetComponent::deletePreset },
    };

    const juce::Component::SafePointer<PresetComponent> safe (this);

    for (const auto& action : actions)
    {
        const auto* control = controls.find (action.control);

        if (action.icon == nullptr || control == nullptr)
            continue;

        juce::PopupMenu::Item item (config::getFormalName (control) + "...");
        item.itemID = control->id;
        item.image = action.icon->createCopy();
        item.action = [safe, run = action.run]
        {
            if (safe != nullptr)
                (safe->*run)();
        };
        menu.addItem (std::move (item));
    }
}

void PresetComponent::updatePresetDisplay()
{
    auto* manager = presetManager.get();

    if (manager == nullptr)
        return;

    const auto dirty = manager->isPresetDirty();
    const auto selected = manager->getSelectedPresetId();
    const auto node = manager->findPresetNode (presetIdProperty, selected);
    const auto name = node.isValid() ? node.getProperty (presetNameProperty, "Untitled Preset").toString()
                                     : juce::String ("No Preset");

    // While modified no item is ticked; the box then shows its nothing-selected text.
    presetBox.setSelectedId (dirty ? -1 : selected + 1, juce::dontSendNotification);
    presetBox.setTextWhenNothingSelected (dirty && name.isNotEmpty() ? name + "*" : juce::String ("No preset"));

    if (const auto* control = controls.find (names::deletePreset))
        presetBox.setItemEnabled (control->id, !dirty && selected >= manager->getFirstUserPresetId());
}

void PresetComponent::presetBoxChanged()
{
    const auto itemId = presetBox.getSelectedId();

    // An action item: its own menu action does the work; the box goes back to the preset.
    for (const auto* action : { names::openPreset, names::savePreset, names::deletePreset })
    {
        if (itemId == getControlId (action))
        {
            updatePresetDisplay();
            return;
        }
    }

    auto* manager = presetManager.get();

    if (itemId <= 0 || manager == nullptr)
        return;

    manager->loadPreset (itemId - 1);
    showConfirmation (false);
}

//==============================================================================================
void PresetComponent::previousPreset()
{
    auto* manager = presetManager.get();

    if (manager == nullptr)
        return;

    const auto selected = manager->getSelectedPresetId();
    const auto count = std::max (1, manager->getFirstUserPresetId() + manager->getUserPresetCount());
    stepTo (selected <= 0 ? count - 1 : selected - 1);

    if (onPrevious)
        onPrevious();

    showConfirmation (false);
}

void PresetComponent::nextPreset()
{
    auto* manager = presetManager.get();

    if (manager == nullptr)
        return;

    const auto selected = manager->getSelectedPresetId();
    const auto count = std::max (1, manager->getFirstUserPresetId() + manager->getUserPresetCount());
    stepTo (selected + 1 < count ? selected + 1 : 0);

    if (onNext)
        onNext();

    showConfirmation (false);
}

void PresetComponent::stepTo (int presetId)
{
    auto* manager = presetManager.get();

    if (manager == nullptr)
        return;

    const auto count = std::max (1, manager->getFirstUserPresetId() + manager->getUserPresetCount());

    if (presetId >= 0 && presetId < count)
        manager->loadPreset (presetId);
}

//==============================================================================================
void PresetComponent::openPreset()
{
    auto* manager = presetManager.get();

    if (manager == nullptr)
        return;

    showConfirmation (false);

    if (externalFileDialogs)
    {
        if (onOpen)
            onOpen();
        return;
    }

    fileChooser = std::make_unique<juce::FileChooser> ("Load a preset file...",
                                                       manager->getUserPresetFolder(),
                                                       "*." + manager->getPresetExtension());

    const juce::Component::SafePointer<PresetComponent> safe (this);
    fileChooser->launchAsync (juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles
                                  | juce::FileBrowserComponent::useTreeView,
                              [safe] (const juce::FileChooser& chooser)
                              {
                                  if (safe != nullptr)
                                      safe->openPresetFile (chooser.getResult());
                              });
}

void PresetComponent::openPresetFile (const juce::File& chosen)
{
    if (chosen.getFullPathName().isEmpty() || presetManager.get() == nullptr)
        return;

    if (onOpen)
        onOpen();

    // The owner's callback may have let the manager go.
    if (auto* manager = presetManager.get())
        if (chosen.existsAsFile())
            manager->loadPresetFile (chosen);
}

void PresetComponent::savePreset()
{
    auto* manager = presetManager.get();

    if (manager == nullptr)
        return;

    showConfirmation (false);

    if (externalFileDialogs)
    {
        if (onSave)
            onSave();
        return;
    }

    const auto selectedFile = manager->getPresetFile (manager->getSelectedPresetId());
    const auto start =
        selectedFile.has_value() && selectedFile->exists() ? *selectedFile : manager->getUserPresetFolder();

    fileChooser =
        std::make_unique<juce::FileChooser> ("Save a preset file...", start, "*." + manager->getPresetExtension());

    const juce::Component::SafePointer<PresetComponent> safe (this);
    fileChooser->launchAsync (juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::useTreeView
                                  | juce::FileBrowserComponent::warnAboutOverwriting,
                              [safe] (const juce::FileChooser& chooser)
                              {
                                  if (safe != nullptr)
                                      safe->savePresetFile (chooser.getResult());
                              });
}

bool PresetComponent::savePresetFile (const juce::File& chosen)
{
    if (chosen.getFullPathName().isEmpty() || presetManager.get() == nullptr)
        return false;

    if (onSave)
        onSave();

    auto* manager = presetManager.get();

    if (manager == nullptr || !juce::File::isAbsolutePath (chosen.getFullPathName()))
        return false;

    const auto file = chosen.withFileExtension (manager->getPresetExtension());
    auto state = manager->getCurrentState();

    for (auto i = state.getNumProperties(); --i >= 0;)
    {
        const auto property = state.getPropertyName (i);

        if (!isStateProperty (manager->getConfig(), property))
            state.removeProperty (property, nullptr);
    }

    state.setProperty (presetVersionProperty, manager->getPresetVersionText(), nullptr);
    state.setProperty (productNameProperty, manager->getProductInfo().name, nullptr);
    state.setProperty (presetNameProperty, file.getFileNameWithoutExtension(), nullptr);

    const auto xml = state.createXml();

    if (xml == nullptr || !xml->writeTo (file))
    {
        logFault ("Could not write fileToLoad file [" + file.getFullPathName() + "]");
        return false;
    }

    manager->updatePresetLists (juce::sendNotification);
    manager->selectPresetFile (file);
    return true;
}

//==============================================================================================
void PresetComponent::deletePreset()
{
    auto* manager = presetManager.get();

    if (manager == nullptr)
        return;

    if (onDelete)
        onDelete();

    const auto selected = manager->getSelectedPresetId();
    const auto firstUser = manager->getFirstUserPresetId();

    // "Initialize" and factory presets are never deleted.
    if (selected >= 0 && selected < firstUser)
        return;

    if (!confirmLabel.isVisible())
    {
        showConfirmation (true);
        return;
    }

    if (selected >= firstUser)
        if (const auto file = manager->getPresetFile (selected))
            deletePresetFile (*manager, *file);

    showConfirmation (false);
}

void PresetComponent::showConfirmation (bool show)
{
    confirmLabel.setVisible (show);

    for (auto* button : { confirmNoButton.get(), confirmYesButton.get() })
        if (button != nullptr)
            button->setVisible (show);

    presetBox.setVisible (!show);

    if (!show)
        return;

    const auto shown = ++confirmationsShown;
    const juce::Component::SafePointer<PresetComponent> safe (this);

    juce::Timer::callAfterDelay (confirmationTimeoutMs,
                                 [safe, shown]
                                 {
                                     if (safe != nullptr && safe->confirmationsShown == shown)
                                         safe->showConfirmation (false);
                                 });
}
} // namespace vesk
