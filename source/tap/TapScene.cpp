#include "tap/TapScene.h"

#include "tap/TapDelayProcessor.h"
#include "tap/TapSceneObject.h"

namespace tap
{
namespace
{
    struct RoomPoint
    {
        float x, y, z;
    };

    const juce::PathStrokeType edgeStroke{ 2.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt };

    /** A closed outline through four room points, ending where it began. */
    juce::Path makeQuad (const vesk::SceneEditor& editor, const RoomPoint (&corners)[4])
    {
        const auto project = [&editor] (const RoomPoint& p) { return editor.project (p.x, p.y, p.z); };

        juce::Path path;
        path.startNewSubPath (project (corners[0]));

        for (int i = 1; i < 4; ++i)
            path.lineTo (project (corners[i]));

        path.lineTo (project (corners[0]));
        return path;
    }

    void paintFloor (vesk::SceneEditor& editor, juce::Graphics& g)
    {
        juce::Graphics::ScopedSaveState saved (g);

        // Fixed pixels, so the floor darkens the same way whatever the view's size.
        g.setGradientFill (juce::ColourGradient (editor.findColour (vesk::SceneEditor::floorBottomColourId),
                                                 0.0f,
                                                 500.0f,
                                                 editor.findColour (vesk::SceneEditor::floorTopColourId),
                                                 0.0f,
                                                 0.0f,
                                                 false));

        const auto floor =
            makeQuad (editor,
                      { { -1.0f, 1.0f, 0.0f }, { 1.0f, 1.0f, 0.0f }, { 1.0f, -1.0f, 0.0f }, { -1.0f, -1.0f, 0.0f } });
        g.fillPath (floor);
        g.strokePath (floor, edgeStroke);
    }

    void paintScreen (vesk::SceneEditor& editor, juce::Graphics& g)
    {
        constexpr float bottom = 0.27749997f, top = 0.85f, halfWidth = 0.85f;

        g.setColour (editor.findColour (vesk::SceneEditor::screenColourId));

        const auto screen = makeQuad (editor,
                                      { { -halfWidth, 1.0f, bottom },
                                        { halfWidth, 1.0f, bottom },
                                        { halfWidth, 1.0f, top },
                                        { -halfWidth, 1.0f, top } });
        g.fillPath (screen);
        g.strokePath (screen, edgeStroke);
    }

    void paintEdges (vesk::SceneEditor& editor, juce::Graphics& g)
    {
        constexpr float corners[4][2] = { { -1.0f, 1.0f }, { 1.0f, 1.0f }, { 1.0f, -1.0f }, { -1.0f, -1.0f } };

        g.setColour (editor.findColour (vesk::SceneEditor::roomEdgeColourId));

        const auto line = [&] (const float (&from)[2], float fromZ, const float (&to)[2], float toZ)
        {
            g.drawLine (
                juce::Line<float> (editor.project (from[0], from[1], fromZ), editor.project (to[0], to[1], toZ)),
                2.0f);
        };

        for (const auto z : { 0.0f, 1.0f })
            for (size_t i = 0; i < 4; ++i)
                line (corners[i], z, corners[(i + 1) % 4], z);

        for (const auto& corner : corners)
            line (corner, 0.0f, corner, 1.0f);
    }
} // namespace

TapScene::TapScene (TapDelayProcessor& owner)
    : processor (owner)
{
}
TapScene::~TapScene() = default;

void TapScene::createObjects (vesk::SceneEditor& editor)
{
    auto& taps = processor.getTaps();

    for (size_t i = 0; i < taps.size(); ++i)
    {
        auto object = std::make_unique<TapSceneObject> (static_cast<int> (i), taps[i], editor);
        object->updateBounds();
        editor.addObject (std::move (object));
    }

    // Reverse the stacking so that tap A is hit and drawn on top where objects overlap.
    for (int i = editor.getNumChildComponents(); --i >= 0;)
        editor.getChildComponent (i)->toFront (false);
}

void TapScene::updateObjectPositions (vesk::SceneEditor& editor)
{
    for (const auto& object : editor.getObjects())
        if (auto* tapObject = dynamic_cast<TapSceneObject*> (object.get()))
            tapObject->updateBounds();
}

void TapScene::paintBackground (vesk::SceneEditor& editor, juce::Graphics& g)
{
    paintFloor (editor, g);
    paintScreen (editor, g);
    paintEdges (editor, g);
}

TapScene::Labels TapScene::getLabels (float azimuth)
{
    if (std::abs (azimuth) < 25.0f)
        return { "Left", "Right" };

    if (azimuth < 0.0f)
        return { "Rear", "Front" };

    return { "Front", "Rear" };
}

void TapScene::paintLabels (vesk::SceneEditor& editor, juce::Graphics& g)
{
    g.setColour (editor.findColour (vesk::SceneEditor::labelColourId));

    const auto azimuth = static_cast<float> (static_cast<double> (editor.getAzimuthValue().getValue()));
    const auto labels = getLabels (azimuth);

    // The boxes are placed from the editor's bounds in its parent, as the editor's layout
    // expects: 30 pixels below the top of the view plus the view's own offset.
    const auto bounds = editor.getBoundsInParent();
    const auto boxHeight = juce::jmax (bounds.getHeight() - 60, 0);
    const juce::Rectangle<int> leftBox{ bounds.getX() + 100, bounds.getY() + 30, 100, boxHeight };
    const juce::Rectangle<int> rightBox{ juce::jmax (bounds.getWidth() - 100, 0) - 100,
                                         bounds.getY() + 30,
                                         100,
                                         boxHeight };

    g.drawText (labels.left, leftBox, juce::Justification::topLeft, true);
    g.drawText (labels.right, rightBox, juce::Justification::topRight, true);
}

void TapScene::mouseDown (vesk::SceneEditor&, const juce::MouseEvent&)
{
    callListeners ([this] (Listener& l) { l.sceneObjectsChanged (*this); });
}

void TapScene::mouseUp (vesk::SceneEditor&, const juce::MouseEvent&) {}
void TapScene::mouseDrag (vesk::SceneEditor&, const juce::MouseEvent&) {}
juce::MouseCursor TapScene::getMouseCursor()
{
    return {};
}
} // namespace tap
