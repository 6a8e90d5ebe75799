#pragma once

#include "vesk/ProductInfo.h"

#include <juce_core/juce_core.h>

namespace vesk
{
/** The two folders a preset manager lists: the factory folder (read only for the manager)
    and the user folder (created by the manager when missing).
*/
struct PresetFolders
{
    juce::File factory;
    juce::File user;
};

/** The platform's default preset folders of a product. Both end in company/product/"Presets".

    - user: the user's documents folder + "Company/Product/Presets";
    - factory, macOS: "~/Library/Application Support/" + the same with spaces as "_";
    - factory, Linux: "~/.local/share/" + the same with spaces as "_";
    - factory, Windows: the user's application data folder + the same with spaces as "_".
*/
PresetFolders getDefaultPresetFolders (const ProductInfo& product);
} // namespace vesk
