#include "rtl/MemoryStream.h"

#include <algorithm>
#include <cstring>

#include "rtl/Exception.h"

std::size_t TMemoryStream::Read(void* Buffer, std::size_t Count)
{
    std::size_t available = FPosition < FData.size() ? FData.size() - FPosition : 0;
    std::size_t n = std::min(Count, available);
    if (n != 0)
        std::memcpy(Buffer, FData.data() + FPosition, n);
    FPosition += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* Buffer, std::size_t Count)
{
    if (Count == 0)
        return 0;
    if (FPosition + Count > FData.size())
        FData.resize(FPosition + Count);
    std::memcpy(FData.data() + FPosition, Buffer, Count);
    FPosition += Count;
    return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    std::int64_t base = 0;
    if (Origin == TSeekOrigin::soCurrent)
        base = static_cast<std::int64_t>(FPosition);
    else if (Origin == TSeekOrigin::soEnd)
        base = static_cast<std::int64_t>(FData.size());
    std::int64_t target = base + Offset;
    if (target < 0)
        throw EReadError("Stream seek before its start");
    // Seeking past the end is allowed; a later write fills the gap with zeros.
    FPosition = static_cast<std::size_t>(target);
    return target;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}
