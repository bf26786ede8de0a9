// Last-error codes of the comm layer and their texts. Numbers keep the
// Windows values; the texts come from the C library's messages for the
// matching errno. Other errno values travel as 0x20000000 + errno.
#include <cerrno>
#include <cstring>
#include <string>

#include "comm/CommError.h"

namespace comm {

namespace {

thread_local DWORD LastError = 0;
constexpr DWORD ErrnoBit = 0x20000000u;

struct Pair {
    DWORD Code;
    int Errno;
};

// First match wins in each direction.
constexpr Pair Pairs[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},       {ERROR_FILE_NOT_FOUND, ENOTDIR},   {ERROR_FILE_NOT_FOUND, ENODEV},
    {ERROR_FILE_NOT_FOUND, ENXIO},        {ERROR_ACCESS_DENIED, EACCES},     {ERROR_ACCESS_DENIED, EPERM},
    {ERROR_ACCESS_DENIED, EBUSY},         {ERROR_ACCESS_DENIED, EISDIR},     {ERROR_ACCESS_DENIED, EWOULDBLOCK},
    {ERROR_INVALID_HANDLE, EBADF},        {ERROR_NOT_ENOUGH_MEMORY, ENOMEM}, {ERROR_GEN_FAILURE, EIO},
    {ERROR_NOT_SUPPORTED, ENOTTY},        {ERROR_INVALID_PARAMETER, EINVAL}, {ERROR_NO_MORE_ITEMS, ENODATA},
    {ERROR_OPERATION_ABORTED, ECANCELED}, {ERROR_IO_INCOMPLETE, EALREADY},   {ERROR_IO_PENDING, EINPROGRESS},
    {ERROR_TIMEOUT, ETIMEDOUT},
};

}  // namespace

DWORD GetLastError()
{
    return LastError;
}

void SetLastError(DWORD Code)
{
    LastError = Code;
}

DWORD ErrorFromErrno(int Errno)
{
    for (const Pair& p : Pairs)
        if (p.Errno == Errno)
            return p.Code;
    return ErrnoBit | static_cast<DWORD>(Errno);
}

std::string SysErrorMessage(DWORD Code)
{
    int number = -1;
    if (Code & ErrnoBit) {
        number = static_cast<int>(Code & ~ErrnoBit);
    } else {
        for (const Pair& p : Pairs)
            if (p.Code == Code) {
                number = p.Errno;
                break;
            }
    }
    if (number < 0)
        return "Unknown error " + std::to_string(Code);
    char buffer[256];
    // GNU strerror_r: returns the text, not necessarily in buffer.
    return strerror_r(number, buffer, sizeof buffer);
}

}  // namespace comm
