#include "tap/ParameterText.h"
#include "tap/TapDelayProcessor.h"

#include <gtest/gtest.h>

namespace
{
using tap::TapDelayProcessor;

class ParameterModel : public ::testing::Test
{
protected:
    juce::String idOf (const juce::AudioProcessorParameter* p) const
    {
        return dynamic_cast<const juce::AudioProcessorParameterWithID*> (p)->paramID;
    }

    TapDelayProcessor processor;
};

TEST_F (ParameterModel, TreeHasSixteenGroupsOfSeventyChildren)
{
    EXPECT_EQ (processor.getParameters().size(), 1616);

    const auto& groups = processor.getParameterTree().getSubgroups (false);
    ASSERT_EQ (groups.size(), 16);

    for (int k = 0; k < 16; ++k)
    {
        const auto name = juce::String::charToString (static_cast<juce::juce_wchar> ('A' + k));
        const auto* group = groups[k];
        EXPECT_EQ (group->getID(), name);
        EXPECT_EQ (group->getName(), "Tap " + name);
        EXPECT_EQ (group->getSeparator(), "|");

        ASSERT_EQ (group->end() - group->begin(), 70);
        for (int i = 0; i < 70; ++i)
            EXPECT_EQ (group->begin()[i]->getGroup() != nullptr, i == 37) << name << " child " << i;

        const auto* matrix = group->begin()[37]->getGroup();
        EXPECT_EQ (matrix->getID(), "matrix-" + name);
        EXPECT_EQ (matrix->getName(), "Tap " + name + " Matrix");
        EXPECT_EQ (matrix->getParameters (false).size(), 32);
    }
}

TEST_F (ParameterModel, IdentifiersFollowTheHostOrder)
{
    const auto& params = processor.getParameters();
    EXPECT_EQ (idOf (params.getFirst()), "Tap-A-Active");
    EXPECT_EQ (idOf (params[1]), "Tap-A-X");
    EXPECT_EQ (idOf (params[5]), "Tap-A-Input-0");
    EXPECT_EQ (idOf (params[6]), "Tap-A-Input-Time-0");
    EXPECT_EQ (idOf (params[37]), "Tap-A-Input-from-A");
    EXPECT_EQ (idOf (params[38]), "Tap-A-Time-from-A");
    EXPECT_EQ (idOf (params[69]), "Tap-A-Feedback-0");
    EXPECT_EQ (idOf (params[101]), "Tap-B-Active");
    EXPECT_EQ (idOf (params.getLast()), "Tap-P-Feedback-Time-15");
    EXPECT_EQ (params[37]->getName (100), "Tap-A Input-from-A");

    for (auto* p : params)
    {
        EXPECT_EQ (p->getVersionHint(), 1);
        EXPECT_TRUE (p->isAutomatable());
        EXPECT_FALSE (p->isMetaParameter());
        EXPECT_EQ (p->getLabel(), "");
    }
}

TEST_F (ParameterModel, EveryRouteHoldsItsOwnParametersAndSource)
{
    auto& taps = processor.getTaps();
    for (auto& t : taps)
    {
        const auto prefix = "Tap-" + t.name + "-";
        for (int i = 0; i < 16; ++i)
        {
            const auto n = juce::String (i);
            EXPECT_EQ (t.inputs[(size_t) i].gain->paramID, prefix + "Input-" + n);
            EXPECT_EQ (t.inputs[(size_t) i].time->paramID, prefix + "Input-Time-" + n);
            EXPECT_EQ (&t.inputs[(size_t) i].reader->getSource(), &processor.getInputHistory());
            EXPECT_EQ (t.feedback[(size_t) i].gain->paramID, prefix + "Feedback-" + n);
            EXPECT_EQ (t.feedback[(size_t) i].time->paramID, prefix + "Feedback-Time-" + n);
            EXPECT_EQ (&t.feedback[(size_t) i].reader->getSource(), &processor.getFeedbackHistory());
        }

        ASSERT_EQ (t.matrix.size(), 16u);
        for (size_t k = 0; k < 16; ++k)
        {
            EXPECT_EQ (t.matrix[k].gain->paramID, prefix + "Input-from-" + taps[k].name);
            EXPECT_EQ (t.matrix[k].time->paramID, prefix + "Time-from-" + taps[k].name);
            EXPECT_EQ (&t.matrix[k].reader->getSource(), &taps[k].getHistory());
        }

        EXPECT_EQ (t.active->paramID, prefix + "Active");
        EXPECT_EQ (t.output->paramID, prefix + "Output");
    }
}

TEST_F (ParameterModel, FreshValuesAndDefaults)
{
    const auto& t = processor.getTaps()[3];
    EXPECT_TRUE (t.active->get());
    EXPECT_EQ (t.x->get(), 0.0f);
    EXPECT_EQ (t.output->get(), 0.0f);
    EXPECT_EQ (t.inputs[0].gain->get(), -100.0f);
    EXPECT_EQ (t.inputs[0].time->get(), 0.0f);

    // Declared below the range: reads 0.2 until set, resets to the range start (1 ms).
    for (const auto* route : { &t.matrix[5], &t.feedback[7] })
    {
        EXPECT_FLOAT_EQ (route->time->get(), 0.2f);
        EXPECT_EQ (static_cast<juce::AudioProcessorParameter*> (route->time)->getDefaultValue(), 0.0f);
        EXPECT_EQ (route->time->range.start, 1.0f);
    }
}

//==============================================================================================
struct TextCase
{
    const char* parameterSuffix;
    float value;
    const char* text;
};

class ValueToText : public ParameterModel, public ::testing::WithParamInterface<TextCase>
{
};

TEST_P (ValueToText, ShowsTheDesignedText)
{
    const auto c = GetParam();
    auto* p = processor.getParameters()[0];
    for (auto* candidate : processor.getParameters())
        if (idOf (candidate) == juce::String ("Tap-A-") + c.parameterSuffix)
            p = candidate;

    auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (p);
    EXPECT_EQ (p->getText (ranged->convertTo0to1 (c.value), 0), juce::String (c.text));
}

INSTANTIATE_TEST_SUITE_P (Cases,
                          ValueToText,
                          ::testing::Values (TextCase{ "X", 0.5f, "50%" },
                                             TextCase{ "X", -1.0f, "-100%" },
                                             TextCase{ "X", 0.333f, "33%" },
                                             TextCase{ "X", 0.125f, "12%" }, // 12.5 rounds to even
                                             TextCase{ "Z", 0.375f, "38%" }, // 37.5 rounds to even
                                             TextCase{ "Output", -100.0f, "-100dB" },
                                             TextCase{ "Output", -6.0f, "-6dB" },
                                             TextCase{ "Output", 0.0f, "0dB" },
                                             TextCase{ "Input-Time-3", 0.0f, "0ms" },
                                             TextCase{ "Input-Time-3", 250.0f, "250ms" },
                                             TextCase{ "Input-Time-3", 999.0f, "999ms" },
                                             TextCase{ "Input-Time-3", 1000.0f, "1.00s" },
                                             TextCase{ "Time-from-B", 2500.0f, "2.50s" },
                                             TextCase{ "Feedback-Time-0", 2999.0f, "3.00s" },
                                             TextCase{ "Feedback-Time-0", 3000.0f, "3.00s" }));

class TextToValue : public ParameterModel, public ::testing::WithParamInterface<TextCase>
{
};

TEST_P (TextToValue, ParsesAndTheFrameworkClamps)
{
    const auto c = GetParam();
    for (auto* p : processor.getParameters())
    {
        if (idOf (p) != juce::String ("Tap-A-") + c.parameterSuffix)
            continue;

        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (p);
        EXPECT_FLOAT_EQ (ranged->convertFrom0to1 (p->getValueForText (c.text)), c.value) << c.text;
        return;
    }
    FAIL() << "no parameter " << c.parameterSuffix;
}

INSTANTIATE_TEST_SUITE_P (Cases,
                          TextToValue,
                          ::testing::Values (TextCase{ "X", 0.5f, "50%" },
                                             TextCase{ "X", 0.0f, "centre" }, // no number reads as 0
                                             TextCase{ "Y", -0.25f, "-25" },
                                             TextCase{ "Output", -6.0f, "-6dB" },
                                             TextCase{ "Output", -6.0f, "-6" },
                                             TextCase{ "Input-Time-0", 250.0f, "250ms" },
                                             TextCase{ "Input-Time-0", 250.0f, "250MS" },
                                             TextCase{ "Input-Time-0", 1500.0f, "1.5s" },
                                             TextCase{ "Input-Time-0", 1500.0f, "1.5" },
                                             TextCase{ "Input-Time-0", 2000.0f, "2" },
                                             TextCase{ "Input-Time-0", 3000.0f, "250" }, // 250 s, clamped
                                             TextCase{ "Time-from-C", 1.0f, "0ms" }));   // clamped to the range

TEST (ParameterText, TextFunctionsIgnoreTheMaximumLength)
{
    EXPECT_EQ (tap::text::timeFromValue (2500.0f, 2), "2.50s");
    EXPECT_EQ (tap::text::decibelFromValue (-100.0f, 1), "-100dB");
}
} // namespace
