#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vesk::config
{
/** The texts and number that describe one named thing of the library: a part of a user
    interface or an extra property of a plug-in's state.

    A default-constructed record carries the placeholder texts that an entry made without a
    record shows.
*/
struct ControlInfo
{
    std::string formalName = "Formal Name";
    std::string category = "Unknown Category";
    std::string description = "Description";
    /** For state properties: the initial property value and the value edits are compared with. */
    std::string defaultValue;
    std::int32_t extraValue = 0;
    /** Kept only by Control; nothing reads them. */
    std::array<std::string, 3> furtherTexts;
};
} // namespace vesk::config
