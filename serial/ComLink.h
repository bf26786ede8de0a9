#pragma once
// Callbacks that a component registers with a port to follow its activity.
// Created and owned by whoever registers it; unassigned callbacks are skipped.
#include "serial/ComTypes.h"

class TComLink : public TObject {
public:
    TComSignalEvent OnConnChange;
    TRxBufEvent OnRxBuf;
    TRxBufEvent OnTxBuf;
    TNotifyEvent OnTxEmpty;
    TNotifyEvent OnRxFlag;
    TComSignalEvent OnCTSChange;
    TComSignalEvent OnDSRChange;
    TComSignalEvent OnRLSDChange;
    TNotifyEvent OnRing;
    TComSignalEvent OnTxActivity;
    TComSignalEvent OnRxActivity;
};
