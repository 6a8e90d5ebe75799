#include "vesk/presets/PresetFolders.h"

namespace vesk
{
namespace
{
    juce::String relativePresetPath (const ProductInfo& product)
    {
        return product.company + "/" + product.name + "/Presets";
    }

    juce::File factoryBase()
    {
#if JUCE_MAC
        return juce::File ("~/Library/Application Support/");
#elif JUCE_WINDOWS
        return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
#else
        return juce::File ("~/.local/share/");
#endif
    }
} // namespace

PresetFolders getDefaultPresetFolders (const ProductInfo& product)
{
    const auto relative = relativePresetPath (product);
    const auto documents = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);

    PresetFolders folders;
    folders.user = documents.getChildFile (relative);
    folders.factory = factoryBase().getChildFile (relative.replace (" ", "_"));
    return folders;
}
} // namespace vesk
