#include "PresetBarFixture.h"
#include "helpers/GuiTestHelpers.h"
#include "vesk/presets/PresetIcons.h"

namespace presets_test
{
namespace
{
    //==========================================================================================
    // Parts, texts and colours

    struct ControlCase
    {
        const char* name;
        const char* title;
        const char* description;
        int focusOrder;
    };

    const ControlCase barParts[] = {
        { "psco_preset_list", "Preset List", "List of all the presets.", 1 },
        { "psco_previous_preset", "Previous Preset", "Load the previous preset.", 2 },
        { "psco_next_preset", "Next Preset", "Load the next preset.", 3 },
        { "psco_confirm_preset_del_no", "Cancel Delete", "Cancel preset deletion.", 4 },
        { "psco_confirm_preset_del_yes", "Delete Preset", "Confirm preset deletion.", 5 },
        { "psco_confirm_preset_del", "Confirm Preset Deletion", "Are you sure you want to delete this preset?", 0 },
    };

    using PresetBarParts = PresetBarFixture;

    TEST_F (PresetBarParts, EveryPartCarriesItsNameTextsAndFocusOrder)
    {
        makeBar();

        for (const auto& c : barParts)
        {
            auto* part = findChild (*bar, c.name);
            ASSERT_NE (part, nullptr) << c.name;
            EXPECT_EQ (part->getTitle(), c.title) << c.name;
            EXPECT_EQ (part->getDescription(), c.description) << c.name;
            EXPECT_EQ (part->getHelpText(), c.description) << c.name;
            EXPECT_EQ (part->getExplicitFocusOrder(), c.focusOrder) << c.name;
        }

        EXPECT_EQ (bar->getName(), "psco_preset_list");
        EXPECT_EQ (bar->getTitle(), "Preset List");
        EXPECT_TRUE (bar->isFocusContainer());
        EXPECT_FALSE (bar->isKeyboardFocusContainer());
        EXPECT_EQ (confirmLabel().getText(), "Sure?");
    }

    TEST_F (PresetBarParts, OnlyTheBoxAndTheArrowsShowAtFirst)
    {
        makeBar();

        EXPECT_TRUE (box().isVisible());
        EXPECT_TRUE (button ("psco_previous_preset").isVisible());
        EXPECT_TRUE (button ("psco_next_preset").isVisible());
        EXPECT_FALSE (confirmLabel().isVisible());
        EXPECT_FALSE (button ("psco_confirm_preset_del_yes").isVisible());
        EXPECT_FALSE (button ("psco_confirm_preset_del_no").isVisible());
    }

    TEST_F (PresetBarParts, MenuEndsWithTheThreeActionsUnderTheirControlIds)
    {
        makeBar();
        const auto& menu = *box().getRootMenu();
        juce::StringArray texts;
        juce::Array<int> ids;

        for (juce::PopupMenu::MenuItemIterator it (menu, false); it.next();)
        {
            const auto& item = it.getItem();
            texts.add (item.isSeparator ? juce::String ("--") : item.text);
            ids.add (item.itemID);
            EXPECT_EQ (item.image != nullptr, item.itemID > 1) << item.text;
        }

        EXPECT_EQ (texts.joinIntoString ("|"), "Factory|User|--|Open Preset...|Save Preset...|Delete Preset...");
        EXPECT_EQ (ids[3], controlId ("psco_open_preset"));
        EXPECT_EQ (ids[4], controlId ("psco_save_preset"));
        EXPECT_EQ (ids[5], controlId ("psco_delete_preset"));

        const auto* initialize = findMenuItem (box(), 1);
        ASSERT_NE (initialize, nullptr);
        EXPECT_EQ (initialize->text, "Initialize");
    }

    TEST_F (PresetBarParts, OwnerCanReplaceTheMenu)
    {
        makeManager();
        int rebuilt = 0;
        bar = std::make_unique<vesk::PresetComponent> (manager.get());
        bar->onBuildMenu = [] (juce::PopupMenu& menu) { menu.addItem (7, "Only this"); };
        bar->onMenuRebuilt = [&rebuilt] { ++rebuilt; };

        bar->syncPresetList();

        EXPECT_EQ (box().getNumItems(), 1);
        EXPECT_EQ (box().getItemText (0), "Only this");
        EXPECT_EQ (rebuilt, 1);
    }

    struct Theme : juce::LookAndFeel_V4
    {
        Theme() { setColour (vesk::PresetComponent::barColourId, juce::Colour (0xff102030)); }
    };

    TEST_F (PresetBarParts, ColoursHaveDefaults)
    {
        makeBar();
        EXPECT_EQ (bar->findColour (vesk::PresetComponent::barColourId), juce::Colour (0xff2f4f4f));
        EXPECT_EQ (bar->findColour (vesk::PresetComponent::spareColourId), juce::Colour (0xffc0c0c0));
        EXPECT_EQ (bar->findColour (vesk::PresetComponent::iconColourId), juce::Colour (0xffc0c0c0));
        EXPECT_EQ (box().findColour (juce::ComboBox::backgroundColourId), juce::Colour (0xff2f4f4f));
        EXPECT_EQ (box().findColour (juce::PopupMenu::backgroundColourId), juce::Colour (0xff2f4f4f));
    }

    TEST_F (PresetBarParts, ALookAndFeelThatDefinesTheBarColourWins)
    {
        Theme theme;
        juce::LookAndFeel::setDefaultLookAndFeel (&theme);
        makeBar();
        const auto boxColour = box().findColour (juce::ComboBox::backgroundColourId);
        const auto iconColour = bar->findColour (vesk::PresetComponent::iconColourId);
        bar.reset();
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);

        EXPECT_EQ (boxColour, juce::Colour (0xff102030));
        EXPECT_EQ (iconColour, juce::Colour (0xffc0c0c0)) << "colours the theme leaves out keep their defaults";
    }

    TEST_F (PresetBarParts, ALookAndFeelChangePassesTheBarColourToTheBox)
    {
        makeBar();
        bar->setColour (vesk::PresetComponent::barColourId, juce::Colour (0xff405060));
        EXPECT_EQ (box().findColour (juce::ComboBox::backgroundColourId), juce::Colour (0xff2f4f4f));

        juce::LookAndFeel_V4 other;
        bar->setLookAndFeel (&other);

        EXPECT_EQ (box().findColour (juce::ComboBox::backgroundColourId), juce::Colour (0xff405060));
        EXPECT_EQ (box().findColour (juce::PopupMenu::backgroundColourId), juce::Colour (0xff405060));
        bar->setLookAndFeel (nullptr);
    }

    //==========================================================================================
    // Icons

    TEST (PresetIcons, EveryIconIsBlackSvgThatFillsItsViewBox)
    {
        using vesk::PresetIcon;

        for (const auto icon : { PresetIcon::checkMark,
                                 PresetIcon::prohibitionSign,
                                 PresetIcon::roundedCross,
                                 PresetIcon::wasteBin,
                                 PresetIcon::triangleLeft,
                                 PresetIcon::triangleRight,
                                 PresetIcon::openedFolder,
                                 PresetIcon::floppyDisk })
        {
            const auto xml = juce::parseXML (vesk::getPresetIconSvg (icon));
            ASSERT_NE (xml, nullptr) << static_cast<int> (icon);
            auto drawable = juce::Drawable::createFromSVG (*xml);
            ASSERT_NE (drawable, nullptr) << static_cast<int> (icon);

            // Drawn into a square, an icon covers a good part of it and uses no other colour.
            juce::Image image (juce::Image::ARGB, 64, 64, true);
            {
                juce::Graphics g (image);
                drawable->drawWithin (g, { 0.0f, 0.0f, 64.0f, 64.0f }, juce::RectanglePlacement::centred, 1.0f);
            }

            int covered = 0;
            for (int y = 0; y < 64; ++y)
            {
                for (int x = 0; x < 64; ++x)
                {
                    const auto pixel = image.getPixelAt (x, y);
                    if (pixel.getAlpha() == 255)
                    {
                        ++covered;
                        EXPECT_EQ (pixel.getARGB(), 0xff000000u) << static_cast<int> (icon);
                    }
                }
            }

            EXPECT_GT (covered, 64 * 64 / 10) << static_cast<int> (icon);
        }
    }

    TEST_F (PresetBarParts, ArrowsAreDrawnInTheIconColour)
    {
        makeBar();
        const auto image = test::paintToImage (*bar);
        const auto silver = juce::Colour (0xffc0c0c0);

        auto countSilver = [&image, silver] (juce::Rectangle<int> area)
        {
            int n = 0;
            for (int y = area.getY(); y < area.getBottom(); ++y)
                for (int x = area.getX(); x < area.getRight(); ++x)
                    n += image.getPixelAt (x, y) == silver ? 1 : 0;
            return n;
        };

        EXPECT_GT (countSilver (button ("psco_previous_preset").getBounds()), 20);
        EXPECT_GT (countSilver (button ("psco_next_preset").getBounds()), 20);
    }

    //==========================================================================================
    // Layout

    struct LayoutCase
    {
        int width, height;
        juce::Rectangle<int> previous, next, box, no, yes;
    };

    // Worked out by hand from the layout rules, margin 5.
    const LayoutCase layouts[] = {
        { 300, 40, { 0, 0, 20, 40 }, { 280, 0, 20, 40 }, { 20, 5, 260, 30 }, { 25, 5, 30, 30 }, { 245, 5, 30, 30 } },
        { 401, 31, { 0, 0, 15, 31 }, { 386, 0, 15, 31 }, { 15, 5, 371, 21 }, { 20, 5, 21, 21 }, { 360, 5, 21, 21 } },
        // Narrower than the arrows want: the previous arrow takes everything.
        { 12, 40, { 0, 0, 12, 40 }, { 12, 0, 0, 40 }, { 12, 5, 0, 30 }, { 17, 5, 0, 30 }, { 7, 5, 0, 30 } },
        // A middle too short for two square buttons: the cancel button takes what there is.
        { 100, 40, { 0, 0, 20, 40 }, { 80, 0, 20, 40 }, { 20, 5, 60, 30 }, { 25, 5, 30, 30 }, { 55, 5, 20, 30 } },
        // Lower than two margins: the middle has no height.
        { 200, 8, { 0, 0, 4, 8 }, { 196, 0, 4, 8 }, { 4, 5, 192, 0 }, { 9, 5, 0, 0 }, { 191, 5, 0, 0 } },
    };

    class PresetBarLayout : public PresetBarFixture, public ::testing::WithParamInterface<LayoutCase>
    {
    };

    TEST_P (PresetBarLayout, PlacesArrowsBoxAndConfirmationButtons)
    {
        const auto& c = GetParam();
        makeBar();
        bar->setSize (c.width, c.height);

        EXPECT_EQ (button ("psco_previous_preset").getBounds(), c.previous);
        EXPECT_EQ (button ("psco_next_preset").getBounds(), c.next);
        EXPECT_EQ (box().getBounds(), c.box);
        EXPECT_EQ (confirmLabel().getBounds(), c.box);
        EXPECT_EQ (button ("psco_confirm_preset_del_no").getBounds(), c.no);
        EXPECT_EQ (button ("psco_confirm_preset_del_yes").getBounds(), c.yes);
    }

    INSTANTIATE_TEST_SUITE_P (Sizes, PresetBarLayout, ::testing::ValuesIn (layouts));

    TEST_F (PresetBarParts, AnEmptySizeMovesNothing)
    {
        makeBar();
        const auto before = box().getBounds();
        bar->setSize (0, 40);
        EXPECT_EQ (box().getBounds(), before);
    }

    //==========================================================================================
    // What the box shows

    class PresetBarDisplay : public PresetBarFixture
    {
    protected:
        void SetUp() override
        {
            PresetBarFixture::SetUp();
            writePreset (factory.getChildFile ("Hall.tappreset"), "Hall", { { "Tap-A-X", "0.5" } });
            writePreset (user.getChildFile ("Mine.tappreset"), "Mine", { { "Tap-A-X", "-0.5" } });
            makeBar();
            hall = idOfFile (factory.getChildFile ("Hall.tappreset"));
            mine = idOfFile (user.getChildFile ("Mine.tappreset"));
        }

        int hall = -1, mine = -1;
    };

    TEST_F (PresetBarDisplay, FreshInstanceShowsNoPresetMarkedAsModified)
    {
        EXPECT_EQ (shownText (box()), "No Preset*");
        EXPECT_EQ (box().getSelectedId(), 0);
        EXPECT_FALSE (isDeleteEnabled());
    }

    TEST_F (PresetBarDisplay, SelectedPresetIsTickedUntilAParameterChanges)
    {
        ASSERT_TRUE (manager->loadPreset (hall));
        EXPECT_EQ (shownText (box()), "Hall");
        EXPECT_EQ (box().getSelectedId(), hall + 1);

        setValue ("Tap-B-Y", 0.25f);
        flushParameters();

        EXPECT_EQ (shownText (box()), "Hall*");
        EXPECT_EQ (box().getSelectedId(), 0) << "no item is ticked while modified";

        ASSERT_TRUE (manager->loadPreset (0));
        EXPECT_EQ (shownText (box()), "Initialize");
        EXPECT_EQ (box().getSelectedId(), 1);
    }

    TEST_F (PresetBarDisplay, UnmodifiedStateWithoutSelectionShowsTheNothingSelectedText)
    {
        ASSERT_TRUE (manager->loadPreset (mine));
        manager->setSelectedPresetIndex (-1, juce::sendNotification);
        EXPECT_EQ (shownText (box()), "No preset");
    }

    TEST_F (PresetBarDisplay, DeleteIsEnabledOnlyForAnUnmodifiedUserPreset)
    {
        struct Case
        {
            const char* what;
            int presetId;
            bool modify;
            bool enabled;
        };

        const Case cases[] = {
            { "Initialize", 0, false, false },
            { "factory preset", hall, false, false },
            { "user preset", mine, false, true },
            { "modified user preset", mine, true, false },
        };

        for (const auto& c : cases)
        {
            ASSERT_TRUE (manager->loadPreset (c.presetId)) << c.what;

            if (c.modify)
            {
                setValue ("Tap-C-Z", 0.75f);
                flushParameters();
            }

            EXPECT_EQ (isDeleteEnabled(), c.enabled) << c.what;
        }

        manager->setSelectedPresetIndex (-1, juce::sendNotification);
        EXPECT_FALSE (isDeleteEnabled()) << "nothing selected";
    }

    TEST_F (PresetBarDisplay, ChoosingAPresetInTheBoxLoadsIt)
    {
        choose (mine + 1);

        EXPECT_EQ (manager->getSelectedPresetId(), mine);
        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), -0.5f);
        EXPECT_EQ (shownText (box()), "Mine");
    }

    TEST_F (PresetBarDisplay, ChoosingTheSelectedPresetReloadsItOnlyWhileModified)
    {
        choose (mine + 1);
        const auto loadsBefore = listener.loaded;

        choose (mine + 1);
        EXPECT_EQ (listener.loaded, loadsBefore) << "an unmodified selection is no change";

        setValue ("Tap-A-X", 0.9f);
        flushParameters();
        choose (mine + 1);

        EXPECT_EQ (listener.loaded, loadsBefore + 1);
        EXPECT_FLOAT_EQ (valueOf ("Tap-A-X"), -0.5f);
        EXPECT_FALSE (manager->isPresetDirty());
        EXPECT_EQ (shownText (box()), "Mine") << "the reloaded preset is no longer marked";
    }

    TEST_F (PresetBarDisplay, ChoosingAnActionItemOnlyRestoresTheDisplay)
    {
        choose (mine + 1);
        const auto loadsBefore = listener.loaded;

        for (const auto* action : { "psco_open_preset", "psco_save_preset", "psco_delete_preset" })
        {
            choose (controlId (action));
            EXPECT_EQ (shownText (box()), "Mine") << action;
            EXPECT_EQ (box().getSelectedId(), mine + 1) << action;
        }

        EXPECT_EQ (listener.loaded, loadsBefore);
        EXPECT_TRUE (user.getChildFile ("Mine.tappreset").existsAsFile());
        EXPECT_FALSE (isConfirming()) << "choosing the item alone does not act; its menu action does";
    }

    TEST_F (PresetBarDisplay, MenuFollowsARescanOfTheManager)
    {
        writePreset (user.getChildFile ("Later.tappreset"), "Later");
        EXPECT_EQ (box().getNumItems(), 6) << "Initialize, Hall, Mine and the three actions";

        manager->updatePresetLists (juce::sendNotification);

        EXPECT_EQ (box().getNumItems(), 7);
    }

    //==========================================================================================
    // Previous and next

    class PresetBarStepping : public PresetBarFixture
    {
    protected:
        void SetUp() override
        {
            PresetBarFixture::SetUp();
            // Entries 0 … 4: Initialize, two factory and two user presets.
            writePreset (factory.getChildFile ("F1.tappreset"), "F1");
            writePreset (factory.getChildFile ("F2.tappreset"), "F2");
            writePreset (user.getChildFile ("U1.tappreset"), "U1");
            writePreset (user.getChildFile ("U2.tappreset"), "U2");
            makeBar();
            ASSERT_EQ (manager->getFirstUserPresetId() + manager->getUserPresetCount(), 5);
        }
    };

    TEST_F (PresetBarStepping, BothDirectionsWrapAroundOverEveryEntry)
    {
        struct Case
        {
            int from;
            bool next;
            int to;
        };

        const Case cases[] = {
            { 3, true, 4 },  { 4, true, 0 },  { 0, true, 1 },  { 0, false, 4 },
            { 4, false, 3 }, { 1, false, 0 }, { -1, true, 0 }, { -1, false, 4 },
        };

        for (const auto& c : cases)
        {
            if (c.from >= 0)
                ASSERT_TRUE (manager->loadPreset (c.from));
            else
                manager->setSelectedPresetIndex (-1, juce::dontSendNotification);

            if (c.next)
                bar->nextPreset();
            else
                bar->previousPreset();

            EXPECT_EQ (manager->getSelectedPresetId(), c.to) << c.from << (c.next ? " next" : " previous");
            EXPECT_FALSE (manager->isPresetDirty());
        }
    }

    TEST_F (PresetBarStepping, ArrowButtonsStepAndTellTheOwner)
    {
        int previous = 0, next = 0;
        bar->onPrevious = [&previous] { ++previous; };
        bar->onNext = [&next] { ++next; };
        ASSERT_TRUE (manager->loadPreset (2));

        button ("psco_next_preset").onClick();
        EXPECT_EQ (manager->getSelectedPresetId(), 3);
        button ("psco_previous_preset").onClick();
        button ("psco_previous_preset").onClick();
        EXPECT_EQ (manager->getSelectedPresetId(), 1);

        EXPECT_EQ (next, 1);
        EXPECT_EQ (previous, 2);
    }

    TEST_F (PresetBarStepping, SteppingEndsAConfirmation)
    {
        ASSERT_TRUE (manager->loadPreset (4));
        bar->deletePreset();
        ASSERT_TRUE (isConfirming());

        bar->nextPreset();

        EXPECT_FALSE (isConfirming());
        EXPECT_TRUE (box().isVisible());
    }
} // namespace
} // namespace presets_test
