#include "vesk/dsp/Panner.h"

#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>

namespace
{
using CS = juce::AudioChannelSet;
using vesk::dsp::SpeakerLayout;
using Row = vesk::dsp::Xaxis<float>;
using Layer = vesk::dsp::Yaxis<float>;

constexpr float tolerance = 1.0e-6f;
constexpr float root2 = 0.70710678f; // sin (pi / 4), sqrt (0.5)

CS setOf (std::initializer_list<CS::ChannelType> types)
{
    CS set;
    for (auto type : types)
        set.addChannel (type);
    return set;
}

Row rowOf (const SpeakerLayout& layout)
{
    Row row (layout);
    for (const auto& speaker : layout.speakers)
        row.addMember (speaker);
    return row;
}

const SpeakerLayout stereo{ CS::stereo() };
const SpeakerLayout lcr{ CS::createLCR() };

//==============================================================================================
struct LawCase
{
    int law;
    float t; // position between the two members, 0 at the left one
    float wLo, wHi;
};

class PannerLaw : public ::testing::TestWithParam<LawCase>
{
};

TEST_P (PannerLaw, WeighsBothNeighbours)
{
    const auto c = GetParam();
    auto row = rowOf (stereo);
    row.setLaw (c.law);

    const auto b = row.bracket (-1.0f + 2.0f * c.t);

    EXPECT_EQ (b.lo, 0);
    EXPECT_EQ (b.hi, 1);
    EXPECT_NEAR (b.wLo, c.wLo, tolerance);
    EXPECT_NEAR (b.wHi, c.wHi, tolerance);
}

INSTANTIATE_TEST_SUITE_P (Laws,
                          PannerLaw,
                          ::testing::Values (LawCase{ 0, 0.25f, 0.75f, 0.25f },
                                             LawCase{ 0, 0.5f, 0.5f, 0.5f },
                                             LawCase{ 1, 0.25f, 0.92387953f, 0.38268343f },
                                             LawCase{ 1, 0.5f, root2, root2 },
                                             LawCase{ 2, 0.25f, 0.8660254f, 0.5f },
                                             LawCase{ 2, 0.5f, root2, root2 },
                                             LawCase{ 3, 0.25f, 0.83693977f, 0.31634172f },
                                             LawCase{ 3, 0.5f, 0.60355339f, 0.60355339f },
                                             LawCase{ 4, 0.25f, 0.8080127f, 0.375f },
                                             LawCase{ 4, 0.5f, 0.60355339f, 0.60355339f },
                                             LawCase{ 5, 0.25f, 1.0f, 0.0f },
                                             LawCase{ 5, 0.5f, 0.5f, 0.5f },
                                             LawCase{ 5, 0.75f, 0.0f, 1.0f },
                                             LawCase{ 9, 0.25f, 0.75f, 0.25f }));

//==============================================================================================
struct BracketCase
{
    float v;
    int lo, hi;
    float wLo, wHi;
};

class PannerBracket : public ::testing::TestWithParam<BracketCase>
{
};

TEST_P (PannerBracket, FindsTheMembersAroundAValue)
{
    const auto c = GetParam();
    const auto b = rowOf (lcr).bracket (c.v);

    EXPECT_EQ (b.lo, c.lo);
    EXPECT_EQ (b.hi, c.hi);
    EXPECT_NEAR (b.wLo, c.wLo, tolerance);
    EXPECT_NEAR (b.wHi, c.wHi, tolerance);
}

constexpr auto inf = std::numeric_limits<float>::infinity();
constexpr auto nan = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P (Values,
                          PannerBracket,
                          ::testing::Values (BracketCase{ -2.0f, 0, 0, 1.0f, 0.0f },
                                             BracketCase{ -1.0f, 0, 0, 1.0f, 0.0f },
                                             BracketCase{ -0.5f, 0, 1, root2, root2 },
                                             BracketCase{ 0.0f, 0, 1, 0.0f, 1.0f },
                                             BracketCase{ 0.5f, 1, 2, root2, root2 },
                                             BracketCase{ 1.0f, 2, 2, 1.0f, 0.0f },
                                             BracketCase{ 5.0f, 2, 2, 1.0f, 0.0f },
                                             BracketCase{ inf, 2, 2, 1.0f, 0.0f },
                                             BracketCase{ -inf, 0, 0, 1.0f, 0.0f },
                                             // must stay inside the members, never NaN weights
                                             BracketCase{ nan, 0, 0, 1.0f, 0.0f }));

TEST (PannerBracket, OfNoMembersIsAllZero)
{
    const Row row (stereo);
    const auto b = row.bracket (0.3f);

    EXPECT_EQ (b.lo, 0);
    EXPECT_EQ (b.hi, 0);
    EXPECT_EQ (b.wLo, 0.0f);
    EXPECT_EQ (b.wHi, 0.0f);
}

//==============================================================================================
TEST (Xaxis, OrdersMembersByXAndFindsTheFrontCentre)
{
    Row row (lcr);
    for (auto type : { CS::right, CS::centre, CS::left })
        row.addMember (lcr.speakers[static_cast<size_t> (lcr.channelSet.getChannelIndexForType (type))]);

    EXPECT_EQ (row.getCoordinates(), (std::vector<float>{ -1.0f, 0.0f, 1.0f }));
    EXPECT_EQ (row.getMembers()[0].type, CS::left);
    EXPECT_EQ (row.getMembers()[2].type, CS::right);
    EXPECT_EQ (row.getCentreIndex(), 1);
    EXPECT_EQ (rowOf (stereo).getCentreIndex(), -1);
}

struct GainsCase
{
    const char* name;
    int law;
    float centreLevel;
    float x;
    float left, centre, right;
};

void PrintTo (const GainsCase& c, std::ostream* os)
{
    *os << c.name;
}

class XaxisGains : public ::testing::TestWithParam<GainsCase>
{
};

TEST_P (XaxisGains, OfAnLcrRow)
{
    const auto c = GetParam();
    auto row = rowOf (lcr);
    row.setLaw (c.law);
    row.setCentreLevel (c.centreLevel);

    std::vector<float> gains (3, 0.0f);
    row.addGains (gains, c.x, 1.0f);

    const auto& set = lcr.channelSet;
    EXPECT_NEAR (gains[static_cast<size_t> (set.getChannelIndexForType (CS::left))], c.left, tolerance);
    EXPECT_NEAR (gains[static_cast<size_t> (set.getChannelIndexForType (CS::centre))], c.centre, tolerance);
    EXPECT_NEAR (gains[static_cast<size_t> (set.getChannelIndexForType (CS::right))], c.right, tolerance);
}

// With centre level 0.5 the centre's missing half, times the law's value at one half, goes to
// both outer speakers.
INSTANTIATE_TEST_SUITE_P (
    Cases,
    XaxisGains,
    ::testing::Values (GainsCase{ "plainAtCentre", 1, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f },
                       GainsCase{ "plainHalfLeft", 1, 1.0f, -0.5f, root2, root2, 0.0f },
                       GainsCase{ "centreLevelAtCentre", 1, 0.5f, 0.0f, 0.35355339f, 0.5f, 0.35355339f },
                       GainsCase{ "centreLevelHalfLeft", 1, 0.5f, -0.5f, 0.95710678f, 0.35355339f, 0.25f },
                       GainsCase{ "centreLevelHalfRight", 1, 0.5f, 0.5f, 0.25f, 0.35355339f, 0.95710678f },
                       GainsCase{ "centreLevelAtLeft", 1, 0.5f, -1.0f, 1.0f, 0.0f, 0.0f },
                       GainsCase{ "centreLevelLinear", 0, 0.5f, 0.0f, 0.25f, 0.5f, 0.25f },
                       GainsCase{ "centreLevelLaw3", 3, 0.5f, 0.0f, 0.30177670f, 0.5f, 0.30177670f },
                       GainsCase{ "centreLevelNearest", 5, 0.0f, 0.0f, 0.5f, 0.0f, 0.5f }),
    [] (const auto& testInfo) { return std::string (testInfo.param.name); });

TEST (Xaxis, CentreLevelNeedsAFrontCentreInARowOfThree)
{
    auto row = rowOf (stereo);
    row.setCentreLevel (0.25f);

    std::vector<float> gains (2, 0.0f);
    row.addGains (gains, 0.0f, 1.0f);

    EXPECT_NEAR (gains[0], root2, tolerance);
    EXPECT_NEAR (gains[1], root2, tolerance);
}

TEST (Xaxis, AddsScaledGainsAndIgnoresNoWeight)
{
    const auto row = rowOf (stereo);
    std::vector<float> gains{ 0.25f, 0.25f };

    row.addGains (gains, -1.0f, 0.5f);
    row.addGains (gains, 1.0f, 0.0f);
    row.addGains (gains, 1.0f, -1.0f);

    EXPECT_FLOAT_EQ (gains[0], 0.75f);
    EXPECT_FLOAT_EQ (gains[1], 0.25f);

    std::vector<float> tooShort{ 0.0f };
    row.addGains (tooShort, 1.0f, 1.0f);
    EXPECT_EQ (tooShort, (std::vector<float>{ 0.0f }));
}

//==============================================================================================
int indexOf (const SpeakerLayout& layout, CS::ChannelType type)
{
    return layout.channelSet.getChannelIndexForType (type);
}

std::vector<int> typesOf (const Row& row)
{
    std::vector<int> types;
    for (const auto& member : row.getMembers())
        types.push_back (member.type);
    return types;
}

TEST (Yaxis, BuildsOneRowPerMemberFromTheSpeakersAtItsYAndHeight)
{
    const SpeakerLayout layout{ CS::create7point1point4() };
    Layer layer (layout);
    for (auto type : { CS::left, CS::leftSurroundSide, CS::leftSurroundRear })
        layer.addMember (layout.speakers[static_cast<size_t> (indexOf (layout, type))]);

    ASSERT_EQ (layer.getRows().size(), 3u);
    EXPECT_EQ (layer.getCoordinates(), (std::vector<float>{ -1.0f, 0.0f, 1.0f }));
    EXPECT_EQ (typesOf (layer.getRows()[0]), (std::vector<int>{ CS::leftSurroundRear, CS::rightSurroundRear }));
    EXPECT_EQ (typesOf (layer.getRows()[1]), (std::vector<int>{ CS::leftSurroundSide, CS::rightSurroundSide }));
    // The LFE shares the centre's place and the top front speakers its y: neither joins.
    EXPECT_EQ (typesOf (layer.getRows()[2]), (std::vector<int>{ CS::left, CS::centre, CS::right }));
    EXPECT_EQ (layer.getRows()[2].getCentreIndex(), 1);
}

TEST (Yaxis, KeepsLfeChannelsOutOfRowsWithoutACentre)
{
    const SpeakerLayout layout{ setOf ({ CS::left, CS::right, CS::LFE, CS::LFE2 }) };
    Layer layer (layout);
    layer.addMember (layout.speakers[0]);

    ASSERT_EQ (layer.getRows().size(), 1u);
    EXPECT_EQ (typesOf (layer.getRows()[0]), (std::vector<int>{ CS::left, CS::right }));
}

TEST (Yaxis, KeepsTheFirstOfTwoSpeakersAtOnePlace)
{
    const SpeakerLayout layout{ setOf ({ CS::left, CS::right, CS::proximityLeft }) };
    Layer layer (layout);
    layer.addMember (layout.speakers[0]);

    EXPECT_EQ (typesOf (layer.getRows()[0]), (std::vector<int>{ CS::left, CS::right }));
}

TEST (Yaxis, PassesLawAndCentreLevelToEveryRow)
{
    const SpeakerLayout layout{ CS::create5point1() };
    Layer layer (layout);
    layer.setLaw (2);
    layer.addMember (layout.speakers[static_cast<size_t> (indexOf (layout, CS::left))]);
    layer.setCentreLevel (0.5f);
    layer.addMember (layout.speakers[static_cast<size_t> (indexOf (layout, CS::leftSurround))]);

    ASSERT_EQ (layer.getRows().size(), 2u);
    for (const auto& row : layer.getRows())
    {
        EXPECT_EQ (row.getLaw(), 2);
        EXPECT_EQ (row.getCentreLevel(), 0.5f);
    }

    layer.setLaw (4);
    for (const auto& row : layer.getRows())
        EXPECT_EQ (row.getLaw(), 4);
}
} // namespace
