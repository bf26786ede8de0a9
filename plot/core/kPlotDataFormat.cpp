#include "plot/core/kPlotDataFormat.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "plot/core/kPlotDataPoints.h"
#include "rtl/NumberFormat.h"

namespace kPlotDataFormat {

namespace {

// Readers take anything from 9e37 up as absent or as the end.
constexpr double LargestValue = 8.9e37;

}  // namespace

std::string CompactHeader(int ChannelCount)
{
    return std::string(CompactSignature) + "\r\n" + std::to_string(ChannelCount) + "\r\n";
}

void AppendSingle(std::string& Bytes, double Value)
{
    if (Value != CompactAbsent && Value != CompactEnd && std::isfinite(Value))
        Value = std::fmax(-LargestValue, std::fmin(LargestValue, Value));
    else if (std::isinf(Value))
        Value = Value > 0 ? LargestValue : -LargestValue;
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(static_cast<float>(Value));
    for (int i = 0; i < 4; ++i)
        Bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

std::string Number(double Value)
{
    return FloatToStr(Value);
}

std::string YCell(const TkPlotDataPoint& Point)
{
    if (Point.Null)
        return "Null";
    if (Point.Empty)
        return "Empty";
    return Number(Point.Y);
}

std::string TitleCell(const std::string& Title, char Separator)
{
    std::string cell = Title;
    for (char& c : cell)
        if (c == Separator || c == '\r' || c == '\n')
            c = ' ';
    return cell;
}

}  // namespace kPlotDataFormat
