#pragma once
// The exception logger's interception of the write call. Serial port
// writes pass through it; it forwards every call unchanged, so callers see
// exactly the result, byte count and error code of the original call.
#include <cstdint>

using TWriteFileProc = bool (*)(std::intptr_t Handle, const void* Buffer, std::uint32_t Count, std::uint32_t* Written,
                                void* Overlapped);

// Calls Original with the same arguments and returns its result; errno and
// any last-error code the original set are left as they were.
bool ExcLogWriteFile(TWriteFileProc Original, std::intptr_t Handle, const void* Buffer, std::uint32_t Count,
                     std::uint32_t* Written, void* Overlapped);
