#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <sys/types.h>

namespace testing_helpers
{
/** A program started by a test, in a process group of its own, with its output in a log file.

    The destructor ends the process (SIGTERM, then SIGKILL after a grace period), so a test
    that fails half way leaves nothing running. Waits are bounded by the caller's time-outs.
*/
class ChildProcess
{
public:
    struct Options
    {
        juce::StringArray arguments;       ///< the program (searched on PATH) and its arguments
        juce::StringPairArray environment; ///< set or replaced in the test's own environment
        juce::File log;                    ///< standard output and error, appended; none for /dev/null
        bool keepInputOpen = false;        ///< standard input is a pipe held open until closeInput()
    };

    explicit ChildProcess (const Options& options);
    ~ChildProcess();

    bool started() const noexcept { return pid > 0; }

    /** The exit code once the process has ended (128 + signal when a signal ended it), or
        nothing if it still runs after timeoutMs.
    */
    std::optional<int> waitForExit (int timeoutMs);

    /** Ends the process group: SIGTERM, then SIGKILL if it outlives graceMs. */
    std::optional<int> stop (int graceMs = 3000);

    /** Closes the pipe on the program's standard input, which reads end of file. */
    void closeInput();

    /** Starts a program and waits for it, killing it at the time-out. */
    static std::optional<int> run (const Options& options, int timeoutMs);

    /** The program's path on PATH, or a default File when it is not installed. */
    static juce::File findProgram (const juce::String& name);

private:
    pid_t pid = -1;
    int inputPipe = -1;
    std::optional<int> exitCode;

    JUCE_DECLARE_NON_COPYABLE (ChildProcess)
};
} // namespace testing_helpers
