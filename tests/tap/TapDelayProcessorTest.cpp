#include "tap/TapDelayProcessor.h"

#include <gtest/gtest.h>

namespace
{
using CS = juce::AudioChannelSet;
using tap::TapDelayProcessor;

TEST (TapDelayProcessor, AnswersTheHost)
{
    TapDelayProcessor p;
    EXPECT_EQ (p.getName(), "Wendrel");
    EXPECT_EQ (p.getTailLengthSeconds(), 0.0);
    EXPECT_EQ (p.getNumPrograms(), 1);
    EXPECT_EQ (p.getCurrentProgram(), 0);
    EXPECT_EQ (p.getProgramName (0), "");
    EXPECT_FALSE (p.acceptsMidi());
    EXPECT_FALSE (p.producesMidi());
    EXPECT_FALSE (p.isMidiEffect());
    EXPECT_TRUE (p.hasEditor());
    EXPECT_EQ (p.getLatencySamples(), 0);

    EXPECT_EQ (p.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (p.getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (p.getChannelLayoutOfBus (true, 0), CS::mono());
    EXPECT_EQ (p.getChannelLayoutOfBus (false, 0), CS::create7point1point4());
}

TEST (TapDelayProcessor, TapsAreNamedAndColouredAroundTheWheel)
{
    TapDelayProcessor p;
    for (int k = 0; k < 16; ++k)
    {
        const auto& t = p.getTaps()[(size_t) k];
        EXPECT_EQ (t.name, juce::String::charToString (static_cast<juce::juce_wchar> ('A' + k)));
        EXPECT_NEAR (t.colour.getHue(), k / 16.0f, 0.004f) << t.name;
        EXPECT_NEAR (t.colour.getSaturation(), 0.8333333f, 0.004f);
        EXPECT_NEAR (t.colour.getBrightness(), 0.7058824f, 0.004f);
        EXPECT_EQ (t.colour.getAlpha(), 255);
        EXPECT_EQ (t.level.load(), 0.0f);
    }
    EXPECT_EQ (p.getTaps()[0].colour.getARGB(), 0xffb41e1eu);
}

TEST (TapDelayProcessor, PrepareClearsTheLevelCellsAndSizesTheRings)
{
    TapDelayProcessor p;
    for (auto& cell : p.getOutputLevels())
        cell.store (0.7f);

    p.prepareToPlay (48000.0, 512);

    for (auto& cell : p.getOutputLevels())
        EXPECT_EQ (cell.load(), 0.0f);

    EXPECT_EQ (p.getInputHistory().getNumChannels(), 1);
    EXPECT_EQ (p.getInputHistory().getLength(), 48000 * 3 + 1024);
    EXPECT_EQ (p.getFeedbackHistory().getNumChannels(), 12);
    EXPECT_EQ (p.getTaps()[4].getHistory().getLength(), 48000 * 3 + 1024);
    EXPECT_EQ (p.getSpec().outputLayout.size(), 12);
    EXPECT_EQ (p.getSpec().blockSize, 512);
}

//==============================================================================================
struct LayoutCase
{
    const char* name;
    CS in, out;
    bool accepted;
};

CS discrete (int n)
{
    return CS::discreteChannels (n);
}

CS seventeenNamed()
{
    CS set = CS::create9point1point6();
    set.addChannel (CS::topMiddle);
    return set;
}

CS withCentres()
{
    CS set = CS::create7point1();
    set.removeChannel (CS::leftSurroundRear);
    set.removeChannel (CS::rightSurroundRear);
    set.addChannel (CS::leftCentre);
    set.addChannel (CS::rightCentre);
    return set;
}

void PrintTo (const LayoutCase& c, std::ostream* os)
{
    *os << c.name;
}

class BusRules : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P (BusRules, AcceptOnlySpeakerLayoutsOfTwoToSixteen)
{
    const auto c = GetParam();
    EXPECT_EQ (TapDelayProcessor::isLayoutAccepted (c.in, c.out), c.accepted) << c.name;

    TapDelayProcessor p;
    juce::AudioProcessor::BusesLayout layout;
    if (!c.in.isDisabled())
        layout.inputBuses.add (c.in);
    layout.outputBuses.add (c.out);
    EXPECT_EQ (p.checkBusesLayoutSupported (layout), c.accepted) << c.name;
}

INSTANTIATE_TEST_SUITE_P (
    Cases,
    BusRules,
    ::testing::Values (LayoutCase{ "mono in, 7.1.4 out", CS::mono(), CS::create7point1point4(), true },
                       LayoutCase{ "stereo in, stereo out", CS::stereo(), CS::stereo(), true },
                       LayoutCase{ "5.1 in, 5.1 out", CS::create5point1(), CS::create5point1(), true },
                       LayoutCase{ "stereo in, quad out", CS::stereo(), CS::quadraphonic(), true },
                       LayoutCase{ "mono in, 9.1.6 out", CS::mono(), CS::create9point1point6(), true },
                       LayoutCase{ "5.1 in, 7.1 out", CS::create5point1(), CS::create7point1(), false },
                       LayoutCase{ "mono in, mono out", CS::mono(), CS::mono(), false },
                       LayoutCase{ "stereo in, 16 discrete out", CS::stereo(), discrete (16), false },
                       LayoutCase{ "stereo in, ambisonic out", CS::stereo(), CS::ambisonic (1), false },
                       LayoutCase{ "stereo in, left and right centres", CS::stereo(), withCentres(), false },
                       LayoutCase{ "mono in, 7.1 SDDS out", CS::mono(), CS::create7point1SDDS(), false },
                       LayoutCase{ "mono in, 17 channels out", CS::mono(), seventeenNamed(), false },
                       LayoutCase{ "no input bus", CS::disabled(), CS::stereo(), false },
                       LayoutCase{ "mono in, no output", CS::mono(), CS::disabled(), false }));
} // namespace
