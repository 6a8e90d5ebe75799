#include "vesk/FaultLog.h"

#include <iostream>

namespace vesk
{
void logFault (const juce::String& message)
{
    // One write of the whole line, so that lines of several writers do not interleave.
    const auto line = "FAULT!|" + message + "!\n";
    std::cerr << line.toStdString() << std::flush;
}
} // namespace vesk
