#pragma once
// A pseudo-terminal for tests: the test holds the master side and the code
// under test opens the slave by its path.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

class PtyPair {
public:
    PtyPair()
    {
        FMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (FMaster < 0 || ::grantpt(FMaster) != 0 || ::unlockpt(FMaster) != 0)
            throw std::runtime_error("no pseudo-terminal");
        FSlavePath = ::ptsname(FMaster);
        ::fcntl(FMaster, F_SETFL, ::fcntl(FMaster, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& SlavePath() const { return FSlavePath; }
    int Master() const { return FMaster; }

    void Send(const std::string& Bytes)
    {
        size_t done = 0;
        while (done < Bytes.size()) {
            ssize_t n = ::write(FMaster, Bytes.data() + done, Bytes.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
            } else {
                pollfd p{FMaster, POLLOUT, 0};
                ::poll(&p, 1, 1000);
            }
        }
    }

    // Waits up to TimeoutMs for Count bytes and returns what came.
    std::string Receive(size_t Count, int TimeoutMs = 5000)
    {
        std::string result;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
        while (result.size() < Count) {
            char chunk[4096];
            ssize_t n = ::read(FMaster, chunk, std::min(sizeof chunk, Count - result.size()));
            if (n > 0) {
                result.append(chunk, static_cast<size_t>(n));
                continue;
            }
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                              std::chrono::steady_clock::now())
                            .count();
            if (left <= 0)
                break;
            pollfd p{FMaster, POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(left));
        }
        return result;
    }

    void CloseMaster()
    {
        if (FMaster >= 0)
            ::close(FMaster);
        FMaster = -1;
    }

private:
    int FMaster = -1;
    std::string FSlavePath;
};
