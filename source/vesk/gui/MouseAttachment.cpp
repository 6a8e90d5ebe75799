#include "vesk/gui/MouseAttachment.h"

namespace vesk
{
namespace
{
    void callIfSet (const MouseAttachment::Handler& handler, const juce::MouseEvent& e)
    {
        if (handler)
            handler (e);
    }
} // namespace

MouseAttachment::MouseAttachment (juce::Component& target)
    : component (&target)
{
    target.addMouseListener (this, false);
}

MouseAttachment::~MouseAttachment()
{
    if (auto* target = component.get())
        target->removeMouseListener (this);
}

void MouseAttachment::mouseDown (const juce::MouseEvent& e)
{
    callIfSet (onMouseDown, e);
}
void MouseAttachment::mouseMove (const juce::MouseEvent& e)
{
    callIfSet (onMouseMove, e);
}
void MouseAttachment::mouseDrag (const juce::MouseEvent& e)
{
    callIfSet (onMouseDrag, e);
}
void MouseAttachment::mouseUp (const juce::MouseEvent& e)
{
    callIfSet (onMouseUp, e);
}
void MouseAttachment::mouseEnter (const juce::MouseEvent& e)
{
    callIfSet (onMouseEnter, e);
}
void MouseAttachment::mouseExit (const juce::MouseEvent& e)
{
    callIfSet (onMouseExit, e);
}
} // namespace vesk
