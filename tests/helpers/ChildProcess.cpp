#include "helpers/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace testing_helpers
{
namespace
{
    std::vector<std::string> makeEnvironment (const juce::StringPairArray& overrides)
    {
        std::vector<std::string> result;

        for (auto** entry = environ; *entry != nullptr; ++entry)
        {
            const auto text = juce::String::fromUTF8 (*entry);
            if (!overrides.containsKey (text.upToFirstOccurrenceOf ("=", false, false)))
                result.emplace_back (*entry);
        }

        for (const auto& key : overrides.getAllKeys())
            result.push_back ((key + "=" + overrides[key]).toStdString());

        return result;
    }

    std::vector<char*> pointersTo (std::vector<std::string>& strings)
    {
        std::vector<char*> pointers;
        for (auto& s : strings)
            pointers.push_back (s.data());
        pointers.push_back (nullptr);
        return pointers;
    }

    int codeFromStatus (int status)
    {
        return WIFEXITED (status) ? WEXITSTATUS (status) : 128 + (WIFSIGNALED (status) ? WTERMSIG (status) : 0);
    }
} // namespace

ChildProcess::ChildProcess (const Options& options)
{
    if (options.arguments.isEmpty())
        return;

    auto program = options.arguments[0].containsChar ('/') ? juce::File (options.arguments[0])
                                                           : findProgram (options.arguments[0]);
    if (program == juce::File())
        return;

    // Everything the child needs is prepared before fork: after it, only system calls.
    const auto path = program.getFullPathName().toStdString();
    std::vector<std::string> arguments;
    for (const auto& a : options.arguments)
        arguments.push_back (a.toStdString());
    auto environment = makeEnvironment (options.environment);
    auto argv = pointersTo (arguments);
    auto envp = pointersTo (environment);

    int pipeEnds[2] = { -1, -1 };
    const auto input = options.keepInputOpen && pipe2 (pipeEnds, O_CLOEXEC) == 0
        ? pipeEnds[0]
        : open ("/dev/null", O_RDONLY | O_CLOEXEC);
    const auto logPath =
        options.log == juce::File() ? std::string ("/dev/null") : options.log.getFullPathName().toStdString();
    const auto output = open (logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const auto parent = getpid();

    pid = fork();

    if (pid == 0)
    {
        // A group of its own, so that stop() reaches anything the program starts; and the
        // program is ended with the test process, even if that crashes or is killed. SIGTERM
        // lets a JACK server clear its shared memory on the way out.
        setpgid (0, 0);
        prctl (PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit (127);

        dup2 (input, STDIN_FILENO);
        dup2 (output, STDOUT_FILENO);
        dup2 (output, STDERR_FILENO);

        sigset_t none;
        sigemptyset (&none);
        sigprocmask (SIG_SETMASK, &none, nullptr);
        for (auto number : { SIGTERM, SIGINT, SIGPIPE })
            std::signal (number, SIG_DFL);

        execve (path.c_str(), argv.data(), envp.data());
        _exit (127);
    }

    if (pid > 0)
        setpgid (pid, pid); // also here: stop() may come before the child has run

    close (input);
    close (output);
    inputPipe = pid > 0 ? pipeEnds[1] : -1;
    if (pid <= 0 && pipeEnds[1] >= 0)
        close (pipeEnds[1]);
}

ChildProcess::~ChildProcess()
{
    stop();
    closeInput();
}

std::optional<int> ChildProcess::waitForExit (int timeoutMs)
{
    if (exitCode || pid <= 0)
        return exitCode;

    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (juce::jmax (0, timeoutMs));

    for (;;)
    {
        int status = 0;
        const auto result = waitpid (pid, &status, WNOHANG);

        if (result == pid)
            return exitCode = codeFromStatus (status);
        if (result < 0 && errno != EINTR)
            return exitCode = -1;
        if (juce::Time::getMillisecondCounter() >= deadline)
            return std::nullopt;

        std::this_thread::sleep_for (std::chrono::milliseconds (20));
    }
}

std::optional<int> ChildProcess::stop (int graceMs)
{
    if (pid <= 0 || exitCode)
        return exitCode;

    kill (-pid, SIGTERM);
    if (const auto code = waitForExit (graceMs))
        return code;

    kill (-pid, SIGKILL);
    return waitForExit (5000);
}

void ChildProcess::closeInput()
{
    if (inputPipe >= 0)
        close (inputPipe);

    inputPipe = -1;
}

std::optional<int> ChildProcess::run (const Options& options, int timeoutMs)
{
    ChildProcess process (options);
    if (!process.started())
        return std::nullopt;

    if (const auto code = process.waitForExit (timeoutMs))
        return code;

    process.stop (1000);
    return std::nullopt;
}

juce::File ChildProcess::findProgram (const juce::String& name)
{
    const auto* path = std::getenv ("PATH");
    for (const auto& folder : juce::StringArray::fromTokens (path != nullptr ? path : "", ":", ""))
    {
        const auto candidate =
            juce::File::isAbsolutePath (folder) ? juce::File (folder).getChildFile (name) : juce::File();
        if (candidate.existsAsFile() && access (candidate.getFullPathName().toRawUTF8(), X_OK) == 0)
            return candidate;
    }

    return {};
}
} // namespace testing_helpers
