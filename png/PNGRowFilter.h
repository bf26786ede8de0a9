#pragma once
// Row filters of the PNG format and the choice of one per row (the filter
// whose output has the smallest sum of absolute byte values).
#include <cstdint>
#include <vector>

enum class TPNGFilter : std::uint8_t { None = 0, Sub = 1, Up = 2, Average = 3, Paeth = 4 };

class TPNGRowFilter {
public:
    // Rows of RowBytes bytes, BytesPerPixel bytes to a pixel.
    TPNGRowFilter(std::size_t RowBytes, int BytesPerPixel);

    // Appends the filter byte and the filtered row to Out. Prior is the row
    // above, or null for the first row. Adaptive picks the best filter;
    // otherwise the row goes out unfiltered.
    void FilterRow(const std::uint8_t* Row, const std::uint8_t* Prior, bool Adaptive, std::vector<std::uint8_t>& Out);

    // One filter applied to one row (also used by tests to undo it).
    static void Apply(TPNGFilter Filter, const std::uint8_t* Row, const std::uint8_t* Prior, std::size_t RowBytes,
                      int BytesPerPixel, std::uint8_t* Out);

private:
    std::size_t FRowBytes;
    int FBpp;
    std::vector<std::uint8_t> FCandidate;
    std::vector<std::uint8_t> FBest;
};
