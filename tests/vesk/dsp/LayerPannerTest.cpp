#include "vesk/dsp/LayerPanner.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <utility>

namespace
{
using CS = juce::AudioChannelSet;
using vesk::dsp::LayerPanner;
using vesk::dsp::SpeakerLayout;

constexpr float tolerance = 1.0e-6f;
constexpr float root2 = 0.70710678f; // sin (pi / 4)

CS setOf (std::initializer_list<CS::ChannelType> types)
{
    CS set;
    for (auto type : types)
        set.addChannel (type);
    return set;
}

// Layouts whose geometry matters here; channel order is always taken from the set.
CS lfeWithoutCentre()
{
    return setOf ({ CS::left, CS::right, CS::LFE });
}
CS quadWithBothLfes()
{
    return setOf ({ CS::left, CS::right, CS::LFE, CS::leftSurround, CS::rightSurround, CS::LFE2 });
}
CS withBottomLayer()
{
    return setOf ({ CS::left, CS::right, CS::bottomFrontLeft, CS::bottomFrontCentre, CS::bottomFrontRight });
}
CS withProximity()
{
    return setOf ({ CS::left, CS::right, CS::proximityLeft });
}

/** Expected gains by channel type; every channel not listed expects 0. */
using Expected = std::vector<std::pair<CS::ChannelType, float>>;

float expectedFor (const Expected& expected, CS::ChannelType type)
{
    for (const auto& [t, gain] : expected)
        if (t == type)
            return gain;
    return 0.0f;
}

LayerPanner pannerFor (const CS& set, float x, float y, float z)
{
    LayerPanner panner;
    panner.prepare (SpeakerLayout{ set });
    panner.setPosition (x, y, z);
    return panner;
}

//==============================================================================================
struct PositionCase
{
    const char* name;
    CS (*set)();
    float x, y, z;
    Expected gains;
};

void PrintTo (const PositionCase& c, std::ostream* os)
{
    *os << c.name;
}

class LayerPannerGains : public ::testing::TestWithParam<PositionCase>
{
};

TEST_P (LayerPannerGains, AtAPosition)
{
    const auto& c = GetParam();
    const auto set = c.set();
    const auto panner = pannerFor (set, c.x, c.y, c.z);

    ASSERT_EQ (panner.getNumGains(), set.size());
    for (int i = 0; i < set.size(); ++i)
    {
        const auto type = set.getTypeOfChannel (i);
        EXPECT_NEAR (panner.getGains()[static_cast<size_t> (i)], expectedFor (c.gains, type), tolerance)
            << CS::getChannelTypeName (type);
    }
}

INSTANTIATE_TEST_SUITE_P (
    Layouts,
    LayerPannerGains,
    ::testing::Values (
        PositionCase{ "stereoCentre", &CS::stereo, 0.0f, 0.0f, 0.0f, { { CS::left, root2 }, { CS::right, root2 } } },
        PositionCase{ "stereoLeft", &CS::stereo, -1.0f, 0.0f, 0.0f, { { CS::left, 1.0f } } },
        PositionCase{ "stereoIgnoresZ", &CS::stereo, 0.0f, 0.0f, 1.0f, { { CS::left, root2 }, { CS::right, root2 } } },
        PositionCase{ "stereoRightRear", &CS::stereo, 1.0f, -1.0f, 0.5f, { { CS::right, 1.0f } } },
        PositionCase{ "fiveOneFrontCentre", &CS::create5point1, 0.0f, 1.0f, 0.0f, { { CS::centre, 1.0f } } },
        PositionCase{ "fiveOneMiddle",
                      &CS::create5point1,
                      0.0f,
                      0.0f,
                      0.0f,
                      { { CS::centre, root2 }, { CS::leftSurround, 0.5f }, { CS::rightSurround, 0.5f } } },
        PositionCase{ "fiveOneLeftRear", &CS::create5point1, -1.0f, -1.0f, 0.0f, { { CS::leftSurround, 1.0f } } },
        PositionCase{ "fiveOneBehindTheRearRow",
                      &CS::create5point1,
                      0.0f,
                      -3.0f,
                      0.0f,
                      { { CS::leftSurround, root2 }, { CS::rightSurround, root2 } } },
        PositionCase{ "sevenOneFourHalfHeight",
                      &CS::create7point1point4,
                      0.0f,
                      1.0f,
                      0.5f,
                      { { CS::centre, root2 }, { CS::topFrontLeft, 0.5f }, { CS::topFrontRight, 0.5f } } },
        PositionCase{ "sevenOneFourEarLevel", &CS::create7point1point4, 0.0f, 1.0f, 0.0f, { { CS::centre, 1.0f } } },
        PositionCase{ "sevenOneFourTop", &CS::create7point1point4, 1.0f, -1.0f, 1.0f, { { CS::topRearRight, 1.0f } } },
        PositionCase{ "sevenOneFourTopMiddle",
                      &CS::create7point1point4,
                      0.0f,
                      0.0f,
                      1.0f,
                      { { CS::topFrontLeft, 0.5f },
                        { CS::topFrontRight, 0.5f },
                        { CS::topRearLeft, 0.5f },
                        { CS::topRearRight, 0.5f } } },
        PositionCase{ "sevenOneFourBetweenRows",
                      &CS::create7point1point4,
                      -1.0f,
                      0.5f,
                      0.0f,
                      { { CS::left, root2 }, { CS::leftSurroundSide, root2 } } },
        PositionCase{
            "sevenOneFourOutside", &CS::create7point1point4, -3.0f, -3.0f, 0.0f, { { CS::leftSurroundRear, 1.0f } } },
        PositionCase{ "lfeWithoutCentreFrontCentre",
                      &lfeWithoutCentre,
                      0.0f,
                      1.0f,
                      0.0f,
                      { { CS::left, root2 }, { CS::right, root2 } } },
        PositionCase{
            "bothLfesWithoutCentreMiddle",
            &quadWithBothLfes,
            0.0f,
            0.0f,
            0.0f,
            { { CS::left, 0.5f }, { CS::right, 0.5f }, { CS::leftSurround, 0.5f }, { CS::rightSurround, 0.5f } } },
        PositionCase{
            "bottomLayerSilent", &withBottomLayer, 0.0f, 1.0f, 0.0f, { { CS::left, root2 }, { CS::right, root2 } } },
        PositionCase{ "bottomLayerSilentLeft", &withBottomLayer, -1.0f, 1.0f, 0.0f, { { CS::left, 1.0f } } },
        PositionCase{ "secondSpeakerAtOnePlaceSilent", &withProximity, -1.0f, 1.0f, 0.0f, { { CS::left, 1.0f } } }),
    [] (const auto& testInfo) { return std::string (testInfo.param.name); });

//==============================================================================================
// LFE channels and the bottom layer never get a share of the panned signal.
bool isSilent (CS::ChannelType type)
{
    const auto bottom = type >= CS::bottomFrontLeft && type <= CS::bottomRearRight && type != CS::proximityLeft
        && type != CS::proximityRight;
    return type == CS::LFE || type == CS::LFE2 || bottom;
}

// With the sine law every crossfade keeps the power, wherever the position is.
struct LayoutCase
{
    const char* name;
    CS (*set)();
};

void PrintTo (const LayoutCase& c, std::ostream* os)
{
    *os << c.name;
}

class LayerPannerPower : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P (LayerPannerPower, IsPreservedAndLfeStaysSilent)
{
    const auto set = GetParam().set();
    LayerPanner panner;
    panner.prepare (SpeakerLayout{ set });

    for (auto z : { 0.0f, 0.25f, 0.5f, 1.0f })
        for (int yi = -6; yi <= 6; ++yi)
            for (int xi = -6; xi <= 6; ++xi)
            {
                const auto x = 0.2f * static_cast<float> (xi);
                const auto y = 0.2f * static_cast<float> (yi);
                panner.setPosition (x, y, z);

                auto power = 0.0f;
                for (int i = 0; i < set.size(); ++i)
                {
                    const auto gain = panner.getGains()[static_cast<size_t> (i)];
                    const auto type = set.getTypeOfChannel (i);
                    EXPECT_GE (gain, 0.0f);
                    if (isSilent (type))
                    {
                        EXPECT_EQ (gain, 0.0f) << CS::getChannelTypeName (type);
                    }
                    power += gain * gain;
                }

                EXPECT_NEAR (power, 1.0f, 1.0e-5f) << "at " << x << ", " << y << ", " << z;
            }
}

INSTANTIATE_TEST_SUITE_P (Layouts,
                          LayerPannerPower,
                          ::testing::Values (LayoutCase{ "stereo", &CS::stereo },
                                             LayoutCase{ "fiveOne", &CS::create5point1 },
                                             LayoutCase{ "sevenOneFour", &CS::create7point1point4 },
                                             LayoutCase{ "sevenOneSdds", &CS::create7point1SDDS },
                                             LayoutCase{ "nineOneSix", &CS::create9point1point6 },
                                             LayoutCase{ "lfeWithoutCentre", &lfeWithoutCentre },
                                             LayoutCase{ "bothLfesWithoutCentre", &quadWithBothLfes },
                                             LayoutCase{ "withBottomLayer", &withBottomLayer }),
                          [] (const auto& testInfo) { return std::string (testInfo.param.name); });

//==============================================================================================
TEST (LayerPanner, StartsPreparedForStereo)
{
    const LayerPanner panner;

    ASSERT_EQ (panner.getNumGains(), 2);
    EXPECT_NEAR (panner.getGains()[0], 0.70710677f, tolerance);
    EXPECT_NEAR (panner.getGains()[1], 0.70710677f, tolerance);
    EXPECT_EQ (panner.getLfeIndex(), -1);
    EXPECT_EQ (panner.getLaw(), 1);
}

TEST (LayerPanner, PrepareRebuildsAndRecomputesAtTheStoredPosition)
{
    LayerPanner panner;
    panner.setPosition (-1.0f, 0.0f, 0.0f);

    const SpeakerLayout fiveOne{ CS::create5point1() };
    panner.prepare (fiveOne);

    ASSERT_EQ (panner.getNumGains(), 6);
    const auto& set = fiveOne.channelSet;
    EXPECT_EQ (panner.getLfeIndex(), set.getChannelIndexForType (CS::LFE));
    for (int i = 0; i < set.size(); ++i)
    {
        const auto type = set.getTypeOfChannel (i);
        const auto expected = (type == CS::left || type == CS::leftSurround) ? root2 : 0.0f;
        EXPECT_NEAR (panner.getGains()[static_cast<size_t> (i)], expected, tolerance) << CS::getChannelTypeName (type);
    }

    panner.prepare (SpeakerLayout{ CS::stereo() });
    ASSERT_EQ (panner.getNumGains(), 2);
    EXPECT_NEAR (panner.getGains()[0], 1.0f, tolerance);
    EXPECT_NEAR (panner.getGains()[1], 0.0f, tolerance);
    EXPECT_EQ (panner.getLfeIndex(), -1);
}

TEST (LayerPanner, OfAnEmptyLayoutHasNoGains)
{
    LayerPanner panner;
    panner.prepare (SpeakerLayout{});
    panner.setPosition (0.3f, -0.2f, 0.7f);

    EXPECT_EQ (panner.getNumGains(), 0);
    EXPECT_TRUE (panner.getEarLevel().getMembers().empty());
    EXPECT_TRUE (panner.getTopLayer().getRows().empty());
}
} // namespace
