#pragma once
// What a device underneath the comm layer provides: a non-blocking data
// descriptor, line settings, modem lines and line events.
#include <cstdint>
#include <functional>

#include <unistd.h>

#include "comm/CommTypes.h"

namespace comm {

class CommBackend {
public:
    virtual ~CommBackend() = default;

    // Non-blocking descriptor for the data bytes.
    virtual int Fd() const = 0;
    // Reads received data bytes as read() does (-1 with EAGAIN when none
    // are ready, 0 at end of file).
    virtual ssize_t ReadData(std::uint8_t* Buffer, size_t Count) { return ::read(Fd(), Buffer, Count); }
    // Writes data bytes as write() does.
    virtual ssize_t WriteData(const std::uint8_t* Buffer, size_t Count) { return ::write(Fd(), Buffer, Count); }
    // False with an error number when the settings are refused.
    virtual bool ApplyState(const DCB& Dcb, DWORD& Error) = 0;
    // Overlays on Dcb the settings the device actually holds.
    virtual void ReadState(DCB& Dcb) { (void)Dcb; }
    virtual bool SetupBuffers(DWORD InQueue, DWORD OutQueue, DWORD& Error)
    {
        (void)InQueue, (void)OutQueue, (void)Error;
        return true;
    }
    // MS_ bits; 0 for a device without modem lines.
    virtual DWORD ModemStatus() = 0;
    // EV_ bits of line events (modem lines, ring, break, errors) seen since
    // the last call; the CE_ flags of line errors are added to Errors.
    virtual DWORD TakeLineEvents(DWORD& Errors) = 0;
    // True when line events can only be found by asking periodically.
    virtual bool NeedsLinePolling() const = 0;
    // Called by a device that announces line events itself.
    virtual void SetNotify(std::function<void()> Notify) { (void)Notify; }
    // Bytes written but not yet sent by the device.
    virtual DWORD OutQueue() = 0;
    virtual void Flush(bool Input, bool Output) = 0;
};

}  // namespace comm
