#pragma once

#include "PatchBuilder.h"

#include <vector>

namespace presets
{
/** One factory preset: where it goes, what it is called, what it does and how it is built.

    Every patch starts from a fresh processor with all taps off (see PatchBuilder). Delay
    times follow 120 BPM where a patch is rhythmic; the matrix and feedback routes add one
    host block to their time, so rhythmic patterns are made from input routes, which are
    exact. Every loop of matrix and feedback routes has a gain below 1, and levels leave
    headroom for a full-scale input.
*/
struct FactoryPatch
{
    const char* folder;
    const char* name;
    const char* summary;
    void (*build) (PatchBuilder&);
};

/** The factory presets, folder by folder. */
const std::vector<FactoryPatch>& getFactoryPatches();
} // namespace presets
