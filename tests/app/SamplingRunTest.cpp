#include "app/SamplingRun.h"

#include "SampleFakes.h"
#include "ScratchDir.h"
#include "rtl/Gbk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadText(const std::string& Name)
{
    std::ifstream in(Name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return Gbk::FromGbk(s.str());
}

int LineCount(const std::string& Text)
{
    return static_cast<int>(std::count(Text.begin(), Text.end(), '\n'));
}

class SamplingRunTest : public ::testing::Test {
protected:
    SamplingRunTest() : FDev1(1, 0, 0, 2), FDev2(2, 1, 10, 1), FDev3(3, 2, 20, 1) {}

    void MakeRun(const TSampleSettings& Settings)
    {
        auto writer = std::make_unique<TCsvLogWriter>(FDir / "$$$RunningLogFile.$$$", FDir / "run.csv",
                                                      Settings.MaxRecordPerFile);
        TRunClock clock{[this] { return FTick; }, [] { return EncodeDate(2026, 1, 2) + EncodeTime(3, 4, 5, 6); }};
        FRun = std::make_unique<TSamplingRun>(Settings, std::vector<TSampleDevice*>{&FDev1, &FDev2, &FDev3}, &FView,
                                              std::move(writer), clock);
    }

    // One polling cycle: device 2 silent unless Silent2 is false.
    void Cycle(std::int32_t Value, bool Silent2 = true)
    {
        FRun->Reply(&FDev1, true, {Value, Value + 1});
        FRun->PollProgress(&FDev1);
        FTick += 10;
        FRun->Reply(&FDev2, !Silent2, Silent2 ? std::vector<std::int32_t>{} : std::vector<std::int32_t>{Value});
        FRun->PollProgress(&FDev2);
        FTick += 10;
        FRun->Reply(&FDev3, true, {Value});
        FRun->PollProgress(&FDev3);
        FTick += 10;
        if (auto record = FRun->EndOfCycle())
            FRun->WriteRecord(*record);
    }

    std::string Log() const { return ReadText(FDir / "run.csv"); }

    TScratchDir FDir;
    TFakeSampleDevice FDev1, FDev2, FDev3;
    TFakeSampleView FView;
    std::uint64_t FTick = 1000;
    std::unique_ptr<TSamplingRun> FRun;
};

TEST_F(SamplingRunTest, SilentDeviceShowsNoValueAndTimeOutInTheLogState)
{
    MakeRun({});
    Cycle(5);
    EXPECT_EQ((std::vector<std::string>{"", "超时", ""}), FView.LogStates);
    EXPECT_TRUE(FDev1.Online());
    EXPECT_FALSE(FDev2.Online());
    EXPECT_TRUE(FDev3.Online());
    EXPECT_EQ("-------", FDev2.DisplayText(0));
    EXPECT_EQ("6", FDev1.DisplayText(1));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), FView.Progress);
    EXPECT_EQ("3", FView.PollingId);
}

TEST_F(SamplingRunTest, TooFewValuesCountAsNoAnswer)
{
    MakeRun({});
    FRun->Reply(&FDev1, true, {7});
    EXPECT_FALSE(FDev1.Online());
    EXPECT_EQ("-------", FDev1.DisplayText(0));
    EXPECT_EQ("超时", FView.LogStates.back());
}

TEST_F(SamplingRunTest, PollProgressWrapsAfterTenParts)
{
    MakeRun({});
    for (int i = 0; i < 4; ++i)
        Cycle(1);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}), FView.Progress);
}

TEST_F(SamplingRunTest, StartAtOnceWritesEverySecondCycleWithIntervalZero)
{
    TSampleSettings s;
    s.AxisFormat = 2;
    MakeRun(s);
    for (int v = 1; v <= 6; ++v)
        Cycle(v);
    ASSERT_TRUE(FRun->FinishLogFile());
    EXPECT_EQ(
        "采样点编号,S1C1(bar),S1C2(bar),S2C1(bar),S3C1(bar)\r\n"
        "1,1,2,-------,1\r\n"
        "2,3,4,-------,3\r\n"
        "3,5,6,-------,5\r\n",
        Log());
    // Chart points only in the cycles whose end writes a record, not for
    // the silent device.
    EXPECT_EQ((std::vector<double>{1, 2, 3}), FDev1.ChartX);
    EXPECT_TRUE(FDev2.ChartX.empty());
}

// The run hands on the values it decoded: the chart and the record get
// them from the run, not from what the devices show by the time they are
// taken.
TEST_F(SamplingRunTest, TheChartAndTheRecordTakeTheDecodedValuesFromTheRun)
{
    TSampleSettings s;
    s.AxisFormat = 2;
    MakeRun(s);
    Cycle(1);  // a record
    Cycle(3);  // the next one armed
    FRun->Reply(&FDev1, true, {7, 8});
    FDev1.Channel(0).Raw = 99;  // shown otherwise meanwhile
    FRun->Reply(&FDev2, false, {});
    FRun->Reply(&FDev3, true, {9});
    const std::optional<TCsvRecord> record = FRun->EndOfCycle();
    ASSERT_TRUE(record);
    EXPECT_EQ((std::vector<std::string>{"7", "8", "-------", "9"}), record->Texts);
    EXPECT_EQ((std::vector<std::vector<double>>{{1, 2}, {7, 8}}), FDev1.ChartValues);
    EXPECT_EQ((std::vector<std::vector<double>>{{1}, {9}}), FDev3.ChartValues);
}

TEST_F(SamplingRunTest, LogIntervalIsMeasuredOnTheMonotonicClock)
{
    TSampleSettings s;
    s.AxisFormat = 1;
    s.LogInterval = 0.1;  // 100 ms; one cycle takes 30 ms here
    MakeRun(s);
    for (int v = 1; v <= 10; ++v)
        Cycle(v);
    FRun->FinishLogFile();
    // Cycles end every 30 ms. Record 1 at the end of cycle 1; the next is
    // armed at the end of cycle 4 (120 ms after the start), written at the
    // end of cycle 5; armed in cycle 8, written in cycle 9. The seconds are
    // those of the last poll before the record.
    EXPECT_EQ(
        "相对时间(秒),S1C1(bar),S1C2(bar),S2C1(bar),S3C1(bar)\r\n"
        "0.020,1,2,-------,1\r\n"
        "0.140,5,6,-------,5\r\n"
        "0.260,9,10,-------,9\r\n",
        Log());
    EXPECT_FALSE(FRun->LogPending());
    Cycle(11);
    Cycle(12);
    EXPECT_TRUE(FRun->LogPending());
}

TEST_F(SamplingRunTest, StartByAnyTrigger)
{
    TSampleSettings s;
    s.StartMode = 1;
    s.AxisFormat = 2;
    MakeRun(s);
    FDev3.Channel(0).IsStart = true;
    FDev3.Channel(0).StartLevel = 10;
    Cycle(5);
    Cycle(6);
    EXPECT_FALSE(FRun->Recording());
    EXPECT_FALSE(std::filesystem::exists(FDir / "$$$RunningLogFile.$$$"));
    Cycle(11);
    EXPECT_TRUE(FRun->Recording());
    Cycle(12);
    FRun->FinishLogFile();
    EXPECT_EQ(2, LineCount(Log()));
    EXPECT_NE(std::string::npos, Log().find("\r\n1,11,12,-------,11\r\n"));
}

TEST_F(SamplingRunTest, AllStartTriggeredWithoutTriggerChannelsNeverStarts)
{
    TSampleSettings s;
    s.StartMode = 1;
    s.StartTriggerLogic = 1;
    MakeRun(s);
    for (int v = 0; v < 5; ++v)
        Cycle(100 * v);
    EXPECT_FALSE(FRun->Recording());
    EXPECT_FALSE(FRun->AllStartTriggered());
    EXPECT_TRUE(FRun->FinishLogFile());
    EXPECT_FALSE(std::filesystem::exists(FDir / "run.csv"));
}

TEST_F(SamplingRunTest, AllStartTriggeredNeedsEveryTriggerChannel)
{
    TSampleSettings s;
    s.StartMode = 1;
    s.StartTriggerLogic = 1;
    MakeRun(s);
    FDev1.Channel(0).IsStart = true;
    FDev1.Channel(0).StartLevel = 10;
    FDev3.Channel(0).IsStart = true;
    FDev3.Channel(0).StartLevel = 10;
    FRun->Reply(&FDev1, true, {10, 0});
    EXPECT_TRUE(FRun->AnyStartTriggered());
    EXPECT_FALSE(FRun->Recording());
    FRun->Reply(&FDev3, true, {10});
    EXPECT_TRUE(FRun->Recording());
}

TEST_F(SamplingRunTest, StopAfterDurationWritesOneFinalRecordAndPostsOneStop)
{
    TSampleSettings s;
    s.StopMode = 1;
    s.LogDuration = TSampleSettings::DurationSeconds(1, 1);  // one minute
    s.AxisFormat = 2;
    MakeRun(s);
    Cycle(1);  // logging starts, record 1
    FTick += 59'900;
    FRun->Reply(&FDev1, true, {2, 3});  // 59.91 s
    EXPECT_TRUE(FRun->Recording());
    FTick += 100;
    FRun->Reply(&FDev1, true, {4, 5});  // 60.01 s: final record
    EXPECT_FALSE(FRun->Recording());
    EXPECT_TRUE(FRun->AutoStopped());
    EXPECT_EQ(1, FView.StopMessages);
    // Polls that still come in before the stop is handled change nothing.
    Cycle(9);
    Cycle(10);
    EXPECT_FALSE(FRun->Recording());
    EXPECT_EQ(1, FView.StopMessages);
    ASSERT_TRUE(FRun->FinishLogFile());
    EXPECT_EQ(
        "采样点编号,S1C1(bar),S1C2(bar),S2C1(bar),S3C1(bar)\r\n"
        "1,1,2,-------,1\r\n"
        "2,4,5,-------,1\r\n",
        Log());
    EXPECT_EQ((std::vector<std::string>{FDir / "run.csv"}), FRun->Writer().FinishedFiles());
}

TEST_F(SamplingRunTest, DurationEndsTheRunAlsoWhenEveryDeviceIsSilent)
{
    TSampleSettings s;
    s.StopMode = 1;
    s.LogDuration = 5;
    MakeRun(s);
    Cycle(1);
    ASSERT_TRUE(FRun->Recording());
    FTick += 6000;
    FRun->Reply(&FDev2, false, {});
    EXPECT_FALSE(FRun->Recording());
    EXPECT_EQ(1, FView.StopMessages);
}

TEST_F(SamplingRunTest, StopByTrigger)
{
    TSampleSettings s;
    s.StopMode = 2;
    MakeRun(s);
    FDev1.Channel(1).IsStop = true;
    FDev1.Channel(1).StartLevel = 0;
    FDev1.Channel(1).StopLevel = 3;
    Cycle(10);
    Cycle(10);
    EXPECT_TRUE(FRun->Recording());
    FRun->Reply(&FDev1, true, {1, 2});
    EXPECT_FALSE(FRun->Recording());
    EXPECT_EQ(1, FView.StopMessages);
}

TEST_F(SamplingRunTest, AllStopTriggeredNeedsEveryStopChannel)
{
    TSampleSettings s;
    s.StopMode = 2;
    s.StopTriggerLogic = 1;
    MakeRun(s);
    for (TFakeSampleDevice* d : {&FDev1, &FDev3}) {
        d->Channel(0).IsStop = true;
        d->Channel(0).StopLevel = 3;
    }
    Cycle(10);
    FRun->Reply(&FDev1, true, {1, 10});
    EXPECT_TRUE(FRun->AnyStopTriggered());
    EXPECT_FALSE(FRun->AllStopTriggered());
    EXPECT_TRUE(FRun->Recording());
    FRun->Reply(&FDev3, true, {2});
    EXPECT_FALSE(FRun->Recording());
    EXPECT_EQ(1, FView.StopMessages);
}

TEST_F(SamplingRunTest, StopTriggersFiredWhenLoggingStartsEndTheRunWithOneRecord)
{
    TSampleSettings s;
    s.StartMode = 1;
    s.StopMode = 2;
    s.AxisFormat = 2;
    MakeRun(s);
    // The stop channel has fired before logging starts; the start channel
    // fires with the same answer.
    FDev1.Channel(1).IsStop = true;
    FDev1.Channel(1).StopLevel = 3;
    FDev1.Channel(0).IsStart = true;
    FDev1.Channel(0).StartLevel = 50;
    FRun->Reply(&FDev1, true, {1, 2});
    EXPECT_FALSE(FRun->Recording());
    FRun->Reply(&FDev1, true, {60, 2});
    EXPECT_FALSE(FRun->Recording());
    EXPECT_TRUE(FRun->AutoStopped());
    EXPECT_EQ(1, FView.StopMessages);
    ASSERT_TRUE(FRun->FinishLogFile());
    EXPECT_EQ(
        "采样点编号,S1C1(bar),S1C2(bar),S2C1(bar),S3C1(bar)\r\n"
        "1,60,2,-------,-------\r\n",
        Log());
}

TEST_F(SamplingRunTest, TriggerLogicOtherThanAnyOrAllNeverDecides)
{
    TSampleSettings s;
    s.StartMode = 1;
    s.StartTriggerLogic = 2;
    MakeRun(s);
    FDev1.Channel(0).IsStart = true;
    FRun->Reply(&FDev1, true, {5, 5});
    EXPECT_TRUE(FRun->AllStartTriggered());
    EXPECT_FALSE(FRun->Recording());

    s.StartMode = 0;
    s.StopMode = 2;
    s.StopTriggerLogic = 2;
    MakeRun(s);
    FDev1.Channel(1).IsStop = true;
    FDev1.Channel(1).StopLevel = 3;
    FRun->Reply(&FDev1, true, {5, 1});
    EXPECT_TRUE(FRun->AllStopTriggered());
    EXPECT_TRUE(FRun->Recording());
    EXPECT_EQ(0, FView.StopMessages);
}

TEST_F(SamplingRunTest, ChartXIsTheTimeOfDayForAxisFormat0)
{
    MakeRun({});
    FRun->Reply(&FDev1, true, {1, 1});
    EXPECT_EQ((std::vector<double>{EncodeDate(2026, 1, 2) + EncodeTime(3, 4, 5, 6)}), FDev1.ChartX);
}

TEST_F(SamplingRunTest, ElapsedLabelAndChartX)
{
    TSampleSettings s;
    s.AxisFormat = 1;
    MakeRun(s);
    FRun->Reply(&FDev1, true, {1, 1});
    EXPECT_EQ("0:00:0.0", FView.Elapsed);
    EXPECT_EQ((std::vector<double>{0.0}), FDev1.ChartX);
    FTick += 5300;
    FRun->Reply(&FDev1, true, {1, 1});
    EXPECT_EQ("0:00:5.3", FView.Elapsed);
    EXPECT_EQ((std::vector<double>{0.0, 5.3}), FDev1.ChartX);
}

TEST_F(SamplingRunTest, FileProblemsShowInTheLogStatePane)
{
    auto writer = std::make_unique<TCsvLogWriter>(FDir / "Temp/x.tmp", FDir / "run.csv", 100);
    TRunClock clock{[this] { return FTick; }, [] { return 0.0; }};
    TSamplingRun run({}, {&FDev1}, &FView, std::move(writer), clock);
    run.Reply(&FDev1, true, {1, 2});  // starts logging; the Temp directory is missing
    if (auto record = run.EndOfCycle())
        run.WriteRecord(*record);
    run.Reply(&FDev1, true, {1, 2});
    const std::string missing = std::make_error_code(std::errc::no_such_file_or_directory).message();
    EXPECT_EQ("无法写入记录文件 (" + missing + ")", FView.LogStates.back());
    run.Reply(&FDev1, false, {});
    EXPECT_EQ("超时", FView.LogStates.back());
    // The user is told once, with the file and the reason.
    run.Reply(&FDev1, true, {1, 2});
    EXPECT_EQ(1, FView.LogFailureMessages);
    EXPECT_EQ("无法创建记录文件: " + FDir / "Temp/x.tmp" + " (" + missing + ")\r\n" +
                  "采集继续进行，未能写入的记录暂存在内存中，可以写入时自动补写。",
              run.FailureNotice());
    // Once the records reach the disk again the pane says so.
    std::filesystem::create_directories(FDir / "Temp");
    for (int cycle = 0; cycle < 2; ++cycle)
        if (auto record = run.EndOfCycle())
            run.WriteRecord(*record);
    run.Reply(&FDev1, true, {1, 2});
    EXPECT_EQ("", FView.LogStates.back());
    EXPECT_EQ(1, FView.LogFailureMessages);
}

TEST_F(SamplingRunTest, ElapsedText)
{
    EXPECT_EQ("0:00:5.3", TSamplingRun::ElapsedText(5.3));
    EXPECT_EQ("1:02:5.3", TSamplingRun::ElapsedText(3725.25));
    EXPECT_EQ("27:46:40.0", TSamplingRun::ElapsedText(100000));
}

TEST_F(SamplingRunTest, ElapsedTextCarriesTheRoundedSecondIntoMinutesAndHours)
{
    EXPECT_EQ("0:00:0.0", TSamplingRun::ElapsedText(0));
    EXPECT_EQ("0:00:59.9", TSamplingRun::ElapsedText(59.94));
    EXPECT_EQ("0:01:0.0", TSamplingRun::ElapsedText(59.95));
    EXPECT_EQ("0:01:0.0", TSamplingRun::ElapsedText(59.96));
    EXPECT_EQ("0:01:0.0", TSamplingRun::ElapsedText(60.0));
    EXPECT_EQ("0:02:0.0", TSamplingRun::ElapsedText(119.99));
    EXPECT_EQ("0:59:59.9", TSamplingRun::ElapsedText(3599.94));
    EXPECT_EQ("1:00:0.0", TSamplingRun::ElapsedText(3599.96));
    EXPECT_EQ("2:00:0.0", TSamplingRun::ElapsedText(7199.999));
    EXPECT_EQ("0:00:10.0", TSamplingRun::ElapsedText(9.95));
}

TEST_F(SamplingRunTest, DurationUnits)
{
    EXPECT_EQ(2.0, TSampleSettings::DurationSeconds(2, 0));
    EXPECT_EQ(120.0, TSampleSettings::DurationSeconds(2, 1));
    EXPECT_EQ(7200.0, TSampleSettings::DurationSeconds(2, 2));
    EXPECT_EQ(172800.0, TSampleSettings::DurationSeconds(2, 3));
    EXPECT_EQ(30.0 * 86400, TSampleSettings::DurationSeconds(1, 4));
    EXPECT_EQ(365.0 * 86400, TSampleSettings::DurationSeconds(1, 5));
}

}  // namespace
