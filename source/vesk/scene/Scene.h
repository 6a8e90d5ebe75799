#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace vesk
{
class SceneEditor;

/** The model behind a room view: it creates the interactive objects a SceneEditor shows,
    places them, draws the room under them and answers presses on the empty background.

    Room coordinates: x from left (-1) to right (+1), y from rear (-1) to front (+1), z from
    the floor (0) to the ceiling (1). A scene outlives the editors that show it; each editor
    listens to it and holds it through a weak reference. Message thread only.
*/
class Scene
{
public:
    /** An editor showing the scene; told when it must rebuild, reposition or repaint. */
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** Throw the objects away and have the scene create them again. */
        virtual void sceneObjectsChanged (Scene& scene) = 0;
        /** Have the scene reposition the objects. */
        virtual void scenePositionsChanged (Scene& scene) = 0;
        /** Repaint. */
        virtual void sceneAppearanceChanged (Scene& scene) = 0;
    };

    Scene();
    virtual ~Scene();

    /** Builds the editor's objects (SceneEditor::addObject). */
    virtual void createObjects (SceneEditor& editor);
    /** Moves the editor's objects to their current projected positions. */
    virtual void updateObjectPositions (SceneEditor& editor);
    /** Draws the room under the objects. */
    virtual void paintBackground (SceneEditor& editor, juce::Graphics& g) = 0;
    /** Draws text after the background, still under the objects. */
    virtual void paintLabels (SceneEditor& editor, juce::Graphics& g) = 0;
    /** Draws over the objects. */
    virtual void paintOverObjects (SceneEditor& editor, juce::Graphics& g);
    /** A press on the empty background. */
    virtual void mouseDown (SceneEditor& editor, const juce::MouseEvent& e) = 0;
    virtual void mouseUp (SceneEditor& editor, const juce::MouseEvent& e) = 0;
    /** A drag on the background that is not a view rotation. */
    virtual void mouseDrag (SceneEditor& editor, const juce::MouseEvent& e) = 0;
    /** The cursor over the background when the editor imposes none. */
    virtual juce::MouseCursor getMouseCursor() = 0;

    //==========================================================================================
    /** The list's storage is created here on the first add, so a scene without editors
        holds no allocation.
    */
    void addListener (Listener* listener);
    void removeListener (Listener* listener);
    bool hasListener (Listener* listener) const;

    /** Calls the callback on every listener, synchronously. */
    template <typename Callback>
    void callListeners (Callback&& callback)
    {
        if (listeners != nullptr)
            listeners->call (std::forward<Callback> (callback));
    }

private:
    std::unique_ptr<juce::ListenerList<Listener>> listeners;

    JUCE_DECLARE_WEAK_REFERENCEABLE (Scene)
    JUCE_DECLARE_NON_COPYABLE (Scene)
};
} // namespace vesk
