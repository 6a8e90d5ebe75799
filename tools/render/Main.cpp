#include "render/CommandLine.h"

#include <juce_events/juce_events.h>

#include <iostream>
#include <unistd.h>

int main (int argc, char** argv)
{
    // The processor's value tree state needs the framework's message manager.
    juce::ScopedJuceInitialiser_GUI juce;

    juce::StringArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    return tap::render::runCommandLine (arguments, std::cout, std::cerr, isatty (STDERR_FILENO) != 0);
}
