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
#include "rtl/FileUtils.h"
#include "ui/RecordingCanvas.h"
#include "ui/Screenshot.h"
#include "tools/modbussim/Simulator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

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

// A chart log the user started from the plot's editor during a run, on a
// disk that will not take it: the run goes on, the user hears of it once
// in a box that does not hold up the polling, and once the disk takes the
// log again it holds every point the trace received meanwhile.
TEST_F(DeviceChartRunTest, AChartLogThatCannotBeWrittenLeavesTheRunGoing)
{
    StartProgram("AxisFormat=2\r\nXSpan=30\r\n");
    frmMain->btnRecord->Click();
    ASSERT_TRUE(TProgramForms::ServeUntil([] { return AllTracesHold(2); }));
    TkPlotChannel* Trace = Chart(0)->Channel(0);
    const std::string Folder = P->Dir.File("charts");
    const std::string LogName = Folder + "/mixer.txt";
    ASSERT_TRUE(ForceDirectories(Folder));
    Trace->SetLogFileName(LogName);
    Trace->LogActivate(false);
    const double FirstX = Trace->GetLastX() + 1;
    // The folder goes away under the log, which stops root as well.
    fs::remove_all(Folder);
    const int Points = Trace->GetCount();
    ASSERT_TRUE(TProgramForms::ServeUntil([&] { return Trace->GetCount() >= Points + 3 && !P->Asked.empty(); }));
    ASSERT_TRUE(Running());
    EXPECT_NE(P->Asked[0].Text.find(LogName), std::string::npos) << P->Asked[0].Text;
    ASSERT_TRUE(TProgramForms::ServeUntil([&] { return Trace->GetCount() >= Points + 6; }));
    EXPECT_EQ(P->Asked.size(), 1u);

    ASSERT_TRUE(ForceDirectories(Folder));
    ASSERT_TRUE(TProgramForms::ServeUntil([&] { return FileExists(LogName); }));
    Stop();
    Trace->LogDeactivate();
    TkPlot Back(nullptr);
    Back.Channel(0)->LoadDataFromFile(LogName);
    ASSERT_EQ(Back.Channel(0)->GetCount(), static_cast<int>(Trace->GetLastX() - FirstX + 1));
    for (int k = 0; k < Back.Channel(0)->GetCount(); ++k) {
        EXPECT_EQ(Back.Channel(0)->GetDataX(k), FirstX + k);
        EXPECT_EQ(Back.Channel(0)->GetDataY(k), 20);
    }
}

}  // namespace

namespace {

// Mouse input as the window system hands it to the main window: Qt finds
// the widget under the point, gives it the focus by its policy and keeps
// the mouse with the pressed widget until the release.
class WindowMouse {
public:
    explicit WindowMouse(TControl* Form) : FWindow(Form->Widget()->windowHandle()) {}

    void Move(TPoint Screen) { Send(QEvent::MouseMove, Screen, Qt::NoButton, FButtons); }
    void Click(TPoint Screen)
    {
        Move(Screen);
        Send(QEvent::MouseButtonPress, Screen, Qt::LeftButton, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, Screen, Qt::LeftButton, Qt::NoButton);
    }
    // Pressed at From, dragged there in Steps and released. A press that
    // Qt takes for the second of a double click reaches the widget under
    // it as a double click instead, and the rest of the gesture follows it
    // there: Grabber names that widget.
    void Drag(TPoint From, TPoint To, int Steps, QWidget* Grabber = nullptr)
    {
        FGrabber = Grabber;
        Move(From);
        Send(Grabber ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, From, Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= Steps; ++i)
            Move(TPoint(From.X + (To.X - From.X) * i / Steps, From.Y + (To.Y - From.Y) * i / Steps));
        Send(QEvent::MouseButtonRelease, To, Qt::LeftButton, Qt::NoButton);
        FGrabber = nullptr;
    }

private:
    void Send(QEvent::Type Type, TPoint Screen, Qt::MouseButton Button, Qt::MouseButtons Buttons)
    {
        FButtons = Buttons;
        const QPointF Global(Screen.X, Screen.Y);
        if (FGrabber) {
            const QPointF Local = FGrabber->mapFromGlobal(Global);
            QMouseEvent Event(Type, Local, Local, Global, Button, Buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(FGrabber, &Event);
            return;
        }
        const QPointF Local = FWindow->mapFromGlobal(Global.toPoint());
        QMouseEvent Event(Type, Local, Local, Global, Button, Buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(FWindow, &Event);
    }
    QWindow* FWindow;
    QWidget* FGrabber = nullptr;
    Qt::MouseButtons FButtons = Qt::NoButton;
};

TPoint CentreOnScreen(TControl* Control)
{
    return Control->ClientToScreen(TPoint(Control->GetWidth() / 2, Control->GetHeight() / 2));
}

// The user's gesture: the frame's zoom button, then a box dragged over
// the top two bands of the chart. The chart shows what the box held,
// stays there while the run goes on, labels every band and leaves no
// rectangle behind. The press that starts the box comes right after the
// button's click, and Qt, which judges a double click by the time between
// presses until it sees the mouse move, may report it as a double click:
// it still starts a box.
class ZoomGesture : public DeviceChartRunTest, public ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(PressOrDoubleClick, ZoomGesture, ::testing::Bool());

TEST_P(ZoomGesture, AZoomBoxDrawnWithTheMouseZoomsThePausedChart)
{
    StartProgram("AxisFormat=2\r\nXSpan=100\r\n");
    TfraDevice* D = Frame(0);
    TkPlot* Plot = Chart(0);
    frmMain->btnRecord->Click();
    ASSERT_TRUE(TProgramForms::ServeUntil([] { return AllTracesHold(3); }));
    WindowMouse Mouse(frmMain);

    Mouse.Click(CentreOnScreen(D->btnZoom));
    ASSERT_TRUE(D->btnZoom->GetDown());
    ASSERT_TRUE(Plot->GetXAxis(0)->GetTrackingEnabled());
    const TRect View = static_cast<TkPlotLayoutObject*>(Plot->GetDataView(0))->GetDrawRect();
    TkPlotAxis* Top = Plot->GetYAxis(0);
    TkPlotAxis* Middle = Plot->GetYAxis(1);
    const TPoint From(View.Left + View.Width() / 10, Top->ValueToPixel(70));
    const TPoint To(View.Left + View.Width() / 2, Middle->ValueToPixel(30));
    std::vector<double> Expected;
    for (TkPlotAxis* Axis : {Plot->GetXAxis(0), Plot->GetYAxis(0), Plot->GetYAxis(1), Plot->GetYAxis(2)}) {
        const bool X = Axis == Plot->GetXAxis(0);
        Expected.push_back(Axis->PixelToValue(X ? From.X : To.Y));
        Expected.push_back(Axis->PixelToValue(X ? To.X : From.Y));
    }
    Mouse.Drag(Plot->ClientToScreen(From), Plot->ClientToScreen(To), 8, GetParam() ? Plot->Widget() : nullptr);

    auto Ranges = [Plot] {
        std::vector<double> R;
        for (TkPlotAxis* Axis : {Plot->GetXAxis(0), Plot->GetYAxis(0), Plot->GetYAxis(1), Plot->GetYAxis(2)}) {
            R.push_back(Axis->GetMin());
            R.push_back(Axis->GetMax());
        }
        return R;
    };
    const std::vector<double> Zoomed = Ranges();
    ASSERT_EQ(Zoomed.size(), Expected.size());
    for (size_t i = 0; i < Expected.size(); ++i)
        EXPECT_NEAR(Zoomed[i], Expected[i], 1e-9) << i;
    EXPECT_FALSE(D->pltDevice->GetXAxis(0)->GetTrackingEnabled());
    EXPECT_TRUE(D->btnZoom->GetDown());

    // Points go on arriving; the chart stays where the box put it.
    const int Before = Plot->Channel(0)->GetCount();
    ASSERT_TRUE(TProgramForms::ServeUntil([&] { return Plot->Channel(0)->GetCount() > Before + 2; }));
    EXPECT_EQ(Ranges(), Zoomed);
    EXPECT_TRUE(D->btnResume->GetEnabled());

    TRecordingCanvas Canvas(TSize(Plot->GetWidth(), Plot->GetHeight()));
    Plot->PaintToCanvas(&Canvas);
    for (const TCanvasRecord& R : Canvas.Records)
        EXPECT_FALSE(R.Op == TCanvasOp::Rectangle && R.Pen.Mode == pmXor)
            << "a rectangle at " << R.Args[0] << "," << R.Args[1] << " " << R.Args[2] << "," << R.Args[3];
    // Each band shows at least one value beside its scale, upright.
    for (int i = 0; i < Plot->GetYAxisCount(); ++i) {
        SCOPED_TRACE(i);
        const TRect Scale = Plot->GetYAxis(i)->GetScaleRect();
        int Labels = 0;
        for (const TCanvasRecord& R : Canvas.Records)
            Labels += R.Op == TCanvasOp::TextOut && R.Font.Orientation == 0 && R.Args[1] >= Scale.Top - 10 &&
                      R.Args[1] <= Scale.Bottom && R.Args[0] < Scale.Right &&
                      R.Text.find_first_not_of("-0123456789.") == std::string::npos;
        EXPECT_GE(Labels, 1);
    }
    Stop();
}

}  // namespace
