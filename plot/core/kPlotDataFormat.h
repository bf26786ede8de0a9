#pragma once
// The pieces the plot's data files and its log share: the text table's
// cells and the compact-interval layout (a two-line text header, then
// 4-byte little-endian floats, rows 0 and 1 with X and Y, later rows Y
// only, 1e38 where a channel has no point, 2e38 after the last row).
#include <string>
#include <string_view>
#include <vector>

#include "rtl/PublishedEnum.h"

struct TkPlotDataPoint;

PUBLISHED_ENUM(TkPlotDataFileFormat, kpdffText, kpdffCompactInterval);

namespace kPlotDataFormat {

constexpr std::string_view CompactSignature = "Compact Interval";
constexpr double CompactAbsent = 1e38;
constexpr double CompactEnd = 2e38;
// Rows 0 and 1 carry X as well: they give the sampling interval.
constexpr int CompactRowsWithX = 2;

// A single holds X to about seven digits, too few for a date and time
// to keep its sampling interval; so after the end marker the writers add
// the trailer: "X64:" and, per channel, the X of rows 0 and 1 as 8-byte
// doubles (NaN where absent). Readers of the bare layout stop at the
// marker and never see it.
constexpr std::string_view CompactTrailerSignature = "X64:";

struct TCompactFirstX {
    double X0 = CompactAbsent;
    double X1 = CompactAbsent;
};

// What a compact-interval file holds, read as far as it goes.
struct TCompactContent {
    int ChannelCount = 0;
    // Per row, per channel: X (absent after row 1) and Y as the file has
    // them, up to the end marker or the end of the data; the last row is
    // short when the marker or the end comes inside it.
    struct TValue {
        double X = CompactAbsent;
        double Y = CompactAbsent;
    };
    std::vector<std::vector<TValue>> Rows;
    // The end of the last whole row.
    std::size_t DataEnd = 0;
    // Per channel, from the trailer when there is one, else from the rows.
    std::vector<TCompactFirstX> FirstX;
    // The file ends inside a row or a value.
    bool Cut = false;
};
// Raises Exception "Invalid Data" for a header that is none.
TCompactContent ParseCompact(const std::string& Bytes);
std::string CompactTrailer(const std::vector<TCompactFirstX>& FirstX);

// "Compact Interval" CR LF, the channel count CR LF.
std::string CompactHeader(int ChannelCount);
// Value as a 4-byte single appended to Bytes; a value that a reader would
// take for a marker is written as the largest value that is none.
void AppendSingle(std::string& Bytes, double Value);
// The Y cell of a text row: the value, "Null" or "Empty".
std::string YCell(const TkPlotDataPoint& Point);
std::string Number(double Value);
// A channel's title as a header cell: separators and line breaks in it
// would make other columns of the header, so they become blanks.
std::string TitleCell(const std::string& Title, char Separator);

}  // namespace kPlotDataFormat
