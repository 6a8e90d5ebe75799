#include "vesk/config/Config.h"

#include "vesk/config/NameHash.h"

#include <utility>

namespace vesk::config
{
Config::Config (std::string entryName, std::int32_t entryKind, std::int32_t entryStorage, const ControlInfo& info)
    : name (std::move (entryName))
    , id (idForName (name))
    , kind (entryKind)
    , storage (entryStorage)
    , formalName (info.formalName)
    , category (info.category)
    , description (info.description)
    , defaultValue (info.defaultValue)
    , extraValue (info.extraValue)
{
}

Config::~Config() = default;

ControlInfo Config::getInfo() const
{
    ControlInfo info;
    info.formalName = formalName;
    info.category = category;
    info.description = description;
    info.defaultValue = defaultValue;
    info.extraValue = extraValue;
    return info;
}

//==============================================================================================
Control::Control (std::string entryName, std::int32_t entryKind, std::int32_t entryStorage, const ControlInfo& info)
    : Config (std::move (entryName), entryKind, entryStorage, info)
    , controlInfo (info)
{
}

std::unique_ptr<Control> makeControl (
    std::string name, std::string formalName, std::string category, std::string description, std::string defaultValue)
{
    ControlInfo info;
    info.formalName = std::move (formalName);
    info.category = std::move (category);
    info.description = std::move (description);
    info.defaultValue = std::move (defaultValue);
    return std::make_unique<Control> (std::move (name), 1, 0, info);
}
} // namespace vesk::config
