#include "vesk/dsp/CircularBuffer.h"

#include <gtest/gtest.h>

namespace
{
using vesk::dsp::CircularBuffer;

juce::AudioBuffer<float> rampBlock (int channels, int samples, float start)
{
    juce::AudioBuffer<float> block (channels, samples);
    for (int c = 0; c < channels; ++c)
        for (int k = 0; k < samples; ++k)
            block.setSample (c, k, start + static_cast<float> (k) + 100.0f * static_cast<float> (c));
    return block;
}

TEST (CircularBuffer, PrepareClearsAndRestarts)
{
    CircularBuffer ring;
    ring.prepare (2, 10);
    ring.push (rampBlock (2, 7, 1.0f), 7);
    ring.prepare (2, 10);

    EXPECT_EQ (ring.getWritePosition(), 0);
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < 10; ++k)
            EXPECT_EQ (ring.getReadPointer (c)[k], 0.0f);
}

TEST (CircularBuffer, PushWrapsAcrossTheEnd)
{
    CircularBuffer ring;
    ring.prepare (2, 10);
    ring.push (rampBlock (2, 7, 1.0f), 7);  // 1 … 7 at [0, 7)
    ring.push (rampBlock (2, 6, 11.0f), 6); // 11 … 13 at [7, 10), 14 … 16 at [0, 3)

    EXPECT_EQ (ring.getWritePosition(), 3);
    const float expected[] = { 14, 15, 16, 4, 5, 6, 7, 11, 12, 13 };
    for (int k = 0; k < 10; ++k)
    {
        EXPECT_EQ (ring.getReadPointer (0)[k], expected[k]) << k;
        EXPECT_EQ (ring.getReadPointer (1)[k], expected[k] + 100.0f) << k;
    }
}

TEST (CircularBuffer, BlockEndingAtTheRingEndLeavesPositionZero)
{
    CircularBuffer ring;
    ring.prepare (1, 12);
    ring.push (rampBlock (1, 8, 0.0f), 8);
    ring.push (rampBlock (1, 4, 0.0f), 4);
    EXPECT_EQ (ring.getWritePosition(), 0);
}

TEST (CircularBuffer, RingWithoutChannelsStillAdvances)
{
    CircularBuffer ring;
    ring.prepare (0, 10);
    juce::AudioBuffer<float> empty (0, 6);
    ring.push (empty, 6);
    ring.push (empty, 6);
    EXPECT_EQ (ring.getWritePosition(), 2);
}
} // namespace
