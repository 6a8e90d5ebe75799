#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace vesk
{
/** Turns the pointer events of a component the owner does not subclass into handler calls.

    It listens to the target's own events only, not to those of the target's children. It
    holds the target weakly, so the target may die first; the owner keeps the attachment
    alive. Message thread only.
*/
class MouseAttachment : public juce::MouseListener
{
public:
    explicit MouseAttachment (juce::Component& target);
    ~MouseAttachment() override;

    using Handler = std::function<void (const juce::MouseEvent&)>;

    Handler onMouseDown;
    Handler onMouseMove;
    Handler onMouseDrag;
    Handler onMouseUp;
    Handler onMouseEnter;
    Handler onMouseExit;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseMove (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;

    /** The target, or null once it has been destroyed. */
    juce::Component* getComponent() const noexcept { return component.get(); }

private:
    juce::WeakReference<juce::Component> component;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MouseAttachment)
};
} // namespace vesk
