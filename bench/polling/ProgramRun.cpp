#include "ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Start-up with the message loop's first pass, and the end with the last
// CSV file closed, take well under a second; these only bound a hang.
constexpr auto StartLimit = std::chrono::seconds(30);
constexpr auto EndLimit = std::chrono::seconds(30);

// The driver's steps: press record, wait until the run is up, wait for
// our go-ahead on standard input, close the main window and confirm
// leaving during a run.
constexpr const char* Session = "sessiondriver:record+running+wait+close+yes";

std::string StatusText(int WaitStatus)
{
    return std::to_string(WIFEXITED(WaitStatus) ? WEXITSTATUS(WaitStatus) : 128 + WTERMSIG(WaitStatus));
}

}  // namespace

TProgramRun::TProgramRun(const std::string& Dir) : FOutputFile(Dir + "/output.txt"), FPaintCpu(Dir + "/paint-cpu")
{
    int in[2];
    if (::pipe2(in, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    // Spawned, not forked: this process has threads, and a forked child
    // may only make async-signal-safe calls before it runs the program.
    const std::string exe = Dir + "/kalvodaq";
    std::vector<std::string> env = {
        "QT_QPA_PLATFORM=offscreen", std::string("QT_PLUGIN_PATH=") + SESSION_DRIVER_PLUGINS,
        std::string("QT_QPA_GENERIC_PLUGINS=") + Session, "SESSION_DRIVER_PAINT_CPU=" + FPaintCpu.Path()};
    for (char** e = environ; *e; ++e)
        if (std::string_view var = *e; !var.starts_with("QT_QPA_PLATFORM=") && !var.starts_with("QT_PLUGIN_PATH=") &&
                                       !var.starts_with("QT_QPA_GENERIC_PLUGINS=") &&
                                       !var.starts_with("SESSION_DRIVER_PAINT_CPU="))
            env.emplace_back(var);
    std::vector<char*> envp;
    for (std::string& var : env)
        envp.push_back(var.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, FOutputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, Dir.c_str());
    char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};
    const int rc = posix_spawn(&FPid, exe.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    FGoAhead = in[1];
    if (rc != 0) {
        FPid = -1;
        ::close(FGoAhead);
        throw std::runtime_error("cannot start " + exe);
    }
    try {
        WaitUntilRunning();
    } catch (...) {
        Kill();
        throw;
    }
}

void TProgramRun::WaitUntilRunning()
{
    const auto deadline = Clock::now() + StartLimit;
    while (Output().find("driver: running done") == std::string::npos) {
        int status = 0;
        if (::waitpid(FPid, &status, WNOHANG) == FPid) {
            FPid = -1;
            throw std::runtime_error("the program ended before its run was up (status " + StatusText(status) + "):\n" +
                                     Output());
        }
        if (Clock::now() > deadline)
            throw std::runtime_error("the program's run was not up within 30 s:\n" + Output());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

TProgramRun::~TProgramRun()
{
    Kill();
}

void TProgramRun::Kill()
{
    if (FPid > 0) {
        ::kill(FPid, SIGKILL);
        ::waitpid(FPid, nullptr, 0);
        FPid = -1;
    }
    if (FGoAhead >= 0) {
        ::close(FGoAhead);
        FGoAhead = -1;
    }
}

// The process's CPU clock counts every thread to the nanosecond, those
// that already ended included; /proc's tick counts would round a slow
// line's few milliseconds per round away.
double TProgramRun::CpuSeconds() const
{
    clockid_t clock;
    timespec t{};
    if (::clock_getcpuclockid(FPid, &clock) != 0 || ::clock_gettime(clock, &t) != 0)
        throw std::runtime_error("cannot read the program's CPU time");
    return t.tv_sec + t.tv_nsec / 1e9;
}

double TProgramRun::PaintCpuSeconds() const
{
    return FPaintCpu.Value() / 1e9;
}

void TProgramRun::End()
{
    if (::write(FGoAhead, "\n", 1) != 1)
        throw std::runtime_error("cannot tell the program to end");
    const auto deadline = Clock::now() + EndLimit;
    int status = 0;
    while (::waitpid(FPid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline)
            throw std::runtime_error("the program did not end within 30 s of closing:\n" + Output());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    FPid = -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the program ended with status " + StatusText(status) + ":\n" + Output());
}

std::string TProgramRun::Output() const
{
    std::ifstream file(FOutputFile);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
