#pragma once
// What a port's settings parts (buffer, parity, time-outs, flow control)
// need of the port they belong to: to name it, and to put a changed field
// into effect on the open device. Kept apart from the port, so that the
// parts depend on this much only.
class TCustomComPort;

class TComSettingsOwner {
public:
    virtual TCustomComPort* SettingsPort() = 0;
    // Each returns false when it failed and the failure was reported.
    virtual bool ApplyDCB() = 0;
    virtual bool ApplyTimeouts() = 0;
    virtual bool ApplyBuffer() = 0;

protected:
    ~TComSettingsOwner() = default;
};
