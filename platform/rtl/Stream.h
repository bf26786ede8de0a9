#pragma once
// Byte streams: the abstract stream and its exact-length helpers.
#include <cstddef>
#include <cstdint>

#include "rtl/Object.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Reads up to Count bytes; returns how many were read.
    virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;
    // Writes Count bytes; returns how many were written.
    virtual std::size_t Write(const void* Buffer, std::size_t Count) = 0;
    // Moves the position; returns the new position.
    virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

    std::int64_t GetPosition() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t Value) { Seek(Value, TSeekOrigin::soBeginning); }
    std::int64_t GetSize();
    // Bytes between the position and the end.
    std::int64_t Remaining() { return GetSize() - GetPosition(); }

    // Exactly Count bytes, or EReadError / EWriteError.
    void ReadBuffer(void* Buffer, std::size_t Count);
    void WriteBuffer(const void* Buffer, std::size_t Count);
    // Copies Count bytes from Source's position (all of Source when Count is 0).
    void CopyFrom(TStream& Source, std::int64_t Count);
};

// An unsigned integer as sizeof(T) bytes, lowest first, whatever the
// machine's own order: the byte order of every stored stream format.
template <class T> void WriteLittleEndian(TStream& Stream, T Value)
{
    unsigned char bytes[sizeof(T)];
    auto bits = static_cast<std::uint64_t>(Value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    Stream.WriteBuffer(bytes, sizeof(T));
}
// Reads what WriteLittleEndian wrote; raises EReadError at the end of the data.
template <class T> T ReadLittleEndian(TStream& Stream)
{
    unsigned char bytes[sizeof(T)];
    Stream.ReadBuffer(bytes, sizeof(T));
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    return static_cast<T>(bits);
}
