#include "vesk/config/Registry.h"

#include <utility>

namespace vesk::config
{
Registry::Registry()
{
    byName.max_load_factor (1.0f);
    byId.max_load_factor (1.0f);
}

Registry::~Registry() = default;
// The indexes point at heap entries, which a move of the vector does not relocate.
Registry::Registry (Registry&&) noexcept = default;
Registry& Registry::operator= (Registry&&) noexcept = default;

void Registry::add (std::unique_ptr<Config> entry)
{
    if (entry == nullptr)
        return;

    entries.push_back (std::move (entry));
    rebuildIndexes();
}

const Config* Registry::find (const std::string& name) const
{
    const auto found = byName.find (name);
    return found != byName.end() ? found->second : nullptr;
}

const Config* Registry::findById (std::int32_t id) const
{
    const auto found = byId.find (id);
    return found != byId.end() ? found->second : nullptr;
}

void Registry::rebuildIndexes()
{
    byName.clear();
    byId.clear();

    for (const auto& entry : entries)
    {
        byName[entry->name] = entry.get();
        byId[entry->id] = entry.get();
    }
}
} // namespace vesk::config
