#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace tap::render
{
/** One parameter value asked for on the command line, in the parameter's own units. */
struct ParameterSetting
{
    juce::String id;
    float value = 0.0f;
};

/** What one run of the renderer is asked to do. */
struct RenderOptions
{
    juce::File input;
    juce::File output;
    juce::File state;  ///< a saved state to load first; none when it is the default File
    juce::File preset; ///< a preset file to load after the state; none when it is the default File
    juce::String layoutName{ "7.1.4" };
    int bitDepth = 24; ///< 24 (integer) or 32 (float)
    double tailSeconds = 0.0;
    std::vector<ParameterSetting> settings; ///< applied after the state, in order
    bool showHelp = false;
};

/** The outcome of reading a command line: the options, or a one-line error. */
struct ParsedOptions
{
    RenderOptions options;
    juce::String error;

    bool failed() const noexcept { return error.isNotEmpty(); }
};

/** Reads the renderer's arguments (without the program name). Options take their value as
    the next argument or after "=" ("--tail 2", "--tail=2"); the two positional arguments are
    the input and the output file. Checks the form of every value; whether a parameter or a
    layout exists is the renderer's to check.
*/
ParsedOptions parseArguments (const juce::StringArray& arguments);

/** The --help text. */
juce::String getUsage();

/** A strict decimal number: the whole text must be one finite number ("1e3", "-6", "0.5"). */
bool parseNumber (const juce::String& text, double& result);
} // namespace tap::render
