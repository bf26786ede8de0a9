#include "plot/core/kPlotDataFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

#include "plot/core/kPlotDataPoints.h"
#include "rtl/Exception.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"

namespace kPlotDataFormat {

namespace {

// Readers take anything from 9e37 up as absent or as the end.
constexpr double LargestValue = 8.9e37;
// More would be no plot but a broken header.
constexpr std::int64_t MaxChannels = 100000;

template <class T, class TBits> bool ReadValue(const std::string& Bytes, std::size_t& At, T& Value)
{
    if (Bytes.size() - At < sizeof(TBits))
        return false;
    TBits bits = 0;
    for (std::size_t i = 0; i < sizeof(TBits); ++i)
        bits |= TBits(static_cast<unsigned char>(Bytes[At + i])) << (8 * i);
    At += sizeof(TBits);
    Value = std::bit_cast<T>(bits);
    return true;
}

template <class T, class TBits> void AppendValue(std::string& Bytes, T Value)
{
    const auto bits = std::bit_cast<TBits>(Value);
    for (std::size_t i = 0; i < sizeof(TBits); ++i)
        Bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

bool IsMarker(double Value)
{
    return Value > 1.5e38;
}

}  // namespace

TCompactContent ParseCompact(const std::string& Bytes)
{
    TCompactContent content;
    const std::size_t first = Bytes.find('\n');
    const std::size_t second = first == std::string::npos ? first : Bytes.find('\n', first + 1);
    std::int64_t count = 0;
    if (second == std::string::npos || !TryStrToInt64(Trim(Bytes.substr(first + 1, second - first - 1)), count) ||
        count < 0 || count > MaxChannels)
        throw Exception("Invalid Data");
    const auto channels = static_cast<std::size_t>(count);
    content.ChannelCount = static_cast<int>(count);
    std::size_t at = second + 1;
    content.DataEnd = at;
    std::optional<std::size_t> marker;
    // With no channel a row holds nothing, and the reading ends.
    while (channels > 0 && !marker && !content.Cut && at < Bytes.size()) {
        const bool withX = content.Rows.size() < CompactRowsWithX;
        std::vector<TCompactContent::TValue> row;
        while (row.size() < channels) {
            float x = static_cast<float>(CompactAbsent), y = 0;
            if (withX && !ReadValue<float, std::uint32_t>(Bytes, at, x)) {
                content.Cut = true;
                break;
            }
            if (withX && IsMarker(x)) {
                marker = at - 4;
                break;
            }
            if (!ReadValue<float, std::uint32_t>(Bytes, at, y)) {
                content.Cut = true;
                break;
            }
            if (IsMarker(y)) {
                marker = at - 4;
                break;
            }
            row.push_back({x, y});
        }
        const bool complete = row.size() == channels;
        if (!row.empty())
            content.Rows.push_back(std::move(row));
        if (complete)
            content.DataEnd = at;
    }
    content.FirstX.resize(channels);
    for (std::size_t r = 0; r < std::min<std::size_t>(content.Rows.size(), CompactRowsWithX); ++r)
        for (std::size_t c = 0; c < content.Rows[r].size(); ++c)
            (r == 0 ? content.FirstX[c].X0 : content.FirstX[c].X1) = content.Rows[r][c].X;
    std::size_t trailer = marker ? *marker + 4 : Bytes.size();
    if (marker && Bytes.compare(trailer, CompactTrailerSignature.size(), CompactTrailerSignature) == 0 &&
        Bytes.size() - trailer - CompactTrailerSignature.size() >= 16 * channels) {
        trailer += CompactTrailerSignature.size();
        for (TCompactFirstX& x : content.FirstX)
            for (double* value : {&x.X0, &x.X1}) {
                ReadValue<double, std::uint64_t>(Bytes, trailer, *value);
                if (std::isnan(*value))
                    *value = CompactAbsent;
            }
    }
    return content;
}

std::string CompactTrailer(const std::vector<TCompactFirstX>& FirstX)
{
    std::string bytes(CompactTrailerSignature);
    for (const TCompactFirstX& x : FirstX)
        for (const double value : {x.X0, x.X1})
            AppendValue<double, std::uint64_t>(bytes, value < 9e37 ? value : std::nan(""));
    return bytes;
}

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
    AppendValue<float, std::uint32_t>(Bytes, static_cast<float>(Value));
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
