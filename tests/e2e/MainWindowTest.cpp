// The program's main window driven end to end by its control names, on a
// simulated instrument line, in a scratch directory.
#include "../app/FreeWatch.h"
#include "../app/ProgramForms.h"
#include "LibModbusServer.h"
#include "PtyPair.h"

#include "app/DeviceRegistry.h"
#include "app/DeviceUnit.h"
#include "app/SysOption.h"
#include "comm/FakeDevice.h"
#include "rtl/Gbk.h"
#include "rtl/IniFile.h"
#include "tools/modbussim/Simulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr int Press = 1;  // two channels, rule 0, answers
constexpr int Oven = 2;   // one channel, rule 1, silent

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sim.Slave().AddStation({Press, 0, 10, 2, {12, -7}, {}});
        modbussim::StationConfig Silent{Oven, 1, 0, 1, {5}, {}};
        Silent.Answer.Silent = true;
        Sim.Slave().AddStation(Silent);
        Sim.Start();
    }

    // The program with its options as config.ini holds them.
    void StartProgram(const std::string& LogOptions)
    {
        const std::string Config = "[System Parameters]\r\nComm Port=" + Sim.PortPath() +
                                   "\r\nPoll Delay=5\r\nPoll Timeout=150\r\n[Log Parameters]\r\n"
                                   "LogFilenameMode=1\r\nLogInterval=0\r\n" +
                                   LogOptions;
        P = std::make_unique<TProgramForms>(
            [&Config](const TScratchDir& Dir) { TScratchDir::Write(Dir.File("config.ini"), Config); });
        P->Start();
    }

    // Adds a device through the device-list and new-device dialogs.
    void AddDevice(const std::string& Name, int StationId, int Channels, int Rule, int Address)
    {
        TProgramForms::WhenShown(frmDeviceList, [=] {
            TProgramForms::WhenShown(frmNewDevice, [=] {
                frmNewDevice->leDeviceName->SetText(Name);
                frmNewDevice->leDeviceModel->SetText("KRN");
                frmNewDevice->speStationId->SetValue(StationId);
                frmNewDevice->speChannelCount->SetValue(Channels);
                frmNewDevice->cbxValueRule->SetItemIndex(Rule);
                frmNewDevice->neDVRBeginAddr->SetValue(Address);
                frmNewDevice->EditDeviceButtons->OkButton()->Click();
            });
            frmDeviceList->btnNewDevice->Click();
            frmDeviceList->Close();
        });
        frmMain->btnDeviceList->Click();
    }

    void AddBothDevices()
    {
        AddDevice("Press", Press, 2, 0, 10);
        AddDevice("Oven", Oven, 1, 1, 0);
        ASSERT_EQ(frmMain->Devices().size(), 2u);
    }

    std::vector<std::string> DataFiles() const
    {
        std::vector<std::string> Names;
        if (fs::exists(P->Dir.File("Data")))
            for (const auto& E : fs::directory_iterator(P->Dir.File("Data")))
                Names.push_back(E.path().filename().string());
        std::sort(Names.begin(), Names.end());
        return Names;
    }
    bool TempIsEmpty() const { return fs::is_empty(P->Dir.File("Temp")); }

    // The CSV file's lines, decoded; each line must end in CR LF.
    std::vector<std::string> CsvLines(const std::string& Name) const
    {
        const std::string Bytes = P->Read("Data/" + Name);
        std::vector<std::string> Lines;
        size_t Start = 0;
        while (Start < Bytes.size()) {
            const size_t End = Bytes.find("\r\n", Start);
            EXPECT_NE(End, std::string::npos) << "line without CR LF";
            if (End == std::string::npos)
                break;
            Lines.push_back(Gbk::FromGbk(Bytes.substr(Start, End - Start)));
            Start = End + 2;
        }
        return Lines;
    }

    bool Running() const { return frmMain->RunActive(); }
    bool WaitUntilStopped()
    {
        return TProgramForms::ServeUntil([this] { return !Running(); }, 30000);
    }
    bool WaitForPolls(int Station, int Count)
    {
        const std::uint64_t Target = Sim.Slave().RequestCount(Station) + Count;
        return TProgramForms::ServeUntil([&] { return Sim.Slave().RequestCount(Station) >= Target; }, 30000);
    }

    modbussim::Simulator Sim;
    std::unique_ptr<TProgramForms> P;
};

TEST_F(MainWindowTest, RecordsARunOfSetDurationIntoACsvFile)
{
    // Long enough to watch a few polling cycles even on a busy machine.
    StartProgram("StopMode=1\r\nLogDuration=3\r\nTimeBaseLog=0\r\n");
    EXPECT_TRUE(frmMain->pnlNoneDevice->GetVisible());
    EXPECT_FALSE(frmMain->btnRecord->GetEnabled());
    AddBothDevices();
    EXPECT_FALSE(frmMain->pnlNoneDevice->GetVisible());
    EXPECT_TRUE(frmMain->btnRecord->GetEnabled());
    EXPECT_TRUE(frmMain->btnArrangeDevices->GetEnabled());

    frmMain->btnRecord->Click();
    EXPECT_TRUE(Running());
    EXPECT_FALSE(frmMain->btnRecord->GetEnabled());
    EXPECT_FALSE(frmMain->btnExit->GetEnabled());
    EXPECT_TRUE(frmMain->btnStop->GetEnabled());
    EXPECT_TRUE(frmMain->psbPolling->GetVisible());
    EXPECT_TRUE(frmMain->spLogState->GetVisible());

    // While the run goes on, the panes follow the polls.
    ASSERT_TRUE(WaitForPolls(Oven, 2));
    ASSERT_TRUE(TProgramForms::ServeUntil([] { return frmMain->spLogState->GetText() == "超时"; }));
    EXPECT_EQ(frmMain->lblPollingId->GetText(), "2");
    EXPECT_EQ(frmMain->Devices()[0]->Channel(0)->lblValue->GetText(), "12");
    EXPECT_EQ(frmMain->Devices()[0]->Channel(1)->lblValue->GetText(), "-7");
    EXPECT_EQ(frmMain->Devices()[1]->Channel(0)->lblValue->GetText(), "-------");

    ASSERT_TRUE(WaitUntilStopped());
    EXPECT_TRUE(frmMain->btnRecord->GetEnabled());
    EXPECT_TRUE(frmMain->btnExit->GetEnabled());
    EXPECT_FALSE(frmMain->btnStop->GetEnabled());
    EXPECT_FALSE(frmMain->psbPolling->GetVisible());
    EXPECT_FALSE(frmMain->lblPollingId->GetVisible());
    EXPECT_FALSE(frmMain->spLogState->GetVisible());
    EXPECT_EQ(frmMain->lblElapsed->Font->GetColor(), TColor(0x808080));
    EXPECT_TRUE(std::regex_match(frmMain->lblElapsed->GetText(), std::regex(R"(0:00:[0-9]\.[0-9])")))
        << frmMain->lblElapsed->GetText();
    EXPECT_TRUE(P->Asked.empty());

    const std::vector<std::string> Files = DataFiles();
    ASSERT_EQ(Files.size(), 1u);
    EXPECT_TRUE(std::regex_match(Files[0], std::regex(R"(\d{14}\.csv)"))) << Files[0];
    const std::vector<std::string> Lines = CsvLines(Files[0]);
    ASSERT_GE(Lines.size(), 3u);
    EXPECT_EQ(Lines[0], "采样时刻,测量值(kg),测量值(kg),测量值(kg)");
    const std::regex Record(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3},12,-7,-------)");
    for (size_t i = 1; i < Lines.size(); ++i)
        EXPECT_TRUE(std::regex_match(Lines[i], Record)) << Lines[i];
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(MainWindowTest, ChannelsCanBeEditedDuringARun)
{
    StartProgram("StopMode=0\r\n");
    AddBothDevices();
    frmMain->btnRecord->Click();
    ASSERT_TRUE(WaitForPolls(Press, 1));

    bool ToolbarShown = true;
    bool StationIdEditable = true;
    TProgramForms::WhenShown(frmDeviceList, [&] {
        ToolbarShown = frmDeviceList->toolDevice->GetVisible();
        StationIdEditable = frmDeviceList->speStationId->GetEnabled();
        frmDeviceList->tvDeviceList->SetSelected(frmDeviceList->tvDeviceList->Items->Root(0)->Item(0));
        frmDeviceList->leValueName->SetText("Force");
        frmDeviceList->speWorkDP->SetValue(1);
        frmDeviceList->EditChannelButtons->OkButton()->Click();
        // Adding and deleting are not offered during a run, and refused if asked.
        frmDeviceList->btnNewDevice->Click();
        frmDeviceList->tvDeviceList->SetSelected(frmDeviceList->tvDeviceList->Items->Root(1));
        frmDeviceList->btnDeleteDevice->Click();
        frmDeviceList->Close();
    });
    frmMain->btnDeviceList->Click();
    EXPECT_FALSE(ToolbarShown);
    EXPECT_FALSE(StationIdEditable);
    EXPECT_EQ(frmMain->Devices().size(), 2u);
    EXPECT_NE(P->Read("Devices.db").find("[Device2]"), std::string::npos);
    EXPECT_EQ(TIniFile(P->Dir.File("Devices.db")).ReadString("Device1", "ValueName1", ""), "Force");

    ASSERT_TRUE(WaitForPolls(Press, 2));
    ASSERT_TRUE(
        TProgramForms::ServeUntil([] { return frmMain->Devices()[0]->Channel(0)->lblValue->GetText() == "1.2"; }));
    EXPECT_EQ(frmMain->Devices()[0]->Channel(0)->lblValueName->GetText(), "Force");
    EXPECT_TRUE(Running());

    // Stop mode 0 stops without asking.
    frmMain->btnStop->Click();
    EXPECT_FALSE(Running());
    EXPECT_TRUE(P->Asked.empty());
    ASSERT_EQ(DataFiles().size(), 1u);
    const std::vector<std::string> Lines = CsvLines(DataFiles()[0]);
    ASSERT_GE(Lines.size(), 2u);
    EXPECT_NE(Lines.back().find(",1.2,-7,-------"), std::string::npos) << Lines.back();
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(MainWindowTest, DeletingAnIdleDeviceRemovesItsSection)
{
    StartProgram("");
    AddBothDevices();
    ASSERT_NE(P->Read("Devices.db").find("[Device2]"), std::string::npos);
    P->Answers = {IDYES};
    TProgramForms::WhenShown(frmDeviceList, [] {
        frmDeviceList->tvDeviceList->SetSelected(frmDeviceList->tvDeviceList->Items->Root(1));
        frmDeviceList->btnDeleteDevice->Click();
        frmDeviceList->Close();
    });
    frmMain->btnDeviceList->Click();
    ASSERT_EQ(P->Asked.size(), 1u);
    EXPECT_EQ(P->Asked[0].Text, "要删除[设备2: Oven KRN]吗？");
    EXPECT_EQ(P->Read("Devices.db").find("[Device2]"), std::string::npos);
    EXPECT_NE(P->Read("Devices.db").find("[Device1]"), std::string::npos);
    ASSERT_EQ(frmMain->Devices().size(), 1u);
    EXPECT_EQ(frmMain->Devices()[0]->Section(), "Device1");
}

TEST_F(MainWindowTest, ClosingDuringARunAsksAndStopsOnlyOnYes)
{
    StartProgram("StopMode=0\r\n");
    AddBothDevices();
    frmMain->btnRecord->Click();
    ASSERT_TRUE(WaitForPolls(Oven, 1));

    P->Answers = {IDNO};
    frmMain->Close();
    ASSERT_EQ(P->Asked.size(), 1u);
    EXPECT_EQ(P->Asked[0].Text, "正在记录中, 确认要退出吗？");
    EXPECT_EQ(P->Asked[0].Caption, "警告");
    EXPECT_EQ(P->Asked[0].Flags, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_TRUE(Running());
    EXPECT_TRUE(frmMain->GetVisible());
    ASSERT_TRUE(WaitForPolls(Press, 2));

    P->Answers = {IDYES};
    frmMain->Close();
    EXPECT_FALSE(Running());
    EXPECT_FALSE(frmMain->GetVisible());
    ASSERT_EQ(DataFiles().size(), 1u);
    EXPECT_GE(CsvLines(DataFiles()[0]).size(), 2u);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(MainWindowTest, AStopThatArrivesWhileTheStopQuestionIsOpenDoesNoHarm)
{
    StartProgram("StopMode=1\r\nLogDuration=1\r\nTimeBaseLog=0\r\n");
    AddBothDevices();
    frmMain->btnRecord->Click();
    ASSERT_TRUE(WaitForPolls(Press, 1));

    // The run ends by itself while the question is on screen; Yes then
    // finds nothing left to stop.
    P->WhileAsking = [this] { ASSERT_TRUE(WaitUntilStopped()); };
    P->Answers = {IDYES};
    frmMain->btnStop->Click();
    ASSERT_EQ(P->Asked.size(), 1u);
    EXPECT_EQ(P->Asked[0].Text, "采集时长未到1秒，需要立即停止吗？");
    EXPECT_FALSE(Running());
    EXPECT_TRUE(frmMain->btnRecord->GetEnabled());
    EXPECT_FALSE(frmMain->btnStop->GetEnabled());
    EXPECT_EQ(DataFiles().size(), 1u);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(MainWindowTest, ARunThatEndsWhileTheCloseQuestionIsOpenStillCloses)
{
    StartProgram("StopMode=1\r\nLogDuration=2\r\nTimeBaseLog=0\r\n");
    AddBothDevices();
    frmMain->btnRecord->Click();
    ASSERT_TRUE(WaitForPolls(Press, 1));
    P->WhileAsking = [this] { ASSERT_TRUE(WaitUntilStopped()); };
    P->Answers = {IDYES};
    frmMain->Close();
    ASSERT_EQ(P->Asked.size(), 1u);
    EXPECT_EQ(P->Asked[0].Text, "正在记录中, 确认要退出吗？");
    EXPECT_FALSE(Running());
    EXPECT_FALSE(frmMain->GetVisible());
    EXPECT_EQ(DataFiles().size(), 1u);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(MainWindowTest, AStopQuestionAnsweredNoKeepsTheRun)
{
    StartProgram("StopMode=1\r\nLogDuration=1\r\nTimeBaseLog=2\r\n");
    AddBothDevices();
    frmMain->btnRecord->Click();
    ASSERT_TRUE(WaitForPolls(Press, 1));
    P->Answers = {IDNO};
    frmMain->btnStop->Click();
    ASSERT_EQ(P->Asked.size(), 1u);
    EXPECT_EQ(P->Asked[0].Text, "采集时长未到1小时，需要立即停止吗？");
    EXPECT_TRUE(Running());
    frmMain->StopRecording();
    EXPECT_FALSE(Running());
}

TEST_F(MainWindowTest, APortThatCannotOpenEndsInAMessageAndAnIdleToolbar)
{
    StartProgram("StopMode=0\r\n");
    AddBothDevices();
    optCommPort->SetValue(std::string(P->Dir.File("no-such-port")));
    CallGuarded(frmMain->btnRecord, [] { frmMain->btnRecord->Click(); });
    EXPECT_FALSE(Running());
    ASSERT_EQ(P->Asked.size(), 1u);
    EXPECT_EQ(P->Asked[0].Kind, TDialogKind::MessageBox);
    EXPECT_FALSE(P->Asked[0].Text.empty());
    EXPECT_TRUE(frmMain->btnRecord->GetEnabled());
    EXPECT_FALSE(frmMain->btnStop->GetEnabled());
    EXPECT_TRUE(frmMain->btnExit->GetEnabled());
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(MainWindowTest, ARunWhosePortGoesAwayEndsWithAMessageAndAnIdleToolbar)
{
    StartProgram("StopMode=0\r\n");
    AddBothDevices();
    const std::string Name = "kalvo-main-window-test";
    auto Device = comm::FakeDevice::Create(Name);
    optCommPort->SetValue(Name);
    frmMain->btnRecord->Click();
    ASSERT_TRUE(Running());
    // The first request reaches the device (the run is served meanwhile).
    std::string Written;
    ASSERT_TRUE(TProgramForms::ServeUntil([&] {
        Written += Device->Receive(8 - Written.size(), 0);
        return Written.size() >= 8;
    }));

    Device->HangUp();
    ASSERT_TRUE(WaitUntilStopped());
    EXPECT_TRUE(frmMain->btnRecord->GetEnabled());
    EXPECT_FALSE(frmMain->btnStop->GetEnabled());
    EXPECT_TRUE(frmMain->btnExit->GetEnabled());
    EXPECT_FALSE(frmMain->spLogState->GetVisible());
    ASSERT_TRUE(TProgramForms::ServeUntil([this] { return !P->Asked.empty(); }));
    EXPECT_EQ(P->Asked[0].Kind, TDialogKind::MessageBox);
    EXPECT_FALSE(P->Asked[0].Text.empty());
    EXPECT_TRUE(TempIsEmpty());
}

// A pulled cable: the line vanishes under a running run. The run ends
// first (no stale values, idle toolbar, log in the data folder) and only
// then does a box say what happened and where the data is.
TEST_F(MainWindowTest, APulledCableEndsTheRunBeforeTellingWhereTheDataIs)
{
    TPtyPair Pty;
    auto Server = std::make_unique<TLibModbusServer>(Pty.MasterFd(), Press, std::vector<std::uint16_t>{9});
    StartProgram("StopMode=0\r\n");
    AddDevice("Press", Press, 1, 0, 0);
    optCommPort->SetValue(Pty.SlavePath());
    // The line goes while the thread rests after an answer, so the last
    // value shown is a good one, not a time-out's marker.
    optPollDelay->SetValue(400);
    optPollTimeout->SetValue(2000);
    frmMain->btnRecord->Click();
    ASSERT_TRUE(Running());
    ASSERT_TRUE(TProgramForms::ServeUntil([&] { return Server->Replies() >= 4; }));
    const int Answered = Server->Replies();
    ASSERT_TRUE(TProgramForms::ServeUntil([&] { return Server->Replies() > Answered; }));
    EXPECT_TRUE(
        TProgramForms::ServeUntil([] { return frmMain->Devices()[0]->Channel(0)->lblValue->GetText() == "9"; }));

    struct {
        bool Running = true, RecordEnabled = false, StopEnabled = true;
        std::string Value;
        std::vector<std::string> Files;
    } AtTheBox;
    P->WhileAsking = [&] {
        AtTheBox = {Running(), frmMain->btnRecord->GetEnabled(), frmMain->btnStop->GetEnabled(),
                    frmMain->Devices()[0]->Channel(0)->lblValue->GetText(), DataFiles()};
    };
    Server.reset();
    Pty.CloseMaster();
    ASSERT_TRUE(TProgramForms::ServeUntil([this] { return !P->Asked.empty(); }));
    // The run's thread ended before the box: what it left queued is all
    // handled now, and no second box follows.
    CheckSynchronize(0);
    TProgramForms::ServeUntil([] { return true; });

    EXPECT_FALSE(AtTheBox.Running);
    EXPECT_TRUE(AtTheBox.RecordEnabled);
    EXPECT_FALSE(AtTheBox.StopEnabled);
    EXPECT_EQ(AtTheBox.Value, "-------");
    ASSERT_EQ(AtTheBox.Files.size(), 1u);
    EXPECT_TRUE(TempIsEmpty());

    ASSERT_EQ(P->Asked.size(), 1u) << P->Asked.back().Text;
    EXPECT_EQ(P->Asked[0].Kind, TDialogKind::MessageBox);
    EXPECT_EQ(P->Asked[0].Caption, "错误");
    const std::string Path = P->Dir.File("Data/" + AtTheBox.Files[0]);
    // The reason is that of the call that met the loss first: the next
    // request's write, or the read of a reply on its way as the line went.
    const std::string Head = "与串口 " + Pty.SlavePath() + " 的连接已断开，记录已停止。\r\n原因: ";
    const std::string Tail = " function failed (Error: 31)\r\n数据已保存在: " + Path + "\r\n";
    EXPECT_TRUE(P->Asked[0].Text == Head + "WriteFile" + Tail || P->Asked[0].Text == Head + "ReadFile" + Tail)
        << P->Asked[0].Text;

    const std::vector<std::string> Lines = CsvLines(AtTheBox.Files[0]);
    ASSERT_GE(Lines.size(), 2u);
    for (size_t i = 1; i < Lines.size(); ++i)
        EXPECT_TRUE(std::regex_match(Lines[i], std::regex(R"([^,]+,(9|-------))"))) << Lines[i];
}

// The window owns the device frames: destroyed during a run, it ends the
// run and keeps its data first, then frees the frames last first.
TEST_F(MainWindowTest, DestroyingTheWindowDuringARunEndsTheRunBeforeTheFramesGo)
{
    StartProgram("StopMode=0\r\n");
    AddBothDevices();
    frmMain->btnRecord->Click();
    ASSERT_TRUE(Running());
    ASSERT_TRUE(WaitForPolls(Press, 2));

    std::vector<std::string> Freed;
    std::vector<bool> RunOverWhenFreed;
    TFreeWatch Watch([&](TComponent* Frame) {
        Freed.push_back(Frame->GetName());
        // The run's log leaves the work folder when the run ends.
        RunOverWhenFreed.push_back(TempIsEmpty());
    });
    for (TfraDevice* Frame : frmMain->Devices().Frames())
        Watch.Watch(Frame);
    delete frmMain;

    EXPECT_EQ((std::vector<std::string>{"fraDevice2", "fraDevice1"}), Freed);
    EXPECT_EQ((std::vector<bool>{true, true}), RunOverWhenFreed);
    EXPECT_EQ(DataFiles().size(), 1u);
    EXPECT_TRUE(TempIsEmpty());
}

}  // namespace
