#pragma once
// Parity of a port: the parity bit and the checking of received bytes.
#include "serial/ComSettingsOwner.h"
#include "serial/ComTypes.h"

class TComParity : public TPersistent {
public:
    TCustomComPort* ComPort() const { return FOwner ? FOwner->SettingsPort() : nullptr; }
    // Copies every field; applies nothing.
    void Assign(const TPersistent* Source) override;

    TParityBits Bits() const { return FBits; }
    bool Check() const { return FCheck; }
    bool Replace() const { return FReplace; }
    char ReplaceChar() const { return FReplaceChar; }
    void SetBits(TParityBits Value) { Set(FBits, Value); }
    void SetCheck(bool Value) { Set(FCheck, Value); }
    void SetReplace(bool Value) { Set(FReplace, Value); }
    void SetReplaceChar(char Value) { Set(FReplaceChar, Value); }

private:
    friend class TCustomComPort;
    template <class T> void Set(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed();
    }
    void Changed();

    TComSettingsOwner* FOwner = nullptr;
    TParityBits FBits = prNone;
    bool FCheck = false;
    bool FReplace = false;
    char FReplaceChar = 0;
};
