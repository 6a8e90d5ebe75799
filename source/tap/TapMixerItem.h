#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace tap
{
class TapDelayProcessor;

/** One strip of the tap details: the gain (dB) and delay time (ms) of one route, each as a
    vertical slider and a value bar, with the route's name at the foot.

    The attachments carry the processor's undo manager, so every gesture on a strip begins a
    new undo transaction. Message thread only.
*/
class TapMixerItem : public juce::Component
{
public:
    static constexpr int stripWidth = 70;

    TapMixerItem (TapDelayProcessor& owner,
                  const juce::String& stripName,
                  juce::Colour stripColour,
                  juce::RangedAudioParameter& gain,
                  juce::RangedAudioParameter& time);
    ~TapMixerItem() override;

    const juce::String& getStripName() const noexcept { return name; }
    juce::Colour getStripColour() const noexcept { return colour; }

    juce::Slider& getGainSlider() noexcept { return gainSlider; }
    juce::Slider& getTimeSlider() noexcept { return timeSlider; }
    juce::Slider& getGainBar() noexcept { return gainBar; }
    juce::Slider& getTimeBar() noexcept { return timeBar; }

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    TapDelayProcessor* processor;
    juce::String name;
    juce::Colour colour;
    juce::Slider gainSlider{ juce::Slider::LinearVertical, juce::Slider::NoTextBox };
    juce::Slider timeSlider{ juce::Slider::LinearVertical, juce::Slider::NoTextBox };
    juce::Slider gainBar{ juce::Slider::LinearBar, juce::Slider::TextBoxAbove };
    juce::Slider timeBar{ juce::Slider::LinearBar, juce::Slider::TextBoxAbove };
    juce::SliderParameterAttachment gainSliderAttachment, gainBarAttachment;
    juce::SliderParameterAttachment timeSliderAttachment, timeBarAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TapMixerItem)
};
} // namespace tap
