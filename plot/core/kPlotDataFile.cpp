#include "plot/core/kPlotDataFile.h"

#include <algorithm>
#include <cstdint>

#include "plot/core/kPlotDataFormat.h"
#include "plot/core/kPlotDataHost.h"
#include "plot/core/kPlotDataPoints.h"
#include "plot/core/kPlotObject.h"
#include "rtl/Exception.h"
#include "rtl/FileUtils.h"
#include "rtl/Gbk.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

using namespace kPlotDataFormat;

namespace {

int RowCount(const std::vector<TkPlotDataPoints*>& Channels)
{
    int rows = 0;
    for (const TkPlotDataPoints* channel : Channels)
        if (channel)
            rows = std::max(rows, channel->DataPointCount());
    return rows;
}

bool HasRow(const TkPlotDataPoints* Channel, int Row)
{
    return Channel && Row < Channel->DataPointCount();
}

std::vector<std::string> SplitCells(const std::string& Line, char Separator)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = Line.find(Separator, start);
        cells.push_back(Trim(Line.substr(start, at - start)));
        if (at == std::string::npos)
            return cells;
        start = at + 1;
    }
}

// The point of an X and a Y cell; false when either is empty.
bool TextPoint(const std::string& XCell, const std::string& YCellText, TkPlotDataPoint& Point)
{
    if (XCell.empty() || YCellText.empty())
        return false;
    Point = TkPlotDataPoint{StrToFloat(XCell), 0, SameText(YCellText, "Null"), SameText(YCellText, "Empty")};
    if (!Point.Null && !Point.Empty)
        Point.Y = StrToFloat(YCellText);
    return true;
}

}  // namespace

std::vector<TkPlotDataPoints*> TkPlotDataFile::Channels(const TkPlotDataHost& Plot)
{
    std::vector<TkPlotDataPoints*> channels;
    for (int i = 0; i < Plot.GetChannelCount(); ++i)
        channels.push_back(dynamic_cast<TkPlotDataPoints*>(Plot.GetChannel(i)));
    return channels;
}

std::string TkPlotDataFile::Bytes() const
{
    return FPlot.GetDataFileFormat() == kpdffCompactInterval ? CompactBytes() : TextBytes();
}

std::string TkPlotDataFile::TextBytes() const
{
    const std::vector<TkPlotDataPoints*> channels = Channels(FPlot);
    const char separator = FPlot.GetDataFileSeparatorChar();
    std::string text;
    for (std::size_t c = 0; c < channels.size(); ++c) {
        const std::string title = channels[c] ? TitleCell(channels[c]->DataTitle(), separator) : std::string();
        text += (c ? std::string(1, separator) : std::string()) + title + "(X)" + separator + title + "(Y)";
    }
    text += "\r\n";
    const int rows = RowCount(channels);
    for (int r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < channels.size(); ++c) {
            if (c)
                text += separator;
            if (HasRow(channels[c], r)) {
                const TkPlotDataPoint point = channels[c]->DataPoint(r);
                text += Number(point.X) + separator + YCell(point);
            } else {
                text += separator;
            }
        }
        text += "\r\n";
    }
    return Gbk::ToGbk(text);
}

std::string TkPlotDataFile::CompactBytes() const
{
    const std::vector<TkPlotDataPoints*> channels = Channels(FPlot);
    std::string bytes = CompactHeader(static_cast<int>(channels.size()));
    const int rows = RowCount(channels);
    for (int r = 0; r < rows; ++r)
        for (const TkPlotDataPoints* channel : channels) {
            const bool has = HasRow(channel, r);
            const TkPlotDataPoint point = has ? channel->DataPoint(r) : TkPlotDataPoint();
            if (r < CompactRowsWithX)
                AppendSingle(bytes, has ? point.X : CompactAbsent);
            AppendSingle(bytes, has ? point.Y : CompactAbsent);
        }
    AppendSingle(bytes, CompactEnd);
    std::vector<TCompactFirstX> firstX(channels.size());
    for (std::size_t c = 0; c < channels.size(); ++c) {
        if (HasRow(channels[c], 0))
            firstX[c].X0 = channels[c]->DataPoint(0).X;
        if (HasRow(channels[c], 1))
            firstX[c].X1 = channels[c]->DataPoint(1).X;
    }
    return bytes + CompactTrailer(firstX);
}

void TkPlotDataFile::Save(const std::string& FileName) const
{
    WriteFileAtomic(FileName, Bytes());
}

void TkPlotDataFile::Load(const std::string& FileName)
{
    Read(ReadFileBytes(FileName));
}

void TkPlotDataFile::Read(const std::string& Bytes)
{
    Parse(Bytes, [](TkPlotDataPoints& Channel, const TkPlotDataPoint& Point) { Channel.AppendDataPoint(Point); });
}

void TkPlotDataFile::Check(const std::string& FileName) const
{
    Parse(ReadFileBytes(FileName), [](TkPlotDataPoints&, const TkPlotDataPoint&) {});
}

void TkPlotDataFile::Parse(const std::string& Bytes, const TPointSink& Take) const
{
    const std::size_t lineEnd = Bytes.find_first_of("\r\n");
    if (SameText(Bytes.substr(0, lineEnd), CompactSignature))
        ReadCompact(Bytes, Take);
    else
        ReadText(Bytes, Take);
}

void TkPlotDataFile::ReadText(const std::string& Bytes, const TPointSink& Take) const
{
    TStringList lines;
    lines.SetText(Gbk::FromGbk(Bytes));
    if (lines.Count() == 0)
        return;
    const std::vector<TkPlotDataPoints*> channels = Channels(FPlot);
    const char separator = lines[0].find('\t') != std::string::npos ? '\t' : ',';
    // A log: one shared X column, then a Y column per channel. A table
    // whose first title is empty starts with "(X)" too, but has more.
    const std::vector<std::string> header = SplitCells(lines[0], separator);
    const bool sharedX = lines[0].compare(0, 3, "(X)") == 0 &&
                         std::none_of(header.begin() + 1, header.end(),
                                      [](const std::string& Cell) { return Cell.ends_with("(X)"); });
    for (int i = 1; i < lines.Count(); ++i) {
        const std::vector<std::string> cells = SplitCells(lines[i], separator);
        for (std::size_t c = 0; c < channels.size(); ++c) {
            const std::size_t xAt = sharedX ? 0 : 2 * c, yAt = sharedX ? c + 1 : 2 * c + 1;
            TkPlotDataPoint point;
            if (channels[c] && yAt < cells.size() && TextPoint(cells[xAt], cells[yAt], point))
                Take(*channels[c], point);
        }
    }
}

void TkPlotDataFile::ReadCompact(const std::string& Bytes, const TPointSink& Take) const
{
    const TCompactContent content = ParseCompact(Bytes);
    const std::vector<TkPlotDataPoints*> channels = Channels(FPlot);
    for (std::size_t r = 0; r < content.Rows.size(); ++r)
        for (std::size_t c = 0; c < content.Rows[r].size() && c < channels.size(); ++c) {
            // Rows after the first two carry no X: it follows from the
            // interval of the channel's first two, whatever list the
            // channel keeps.
            const TCompactFirstX& first = content.FirstX[c];
            double x = CompactAbsent;
            if (r < CompactRowsWithX)
                x = r == 0 ? first.X0 : first.X1;
            else if (first.X0 < 9e37 && first.X1 < 9e37)
                x = first.X0 + static_cast<double>(r) * (first.X1 - first.X0);
            const double y = content.Rows[r][c].Y;
            if (channels[c] && x < 9e37 && y < 9e37)
                Take(*channels[c], {x, y, false, false});
        }
    if (content.Cut)
        throw Exception("Invalid Data");
}
