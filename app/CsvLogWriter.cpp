#include "app/CsvLogWriter.h"

#include "app/UniqueFileName.h"
#include "rtl/FileUtils.h"
#include "rtl/Gbk.h"
#include "rtl/NumberFormat.h"

#include <utility>

namespace {

std::string GbkLine(const std::string& Utf8)
{
    return Gbk::ToGbk(Utf8) + "\r\n";
}

}  // namespace

TCsvLogWriter::TCsvLogWriter(std::string TempFileName, std::string LogFileName, int MaxRecordPerFile,
                             std::unique_ptr<TLogFileSystem> Files)
    : FFiles(std::move(Files)),
      FTempFileName(std::move(TempFileName)),
      FFinalLogFileName(FileExists(LogFileName) ? UniqueFileName(LogFileName) : std::move(LogFileName)),
      FMaxRecordPerFile(MaxRecordPerFile < 1 ? 1 : MaxRecordPerFile)
{
}

void TCsvLogWriter::OpenNewLogFile(int AxisFormat, const std::vector<TCsvColumn>& Columns)
{
    while (FileExists(FTempFileName))
        FTempFileName = UniqueFileName(FTempFileName);
    FOpened = true;
    FCreated = false;
    FPending.clear();
    FPending.push_back(GbkLine(TCsvLine::Header(AxisFormat, Columns)));
    Flush();
}

void TCsvLogWriter::WriteRecord(const TCsvRecord& Record)
{
    if (FRecordCount > 0 && FRecordCount % FMaxRecordPerFile == 0) {
        FinishLogFile();
        OpenNewLogFile(Record.AxisFormat, Record.Columns);
    } else if (!FOpened) {
        OpenNewLogFile(Record.AxisFormat, Record.Columns);
    }
    const std::string first = TCsvLine::FirstField(Record.AxisFormat, Record.Now, Record.ElapsedSeconds,
                                                   FRecordCount + 1);
    ++FRecordCount;
    FPending.push_back(GbkLine(TCsvLine::Record(first, Record.Texts)));
    Flush();
}

bool TCsvLogWriter::FinishLogFile()
{
    if (!FOpened)
        return true;
    Flush();
    FOpened = false;
    const int pending = PendingRecords();
    FPending.clear();
    // What is not on disk now is lost: the failure that kept it off is
    // over for this file.
    const bool complete = FFailure.empty();
    ReportLost(pending);
    FFailure.clear();
    FFailureReason.clear();
    if (!FCreated)
        return false;
    if (FDiskSize == 0) {
        // Not even the header is on disk: an empty file is no log.
        DeleteFile(FTempFileName);
        return false;
    }
    while (FileExists(FFinalLogFileName))
        FFinalLogFileName = UniqueFileName(FFinalLogFileName);
    const std::error_code error = FFiles->Rename(FTempFileName, FFinalLogFileName);
    if (!error) {
        FFinishedFiles.push_back(FFinalLogFileName);
        return complete;
    }
    const std::string lost = pending > 0 ? "，" + IntToStr(pending) + " 条记录未能保存" : std::string();
    if (FileExists(FTempFileName)) {
        Report("无法保存记录文件: " + FFinalLogFileName + " (" + error.message() + ")，数据保存在: " + FTempFileName +
               lost);
        FStrandedFiles.push_back(FTempFileName);
    } else {
        // Gone with its folder: the records that reached it are lost too.
        Report("记录文件已丢失: " + FTempFileName + "，" + IntToStr(FDiskRecords + pending) + " 条记录未能保存");
    }
    return false;
}

// The lines are written one by one and counted on disk only once whole;
// after a failure the file is cut back to the last whole line before
// anything else is written, so no record is ever glued to a fragment.
bool TCsvLogWriter::Flush()
{
    if (FPending.empty())
        return true;
    if (!FCreated) {
        // A file that appeared under our name meanwhile is not ours.
        while (FileExists(FTempFileName))
            FTempFileName = UniqueFileName(FTempFileName);
        if (const std::error_code error = FFiles->CreateNew(FTempFileName)) {
            Fail("无法创建记录文件: ", error);
            return false;
        }
        FCreated = true;
        FDiskSize = 0;
        FDiskRecords = 0;
        FCutPending = false;
    }
    if (FCutPending) {
        if (const std::error_code error = FFiles->Truncate(FTempFileName, FDiskSize)) {
            Fail("无法写入记录文件: ", error);
            return false;
        }
    }
    FCutPending = false;
    while (!FPending.empty()) {
        const std::string& line = FPending.front();
        if (const std::error_code error = FFiles->Append(FTempFileName, line)) {
            // Cut off at once what reached the disk, so the file ends in a
            // whole line even if no retry comes; the line is kept for the next.
            FCutPending = static_cast<bool>(FFiles->Truncate(FTempFileName, FDiskSize));
            Fail("无法写入记录文件: ", error);
            return false;
        }
        // The header is always the file's first line.
        if (FDiskSize > 0)
            ++FDiskRecords;
        FDiskSize += line.size();
        FPending.pop_front();
    }
    FFailure.clear();
    FFailureReason.clear();
    return true;
}

// The header waits first in line until it is on disk.
int TCsvLogWriter::PendingRecords() const
{
    const std::size_t header = FDiskSize == 0 && !FPending.empty() ? 1 : 0;
    return static_cast<int>(FPending.size() - header);
}

void TCsvLogWriter::Fail(const std::string& What, const std::error_code& Error)
{
    FFailureReason = Error.message();
    FFailure = What + FTempFileName + " (" + FFailureReason + ")";
    Report(FFailure);
}

void TCsvLogWriter::Report(const std::string& Text)
{
    if (FProblems.empty() || FProblems.back() != Text)
        FProblems.push_back(Text);
}

// The file's failure, now with what it cost; it stands in for the same
// failure's line without the count.
void TCsvLogWriter::ReportLost(int Records)
{
    if (Records <= 0)
        return;
    const std::string line = FFailure + "，" + IntToStr(Records) + " 条记录未能保存";
    if (!FProblems.empty() && FProblems.back() == FFailure)
        FProblems.back() = line;
    else
        FProblems.push_back(line);
}
