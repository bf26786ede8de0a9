#include "SimulatedLine.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

namespace {

// A line from Fd, waiting at most a few seconds for it.
std::string ReadLine(int Fd)
{
    std::string line;
    for (char c; line.empty() || line.back() != '\n';) {
        pollfd in{Fd, POLLIN, 0};
        if (::poll(&in, 1, 5000) <= 0 || ::read(Fd, &c, 1) != 1)
            throw std::runtime_error("modbussim did not answer");
        line += c;
    }
    line.pop_back();
    return line;
}

}  // namespace

TSimulatedLine::TSimulatedLine(int Baud)
{
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    if (::pipe2(err, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        throw std::runtime_error("pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    const std::string station = "station 1 rule 0 start 0 channels " + std::to_string(Registers);
    const std::string pacing = "pacing " + std::to_string(Baud);
    const char* argv[] = {MODBUSSIM_PATH, "-e", station.c_str(), "-e", pacing.c_str(), nullptr};
    const int rc = posix_spawn(&FPid, MODBUSSIM_PATH, &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    FCounters = err[0];
    if (rc != 0) {
        ::close(out[0]);
        ::close(FCounters);
        throw std::runtime_error(std::string("cannot start ") + MODBUSSIM_PATH);
    }
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        FPath += c;
    ::close(out[0]);
    if (FPath.empty()) {
        Close();
        throw std::runtime_error("modbussim printed no port");
    }
}

TSimulatedLine::~TSimulatedLine()
{
    Close();
}

void TSimulatedLine::Close()
{
    if (FPid > 0) {
        ::kill(FPid, SIGTERM);
        ::waitpid(FPid, nullptr, 0);
        FPid = -1;
    }
    if (FCounters >= 0) {
        ::close(FCounters);
        FCounters = -1;
    }
}

std::uint64_t TSimulatedLine::Requests()
{
    ::kill(FPid, SIGUSR1);
    // "modbussim: N requests, ..."
    const std::string line = ReadLine(FCounters);
    const std::string lead = "modbussim: ";
    if (line.rfind(lead, 0) != 0 || line.find(" requests") == std::string::npos)
        throw std::runtime_error("modbussim reported '" + line + "'");
    return std::stoull(line.substr(lead.size()));
}
