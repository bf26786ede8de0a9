#include "plot/core/kPlotDataLog.h"

#include <algorithm>
#include <fstream>

#include "plot/core/kPlotDataFile.h"
#include "plot/core/kPlotDataFormat.h"
#include "plot/core/kPlotDataHost.h"
#include "plot/core/kPlotObject.h"
#include "rtl/Exception.h"
#include "rtl/FileUtils.h"
#include "rtl/Gbk.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"

using namespace kPlotDataFormat;

namespace {

// Rows wait for every channel's point; a channel that stops receiving
// points must not hold the others' back without end.
constexpr std::size_t MaxWaitingRows = 100000;

void AppendToFile(const std::string& FileName, const std::string& Bytes)
{
    std::ofstream file(FileName, std::ios::binary | std::ios::app);
    if (!file || !file.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size())) || !file.flush())
        throw EInOutError("Cannot write file \"" + FileName + "\"");
}

}  // namespace

TkPlotDataLog::~TkPlotDataLog()
{
    if (!FActive)
        return;
    try {
        Deactivate();
    } catch (const std::exception&) {
        // Nobody is left to hear of it; the rows written so far stay.
    }
}

void TkPlotDataLog::Activate(bool Append)
{
    if (Trim(FPlot.GetLogFileName()).empty())
        throw Exception("Log File Name not Defined");
    if (FActive)
        throw Exception("Logging Already Active");
    FFileName = FPlot.GetLogFileName();
    FCompact = FPlot.GetDataFileFormat() == kpdffCompactInterval;
    FSeparator = FPlot.GetDataFileSeparatorChar();
    FChannels.clear();
    std::string header = FCompact ? CompactHeader(FPlot.GetChannelCount()) : "(X)";
    for (int i = 0; i < FPlot.GetChannelCount(); ++i) {
        const TkPlotObject* channel = FPlot.GetChannel(i);
        FChannels.push_back({channel, {}});
        if (!FCompact) {
            const auto* points = dynamic_cast<const TkPlotDataPoints*>(channel);
            header += FSeparator + TitleCell(points ? points->DataTitle() : std::string(), FSeparator) + "(Y)";
        }
    }
    if (!FCompact)
        header = Gbk::ToGbk(header + "\r\n");
    FRowsWritten = 0;
    FFirstX.assign(FChannels.size(), TCompactFirstX());
    if (Append && FileExists(FFileName)) {
        if (FCompact)
            ContinueCompact();
    } else {
        WriteFileAtomic(FFileName, header);
    }
    FActive = true;
}

void TkPlotDataLog::Deactivate()
{
    if (!FActive)
        throw Exception("Logging not Active");
    Write(PendingRows());
    if (FCompact) {
        std::string end;
        AppendSingle(end, CompactEnd);
        AppendToFile(FFileName, end + CompactTrailer(FFirstX));
    }
    FActive = false;
    FChannels.clear();
}

void TkPlotDataLog::PointAdded(const TkPlotObject& Channel)
{
    if (!FActive)
        return;
    const auto it = std::find_if(FChannels.begin(), FChannels.end(),
                                 [&](const TChannel& C) { return C.Object == &Channel; });
    const auto* points = dynamic_cast<const TkPlotDataPoints*>(&Channel);
    if (it == FChannels.end() || !points || points->DataPointCount() == 0)
        return;
    it->Pending.push_back(points->DataPoint(points->DataPointCount() - 1));
    if (CompleteRows() >= std::max(FPlot.LogBufferSize(), 1))
        Write(CompleteRows());
    else if (it->Pending.size() > MaxWaitingRows)
        Write(PendingRows());
}

int TkPlotDataLog::CompleteRows() const
{
    std::size_t rows = FChannels.empty() ? 0 : FChannels.front().Pending.size();
    for (const TChannel& channel : FChannels)
        rows = std::min(rows, channel.Pending.size());
    return static_cast<int>(rows);
}

int TkPlotDataLog::PendingRows() const
{
    std::size_t rows = 0;
    for (const TChannel& channel : FChannels)
        rows = std::max(rows, channel.Pending.size());
    return static_cast<int>(rows);
}

void TkPlotDataLog::Write(int Rows)
{
    if (Rows <= 0)
        return;
    std::string bytes;
    for (int r = 0; r < Rows; ++r) {
        if (FCompact) {
            for (std::size_t c = 0; c < FChannels.size(); ++c) {
                const TChannel& channel = FChannels[c];
                const bool has = static_cast<std::size_t>(r) < channel.Pending.size();
                const TkPlotDataPoint point = has ? channel.Pending[r] : TkPlotDataPoint();
                if (FRowsWritten + r < CompactRowsWithX) {
                    AppendSingle(bytes, has ? point.X : CompactAbsent);
                    if (has)
                        (FRowsWritten + r == 0 ? FFirstX[c].X0 : FFirstX[c].X1) = point.X;
                }
                AppendSingle(bytes, has ? point.Y : CompactAbsent);
            }
        } else {
            bytes += RowText(r);
        }
    }
    AppendToFile(FFileName, FCompact ? bytes : Gbk::ToGbk(bytes));
    // Only rows that reached the file are done with.
    for (TChannel& channel : FChannels)
        channel.Pending.erase(channel.Pending.begin(),
                              channel.Pending.begin() + std::min<std::size_t>(Rows, channel.Pending.size()));
    FRowsWritten += Rows;
}

std::string TkPlotDataLog::RowText(int Row) const
{
    // X is channel 0's; a row without a point of channel 0 takes the X of
    // the first channel that has one.
    std::string x;
    std::string cells;
    for (const TChannel& channel : FChannels) {
        cells += FSeparator;
        if (static_cast<std::size_t>(Row) < channel.Pending.size()) {
            const TkPlotDataPoint& point = channel.Pending[Row];
            if (x.empty())
                x = Number(point.X);
            cells += YCell(point);
        }
    }
    return x + cells + "\r\n";
}

void TkPlotDataLog::ContinueCompact()
{
    const std::string bytes = ReadFileBytes(FFileName);
    const TCompactContent content = ParseCompact(bytes);
    FRowsWritten = static_cast<int>(std::count_if(content.Rows.begin(), content.Rows.end(), [&](const auto& Row) {
        return Row.size() == static_cast<std::size_t>(content.ChannelCount);
    }));
    for (std::size_t c = 0; c < FFirstX.size() && c < content.FirstX.size(); ++c)
        FFirstX[c] = content.FirstX[c];
    WriteFileAtomic(FFileName, std::string_view(bytes).substr(0, content.DataEnd));
}
