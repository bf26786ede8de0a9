#pragma once
// Row filters of the PNG format and the choice of one per row (the filter
// whose output has the smallest sum of absolute byte values).
#include <cstdint>
#include <cstddef>

enum class TPNGFilter : std::uint8_t { None = 0, Sub = 1, Up = 2, Average = 3, Paeth = 4 };

class TPNGRowFilter {
public:
    // Rows of RowBytes bytes, BytesPerPixel bytes to a pixel.
    TPNGRowFilter(std::size_t RowBytes, int BytesPerPixel);

    // Writes the filter byte and the filtered row, RowBytes + 1 bytes, to
    // Out. Prior is the row above, or null for the first row. Adaptive picks
    // the best filter; otherwise the row goes out unfiltered.
    void FilterRow(const std::uint8_t* Row, const std::uint8_t* Prior, bool Adaptive, std::uint8_t* Out) const;

    // One filter applied to one row (also used by tests to undo it).
    static void Apply(TPNGFilter Filter, const std::uint8_t* Row, const std::uint8_t* Prior, std::size_t RowBytes,
                      int BytesPerPixel, std::uint8_t* Out);

private:
    // The filter's cost for the row, or any value not below Limit once the
    // sum reaches it.
    std::uint64_t Cost(TPNGFilter Filter, const std::uint8_t* Row, const std::uint8_t* Prior,
                       std::uint64_t Limit) const;

    std::size_t FRowBytes;
    std::size_t FBpp;
};
