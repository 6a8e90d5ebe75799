#include "tap/TapSceneObject.h"

#include "tap/TapSelector.h"

#include <cmath>

namespace tap
{
namespace
{
    struct RoomPoint
    {
        float x, y, z;
    };

    /** Sets a parameter from a room value, clamped to its range; the host is told. */
    void setRoomValue (juce::RangedAudioParameter& parameter, float value)
    {
        // A NaN would pass the range clamp untouched; keep the parameter where it is instead.
        const auto normalised = std::isnan (value) ? parameter.getValue() : parameter.convertTo0to1 (value);
        parameter.setValueNotifyingHost (normalised);
    }
} // namespace

TapSceneObject::TapSceneObject (int tapIndex, Tap& shownTap, vesk::SceneEditor& owner)
    : index (tapIndex)
    , tap (shownTap)
    , editor (owner)
{
    tap.x->addListener (this);
    tap.y->addListener (this);
    tap.z->addListener (this);
}

TapSceneObject::~TapSceneObject()
{
    tap.x->removeListener (this);
    tap.y->removeListener (this);
    tap.z->removeListener (this);
    cancelPendingUpdate();

    // An object deleted between press and release must not leave the host inside a gesture.
    endPositionGesture();
}

void TapSceneObject::updateBounds()
{
    setBounds (editor.getObjectBounds (tap.x->get(), tap.y->get(), tap.z->get()));
}

//==============================================================================================
juce::Colour TapSceneObject::getInactiveColour (juce::Colour colour)
{
    return colour.withSaturation (0.2f).withBrightness (0.3f);
}

juce::uint8 TapSceneObject::getHaloAlpha (float level)
{
    const auto decibels = level > 0.0f ? juce::jmax (20.0f * std::log10 (level), -100.0f) + 100.0f : 0.0f;
    const auto a = juce::jmin (juce::jmax (decibels / 100.0f, 0.0f), 1.0f);

    if (a <= 0.0f)
        return 0;

    if (a >= 1.0f)
        return 255;

    // nearbyint rounds ties to even in the default rounding mode.
    return static_cast<juce::uint8> (std::nearbyint (a * 255.0f));
}

juce::Colour TapSceneObject::getTextColour (juce::Colour background)
{
    const auto r = background.getFloatRed();
    const auto g = background.getFloatGreen();
    const auto b = background.getFloatBlue();
    const auto brightness = std::sqrt (0.241f * r * r + 0.691f * g * g + 0.068f * b * b);

    return brightness >= 0.5f ? juce::Colour (0xff000000) : juce::Colour (0xffffffff);
}

//==============================================================================================
void TapSceneObject::paint (juce::Graphics& g)
{
    const auto w = static_cast<float> (getWidth());
    const auto h = static_cast<float> (getHeight());
    const auto colour = tap.isActive() ? tap.colour : getInactiveColour (tap.colour);

    g.setColour (colour.withAlpha (getHaloAlpha (tap.level.load())));
    g.fillEllipse (0.0f, 0.0f, w, h);

    g.setColour (colour);
    g.fillEllipse (5.0f, 5.0f, juce::jmax (w - 10.0f, 0.0f), juce::jmax (h - 10.0f, 0.0f));

    g.setColour (getTextColour (colour));
    g.drawFittedText (tap.name,
                      juce::Rectangle<int> (3, 3, juce::jmax (getWidth() - 6, 0), juce::jmax (getHeight() - 6, 0)),
                      juce::Justification::centred,
                      1,
                      0.0f);
}

//==============================================================================================
void TapSceneObject::mouseDown (const juce::MouseEvent& e)
{
    toFront (false);

    if (auto* selector = findParentComponentOfClass<TapSelector>())
        selector->selectTap (index);

    dragStart = e.getEventRelativeTo (&editor).position;

    if (!positionGestureOpen)
    {
        positionGestureOpen = true;
        tap.x->beginChangeGesture();
        tap.y->beginChangeGesture();
        tap.z->beginChangeGesture();
    }
}

void TapSceneObject::mouseUp (const juce::MouseEvent&)
{
    endPositionGesture();
}

void TapSceneObject::endPositionGesture()
{
    if (!positionGestureOpen)
        return;

    positionGestureOpen = false;
    tap.x->endChangeGesture();
    tap.y->endChangeGesture();
    tap.z->endChangeGesture();
}

void TapSceneObject::mouseDoubleClick (const juce::MouseEvent&)
{
    tap.active->beginChangeGesture();
    tap.active->setValueNotifyingHost (tap.active->get() ? 0.0f : 1.0f);
    tap.active->endChangeGesture();
    repaint();
}

void TapSceneObject::mouseDrag (const juce::MouseEvent& e)
{
    const auto p = e.getEventRelativeTo (&editor).position;

    if (e.mods.isLeftButtonDown())
    {
        if (e.mods.isShiftDown())
        {
            dragHeight (p);
            // Every step measures from the same place; the object follows the notification.
            movePointerTo (e, editor.localPointToGlobal (dragStart.toInt()).toFloat());
            return;
        }

        dragInPlane (p);
    }

    updateBounds();
}

void TapSceneObject::dragHeight (juce::Point<float> p)
{
    // The full height of the view spans the whole z range; a zero-height view cannot be dragged.
    const auto height = static_cast<float> (juce::jmax (editor.getHeight(), 1));
    const auto newZ = tap.z->get() - (p.y - dragStart.y) / height;

    setRoomValue (*tap.x, tap.x->get());
    setRoomValue (*tap.y, tap.y->get());
    setRoomValue (*tap.z, newZ);
}

void TapSceneObject::dragInPlane (juce::Point<float> p)
{
    const auto& transform = editor.getScreenTransform();
    const auto determinant = transform.mat00 * transform.mat11 - transform.mat01 * transform.mat10;
    const auto toViewPlane = determinant == 0.0f ? transform : transform.inverted();

    auto u = p.x, v = p.y;
    toViewPlane.transformPoint (u, v);

    // The pick ray starts on the plane through the room centre facing the viewer and runs
    // along the viewing direction.
    const auto& m = editor.getViewMatrix();
    const RoomPoint start{ m[0] * u + m[1] * v, m[4] * u + m[5] * v, m[8] * u + m[9] * v + 0.5f };
    const RoomPoint direction{ m[2], m[6], m[10] };
    const auto z = tap.z->get();

    auto position = start;

    // A horizontal view cannot meet a horizontal plane: the pointer then sets the height too.
    if (std::abs (direction.z) >= 1.1920929e-7f)
    {
        const auto t = (z - start.z) / direction.z;
        position = { start.x + t * direction.x, start.y + t * direction.y, z };
    }

    setRoomValue (*tap.x, position.x);
    setRoomValue (*tap.y, position.y);
    setRoomValue (*tap.z, position.z);
    dragStart = p;
}

void TapSceneObject::movePointerTo (const juce::MouseEvent& e, juce::Point<float> screenPosition)
{
    auto source = e.source;
    source.setScreenPosition (screenPosition);
}

//==============================================================================================
void TapSceneObject::parameterValueChanged (int, float)
{
    triggerAsyncUpdate();
}
void TapSceneObject::parameterGestureChanged (int, bool) {}
void TapSceneObject::handleAsyncUpdate()
{
    updateBounds();
}
} // namespace tap
