#pragma once
// The file a log appends its rows to, and what the user is to hear of it.
// The file only ever holds whole rows: a write the disk took only part of
// is cut off again, at once or before anything else is written, so a row
// written later never runs into a fragment. A file that went missing
// while logging starts again with its header.
//
// A failure never raises: rows the disk refuses stay with the log that
// wrote them, which offers them again with its next rows.
#include <cstdint>
#include <functional>
#include <string>
#include <system_error>

class TkPlotLogFile {
public:
    // Logs hand their rows over a few thousand at a time: a disk that
    // keeps refusing them is asked again at every point, and each time
    // costs only so much.
    static constexpr int RowsPerWrite = 4096;

    // Texts for the user: the first failure of this logging, a file begun
    // again, a failure left when logging stopped.
    std::function<void(const std::string& Text)> OnNotice;

    // Starts FileName afresh with Header, or with Append continues the
    // file as it stands (a missing one starts afresh). Raises EInOutError
    // naming the file.
    void Open(const std::string& FileName, const std::string& Header, bool Append);
    // The file is gone: the next Append begins it again with its header.
    bool Missing() const;
    // Appends whole rows, after the header when the file holds nothing
    // yet; false when the disk refused them, none of them then staying.
    bool Append(const std::string& Rows);
    // Logging goes on with rows kept back: the user hears why, the first
    // time only.
    void TellKeptBack();
    // Logging stopped, Rows rows left unwritten: a failure left now is
    // never mended, so the user hears of it, with the rows it cost.
    void TellStopped(int Rows);
    // Why rows are kept off the file now, naming the file; after rows were
    // lost, what was lost. Empty while every row is on disk.
    const std::string& Failure() const { return FFailure; }

private:
    // Keeps the failure, naming the file; false.
    bool Failed(const std::error_code& Error);
    void Tell(const std::string& Text) const;

    std::string FFileName;
    std::string FHeader;
    std::uint64_t FSize = 0;   // bytes of the header and whole rows on disk
    bool FCutPending = false;  // a failed write may have left bytes after them
    bool FKeptBackTold = false;
    std::string FFailure;
};
