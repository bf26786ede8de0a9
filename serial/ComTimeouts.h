#pragma once
// Read and write time-outs of a port, in milliseconds.
#include "serial/ComSettingsOwner.h"
#include "serial/ComTypes.h"

class TComTimeouts : public TPersistent {
public:
    TCustomComPort* ComPort() const { return FOwner ? FOwner->SettingsPort() : nullptr; }
    // Copies every field; applies nothing.
    void Assign(const TPersistent* Source) override;

    int ReadInterval() const { return FReadInterval; }
    int ReadTotalMultiplier() const { return FReadTotalM; }
    int ReadTotalConstant() const { return FReadTotalC; }
    int WriteTotalMultiplier() const { return FWriteTotalM; }
    int WriteTotalConstant() const { return FWriteTotalC; }
    void SetReadInterval(int Value) { Set(FReadInterval, Value); }
    void SetReadTotalMultiplier(int Value) { Set(FReadTotalM, Value); }
    void SetReadTotalConstant(int Value) { Set(FReadTotalC, Value); }
    void SetWriteTotalMultiplier(int Value) { Set(FWriteTotalM, Value); }
    void SetWriteTotalConstant(int Value) { Set(FWriteTotalC, Value); }

private:
    friend class TCustomComPort;
    void Set(int& Field, int Value);

    TComSettingsOwner* FOwner = nullptr;
    int FReadInterval = -1;
    int FReadTotalM = 0;
    int FReadTotalC = 0;
    int FWriteTotalM = 100;
    int FWriteTotalC = 1000;
};
