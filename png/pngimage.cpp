#include "png/pngimage.h"

#include <zlib.h>

#include <cstring>
#include <ostream>

#include "png/PNGChunkWriter.h"
#include "png/PNGRowFilter.h"
#include "rtl/Exception.h"
#include "rtl/FileUtils.h"
#include "rtl/PixelSource.h"

namespace {

constexpr int BytesPerPixel = 3;
// Size of each IDAT chunk; the format allows any split.
constexpr std::size_t IdatSize = 1 << 16;
// Keeps Width x Height x 3 and the filtered rows well inside the format's
// 2^31 - 1 limits.
constexpr int MaxDimension = 1 << 15;

class TDeflater {
public:
    explicit TDeflater(int Level)
    {
        std::memset(&FStream, 0, sizeof FStream);
        // Filtered rows compress better with the filtered strategy; stored
        // data at level 0 has nothing to tune.
        const int strategy = Level == 0 ? Z_DEFAULT_STRATEGY : Z_FILTERED;
        if (deflateInit2(&FStream, Level, Z_DEFLATED, 15, 8, strategy) != Z_OK)
            throw EPNGError("PNG encoder could not start");
    }
    ~TDeflater() { deflateEnd(&FStream); }
    TDeflater(const TDeflater&) = delete;
    TDeflater& operator=(const TDeflater&) = delete;

    // Compresses Data; every full output buffer goes to Sink as one chunk.
    template <class F> void Feed(const std::uint8_t* Data, std::size_t Size, bool Finish, F&& Sink)
    {
        FStream.next_in = const_cast<Bytef*>(Data);
        FStream.avail_in = static_cast<uInt>(Size);
        for (;;) {
            if (FStream.avail_out == 0) {
                if (!FBuffer.empty())
                    Sink(FBuffer.data(), FBuffer.size());
                FBuffer.resize(IdatSize);
                FStream.next_out = FBuffer.data();
                FStream.avail_out = static_cast<uInt>(FBuffer.size());
            }
            const int rc = deflate(&FStream, Finish ? Z_FINISH : Z_NO_FLUSH);
            if (rc == Z_STREAM_END)
                break;
            if (rc != Z_OK && rc != Z_BUF_ERROR)
                throw EPNGError("PNG encoder failed");
            if (!Finish && FStream.avail_in == 0 && FStream.avail_out != 0)
                return;
        }
        const std::size_t used = FBuffer.size() - FStream.avail_out;
        if (used)
            Sink(FBuffer.data(), used);
    }

private:
    z_stream FStream;
    std::vector<std::uint8_t> FBuffer;
};

}  // namespace

void TPNGObject::SetCompressionLevel(int Value)
{
    if (Value < 0 || Value > 9)
        throw EPNGError("PNG compression level must be in the range of 0-9");
    FCompressionLevel = Value;
}

void TPNGObject::SetSize(int Width, int Height)
{
    if (Width < 0 || Height < 0 || Width > MaxDimension || Height > MaxDimension)
        throw EPNGError("Invalid PNG image size " + std::to_string(Width) + " x " + std::to_string(Height));
    FWidth = Width;
    FHeight = Height;
    FPixels.assign(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * BytesPerPixel, 0);
}

std::uint8_t* TPNGObject::ScanLine(int Y)
{
    return const_cast<std::uint8_t*>(static_cast<const TPNGObject*>(this)->ScanLine(Y));
}

const std::uint8_t* TPNGObject::ScanLine(int Y) const
{
    if (Y < 0 || Y >= FHeight)
        throw EPNGError("PNG scan line index out of range");
    return FPixels.data() + static_cast<std::size_t>(Y) * static_cast<std::size_t>(FWidth) * BytesPerPixel;
}

void TPNGObject::AssignPixels(int Width, int Height, const std::uint32_t* Pixels, int Stride)
{
    if (Stride < Width || (!Pixels && Width > 0 && Height > 0))
        throw EPNGError("Invalid pixel source for a PNG image");
    SetSize(Width, Height);
    for (int y = 0; y < Height; ++y) {
        const std::uint32_t* src = Pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(Stride);
        std::uint8_t* dst = ScanLine(y);
        for (int x = 0; x < Width; ++x) {
            const std::uint32_t p = src[x];
            *dst++ = std::uint8_t(p >> 16);
            *dst++ = std::uint8_t(p >> 8);
            *dst++ = std::uint8_t(p);
        }
    }
}

void TPNGObject::Assign(const TPersistent* Source)
{
    if (auto* png = dynamic_cast<const TPNGObject*>(Source)) {
        FWidth = png->FWidth;
        FHeight = png->FHeight;
        FPixels = png->FPixels;
        FCompressionLevel = png->FCompressionLevel;
        return;
    }
    if (auto* pixels = dynamic_cast<const TPixelSource*>(Source)) {
        AssignRows(*pixels);
        return;
    }
    TPersistent::Assign(Source);
}

void TPNGObject::AssignRows(const TPixelSource& Source)
{
    const int w = Source.PixelWidth(), h = Source.PixelHeight();
    SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = Source.PixelRow(y);
        std::uint8_t* dst = ScanLine(y);
        for (int x = 0; x < w; ++x, src += 4) {
            *dst++ = src[2];
            *dst++ = src[1];
            *dst++ = src[0];
        }
    }
}

std::vector<std::uint8_t> TPNGObject::Encode() const
{
    if (Empty())
        throw EPNGError("Cannot save an empty PNG image");
    std::vector<std::uint8_t> out;
    TPNGChunkWriter writer(out);
    writer.WriteSignature();
    writer.WriteHeader(FWidth, FHeight);

    const std::size_t rowBytes = static_cast<std::size_t>(FWidth) * BytesPerPixel;
    TPNGRowFilter filter(rowBytes, BytesPerPixel);
    TDeflater deflater(FCompressionLevel);
    auto sink = [&](const std::uint8_t* data, std::size_t size) { writer.WriteChunk("IDAT", data, size); };
    // Stored data gains nothing from filters.
    const bool adaptive = FCompressionLevel > 0;
    std::vector<std::uint8_t> filtered(rowBytes + 1);
    for (int y = 0; y < FHeight; ++y) {
        filter.FilterRow(ScanLine(y), y > 0 ? ScanLine(y - 1) : nullptr, adaptive, filtered.data());
        deflater.Feed(filtered.data(), filtered.size(), false, sink);
    }
    deflater.Feed(nullptr, 0, true, sink);
    writer.WriteEnd();
    return out;
}

void TPNGObject::SaveToStream(std::ostream& Stream) const
{
    const std::vector<std::uint8_t> data = Encode();
    Stream.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!Stream)
        throw EPNGError("Error writing PNG stream");
}

void TPNGObject::SaveToFile(const std::string& FileName) const
{
    const std::vector<std::uint8_t> data = Encode();
    try {
        WriteFileAtomic(FileName, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    } catch (const EInOutError& e) {
        throw EPNGError(e.Message);
    }
}
