#pragma once

#include <cstdint>
#include <cstring>

namespace vesk::dsp
{
/** Replaces every NaN and infinity in data with 0 and leaves finite samples untouched, bit
    for bit. Run on whatever is written back into a feedback ring, so that one bad sample
    from the host (or from runaway feedback) cannot circulate for ever.

    Integer operations only, so the compiler vectorises it and no floating-point mode
    (denormal flushing included) changes a finite sample. Real-time safe.
*/
inline void zeroNonFinite (float* data, int numSamples) noexcept
{
    for (int i = 0; i < numSamples; ++i)
    {
        std::uint32_t bits;
        std::memcpy (&bits, data + i, sizeof (bits));
        const std::uint32_t keep = (bits & 0x7f800000u) == 0x7f800000u ? 0u : 0xffffffffu;
        bits &= keep;
        std::memcpy (data + i, &bits, sizeof (bits));
    }
}
} // namespace vesk::dsp
