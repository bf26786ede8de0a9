#pragma once
// A terminal device (serial port or pseudo-terminal) under the comm layer,
// set up through termios2 so that any baud rate works.
#include <memory>
#include <string>

#include "comm/CommBackend.h"
#include "comm/ParityMarkDecoder.h"

namespace comm {

class TtyBackend : public CommBackend {
public:
    // Opens Path exclusively; null with an error number on failure.
    static std::unique_ptr<TtyBackend> Open(const std::string& Path, DWORD& Error);
    ~TtyBackend() override;

    int Fd() const override { return FFd; }
    // With parity checking the driver marks bad bytes; they arrive here as
    // received, or replaced by the error character when replacing is on.
    ssize_t ReadData(std::uint8_t* Buffer, size_t Count) override;
    bool ApplyState(const DCB& Dcb, DWORD& Error) override;
    void ReadState(DCB& Dcb) override;
    DWORD ModemStatus() override;
    DWORD TakeLineEvents(DWORD& Errors) override;
    bool NeedsLinePolling() const override { return FHasModemLines || FHasCounters; }
    DWORD OutQueue() override;
    void Flush(bool Input, bool Output) override;

private:
    TtyBackend(int Fd, std::string Key);

    int FFd;
    std::string FKey;
    // Set when this open made the line exclusive, so closing it hands the
    // line back as it was found.
    bool FReleaseExclusive = false;
    bool FMarked = false;
    ParityMarkDecoder FDecoder;
    bool FHasModemLines = false;
    bool FHasCounters = false;
    DWORD FLastStatus = 0;
    // Ring, break and error counters from the driver, as last seen.
    int FRing = 0, FBreak = 0, FFrame = 0, FOverrun = 0, FParity = 0, FBufOverrun = 0;
};

}  // namespace comm
