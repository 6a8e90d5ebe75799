#pragma once

#include "tap/TapMixerItem.h"
#include "tap/TapRoute.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

namespace tap
{
class TapDelayProcessor;

/** A tab page of the tap details: one TapMixerItem strip per route of a family of the
    selected tap, side by side in a content component that scrolls horizontally.

    Strips are built once, for the bus layout at construction; the content width follows
    the current layout on every resize. Message thread only.
*/
class TapRoutePage : public juce::Component
{
public:
    ~TapRoutePage() override;

    const std::vector<std::unique_ptr<TapMixerItem>>& getStrips() const noexcept { return strips; }
    juce::Component& getContent() noexcept { return content; }
    juce::Viewport& getViewport() noexcept { return viewport; }
    int getTapIndex() const noexcept { return tapIndex; }

    /** The strip name of a channel: the channel type's name, or its abbreviation when the
        name has 9 characters or more.
    */
    static juce::String getChannelStripName (const juce::AudioChannelSet& channelSet, int channel);

    void resized() override;

protected:
    TapRoutePage (TapDelayProcessor& owner, int selectedTap);

    /** How many strips the content is made wide enough for. */
    virtual int getNumStripsForWidth() const = 0;

    void addStrip (const juce::String& name, juce::Colour colour, const TapRoute& route);

    TapDelayProcessor& processor;
    const int tapIndex;

private:
    juce::Component content;
    juce::Viewport viewport;
    std::vector<std::unique_ptr<TapMixerItem>> strips;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TapRoutePage)
};

/** The "Input" page: one strip per channel of the main input bus (a single one named "Input"). */
class TapInputComponent : public TapRoutePage
{
public:
    TapInputComponent (TapDelayProcessor& owner, int selectedTap);

private:
    int getNumStripsForWidth() const override;
};

/** The "Taps" page: one strip per source tap A to P, in the source tap's colour. */
class TapMatrixComponent : public TapRoutePage
{
public:
    TapMatrixComponent (TapDelayProcessor& owner, int selectedTap);

private:
    int getNumStripsForWidth() const override;
};

/** The "Feedback" page: one strip per channel of the main output bus. */
class TapFeedbackComponent : public TapRoutePage
{
public:
    TapFeedbackComponent (TapDelayProcessor& owner, int selectedTap);

private:
    int getNumStripsForWidth() const override;
};
} // namespace tap
