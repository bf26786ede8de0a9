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

TCsvLogWriter::TCsvLogWriter(std::string TempFileName, std::string LogFileName,
                             int MaxRecordPerFile, std::unique_ptr<TLogFileSystem> Files)
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
    const std::string first =
        TCsvLine::FirstField(Record.AxisFormat, Record.Now, Record.ElapsedSeconds, FRecordCount + 1);
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
    if (!FCreated) {
        Report("无法创建记录文件: " + FTempFileName + "，" + IntToStr(static_cast<std::int64_t>(FPending.size()) - 1) +
               " 条记录未能保存");
        FPending.clear();
        return false;
    }
    bool ok = true;
    if (!FPending.empty()) {
        Report("无法写入记录文件: " + FTempFileName + "，" + IntToStr(static_cast<std::int64_t>(FPending.size())) +
               " 条记录未能保存");
        ok = false;
    }
    FPending.clear();
    while (FileExists(FFinalLogFileName))
        FFinalLogFileName = UniqueFileName(FFinalLogFileName);
    if (!RenameFile(FTempFileName, FFinalLogFileName)) {
        Report("无法保存记录文件: " + FFinalLogFileName + "，数据保存在: " + FTempFileName);
        return false;
    }
    FFinishedFiles.push_back(FFinalLogFileName);
    return ok;
}

bool TCsvLogWriter::Flush()
{
    if (FPending.empty())
        return true;
    if (!FCreated) {
        // A file that appeared under our name meanwhile is not ours.
        while (FileExists(FTempFileName))
            FTempFileName = UniqueFileName(FTempFileName);
        if (!FFiles->CreateNew(FTempFileName)) {
            Report("无法创建记录文件: " + FTempFileName);
            return false;
        }
        FCreated = true;
    }
    std::string bytes;
    for (const std::string& line : FPending)
        bytes += line;
    if (!FFiles->Append(FTempFileName, bytes)) {
        // What reached the disk is unknown; the lines are kept for the next try.
        Report("无法写入记录文件: " + FTempFileName);
        return false;
    }
    FPending.clear();
    return true;
}

void TCsvLogWriter::Report(const std::string& Text)
{
    if (FProblems.empty() || FProblems.back() != Text)
        FProblems.push_back(Text);
}
