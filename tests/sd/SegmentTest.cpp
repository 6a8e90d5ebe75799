#include "MeterTestSupport.h"

#include "sd/Segment.h"

#include <gtest/gtest.h>

namespace
{
using namespace sd::SoundMeter;
using sd::SoundMeter::test::decibels;

// The meter rectangle every case lays the bands out in: bands 1, 2, 3 span the rows
// 120 … 220, 40 … 120 and 20 … 40.
const juce::Rectangle<float> meterRect{ 10.0f, 20.0f, 30.0f, 200.0f };

class SegmentGeometry : public ::testing::Test
{
protected:
    SegmentGeometry()
    {
        for (const auto& band : defaultSegmentOptions())
        {
            segments.emplace_back (band, Options());
            segments.back().setMeterBounds (meterRect);
        }

        segments.back().setShowsPeaksAboveRange (true);
    }

    std::vector<Segment> segments;
};

TEST_F (SegmentGeometry, BandsTakeTheirShareOfTheMeter)
{
    const juce::Rectangle<float> expected[] = { { 10.0f, 120.0f, 30.0f, 100.0f },
                                                { 10.0f, 40.0f, 30.0f, 80.0f },
                                                { 10.0f, 20.0f, 30.0f, 20.0f } };

    for (size_t i = 0; i < 3; ++i)
    {
        const auto bounds = segments[i].getBounds();
        EXPECT_FLOAT_EQ (bounds.getX(), expected[i].getX()) << "band " << i + 1;
        EXPECT_FLOAT_EQ (bounds.getWidth(), expected[i].getWidth()) << "band " << i + 1;
        EXPECT_NEAR (bounds.getY(), expected[i].getY(), 1.0e-4f) << "band " << i + 1;
        EXPECT_NEAR (bounds.getHeight(), expected[i].getHeight(), 1.0e-4f) << "band " << i + 1;
    }
}

TEST_F (SegmentGeometry, TickMarksFallIntoTheBandAboveTheirBoundary)
{
    EXPECT_EQ (segments[0].getTickMarks(), (std::vector<float>{ -18.0f, -30.0f, -40.0f, -50.0f }));
    EXPECT_EQ (segments[1].getTickMarks(), (std::vector<float>{ -3.0f, -6.0f, -9.0f, -12.0f }));
    EXPECT_EQ (segments[2].getTickMarks(), (std::vector<float>{ 0.0f }));
}

struct BarCase
{
    size_t band;
    float level;
    float expectedTop;
};

TEST_F (SegmentGeometry, BarTopFollowsTheLevelAndReachesTheBandBottom)
{
    // −6.02 dB (a peak of 0.5) lies 0.2014 of band 2's height below its top.
    const auto halfGain = decibels (0.5f);
    const BarCase cases[] = {
        { 1, halfGain, 40.0f + (1.0f - (halfGain + 18.0f) / 15.0f) * 80.0f },
        { 0, halfGain, 120.0f }, // above band 1: full
        { 2, halfGain, 40.0f },  // below band 3: empty, at its bottom
        { 0, -60.0f, 220.0f },
        { 0, -39.0f, 170.0f },
        { 2, 6.0f, 20.0f },
    };

    for (const auto& c : cases)
    {
        auto& segment = segments[c.band];
        segment.setLevel (c.level);
        const auto bar = segment.getBarBounds();
        EXPECT_NEAR (bar.getY(), c.expectedTop, 1.0e-3f) << "band " << c.band + 1 << " at " << c.level;
        EXPECT_FLOAT_EQ (bar.getBottom(), segment.getBounds().getBottom());
        EXPECT_FLOAT_EQ (bar.getX(), 10.0f);
        EXPECT_FLOAT_EQ (bar.getWidth(), 30.0f);
    }

    EXPECT_NEAR (segments[1].getBarBounds().getY(), 56.1098f, 1.0e-3f);
}

struct PeakCase
{
    size_t band;
    float peak;
    bool shown;
    float expectedTop;
};

TEST_F (SegmentGeometry, PeakLineOnlyInsideItsBandExceptOversAtTheTop)
{
    const auto halfGain = decibels (0.5f);
    const PeakCase cases[] = {
        { 1, halfGain, true, 56.1098f }, { 0, halfGain, false, 0.0f }, { 2, halfGain, false, 0.0f },
        { 2, 0.0f, true, 20.0f },        { 2, 6.0f, true, 20.0f },     { 1, 6.0f, false, 0.0f },
        { 0, -18.0f, true, 120.0f },     { 1, -18.0f, false, 0.0f },   { 0, -60.0f, false, 0.0f },
    };

    for (const auto& c : cases)
    {
        auto& segment = segments[c.band];
        segment.resetPeakHold();
        segment.setLevel (c.peak);
        const auto line = segment.getPeakHoldBounds();
        EXPECT_EQ (!line.isEmpty(), c.shown) << "band " << c.band + 1 << " peak " << c.peak;

        if (c.shown)
        {
            EXPECT_NEAR (line.getY(), c.expectedTop, 1.0e-3f);
            EXPECT_FLOAT_EQ (line.getHeight(), 2.0f);
            EXPECT_FLOAT_EQ (line.getWidth(), 30.0f);
        }
    }
}

TEST_F (SegmentGeometry, PeakHoldKeepsTheHighestLevel)
{
    auto& band2 = segments[1];
    band2.setLevel (-6.0f);
    band2.setLevel (-15.0f);
    EXPECT_FLOAT_EQ (band2.getPeakHoldLevel(), -6.0f);
    EXPECT_FLOAT_EQ (band2.getLevel(), -15.0f);

    band2.resetPeakHold();
    EXPECT_FLOAT_EQ (band2.getPeakHoldLevel(), -96.0f);
    EXPECT_TRUE (band2.getPeakHoldBounds().isEmpty());
}

TEST_F (SegmentGeometry, OnlyAChangedRectangleIsDirty)
{
    auto& band3 = segments[2];
    band3.setLevel (-40.0f);
    band3.takeDirtyArea();

    // Still below the band: the empty bar and the missing peak line stay as they are.
    band3.setLevel (-50.0f);
    EXPECT_FALSE (band3.isDirty());

    auto& band2 = segments[1];
    band2.setLevel (-12.0f);
    band2.takeDirtyArea();
    band2.setLevel (-12.0f);
    EXPECT_FALSE (band2.isDirty());

    band2.setLevel (-9.0f);
    ASSERT_TRUE (band2.isDirty());
    const auto dirty = band2.takeDirtyArea();
    EXPECT_TRUE (dirty.contains (band2.getBarBounds()));
    EXPECT_TRUE (dirty.contains (band2.getPeakHoldBounds()));
    EXPECT_TRUE (band2.getBounds().contains (dirty)) << "nothing outside the band is repainted";
    EXPECT_FALSE (band2.isDirty());
}
} // namespace
