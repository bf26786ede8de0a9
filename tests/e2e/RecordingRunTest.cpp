// Whole recording runs: the sampling thread polls a simulated instrument
// line on a pseudo-terminal while this thread serves its hand-overs like
// the user-interface thread.
#include "app/RecordingControl.h"

#include "../app/SampleFakes.h"
#include "../app/ScratchDir.h"
#include "LibModbusServer.h"
#include "PtyPair.h"
#include "RecordingFakes.h"
#include "UiLoop.h"
#include "rtl/Exception.h"
#include "rtl/Gbk.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "tools/modbussim/SimConfig.h"
#include "tools/modbussim/Simulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <list>
#include <regex>
#include <sstream>
#include <sys/resource.h>
#include <thread>

namespace {

using namespace std::chrono;

std::string ReadText(const std::string& Name)
{
    std::ifstream in(Name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return Gbk::FromGbk(s.str());
}

std::vector<std::string> Lines(const std::string& Text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = Text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(Text.substr(start, end - start));
    EXPECT_EQ(start, Text.size()) << "every line ends in CR LF";
    return lines;
}

std::vector<std::string> FilesIn(const std::string& Dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(Dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The disk a run writes its log to: a folder it may not write to (which
// may be made so during a run: it is looked at on each use), and a disk
// that fills up after a number of writes, from when on appends go to
// /dev/full and fail there as on a full disk.
class TTestDisk : public TLogFileSystem {
public:
    TTestDisk(const std::string& Unwritable, int Room) : FUnwritable(Unwritable), FRoom(Room) {}

    std::error_code Append(const std::string& FileName, const std::string& Bytes) override
    {
        if (FRoom == 0)
            return TLogFileSystem::Append("/dev/full", Bytes);
        if (FRoom > 0)
            --FRoom;
        return TLogFileSystem::Append(FileName, Bytes);
    }
    std::error_code ProbeFolder(const std::string& Dir) override
    {
        if (Dir == FUnwritable)
            return std::make_error_code(std::errc::permission_denied);
        return TLogFileSystem::ProbeFolder(Dir);
    }
    std::error_code Rename(const std::string& From, const std::string& To) override
    {
        if (std::filesystem::path(To).parent_path() == FUnwritable)
            return std::make_error_code(std::errc::permission_denied);
        return TLogFileSystem::Rename(From, To);
    }

private:
    const std::string& FUnwritable;
    int FRoom;  // appends that still fit; -1 for no end
};

// The system's words for a folder that is gone.
std::string Missing()
{
    return std::make_error_code(std::errc::no_such_file_or_directory).message();
}

// The end of a run whose line went away (a hung-up terminal): the port,
// the system's reason, then Rest. The reason is that of the call that met
// the loss first: the next request's write, or the read of a reply that
// was arriving as the line went.
bool TellsLostLine(const std::string& Text, const std::string& Port, const std::string& Rest)
{
    const std::string head = "与串口 " + Port + " 的连接已断开，记录已停止。\r\n原因: ";
    const std::string tail = " function failed (Error: 31)\r\n" + Rest;
    return Text == head + "WriteFile" + tail || Text == head + "ReadFile" + tail;
}

class RecordingRunTest : public ::testing::Test {
protected:
    RecordingRunTest()
    {
        // Boxes this thread would show, as the program's window does, are
        // answered here and kept.
        FFormerResponder = SetDialogResponder([this](const TDialogRequest& R) {
            Boxes.push_back(R.Text);
            TDialogAnswer Answer;
            Answer.Result = IDOK;
            return Answer;
        });
        FView.LogFileName = FDir / "Data/run.csv";
        FOptions.AppDir = FDir.Path();
        FOptions.LogFilenameMode = 0;
        FOptions.Line = {FSim.PortPath(), 115200, 0};
        FOptions.Settings.PollDelay = 0;
        FOptions.Settings.PollTimeout = 1000;
        FOptions.Settings.AxisFormat = 2;
    }
    ~RecordingRunTest() override
    {
        FControl.StopRecording();
        FSim.Stop();
        SetDialogResponder(FFormerResponder);
    }

    void Configure(const std::string& Statements)
    {
        std::istringstream in(Statements);
        modbussim::LineTiming timing = FSim.Timing();
        modbussim::ApplyConfig(in, FSim.Slave(), timing);
        FSim.SetTiming(timing);
        FSim.Start();
    }

    void Record(const std::vector<TSampleDevice*>& Devices)
    {
        std::vector<std::unique_ptr<TSampleDevice>> links;
        for (TSampleDevice* device : Devices)
            links.push_back(std::make_unique<TSampleDeviceLink>(*device, FLinksAlive));
        FControl.RecordAction(FOptions, std::move(links));
    }

    // Devices outlive the run, which the fixture stops last.
    TFakeSampleDevice& Device(int Station, int Rule, int BeginAddr, int Channels)
    {
        return FDevices.emplace_back(Station, Rule, BeginAddr, Channels);
    }

    // Serves the run until Cycles whole polling cycles of Devices are done.
    // (The record action and the thread's creation each reset the progress
    // pane first.)
    bool ServeCycles(std::size_t Devices, std::size_t Cycles)
    {
        return ServeUntil([&] { return FView.Progress.size() >= 2 + Devices * Cycles; });
    }

    // Serves until the run posts its end message, then handles it as the
    // main window does.
    bool ServeUntilAutoStop()
    {
        if (!ServeUntil([&] { return FView.StopMessages > 0; }))
            return false;
        return FControl.HandleMessage(WM_STOP_RECORDING);
    }

    TDialogResponder FFormerResponder;
    std::vector<std::string> Boxes;
    TScratchDir FDir;
    std::list<TFakeSampleDevice> FDevices;
    int FLinksAlive = 0;  // what the control holds of the devices handed to it
    modbussim::Simulator FSim;
    TFakeRecordingView FView;
    // What the next run's disk refuses (see TTestDisk): nothing by default.
    std::string FUnwritable;
    int FDiskRoom = -1;
    TRecordingControl FControl{&FView, [this] { return std::make_unique<TTestDisk>(FUnwritable, FDiskRoom); }};
    TRecordingOptions FOptions;
};

TEST_F(RecordingRunTest, ThreeDevicesSecondSilentStoppedByHand)
{
    Configure(
        "station 1 rule 0 start 0 channels 2 values 100,-200\n"
        "station 2 rule 1 start 0 channels 1 values 70000\n"
        "silent 2\n"
        "station 3 rule 2 start 100 channels 2 values -70000,5\n");
    TFakeSampleDevice& d1 = Device(1, 0, 0, 2);
    TFakeSampleDevice& d2 = Device(2, 1, 0, 1);
    TFakeSampleDevice& d3 = Device(3, 2, 100, 2);
    Record({&d1, &d2, &d3});
    ASSERT_TRUE(FControl.Running());
    ASSERT_TRUE(ServeCycles(3, 4));
    FControl.StopRecording();
    EXPECT_FALSE(FControl.Running());

    EXPECT_EQ((std::vector<bool>{true, false}), FView.RunStates);
    EXPECT_EQ(FDir / "Data", FView.AskedDir);
    // Per cycle: answered, time-out, answered again.
    ASSERT_GE(FView.LogStates.size(), 6u);
    for (std::size_t i = 1; i + 2 < FView.LogStates.size(); i += 3) {
        EXPECT_EQ("", FView.LogStates[i]);
        EXPECT_EQ("超时", FView.LogStates[i + 1]);
        EXPECT_EQ("", FView.LogStates[i + 2]);
    }
    EXPECT_EQ((std::vector<std::string>{"", "", "1", "2", "3", "1"}),
              std::vector<std::string>(FView.PollingIds.begin(), FView.PollingIds.begin() + 6));
    EXPECT_EQ((std::vector<int>{0, 0, 1, 2, 3, 4}),
              std::vector<int>(FView.Progress.begin(), FView.Progress.begin() + 6));

    const std::vector<std::string> lines = Lines(ReadText(FDir / "Data/run.csv"));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ("采样点编号,S1C1(bar),S1C2(bar),S2C1(bar),S3C1(bar),S3C2(bar)", lines[0]);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(std::to_string(i) + ",100,-200,-------,-70000,5", lines[i]);
    EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
    EXPECT_EQ((std::vector<std::string>{"run.csv"}), FilesIn(FDir / "Data"));
    EXPECT_TRUE(FView.Errors.empty());
}

TEST_F(RecordingRunTest, NoPollDelayAfterASilentDevice)
{
    Configure(
        "station 1 rule 0 start 0 channels 1 values 1\n"
        "station 2 rule 0 start 0 channels 1\nsilent 2\n");
    FOptions.Settings.PollDelay = 1500;
    FOptions.Settings.PollTimeout = 1000;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    TFakeSampleDevice& d2 = Device(2, 0, 0, 1);
    std::vector<steady_clock::time_point> replies;
    Record({&d1, &d2});
    FView.OnLogState = [&](const std::string&) { replies.push_back(steady_clock::now()); };
    ASSERT_TRUE(ServeUntil([&] { return replies.size() >= 3; }));
    FControl.StopRecording();
    // The delay follows the answered poll only: device 1's answer is at
    // least 1.5 s before device 2's time-out, which is followed at once by
    // the next poll of device 1 (its wait and reply take well under 1.5 s).
    // The times are taken where the window hears of each reply, which can
    // come a little later for one reply than for the next: allow for that.
    EXPECT_GE(replies[1] - replies[0], milliseconds(1500 + 1000 - 100));
    EXPECT_LT(replies[2] - replies[1], milliseconds(1500));
}

TEST_F(RecordingRunTest, EveryAnsweredPollWaitsTheWholeDelay)
{
    Configure("station 1 rule 0 start 0 channels 1 values 3\n");
    FOptions.Settings.PollDelay = 230;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    std::vector<steady_clock::time_point> replies;
    Record({&d1});
    FView.OnLogState = [&](const std::string&) { replies.push_back(steady_clock::now()); };
    ASSERT_TRUE(ServeUntil([&] { return replies.size() >= 8; }));
    FControl.StopRecording();
    // The delay runs from where the window hears of a reply, so the next
    // one cannot come sooner, however late this thread serves them.
    for (std::size_t i = 1; i < replies.size(); ++i)
        EXPECT_GE(replies[i] - replies[i - 1], milliseconds(230)) << i;
    EXPECT_EQ(replies.size(), static_cast<std::size_t>(d1.Answers));
}

TEST_F(RecordingRunTest, StopAfterDurationFinishesTheLogOnce)
{
    Configure("station 1 rule 0 start 0 channels 1 values 42\n");
    FOptions.Settings.StopMode = 1;
    FOptions.Settings.LogDuration = 1.0;
    FOptions.Settings.PollDelay = 50;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    ASSERT_TRUE(ServeUntilAutoStop());
    EXPECT_FALSE(FControl.Running());
    EXPECT_EQ(1, FView.StopMessages);
    // A second stop message changes nothing.
    EXPECT_TRUE(FControl.HandleMessage(WM_STOP_RECORDING));
    EXPECT_EQ((std::vector<std::string>{"run.csv"}), FilesIn(FDir / "Data"));
    EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
    const std::vector<std::string> lines = Lines(ReadText(FDir / "Data/run.csv"));
    ASSERT_GE(lines.size(), 2u);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(std::to_string(i) + ",42", lines[i]);
}

TEST_F(RecordingRunTest, StopByHandWhileTheEndingReplyIsInFlight)
{
    // The second reply arrives while the stop waits for the thread, and it
    // ends the run by duration: one final record, one file.
    Configure("station 1 rule 0 start 0 channels 1 values 5\ndelay 1 400\n");
    FOptions.Settings.StopMode = 1;
    FOptions.Settings.LogDuration = 0.2;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    ASSERT_TRUE(ServeUntil([&] { return FView.LogStates.size() >= 2; }));
    // The first record is written before the next request goes out.
    ASSERT_TRUE(ServeUntil([&] { return FSim.Slave().RequestCount(1) >= 2; }));
    FControl.StopRecording();
    EXPECT_EQ(1, FView.StopMessages);
    EXPECT_TRUE(FControl.HandleMessage(WM_STOP_RECORDING));
    EXPECT_FALSE(FControl.Running());
    EXPECT_EQ((std::vector<std::string>{"run.csv"}), FilesIn(FDir / "Data"));
    EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
    EXPECT_EQ((std::vector<std::string>{"采样点编号,S1C1(bar)", "1,5", "2,5"}), Lines(ReadText(FDir / "Data/run.csv")));
}

TEST_F(RecordingRunTest, StartAndStopByTriggersOnRampingValues)
{
    Configure(
        "station 1 rule 0 start 0 channels 1 values 0\n"
        "ramp 1 0 0,20,40,60,80,100,80,60,40,20,0 polls 2\n");
    FOptions.Settings.StartMode = 1;
    FOptions.Settings.StopMode = 2;
    FOptions.Settings.AxisFormat = 2;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    d1.Channel(0).IsStart = true;
    d1.Channel(0).StartLevel = 60;
    d1.Channel(0).IsStop = true;
    d1.Channel(0).StopLevel = 30;
    Record({&d1});
    ASSERT_TRUE(ServeUntilAutoStop());
    const std::vector<std::string> lines = Lines(ReadText(FDir / "Data/run.csv"));
    ASSERT_GE(lines.size(), 3u);
    // Logging began at the first value at or above 60 and ended with the
    // final record of the first value at or below 30 after that.
    EXPECT_EQ("1,60", lines[1]);
    const std::string last = lines.back();
    const int lastValue = std::stoi(last.substr(last.find(',') + 1));
    EXPECT_LE(lastValue, 30);
    for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
        const int v = std::stoi(lines[i].substr(lines[i].find(',') + 1));
        EXPECT_GT(v, 30) << lines[i];
    }
}

TEST_F(RecordingRunTest, WithoutAPollDelayEachRecordHoldsThePollThatEndedItsCycle)
{
    // One device, so every poll ends a cycle, and a station whose value is
    // the number of requests it answered before: records are due at every
    // second cycle's end, and each must hold that very poll's value, taken
    // before the next poll's outcome arrives.
    Configure(
        "station 1 rule 0 start 0 channels 1 values 0\n"
        "ramp 1 0 0,10000 polls 10000 linear\n");
    FOptions.Settings.AxisFormat = 2;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    ASSERT_TRUE(ServeCycles(1, 41));
    FControl.StopRecording();
    const std::vector<std::string> lines = Lines(ReadText(FDir / "Data/run.csv"));
    ASSERT_GE(lines.size(), 21u);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(std::to_string(i) + "," + std::to_string(2 * (i - 1)), lines[i]);
}

TEST_F(RecordingRunTest, LateRepliesAreNeverCreditedToTheNextDeviceNorSpoilItsReply)
{
    // Station 1 answers after the time-out. The user-interface thread is
    // busy while that late reply arrives, so it is waiting when the next
    // request (to station 2) is set up, and station 2 answers at once.
    Configure(
        "station 1 rule 0 start 0 channels 1 values 111\ndelay 1 400\n"
        "station 2 rule 0 start 0 channels 1 values 222\n");
    FOptions.Settings.PollTimeout = 200;
    FOptions.Settings.StartMode = 1;  // no trigger channels: no logging
    FOptions.Settings.StartTriggerLogic = 1;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    TFakeSampleDevice& d2 = Device(2, 0, 0, 1);
    Record({&d1, &d2});
    // Busy from each time-out until station 1's late reply is on the line
    // (before it, the replies of earlier cycles: two per cycle, 7 bytes each).
    int timeouts = 0;
    FView.OnLogState = [&](const std::string& Text) {
        if (Text != "超时")
            return;
        ++timeouts;
        const auto guard = steady_clock::now() + seconds(10);
        while (FSim.BytesSent() < 14u * timeouts - 7 && steady_clock::now() < guard)
            std::this_thread::sleep_for(milliseconds(1));
    };
    ASSERT_TRUE(ServeCycles(2, 3));
    FControl.StopRecording();
    EXPECT_EQ(0, d1.Answers);
    EXPECT_EQ("-------", d1.DisplayText(0));
    EXPECT_EQ(3, d2.Answers);
    EXPECT_EQ("222", d2.DisplayText(0));
    for (std::size_t i = 1; i + 1 < FView.LogStates.size(); i += 2) {
        EXPECT_EQ("超时", FView.LogStates[i]) << "poll " << i;
        EXPECT_EQ("", FView.LogStates[i + 1]) << "poll " << i + 1;
    }
}

// On a paced line a late reply holds the line, so the next station's
// reply follows right behind it, while the framer already waits for that
// station. The late reply's bytes (its byte count 02 looks like station
// 2's start) must not cost the next station its reply.
class LateReplyOnAPacedLine : public RecordingRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(LateReplyOnAPacedLine, TheNextStationsGetEveryReading)
{
    const int devices = GetParam();
    Configure(
        "pacing 115200\n"
        "station 1 rule 0 start 0 channels 1 values 111\ndelay 1 200\n"
        "station 2 rule 0 start 0 channels 1 values 222\n"
        "station 3 rule 0 start 0 channels 1 values 333\n");
    FOptions.Settings.PollTimeout = 150;
    std::vector<TFakeSampleDevice*> fakes;
    for (int station = 1; station <= devices; ++station)
        fakes.push_back(&Device(station, 0, 0, 1));
    Record(std::vector<TSampleDevice*>(fakes.begin(), fakes.end()));
    ASSERT_TRUE(ServeCycles(static_cast<std::size_t>(devices), 6));
    FControl.StopRecording();

    EXPECT_EQ(0, fakes[0]->Answers);
    for (int station = 2; station <= devices; ++station) {
        const TFakeSampleDevice& d = *fakes[static_cast<std::size_t>(station - 1)];
        EXPECT_GE(d.Answers, 6) << "station " << station;
        EXPECT_EQ(std::to_string(111 * station), d.DisplayText(0)) << "station " << station;
    }
    const std::vector<std::string> lines = Lines(ReadText(FDir / "Data/run.csv"));
    ASSERT_GE(lines.size(), 2u);
    const std::string others = devices == 2 ? ",222" : ",222,333";
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(std::to_string(i) + ",-------" + others, lines[i]);
}

INSTANTIATE_TEST_SUITE_P(TwoAndThreeDevices, LateReplyOnAPacedLine, ::testing::Values(2, 3));

TEST_F(RecordingRunTest, ANegativePollTimeoutWaitsNotAtAll)
{
    // A time-out below zero (a hand-edited option) has passed at once; it
    // must not become an endless wait that the stop could never end. The
    // answer comes late, so an endless wait would take it as in time.
    Configure("station 1 rule 0 start 0 channels 1 values 9\ndelay 1 3000\n");
    FOptions.Settings.PollTimeout = -1;
    FOptions.Settings.StartMode = 1;  // no trigger channels: no logging
    FOptions.Settings.StartTriggerLogic = 1;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    ASSERT_TRUE(ServeUntil([&] { return FView.LogStates.size() >= 2; }));
    FControl.StopRecording();
    EXPECT_EQ("超时", FView.LogStates[1]);
    EXPECT_EQ(0, d1.Answers);
}

TEST_F(RecordingRunTest, AStopDuringALongWaitReturnsPromptly)
{
    // Waits of weeks (hand-edited options): a stop must not wait them out.
    // The bound is generous and still far below either wait.
    Configure("station 1 rule 0 start 0 channels 1 values 9\n");
    FOptions.Settings.PollTimeout = 2147483647;
    FOptions.Settings.StartMode = 1;  // no trigger channels: no logging
    FOptions.Settings.StartTriggerLogic = 1;
    TFakeSampleDevice& silent = Device(7, 0, 0, 1);
    Record({&silent});
    // Its request is on the line: the thread waits for the reply.
    ASSERT_TRUE(ServeUntil([&] { return FSim.BytesReceived() >= 8; }));
    auto start = steady_clock::now();
    FControl.StopRecording();
    EXPECT_LT(steady_clock::now() - start, seconds(20));
    EXPECT_EQ(0, silent.Answers);

    // The same while sleeping the poll delay after an answer.
    FOptions.Settings.PollTimeout = 1000;
    FOptions.Settings.PollDelay = 2147483647;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    // The answer hands the poll back to the thread for its delay.
    ASSERT_TRUE(ServeUntil([&] { return d1.Answers > 0; }));
    start = steady_clock::now();
    FControl.StopRecording();
    EXPECT_LT(steady_clock::now() - start, seconds(20));
}

TEST_F(RecordingRunTest, MisbehavingRepliesTimeOutAndOddDeliveriesAreRead)
{
    Configure(
        "station 4 rule 1 start 0 channels 2 values 123456,-5\nfragments 4 3 20\n"
        "station 5 rule 0 start 0 channels 1 values 55\nnoise 5 FF,00,13\n"
        "station 6 rule 0 start 0 channels 1 values 66\nbadcrc 6\n"
        "station 7 rule 0 start 0 channels 1 values 77\nexception 7 2\n");
    FOptions.Settings.StartMode = 1;  // no trigger channels: no logging
    FOptions.Settings.StartTriggerLogic = 1;
    TFakeSampleDevice& d4 = Device(4, 1, 0, 2);
    TFakeSampleDevice& d5 = Device(5, 0, 0, 1);
    TFakeSampleDevice& d6 = Device(6, 0, 0, 1);
    TFakeSampleDevice& d7 = Device(7, 0, 0, 1);
    Record({&d4, &d5, &d6, &d7});
    ASSERT_TRUE(ServeCycles(4, 2));
    FControl.StopRecording();
    EXPECT_EQ("123456", d4.DisplayText(0));
    EXPECT_EQ("-5", d4.DisplayText(1));
    EXPECT_EQ("55", d5.DisplayText(0));
    EXPECT_EQ("-------", d6.DisplayText(0));
    EXPECT_EQ("-------", d7.DisplayText(0));
    EXPECT_TRUE(FView.Errors.empty());
}

TEST_F(RecordingRunTest, APortThatCannotBeOpenedLeavesTheProgramIdle)
{
    FOptions.Line.PortName = FDir / "no-such-port";
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    try {
        Record({&d1});
        FAIL() << "the open failure must reach the caller";
    } catch (const Exception& e) {
        EXPECT_EQ("Unable to open com port (Error: 2)", e.Message);
    }
    EXPECT_FALSE(FControl.Running());
    EXPECT_EQ((std::vector<bool>{true, false}), FView.RunStates);
    EXPECT_TRUE(FilesIn(FDir / "Data").empty());
}

TEST_F(RecordingRunTest, ALineThatGoesAwayEndsTheRunAndKeepsItsRecords)
{
    TPtyPair pty;
    auto server = std::make_unique<TLibModbusServer>(pty.MasterFd(), 1, std::vector<std::uint16_t>{9});
    FOptions.Line.PortName = pty.SlavePath();
    FOptions.Settings.PollTimeout = 500;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    ASSERT_TRUE(ServeCycles(1, 4));
    server.reset();
    pty.CloseMaster();
    // The thread ends on the write error and its run ends as if stopped;
    // the stale value is gone before that.
    ASSERT_TRUE(ServeUntil([&] { return FView.StopMessages > 0; }));
    EXPECT_EQ("-------", d1.DisplayText(0));
    EXPECT_FALSE(d1.Online());
    EXPECT_TRUE(FView.Errors.empty());
    EXPECT_TRUE(FControl.HandleMessage(WM_STOP_RECORDING));
    EXPECT_FALSE(FControl.Running());
    EXPECT_EQ((std::vector<bool>{true, false}), FView.RunStates);
    // Told only once the window is idle again.
    ASSERT_EQ(1u, FView.Errors.size());
    EXPECT_EQ(std::vector<bool>{false}, FView.RunningAtErrors);
    EXPECT_PRED3(TellsLostLine, FView.Errors[0], pty.SlavePath(), "数据已保存在: " + FDir / "Data/run.csv" + "\r\n");
    const std::vector<std::string> lines = Lines(ReadText(FDir / "Data/run.csv"));
    ASSERT_GE(lines.size(), 2u);
    // Numbered without a gap; the polls between the server's end and the
    // hang-up may have timed out.
    EXPECT_EQ("1,9", lines[1]);
    for (std::size_t i = 2; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i] == std::to_string(i) + ",9" || lines[i] == std::to_string(i) + ",-------") << lines[i];
    EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
}

// The records of a run that lost its line and could not move its log are
// in the temporary file: the end says so, and not that nothing was saved.
TEST_F(RecordingRunTest, ALostLineWithALogThatCouldNotBeMovedSaysWhereTheRecordsAre)
{
    TPtyPair pty;
    auto server = std::make_unique<TLibModbusServer>(pty.MasterFd(), 1, std::vector<std::uint16_t>{9});
    FOptions.Line.PortName = pty.SlavePath();
    FOptions.Settings.PollTimeout = 500;
    FView.LogFileName = FDir / "Data/sub/run.csv";
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    ASSERT_TRUE(ServeCycles(1, 4));
    std::filesystem::remove_all(FDir / "Data/sub");
    server.reset();
    pty.CloseMaster();
    ASSERT_TRUE(ServeUntil([&] { return FView.StopMessages > 0; }));
    EXPECT_TRUE(FControl.HandleMessage(WM_STOP_RECORDING));
    const std::string temp = FDir / "Temp/$$$RunningLogFile.$$$";
    ASSERT_EQ(1u, FView.Errors.size());
    EXPECT_PRED3(
        TellsLostLine, FView.Errors[0], pty.SlavePath(),
        "无法保存记录文件: " + FDir / "Data/sub/run.csv" + " (" + Missing() + ")，数据保存在: " + temp + "\r\n");
    const std::vector<std::string> lines = Lines(ReadText(temp));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ("1,9", lines[1]);
}

TEST_F(RecordingRunTest, StopActionAsksByStopMode)
{
    Configure("station 1 rule 0 start 0 channels 1 values 1\n");
    Device(1, 0, 0, 1);
    FOptions.Settings.StopMode = 1;
    FOptions.LogDuration = 1.5;
    FOptions.TimeBaseLog = 1;
    FOptions.Settings.LogDuration = TSampleSettings::DurationSeconds(1.5, 1);
    Record({&FDevices.back()});
    ASSERT_TRUE(ServeCycles(1, 1));
    FView.ConfirmAnswer = false;
    FControl.StopAction(FOptions);
    EXPECT_TRUE(FControl.Running());
    FOptions.Settings.StopMode = 2;
    FControl.StopAction(FOptions);
    EXPECT_TRUE(FControl.Running());
    EXPECT_EQ(
        (std::vector<std::string>{"采集时长未到1.5分钟，需要立即停止吗？", "未满足停止阈值触发条件，需要立即停止吗？"}),
        FView.Questions);
    ASSERT_TRUE(ServeCycles(1, 2));
    FView.ConfirmAnswer = true;
    FControl.StopAction(FOptions);
    EXPECT_FALSE(FControl.Running());
    // By hand only: no question.
    Record({&FDevices.back()});
    FOptions.Settings.StopMode = 0;
    FControl.StopAction(FOptions);
    EXPECT_FALSE(FControl.Running());
    EXPECT_EQ(3u, FView.Questions.size());
}

TEST_F(RecordingRunTest, LogFileNamesAndFirstColumns)
{
    Configure("station 1 rule 0 start 0 channels 1 values 8\n");
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    // Named from the start time, the time of day in the first column.
    FOptions.LogFilenameMode = 1;
    FOptions.Settings.AxisFormat = 0;
    Record({&d1});
    ASSERT_TRUE(ServeCycles(1, 3));
    FControl.StopRecording();
    std::vector<std::string> files = FilesIn(FDir / "Data");
    ASSERT_EQ(1u, files.size());
    EXPECT_TRUE(std::regex_match(files[0], std::regex("20[0-9]{12}\\.csv"))) << files[0];
    std::vector<std::string> lines = Lines(ReadText(FDir / ("Data/" + files[0])));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ("采样时刻,S1C1(bar)", lines[0]);
    EXPECT_TRUE(
        std::regex_match(lines[1], std::regex("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3},8")))
        << lines[1];

    // Asked for a name that exists: the data goes beside it, seconds first.
    std::ofstream(FDir / "Data/run.csv") << "keep";
    FOptions.LogFilenameMode = 0;
    FOptions.Settings.AxisFormat = 1;
    FView.Progress.clear();
    Record({&d1});
    ASSERT_TRUE(ServeCycles(1, 3));
    FControl.StopRecording();
    EXPECT_EQ("keep", ReadText(FDir / "Data/run.csv"));
    lines = Lines(ReadText(FDir / "Data/run(2).csv"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ("相对时间(秒),S1C1(bar)", lines[0]);
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("[0-9]+\\.[0-9]{3},8"))) << lines[1];
}

TEST_F(RecordingRunTest, RolloverDuringARun)
{
    Configure("station 1 rule 0 start 0 channels 1 values 4\n");
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    FOptions.Settings.MaxRecordPerFile = 3;
    Record({&d1});
    // Records at every second cycle: seven records need fourteen cycles.
    ASSERT_TRUE(ServeCycles(1, 15));
    FControl.StopRecording();
    const std::vector<std::string> files = FilesIn(FDir / "Data");
    ASSERT_GE(files.size(), 3u);
    EXPECT_EQ("run(2).csv", files[0]);
    EXPECT_EQ("run(3).csv", files[1]);
    EXPECT_EQ("run.csv", files[2]);
    int record = 0;
    for (const std::string name : {"run.csv", "run(2).csv", "run(3).csv"}) {
        const std::vector<std::string> lines = Lines(ReadText(FDir / ("Data/" + name)));
        ASSERT_GE(lines.size(), 2u) << name;
        EXPECT_EQ("采样点编号,S1C1(bar)", lines[0]);
        for (std::size_t i = 1; i < lines.size(); ++i)
            EXPECT_EQ(std::to_string(++record) + ",4", lines[i]);
        if (name != "run(3).csv") {
            EXPECT_EQ(4u, lines.size()) << name;
        }
    }
    EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
}

TEST_F(RecordingRunTest, RecordActionRefusalsAndCancel)
{
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    // The save dialog cancelled: nothing happens.
    FView.LogFileName.clear();
    Record({&d1});
    EXPECT_FALSE(FControl.Running());
    EXPECT_TRUE(FView.RunStates.empty());
    EXPECT_EQ(0, d1.Resets);
    // A data directory that cannot be made.
    std::ofstream(FDir / "blocked") << "a file";
    FOptions.AppDir = FDir / "blocked/";
    FView.LogFileName = FDir / "x.csv";
    Record({&d1});
    EXPECT_EQ((std::vector<std::string>{"无法创建数据文件目录: " + FDir / "blocked/Data"}), FView.Errors);
    EXPECT_TRUE(FView.RunStates.empty());
}

TEST_F(RecordingRunTest, AWorkDirectoryThatCannotBeMadeRefusesTheRun)
{
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    std::ofstream(FDir / "Temp") << "a file";
    Record({&d1});
    EXPECT_EQ((std::vector<std::string>{"无法创建工作目录: " + FDir / "Temp"}), FView.Errors);
    EXPECT_FALSE(FControl.Running());
    EXPECT_TRUE(FView.RunStates.empty());
    EXPECT_EQ(0, d1.Resets);
}

TEST_F(RecordingRunTest, AnUnknownFileNameModeStartsNothing)
{
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    FOptions.LogFilenameMode = 2;
    Record({&d1});
    EXPECT_FALSE(FControl.Running());
    EXPECT_TRUE(FView.RunStates.empty());
    EXPECT_TRUE(FView.AskedDir.empty());
    EXPECT_EQ(0, d1.Resets);
}

TEST_F(RecordingRunTest, ALogThatCannotBeMovedIsReportedWithWhereTheDataIs)
{
    Configure("station 1 rule 0 start 0 channels 1 values 6\n");
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    FView.LogFileName = FDir / "Data/sub/run.csv";
    Record({&d1});
    ASSERT_TRUE(ServeCycles(1, 3));
    std::filesystem::remove_all(FDir / "Data/sub");  // the folder is gone by the end of the run
    FControl.StopRecording();
    ASSERT_EQ(1u, FView.Errors.size());
    const std::string temp = FDir / "Temp/$$$RunningLogFile.$$$";
    EXPECT_EQ("无法保存记录文件: " + FDir / "Data/sub/run.csv" + " (" + Missing() + ")，数据保存在: " + temp + "\r\n",
              FView.Errors[0]);
    const std::vector<std::string> lines = Lines(ReadText(temp));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ("1,6", lines[1]);
}

// A data folder made read-only during a run: the records go to the work
// folder all along, so writing them never fails; only the move at the end
// does, and its message gives the system's reason and where they are.
TEST_F(RecordingRunTest, ADataFolderMadeReadOnlyDuringARunFailsOnlyTheMoveAndSaysWhy)
{
    Configure("station 1 rule 0 start 0 channels 1 values 6\n");
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    ASSERT_TRUE(ServeCycles(1, 3));
    FUnwritable = FDir / "Data";
    ASSERT_TRUE(ServeCycles(1, 6));
    FControl.StopRecording();
    EXPECT_EQ(0, FView.LogFailureMessages);
    const std::string temp = FDir / "Temp/$$$RunningLogFile.$$$";
    const std::string denied = std::make_error_code(std::errc::permission_denied).message();
    ASSERT_EQ(1u, FView.Errors.size());
    EXPECT_EQ("无法保存记录文件: " + FDir / "Data/run.csv" + " (" + denied + ")，数据保存在: " + temp + "\r\n",
              FView.Errors[0]);
    EXPECT_FALSE(std::filesystem::exists(FDir / "Data/run.csv"));
    const std::vector<std::string> lines = Lines(ReadText(temp));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ("1,6", lines[1]);
    EXPECT_EQ("2,6", lines[2]);
}

// A run that could not keep its records does not start: no port is opened
// (this one would raise), no device reset, and the box names the folder
// and the system's reason.
TEST_F(RecordingRunTest, AFolderThatCannotBeWrittenRefusesTheRun)
{
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    FOptions.Line.PortName = FDir / "no-such-port";
    const std::string denied = std::make_error_code(std::errc::permission_denied).message();
    for (const std::string& folder : {FDir / "Data", FDir / "Temp"}) {
        FUnwritable = folder;
        EXPECT_NO_THROW(Record({&d1}));
    }
    // The folder of a log file chosen elsewhere is the data folder.
    std::ofstream(FDir / "blocked") << "a file";
    FView.LogFileName = FDir / "blocked/run.csv";
    FUnwritable.clear();
    EXPECT_NO_THROW(Record({&d1}));
    EXPECT_EQ((std::vector<std::string>{"无法写入数据文件目录: " + FDir / "Data" + " (" + denied + ")",
                                        "无法写入工作目录: " + FDir / "Temp" + " (" + denied + ")",
                                        "无法创建数据文件目录: " + FDir / "blocked"}),
              FView.Errors);
    EXPECT_FALSE(FControl.Running());
    EXPECT_TRUE(FView.RunStates.empty());
    EXPECT_EQ(0, d1.Resets);
    EXPECT_EQ(0, FLinksAlive);
}

// The disk fills up during the run: the user hears of it at once, once,
// while the run goes on; at the end, where the saved records are and how
// many were lost.
TEST_F(RecordingRunTest, AFullDiskIsToldAtOnceAndTheEndNamesTheFileThatHoldsTheRecords)
{
    Configure("station 1 rule 0 start 0 channels 1 values 7\n");
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    FDiskRoom = 3;  // the header and two records
    Record({&d1});
    ASSERT_TRUE(ServeUntil([&] { return FView.LogFailureMessages > 0; }));
    const std::string temp = FDir / "Temp/$$$RunningLogFile.$$$";
    const std::string full = std::make_error_code(std::errc::no_space_on_device).message();
    EXPECT_TRUE(FControl.HandleMessage(WM_LOG_FAILURE));
    ASSERT_EQ(1u, FView.Errors.size());
    EXPECT_EQ("无法写入记录文件: " + temp + " (" + full + ")\r\n" +
                  "采集继续进行，未能写入的记录暂存在内存中，可以写入时自动补写。",
              FView.Errors[0]);
    EXPECT_EQ(std::vector<bool>{true}, FView.RunningAtErrors);
    EXPECT_EQ("无法写入记录文件 (" + full + ")", FView.LogStates.back());

    // Told once, however many records fail after it.
    const std::size_t polls = FView.Progress.size();
    ASSERT_TRUE(ServeUntil([&] { return FView.Progress.size() >= polls + 6; }));
    EXPECT_TRUE(FControl.Running());
    EXPECT_EQ(1, FView.LogFailureMessages);
    FControl.StopRecording();

    ASSERT_EQ(2u, FView.Errors.size());
    std::smatch lost;
    ASSERT_TRUE(std::regex_match(FView.Errors[1], lost,
                                 std::regex("无法写入记录文件: .* \\(" + full +
                                            "\\)，([0-9]+) 条记录未能保存\r\n"
                                            "数据已保存在: (.*)\r\n")))
        << FView.Errors[1];
    EXPECT_GE(std::stoi(lost[1]), 3);
    EXPECT_EQ(FDir / "Data/run.csv", lost[2].str());
    EXPECT_EQ((std::vector<std::string>{"采样点编号,S1C1(bar)", "1,7", "2,7"}), Lines(ReadText(FDir / "Data/run.csv")));
    EXPECT_TRUE(FilesIn(FDir / "Temp").empty());
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST_F(RecordingRunTest, ARunWithoutDevicesIdlesInsteadOfSpinning)
{
    Configure("");
    FOptions.Settings.PollTimeout = 100;
    Record({});
    const double before = CpuSeconds();
    ServeFor(1000);
    const double used = CpuSeconds() - before;
    FControl.StopRecording();
    EXPECT_FALSE(FControl.Running());
    // A spinning thread would take about a whole second of processor time.
    EXPECT_LT(used, 0.5);
}

TEST_F(RecordingRunTest, AStopMessageFromAnEarlierRunDoesNotEndANewOne)
{
    Configure("station 1 rule 0 start 0 channels 1 values 3\n");
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    ASSERT_TRUE(ServeCycles(1, 1));
    EXPECT_TRUE(FControl.HandleMessage(WM_STOP_RECORDING));
    EXPECT_TRUE(FControl.Running());
    EXPECT_FALSE(FControl.HandleMessage(WM_STOP_RECORDING + 1));
}

// The devices handed to a run are the control's until the run ends, however
// it ends; a run that never starts gives them up at once.
TEST_F(RecordingRunTest, TheRunHoldsItsDevicesUntilItEndsByHandOrByItself)
{
    Configure(
        "station 1 rule 0 start 0 channels 1 values 42\n"
        "station 2 rule 0 start 0 channels 1 values 43\n");
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    TFakeSampleDevice& d2 = Device(2, 0, 0, 1);
    Record({&d1, &d2});
    ASSERT_TRUE(ServeCycles(2, 1));
    EXPECT_EQ(2, FLinksAlive);
    FControl.StopRecording();
    EXPECT_EQ(0, FLinksAlive);

    FOptions.Settings.StopMode = 1;
    FOptions.Settings.LogDuration = 0.5;
    FOptions.LogFilenameMode = 1;
    Record({&d1, &d2});
    EXPECT_EQ(2, FLinksAlive);
    ASSERT_TRUE(ServeUntilAutoStop());
    EXPECT_FALSE(FControl.Running());
    EXPECT_EQ(0, FLinksAlive);
}

TEST_F(RecordingRunTest, ARunThatLostItsLineLetsGoOfItsDevices)
{
    TPtyPair pty;
    auto server = std::make_unique<TLibModbusServer>(pty.MasterFd(), 1, std::vector<std::uint16_t>{9});
    FOptions.Line.PortName = pty.SlavePath();
    FOptions.Settings.PollTimeout = 500;
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    Record({&d1});
    ASSERT_TRUE(ServeCycles(1, 2));
    server.reset();
    pty.CloseMaster();
    ASSERT_TRUE(ServeUntil([&] { return FView.StopMessages > 0; }));
    EXPECT_EQ(1, FLinksAlive);
    EXPECT_TRUE(FControl.HandleMessage(WM_STOP_RECORDING));
    EXPECT_FALSE(FControl.Running());
    EXPECT_EQ(0, FLinksAlive);
}

// A device whose value cannot be taken: the error ends the sampling thread.
class TBrokenSampleDevice : public TFakeSampleDevice {
public:
    using TFakeSampleDevice::TFakeSampleDevice;
    void SetRawValue(int, std::int32_t) override { throw Exception("broken device"); }
};

TEST_F(RecordingRunTest, ARunWhoseThreadDiedOfAnErrorLetsGoOfItsDevices)
{
    Configure("station 1 rule 0 start 0 channels 1 values 5\n");
    TBrokenSampleDevice broken(1, 0, 0, 1);
    Record({&broken});
    EXPECT_EQ(1, FLinksAlive);
    ASSERT_TRUE(ServeUntil([&] { return FView.StopMessages > 0; }));
    EXPECT_TRUE(FControl.HandleMessage(WM_STOP_RECORDING));
    EXPECT_FALSE(FControl.Running());
    EXPECT_EQ(0, FLinksAlive);
    EXPECT_EQ((std::vector<std::string>{"broken device"}), Boxes);
}

TEST_F(RecordingRunTest, DevicesOfARunThatNeverStartsAreFreedAtOnce)
{
    TFakeSampleDevice& d1 = Device(1, 0, 0, 1);
    FView.LogFileName.clear();  // the save dialog cancelled
    Record({&d1});
    EXPECT_EQ(0, FLinksAlive);

    FOptions.LogFilenameMode = 2;
    Record({&d1});
    EXPECT_EQ(0, FLinksAlive);

    FOptions.LogFilenameMode = 1;
    FOptions.Line.PortName = FDir / "no-such-port";
    EXPECT_THROW(Record({&d1}), Exception);
    EXPECT_FALSE(FControl.Running());
    EXPECT_EQ(0, FLinksAlive);
}

}  // namespace
