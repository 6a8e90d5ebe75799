#pragma once

#include "vesk/config/Config.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace vesk::config
{
/** Gives the component the entry's name as its component name, the formal name as its
    accessibility title and the description as its accessibility description and help text.
    Without an entry nothing changes. No tooltip is set.
*/
void applyControlInfo (juce::Component& component, const Config* entry);

/** The entry's formal name, or "No Formal Name" without an entry. */
juce::String getFormalName (const Config* entry);
} // namespace vesk::config
