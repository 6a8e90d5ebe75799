#include "helpers/TemporaryFolder.h"

#include <unistd.h>

namespace testing_helpers
{
TemporaryFolder::TemporaryFolder (const juce::String& prefix)
{
    const auto base = juce::File::getSpecialLocation (juce::File::tempDirectory);
    auto& random = juce::Random::getSystemRandom();

    // createDirectory succeeds on an existing folder, so the name must be new already.
    do
        folder = base.getChildFile (prefix + "-" + juce::String (static_cast<int> (getpid())) + "-"
                                    + juce::String::toHexString (random.nextInt()));
    while (folder.exists());

    folder.createDirectory();
}

TemporaryFolder::~TemporaryFolder()
{
    folder.deleteRecursively (false);
}
} // namespace testing_helpers
