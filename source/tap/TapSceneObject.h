#pragma once

#include "tap/Tap.h"
#include "vesk/scene/SceneEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace tap
{
/** The round object that stands for one tap in a room view.

    It draws the tap's colour, name and output level, follows the tap's position parameters,
    selects its tap when pressed (through the nearest ancestor that is a TapSelector), moves
    the tap when dragged (in the horizontal plane, or in height with shift held) and switches
    it on or off on a double-click. Every change goes through the host-visible parameters
    inside change gestures.

    Parameter notifications may arrive on any thread, the audio thread included: there they
    only trigger an asynchronous update; all other work is on the message thread. The scene
    editor owns the object and outlives it.
*/
class TapSceneObject : public juce::Component, public juce::AudioProcessorParameter::Listener, public juce::AsyncUpdater
{
public:
    TapSceneObject (int tapIndex, Tap& shownTap, vesk::SceneEditor& owner);
    ~TapSceneObject() override;

    int getIndex() const noexcept { return index; }
    Tap& getTap() const noexcept { return tap; }

    /** Places the object on the projection of the tap's current position. */
    void updateBounds();

    //==========================================================================================
    /** The colour of an inactive tap: saturation 0.2, then brightness 0.3, hue and alpha kept. */
    static juce::Colour getInactiveColour (juce::Colour colour);
    /** The halo's alpha for a level: opaque at 0 dBFS, invisible at -100 dB or below. */
    static juce::uint8 getHaloAlpha (float level);
    /** Black on bright colours, white on dark ones (perceived brightness against 0.5). */
    static juce::Colour getTextColour (juce::Colour background);

    //==========================================================================================
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseDoubleClick (const juce::MouseEvent& e) override;

protected:
    /** Puts the pointer back at a screen position during a height drag. */
    virtual void movePointerTo (const juce::MouseEvent& e, juce::Point<float> screenPosition);

private:
    void parameterValueChanged (int parameterIndex, float newValue) override;
    void parameterGestureChanged (int parameterIndex, bool gestureIsStarting) override;
    void handleAsyncUpdate() override;

    void dragHeight (juce::Point<float> p);
    void dragInPlane (juce::Point<float> p);
    void endPositionGesture();

    const int index;
    Tap& tap;
    vesk::SceneEditor& editor;
    juce::Point<float> dragStart;
    bool positionGestureOpen = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TapSceneObject)
};
} // namespace tap
