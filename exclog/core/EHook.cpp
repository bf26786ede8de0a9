#include "exclog/core/EHook.h"

bool ExcLogWriteFile(TWriteFileProc Original, std::intptr_t Handle, const void* Buffer, std::uint32_t Count,
                     std::uint32_t* Written, void* Overlapped)
{
    // Nothing may run after the original call: logging here would clobber
    // the error code the caller is about to read.
    return Original(Handle, Buffer, Count, Written, Overlapped);
}
