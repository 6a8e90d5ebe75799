#pragma once

#include <juce_core/juce_core.h>

#include <ostream>

namespace tap::render
{
/** The whole renderer as its command line sees it: reads the arguments (without the program
    name), renders, and reports. Errors and warnings are one line each on `err`, progress of
    long renders goes to `err` too, the summary and the peak levels to `out`.

    Returns 0 on success, 1 when the render failed and 2 when the arguments are wrong.
    `errIsTerminal` makes the progress one line rewritten in place.
*/
int runCommandLine (const juce::StringArray& arguments,
                    std::ostream& out,
                    std::ostream& err,
                    bool errIsTerminal = false);
} // namespace tap::render
