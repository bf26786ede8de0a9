#pragma once
// The calling thread's last-error code of the comm layer and the texts and
// numbers of its errors.
#include <string>

#include "comm/CommTypes.h"

namespace comm {

DWORD GetLastError();
void SetLastError(DWORD Code);
// The system's text for an error number of this layer.
std::string SysErrorMessage(DWORD Code);
// The error number this layer reports for a C library errno value.
DWORD ErrorFromErrno(int Errno);

}  // namespace comm
