#pragma once
// The pieces the plot's data files and its log share: the text table's
// cells and the compact-interval layout (a two-line text header, then
// 4-byte little-endian floats, rows 0 and 1 with X and Y, later rows Y
// only, 1e38 where a channel has no point, 2e38 after the last row).
#include <string>
#include <string_view>

struct TkPlotDataPoint;

namespace kPlotDataFormat {

constexpr std::string_view CompactSignature = "Compact Interval";
constexpr double CompactAbsent = 1e38;
constexpr double CompactEnd = 2e38;
// Rows 0 and 1 carry X as well: they give the sampling interval.
constexpr int CompactRowsWithX = 2;

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
