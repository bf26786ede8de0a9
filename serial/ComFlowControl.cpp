#include "serial/ComFlowControl.h"

void TComFlowControl::Assign(const TPersistent* Source)
{
    auto* other = dynamic_cast<const TComFlowControl*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    FOutCTSFlow = other->FOutCTSFlow;
    FOutDSRFlow = other->FOutDSRFlow;
    FControlDTR = other->FControlDTR;
    FControlRTS = other->FControlRTS;
    FXonXoffOut = other->FXonXoffOut;
    FXonXoffIn = other->FXonXoffIn;
    FDSRSensitivity = other->FDSRSensitivity;
    FTxContinueOnXoff = other->FTxContinueOnXoff;
    FXonChar = other->FXonChar;
    FXoffChar = other->FXoffChar;
}

TFlowControl TComFlowControl::FlowControl() const
{
    if (FControlRTS == rtsHandshake && FOutCTSFlow && !FXonXoffIn && !FXonXoffOut)
        return fcHardware;
    if (FControlRTS == rtsDisable && !FOutCTSFlow && FXonXoffIn && FXonXoffOut)
        return fcSoftware;
    if (FControlRTS == rtsDisable && !FOutCTSFlow && !FXonXoffIn && !FXonXoffOut)
        return fcNone;
    return fcCustom;
}

void TComFlowControl::SetFlowControl(TFlowControl Value)
{
    if (Value != fcCustom) {
        FControlRTS = rtsDisable;
        FOutCTSFlow = false;
        FXonXoffIn = false;
        FXonXoffOut = false;
        if (Value == fcHardware) {
            FControlRTS = rtsHandshake;
            FOutCTSFlow = true;
        } else if (Value == fcSoftware) {
            FXonXoffIn = true;
            FXonXoffOut = true;
        }
    }
    Changed();
}

void TComFlowControl::Changed()
{
    if (FOwner)
        FOwner->ApplyDCB();
}
