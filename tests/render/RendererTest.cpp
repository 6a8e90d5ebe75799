#include "render/Renderer.h"
#include "helpers/TemporaryFolder.h"
#include "render/CommandLine.h"
#include "tap/TapDelayProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

namespace
{
using CS = juce::AudioChannelSet;
using namespace tap::render;

constexpr float halfPower = 0.70710677f;

/** A folder of its own for each test, with helpers to write inputs and read outputs. */
class RendererTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (folder.isDirectory()); }

    /** Deterministic noise, a different sequence per channel. */
    static juce::AudioBuffer<float> noise (int numChannels, int numSamples)
    {
        juce::AudioBuffer<float> buffer (numChannels, numSamples);
        juce::Random random (1234);

        for (int c = 0; c < numChannels; ++c)
            for (int i = 0; i < numSamples; ++i)
                buffer.setSample (c, i, random.nextFloat() - 0.5f);

        return buffer;
    }

    juce::File writeInput (const juce::AudioBuffer<float>& audio,
                           double sampleRate,
                           const char* name = "in.wav",
                           CS layout = CS::disabled())
    {
        const auto file = folder.getChildFile (name);
        if (layout.isDisabled())
            layout = audio.getNumChannels() == 1 ? CS::mono()
                : audio.getNumChannels() == 2    ? CS::stereo()
                                                 : CS::discreteChannels (audio.getNumChannels());

        auto stream = std::make_unique<juce::FileOutputStream> (file);
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatWriter> writer (
            wav.createWriterFor (stream.get(), sampleRate, layout, 32, {}, 0));
        EXPECT_NE (writer, nullptr);
        if (writer != nullptr)
        {
            stream.release();
            writer->writeFromAudioSampleBuffer (audio, 0, audio.getNumSamples());
        }

        return file;
    }

    struct WavFile
    {
        std::unique_ptr<juce::AudioFormatReader> reader;
        juce::AudioBuffer<float> audio;
    };

    static WavFile readWav (const juce::File& file)
    {
        WavFile result;
        juce::WavAudioFormat wav;
        result.reader.reset (wav.createReaderFor (file.createInputStream().release(), true));

        if (result.reader != nullptr)
        {
            const auto length = static_cast<int> (result.reader->lengthInSamples);
            result.audio.setSize (static_cast<int> (result.reader->numChannels), length);
            result.reader->read (result.audio.getArrayOfWritePointers(), result.audio.getNumChannels(), 0, length);
        }

        return result;
    }

    RenderOptions optionsFor (const juce::File& input, const char* layout, int bits = 32)
    {
        RenderOptions o;
        o.input = input;
        o.output = folder.getChildFile ("out.wav");
        o.layoutName = layout;
        o.bitDepth = bits;
        return o;
    }

    /** Largest difference between a file channel and source channel shifted by `delay` samples
        and scaled by `gain` (silence before the shift and after the source ends).
    */
    static float deviation (const juce::AudioBuffer<float>& out,
                            int channel,
                            const juce::AudioBuffer<float>& source,
                            int sourceChannel,
                            int delay,
                            float gain)
    {
        float worst = 0.0f;
        for (int i = 0; i < out.getNumSamples(); ++i)
        {
            const auto k = i - delay;
            const auto expected =
                (k >= 0 && k < source.getNumSamples()) ? gain * source.getSample (sourceChannel, k) : 0.0f;
            worst = juce::jmax (worst, std::abs (out.getSample (channel, i) - expected));
        }
        return worst;
    }

    static float peakOf (const juce::AudioBuffer<float>& audio, int channel)
    {
        return audio.getMagnitude (channel, 0, audio.getNumSamples());
    }

    testing_helpers::TemporaryFolder temporary{ "wendrel-render-test" };
    const juce::File folder = temporary.getFile();
};

//==============================================================================================
TEST_F (RendererTest, AnInputRouteAt0dBComesOutDelayedFromTheFirstSample)
{
    const auto input = noise (1, 24000);
    auto options = optionsFor (writeInput (input, 48000.0), "stereo");
    options.tailSeconds = 0.25;
    options.settings = { { "Tap-A-Input-0", 0.0f }, { "Tap-A-Input-Time-0", 10.0f }, { "Tap-A-X", -1.0f } };

    const auto result = render (options);
    ASSERT_FALSE (result.failed()) << result.error;

    const auto file = readWav (options.output);
    ASSERT_NE (file.reader, nullptr);
    EXPECT_EQ (file.reader->numChannels, 2u);
    EXPECT_EQ (file.reader->sampleRate, 48000.0);
    EXPECT_EQ (file.reader->bitsPerSample, 32u);
    EXPECT_TRUE (file.reader->usesFloatingPointData);
    EXPECT_EQ (file.reader->lengthInSamples, 24000 + 12000);

    // Hard left: all of tap A in L, 10 ms = 480 samples late, even during the route's glide.
    EXPECT_LT (deviation (file.audio, 0, input, 0, 480, 1.0f), 1.0e-6f);
    EXPECT_EQ (peakOf (file.audio, 1), 0.0f);

    ASSERT_EQ (result.peaks.size(), 2u);
    EXPECT_EQ (result.peaks[0].name, "L");
    EXPECT_NEAR (result.peaks[0].peak, peakOf (input, 0), 1.0e-6f);
    EXPECT_EQ (result.peaks[1].peak, 0.0f);
}

TEST_F (RendererTest, A714RenderIsA12ChannelWavInMaskOrderAtTheInputRate)
{
    const auto input = noise (1, 8820);
    auto options = optionsFor (writeInput (input, 44100.0), "7.1.4", 24);
    options.settings = { { "Tap-A-Input-0", 0.0f }, { "Tap-A-Input-Time-0", 20.0f } };

    const auto result = render (options);
    ASSERT_FALSE (result.failed()) << result.error;

    const auto file = readWav (options.output);
    ASSERT_NE (file.reader, nullptr);
    EXPECT_EQ (file.reader->numChannels, 12u);
    EXPECT_EQ (file.reader->sampleRate, 44100.0);
    EXPECT_EQ (file.reader->bitsPerSample, 24u);
    EXPECT_FALSE (file.reader->usesFloatingPointData);
    EXPECT_EQ (file.reader->lengthInSamples, 8820);
    EXPECT_EQ (file.reader->getChannelLayout().size(), 12);
    EXPECT_TRUE (file.reader->getChannelLayout().getChannelTypes().contains (CS::topRearRight));

    // A tap in the middle of the room sits between the side surrounds, which a WAV file
    // stores as its channels 7 and 8 (after the rear pair). 20 ms at 44.1 kHz: 882 samples.
    const auto quantum = 2.0f / 8388608.0f;
    for (int c = 0; c < 12; ++c)
    {
        if (c == 6 || c == 7)
            EXPECT_LT (deviation (file.audio, c, input, 0, 882, halfPower), quantum) << c;
        else
            EXPECT_EQ (peakOf (file.audio, c), 0.0f) << c;
    }

    EXPECT_EQ (result.peaks[6].name, "Lss");
    EXPECT_EQ (result.peaks[4].name, "Lrs");
}

TEST_F (RendererTest, AMultichannelInputIsReadInTheOrderTheRendererWrites)
{
    // The input has the output's 12 channels in WAV order: file channel 6 is the left side
    // surround, processor input channel 4; processor channel 6 (top front left) is file
    // channel 8, which is silent.
    juce::AudioBuffer<float> input (12, 4800);
    input.clear();
    input.copyFrom (6, 0, noise (1, 4800), 0, 0, 4800);
    const auto file = writeInput (input, 48000.0);

    for (const auto& [id, expectsSound] : { std::pair{ "Tap-A-Input-4", true }, std::pair{ "Tap-A-Input-6", false } })
    {
        auto options = optionsFor (file, "7.1.4");
        options.settings = { { id, 0.0f }, { "Tap-A-X", -1.0f }, { "Tap-A-Y", 1.0f } };

        const auto result = render (options);
        ASSERT_FALSE (result.failed()) << result.error;
        const auto out = readWav (options.output);
        if (expectsSound)
            EXPECT_LT (deviation (out.audio, 0, input, 6, 0, 1.0f), 1.0e-6f) << id;
        else
            EXPECT_EQ (peakOf (out.audio, 0), 0.0f) << id;
    }
}

TEST_F (RendererTest, AStereoInputFeedsEachChannelToItsOwnRoute)
{
    const auto input = noise (2, 4800);
    auto options = optionsFor (writeInput (input, 48000.0), "stereo");
    options.settings = { { "Tap-A-Input-1", 0.0f }, { "Tap-A-X", 1.0f } };

    ASSERT_FALSE (render (options).failed());
    const auto out = readWav (options.output);
    EXPECT_LT (deviation (out.audio, 1, input, 1, 0, 1.0f), 1.0e-6f);
    EXPECT_EQ (peakOf (out.audio, 0), 0.0f);
}

TEST_F (RendererTest, ASavedStateIsLoadedAndSettingsComeAfterIt)
{
    juce::MemoryBlock state;
    {
        tap::TapDelayProcessor processor;
        auto& tree = processor.getTreeState();
        for (const auto& [id, value] : { std::pair{ "Tap-B-Input-0", 0.0f }, std::pair{ "Tap-B-X", -1.0f } })
            tree.getParameter (id)->setValueNotifyingHost (tree.getParameter (id)->convertTo0to1 (value));
        processor.getStateInformation (state);
    }
    const auto stateFile = folder.getChildFile ("route.state");
    ASSERT_TRUE (stateFile.replaceWithData (state.getData(), state.getSize()));

    const auto input = noise (1, 4800);
    auto options = optionsFor (writeInput (input, 48000.0), "stereo");
    options.state = stateFile;

    ASSERT_FALSE (render (options).failed());
    EXPECT_LT (deviation (readWav (options.output).audio, 0, input, 0, 0, 1.0f), 1.0e-6f);

    options.settings = { { "Tap-B-Input-0", -100.0f } };
    ASSERT_FALSE (render (options).failed());
    EXPECT_EQ (peakOf (readWav (options.output).audio, 0), 0.0f);
}

TEST_F (RendererTest, AFactoryPresetShapesTheRender)
{
    const auto preset = juce::File (WENDREL_FACTORY_PRESET_DIR).getChildFile ("Echoes/Slapback.tappreset");
    ASSERT_TRUE (preset.existsAsFile());

    const auto input = noise (1, 4800);
    auto options = optionsFor (writeInput (input, 48000.0), "7.1.4");
    options.preset = preset;
    options.tailSeconds = 0.5;

    const auto result = render (options);
    ASSERT_FALSE (result.failed()) << result.error;

    // The slapback's echoes come back after 105 ms at the earliest: nothing before that.
    const auto file = readWav (options.output);
    ASSERT_NE (file.reader, nullptr);
    float early = 0.0f, later = 0.0f;
    for (int c = 0; c < file.audio.getNumChannels(); ++c)
    {
        early = juce::jmax (early, file.audio.getMagnitude (c, 0, 4800));
        later = juce::jmax (later, file.audio.getMagnitude (c, 4800, file.audio.getNumSamples() - 4800));
    }
    EXPECT_EQ (early, 0.0f);
    EXPECT_GT (later, 0.05f);
}

TEST_F (RendererTest, AValueOutsideTheRangeIsClampedWithAWarning)
{
    const auto input = noise (1, 4800);
    auto options = optionsFor (writeInput (input, 48000.0), "stereo");
    options.settings = { { "Tap-A-Input-0", 6.0f }, { "Tap-A-X", -3.0f } };

    juce::StringArray warnings;
    RenderCallbacks callbacks;
    callbacks.warning = [&] (const juce::String& w) { warnings.add (w); };

    ASSERT_FALSE (render (options, callbacks).failed());
    ASSERT_EQ (warnings.size(), 2);
    EXPECT_TRUE (warnings[0].contains ("Tap-A-Input-0") && warnings[0].contains ("clamped to 0")) << warnings[0];
    EXPECT_TRUE (warnings[1].contains ("clamped to -1")) << warnings[1];
    EXPECT_LT (deviation (readWav (options.output).audio, 0, input, 0, 0, 1.0f), 1.0e-6f);
}

TEST_F (RendererTest, OnlyLongRendersReportProgressUpToTheEnd)
{
    const auto input = writeInput (noise (1, 4800), 48000.0);

    for (const auto tail : { 0.5, progressThresholdSeconds + 0.5 })
    {
        auto options = optionsFor (input, "stereo");
        options.tailSeconds = tail;

        std::vector<double> reports;
        RenderCallbacks callbacks;
        callbacks.progress = [&] (double fraction) { reports.push_back (fraction); };
        ASSERT_FALSE (render (options, callbacks).failed());

        if (tail < progressThresholdSeconds)
        {
            EXPECT_TRUE (reports.empty());
            continue;
        }

        ASSERT_FALSE (reports.empty());
        EXPECT_TRUE (std::is_sorted (reports.begin(), reports.end()));
        EXPECT_EQ (reports.back(), 1.0);
        EXPECT_LE (reports.size(), 101u);
    }
}

//==============================================================================================
/** One refused command line: the arguments (with the placeholders below), the exit code and a
    part of the error line. IN is a good mono input, OUT the target, which holds old bytes.
*/
struct BadRun
{
    const char* name;
    const char* arguments;
    int exitCode;
    const char* errorPart;
};

class RendererRefuses : public RendererTest, public ::testing::WithParamInterface<BadRun>
{
};

void PrintTo (const BadRun& b, std::ostream* os)
{
    *os << b.name;
}

std::string caseName (const ::testing::TestParamInfo<BadRun>& p)
{
    return p.param.name;
}

TEST_P (RendererRefuses, WithOneErrorLineAndTheTargetUntouched)
{
    writeInput (noise (1, 4800), 48000.0, "in.wav");
    writeInput (noise (3, 4800), 48000.0, "three.wav");
    folder.getChildFile ("text.wav").replaceWithText ("not audio");
    folder.getChildFile ("zeros.state").replaceWithData (std::vector<char> (64, 0).data(), 64);
    const auto target = folder.getChildFile ("out.wav");
    ASSERT_TRUE (target.replaceWithText ("old"));

    auto line = juce::String (GetParam().arguments)
                    .replace ("IN", folder.getChildFile ("in.wav").getFullPathName())
                    .replace ("OUT", target.getFullPathName())
                    .replace ("DIR", folder.getFullPathName());

    std::ostringstream out, err;
    const auto code = runCommandLine (juce::StringArray::fromTokens (line, " ", ""), out, err);

    EXPECT_EQ (code, GetParam().exitCode);
    const auto errText = juce::String (err.str());
    EXPECT_TRUE (errText.startsWith ("wendrel-render: error: ")) << errText;
    EXPECT_TRUE (errText.contains (GetParam().errorPart)) << errText;
    EXPECT_EQ (errText.indexOfChar ('\n'), errText.length() - 1) << "one line: " << errText;
    EXPECT_TRUE (out.str().empty());

    EXPECT_EQ (target.loadFileAsString(), "old");
    EXPECT_EQ (folder.findChildFiles (juce::File::findFiles, false, "*", juce::File::FollowSymlinks::no).size(), 5)
        << "no temporary file is left behind";
}

INSTANTIATE_TEST_SUITE_P (
    Cases,
    RendererRefuses,
    ::testing::Values (
        BadRun{ "MissingInput", "DIR/none.wav OUT", 1, "no such file" },
        BadRun{ "InputNotAudio", "DIR/text.wav OUT", 1, "not a readable WAV" },
        BadRun{ "UnknownParameter", "--set Tap-Q-X=0 IN OUT", 1, "unknown parameter 'Tap-Q-X'" },
        BadRun{ "UnknownLayout", "--layout 7.1.5 IN OUT", 1, "unknown layout '7.1.5'" },
        BadRun{ "MonoOutput", "--layout mono IN OUT", 1, "unknown layout 'mono'" },
        BadRun{ "ChannelCountRefused", "--layout stereo DIR/three.wav OUT", 1, "the input has 3 channels" },
        BadRun{ "ChannelCountRefusedFor714", "DIR/three.wav OUT", 1, "mono, stereo or 12-channel input" },
        BadRun{ "MissingState", "--state DIR/none.state IN OUT", 1, "cannot read state file" },
        BadRun{ "StateOfZeros", "--state DIR/zeros.state IN OUT", 1, "holds no saved plug-in state" },
        BadRun{ "MissingPreset", "--preset DIR/none.tappreset IN OUT", 1, "cannot read preset file" },
        BadRun{ "PresetNotXml", "--preset DIR/text.wav IN OUT", 1, "cannot read preset file" },
        BadRun{ "MissingOutputFolder", "IN DIR/none/out.wav", 1, "no folder" },
        BadRun{ "OutputIsAFolder", "IN DIR", 1, "it is a folder" },
        BadRun{ "ValueNotANumber", "--set Tap-A-Output=loud IN OUT", 2, "is not a number" },
        BadRun{ "BitDepth", "--bits 16 IN OUT", 2, "--bits must be 24 or 32" }),
    caseName);

TEST_F (RendererTest, TheCommandLinePrintsPeaksAndWarnings)
{
    const auto audio = noise (1, 4800);
    const auto input = writeInput (audio, 48000.0);
    const auto output = folder.getChildFile ("out.wav");

    std::ostringstream out, err;
    const auto line = "--layout stereo --set Tap-A-Input-0=3 --set Tap-A-X=-1 " + input.getFullPathName() + " "
        + output.getFullPathName();
    EXPECT_EQ (runCommandLine (juce::StringArray::fromTokens (line, " ", ""), out, err), 0);

    EXPECT_EQ (juce::String (err.str()),
               "wendrel-render: warning: Tap-A-Input-0 = 3 is outside -100 to 0: clamped to 0\n");

    const auto peak = juce::String (juce::Decibels::gainToDecibels (peakOf (audio, 0)), 2);
    const auto text = juce::String (out.str());
    EXPECT_TRUE (text.contains ("stereo, 2 channels, 48000 Hz, 24-bit")) << text;
    EXPECT_TRUE (text.contains ("   1 L    " + peak.paddedLeft (' ', 8))) << text;
    EXPECT_TRUE (text.contains ("   2 R        -inf")) << text;
}
} // namespace
