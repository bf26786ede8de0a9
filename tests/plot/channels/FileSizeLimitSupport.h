#pragma once
// A disk that fills up, for this process only: while a FileSizeLimit is in
// scope no file may grow past the given size, so a write that crosses it
// puts only part of its bytes on disk and then fails, as on a full disk.
// Unlike a read-only folder this stops root as well.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdint>

class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t Bytes)
    {
        // The write fails with EFBIG instead of the signal ending the test.
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (::getrlimit(RLIMIT_FSIZE, &FOld) != 0)
            ADD_FAILURE() << "no file size limit to change";
        rlimit limit = FOld;
        limit.rlim_cur = static_cast<rlim_t>(Bytes);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ADD_FAILURE() << "the file size limit could not be set";
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = SIG_DFL;
};
