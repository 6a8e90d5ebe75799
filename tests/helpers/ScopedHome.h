#pragma once

#include "helpers/TemporaryFolder.h"

#include <juce_core/juce_core.h>

namespace testing_helpers
{
/** Points HOME at a new temporary folder for the object's life, so that hosts and plug-ins
    that look in or write to the user's folders (~/.lv2, settings, presets) meet only what a
    test puts there. Restores HOME and deletes the folder (never following links) at the end.
*/
class ScopedHome
{
public:
    ScopedHome();
    ~ScopedHome();

    const juce::File& getFolder() const noexcept { return folder.getFile(); }

    /** Links a bundle into the temporary ~/.lv2, where hosts find LV2 plug-ins. */
    bool linkLv2Bundle (const juce::File& bundle) const;

private:
    TemporaryFolder folder;
    juce::String previous;
    bool hadPrevious = false;

    JUCE_DECLARE_NON_COPYABLE (ScopedHome)
};
} // namespace testing_helpers
