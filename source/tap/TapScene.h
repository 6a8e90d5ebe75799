#pragma once

#include "vesk/scene/SceneEditor.h"

namespace tap
{
class TapDelayProcessor;

/** The plug-in's room: the sixteen taps as draggable objects inside a cube with a floor, a
    projection screen on the front wall and orientation labels.

    The scene stores nothing of its own: positions are the taps' X, Y and Z parameters,
    and the objects belong to the editor that asked for them. A press on the empty room
    rebuilds the objects of every attached editor. Message thread only; the parameters
    are read through their atomic current values.
*/
class TapScene : public vesk::Scene
{
public:
    /** Keeps the processor; its taps are reached only when an editor asks for objects. */
    explicit TapScene (TapDelayProcessor& owner);
    ~TapScene() override;

    void createObjects (vesk::SceneEditor& editor) override;
    void updateObjectPositions (vesk::SceneEditor& editor) override;
    void paintBackground (vesk::SceneEditor& editor, juce::Graphics& g) override;
    void paintLabels (vesk::SceneEditor& editor, juce::Graphics& g) override;
    void mouseDown (vesk::SceneEditor& editor, const juce::MouseEvent& e) override;
    void mouseUp (vesk::SceneEditor& editor, const juce::MouseEvent& e) override;
    void mouseDrag (vesk::SceneEditor& editor, const juce::MouseEvent& e) override;
    juce::MouseCursor getMouseCursor() override;

    struct Labels
    {
        juce::String left, right;
    };

    /** The orientation texts for the left and right of the view at an azimuth in degrees. */
    static Labels getLabels (float azimuth);

private:
    TapDelayProcessor& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TapScene)
};
} // namespace tap
