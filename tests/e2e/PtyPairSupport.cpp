#include "PtyPair.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

TPtyPair::TPtyPair()
{
    FMaster = posix_openpt(O_RDWR | O_NOCTTY);
    if (FMaster < 0 || grantpt(FMaster) != 0 || unlockpt(FMaster) != 0)
        throw std::runtime_error(std::string("pseudo-terminal: ") + std::strerror(errno));
    FSlavePath = ptsname(FMaster);
    FKeepOpen = open(FSlavePath.c_str(), O_RDWR | O_NOCTTY);
    if (FKeepOpen >= 0) {
        termios t{};
        tcgetattr(FKeepOpen, &t);
        cfmakeraw(&t);
        tcsetattr(FKeepOpen, TCSANOW, &t);
    }
}

TPtyPair::~TPtyPair()
{
    if (FKeepOpen >= 0)
        close(FKeepOpen);
    if (FMaster >= 0)
        close(FMaster);
}

void TPtyPair::CloseMaster()
{
    if (FMaster >= 0)
        close(FMaster);
    FMaster = -1;
}
