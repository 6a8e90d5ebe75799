#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

namespace tap
{
/** One AAX stem format, expressed as the framework's channel set. */
struct StemFormat
{
    juce::String name;
    juce::AudioChannelSet channelSet;
};

/** Every stem format an AAX host may offer, in the host's order: mono to 9.1.6 and the
    ambisonic orders 1 to 3.
*/
const std::vector<StemFormat>& getStemFormats();

/** An (input, output) pair the plug-in accepts. */
struct StemPair
{
    StemFormat input;
    StemFormat output;
};

/** The pairs of stem formats the bus rules accept; a host is offered exactly these. */
std::vector<StemPair> getAcceptedStemPairs();
} // namespace tap
