#include "app/CsvLogWriter.h"

#include "ScratchDir.h"
#include "rtl/Gbk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string ReadBytes(const std::string& Name)
{
    std::ifstream in(Name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> FilesIn(const std::string& Dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(Dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TCsvRecord Record(int AxisFormat, std::vector<std::string> Texts)
{
    TCsvRecord r;
    r.AxisFormat = AxisFormat;
    r.Columns = {{"压力", "MPa"}, {"温度", ""}};
    r.Texts = std::move(Texts);
    return r;
}

// Real files whose appends fail on cue: the numbered call (from 1) writes
// only its first bytes and reports failure, as a disk that fills up does.
class TFailingFiles : public TLogFileSystem {
public:
    std::error_code Append(const std::string& FileName, const std::string& Bytes) override
    {
        const auto failing = PartialAppends.find(++FAppends);
        if (failing == PartialAppends.end() && FAppends < FailFrom)
            return TLogFileSystem::Append(FileName, Bytes);
        const std::size_t kept = failing == PartialAppends.end() ? Bytes.size() / 2 : failing->second;
        TLogFileSystem::Append(FileName, Bytes.substr(0, kept));
        return std::make_error_code(std::errc::no_space_on_device);
    }
    std::error_code Truncate(const std::string& FileName, std::uint64_t Size) override
    {
        if (FailingTruncates > 0) {
            --FailingTruncates;
            return std::make_error_code(std::errc::io_error);
        }
        return TLogFileSystem::Truncate(FileName, Size);
    }

    std::map<int, std::size_t> PartialAppends;  // call number -> bytes kept
    int FailFrom = 1 << 30;                     // this call and all later ones fail half-way
    int FailingTruncates = 0;                   // the next ones fail

private:
    int FAppends = 0;
};

class CsvLogWriterTest : public ::testing::Test {
protected:
    CsvLogWriterTest()
    {
        std::filesystem::create_directories(FDir / "Data");
        std::filesystem::create_directories(FDir / "Temp");
    }
    std::string Temp() const { return FDir / "Temp/$$$RunningLogFile.$$$"; }
    std::string Data(const std::string& Name) const { return FDir / ("Data/" + Name); }

    TScratchDir FDir;
};

TEST_F(CsvLogWriterTest, HeaderAndRecordsAreGbkWithCrLf)
{
    TCsvLogWriter w(Temp(), Data("run.csv"), 100);
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    w.WriteRecord(Record(2, {"1.50", "-------"}));
    w.WriteRecord(Record(2, {"2.25", "-3"}));
    ASSERT_TRUE(w.FinishLogFile());

    const std::string bytes = ReadBytes(Data("run.csv"));
    EXPECT_EQ(Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n1,1.50,-------\r\n2,2.25,-3\r\n"), bytes);
    // The Chinese header is two bytes per character on disk.
    EXPECT_EQ(std::string("\xB2\xC9", 2), bytes.substr(0, 2));
    EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
}

TEST_F(CsvLogWriterTest, EachRecordIsOnDiskBeforeTheNext)
{
    TCsvLogWriter w(Temp(), Data("run.csv"), 100);
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    EXPECT_EQ(Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n"), ReadBytes(Temp()));
    w.WriteRecord(Record(2, {"1", "2"}));
    EXPECT_EQ(Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n1,1,2\r\n"), ReadBytes(Temp()));
}

TEST_F(CsvLogWriterTest, RolloverAtTheRecordLimitGivesNumberedFilesWithHeaders)
{
    TCsvLogWriter w(Temp(), Data("run.csv"), 10);
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    for (int i = 0; i < 25; ++i)
        w.WriteRecord(Record(2, {std::to_string(i), "x"}));
    ASSERT_TRUE(w.FinishLogFile());

    ASSERT_EQ((std::vector<std::string>{Data("run.csv"), Data("run(2).csv"), Data("run(3).csv")}), w.FinishedFiles());
    const std::string header = "采样点编号,压力(MPa),温度\r\n";
    int record = 0;
    for (int file = 0; file < 3; ++file) {
        std::string expected = header;
        for (int n = 0; n < (file < 2 ? 10 : 5); ++n, ++record)
            expected += std::to_string(record + 1) + "," + std::to_string(record) + ",x\r\n";
        EXPECT_EQ(Gbk::ToGbk(expected), ReadBytes(w.FinishedFiles()[file])) << "file " << file;
    }
    EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
}

TEST_F(CsvLogWriterTest, AnExistingLogFileIsNeverOverwritten)
{
    std::ofstream(Data("run.csv")) << "old";
    TCsvLogWriter w(Temp(), Data("run.csv"), 100);
    EXPECT_EQ(Data("run(2).csv"), w.FinalLogFileName());
    w.OpenNewLogFile(0, {});
    w.WriteRecord(Record(2, {"1", "2"}));
    ASSERT_TRUE(w.FinishLogFile());
    EXPECT_EQ("old", ReadBytes(Data("run.csv")));
    EXPECT_EQ((std::vector<std::string>{Data("run(2).csv")}), w.FinishedFiles());
}

TEST_F(CsvLogWriterTest, AStaleTempFileIsLeftAloneAndNeverBecomesTheLog)
{
    std::ofstream(Temp()) << "crashed run";
    {
        // A run that never began logging moves nothing.
        TCsvLogWriter idle(Temp(), Data("a.csv"), 100);
        EXPECT_TRUE(idle.FinishLogFile());
        EXPECT_FALSE(std::filesystem::exists(Data("a.csv")));
    }
    TCsvLogWriter w(Temp(), Data("b.csv"), 100);
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    EXPECT_EQ(FDir / "Temp/$$$RunningLogFile(2).$$$", w.TempFileName());
    w.WriteRecord(Record(2, {"1", "2"}));
    ASSERT_TRUE(w.FinishLogFile());
    EXPECT_EQ("crashed run", ReadBytes(Temp()));
    EXPECT_EQ(Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n1,1,2\r\n"), ReadBytes(Data("b.csv")));
}

TEST_F(CsvLogWriterTest, ARenameFailureIsReportedWithWhereTheDataIs)
{
    TCsvLogWriter w(Temp(), FDir / "Missing/run.csv", 100);
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    w.WriteRecord(Record(2, {"1", "2"}));
    EXPECT_FALSE(w.FinishLogFile());
    ASSERT_EQ(1u, w.Problems().size());
    EXPECT_NE(std::string::npos, w.Problems()[0].find(FDir / "Missing/run.csv"));
    EXPECT_NE(std::string::npos, w.Problems()[0].find(Temp()));
    EXPECT_EQ(Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n1,1,2\r\n"), ReadBytes(Temp()));
}

TEST_F(CsvLogWriterTest, RecordsThatCouldNotBeWrittenAreKeptAndWrittenLater)
{
    std::filesystem::remove_all(FDir / "Temp");
    TCsvLogWriter w(Temp(), Data("run.csv"), 100);
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    w.WriteRecord(Record(2, {"1", "a"}));
    ASSERT_FALSE(w.Problems().empty());
    EXPECT_NE(std::string::npos, w.Problems().back().find(Temp()));

    std::filesystem::create_directories(FDir / "Temp");
    w.WriteRecord(Record(2, {"2", "b"}));
    ASSERT_TRUE(w.FinishLogFile());
    EXPECT_EQ(Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n1,1,a\r\n2,2,b\r\n"), ReadBytes(Data("run.csv")));
}

TEST_F(CsvLogWriterTest, ACreateFailureUntilTheEndIsReportedWithTheCountOfLostRecords)
{
    std::filesystem::remove_all(FDir / "Temp");
    TCsvLogWriter w(Temp(), Data("run.csv"), 100);
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    w.WriteRecord(Record(2, {"1", "a"}));
    w.WriteRecord(Record(2, {"2", "b"}));
    EXPECT_FALSE(w.FinishLogFile());
    EXPECT_NE(std::string::npos, w.Problems().back().find("2 条记录未能保存"));
    EXPECT_FALSE(std::filesystem::exists(Data("run.csv")));
}

// After a write that failed half-way the file is cut back to its last
// whole line, so a retry never glues a record onto a fragment.
TEST_F(CsvLogWriterTest, APartialWriteIsCutBackBeforeTheRetry)
{
    auto files = std::make_unique<TFailingFiles>();
    files->PartialAppends = {{3, 3}};  // the header, record 1, then 3 bytes of record 2
    TCsvLogWriter w(Temp(), Data("run.csv"), 100, std::move(files));
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    const std::string header = Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n");
    w.WriteRecord(Record(2, {"1.50", "a"}));
    w.WriteRecord(Record(2, {"2.50", "b"}));
    EXPECT_EQ(header + "1,1.50,a\r\n", ReadBytes(Temp()));
    ASSERT_FALSE(w.Problems().empty());

    w.WriteRecord(Record(2, {"3.50", "c"}));
    EXPECT_TRUE(w.FinishLogFile());
    EXPECT_EQ(header + "1,1.50,a\r\n2,2.50,b\r\n3,3.50,c\r\n", ReadBytes(Data("run.csv")));
}

TEST_F(CsvLogWriterTest, ACutThatFailsIsTriedAgainBeforeTheNextWrite)
{
    auto files = std::make_unique<TFailingFiles>();
    files->PartialAppends = {{2, 5}};
    files->FailingTruncates = 1;
    TCsvLogWriter w(Temp(), Data("run.csv"), 100, std::move(files));
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    w.WriteRecord(Record(2, {"1", "a"}));
    w.WriteRecord(Record(2, {"2", "b"}));
    EXPECT_TRUE(w.FinishLogFile());
    EXPECT_EQ(Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n1,1,a\r\n2,2,b\r\n"), ReadBytes(Data("run.csv")));
}

TEST_F(CsvLogWriterTest, ARunThatEndsWhileWritesFailKeepsOnlyWholeRecords)
{
    auto files = std::make_unique<TFailingFiles>();
    files->FailFrom = 3;  // the header and record 1 reach the disk
    TCsvLogWriter w(Temp(), Data("run.csv"), 100, std::move(files));
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    for (int i = 1; i <= 3; ++i)
        w.WriteRecord(Record(2, {std::to_string(i), "x"}));
    EXPECT_FALSE(w.FinishLogFile());
    EXPECT_EQ(Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n1,1,x\r\n"), ReadBytes(Data("run.csv")));
    EXPECT_NE(std::string::npos, w.Problems().back().find("2 条记录未能保存")) << w.Problems().back();
    EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
}

// A header that never reached the disk is no lost record, and the empty
// file (or the header's fragment) is not handed over as a log.
TEST_F(CsvLogWriterTest, AHeaderThatNeverReachedTheDiskLeavesNoFileAndCountsOnlyRecords)
{
    for (const std::size_t kept : {std::size_t{0}, std::size_t{4}}) {
        SCOPED_TRACE(kept);
        auto files = std::make_unique<TFailingFiles>();
        files->FailFrom = 1;
        files->PartialAppends = {{1, kept}};
        TCsvLogWriter w(Temp(), Data("run.csv"), 100, std::move(files));
        w.OpenNewLogFile(2, Record(2, {}).Columns);
        w.WriteRecord(Record(2, {"1", "a"}));
        w.WriteRecord(Record(2, {"2", "b"}));
        EXPECT_FALSE(w.FinishLogFile());
        EXPECT_NE(std::string::npos, w.Problems().back().find("，2 条记录未能保存")) << w.Problems().back();
        EXPECT_TRUE(FilesIn(FDir / "Data").empty());
        EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
    }
}

// The last line about a file that could not be written says why, and how
// many of its records were lost: once, not once per failed write.
TEST_F(CsvLogWriterTest, FailuresGiveTheSystemsReasonAndTheLostCountOnce)
{
    auto files = std::make_unique<TFailingFiles>();
    files->FailFrom = 3;
    TCsvLogWriter w(Temp(), Data("run.csv"), 100, std::move(files));
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    for (int i = 1; i <= 4; ++i)
        w.WriteRecord(Record(2, {std::to_string(i), "x"}));
    EXPECT_FALSE(w.FinishLogFile());
    const std::string full = std::make_error_code(std::errc::no_space_on_device).message();
    EXPECT_EQ((std::vector<std::string>{"无法写入记录文件: " + Temp() + " (" + full + ")，3 条记录未能保存"}),
              w.Problems());
    EXPECT_EQ((std::vector<std::string>{Data("run.csv")}), w.FinishedFiles());
}

// A temporary file that went away with its folder holds nothing: the end
// must not send the user looking for it, and counts its records as lost.
TEST_F(CsvLogWriterTest, ATempFileThatWentAwayIsNotNamedAsHoldingTheRecords)
{
    TCsvLogWriter w(Temp(), Data("run.csv"), 100);
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    w.WriteRecord(Record(2, {"1", "a"}));
    w.WriteRecord(Record(2, {"2", "b"}));
    std::filesystem::remove_all(FDir / "Temp");
    w.WriteRecord(Record(2, {"3", "c"}));
    EXPECT_FALSE(w.FinishLogFile());
    ASSERT_FALSE(w.Problems().empty());
    for (const std::string& line : w.Problems())
        EXPECT_EQ(std::string::npos, line.find("数据保存在")) << line;
    EXPECT_EQ("记录文件已丢失: " + Temp() + "，3 条记录未能保存", w.Problems().back());
    EXPECT_TRUE(w.FinishedFiles().empty());
    EXPECT_TRUE(FilesIn(FDir / "Data").empty());
}

TEST_F(CsvLogWriterTest, AHeaderWrittenOnlyInPartIsWrittenWholeLater)
{
    auto files = std::make_unique<TFailingFiles>();
    files->PartialAppends = {{1, 4}};
    TCsvLogWriter w(Temp(), Data("run.csv"), 100, std::move(files));
    w.OpenNewLogFile(2, Record(2, {}).Columns);
    EXPECT_EQ("", ReadBytes(Temp()));
    w.WriteRecord(Record(2, {"1", "a"}));
    EXPECT_TRUE(w.FinishLogFile());
    EXPECT_EQ(Gbk::ToGbk("采样点编号,压力(MPa),温度\r\n1,1,a\r\n"), ReadBytes(Data("run.csv")));
}

}  // namespace
