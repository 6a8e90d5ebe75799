#include "render/OutputLayouts.h"

#include "tap/StemFormats.h"
#include "tap/TapDelayProcessor.h"

namespace tap::render
{
namespace
{
    // The layouts on offer are the stem formats the bus rules accept as an output.
    bool isOutput (const StemFormat& format)
    {
        return TapDelayProcessor::isLayoutAccepted (juce::AudioChannelSet::mono(), format.channelSet);
    }
} // namespace

juce::AudioChannelSet OutputLayouts::fromName (const juce::String& name)
{
    const auto wanted = name.trim();

    if (wanted.equalsIgnoreCase ("quadraphonic"))
        return juce::AudioChannelSet::quadraphonic();

    for (const auto& format : getStemFormats())
        if (isOutput (format) && wanted.equalsIgnoreCase (format.name))
            return format.channelSet;

    return juce::AudioChannelSet::disabled();
}

juce::StringArray OutputLayouts::getNames()
{
    juce::StringArray names;

    for (const auto& format : getStemFormats())
        if (isOutput (format))
            names.add (format.name);

    return names;
}
} // namespace tap::render
