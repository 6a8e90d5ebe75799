#pragma once

#include "vesk/config/Config.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vesk::config
{
/** An in-memory, owning list of entries with a name index and an id index.

    Iteration follows the order of addition (the registry order). Duplicate names or ids are
    kept; the indexes find the entry added last. Each add rebuilds both indexes, which is fine
    for the handful of entries a registry holds. Built and read on one thread; no lock.
    Movable, not copyable.
*/
class Registry
{
public:
    using Entries = std::vector<std::unique_ptr<Config>>;

    Registry();
    ~Registry();
    Registry (Registry&&) noexcept;
    Registry& operator= (Registry&&) noexcept;
    Registry (const Registry&) = delete;
    Registry& operator= (const Registry&) = delete;

    /** Takes the entry; a null pointer is ignored. */
    void add (std::unique_ptr<Config> entry);

    /** The entry with that name (the last one added under it), or nullptr. */
    const Config* find (const std::string& name) const;

    /** The entry with that id (the last one added with it), or nullptr. */
    const Config* findById (std::int32_t id) const;

    Entries::const_iterator begin() const noexcept { return entries.begin(); }
    Entries::const_iterator end() const noexcept { return entries.end(); }
    size_t size() const noexcept { return entries.size(); }
    bool empty() const noexcept { return entries.empty(); }

private:
    void rebuildIndexes();

    Entries entries;
    std::unordered_map<std::string, const Config*> byName;
    std::unordered_map<std::int32_t, const Config*> byId;
};
} // namespace vesk::config
