#include "render/CommandLine.h"

#include "render/Renderer.h"

#include <iomanip>

namespace tap::render
{
namespace
{
    constexpr const char* programName = "wendrel-render";

    juce::String decibelText (float peak)
    {
        return peak > 0.0f ? juce::String (juce::Decibels::gainToDecibels (peak, -1000.0f), 2) : juce::String ("-inf");
    }

    void printSummary (std::ostream& out, const RenderOptions& options, const RenderResult& result)
    {
        const auto seconds = static_cast<double> (result.numSamples) / result.sampleRate;
        out << "wrote " << options.output.getFullPathName() << ": " << options.layoutName << ", " << result.numChannels
            << " channels, " << result.sampleRate << " Hz, " << (options.bitDepth == 32 ? "32-bit float" : "24-bit")
            << ", " << juce::String (seconds, 3) << " s\n";

        out << "peak levels (dBFS):\n";
        for (size_t c = 0; c < result.peaks.size(); ++c)
            out << "  " << std::setw (2) << c + 1 << " " << std::left << std::setw (4) << result.peaks[c].name
                << std::right << " " << std::setw (8) << decibelText (result.peaks[c].peak) << "\n";
    }

    RenderCallbacks makeCallbacks (std::ostream& err, bool errIsTerminal)
    {
        RenderCallbacks callbacks;
        callbacks.warning = [&err] (const juce::String& message)
        { err << programName << ": warning: " << message << "\n"; };

        callbacks.progress = [&err, errIsTerminal] (double fraction)
        {
            const auto percent = juce::roundToInt (fraction * 100.0);

            if (errIsTerminal)
                err << "\r" << programName << ": rendering " << percent << "%" << (percent >= 100 ? "\n" : "")
                    << std::flush;
            else if (percent % 10 == 0 && percent > 0)
                err << programName << ": rendering " << percent << "%\n";
        };

        return callbacks;
    }
} // namespace

int runCommandLine (const juce::StringArray& arguments, std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    const auto parsed = parseArguments (arguments);

    if (parsed.failed())
    {
        err << programName << ": error: " << parsed.error << "\n";
        return 2;
    }

    if (parsed.options.showHelp)
    {
        out << getUsage();
        return 0;
    }

    const auto result = render (parsed.options, makeCallbacks (err, errIsTerminal));

    if (result.failed())
    {
        err << programName << ": error: " << result.error << "\n";
        return 1;
    }

    printSummary (out, parsed.options, result);
    return 0;
}
} // namespace tap::render
