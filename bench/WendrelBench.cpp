// Measures the engine's cost in the scenarios a session will meet: 48 kHz, 512-sample blocks,
// one thread. Prints the real-time factor (seconds of audio per CPU second) and the CPU time
// per active route and sample.

#include "tap/TapDelayProcessor.h"

#include <ctime>
#include <functional>
#include <iomanip>
#include <iostream>

namespace
{
using CS = juce::AudioChannelSet;

constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double> (t.tv_sec) + 1.0e-9 * static_cast<double> (t.tv_nsec);
}

void set (juce::RangedAudioParameter* p, float value)
{
    p->setValueNotifyingHost (p->convertTo0to1 (value));
}

struct Scenario
{
    const char* name;
    CS in, out;
    std::function<int (tap::TapDelayProcessor&)> setUp;                // returns the active route count
    std::function<void (tap::TapDelayProcessor&, int block)> perBlock; // automation, may be empty
};

int typicalRouting (tap::TapDelayProcessor& p)
{
    for (int k = 0; k < 16; ++k)
    {
        auto& t = p.getTaps()[(size_t) k];
        set (t.inputs[0].gain, -3.0f);
        set (t.inputs[0].time, 20.0f + 37.0f * (float) k);
        set (t.matrix[(size_t) ((k + 1) % 16)].gain, -9.0f);
        set (t.matrix[(size_t) ((k + 1) % 16)].time, 50.0f + 41.0f * (float) k);
        set (t.matrix[(size_t) ((k + 5) % 16)].gain, -12.0f);
        set (t.matrix[(size_t) ((k + 5) % 16)].time, 80.0f + 53.0f * (float) k);
        set (t.feedback[(size_t) (k % 12)].gain, -15.0f);
        set (t.feedback[(size_t) (k % 12)].time, 110.0f + 61.0f * (float) k);
        set (t.x, std::sin ((float) k));
        set (t.y, std::cos ((float) k));
        set (t.z, (float) (k % 4) / 3.0f);
    }
    return 16 * 4;
}

int fullRouting (tap::TapDelayProcessor& p)
{
    int routes = 0;
    const auto numOutputs = p.getChannelLayoutOfBus (false, 0).size();
    for (int k = 0; k < 16; ++k)
    {
        auto& t = p.getTaps()[(size_t) k];
        set (t.inputs[0].gain, -20.0f);
        set (t.inputs[0].time, 10.0f + (float) k);
        ++routes;
        for (int m = 0; m < 16; ++m, ++routes)
        {
            set (t.matrix[(size_t) m].gain, -40.0f);
            set (t.matrix[(size_t) m].time, 5.0f + (float) (m * 16 + k));
        }
        for (int j = 0; j < numOutputs; ++j, ++routes)
        {
            set (t.feedback[(size_t) j].gain, -40.0f);
            set (t.feedback[(size_t) j].time, 7.0f + (float) (j * 16 + k));
        }
    }
    return routes;
}

void automateTimes (tap::TapDelayProcessor& p, int block)
{
    // Every route's delay moves every block, so every reader keeps ramping.
    const auto wobble = (block % 2 == 0) ? 0.0f : 3.0f;
    for (int k = 0; k < 16; ++k)
    {
        auto& t = p.getTaps()[(size_t) k];
        set (t.inputs[0].time, 20.0f + 37.0f * (float) k + wobble);
        set (t.matrix[(size_t) ((k + 1) % 16)].time, 50.0f + 41.0f * (float) k + wobble);
        set (t.matrix[(size_t) ((k + 5) % 16)].time, 80.0f + 53.0f * (float) k + wobble);
        set (t.feedback[(size_t) (k % 12)].time, 110.0f + 61.0f * (float) k + wobble);
    }
}

int stereoDelay (tap::TapDelayProcessor& p)
{
    for (int k = 0; k < 16; ++k)
    {
        auto& t = p.getTaps()[(size_t) k];
        set (t.inputs[(size_t) (k % 2)].gain, -3.0f);
        set (t.inputs[(size_t) (k % 2)].time, 30.0f + 45.0f * (float) k);
        set (t.feedback[(size_t) (k % 2)].gain, -10.0f);
        set (t.feedback[(size_t) (k % 2)].time, 60.0f + 70.0f * (float) k);
        set (t.x, k % 2 == 0 ? -1.0f : 1.0f);
    }
    return 32;
}

void run (const Scenario& s, double audioSeconds)
{
    tap::TapDelayProcessor processor;
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (s.in);
    layout.outputBuses.add (s.out);
    processor.setBusesLayout (layout);
    processor.prepareToPlay (sampleRate, blockSize);
    const auto routes = s.setUp (processor);

    const auto numChannels = juce::jmax (s.in.size(), s.out.size());
    juce::AudioBuffer<float> buffer (numChannels, blockSize);
    juce::MidiBuffer midi;
    juce::Random random (7);
    const auto numBlocks = static_cast<int> (audioSeconds * sampleRate / blockSize);

    double cpu = 0.0;
    for (int block = 0; block < numBlocks; ++block)
    {
        for (int c = 0; c < s.in.size(); ++c)
            for (int k = 0; k < blockSize; ++k)
                buffer.setSample (c, k, random.nextFloat() - 0.5f);

        if (s.perBlock)
            s.perBlock (processor, block);

        const auto start = threadCpuSeconds();
        processor.processBlock (buffer, midi);
        cpu += threadCpuSeconds() - start;
    }

    const auto seconds = static_cast<double> (numBlocks * blockSize) / sampleRate;
    const auto samples = static_cast<double> (numBlocks) * blockSize;
    std::cout << std::left << std::setw (44) << s.name << std::right << std::fixed << std::setprecision (1)
              << std::setw (10) << seconds / cpu << "x real time";
    if (routes > 0)
        std::cout << std::setprecision (3) << std::setw (10) << 1.0e9 * cpu / (samples * routes) << " ns/route/sample"
                  << "  (" << routes << " routes)";
    std::cout << std::endl;
}
} // namespace

int main (int argc, char** argv)
{
    double audioSeconds = 60.0;
    int only = 0;
    for (int i = 1; i + 1 < argc; ++i)
    {
        if (juce::String (argv[i]) == "--seconds")
            audioSeconds = juce::jmax (1.0, juce::String (argv[i + 1]).getDoubleValue());
        if (juce::String (argv[i]) == "--only")
            only = juce::String (argv[i + 1]).getIntValue();
    }

    juce::ScopedJuceInitialiser_GUI juce;
    const auto none = [] (tap::TapDelayProcessor&) { return 0; };
    const Scenario scenarios[] = {
        { "1 fresh instance (nothing routed)", CS::mono(), CS::create7point1point4(), none, {} },
        { "2 typical: 16 taps x (1 in, 2 matrix, 1 fb)", CS::mono(), CS::create7point1point4(), typicalRouting, {} },
        { "3 full: every route of every tap", CS::mono(), CS::create7point1point4(), fullRouting, {} },
        { "4 automation: scenario 2, times moving",
          CS::mono(),
          CS::create7point1point4(),
          typicalRouting,
          automateTimes },
        { "5 stereo 16-line delay (stereo in and out)", CS::stereo(), CS::stereo(), stereoDelay, {} },
    };

    std::cout << "Wendrel engine, 48 kHz, " << blockSize << "-sample blocks, " << audioSeconds
              << " s of audio per scenario\n";
    for (size_t i = 0; i < std::size (scenarios); ++i)
        if (only == 0 || only == (int) i + 1)
            run (scenarios[i], audioSeconds);
    return 0;
}
