#include "comm/CommApi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "PtyPair.h"
#include "comm/FakeDevice.h"
#include "comm/SerialPortList.h"

using namespace comm;

namespace {

// An open device handle that is closed at the end of the test.
struct Port {
    explicit Port(const std::string& Name) : Handle(CreateFile(Name)) {}
    ~Port()
    {
        if (Handle != INVALID_HANDLE_VALUE)
            CloseHandle(Handle);
    }
    HANDLE Handle;
};

struct Overlapped : OVERLAPPED {
    Overlapped() { hEvent = CreateEvent(true, false); }
    ~Overlapped() { CloseHandle(hEvent); }
};

DCB RawDcb(DWORD Baud)
{
    DCB dcb;
    dcb.BaudRate = Baud;
    dcb.Flags = fBinary;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    return dcb;
}

// Whether the line is in exclusive mode, as a fresh open of it shows: an
// ordinary user is refused that open, root is let in and may ask.
bool LineIsExclusive(const std::string& Path)
{
    int fd = ::open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        EXPECT_EQ(errno, EBUSY) << Path;
        return true;
    }
    int exclusive = 0;
    EXPECT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
    ::close(fd);
    return exclusive != 0;
}

// Waits until the device holds Count received bytes (asking takes in what
// has arrived); false if that takes ten seconds.
bool InQueueReaches(HANDLE Handle, DWORD Count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        COMSTAT stat;
        DWORD errors;
        if (!ClearCommError(Handle, &errors, &stat))
            return false;
        if (stat.cbInQue >= Count)
            return stat.cbInQue == Count;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void SetImmediateReads(HANDLE Handle)
{
    COMMTIMEOUTS t;
    t.ReadIntervalTimeout = MAXDWORD;
    ASSERT_TRUE(SetCommTimeouts(Handle, t));
}

}  // namespace

TEST(CommOpen, MissingDeviceIsErrorTwoWithTheSystemText)
{
    HANDLE h = CreateFile("ttyNoSuchPort99");
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SysErrorMessage(2), std::strerror(ENOENT));
    EXPECT_EQ(CreateFile(""), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(CommOpen, DevicesThatAreNotTerminalsAreRefused)
{
    EXPECT_EQ(CreateFile("/dev/null"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    // Named per process: copies of this test may run side by side.
    auto file = std::filesystem::temp_directory_path() / ("comm-not-a-tty-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(file) << "x";
    EXPECT_EQ(CreateFile(file.string()), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    std::filesystem::remove(file);
    auto fifo = std::filesystem::temp_directory_path() / ("comm-fifo-" + std::to_string(::getpid()));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(CreateFile(fifo.string()), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    std::filesystem::remove(fifo);
    EXPECT_EQ(CreateFile("/dev"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
}

TEST(CommOpen, SecondOpenOfTheSameDeviceIsAccessDenied)
{
    PtyPair pty;
    Port first(pty.SlavePath());
    ASSERT_NE(first.Handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFile(pty.SlavePath()), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(CloseHandle(first.Handle));
    EXPECT_FALSE(CloseHandle(first.Handle));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    first.Handle = CreateFile(pty.SlavePath());
    EXPECT_NE(first.Handle, INVALID_HANDLE_VALUE);
}

// Another user's program must be able to open the line once the port is
// closed; a pseudo-terminal whose other end stays open would otherwise keep
// the exclusive mode for good.
TEST(CommOpen, TheLineIsExclusiveWhileOpenAndLeftAsFoundWhenClosed)
{
    PtyPair pty;
    const std::string& path = pty.SlavePath();
    ASSERT_FALSE(LineIsExclusive(path));
    HANDLE h = CreateFile(path);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(LineIsExclusive(path));
    ASSERT_TRUE(CloseHandle(h));
    EXPECT_FALSE(LineIsExclusive(path));

    // Refused because another program holds the line locked: left as found.
    int other = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(CreateFile(path), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(LineIsExclusive(path));
    ::flock(other, LOCK_UN);

    // Another program made the line exclusive: an ordinary user is refused
    // with error 5; root gets in, and the line stays exclusive after it.
    ASSERT_EQ(::ioctl(other, TIOCEXCL), 0);
    h = CreateFile(path);
    if (h == INVALID_HANDLE_VALUE) {
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    } else {
        ASSERT_TRUE(CloseHandle(h));
    }
    EXPECT_TRUE(LineIsExclusive(path));
    ::ioctl(other, TIOCNXCL);
    ::close(other);
}

// A pseudo-terminal keeps baud rate, stop bits and flow control; it forces
// eight data bits without parity, which the fake device shows instead.
TEST(CommState, TerminalHoldsAnyBaudRateStopBitsAndFlowControl)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    ASSERT_NE(port.Handle, INVALID_HANDLE_VALUE);
    struct Case {
        DWORD Baud;
        std::uint8_t Size, Parity, Stop;
    };
    for (Case c : {Case{12345, 7, EVENPARITY, TWOSTOPBITS}, Case{9600, 8, NOPARITY, ONESTOPBIT},
                   Case{250000, 5, MARKPARITY, ONESTOPBIT}, Case{1200, 6, SPACEPARITY, TWOSTOPBITS},
                   Case{115200, 8, ODDPARITY, ONESTOPBIT}}) {
        DCB dcb = RawDcb(c.Baud);
        dcb.ByteSize = c.Size;
        dcb.Parity = c.Parity;
        dcb.StopBits = c.Stop;
        ASSERT_TRUE(SetCommState(port.Handle, dcb));
        DCB back;
        ASSERT_TRUE(GetCommState(port.Handle, back));
        EXPECT_EQ(back.BaudRate, c.Baud);
        EXPECT_EQ(back.StopBits, c.Stop);
    }
    DCB flow = RawDcb(9600);
    flow.Flags |= fOutX | fInX;
    flow.XonChar = 0x21;
    ASSERT_TRUE(SetCommState(port.Handle, flow));
    DCB back;
    ASSERT_TRUE(GetCommState(port.Handle, back));
    EXPECT_EQ(back.Flags & (fOutX | fInX), fOutX | fInX);
    EXPECT_EQ(back.XonChar, 0x21);
}

TEST(CommState, InvalidSettingsAreRefusedWithInvalidParameter)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    DCB dcb = RawDcb(0);
    EXPECT_FALSE(SetCommState(port.Handle, dcb));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    dcb = RawDcb(9600);
    dcb.ByteSize = 9;
    EXPECT_FALSE(SetCommState(port.Handle, dcb));
    // The line cannot send these stop bits with these data bits.
    dcb.ByteSize = 8;
    dcb.StopBits = ONE5STOPBITS;
    EXPECT_FALSE(SetCommState(port.Handle, dcb));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    dcb.ByteSize = 5;
    dcb.StopBits = TWOSTOPBITS;
    EXPECT_FALSE(SetCommState(port.Handle, dcb));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    dcb.StopBits = ONE5STOPBITS;
    EXPECT_TRUE(SetCommState(port.Handle, dcb));
    EXPECT_FALSE(SetupComm(port.Handle, 1, 1024));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(SetupComm(port.Handle, 1024, 0xFFFFFFFFu));
    EXPECT_TRUE(SetupComm(port.Handle, 1024, 1024));
}

TEST(CommData, EveryByteValuePassesUnchangedBothWays)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    ASSERT_TRUE(SetCommState(port.Handle, RawDcb(9600)));
    SetImmediateReads(port.Handle);
    const std::string bytes("\x00\x03\x0A\x0D\x11\x13\xFF", 7);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(port.Handle, bytes.data(), 7, &written, nullptr));
    EXPECT_EQ(written, 7u);
    EXPECT_EQ(pty.Receive(7), bytes);

    pty.Send(bytes);
    std::string got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (got.size() < 7 && std::chrono::steady_clock::now() < deadline) {
        COMSTAT stat;
        DWORD errors;
        ASSERT_TRUE(ClearCommError(port.Handle, &errors, &stat));
        if (stat.cbInQue == 0) {
            usleep(2000);
            continue;
        }
        char buf[16];
        DWORD n = 0;
        ASSERT_TRUE(ReadFile(port.Handle, buf, sizeof buf, &n, nullptr));
        got.append(buf, n);
    }
    EXPECT_EQ(got, bytes);
}

TEST(CommData, ParityCheckingKeepsLiteralFFBytes)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    DCB dcb = RawDcb(9600);
    dcb.Flags |= fParity;
    ASSERT_TRUE(SetCommState(port.Handle, dcb));
    COMMTIMEOUTS t;
    t.ReadTotalTimeoutConstant = 20000;
    ASSERT_TRUE(SetCommTimeouts(port.Handle, t));
    // The line discipline doubles 0xFF to tell it from an error mark.
    const std::string bytes("\xFF\x01\xFF\xFF\x00", 5);
    pty.Send(bytes);
    char buf[5];
    DWORD n = 0;
    ASSERT_TRUE(ReadFile(port.Handle, buf, 5, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), bytes);
}

TEST(CommData, DiscardNullDropsZeroBytes)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    DCB dcb = RawDcb(9600);
    dcb.Flags |= fNull;
    ASSERT_TRUE(SetCommState(port.Handle, dcb));
    COMMTIMEOUTS t;
    t.ReadTotalTimeoutConstant = 5000;
    ASSERT_TRUE(SetCommTimeouts(port.Handle, t));
    pty.Send(std::string("A\0B\0C", 5));
    char buf[3];
    DWORD n = 0;
    ASSERT_TRUE(ReadFile(port.Handle, buf, 3, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), "ABC");
}

TEST(CommTimeouts, ReadEndsAtTheIntervalOrTotalDeadlineWithWhatArrived)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    ASSERT_TRUE(SetCommState(port.Handle, RawDcb(9600)));
    COMMTIMEOUTS t;
    t.ReadIntervalTimeout = 100;
    t.ReadTotalTimeoutConstant = 20000;
    ASSERT_TRUE(SetCommTimeouts(port.Handle, t));
    pty.Send("ab");
    char buf[10];
    DWORD n = 0;
    ASSERT_TRUE(ReadFile(port.Handle, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), "ab");
    // Nothing queued: the read ends at its total deadline with nothing.
    t.ReadIntervalTimeout = 0;
    t.ReadTotalTimeoutConstant = 100;
    ASSERT_TRUE(SetCommTimeouts(port.Handle, t));
    ASSERT_TRUE(ReadFile(port.Handle, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(n, 0u);
    // With MAXDWORD interval and multiplier a read returns at the first byte.
    t.ReadIntervalTimeout = MAXDWORD;
    t.ReadTotalTimeoutMultiplier = MAXDWORD;
    t.ReadTotalTimeoutConstant = 20000;
    ASSERT_TRUE(SetCommTimeouts(port.Handle, t));
    Overlapped ov;
    EXPECT_FALSE(ReadFile(port.Handle, buf, sizeof buf, &n, &ov));
    pty.Send("z");
    ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
    EXPECT_EQ(std::string(buf, n), "z");
}

TEST(CommEvents, EventCharacterAndEightyPercentFullAreReported)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    DCB dcb = RawDcb(9600);
    dcb.EvtChar = '\n';
    ASSERT_TRUE(SetCommState(port.Handle, dcb));
    ASSERT_TRUE(SetupComm(port.Handle, 10, 10));
    ASSERT_TRUE(SetCommMask(port.Handle, EV_RXFLAG | EV_RX80FULL));
    Overlapped ov;
    DWORD mask = 0, n;
    DWORD seen = 0;
    pty.Send("1234567\n");
    while (seen != (EV_RXFLAG | EV_RX80FULL)) {
        if (!WaitCommEvent(port.Handle, &mask, &ov)) {
            ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
            ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
        }
        EXPECT_EQ(mask & ~(EV_RXFLAG | EV_RX80FULL), 0u);
        seen |= mask;
    }
    COMSTAT stat;
    DWORD errors;
    ASSERT_TRUE(ClearCommError(port.Handle, &errors, &stat));
    EXPECT_EQ(stat.cbInQue, 8u);
}

TEST(CommEvents, ABatchOfReceivedBytesIsReportedOnceWhole)
{
    // 300 baud: a batch's rest cannot arrive on a real line within a
    // character's time, and the line is quiet only after 117 ms.
    PtyPair pty;
    Port port(pty.SlavePath());
    DCB dcb = RawDcb(300);
    dcb.EvtChar = 'x';
    ASSERT_TRUE(SetCommState(port.Handle, dcb));
    ASSERT_TRUE(SetCommMask(port.Handle, EV_RXCHAR | EV_RXFLAG));
    ASSERT_TRUE(SetCommRxBatch(port.Handle, 10));
    Overlapped ov;
    DWORD mask = 0, n;
    EXPECT_FALSE(WaitCommEvent(port.Handle, &mask, &ov));
    pty.Send("abxd");
    ASSERT_TRUE(InQueueReaches(port.Handle, 4));  // held alone before the rest comes
    pty.Send("efghij");
    ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
    // One report for all ten, the event character's with it.
    EXPECT_EQ(mask, EV_RXCHAR | EV_RXFLAG);
    COMSTAT stat;
    DWORD errors;
    ASSERT_TRUE(ClearCommError(port.Handle, &errors, &stat));
    EXPECT_EQ(stat.cbInQue, 10u);

    // Fewer bytes than the batch are reported once the line is quiet.
    char buf[16];
    SetImmediateReads(port.Handle);
    ASSERT_TRUE(ReadFile(port.Handle, buf, sizeof buf, &n, nullptr));
    EXPECT_FALSE(WaitCommEvent(port.Handle, &mask, &ov));
    pty.Send("klm");
    ASSERT_EQ(WaitForSingleObject(ov.hEvent, 5000), WAIT_OBJECT_0);
    ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, false));
    EXPECT_EQ(mask, EV_RXCHAR);
    ASSERT_TRUE(ClearCommError(port.Handle, &errors, &stat));
    EXPECT_EQ(stat.cbInQue, 3u);

    // Back to one: every arrival is reported, also what is held already.
    ASSERT_TRUE(ReadFile(port.Handle, buf, sizeof buf, &n, nullptr));
    ASSERT_TRUE(SetCommRxBatch(port.Handle, 10));
    EXPECT_FALSE(WaitCommEvent(port.Handle, &mask, &ov));
    pty.Send("n");
    ASSERT_TRUE(InQueueReaches(port.Handle, 1));
    EXPECT_EQ(WaitForSingleObject(ov.hEvent, 0), WAIT_TIMEOUT);
    ASSERT_TRUE(SetCommRxBatch(port.Handle, 1));
    ASSERT_EQ(WaitForSingleObject(ov.hEvent, 0), WAIT_OBJECT_0);
    ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, false));
    EXPECT_EQ(mask, EV_RXCHAR);
}

TEST(CommTimeouts, WriteWithNobodyReadingEndsAtItsDeadlineShort)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    ASSERT_TRUE(SetCommState(port.Handle, RawDcb(9600)));
    COMMTIMEOUTS t;
    t.WriteTotalTimeoutConstant = 200;
    ASSERT_TRUE(SetCommTimeouts(port.Handle, t));
    std::string big(4 * 1024 * 1024, 'x');
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(port.Handle, big.data(), static_cast<DWORD>(big.size()), &written, nullptr));
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, big.size());
}

TEST(CommOverlapped, PendingReadCompletesWhenBytesArrive)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    ASSERT_TRUE(SetCommState(port.Handle, RawDcb(9600)));
    COMMTIMEOUTS t;  // all zero: wait for the full count
    ASSERT_TRUE(SetCommTimeouts(port.Handle, t));
    Overlapped ov;
    char buf[4];
    DWORD n = 99;
    EXPECT_FALSE(ReadFile(port.Handle, buf, 4, &n, &ov));
    EXPECT_EQ(GetLastError(), ERROR_IO_PENDING);
    EXPECT_FALSE(GetOverlappedResult(port.Handle, &ov, &n, false));
    EXPECT_EQ(GetLastError(), ERROR_IO_INCOMPLETE);
    pty.Send("wxyz");
    ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(std::string(buf, 4), "wxyz");
}

TEST(CommOverlapped, PurgeAbortsAPendingRead)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    ASSERT_TRUE(SetCommTimeouts(port.Handle, COMMTIMEOUTS{}));
    Overlapped ov;
    char buf[4];
    DWORD n = 0;
    EXPECT_FALSE(ReadFile(port.Handle, buf, 4, &n, &ov));
    ASSERT_TRUE(PurgeComm(port.Handle, PURGE_RXABORT | PURGE_RXCLEAR));
    EXPECT_FALSE(GetOverlappedResult(port.Handle, &ov, &n, true));
    EXPECT_EQ(GetLastError(), ERROR_OPERATION_ABORTED);
}

TEST(CommEvents, ReceivedBytesAndMaskChangeEndAWait)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    ASSERT_TRUE(SetCommState(port.Handle, RawDcb(9600)));
    ASSERT_TRUE(SetCommMask(port.Handle, EV_RXCHAR | EV_TXEMPTY));
    Overlapped ov;
    DWORD mask = 0;
    DWORD n;
    EXPECT_FALSE(WaitCommEvent(port.Handle, &mask, &ov));
    EXPECT_EQ(GetLastError(), ERROR_IO_PENDING);
    pty.Send("z");
    ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
    EXPECT_EQ(mask, EV_RXCHAR);

    // A second wait while one is pending is refused; a mask change ends it.
    EXPECT_FALSE(WaitCommEvent(port.Handle, &mask, &ov));
    Overlapped other;
    DWORD otherMask;
    EXPECT_FALSE(WaitCommEvent(port.Handle, &otherMask, &other));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    ASSERT_TRUE(SetCommMask(port.Handle, 0));
    ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
    EXPECT_EQ(mask, 0u);

    // A finished write reports the transmit queue empty.
    ASSERT_TRUE(SetCommMask(port.Handle, EV_TXEMPTY));
    DWORD written;
    ASSERT_TRUE(WriteFile(port.Handle, "abc", 3, &written, nullptr));
    if (!WaitCommEvent(port.Handle, &mask, &ov)) {
        ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
    }
    EXPECT_EQ(mask, EV_TXEMPTY);
}

TEST(CommEvents, HangUpFailsTheWaitAndReportsAnIoError)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    ASSERT_TRUE(SetCommMask(port.Handle, EV_RXCHAR | EV_ERR));
    Overlapped ov;
    DWORD mask = 0, n;
    EXPECT_FALSE(WaitCommEvent(port.Handle, &mask, &ov));
    pty.CloseMaster();
    EXPECT_FALSE(GetOverlappedResult(port.Handle, &ov, &n, true));
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
    DWORD errors = 0;
    ASSERT_TRUE(ClearCommError(port.Handle, &errors, nullptr));
    EXPECT_EQ(errors, CE_IOE);
    // Later waits fail at once instead of hanging.
    EXPECT_FALSE(WaitCommEvent(port.Handle, &mask, &ov));
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
}

TEST(CommEvents, EventsSeenBeforeAHangUpAreDeliveredBeforeTheWaitFails)
{
    auto fake = FakeDevice::Create("FAKECOMMHUP");
    Port port("FAKECOMMHUP");
    SetImmediateReads(port.Handle);
    ASSERT_TRUE(SetCommMask(port.Handle, EV_RXCHAR | EV_ERR));
    fake->Send("abc");
    fake->HangUp();
    // Until the device has taken the bytes and seen the far end go.
    DWORD seen = 0;
    COMSTAT stat;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    do {
        DWORD errors = 0;
        ASSERT_TRUE(ClearCommError(port.Handle, &errors, &stat));
        seen |= errors;
    } while (!((seen & CE_IOE) && stat.cbInQue == 3) && std::chrono::steady_clock::now() < deadline);
    ASSERT_EQ(stat.cbInQue, 3u);
    ASSERT_EQ(seen, CE_IOE);

    Overlapped ov;
    DWORD mask = 0, n = 0;
    bool ok = WaitCommEvent(port.Handle, &mask, &ov);
    if (!ok) {
        ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
        ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
    }
    EXPECT_EQ(mask, EV_RXCHAR);
    char buf[8];
    ASSERT_TRUE(ReadFile(port.Handle, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), "abc");
    // The device stays in error: taking the count did not clear it.
    DWORD errors = 0;
    ASSERT_TRUE(ClearCommError(port.Handle, &errors, nullptr));
    EXPECT_EQ(errors, CE_IOE);
    // With nothing left to report the wait fails.
    EXPECT_FALSE(WaitCommEvent(port.Handle, &mask, &ov));
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
}

TEST(CommModem, PseudoTerminalReadsAllLinesOff)
{
    PtyPair pty;
    Port port(pty.SlavePath());
    DWORD status = 123;
    ASSERT_TRUE(GetCommModemStatus(port.Handle, &status));
    EXPECT_EQ(status, 0u);
    DCB dcb = RawDcb(9600);
    dcb.Flags |= DTR_CONTROL_ENABLE | RTS_CONTROL_ENABLE;
    EXPECT_TRUE(SetCommState(port.Handle, dcb));
}

TEST(CommFake, LineEventsErrorsAndSettings)
{
    auto fake = FakeDevice::Create("FAKECOMM1");
    Port port("FAKECOMM1");
    ASSERT_NE(port.Handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFile("FAKECOMM1"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    DCB dcb = RawDcb(4800);
    dcb.Parity = MARKPARITY;
    ASSERT_TRUE(SetCommState(port.Handle, dcb));
    EXPECT_EQ(fake->LastDcb(), dcb);
    ASSERT_TRUE(SetupComm(port.Handle, 512, 256));
    EXPECT_EQ(fake->InQueueSize(), 512u);
    EXPECT_EQ(fake->OutQueueSize(), 256u);
    fake->FailNextState(ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(SetCommState(port.Handle, dcb));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    ASSERT_TRUE(SetCommMask(port.Handle, EV_CTS | EV_RLSD | EV_RING | EV_ERR | EV_BREAK));
    Overlapped ov;
    DWORD mask = 0, n;
    auto wait = [&] {
        if (!WaitCommEvent(port.Handle, &mask, &ov)) {
            EXPECT_EQ(GetLastError(), ERROR_IO_PENDING);
            EXPECT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
        }
        return mask;
    };
    fake->SetModemStatus(MS_CTS_ON | MS_RING_ON);
    EXPECT_EQ(wait(), EV_CTS | EV_RING);
    DWORD status;
    ASSERT_TRUE(GetCommModemStatus(port.Handle, &status));
    EXPECT_EQ(status, MS_CTS_ON | MS_RING_ON);
    fake->InjectErrors(CE_RXPARITY | CE_FRAME);
    EXPECT_EQ(wait(), EV_ERR);
    DWORD errors;
    ASSERT_TRUE(ClearCommError(port.Handle, &errors, nullptr));
    EXPECT_EQ(errors, CE_RXPARITY | CE_FRAME);
    ASSERT_TRUE(ClearCommError(port.Handle, &errors, nullptr));
    EXPECT_EQ(errors, 0u);
    fake->SignalBreak();
    EXPECT_EQ(wait(), EV_BREAK);

    DWORD written;
    ASSERT_TRUE(WriteFile(port.Handle, "hello", 5, &written, nullptr));
    EXPECT_EQ(fake->Receive(5, 5000), "hello");
}

TEST(CommWaits, WaitForMultipleObjectsReportsTheFirstSignalled)
{
    HANDLE a = CreateEvent(true, false), b = CreateEvent(false, false);
    HANDLE both[] = {a, b};
    EXPECT_EQ(WaitForMultipleObjects(2, both, 10), WAIT_TIMEOUT);
    SetEvent(b);
    EXPECT_EQ(WaitForMultipleObjects(2, both, INFINITE), WAIT_OBJECT_0 + 1);
    // Auto-reset: released once.
    EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_TIMEOUT);
    SetEvent(a);
    EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_OBJECT_0);
    CloseHandle(a);
    CloseHandle(b);
    EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_FAILED);
}

TEST(CommWaits, AnEventSetByAnotherThreadWakesOnlyItsOwnWaiters)
{
    HANDLE a = CreateEvent(false, false), b = CreateEvent(false, false), c = CreateEvent(true, false);
    HANDLE ab[] = {a, b};
    std::atomic<DWORD> onAB{0}, onC{0};
    std::thread waitsAB([&] { onAB = WaitForMultipleObjects(2, ab, INFINITE); });
    std::thread waitsC([&] { onC = WaitForSingleObject(c, 300); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetEvent(b);
    waitsAB.join();
    EXPECT_EQ(onAB.load(), WAIT_OBJECT_0 + 1);
    // The other waiter saw nothing of it and still waits out its time.
    waitsC.join();
    EXPECT_EQ(onC.load(), static_cast<DWORD>(WAIT_TIMEOUT));
    // Nobody took a: it is still unsignalled; b was taken by its waiter.
    EXPECT_EQ(WaitForSingleObject(a, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(b, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    // Two waiters on one manual-reset event both wake.
    std::atomic<int> woken{0};
    std::thread first([&] { woken += WaitForSingleObject(c, INFINITE) == WAIT_OBJECT_0; });
    std::thread second([&] { woken += WaitForSingleObject(c, INFINITE) == WAIT_OBJECT_0; });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetEvent(c);
    first.join();
    second.join();
    EXPECT_EQ(woken.load(), 2);
    CloseHandle(a);
    CloseHandle(b);
    CloseHandle(c);
}

TEST(SerialPortList, ListsDriverBoundDevicesAndSkipsEmptyLegacySlots)
{
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("sysfs-tty-" + std::to_string(::getpid()));
    fs::remove_all(root);
    auto makeDriver = [&](const std::string& name) {
        fs::create_directories(root / "drivers" / name);
        return root / "drivers" / name;
    };
    auto makeTty = [&](const std::string& tty, const fs::path* driver, const char* type) {
        fs::create_directories(root / "class" / tty / "device");
        if (driver)
            fs::create_directory_symlink(*driver, root / "class" / tty / "device" / "driver");
        if (type)
            std::ofstream(root / "class" / tty / "type") << type << "\n";
    };
    fs::path usb = makeDriver("ftdi_sio"), legacy = makeDriver("serial8250");
    makeTty("ttyUSB0", &usb, nullptr);
    makeTty("ttyS0", &legacy, "4");
    makeTty("ttyS1", &legacy, "0");
    makeTty("tty1", nullptr, nullptr);
    const std::string noDir = (root / "nodir").string();
    auto listed = ListSerialPorts((root / "class").string(), noDir, noDir);
    ASSERT_TRUE(listed.has_value());
    auto names = *listed;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"ttyS0", "ttyUSB0"}));
    EXPECT_FALSE(ListSerialPorts((root / "missing").string()).has_value());

    // Links to pseudo-terminals are virtual serial ports; other links are not.
    fs::create_directories(root / "dev");
    fs::create_symlink("/dev/pts/7", root / "dev" / "ttyV0");
    fs::create_symlink("/dev/null", root / "dev" / "ttyNull");
    fs::create_symlink("/dev/pts/8", root / "dev" / "simline");
    std::ofstream(root / "dev" / "ttyPlain") << "";
    listed = ListSerialPorts((root / "class").string(), (root / "dev").string(), noDir);
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(listed->back(), "ttyV0");
    EXPECT_EQ(listed->size(), 3u);

    // A user without root publishes them in a directory of its own; they
    // are listed by full path, which is how they are opened.
    fs::create_directories(root / "user");
    fs::create_symlink("/dev/pts/9", root / "user" / "ttyV0");
    fs::create_symlink("/dev/null", root / "user" / "ttyNull");
    fs::create_symlink("/dev/pts/9", root / "user" / "line");
    listed = ListSerialPorts((root / "class").string(), (root / "dev").string(), (root / "user").string());
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(listed->size(), 4u);
    EXPECT_EQ(listed->back(), (root / "user" / "ttyV0").string());
    fs::remove_all(root);
}

TEST(CommFake, WritingToAHungUpDeviceFailsWithoutASignal)
{
    auto fake = FakeDevice::Create("FAKECOMM2");
    Port port("FAKECOMM2");
    ASSERT_TRUE(SetupComm(port.Handle, 4, 4));
    ASSERT_TRUE(SetCommMask(port.Handle, EV_RXCHAR));
    fake->Send("0123456789");
    Overlapped ov;
    DWORD mask = 0, n;
    if (!WaitCommEvent(port.Handle, &mask, &ov)) {
        ASSERT_TRUE(GetOverlappedResult(port.Handle, &ov, &n, true));
    }
    // The input queue is full, so the hang-up is first seen by the write.
    COMSTAT stat;
    ASSERT_TRUE(ClearCommError(port.Handle, nullptr, &stat));
    ASSERT_EQ(stat.cbInQue, 4u);
    fake->HangUp();
    DWORD written = 0;
    EXPECT_FALSE(WriteFile(port.Handle, "x", 1, &written, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
    EXPECT_EQ(written, 0u);
}
