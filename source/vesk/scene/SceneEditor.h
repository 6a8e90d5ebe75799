#pragma once

#include "vesk/gui/RefreshingComponent.h"
#include "vesk/scene/Scene.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace vesk
{
/** The room view: shows a Scene from an adjustable viewpoint.

    The view is kept as two angles in degrees (azimuth about the vertical axis, elevation
    tilting towards a horizontal view), turned into a view matrix that maps room points onto
    a view plane; a screen transform maps that plane onto the component's pixels. The editor
    owns the objects the scene creates for it, forwards presses and drags on the empty
    background to the scene, and turns the view when dragged with the right button or with
    alt held. Four preset viewpoints are selected with setViewMode.

    The angle values notify asynchronously through the message loop. Message thread only.
*/
class SceneEditor : public RefreshingComponent, public juce::Value::Listener, public Scene::Listener
{
public:
    // A fixed underlying type: a mode read from a stored value may be out of range and is refused.
    enum ViewMode : int
    {
        Orbit = 0, ///< oblique view from above, front wall at the top
        Top = 1,   ///< plan view: x to the right, y (front) up
        Side = 2,  ///< y (front) to the right, z up
        Rear = 3   ///< from the rear towards the front wall: x to the right, z up
    };

    enum ColourIds
    {
        backgroundColourId = 0x9DC3460,
        screenColourId = 0x9DC3461,
        floorTopColourId = 0x9DC3462,
        floorBottomColourId = 0x9DC3463,
        roomEdgeColourId = 0x9DC3464,
        labelColourId = 0x9DC346B
    };

    /** Starts in Orbit with both angles 0 and zoom 0.3, without a scene, and installs the
        default colours (setDefaultColours).
    */
    SceneEditor();
    ~SceneEditor() override;

    /** Installs the built-in colour of every colour id, unless the look-and-feel defines it. */
    void setDefaultColours();

    //==========================================================================================
    /** Detaches from the current scene, deletes the objects and, for a non-null scene, has it
        create the objects and starts listening to it.
    */
    void setScene (Scene* newScene);
    /** The scene shown, or null if there is none or it has been destroyed. */
    Scene* getScene() const noexcept { return scene.get(); }

    /** Selects a viewpoint: sets the two angle values (asynchronously applied), reports the
        mode through onViewModeChanged and repaints. Selecting the current mode does nothing;
        values outside the enumeration are stored and reported but set no angles.
    */
    void setViewMode (ViewMode mode);
    ViewMode getViewMode() const noexcept { return viewMode; }

    /** Told the new mode after every change, from setViewMode or a view drag (Orbit). */
    std::function<void (ViewMode)> onViewModeChanged;

    /** Limits of the view drag, in degrees. */
    juce::Range<float> azimuthRange{ -90.0f, 90.0f };
    juce::Range<float> elevationRange{ 0.0f, 90.0f };

    //==========================================================================================
    /** Takes the angle and zoom values over and, if they moved, updates the view, repositions
        the objects and repaints. The flag is not used.
    */
    void refresh (bool force) override;

    /** The view angles in degrees and the fraction of the smaller side one room unit spans. */
    juce::Value& getAzimuthValue() noexcept { return azimuthValue; }
    juce::Value& getElevationValue() noexcept { return elevationValue; }
    juce::Value& getZoomValue() noexcept { return zoomValue; }

    /** The angles and zoom as last taken from the values. */
    float getAzimuth() const noexcept { return azimuth; }
    float getElevation() const noexcept { return elevation; }
    float getZoom() const noexcept { return zoom; }

    /** Room to view plane, entry (r, c) at index 4 r + c. The first two columns place
        points; the third, (m[2], m[6], m[10]), is the viewing direction in room coordinates.
    */
    const std::array<float, 16>& getViewMatrix() const noexcept { return viewMatrix; }
    /** View plane to pixels. */
    const juce::AffineTransform& getScreenTransform() const noexcept { return screenTransform; }

    /** The pixel position of a room point. */
    juce::Point<float> project (float x, float y, float z) const noexcept;
    /** The 30 x 30 square centred on the projection of a room point (truncated to whole
        pixels), where an object standing for that point sits.
    */
    juce::Rectangle<int> getObjectBounds (float x, float y, float z) const noexcept;

    //==========================================================================================
    /** Adds an object made by the scene: visible, as a child, appended to the object list. */
    void addObject (std::unique_ptr<juce::Component> object);
    /** The scene's objects; for the tap scene, entry i stands for tap i. */
    const std::vector<std::unique_ptr<juce::Component>>& getObjects() const noexcept { return objects; }
    /** Deletes the objects, from the last to the first. */
    void clearObjects();

    //==========================================================================================
    void paint (juce::Graphics& g) override;
    void paintOverChildren (juce::Graphics& g) override;
    void resized() override;

    void mouseMove (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    void valueChanged (juce::Value& value) override;
    void sceneObjectsChanged (Scene& changedScene) override;
    void scenePositionsChanged (Scene& changedScene) override;
    void sceneAppearanceChanged (Scene& changedScene) override;

    void updateViewMatrix() noexcept;
    void turnView (const juce::MouseEvent& e);

    juce::WeakReference<Scene> scene;
    std::vector<std::unique_ptr<juce::Component>> objects;
    ViewMode viewMode = Orbit;
    juce::Value azimuthValue, elevationValue;
    juce::Value zoomValue{ static_cast<double> (0.3f) };
    float azimuth = 0.0f, elevation = 0.0f, zoom = 0.3f;
    juce::Point<float> lastMousePosition;
    juce::AffineTransform screenTransform;
    std::array<float, 16> viewMatrix{ 1.0f, 0.0f, 0.0f, 0.0f, //
                                      0.0f, 1.0f, 0.0f, 0.0f, //
                                      0.0f, 0.0f, 1.0f, 0.0f, //
                                      0.0f, 0.0f, 0.0f, 1.0f };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SceneEditor)
};
} // namespace vesk
