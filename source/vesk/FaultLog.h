#pragma once

#include <juce_core/juce_core.h>

namespace vesk
{
/** Writes the library's one kind of diagnostic to standard error and flushes it at once:
    "FAULT" "!|" message "!" and a line feed. Nothing else is done with faults.

    Not for the audio thread: it allocates and writes to a stream.
*/
void logFault (const juce::String& message);
} // namespace vesk
