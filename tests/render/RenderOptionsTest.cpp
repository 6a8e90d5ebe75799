#include "render/RenderOptions.h"
#include "render/OutputLayouts.h"
#include "render/WavChannelOrder.h"
#include "tap/TapDelayProcessor.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using CS = juce::AudioChannelSet;
using namespace tap::render;

juce::StringArray words (const char* text)
{
    return juce::StringArray::fromTokens (text, " ", "\"");
}

juce::File here (const char* path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

//==============================================================================================
TEST (RenderOptions, ReadsEveryOptionInBothForms)
{
    for (const auto* line : { "-l 5.1 -b 32 -t 2.5 --state s.bin -s Tap-A-Input-0=0 --set Tap-A-X=-1 in.wav out.wav",
                              "--layout=5.1 --bits=32 --tail=2.5 --state=s.bin --set=Tap-A-Input-0=0 in.wav "
                              "--set=Tap-A-X=-1 out.wav" })
    {
        const auto parsed = parseArguments (words (line));
        ASSERT_FALSE (parsed.failed()) << parsed.error;

        const auto& o = parsed.options;
        EXPECT_EQ (o.layoutName, "5.1");
        EXPECT_EQ (o.bitDepth, 32);
        EXPECT_DOUBLE_EQ (o.tailSeconds, 2.5);
        EXPECT_EQ (o.state, here ("s.bin"));
        EXPECT_EQ (o.input, here ("in.wav"));
        EXPECT_EQ (o.output, here ("out.wav"));
        ASSERT_EQ (o.settings.size(), 2u);
        EXPECT_EQ (o.settings[0].id, "Tap-A-Input-0");
        EXPECT_EQ (o.settings[0].value, 0.0f);
        EXPECT_EQ (o.settings[1].id, "Tap-A-X");
        EXPECT_EQ (o.settings[1].value, -1.0f);
        EXPECT_FALSE (o.showHelp);
    }
}

TEST (RenderOptions, DefaultsAre714At24BitWithoutTail)
{
    const auto parsed = parseArguments (words ("in.wav out.wav"));
    ASSERT_FALSE (parsed.failed());
    EXPECT_EQ (parsed.options.layoutName, "7.1.4");
    EXPECT_EQ (parsed.options.bitDepth, 24);
    EXPECT_EQ (parsed.options.tailSeconds, 0.0);
    EXPECT_EQ (parsed.options.state, juce::File());
    EXPECT_TRUE (parsed.options.settings.empty());
}

TEST (RenderOptions, HelpNeedsNoFiles)
{
    for (const auto* line : { "--help", "-h", "in.wav -h" })
    {
        const auto parsed = parseArguments (words (line));
        EXPECT_FALSE (parsed.failed()) << line;
        EXPECT_TRUE (parsed.options.showHelp) << line;
    }

    EXPECT_TRUE (getUsage().contains ("--set ID=VALUE"));
    EXPECT_TRUE (getUsage().contains ("9.1.6"));
}

struct BadLine
{
    const char* line;
    const char* errorPart;
};

void PrintTo (const BadLine& b, std::ostream* os)
{
    *os << "'" << b.line << "'";
}

class RenderOptionsRefuse : public ::testing::TestWithParam<BadLine>
{
};

TEST_P (RenderOptionsRefuse, WithAOneLineReason)
{
    const auto parsed = parseArguments (words (GetParam().line));
    ASSERT_TRUE (parsed.failed());
    EXPECT_TRUE (parsed.error.contains (GetParam().errorPart)) << parsed.error;
    EXPECT_FALSE (parsed.error.containsChar ('\n'));
}

INSTANTIATE_TEST_SUITE_P (Lines,
                          RenderOptionsRefuse,
                          ::testing::Values (BadLine{ "", "two file arguments" },
                                             BadLine{ "in.wav", "got 1" },
                                             BadLine{ "a.wav b.wav c.wav", "got 3" },
                                             BadLine{ "-b 16 in.wav out.wav", "--bits must be 24 or 32" },
                                             BadLine{ "--bits=float in.wav out.wav", "--bits must be 24 or 32" },
                                             BadLine{ "-t -1 in.wav out.wav", "--tail must be" },
                                             BadLine{ "--tail 2s in.wav out.wav", "--tail must be" },
                                             BadLine{ "--tail 4000 in.wav out.wav", "--tail must be" },
                                             BadLine{ "--set Tap-A-X in.wav out.wav", "ID=VALUE" },
                                             BadLine{ "--set =3 in.wav out.wav", "ID=VALUE" },
                                             BadLine{ "--set Tap-A-Output=-6dB in.wav out.wav", "is not a number" },
                                             BadLine{ "--set Tap-A-Output= in.wav out.wav", "is not a number" },
                                             BadLine{ "--frobnicate in.wav out.wav", "unknown option '--frobnicate'" },
                                             BadLine{ "in.wav out.wav --layout", "needs a value" }));

TEST (RenderOptions, NumbersAreWholeFiniteDecimals)
{
    const std::vector<std::pair<const char*, double>> good{ { "1e3", 1000.0 },
                                                            { "-6", -6.0 },
                                                            { " 0.5 ", 0.5 },
                                                            { "-100", -100.0 },
                                                            { "+2", 2.0 } };
    for (const auto& [text, expected] : good)
    {
        double value = 0.0;
        EXPECT_TRUE (parseNumber (text, value)) << text;
        EXPECT_DOUBLE_EQ (value, expected) << text;
    }

    for (const auto* text : { "", " ", "abc", "1.5s", "0dB", "nan", "inf", "1e999", "1,5", "0x10" })
    {
        double value = 42.0;
        EXPECT_FALSE (parseNumber (text, value)) << text;
        EXPECT_EQ (value, 42.0) << text;
    }
}

//==============================================================================================
int channelsNamedBy (const juce::String& name)
{
    if (name.equalsIgnoreCase ("stereo"))
        return 2;
    if (name.equalsIgnoreCase ("LCR"))
        return 3;
    if (name.equalsIgnoreCase ("LCRS") || name.equalsIgnoreCase ("quad"))
        return 4;

    // "a.b" and "a.b.c": bed, LFE and heights add up.
    int total = 0;
    for (const auto& part : juce::StringArray::fromTokens (name, ".", ""))
        total += part.getIntValue();
    return total;
}

TEST (OutputLayouts, EveryNameIsALayoutTheBusRulesAccept)
{
    const auto names = OutputLayouts::getNames();
    EXPECT_EQ (names.size(), 24);

    for (const auto& name : names)
    {
        const auto set = OutputLayouts::fromName (name);
        EXPECT_EQ (set.size(), channelsNamedBy (name)) << name;
        EXPECT_TRUE (tap::TapDelayProcessor::isLayoutAccepted (CS::mono(), set)) << name;
        EXPECT_TRUE (tap::TapDelayProcessor::isLayoutAccepted (CS::stereo(), set)) << name;
        EXPECT_TRUE (tap::TapDelayProcessor::isLayoutAccepted (set, set)) << name;
    }
}

TEST (OutputLayouts, NamesMatchTheirSpeakers)
{
    EXPECT_EQ (OutputLayouts::fromName ("7.1.4"), CS::create7point1point4());
    EXPECT_EQ (OutputLayouts::fromName ("Stereo"), CS::stereo());
    EXPECT_EQ (OutputLayouts::fromName ("lcrs"), CS::createLCRS());
    EXPECT_EQ (OutputLayouts::fromName ("quadraphonic"), CS::quadraphonic());

    const auto nineOneFour = OutputLayouts::fromName ("9.1.4");
    EXPECT_TRUE (nineOneFour.getChannelTypes().contains (CS::wideLeft));
    EXPECT_FALSE (nineOneFour.getChannelTypes().contains (CS::topSideLeft));
    EXPECT_FALSE (OutputLayouts::fromName ("5.0.2").getChannelTypes().contains (CS::LFE));
    EXPECT_TRUE (OutputLayouts::fromName ("5.0.2").getChannelTypes().contains (CS::topSideLeft));

    for (const auto* unknown : { "", "mono", "7.1.5", "7.1 SDDS", "ambisonic" })
        EXPECT_TRUE (OutputLayouts::fromName (unknown).isDisabled()) << unknown;
}

//==============================================================================================
TEST (WavChannelOrder, RearSurroundsComeBeforeTheSidesInAWavFile)
{
    const auto order = WavChannelOrder::forLayout (CS::create7point1point4());

    // The processor's order is L R C LFE Lss Rss Tfl Tfr Trl Trr Lrs Rrs; the WAV mask's is
    // FL FR FC LFE BL BR SL SR TFL TFR TBL TBR, the rears being the mask's back pair.
    CS expected;
    for (auto type : { CS::left,
                       CS::right,
                       CS::centre,
                       CS::LFE,
                       CS::leftSurround,
                       CS::rightSurround,
                       CS::leftSurroundSide,
                       CS::rightSurroundSide,
                       CS::topFrontLeft,
                       CS::topFrontRight,
                       CS::topRearLeft,
                       CS::topRearRight })
        expected.addChannel (type);
    EXPECT_EQ (expected.getChannelTypes().indexOf (CS::leftSurroundSide), 6);
    EXPECT_EQ (order.fileSet, expected);
    EXPECT_EQ (order.processorChannel, (std::vector<int>{ 0, 1, 2, 3, 10, 11, 4, 5, 6, 7, 8, 9 }));
    EXPECT_EQ (order.processorTypes[4], CS::leftSurroundRear);
    EXPECT_EQ (order.processorTypes[6], CS::leftSurroundSide);
}

TEST (WavChannelOrder, LayoutsInMaskOrderStayAsTheyAre)
{
    for (const auto& set : { CS::stereo(), CS::create5point1(), CS::createLCRS(), CS::create5point1point4() })
    {
        const auto order = WavChannelOrder::forLayout (set);
        EXPECT_EQ (order.fileSet, set) << set.getDescription();

        for (int c = 0; c < set.size(); ++c)
            EXPECT_EQ (order.processorChannel[(size_t) c], c) << set.getDescription();
    }
}

TEST (WavChannelOrder, SpeakersTheMaskCannotNameMakeADiscreteFile)
{
    for (const auto& set : { CS::create7point1point2(), CS::create9point1point6() })
    {
        const auto order = WavChannelOrder::forLayout (set);
        EXPECT_TRUE (order.fileSet.isDiscreteLayout()) << set.getDescription();
        EXPECT_EQ (order.fileSet.size(), set.size());

        for (int c = 0; c < set.size(); ++c)
            EXPECT_EQ (order.processorChannel[(size_t) c], c);
    }
}
} // namespace
