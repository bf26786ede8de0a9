#include "serial/ComPort.h"

#include <algorithm>
#include <exception>

#include "exclog/core/EHook.h"
#include "rtl/IniFile.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedProperties.h"
#include "serial/ComSettingsText.h"
#include "serial/ComThread.h"
#include "serial/EComPort.h"

using namespace comm;

namespace {

bool WriteFileCall(std::intptr_t Handle, const void* Buffer, std::uint32_t Count, std::uint32_t* Written,
                   void* Overlapped)
{
    return comm::WriteFile(Handle, Buffer, Count, Written, static_cast<OVERLAPPED*>(Overlapped));
}

// Published properties, in declared order, with their streaming defaults.
const bool Registered = [] {
    RegisterPublishedClass<TComBuffer>(
        "TComBuffer", TPropertyListBuilder<TComBuffer>()
                          .Integer("InputSize", &TComBuffer::InputSize, &TComBuffer::SetInputSize, 1024)
                          .Integer("OutputSize", &TComBuffer::OutputSize, &TComBuffer::SetOutputSize, 1024)
                          .Take());
    RegisterPublishedClass<TComParity>(
        "TComParity", TPropertyListBuilder<TComParity>()
                          .Enumeration("Bits", "TParityBits", {"prNone", "prOdd", "prEven", "prMark", "prSpace"},
                                       &TComParity::Bits, &TComParity::SetBits, prNone)
                          .Boolean("Check", &TComParity::Check, &TComParity::SetCheck, false)
                          .Boolean("Replace", &TComParity::Replace, &TComParity::SetReplace, false)
                          .Char("ReplaceChar", &TComParity::ReplaceChar, &TComParity::SetReplaceChar, 0)
                          .Take());
    using TO = TComTimeouts;
    RegisterPublishedClass<TComTimeouts>(
        "TComTimeouts",
        TPropertyListBuilder<TO>()
            .Integer("ReadInterval", &TO::ReadInterval, &TO::SetReadInterval, -1)
            .Integer("ReadTotalMultiplier", &TO::ReadTotalMultiplier, &TO::SetReadTotalMultiplier, 0)
            .Integer("ReadTotalConstant", &TO::ReadTotalConstant, &TO::SetReadTotalConstant, 0)
            .Integer("WriteTotalMultiplier", &TO::WriteTotalMultiplier, &TO::SetWriteTotalMultiplier, 100)
            .Integer("WriteTotalConstant", &TO::WriteTotalConstant, &TO::SetWriteTotalConstant, 1000)
            .Take());
    using TF = TComFlowControl;
    RegisterPublishedClass<TComFlowControl>(
        "TComFlowControl",
        TPropertyListBuilder<TF>()
            .Boolean("OutCTSFlow", &TF::OutCTSFlow, &TF::SetOutCTSFlow, false)
            .Boolean("OutDSRFlow", &TF::OutDSRFlow, &TF::SetOutDSRFlow, false)
            .Enumeration("ControlDTR", "TDTRFlowControl", {"dtrDisable", "dtrEnable", "dtrHandshake"}, &TF::ControlDTR,
                         &TF::SetControlDTR, dtrDisable)
            .Enumeration("ControlRTS", "TRTSFlowControl", {"rtsDisable", "rtsEnable", "rtsHandshake", "rtsToggle"},
                         &TF::ControlRTS, &TF::SetControlRTS, rtsDisable)
            .Boolean("XonXoffOut", &TF::XonXoffOut, &TF::SetXonXoffOut, false)
            .Boolean("XonXoffIn", &TF::XonXoffIn, &TF::SetXonXoffIn, false)
            .Boolean("DSRSensitivity", &TF::DSRSensitivity, &TF::SetDSRSensitivity, false)
            .Boolean("TxContinueOnXoff", &TF::TxContinueOnXoff, &TF::SetTxContinueOnXoff, false)
            .Char("XonChar", &TF::XonChar, &TF::SetXonChar, 17)
            .Char("XoffChar", &TF::XoffChar, &TF::SetXoffChar, 19)
            .Enumeration("FlowControl", "TFlowControl", {"fcHardware", "fcSoftware", "fcNone", "fcCustom"},
                         &TF::FlowControl, &TF::SetFlowControl)
            .Stored([](const TF&) { return false; })
            .Take());
    using T = TComPort;
    TPropertyListBuilder<T> b;
    b.String("Name", &T::GetName, &T::SetName)
        .Integer("Tag", &T::Tag, &T::Tag, 0)
        .Boolean("Connected", &T::Connected, &T::SetConnected, false)
        .Enumeration("BaudRate", "TBaudRate",
                     {"brCustom", "br110", "br300", "br600", "br1200", "br2400", "br4800", "br9600", "br14400",
                      "br19200", "br38400", "br56000", "br57600", "br115200", "br128000", "br256000"},
                     &T::BaudRate, &T::SetBaudRate)
        .String("Port", &T::Port, &T::SetPort)
        .Object("Parity", "TComParity", &T::Parity)
        .Enumeration("StopBits", "TStopBits", {"sbOneStopBit", "sbOne5StopBits", "sbTwoStopBits"}, &T::StopBits,
                     &T::SetStopBits)
        .Enumeration("DataBits", "TDataBits", {"dbFive", "dbSix", "dbSeven", "dbEight"}, &T::DataBits, &T::SetDataBits)
        .Boolean("DiscardNull", &T::DiscardNull, &T::SetDiscardNull, false)
        .Char("EventChar", &T::EventChar, &T::SetEventChar, 0)
        .Set(
            "Events", "TComEvents",
            {"evRxChar", "evTxEmpty", "evRxFlag", "evRing", "evBreak", "evCTS", "evDSR", "evError", "evRLSD",
             "evRx80Full"},
            [](const T& p) { return p.Events().Bits(); },
            [](T& p, std::int64_t v) { p.SetEvents(TComEvents::FromBits(std::uint32_t(v))); })
        .Object("Buffer", "TComBuffer", &T::Buffer)
        .Object("FlowControl", "TComFlowControl", &T::FlowControl)
        .Object("Timeouts", "TComTimeouts", &T::Timeouts)
        .Set(
            "StoredProps", "TStoredProps",
            {"spBasic", "spFlowControl", "spBuffer", "spTimeouts", "spParity", "spOthers"},
            [](const T& p) { return p.StoredProps().Bits(); },
            [](T& p, std::int64_t v) { p.SetStoredProps(TStoredProps::FromBits(std::uint32_t(v))); })
        .Boolean("TriggersOnRxChar", &T::TriggersOnRxChar, &T::SetTriggersOnRxChar)
        .Enumeration("SyncMethod", "TSyncMethod", {"smThreadSync", "smWindowSync", "smNone"}, &T::SyncMethod,
                     &T::SetSyncMethod, smThreadSync);
    b.Method("OnAfterOpen", "TNotifyEvent", &T::OnAfterOpen);
    b.Method("OnAfterClose", "TNotifyEvent", &T::OnAfterClose);
    b.Method("OnBeforeOpen", "TNotifyEvent", &T::OnBeforeOpen);
    b.Method("OnBeforeClose", "TNotifyEvent", &T::OnBeforeClose);
    b.Method("OnRxChar", "TRxCharEvent", &T::OnRxChar);
    b.Method("OnRxBuf", "TRxBufEvent", &T::OnRxBuf);
    b.Method("OnTxEmpty", "TNotifyEvent", &T::OnTxEmpty);
    b.Method("OnBreak", "TNotifyEvent", &T::OnBreak);
    b.Method("OnRing", "TNotifyEvent", &T::OnRing);
    b.Method("OnCTSChange", "TComSignalEvent", &T::OnCTSChange);
    b.Method("OnDSRChange", "TComSignalEvent", &T::OnDSRChange);
    b.Method("OnRLSDChange", "TComSignalEvent", &T::OnRLSDChange);
    b.Method("OnRxFlag", "TNotifyEvent", &T::OnRxFlag);
    b.Method("OnError", "TComErrorEvent", &T::OnError);
    b.Method("OnRx80Full", "TNotifyEvent", &T::OnRx80Full);
    b.Method("OnException", "TComExceptionEvent", &T::OnException);
    b.Integer("CodePage", &T::CodePage, &T::SetCodePage, 0);
    RegisterPublishedClass<TComPort>("TComPort", b.Take());
    return true;
}();

const DWORD BaudRates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                           14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};

}  // namespace

void InitAsync(PAsync& AsyncPtr)
{
    AsyncPtr = new TAsync;
    AsyncPtr->Overlapped.hEvent = CreateEvent(true, true);
}

void DoneAsync(PAsync& AsyncPtr)
{
    if (!AsyncPtr)
        return;
    CloseHandle(AsyncPtr->Overlapped.hEvent);
    delete AsyncPtr;
    AsyncPtr = nullptr;
}

TCustomComPort::TCustomComPort(TComponent* AOwner)
    : TComponent(AOwner),
      FBuffer(std::make_unique<TComBuffer>()),
      FParity(std::make_unique<TComParity>()),
      FTimeouts(std::make_unique<TComTimeouts>()),
      FFlowControl(std::make_unique<TComFlowControl>())
{
    FBuffer->FOwner = this;
    FParity->FOwner = this;
    FTimeouts->FOwner = this;
    FFlowControl->FOwner = this;
}

TCustomComPort::~TCustomComPort()
{
    if (FDispatchThread.load() == GetCurrentThreadId()) {
        // Freed by its own event handler: the event thread is waiting for
        // that handler and cannot be waited for; it ends by itself.
        *FAlive = false;
        if (FEventThread)
            FEventThread.release()->Abandon();
        FThreadCreated = false;
    } else {
        try {
            Close();
        } catch (...) {
            // A destructor reports nothing; Close has finished every step.
        }
    }
    *FAlive = false;
    FEventThread.reset();
    DestroyHandle();
    FConnected = false;
}

bool TCustomComPort::CanApply() const
{
    return FConnected && !(ComponentState() & (csDesigning | csLoading));
}

void TCustomComPort::CallException(int Number, std::int64_t WinError)
{
    if (OnException) {
        std::string winMessage;
        if (WinError > 0) {
            auto code = static_cast<DWORD>(WinError);
            winMessage = Format("System Error.  Code: %d.  %s", static_cast<long long>(code), SysErrorMessage(code));
        }
        OnException(this, static_cast<TComExceptions>(Number - 1), ComErrorMessage(Number), WinError, winMessage);
        return;
    }
    if (WinError > 0)
        throw EComPort(Number, static_cast<int>(static_cast<std::uint32_t>(WinError)));
    throw EComPort(Number);
}

// --- Opening and closing ----------------------------------------------------

void TCustomComPort::Open()
{
    if (FConnected || (ComponentState() & csDesigning))
        return;
    DoBeforeOpen();
    if (!CreateHandle())
        return;
    FConnected = true;
    auto rollBack = [this] {
        FEventThread.reset();
        FThreadCreated = false;
        DestroyHandle();
        FConnected = false;
    };
    try {
        if (!SetupComPort()) {
            rollBack();
            return;
        }
        FRxBatch = 1;  // a newly opened device reports every arrival
        ApplyRxBatch();
        FThreadCreated = false;
        if (!FEvents.Empty()) {
            FEventThread = std::make_unique<TComThread>(static_cast<TComEventTarget*>(this), FHandle, FSyncMethod,
                                                        FEvents, FEventThreadPriority);
            FThreadCreated = true;
        }
    } catch (...) {
        rollBack();
        throw;
    }
    auto alive = FAlive;
    if (!ForEachLink([this](TComLink* l) {
            if (l->OnConnChange)
                l->OnConnChange(this, true);
        }))
        return;
    DoAfterOpen();
    if (!*alive)
        return;
    ReportModemLines();
}

void TCustomComPort::ReportModemLines()
{
    auto alive = FAlive;
    CallCTSChange();
    if (*alive)
        CallDSRChange();
    if (*alive)
        CallRLSDChange();
}

void TCustomComPort::Close()
{
    if (!FConnected || (ComponentState() & csDesigning))
        return;
    if (FSyncMethod != smWindowSync && FDispatchThread.load() == GetCurrentThreadId())
        throw EThread("Cannot close the port from inside its own event handler");

    std::exception_ptr first;
    auto step = [&first](auto&& Action) {
        try {
            Action();
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    };
    step([this] {
        ForEachLink([this](TComLink* l) {
            if (l->OnCTSChange)
                l->OnCTSChange(this, false);
            if (l->OnDSRChange)
                l->OnDSRChange(this, false);
            if (l->OnRLSDChange)
                l->OnRLSDChange(this, false);
        });
    });
    step([this] { DoCTSChange(false); });
    step([this] { DoDSRChange(false); });
    step([this] { DoRLSDChange(false); });
    step([this] { DoBeforeClose(); });
    DWORD purgeError = 0;
    if (!PurgeComm(FHandle, PURGE_TXABORT | PURGE_RXABORT))
        purgeError = GetLastError();
    step([this] {
        FEventThread.reset();
        FThreadCreated = false;
    });
    DestroyHandle();
    FConnected = false;
    step([this] {
        ForEachLink([this](TComLink* l) {
            if (l->OnConnChange)
                l->OnConnChange(this, false);
        });
    });
    step([this] { DoAfterClose(); });
    if (purgeError)
        step([this, purgeError] { CallException(5, purgeError); });
    if (first)
        std::rethrow_exception(first);
}

void TCustomComPort::SetConnected(bool Value)
{
    if (ComponentState() & (csDesigning | csLoading)) {
        FConnected = Value;
        return;
    }
    if (Value)
        Open();
    else
        Close();
}

void TCustomComPort::Loaded()
{
    TComponent::Loaded();
    if (FConnected && !(ComponentState() & csDesigning)) {
        FConnected = false;
        Open();
    }
}

bool TCustomComPort::CreateHandle()
{
    FHandle = CreateFile(FPort);
    if (FHandle == INVALID_HANDLE_VALUE) {
        CallException(1, GetLastError());
        return false;
    }
    return true;
}

void TCustomComPort::DestroyHandle()
{
    if (FHandle == INVALID_HANDLE_VALUE)
        return;
    // Marked closed whatever the result: a handle is never closed twice.
    CloseHandle(FHandle);
    FHandle = INVALID_HANDLE_VALUE;
}

bool TCustomComPort::SetupComPort()
{
    return ApplyBuffer() && ApplyDCB() && ApplyTimeouts();
}

// --- Settings -----------------------------------------------------------------

bool TCustomComPort::ApplyDCB()
{
    if (!CanApply())
        return true;
    if (FBaudRate == brCustom && FCustomBaudRate <= 0) {
        CallException(7, ERROR_INVALID_PARAMETER);
        return false;
    }
    DCB dcb;
    dcb.DCBlength = 28;
    dcb.Flags = fBinary;
    int limit = std::clamp(FBuffer->InputSize() / 4, 0, 0xFFFF);
    dcb.XonLim = dcb.XoffLim = static_cast<std::uint16_t>(limit);
    dcb.EvtChar = FEventChar;
    if (FDiscardNull)
        dcb.Flags |= fNull;
    const TComFlowControl& f = *FFlowControl;
    dcb.XonChar = f.XonChar();
    dcb.XoffChar = f.XoffChar();
    if (f.OutCTSFlow())
        dcb.Flags |= fOutxCtsFlow;
    if (f.OutDSRFlow())
        dcb.Flags |= fOutxDsrFlow;
    static const DWORD dtrBits[] = {0, DTR_CONTROL_ENABLE, DTR_CONTROL_HANDSHAKE};
    static const DWORD rtsBits[] = {0, RTS_CONTROL_ENABLE, RTS_CONTROL_HANDSHAKE, RTS_CONTROL_TOGGLE};
    dcb.Flags |= dtrBits[f.ControlDTR()] | rtsBits[f.ControlRTS()];
    if (f.XonXoffOut())
        dcb.Flags |= fOutX;
    if (f.XonXoffIn())
        dcb.Flags |= fInX;
    if (f.DSRSensitivity())
        dcb.Flags |= fDsrSensitivity;
    if (f.TxContinueOnXoff())
        dcb.Flags |= fTXContinueOnXoff;
    dcb.Parity = static_cast<std::uint8_t>(FParity->Bits());
    dcb.StopBits = static_cast<std::uint8_t>(FStopBits);
    dcb.ByteSize = static_cast<std::uint8_t>(5 + FDataBits);
    dcb.BaudRate = FBaudRate == brCustom ? static_cast<DWORD>(FCustomBaudRate) : BaudRates[FBaudRate];
    if (FParity->Check()) {
        dcb.Flags |= fParity;
        if (FParity->Replace()) {
            dcb.Flags |= fErrorChar;
            dcb.ErrorChar = FParity->ReplaceChar();
        }
    }
    if (!SetCommState(FHandle, dcb)) {
        CallException(7, GetLastError());
        return false;
    }
    return true;
}

bool TCustomComPort::ApplyTimeouts()
{
    if (!CanApply())
        return true;
    COMMTIMEOUTS t;
    t.ReadIntervalTimeout = static_cast<DWORD>(FTimeouts->ReadInterval());
    t.ReadTotalTimeoutMultiplier = static_cast<DWORD>(FTimeouts->ReadTotalMultiplier());
    t.ReadTotalTimeoutConstant = static_cast<DWORD>(FTimeouts->ReadTotalConstant());
    t.WriteTotalTimeoutMultiplier = static_cast<DWORD>(FTimeouts->WriteTotalMultiplier());
    t.WriteTotalTimeoutConstant = static_cast<DWORD>(FTimeouts->WriteTotalConstant());
    if (!SetCommTimeouts(FHandle, t)) {
        CallException(8, GetLastError());
        return false;
    }
    return true;
}

bool TCustomComPort::ApplyBuffer()
{
    if (!CanApply())
        return true;
    if (FBuffer->InputSize() < 2 || FBuffer->OutputSize() < 2) {
        CallException(9, ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!SetupComm(FHandle, static_cast<DWORD>(FBuffer->InputSize()), static_cast<DWORD>(FBuffer->OutputSize()))) {
        CallException(9, GetLastError());
        return false;
    }
    return true;
}

void TCustomComPort::SetBaudRate(TBaudRate Value)
{
    if (FBaudRate == Value)
        return;
    FBaudRate = Value;
    ApplyDCB();
}

void TCustomComPort::SetCustomBaudRate(int Value)
{
    if (FCustomBaudRate == Value)
        return;
    FCustomBaudRate = Value;
    ApplyDCB();
}

void TCustomComPort::SetPort(const std::string& Value)
{
    if (FPort == Value)
        return;
    FPort = Value;
    if (FConnected && !(ComponentState() & (csDesigning | csLoading))) {
        Close();
        Open();
    }
}

void TCustomComPort::SetStopBits(TStopBits Value)
{
    if (FStopBits == Value)
        return;
    FStopBits = Value;
    ApplyDCB();
}

void TCustomComPort::SetDataBits(TDataBits Value)
{
    if (FDataBits == Value)
        return;
    FDataBits = Value;
    ApplyDCB();
}

void TCustomComPort::SetDiscardNull(bool Value)
{
    if (FDiscardNull == Value)
        return;
    FDiscardNull = Value;
    ApplyDCB();
}

void TCustomComPort::SetEventChar(char Value)
{
    if (FEventChar == Value)
        return;
    FEventChar = Value;
    ApplyDCB();
}

void TCustomComPort::SetBuffer(const TComBuffer* Value)
{
    FBuffer->Assign(Value);
    ApplyBuffer();
}

void TCustomComPort::SetParity(const TComParity* Value)
{
    FParity->Assign(Value);
    ApplyDCB();
}

void TCustomComPort::SetTimeouts(const TComTimeouts* Value)
{
    FTimeouts->Assign(Value);
    ApplyTimeouts();
}

void TCustomComPort::SetFlowControl(const TComFlowControl* Value)
{
    FFlowControl->Assign(Value);
    ApplyDCB();
}

void TCustomComPort::SetSyncMethod(TSyncMethod Value)
{
    if (Value == FSyncMethod)
        return;
    if (FConnected) {
        CallException(14);
        return;
    }
    FSyncMethod = Value;
}

void TCustomComPort::SetTriggersOnRxChar(bool Value)
{
    if (FHasLink) {
        CallException(22);
        return;
    }
    FTriggersOnRxChar = Value;
}

// --- Reading and writing --------------------------------------------------------

bool TCustomComPort::StartWrite(const void* Buffer, int Count, PAsync AsyncPtr, int& Done)
{
    Done = 0;
    if (!AsyncPtr) {
        CallException(4);
        return false;
    }
    if (FHandle == INVALID_HANDLE_VALUE) {
        CallException(24, -24);
        return false;
    }
    if (Count < 0 || (!Buffer && Count > 0)) {
        CallException(2, ERROR_INVALID_PARAMETER);
        return false;
    }
    AsyncPtr->Kind = okWrite;
    auto* bytes = static_cast<const std::uint8_t*>(Buffer);
    AsyncPtr->Data.assign(bytes, bytes + Count);
    AsyncPtr->HasData = true;
    DWORD written = 0;
    if (!ExcLogWriteFile(&WriteFileCall, FHandle, Buffer, static_cast<DWORD>(Count), &written, &AsyncPtr->Overlapped)) {
        DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) {
            CallException(2, error);
            return false;
        }
    } else {
        Done = static_cast<int>(written);
    }
    ForEachLink([this](TComLink* l) {
        if (l->OnTxActivity)
            l->OnTxActivity(this, true);
    });
    return true;
}

bool TCustomComPort::StartRead(void* Buffer, int Count, PAsync AsyncPtr, int& Done)
{
    Done = 0;
    if (!AsyncPtr) {
        CallException(4);
        return false;
    }
    AsyncPtr->Kind = okRead;
    AsyncPtr->Data.clear();
    AsyncPtr->HasData = false;
    if (FHandle == INVALID_HANDLE_VALUE) {
        CallException(24, -24);
        return false;
    }
    if (Count < 0 || (!Buffer && Count > 0)) {
        CallException(3, ERROR_INVALID_PARAMETER);
        return false;
    }
    DWORD read = 0;
    if (!ReadFile(FHandle, Buffer, static_cast<DWORD>(Count), &read, &AsyncPtr->Overlapped)) {
        DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) {
            CallException(3, error);
            return false;
        }
    } else {
        Done = static_cast<int>(read);
    }
    return true;
}

bool TCustomComPort::FinishAsync(PAsync AsyncPtr, int& Done)
{
    Done = 0;
    if (!AsyncPtr) {
        CallException(4);
        return false;
    }
    DWORD transferred = 0;
    bool ok = WaitForSingleObject(AsyncPtr->Overlapped.hEvent, INFINITE) == WAIT_OBJECT_0 &&
              GetOverlappedResult(FHandle, &AsyncPtr->Overlapped, &transferred, false);
    Done = static_cast<int>(transferred);
    if (!ok) {
        CallException(AsyncPtr->Kind == okWrite ? 2 : 3, GetLastError());
        return false;
    }
    if (AsyncPtr->Kind == okRead) {
        if (InputCount() == 0)
            ForEachLink([this](TComLink* l) {
                if (l->OnRxActivity)
                    l->OnRxActivity(this, false);
            });
    } else if (AsyncPtr->HasData && transferred > 0) {
        // Only what was really written goes to the links.
        ForEachLink([this, AsyncPtr, transferred](TComLink* l) {
            if (l->OnTxBuf)
                l->OnTxBuf(this, AsyncPtr->Data.data(), static_cast<int>(transferred));
        });
    }
    return true;
}

int TCustomComPort::Write(const void* Buffer, int Count)
{
    PAsync async = nullptr;
    InitAsync(async);
    int done = 0;
    try {
        if (StartWrite(Buffer, Count, async, done))
            FinishAsync(async, done);
    } catch (...) {
        DoneAsync(async);
        throw;
    }
    DoneAsync(async);
    return done;
}

int TCustomComPort::Read(void* Buffer, int Count)
{
    PAsync async = nullptr;
    InitAsync(async);
    int done = 0;
    try {
        if (StartRead(Buffer, Count, async, done))
            FinishAsync(async, done);
    } catch (...) {
        DoneAsync(async);
        throw;
    }
    DoneAsync(async);
    return done;
}

int TCustomComPort::WriteAsync(const void* Buffer, int Count, PAsync& AsyncPtr)
{
    int done = 0;
    StartWrite(Buffer, Count, AsyncPtr, done);
    return done;
}

int TCustomComPort::ReadAsync(void* Buffer, int Count, PAsync& AsyncPtr)
{
    int done = 0;
    StartRead(Buffer, Count, AsyncPtr, done);
    return done;
}

int TCustomComPort::WaitForAsync(PAsync& AsyncPtr)
{
    int done = 0;
    FinishAsync(AsyncPtr, done);
    return done;
}

int TCustomComPort::InputCount()
{
    DWORD errors = 0;
    COMSTAT stat;
    if (!ClearCommError(FHandle, &errors, &stat)) {
        CallException(10, GetLastError());
        return 0;
    }
    return static_cast<int>(stat.cbInQue);
}

TComSignals TCustomComPort::ModemSignals()
{
    DWORD status = 0;
    if (!GetCommModemStatus(FHandle, &status)) {
        CallException(11, GetLastError());
        return {};
    }
    TComSignals signals;
    if (status & MS_CTS_ON)
        signals.Include(csCTS);
    if (status & MS_DSR_ON)
        signals.Include(csDSR);
    if (status & MS_RING_ON)
        signals.Include(csRing);
    if (status & MS_RLSD_ON)
        signals.Include(csRLSD);
    return signals;
}

TComErrors TCustomComPort::LastErrors()
{
    DWORD flags = 0;
    COMSTAT stat;
    if (!ClearCommError(FHandle, &flags, &stat)) {
        CallException(10, GetLastError());
        return {};
    }
    TComErrors errors;
    if (flags & CE_FRAME)
        errors.Include(ceFrame);
    if ((flags & CE_RXPARITY) && FParity->Check())
        errors.Include(ceRxParity);
    if (flags & CE_OVERRUN)
        errors.Include(ceOverrun);
    if (flags & CE_RXOVER)
        errors.Include(ceRxOver);
    if (flags & CE_TXFULL)
        errors.Include(ceTxFull);
    if (flags & CE_BREAK)
        errors.Include(ceBreak);
    if (flags & CE_IOE)
        errors.Include(ceIO);
    if (flags & CE_MODE)
        errors.Include(ceMode);
    return errors;
}

void TCustomComPort::AbortAllAsync()
{
    if (!PurgeComm(FHandle, PURGE_TXABORT | PURGE_RXABORT))
        CallException(5, GetLastError());
}

// --- Links ------------------------------------------------------------------------

template <class F> bool TCustomComPort::ForEachLink(F Call)
{
    auto alive = FAlive;
    const std::vector<TComLink*> links = FLinks;
    for (TComLink* link : links) {
        Call(link);
        if (!*alive)
            return false;
    }
    return true;
}

void TCustomComPort::UpdateHasLink()
{
    FHasLink = std::any_of(FLinks.begin(), FLinks.end(), [](TComLink* l) { return bool(l->OnRxBuf); });
}

void TCustomComPort::RegisterLink(TComLink* Link)
{
    if (!Link || std::find(FLinks.begin(), FLinks.end(), Link) != FLinks.end()) {
        CallException(18);
        return;
    }
    FLinks.push_back(Link);
    UpdateHasLink();
    ApplyRxBatch();
}

void TCustomComPort::UnregisterLink(TComLink* Link)
{
    auto it = std::find(FLinks.begin(), FLinks.end(), Link);
    if (it == FLinks.end()) {
        CallException(18);
        return;
    }
    FLinks.erase(it);
    FRxWanted.erase(Link);
    UpdateHasLink();
    ApplyRxBatch();
}

void TCustomComPort::SetRxWanted(TComLink* Link, int Count)
{
    FRxWanted[Link] = std::max(Count, 1);
    ApplyRxBatch();
}

void TCustomComPort::ApplyRxBatch()
{
    int batch = 0;
    for (TComLink* link : FLinks) {
        if (!link->OnRxBuf)
            continue;
        auto wanted = FRxWanted.find(link);
        const int count = wanted == FRxWanted.end() ? 1 : wanted->second;
        batch = batch == 0 ? count : std::min(batch, count);
    }
    batch = std::max(batch, 1);
    // Only a hint: a device that refuses it reports every arrival.
    if (FHandle != INVALID_HANDLE_VALUE && batch != FRxBatch && SetCommRxBatch(FHandle, static_cast<DWORD>(batch)))
        FRxBatch = batch;
}

// --- Event delivery -----------------------------------------------------------------

void TCustomComPort::DispatchEvents(TComEvents Events)
{
    auto alive = FAlive;
    TThreadID previous = FDispatchThread.exchange(GetCurrentThreadId());
    struct Restore {
        const std::shared_ptr<bool>& Alive;
        std::atomic<TThreadID>& Marker;
        TThreadID Previous;
        ~Restore()
        {
            if (*Alive)
                Marker.store(Previous);
        }
    } restore{alive, FDispatchThread, previous};

    using Operation = void (TCustomComPort::*)();
    static const std::pair<TComEvent, Operation> order[] = {
        {evError, &TCustomComPort::CallError},     {evRxChar, &TCustomComPort::CallRxChar},
        {evTxEmpty, &TCustomComPort::CallTxEmpty}, {evBreak, &TCustomComPort::CallBreak},
        {evRing, &TCustomComPort::CallRing},       {evCTS, &TCustomComPort::CallCTSChange},
        {evDSR, &TCustomComPort::CallDSRChange},   {evRxFlag, &TCustomComPort::CallRxFlag},
        {evRLSD, &TCustomComPort::CallRLSDChange}, {evRx80Full, &TCustomComPort::CallRx80Full},
    };
    for (const auto& [event, operation] : order) {
        if (!Events.Contains(event))
            continue;
        (this->*operation)();
        if (!*alive)
            return;
    }
}

std::intptr_t TCustomComPort::WindowMethod(std::uint32_t Msg, std::uintptr_t WParam, std::intptr_t LParam)
{
    (void)LParam;
    if (Msg != CM_COMPORT_EVENT || !FConnected)
        return 0;
    switch (WParam) {
    case EV_RXCHAR: CallRxChar(); break;
    case EV_RXFLAG: CallRxFlag(); break;
    case EV_TXEMPTY: CallTxEmpty(); break;
    case EV_CTS: CallCTSChange(); break;
    case EV_DSR: CallDSRChange(); break;
    case EV_RLSD: CallRLSDChange(); break;
    case EV_BREAK: CallBreak(); break;
    case EV_ERR: CallError(); break;
    case EV_RING: CallRing(); break;
    case EV_RX80FULL: CallRx80Full(); break;
    default: break;
    }
    return 0;
}

void TCustomComPort::CallRxChar()
{
    auto alive = FAlive;
    int count = InputCount();
    if (!*alive || count <= 0)
        return;
    if (!ForEachLink([this](TComLink* l) {
            if (l->OnRxActivity)
                l->OnRxActivity(this, true);
        }))
        return;
    if (!EffectiveTriggersOnRxChar()) {
        std::vector<std::uint8_t> buffer;
        int got = 0;
        bool read = false;
        auto readOnce = [&] {
            buffer.resize(static_cast<size_t>(count));
            got = Read(buffer.data(), count);
            read = true;
            if (*alive && got > 0)
                DoRxBuf(buffer.data(), got);
        };
        const std::vector<TComLink*> links = FLinks;
        for (TComLink* link : links) {
            if (!link->OnRxBuf)
                continue;
            if (!read)
                readOnce();
            if (!*alive)
                return;
            // Only the bytes really read reach the links.
            if (got > 0)
                link->OnRxBuf(this, buffer.data(), got);
            if (!*alive)
                return;
        }
        if (!read && !FTriggersOnRxChar)
            readOnce();
        if (!*alive || read)
            return;
    }
    DoRxChar(count);
}

void TCustomComPort::CallTxEmpty()
{
    if (!ForEachLink([this](TComLink* l) {
            if (l->OnTxActivity)
                l->OnTxActivity(this, false);
        }))
        return;
    if (!ForEachLink([this](TComLink* l) {
            if (l->OnTxEmpty)
                l->OnTxEmpty(this);
        }))
        return;
    DoTxEmpty();
}

void TCustomComPort::CallBreak()
{
    DoBreak();
}

void TCustomComPort::CallRing()
{
    if (ForEachLink([this](TComLink* l) {
            if (l->OnRing)
                l->OnRing(this);
        }))
        DoRing();
}

void TCustomComPort::CallRxFlag()
{
    if (ForEachLink([this](TComLink* l) {
            if (l->OnRxFlag)
                l->OnRxFlag(this);
        }))
        DoRxFlag();
}

void TCustomComPort::CallSignalChange(TComSignal Signal, TComSignalEvent TComLink::*LinkEvent,
                                      void (TCustomComPort::*Do)(bool))
{
    auto alive = FAlive;
    bool on = ModemSignals().Contains(Signal);
    if (*alive && ForEachLink([this, on, LinkEvent](TComLink* l) {
            if (l->*LinkEvent)
                (l->*LinkEvent)(this, on);
        }))
        (this->*Do)(on);
}

void TCustomComPort::CallCTSChange()
{
    CallSignalChange(csCTS, &TComLink::OnCTSChange, &TCustomComPort::DoCTSChange);
}
void TCustomComPort::CallDSRChange()
{
    CallSignalChange(csDSR, &TComLink::OnDSRChange, &TCustomComPort::DoDSRChange);
}

void TCustomComPort::CallRLSDChange()
{
    CallSignalChange(csRLSD, &TComLink::OnRLSDChange, &TCustomComPort::DoRLSDChange);
}

void TCustomComPort::CallError()
{
    auto alive = FAlive;
    TComErrors errors = LastErrors();
    if (*alive && !errors.Empty())
        DoError(errors);
}

void TCustomComPort::CallRx80Full()
{
    DoRx80Full();
}

// --- Handlers ---------------------------------------------------------------------
// Each handler runs from a copy, so one that frees the port can finish.

void TCustomComPort::DoBeforeOpen()
{
    if (auto handler = OnBeforeOpen)
        handler(this);
}

void TCustomComPort::DoAfterOpen()
{
    if (auto handler = OnAfterOpen)
        handler(this);
}

void TCustomComPort::DoBeforeClose()
{
    if (auto handler = OnBeforeClose)
        handler(this);
}

void TCustomComPort::DoAfterClose()
{
    if (auto handler = OnAfterClose)
        handler(this);
}

void TCustomComPort::DoRxChar(int Count)
{
    if (auto handler = OnRxChar)
        handler(this, Count);
}

void TCustomComPort::DoRxBuf(const void* Buffer, int Count)
{
    if (auto handler = OnRxBuf)
        handler(this, Buffer, Count);
}

void TCustomComPort::DoTxEmpty()
{
    if (auto handler = OnTxEmpty)
        handler(this);
}

void TCustomComPort::DoBreak()
{
    if (auto handler = OnBreak)
        handler(this);
}

void TCustomComPort::DoRing()
{
    if (auto handler = OnRing)
        handler(this);
}

void TCustomComPort::DoRxFlag()
{
    if (auto handler = OnRxFlag)
        handler(this);
}

void TCustomComPort::DoCTSChange(bool OnOff)
{
    if (auto handler = OnCTSChange)
        handler(this, OnOff);
}

void TCustomComPort::DoDSRChange(bool OnOff)
{
    if (auto handler = OnDSRChange)
        handler(this, OnOff);
}

void TCustomComPort::DoRLSDChange(bool OnOff)
{
    if (auto handler = OnRLSDChange)
        handler(this, OnOff);
}

void TCustomComPort::DoError(TComErrors Errors)
{
    if (auto handler = OnError)
        handler(this, Errors);
}

void TCustomComPort::DoRx80Full()
{
    if (auto handler = OnRx80Full)
        handler(this);
}

// --- Settings storage ---------------------------------------------------------------

void TCustomComPort::StoreIniFile(TIniFile* IniFile)
{
    const std::string section = GetName();
    auto text = [&](const char* Key, const std::string& Value) { IniFile->WriteString(section, Key, Value); };
    auto number = [&](const char* Key, int Value) { IniFile->WriteInteger(section, Key, Value); };
    const TComFlowControl& f = *FFlowControl;
    if (FStoredProps.Contains(spBasic)) {
        text("Port", FPort);
        text("BaudRate", BaudRateToStr(FBaudRate));
        if (FBaudRate == brCustom)
            number("CustomBaudRate", FCustomBaudRate);
        text("StopBits", StopBitsToStr(FStopBits));
        text("DataBits", DataBitsToStr(FDataBits));
        text("Parity", ParityToStr(FParity->Bits()));
        text("FlowControl", FlowControlToStr(f.FlowControl()));
    }
    if (FStoredProps.Contains(spOthers)) {
        text("EventChar", ComCharToStr(FEventChar));
        text("DiscardNull", ComBoolToStr(FDiscardNull));
    }
    if (FStoredProps.Contains(spParity)) {
        text("Parity.Check", ComBoolToStr(FParity->Check()));
        text("Parity.Replace", ComBoolToStr(FParity->Replace()));
        text("Parity.ReplaceChar", ComCharToStr(FParity->ReplaceChar()));
    }
    if (FStoredProps.Contains(spBuffer)) {
        number("Buffer.OutputSize", FBuffer->OutputSize());
        number("Buffer.InputSize", FBuffer->InputSize());
    }
    if (FStoredProps.Contains(spTimeouts)) {
        number("Timeouts.ReadInterval", FTimeouts->ReadInterval());
        number("Timeouts.ReadTotalConstant", FTimeouts->ReadTotalConstant());
        number("Timeouts.ReadTotalMultiplier", FTimeouts->ReadTotalMultiplier());
        number("Timeouts.WriteTotalConstant", FTimeouts->WriteTotalConstant());
        number("Timeouts.WriteTotalMultiplier", FTimeouts->WriteTotalMultiplier());
    }
    if (FStoredProps.Contains(spFlowControl)) {
        text("FlowControl.ControlRTS", RTSToStr(f.ControlRTS()));
        text("FlowControl.ControlDTR", DTRToStr(f.ControlDTR()));
        text("FlowControl.DSRSensitivity", ComBoolToStr(f.DSRSensitivity()));
        text("FlowControl.OutCTSFlow", ComBoolToStr(f.OutCTSFlow()));
        text("FlowControl.OutDSRFlow", ComBoolToStr(f.OutDSRFlow()));
        text("FlowControl.TxContinueOnXoff", ComBoolToStr(f.TxContinueOnXoff()));
        text("FlowControl.XonXoffIn", ComBoolToStr(f.XonXoffIn()));
        text("FlowControl.XonXoffOut", ComBoolToStr(f.XonXoffOut()));
        text("FlowControl.XoffChar", ComCharToStr(f.XoffChar()));
        text("FlowControl.XonChar", ComCharToStr(f.XonChar()));
    }
}

void TCustomComPort::LoadIniFile(TIniFile* IniFile)
{
    const std::string section = GetName();
    auto text = [&](const char* Key, const std::string& Default) { return IniFile->ReadString(section, Key, Default); };
    auto number = [&](const char* Key, int Default) { return IniFile->ReadInteger(section, Key, Default); };
    TComFlowControl& f = *FFlowControl;
    if (FStoredProps.Contains(spBasic)) {
        SetPort(text("Port", FPort));
        SetBaudRate(StrToBaudRate(text("BaudRate", BaudRateToStr(FBaudRate))));
        if (FBaudRate == brCustom)
            SetCustomBaudRate(number("CustomBaudRate", 9600));
        SetStopBits(StrToStopBits(text("StopBits", StopBitsToStr(FStopBits))));
        SetDataBits(StrToDataBits(text("DataBits", DataBitsToStr(FDataBits))));
        FParity->SetBits(StrToParity(text("Parity", ParityToStr(FParity->Bits()))));
        f.SetFlowControl(StrToFlowControl(text("FlowControl", FlowControlToStr(f.FlowControl()))));
    }
    if (FStoredProps.Contains(spOthers)) {
        SetEventChar(StrToComChar(text("EventChar", ComCharToStr(FEventChar))));
        SetDiscardNull(StrToComBool(text("DiscardNull", ComBoolToStr(FDiscardNull))));
    }
    if (FStoredProps.Contains(spParity)) {
        FParity->SetCheck(StrToComBool(text("Parity.Check", ComBoolToStr(FParity->Check()))));
        FParity->SetReplace(StrToComBool(text("Parity.Replace", ComBoolToStr(FParity->Replace()))));
        FParity->SetReplaceChar(StrToComChar(text("Parity.ReplaceChar", ComCharToStr(FParity->ReplaceChar()))));
    }
    if (FStoredProps.Contains(spBuffer)) {
        FBuffer->SetOutputSize(number("Buffer.OutputSize", FBuffer->OutputSize()));
        FBuffer->SetInputSize(number("Buffer.InputSize", FBuffer->InputSize()));
    }
    if (FStoredProps.Contains(spTimeouts)) {
        TComTimeouts& t = *FTimeouts;
        t.SetReadInterval(number("Timeouts.ReadInterval", t.ReadInterval()));
        t.SetReadTotalConstant(number("Timeouts.ReadTotalConstant", t.ReadTotalConstant()));
        t.SetReadTotalMultiplier(number("Timeouts.ReadTotalMultiplier", t.ReadTotalMultiplier()));
        t.SetWriteTotalConstant(number("Timeouts.WriteTotalConstant", t.WriteTotalConstant()));
        t.SetWriteTotalMultiplier(number("Timeouts.WriteTotalMultiplier", t.WriteTotalMultiplier()));
    }
    if (FStoredProps.Contains(spFlowControl)) {
        f.SetControlRTS(StrToRTS(text("FlowControl.ControlRTS", RTSToStr(f.ControlRTS()))));
        f.SetControlDTR(StrToDTR(text("FlowControl.ControlDTR", DTRToStr(f.ControlDTR()))));
        f.SetDSRSensitivity(StrToComBool(text("FlowControl.DSRSensitivity", ComBoolToStr(f.DSRSensitivity()))));
        f.SetOutCTSFlow(StrToComBool(text("FlowControl.OutCTSFlow", ComBoolToStr(f.OutCTSFlow()))));
        f.SetOutDSRFlow(StrToComBool(text("FlowControl.OutDSRFlow", ComBoolToStr(f.OutDSRFlow()))));
        f.SetTxContinueOnXoff(StrToComBool(text("FlowControl.TxContinueOnXoff", ComBoolToStr(f.TxContinueOnXoff()))));
        f.SetXonXoffIn(StrToComBool(text("FlowControl.XonXoffIn", ComBoolToStr(f.XonXoffIn()))));
        f.SetXonXoffOut(StrToComBool(text("FlowControl.XonXoffOut", ComBoolToStr(f.XonXoffOut()))));
        f.SetXoffChar(StrToComChar(text("FlowControl.XoffChar", ComCharToStr(f.XoffChar()))));
        f.SetXonChar(StrToComChar(text("FlowControl.XonChar", ComCharToStr(f.XonChar()))));
    }
}
