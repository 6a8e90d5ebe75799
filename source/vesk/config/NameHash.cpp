#include "vesk/config/NameHash.h"

namespace vesk::config
{
std::uint64_t hashName (std::string_view name) noexcept
{
    constexpr std::uint64_t offsetBasis = 0xcbf29ce484222325ull;
    constexpr std::uint64_t prime = 0x100000001b3ull;

    auto hash = offsetBasis;

    for (const auto c : name)
    {
        hash ^= static_cast<unsigned char> (c);
        hash *= prime;
    }

    return hash;
}

std::int32_t idForName (std::string_view name) noexcept
{
    const auto low = static_cast<std::int32_t> (hashName (name) & 0x7fffffffull);
    return low != 0 ? low : 1;
}
} // namespace vesk::config
