#include "tap/TapSceneObject.h"
#include "TapSceneTestHelpers.h"
#include "helpers/GuiTestHelpers.h"
#include "tap/TapDelayProcessor.h"
#include "tap/TapSelector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <thread>
#include <vector>

namespace
{
using Mode = vesk::SceneEditor::ViewMode;

constexpr int left = juce::ModifierKeys::leftButtonModifier;
constexpr int shift = juce::ModifierKeys::shiftModifier;

/** Keeps the pointer where it is and remembers where the object wanted it. */
struct PointerRecordingObject : tap::TapSceneObject
{
    using tap::TapSceneObject::TapSceneObject;

    std::vector<juce::Point<float>> pointerMoves;

    void movePointerTo (const juce::MouseEvent&, juce::Point<float> screenPosition) override
    {
        pointerMoves.push_back (screenPosition);
    }
};

/** What the host sees: gesture begins and ends and parameter changes, in order. */
struct HostRecorder : juce::AudioProcessorListener
{
    struct Event
    {
        char kind; // 'b'egin, 'c'hange, 'e'nd
        int index;
    };

    std::vector<Event> events;

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override
    {
        events.push_back ({ 'c', index });
    }
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override
    {
        events.push_back ({ 'b', index });
    }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override
    {
        events.push_back ({ 'e', index });
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    int count (char kind) const
    {
        return static_cast<int> (
            std::count_if (events.begin(), events.end(), [kind] (const Event& e) { return e.kind == kind; }));
    }

    /** Every change falls inside an open gesture on its own parameter. */
    bool changesAreInsideGestures() const
    {
        std::map<int, int> open;

        for (const auto& e : events)
        {
            if (e.kind == 'b')
                ++open[e.index];
            else if (e.kind == 'e')
                --open[e.index];
            else if (open[e.index] <= 0)
                return false;
        }

        return std::all_of (open.begin(), open.end(), [] (const auto& entry) { return entry.second == 0; });
    }
};

struct SelectingParent : juce::Component, tap::TapSelector
{
    std::vector<int> selected;
    void selectTap (int index) override { selected.push_back (index); }
};

//==============================================================================================
class TapObject : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.setSize (440, 340);
        parent.addAndMakeVisible (editor);
        editor.setBounds (10, 20, 400, 300); // s = 90, view centre at (200, 150)
    }

    void show (Mode mode)
    {
        editor.setViewMode (mode == Mode::Top ? Mode::Orbit : Mode::Top);
        editor.setViewMode (mode);
        test::runMessageLoop();
    }

    PointerRecordingObject& add (int index)
    {
        auto object =
            std::make_unique<PointerRecordingObject> (index, processor.getTaps()[static_cast<size_t> (index)], editor);
        auto& result = *object;
        result.updateBounds();
        editor.addObject (std::move (object));
        return result;
    }

    /** An event at a pixel of the scene editor, delivered to the object. */
    static juce::MouseEvent at (tap::TapSceneObject& object, juce::Point<float> editorPixel, int modifiers = left)
    {
        return test::makeMouseEvent (object,
                                     editorPixel - object.getPosition().toFloat(),
                                     juce::ModifierKeys (modifiers));
    }

    static juce::Point<float> centreOf (const juce::Component& object)
    {
        return object.getBounds().getCentre().toFloat();
    }

    tap::TapDelayProcessor processor;
    tap::Tap& tapA = processor.getTaps()[0];
    SelectingParent parent;
    vesk::SceneEditor editor;
};

//==============================================================================================
struct DragCase
{
    Mode mode;
    juce::Point<float> target; // scene editor pixel
    float x, y, z;             // expected room position, from (0.5, 0.5, 0.7)
};

class PlaneDrag : public TapObject, public ::testing::WithParamInterface<DragCase>
{
};

// Expected positions worked out by hand from the view's axes: s = 90, centre (200, 150).
TEST_P (PlaneDrag, MovesTheTapUnderThePointer)
{
    const auto c = GetParam();
    show (c.mode);
    test::place (tapA, 0.5f, 0.5f, 0.7f);
    auto& object = add (0);

    object.mouseDown (at (object, centreOf (object)));
    object.mouseDrag (at (object, c.target));
    object.mouseUp (at (object, c.target));

    EXPECT_NEAR (tapA.x->get(), c.x, 1.0e-5);
    EXPECT_NEAR (tapA.y->get(), c.y, 1.0e-5);
    EXPECT_NEAR (tapA.z->get(), c.z, 1.0e-5);
    EXPECT_EQ (object.getBounds(), editor.getObjectBounds (tapA.x->get(), tapA.y->get(), tapA.z->get()))
        << "the object follows at once";
}

INSTANTIATE_TEST_SUITE_P (Views,
                          PlaneDrag,
                          ::testing::Values (
                              // the height is kept; x and y follow the pointer
                              DragCase{ Mode::Top, { 281.0f, 195.0f }, 0.9f, -0.5f, 0.7f },
                              // horizontal views: the depth goes to the room centre, the height follows
                              DragCase{ Mode::Rear, { 164.0f, 159.0f }, -0.4f, 0.0f, 0.4f },
                              DragCase{ Mode::Side, { 236.0f, 114.0f }, 0.0f, 0.4f, 0.9f },
                              // far outside the room: pinned at the limits
                              DragCase{ Mode::Top, { -5000.0f, -5000.0f }, -1.0f, 1.0f, 0.7f },
                              DragCase{ Mode::Rear, { 5000.0f, 5000.0f }, 1.0f, 0.0f, 0.0f },
                              DragCase{ Mode::Side, { -5000.0f, -5000.0f }, 0.0f, -1.0f, 1.0f }));

TEST_F (TapObject, ObliqueDragKeepsTheHeightAndLandsUnderThePointer)
{
    show (Mode::Orbit);
    test::place (tapA, -0.2f, 0.3f, 0.6f);
    auto& object = add (0);

    const juce::Point<float> target{ 230.0f, 140.0f };
    object.mouseDown (at (object, centreOf (object)));
    object.mouseDrag (at (object, target));

    EXPECT_NEAR (tapA.z->get(), 0.6f, 1.0e-6);
    const auto landed = editor.project (tapA.x->get(), tapA.y->get(), tapA.z->get());
    EXPECT_NEAR (landed.x, target.x, 1.0e-3);
    EXPECT_NEAR (landed.y, target.y, 1.0e-3);
}

//==============================================================================================
struct HeightCase
{
    float startZ, expectedZ;
};

class HeightDrag : public TapObject, public ::testing::WithParamInterface<HeightCase>
{
};

TEST_P (HeightDrag, AQuarterOfTheViewUpRaisesByAQuarterAndReturnsThePointer)
{
    show (Mode::Orbit);
    test::place (tapA, 0.25f, -0.5f, GetParam().startZ);
    auto& object = add (0);
    const auto boundsBefore = object.getBounds();

    const juce::Point<float> press{ 199.7f, 151.6f };
    object.mouseDown (at (object, press));
    object.mouseDrag (at (object, press - juce::Point<float> (3.0f, 75.0f), left | shift));

    EXPECT_NEAR (tapA.z->get(), GetParam().expectedZ, 1.0e-5);
    EXPECT_NEAR (tapA.x->get(), 0.25f, 1.0e-6);
    EXPECT_NEAR (tapA.y->get(), -0.5f, 1.0e-6);
    EXPECT_EQ (object.getBounds(), boundsBefore) << "moves only when the notification arrives";

    // Back to the press, in whole pixels, on the screen: the editor sits at (10, 20).
    ASSERT_EQ (object.pointerMoves.size(), 1u);
    EXPECT_EQ (object.pointerMoves[0], juce::Point<float> (209.0f, 171.0f));

    test::runMessageLoop();
    EXPECT_EQ (object.getBounds(), editor.getObjectBounds (0.25f, -0.5f, tapA.z->get()));
}

INSTANTIATE_TEST_SUITE_P (Heights, HeightDrag, ::testing::Values (HeightCase{ 0.5f, 0.75f }, HeightCase{ 0.9f, 1.0f }));

TEST_F (TapObject, HeightStepsMeasureFromTheDragStart)
{
    show (Mode::Top);
    test::place (tapA, 0.0f, 0.0f, 0.2f);
    auto& object = add (0);

    const juce::Point<float> press{ 200.0f, 150.0f };
    object.mouseDown (at (object, press));

    // The pointer is put back after each step, so each step reports the offset from the press.
    object.mouseDrag (at (object, press + juce::Point<float> (0.0f, -30.0f), left | shift));
    object.mouseDrag (at (object, press + juce::Point<float> (0.0f, -30.0f), left | shift));
    object.mouseDrag (at (object, press + juce::Point<float> (0.0f, 60.0f), left | shift));

    EXPECT_NEAR (tapA.z->get(), 0.2f, 1.0e-5);
    EXPECT_EQ (object.pointerMoves.size(), 3u);
}

TEST_F (TapObject, OtherButtonsDoNotMoveTheTap)
{
    show (Mode::Top);
    test::place (tapA, 0.1f, 0.2f, 0.3f);
    auto& object = add (0);

    HostRecorder host;
    processor.addListener (&host);
    object.mouseDrag (at (object, { 10.0f, 10.0f }, juce::ModifierKeys::rightButtonModifier));
    processor.removeListener (&host);

    EXPECT_EQ (host.count ('c'), 0);
    EXPECT_NEAR (tapA.x->get(), 0.1f, 1.0e-6);
}

//==============================================================================================
TEST_F (TapObject, EveryDragStepReachesTheHostInsideOneGesture)
{
    show (Mode::Top);
    auto& object = add (0);
    const int x = tapA.x->getParameterIndex(), y = tapA.y->getParameterIndex(), z = tapA.z->getParameterIndex();

    HostRecorder host;
    processor.addListener (&host);
    object.mouseDown (at (object, centreOf (object)));
    object.mouseDrag (at (object, { 230.0f, 120.0f }));
    object.mouseDrag (at (object, { 250.0f, 100.0f }));
    object.mouseDrag (at (object, { 250.0f, 100.0f })); // unchanged values are still sent
    object.mouseUp (at (object, { 250.0f, 100.0f }));
    processor.removeListener (&host);

    EXPECT_TRUE (host.changesAreInsideGestures());
    ASSERT_EQ (host.events.size(), 15u);

    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ (host.events[static_cast<size_t> (i)].kind, 'b');
        EXPECT_EQ (host.events[static_cast<size_t> (12 + i)].kind, 'e');
    }

    for (size_t step = 0; step < 3; ++step)
    {
        EXPECT_EQ (host.events[3 + 3 * step].index, x);
        EXPECT_EQ (host.events[4 + 3 * step].index, y);
        EXPECT_EQ (host.events[5 + 3 * step].index, z);
    }
}

TEST_F (TapObject, DoubleClickTogglesActiveAsAGesture)
{
    auto& object = add (0);
    const auto activeIndex = tapA.active->getParameterIndex();
    ASSERT_TRUE (tapA.active->get());

    HostRecorder host;
    processor.addListener (&host);
    object.mouseDoubleClick (at (object, centreOf (object)));
    EXPECT_FALSE (tapA.active->get());
    object.mouseDoubleClick (at (object, centreOf (object)));
    EXPECT_TRUE (tapA.active->get());
    processor.removeListener (&host);

    EXPECT_TRUE (host.changesAreInsideGestures());
    ASSERT_EQ (host.events.size(), 6u);

    for (const auto& e : host.events)
        EXPECT_EQ (e.index, activeIndex);
}

TEST_F (TapObject, DeletedDuringADragEndsTheGesture)
{
    auto& object = add (0);
    HostRecorder host;
    processor.addListener (&host);

    object.mouseDown (at (object, centreOf (object)));
    editor.clearObjects();
    processor.removeListener (&host);

    EXPECT_EQ (host.count ('b'), 3);
    EXPECT_EQ (host.count ('e'), 3);
}

TEST_F (TapObject, PressSelectsItsTapEveryTimeAndComesToTheFront)
{
    add (0);
    auto& third = add (3);
    add (5);

    third.mouseDown (at (third, centreOf (third)));
    third.mouseUp (at (third, centreOf (third)));
    third.mouseDown (at (third, centreOf (third)));
    third.mouseUp (at (third, centreOf (third)));

    EXPECT_EQ (parent.selected, (std::vector<int>{ 3, 3 }));
    EXPECT_EQ (editor.getChildComponent (editor.getNumChildComponents() - 1), &third);
}

TEST_F (TapObject, FollowsParameterChangesFromAnyThreadAsynchronously)
{
    show (Mode::Top);
    auto& object = add (2);
    auto& tapC = processor.getTaps()[2];
    const auto before = object.getBounds();

    std::thread automation ([&tapC] { test::place (tapC, -0.5f, 0.5f, 0.0f); });
    automation.join();

    EXPECT_EQ (object.getBounds(), before) << "nothing happens on the notifying thread";
    test::runMessageLoop();
    EXPECT_EQ (object.getBounds(), juce::Rectangle<int> (155 - 15, 105 - 15, 30, 30));
}

//==============================================================================================
struct HaloCase
{
    float level;
    int alpha;
};

class Halo : public TapObject, public ::testing::WithParamInterface<HaloCase>
{
};

TEST_P (Halo, AlphaFollowsTheLevelInDecibels)
{
    auto& object = add (0);
    tapA.level.store (GetParam().level);

    const auto image = test::paintToImage (object);
    // (15, 2) lies in the ring between the halo's edge and the inner disc.
    EXPECT_EQ (image.getPixelAt (15, 2).getAlpha(), GetParam().alpha) << GetParam().level;
    EXPECT_EQ (image.getPixelAt (15, 15).getAlpha(), 255) << "the inner disc is always opaque";
}

// 255 (0.4 + 0.2 k) for -60 + 20 k dB; 0.6 x 255 = 153 at -40 dB.
INSTANTIATE_TEST_SUITE_P (Levels,
                          Halo,
                          ::testing::Values (HaloCase{ 1.0f, 255 },
                                             HaloCase{ 4.0f, 255 },
                                             HaloCase{ 0.1f, 204 },
                                             HaloCase{ 0.01f, 153 },
                                             HaloCase{ 1.0e-5f, 0 },
                                             HaloCase{ 0.0f, 0 },
                                             HaloCase{ -0.5f, 0 }));

struct LookCase
{
    int tap;
    bool active;
    juce::uint8 red, green, blue; // the disc, from HSB by hand
    bool whiteText;
};

class Look : public TapObject, public ::testing::WithParamInterface<LookCase>
{
};

TEST_P (Look, DiscColourAndTextColour)
{
    const auto c = GetParam();
    auto& object = add (c.tap);
    test::setActive (processor.getTaps()[static_cast<size_t> (c.tap)], c.active);

    const auto image = test::paintToImage (object);
    const auto disc = image.getPixelAt (15, 6);
    EXPECT_NEAR (disc.getRed(), c.red, 1);
    EXPECT_NEAR (disc.getGreen(), c.green, 1);
    EXPECT_NEAR (disc.getBlue(), c.blue, 1);

    // The name's ink inside the disc departs from the disc's brightness in one direction only.
    const auto discBrightness = disc.getPerceivedBrightness();
    auto lightest = discBrightness, darkest = discBrightness;

    for (int y = 9; y < 22; ++y)
        for (int x = 9; x < 22; ++x)
        {
            const auto b = image.getPixelAt (x, y).getPerceivedBrightness();
            lightest = juce::jmax (lightest, b);
            darkest = juce::jmin (darkest, b);
        }

    const auto lighter = lightest - discBrightness, darker = discBrightness - darkest;
    EXPECT_GT (c.whiteText ? lighter : darker, 0.3f);
    EXPECT_LT (c.whiteText ? darker : lighter, 0.02f);
}

INSTANTIATE_TEST_SUITE_P (Taps,
                          Look,
                          ::testing::Values (LookCase{ 0, true, 180, 30, 30, true },
                                             // inactive A: saturation 0.2, brightness 0.3, still white text
                                             LookCase{ 0, false, 76, 61, 61, true },
                                             LookCase{ 3, true, 161, 180, 30, false },
                                             LookCase{ 8, true, 30, 180, 180, false },
                                             LookCase{ 11, true, 49, 30, 180, true },
                                             LookCase{ 8, false, 61, 76, 76, true },
                                             LookCase{ 7, true, 30, 180, 124, false },
                                             LookCase{ 7, false, 61, 76, 71, true }));
} // namespace
