#include "EditorTestHelpers.h"
#include "TapSceneTestHelpers.h"
#include "tap/TapSceneObject.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using Mode = vesk::SceneEditor::ViewMode;
using Rect = juce::Rectangle<int>;

//==============================================================================================
struct LayoutCase
{
    const char* name;
    int width, height;
    Rect preset, details, list, scene, meters;
    int topButtonX, sideButtonX, rearButtonX, orbitButtonX;
};

// Expected rectangles worked out by hand from the window size: a 48-pixel top bar, a right
// column of 400, details 240 high, meters 25 per channel plus 25 (12 channels) and at most 100
// high, buttons around the middle of the room view.
const LayoutCase layoutCases[] = {
    { "default",
      960,
      650,
      { 565, 5, 390, 38 },
      { 560, 410, 400, 240 },
      { 560, 48, 400, 362 },
      { 0, 48, 560, 602 },
      { 235, 550, 325, 100 },
      110,
      195,
      280,
      365 },
    { "narrowerThanTheColumn",
      300,
      650,
      { 5, 5, 290, 38 },
      { 0, 410, 300, 240 },
      { 0, 48, 300, 362 },
      { 0, 48, 0, 602 },
      { 0, 550, 0, 100 },
      -170,
      -85,
      0,
      85 },
    { "lowerThanTheTopBar",
      960,
      40,
      { 565, 5, 390, 30 },
      { 560, 40, 400, 0 },
      { 560, 40, 400, 0 },
      { 0, 40, 560, 0 },
      { 235, 40, 325, 0 },
      110,
      195,
      280,
      365 },
    { "metersCappedByTheRoom",
      500,
      300,
      { 105, 5, 390, 38 },
      { 100, 60, 400, 240 },
      { 100, 48, 400, 12 },
      { 0, 48, 100, 252 },
      { 0, 200, 100, 100 },
      -120,
      -35,
      50,
      135 },
};

class EditorLayout : public test::EditorFixture, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P (EditorLayout, PlacesEveryPanel)
{
    const auto& c = GetParam();
    editor->frameStep(); // takes the 7.1.4 format: 12 meters
    ASSERT_EQ (editor->getMeters().getNumChannels(), 12);

    editor->setSize (c.width, c.height);

    EXPECT_EQ (editor->getPresetArea(), c.preset);
    EXPECT_EQ (editor->getTapDetails().getBounds(), c.details);
    EXPECT_EQ (editor->getTapList().getBounds(), c.list);
    EXPECT_EQ (editor->getSceneEditor().getBounds(), c.scene);
    EXPECT_EQ (editor->getMeters().getBounds(), c.meters);
    EXPECT_EQ (editor->getViewButton (Mode::Top)->getBounds(), Rect (c.topButtonX, 53, 80, 25));
    EXPECT_EQ (editor->getViewButton (Mode::Side)->getBounds(), Rect (c.sideButtonX, 53, 80, 25));
    EXPECT_EQ (editor->getViewButton (Mode::Rear)->getBounds(), Rect (c.rearButtonX, 53, 80, 25));
    EXPECT_EQ (editor->getViewButton (Mode::Orbit)->getBounds(), Rect (c.orbitButtonX, 53, 65, 25));
}

INSTANTIATE_TEST_SUITE_P (Windows,
                          EditorLayout,
                          ::testing::ValuesIn (layoutCases),
                          [] (const auto& testCase) { return std::string (testCase.param.name); });

//==============================================================================================
using Editor = test::EditorFixture;

std::vector<Mode> litButtons (tap::TapDelayEditor& editor)
{
    std::vector<Mode> lit;
    for (auto mode : { Mode::Orbit, Mode::Top, Mode::Side, Mode::Rear })
        if (editor.getViewButton (mode)->getToggleState())
            lit.push_back (mode);
    return lit;
}

TEST_F (Editor, OpensAtItsSizeInTheTopViewWithTapA)
{
    EXPECT_EQ (editor->getWidth(), 960);
    EXPECT_EQ (editor->getHeight(), 650);
    EXPECT_EQ (editor->getSceneEditor().getViewMode(), Mode::Top);
    EXPECT_EQ (litButtons (*editor), std::vector<Mode>{ Mode::Top });
    EXPECT_EQ (editor->getTapList().getSelectedRow(), 0);
    EXPECT_EQ (editor->getTapDetails().getTapIndex(), 0);
    EXPECT_EQ (editor->getSceneEditor().getObjects().size(), 16u);
    EXPECT_EQ (editor->getMeters().getName(), "meters_panel");
    EXPECT_TRUE (editor->isResizable());
}

TEST_F (Editor, LightsTheButtonOfTheModeChosenAndOrbitAfterAViewDrag)
{
    editor->getViewButton (Mode::Side)->triggerClick();
    test::runMessageLoop();
    EXPECT_EQ (editor->getSceneEditor().getViewMode(), Mode::Side);
    EXPECT_EQ (litButtons (*editor), std::vector<Mode>{ Mode::Side });

    auto& scene = editor->getSceneEditor();
    const auto right = juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier);
    scene.mouseDown (test::makeMouseEvent (scene, { 100.0f, 100.0f }, right));
    scene.mouseDrag (test::makeMouseEvent (scene, { 150.0f, 90.0f }, right));
    scene.mouseUp (test::makeMouseEvent (scene, { 150.0f, 90.0f }, right));
    EXPECT_EQ (litButtons (*editor), std::vector<Mode>{ Mode::Orbit });

    editor->getViewButton (Mode::Rear)->triggerClick();
    test::runMessageLoop();
    EXPECT_EQ (litButtons (*editor), std::vector<Mode>{ Mode::Rear });
}

/** Tap `index` is shown in the list, the details and on top of the room. */
void expectSelected (tap::TapDelayEditor& editor, int index)
{
    auto& scene = editor.getSceneEditor();
    EXPECT_EQ (editor.getTapList().getSelectedRow(), index);
    EXPECT_EQ (editor.getTapList().getNumSelectedRows(), 1);
    EXPECT_EQ (editor.getTapDetails().getTapIndex(), index);
    EXPECT_EQ (scene.getChildren().getLast(), scene.getObjects()[static_cast<size_t> (index)].get());
}

TEST_F (Editor, SelectsATapClickedInTheList)
{
    auto* row = editor->getTapList().getComponentForRowNumber (3);
    ASSERT_NE (row, nullptr);
    row->mouseDown (test::makeMouseEvent (*row, { 20.0f, 20.0f }));
    row->mouseUp (test::makeMouseEvent (*row, { 20.0f, 20.0f }));

    expectSelected (*editor, 3);
}

TEST_F (Editor, SelectsATapPressedInTheRoom)
{
    // All taps share the room's centre; tap F's object is below A's until pressed.
    auto& object = *editor->getSceneEditor().getObjects()[5];
    object.mouseDown (test::makeMouseEvent (object, { 15.0f, 15.0f }));
    object.mouseUp (test::makeMouseEvent (object, { 15.0f, 15.0f }));

    expectSelected (*editor, 5);
}

TEST_F (Editor, IgnoresATapIndexOutsideTheTaps)
{
    editor->selectTap (2);
    editor->selectTap (16);
    editor->selectTap (-1);

    expectSelected (*editor, 2);
}

TEST_F (Editor, ASecondEditorStartsAfreshWhateverTheFirstShows)
{
    test::place (processor.getTaps()[1], 0.5f, -0.25f, 0.0f);
    editor->getViewButton (Mode::Side)->triggerClick();
    editor->selectTap (4);
    test::runMessageLoop();

    tap::TapDelayEditor second (processor);
    test::runMessageLoop();

    EXPECT_EQ (second.getSceneEditor().getViewMode(), Mode::Top);
    EXPECT_EQ (litButtons (second), std::vector<Mode>{ Mode::Top });
    expectSelected (second, 0);

    EXPECT_EQ (editor->getSceneEditor().getViewMode(), Mode::Side);
    expectSelected (*editor, 4);

    // Both show the same positions: in the Top view a tap at x = 0.5 is right of the centre.
    const auto& objects = second.getSceneEditor().getObjects();
    EXPECT_GT (objects[1]->getBounds().getCentreX(), objects[0]->getBounds().getCentreX());
}

//==============================================================================================
TEST_F (Editor, FrameStepTakesTheLevelCellsAndFeedsTheMeters)
{
    auto& cells = processor.getOutputLevels();
    cells[0].store (0.5f);
    cells[3].store (0.1f);
    cells[20].store (1.0f); // beyond the 12 output channels: taken, not metered

    editor->frameStep();

    for (auto& cell : cells)
        EXPECT_EQ (cell.load(), 0.0f);

    auto& meters = editor->getMeters();
    ASSERT_EQ (meters.getNumChannels(), 12);
    EXPECT_NEAR (meters.getMeterChannel (0)->getLevel(), 20.0f * std::log10 (0.5f), 1.0e-3f);
    EXPECT_NEAR (meters.getMeterChannel (3)->getLevel(), -20.0f, 1.0e-3f);
    EXPECT_LT (meters.getMeterChannel (1)->getLevel(), -90.0f);
    EXPECT_EQ (meters.getBounds(), Rect (235, 550, 325, 100));
}

TEST_F (Editor, MetersWaitForAPreparedLayout)
{
    tap::TapDelayProcessor fresh; // never prepared: no output layout known yet
    tap::TapDelayEditor other (fresh);
    fresh.getOutputLevels()[0].store (0.5f);

    other.frameStep();

    EXPECT_EQ (fresh.getOutputLevels()[0].load(), 0.0f);
    EXPECT_EQ (other.getMeters().getNumChannels(), 0);
    EXPECT_EQ (other.getMeters().getBounds(), Rect (535, 550, 25, 100));
}

//==============================================================================================
TEST_F (Editor, PaintsTheBarsAndASilverLogo)
{
    const auto image = test::paintToImage (*editor);

    EXPECT_EQ (image.getPixelAt (300, 2), juce::Colour (0xff555555));   // top bar, right of the logo
    EXPECT_EQ (image.getPixelAt (850, 415), juce::Colour (0xff3c3c3c)); // right column, beside the tabs
    EXPECT_EQ (image.getPixelAt (5, 640), juce::Colour (0xff000000));   // room background

    // The logo fills the 38-pixel band: silver where its letters are, nothing black left.
    int silver = 0, black = 0;
    for (int y = 5; y < 43; ++y)
        for (int x = 5; x < 200; ++x)
        {
            const auto pixel = image.getPixelAt (x, y);
            silver += pixel == juce::Colour (0xffc0c0c0) ? 1 : 0;
            black += pixel.getBrightness() < 0.2f ? 1 : 0;
        }

    EXPECT_GT (silver, 500);
    EXPECT_EQ (black, 0);

    const auto logoBounds = editor->getLogo()->getDrawableBounds();
    EXPECT_NEAR (logoBounds.getWidth() / logoBounds.getHeight(), 105.0f / 23.0f, 0.1f);
}
} // namespace
