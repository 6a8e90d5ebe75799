#pragma once

#include "helpers/CerrCapture.h"

#include "PresetFixture.h"
#include "vesk/config/NameHash.h"
#include "vesk/presets/PresetComponent.h"

#include <iostream>
#include <memory>
#include <sstream>

namespace presets_test
{
/** The direct child of a component with that component name and type, or null. */
template <typename Type = juce::Component>
Type* findChild (juce::Component& parent, const juce::String& name)
{
    for (auto* child : parent.getChildren())
        if (child->getName() == name)
            if (auto* typed = dynamic_cast<Type*> (child))
                return typed;

    return nullptr;
}

/** The text a box shows: its item's text, or the nothing-selected text when no item is. */
inline juce::String shownText (const juce::ComboBox& box)
{
    return box.getText().isNotEmpty() ? box.getText() : box.getTextWhenNothingSelected();
}

/** The menu item with that id, searched through the submenus, or null. */
inline const juce::PopupMenu::Item* findMenuItem (juce::ComboBox& box, int itemId)
{
    for (juce::PopupMenu::MenuItemIterator it (*box.getRootMenu(), true); it.next();)
        if (it.getItem().itemID == itemId)
            return &it.getItem();

    return nullptr;
}

inline int controlId (const char* name)
{
    return vesk::config::idForName (name);
}

using testing_helpers::CerrCapture;

/** A preset bar on a manager of temporary folders, laid out 300 × 40. */
class PresetBarFixture : public PresetFixture
{
protected:
    void TearDown() override
    {
        bar.reset();
        PresetFixture::TearDown();
    }

    vesk::PresetComponent& makeBar()
    {
        if (manager == nullptr)
            makeManager();

        bar = std::make_unique<vesk::PresetComponent> (manager.get());
        bar->setSize (300, 40);
        return *bar;
    }

    juce::ComboBox& box() { return *findChild<juce::ComboBox> (*bar, "psco_preset_list"); }
    juce::Label& confirmLabel() { return *findChild<juce::Label> (*bar, "psco_confirm_preset_del"); }
    juce::DrawableButton& button (const char* name) { return *findChild<juce::DrawableButton> (*bar, name); }

    bool isConfirming() { return confirmLabel().isVisible(); }

    bool isDeleteEnabled()
    {
        const auto* item = findMenuItem (box(), controlId ("psco_delete_preset"));
        return item != nullptr && item->isEnabled;
    }

    /** Chooses a menu item as a click in the box's menu would, with the change told at once. */
    void choose (int itemId) { box().setSelectedId (itemId, juce::sendNotificationSync); }

    std::unique_ptr<vesk::PresetComponent> bar;
};
} // namespace presets_test
