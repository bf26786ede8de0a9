// The chart of a device frame: built from the device's channels, following
// their names and ranges, fed by the run, and driven by the frame's chart
// buttons, with the data cursor's readout in the channel panels.
#include "app/DeviceRegistry.h"
#include "app/DeviceUnit.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotAxis.h"
#include "plot/channels/kPlotChannelCustom.h"
#include "plot/core/kUpdateObject.h"
#include "plot/editor/kComponentEditorCheckBox.h"
#include "plot/editor/kComponentEditorColorPicker.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "rtl/FileUtils.h"
#include "rtl/Gbk.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/DialogRequest.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PageControl.h"
#include "ui/PopupMenu.h"
#include "ui/ScrollBox.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

class DeviceUnitChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        SetExeDirForTesting(Dir.Path());
        Box = new TScrollBox(nullptr);
        Box->SetBounds(0, 0, 1400, 800);
        // The store is in the system code page.
        TScratchDir::Write(
            Dir.File("Devices.db"),
            Gbk::ToGbk("[Device1]\r\nChannelCount=2\r\nValueName1=压力\r\nRangeLow1=100\r\nRangeHigh1=0\r\n"
                       "WorkDP1=1\r\nValueName2=温度\r\nRangeLow2=-50\r\nRangeHigh2=150\r\nWorkDP2=0\r\n"));
        Devices = std::make_unique<TDeviceRegistry>(Dir.File("Devices.db"), Box);
        Devices->LoadDevices();
        D = (*Devices)[0];
        Plot = D->pltDevice;
    }
    void TearDown() override
    {
        Devices.reset();
        delete Box;
        SetExeDirForTesting("");
    }
    // What a repaint of the chart does after it drew.
    void Paint()
    {
        TBitmap Picture;
        Picture.SetSize(600, 200);
        Plot->SetBounds(0, 0, 600, 200);
        Plot->PaintToCanvas(Picture.Canvas);
    }
    TkPlotDataCursor* Cursor() const { return static_cast<TkPlotDataCursor*>(Plot->GetDataCursor(0)); }
    // What a run hands the chart after a poll: the values the channels made of it.
    std::vector<double> Values() const { return {D->Channel(0)->Value(), D->Channel(1)->Value()}; }

    TScratchDir Dir;
    TScrollBox* Box = nullptr;
    std::unique_ptr<TDeviceRegistry> Devices;
    TfraDevice* D = nullptr;
    TkPlot* Plot = nullptr;
};

TEST_F(DeviceUnitChartTest, TheChartHasAnAxisAndATracePerChannelTitledAndScaledByIt)
{
    EXPECT_EQ(Plot->GetName(), "pltDevice");
    EXPECT_EQ(Plot->GetAlign(), alClient);
    ASSERT_EQ(Plot->GetYAxisCount(), 2);
    ASSERT_EQ(Plot->GetChannelCount(), 2);
    EXPECT_EQ(Plot->GetYAxis(0)->GetTitle(), "压力");
    EXPECT_EQ(Plot->GetYAxis(1)->GetTitle(), "温度");
    EXPECT_EQ(Plot->GetYAxis(0)->GetStartPercent(), 50);
    EXPECT_EQ(Plot->GetYAxis(0)->GetStopPercent(), 100);
    EXPECT_EQ(Plot->GetYAxis(0)->GetMin(), 0);
    EXPECT_EQ(Plot->GetYAxis(0)->GetSpan(), 100);
    EXPECT_EQ(Plot->GetYAxis(0)->GetLabelsPrecision(), 1);
    EXPECT_EQ(Plot->GetYAxis(1)->GetMin(), -50);
    EXPECT_EQ(Plot->GetYAxis(1)->GetSpan(), 200);
    EXPECT_EQ(Plot->GetYAxis(1)->GetLabelsPrecision(), 0);
    // The loader colours the X axis like the Y axes.
    EXPECT_EQ(Plot->GetXAxis(0)->GetLabelsFont()->GetColor(), TColor(0xCC6600));
    EXPECT_EQ(Plot->GetXAxis(0)->GetScaleLinesColor(), TColor(0xCC6600));
}

TEST_F(DeviceUnitChartTest, EditingAChannelRescalesAndRetitlesItsAxis)
{
    D->Channel(1)->SetValueName("流量");
    EXPECT_EQ(Plot->GetYAxis(1)->GetTitle(), "流量");
    D->Channel(1)->SetRangeHigh(-10);
    EXPECT_EQ(Plot->GetYAxis(1)->GetMin(), -50);
    EXPECT_EQ(Plot->GetYAxis(1)->GetSpan(), 40);
    D->Channel(1)->SetRangeLow(-10);
    EXPECT_GT(Plot->GetYAxis(1)->GetSpan(), 0);
    D->Channel(1)->SetWorkDP(3);
    EXPECT_EQ(Plot->GetYAxis(1)->GetLabelsPrecision(), 3);
}

TEST_F(DeviceUnitChartTest, EditOnATracesMenuOpensTheEditorThatChangesColourAndRangeLive)
{
    auto* trace = static_cast<TkPlotChannelCustom*>(Plot->GetChannel(1));
    TPopupMenu menu(nullptr);
    trace->BuildPopupMenu(&menu);
    TMenuItem* edit = menu.Items->Find("Edit...");
    ASSERT_NE(edit, nullptr);
    TDialogResponder previous = SetDialogResponder([](const TDialogRequest&) {
        TDialogAnswer answer;
        answer.Result = IDOK;
        answer.Color = clAqua;
        return answer;
    });
    std::string shownName;
    Plot->OnAfterOpenEditor = [&](TObject* Sender) {
        auto* form = dynamic_cast<TForm*>(Sender);
        ASSERT_NE(form, nullptr);
        form->OnShow = [&, form](TObject*) {
            shownName = static_cast<TControl*>(form->FindComponent("ChannelNameEdit"))->GetText();
            static_cast<TkComponentEditorColorPicker*>(form->FindComponent("ChannelColorPicker"))->Choose();
            static_cast<TkComponentEditorEdit*>(form->FindComponent("YAxisSpanEdit"))->CommitText("250");
            form->Close();
        };
    };
    edit->Click();
    SetDialogResponder(previous);
    EXPECT_EQ(shownName, trace->GetName());
    EXPECT_EQ(trace->GetColor(), clAqua);
    EXPECT_EQ(Plot->GetYAxis(0)->GetSpan(), 250);
}

// The chart hides its toolbar; the editor's toolbar page shows it again.
TEST_F(DeviceUnitChartTest, TheEditorsToolBarPageShowsTheChartsHiddenToolBar)
{
    auto* trace = static_cast<TkPlotChannelCustom*>(Plot->GetChannel(0));
    TPopupMenu menu(nullptr);
    trace->BuildPopupMenu(&menu);
    TMenuItem* edit = menu.Items->Find("Edit...");
    ASSERT_NE(edit, nullptr);
    ASSERT_GT(Plot->GetToolBarCount(), 0);
    ASSERT_FALSE(Plot->GetToolBar(0)->GetVisible());
    bool checkBoxShown = false;
    bool wasChecked = true;
    Plot->OnAfterOpenEditor = [&](TObject* Sender) {
        auto* form = dynamic_cast<TForm*>(Sender);
        ASSERT_NE(form, nullptr);
        form->OnShow = [&, form](TObject*) {
            // What the user sees on the toolbar page.
            static_cast<TPageControl*>(form->FindComponent("PageControl"))
                ->SetActivePage(static_cast<TTabSheet*>(form->FindComponent("ToolBarTabSheet")));
            auto* visible = static_cast<TkComponentEditorCheckBox*>(form->FindComponent("ToolBarVisibleCheckBox"));
            checkBoxShown = visible->Widget()->isVisibleTo(form->Widget()) && visible->GetEnabled();
            wasChecked = visible->GetChecked();
            // The space bar, as a user toggles a focused check box.
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
            QCoreApplication::sendEvent(visible->Widget(), &down);
            QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
            QCoreApplication::sendEvent(visible->Widget(), &up);
            form->Close();
        };
    };
    edit->Click();
    EXPECT_TRUE(checkBoxShown);
    EXPECT_FALSE(wasChecked);
    EXPECT_TRUE(Plot->GetToolBar(0)->GetVisible());
}

TEST_F(DeviceUnitChartTest, PointsGoToTheChannelsTracesAndAResetClearsThem)
{
    D->SetAxisFormat(2);
    EXPECT_EQ(D->AxisFormat(), 2);
    // Without options, the default span of 1200 samples.
    EXPECT_EQ(Plot->GetXAxis(0)->GetMin(), 1);
    EXPECT_EQ(Plot->GetXAxis(0)->GetSpan(), 1199);
    D->Channel(0)->SetRawValue(123);
    D->Channel(1)->SetRawValue(-7);
    D->AddChartPoints(1, Values());
    D->AddChartPoints(2, Values());
    ASSERT_EQ(Plot->Channel(0)->GetCount(), 2);
    EXPECT_DOUBLE_EQ(Plot->Channel(0)->GetDataY(0), 12.3);
    EXPECT_DOUBLE_EQ(Plot->Channel(1)->GetDataX(1), 2);
    EXPECT_DOUBLE_EQ(Plot->Channel(1)->GetDataY(1), -7);

    D->ResetDevice();
    EXPECT_EQ(Plot->Channel(0)->GetCount(), 0);
    EXPECT_EQ(Plot->Channel(1)->GetCount(), 0);
    EXPECT_EQ(D->Channel(0)->DisplayText(), "-------");
}

TEST_F(DeviceUnitChartTest, PauseAndResumeShowInTheButtonsAfterThePaint)
{
    Paint();
    EXPECT_TRUE(D->btnPause->GetEnabled());
    EXPECT_FALSE(D->btnResume->GetEnabled());

    D->btnPause->Click();
    Paint();
    EXPECT_FALSE(Plot->GetXAxis(0)->GetTrackingEnabled());
    EXPECT_FALSE(D->btnPause->GetEnabled());
    EXPECT_TRUE(D->btnResume->GetEnabled());

    D->btnResume->Click();
    Paint();
    EXPECT_TRUE(Plot->GetYAxis(1)->GetTrackingEnabled());
    EXPECT_TRUE(D->btnPause->GetEnabled());
    EXPECT_FALSE(D->btnResume->GetEnabled());

    // A left press in the data view pauses; other buttons do not.
    D->pltDeviceMouseDownDataView(0, mbRight, 0, 10, 10);
    EXPECT_TRUE(Plot->GetXAxis(0)->GetTrackingEnabled());
    D->pltDeviceMouseDownDataView(0, mbLeft, 0, 10, 10);
    EXPECT_FALSE(Plot->GetXAxis(0)->GetTrackingEnabled());
}

TEST_F(DeviceUnitChartTest, TheCursorShowsTheChartsValuesInTheChannelPanels)
{
    D->SetAxisFormat(2);
    for (int i = 1; i <= 5; ++i) {
        D->Channel(0)->SetRawValue(i * 100);
        D->Channel(1)->SetRawValue(-i);
        D->AddChartPoints(i, Values());
    }
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "50.0");

    D->btnCursor->Click();
    EXPECT_TRUE(Cursor()->GetVisible());
    EXPECT_EQ(D->Channel(0)->DisplayMode(), 1);
    EXPECT_EQ(D->Channel(0)->lblValue->Font->GetColor(), TColor(TChannelModel::CursorValueColor));
    Cursor()->SetValues(0, 3, 0);
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "30.0");
    EXPECT_EQ(D->Channel(1)->lblValue->GetText(), "-3");
    // New values go on being recorded, but the panels keep the cursor's.
    D->Channel(0)->SetRawValue(999);
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "30.0");
    Paint();
    EXPECT_TRUE(D->btnCursor->GetDown());

    D->btnCursor->Click();
    EXPECT_FALSE(Cursor()->GetVisible());
    EXPECT_EQ(D->Channel(0)->DisplayMode(), 0);
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "99.9");
    EXPECT_EQ(D->Channel(0)->lblValue->Font->GetColor(), TColor(TChannelModel::LiveValueColor));
    Paint();
    EXPECT_FALSE(D->btnCursor->GetDown());
}

TEST_F(DeviceUnitChartTest, ResumingHidesTheCursorAndThePanelsGoBackToLiveValues)
{
    D->SetAxisFormat(2);
    D->Channel(0)->SetRawValue(100);
    D->AddChartPoints(1, Values());
    D->btnCursor->Click();
    ASSERT_EQ(D->Channel(0)->DisplayMode(), 1);
    D->btnResume->Click();
    EXPECT_FALSE(Cursor()->GetVisible());
    EXPECT_FALSE(D->btnCursor->GetDown());
    EXPECT_EQ(D->Channel(0)->DisplayMode(), 0);
    EXPECT_EQ(D->Channel(0)->lblValue->Font->GetColor(), TColor(TChannelModel::LiveValueColor));
    D->Channel(0)->SetRawValue(200);
    EXPECT_EQ(D->Channel(0)->lblValue->GetText(), "20.0");

    // The plot's own cursor button: the panels follow at the next paint.
    static_cast<TkPlotToolBar*>(Plot->GetToolBar(0))->ClickCursor();
    Paint();
    EXPECT_TRUE(D->btnCursor->GetDown());
    EXPECT_EQ(D->Channel(1)->DisplayMode(), 1);
}

TEST_F(DeviceUnitChartTest, ShowCurveAndZoomButtons)
{
    EXPECT_TRUE(D->btnShowCurve->GetDown());
    D->btnShowCurve->Click();
    EXPECT_FALSE(Plot->GetVisible());
    for (TVcToolButton* B : {D->btnZoom, D->btnCursor, D->btnPause, D->btnResume})
        EXPECT_FALSE(B->GetVisible()) << B->GetName();
    EXPECT_TRUE(D->btnShowMeter->GetVisible());
    D->btnShowCurve->Click();
    EXPECT_TRUE(Plot->GetVisible());
    EXPECT_TRUE(D->btnZoom->GetVisible());

    EXPECT_FALSE(Plot->GetDataView(0)->GetEnabled());
    D->btnZoom->Click();
    EXPECT_TRUE(Plot->GetDataView(0)->GetEnabled());
    D->btnZoom->Click();
    EXPECT_FALSE(Plot->GetDataView(0)->GetEnabled());
}

TEST_F(DeviceUnitChartTest, AChartWhoseObjectsTheUserDeletedStillTakesPointsAndClicks)
{
    Plot->DeleteYAxis(1);
    Plot->DeleteChannel(1);
    Plot->RemoveAllDataCursors();
    D->SetAxisFormat(0);
    D->Channel(1)->SetRangeHigh(10);
    D->Channel(1)->SetValueName("x");
    D->Channel(0)->SetRawValue(5);
    EXPECT_NO_THROW(D->AddChartPoints(46000, Values()));
    EXPECT_EQ(Plot->Channel(0)->GetCount(), 1);
    EXPECT_NO_THROW(D->btnCursor->Click());
    EXPECT_NO_THROW(D->btnResume->Click());
    Paint();
    EXPECT_FALSE(D->btnCursor->GetDown());
}

// The points of one polling cycle reach the screen together: one repaint
// with every channel's new point, not one for the first channel's point
// and another a frame later for the rest.
TEST_F(DeviceUnitChartTest, APollingCyclesPointsArePaintedInOneRepaint)
{
    double Clock = 1000;
    TkUpdateObject::SetClock([&Clock] { return Clock; });
    D->SetAxisFormat(2);
    Clock += 1;
    D->AddChartPoints(1, Values());
    EXPECT_EQ(Plot->LastUpdateTime(), Clock);
    EXPECT_FALSE(Plot->UpdatePending());
    const double Painted = Clock;
    Clock += 1;
    TkUpdateObject::Instance().Tick();
    EXPECT_EQ(Plot->LastUpdateTime(), Painted);

    // A cycle within the frame of the last repaint waits for the frame's
    // end, and is then painted once.
    D->AddChartPoints(2, Values());
    const double Second = Clock;
    EXPECT_EQ(Plot->LastUpdateTime(), Second);
    Clock += 0.001;
    D->AddChartPoints(3, Values());
    EXPECT_EQ(Plot->LastUpdateTime(), Second);
    EXPECT_TRUE(Plot->UpdatePending());
    TkUpdateObject::Instance().Tick();
    EXPECT_EQ(Plot->LastUpdateTime(), Second);
    Clock += 1;
    TkUpdateObject::Instance().Tick();
    EXPECT_EQ(Plot->LastUpdateTime(), Clock);
    EXPECT_EQ(Plot->Channel(1)->GetCount(), 3);
    TkUpdateObject::SetClock(nullptr);
}

// A chart update that fails leaves the chart taking repaints as before.
TEST_F(DeviceUnitChartTest, AFailingChartUpdateDoesNotHoldTheChartsRepaints)
{
    D->SetAxisFormat(0);
    Plot->OnXAxisMinChange = [](int, double, double) { throw Exception("chart broke"); };
    EXPECT_THROW(D->AddChartPoints(46000, Values()), Exception);
    EXPECT_FALSE(Plot->UpdateSkip());
    Plot->OnXAxisMinChange = nullptr;
}

}  // namespace
