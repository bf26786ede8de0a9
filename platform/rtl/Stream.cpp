#include "rtl/Stream.h"

#include <vector>

#include "rtl/Exception.h"

std::int64_t TStream::GetSize()
{
    std::int64_t position = GetPosition();
    std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* Buffer, std::size_t Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, std::size_t Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError("Stream write error");
}

void TStream::CopyFrom(TStream& Source, std::int64_t Count)
{
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.GetSize();
    }
    std::vector<char> buffer(static_cast<std::size_t>(std::min<std::int64_t>(Count, 64 * 1024)));
    while (Count > 0) {
        auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(Count, static_cast<std::int64_t>(buffer.size())));
        Source.ReadBuffer(buffer.data(), chunk);
        WriteBuffer(buffer.data(), chunk);
        Count -= static_cast<std::int64_t>(chunk);
    }
}
