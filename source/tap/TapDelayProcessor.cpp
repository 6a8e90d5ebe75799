#include "tap/TapDelayProcessor.h"

#include "tap/TapDelayEditor.h"
#include "tap/WendrelProduct.h"

#include "vesk/dsp/SampleGuard.h"

#include <cmath>

#include <utility>

namespace tap
{
namespace
{
    bool isAmbisonic (int type) noexcept
    {
        // ACN 0–3 and 4–35 as JUCE 7 numbers them; JUCE 8 adds ACN 36–63 at 72–99.
        return (type >= 24 && type <= 27) || (type >= 30 && type <= 61) || (type >= 72 && type <= 99);
    }

    bool isNamedSpeaker (int type) noexcept
    {
        return type > juce::AudioChannelSet::unknown && type < juce::AudioChannelSet::discreteChannel0;
    }

    template <typename Predicate>
    bool anyChannel (const juce::AudioChannelSet& set, Predicate predicate)
    {
        for (int i = 0; i < set.size(); ++i)
            if (predicate (static_cast<int> (set.getTypeOfChannel (i))))
                return true;

        return false;
    }

    template <size_t... index>
    TapDelayProcessor::TapArray makeTapArray (TapDelayProcessor& owner, std::index_sequence<index...>)
    {
        return { Tap (juce::String::charToString (static_cast<juce::juce_wchar> ('A' + index)), owner)... };
    }
} // namespace

TapDelayProcessor::TapArray TapDelayProcessor::makeTaps (TapDelayProcessor& owner)
{
    return makeTapArray (owner, std::make_index_sequence<numTaps>());
}

TapDelayProcessor::TapDelayProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::mono(), true)
                                .withOutput ("Output", juce::AudioChannelSet::create7point1point4(), true))
    , taps (makeTaps (*this))
    , treeState (*this, &undoManager, "Wendrel", createParameterLayout())
    , presetManager (treeState, getWendrelProductInfo(), "tappreset", {})
    , scene (*this)
{
    for (size_t k = 0; k < taps.size(); ++k)
        taps[k].colour =
            juce::Colour::fromHSV (static_cast<float> (k) / static_cast<float> (numTaps), 0.8333333f, 0.7058824f, 1.0f);
}

TapDelayProcessor::~TapDelayProcessor() = default;

juce::AudioProcessorValueTreeState::ParameterLayout TapDelayProcessor::createParameterLayout()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;

    for (auto& t : taps)
        layout.add (t.createParameters());

    return layout;
}

//==============================================================================================
const juce::String TapDelayProcessor::getName() const
{
    return "Wendrel";
}

void TapDelayProcessor::prepareToPlay (double sampleRate, int maximumBlockSize)
{
    const auto in = getChannelLayoutOfBus (true, 0);
    const auto out = getChannelLayoutOfBus (false, 0);

    // A host's block size of 0 or a rate that is not a positive number would leave the taps
    // without a work buffer or the rings without a valid length: take 1 in their place.
    const auto safeBlockSize = juce::jlimit (1, 1 << 20, maximumBlockSize);
    const auto ringRate = std::isfinite (sampleRate) && sampleRate > 0.0 ? juce::jmin (sampleRate, 1.0e6) : 1.0;

    spec.sampleRate = juce::jmax (ringRate, 1.0);
    spec.blockSize = safeBlockSize;
    spec.inputLayout = vesk::dsp::SpeakerLayout (in);
    spec.outputLayout = vesk::dsp::SpeakerLayout (out);

    const auto length = static_cast<int> (ringRate * 3.0 + 2 * safeBlockSize);
    inputHistory.prepare (in.size(), length);

    for (auto& t : taps)
        t.prepare (spec);

    for (auto& cell : outputLevels)
        cell.store (0.0f);

    feedbackHistory.prepare (out.size(), length);
}

void TapDelayProcessor::releaseResources() {}

void TapDelayProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;

    // Hosts may send more than the prepared block size: such a block runs as consecutive
    // chunks, exactly as if the host had sent them one by one.
    const auto total = buffer.getNumSamples();
    const auto chunkSize = juce::jmax (1, spec.blockSize);

    for (int start = 0; start < total; start += chunkSize)
    {
        // A view of up to 31 channels uses the buffer's own preallocated pointer space.
        juce::AudioBuffer<float> chunk (buffer.getArrayOfWritePointers(),
                                        buffer.getNumChannels(),
                                        start,
                                        juce::jmin (chunkSize, total - start));
        processChunk (chunk);
    }
}

void TapDelayProcessor::processChunk (juce::AudioBuffer<float>& buffer) noexcept
{
    const auto numSamples = buffer.getNumSamples();
    const auto numInputs = juce::jmin (inputHistory.getNumChannels(), buffer.getNumChannels());

    inputHistory.push (buffer.getArrayOfReadPointers(), buffer.getNumChannels(), numSamples);

    for (auto& t : taps)
        t.gather (numSamples, numInputs);

    buffer.clear();

    for (auto& t : taps)
        t.render (buffer);

    // The output feeds back: no NaN or infinity may stay in the feedback ring.
    if (!buffer.hasBeenCleared())
        for (int c = 0; c < buffer.getNumChannels(); ++c)
            vesk::dsp::zeroNonFinite (buffer.getWritePointer (c), numSamples);

    raiseOutputLevels (buffer);

    if (buffer.getNumChannels() >= feedbackHistory.getNumChannels())
        feedbackHistory.push (buffer, numSamples);
}

void TapDelayProcessor::raiseOutputLevels (const juce::AudioBuffer<float>& buffer) noexcept
{
    const auto numChannels = buffer.getNumChannels();
    if (numChannels < 1 || numChannels > numLevelCells)
        return;

    for (int c = 0; c < numChannels; ++c)
    {
        auto& cell = outputLevels[(size_t) c];
        const auto peak = buffer.getMagnitude (c, 0, buffer.getNumSamples());
        cell.exchange (juce::jmax (std::abs (cell.load()), peak));
    }
}

double TapDelayProcessor::getTailLengthSeconds() const
{
    return 0.0;
}
bool TapDelayProcessor::acceptsMidi() const
{
    return false;
}
bool TapDelayProcessor::producesMidi() const
{
    return false;
}
bool TapDelayProcessor::isMidiEffect() const
{
    return false;
}

juce::AudioProcessorEditor* TapDelayProcessor::createEditor()
{
    return new TapDelayEditor (*this);
}

bool TapDelayProcessor::hasEditor() const
{
    return true;
}
int TapDelayProcessor::getNumPrograms()
{
    return 1;
}
int TapDelayProcessor::getCurrentProgram()
{
    return 0;
}
void TapDelayProcessor::setCurrentProgram (int) {}
const juce::String TapDelayProcessor::getProgramName (int)
{
    return {};
}
void TapDelayProcessor::changeProgramName (int, const juce::String&) {}

//==============================================================================================
void TapDelayProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::MemoryOutputStream stream (destData, false);
    // copyState() first writes pending parameter values into the tree, so a change made just
    // before the host saves is not lost.
    treeState.copyState().writeToStream (stream);
}

void TapDelayProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 0)
        return;

    auto tree = juce::ValueTree::readFromData (data, static_cast<size_t> (sizeInBytes));

    // Assigned rather than replaced: a restore leaves the undo history alone.
    if (tree.isValid())
        treeState.state = tree;
}

//==============================================================================================
bool TapDelayProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    return isLayoutAccepted (layouts.getMainInputChannelSet(), layouts.getMainOutputChannelSet());
}

bool TapDelayProcessor::isLayoutAccepted (const juce::AudioChannelSet& in, const juce::AudioChannelSet& out)
{
    using CS = juce::AudioChannelSet;

    return (in == CS::mono() || in == CS::stereo() || in == out) && out.size() <= maxOutputChannels
        && !anyChannel (out, isAmbisonic) && !out.isDisabled() && anyChannel (out, isNamedSpeaker) && out.size() >= 2
        && !anyChannel (out, [] (int t) { return t == CS::leftCentre || t == CS::rightCentre; });
}
} // namespace tap

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new tap::TapDelayProcessor();
}
