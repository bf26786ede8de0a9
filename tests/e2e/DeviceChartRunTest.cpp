// The device charts during runs on a simulated instrument line: one trace
// per channel in stacked bands, pausing and resuming, the data cursor's
// readout in the channel panels, and the traces in a picture of the frame.
#include "../app/ProgramForms.h"

#include "app/DeviceRegistry.h"
#include "app/DeviceUnit.h"
#include "app/SysOption.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/core/kPlotAxis.h"
#include "rtl/Exception.h"
#include "ui/Screenshot.h"
#include "tools/modbussim/Simulator.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

constexpr int Mixer = 1;  // three channels
constexpr int Pump = 2;   // two channels
constexpr TColor TraceColor = TColor(255);

class DeviceChartRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sim.Slave().AddStation({Mixer, 0, 0, 3, {20, 50, 80}, {}});
        Sim.Slave().AddStation({Pump, 0, 0, 2, {25, 75}, {}});
        Sim.Start();
    }

    void StartProgram(const std::string& DisplayOptions)
    {
        const std::string Config = "[System Parameters]\r\nComm Port=" + Sim.PortPath() +
                                   "\r\nPoll Delay=5\r\nPoll Timeout=150\r\n[Display Parameters]\r\n" + DisplayOptions +
                                   "[Log Parameters]\r\nLogFilenameMode=1\r\nLogInterval=0\r\n"
                                   "StopMode=0\r\n";
        P = std::make_unique<TProgramForms>(
            [&Config](const TScratchDir& Dir) { TScratchDir::Write(Dir.File("config.ini"), Config); });
        P->Start();
        AddDevice("Mixer", Mixer, 3);
        AddDevice("Pump", Pump, 2);
        ASSERT_EQ(frmMain->Devices().size(), 2u);
        frmMain->SetBounds(0, 0, 1200, 700);
        Application->ProcessMessages();
    }

    void AddDevice(const std::string& Name, int StationId, int Channels)
    {
        TProgramForms::WhenShown(frmDeviceList, [=] {
            TProgramForms::WhenShown(frmNewDevice, [=] {
                frmNewDevice->leDeviceName->SetText(Name);
                frmNewDevice->speStationId->SetValue(StationId);
                frmNewDevice->speChannelCount->SetValue(Channels);
                frmNewDevice->cbxValueRule->SetItemIndex(0);
                frmNewDevice->neDVRBeginAddr->SetValue(0);
                frmNewDevice->EditDeviceButtons->OkButton()->Click();
            });
            frmDeviceList->btnNewDevice->Click();
            frmDeviceList->Close();
        });
        frmMain->btnDeviceList->Click();
    }

    static TfraDevice* Frame(int Device) { return frmMain->Devices()[static_cast<size_t>(Device)]; }
    static TkPlot* Chart(int Device) { return Frame(Device)->pltDevice; }
    // Every trace of every device holds at least Count points.
    static bool AllTracesHold(int Count)
    {
        for (TfraDevice* D : frmMain->Devices().Frames())
            for (int i = 0; i < D->pltDevice->GetChannelCount(); ++i)
                if (D->pltDevice->Channel(i)->GetCount() < Count)
                    return false;
        return true;
    }
    bool Running() const { return frmMain->RunActive(); }
    void Stop()
    {
        frmMain->btnStop->Click();
        ASSERT_FALSE(Running());
    }

    modbussim::Simulator Sim;
    std::unique_ptr<TProgramForms> P;
};

TEST_F(DeviceChartRunTest, ARunFillsEachDevicesChartWithOneTracePerChannelInStackedBands)
{
    StartProgram("AxisFormat=2\r\nXSpan=30\r\n");
    frmMain->btnRecord->Click();
    ASSERT_TRUE(Running());
    ASSERT_TRUE(TProgramForms::ServeUntil([] { return AllTracesHold(5); }));
    Stop();

    const std::vector<std::vector<double>> Values = {{20, 50, 80}, {25, 75}};
    for (int d = 0; d < 2; ++d) {
        SCOPED_TRACE(d);
        TkPlot* Plot = Chart(d);
        const int N = static_cast<int>(Values[d].size());
        ASSERT_EQ(Plot->GetChannelCount(), N);
        ASSERT_EQ(Plot->GetYAxisCount(), N);
        EXPECT_EQ(Plot->GetXAxis(0)->GetMin(), 1);
        EXPECT_EQ(Plot->GetXAxis(0)->GetSpan(), 29);
        for (int i = 0; i < N; ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(Plot->GetYAxis(i)->GetStopPercent(), 100.0 - 100.0 * i / N, 0.01);
            EXPECT_NEAR(Plot->GetYAxis(i)->GetStartPercent(), 100.0 - 100.0 * (i + 1) / N, 0.01);
            TkPlotChannel* Trace = Plot->Channel(i);
            EXPECT_EQ(Trace->GetYAxisName(), Plot->GetYAxis(i)->GetName());
            ASSERT_GE(Trace->GetCount(), 5);
            for (int k = 0; k < Trace->GetCount(); ++k) {
                EXPECT_EQ(Trace->GetDataX(k), k + 1);
                EXPECT_EQ(Trace->GetDataY(k), Values[d][static_cast<size_t>(i)]);
            }
        }
    }

    // The next run starts with empty charts.
    frmMain->btnRecord->Click();
    ASSERT_TRUE(Running());
    EXPECT_LT(Chart(0)->Channel(0)->GetCount(), 5);
    Stop();
}

TEST_F(DeviceChartRunTest, APictureOfTheDeviceFrameShowsEachTraceInItsBand)
{
    StartProgram("AxisFormat=2\r\nXSpan=12\r\n");
    frmMain->btnRecord->Click();
    ASSERT_TRUE(TProgramForms::ServeUntil([] { return AllTracesHold(8); }));
    Stop();

    TfraDevice* D = Frame(0);
    TkPlot* Plot = D->pltDevice;
    TBitmap Picture;
    GrabControl(D, Picture);
    ASSERT_GT(Picture.GetWidth(), 400);
    // The chart's origin in the frame's picture.
    const TPoint Origin = D->ScreenToClient(Plot->ClientToScreen(TPoint(0, 0)));
    const int Right = D->pnlDevice->GetLeft() + Origin.X;  // the meter panel covers the rest
    const std::vector<double> Values = {20, 50, 80};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        TkPlotAxis* Axis = Plot->GetYAxis(i);
        const int Row = Axis->ValueToPixel(Values[static_cast<size_t>(i)]) + Origin.Y;
        const int Top = Axis->ValueToPixel(Axis->GetMax()) + Origin.Y;
        const int Bottom = Axis->ValueToPixel(Axis->GetMin()) + Origin.Y;
        int InBand = 0;
        int OnRow = 0;
        for (int y = Top; y <= Bottom; ++y)
            for (int x = Origin.X; x < Right; ++x) {
                if (TColor(Picture.Canvas->Pixels[x][y]) != TraceColor)
                    continue;
                ++InBand;
                OnRow += std::abs(y - Row) <= 1;
            }
        // A flat trace across the points drawn so far.
        EXPECT_GT(OnRow, 100) << "band " << Top << ".." << Bottom << ", row " << Row;
        EXPECT_EQ(InBand, OnRow);
    }
}

TEST_F(DeviceChartRunTest, PauseAndResumeDuringARun)
{
    StartProgram("AxisFormat=1\r\nXSpan=1\r\nTimeBaseX=1\r\n");
    TfraDevice* D = Frame(0);
    EXPECT_EQ(Chart(0)->GetXAxis(0)->GetSpan(), 60);
    frmMain->btnRecord->Click();
    ASSERT_TRUE(TProgramForms::ServeUntil([] { return AllTracesHold(2); }));

    D->btnPause->Click();
    ASSERT_TRUE(TProgramForms::ServeUntil([D] { return D->btnResume->GetEnabled(); }));
    EXPECT_FALSE(D->btnPause->GetEnabled());
    EXPECT_FALSE(Chart(0)->GetXAxis(0)->GetTrackingEnabled());
    EXPECT_FALSE(Chart(0)->GetYAxis(2)->GetTrackingEnabled());
    // The other device's chart goes on tracking, and points go on coming.
    EXPECT_TRUE(Chart(1)->GetXAxis(0)->GetTrackingEnabled());
    const int Before = Chart(0)->Channel(0)->GetCount();
    ASSERT_TRUE(TProgramForms::ServeUntil([&] { return Chart(0)->Channel(0)->GetCount() > Before + 1; }));

    D->btnResume->Click();
    ASSERT_TRUE(TProgramForms::ServeUntil([D] { return D->btnPause->GetEnabled(); }));
    EXPECT_FALSE(D->btnResume->GetEnabled());
    EXPECT_TRUE(Chart(0)->GetXAxis(0)->GetTrackingEnabled());
    Stop();
}

TEST_F(DeviceChartRunTest, TheCursorReadoutAppearsInTheChannelPanels)
{
    StartProgram("AxisFormat=2\r\nXSpan=11\r\n");
    TfraDevice* D = Frame(0);
    frmMain->btnRecord->Click();
    ASSERT_TRUE(TProgramForms::ServeUntil([] { return AllTracesHold(4); }));
    // Later values differ from those at the start of the chart.
    Sim.Slave().SetChannelValue(Mixer, 0, 33);
    Sim.Slave().SetChannelValue(Mixer, 2, 99);
    ASSERT_TRUE(TProgramForms::ServeUntil([D] { return D->Channel(2)->lblValue->GetText() == "99"; }));

    auto* Cursor = static_cast<TkPlotDataCursor*>(Chart(0)->GetDataCursor(0));
    // X 2 of 1..11, among the first points.
    Cursor->SetPointer1Position(10);
    D->btnCursor->Click();
    EXPECT_TRUE(Cursor->GetVisible());
    ASSERT_TRUE(TProgramForms::ServeUntil([D] { return D->Channel(2)->lblValue->GetText() == "80"; }));
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "20");
    EXPECT_EQ(D->Channel(1)->lblValue->GetText(), "50");
    EXPECT_EQ(D->Channel(0)->lblValue->Font->GetColor(), TColor(TChannelModel::CursorValueColor));
    // The other device's panels go on showing live values.
    EXPECT_NE(Frame(1)->Channel(0)->lblValue->Font->GetColor(), TColor(TChannelModel::CursorValueColor));
    EXPECT_EQ(Frame(1)->Channel(0)->lblValue->GetText(), "25");

    D->btnCursor->Click();
    EXPECT_FALSE(Cursor->GetVisible());
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "33");
    EXPECT_EQ(D->Channel(2)->lblValue->GetText(), "99");
    EXPECT_EQ(D->Channel(0)->lblValue->Font->GetColor(), TColor(TChannelModel::LiveValueColor));
    Stop();
}

// Whatever goes wrong while the chart takes its points, the run ends as
// any other: the thread stops, the log is finished, the user is told.
TEST_F(DeviceChartRunTest, AFailureInTheChartUpdateEndsTheRunWithAMessage)
{
    StartProgram("AxisFormat=0\r\n");
    Chart(1)->OnXAxisMinChange = [](int, double, double) { throw Exception("chart broke"); };
    frmMain->btnRecord->Click();
    ASSERT_TRUE(Running());
    ASSERT_TRUE(TProgramForms::ServeUntil([this] { return !Running(); }));
    ASSERT_TRUE(TProgramForms::ServeUntil([this] { return !P->Asked.empty(); }));
    EXPECT_NE(P->Asked[0].Text.find("chart broke"), std::string::npos) << P->Asked[0].Text;
    EXPECT_TRUE(frmMain->btnRecord->GetEnabled());
    EXPECT_FALSE(frmMain->btnStop->GetEnabled());
    EXPECT_TRUE(fs::is_empty(P->Dir.File("Temp")));
    EXPECT_FALSE(fs::is_empty(P->Dir.File("Data")));
}

}  // namespace
