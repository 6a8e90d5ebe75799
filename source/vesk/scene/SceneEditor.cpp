#include "vesk/scene/SceneEditor.h"

#include "vesk/dsp/ApproximatelyEqual.h"

#include <cmath>

namespace vesk
{
namespace
{
    struct DefaultColour
    {
        int id;
        juce::uint32 argb;
    };

    constexpr DefaultColour defaultColours[] = {
        { SceneEditor::backgroundColourId, 0xff000000 }, { SceneEditor::screenColourId, 0x99c0c0c0 },
        { SceneEditor::floorTopColourId, 0xff000000 },   { SceneEditor::floorBottomColourId, 0xff2f4f4f },
        { SceneEditor::roomEdgeColourId, 0xffc0c0c0 },   { SceneEditor::labelColourId, 0xffc0c0c0 },
    };

    constexpr float degreesToRadians = 0.017453292f;

    float readFloat (const juce::Value& value)
    {
        return static_cast<float> (static_cast<double> (value.getValue()));
    }

    /** Stores the value's number if it moved; tells whether it did. */
    bool takeOver (const juce::Value& value, float& stored)
    {
        const auto current = readFloat (value);

        if (approximatelyEqual (current, stored))
            return false;

        stored = current;
        return true;
    }

    /** Truncation toward zero, kept defined for values no pixel can have. */
    int truncateToPixel (float coordinate) noexcept
    {
        if (!std::isfinite (coordinate))
            return 0;

        constexpr float limit = 1.0e9f;
        return static_cast<int> (juce::jlimit (-limit, limit, coordinate));
    }
} // namespace

SceneEditor::SceneEditor()
{
    azimuthValue.addListener (this);
    elevationValue.addListener (this);
    setDefaultColours();
}

SceneEditor::~SceneEditor()
{
    if (auto* current = scene.get())
        current->removeListener (this);

    clearObjects();
}

void SceneEditor::setDefaultColours()
{
    for (const auto& c : defaultColours)
        setDefaultColour (c.id, juce::Colour (c.argb));
}

//==============================================================================================
void SceneEditor::setScene (Scene* newScene)
{
    if (auto* current = scene.get())
        current->removeListener (this);

    scene = newScene;
    clearObjects();

    if (newScene != nullptr)
    {
        newScene->createObjects (*this);
        newScene->addListener (this);
    }
}

void SceneEditor::setViewMode (ViewMode mode)
{
    if (mode == viewMode)
        return;

    viewMode = mode;

    const auto setAngles = [this] (double newAzimuth, double newElevation)
    {
        azimuthValue = newAzimuth;
        elevationValue = newElevation;
    };

    switch (mode)
    {
        case Orbit: setAngles (19.0, 63.0); break;
        case Top: setAngles (0.0, 0.0); break;
        case Side: setAngles (-90.0, 90.0); break;
        case Rear: setAngles (0.0, 90.0); break;
        default: break;
    }

    if (onViewModeChanged)
        onViewModeChanged (mode);

    repaint();
}

//==============================================================================================
void SceneEditor::refresh (bool)
{
    const auto azimuthChanged = takeOver (azimuthValue, azimuth);
    const auto elevationChanged = takeOver (elevationValue, elevation);

    if (azimuthChanged || elevationChanged)
    {
        updateViewMatrix();

        if (auto* current = scene.get())
            current->updateObjectPositions (*this);
    }

    if (takeOver (zoomValue, zoom))
        resized();

    repaint();
}

void SceneEditor::updateViewMatrix() noexcept
{
    const auto a = azimuth * degreesToRadians;
    const auto e = elevation * degreesToRadians;
    const auto sinA = std::sin (a), cosA = std::cos (a);
    const auto sinE = std::sin (e), cosE = std::cos (e);

    viewMatrix = { cosA,  sinA * cosE,  sinA * sinE, 0.0f, //
                   -sinA, cosA * cosE,  cosA * sinE, 0.0f, //
                   0.0f,  sinE,         -cosE,       0.0f, //
                   0.0f,  -0.5f * sinE, 0.5f * cosE, 0.0f };
}

juce::Point<float> SceneEditor::project (float x, float y, float z) const noexcept
{
    const auto& m = viewMatrix;
    const auto u = x * m[0] + y * m[4] + z * m[8] + m[12];
    const auto v = x * m[1] + y * m[5] + z * m[9] + m[13];
    const auto& t = screenTransform;

    return { t.mat00 * u + t.mat01 * v + t.mat02, t.mat10 * u + t.mat11 * v + t.mat12 };
}

juce::Rectangle<int> SceneEditor::getObjectBounds (float x, float y, float z) const noexcept
{
    const auto centre = project (x, y, z);
    return { truncateToPixel (centre.x) - 15, truncateToPixel (centre.y) - 15, 30, 30 };
}

//==============================================================================================
void SceneEditor::addObject (std::unique_ptr<juce::Component> object)
{
    if (object == nullptr)
        return;

    addAndMakeVisible (*object);
    objects.push_back (std::move (object));
}

void SceneEditor::clearObjects()
{
    while (!objects.empty())
        objects.pop_back();
}

//==============================================================================================
void SceneEditor::paint (juce::Graphics& g)
{
    cancelPendingRefresh();

    const auto background = findColour (backgroundColourId);

    if (background.getAlpha() != 0)
        g.fillAll (background);

    if (auto* current = scene.get())
    {
        current->paintBackground (*this, g);
        current->paintLabels (*this, g);
    }
}

void SceneEditor::paintOverChildren (juce::Graphics& g)
{
    if (auto* current = scene.get())
        current->paintOverObjects (*this, g);
}

void SceneEditor::resized()
{
    const auto w = getWidth();
    const auto h = getHeight();
    const auto s = static_cast<float> (juce::jmin (w, h)) * readFloat (zoomValue);

    screenTransform = juce::AffineTransform (s, 0.0f, static_cast<float> (w / 2), 0.0f, -s, static_cast<float> (h / 2));

    if (auto* current = scene.get())
        current->updateObjectPositions (*this);

    refresh (true);
}

//==============================================================================================
void SceneEditor::mouseMove (const juce::MouseEvent& e)
{
    if (viewMode == Orbit || e.mods.isAltDown())
        setMouseCursor (juce::MouseCursor::UpDownLeftRightResizeCursor);
    else if (auto* current = scene.get())
        setMouseCursor (current->getMouseCursor());
    else
        setMouseCursor (juce::MouseCursor());
}

void SceneEditor::mouseDown (const juce::MouseEvent& e)
{
    lastMousePosition = e.position;

    if (e.mods.isCtrlDown() || e.mods.isAltDown() || e.mods.isRightButtonDown())
        return;

    if (auto* current = scene.get())
        current->mouseDown (*this, e);
}

void SceneEditor::mouseDrag (const juce::MouseEvent& e)
{
    if (e.mods.isAltDown() || e.mods.isRightButtonDown())
        turnView (e);
    else if (auto* current = scene.get())
        current->mouseDrag (*this, e);

    lastMousePosition = e.position;
}

void SceneEditor::mouseUp (const juce::MouseEvent& e)
{
    if (auto* current = scene.get())
        current->mouseUp (*this, e);
}

void SceneEditor::turnView (const juce::MouseEvent& e)
{
    // A view squeezed to nothing cannot be dragged across; avoid dividing by zero.
    const auto width = static_cast<float> (juce::jmax (getWidth(), 1));
    const auto height = static_cast<float> (juce::jmax (getHeight(), 1));

    const auto newAzimuth = (e.position.x - lastMousePosition.x) / width * 360.0f + azimuth;
    azimuthValue = static_cast<double> (azimuthRange.clipValue (newAzimuth));

    const auto newElevation = (e.position.y - lastMousePosition.y) / height * -360.0f + elevation;
    elevationValue = static_cast<double> (elevationRange.clipValue (newElevation));

    if (viewMode != Orbit)
    {
        viewMode = Orbit;

        if (onViewModeChanged)
            onViewModeChanged (Orbit);
    }

    lastMousePosition = e.position;
}

//==============================================================================================
void SceneEditor::valueChanged (juce::Value&)
{
    updateViewMatrix();
    refresh (true);
}

void SceneEditor::sceneObjectsChanged (Scene&)
{
    clearObjects();

    if (auto* current = scene.get())
        current->createObjects (*this);
}

void SceneEditor::scenePositionsChanged (Scene&)
{
    if (auto* current = scene.get())
        current->updateObjectPositions (*this);
}

void SceneEditor::sceneAppearanceChanged (Scene&)
{
    repaint();
}
} // namespace vesk
