#include "helpers/AllocationCounter.h"
#include "tap/TapDelayProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace
{
using CS = juce::AudioChannelSet;
using tap::TapDelayProcessor;

void set (juce::RangedAudioParameter* p, float value)
{
    p->setValueNotifyingHost (p->convertTo0to1 (value));
}

/** A processor prepared for a layout, fed block by block with the whole output kept. */
class Engine
{
public:
    Engine (CS in, CS out, int preparedBlockSize = 512, double sampleRate = 48000.0)
        : blockSize (preparedBlockSize)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (in);
        layout.outputBuses.add (out);
        EXPECT_TRUE (processor.setBusesLayout (layout));
        processor.prepareToPlay (sampleRate, preparedBlockSize);
        numChannels = juce::jmax (in.size(), out.size());
    }

    /** Runs silence until every route's gain and delay glide (0.1 s) has ended. */
    void settle() { run (std::vector<float> ((size_t) (2 * 4800 / blockSize + 1) * (size_t) blockSize, 0.0f)); }

    tap::Tap& tap (int index) { return processor.getTaps()[(size_t) index]; }

    /** Processes `input` (channel 0 of the input, others silent) in host blocks of `block`
        samples, each sent as consecutive calls of at most `call` samples; returns the output.
    */
    juce::AudioBuffer<float> run (const std::vector<float>& input, int block = 0, int call = 0)
    {
        block = block > 0 ? block : blockSize;
        call = call > 0 ? call : block;
        const auto total = static_cast<int> (input.size());
        juce::AudioBuffer<float> result (numChannels, total);

        for (int blockStart = 0; blockStart < total; blockStart += block)
        {
            const auto blockEnd = juce::jmin (blockStart + block, total);
            for (int start = blockStart; start < blockEnd; start += call)
                processInto (result, input, start, juce::jmin (call, blockEnd - start));
        }

        return result;
    }

    void processInto (juce::AudioBuffer<float>& result, const std::vector<float>& input, int start, int n)
    {
        juce::AudioBuffer<float> buffer (numChannels, n);
        buffer.clear();
        for (int k = 0; k < n; ++k)
            buffer.setSample (0, k, input[(size_t) (start + k)]);

        processor.processBlock (buffer, midi);

        for (int c = 0; c < numChannels; ++c)
            result.copyFrom (c, start, buffer, c, 0, n);
    }

    TapDelayProcessor processor;
    juce::MidiBuffer midi;
    int blockSize;
    int numChannels;
};

std::vector<float> impulse (int length, int at = 0, float value = 1.0f)
{
    std::vector<float> v ((size_t) length, 0.0f);
    v[(size_t) at] = value;
    return v;
}

std::vector<float> noise (int length, int seed = 1)
{
    juce::Random random (seed);
    std::vector<float> v ((size_t) length);
    for (auto& s : v)
        s = random.nextFloat() * 2.0f - 1.0f;
    return v;
}

bool isSilent (const juce::AudioBuffer<float>& b)
{
    for (int c = 0; c < b.getNumChannels(); ++c)
        if (b.getMagnitude (c, 0, b.getNumSamples()) != 0.0f)
            return false;
    return true;
}

//==================================================================================================
TEST (TapEngine, FreshInstanceIsSilent)
{
    Engine e (CS::mono(), CS::create7point1point4());
    EXPECT_TRUE (isSilent (e.run (noise (4096))));
}

TEST (TapEngine, InactiveTapsAreSilentAndRecordSilence)
{
    Engine e (CS::mono(), CS::stereo());
    for (int k = 0; k < 16; ++k)
    {
        set (e.tap (k).inputs[0].gain, 0.0f);
        e.tap (k).active->setValueNotifyingHost (0.0f);
    }

    EXPECT_TRUE (isSilent (e.run (noise (2048))));
    for (int k = 0; k < 16; ++k)
    {
        const auto& h = e.tap (k).getHistory();
        for (int i = 0; i < h.getLength(); ++i)
            ASSERT_EQ (h.getReadPointer (0)[i], 0.0f);
        EXPECT_EQ (e.tap (k).level.load(), 0.0f);
    }
}

TEST (TapEngine, InputRouteWithoutDelayHasNoLatency)
{
    Engine e (CS::mono(), CS::create7point1point4());
    set (e.tap (0).inputs[0].gain, 0.0f);
    set (e.tap (0).x, 0.4f);
    set (e.tap (0).y, -0.3f);
    set (e.tap (0).z, 0.6f);

    e.settle();
    const auto input = noise (1024);
    const auto out = e.run (input);
    const auto gains = e.tap (0).getPanner().getGains();

    for (int c = 0; c < 12; ++c)
        for (int k = 0; k < 1024; k += 37)
            EXPECT_FLOAT_EQ (out.getSample (c, k), gains[(size_t) c] * input[(size_t) k]) << c << " " << k;
}

struct DelayCase
{
    const char* name;
    int kind; // 0 input route of tap A, 1 matrix route of B from A, 2 feedback route of A
    float milliseconds;
    int expectedDelay;
};

void PrintTo (const DelayCase& c, std::ostream* os)
{
    *os << c.name;
}

class RouteDelay : public ::testing::TestWithParam<DelayCase>
{
};

TEST_P (RouteDelay, MatrixAndFeedbackAddOneBlock)
{
    const auto c = GetParam();
    Engine e (CS::mono(), CS::stereo());
    auto& a = e.tap (0);
    auto& b = e.tap (1);
    set (a.x, -1.0f); // A fully left
    set (b.x, 1.0f);  // B fully right

    const auto input = impulse (8192);

    switch (c.kind)
    {
        case 0:
            set (a.inputs[0].gain, 0.0f);
            set (a.inputs[0].time, c.milliseconds);
            break;
        case 1:
            set (a.inputs[0].gain, 0.0f);
            set (a.output, -100.0f);
            set (b.matrix[0].gain, 0.0f);
            set (b.matrix[0].time, c.milliseconds);
            break;
        default:
            set (a.inputs[0].gain, 0.0f);
            set (b.feedback[0].gain, 0.0f); // B hears output channel 0, where A sits
            set (b.feedback[0].time, c.milliseconds);
            break;
    }

    e.settle();
    const auto out = e.run (input);
    const auto channel = c.kind == 0 ? 0 : 1;
    for (int k = 0; k < out.getNumSamples(); ++k)
    {
        if (k != c.expectedDelay)
        {
            ASSERT_EQ (out.getSample (channel, k), 0.0f) << c.name << " sample " << k;
        }
    }
    EXPECT_FLOAT_EQ (out.getSample (channel, c.expectedDelay), 1.0f) << c.name;
}

INSTANTIATE_TEST_SUITE_P (Cases,
                          RouteDelay,
                          ::testing::Values (DelayCase{ "input 0 ms", 0, 0.0f, 0 },
                                             DelayCase{ "input 10 ms", 0, 10.0f, 480 },
                                             DelayCase{ "matrix 1 ms", 1, 1.0f, 48 + 512 },
                                             DelayCase{ "feedback 10 ms", 2, 10.0f, 480 + 512 }));

TEST (TapEngine, FeedbackRouteOfIndexOneFeedsChannelOneBack)
{
    Engine e (CS::stereo(), CS::stereo());
    auto& a = e.tap (0);
    set (a.inputs[0].gain, 0.0f);
    set (a.feedback[1].gain, 0.0f);
    set (a.feedback[1].time, 10.0f);

    e.settle();
    const auto out = e.run (impulse (4096));
    const auto g = a.getPanner().getGains();
    const int loop = 480 + 512;

    for (int c = 0; c < 2; ++c)
    {
        EXPECT_FLOAT_EQ (out.getSample (c, 0), g[(size_t) c]);
        EXPECT_FLOAT_EQ (out.getSample (c, loop), g[(size_t) c] * g[1]);
        EXPECT_FLOAT_EQ (out.getSample (c, 2 * loop), g[(size_t) c] * g[1] * g[1]);
        EXPECT_EQ (out.getSample (c, loop - 1), 0.0f);
    }
}

TEST (TapEngine, OutputGainRampsLinearlyOverOneBlock)
{
    Engine e (CS::mono(), CS::stereo(), 64);
    auto& a = e.tap (0);
    set (a.inputs[0].gain, 0.0f);
    set (a.x, -1.0f);

    e.settle();
    std::vector<float> dc (64, 0.5f);
    e.run (dc);
    set (a.output, -100.0f);
    const auto ramp = e.run (dc);
    const auto after = e.run (dc);

    for (int k = 0; k < 64; ++k)
        EXPECT_FLOAT_EQ (ramp.getSample (0, k), 0.5f * (1.0f - k / 64.0f)) << k;
    EXPECT_TRUE (isSilent (after));
}

TEST (TapEngine, TapLevelFallsPerBlockAndIsZeroWhenInactive)
{
    Engine e (CS::mono(), CS::stereo(), 128);
    auto& a = e.tap (0);
    set (a.inputs[0].gain, 0.0f);
    e.settle();

    e.run (impulse (128, 5, 0.8f));
    EXPECT_FLOAT_EQ (a.level.load(), 0.8f);

    e.run (std::vector<float> (128 * 3, 0.0f));
    EXPECT_NEAR (a.level.load(), 0.8f * std::pow (0.995f, 3.0f), 1.0e-6f);

    e.run (impulse (128, 0, 3.0f));
    EXPECT_EQ (a.level.load(), 1.0f); // limited to 1

    a.active->setValueNotifyingHost (0.0f);
    e.run (std::vector<float> (128, 0.0f));
    EXPECT_EQ (a.level.load(), 0.0f);
}

TEST (TapEngine, LevelCellsKeepThePeakUntilRead)
{
    Engine e (CS::mono(), CS::stereo(), 128);
    set (e.tap (0).inputs[0].gain, 0.0f);
    set (e.tap (0).x, -1.0f);
    auto& cells = e.processor.getOutputLevels();
    e.settle();

    e.run (impulse (128, 10, 0.5f));
    e.run (std::vector<float> (512, 0.0f));
    EXPECT_FLOAT_EQ (cells[0].exchange (0.0f), 0.5f);
    EXPECT_EQ (cells[1].exchange (0.0f), 0.0f);

    e.run (std::vector<float> (128, 0.0f));
    EXPECT_EQ (cells[0].exchange (0.0f), 0.0f);
}

TEST (TapEngine, ShortBlockAdvancesTheRingsByItsLength)
{
    Engine e (CS::mono(), CS::stereo(), 512);
    set (e.tap (0).inputs[0].gain, 0.0f);
    e.run (noise (100), 100);
    EXPECT_EQ (e.processor.getInputHistory().getWritePosition(), 100);
    EXPECT_EQ (e.processor.getFeedbackHistory().getWritePosition(), 100);
    EXPECT_EQ (e.tap (0).getHistory().getWritePosition(), 100);
}

/** Routes of every kind with distinct times, for tests that need the whole engine busy. */
void routeEverything (TapDelayProcessor& p, bool feedbackToo)
{
    for (int k = 0; k < 16; ++k)
    {
        auto& t = p.getTaps()[(size_t) k];
        set (t.inputs[0].gain, -6.0f);
        set (t.inputs[0].time, 3.0f * (float) k);
        set (t.matrix[(size_t) ((k + 1) % 16)].gain, -12.0f);
        set (t.matrix[(size_t) ((k + 1) % 16)].time, 5.0f + (float) k);
        if (feedbackToo)
        {
            set (t.feedback[(size_t) (k % 2)].gain, -9.0f);
            set (t.feedback[(size_t) (k % 2)].time, 7.0f + 2.0f * (float) k);
        }
        set (t.x, (float) k / 8.0f - 1.0f);
    }
}

TEST (TapEngine, LongBlocksRunAsChunksOfThePreparedSize)
{
    Engine chunked (CS::mono(), CS::create5point1(), 128);
    Engine whole (CS::mono(), CS::create5point1(), 128);
    routeEverything (chunked.processor, true);
    routeEverything (whole.processor, true);

    const auto input = noise (48000);
    const auto a = chunked.run (input, 1000, 128); // the host itself sends 7 × 128 + 104
    const auto b = whole.run (input, 1000);

    for (int c = 0; c < a.getNumChannels(); ++c)
        for (int k = 0; k < a.getNumSamples(); ++k)
            ASSERT_EQ (a.getSample (c, k), b.getSample (c, k)) << c << " " << k;
    EXPECT_GT (a.getMagnitude (0, 0, a.getNumSamples()), 0.01f);
}

TEST (TapEngine, ANonFiniteSampleLeavesTheRingsWithFeedbackOn)
{
    Engine e (CS::mono(), CS::stereo(), 512);
    routeEverything (e.processor, true);

    auto input = noise (48000 * 5);
    input[1000] = std::numeric_limits<float>::quiet_NaN();
    input[1001] = std::numeric_limits<float>::infinity();
    const auto out = e.run (input);

    const auto clearAfter = 1002 + 48000 * 3 + 2 * 512;
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < out.getNumSamples(); ++k)
        {
            if (k >= clearAfter || k < 1000)
            {
                ASSERT_TRUE (std::isfinite (out.getSample (c, k))) << c << " " << k;
            }
        }
}

TEST (TapEngine, FiniteSamplesPassBitForBit)
{
    Engine e (CS::mono(), CS::stereo(), 64);
    set (e.tap (0).inputs[0].gain, 0.0f);
    set (e.tap (0).x, -1.0f);

    e.settle();
    std::vector<float> input{ 3.0e38f, -3.0e38f, 1.0e-30f, -0.0f, 0.123456789f, -1.5f };
    input.resize (64, 0.25f);
    const auto out = e.run (input);
    for (int k = 0; k < 64; ++k)
        EXPECT_EQ (out.getSample (0, k), input[(size_t) k]) << k;
}

//==================================================================================================
struct LayoutUnderTest
{
    CS in, out;
};

TEST (TapEngineRealTime, ProcessingAllocatesNothing)
{
    const std::vector<LayoutUnderTest> layouts{
        { CS::mono(), CS::create7point1point4() },
        { CS::stereo(), CS::stereo() },
        { CS::mono(), CS::quadraphonic() },
        { CS::create5point1(), CS::create5point1() },
        { CS::stereo(), CS::create7point1() },
        { CS::mono(), CS::create9point1point6() },
        { CS::create7point1point4(), CS::create7point1point4() },
    };

    for (const auto& l : layouts)
    {
        Engine e (l.in, l.out, 256);
        routeEverything (e.processor, true);
        e.tap (3).active->setValueNotifyingHost (0.0f);

        juce::AudioBuffer<float> buffer (e.numChannels, 256 * 3);
        long allocations = 0;

        for (int block = 0; block < 24; ++block)
        {
            // Automation between blocks keeps every reader's ramp running.
            set (e.tap (block % 16).inputs[0].time, 10.0f * (float) block);
            set (e.tap ((block + 5) % 16).matrix[2].gain, block % 2 == 0 ? -100.0f : -3.0f);
            set (e.tap ((block + 7) % 16).output, -(float) block);
            set (e.tap ((block + 9) % 16).y, (float) (block % 3) - 1.0f);

            const auto n = block % 3 == 0 ? 256 * 3 : 100 + block; // long and short blocks
            for (int c = 0; c < e.numChannels; ++c)
                for (int k = 0; k < n; ++k)
                    buffer.setSample (c, k, std::sin (0.01f * (float) (k + block)));
            juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), e.numChannels, 0, n);

            testing_helpers::AllocationCounter counter;
            e.processor.processBlock (view, e.midi);
            allocations += counter.count();
        }

        EXPECT_EQ (allocations, 0) << l.out.getDescription();
    }
}
} // namespace
