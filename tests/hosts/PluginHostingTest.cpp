#include "helpers/ScopedHome.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#if defined(WENDREL_VST3_BUNDLE) && defined(WENDREL_LV2_BUNDLE) && defined(WENDREL_LV2_URI)

namespace
{
using CS = juce::AudioChannelSet;

constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;
constexpr int routeDelaySamples = 480; // 10 ms
constexpr float halfPower = 0.70710677f;

/** The 101 parameter names of each of the 16 taps, sorted. */
juce::StringArray expectedParameterNames()
{
    juce::StringArray names;
    for (char tap = 'A'; tap <= 'P'; ++tap)
    {
        const auto prefix = juce::String ("Tap-") + tap + " ";
        names.addArray ({ prefix + "Active", prefix + "X", prefix + "Y", prefix + "Z", prefix + "Output" });

        for (int i = 0; i < 16; ++i)
        {
            const auto source = juce::String::charToString (static_cast<juce::juce_wchar> ('A' + i));
            names.addArray ({ prefix + "Input-" + juce::String (i),
                              prefix + "Input-Time-" + juce::String (i),
                              prefix + "Input-from-" + source,
                              prefix + "Time-from-" + source,
                              prefix + "Feedback-" + juce::String (i),
                              prefix + "Feedback-Time-" + juce::String (i) });
        }
    }
    names.sort (false);
    return names;
}

/** Loads the built plug-in through one of the framework's hosting formats, inside a
    temporary HOME whose ~/.lv2 holds only the built bundle.
*/
class HostedPlugin : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (home.linkLv2Bundle (juce::File (WENDREL_LV2_BUNDLE)));

        // The LV2 format scans its search path when it is created, so HOME is set first.
        if (isVst3())
            formats.addFormat (new juce::VST3PluginFormat());
        else
            formats.addFormat (new juce::LV2PluginFormat());
    }

    static bool isVst3() { return juce::String (GetParam()) == "VST3"; }

    juce::AudioPluginFormat& format() { return *formats.getFormat (0); }

    std::unique_ptr<juce::PluginDescription> findDescription()
    {
        juce::OwnedArray<juce::PluginDescription> found;
        juce::String identifier = WENDREL_VST3_BUNDLE;

        // The LV2 format has already loaded every bundle on its default path, ~/.lv2 included.
        if (!isVst3())
            identifier = WENDREL_LV2_URI;

        format().findAllTypesForFile (found, identifier);
        EXPECT_EQ (found.size(), 1);
        return found.isEmpty() ? nullptr : std::make_unique<juce::PluginDescription> (*found[0]);
    }

    std::unique_ptr<juce::AudioPluginInstance> createInstance (const juce::PluginDescription& description)
    {
        juce::String error;
        auto instance = formats.createPluginInstance (description, sampleRate, blockSize, error);
        EXPECT_NE (instance, nullptr) << error;
        return instance;
    }

    static juce::AudioProcessorParameter* findParameter (juce::AudioPluginInstance& instance, const juce::String& name)
    {
        for (auto* p : instance.getParameters())
            if (p->getName (1024) == name)
                return p;

        return nullptr;
    }

    /** The plug-in's own parameters: all but the bypass control a VST3 wrapper adds. */
    static std::vector<juce::AudioProcessorParameter*> ownParameters (juce::AudioPluginInstance& instance)
    {
        std::vector<juce::AudioProcessorParameter*> own;
        for (auto* p : instance.getParameters())
            if (p != instance.getBypassParameter())
                own.push_back (p);

        return own;
    }

    /** Routes input 0 of tap A at 0 dB with a delay of 10 ms (time range 0 to 3000 ms). */
    static void routeInputToTapA (juce::AudioPluginInstance& instance)
    {
        auto* gain = findParameter (instance, "Tap-A Input-0");
        auto* time = findParameter (instance, "Tap-A Input-Time-0");
        ASSERT_NE (gain, nullptr);
        ASSERT_NE (time, nullptr);
        gain->setValueNotifyingHost (1.0f);
        time->setValueNotifyingHost (static_cast<float> (routeDelaySamples) / 48.0f / 3000.0f);
    }

    /** Feeds noise into input 0 for a while and returns the whole output. */
    static juce::AudioBuffer<float> run (juce::AudioPluginInstance& instance, juce::AudioBuffer<float>& input)
    {
        const auto numChannels = juce::jmax (instance.getTotalNumInputChannels(), instance.getTotalNumOutputChannels());
        const auto total = input.getNumSamples();
        juce::AudioBuffer<float> output (numChannels, total);
        juce::AudioBuffer<float> block (numChannels, blockSize);
        juce::MidiBuffer midi;

        instance.prepareToPlay (sampleRate, blockSize);
        for (int start = 0; start + blockSize <= total; start += blockSize)
        {
            block.clear();
            block.copyFrom (0, 0, input, 0, start, blockSize);
            instance.processBlock (block, midi);

            for (int c = 0; c < numChannels; ++c)
                output.copyFrom (c, start, block, c, 0, blockSize);
        }
        instance.releaseResources();

        return output;
    }

    static juce::AudioBuffer<float> noise (int numSamples)
    {
        juce::AudioBuffer<float> buffer (1, numSamples);
        juce::Random random (99);
        for (int i = 0; i < numSamples; ++i)
            buffer.setSample (0, i, random.nextFloat() - 0.5f);
        return buffer;
    }

    /** Largest deviation of output channel c from gain × the input 10 ms earlier, over the
        samples after the route's 100 ms glide (and the block a parameter change may wait for).
    */
    static float deviationAfterGlide (const juce::AudioBuffer<float>& output,
                                      int c,
                                      const juce::AudioBuffer<float>& input,
                                      float gain)
    {
        float worst = 0.0f;
        for (int i = 4800 + routeDelaySamples + 2 * blockSize; i < output.getNumSamples() - blockSize; ++i)
            worst = juce::jmax (worst,
                                std::abs (output.getSample (c, i) - gain * input.getSample (0, i - routeDelaySamples)));
        return worst;
    }

    /** Checks that the input reaches exactly the two side surrounds, where tap A sits by
        default (the middle of the room), and nothing else.
    */
    static void expectInputInTheSideSurrounds (juce::AudioPluginInstance& instance)
    {
        auto input = noise (blockSize * 40);
        const auto output = run (instance, input);
        const auto layout = instance.getChannelLayoutOfBus (false, 0);

        for (int c = 0; c < output.getNumChannels(); ++c)
        {
            const auto type = layout.getTypeOfChannel (c);
            if (type == CS::leftSurroundSide || type == CS::rightSurroundSide)
                EXPECT_LT (deviationAfterGlide (output, c, input, halfPower), 1.0e-5f) << c;
            else
                EXPECT_EQ (output.getMagnitude (c, 0, output.getNumSamples()), 0.0f) << c;
        }
    }

    testing_helpers::ScopedHome home;
    juce::AudioPluginFormatManager formats;
};

TEST_P (HostedPlugin, IsWendrelVersion020With1616Parameters)
{
    const auto description = findDescription();
    ASSERT_NE (description, nullptr);
    EXPECT_EQ (description->name, "Wendrel");
    EXPECT_EQ (description->manufacturerName, "Quentara Audio");

    if (isVst3())
        EXPECT_EQ (description->version, "0.2.0");
    else // the framework's LV2 host reads no version; the bundle states it
        EXPECT_TRUE (juce::File (WENDREL_LV2_BUNDLE)
                         .getChildFile ("dsp.ttl")
                         .loadFileAsString()
                         .contains ("doap:revision \"0.2.0\""));

    const auto instance = createInstance (*description);
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->getName(), "Wendrel");

    // LV2 declares its parameters as a set, so only the names are compared, not the order.
    juce::StringArray names;
    for (auto* p : ownParameters (*instance))
        names.add (p->getName (1024));
    names.sort (false);
    EXPECT_EQ (names, expectedParameterNames());
    EXPECT_LE (instance->getParameters().size() - names.size(), 1) << "at most a bypass";

    EXPECT_EQ (instance->getChannelLayoutOfBus (true, 0).size(), 1);
    EXPECT_EQ (instance->getChannelLayoutOfBus (false, 0).size(), 12);
}

TEST_P (HostedPlugin, AnInputRouteSetThroughTheHostReachesTheOutput)
{
    const auto description = findDescription();
    ASSERT_NE (description, nullptr);
    const auto instance = createInstance (*description);
    ASSERT_NE (instance, nullptr);

    routeInputToTapA (*instance);
    expectInputInTheSideSurrounds (*instance);
}

TEST_P (HostedPlugin, TheStateRoundTripsThroughTheHostedInstance)
{
    const auto description = findDescription();
    ASSERT_NE (description, nullptr);

    juce::MemoryBlock state;
    {
        const auto source = createInstance (*description);
        ASSERT_NE (source, nullptr);
        routeInputToTapA (*source);
        auto input = noise (blockSize * 2); // lets the parameter changes reach the processor
        run (*source, input);
        source->getStateInformation (state);
    }
    ASSERT_GT (state.getSize(), 0u);

    const auto restored = createInstance (*description);
    ASSERT_NE (restored, nullptr);
    auto* gain = findParameter (*restored, "Tap-A Input-0");
    ASSERT_NE (gain, nullptr);
    EXPECT_EQ (gain->getValue(), 0.0f) << "a fresh instance has the route off";

    restored->setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    expectInputInTheSideSurrounds (*restored);

    // The framework's LV2 host learns the restored values from the plug-in's messages while
    // it runs, so the host's view is checked after processing.
    EXPECT_NEAR (gain->getValue(), 1.0f, 1.0e-6f);
    EXPECT_NEAR (findParameter (*restored, "Tap-A Input-Time-0")->getValue(), 10.0f / 3000.0f, 1.0e-6f);
}

std::string formatName (const ::testing::TestParamInfo<const char*>& p)
{
    return p.param;
}

INSTANTIATE_TEST_SUITE_P (Formats, HostedPlugin, ::testing::Values ("VST3", "LV2"), formatName);
} // namespace

#else

TEST (HostedPlugin, NeedsThePluginTargets)
{
    GTEST_SKIP() << "built without the VST3 and LV2 plug-in targets";
}

#endif
