#pragma once
// The serial port component: line settings, opening and closing, reads and
// writes (synchronous or overlapped), modem lines, line errors, links and
// the events its comm event thread delivers.
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "comm/CommApi.h"
#include "rtl/Thread.h"
#include "serial/ComBuffer.h"
#include "serial/ComEventTarget.h"
#include "serial/ComFlowControl.h"
#include "serial/ComLink.h"
#include "serial/ComParity.h"
#include "serial/ComSettingsOwner.h"
#include "serial/ComTimeouts.h"
#include "serial/ComTypes.h"

class TComThread;
class TIniFile;

enum TOperationKind { okWrite, okRead };

// An overlapped request: the system block with its event, the kind, and
// for writes a private copy of the data.
struct TAsync {
    comm::OVERLAPPED Overlapped;
    TOperationKind Kind = okWrite;
    std::vector<std::uint8_t> Data;
    bool HasData = false;
};
using PAsync = TAsync*;

void InitAsync(PAsync& AsyncPtr);
// Frees the record and clears the caller's reference.
void DoneAsync(PAsync& AsyncPtr);

class TCustomComPort : public TComponent, private TComSettingsOwner, private TComEventTarget {
public:
    explicit TCustomComPort(TComponent* AOwner = nullptr);
    // Closes the port; never throws.
    ~TCustomComPort() override;

    void Open();
    // Every step runs even when one fails; the first failure is reported
    // at the end.
    void Close();
    bool Connected() const { return FConnected; }
    void SetConnected(bool Value);

    TBaudRate BaudRate() const { return FBaudRate; }
    void SetBaudRate(TBaudRate Value);
    int CustomBaudRate() const { return FCustomBaudRate; }
    void SetCustomBaudRate(int Value);
    const std::string& Port() const { return FPort; }
    // Reopens a connected port on the new device.
    void SetPort(const std::string& Value);
    TStopBits StopBits() const { return FStopBits; }
    void SetStopBits(TStopBits Value);
    TDataBits DataBits() const { return FDataBits; }
    void SetDataBits(TDataBits Value);
    bool DiscardNull() const { return FDiscardNull; }
    void SetDiscardNull(bool Value);
    char EventChar() const { return FEventChar; }
    void SetEventChar(char Value);
    // Takes effect at the next open.
    TComEvents Events() const { return FEvents; }
    void SetEvents(TComEvents Value) { FEvents = Value; }
    TComBuffer* Buffer() const { return FBuffer.get(); }
    void SetBuffer(const TComBuffer* Value);
    TComParity* Parity() const { return FParity.get(); }
    void SetParity(const TComParity* Value);
    TComTimeouts* Timeouts() const { return FTimeouts.get(); }
    void SetTimeouts(const TComTimeouts* Value);
    TComFlowControl* FlowControl() const { return FFlowControl.get(); }
    void SetFlowControl(const TComFlowControl* Value);
    TSyncMethod SyncMethod() const { return FSyncMethod; }
    // Error 14 while connected.
    void SetSyncMethod(TSyncMethod Value);
    TStoredProps StoredProps() const { return FStoredProps; }
    void SetStoredProps(TStoredProps Value) { FStoredProps = Value; }
    // Error 22 while a link takes the received bytes.
    bool TriggersOnRxChar() const { return FTriggersOnRxChar; }
    void SetTriggersOnRxChar(bool Value);
    TThreadPriority EventThreadPriority() const { return FEventThreadPriority; }
    void SetEventThreadPriority(TThreadPriority Value) { FEventThreadPriority = Value; }
    std::uint32_t CodePage() const { return FCodePage; }
    void SetCodePage(std::uint32_t Value) { FCodePage = Value; }
    comm::HANDLE Handle() const { return FHandle; }

    // Synchronous; the result is the number of bytes transferred.
    int Write(const void* Buffer, int Count);
    int Read(void* Buffer, int Count);
    // Start an overlapped request on a record from InitAsync; the result is
    // what completed at once. Buffer must stay valid until it completes.
    int WriteAsync(const void* Buffer, int Count, PAsync& AsyncPtr);
    int ReadAsync(void* Buffer, int Count, PAsync& AsyncPtr);
    int WaitForAsync(PAsync& AsyncPtr);

    int InputCount();
    TComSignals ModemSignals();
    TComErrors LastErrors();
    void AbortAllAsync();

    void RegisterLink(TComLink* Link);
    void UnregisterLink(TComLink* Link);
    // A registered link that cuts received bytes into packets tells how
    // many more it needs at the least before it can complete one. The
    // event thread then hands received bytes over once the fewest any
    // receiving link needs are there (or the line has gone quiet), rather
    // than at every arrival. A receiving link that tells nothing needs 1.
    void SetRxWanted(TComLink* Link, int Count);

    // Settings under the component's Name as INI section, grouped by
    // StoredProps.
    virtual void StoreIniFile(TIniFile* IniFile);
    virtual void LoadIniFile(TIniFile* IniFile);

    // Window method of smWindowSync delivery: the event thread queues one
    // CM_COMPORT_EVENT per event to the main thread, the event's mask bit
    // in WParam. Other messages and a closed port do nothing.
    std::intptr_t WindowMethod(std::uint32_t Msg, std::uintptr_t WParam, std::intptr_t LParam) override;

    TNotifyEvent OnAfterOpen;
    TNotifyEvent OnAfterClose;
    TNotifyEvent OnBeforeOpen;
    TNotifyEvent OnBeforeClose;
    TRxCharEvent OnRxChar;
    TRxBufEvent OnRxBuf;
    TNotifyEvent OnTxEmpty;
    TNotifyEvent OnBreak;
    TNotifyEvent OnRing;
    TComSignalEvent OnCTSChange;
    TComSignalEvent OnDSRChange;
    TComSignalEvent OnRLSDChange;
    TNotifyEvent OnRxFlag;
    TComErrorEvent OnError;
    TNotifyEvent OnRx80Full;
    TComExceptionEvent OnException;

protected:
    void Loaded() override;
    // Each returns false when it failed and the failure was reported.
    virtual bool CreateHandle();
    virtual void DestroyHandle();
    virtual bool SetupComPort();
    bool ApplyDCB() override;
    bool ApplyTimeouts() override;
    bool ApplyBuffer() override;

    virtual void DoBeforeOpen();
    virtual void DoAfterOpen();
    virtual void DoBeforeClose();
    virtual void DoAfterClose();
    virtual void DoRxChar(int Count);
    virtual void DoRxBuf(const void* Buffer, int Count);
    virtual void DoTxEmpty();
    virtual void DoBreak();
    virtual void DoRing();
    virtual void DoRxFlag();
    virtual void DoCTSChange(bool OnOff);
    virtual void DoDSRChange(bool OnOff);
    virtual void DoRLSDChange(bool OnOff);
    virtual void DoError(TComErrors Errors);
    virtual void DoRx80Full();

    // Reports a failure: to OnException when assigned, else as EComPort.
    void CallException(int Number, std::int64_t WinError = 0);

private:
    TCustomComPort* SettingsPort() override { return this; }
    bool CanApply() const;
    bool StartWrite(const void* Buffer, int Count, PAsync AsyncPtr, int& Done);
    bool StartRead(void* Buffer, int Count, PAsync AsyncPtr, int& Done);
    bool FinishAsync(PAsync AsyncPtr, int& Done);
    void ReportModemLines();
    bool EffectiveTriggersOnRxChar() const { return FTriggersOnRxChar && !FHasLink; }
    void UpdateHasLink();
    void ApplyRxBatch();

    // The event routine and its per-event operations.
    void DispatchEvents(TComEvents Events) override;
    void CallRxChar();
    void CallTxEmpty();
    void CallBreak();
    void CallRing();
    void CallRxFlag();
    // A modem line changed: tells the links, then the port's own handler.
    void CallSignalChange(TComSignal Signal, TComSignalEvent TComLink::*LinkEvent, void (TCustomComPort::*Do)(bool));
    void CallCTSChange();
    void CallDSRChange();
    void CallRLSDChange();
    void CallError();
    void CallRx80Full();

    // Calls Call for every registered link in registration order; false
    // when a callback freed the port.
    template <class F> bool ForEachLink(F Call);

    std::unique_ptr<TComThread> FEventThread;
    bool FThreadCreated = false;
    comm::HANDLE FHandle = comm::INVALID_HANDLE_VALUE;
    std::vector<TComLink*> FLinks;
    std::map<TComLink*, int> FRxWanted;
    // The receive batch the open device holds.
    int FRxBatch = 1;
    bool FTriggersOnRxChar = true;
    TThreadPriority FEventThreadPriority = tpNormal;
    bool FHasLink = false;
    bool FConnected = false;
    TBaudRate FBaudRate = br9600;
    int FCustomBaudRate = 9600;
    std::string FPort = "COM1";
    TStopBits FStopBits = sbOneStopBit;
    TDataBits FDataBits = dbEight;
    bool FDiscardNull = false;
    char FEventChar = 0;
    TComEvents FEvents = AllComEvents;
    std::unique_ptr<TComBuffer> FBuffer;
    std::unique_ptr<TComParity> FParity;
    std::unique_ptr<TComTimeouts> FTimeouts;
    std::unique_ptr<TComFlowControl> FFlowControl;
    TSyncMethod FSyncMethod = smThreadSync;
    TStoredProps FStoredProps{spBasic};
    std::uint32_t FCodePage = 0;
    // Thread running the event routine now, 0 when none: closing from
    // there would wait for ourselves.
    std::atomic<TThreadID> FDispatchThread{0};
    // Cleared when the port is freed, so that an event routine whose
    // handler freed it stops touching it.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TComPort : public TCustomComPort {
public:
    using TCustomComPort::TCustomComPort;
};
