#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

namespace tap::render
{
/** How the channels of a processor layout are stored in a WAV file.

    A WAV file names its speakers with a channel mask and must store them in the mask's bit
    order. The processor's rear surrounds (JUCE's "surround rear" types) are the mask's "back"
    speakers, so a 7.1 or 7.1.4 file carries them before the side surrounds. Layouts with a
    speaker the mask cannot name (top side, wide) are stored as discrete channels in the
    processor's own order.
*/
struct WavChannelOrder
{
    /** The channel set handed to the WAV writer (and expected from a reader). */
    juce::AudioChannelSet fileSet;

    /** For each file channel, the processor channel it holds. */
    std::vector<int> processorChannel;

    /** The processor's channel types in file order, for naming the file's channels. */
    juce::Array<juce::AudioChannelSet::ChannelType> processorTypes;

    static WavChannelOrder forLayout (const juce::AudioChannelSet& layout);
};
} // namespace tap::render
