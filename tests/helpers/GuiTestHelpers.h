#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace test
{
/** A pointer event on a component, as the framework would deliver it; position in the
    component's own coordinates.
*/
inline juce::MouseEvent makeMouseEvent (juce::Component& component,
                                        juce::Point<float> position,
                                        juce::ModifierKeys modifiers = juce::ModifierKeys::leftButtonModifier,
                                        int numberOfClicks = 1)
{
    const auto now = juce::Time::getCurrentTime();
    return { juce::Desktop::getInstance().getMainMouseSource(),
             position,
             modifiers,
             juce::MouseInputSource::defaultPressure,
             juce::MouseInputSource::defaultOrientation,
             juce::MouseInputSource::defaultRotation,
             juce::MouseInputSource::defaultTiltX,
             juce::MouseInputSource::defaultTiltY,
             &component,
             &component,
             now,
             position,
             now,
             numberOfClicks,
             false };
}

/** Lets queued asynchronous notifications (value listeners, async updaters) run. */
inline void runMessageLoop()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
}

/** The component and its children painted into an image of its size. */
inline juce::Image paintToImage (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB,
                       juce::jmax (component.getWidth(), 1),
                       juce::jmax (component.getHeight(), 1),
                       true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, true);
    return image;
}
} // namespace test
