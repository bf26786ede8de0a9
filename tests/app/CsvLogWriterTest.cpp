#include "app/CsvLogWriter.h"

#include "ScratchDir.h"
#include "rtl/Gbk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

    ASSERT_EQ((std::vector<std::string>{Data("run.csv"), Data("run(2).csv"), Data("run(3).csv")}),
              w.FinishedFiles());
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

}  // namespace
