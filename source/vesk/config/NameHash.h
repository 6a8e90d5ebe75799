#pragma once

#include <cstdint>
#include <string_view>

namespace vesk::config
{
/** FNV-1a, 64 bits, over the bytes of the text: offset basis 0xcbf29ce484222325, prime
    0x100000001b3. Chosen over std::hash because its value is fixed by definition, so an id is
    the same in every run, build and platform.
*/
std::uint64_t hashName (std::string_view name) noexcept;

/** The id of an entry name: the low 31 bits of its hash, or 1 when those are all zero, so
    that every id lies in 1 … 2147483647.
*/
std::int32_t idForName (std::string_view name) noexcept;
} // namespace vesk::config
