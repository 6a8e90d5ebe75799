#include "render/Renderer.h"

#include "render/OutputLayouts.h"
#include "render/WavChannelOrder.h"
#include "tap/TapDelayProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>
#include <memory>

namespace tap::render
{
namespace
{
    using CS = juce::AudioChannelSet;

    constexpr int blockSize = 512;

    juce::String quoted (const juce::File& file)
    {
        return "'" + file.getFullPathName() + "'";
    }

    juce::String describe (const CS& set)
    {
        return set.size() == 1 ? juce::String ("mono") : juce::String (set.size()) + "-channel";
    }

    /** One render, step by step; each step answers false after recording its error. */
    class RenderJob
    {
    public:
        RenderJob (const RenderOptions& o, const RenderCallbacks& c)
            : options (o)
            , callbacks (c)
        {
            formats.registerBasicFormats();
        }

        RenderResult run()
        {
            if (openInput() && chooseLayouts() && createProcessor() && loadState() && loadPreset() && applySettings()
                && prepare() && openOutput() && renderAll() && finishOutput())
                fillResult();

            return result;
        }

    private:
        bool fail (const juce::String& message)
        {
            result.error = message;
            return false;
        }

        void warn (const juce::String& message) const
        {
            if (callbacks.warning)
                callbacks.warning (message);
        }

        //======================================================================================
        bool openInput()
        {
            if (!options.input.existsAsFile())
                return fail ("cannot read input " + quoted (options.input) + ": no such file");

            reader.reset (formats.createReaderFor (options.input));

            if (reader == nullptr)
                return fail ("cannot read input " + quoted (options.input) + ": not a readable WAV or AIFF file");

            sampleRate = reader->sampleRate;
            return true;
        }

        bool chooseLayouts()
        {
            outputSet = OutputLayouts::fromName (options.layoutName);

            if (outputSet.isDisabled())
                return fail ("unknown layout '" + options.layoutName
                             + "' (known: " + OutputLayouts::getNames().joinIntoString (", ") + ")");

            const auto numInputs = static_cast<int> (reader->numChannels);
            inputSet = numInputs == 1           ? CS::mono()
                : numInputs == 2                ? CS::stereo()
                : numInputs == outputSet.size() ? outputSet
                                                : CS::discreteChannels (numInputs);

            if (!TapDelayProcessor::isLayoutAccepted (inputSet, outputSet))
                return fail ("the input has " + juce::String (numInputs) + " channels: a " + options.layoutName
                             + " output takes a mono, stereo or " + describe (outputSet) + " input");

            outputOrder = WavChannelOrder::forLayout (outputSet);
            inputOrder = WavChannelOrder::forLayout (inputSet);
            return true;
        }

        bool createProcessor()
        {
            processor = std::make_unique<TapDelayProcessor>();

            juce::AudioProcessor::BusesLayout layout;
            layout.inputBuses.add (inputSet);
            layout.outputBuses.add (outputSet);

            if (!processor->setBusesLayout (layout))
                return fail ("the plug-in refused the " + options.layoutName + " layout");

            return true;
        }

        bool loadState()
        {
            if (options.state == juce::File())
                return true;

            juce::MemoryBlock data;
            if (!options.state.existsAsFile() || !options.state.loadFileAsData (data))
                return fail ("cannot read state file " + quoted (options.state));

            const auto tree = juce::ValueTree::readFromData (data.getData(), data.getSize());
            if (!tree.isValid())
                return fail ("state file " + quoted (options.state) + " holds no saved plug-in state");

            if (!tree.hasType ("Wendrel"))
                warn ("state file " + quoted (options.state) + " is a '" + tree.getType().toString()
                      + "' tree, not a Wendrel state: only its matching values apply");

            processor->setStateInformation (data.getData(), static_cast<int> (data.getSize()));
            return true;
        }

        bool loadPreset()
        {
            if (options.preset == juce::File())
                return true;

            const auto xml = options.preset.existsAsFile() ? juce::parseXML (options.preset) : nullptr;
            if (xml == nullptr)
                return fail ("cannot read preset file " + quoted (options.preset));

            auto& manager = processor->getPresetManager();
            if (!manager.isPresetValid (juce::ValueTree::fromXml (*xml)))
                return fail ("preset file " + quoted (options.preset) + " is not a Wendrel preset");

            manager.loadStateFromXml (xml.get());
            return true;
        }

        bool applySettings()
        {
            for (const auto& setting : options.settings)
                if (!applySetting (setting))
                    return false;

            return true;
        }

        bool applySetting (const ParameterSetting& setting)
        {
            auto* parameter = processor->getTreeState().getParameter (setting.id);

            if (parameter == nullptr)
                return fail ("unknown parameter '" + setting.id + "' (identifiers look like Tap-A-Input-0 or Tap-B-X)");

            const auto& range = parameter->getNormalisableRange();
            const auto outside = setting.value < range.start || setting.value > range.end;
            const auto wanted = juce::jlimit (range.start, range.end, setting.value);

            parameter->setValueNotifyingHost (parameter->convertTo0to1 (wanted));
            const auto reached = parameter->convertFrom0to1 (parameter->getValue());

            if (outside)
                warn (setting.id + " = " + juce::String (setting.value) + " is outside " + juce::String (range.start)
                      + " to " + juce::String (range.end) + ": clamped to " + juce::String (reached));
            else if (std::abs (reached - wanted) > 1.0e-4f * (range.end - range.start))
                warn (setting.id + " = " + juce::String (setting.value) + " is between steps: set to "
                      + juce::String (reached));

            return true;
        }

        bool prepare()
        {
            processor->setNonRealtime (true);
            processor->setRateAndBufferSizeDetails (sampleRate, blockSize);
            processor->prepareToPlay (sampleRate, blockSize);

            buffer.setSize (outputSet.size(), blockSize);
            inputBlock.setSize (inputSet.size(), blockSize);

            // Every route glides to its new gain and delay over 0.1 s after the first block.
            // Running that glide on silence makes the render exact from the first sample.
            const auto glideBlocks = static_cast<int> (std::floor (0.1 * sampleRate)) / blockSize + 2;
            for (int b = 0; b < glideBlocks; ++b)
            {
                buffer.clear();
                processor->processBlock (buffer, midi);
            }

            return true;
        }

        bool openOutput()
        {
            const auto folder = options.output.getParentDirectory();
            if (options.output.isDirectory())
                return fail ("cannot write output " + quoted (options.output) + ": it is a folder");
            if (!folder.isDirectory())
                return fail ("cannot write output " + quoted (options.output) + ": no folder " + quoted (folder));

            temporary = std::make_unique<juce::TemporaryFile> (options.output, juce::TemporaryFile::useHiddenFile);
            auto stream = std::make_unique<juce::FileOutputStream> (temporary->getFile());

            if (!stream->openedOk())
                return fail ("cannot write output " + quoted (options.output) + ": "
                             + stream->getStatus().getErrorMessage());

            juce::WavAudioFormat wav;
            writer.reset (wav.createWriterFor (stream.get(), sampleRate, outputOrder.fileSet, options.bitDepth, {}, 0));

            if (writer == nullptr)
                return fail ("cannot write a " + juce::String (options.bitDepth) + "-bit WAV file for the "
                             + options.layoutName + " layout");

            stream.release(); // the writer owns it now
            return true;
        }

        //======================================================================================
        bool renderAll()
        {
            const auto inputLength = reader->lengthInSamples;
            totalSamples = inputLength + static_cast<juce::int64> (std::llround (options.tailSeconds * sampleRate));
            peaks.assign ((size_t) outputSet.size(), 0.0f);
            reportsProgress = static_cast<double> (totalSamples) > progressThresholdSeconds * sampleRate;

            for (juce::int64 position = 0; position < totalSamples; position += blockSize)
            {
                const auto numSamples = static_cast<int> (juce::jmin<juce::int64> (blockSize, totalSamples - position));

                if (!renderBlock (position, numSamples, inputLength))
                    return fail ("cannot write output " + quoted (options.output) + ": writing failed");

                reportProgress (position + numSamples);
            }

            return true;
        }

        bool renderBlock (juce::int64 position, int numSamples, juce::int64 inputLength)
        {
            buffer.clear();

            if (position < inputLength)
            {
                const auto numRead = static_cast<int> (juce::jmin<juce::int64> (numSamples, inputLength - position));
                reader->read (inputBlock.getArrayOfWritePointers(), inputBlock.getNumChannels(), position, numRead);

                for (int f = 0; f < inputBlock.getNumChannels(); ++f)
                    buffer.copyFrom (inputOrder.processorChannel[(size_t) f], 0, inputBlock, f, 0, numRead);
            }

            juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), numSamples);
            processor->processBlock (block, midi);

            std::vector<const float*> fileChannels;
            for (size_t f = 0; f < outputOrder.processorChannel.size(); ++f)
            {
                const auto channel = outputOrder.processorChannel[f];
                fileChannels.push_back (block.getReadPointer (channel));
                peaks[f] = juce::jmax (peaks[f], block.getMagnitude (channel, 0, numSamples));
            }

            return writer->writeFromFloatArrays (fileChannels.data(),
                                                 static_cast<int> (fileChannels.size()),
                                                 numSamples);
        }

        void reportProgress (juce::int64 done)
        {
            if (!reportsProgress || !callbacks.progress)
                return;

            const auto percent = static_cast<int> (100 * done / juce::jmax<juce::int64> (1, totalSamples));
            if (percent != lastPercent)
                callbacks.progress (percent / 100.0);

            lastPercent = percent;
        }

        bool finishOutput()
        {
            writer.reset(); // writes the final header and closes the file

            const auto dataBytes = totalSamples * outputSet.size() * (options.bitDepth / 8);
            if (temporary->getFile().getSize() < dataBytes)
                return fail ("cannot write output " + quoted (options.output) + ": the file came out short");

            if (!temporary->overwriteTargetFileWithTemporary())
                return fail ("cannot write output " + quoted (options.output) + ": renaming the finished file failed");

            return true;
        }

        void fillResult()
        {
            result.numChannels = outputSet.size();
            result.sampleRate = sampleRate;
            result.numSamples = totalSamples;

            for (size_t f = 0; f < peaks.size(); ++f)
                result.peaks.push_back (
                    { CS::getAbbreviatedChannelTypeName (outputOrder.processorTypes[(int) f]), peaks[f] });
        }

        //======================================================================================
        const RenderOptions& options;
        const RenderCallbacks& callbacks;
        RenderResult result;

        juce::AudioFormatManager formats;
        std::unique_ptr<juce::AudioFormatReader> reader;
        double sampleRate = 0.0;
        CS inputSet, outputSet;
        WavChannelOrder inputOrder, outputOrder;

        std::unique_ptr<TapDelayProcessor> processor;
        juce::AudioBuffer<float> buffer, inputBlock;
        juce::MidiBuffer midi;

        std::unique_ptr<juce::TemporaryFile> temporary;
        std::unique_ptr<juce::AudioFormatWriter> writer;

        juce::int64 totalSamples = 0;
        std::vector<float> peaks;
        bool reportsProgress = false;
        int lastPercent = -1;
    };
} // namespace

RenderResult render (const RenderOptions& options, const RenderCallbacks& callbacks)
{
    return RenderJob (options, callbacks).run();
}
} // namespace tap::render
