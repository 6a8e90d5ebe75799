#include "vesk/scene/SceneEditor.h"
#include "helpers/GuiTestHelpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
using Mode = vesk::SceneEditor::ViewMode;

/** A scene that counts what the editor asks of it and makes one object per build. */
struct CountingScene : vesk::Scene
{
    int created = 0, repositioned = 0, downs = 0, drags = 0, ups = 0;

    void createObjects (vesk::SceneEditor& editor) override
    {
        ++created;
        editor.addObject (std::make_unique<juce::Component>());
    }

    void updateObjectPositions (vesk::SceneEditor&) override { ++repositioned; }
    void paintBackground (vesk::SceneEditor&, juce::Graphics&) override {}
    void paintLabels (vesk::SceneEditor&, juce::Graphics&) override {}
    void mouseDown (vesk::SceneEditor&, const juce::MouseEvent&) override { ++downs; }
    void mouseUp (vesk::SceneEditor&, const juce::MouseEvent&) override { ++ups; }
    void mouseDrag (vesk::SceneEditor&, const juce::MouseEvent&) override { ++drags; }
    juce::MouseCursor getMouseCursor() override { return {}; }

    void rebuildEditors()
    {
        callListeners ([this] (Listener& l) { l.sceneObjectsChanged (*this); });
    }
};

/** Shows a mode even when it is the editor's starting mode, and lets the angles arrive. */
void show (vesk::SceneEditor& editor, Mode mode)
{
    editor.setViewMode (mode == Mode::Top ? Mode::Orbit : Mode::Top);
    editor.setViewMode (mode);
    test::runMessageLoop();
}

//==============================================================================================
struct ProjectionCase
{
    Mode mode;
    int width, height;
    float x, y, z;
    float expectedX, expectedY;
};

class Projection : public ::testing::TestWithParam<ProjectionCase>
{
};

// Expected pixels from u = x cos a - y sin a, v = (x sin a + y cos a) cos e + (z - 0.5) sin e,
// pixel = (s u + w div 2, -s v + h div 2), s = 0.3 min (w, h), worked out by hand.
TEST_P (Projection, PutsRoomCornersOnTheExpectedPixels)
{
    const auto c = GetParam();
    vesk::SceneEditor editor;
    editor.setSize (c.width, c.height);
    show (editor, c.mode);

    const auto p = editor.project (c.x, c.y, c.z);
    EXPECT_NEAR (p.x, c.expectedX, 1.0e-3);
    EXPECT_NEAR (p.y, c.expectedY, 1.0e-3);

    const auto bounds = editor.getObjectBounds (c.x, c.y, c.z);
    EXPECT_EQ (bounds,
               juce::Rectangle<int> (static_cast<int> (c.expectedX) - 15, static_cast<int> (c.expectedY) - 15, 30, 30));
}

INSTANTIATE_TEST_SUITE_P (
    ViewModes,
    Projection,
    ::testing::Values (ProjectionCase{ Mode::Orbit, 400, 300, 1, 1, 1, 255.795538f, 57.969189f },
                       ProjectionCase{ Mode::Orbit, 400, 300, -1, -1, 0, 144.204462f, 242.030811f },
                       ProjectionCase{ Mode::Orbit, 400, 300, 1, -1, 0, 314.397806f, 215.425938f },
                       ProjectionCase{ Mode::Top, 400, 300, 1, 1, 1, 290, 60 },
                       ProjectionCase{ Mode::Top, 400, 300, -1, -1, 0, 110, 240 },
                       ProjectionCase{ Mode::Side, 400, 300, 1, 1, 1, 290, 105 },
                       ProjectionCase{ Mode::Side, 400, 300, -1, -1, 0, 110, 195 },
                       ProjectionCase{ Mode::Rear, 400, 300, 1, 1, 1, 290, 105 },
                       ProjectionCase{ Mode::Rear, 400, 300, 1, -1, 0, 290, 195 },
                       // the room view of the default window: a 336 pixel square
                       ProjectionCase{ Mode::Top, 560, 602, -1, 1, 0, 112, 133 },
                       ProjectionCase{ Mode::Top, 560, 602, 1, -1, 0, 448, 469 },
                       // odd sizes: the centre is truncated, the scale is not
                       ProjectionCase{ Mode::Top, 401, 301, 1, 1, 1, 290.3f, 59.7f },
                       // nothing to show: everything at the centre
                       ProjectionCase{ Mode::Orbit, 0, 300, 1, 1, 1, 0, 150 },
                       ProjectionCase{ Mode::Orbit, 400, 0, -1, 1, 0, 200, 0 }));

TEST (SceneEditor, ZoomChangeReachesTheScreenTransformOnRefresh)
{
    vesk::SceneEditor editor;
    editor.setSize (400, 300);
    show (editor, Mode::Top);

    editor.getZoomValue() = 0.5;
    editor.refresh (true);

    EXPECT_FLOAT_EQ (editor.getZoom(), 0.5f);
    EXPECT_NEAR (editor.project (1, 1, 1).x, 350.0f, 1.0e-3);
    EXPECT_NEAR (editor.project (1, 1, 1).y, 0.0f, 1.0e-3);
}

TEST (SceneEditor, StartsWithTheDefaultColours)
{
    vesk::SceneEditor editor;
    EXPECT_EQ (editor.findColour (vesk::SceneEditor::backgroundColourId), juce::Colour (0xff000000));
    EXPECT_EQ (editor.findColour (vesk::SceneEditor::screenColourId), juce::Colour (0x99c0c0c0));
    EXPECT_EQ (editor.findColour (vesk::SceneEditor::floorTopColourId), juce::Colour (0xff000000));
    EXPECT_EQ (editor.findColour (vesk::SceneEditor::floorBottomColourId), juce::Colour (0xff2f4f4f));
    EXPECT_EQ (editor.findColour (vesk::SceneEditor::roomEdgeColourId), juce::Colour (0xffc0c0c0));
    EXPECT_EQ (editor.findColour (vesk::SceneEditor::labelColourId), juce::Colour (0xffc0c0c0));
}

//==============================================================================================
struct ModeAngles
{
    Mode mode;
    float azimuth, elevation;
};

class ViewModeAngles : public ::testing::TestWithParam<ModeAngles>
{
};

TEST_P (ViewModeAngles, SetsTheAnglesAndReportsTheMode)
{
    const auto c = GetParam();
    vesk::SceneEditor editor;
    std::vector<Mode> reported;
    editor.onViewModeChanged = [&reported] (Mode m) { reported.push_back (m); };

    show (editor, c.mode);

    EXPECT_EQ (editor.getViewMode(), c.mode);
    EXPECT_FLOAT_EQ (editor.getAzimuth(), c.azimuth);
    EXPECT_FLOAT_EQ (editor.getElevation(), c.elevation);
    ASSERT_FALSE (reported.empty());
    EXPECT_EQ (reported.back(), c.mode);

    const auto reports = reported.size();
    editor.setViewMode (c.mode);
    EXPECT_EQ (reported.size(), reports) << "the current mode again changes nothing";
}

INSTANTIATE_TEST_SUITE_P (Modes,
                          ViewModeAngles,
                          ::testing::Values (ModeAngles{ Mode::Orbit, 19, 63 },
                                             ModeAngles{ Mode::Top, 0, 0 },
                                             ModeAngles{ Mode::Side, -90, 90 },
                                             ModeAngles{ Mode::Rear, 0, 90 }));

TEST (SceneEditor, UnknownModeIsReportedButKeepsTheAngles)
{
    vesk::SceneEditor editor;
    show (editor, Mode::Side);

    int reports = 0;
    editor.onViewModeChanged = [&reports] (Mode) { ++reports; };
    editor.setViewMode (static_cast<Mode> (7));
    test::runMessageLoop();

    EXPECT_EQ (static_cast<int> (editor.getViewMode()), 7);
    EXPECT_EQ (reports, 1);
    EXPECT_FLOAT_EQ (editor.getAzimuth(), -90.0f);
    EXPECT_FLOAT_EQ (editor.getElevation(), 90.0f);
}

//==============================================================================================
class ViewDrag : public ::testing::TestWithParam<juce::ModifierKeys::Flags>
{
protected:
    void SetUp() override
    {
        editor.setSize (400, 300);
        editor.setScene (&scene);
        show (editor, Mode::Top);
        editor.onViewModeChanged = [this] (Mode m) { reported.push_back (m); };
    }

    void drag (juce::Point<float> from, juce::Point<float> to)
    {
        editor.mouseDown (test::makeMouseEvent (editor, from, GetParam()));
        editor.mouseDrag (test::makeMouseEvent (editor, to, GetParam()));
        test::runMessageLoop();
    }

    CountingScene scene;
    vesk::SceneEditor editor;
    std::vector<Mode> reported;
};

TEST_P (ViewDrag, TurnsTheViewAndLeavesThePresetOnce)
{
    // An eighth of the width is 45 degrees of azimuth; an eighth of the height upwards is 45
    // degrees of elevation.
    drag ({ 200.0f, 150.0f }, { 250.0f, 112.5f });

    EXPECT_FLOAT_EQ (editor.getAzimuth(), 45.0f);
    EXPECT_FLOAT_EQ (editor.getElevation(), 45.0f);
    EXPECT_EQ (editor.getViewMode(), Mode::Orbit);
    EXPECT_EQ (reported, std::vector<Mode>{ Mode::Orbit });

    drag ({ 250.0f, 112.5f }, { 272.0f, 100.0f });
    EXPECT_FLOAT_EQ (editor.getAzimuth(), 64.8f);
    EXPECT_FLOAT_EQ (editor.getElevation(), 60.0f);
    EXPECT_EQ (reported.size(), 1u) << "already in Orbit";

    EXPECT_EQ (scene.downs + scene.drags, 0) << "a view turn never reaches the scene";
    EXPECT_EQ (scene.created, 1);
}

TEST_P (ViewDrag, PinsTheAnglesAtTheirLimits)
{
    drag ({ 200.0f, 150.0f }, { 4200.0f, 3150.0f });
    EXPECT_FLOAT_EQ (editor.getAzimuth(), 90.0f);
    EXPECT_FLOAT_EQ (editor.getElevation(), 0.0f);

    drag ({ 200.0f, 150.0f }, { -4000.0f, -3000.0f });
    EXPECT_FLOAT_EQ (editor.getAzimuth(), -90.0f);
    EXPECT_FLOAT_EQ (editor.getElevation(), 90.0f);
}

INSTANTIATE_TEST_SUITE_P (
    Buttons,
    ViewDrag,
    ::testing::Values (juce::ModifierKeys::rightButtonModifier,
                       static_cast<juce::ModifierKeys::Flags> (juce::ModifierKeys::leftButtonModifier
                                                               | juce::ModifierKeys::altModifier)));

//==============================================================================================
struct BackgroundCase
{
    const char* name;
    int modifiers;
    bool pressReachesScene, dragReachesScene;
};

class BackgroundEvents : public ::testing::TestWithParam<BackgroundCase>
{
};

TEST_P (BackgroundEvents, ReachTheSceneOnlyWithoutViewModifiers)
{
    const auto c = GetParam();
    CountingScene scene;
    vesk::SceneEditor editor;
    editor.setSize (400, 300);
    editor.setScene (&scene);

    const auto e = test::makeMouseEvent (editor, { 10.0f, 20.0f }, juce::ModifierKeys (c.modifiers));
    editor.mouseDown (e);
    editor.mouseDrag (e);
    editor.mouseUp (e);

    EXPECT_EQ (scene.downs, c.pressReachesScene ? 1 : 0) << c.name;
    EXPECT_EQ (scene.drags, c.dragReachesScene ? 1 : 0) << c.name;
    EXPECT_EQ (scene.ups, 1) << c.name;
}

constexpr int left = juce::ModifierKeys::leftButtonModifier;

INSTANTIATE_TEST_SUITE_P (
    Modifiers,
    BackgroundEvents,
    ::testing::Values (BackgroundCase{ "plain", left, true, true },
                       BackgroundCase{ "shift", left | juce::ModifierKeys::shiftModifier, true, true },
                       BackgroundCase{ "ctrl", left | juce::ModifierKeys::ctrlModifier, false, true },
                       BackgroundCase{ "alt", left | juce::ModifierKeys::altModifier, false, false },
                       BackgroundCase{ "right", juce::ModifierKeys::rightButtonModifier, false, false }));

//==============================================================================================
TEST (SceneEditor, SwitchingScenesDetachesFromTheOldOne)
{
    CountingScene first, second;
    vesk::SceneEditor editor;

    editor.setScene (&first);
    ASSERT_EQ (editor.getObjects().size(), 1u);
    juce::Component::SafePointer<juce::Component> firstObject (editor.getObjects()[0].get());
    EXPECT_TRUE (first.hasListener (&editor));

    editor.setScene (&second);
    EXPECT_FALSE (first.hasListener (&editor));
    EXPECT_TRUE (second.hasListener (&editor));
    EXPECT_EQ (firstObject.getComponent(), nullptr);
    EXPECT_EQ (editor.getObjects().size(), 1u);
    EXPECT_EQ (editor.getNumChildComponents(), 1);

    first.rebuildEditors();
    EXPECT_EQ (second.created, 1) << "the old scene no longer reaches the editor";

    second.rebuildEditors();
    EXPECT_EQ (second.created, 2);
    EXPECT_EQ (editor.getObjects().size(), 1u);

    editor.setScene (nullptr);
    EXPECT_FALSE (second.hasListener (&editor));
    EXPECT_TRUE (editor.getObjects().empty());
}

TEST (SceneEditor, DestroyedEditorDetachesFromTheScene)
{
    CountingScene scene;
    vesk::Scene::Listener* address = nullptr;
    {
        vesk::SceneEditor editor;
        editor.setScene (&scene);
        address = &editor;
        ASSERT_TRUE (scene.hasListener (address));
    }
    EXPECT_FALSE (scene.hasListener (address));
}

TEST (SceneEditor, AngleChangesRepositionTheObjects)
{
    CountingScene scene;
    vesk::SceneEditor editor;
    editor.setSize (400, 300);
    editor.setScene (&scene);
    test::runMessageLoop();

    const auto before = scene.repositioned;
    editor.setViewMode (Mode::Rear);
    EXPECT_EQ (scene.repositioned, before) << "the angles arrive asynchronously";

    test::runMessageLoop();
    EXPECT_GT (scene.repositioned, before);
}
} // namespace
