#include "helpers/ChildProcess.h"
#include "helpers/ScopedHome.h"
#include "tap/TapDelayProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>
#include <utility>
#include <vector>

#if defined(WENDREL_LV2_BUNDLE) && defined(WENDREL_LV2_URI)

namespace
{
using testing_helpers::ChildProcess;

constexpr const char* clientName = "wendrel";

/** Holds an exclusive lock on a file shared by every test process while it lives. JACK
    servers started at the same moment trip over each other's shared memory, so the tests of
    parallel processes take turns.
*/
class JackTurn
{
public:
    explicit JackTurn (int timeoutMs)
        : descriptor (open ("/tmp/wendrel-jack-tests.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666))
    {
        const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);
        while (descriptor >= 0 && !held && juce::Time::getMillisecondCounter() < deadline)
            if (!(held = flock (descriptor, LOCK_EX | LOCK_NB) == 0))
                juce::Thread::sleep (50);
    }

    ~JackTurn()
    {
        if (descriptor >= 0)
            close (descriptor); // releases the lock
    }

    bool isHeld() const noexcept { return held; }

private:
    int descriptor;
    bool held = false;

    JUCE_DECLARE_NON_COPYABLE (JackTurn)
};
constexpr int routeDelayMs = 10;
constexpr float halfPower = 0.70710677f;

/** Runs the built LV2 bundle in jalv, Debian's command-line LV2 host, under a private JACK
    server with the dummy driver (48 kHz, 256-frame periods), fed by jack_metro and recorded
    with jack_rec. Every process is ended when the test ends, whatever happened.
*/
class JalvHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        juce::StringArray missing;
        for (const auto* program :
             { "jalv", "jackd", "jack_wait", "jack_lsp", "jack_connect", "jack_metro", "jack_rec" })
            if (ChildProcess::findProgram (program) == juce::File())
                missing.add (program);

        if (!missing.isEmpty())
            GTEST_SKIP() << "needs jalv and jackd2 (scripts/setup.sh installs them); missing: "
                         << missing.joinIntoString (", ");

        folder = home.getFolder().getChildFile ("jalv-test");
        ASSERT_TRUE (folder.createDirectory().wasOk());

        deadline = juce::Time::getMillisecondCounter() + 50000;
        turn = std::make_unique<JackTurn> (20000);
        ASSERT_TRUE (turn->isHeld()) << "another test process kept the JACK servers busy";

        environment.set ("JACK_NO_START_SERVER", "1");
        environment.set ("JACK_NO_AUDIO_RESERVATION", "1");
        environment.set ("LV2_PATH", juce::File (WENDREL_LV2_BUNDLE).getParentDirectory().getFullPathName());
        environment.set ("HOME", home.getFolder().getFullPathName());

        ASSERT_TRUE (startServer()) << log ("jackd.log") << log ("tools.log");
    }

    /** Starts a JACK server of this process only; a server that does not answer (as after
        another one was killed without cleaning up) is replaced once by a fresh one.
    */
    bool startServer()
    {
        for (int attempt = 0; attempt < 2; ++attempt)
        {
            const auto server = "wendrel-test-" + juce::String (static_cast<int> (getpid())) + "-"
                + juce::String::toHexString (juce::Random::getSystemRandom().nextInt());
            environment.set ("JACK_DEFAULT_SERVER", server);

            start (juce::StringArray{ "jackd",
                                      "-n",
                                      server,
                                      "--no-realtime",
                                      "--sync",
                                      "-d",
                                      "dummy",
                                      "-r",
                                      "48000",
                                      "-p",
                                      "256" },
                   "jackd.log");
            if (runTool ({ "jack_wait", "-w", "-t", "5" }, 6000) == 0)
                return true;

            processes.pop_back();
        }

        return false;
    }

    void TearDown() override
    {
        // Clients first, the server last, then the turn passes on.
        while (!processes.empty())
            processes.pop_back();

        turn.reset();
    }

    ChildProcess& start (const juce::StringArray& arguments, const char* logName, bool keepInputOpen = false)
    {
        processes.push_back (std::make_unique<ChildProcess> (
            ChildProcess::Options{ arguments, environment, folder.getChildFile (logName), keepInputOpen }));
        EXPECT_TRUE (processes.back()->started()) << arguments[0];
        return *processes.back();
    }

    /** A time-out of at most capMs that ends with the test's own deadline: however the
        steps go, the test is over within about a minute.
    */
    int remainingMs (int capMs) const
    {
        const auto now = juce::Time::getMillisecondCounter();
        return juce::jmin (capMs, now < deadline ? static_cast<int> (deadline - now) : 0);
    }

    int runTool (const juce::StringArray& arguments, int timeoutMs, const char* logName = "tools.log")
    {
        return ChildProcess::run ({ arguments, environment, folder.getChildFile (logName), false },
                                  remainingMs (timeoutMs))
            .value_or (-1);
    }

    juce::String log (const char* logName) const { return folder.getChildFile (logName).loadFileAsString(); }

    /** Starts jalv on the plug-in with its standard input held open (jalv ends at end of file). */
    ChildProcess& startJalv (const juce::StringArray& extraArguments)
    {
        juce::StringArray arguments{ "jalv", "-n", clientName, "-x" };
        arguments.addArray (extraArguments);
        return start (arguments, "jalv.log", true);
    }

    /** Waits until the server lists the plug-in's last audio port. */
    bool waitForPorts()
    {
        const auto portsDeadline =
            juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (remainingMs (15000));
        while (juce::Time::getMillisecondCounter() < portsDeadline)
        {
            folder.getChildFile ("ports.log").deleteFile();
            if (runTool ({ "jack_lsp" }, 5000, "ports.log") == 0
                && log ("ports.log").contains (juce::String (clientName) + ":audio_out_12"))
                return true;
            juce::Thread::sleep (100);
        }
        return false;
    }

    /** Ends jalv as a user would, by closing its input, and returns its exit code. */
    int stopJalv (ChildProcess& jalv) const
    {
        jalv.closeInput();
        return jalv.waitForExit (juce::jmax (1000, remainingMs (5000))).value_or (-1);
    }

    /** A state folder as jalv's -l option reads it: the plug-in's state string under its
        property, in the framework's own base64 form, as the LV2 wrapper stores it.
    */
    juce::File writeStateFolder()
    {
        juce::MemoryBlock state;
        {
            tap::TapDelayProcessor processor;
            auto& tree = processor.getTreeState();
            for (const auto& [id, value] : { std::pair{ "Tap-A-Input-0", 0.0f },
                                             std::pair{ "Tap-A-Input-Time-0", static_cast<float> (routeDelayMs) } })
                tree.getParameter (id)->setValueNotifyingHost (tree.getParameter (id)->convertTo0to1 (value));
            processor.getStateInformation (state);
        }

        const juce::String uri = WENDREL_LV2_URI;
        const auto stateFolder = folder.getChildFile ("state.lv2");
        stateFolder.createDirectory();
        stateFolder.getChildFile ("manifest.ttl")
            .replaceWithText ("@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                              "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                              "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n\n"
                              "<state.ttl>\n\ta pset:Preset ;\n\tlv2:appliesTo <"
                              + uri + "> ;\n\trdfs:seeAlso <state.ttl> .\n");
        stateFolder.getChildFile ("state.ttl")
            .replaceWithText ("@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                              "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                              "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n\n"
                              "<>\n\ta pset:Preset ;\n\tlv2:appliesTo <"
                              + uri + "> ;\n\tstate:state [\n\t\t<" + uri + ":StateString> \""
                              + state.toBase64Encoding() + "\"\n\t] .\n");
        return stateFolder;
    }

    /** Feeds jack_metro's beeps into the plug-in and records them with three outputs. */
    juce::AudioBuffer<float> record (double seconds)
    {
        start ({ "jack_metro", "-n", "metro", "-b", "240", "-f", "880", "-A", "0.5", "-D", "100" }, "metro.log");

        // jack_metro names its port after the tempo; the connection succeeds once it exists.
        const auto source = juce::String ("metro:240_bpm");
        const auto input = juce::String (clientName) + ":audio_in_1";
        auto connected = false;
        for (int attempt = 0; attempt < 50 && !connected && remainingMs (100) > 0; ++attempt)
            if (!(connected = runTool ({ "jack_connect", source, input }, 5000) == 0))
                juce::Thread::sleep (100);
        EXPECT_TRUE (connected) << log ("tools.log");

        const auto file = folder.getChildFile ("recorded.wav");
        const auto out = juce::String (clientName) + ":audio_out_";
        EXPECT_EQ (runTool ({ "jack_rec",
                              "-f",
                              file.getFullPathName(),
                              "-d",
                              juce::String (seconds),
                              "-b",
                              "24",
                              source,
                              out + "1",
                              out + "5",
                              out + "6" },
                            juce::roundToInt (seconds * 1000) + 5000,
                            "rec.log"),
                   0)
            << log ("rec.log");

        juce::AudioBuffer<float> audio;
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatReader> reader (
            wav.createReaderFor (file.createInputStream().release(), true));
        if (reader != nullptr)
        {
            audio.setSize (static_cast<int> (reader->numChannels), static_cast<int> (reader->lengthInSamples));
            reader->read (&audio, 0, audio.getNumSamples(), 0, true, true);
        }
        return audio;
    }

    testing_helpers::ScopedHome home;
    std::unique_ptr<JackTurn> turn;
    juce::uint32 deadline = 0;
    juce::File folder;
    juce::StringPairArray environment;
    std::vector<std::unique_ptr<ChildProcess>> processes;
};

TEST_F (JalvHost, RunsTheBundleForAFewSecondsAndStopsCleanly)
{
    auto& jalv = startJalv ({ WENDREL_LV2_URI });
    ASSERT_TRUE (waitForPorts()) << log ("jalv.log");

    const auto ports = log ("ports.log");
    EXPECT_TRUE (ports.contains ("wendrel:audio_in_1"));
    EXPECT_FALSE (ports.contains ("wendrel:audio_in_2")) << "the LV2 build has one mono input";
    EXPECT_FALSE (ports.contains ("wendrel:audio_out_13")) << "and twelve outputs (7.1.4)";

    // A fresh instance has every route off: the beeps go in, nothing comes out.
    const auto audio = record (2.0);
    ASSERT_EQ (audio.getNumChannels(), 4);
    EXPECT_GT (audio.getMagnitude (0, 0, audio.getNumSamples()), 0.4f) << "the beeps were recorded";
    for (int c = 1; c < 4; ++c)
        EXPECT_EQ (audio.getMagnitude (c, 0, audio.getNumSamples()), 0.0f) << c;

    EXPECT_EQ (stopJalv (jalv), 0) << log ("jalv.log");
}

TEST_F (JalvHost, LoadsAStateWithARouteOnAndSoundsIt)
{
    auto& jalv = startJalv ({ "-l", writeStateFolder().getFullPathName() });
    ASSERT_TRUE (waitForPorts()) << log ("jalv.log");

    // Tap A sits in the middle of the room: the input reaches the side surrounds (outputs 5
    // and 6 in the port order) at half power, 10 ms late; the left front stays silent.
    const auto audio = record (2.0);
    ASSERT_EQ (audio.getNumChannels(), 4);
    const auto delay = routeDelayMs * 48;
    ASSERT_GT (audio.getNumSamples(), 48000);

    float worst = 0.0f;
    for (int i = delay; i < audio.getNumSamples(); ++i)
        for (int c = 2; c < 4; ++c)
            worst = juce::jmax (worst, std::abs (audio.getSample (c, i) - halfPower * audio.getSample (0, i - delay)));

    EXPECT_GT (audio.getMagnitude (2, 0, audio.getNumSamples()), 0.3f);
    EXPECT_LT (worst, 1.0e-4f);
    EXPECT_EQ (audio.getMagnitude (1, 0, audio.getNumSamples()), 0.0f);

    EXPECT_EQ (stopJalv (jalv), 0) << log ("jalv.log");
}
} // namespace

#else

TEST (JalvHost, NeedsTheLv2Target)
{
    GTEST_SKIP() << "built without the LV2 plug-in target";
}

#endif
