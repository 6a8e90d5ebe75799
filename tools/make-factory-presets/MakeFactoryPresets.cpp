// Writes the factory presets into a folder, one subfolder per group:
//
//     wendrel-make-presets <output folder>
//
// Each patch is built on a fresh processor and saved by the preset bar's own saving code, so
// the files are exactly what the Save button writes. Like the plug-in, each processor makes
// sure the user preset folder in the documents folder exists.

#include "FactoryPatches.h"

#include "vesk/presets/PresetComponent.h"

#include <iostream>

namespace
{
bool writePatch (const presets::FactoryPatch& patch, const juce::File& outputFolder)
{
    tap::TapDelayProcessor processor;
    presets::PatchBuilder builder (processor);
    patch.build (builder);

    const auto folder = outputFolder.getChildFile (patch.folder);

    if (!folder.createDirectory().wasOk())
        return false;

    vesk::PresetComponent bar (&processor.getPresetManager());
    return bar.savePresetFile (folder.getChildFile (patch.name));
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: wendrel-make-presets <output folder>\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const auto outputFolder = juce::File::getCurrentWorkingDirectory().getChildFile (juce::String (argv[1]));
    int failures = 0;

    for (const auto& patch : presets::getFactoryPatches())
    {
        const auto ok = writePatch (patch, outputFolder);
        failures += ok ? 0 : 1;
        std::cout << (ok ? "wrote " : "FAILED ") << patch.folder << "/" << patch.name << ": " << patch.summary << "\n";
    }

    return failures == 0 ? 0 : 1;
}
