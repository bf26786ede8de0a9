#pragma once
// The file a log appends its rows to, and what the user is to hear of it.
//
// A failure never raises: rows the disk refuses stay with the log that
// wrote them, which offers them again with its next rows.
#include <functional>
#include <string>
#include <system_error>

class TkPlotLogFile {
public:
    // Texts for the user: the first failure of this logging, a failure
    // left when logging stopped.
    std::function<void(const std::string& Text)> OnNotice;

    // Starts FileName afresh with Header, or with Append continues the
    // file as it stands (a missing one starts afresh). Raises EInOutError
    // naming the file.
    void Open(const std::string& FileName, const std::string& Header, bool Append);
    // Appends whole rows; false when the disk refused them.
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
    bool FKeptBackTold = false;
    std::string FFailure;
};
