#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>

namespace vesk::dsp
{
/** A ring of the most recent samples of one or more channels.

    Blocks are appended with push(); DelayReader objects read the ring at a delay behind the
    write position. Storage is allocated only by prepare(), so push() is real-time safe.

    The users keep the ring longer than the largest block pushed plus the largest delay read
    plus one block.
*/
class CircularBuffer
{
public:
    CircularBuffer() = default;

    /** Sizes the ring (reallocating only when a dimension changes), clears it and restarts
        it at position 0. Not real-time safe.
    */
    void prepare (int numChannels, int numSamples);

    /** Appends the first numSamples samples of every ring channel's counterpart in block.
        The block must have at least as many channels as the ring, and numSamples must not
        exceed the ring length.
    */
    void push (const juce::AudioBuffer<float>& block, int numSamples) noexcept;

    /** Same as push() for a channel array. */
    void push (const float* const* channels, int numBlockChannels, int numSamples) noexcept;

    int getNumChannels() const noexcept { return buffer.getNumChannels(); }
    int getLength() const noexcept { return buffer.getNumSamples(); }
    const float* getReadPointer (int channel) const noexcept { return buffer.getReadPointer (channel); }

    /** The index at which the next pushed block starts. */
    int getWritePosition() const noexcept { return writePosition.load(); }

private:
    juce::AudioBuffer<float> buffer;
    std::atomic<int> writePosition{ 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CircularBuffer)
};
} // namespace vesk::dsp
