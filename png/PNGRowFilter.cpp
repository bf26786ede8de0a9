#include "png/PNGRowFilter.h"

#include <cstdlib>
#include <cstring>

namespace {

// Paeth's predictor, written without branches so that whole blocks of a row
// go through it at once: p - a = b - c, p - b = a - c, p - c = a + b - 2c.
inline int PaethPredictor(int a, int b, int c)
{
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    const int bc = pb <= pc ? b : c;
    return pa <= pb && pa <= pc ? a : bc;
}

// A filtered byte taken as a signed value, the usual measure of how well a
// row will compress.
inline unsigned Magnitude(unsigned char Filtered)
{
    const int v = static_cast<signed char>(Filtered);
    return static_cast<unsigned>(v < 0 ? -v : v);
}

// Bytes summed between two looks at the limit: long enough for the inner
// loop to run at full speed, short enough to drop a loser early.
constexpr std::size_t Block = 256;

// Sums Magnitude(Filtered(i)) for i in [From, To), a block at a time,
// stopping once the running sum reaches Limit.
template <class F>
inline std::uint64_t SumUpTo(std::size_t From, std::size_t To, std::uint64_t Sum, std::uint64_t Limit, F Filtered)
{
    for (std::size_t start = From; start < To && Sum < Limit; start += Block) {
        const std::size_t end = To - start > Block ? start + Block : To;
        unsigned part = 0;
        for (std::size_t i = start; i < end; ++i)
            part += Magnitude(Filtered(i));
        Sum += part;
    }
    return Sum;
}

}  // namespace

TPNGRowFilter::TPNGRowFilter(std::size_t RowBytes, int BytesPerPixel)
    : FRowBytes(RowBytes),
      FBpp(static_cast<std::size_t>(BytesPerPixel))
{
}

void TPNGRowFilter::Apply(TPNGFilter Filter, const std::uint8_t* Row, const std::uint8_t* Prior, std::size_t RowBytes,
                          int BytesPerPixel, std::uint8_t* Out)
{
    const std::size_t bpp = static_cast<std::size_t>(BytesPerPixel);
    const std::size_t lead = bpp < RowBytes ? bpp : RowBytes;
    switch (Filter) {
    case TPNGFilter::None: std::memcpy(Out, Row, RowBytes); break;
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

std::uint64_t TPNGRowFilter::Cost(TPNGFilter Filter, const std::uint8_t* Row, const std::uint8_t* Prior,
                                  std::uint64_t Limit) const
{
    const std::size_t n = FRowBytes, bpp = FBpp;
    const std::size_t lead = bpp < n ? bpp : n;
    switch (Filter) {
    case TPNGFilter::None: return SumUpTo(0, n, 0, Limit, [=](std::size_t i) { return Row[i]; });
    case TPNGFilter::Sub: {
        const std::uint64_t sum = SumUpTo(0, lead, 0, Limit, [=](std::size_t i) { return Row[i]; });
        return SumUpTo(lead, n, sum, Limit, [=](std::size_t i) { return std::uint8_t(Row[i] - Row[i - bpp]); });
    }
    case TPNGFilter::Up: return SumUpTo(0, n, 0, Limit, [=](std::size_t i) { return std::uint8_t(Row[i] - Prior[i]); });
    case TPNGFilter::Average: {
        const std::uint64_t sum = SumUpTo(0, lead, 0, Limit,
                                          [=](std::size_t i) { return std::uint8_t(Row[i] - (Prior[i] >> 1)); });
        return SumUpTo(lead, n, sum, Limit,
                       [=](std::size_t i) { return std::uint8_t(Row[i] - ((Row[i - bpp] + Prior[i]) >> 1)); });
    }
    case TPNGFilter::Paeth: {
        const std::uint64_t sum = SumUpTo(0, lead, 0, Limit,
                                          [=](std::size_t i) { return std::uint8_t(Row[i] - Prior[i]); });
        return SumUpTo(lead, n, sum, Limit, [=](std::size_t i) {
            return std::uint8_t(Row[i] - PaethPredictor(Row[i - bpp], Prior[i], Prior[i - bpp]));
        });
    }
    }
    return Limit;
}

void TPNGRowFilter::FilterRow(const std::uint8_t* Row, const std::uint8_t* Prior, bool Adaptive,
                              std::uint8_t* Out) const
{
    TPNGFilter best = TPNGFilter::None;
    if (Adaptive) {
        // The first row has no row above; Up and Paeth would equal None and Sub.
        static constexpr TPNGFilter order[] = {TPNGFilter::None, TPNGFilter::Sub, TPNGFilter::Up, TPNGFilter::Average,
                                               TPNGFilter::Paeth};
        const std::size_t candidates = Prior ? 5 : 2;
        std::uint64_t bestCost = UINT64_MAX;
        // Only a smaller sum wins, so a candidate stops counting once it has
        // reached the best so far, and nothing can beat a sum of zero.
        for (std::size_t k = 0; k < candidates && bestCost != 0; ++k) {
            const std::uint64_t cost = Cost(order[k], Row, Prior, bestCost);
            if (cost < bestCost) {
                bestCost = cost;
                best = order[k];
            }
        }
    }
    Out[0] = std::uint8_t(best);
    Apply(best, Row, Prior, FRowBytes, static_cast<int>(FBpp), Out + 1);
}
