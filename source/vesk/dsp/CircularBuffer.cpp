#include "vesk/dsp/CircularBuffer.h"

namespace vesk::dsp
{
void CircularBuffer::prepare (int numChannels, int numSamples)
{
    if (buffer.getNumChannels() != numChannels || buffer.getNumSamples() != numSamples)
        buffer.setSize (numChannels, numSamples, false, false, false);

    buffer.clear();
    writePosition.exchange (0);
}

void CircularBuffer::push (const juce::AudioBuffer<float>& block, int numSamples) noexcept
{
    push (block.getArrayOfReadPointers(), block.getNumChannels(), numSamples);
}

void CircularBuffer::push (const float* const* channels, int numBlockChannels, int numSamples) noexcept
{
    const auto length = buffer.getNumSamples();
    const auto start = writePosition.load();
    jassert (numSamples <= length && numBlockChannels >= buffer.getNumChannels());
    juce::ignoreUnused (numBlockChannels);

    const auto first = juce::jmin (numSamples, length - start);
    const auto rest = numSamples - first;

    for (int c = 0; c < buffer.getNumChannels(); ++c)
    {
        auto* ring = buffer.getWritePointer (c, 0);
        juce::FloatVectorOperations::copy (ring + start, channels[c], first);

        if (rest > 0)
            juce::FloatVectorOperations::copy (ring, channels[c] + first, rest);
    }

    const auto next = start + numSamples;
    writePosition.exchange (next < length ? next : next - length);
}
} // namespace vesk::dsp
