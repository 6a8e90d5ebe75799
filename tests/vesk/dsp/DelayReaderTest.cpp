#include "vesk/dsp/DelayReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
using vesk::dsp::CircularBuffer;
using vesk::dsp::DelayReader;

// A cubic of the absolute sample time: a five-point Lagrange window reproduces it exactly,
// so an interpolated read can be checked against the signal's value at a fractional time.
double signal (double t)
{
    return 0.001 * t + 1.0e-5 * t * t + 1.0e-8 * t * t * t;
}

double roundHalfEven (double x)
{
    const auto down = std::floor (x);
    const auto diff = x - down;
    if (diff > 0.5)
        return down + 1.0;
    if (diff < 0.5)
        return down;
    return std::fmod (down, 2.0) == 0.0 ? down : down + 1.0;
}

/** A one-channel ring fed with signal(t) block by block, t counting every pushed sample. */
class DelayReaderTest : public ::testing::Test
{
protected:
    static constexpr int length = 256;
    static constexpr int blockSize = 16;

    void SetUp() override { ring.prepare (1, length); }

    void pushBlock (int n = blockSize)
    {
        juce::AudioBuffer<float> block (1, n);
        for (int k = 0; k < n; ++k)
            block.setSample (0, k, static_cast<float> (signal (static_cast<double> (written + k))));
        ring.push (block, n);
        written += n;
    }

    void pushBlocks (int count)
    {
        for (int i = 0; i < count; ++i)
            pushBlock();
    }

    std::vector<float> read (DelayReader& reader, int n = blockSize)
    {
        std::vector<float> out (static_cast<size_t> (n), 0.0f);
        reader.process (0, out.data(), n);
        return out;
    }

    // Absolute time of sample k of the block pushed last.
    double timeOf (int k, int n = blockSize) const { return static_cast<double> (written - n + k); }

    CircularBuffer ring;
    int written = 0;
};

TEST_F (DelayReaderTest, DelayZeroReproducesTheLastBlock)
{
    DelayReader reader (ring);
    reader.setGain (1.0f);
    pushBlocks (3);

    const auto out = read (reader);
    for (int k = 0; k < blockSize; ++k)
        EXPECT_EQ (out[(size_t) k], static_cast<float> (signal (timeOf (k))));
}

struct RoundingCase
{
    float delay;
    int blocksPushed;
};

class SteadyRounding : public DelayReaderTest, public ::testing::WithParamInterface<RoundingCase>
{
};

TEST_P (SteadyRounding, ReadsAtTheDelayRoundedHalfToEven)
{
    const auto c = GetParam();
    DelayReader reader (ring);
    reader.setGain (0.5f);
    reader.setDelay (c.delay);
    pushBlocks (c.blocksPushed);

    // The start index is rounded, not the delay: w − n − D, ties to even.
    const auto w = static_cast<double> (written % length);
    const auto start = roundHalfEven (w - (blockSize + static_cast<double> (c.delay)));
    const auto wholeDelay = w - blockSize - start;

    const auto out = read (reader);
    for (int k = 0; k < blockSize; ++k)
        EXPECT_FLOAT_EQ (out[(size_t) k], 0.5f * static_cast<float> (signal (timeOf (k) - wholeDelay))) << k;
}

INSTANTIATE_TEST_SUITE_P (Cases,
                          SteadyRounding,
                          ::testing::Values (RoundingCase{ 10.4f, 5 },    // whole delay 10
                                             RoundingCase{ 10.6f, 5 },    // whole delay 11
                                             RoundingCase{ 10.5f, 5 },    // start 53.5 → 54: delay 10
                                             RoundingCase{ 11.5f, 5 },    // start 52.5 → 52: delay 12
                                             RoundingCase{ 40.0f, 17 })); // read wraps the ring end

TEST_F (DelayReaderTest, DelayRampInterpolatesTwoSamplesLaterAndThenTurnsSteady)
{
    constexpr int rampLength = 24;
    DelayReader reader (ring);
    reader.setGain (1.0f);
    reader.setDelay (20.0f); // no ramp yet: taken at once
    reader.setRampLength (rampLength);
    reader.setDelay (26.5f);
    pushBlocks (10);

    // First block: the delay glides; every read lies two samples behind the steady read.
    ASSERT_TRUE (reader.isRamping());
    auto out = read (reader);
    for (int k = 0; k < blockSize; ++k)
    {
        const auto delay = 20.0 + 6.5 * (k + 1) / rampLength;
        EXPECT_NEAR (out[(size_t) k], signal (timeOf (k) - delay - 2.0), 2.0e-5) << k;
    }

    // Second block: the ramp ends halfway, the path stays interpolating for the whole call.
    pushBlock();
    out = read (reader);
    for (int k = 0; k < blockSize; ++k)
    {
        const auto delay = 20.0 + 6.5 * std::min (k + 1 + blockSize, rampLength) / rampLength;
        EXPECT_NEAR (out[(size_t) k], signal (timeOf (k) - delay - 2.0), 2.0e-5) << k;
    }

    // Third block: no ramp left, so the steady path reads whole samples again.
    EXPECT_FALSE (reader.isRamping());
    pushBlock();
    out = read (reader);
    const auto w = static_cast<double> (written % length);
    const auto whole = w - blockSize - roundHalfEven (w - blockSize - 26.5);
    for (int k = 0; k < blockSize; ++k)
        EXPECT_FLOAT_EQ (out[(size_t) k], static_cast<float> (signal (timeOf (k) - whole))) << k;
}

TEST_F (DelayReaderTest, GainRampIsLinearPerSample)
{
    constexpr int rampLength = 32;
    DelayReader reader (ring);
    reader.setDelay (7.0f);
    reader.setGain (1.0f);
    reader.setRampLength (rampLength);
    reader.setGain (0.0f);
    pushBlocks (6);

    const auto out = read (reader);
    for (int k = 0; k < blockSize; ++k)
    {
        const auto gain = 1.0 - static_cast<double> (k + 1) / rampLength;
        EXPECT_NEAR (out[(size_t) k], gain * signal (timeOf (k) - 7.0 - 2.0), 1.0e-5) << k;
    }
}

TEST_F (DelayReaderTest, RampLengthZeroAppliesTargetsAtOnce)
{
    DelayReader reader (ring);
    reader.setRampLength (0);
    reader.setGain (0.25f);
    reader.setDelay (12.0f);
    EXPECT_FALSE (reader.isRamping());

    pushBlocks (4);
    const auto out = read (reader);
    for (int k = 0; k < blockSize; ++k)
        EXPECT_FLOAT_EQ (out[(size_t) k], 0.25f * static_cast<float> (signal (timeOf (k) - 12.0)));
}

TEST_F (DelayReaderTest, ApproximatelyEqualTargetStartsNoRamp)
{
    DelayReader reader (ring);
    reader.setGain (0.5f);
    reader.setDelay (100.0f);
    reader.setRampLength (100);

    reader.setGain (std::nextafter (0.5f, 1.0f));
    reader.setDelay (std::nextafter (100.0f, 200.0f));
    EXPECT_FALSE (reader.isRamping());

    reader.setGain (0.5001f);
    EXPECT_TRUE (reader.isRamping());
}

TEST_F (DelayReaderTest, WindowBelowIndexFiveEndsOneSampleEarlier)
{
    // Positions just past the ring's start take the window that ends one sample earlier,
    // wrapped to the ring's end: the read lies three samples behind the steady read.
    DelayReader reader (ring);
    reader.setGain (1.0f);
    reader.setRampLength (1000);
    reader.setDelay (0.25f);
    written = 0;
    for (int i = 0; i < length / blockSize; ++i)
        pushBlock(); // the ring is full, write position back at 0
    pushBlock (4);   // write position 4: positions 0.x … 3.x read below index 5

    std::vector<float> out (4, 0.0f);
    reader.process (0, out.data(), 4);
    for (int k = 0; k < 4; ++k)
    {
        // Sample 0 sits just below the ring's end (index 255) and reads as usual.
        const auto delay = 0.25 * (k + 1) / 1000.0;
        const auto behind = k == 0 ? 2.0 : 3.0;
        EXPECT_NEAR (out[(size_t) k], signal (timeOf (k, 4) - delay - behind), 1.0e-4) << k;
    }
}

TEST (DelayReaderEdge, PositionRoundedUpToTheRingLengthStaysInside)
{
    // Channel 1 follows channel 0 in memory: a read one past channel 0's end would see its
    // marker. In single precision 16 − (16 + 0.001) + 131072 rounds to exactly 131072.
    constexpr int length = 131072;
    constexpr int n = 16;
    CircularBuffer ring;
    ring.prepare (2, length);

    juce::AudioBuffer<float> block (2, n);
    block.clear();
    block.setSample (1, n - 1, 1.0e6f); // lands at channel 1, index n − 1 … not at 0
    for (int k = 0; k < n; ++k)
        block.setSample (0, k, static_cast<float> (k + 1));
    ring.push (block, n); // write position 16

    DelayReader reader (ring);
    reader.setGain (1.0f);
    reader.setRampLength (4);
    reader.setDelay (0.004f); // steps 0.001, 0.002, …

    std::vector<float> out (n, 0.0f);
    reader.process (0, out.data(), n);

    // Sample 0 sits at position L (≡ 0) with fraction 0: its value is ring[L − 2], which is 0.
    EXPECT_TRUE (std::isfinite (out[0]));
    EXPECT_NEAR (out[0], 0.0f, 1.0e-6f);
    for (auto v : out)
        EXPECT_LT (std::abs (v), 100.0f);
}
} // namespace
