#pragma once
// A picture whose pixels can be read row by row. It lets a writer that
// knows nothing of the user interface (the PNG image) copy a bitmap: the
// bitmap offers its rows through this, so the writer's library needs only
// the runtime.
#include <cstdint>

class TPixelSource {
public:
    virtual int PixelWidth() const = 0;
    virtual int PixelHeight() const = 0;
    // Row Y (0 to PixelHeight() - 1) as PixelWidth() pixels of four bytes:
    // blue, green, red, unused. Valid until the picture next changes.
    virtual const std::uint8_t* PixelRow(int Y) const = 0;

protected:
    ~TPixelSource() = default;
};
