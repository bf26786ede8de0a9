#pragma once
// Driver queue sizes of a port. Sizes are even: an odd positive value is
// stored one lower.
#include "serial/ComSettingsOwner.h"
#include "serial/ComTypes.h"

class TComBuffer : public TPersistent {
public:
    TCustomComPort* ComPort() const { return FOwner ? FOwner->SettingsPort() : nullptr; }
    // Copies every field; applies nothing.
    void Assign(const TPersistent* Source) override;

    int InputSize() const { return FInputSize; }
    int OutputSize() const { return FOutputSize; }
    void SetInputSize(int Value) { Set(FInputSize, Value); }
    void SetOutputSize(int Value) { Set(FOutputSize, Value); }

private:
    friend class TCustomComPort;
    void Set(int& Field, int Value);

    TComSettingsOwner* FOwner = nullptr;
    int FInputSize = 1024;
    int FOutputSize = 1024;
};
