#include "ProgramForms.h"
#include "SampleFakes.h"

#include "app/DeviceRegistry.h"
#include "app/DeviceUnit.h"
#include "app/SamplingRun.h"
#include "app/SysOption.h"
#include "rtl/Gbk.h"
#include "rtl/IniFile.h"
#include "serial/CPort.h"
#include "ui/ApplicationEvents.h"
#include "ui/Screenshot.h"
#include "ui/TextClipCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const char* const TwoDevices =
    "[Device1]\r\nDeviceName=Press\r\nDeviceModel=M1\r\nChannelCount=1\r\nValueRule=0\r\n"
    "[Device3]\r\nDeviceName=Oven\r\nDeviceModel=M3\r\nChannelCount=5\r\nValueRule=1\r\nStationId=9\r\n";

void WriteDevices(const TScratchDir& Dir)
{
    TScratchDir::Write(Dir.File("Devices.db"), TwoDevices);
}

TEST(MainUnitTest, StartsWithDefaultsAndAnEmptyDeviceList)
{
    TProgramForms P;
    P.Start();
    EXPECT_EQ(frmMain->GetText(), "KALVO数据采集软件");
    EXPECT_EQ(frmMain->spPort->GetText(), "COM1");
    EXPECT_EQ(frmMain->spBaud->GetText(), "9600");
    EXPECT_EQ(frmMain->spAuthor->GetText(), "");
    EXPECT_TRUE(frmMain->pnlNoneDevice->GetVisible());
    EXPECT_EQ(frmMain->pnlNoneDevice->GetText(), "打开设备管理添加新设备");
    EXPECT_FALSE(frmMain->btnRecord->GetEnabled());
    EXPECT_FALSE(frmMain->btnArrangeDevices->GetEnabled());
    EXPECT_FALSE(frmMain->btnStop->GetEnabled());
    EXPECT_TRUE(frmMain->btnExit->GetEnabled());
    EXPECT_FALSE(frmMain->spLogState->GetVisible());
    EXPECT_FALSE(frmMain->psbPolling->GetVisible());
    EXPECT_FALSE(frmMain->lblPollingId->GetVisible());
    EXPECT_EQ(frmMain->psbPolling->GetTotalParts(), 10);
    EXPECT_EQ(frmMain->lblElapsed->GetText(), "0:00:00.0");
    EXPECT_TRUE(frmMain->Devices().empty());
    // Nothing was written: defaults and an empty list leave no file behind.
    EXPECT_FALSE(FileExists(P.Dir.File("Devices.db")));
    EXPECT_FALSE(FileExists(P.Dir.File("config.ini")));
}

TEST(MainUnitTest, FormLayoutNamesCaptionsAndOrder)
{
    TProgramForms P;
    // The toolbar's buttons and spacers, left to right.
    const std::vector<std::pair<std::string, std::string>> Expected = {{"btnRecord", "开始记录"},
                                                                       {"btnStop", "停止记录"},
                                                                       {"", ""},
                                                                       {"btnChangeOptions", "参数设置"},
                                                                       {"", ""},
                                                                       {"btnArrangeDevices", "重新排列"},
                                                                       {"btnDeviceList", "设备管理"},
                                                                       {"", ""},
                                                                       {"btnExit", "退出"}};
    ASSERT_EQ(frmMain->toolMain->ControlCount(), static_cast<int>(Expected.size()));
    for (int i = 0; i < frmMain->toolMain->ControlCount(); ++i) {
        auto* B = dynamic_cast<TToolButton*>(frmMain->toolMain->Controls(i));
        ASSERT_NE(B, nullptr) << i;
        if (Expected[i].first.empty()) {
            EXPECT_EQ(B->GetStyle(), tbsSeparator) << i;
            continue;
        }
        EXPECT_EQ(B->GetName(), Expected[i].first);
        EXPECT_EQ(B->GetText(), Expected[i].second);
        EXPECT_EQ(B->GetEnabled(), B != frmMain->btnStop) << B->GetName();
    }
    EXPECT_EQ(frmMain->toolMain->GetParent(), frmMain->pnlToolBar);
    EXPECT_EQ(frmMain->pnlPollingState->GetParent(), frmMain->pnlToolBar);
    EXPECT_EQ(frmMain->pnlPollingState->GetAlign(), alRight);
    EXPECT_EQ(frmMain->pnlPollingState->GetColor(), TColor(16744448));
    EXPECT_EQ(frmMain->lblElapsed->GetParent(), frmMain->pnlPollingState);
    EXPECT_EQ(frmMain->lblElapsed->GetAlignment(), taCenter);
    EXPECT_EQ(frmMain->srxDevices->GetAlign(), alClient);
    EXPECT_EQ(frmMain->srxDevices->GetColor(), clWhite);
    EXPECT_EQ(frmMain->pnlNoneDevice->GetParent(), frmMain->srxDevices);
    EXPECT_EQ(frmMain->spPort->GetAlign(), alLeft);
    EXPECT_EQ(frmMain->spBaud->GetAlign(), alLeft);
    EXPECT_EQ(frmMain->spAuthor->GetAlign(), alRight);
    EXPECT_EQ(frmMain->spLogState->GetAlign(), alRight);
    EXPECT_EQ(frmMain->psbPolling->GetAlign(), alRight);
    EXPECT_EQ(frmMain->lblPollingId->GetAlign(), alRight);
    EXPECT_EQ(frmMain->spVersion->GetLabel(), "版本");
    EXPECT_EQ(frmMain->SaveDialog1->DefaultExt, ".csv");
    EXPECT_EQ(frmMain->SaveDialog1->Filter, "CSV文件(*.csv)|*.csv");
    // Loaded with the form, never opened.
    EXPECT_FALSE(frmMain->ComPort1->Connected());
}

TEST(MainUnitTest, OptionsReachTheStatusBarAndTheCaption)
{
    TProgramForms P([](const TScratchDir& Dir) {
        TScratchDir::Write(Dir.File("config.ini"),
                           Gbk::ToGbk("[System Parameters]\r\nComm Port=ttyUSB3\r\nBaud Rate=19200\r\n"
                                      "Author=张三\r\nProgram Title=   \r\n"));
    });
    P.Start();
    EXPECT_EQ(frmMain->spPort->GetText(), "ttyUSB3");
    EXPECT_EQ(frmMain->spBaud->GetText(), "19200");
    EXPECT_NE(frmMain->spAuthor->GetText().find("张三"), std::string::npos);
    EXPECT_EQ(frmMain->GetText(), "仪表变送器数据采集软件");

    optProgramTitle->SetValue(std::string("Line 3"));
    frmMain->ApplyOptions();
    EXPECT_EQ(frmMain->GetText(), "Line 3");
}

TEST(MainUnitTest, AnErrorBoxCarriesTheProgramTitle)
{
    TProgramForms P([](const TScratchDir& Dir) {
        WriteDevices(Dir);
        TScratchDir::Write(Dir.File("config.ini"),
                           "[System Parameters]\r\nComm Port=/nonexistent/ttyV9\r\n"
                           "[Log Parameters]\r\nLogFilenameMode=1\r\n");
    });
    P.Start();
    CallGuarded(frmMain->btnRecord, [] { frmMain->btnRecord->Click(); });
    ASSERT_FALSE(P.Asked.empty());
    EXPECT_EQ(P.Asked.back().Text, "Unable to open com port (Error: 2)");
    EXPECT_EQ(P.Asked.back().Caption, "KALVO数据采集软件");

    optProgramTitle->SetValue(std::string("Line 3"));
    frmMain->ApplyOptions();
    CallGuarded(frmMain->btnRecord, [] { frmMain->btnRecord->Click(); });
    EXPECT_EQ(P.Asked.back().Caption, "Line 3");
}

TEST(MainUnitTest, TheOptionsDialogAppliesToTheMainWindowAndOpensTheDeviceList)
{
    TProgramForms P(WriteDevices);
    P.Start();
    bool ListShown = false;
    TProgramForms::WhenShown(frmSetup, [&ListShown] {
        TProgramForms::WhenShown(frmDeviceList, [&ListShown] {
            ListShown = true;
            frmDeviceList->Close();
        });
        frmSetup->btnTriggerChannels->Click();
        frmSetup->cbxBaud->SetItemIndex(frmSetup->cbxBaud->Items->IndexOf("38400"));
        frmSetup->DialogButtons->OkButton()->Click();
    });
    frmMain->btnChangeOptions->Click();
    EXPECT_TRUE(ListShown);
    EXPECT_FALSE(frmSetup->GetVisible());
    EXPECT_EQ(frmMain->spBaud->GetText(), "38400");
    EXPECT_EQ(TIniFile(P.Dir.File("config.ini")).ReadString("System Parameters", "Baud Rate", ""), "38400");
}

TEST(MainUnitTest, CaptionAndOwnerTexts)
{
    EXPECT_EQ(MainCaption(""), "仪表变送器数据采集软件");
    EXPECT_EQ(MainCaption(" \t "), "仪表变送器数据采集软件");
    EXPECT_EQ(MainCaption("KALVO数据采集软件"), "KALVO数据采集软件");
    EXPECT_EQ(OwnerLine("  "), "");
    EXPECT_EQ(OwnerLine(" Kalvo "), "授权用户: Kalvo");
}

TEST(MainUnitTest, DevicesAreLoadedStackedAndGivenStationIds)
{
    TProgramForms P(WriteDevices);
    P.Start();
    ASSERT_EQ(frmMain->Devices().size(), 2u);
    TfraDevice* First = frmMain->Devices()[0];
    TfraDevice* Second = frmMain->Devices()[1];
    EXPECT_EQ(First->Section(), "Device1");
    EXPECT_EQ(Second->Section(), "Device3");
    EXPECT_EQ(First->GetName(), "fraDevice1");
    EXPECT_EQ(Second->GetName(), "fraDevice2");
    EXPECT_EQ(First->GetParent(), frmMain->srxDevices);
    EXPECT_FALSE(frmMain->pnlNoneDevice->GetVisible());
    EXPECT_TRUE(frmMain->btnRecord->GetEnabled());
    EXPECT_TRUE(frmMain->btnArrangeDevices->GetEnabled());

    // A missing station id becomes the device's position and is written back.
    EXPECT_EQ(First->StationId(), 1);
    EXPECT_EQ(Second->StationId(), 9);
    TIniFile Ini(P.Dir.File("Devices.db"));
    EXPECT_EQ(Ini.ReadString("Device1", "StationId", ""), "1");
    EXPECT_EQ(Ini.ReadString("Device3", "StationId", ""), "9");

    // Frames stack from the top in list order.
    EXPECT_EQ(First->GetTop(), 0);
    EXPECT_EQ(Second->GetTop(), First->GetHeight());
    EXPECT_EQ(First->GetAlign(), alTop);
    Second->SetHeight(Second->GetHeight() + 40);
    frmMain->btnArrangeDevices->Click();
    EXPECT_EQ(Second->GetTop(), First->GetHeight());
}

TEST(MainUnitTest, ShowingAgainKeepsTheFrames)
{
    TProgramForms P(WriteDevices);
    P.Start();
    const std::vector<TfraDevice*> Before = frmMain->Devices().Frames();
    frmMain->Hide();
    P.Write("Devices.db", "[Device1]\r\nChannelCount=2\r\n");
    frmMain->Show();
    EXPECT_EQ(frmMain->Devices().Frames(), Before);
}

// Dialogs that outlive the main window reach neither it nor the devices it
// lent them: the device list is empty and offers adding, which then does
// nothing.
TEST(MainUnitTest, DialogsThatOutliveTheMainWindowDoNotReachIt)
{
    TProgramForms P(WriteDevices);
    P.Start();
    delete frmMain;
    frmDeviceList->Show();
    EXPECT_EQ(frmDeviceList->tvDeviceList->Items->RootCount(), 0);
    EXPECT_TRUE(frmDeviceList->toolDevice->GetVisible());
    bool NewDeviceAsked = false;
    TProgramForms::WhenShown(frmNewDevice, [&] {
        NewDeviceAsked = true;
        frmNewDevice->Close();
    });
    frmDeviceList->btnNewDevice->Click();
    EXPECT_FALSE(NewDeviceAsked);
    frmDeviceList->Hide();
    frmSetup->Show();
    EXPECT_TRUE(frmSetup->tsComm->GetTabVisible());
    frmSetup->Hide();
    EXPECT_TRUE(P.Asked.empty());
}

TEST(MainUnitTest, ClosingWhenIdleAsksNothing)
{
    TProgramForms P(WriteDevices);
    P.Start();
    bool CanClose = true;
    frmMain->FormCloseQuery(frmMain, CanClose);
    EXPECT_TRUE(CanClose);
    EXPECT_TRUE(P.Asked.empty());
}

TEST(MainUnitTest, StopMessageWhenIdleIsHarmless)
{
    TProgramForms P;
    P.Start();
    // Posted messages arrive in order: the marker follows the stop message.
    constexpr UINT Marker = WM_USER + 200;
    int Seen = 0;
    TApplicationEvents Spy(nullptr);
    Spy.OnMessage = [&Seen](TMsg& Msg, bool&) {
        if (Msg.message == Marker)
            ++Seen;
    };
    ASSERT_TRUE(PostMessage(frmMain, WM_USER + 101, 0, 0));
    ASSERT_TRUE(PostMessage(frmMain, Marker, 0, 0));
    ASSERT_TRUE(P.ServeUntil([&] { return Seen > 0; }, 10000));
    // No devices: recording stays unavailable, and nothing was asked.
    EXPECT_FALSE(frmMain->btnRecord->GetEnabled());
    EXPECT_FALSE(frmMain->btnStop->GetEnabled());
    EXPECT_TRUE(frmMain->btnExit->GetEnabled());
    EXPECT_TRUE(P.Asked.empty());
}

TEST(MainUnitTest, UnusableOrSharedStationIdsAreReportedByDevice)
{
    // Device1's 300 is no station id; falling back to its position it would
    // poll station 1 together with Device2, unnoticed.
    const std::string File =
        "[Device1]\r\nStationId=300\r\n[Device2]\r\nStationId=1\r\n"
        "[Device3]\r\nStationId=abc\r\n[Device4]\r\nStationId=7\r\n"
        "[Device5]\r\nStationId=7\r\n";
    TProgramForms P([&](const TScratchDir& Dir) { TScratchDir::Write(Dir.File("Devices.db"), File); });
    P.Start();
    ASSERT_EQ(P.Asked.size(), 1u);
    EXPECT_EQ(P.Asked[0].Caption, "错误");
    EXPECT_EQ(P.Asked[0].Text,
              "设备1的Modbus站号\"300\"无效(应为1-254)，暂按站号1通讯，请在设备管理中修改。\r\n"
              "设备3的Modbus站号\"abc\"无效(应为1-254)，暂按站号3通讯，请在设备管理中修改。\r\n"
              "设备1、设备2使用同一个Modbus站号[1]，请在设备管理中修改。\r\n"
              "设备4、设备5使用同一个Modbus站号[7]，请在设备管理中修改。\r\n");
    // The file keeps the stored text.
    const std::string Stored = TScratchDir::Read(P.Dir.File("Devices.db"));
    EXPECT_NE(Stored.find("StationId=300\r\n"), std::string::npos);
    EXPECT_NE(Stored.find("StationId=abc\r\n"), std::string::npos);
}

// The records of runs that never finished (the program ended under them)
// are in the work folder at start-up. They move to the data folder, named
// after their last write and never over a file there, and a box says where
// each went.
TEST(MainUnitTest, RecordsLeftByUnfinishedRunsMoveToTheDataFolderAtStartUp)
{
    const std::string First = Gbk::ToGbk("采样时刻,压力(MPa)\r\n2023-05-06 07:08:08.500,1.5\r\n");
    const std::string Second = Gbk::ToGbk("采样点编号,温度\r\n1,20\r\n2,-------\r\n");
    TProgramForms P([&](const TScratchDir& Dir) {
        std::filesystem::create_directories(Dir.File("Temp"));
        std::filesystem::create_directories(Dir.File("Data"));
        TScratchDir::Write(Dir.File("Temp/$$$RunningLogFile.$$$"), First);
        TScratchDir::Write(Dir.File("Temp/$$$RunningLogFile(2).$$$"), Second);
        for (const char* Name : {"Temp/$$$RunningLogFile.$$$", "Temp/$$$RunningLogFile(2).$$$"})
            TScratchDir::SetLastWrite(Dir.File(Name), 2023, 5, 6, 7, 8, 9);
        // A file of another run already has the name the first would get.
        TScratchDir::Write(Dir.File("Data/20230506070809.csv"), "kept");
        TScratchDir::Write(Dir.File("Temp/notes.txt"), "not a log");
    });
    P.Start();

    EXPECT_EQ(P.Read("Data/20230506070809.csv"), "kept");
    EXPECT_EQ(P.Read("Data/20230506070809(2).csv"), First);
    EXPECT_EQ(P.Read("Data/20230506070809(3).csv"), Second);
    EXPECT_FALSE(FileExists(P.Dir.File("Temp/$$$RunningLogFile.$$$")));
    EXPECT_FALSE(FileExists(P.Dir.File("Temp/$$$RunningLogFile(2).$$$")));
    EXPECT_EQ(P.Read("Temp/notes.txt"), "not a log");
    ASSERT_EQ(P.Asked.size(), 1u);
    EXPECT_EQ(P.Asked[0].Caption, "错误");
    EXPECT_EQ(P.Asked[0].Text,
              "发现未正常结束的记录文件。\r\n"
              "数据已保存在: " +
                  P.Dir.File("Data/20230506070809(2).csv") +
                  "\r\n"
                  "数据已保存在: " +
                  P.Dir.File("Data/20230506070809(3).csv") + "\r\n");
}

TEST(MainUnitTest, RunStateSwitchesTheToolbarAndPanes)
{
    TProgramForms P(WriteDevices);
    P.Start();
    frmMain->SetRunState(true);
    EXPECT_FALSE(frmMain->btnRecord->GetEnabled());
    EXPECT_FALSE(frmMain->btnExit->GetEnabled());
    EXPECT_TRUE(frmMain->btnStop->GetEnabled());
    EXPECT_TRUE(frmMain->btnChangeOptions->GetEnabled());
    EXPECT_TRUE(frmMain->psbPolling->GetVisible());
    EXPECT_TRUE(frmMain->lblPollingId->GetVisible());
    EXPECT_TRUE(frmMain->spLogState->GetVisible());
    EXPECT_EQ(frmMain->lblElapsed->Font->GetColor(), TColor(0xFF8000));
    frmMain->SetPollProgress(3, "7");
    EXPECT_EQ(frmMain->psbPolling->GetPartsComplete(), 3);
    EXPECT_EQ(frmMain->lblPollingId->GetText(), "7");
    frmMain->SetLogState("超时");
    EXPECT_EQ(frmMain->spLogState->GetText(), "超时");

    frmMain->SetRunState(false);
    EXPECT_TRUE(frmMain->btnRecord->GetEnabled());
    EXPECT_TRUE(frmMain->btnExit->GetEnabled());
    EXPECT_FALSE(frmMain->btnStop->GetEnabled());
    EXPECT_FALSE(frmMain->psbPolling->GetVisible());
    EXPECT_FALSE(frmMain->lblPollingId->GetVisible());
    EXPECT_FALSE(frmMain->spLogState->GetVisible());
    EXPECT_EQ(frmMain->lblElapsed->Font->GetColor(), TColor(0x808080));
}

// The elapsed time is centred in the whole coloured panel whatever its
// text, as the run steps it on.
TEST(MainUnitTest, ElapsedTimeKeepsFillingItsPanel)
{
    TProgramForms P(WriteDevices);
    P.Start();
    frmMain->SetRunState(true);
    const TRect Panel = frmMain->pnlPollingState->GetClientRect();
    for (const char* Text : {"0:00:5.3", "12:34:56.7", "0:00:00.0"}) {
        frmMain->SetElapsed(Text);
        EXPECT_EQ(frmMain->lblElapsed->GetText(), Text);
        const TRect Label = frmMain->lblElapsed->GetBoundsRect();
        EXPECT_EQ(Label.Left, Panel.Left) << Text;
        EXPECT_EQ(Label.Top, Panel.Top) << Text;
        EXPECT_EQ(Label.Right, Panel.Right) << Text;
        EXPECT_EQ(Label.Bottom, Panel.Bottom) << Text;
    }
}

TEST(MainUnitTest, MessagesUseTheProgramCaptionsAndIcons)
{
    TProgramForms P;
    P.Start();
    frmMain->ShowError("无法创建工作目录: x");
    P.Answers = {IDYES, IDNO};
    EXPECT_TRUE(frmMain->Confirm("q1"));
    EXPECT_FALSE(frmMain->Confirm("q2"));
    ASSERT_EQ(P.Asked.size(), 3u);
    EXPECT_EQ(P.Asked[0].Caption, "错误");
    EXPECT_EQ(P.Asked[0].Text, "无法创建工作目录: x");
    EXPECT_EQ(P.Asked[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(P.Asked[1].Caption, "警告");
    EXPECT_EQ(P.Asked[1].Flags, MB_YESNO | MB_ICONEXCLAMATION);

    P.SaveFileName = P.Dir.File("Data/run.csv");
    std::string Name;
    EXPECT_TRUE(frmMain->AskLogFileName(P.Dir.File("Data"), Name));
    EXPECT_EQ(Name, P.Dir.File("Data/run.csv"));
    EXPECT_EQ(P.Asked.back().InitialDir, P.Dir.File("Data"));
    EXPECT_EQ(P.Asked.back().Filter, "CSV文件(*.csv)|*.csv");
    EXPECT_EQ(P.Asked.back().DefaultExt, ".csv");
    P.SaveFileName.clear();
    EXPECT_FALSE(frmMain->AskLogFileName(P.Dir.File("Data"), Name));
}

}  // namespace

namespace {

// Widest readings and longest names a device frame shows: values with a
// sign and six decimals, and channel names and units of several characters.
void ShowWidestTexts()
{
    for (TfraDevice* D : frmMain->Devices().Frames())
        for (int i = 0; i < D->ChannelCount(); ++i) {
            TfraChannel* C = D->Channel(i);
            C->SetValueName(i % 2 ? "负三位无修正" : "Pressure 2");
            C->SetWorkUnit(i % 2 ? "kN/m2" : "°C");
            C->SetWorkDP(i % 3 == 0 ? 6 : 0);
            C->SetRawValue(-2147483647 - 1);
        }
}

// The main window with its device and channel frames shows every text
// whole, during a run, at its first size and at the smallest size that
// leaves the meter panel beside its watermark (640 x 480).
TEST(MainUnitTest, EveryTextShowsWholeAtTheFirstAndTheSmallestSize)
{
    TProgramForms P([](const TScratchDir& Dir) {
        TScratchDir::Write(Dir.File("Devices.db"),
                           "[Device1]\r\nDeviceName=SIM-16SI-LONGNAME-0001\r\nChannelCount=12\r\nValueRule=1\r\n"
                           "[Device12]\r\nDeviceName=Oven\r\nChannelCount=1\r\n[Device3]\r\nChannelCount=7\r\n"
                           "[Device4]\r\nChannelCount=11\r\n");
        TScratchDir::Write(Dir.File("config.ini"), "[System Parameters]\r\nComm Port=/dev/ttyUSB10\r\n");
    });
    P.Start();
    ShowWidestTexts();
    frmMain->SetRunState(true);
    frmMain->SetElapsed("999:59:59.9");
    frmMain->SetPollProgress(5, "254");
    frmMain->SetLogState("超时");
    for (const auto& [Width, Height] : {std::pair{1024, 700}, std::pair{640, 480}}) {
        SCOPED_TRACE(std::to_string(Width) + " x " + std::to_string(Height));
        frmMain->SetClientWidth(Width);
        frmMain->SetClientHeight(Height);
        Application->ProcessMessages();
        for (const std::string& Problem : TTextClipCheck::Problems(frmMain))
            ADD_FAILURE() << Problem;
    }
    frmMain->SetRunState(false);
}

// A disk that is full from the first byte on.
class TFullDisk : public TLogFileSystem {
public:
    std::error_code Append(const std::string&, const std::string& Bytes) override
    {
        return TLogFileSystem::Append("/dev/full", Bytes);
    }
};

// What a run shows in the status bar when its log cannot be written shows
// whole at the first size, its start at the smallest, and the panes stay
// side by side in their order.
TEST(MainUnitTest, AWriteFailureShowsInTheStatusBarBesideTheOtherPanes)
{
    TProgramForms P([](const TScratchDir& Dir) {
        TScratchDir::Write(Dir.File("Devices.db"), "[Device1]\r\nChannelCount=2\r\n");
        TScratchDir::Write(Dir.File("config.ini"), "[System Parameters]\r\nComm Port=/dev/ttyUSB10\r\n");
    });
    P.Start();
    const std::string Deep = P.Dir.File("Measurements of the second press line/2026/January/Temp");
    std::filesystem::create_directories(Deep);
    TFakeSampleDevice Device(1, 0, 0, 2);
    TSamplingRun Run({}, {&Device}, frmMain,
                     std::make_unique<TCsvLogWriter>(Deep + "/$$$RunningLogFile.$$$", P.Dir.File("run.csv"), 100,
                                                     std::make_unique<TFullDisk>()));
    // As a run shows itself.
    frmMain->SetRunState(true);
    frmMain->SetPollProgress(0, "");
    frmMain->SetLogState("");
    Run.Reply(&Device, true, {1, 2});  // logging starts and its header finds no room
    Run.PollProgress(&Device);
    Run.Reply(&Device, true, {1, 2});
    const std::string Text = frmMain->spLogState->GetText();
    EXPECT_EQ(Text.rfind("无法写入记录文件", 0), 0u) << Text;
    // Side by side in their order, within the bar.
    auto ExpectInOrder = [] {
        int Right = 0;
        for (TControl* C :
             std::vector<TControl*>{frmMain->spPort, frmMain->spBaud, frmMain->spVersion, frmMain->lblPollingId,
                                    frmMain->spLogState, frmMain->psbPolling, frmMain->spAuthor}) {
            EXPECT_GE(C->GetLeft(), Right) << C->GetName();
            Right = C->GetLeft() + C->GetWidth();
        }
        EXPECT_EQ(Right, frmMain->stbMain->GetClientWidth());
    };
    for (const auto& [Width, Height] : {std::pair{640, 480}, std::pair{1024, 700}}) {
        SCOPED_TRACE(std::to_string(Width) + " x " + std::to_string(Height));
        frmMain->SetClientWidth(Width);
        frmMain->SetClientHeight(Height);
        Application->ProcessMessages();
        ExpectInOrder();
        const std::string Shown = frmMain->spLogState->ShownText();
        if (Width == 1024)
            EXPECT_EQ(Shown, Text);
        else
            EXPECT_EQ(Shown.rfind("无法写入", 0), 0u) << Shown;
    }
    // And so for the next run.
    frmMain->SetRunState(false);
    frmMain->SetRunState(true);
    ExpectInOrder();
    frmMain->SetRunState(false);
}

}  // namespace

namespace {

// The hint on an empty device list is painted by the panel itself: its ink
// lies whole inside the panel's border.
TEST(MainUnitTest, EmptyListHintIsPaintedWhole)
{
    TProgramForms P;
    P.Start();
    Application->ProcessMessages();
    TBitmap Picture;
    GrabControl(frmMain->pnlNoneDevice, Picture);
    const TColor Ink = ColorToRGB(frmMain->pnlNoneDevice->Font->GetColor());
    int Left = Picture.GetWidth(), Right = -1, Top = Picture.GetHeight(), Bottom = -1;
    for (int X = 0; X < Picture.GetWidth(); ++X)
        for (int Y = 0; Y < Picture.GetHeight(); ++Y)
            if (Picture.Canvas->Pixels[X][Y] == Ink) {
                Left = std::min(Left, X);
                Right = std::max(Right, X);
                Top = std::min(Top, Y);
                Bottom = std::max(Bottom, Y);
            }
    ASSERT_GE(Right, 0) << "no hint drawn";
    EXPECT_GT(Left, 1);
    EXPECT_LT(Right, Picture.GetWidth() - 2);
    EXPECT_GT(Top, 1);
    EXPECT_LT(Bottom, Picture.GetHeight() - 2);
    // Ten characters at the least.
    EXPECT_GT(Right - Left, 100);
}

}  // namespace

namespace {

// The status bar's panes from left to right, as shown.
std::vector<std::string> PaneOrder()
{
    std::vector<std::pair<int, std::string>> Shown;
    for (int i = 0; i < frmMain->stbMain->ControlCount(); ++i) {
        TControl* C = frmMain->stbMain->Controls(i);
        if (C->GetVisible())
            Shown.emplace_back(C->GetLeft(), C->GetName());
    }
    std::sort(Shown.begin(), Shown.end());
    std::vector<std::string> Names;
    for (const auto& [Left, Name] : Shown)
        Names.push_back(Name);
    return Names;
}

// Runs come and go, and the panes' texts (and so their widths) change
// between them: the panes stay where they are.
TEST(MainUnitTest, StatusPanesKeepTheirOrderRunAfterRun)
{
    TProgramForms P(WriteDevices);
    P.Start();
    const std::vector<std::string> Idle = {"spPort", "spBaud", "spVersion", "spAuthor"};
    const std::vector<std::string> Running = {"spPort",     "spBaud",     "spVersion", "lblPollingId",
                                              "spLogState", "psbPolling", "spAuthor"};
    EXPECT_EQ(PaneOrder(), Idle);
    const struct {
        const char* Station;
        const char* LogState;
    } Runs[] = {{"1", ""}, {"254", "超时"}, {"7", ""}, {"12", "超时"}};
    for (const auto& Run : Runs) {
        SCOPED_TRACE(Run.Station);
        frmMain->SetRunState(true);
        for (int Part = 1; Part <= 3; ++Part) {
            frmMain->SetPollProgress(Part, Run.Station);
            frmMain->SetLogState(Run.LogState);
            EXPECT_EQ(PaneOrder(), Running);
        }
        frmMain->SetRunState(false);
        EXPECT_EQ(PaneOrder(), Idle);
    }
}

}  // namespace
