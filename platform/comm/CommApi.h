#pragma once
// The serial-port system calls the port component makes, with the results
// and error numbers of the Windows serial interface, over termios and poll.
//
// Handles name devices and events; they are never reused, so a stale handle
// fails cleanly instead of reaching another object. Every call sets the
// calling thread's last-error code on failure (GetLastError).
#include <string>

#include "comm/CommError.h"
#include "comm/CommTypes.h"

namespace comm {

// Opens a serial device for reading and writing, exclusively. An absolute
// path is used as given, any other name is looked up under /dev/. A fake
// device registered under the name takes precedence. Anything that is not
// a terminal device is refused.
HANDLE CreateFile(const std::string& Name);
bool CloseHandle(HANDLE Handle);

HANDLE CreateEvent(bool ManualReset, bool InitialState);
bool SetEvent(HANDLE Event);
bool ResetEvent(HANDLE Event);
// Returns WAIT_OBJECT_0 + index of the first signalled event, WAIT_TIMEOUT
// or WAIT_FAILED. Timeout in milliseconds or INFINITE.
DWORD WaitForSingleObject(HANDLE Event, DWORD Timeout);
DWORD WaitForMultipleObjects(DWORD Count, const HANDLE* Events, DWORD Timeout);

bool SetupComm(HANDLE Device, DWORD InQueue, DWORD OutQueue);
bool SetCommState(HANDLE Device, const DCB& Dcb);
// The line settings as the device holds them.
bool GetCommState(HANDLE Device, DCB& Dcb);
bool SetCommTimeouts(HANDLE Device, const COMMTIMEOUTS& Timeouts);
bool GetCommTimeouts(HANDLE Device, COMMTIMEOUTS& Timeouts);
bool SetCommMask(HANDLE Device, DWORD Mask);
bool WaitCommEvent(HANDLE Device, DWORD* Mask, OVERLAPPED* Overlapped);
bool PurgeComm(HANDLE Device, DWORD Flags);
bool ClearCommError(HANDLE Device, DWORD* Errors, COMSTAT* Stat);
bool GetCommModemStatus(HANDLE Device, DWORD* Status);
// EV_RXCHAR is reported once Count bytes wait in the input queue, or once
// the line has been quiet for three and a half characters with fewer
// waiting; 1 (a new device's setting) reports every arrival. Lets a reader
// that knows how much it needs take it in one batch; an event character among
// the bytes is reported (EV_RXFLAG) with them.
bool SetCommRxBatch(HANDLE Device, DWORD Count);

// With an OVERLAPPED, a request that cannot finish at once returns false
// with ERROR_IO_PENDING and completes later; without one the call waits.
bool WriteFile(HANDLE Device, const void* Buffer, DWORD Count, DWORD* Written, OVERLAPPED* Overlapped);
bool ReadFile(HANDLE Device, void* Buffer, DWORD Count, DWORD* Read, OVERLAPPED* Overlapped);
bool GetOverlappedResult(HANDLE Device, OVERLAPPED* Overlapped, DWORD* Transferred, bool Wait);

}  // namespace comm
