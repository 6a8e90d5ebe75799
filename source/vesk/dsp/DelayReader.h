#pragma once

#include "vesk/dsp/CircularBuffer.h"
#include "vesk/dsp/LinearSmoother.h"

namespace vesk::dsp
{
/** Reads one channel of a CircularBuffer at a delay, scales it and adds it into a destination.

    Delay (in samples, possibly fractional) and gain glide along linear ramps when they change.
    While no ramp runs the read is a plain vector multiply-add at the delay rounded to whole
    samples; while a ramp runs every sample is read through a five-point Lagrange window,
    which places the read two samples further back than the steady read.

    Audio thread only; nothing here allocates.
*/
class DelayReader
{
public:
    explicit DelayReader (const CircularBuffer& sourceRing) noexcept
        : source (&sourceRing)
    {
    }

    /** Sets the ramp length of delay and gain, and stops any ramp running. */
    void setRampLength (int steps) noexcept;

    /** New target delay in samples. */
    void setDelay (float samples) noexcept;

    /** New target linear gain. */
    void setGain (float linearGain) noexcept;

    bool isRamping() const noexcept { return delaySmoother.isSmoothing() || gainSmoother.isSmoothing(); }

    /** Adds numSamples samples of ring channel `channel`, as they stood behind the last block
        pushed, into destination[0 … numSamples − 1]. The path (steady or ramping) is chosen
        once for the whole call.
    */
    void process (int channel, float* destination, int numSamples) noexcept;

    const CircularBuffer& getSource() const noexcept { return *source; }
    float getDelayTarget() const noexcept { return delaySmoother.getTargetValue(); }
    float getGainTarget() const noexcept { return gainSmoother.getTargetValue(); }

private:
    void processSteady (const float* ring, int length, int writePosition, float* destination, int numSamples) noexcept;
    void processRamping (const float* ring, int length, int writePosition, float* destination, int numSamples) noexcept;

    const CircularBuffer* source;
    LinearSmoother delaySmoother;
    LinearSmoother gainSmoother;
};
} // namespace vesk::dsp
