#include "png/PNGChunkWriter.h"

#include <zlib.h>

#include "png/EPNGError.h"

namespace {
constexpr std::uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t MaxChunkLength = 0x7FFFFFFFu;
}  // namespace

void TPNGChunkWriter::WriteSignature()
{
    FOutput.insert(FOutput.end(), std::begin(Signature), std::end(Signature));
}

void TPNGChunkWriter::PutUInt32(std::uint32_t Value)
{
    FOutput.push_back(std::uint8_t(Value >> 24));
    FOutput.push_back(std::uint8_t(Value >> 16));
    FOutput.push_back(std::uint8_t(Value >> 8));
    FOutput.push_back(std::uint8_t(Value));
}

void TPNGChunkWriter::WriteChunk(const char (&Type)[5], const std::uint8_t* Data, std::size_t Size)
{
    if (Size > MaxChunkLength)
        throw EPNGError("PNG chunk too large");
    PutUInt32(static_cast<std::uint32_t>(Size));
    const std::size_t typeAt = FOutput.size();
    FOutput.insert(FOutput.end(), Type, Type + 4);
    if (Size)
        FOutput.insert(FOutput.end(), Data, Data + Size);
    uLong crc = crc32(0L, Z_NULL, 0);
    // crc32 takes a 32-bit length: feed large chunks in pieces.
    const std::uint8_t* p = FOutput.data() + typeAt;
    std::size_t left = Size + 4;
    while (left) {
        const uInt piece = left > 0x40000000u ? 0x40000000u : static_cast<uInt>(left);
        crc = crc32(crc, p, piece);
        p += piece;
        left -= piece;
    }
    PutUInt32(static_cast<std::uint32_t>(crc));
}

void TPNGChunkWriter::WriteHeader(int Width, int Height)
{
    std::uint8_t ihdr[13];
    auto put = [&](int at, std::uint32_t v) {
        ihdr[at] = std::uint8_t(v >> 24);
        ihdr[at + 1] = std::uint8_t(v >> 16);
        ihdr[at + 2] = std::uint8_t(v >> 8);
        ihdr[at + 3] = std::uint8_t(v);
    };
    put(0, static_cast<std::uint32_t>(Width));
    put(4, static_cast<std::uint32_t>(Height));
    ihdr[8] = 8;   // bit depth
    ihdr[9] = 2;   // colour type: RGB
    ihdr[10] = 0;  // deflate
    ihdr[11] = 0;  // adaptive filtering
    ihdr[12] = 0;  // not interlaced
    WriteChunk("IHDR", ihdr, sizeof ihdr);
}

void TPNGChunkWriter::WriteEnd()
{
    WriteChunk("IEND", nullptr, 0);
}
