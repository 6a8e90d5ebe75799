#include "PresetBarFixture.h"
#include "helpers/GuiTestHelpers.h"

namespace presets_test
{
namespace
{
    //==========================================================================================
    // Saving

    class PresetBarSave : public PresetBarFixture
    {
    protected:
        void SetUp() override
        {
            PresetBarFixture::SetUp();
            writePreset (user.getChildFile ("Mine.tappreset"), "Mine", { { "Tap-A-X", "-0.5" } });
            makeBar();
        }
    };

    TEST_F (PresetBarSave, AnyExtensionBecomesThePresetExtension)
    {
        for (const auto* chosen : { "Echo", "Echo.txt", "Echo.tappreset" })
        {
            const auto expected = user.getChildFile ("Echo.tappreset");
            expected.deleteFile();

            EXPECT_TRUE (bar->savePresetFile (user.getChildFile (chosen))) << chosen;

            EXPECT_TRUE (expected.existsAsFile()) << chosen;
            EXPECT_FALSE (user.getChildFile ("Echo.txt").exists()) << chosen;
            const auto xml = juce::parseXML (expected);
            ASSERT_NE (xml, nullptr) << chosen;
            EXPECT_EQ (xml->getStringAttribute ("preset_name"), "Echo") << chosen;
        }
    }

    TEST_F (PresetBarSave, FileIsTheStateTreeWithTheThreePresetAttributes)
    {
        setValue ("Tap-A-X", 0.25f);
        setValue ("Tap-C-Input-Time-0", 375.0f);
        const auto file = user.getChildFile ("Echo.tappreset");

        ASSERT_TRUE (bar->savePresetFile (file));

        const auto text = file.loadFileAsString();
        EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Wendrel"));
        EXPECT_TRUE (text.contains ("\r\n  <PARAM id=\"Tap-A-Active\" value=\"1.0\"/>\r\n"));

        const auto xml = juce::parseXML (text);
        ASSERT_NE (xml, nullptr);
        EXPECT_EQ (xml->getTagName(), "Wendrel");
        ASSERT_EQ (xml->getNumAttributes(), 3);
        EXPECT_EQ (xml->getAttributeName (0), "preset_version");
        EXPECT_EQ (xml->getAttributeValue (0), "0.2.0");
        EXPECT_EQ (xml->getAttributeName (1), "product_name");
        EXPECT_EQ (xml->getAttributeValue (1), "Wendrel");
        EXPECT_EQ (xml->getAttributeName (2), "preset_name");
        EXPECT_EQ (xml->getAttributeValue (2), "Echo");
        EXPECT_EQ (xml->getNumChildElements(), 1616);

        auto* x = xml->getChildByAttribute ("id", "Tap-A-X");
        auto* time = xml->getChildByAttribute ("id", "Tap-C-Input-Time-0");
        ASSERT_NE (x, nullptr);
        ASSERT_NE (time, nullptr);
        EXPECT_DOUBLE_EQ (x->getDoubleAttribute ("value"), 0.25) << "pending values are written before saving";
        EXPECT_DOUBLE_EQ (time->getDoubleAttribute ("value"), 375.0);
    }

    TEST_F (PresetBarSave, SavedPresetIsListedSelectedAndLoadsBack)
    {
        setValue ("Tap-B-Z", 0.75f);
        const auto file = user.getChildFile ("Echo.tappreset");
        ASSERT_TRUE (bar->savePresetFile (file));

        const auto echo = idOfFile (file);
        ASSERT_GE (echo, manager->getFirstUserPresetId());
        EXPECT_EQ (manager->getSelectedPresetId(), echo);
        EXPECT_NE (findMenuItem (box(), echo + 1), nullptr);
        EXPECT_EQ (shownText (box()), "Echo*") << "saving leaves the modified mark alone";

        setValue ("Tap-B-Z", 0.0f);
        ASSERT_TRUE (manager->loadPreset (echo));
        EXPECT_FLOAT_EQ (valueOf ("Tap-B-Z"), 0.75f);
        EXPECT_EQ (shownText (box()), "Echo");
    }

    TEST_F (PresetBarSave, SavingOutsideBothFoldersWritesButSelectsNothingNew)
    {
        const auto mine = idOfFile (user.getChildFile ("Mine.tappreset"));
        ASSERT_TRUE (manager->loadPreset (mine));
        const auto elsewhere = root.getChildFile ("elsewhere");
        ASSERT_TRUE (elsewhere.createDirectory().wasOk());

        ASSERT_TRUE (bar->savePresetFile (elsewhere.getChildFile ("Far")));

        EXPECT_TRUE (elsewhere.getChildFile ("Far.tappreset").existsAsFile());
        EXPECT_EQ (manager->getSelectedPresetId(), mine);
        EXPECT_LT (idOfFile (elsewhere.getChildFile ("Far.tappreset")), 0);
    }

    TEST_F (PresetBarSave, FailedWriteIsReportedAndChangesNothing)
    {
        const auto file = root.getChildFile ("missing/folder/Echo.tappreset");
        const auto itemsBefore = box().getNumItems();
        CerrCapture capture;

        EXPECT_FALSE (bar->savePresetFile (file));

        EXPECT_EQ (capture.text(), "FAULT!|Could not write fileToLoad file [" + file.getFullPathName() + "]!\n");
        EXPECT_FALSE (file.exists());
        EXPECT_EQ (box().getNumItems(), itemsBefore);
    }

    TEST_F (PresetBarSave, EmptyChoiceIsACancel)
    {
        int saves = 0;
        bar->onSave = [&saves] { ++saves; };

        EXPECT_FALSE (bar->savePresetFile (juce::File()));

        EXPECT_EQ (saves, 0);
        EXPECT_EQ (user.findChildFiles (juce::File::findFiles, false).size(), 1);
    }

    TEST_F (PresetBarSave, TwoBarsOnOneManagerBothSeeTheNewPreset)
    {
        vesk::PresetComponent other (manager.get());
        ASSERT_TRUE (bar->savePresetFile (user.getChildFile ("Echo")));

        auto& otherBox = *findChild<juce::ComboBox> (other, "psco_preset_list");
        EXPECT_EQ (otherBox.getNumItems(), box().getNumItems());
        EXPECT_EQ (shownText (otherBox), "Echo*");
    }

    //==========================================================================================
    // Opening and external dialogs

    using PresetBarOpen = PresetBarSave;

    TEST_F (PresetBarOpen, ChosenFileIsLoadedAndSelectedWhenListed)
    {
        int opens = 0;
        bar->onOpen = [&opens] { ++opens; };

        bar->openPresetFile (user.getChildFile ("Mine.tappreset"));

        EXPECT_EQ (opens, 1);
        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), -0.5f);
        EXPECT_EQ (shownText (box()), "Mine");
    }

    TEST_F (PresetBarOpen, CancelledMissingOrFolderChoicesLoadNothing)
    {
        int opens = 0;
        bar->onOpen = [&opens] { ++opens; };

        bar->openPresetFile (juce::File());
        EXPECT_EQ (opens, 0) << "a cancel tells nobody";

        bar->openPresetFile (user.getChildFile ("Gone.tappreset"));
        bar->openPresetFile (user);
        EXPECT_EQ (opens, 2);
        EXPECT_EQ (listener.loaded, 0);
        EXPECT_EQ (manager->getSelectedPresetId(), -1);
    }

    TEST_F (PresetBarOpen, ExternalDialogsOnlyTellTheOwner)
    {
        int opens = 0, saves = 0;
        bar->externalFileDialogs = true;
        bar->onOpen = [&opens] { ++opens; };
        bar->onSave = [&saves] { ++saves; };

        bar->openPreset();
        bar->savePreset();

        EXPECT_EQ (opens, 1);
        EXPECT_EQ (saves, 1);
        EXPECT_EQ (user.findChildFiles (juce::File::findFiles, false).size(), 1);
    }

    //==========================================================================================
    // Deleting

    class PresetBarDelete : public PresetBarFixture
    {
    protected:
        void SetUp() override
        {
            PresetBarFixture::SetUp();
            hallFile = writePreset (factory.getChildFile ("Hall.tappreset"), "Hall");
            mineFile = writePreset (user.getChildFile ("Mine.tappreset"), "Mine");
            makeBar();
        }

        juce::File hallFile, mineFile;
    };

    TEST_F (PresetBarDelete, FirstCallAsksSecondCallDeletes)
    {
        ASSERT_TRUE (manager->loadPreset (idOfFile (mineFile)));
        int deletes = 0;
        bar->onDelete = [&deletes] { ++deletes; };

        bar->deletePreset();

        EXPECT_TRUE (isConfirming());
        EXPECT_FALSE (box().isVisible());
        EXPECT_TRUE (button ("psco_confirm_preset_del_yes").isVisible());
        EXPECT_TRUE (button ("psco_confirm_preset_del_no").isVisible());
        EXPECT_TRUE (mineFile.existsAsFile());

        button ("psco_confirm_preset_del_yes").onClick();

        EXPECT_FALSE (mineFile.exists());
        EXPECT_FALSE (isConfirming());
        EXPECT_TRUE (box().isVisible());
        EXPECT_EQ (manager->getSelectedPresetId(), -1);
        EXPECT_EQ (manager->getUserPresetCount(), 0);
        EXPECT_EQ (box().getNumItems(), 5) << "Initialize, Hall and the three actions";
        EXPECT_EQ (shownText (box()), "No preset");
        EXPECT_EQ (deletes, 2);
    }

    TEST_F (PresetBarDelete, InitializeAndFactoryPresetsAreNeverDeleted)
    {
        for (const auto presetId : { 0, idOfFile (hallFile) })
        {
            ASSERT_TRUE (manager->loadPreset (presetId));
            bar->deletePreset();
            bar->deletePreset();
            EXPECT_FALSE (isConfirming()) << presetId;
        }

        EXPECT_TRUE (hallFile.existsAsFile());
    }

    TEST_F (PresetBarDelete, AFileThatVanishedIsReportedAndTheQuestionEnds)
    {
        ASSERT_TRUE (manager->loadPreset (idOfFile (mineFile)));
        bar->deletePreset();
        ASSERT_TRUE (mineFile.deleteFile());
        CerrCapture capture;

        bar->deletePreset();

        EXPECT_EQ (capture.text(),
                   "FAULT!|Preset file to delete [" + mineFile.getFullPathName() + "] does not exist!\n");
        EXPECT_FALSE (isConfirming());
    }

    TEST_F (PresetBarDelete, CancelButtonAndAClickOnTheQuestionKeepTheFile)
    {
        ASSERT_TRUE (manager->loadPreset (idOfFile (mineFile)));

        bar->deletePreset();
        button ("psco_confirm_preset_del_no").onClick();
        EXPECT_FALSE (isConfirming());

        bar->deletePreset();
        ASSERT_TRUE (isConfirming());
        bar->getConfirmLabelMouse().mouseUp (test::makeMouseEvent (confirmLabel(), { 10.0f, 10.0f }));
        EXPECT_FALSE (isConfirming());
        EXPECT_TRUE (box().isVisible());

        EXPECT_TRUE (mineFile.existsAsFile());
        EXPECT_EQ (manager->getSelectedPresetId(), idOfFile (mineFile));
    }

    TEST_F (PresetBarDelete, OpenSaveAndTheBoxEndTheQuestion)
    {
        ASSERT_TRUE (manager->loadPreset (idOfFile (mineFile)));
        bar->externalFileDialogs = true;

        const std::function<void()> actions[] = {
            [this] { bar->openPreset(); },
            [this] { bar->savePreset(); },
            [this] { choose (1); },
        };

        for (const auto& action : actions)
        {
            ASSERT_TRUE (manager->loadPreset (idOfFile (mineFile)));
            bar->deletePreset();
            ASSERT_TRUE (isConfirming());
            action();
            EXPECT_FALSE (isConfirming());
        }

        EXPECT_TRUE (mineFile.existsAsFile());
    }

    // Runs the message loop for about eight seconds: the question's timeout is five. The
    // framework's timers may fire a few milliseconds early, so the checks leave some room.
    TEST_F (PresetBarDelete, QuestionGoesAwayFiveSecondsAfterItWasShown)
    {
        ASSERT_TRUE (manager->loadPreset (idOfFile (mineFile)));
        const auto start = juce::Time::getMillisecondCounter();
        auto runUntil = [start] (juce::uint32 ms)
        {
            const auto now = juce::Time::getMillisecondCounter() - start;
            if (now < ms)
                juce::MessageManager::getInstance()->runDispatchLoopUntil (static_cast<int> (ms - now));
        };

        // A first question, answered at once; its timeout must not end the second one early.
        bar->deletePreset();
        button ("psco_confirm_preset_del_no").onClick();

        runUntil (2500);
        const auto secondShown = juce::Time::getMillisecondCounter();
        bar->deletePreset();
        ASSERT_TRUE (isConfirming());

        runUntil (7000);
        EXPECT_TRUE (isConfirming()) << "the first question's timeout has passed; the second one stays";

        while (isConfirming() && juce::Time::getMillisecondCounter() - secondShown < 15000)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

        EXPECT_FALSE (isConfirming());
        EXPECT_GE (juce::Time::getMillisecondCounter() - secondShown, 4500u);
        EXPECT_TRUE (box().isVisible());
        EXPECT_TRUE (mineFile.existsAsFile());
    }

    //==========================================================================================
    // Without a manager

    TEST_F (PresetBarDelete, BarWhoseManagerIsGoneKeepsItsMenuAndIgnoresEveryAction)
    {
        ASSERT_TRUE (manager->loadPreset (idOfFile (mineFile)));
        const auto items = box().getNumItems();
        const auto text = shownText (box());
        manager->removeListener (&listener);
        manager.reset();

        bar->nextPreset();
        bar->previousPreset();
        bar->deletePreset();
        bar->deletePreset();
        bar->openPreset();
        bar->savePreset();
        bar->openPresetFile (mineFile);
        EXPECT_FALSE (bar->savePresetFile (user.getChildFile ("Echo")));
        choose (2);
        bar->syncPresetList();
        bar->updatePresetDisplay();
        test::runMessageLoop();

        EXPECT_EQ (box().getNumItems(), items);
        EXPECT_EQ (shownText (box()), "Hall") << "the box shows the item just chosen and nothing reacts";
        EXPECT_NE (text, shownText (box()));
        EXPECT_FALSE (isConfirming());
        EXPECT_TRUE (mineFile.existsAsFile());
        EXPECT_FALSE (user.getChildFile ("Echo.tappreset").exists());
        bar.reset();
    }

    TEST (PresetBarWithoutManager, ShowsAnEmptyBoxAndDoesNothing)
    {
        vesk::PresetComponent bar (nullptr);
        bar.setSize (300, 40);
        auto& box = *findChild<juce::ComboBox> (bar, "psco_preset_list");

        bar.nextPreset();
        bar.deletePreset();

        EXPECT_EQ (box.getNumItems(), 0);
        EXPECT_EQ (shownText (box), "No preset");
        EXPECT_FALSE (findChild (bar, "psco_confirm_preset_del")->isVisible());
    }
} // namespace
} // namespace presets_test
