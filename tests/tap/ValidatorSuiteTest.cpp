// What hosts and plug-in validators do to a plug-in, short of opening its window.

#include "tap/StemFormats.h"
#include "tap/TapDelayProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{
using tap::TapDelayProcessor;

bool allFinite (const juce::AudioBuffer<float>& b)
{
    for (int c = 0; c < b.getNumChannels(); ++c)
        for (int k = 0; k < b.getNumSamples(); ++k)
            if (!std::isfinite (b.getSample (c, k)))
                return false;
    return true;
}

void fillNoise (juce::AudioBuffer<float>& b, juce::Random& random)
{
    for (int c = 0; c < b.getNumChannels(); ++c)
        for (int k = 0; k < b.getNumSamples(); ++k)
            b.setSample (c, k, random.nextFloat() * 2.0f - 1.0f);
}

void routeSome (TapDelayProcessor& p)
{
    for (int k = 0; k < 16; k += 3)
    {
        auto& t = p.getTaps()[(size_t) k];
        t.inputs[0].gain->setValueNotifyingHost (t.inputs[0].gain->convertTo0to1 (-6.0f));
        t.inputs[0].time->setValueNotifyingHost (t.inputs[0].time->convertTo0to1 (40.0f * (float) k));
        t.feedback[0].gain->setValueNotifyingHost (t.feedback[0].gain->convertTo0to1 (-12.0f));
        t.matrix[(size_t) (k + 1) % 16].gain->setValueNotifyingHost (0.8f);
    }
}

TEST (Validator, ManyInstancesCreateAndDestroy)
{
    for (int round = 0; round < 3; ++round)
    {
        std::vector<std::unique_ptr<juce::AudioProcessor>> instances;
        for (int i = 0; i < 8; ++i)
            instances.emplace_back (std::make_unique<TapDelayProcessor>());
        EXPECT_EQ (instances.back()->getParameters().size(), 1616);
    }
}

TEST (Validator, PreparesAtEveryRateAndBlockSize)
{
    TapDelayProcessor p;
    routeSome (p);
    juce::MidiBuffer midi;
    juce::Random random (3);

    for (const auto rate : { 22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0 })
    {
        for (const auto block : { 1, 7, 64, 512, 4096 })
        {
            p.prepareToPlay (rate, block);
            juce::AudioBuffer<float> buffer (12, block);
            for (int i = 0; i < juce::jmax (2, 2048 / block); ++i)
            {
                if (i % 2 == 0)
                    buffer.clear();
                else
                    fillNoise (buffer, random);
                p.processBlock (buffer, midi);
                ASSERT_TRUE (allFinite (buffer)) << rate << " Hz, " << block;
            }
            p.releaseResources();
        }
    }
}

TEST (Validator, NonsensePrepareValuesStaySafe)
{
    // A block size of 0 once made every tap sum its input without end.
    TapDelayProcessor p;
    auto& a = p.getTaps()[0];
    a.inputs[0].gain->setValueNotifyingHost (a.inputs[0].gain->convertTo0to1 (0.0f));
    juce::MidiBuffer midi;

    for (const auto& [rate, block] : { std::pair{ 48000.0, 0 },
                                       std::pair{ -48000.0, 64 },
                                       std::pair{ std::nan (""), 64 },
                                       std::pair{ 48000.0, -5 } })
    {
        p.prepareToPlay (rate, block);
        juce::AudioBuffer<float> buffer (12, 64);
        for (int i = 0; i < 200; ++i)
        {
            buffer.clear();
            buffer.setSample (0, 0, 1.0f);
            p.processBlock (buffer, midi);
            ASSERT_TRUE (allFinite (buffer)) << rate << " " << block;
            ASSERT_LE (buffer.getMagnitude (0, 64), 1.0f) << rate << " " << block;
        }
    }
}

TEST (Validator, EveryAcceptedLayoutProcesses)
{
    juce::MidiBuffer midi;
    juce::Random random (5);

    for (const auto& pair : tap::getAcceptedStemPairs())
    {
        TapDelayProcessor p;
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (pair.input.channelSet);
        layout.outputBuses.add (pair.output.channelSet);
        ASSERT_TRUE (p.setBusesLayout (layout)) << pair.input.name << " → " << pair.output.name;

        routeSome (p);
        p.prepareToPlay (48000.0, 256);
        juce::AudioBuffer<float> buffer (juce::jmax (pair.input.channelSet.size(), pair.output.channelSet.size()), 256);
        for (int i = 0; i < 30; ++i)
        {
            fillNoise (buffer, random);
            p.processBlock (buffer, midi);
        }
        EXPECT_TRUE (allFinite (buffer)) << pair.output.name;
        EXPECT_GT (buffer.getMagnitude (0, 256), 0.0f) << pair.input.name << " → " << pair.output.name;
    }
}

TEST (Validator, SavedStateRestoredAndSavedAgainIsIdentical)
{
    TapDelayProcessor a;
    routeSome (a);
    a.getTaps()[2].x->setValueNotifyingHost (0.3f);

    juce::MemoryBlock first, second;
    a.getStateInformation (first);

    TapDelayProcessor b;
    b.setStateInformation (first.getData(), (int) first.getSize());
    b.getStateInformation (second);
    EXPECT_EQ (first, second);
}

TEST (Validator, EveryParameterRoundTripsThroughItsText)
{
    TapDelayProcessor p;
    for (auto* param : p.getParameters())
    {
        for (const auto v : { 0.0f, 0.1f, 0.25f, 0.5f, 0.77f, 1.0f })
        {
            const auto text = param->getText (v, 32);
            const auto parsed = param->getValueForText (text);
            ASSERT_GE (parsed, 0.0f) << param->getName (64);
            ASSERT_LE (parsed, 1.0f) << param->getName (64);
            ASSERT_EQ (param->getText (parsed, 32), text) << param->getName (64) << " at " << v;
        }
    }
}

TEST (Validator, HostResetToDefaultWorks)
{
    TapDelayProcessor p;
    for (auto* param : p.getParameters())
    {
        param->setValueNotifyingHost (0.63f);
        param->setValueNotifyingHost (param->getDefaultValue());
        ASSERT_EQ (param->getValue(), param->getDefaultValue()) << param->getName (64);
        ASSERT_GE (param->getValue(), 0.0f);
        ASSERT_LE (param->getValue(), 1.0f);
    }
}
} // namespace
