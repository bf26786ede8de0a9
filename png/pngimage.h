#pragma once
// PNG image: an 8-bit RGB picture that encodes itself as a PNG file with
// adaptive row filters over zlib's deflate.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "rtl/Persistent.h"
#include "png/EPNGError.h"

class TPixelSource;

class TPNGObject : public TPersistent {
public:
    TPNGObject() = default;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    // Deflate level used when encoding, 0 (stored) to 9 (smallest);
    // anything else raises EPNGError.
    int GetCompressionLevel() const { return FCompressionLevel; }
    void SetCompressionLevel(int Value);

    // Resizes to Width x Height (black); a negative size raises EPNGError.
    void SetSize(int Width, int Height);
    // Row Y as Width x 3 bytes R, G, B; Y outside 0..Height-1 raises EPNGError.
    std::uint8_t* ScanLine(int Y);
    const std::uint8_t* ScanLine(int Y) const;

    // Copies 32-bit pixels 0x00RRGGBB (the top byte is ignored); Stride is the
    // distance between rows in pixels. This is how a bitmap's pixels come in.
    void AssignPixels(int Width, int Height, const std::uint32_t* Pixels, int Stride);
    // Copies another PNG image, or the pixels of a picture that offers
    // them (a bitmap) keeping the compression level; anything else goes
    // through AssignTo. A picture too large for the image raises EPNGError
    // and changes nothing.
    void Assign(const TPersistent* Source) override;

    // Encodes the image; an empty image raises EPNGError.
    std::vector<std::uint8_t> Encode() const;
    void SaveToStream(std::ostream& Stream) const;
    // Writes through a temporary file beside the target and renames it, so a
    // failed save never leaves a half-written file in place of a good one
    // (a link is followed, a device written into; see WriteFileAtomic).
    void SaveToFile(const std::string& FileName) const;

private:
    void AssignRows(const TPixelSource& Source);

    int FWidth = 0;
    int FHeight = 0;
    int FCompressionLevel = 6;
    std::vector<std::uint8_t> FPixels;  // rows of R, G, B
};
