// Kept apart from every other file: <asm/termbits.h> clashes with <termios.h>.
#include "comm/TtyBackend.h"

#include <cerrno>
#include <mutex>
#include <set>

#include <asm/termbits.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "comm/CommError.h"
#include "comm/TtyDriverTable.h"

namespace comm {

namespace {

// Devices open in this process; flock guards against other processes.
std::mutex& OpenKeysMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<std::string>& OpenKeys()
{
    static std::set<std::string> keys;
    return keys;
}

DWORD StatusFromLines(int Lines)
{
    DWORD status = 0;
    if (Lines & TIOCM_CTS)
        status |= MS_CTS_ON;
    if (Lines & TIOCM_DSR)
        status |= MS_DSR_ON;
    if (Lines & TIOCM_RNG)
        status |= MS_RING_ON;
    if (Lines & TIOCM_CD)
        status |= MS_RLSD_ON;
    return status;
}

void SetLine(int Fd, int Line, bool On)
{
    // Pseudo-terminals have no modem lines; that is not an error.
    [[maybe_unused]] int rc = ::ioctl(Fd, On ? TIOCMBIS : TIOCMBIC, &Line);
}

}  // namespace

std::unique_ptr<TtyBackend> TtyBackend::Open(const std::string& Path, DWORD& Error)
{
    // Only terminal devices are opened at all.
    struct stat st {};
    if (::stat(Path.c_str(), &st) != 0) {
        Error = ErrorFromErrno(errno);
        return nullptr;
    }
    if (!S_ISCHR(st.st_mode) || !TtyDriverTable::Load().MayBeTerminal(major(st.st_rdev), minor(st.st_rdev))) {
        Error = ERROR_NOT_SUPPORTED;
        return nullptr;
    }
    int fd = ::open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        Error = ErrorFromErrno(errno);
        return nullptr;
    }
    termios2 tio{};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode) || ::ioctl(fd, TCGETS2, &tio) != 0) {
        ::close(fd);
        Error = ERROR_NOT_SUPPORTED;
        return nullptr;
    }
    std::string key = "dev:" + std::to_string(static_cast<unsigned long long>(st.st_rdev));
    {
        std::lock_guard lock(OpenKeysMutex());
        if (!OpenKeys().insert(key).second) {
            ::close(fd);
            Error = ERROR_ACCESS_DENIED;
            return nullptr;
        }
    }
    std::unique_ptr<TtyBackend> backend(new TtyBackend(fd, key));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        Error = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    // Exclusive while open, and handed back as found at the close: a
    // pseudo-terminal outlives its opens, and a mode left behind would shut
    // out every later open by an ordinary user.
    int wasExclusive = 0;  // stays 0 where the kernel cannot tell
    [[maybe_unused]] int rc = ::ioctl(fd, TIOCGEXCL, &wasExclusive);
    if (!wasExclusive)
        backend->FReleaseExclusive = ::ioctl(fd, TIOCEXCL) == 0;
    int lines = 0;
    backend->FHasModemLines = ::ioctl(fd, TIOCMGET, &lines) == 0;
    if (backend->FHasModemLines)
        backend->FLastStatus = StatusFromLines(lines);
    serial_icounter_struct counters{};
    backend->FHasCounters = ::ioctl(fd, TIOCGICOUNT, &counters) == 0;
    if (backend->FHasCounters) {
        backend->FRing = counters.rng;
        backend->FBreak = counters.brk;
        backend->FFrame = counters.frame;
        backend->FOverrun = counters.overrun;
        backend->FParity = counters.parity;
        backend->FBufOverrun = counters.buf_overrun;
    }
    return backend;
}

TtyBackend::TtyBackend(int Fd, std::string Key) : FFd(Fd), FKey(std::move(Key)) {}

TtyBackend::~TtyBackend()
{
    if (FReleaseExclusive) {
        // The descriptor closes whether or not this succeeds.
        [[maybe_unused]] int rc = ::ioctl(FFd, TIOCNXCL);
    }
    ::close(FFd);
    std::lock_guard lock(OpenKeysMutex());
    OpenKeys().erase(FKey);
}

bool TtyBackend::ApplyState(const DCB& Dcb, DWORD& Error)
{
    termios2 tio{};
    if (::ioctl(FFd, TCGETS2, &tio) != 0) {
        Error = ErrorFromErrno(errno);
        return false;
    }
    // Raw bytes both ways: no echo, no line editing, no output processing.
    tio.c_iflag = IGNBRK;
    // Bad bytes come marked (0xFF 0x00 byte; a real 0xFF doubled).
    if (Dcb.Flags & fParity)
        tio.c_iflag |= INPCK | PARMRK;
    if (Dcb.Flags & fOutX)
        tio.c_iflag |= IXON;
    if (Dcb.Flags & fInX)
        tio.c_iflag |= IXOFF;
    tio.c_oflag = 0;
    tio.c_lflag = 0;
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag = CREAD | CLOCAL | BOTHER | sizes[Dcb.ByteSize - 5];
    if (Dcb.StopBits != ONESTOPBIT)
        tio.c_cflag |= CSTOPB;
    switch (Dcb.Parity) {
    case ODDPARITY: tio.c_cflag |= PARENB | PARODD; break;
    case EVENPARITY: tio.c_cflag |= PARENB; break;
    case MARKPARITY: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case SPACEPARITY: tio.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    if ((Dcb.Flags & fOutxCtsFlow) || (Dcb.Flags & fRtsControlMask) == RTS_CONTROL_HANDSHAKE)
        tio.c_cflag |= CRTSCTS;
    tio.c_ispeed = tio.c_ospeed = Dcb.BaudRate;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    tio.c_cc[VSTART] = static_cast<cc_t>(Dcb.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(Dcb.XoffChar);
    if (::ioctl(FFd, TCSETS2, &tio) != 0) {
        Error = ErrorFromErrno(errno);
        return false;
    }
    FMarked = Dcb.Flags & fParity;
    FDecoder.Configure(Dcb.Flags & fErrorChar, static_cast<std::uint8_t>(Dcb.ErrorChar));
    DWORD dtr = Dcb.Flags & fDtrControlMask;
    SetLine(FFd, TIOCM_DTR, dtr != 0);
    DWORD rts = Dcb.Flags & fRtsControlMask;
    if (rts != RTS_CONTROL_HANDSHAKE)
        SetLine(FFd, TIOCM_RTS, rts != 0);
    return true;
}

void TtyBackend::ReadState(DCB& Dcb)
{
    termios2 tio{};
    if (::ioctl(FFd, TCGETS2, &tio) != 0)
        return;
    Dcb.BaudRate = tio.c_ospeed;
    switch (tio.c_cflag & CSIZE) {
    case CS5: Dcb.ByteSize = 5; break;
    case CS6: Dcb.ByteSize = 6; break;
    case CS7: Dcb.ByteSize = 7; break;
    default: Dcb.ByteSize = 8; break;
    }
    if (!(tio.c_cflag & PARENB))
        Dcb.Parity = NOPARITY;
    else if (tio.c_cflag & CMSPAR)
        Dcb.Parity = (tio.c_cflag & PARODD) ? MARKPARITY : SPACEPARITY;
    else
        Dcb.Parity = (tio.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
    if (!(tio.c_cflag & CSTOPB))
        Dcb.StopBits = ONESTOPBIT;
    else if (Dcb.StopBits == ONESTOPBIT)
        Dcb.StopBits = TWOSTOPBITS;
    auto flag = [&](DWORD Bit, bool On) { Dcb.Flags = On ? (Dcb.Flags | Bit) : (Dcb.Flags & ~Bit); };
    flag(fParity, tio.c_iflag & INPCK);
    flag(fOutX, tio.c_iflag & IXON);
    flag(fInX, tio.c_iflag & IXOFF);
    if (!(tio.c_cflag & CRTSCTS))
        flag(fOutxCtsFlow, false);
    Dcb.XonChar = static_cast<char>(tio.c_cc[VSTART]);
    Dcb.XoffChar = static_cast<char>(tio.c_cc[VSTOP]);
}

ssize_t TtyBackend::ReadData(std::uint8_t* Buffer, size_t Count)
{
    ssize_t n = ::read(FFd, Buffer, Count);
    if (n <= 0 || !FMarked)
        return n;
    size_t out = FDecoder.Decode(Buffer, static_cast<size_t>(n));
    if (out == 0) {
        // Only part of a mark so far: the rest is on its way.
        errno = EAGAIN;
        return -1;
    }
    return static_cast<ssize_t>(out);
}

DWORD TtyBackend::ModemStatus()
{
    int lines = 0;
    if (!FHasModemLines || ::ioctl(FFd, TIOCMGET, &lines) != 0)
        return 0;
    return StatusFromLines(lines);
}

DWORD TtyBackend::TakeLineEvents(DWORD& Errors)
{
    DWORD events = 0;
    if (FHasModemLines) {
        DWORD status = ModemStatus();
        DWORD changed = status ^ FLastStatus;
        FLastStatus = status;
        if (changed & MS_CTS_ON)
            events |= EV_CTS;
        if (changed & MS_DSR_ON)
            events |= EV_DSR;
        if (changed & MS_RLSD_ON)
            events |= EV_RLSD;
    }
    serial_icounter_struct c{};
    if (FHasCounters && ::ioctl(FFd, TIOCGICOUNT, &c) == 0) {
        if (c.rng != FRing)
            events |= EV_RING;
        if (c.brk != FBreak) {
            events |= EV_BREAK;
            Errors |= CE_BREAK;
        }
        DWORD errors = 0;
        if (c.frame != FFrame)
            errors |= CE_FRAME;
        if (c.overrun != FOverrun)
            errors |= CE_OVERRUN;
        if (c.parity != FParity)
            errors |= CE_RXPARITY;
        if (c.buf_overrun != FBufOverrun)
            errors |= CE_RXOVER;
        if (errors)
            events |= EV_ERR;
        Errors |= errors;
        FRing = c.rng;
        FBreak = c.brk;
        FFrame = c.frame;
        FOverrun = c.overrun;
        FParity = c.parity;
        FBufOverrun = c.buf_overrun;
    }
    return events;
}

DWORD TtyBackend::OutQueue()
{
    int pending = 0;
    if (::ioctl(FFd, TIOCOUTQ, &pending) != 0 || pending < 0)
        return 0;
    return static_cast<DWORD>(pending);
}

void TtyBackend::Flush(bool Input, bool Output)
{
    int which = Input && Output ? TCIOFLUSH : Input ? TCIFLUSH : TCOFLUSH;
    [[maybe_unused]] int rc = ::ioctl(FFd, TCFLSH, which);
}

}  // namespace comm
