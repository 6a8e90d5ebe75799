#include "vesk/dsp/DelayReader.h"

#include <cmath>

namespace vesk::dsp
{
namespace
{
    /** Fourth-order Lagrange polynomial through s[0] … s[4] (nodes −2 … 2), evaluated at f
        relative to the middle sample s[2].
    */
    inline float lagrange5 (const float* s, float f) noexcept
    {
        // Shared factors, and constant reciprocals in place of divisions: this runs once per
        // sample and route while a delay glides.
        const auto fp2 = f + 2.0f, fp1 = f + 1.0f, fm1 = f - 1.0f, fm2 = f - 2.0f;
        const auto outer = fp2 * fm2, inner = fp1 * fm1, ffm1 = f * fm1, ffp1 = f * fp1;
        constexpr auto sixth = 1.0f / 6.0f, twentyFourth = 1.0f / 24.0f;

        return (s[0] * (ffm1 * fm2) * fp1 + s[4] * (ffp1 * fp2) * fm1) * twentyFourth
            - (s[1] * (ffm1 * outer) + s[3] * (ffp1 * outer)) * sixth + s[2] * (outer * inner) * 0.25f;
    }

    /** The same polynomial over five samples starting at `first`, indices wrapped into the ring. */
    inline float lagrange5Wrapped (const float* ring, int length, int first, float f) noexcept
    {
        float window[5];

        for (int j = 0; j < 5; ++j)
        {
            auto index = first + j;
            index = index < 0 ? index + length : (index >= length ? index - length : index);
            window[j] = ring[index];
        }

        return lagrange5 (window, f);
    }
} // namespace

void DelayReader::setRampLength (int steps) noexcept
{
    delaySmoother.reset (steps);
    gainSmoother.reset (steps);
}

void DelayReader::setDelay (float samples) noexcept
{
    // A delay is never negative; non-finite input must not reach the index arithmetic.
    delaySmoother.setTargetValue (std::isfinite (samples) ? juce::jmax (0.0f, samples) : 0.0f);
}

void DelayReader::setGain (float linearGain) noexcept
{
    gainSmoother.setTargetValue (linearGain);
}

void DelayReader::process (int channel, float* destination, int numSamples) noexcept
{
    const auto length = source->getLength();

    if (numSamples <= 0 || length <= 0)
        return;

    const auto writePosition = source->getWritePosition();
    const auto* ring = source->getReadPointer (channel);

    if (isRamping())
        processRamping (ring, length, writePosition, destination, numSamples);
    else
        processSteady (ring, length, writePosition, destination, numSamples);
}

void DelayReader::processSteady (
    const float* ring, int length, int writePosition, float* destination, int numSamples) noexcept
{
    const auto gain = gainSmoother.getTargetValue();
    const auto delay = delaySmoother.getNextValue();

    // Ties to even under the default rounding mode.
    auto start = static_cast<int> (
        std::nearbyint (static_cast<float> (writePosition) - (static_cast<float> (numSamples) + delay)));

    if (start < 0)
        start += length;

    // Only a delay beyond the ring's length (outside the callers' contract) can get here.
    if (start < 0 || start >= length)
        start = ((start % length) + length) % length;

    if (start + numSamples < length)
    {
        juce::FloatVectorOperations::addWithMultiply (destination, ring + start, gain, numSamples);
        return;
    }

    const auto first = length - start;
    juce::FloatVectorOperations::addWithMultiply (destination, ring + start, gain, first);
    juce::FloatVectorOperations::addWithMultiply (destination + first, ring, gain, numSamples - first);
}

void DelayReader::processRamping (
    const float* ring, int length, int writePosition, float* destination, int numSamples) noexcept
{
    const auto lengthF = static_cast<float> (length);
    const auto numSamplesF = static_cast<float> (numSamples);

    for (int k = 0; k < numSamples; ++k)
    {
        const auto delay = delaySmoother.getNextValue();
        auto position = static_cast<float> (writePosition + k) - (delay + numSamplesF);

        if (position < 0.0f)
            position += lengthF;

        // Outside the callers' contract only (a delay longer than the ring).
        if (position < 0.0f)
            position = 0.0f;

        const auto index = static_cast<int> (position);
        const auto fraction = position - static_cast<float> (index);
        float value;

        if (index >= 5 && index < length)
            value = lagrange5 (ring + index - 4, fraction);
        else if (index < 5)
            value = lagrange5Wrapped (ring, length, index - 5, fraction);
        else
            // Single-precision rounding can wrap a position just below 0 to exactly the ring
            // length: read the same window, with its last sample taken from the ring's start.
            value = lagrange5Wrapped (ring, length, index - 4, fraction);

        destination[k] += gainSmoother.getNextValue() * value;
    }
}
} // namespace vesk::dsp
