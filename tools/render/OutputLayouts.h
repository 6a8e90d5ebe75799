#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace tap::render
{
/** The output layouts the renderer offers by name ("stereo", "5.1", "7.1.4" ...): every
    speaker layout the processor's bus rules accept, under the names used in studios.
*/
struct OutputLayouts
{
    /** The channel set of a layout name, compared without regard to case; a disabled
        (empty) set when the name is unknown.
    */
    static juce::AudioChannelSet fromName (const juce::String& name);

    /** Every known name, in the order the help text lists them. */
    static juce::StringArray getNames();
};
} // namespace tap::render
