#include "tap/TapDelayProcessor.h"
#include "tap/WendrelProduct.h"
#include "vesk/presets/PresetManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace
{
using CS = juce::AudioChannelSet;
using Values = std::map<juce::String, double>;

const juce::File factoryFolder{ WENDREL_FACTORY_PRESET_DIR };

/** The preset files under the factory folder, sorted; paths as text, so that test names and
    failure messages show them readably.
*/
std::vector<std::string> findFactoryPresets()
{
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator (WENDREL_FACTORY_PRESET_DIR))
        if (entry.is_regular_file() && entry.path().extension() == ".tappreset")
            paths.push_back (entry.path().string());

    std::sort (paths.begin(), paths.end());
    return paths;
}

/** The parameter values of a preset file, read straight from its XML. */
Values readValues (const juce::XmlElement& xml)
{
    Values values;
    for (const auto* entry : xml.getChildWithTagNameIterator ("PARAM"))
        values[entry->getStringAttribute ("id")] = entry->getDoubleAttribute ("value");
    return values;
}

double linear (double decibels)
{
    return decibels > -100.0 ? std::pow (10.0, decibels / 20.0) : 0.0;
}

using Matrix = std::array<std::array<double, 16>, 16>;

Matrix multiply (const Matrix& a, const Matrix& b)
{
    Matrix c{};
    for (size_t i = 0; i < 16; ++i)
        for (size_t k = 0; k < 16; ++k)
            for (size_t j = 0; j < 16; ++j)
                c[i][j] += a[i][k] * b[k][j];
    return c;
}

/** An upper bound of the loop gain of the taps' recirculation, for any output layout.

    Entry (t, s) bounds what tap s's gathered signal contributes to tap t's in one pass:
    the matrix route from s, plus every feedback route of t times s's output level (a panner
    gain is at most 1). For non-negative matrices ||A^k||^(1/k) never falls below the
    spectral radius, so a value below 1 proves that every loop dies away.
*/
double loopGainBound (const Values& v)
{
    auto name = [] (size_t index) { return juce::String::charToString (static_cast<juce::juce_wchar> ('A' + index)); };
    auto active = [&v, &name] (size_t index) { return v.at ("Tap-" + name (index) + "-Active") >= 0.5; };

    Matrix a{};
    for (size_t t = 0; t < 16; ++t)
    {
        const auto prefix = "Tap-" + name (t) + "-";
        double feedback = 0.0;
        for (int j = 0; j < 16; ++j)
            feedback += linear (v.at (prefix + "Feedback-" + juce::String (j)));

        for (size_t s = 0; s < 16; ++s)
            if (active (t) && active (s))
                a[t][s] = linear (v.at (prefix + "Input-from-" + name (s)))
                    + feedback * linear (v.at ("Tap-" + name (s) + "-Output"));
    }

    constexpr int squarings = 6;
    for (int i = 0; i < squarings; ++i)
        a = multiply (a, a);

    double norm = 0.0;
    for (const auto& row : a)
    {
        double sum = 0.0;
        for (const auto x : row)
            sum += x;
        norm = std::max (norm, sum);
    }

    return std::pow (norm, 1.0 / (1 << squarings));
}

//==============================================================================================
TEST (FactoryPresets, AtLeastTwelveInTwoOrThreeFoldersNamedAfterTheirFiles)
{
    const auto paths = findFactoryPresets();
    EXPECT_GE (paths.size(), 12u);

    std::set<juce::String> folders;
    for (const auto& path : paths)
    {
        const juce::File file (path);
        EXPECT_EQ (file.getParentDirectory().getParentDirectory(), factoryFolder) << file.getFullPathName();
        folders.insert (file.getParentDirectory().getFileName());

        const auto xml = juce::parseXML (file);
        ASSERT_NE (xml, nullptr) << file.getFullPathName();
        EXPECT_EQ (xml->getStringAttribute ("preset_name"), file.getFileNameWithoutExtension());
    }

    EXPECT_GE (folders.size(), 2u);
    EXPECT_LE (folders.size(), 3u);
}

//==============================================================================================
class FactoryPreset : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        user = juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("wendrel-user", "");
        manager = std::make_unique<vesk::PresetManager> (processor.getTreeState(),
                                                         tap::getWendrelProductInfo(),
                                                         "tappreset",
                                                         vesk::config::Registry{},
                                                         vesk::PresetFolders{ factoryFolder, user });
        xml = juce::parseXML (file);
        ASSERT_NE (xml, nullptr);
        values = readValues (*xml);
    }

    void TearDown() override
    {
        manager.reset();
        user.deleteRecursively();
    }

    bool load()
    {
        const auto node = manager->findPresetNode ("preset_file_path", file.getFullPathName());
        return manager->loadPreset (node.getProperty ("preset_id", -1));
    }

    const juce::File file{ GetParam() };
    tap::TapDelayProcessor processor;
    juce::File user;
    std::unique_ptr<vesk::PresetManager> manager;
    std::unique_ptr<juce::XmlElement> xml;
    Values values;
};

TEST_P (FactoryPreset, IsACompleteValidPresetOfThisProduct)
{
    EXPECT_EQ (xml->getTagName(), "Wendrel");
    EXPECT_EQ (xml->getStringAttribute ("product_name"), "Wendrel");
    EXPECT_EQ (xml->getStringAttribute ("preset_version"), "0.2.0");
    EXPECT_TRUE (manager->isPresetValid (juce::ValueTree::fromXml (*xml)));

    EXPECT_EQ (values.size(), 1616u);
    for (auto* parameter : processor.getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter);
        ASSERT_NE (ranged, nullptr);
        const auto it = values.find (ranged->getParameterID());
        ASSERT_NE (it, values.end()) << ranged->getParameterID();
        EXPECT_TRUE (std::isfinite (it->second)) << ranged->getParameterID();
    }
}

TEST_P (FactoryPreset, LoadsThroughTheManagerAndSetsEveryParameter)
{
    ASSERT_TRUE (load());
    EXPECT_FALSE (manager->isPresetDirty());

    auto& state = processor.getTreeState();
    for (const auto& [id, value] : values)
        EXPECT_NEAR (state.getRawParameterValue (id)->load(), value, 1.0e-6) << id;
}

TEST_P (FactoryPreset, EveryLoopDiesAway)
{
    EXPECT_LT (loopGainBound (values), 1.0);
}

struct Layout
{
    const char* name;
    CS in, out;
};

/** The processor on a layout at 48 kHz in blocks of 512, fed with bursts of noise at
    -6 dBFS peak on every input channel.
*/
class Playback
{
public:
    static constexpr int block = 512;

    Playback (tap::TapDelayProcessor& p, const Layout& layout)
        : processor (p)
        , numInputs (layout.in.size())
        , numOutputs (layout.out.size())
        , buffer (juce::jmax (numInputs, numOutputs), block)
    {
        juce::AudioProcessor::BusesLayout buses;
        buses.inputBuses.add (layout.in);
        buses.outputBuses.add (layout.out);
        EXPECT_TRUE (processor.setBusesLayout (buses));
        processor.prepareToPlay (48000.0, block);

        // Silence first, so that every route's glide after the prepare is over.
        play (20, 0);
    }

    struct Result
    {
        float peak = 0.0f;
        bool finite = true;
        std::vector<double> energy; // per stretch of `blocksPerStretch` blocks, all channels
    };

    /** Plays `blocks` blocks whose first `noiseSamples` samples are noise, the rest silence. */
    Result play (int blocks, int noiseSamples, int blocksPerStretch = 1)
    {
        Result result;
        result.energy.assign ((size_t) ((blocks + blocksPerStretch - 1) / blocksPerStretch), 0.0);

        for (int b = 0; b < blocks; ++b)
        {
            buffer.clear();
            for (int c = 0; c < numInputs; ++c)
                for (int k = 0; k < block && b * block + k < noiseSamples; ++k)
                    buffer.setSample (c, k, 0.5f * (2.0f * random.nextFloat() - 1.0f));

            processor.processBlock (buffer, midi);

            for (int c = 0; c < numOutputs; ++c)
            {
                const auto* data = buffer.getReadPointer (c);
                for (int k = 0; k < block; ++k)
                {
                    result.finite = result.finite && std::isfinite (data[k]);
                    result.peak = std::max (result.peak, std::abs (data[k]));
                    result.energy[(size_t) (b / blocksPerStretch)] += (double) data[k] * data[k];
                }
            }
        }

        return result;
    }

private:
    tap::TapDelayProcessor& processor;
    const int numInputs, numOutputs;
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer midi;
    juce::Random random{ 1234 };
};

const Layout layouts[] = { { "mono in, 7.1.4 out", CS::mono(), CS::create7point1point4() },
                           { "stereo in and out", CS::stereo(), CS::stereo() } };

TEST_P (FactoryPreset, BurstGivesBoundedSoundThatDecays)
{
    ASSERT_TRUE (load());

    for (const auto& layout : layouts)
    {
        Playback playback (processor, layout);

        // A 50 ms burst, then twelve seconds in stretches of about half a second.
        const auto result = playback.play (24 * 47, 2400, 47);

        const auto loudest = *std::max_element (result.energy.begin(), result.energy.end());
        const auto dropDb = 10.0 * std::log10 (loudest / std::max (result.energy.back(), 1.0e-30));

        EXPECT_TRUE (result.finite) << layout.name;
        EXPECT_GT (result.peak, 0.05f) << layout.name << ": the burst must come out";
        EXPECT_LT (result.peak, 1.0f) << layout.name << ": a -6 dBFS burst must not clip";
        EXPECT_GT (dropDb, 30.0) << layout.name << ": twelve seconds later the sound has died away";
    }
}

TEST_P (FactoryPreset, SustainedNoiseDoesNotClip)
{
    ASSERT_TRUE (load());

    for (const auto& layout : layouts)
    {
        Playback playback (processor, layout);

        // Eight seconds of noise: every loop reaches its steady level.
        const auto result = playback.play (750, 750 * Playback::block);

        EXPECT_TRUE (result.finite) << layout.name;
        EXPECT_LT (result.peak, 1.0f) << layout.name << ": -6 dBFS noise must not clip";
    }
}

std::string testNameOf (const ::testing::TestParamInfo<std::string>& param)
{
    const std::filesystem::path path (param.param);
    std::string name;
    for (const auto c : path.parent_path().filename().string() + "_" + path.stem().string())
        if (std::isalnum (static_cast<unsigned char> (c)) || c == '_')
            name += c;
    return name;
}

INSTANTIATE_TEST_SUITE_P (Files, FactoryPreset, ::testing::ValuesIn (findFactoryPresets()), testNameOf);
} // namespace
