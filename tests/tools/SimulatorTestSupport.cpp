#include "SimulatorTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

PtyMaster::PtyMaster(const std::string& Path)
{
    FFd = ::open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (FFd < 0)
        throw std::runtime_error("cannot open " + Path);
    termios tio{};
    ::tcgetattr(FFd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(FFd, TCSANOW, &tio);
}

PtyMaster::~PtyMaster()
{
    ::close(FFd);
}

void PtyMaster::Write(const modbussim::Bytes& Data)
{
    if (::write(FFd, Data.data(), Data.size()) != static_cast<ssize_t>(Data.size()))
        throw std::runtime_error("short write");
}

modbussim::Bytes PtyMaster::Read(std::size_t Count, std::chrono::milliseconds Timeout, int* Reads)
{
    modbussim::Bytes got;
    auto deadline = std::chrono::steady_clock::now() + Timeout;
    if (Reads)
        *Reads = 0;
    while (got.size() < Count) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{FFd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        std::uint8_t buffer[256];
        ssize_t n = ::read(FFd, buffer, std::min(sizeof buffer, Count - got.size()));
        if (n > 0) {
            got.insert(got.end(), buffer, buffer + n);
            if (Reads)
                ++*Reads;
        }
    }
    return got;
}
