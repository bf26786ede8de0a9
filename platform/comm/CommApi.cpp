#include "comm/CommApi.h"

#include <chrono>

#include "comm/CommDevice.h"
#include "comm/CommEvent.h"
#include "comm/FakeDevice.h"
#include "comm/TtyBackend.h"

namespace comm {

namespace {

std::shared_ptr<CommDevice> Device(HANDLE Handle)
{
    return HandleTable::Instance().Find<CommDevice>(Handle);
}

// Runs an overlapped request to its end for a caller that gave no block.
template <class Start> bool RunToEnd(HANDLE DeviceHandle, DWORD* Transferred, Start start)
{
    OVERLAPPED overlapped;
    overlapped.hEvent = CreateEvent(true, false);
    bool ok = start(&overlapped);
    if (!ok && GetLastError() == ERROR_IO_PENDING)
        ok = GetOverlappedResult(DeviceHandle, &overlapped, Transferred, true);
    else if (Transferred)
        *Transferred = overlapped.InternalHigh.load();
    DWORD error = GetLastError();
    CloseHandle(overlapped.hEvent);
    SetLastError(error);
    return ok;
}

}  // namespace

HANDLE CreateFile(const std::string& Name)
{
    DWORD error = 0;
    std::unique_ptr<CommBackend> backend;
    if (auto fake = FakeDevice::Find(Name))
        backend = fake->Open(error);
    else if (Name.empty())
        error = ERROR_FILE_NOT_FOUND;
    else
        backend = TtyBackend::Open(Name.front() == '/' ? Name : "/dev/" + Name, error);
    if (!backend) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    return HandleTable::Instance().Add(std::make_shared<CommDevice>(std::move(backend)));
}

bool CloseHandle(HANDLE Handle)
{
    auto object = HandleTable::Instance().Remove(Handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    object->Close();
    return true;
}

HANDLE CreateEvent(bool ManualReset, bool InitialState)
{
    return HandleTable::Instance().Add(std::make_shared<CommEvent>(ManualReset, InitialState));
}

bool SetEvent(HANDLE Event)
{
    auto event = HandleTable::Instance().Find<CommEvent>(Event);
    if (event)
        event->Set();
    return event != nullptr;
}

bool ResetEvent(HANDLE Event)
{
    auto event = HandleTable::Instance().Find<CommEvent>(Event);
    if (event)
        event->Reset();
    return event != nullptr;
}

DWORD WaitForSingleObject(HANDLE Event, DWORD Timeout)
{
    return WaitForMultipleObjects(1, &Event, Timeout);
}

DWORD WaitForMultipleObjects(DWORD Count, const HANDLE* Events, DWORD Timeout)
{
    std::vector<std::shared_ptr<CommEvent>> events;
    for (DWORD i = 0; i < Count; ++i) {
        auto event = HandleTable::Instance().Find<CommEvent>(Events[i]);
        if (!event)
            return WAIT_FAILED;
        events.push_back(std::move(event));
    }
    if (events.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    int index = CommEvent::WaitAny(events, Timeout == INFINITE, std::chrono::milliseconds(Timeout));
    return index < 0 ? WAIT_TIMEOUT : WAIT_OBJECT_0 + static_cast<DWORD>(index);
}

bool SetupComm(HANDLE Handle, DWORD InQueue, DWORD OutQueue)
{
    auto device = Device(Handle);
    return device && device->Setup(InQueue, OutQueue);
}

bool SetCommState(HANDLE Handle, const DCB& Dcb)
{
    auto device = Device(Handle);
    return device && device->SetState(Dcb);
}

bool GetCommState(HANDLE Handle, DCB& Dcb)
{
    auto device = Device(Handle);
    return device && device->GetState(Dcb);
}

bool SetCommTimeouts(HANDLE Handle, const COMMTIMEOUTS& Timeouts)
{
    auto device = Device(Handle);
    return device && device->SetTimeouts(Timeouts);
}

bool GetCommTimeouts(HANDLE Handle, COMMTIMEOUTS& Timeouts)
{
    auto device = Device(Handle);
    return device && device->GetTimeouts(Timeouts);
}

bool SetCommMask(HANDLE Handle, DWORD Mask)
{
    auto device = Device(Handle);
    return device && device->SetMask(Mask);
}

bool WaitCommEvent(HANDLE Handle, DWORD* Mask, OVERLAPPED* Overlapped)
{
    auto device = Device(Handle);
    if (!device)
        return false;
    if (Overlapped)
        return device->WaitEvent(Mask, Overlapped);
    return RunToEnd(Handle, nullptr, [&](OVERLAPPED* o) { return device->WaitEvent(Mask, o); });
}

bool PurgeComm(HANDLE Handle, DWORD Flags)
{
    auto device = Device(Handle);
    return device && device->Purge(Flags);
}

bool ClearCommError(HANDLE Handle, DWORD* Errors, COMSTAT* Stat)
{
    auto device = Device(Handle);
    return device && device->ClearError(Errors, Stat);
}

bool GetCommModemStatus(HANDLE Handle, DWORD* Status)
{
    auto device = Device(Handle);
    return device && device->GetModemStatus(Status);
}

bool SetCommRxBatch(HANDLE Handle, DWORD Count)
{
    auto device = Device(Handle);
    return device && device->SetRxBatch(Count);
}

bool WriteFile(HANDLE Handle, const void* Buffer, DWORD Count, DWORD* Written, OVERLAPPED* Overlapped)
{
    auto device = Device(Handle);
    if (!device)
        return false;
    if (Overlapped)
        return device->Write(Buffer, Count, Written, Overlapped);
    return RunToEnd(Handle, Written, [&](OVERLAPPED* o) { return device->Write(Buffer, Count, Written, o); });
}

bool ReadFile(HANDLE Handle, void* Buffer, DWORD Count, DWORD* Read, OVERLAPPED* Overlapped)
{
    auto device = Device(Handle);
    if (!device)
        return false;
    if (Overlapped)
        return device->Read(Buffer, Count, Read, Overlapped);
    return RunToEnd(Handle, Read, [&](OVERLAPPED* o) { return device->Read(Buffer, Count, Read, o); });
}

bool GetOverlappedResult(HANDLE Handle, OVERLAPPED* Overlapped, DWORD* Transferred, bool Wait)
{
    (void)Handle;
    if (!Overlapped) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (Overlapped->Internal.load() == STATUS_PENDING) {
        if (!Wait) {
            SetLastError(ERROR_IO_INCOMPLETE);
            return false;
        }
        auto event = HandleTable::Instance().Find<CommEvent>(Overlapped->hEvent);
        if (!event)
            return false;
        while (Overlapped->Internal.load() == STATUS_PENDING)
            CommEvent::WaitAny({event}, true, std::chrono::milliseconds(0));
    }
    if (Transferred)
        *Transferred = Overlapped->InternalHigh.load();
    DWORD status = Overlapped->Internal.load();
    if (status != 0) {
        SetLastError(status);
        return false;
    }
    return true;
}

}  // namespace comm
