#pragma once

#include "vesk/config/ControlInfo.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vesk::config
{
/** One entry of a Registry: a name (also used as a component name), an id derived from it,
    two integer attributes and the first five fields of a ControlInfo.

    An entry never changes after construction, so its id always matches its name. `storage` 2
    marks an extra state property that presets carry.
*/
class Config
{
public:
    Config (std::string entryName, std::int32_t entryKind, std::int32_t entryStorage, const ControlInfo& info = {});
    virtual ~Config();

    /** The entry's own record; its further texts are always empty. */
    virtual ControlInfo getInfo() const;

    const std::string name;
    const std::int32_t id;
    const std::int32_t kind;
    const std::int32_t storage;
    const std::string formalName;
    const std::string category;
    const std::string description;
    const std::string defaultValue;
    const std::int32_t extraValue;

    Config (const Config&) = delete;
    Config& operator= (const Config&) = delete;
};

/** An entry that keeps a complete copy of the record it was made from, further texts
    included. It behaves as a Config otherwise.
*/
class Control : public Config
{
public:
    Control (std::string entryName, std::int32_t entryKind, std::int32_t entryStorage, const ControlInfo& info);

    const ControlInfo controlInfo;
};

/** A Control of kind 1 and storage 0 from the five texts, with extra value 0 and empty further
    texts.
*/
std::unique_ptr<Control> makeControl (
    std::string name, std::string formalName, std::string category, std::string description, std::string defaultValue);
} // namespace vesk::config
