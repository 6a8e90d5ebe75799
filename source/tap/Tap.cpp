#include "tap/Tap.h"

#include "tap/ParameterText.h"
#include "tap/TapDelayProcessor.h"
#include "vesk/dsp/SampleGuard.h"

#include <cmath>

namespace tap
{
namespace
{
    using Group = juce::AudioProcessorParameterGroup;
    using TextFromValue = juce::String (*) (float, int);
    using ValueFromText = float (*) (const juce::String&);

    struct FloatSpec
    {
        float start, end, step, defaultValue;
        TextFromValue toText;
        ValueFromText fromText;
    };

    // Routes at or below this level are not processed (unless still gliding).
    constexpr float skipLevel = -99.1f;

    float gainFromDecibels (float decibels) noexcept
    {
        return decibels > -100.0f ? std::pow (10.0f, 0.05f * decibels) : 0.0f;
    }

    float samplesFromMilliseconds (float milliseconds, double sampleRate) noexcept
    {
        return static_cast<float> (static_cast<double> (milliseconds * 0.001f) * sampleRate);
    }

    constexpr FloatSpec positionSpec{ -1.0f, 1.0f, 0.0f, 0.0f, text::percentFromValue, text::percentToValue };
    constexpr FloatSpec heightSpec{ 0.0f, 1.0f, 0.0f, 0.0f, text::percentFromValue, text::percentToValue };
    constexpr FloatSpec levelSpec{ -100.0f, 0.0f, 1.0f, 0.0f, text::decibelFromValue, text::decibelToValue };
    constexpr FloatSpec routeGainSpec{ -100.0f, 0.0f, 1.0f, -100.0f, text::decibelFromValue, text::decibelToValue };
    constexpr FloatSpec inputTimeSpec{ 0.0f, 3000.0f, 1.0f, 0.0f, text::timeFromValue, text::timeToValue };
    // Declared below the range start on purpose: a fresh value reads 0.2 until first set,
    // while a host's reset gives the range start (1 ms).
    constexpr FloatSpec routeTimeSpec{ 1.0f, 3000.0f, 1.0f, 0.2f, text::timeFromValue, text::timeToValue };

    /** The one routine that creates every float parameter. */
    void addFloat (const juce::String& prefix,
                   Group& group,
                   const juce::String& suffix,
                   juce::AudioParameterFloat*& handle,
                   const FloatSpec& s)
    {
        auto attributes =
            juce::AudioParameterFloatAttributes().withStringFromValueFunction (s.toText).withValueFromStringFunction (
                s.fromText);

        auto parameter =
            std::make_unique<juce::AudioParameterFloat> (juce::ParameterID{ prefix + "-" + suffix, 1 },
                                                         prefix + " " + suffix,
                                                         juce::NormalisableRange<float> (s.start, s.end, s.step, 1.0f),
                                                         s.defaultValue,
                                                         attributes);
        handle = parameter.get();
        group.addChild (std::move (parameter));
    }

    void addRoute (const juce::String& prefix,
                   Group& group,
                   TapRoute& route,
                   const juce::String& gainSuffix,
                   const juce::String& timeSuffix,
                   const FloatSpec& timeSpec,
                   const vesk::dsp::CircularBuffer& source)
    {
        addFloat (prefix, group, gainSuffix, route.gain, routeGainSpec);
        addFloat (prefix, group, timeSuffix, route.time, timeSpec);
        // A new reader is at rest: ramp length 0 until the first prepare.
        route.reader = std::make_unique<vesk::dsp::DelayReader> (source);
    }
} // namespace

Tap::Tap (const juce::String& tapName, TapDelayProcessor& owner)
    : name (tapName)
    , processor (owner)
{
}

std::unique_ptr<juce::AudioProcessorParameterGroup> Tap::createParameters()
{
    const auto prefix = "Tap-" + name;
    auto group = std::make_unique<Group> (name, "Tap " + name, "|");

    auto activeParameter = std::make_unique<juce::AudioParameterBool> (juce::ParameterID{ prefix + "-Active", 1 },
                                                                       prefix + " Active",
                                                                       true);
    active = activeParameter.get();
    group->addChild (std::move (activeParameter));

    addFloat (prefix, *group, "X", x, positionSpec);
    addFloat (prefix, *group, "Y", y, positionSpec);
    addFloat (prefix, *group, "Z", z, heightSpec);
    addFloat (prefix, *group, "Output", output, levelSpec);

    for (int i = 0; i < numInputRoutes; ++i)
        addRoute (prefix,
                  *group,
                  inputs[(size_t) i],
                  "Input-" + juce::String (i),
                  "Input-Time-" + juce::String (i),
                  inputTimeSpec,
                  processor.getInputHistory());

    auto matrixGroup = std::make_unique<Group> ("matrix-" + name, "Tap " + name + " Matrix", "|");
    matrix.reserve (numMatrixRoutes);

    for (auto& source : processor.getTaps())
    {
        matrix.emplace_back();
        addRoute (prefix,
                  *matrixGroup,
                  matrix.back(),
                  "Input-from-" + source.name,
                  "Time-from-" + source.name,
                  routeTimeSpec,
                  source.getHistory());
    }

    group->addChild (std::move (matrixGroup));

    for (int i = 0; i < numFeedbackRoutes; ++i)
        addRoute (prefix,
                  *group,
                  feedback[(size_t) i],
                  "Feedback-" + juce::String (i),
                  "Feedback-Time-" + juce::String (i),
                  routeTimeSpec,
                  processor.getFeedbackHistory());

    return group;
}

void Tap::prepare (const vesk::dsp::ProcessingSpec& newSpec)
{
    spec = newSpec;

    if (workBuffer.getNumChannels() != 1 || workBuffer.getNumSamples() != spec.blockSize)
        workBuffer.setSize (1, spec.blockSize, false, false, false);
    workBuffer.clear();

    history.prepare (1, static_cast<int> (spec.sampleRate * 3.0 + 2 * spec.blockSize));

    panner.prepare (spec.outputLayout);

    const auto rampLength = static_cast<int> (std::floor (0.1 * spec.sampleRate));
    auto setRamp = [rampLength] (TapRoute& r) { r.reader->setRampLength (rampLength); };

    std::for_each (inputs.begin(), inputs.end(), setRamp);
    std::for_each (matrix.begin(), matrix.end(), setRamp);
    std::for_each (feedback.begin(), feedback.end(), setRamp);
}
} // namespace tap

namespace tap
{
//==============================================================================================
bool Tap::isRouteSkipped (const TapRoute& route) noexcept
{
    return !(route.gain->get() > skipLevel) && !route.reader->isRamping();
}

void Tap::updateRoute (TapRoute& route) const noexcept
{
    route.reader->setDelay (samplesFromMilliseconds (route.time->get(), spec.sampleRate));
    route.reader->setGain (gainFromDecibels (route.gain->get()));
}

void Tap::gather (int numSamples, int numInputChannels) noexcept
{
    // The work buffer stays marked clear until a route adds to it, so render can skip a
    // silent tap's panning without changing the result.
    workBuffer.clear();

    if (!isActive())
        return;

    float* destination = nullptr;
    auto addRoute = [&] (TapRoute& route, int channel)
    {
        if (destination == nullptr)
            destination = workBuffer.getWritePointer (0);
        route.reader->process (channel, destination, numSamples);
    };

    // Input and feedback routes test before taking new targets, so turning one down stops it
    // at once; matrix routes take their targets first and glide to silence.
    for (int i = 0; i < juce::jmin (numInputChannels, numInputRoutes); ++i)
    {
        auto& route = inputs[(size_t) i];
        if (isRouteSkipped (route))
            continue;
        updateRoute (route);
        addRoute (route, i);
    }

    for (auto& route : matrix)
    {
        updateRoute (route);
        if (isRouteSkipped (route))
            continue;
        addRoute (route, 0);
    }

    const auto numFeedback = juce::jmin (processor.getFeedbackHistory().getNumChannels(), numFeedbackRoutes);
    for (int j = 0; j < numFeedback; ++j)
    {
        auto& route = feedback[(size_t) j];
        if (isRouteSkipped (route))
            continue;
        updateRoute (route);
        addRoute (route, j);
    }
}

void Tap::render (juce::AudioBuffer<float>& buffer) noexcept
{
    const auto numSamples = buffer.getNumSamples();
    const auto silent = workBuffer.hasBeenCleared();

    if (!silent)
        vesk::dsp::zeroNonFinite (workBuffer.getWritePointer (0), numSamples);

    history.push (workBuffer, numSamples);

    if (!isActive())
    {
        level.exchange (0.0f);
        return;
    }

    const auto peak = silent ? 0.0f : juce::jmin (1.0f, workBuffer.getMagnitude (0, 0, numSamples));
    const auto stored = level.load();
    level.exchange (stored < peak ? peak : 0.995f * stored);

    panner.setPosition (x->get(), y->get(), z->get(), false);

    if (silent)
    {
        // Scaling and panning silence adds nothing; only the gain ramp's end point moves on.
        lastOutputGain = gainFromDecibels (output->get());
        return;
    }

    auto* work = workBuffer.getWritePointer (0);
    applyOutputGain (work, numSamples);

    const auto& gains = panner.getGains();
    const auto numChannels = juce::jmin (buffer.getNumChannels(), static_cast<int> (gains.size()));

    for (int c = 0; c < numChannels; ++c)
        if (gains[(size_t) c] != 0.0f)
            juce::FloatVectorOperations::addWithMultiply (buffer.getWritePointer (c),
                                                          work,
                                                          gains[(size_t) c],
                                                          numSamples);

    buffer.setNotClear();
}

void Tap::applyOutputGain (float* work, int numSamples) noexcept
{
    const auto target = gainFromDecibels (output->get());

    if (target == lastOutputGain)
    {
        if (target != 1.0f)
            juce::FloatVectorOperations::multiply (work, target, numSamples);
        return;
    }

    // The first sample takes the old gain; the new one is reached at the next block's start.
    const auto step = (target - lastOutputGain) / static_cast<float> (numSamples);
    for (int k = 0; k < numSamples; ++k)
        work[k] *= lastOutputGain + static_cast<float> (k) * step;

    lastOutputGain = target;
}
} // namespace tap
