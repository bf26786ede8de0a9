#pragma once
// The plot's log: points are appended to the plot's log file as its
// channels receive them, as rows of the log text table ("(X)", then a Y
// column per channel) or of the compact-interval layout, which gets its
// end marker and trailer when logging stops. A row is the
// next unwritten point of every channel, so each channel's points keep
// their order and none is written twice or left out; rows go out when the
// buffer size of them is complete, and every pending one when logging
// stops. Rows the disk refuses stay pending and go out with the next; the
// plot has the user told.
#include <deque>
#include <string>
#include <vector>

#include "plot/core/kPlotDataFormat.h"
#include "plot/core/kPlotDataPoints.h"
#include "plot/core/kPlotLogFile.h"

class TkPlotDataHost;
class TkPlotObject;

class TkPlotDataLog {
public:
    explicit TkPlotDataLog(TkPlotDataHost& Plot);
    // A plot freed while it logs still writes its pending rows.
    ~TkPlotDataLog();
    TkPlotDataLog(const TkPlotDataLog&) = delete;
    TkPlotDataLog& operator=(const TkPlotDataLog&) = delete;

    bool Active() const { return FActive; }
    // Raise "Log File Name not Defined", "Logging Already Active",
    // "Logging not Active", or the file's error.
    void Activate(bool Append);
    void Deactivate();
    // A channel of the plot received a point.
    void PointAdded(const TkPlotObject& Channel);
    // See TkPlotLogFile::Failure.
    const std::string& Failure() const { return FFile.Failure(); }

private:
    struct TChannel {
        const TkPlotObject* Object = nullptr;
        std::deque<TkPlotDataPoint> Pending;
    };
    int CompleteRows() const;
    int PendingRows() const;
    // False when the disk refused some of the rows, which stay pending.
    bool Write(int Rows);
    // Row of the pending points in the log text table.
    std::string RowText(int Row) const;
    // The compact-interval values of pending row Row, written as row
    // FileRow of the file; FirstX takes the X of the file's first rows.
    std::string CompactRow(int Row, int FileRow, std::vector<kPlotDataFormat::TCompactFirstX>& FirstX) const;
    // Continues a compact-interval file: takes off its end marker and
    // trailer, which logging puts back when it stops.
    void ContinueCompact();

    const TkPlotDataHost& FPlot;
    bool FActive = false;
    std::string FFileName;
    TkPlotLogFile FFile;
    bool FCompact = false;
    char FSeparator = '\t';
    std::vector<TChannel> FChannels;
    int FRowsWritten = 0;
    std::vector<kPlotDataFormat::TCompactFirstX> FFirstX;
};
