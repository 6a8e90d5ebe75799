#include "vesk/config/ComponentInfo.h"

namespace vesk::config
{
void applyControlInfo (juce::Component& component, const Config* entry)
{
    if (entry == nullptr)
        return;

    const auto description = juce::String::fromUTF8 (entry->description.c_str());
    component.setName (juce::String::fromUTF8 (entry->name.c_str()));
    component.setTitle (juce::String::fromUTF8 (entry->formalName.c_str()));
    component.setDescription (description);
    component.setHelpText (description);
}

juce::String getFormalName (const Config* entry)
{
    if (entry == nullptr)
        return "No Formal Name";

    return juce::String::fromUTF8 (entry->formalName.c_str());
}
} // namespace vesk::config
