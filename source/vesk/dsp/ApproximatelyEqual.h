#pragma once

#include <algorithm>
#include <cmath>

namespace vesk
{
/** Approximate equality of two floats, as every "approximately equal" in the system means it:
    equal when both are finite and their difference is at most the smallest normal float, or
    at most one float epsilon times the larger magnitude. A non-finite value equals only itself.

    JUCE 7's own approximatelyEqual has no tolerance argument and misjudges negative values,
    so this one is used everywhere instead.
*/
inline bool approximatelyEqual (float a, float b) noexcept
{
    if (!(std::isfinite (a) && std::isfinite (b)))
        return a == b || (std::isnan (a) && std::isnan (b));

    const auto difference = std::abs (a - b);
    return difference <= 1.1754944e-38f || difference <= 1.1920929e-7f * std::max (std::abs (a), std::abs (b));
}
} // namespace vesk
