#pragma once

#include <juce_core/juce_core.h>

namespace testing_helpers
{
/** A new, empty folder in the system's temporary folder, deleted with everything in it
    (links are removed, never followed) when the object goes. Its name carries the process
    id and a random part, so tests running in parallel processes never share one.
*/
class TemporaryFolder
{
public:
    explicit TemporaryFolder (const juce::String& prefix);
    ~TemporaryFolder();

    const juce::File& getFile() const noexcept { return folder; }

private:
    juce::File folder;

    JUCE_DECLARE_NON_COPYABLE (TemporaryFolder)
};
} // namespace testing_helpers
