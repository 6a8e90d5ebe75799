#include "PresetFixture.h"

namespace presets_test
{
namespace
{
    class PresetLoad : public PresetFixture
    {
    protected:
        void SetUp() override
        {
            PresetFixture::SetUp();
            echo = writePreset (user.getChildFile ("Echo.tappreset"),
                                "Echo",
                                { { "Tap-A-X", "0.25" }, { "Tap-B-Output", "-12" } });
            makeManager();
        }

        juce::File echo;
    };

    TEST_F (PresetLoad, LoadingAListedPresetAppliesSelectsAndClearsTheDirtyFlag)
    {
        setValue ("Tap-C-X", -0.5f);
        const auto id = idOfFile (echo);
        ASSERT_EQ (id, 1);

        EXPECT_TRUE (manager->loadPreset (id));

        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), 0.25f);
        EXPECT_FLOAT_EQ (valueOf ("Tap-B-Output"), -12.0f);
        EXPECT_FLOAT_EQ (valueOf ("Tap-C-X"), -0.5f) << "a parameter the preset does not mention keeps its value";
        EXPECT_EQ (manager->getSelectedPresetId(), id);
        EXPECT_FALSE (manager->isPresetDirty());
        EXPECT_EQ (listener.loaded, 1);
        EXPECT_EQ (listener.statusChanged, 1) << "the dirty flag is cleared silently, the selection is told";
        EXPECT_FALSE (processor.getTreeState().state.hasProperty ("preset_name"))
            << "preset attributes stay out of the state";
    }

    TEST_F (PresetLoad, FileFromOutsideBothFoldersIsAppliedWithoutChangingTheSelection)
    {
        ASSERT_TRUE (manager->loadPreset (1));
        setValue ("Tap-A-X", 0.75f);
        flushParameters();
        ASSERT_TRUE (manager->isPresetDirty());

        const auto outside =
            writePreset (root.getChildFile ("elsewhere/Far.tappreset"), "Far", { { "Tap-A-X", "-0.25" } });
        manager->loadPresetFile (outside);

        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), -0.25f);
        EXPECT_FALSE (manager->isPresetDirty());
        EXPECT_EQ (manager->getSelectedPresetId(), 1);
    }

    TEST_F (PresetLoad, UnknownIdsAreRefusedAndChangeNothing)
    {
        ASSERT_TRUE (manager->loadPreset (1));
        setValue ("Tap-A-X", 0.75f);
        flushParameters();
        const auto before = listener;

        for (const auto id : { -1, 2, 3, 1000 })
        {
            EXPECT_FALSE (manager->loadPreset (id)) << id;
            EXPECT_EQ (manager->getSelectedPresetId(), 1) << id;
            EXPECT_TRUE (manager->isPresetDirty()) << id;
            EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), 0.75f) << id;
        }

        EXPECT_EQ (listener.statusChanged, before.statusChanged);
        EXPECT_EQ (listener.loaded, before.loaded);
    }

    TEST_F (PresetLoad, ListedFileThatWasDeletedIsRefused)
    {
        ASSERT_TRUE (echo.deleteFile());
        EXPECT_FALSE (manager->loadPreset (1));
        EXPECT_EQ (manager->getSelectedPresetId(), -1);
    }

    TEST_F (PresetLoad, InitializeWithAnEmptyRegistrySelectsWithoutResetting)
    {
        setValue ("Tap-A-X", 0.5f);

        EXPECT_TRUE (manager->loadPreset (0));

        EXPECT_EQ (manager->getSelectedPresetId(), 0);
        EXPECT_FALSE (manager->isPresetDirty());
        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), 0.5f);
        EXPECT_EQ (listener.statusChanged, 2) << "dirty flag, then selection";
    }

    TEST_F (PresetLoad, EditSetsTheDirtyFlagOnceAndNotifiesOnce)
    {
        ASSERT_TRUE (manager->loadPreset (1));
        const auto before = listener.statusChanged;

        setValue ("Tap-D-X", 0.5f);
        flushParameters();
        EXPECT_TRUE (manager->isPresetDirty());
        EXPECT_EQ (listener.statusChanged, before + 1);

        setValue ("Tap-D-X", -0.5f);
        setValue ("Tap-E-X", 0.5f);
        flushParameters();
        EXPECT_EQ (listener.statusChanged, before + 1);
    }

    TEST_F (PresetLoad, LoadingLeavesNoModifiedMarkWhenValuesAreSnappedOrRounded)
    {
        // 0.3 does not survive the parameter's normalisation exactly, -12.4 snaps to whole dB
        // and 5 lies outside the position range: the value tree state writes all three back.
        const auto odd = writePreset (user.getChildFile ("Odd.tappreset"),
                                      "Odd",
                                      { { "Tap-A-X", "0.3" }, { "Tap-B-Output", "-12.4" }, { "Tap-C-Y", "5" } });
        manager->updatePresetLists (juce::dontSendNotification);
        ASSERT_TRUE (manager->loadPreset (idOfFile (odd)));

        flushParameters();

        EXPECT_FALSE (manager->isPresetDirty());
        EXPECT_FLOAT_EQ (valueOf ("Tap-B-Output"), -12.0f);
        EXPECT_FLOAT_EQ (valueOf ("Tap-C-Y"), 1.0f);
    }

    TEST_F (PresetLoad, StateRestoreLeavesSelectionAndDirtyFlagAloneAndStaysTracked)
    {
        ASSERT_TRUE (manager->loadPreset (1));
        const auto before = listener.statusChanged;

        auto restored = processor.getTreeState().copyState();
        restored.getChildWithProperty ("id", "Tap-A-X").setProperty ("value", -0.75f, nullptr);
        processor.getTreeState().state = restored;
        flushParameters();

        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), -0.75f);
        EXPECT_EQ (manager->getSelectedPresetId(), 1);
        EXPECT_FALSE (manager->isPresetDirty());
        EXPECT_EQ (listener.statusChanged, before);

        setValue ("Tap-F-X", 0.5f);
        flushParameters();
        EXPECT_TRUE (manager->isPresetDirty()) << "the manager listens to the restored tree";
    }

    //==========================================================================================
    TEST_F (PresetLoad, UnknownParameterEntryDoesNotOverwriteTheFirstEntry)
    {
        auto state = processor.getTreeState().state;
        const auto firstId = state.getChild (0).getProperty ("id").toString();
        const auto firstValue = valueOf (firstId);
        const auto entries = state.getNumChildren();

        const auto foreign = writePreset (root.getChildFile ("Foreign.tappreset"),
                                          "Foreign",
                                          { { "Tap-Z-Unknown", "0.7" }, { "Tap-A-X", "0.5" } });
        manager->loadPresetFile (foreign);

        EXPECT_EQ (state.getChild (0).getProperty ("id").toString(), firstId);
        EXPECT_FLOAT_EQ (valueOf (firstId), firstValue);
        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), 0.5f);
        ASSERT_EQ (state.getNumChildren(), entries + 1) << "the unknown entry is kept, without effect";
        EXPECT_EQ (state.getChild (entries).getProperty ("id").toString(), "Tap-Z-Unknown");
    }

    class UnusableValue : public PresetFixture, public ::testing::WithParamInterface<const char*>
    {
    };

    TEST_P (UnusableValue, LeavesTheParameterUnchanged)
    {
        makeManager();
        setValue ("Tap-A-X", -0.5f);
        setValue ("Tap-A-Output", -30.0f);
        const auto file =
            writePreset (root.getChildFile ("Bad.tappreset"),
                         "Bad",
                         { { "Tap-A-X", GetParam() }, { "Tap-A-Output", GetParam() }, { "Tap-B-X", "0.5" } });

        manager->loadPresetFile (file);

        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), -0.5f);
        EXPECT_FLOAT_EQ (valueOf ("Tap-A-Output"), -30.0f);
        EXPECT_FLOAT_EQ (valueOf ("Tap-B-X"), 0.5f) << "usable entries of the same preset apply";
    }

    INSTANTIATE_TEST_SUITE_P (
        Texts,
        UnusableValue,
        ::testing::Values (
            "abc", "", " ", "nan", "-nan", "inf", "-inf", "1e999", "-1e999", "0.5abc", "--1", "1e", ".", "0x10"));

    TEST_F (PresetLoad, NumericTextsInPlainNotationApply)
    {
        for (const auto& [text, expected] : std::vector<std::pair<const char*, float>>{ { "0.5", 0.5f },
                                                                                        { " -0.25 ", -0.25f },
                                                                                        { "+1", 1.0f },
                                                                                        { ".5", 0.5f },
                                                                                        { "-5e-1", -0.5f },
                                                                                        { "2.5E-1", 0.25f } })
        {
            manager->loadPresetFile (
                writePreset (root.getChildFile ("Good.tappreset"), "Good", { { "Tap-A-X", text } }));
            EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), expected) << text;
        }
    }

    //==========================================================================================
    TEST_F (PresetFixture, RegistryEntriesDriveInitializeAndItsDirtyTracking)
    {
        vesk::config::Registry registry;
        registry.add (vesk::config::makeControl ("Tap-A-X", "A X", "", "", "0"));
        registry.add (
            std::make_unique<vesk::config::Config> ("theme",
                                                    1,
                                                    2,
                                                    vesk::config::ControlInfo{ "Theme", "", "", "dark", 0, {} }));
        auto& m = makeManager (std::move (registry));

        EXPECT_EQ (processor.getTreeState().state.getProperty ("theme").toString(), "dark");

        setValue ("Tap-A-X", 0.5f);
        ASSERT_TRUE (m.loadPreset (0));
        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), 0.0f) << "reset to its default";
        flushParameters();
        EXPECT_FALSE (m.isPresetDirty()) << "the reset itself is no edit";

        setValue ("Tap-B-X", 0.5f);
        flushParameters();
        EXPECT_FALSE (m.isPresetDirty()) << "Initialize only watches its own entries";

        setValue ("Tap-A-X", 0.125f);
        flushParameters();
        EXPECT_TRUE (m.isPresetDirty());
    }
} // namespace
} // namespace presets_test
