#include "plot/core/kPlotDataLog.h"

#include <algorithm>

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

}  // namespace

TkPlotDataLog::TkPlotDataLog(TkPlotDataHost& Plot) : FPlot(Plot)
{
    FFile.OnNotice = [&Plot](const std::string& Text) { Plot.DoLogNotice(Text); };
}

TkPlotDataLog::~TkPlotDataLog()
{
    if (!FActive)
        return;
    // The plot is going: nobody is left to tell.
    FFile.OnNotice = nullptr;
    try {
        Deactivate();
    } catch (const std::exception&) {
        // The rows written so far stay.
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
    if (Append && FCompact && FileExists(FFileName))
        ContinueCompact();
    FFile.Open(FFileName, header, Append);
    FActive = true;
}

void TkPlotDataLog::Deactivate()
{
    if (!FActive)
        throw Exception("Logging not Active");
    const int lost = Write(PendingRows()) ? 0 : PendingRows();
    // A file that lost rows ends in its last whole row, which reads back
    // as well.
    if (FCompact && lost == 0) {
        std::string end;
        AppendSingle(end, CompactEnd);
        FFile.Append(end + CompactTrailer(FFirstX));
    }
    FFile.TellStopped(lost);
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
    bool written = true;
    if (CompleteRows() >= std::max(FPlot.LogBufferSize(), 1))
        written = Write(CompleteRows());
    else if (it->Pending.size() > MaxWaitingRows)
        written = Write(PendingRows());
    // A disk that refuses the rows must not stop the points coming.
    if (!written)
        FFile.TellKeptBack();
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

bool TkPlotDataLog::Write(int Rows)
{
    while (Rows > 0) {
        if (FFile.Missing()) {
            // The file begins again: its first rows carry X again.
            FRowsWritten = 0;
            FFirstX.assign(FChannels.size(), TCompactFirstX());
        }
        const int rows = std::min(Rows, TkPlotLogFile::RowsPerWrite);
        std::vector<TCompactFirstX> firstX = FFirstX;
        std::string bytes;
        for (int r = 0; r < rows; ++r)
            bytes += FCompact ? CompactRow(r, FRowsWritten + r, firstX) : RowText(r);
        if (!FFile.Append(FCompact ? bytes : Gbk::ToGbk(bytes)))
            return false;
        // Only rows that reached the file are done with.
        for (TChannel& channel : FChannels)
            channel.Pending.erase(channel.Pending.begin(),
                                  channel.Pending.begin() + std::min<std::size_t>(rows, channel.Pending.size()));
        FFirstX = firstX;
        FRowsWritten += rows;
        Rows -= rows;
    }
    return true;
}

std::string TkPlotDataLog::CompactRow(int Row, int FileRow, std::vector<TCompactFirstX>& FirstX) const
{
    std::string bytes;
    for (std::size_t c = 0; c < FChannels.size(); ++c) {
        const TChannel& channel = FChannels[c];
        const bool has = static_cast<std::size_t>(Row) < channel.Pending.size();
        const TkPlotDataPoint point = has ? channel.Pending[Row] : TkPlotDataPoint();
        if (FileRow < CompactRowsWithX) {
            AppendSingle(bytes, has ? point.X : CompactAbsent);
            if (has)
                (FileRow == 0 ? FirstX[c].X0 : FirstX[c].X1) = point.X;
        }
        AppendSingle(bytes, has ? point.Y : CompactAbsent);
    }
    return bytes;
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
