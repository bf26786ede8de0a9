#include "png/PNGRowFilter.h"

#include <cstdlib>
#include <cstring>

namespace {

inline std::uint8_t PaethPredictor(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return std::uint8_t(a);
    return pb <= pc ? std::uint8_t(b) : std::uint8_t(c);
}

// Sum of the filtered bytes taken as signed values, the usual measure of
// how well a row will compress.
inline std::uint64_t Cost(const std::uint8_t* Data, std::size_t Size)
{
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < Size; ++i) {
        const int v = static_cast<std::int8_t>(Data[i]);
        sum += static_cast<std::uint64_t>(v < 0 ? -v : v);
    }
    return sum;
}

}  // namespace

TPNGRowFilter::TPNGRowFilter(std::size_t RowBytes, int BytesPerPixel)
    : FRowBytes(RowBytes), FBpp(BytesPerPixel), FCandidate(RowBytes), FBest(RowBytes)
{
}

void TPNGRowFilter::Apply(TPNGFilter Filter, const std::uint8_t* Row, const std::uint8_t* Prior, std::size_t RowBytes,
                          int BytesPerPixel, std::uint8_t* Out)
{
    const std::size_t bpp = static_cast<std::size_t>(BytesPerPixel);
    const std::size_t lead = bpp < RowBytes ? bpp : RowBytes;
    switch (Filter) {
    case TPNGFilter::None:
        std::memcpy(Out, Row, RowBytes);
        break;
    case TPNGFilter::Sub:
        std::memcpy(Out, Row, lead);
        for (std::size_t i = bpp; i < RowBytes; ++i)
            Out[i] = std::uint8_t(Row[i] - Row[i - bpp]);
        break;
    case TPNGFilter::Up:
        for (std::size_t i = 0; i < RowBytes; ++i)
            Out[i] = std::uint8_t(Row[i] - Prior[i]);
        break;
    case TPNGFilter::Average:
        for (std::size_t i = 0; i < lead; ++i)
            Out[i] = std::uint8_t(Row[i] - (Prior[i] >> 1));
        for (std::size_t i = bpp; i < RowBytes; ++i)
            Out[i] = std::uint8_t(Row[i] - ((Row[i - bpp] + Prior[i]) >> 1));
        break;
    case TPNGFilter::Paeth:
        for (std::size_t i = 0; i < lead; ++i)
            Out[i] = std::uint8_t(Row[i] - Prior[i]);  // left and upper-left are 0
        for (std::size_t i = bpp; i < RowBytes; ++i)
            Out[i] = std::uint8_t(Row[i] - PaethPredictor(Row[i - bpp], Prior[i], Prior[i - bpp]));
        break;
    }
}

void TPNGRowFilter::FilterRow(const std::uint8_t* Row, const std::uint8_t* Prior, bool Adaptive,
                              std::vector<std::uint8_t>& Out)
{
    if (!Adaptive) {
        Out.push_back(std::uint8_t(TPNGFilter::None));
        Out.insert(Out.end(), Row, Row + FRowBytes);
        return;
    }
    // The first row has no row above; Up and Paeth would equal None and Sub.
    static constexpr TPNGFilter firstRow[] = {TPNGFilter::None, TPNGFilter::Sub};
    static constexpr TPNGFilter otherRows[] = {TPNGFilter::None, TPNGFilter::Sub, TPNGFilter::Up, TPNGFilter::Average,
                                               TPNGFilter::Paeth};
    const TPNGFilter* begin = Prior ? std::begin(otherRows) : std::begin(firstRow);
    const TPNGFilter* end = Prior ? std::end(otherRows) : std::end(firstRow);

    TPNGFilter best = TPNGFilter::None;
    std::uint64_t bestCost = UINT64_MAX;
    for (const TPNGFilter* f = begin; f != end; ++f) {
        Apply(*f, Row, Prior, FRowBytes, FBpp, FCandidate.data());
        const std::uint64_t cost = Cost(FCandidate.data(), FRowBytes);
        if (cost < bestCost) {
            bestCost = cost;
            best = *f;
            FBest.swap(FCandidate);
        }
    }
    Out.push_back(std::uint8_t(best));
    Out.insert(Out.end(), FBest.begin(), FBest.end());
}
