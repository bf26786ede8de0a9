#include "tools/modbussim/LineOpeners.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

namespace modbussim {

namespace {

bool IsNumber(const char* Name)
{
    if (*Name == '\0')
        return false;
    for (; *Name; ++Name)
        if (*Name < '0' || *Name > '9')
            return false;
    return true;
}

// Whether any of the process's user ids (real, effective, saved, file
// system) is Owner.
bool RunsAs(const std::string& Pid, uid_t Owner)
{
    std::ifstream status("/proc/" + Pid + "/status");
    std::string key;
    while (status >> key) {
        if (key == "Uid:") {
            unsigned long id = 0;
            for (int i = 0; i < 4 && status >> id; ++i)
                if (id == Owner)
                    return true;
            return false;
        }
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return false;  // gone meanwhile
}

// Whether the process Pid has Terminal open; SkipFd is a descriptor of its
// own to leave out, or -1.
bool ProcessHolds(const std::string& Pid, const struct stat& Terminal, int SkipFd)
{
    const std::string directory = "/proc/" + Pid + "/fd";
    DIR* fds = ::opendir(directory.c_str());
    if (!fds)
        return errno != ENOENT && RunsAs(Pid, Terminal.st_uid);
    bool holds = false;
    while (const dirent* entry = ::readdir(fds)) {
        if (!IsNumber(entry->d_name) || std::atoi(entry->d_name) == SkipFd)
            continue;
        struct stat target {};
        // Compared by device number: the path a link shows may differ.
        if (::stat((directory + "/" + entry->d_name).c_str(), &target) == 0 && S_ISCHR(target.st_mode) &&
            target.st_rdev == Terminal.st_rdev) {
            holds = true;
            break;
        }
    }
    ::closedir(fds);
    return holds;
}

}  // namespace

bool OpenedElsewhere(int OwnFd)
{
    struct stat own {};
    if (::fstat(OwnFd, &own) != 0)
        return true;
    DIR* processes = ::opendir("/proc");
    if (!processes)
        return true;
    const std::string self = std::to_string(::getpid());
    bool opened = false;
    while (const dirent* entry = ::readdir(processes)) {
        if (IsNumber(entry->d_name) && ProcessHolds(entry->d_name, own, entry->d_name == self ? OwnFd : -1)) {
            opened = true;
            break;
        }
    }
    ::closedir(processes);
    return opened;
}

}  // namespace modbussim
