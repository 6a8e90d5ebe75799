#include "tap/TapScene.h"
#include "TapSceneTestHelpers.h"
#include "helpers/GuiTestHelpers.h"
#include "tap/TapDelayProcessor.h"
#include "tap/TapSceneObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
using Mode = vesk::SceneEditor::ViewMode;

void show (vesk::SceneEditor& editor, Mode mode)
{
    editor.setViewMode (mode == Mode::Top ? Mode::Orbit : Mode::Top);
    editor.setViewMode (mode);
    test::runMessageLoop();
}

/** Each entry of the editor's objects is tap i's object, and A is frontmost, P at the back. */
void expectReversedStacking (const vesk::SceneEditor& editor)
{
    const auto& objects = editor.getObjects();
    ASSERT_EQ (objects.size(), 16u);
    ASSERT_EQ (editor.getNumChildComponents(), 16);

    for (int i = 0; i < 16; ++i)
    {
        auto* object = dynamic_cast<tap::TapSceneObject*> (objects[static_cast<size_t> (i)].get());
        ASSERT_NE (object, nullptr);
        EXPECT_EQ (object->getIndex(), i);
        EXPECT_EQ (editor.getChildComponent (15 - i), object) << "tap " << i;
    }
}

class TapSceneFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        editor.setSize (400, 300); // s = 90, view centre at (200, 150)
        editor.setVisible (true);
        editor.setScene (&scene);
    }

    tap::TapDelayProcessor processor;
    tap::TapScene scene{ processor };
    vesk::SceneEditor editor;
};

//==============================================================================================
TEST_F (TapSceneFixture, TapsAtTheOriginStackWithTapAOnTop)
{
    show (editor, Mode::Orbit);
    expectReversedStacking (editor);

    const auto floorCentre = editor.getObjectBounds (0.0f, 0.0f, 0.0f);

    for (const auto& object : editor.getObjects())
        EXPECT_EQ (object->getBounds(), floorCentre);

    EXPECT_EQ (editor.getComponentAt (floorCentre.getCentre()), editor.getObjects()[0].get());
}

TEST_F (TapSceneFixture, ObjectSitsOnTheProjectedCornerTruncated)
{
    show (editor, Mode::Orbit);
    test::place (processor.getTaps()[5], 1.0f, 1.0f, 1.0f);
    test::runMessageLoop();

    // The front right upper corner projects to (255.80, 57.97) in this view (worked by hand).
    EXPECT_EQ (editor.getObjects()[5]->getBounds(), juce::Rectangle<int> (255 - 15, 57 - 15, 30, 30));
}

TEST_F (TapSceneFixture, ViewChangeRepositionsEveryObject)
{
    test::place (processor.getTaps()[9], -1.0f, -1.0f, 0.0f);
    show (editor, Mode::Rear);

    EXPECT_EQ (editor.getObjects()[9]->getBounds(), juce::Rectangle<int> (110 - 15, 195 - 15, 30, 30));
    EXPECT_EQ (editor.getObjects()[0]->getBounds(), juce::Rectangle<int> (200 - 15, 195 - 15, 30, 30));
}

//==============================================================================================
TEST_F (TapSceneFixture, PressOnTheEmptyRoomRebuildsEveryAttachedEditor)
{
    vesk::SceneEditor second;
    second.setSize (300, 300);
    second.setScene (&scene);

    std::vector<juce::Component::SafePointer<juce::Component>> old;

    for (auto* e : { &editor, &second })
        for (const auto& object : e->getObjects())
            old.emplace_back (object.get());

    editor.mouseDown (test::makeMouseEvent (editor, { 5.0f, 5.0f }));
    editor.mouseUp (test::makeMouseEvent (editor, { 5.0f, 5.0f }));

    for (const auto& object : old)
        EXPECT_EQ (object.getComponent(), nullptr);

    expectReversedStacking (editor);
    expectReversedStacking (second);
}

TEST_F (TapSceneFixture, RightPressOnTheRoomKeepsTheObjects)
{
    juce::Component::SafePointer<juce::Component> first (editor.getObjects()[0].get());
    editor.mouseDown (test::makeMouseEvent (editor, { 5.0f, 5.0f }, juce::ModifierKeys::rightButtonModifier));
    EXPECT_EQ (first.getComponent(), editor.getObjects()[0].get());
}

TEST_F (TapSceneFixture, SceneDiesBeforeItsEditor)
{
    vesk::SceneEditor orphan;
    orphan.setSize (400, 300);
    show (orphan, Mode::Top);
    {
        tap::TapScene shortLived (processor);
        orphan.setScene (&shortLived);
        ASSERT_EQ (orphan.getObjects().size(), 16u);
        EXPECT_EQ (test::paintToImage (orphan).getPixelAt (109, 150), juce::Colour (0xffc0c0c0)) << "left room edge";
    }
    EXPECT_EQ (orphan.getScene(), nullptr);

    // Every way into the scene is now skipped.
    const auto e = test::makeMouseEvent (orphan, { 5.0f, 5.0f });
    orphan.mouseDown (e);
    orphan.mouseDrag (e);
    orphan.mouseUp (e);
    orphan.mouseMove (e);
    show (orphan, Mode::Rear);
    show (orphan, Mode::Top);
    orphan.setSize (401, 300);
    orphan.setSize (400, 300);

    // Only the background is left; the objects stay until the editor lets them go.
    EXPECT_EQ (test::paintToImage (orphan).getPixelAt (109, 150), juce::Colour (0xff000000));
    EXPECT_EQ (orphan.getObjects().size(), 16u);

    orphan.setScene (nullptr);
    EXPECT_TRUE (orphan.getObjects().empty());
}

//==============================================================================================
juce::Colour mix (juce::Colour from, juce::Colour to, float proportion)
{
    return from.interpolatedWith (to, proportion);
}

void expectColourNear (juce::Colour actual, juce::Colour expected, int tolerance, const char* what)
{
    EXPECT_NEAR (actual.getRed(), expected.getRed(), tolerance) << what;
    EXPECT_NEAR (actual.getGreen(), expected.getGreen(), tolerance) << what;
    EXPECT_NEAR (actual.getBlue(), expected.getBlue(), tolerance) << what;
}

TEST_F (TapSceneFixture, TopViewDrawsFloorGradientAndEdges)
{
    for (const auto& object : editor.getObjects())
        object->setVisible (false);

    show (editor, Mode::Top);
    const auto image = test::paintToImage (editor);
    const juce::Colour edge (0xffc0c0c0), top (0xff000000), bottom (0xff2f4f4f);

    // The square spans (110, 60) to (290, 240); its edges are 2 pixels wide.
    expectColourNear (image.getPixelAt (109, 150), edge, 0, "left edge");
    expectColourNear (image.getPixelAt (289, 150), edge, 0, "right edge");
    expectColourNear (image.getPixelAt (200, 59), edge, 0, "front edge");
    expectColourNear (image.getPixelAt (50, 150), juce::Colour (0xff000000), 0, "outside");

    // The gradient runs between fixed pixels (0, 0) and (0, 500), whatever the view's size.
    expectColourNear (image.getPixelAt (200, 100), mix (top, bottom, 100.5f / 500.0f), 2, "floor at y 100");
    expectColourNear (image.getPixelAt (200, 230), mix (top, bottom, 230.5f / 500.0f), 2, "floor at y 230");
}

TEST_F (TapSceneFixture, RearViewShowsTheScreenOnTheFrontWall)
{
    for (const auto& object : editor.getObjects())
        object->setVisible (false);

    show (editor, Mode::Rear);
    const auto image = test::paintToImage (editor);

    // The screen spans x -0.85 ... 0.85 and z 0.2775 ... 0.85: pixels 123.5 ... 276.5 across and
    // 118.5 ... 170.0 down; its colour is 60 % silver over the black background.
    const auto screen = mix (juce::Colour (0xff000000), juce::Colour (0xffc0c0c0), 0.6f);
    expectColourNear (image.getPixelAt (200, 145), screen, 2, "screen centre");
    expectColourNear (image.getPixelAt (130, 125), screen, 2, "screen corner");
    expectColourNear (image.getPixelAt (115, 145), juce::Colour (0xff000000), 0, "beside the screen");
    expectColourNear (image.getPixelAt (200, 104), juce::Colour (0xffc0c0c0), 0, "ceiling edge");
}

//==============================================================================================
struct LabelCase
{
    float azimuth, elevation;
    const char* left;
    const char* right;
};

class Labels : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P (Labels, NameTheSidesOfTheView)
{
    const auto c = GetParam();
    tap::TapDelayProcessor processor;
    tap::TapScene scene (processor);
    juce::Component parent;
    vesk::SceneEditor editor;
    parent.setSize (420, 400);
    parent.addAndMakeVisible (editor);
    editor.setBounds (7, 48, 400, 300);
    editor.getAzimuthValue() = c.azimuth;
    editor.getElevationValue() = c.elevation;

    juce::Image drawn (juce::Image::RGB, 400, 300, true);
    {
        juce::Graphics g (drawn);
        scene.paintLabels (editor, g);
    }

    // The boxes follow the view's place in its parent: left (7 + 100, 48 + 30), right
    // (400 - 100 - 100, 48 + 30), both 100 wide and 300 - 60 high.
    juce::Image expected (juce::Image::RGB, 400, 300, true);
    {
        juce::Graphics g (expected);
        g.setColour (juce::Colour (0xffc0c0c0));
        g.drawText (c.left, juce::Rectangle<int> (107, 78, 100, 240), juce::Justification::topLeft, true);
        g.drawText (c.right, juce::Rectangle<int> (200, 78, 100, 240), juce::Justification::topRight, true);
    }

    int inked = 0, different = 0;

    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
        {
            inked += expected.getPixelAt (x, y).getRed() > 0 ? 1 : 0;
            different += drawn.getPixelAt (x, y) != expected.getPixelAt (x, y) ? 1 : 0;
        }

    EXPECT_GT (inked, 50) << "text needs fonts";
    EXPECT_EQ (different, 0) << c.left << " / " << c.right;

    const auto labels = tap::TapScene::getLabels (c.azimuth);
    EXPECT_EQ (labels.left, c.left);
    EXPECT_EQ (labels.right, c.right);
}

INSTANTIATE_TEST_SUITE_P (Azimuths,
                          Labels,
                          ::testing::Values (LabelCase{ 0.0f, 0.0f, "Left", "Right" },
                                             LabelCase{ 0.0f, 63.0f, "Left", "Right" },
                                             LabelCase{ 24.9f, 0.0f, "Left", "Right" },
                                             LabelCase{ 25.0f, 0.0f, "Front", "Rear" },
                                             LabelCase{ -25.0f, 90.0f, "Rear", "Front" },
                                             LabelCase{ -90.0f, 90.0f, "Rear", "Front" }));
} // namespace
