#include "MeterTestSupport.h"

#include "sd/MeterChannel.h"

#include <gtest/gtest.h>

namespace
{
using namespace sd::SoundMeter;
using namespace sd::SoundMeter::test;

// A 40 × 250 channel: header rows 0 … 25, meter (1, 25, 38, 200), value rows 225 … 250.
// Band 2 then spans rows 45 … 125.
class MeterChannelFixture : public ::testing::Test
{
protected:
    explicit MeterChannelFixture (const Options& options = {})
        : channel (options, defaultSegmentOptions())
    {
        channel.setClock (clock.function());
        channel.setVisible (true);
        channel.setSize (40, 250);
    }

    void feed (float peak, juce::uint32 atMs)
    {
        channel.setInputLevel (peak);
        clock.now = atMs;
        channel.refresh (false);
    }

    ManualClock clock;
    MeterChannel channel;
};

//==============================================================================================
struct LayoutCase
{
    int width, height;
    bool headerEnabled, minimal;
    juce::Rectangle<int> header, meter, value;
};

TEST (MeterChannelLayout, HeaderMeterAndValueAreas)
{
    const LayoutCase cases[] = {
        { 40, 250, true, false, { 0, 0, 40, 25 }, { 1, 25, 38, 200 }, { 0, 225, 40, 25 } },
        { 40, 250, true, true, {}, { 1, 0, 38, 250 }, {} },
        { 40, 250, false, false, {}, { 1, 0, 38, 225 }, { 0, 225, 40, 25 } },
        { 40, 20, true, false, { 0, 0, 40, 20 }, { 1, 20, 38, 0 }, { 0, 20, 40, 0 } },
    };

    for (const auto& c : cases)
    {
        Options options;
        options.headerEnabled = c.headerEnabled;
        MeterChannel channel (options, defaultSegmentOptions());
        channel.setMinimalMode (c.minimal);
        channel.setSize (c.width, c.height);

        EXPECT_EQ (channel.getHeaderBounds(), c.header) << c.width << "x" << c.height;
        EXPECT_EQ (channel.getMeterBounds(), c.meter) << c.width << "x" << c.height;
        EXPECT_EQ (channel.getValueBounds(), c.value) << c.width << "x" << c.height;
    }
}

//==============================================================================================
TEST_F (MeterChannelFixture, FullScaleThenSilenceFallsTwentyDecibelsPerSecondToTheFloor)
{
    feed (1.0f, 1000);
    EXPECT_FLOAT_EQ (channel.getLevel(), 0.0f);

    const struct
    {
        juce::uint32 atMs;
        float level;
    } steps[] = { { 2000, -20.0f }, { 3000, -40.0f }, { 4000, -60.0f },
                  { 5000, -80.0f }, { 6000, -96.0f }, { 9000, -96.0f } };

    for (const auto& step : steps)
    {
        feed (0.0f, step.atMs);
        EXPECT_NEAR (channel.getLevel(), step.level, 1.0e-3f) << "at " << step.atMs << " ms";
        EXPECT_FLOAT_EQ (channel.getPeakHoldLevel(), 0.0f) << "the peak hold stays";
    }
}

TEST_F (MeterChannelFixture, RiseIsInstant)
{
    feed (0.0f, 1000);
    feed (0.5f, 1001);
    EXPECT_NEAR (channel.getLevel(), decibels (0.5f), 1.0e-4f);
    EXPECT_NEAR (channel.getLevel(), -6.0206f, 1.0e-3f);
}

TEST_F (MeterChannelFixture, TwoHandOversBetweenRefreshesShowTheLarger)
{
    const std::pair<float, float> orders[] = { { 0.25f, 0.5f }, { 0.5f, 0.25f } };

    for (const auto& [first, second] : orders)
    {
        MeterChannel meter;
        ManualClock meterClock;
        meter.setClock (meterClock.function());
        meter.setVisible (true);
        meter.setSize (40, 250);

        meter.setInputLevel (first);
        meter.setInputLevel (second);
        meter.refresh (false);
        EXPECT_NEAR (meter.getLevel(), -6.0206f, 1.0e-3f) << first << " then " << second;
    }
}

TEST_F (MeterChannelFixture, AHandOverAfterARefreshReplacesTheLastOne)
{
    feed (0.5f, 1000);
    channel.setInputLevel (0.1f); // −20 dB: a fall, not held at −6 dB
    clock.now = 1100;
    channel.refresh (false);
    EXPECT_NEAR (channel.getLevel(), -6.0206f - 2.0f, 1.0e-3f);
}

TEST_F (MeterChannelFixture, UnusableInputReadsAsSilenceOrTheCeiling)
{
    feed (std::numeric_limits<float>::quiet_NaN(), 1000);
    EXPECT_FLOAT_EQ (channel.getLevel(), -96.0f);

    // An infinite peak must not freeze the level at infinity: it still falls afterwards.
    feed (std::numeric_limits<float>::infinity(), 1001);
    feed (0.0f, 2001);
    EXPECT_TRUE (std::isfinite (channel.getLevel()));
    EXPECT_LT (channel.getLevel(), 100.0f);
}

TEST (MeterChannelBallistics, DecayTimeIsClampedTo100To8000Milliseconds)
{
    const struct
    {
        float decayTime;
        juce::uint32 elapsed;
        float expected;
    } cases[] = { { 50.0f, 50, -30.0f }, { 1500.0f, 500, -20.0f }, { 20000.0f, 4000, -30.0f } };

    for (const auto& c : cases)
    {
        Options options;
        options.decayTime = c.decayTime;
        ManualClock clock;
        MeterChannel channel (options, defaultSegmentOptions());
        channel.setClock (clock.function());
        channel.setVisible (true);
        channel.setSize (40, 250);

        channel.setInputLevel (1.0f);
        channel.refresh (false);
        channel.setInputLevel (0.0f);
        clock.now += c.elapsed;
        channel.refresh (false);
        EXPECT_NEAR (channel.getLevel(), c.expected, 1.0e-3f) << "decay time " << c.decayTime;
    }
}

//==============================================================================================
TEST_F (MeterChannelFixture, RefreshRepaintsOnlyWhatChanged)
{
    feed (0.5f, 1000);
    channel.setInputLevel (0.5f);
    EXPECT_TRUE (channel.refresh (false).isEmpty()) << "nothing changed";

    channel.setInputLevel (0.0f);
    clock.now = 1100; // −8.02 dB: still inside band 2
    const auto area = channel.refresh (false);
    ASSERT_FALSE (area.isEmpty());
    EXPECT_GE (area.getY(), 45) << "band 3 and the header are left alone";
    EXPECT_LE (area.getBottom(), 125) << "band 1 and the value area are left alone";

    EXPECT_EQ (channel.refresh (true), channel.getLocalBounds());
}

TEST_F (MeterChannelFixture, ANewPeakHoldRepaintsTheValueArea)
{
    channel.setInputLevel (0.5f);
    const auto area = channel.refresh (false);
    EXPECT_TRUE (area.contains (channel.getValueBounds()));
    EXPECT_EQ (channel.getValueText(), "-6.02");
}

TEST_F (MeterChannelFixture, AChannelWithoutSizeOrHiddenDoesNotRefresh)
{
    channel.setSize (0, 0);
    channel.setInputLevel (1.0f);
    EXPECT_TRUE (channel.refresh (true).isEmpty());
    EXPECT_FLOAT_EQ (channel.getLevel(), -96.0f);

    channel.setSize (40, 250);
    channel.setVisible (false);
    EXPECT_TRUE (channel.refresh (true).isEmpty());
    EXPECT_FLOAT_EQ (channel.getLevel(), -96.0f);

    channel.setVisible (true);
    channel.refresh (false);
    EXPECT_FLOAT_EQ (channel.getLevel(), 0.0f) << "the hand-over waited for the next refresh";
}

TEST (MeterChannelValue, PeakHoldValueText)
{
    const struct
    {
        float gain;
        const char* text;
    } cases[] = { { 1.0f, "0.00" }, { 0.5f, "-6.02" }, { 0.1f, "-20.0" }, { 0.3f, "-10.5" }, { 1.0e-4f, "" } };

    for (const auto& c : cases)
    {
        MeterChannel channel;
        channel.setVisible (true);
        channel.setSize (40, 250);
        channel.setInputLevel (c.gain);
        channel.refresh (false);
        EXPECT_EQ (channel.getValueText(), c.text) << c.gain;
    }
}

//==============================================================================================
class MeterChannelPixels : public MeterChannelFixture
{
protected:
    static Options plainBars()
    {
        Options options;
        options.tickMarksEnabled = false;
        options.showPeakHold = false;
        return options;
    }

    MeterChannelPixels()
        : MeterChannelFixture (plainBars())
    {
    }
};

TEST_F (MeterChannelPixels, HalfGainBarTopLandsAtRow61InBand2)
{
    feed (0.5f, 1000);

    // Band 2 spans rows 45 … 125; the bar top lies (1 − (−6.0206 + 18) / 15) × 80 = 16.11 rows below its top.
    const auto image = snapshot (channel);
    const auto black = juce::Colour (0xff000000);
    EXPECT_EQ (image.getPixelAt (20, 60), black);

    // The gradient runs from green at row 125 to yellow at row 45; row 62's centre lies 0.78125 of the way up.
    const auto t = (125.0f - 62.5f) / 80.0f;
    const auto expected = juce::Colour ((juce::uint8) juce::roundToInt (255.0f * t),
                                        (juce::uint8) juce::roundToInt (128.0f + 127.0f * t),
                                        (juce::uint8) 0);
    EXPECT_TRUE (coloursClose (image.getPixelAt (20, 62), expected, 3)) << image.getPixelAt (20, 62).toString();

    const auto partial = image.getPixelAt (20, 61); // 89 % covered
    EXPECT_GT (partial.getRed(), 150);
    EXPECT_LT (partial.getRed(), image.getPixelAt (20, 62).getRed());

    EXPECT_TRUE (coloursClose (image.getPixelAt (20, 200), juce::Colour (0xff008000))) << "band 1 full";
    EXPECT_EQ (image.getPixelAt (20, 35), black) << "band 3 empty";
    EXPECT_EQ (image.getPixelAt (0, 100).getAlpha(), 0) << "a margin keeps neighbouring bars apart";
}

//==============================================================================================
TEST_F (MeterChannelFixture, PeakLineStaysUntilDoubleClickOnTheMeter)
{
    feed (1.0f, 1000);
    for (juce::uint32 t = 2000; t <= 8000; t += 1000)
        feed (0.0f, t);

    const auto red = juce::Colour (0xffff0000);
    EXPECT_EQ (snapshot (channel).getPixelAt (20, 26), red) << "0 dB line on the meter's top rows";

    doubleClick (channel, { 20.0f, 10.0f }); // the header
    doubleClick (channel, { 20.0f, 100.0f }, juce::ModifierKeys::rightButtonModifier);
    EXPECT_FLOAT_EQ (channel.getPeakHoldLevel(), 0.0f);

    doubleClick (channel, { 20.0f, 100.0f });
    EXPECT_FLOAT_EQ (channel.getPeakHoldLevel(), -96.0f);
    EXPECT_NE (snapshot (channel).getPixelAt (20, 26), red);
    EXPECT_EQ (channel.getValueText(), "");
}

TEST_F (MeterChannelFixture, AnOverKeepsItsPeakLineAtTheTop)
{
    feed (2.0f, 1000); // +6.02 dB
    EXPECT_EQ (snapshot (channel).getPixelAt (20, 26), juce::Colour (0xffff0000));
    EXPECT_EQ (channel.getValueText(), "6.02");
}

TEST_F (MeterChannelFixture, PointerOverTheMeterOffersToClearThePeakHold)
{
    channel.mouseMove (makeMouseEvent (channel, { 20.0f, 100.0f }, {}, 0));
    EXPECT_EQ (channel.getTooltip(), "Double click to clear peak hold.");
    EXPECT_EQ (channel.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::PointingHandCursor));

    channel.mouseMove (makeMouseEvent (channel, { 20.0f, 10.0f }, {}, 0));
    EXPECT_EQ (channel.getTooltip(), "");
    EXPECT_EQ (channel.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));
}
} // namespace
