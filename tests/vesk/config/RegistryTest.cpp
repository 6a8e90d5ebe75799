#include "vesk/config/Registry.h"
#include "vesk/config/ComponentInfo.h"
#include "vesk/config/NameHash.h"

#include <gtest/gtest.h>

namespace
{
using namespace vesk::config;

struct HashCase
{
    const char* name;
    std::uint64_t hash;
    std::int32_t id;
};

void PrintTo (const HashCase& c, std::ostream* os)
{
    *os << '"' << c.name << '"';
}

class NameHash : public ::testing::TestWithParam<HashCase>
{
};

// Published FNV-1a 64 vectors ("", "a", "foobar") and values worked out separately.
TEST_P (NameHash, IsFnv1a64ReducedTo31BitsAndNeverZero)
{
    const auto c = GetParam();
    EXPECT_EQ (hashName (c.name), c.hash) << c.name;
    EXPECT_EQ (idForName (c.name), c.id) << c.name;
    EXPECT_EQ (Config (c.name, 0, 0).id, c.id) << c.name;
}

INSTANTIATE_TEST_SUITE_P (Names,
                          NameHash,
                          ::testing::Values (HashCase{ "", 0xcbf29ce484222325ull, 69346085 },
                                             HashCase{ "a", 0xaf63dc4c8601ec8cull, 100789388 },
                                             HashCase{ "foobar", 0x85944171f73967e8ull, 2000250856 },
                                             HashCase{ "psco_open_preset", 0xca2aa57ef846fc9full, 2017918111 },
                                             HashCase{ "psco_save_preset", 0xab284a3e23e09b94ull, 601922452 },
                                             HashCase{ "psco_delete_preset", 0xabe0e868e56bd086ull, 1701564550 },
                                             HashCase{ "Gr\xc3\xbc\xc3\x9f"
                                                       "e",
                                                       0x20e72e11e324b0b8ull,
                                                       1663348920 },
                                             // Its low 31 bits are all zero.
                                             HashCase{ "zero-7433358799", 0x7bec107e80000000ull, 1 }));

//==============================================================================================
TEST (ConfigEntry, WithoutARecordCarriesThePlaceholderTexts)
{
    const Config entry ("psco_open_preset", 3, 2);
    const auto info = entry.getInfo();

    EXPECT_EQ (entry.kind, 3);
    EXPECT_EQ (entry.storage, 2);
    EXPECT_EQ (info.formalName, "Formal Name");
    EXPECT_EQ (info.category, "Unknown Category");
    EXPECT_EQ (info.description, "Description");
    EXPECT_EQ (info.defaultValue, "");
    EXPECT_EQ (info.extraValue, 0);
}

TEST (ConfigEntry, ControlKeepsFurtherTextsThatTheEntryRecordLeavesOut)
{
    const Control control ("c", 5, 6, ControlInfo{ "Formal", "Cat", "Desc", "7", 8, { "x", "y", "z" } });

    EXPECT_EQ (control.controlInfo.furtherTexts[2], "z");
    EXPECT_EQ (control.getInfo().furtherTexts[0], "");
    EXPECT_EQ (control.getInfo().extraValue, 8);

    const auto made = makeControl ("psco_next_preset", "Next Preset", "Presets", "Load the next preset.", "0");
    EXPECT_EQ (made->kind, 1);
    EXPECT_EQ (made->storage, 0);
    EXPECT_EQ (made->getInfo().formalName, "Next Preset");
    EXPECT_EQ (made->controlInfo.defaultValue, "0");
    EXPECT_EQ (made->controlInfo.extraValue, 0);
}

//==============================================================================================
TEST (Registry, LaterDuplicateIsFoundWhileIterationKeepsBoth)
{
    Registry registry;
    registry.add (makeControl ("psco_open_preset", "First", "", "", "0"));
    registry.add (makeControl ("psco_save_preset", "Save", "", "", "0"));
    registry.add (makeControl ("psco_open_preset", "Second", "", "", "0"));

    ASSERT_EQ (registry.size(), 3u);
    EXPECT_EQ (getFormalName (registry.find ("psco_open_preset")), "Second");
    EXPECT_EQ (getFormalName (registry.findById (idForName ("psco_open_preset"))), "Second");
    EXPECT_EQ (getFormalName (registry.find ("psco_save_preset")), "Save") << "earlier entries stay indexed";

    std::vector<std::string> order;
    for (const auto& entry : registry)
        order.push_back (entry->formalName);

    EXPECT_EQ (order, (std::vector<std::string>{ "First", "Save", "Second" }));
}

TEST (Registry, UnknownNameGivesNoEntryAndAMovedRegistryKeepsItsIndex)
{
    Registry registry;
    registry.add (nullptr);
    registry.add (makeControl ("psco_preset_list", "Preset List", "", "List of all the presets.", "0"));

    EXPECT_EQ (registry.find ("psco_missing"), nullptr);
    EXPECT_EQ (getFormalName (registry.find ("psco_missing")), "No Formal Name");

    const Registry moved (std::move (registry));
    ASSERT_NE (moved.find ("psco_preset_list"), nullptr);
    EXPECT_EQ (moved.size(), 1u);
}

TEST (Registry, ControlInfoNamesAndDescribesAComponent)
{
    Registry registry;
    registry.add (makeControl ("psco_next_preset", "Next Preset", "Presets", "Load the next preset.", "0"));

    juce::Component component;
    applyControlInfo (component, registry.find ("psco_next_preset"));

    EXPECT_EQ (component.getName(), "psco_next_preset");
    EXPECT_EQ (component.getTitle(), "Next Preset");
    EXPECT_EQ (component.getDescription(), "Load the next preset.");
    EXPECT_EQ (component.getHelpText(), "Load the next preset.");

    applyControlInfo (component, registry.find ("psco_missing"));
    EXPECT_EQ (component.getName(), "psco_next_preset");
}
} // namespace
