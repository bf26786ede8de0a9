#include "app/RunningLogRecovery.h"

#include "ScratchDir.h"
#include "app/CsvLogWriter.h"
#include "rtl/Gbk.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TCsvRecord Record(std::vector<std::string> Texts)
{
    TCsvRecord r;
    r.AxisFormat = 2;
    r.Columns = {{"P", "bar"}};
    r.Texts = std::move(Texts);
    return r;
}

class RunningLogRecoveryTest : public ::testing::Test {
protected:
    RunningLogRecoveryTest()
    {
        fs::create_directories(FDir / "Temp");
        fs::create_directories(FDir / "Data");
    }
    std::string Temp(const std::string& Name) const { return FDir / ("Temp/" + Name); }
    std::string Data(const std::string& Name) const { return FDir / ("Data/" + Name); }
    std::string Recover(const std::string& DataDir)
    {
        TLogFileSystem files;
        return RecoverRunningLogs(FDir / "Temp", DataDir, files);
    }
    // Last written 2023-05-06 07:08:09, local time.
    static void Age(const std::string& Name) { TScratchDir::SetLastWrite(Name, 2023, 5, 6, 7, 8, 9); }

    TScratchDir FDir;
};

// A run still writing its log (another instance of the program) holds it:
// the log is not taken from under it, and the run goes on and finishes it.
// Once no run holds it, as when the program died, it is moved.
TEST_F(RunningLogRecoveryTest, ALogThatARunIsWritingIsLeftToIt)
{
    TCsvLogWriter live(Temp(RunningLogFileName), Data("live.csv"), 100);
    live.WriteRecord(Record({"1"}));
    EXPECT_EQ("", Recover(FDir / "Data"));
    live.WriteRecord(Record({"2"}));
    ASSERT_TRUE(live.FinishLogFile());
    EXPECT_EQ("采样点编号,P(bar)\r\n1,1\r\n2,2\r\n", Gbk::FromGbk(TScratchDir::Read(Data("live.csv"))));

    {
        TCsvLogWriter ended(Temp(RunningLogFileName), Data("ended.csv"), 100);
        ended.WriteRecord(Record({"3"}));
    }
    Age(Temp(RunningLogFileName));
    EXPECT_EQ("发现未正常结束的记录文件。\r\n数据已保存在: " + Data("20230506070809.csv") + "\r\n",
              Recover(FDir / "Data"));
    EXPECT_EQ("采样点编号,P(bar)\r\n1,3\r\n", Gbk::FromGbk(TScratchDir::Read(Data("20230506070809.csv"))));
    EXPECT_TRUE(fs::is_empty(FDir / "Temp"));
}

// Only the running logs' names are looked at; an empty log holds no record
// and stays. A log that cannot be moved stays too, and the message says
// why and where its records are.
TEST_F(RunningLogRecoveryTest, WhatIsNoLogOrCannotMoveStaysWhereItIs)
{
    for (const char* name : {"$$$RunningLogFile(x).$$$", "$$$RunningLogFile.$$$.csv", "RunningLogFile.$$$"})
        TScratchDir::Write(Temp(name), "1,2\r\n");
    TScratchDir::Write(Temp(RunningLogFileName), "");
    TScratchDir::Write(Temp("$$$RunningLogFile(12).$$$"), "1,2\r\n");
    Age(Temp("$$$RunningLogFile(12).$$$"));
    TScratchDir::Write(FDir / "NotAFolder", "x");

    EXPECT_EQ("发现未正常结束的记录文件。\r\n无法保存记录文件: " + FDir / "NotAFolder/20230506070809.csv" + " (" +
                  std::make_error_code(std::errc::not_a_directory).message() +
                  ")，数据保存在: " + Temp("$$$RunningLogFile(12).$$$") + "\r\n",
              Recover(FDir / "NotAFolder"));
    EXPECT_EQ(5u, std::distance(fs::directory_iterator(FDir / "Temp"), fs::directory_iterator()));
    EXPECT_EQ("1,2\r\n", TScratchDir::Read(Temp("$$$RunningLogFile(12).$$$")));

    // Into a folder that takes it, it moves; the rest stays.
    EXPECT_EQ("发现未正常结束的记录文件。\r\n数据已保存在: " + Data("20230506070809.csv") + "\r\n",
              Recover(FDir / "Data"));
    EXPECT_EQ("1,2\r\n", TScratchDir::Read(Data("20230506070809.csv")));
    EXPECT_EQ(4u, std::distance(fs::directory_iterator(FDir / "Temp"), fs::directory_iterator()));
    EXPECT_TRUE(fs::exists(Temp(RunningLogFileName)));
}

}  // namespace
