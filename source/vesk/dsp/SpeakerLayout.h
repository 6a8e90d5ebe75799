#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

namespace vesk::dsp
{
/** One channel of a loudspeaker layout, placed in room coordinates: x from left (−1) to
    right (1), y from rear (−1) to front (1), z 0 at ear level, 1 on the top layer and −1 on
    the bottom layer.
*/
struct Speaker
{
    int type = 0; ///< the channel's type, as numbered by juce::AudioChannelSet
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    bool pans = true; ///< false for the LFE channels, which take no part in panning
    int index = 0;    ///< the channel's index in its layout

    /** The speaker of a channel type at the given channel index. Unknown, ambisonic and
        discrete channels sit at the origin.
    */
    static Speaker forChannelType (juce::AudioChannelSet::ChannelType type, int index) noexcept;
};

/** The speakers of a channel set, one per channel, in channel order. */
struct SpeakerLayout
{
    SpeakerLayout() = default;
    explicit SpeakerLayout (const juce::AudioChannelSet& set);

    std::vector<Speaker> speakers;
    juce::AudioChannelSet channelSet;

    int size() const noexcept { return static_cast<int> (speakers.size()); }
};

/** The processing set-up handed from the processor to its taps at every prepare. */
struct ProcessingSpec
{
    double sampleRate = 1.0;
    int blockSize = 1;
    SpeakerLayout inputLayout;
    SpeakerLayout outputLayout;
};
} // namespace vesk::dsp
