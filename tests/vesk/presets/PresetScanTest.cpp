#include "PresetFixture.h"

#include <set>

namespace presets_test
{
namespace
{
    using PresetScan = PresetFixture;

    std::vector<juce::var> childIds (const juce::ValueTree& folder)
    {
        std::vector<juce::var> result;

        for (const auto& child : folder)
            if (child.hasType ("preset_data"))
                result.push_back (child.getProperty ("preset_id"));

        return result;
    }

    TEST_F (PresetScan, NoFactoryFolderAndEmptyUserFolderGiveOnlyInitialize)
    {
        auto& m = makeManager();

        EXPECT_TRUE (user.isDirectory()) << "the missing user folder is created";
        EXPECT_FALSE (factory.exists()) << "the factory folder is never created";

        const auto& list = m.getPresetList();
        ASSERT_EQ (list.getNumChildren(), 2);
        const auto factoryNode = list.getChild (0);
        EXPECT_EQ (factoryNode.getType().toString(), "factory_folder");
        EXPECT_EQ (factoryNode.getProperty ("preset_folder_name").toString(), "Factory");
        ASSERT_EQ (factoryNode.getNumChildren(), 1);
        EXPECT_EQ (factoryNode.getChild (0).getProperty ("preset_name").toString(), "Initialize");
        EXPECT_EQ (static_cast<int> (factoryNode.getChild (0).getProperty ("preset_id")), 0);
        EXPECT_FALSE (factoryNode.getChild (0).hasProperty ("preset_file_path"));

        const auto userNode = list.getChild (1);
        EXPECT_EQ (userNode.getType().toString(), "user_folder");
        EXPECT_EQ (userNode.getProperty ("preset_folder_name").toString(), "User");
        EXPECT_EQ (userNode.getNumChildren(), 0);

        EXPECT_EQ (m.getFirstUserPresetId(), 1);
        EXPECT_EQ (m.getUserPresetCount(), 0);
        EXPECT_EQ (m.getSelectedPresetId(), -1);
        EXPECT_TRUE (m.isPresetDirty());
        EXPECT_EQ (listener.listChanged, 0) << "construction tells nobody";
    }

    TEST_F (PresetScan, NumbersTopFilesThenSubfoldersThenUserFolder)
    {
        const auto a = writePreset (factory.getChildFile ("a.tappreset"), "Alpha");
        const auto b = writePreset (factory.getChildFile ("b.tappreset"), "Beta");
        const auto c = writePreset (factory.getChildFile ("Sub/c.tappreset"), "Gamma");
        const auto u = writePreset (user.getChildFile ("u.tappreset"), "Mine");
        factory.getChildFile ("broken.tappreset").replaceWithText ("<Wendrel preset_name=");
        writePreset (factory.getChildFile ("other.xml"), "Wrong extension");
        factory.getChildFile ("Empty").createDirectory();

        auto& m = makeManager();

        EXPECT_EQ ((std::set<int>{ idOfFile (a), idOfFile (b) }), (std::set<int>{ 1, 2 }));
        EXPECT_EQ (idOfFile (c), 3);
        EXPECT_EQ (idOfFile (u), 4);
        EXPECT_EQ (m.getFirstUserPresetId(), 4);
        EXPECT_EQ (m.getUserPresetCount(), 1);

        const auto factoryNode = m.getPresetList().getChild (0);
        ASSERT_EQ (factoryNode.getNumChildren(), 4) << "Initialize, two files, one subfolder; no node for Empty";
        EXPECT_EQ (childIds (factoryNode), (std::vector<juce::var>{ 0, 1, 2 })) << "ids follow the listing order";
        EXPECT_EQ (factoryNode.getChild (3).getType().toString(), "factory_folder");
        EXPECT_EQ (factoryNode.getChild (3).getProperty ("preset_folder_name").toString(), "Sub");
        EXPECT_EQ (m.findPresetNode ("preset_id", 3).getProperty ("preset_name").toString(), "Gamma");

        ASSERT_TRUE (m.getPresetFile (3).has_value());
        EXPECT_EQ (*m.getPresetFile (3), c);
        EXPECT_FALSE (m.getPresetFile (0).has_value()) << "Initialize has no file";
        EXPECT_FALSE (m.getPresetFile (5).has_value());
    }

    TEST_F (PresetScan, WeakReferenceClearsWithTheManager)
    {
        juce::WeakReference<vesk::PresetManager> reference (&makeManager());
        ASSERT_NE (reference.get(), nullptr);

        manager->removeListener (&listener);
        manager.reset();
        EXPECT_EQ (reference.get(), nullptr);
    }

    TEST_F (PresetScan, RescanRenumbersAndNotifies)
    {
        writePreset (factory.getChildFile ("a.tappreset"), "Alpha");
        const auto u = writePreset (user.getChildFile ("u.tappreset"), "Mine");
        auto& m = makeManager();
        ASSERT_EQ (idOfFile (u), 2);

        writePreset (factory.getChildFile ("b.tappreset"), "Beta");
        m.updatePresetLists (juce::sendNotification);

        EXPECT_EQ (idOfFile (u), 3);
        EXPECT_EQ (m.getFirstUserPresetId(), 3);
        EXPECT_EQ (listener.listChanged, 1);

        m.updatePresetLists (juce::dontSendNotification);
        EXPECT_EQ (listener.listChanged, 1);
        EXPECT_EQ (m.getPresetList().getNumChildren(), 2) << "the old list is emptied first";
    }

    TEST_F (PresetScan, DottedFolderShowsTextBeforeTheLastDot)
    {
        writePreset (factory.getChildFile ("Vocal.Delays/slap.tappreset"), "Slap");
        auto& m = makeManager();

        const auto factoryNode = m.getPresetList().getChild (0);
        ASSERT_EQ (factoryNode.getNumChildren(), 2);
        EXPECT_EQ (factoryNode.getChild (1).getProperty ("preset_folder_name").toString(), "Vocal");
    }

    TEST_F (PresetScan, ScansFilesThreeLevelsDownButNoDeeper)
    {
        const auto level3 = writePreset (factory.getChildFile ("1/2/3/three.tappreset"), "Three");
        const auto level4 = writePreset (factory.getChildFile ("1/2/3/4/four.tappreset"), "Four");
        auto& m = makeManager();

        EXPECT_EQ (idOfFile (level3), 1);
        EXPECT_EQ (idOfFile (level4), -1);
        EXPECT_EQ (m.getFirstUserPresetId(), 2);
    }

    struct NameCase
    {
        const char* label;
        std::optional<juce::String> name;
    };

    void PrintTo (const NameCase& c, std::ostream* os)
    {
        *os << c.label;
    }

    class PresetNameValidation : public PresetFixture, public ::testing::WithParamInterface<NameCase>
    {
    };

    TEST_P (PresetNameValidation, PresetWithoutUsableNameIsNeitherListedNorApplied)
    {
        const auto file =
            writePreset (user.getChildFile ("nameless.tappreset"), GetParam().name, { { "Tap-A-X", "0.5" } });
        auto& m = makeManager();

        EXPECT_EQ (idOfFile (file), -1);
        EXPECT_EQ (m.getUserPresetCount(), 0);

        m.loadPresetFile (file);
        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), 0.0f);
    }

    INSTANTIATE_TEST_SUITE_P (Names,
                              PresetNameValidation,
                              ::testing::Values (NameCase{ "Empty", juce::String() },
                                                 NameCase{ "Missing", std::nullopt }),
                              [] (const auto& testInfo) { return std::string (testInfo.param.label); });

    //==========================================================================================
    /** Deletes a folder the first time validation sees a version text naming it, so that a
        folder vanishes after its parent was listed and before it is scanned.
    */
    class VanishingManager : public vesk::PresetManager
    {
    public:
        VanishingManager (tap::TapDelayProcessor& p, vesk::PresetFolders folders, juce::File parent)
            : vesk::PresetManager (p.getTreeState(), tap::getWendrelProductInfo(), "tappreset", {}, std::move (folders))
            , vanishParent (std::move (parent))
        {
        }

        // The constructor's scan ran before the hook could act; this one is the test.
        void scanWithHook()
        {
            checkProductName = true;
            updatePresetLists (juce::dontSendNotification);
        }

        bool isPresetVersionSupported (const juce::String& version) const override
        {
            if (checkProductName && !vanished && version.startsWith ("vanish-"))
            {
                vanished = true;
                vanishParent.getChildFile (version.fromFirstOccurrenceOf ("vanish-", false, false)).deleteRecursively();
            }

            return true;
        }

        mutable bool vanished = false;
        juce::File vanishParent;
    };

    TEST_F (PresetScan, SubfolderVanishingDuringTheScanCountsNoPresets)
    {
        // Whichever of A and B is listed first deletes the other before its scan.
        const auto top = writePreset (factory.getChildFile ("top.tappreset"), "Top");
        writePreset (factory.getChildFile ("A/a.tappreset"), "InA", {}, "Wendrel", "vanish-B");
        writePreset (factory.getChildFile ("B/b.tappreset"), "InB", {}, "Wendrel", "vanish-A");
        const auto mine = writePreset (user.getChildFile ("mine.tappreset"), "Mine");

        VanishingManager m (processor, { factory, user }, factory);
        m.scanWithHook();

        ASSERT_TRUE (m.vanished);
        EXPECT_EQ (m.getFirstUserPresetId(), 3) << "Initialize, top and one subfolder preset";
        EXPECT_EQ (m.findPresetNode ("preset_file_path", top.getFullPathName()).getProperty ("preset_id", -1),
                   juce::var (1));
        EXPECT_EQ (m.findPresetNode ("preset_file_path", mine.getFullPathName()).getProperty ("preset_id", -1),
                   juce::var (3));
        ASSERT_TRUE (m.getPresetFile (3).has_value());
        EXPECT_EQ (*m.getPresetFile (3), mine) << "the user's preset is not shadowed by a shifted id";
    }

    //==========================================================================================
    struct MenuItem
    {
        juce::String text;
        int itemId;
        int depth;
    };

    void flattenMenu (const juce::PopupMenu& menu, int depth, std::vector<MenuItem>& out)
    {
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            const auto& item = it.getItem();
            out.push_back ({ item.text, item.itemID, depth });

            if (item.subMenu != nullptr)
                flattenMenu (*item.subMenu, depth + 1, out);
        }
    }

    TEST_F (PresetScan, MenuMirrorsTheListWithItemIdsOneAboveThePresetIds)
    {
        writePreset (factory.getChildFile ("a.tappreset"), "Alpha");
        writePreset (factory.getChildFile ("Vocal.Delays/s.tappreset"), "Slap");
        writePreset (user.getChildFile ("u.tappreset"), "Mine");
        auto& m = makeManager();

        juce::PopupMenu menu;
        vesk::PresetManager::addPresetsToMenu (menu, m.getPresetList());

        std::vector<MenuItem> items;
        flattenMenu (menu, 0, items);

        const std::vector<MenuItem> expected{ { "Factory", 0, 0 }, { "Initialize", 1, 1 }, { "Alpha", 2, 1 },
                                              { "Vocal", 0, 1 },   { "Slap", 3, 2 },       { "User", 0, 0 },
                                              { "Mine", 4, 1 } };
        ASSERT_EQ (items.size(), expected.size());

        for (size_t i = 0; i < items.size(); ++i)
        {
            EXPECT_EQ (items[i].text, expected[i].text) << i;
            EXPECT_EQ (items[i].itemId, expected[i].itemId) << i;
            EXPECT_EQ (items[i].depth, expected[i].depth) << i;
        }
    }
} // namespace
} // namespace presets_test
