#include "helpers/ScopedHome.h"

#include <cstdlib>

namespace testing_helpers
{
ScopedHome::ScopedHome()
    : folder ("wendrel-home")
{
    if (const auto* home = std::getenv ("HOME"))
    {
        previous = juce::String::fromUTF8 (home);
        hadPrevious = true;
    }

    setenv ("HOME", getFolder().getFullPathName().toRawUTF8(), 1);
}

ScopedHome::~ScopedHome()
{
    if (hadPrevious)
        setenv ("HOME", previous.toRawUTF8(), 1);
    else
        unsetenv ("HOME");
}

bool ScopedHome::linkLv2Bundle (const juce::File& bundle) const
{
    const auto lv2 = getFolder().getChildFile (".lv2");
    return lv2.createDirectory().wasOk() && bundle.createSymbolicLink (lv2.getChildFile (bundle.getFileName()), true);
}
} // namespace testing_helpers
