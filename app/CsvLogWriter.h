#pragma once
// The CSV log of one recording run: records go to a temporary file that is
// moved to its final, never-overwriting name when the run ends or the file
// is full. Text is UTF-8 in memory and GBK on disk, lines end in CR LF.
//
// Used by one thread at a time (the sampling thread, or the user-interface
// thread while the sampling thread waits in a hand-over).
#include "app/CsvLine.h"
#include "app/LogFileSystem.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

// What one record needs, taken from the channels in one consistent moment.
struct TCsvRecord {
    int AxisFormat = 0;
    TDateTime Now = 0;
    double ElapsedSeconds = 0;
    std::vector<TCsvColumn> Columns;
    std::vector<std::string> Texts;
};

class TCsvLogWriter {
public:
    // The final name is LogFileName, or the next free numbered name when
    // that file exists already.
    TCsvLogWriter(std::string TempFileName, std::string LogFileName, int MaxRecordPerFile,
                  std::unique_ptr<TLogFileSystem> Files = std::make_unique<TLogFileSystem>());
    TCsvLogWriter(const TCsvLogWriter&) = delete;
    TCsvLogWriter& operator=(const TCsvLogWriter&) = delete;

    // Starts a new temporary file with its header; a file of the same name
    // (such as one left by a crashed run) is never touched: a free
    // numbered name is taken instead.
    void OpenNewLogFile(int AxisFormat, const std::vector<TCsvColumn>& Columns);
    // Appends one record and puts it on disk at once; a full file is
    // finished first and a new one begun.
    void WriteRecord(const TCsvRecord& Record);
    // Moves the temporary file to the final name. Does nothing when this
    // run began no file. False when data stayed elsewhere or was lost
    // (see Problems).
    bool FinishLogFile();

    int RecordCount() const { return FRecordCount; }
    const std::string& TempFileName() const { return FTempFileName; }
    const std::string& FinalLogFileName() const { return FFinalLogFileName; }
    // The log files this run completed, in order.
    const std::vector<std::string>& FinishedFiles() const { return FFinishedFiles; }
    // Temporary files that could not be moved to their final names and
    // still hold their records.
    const std::vector<std::string>& StrandedFiles() const { return FStrandedFiles; }
    // File failures met so far, each naming the file and the system's
    // reason; a file's last one ends with the count of records lost.
    const std::vector<std::string>& Problems() const { return FProblems; }
    // The failure that keeps records from the disk now, with the file and
    // the system's reason; empty while every record is on disk.
    const std::string& Failure() const { return FFailure; }
    // Its reason alone, as the system words it.
    const std::string& FailureReason() const { return FFailureReason; }

private:
    bool Flush();
    int PendingRecords() const;
    void Fail(const std::string& What, const std::error_code& Error);
    void Report(const std::string& Text);
    void ReportLost(int Records);

    std::unique_ptr<TLogFileSystem> FFiles;
    std::string FTempFileName;
    std::string FFinalLogFileName;
    int FMaxRecordPerFile;
    int FRecordCount = 0;
    bool FOpened = false;              // this run began the current temporary file
    bool FCreated = false;             // ... and it exists on disk
    std::uint64_t FDiskSize = 0;       // bytes of whole lines in it
    int FDiskRecords = 0;              // records among them
    bool FCutPending = false;          // bytes of a failed write may follow them
    std::deque<std::string> FPending;  // GBK lines not yet on disk
    std::string FFailure;
    std::string FFailureReason;
    std::vector<std::string> FFinishedFiles;
    std::vector<std::string> FStrandedFiles;
    std::vector<std::string> FProblems;
};
