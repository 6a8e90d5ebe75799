#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vesk
{
/** The base of the library's panels: a component with a library-wide margin and a way to
    install built-in colours that a look-and-feel may override.

    Message thread only.
*/
class BaseComponent : public juce::Component
{
public:
    BaseComponent();
    ~BaseComponent() override;

    /** Drops any refresh that was asked for but has not run yet. Does nothing here. */
    virtual void cancelPendingRefresh();

    /** Gives the component a colour for the id unless the look-and-feel that governs it (its
        own, the nearest parent's or the framework's default) already specifies one, so that
        a look-and-feel's colour wins over a panel's built-in default.
    */
    void setDefaultColour (int colourId, juce::Colour colour);

    /** The inset, in pixels, that library components leave around their content. */
    int margin = 5;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BaseComponent)
};
} // namespace vesk
