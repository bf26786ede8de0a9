#pragma once
// Flow control of a port: handshake lines, Xon/Xoff and the summary
// FlowControl derived from them.
#include "serial/ComSettingsOwner.h"
#include "serial/ComTypes.h"

class TComFlowControl : public TPersistent {
public:
    TCustomComPort* ComPort() const { return FOwner ? FOwner->SettingsPort() : nullptr; }
    // Copies every field; applies nothing.
    void Assign(const TPersistent* Source) override;

    bool OutCTSFlow() const { return FOutCTSFlow; }
    bool OutDSRFlow() const { return FOutDSRFlow; }
    TDTRFlowControl ControlDTR() const { return FControlDTR; }
    TRTSFlowControl ControlRTS() const { return FControlRTS; }
    bool XonXoffOut() const { return FXonXoffOut; }
    bool XonXoffIn() const { return FXonXoffIn; }
    bool DSRSensitivity() const { return FDSRSensitivity; }
    bool TxContinueOnXoff() const { return FTxContinueOnXoff; }
    char XonChar() const { return FXonChar; }
    char XoffChar() const { return FXoffChar; }
    void SetOutCTSFlow(bool Value) { Set(FOutCTSFlow, Value); }
    void SetOutDSRFlow(bool Value) { Set(FOutDSRFlow, Value); }
    void SetControlDTR(TDTRFlowControl Value) { Set(FControlDTR, Value); }
    void SetControlRTS(TRTSFlowControl Value) { Set(FControlRTS, Value); }
    void SetXonXoffOut(bool Value) { Set(FXonXoffOut, Value); }
    void SetXonXoffIn(bool Value) { Set(FXonXoffIn, Value); }
    void SetDSRSensitivity(bool Value) { Set(FDSRSensitivity, Value); }
    void SetTxContinueOnXoff(bool Value) { Set(FTxContinueOnXoff, Value); }
    void SetXonChar(char Value) { Set(FXonChar, Value); }
    void SetXoffChar(char Value) { Set(FXoffChar, Value); }

    // Summary of RTS control, CTS flow and Xon/Xoff; fCustom when they
    // match none of the presets. Setting a preset rewrites those fields;
    // every setting re-applies the line settings.
    TFlowControl FlowControl() const;
    void SetFlowControl(TFlowControl Value);

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
    bool FOutCTSFlow = false;
    bool FOutDSRFlow = false;
    TDTRFlowControl FControlDTR = dtrDisable;
    TRTSFlowControl FControlRTS = rtsDisable;
    bool FXonXoffOut = false;
    bool FXonXoffIn = false;
    bool FDSRSensitivity = false;
    bool FTxContinueOnXoff = false;
    char FXonChar = 17;
    char FXoffChar = 19;
};
