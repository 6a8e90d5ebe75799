#include "render/RenderOptions.h"

#include "render/OutputLayouts.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace tap::render
{
namespace
{
    constexpr double maxTailSeconds = 3600.0;

    /** Splits "--name=value" into its two halves; an option without "=" keeps an empty value. */
    struct Argument
    {
        explicit Argument (const juce::String& text)
        {
            const auto equals = text.indexOfChar ('=');
            const auto isLong = text.startsWith ("--");

            name = isLong && equals > 0 ? text.substring (0, equals) : text;
            inlineValue = isLong && equals > 0 ? text.substring (equals + 1) : juce::String();
            hasInlineValue = isLong && equals > 0;
        }

        juce::String name, inlineValue;
        bool hasInlineValue = false;
    };

    class Parser
    {
    public:
        explicit Parser (const juce::StringArray& args)
            : arguments (args)
        {
        }

        ParsedOptions run()
        {
            juce::StringArray positional;

            while (next < arguments.size() && result.error.isEmpty())
            {
                const auto text = arguments[next++];

                if (text.startsWith ("-") && text.length() > 1)
                    readOption (Argument (text));
                else
                    positional.add (text);
            }

            if (result.error.isEmpty() && !result.options.showHelp)
                readFiles (positional);

            return result;
        }

    private:
        void readOption (const Argument& argument)
        {
            const auto& name = argument.name;

            if (name == "-h" || name == "--help")
                result.options.showHelp = true;
            else if (name == "-l" || name == "--layout")
                readValue (argument, [this] (const juce::String& v) { result.options.layoutName = v; });
            else if (name == "-b" || name == "--bits")
                readValue (argument, [this] (const juce::String& v) { readBits (v); });
            else if (name == "-t" || name == "--tail")
                readValue (argument, [this] (const juce::String& v) { readTail (v); });
            else if (name == "-s" || name == "--set")
                readValue (argument, [this] (const juce::String& v) { readSetting (v); });
            else if (name == "--state")
                readValue (argument, [this] (const juce::String& v) { result.options.state = toFile (v); });
            else if (name == "-p" || name == "--preset")
                readValue (argument, [this] (const juce::String& v) { result.options.preset = toFile (v); });
            else
                fail ("unknown option '" + name + "' (see --help)");
        }

        template <typename Use>
        void readValue (const Argument& argument, Use&& use)
        {
            if (argument.hasInlineValue)
                return use (argument.inlineValue);

            if (next >= arguments.size())
                return fail ("option " + argument.name + " needs a value");

            use (arguments[next++]);
        }

        void readBits (const juce::String& text)
        {
            if (text == "24")
                result.options.bitDepth = 24;
            else if (text == "32")
                result.options.bitDepth = 32;
            else
                fail ("--bits must be 24 or 32, not '" + text + "'");
        }

        void readTail (const juce::String& text)
        {
            double seconds = 0.0;
            if (!parseNumber (text, seconds) || seconds < 0.0 || seconds > maxTailSeconds)
                return fail ("--tail must be a number of seconds from 0 to " + juce::String (maxTailSeconds, 0)
                             + ", not '" + text + "'");

            result.options.tailSeconds = seconds;
        }

        void readSetting (const juce::String& text)
        {
            const auto equals = text.indexOfChar ('=');
            const auto id = text.substring (0, juce::jmax (0, equals)).trim();
            double value = 0.0;

            if (equals <= 0 || id.isEmpty())
                return fail ("--set needs ID=VALUE, not '" + text + "'");

            if (!parseNumber (text.substring (equals + 1), value))
                return fail ("--set " + id + ": '" + text.substring (equals + 1) + "' is not a number");

            result.options.settings.push_back ({ id, static_cast<float> (value) });
        }

        void readFiles (const juce::StringArray& positional)
        {
            if (positional.size() != 2)
                return fail ("expected two file arguments, INPUT and OUTPUT, but got "
                             + juce::String (positional.size()) + " (see --help)");

            result.options.input = toFile (positional[0]);
            result.options.output = toFile (positional[1]);
        }

        static juce::File toFile (const juce::String& path)
        {
            return juce::File::getCurrentWorkingDirectory().getChildFile (path);
        }

        void fail (const juce::String& message)
        {
            if (result.error.isEmpty())
                result.error = message;
        }

        const juce::StringArray& arguments;
        int next = 0;
        ParsedOptions result;
    };
} // namespace

ParsedOptions parseArguments (const juce::StringArray& arguments)
{
    return Parser (arguments).run();
}

bool parseNumber (const juce::String& text, double& result)
{
    // Only plain decimals: strtod alone would also take hexadecimal numbers and "infinity".
    const auto trimmed = text.trim();
    if (trimmed.isEmpty() || !trimmed.containsOnly ("0123456789+-.eE"))
        return false;

    const auto utf8 = trimmed.toStdString();
    char* end = nullptr;
    errno = 0;
    const auto value = std::strtod (utf8.c_str(), &end);

    if (end != utf8.c_str() + utf8.size() || errno == ERANGE || !std::isfinite (value))
        return false;

    result = value;
    return true;
}

juce::String getUsage()
{
    return "Usage: wendrel-render [options] INPUT OUTPUT\n"
           "\n"
           "Renders the audio file INPUT through Wendrel and writes the WAV file OUTPUT at the\n"
           "input's sample rate. The input is mono, stereo, or has as many channels as the\n"
           "output layout (in the order the renderer writes that layout).\n"
           "\n"
           "Options:\n"
           "  -l, --layout NAME     output layout (default 7.1.4): "
        + OutputLayouts::getNames().joinIntoString (", ")
        + "\n"
          "  -b, --bits 24|32      24-bit integer or 32-bit float samples (default 24)\n"
          "  -s, --set ID=VALUE    sets a parameter in its own units (dB, ms, -1..1 positions,\n"
          "                        0/1 for Active), e.g. --set Tap-A-Input-0=0; repeatable,\n"
          "                        applied after --state and --preset; values outside the range are clamped\n"
          "      --state FILE      loads a saved plug-in state (the bytes a host stores)\n"
          "  -p, --preset FILE     loads a preset file (.tappreset) after the state\n"
          "  -t, --tail SECONDS    renders this much silence after the input so delays ring\n"
          "                        out (default 0)\n"
          "  -h, --help            shows this text\n"
          "\n"
          "Routes reach their set gains and delays before the first input sample (the\n"
          "plug-in's 100 ms glide runs on silence first). Peak levels of every output\n"
          "channel are printed at the end; progress goes to standard error on long renders.\n";
}
} // namespace tap::render
