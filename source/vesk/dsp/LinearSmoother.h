#pragma once

#include "vesk/dsp/ApproximatelyEqual.h"

namespace vesk::dsp
{
/** A value that walks linearly to its target in a fixed number of equal steps.

    It behaves like the framework's linear smoothed value, except that a new target
    approximately equal to the present one is ignored (JUCE 7 compares exactly). With a ramp
    length of 0 a new target becomes the current value at once.
*/
class LinearSmoother
{
public:
    /** Sets the ramp length and stops any ramp: the current value becomes the target. */
    void reset (int numSteps) noexcept
    {
        stepsToTarget = numSteps;
        setCurrentAndTargetValue (target);
    }

    void setCurrentAndTargetValue (float newValue) noexcept
    {
        target = current = newValue;
        countdown = 0;
    }

    void setTargetValue (float newValue) noexcept
    {
        if (approximatelyEqual (newValue, target))
            return;

        if (stepsToTarget <= 0)
        {
            setCurrentAndTargetValue (newValue);
            return;
        }

        target = newValue;
        countdown = stepsToTarget;
        step = (target - current) / static_cast<float> (countdown);
    }

    /** Advances one step and returns the new current value (the target once the ramp ends). */
    float getNextValue() noexcept
    {
        if (countdown <= 0)
            return target;

        --countdown;
        current = countdown > 0 ? current + step : target;
        return current;
    }

    bool isSmoothing() const noexcept { return countdown > 0; }
    float getTargetValue() const noexcept { return target; }
    float getCurrentValue() const noexcept { return current; }
    int getRampLength() const noexcept { return stepsToTarget; }

private:
    float current = 0.0f, target = 0.0f, step = 0.0f;
    int countdown = 0, stepsToTarget = 0;
};
} // namespace vesk::dsp
