#include "vesk/presets/PresetFolders.h"
#include "tap/WendrelProduct.h"

#include <gtest/gtest.h>

namespace
{
#if JUCE_LINUX
TEST (PresetFolders, LinuxDefaultsFollowTheCompanyAndProduct)
{
    // Computed only: nothing is created.
    const auto folders = vesk::getDefaultPresetFolders (tap::getWendrelProductInfo());
    const auto home = juce::File::getSpecialLocation (juce::File::userHomeDirectory);
    const auto documents = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);

    EXPECT_EQ (folders.user.getFullPathName(), documents.getFullPathName() + "/Quentara Audio/Wendrel/Presets");
    EXPECT_EQ (folders.factory.getFullPathName(),
               home.getFullPathName() + "/.local/share/Quentara_Audio/Wendrel/Presets");
}
#endif
} // namespace
