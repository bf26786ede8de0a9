// The toolbar's buttons: their order, the before and after events framing
// every click (nested when one action clicks another), the veto, the
// exclusive modes, what the actions do to the axes and data cursors, and
// the hints.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "../core/PlotObjectSupport.h"
#include "ToolBarTestSupport.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotMasterManager.h"
#include "ui/Application.h"
#include "ui/ImageList.h"
#include "ui/PopupMenu.h"
#include "ui/RecordingCanvas.h"

namespace {

const char* const TypeNames[] = {"Resume", "Pause",  "Scroll", "Zoom", "Select", "ZoomBox", "ZoomOut",
                                 "ZoomIn", "Cursor", "Edit",   "Copy", "Save",   "Print",   "Preview"};

struct ToolBarPlot : FakePlot {
    std::vector<std::string> log;
    std::map<std::string, bool> veto;
    std::string customHint;

    void DoBeforeToolBarButtonClick(TkPlotObject*, int Type, bool& Cancel) override
    {
        log.push_back(std::string("before ") + TypeNames[Type]);
        Cancel = veto[TypeNames[Type]];
    }
    void DoToolBarButtonClick(TkPlotObject*, int Type) override
    {
        log.push_back(std::string("after ") + TypeNames[Type]);
    }
    void DoToolBarCustomizeHint(TkPlotObject*, std::string& Text) override
    {
        if (!customHint.empty())
            Text = customHint;
    }
    void DoAxisMinSpanChange(TkPlotAxis* Axis, double, double, double NewMin, double NewSpan) override
    {
        std::ostringstream s;
        s << Axis->GetName() << " " << NewMin << " " << NewSpan;
        log.push_back(s.str());
    }
    TSize HintTextExtent(const std::string& Text) override { return TSize(int(Text.size()) * 6, 13); }
    std::string TranslateText(const std::string& Text) override { return "[" + Text + "]"; }
    void ShowEditor() override { log.push_back("editor"); }
    void CopyToClipBoard() override { log.push_back("copy"); }
    void SaveImageDialog() override { log.push_back("save"); }
    void PrintPlot() override { log.push_back("print"); }
    void PrintPreview() override { log.push_back("preview"); }
};

class ToolBarTest : public ToolBarTestBase<ToolBarPlot> {
protected:
    void AddAxes()
    {
        master->AddXAxis();
        master->AddYAxis();
        master->AddYAxis();
    }
    std::vector<TkPlotAxis*> Axes()
    {
        return {static_cast<TkPlotAxis*>(master->XAxisManager()->GetObject(0)),
                static_cast<TkPlotAxis*>(master->YAxisManager()->GetObject(0)),
                static_cast<TkPlotAxis*>(master->YAxisManager()->GetObject(1))};
    }
    std::vector<bool> Tracking()
    {
        std::vector<bool> on;
        for (TkPlotAxis* axis : Axes())
            on.push_back(axis->GetTrackingEnabled());
        return on;
    }
    // A press and release inside the button, as the plot passes them on.
    void MouseClick(TkPlotToolBarButtonType Type)
    {
        TkPlotToolBarButton* b = B(Type);
        b->SetDrawRect(TRect(100, 10, 130, 40));
        b->MouseDown(mbLeft, 0, {110, 20}, {110, 20}, nullptr);
        b->MouseUp(mbLeft, 0, {111, 21}, {111, 21}, false, nullptr);
    }
};

TEST_F(ToolBarTest, HoldsFourteenButtonsAndFiveSeparatorsInDrawingOrder)
{
    std::vector<std::string> order;
    for (TkPlotToolBarButton* b : bar->GetButtons())
        order.push_back(b->IsSeparator() ? "|" : b->GetHint() + " " + b->GetGlyphName());
    EXPECT_EQ(order, (std::vector<std::string>{
                         "Resume All (Tracking) AUTO", "Pause All (Tracking) PAUSE", "|", "Scroll (Axes) SCROLL",
                         "Zoom (Axes) ZOOM", "|", "Zoom Out All Axes ZOOMOUT", "Zoom In All Axes ZOOMIN", "|",
                         "Select SELECT", "Zoom Box SCROLLBOX", "Cursor CURSOR", "|", "Properties PROPERTIES", "|",
                         "Copy to Clipboard COPY", "Save to File SAVE", "Print PRINTER", "Preview PREVIEW"}));
    EXPECT_TRUE(bar->GetHorizontal());
    EXPECT_EQ(bar->GetZoomInOutFactor(), 2.0);
    EXPECT_TRUE(B(kptbbtScrollAxesMode)->GetDown());
    EXPECT_FALSE(bar->GetShowSelectButton());
    EXPECT_FALSE(bar->GetShowPreviewButton());
    EXPECT_TRUE(bar->GetShowCursorButton());
    EXPECT_EQ(bar->GetResumeButton(), B(kptbbtResume));
    EXPECT_EQ(bar->GetPauseButton(), B(kptbbtPause));
    EXPECT_EQ(bar->GetImageList()->GetWidth(), 24);
    EXPECT_EQ(B(kptbbtCursor)->GetImageIndex(), -1);
}

TEST_F(ToolBarTest, ShowPropertiesAreTheButtonsVisibility)
{
    bar->SetShowAxesModeButtons(false);
    EXPECT_FALSE(B(kptbbtScrollAxesMode)->GetVisible());
    EXPECT_FALSE(B(kptbbtZoomAxesMode)->GetVisible());
    bar->SetShowZoomInOutButtons(false);
    EXPECT_FALSE(B(kptbbtZoomIn)->GetVisible());
    EXPECT_FALSE(B(kptbbtZoomOut)->GetVisible());
    B(kptbbtZoomAxesMode)->SetVisible(true);
    EXPECT_FALSE(bar->GetShowAxesModeButtons());  // read from the Scroll button
    bar->SetShowEditButton(false);
    EXPECT_FALSE(B(kptbbtEdit)->GetVisible());
}

TEST_F(ToolBarTest, EveryClickIsFramedByItsEventsAndTheEditorReportsNothingAfter)
{
    for (int type = kptbbtResume; type <= kptbbtPreview; ++type) {
        if (type == kptbbtZoomIn || type == kptbbtZoomOut)
            continue;
        plot.log.clear();
        MouseClick(TkPlotToolBarButtonType(type));
        const std::string name = TypeNames[type];
        std::vector<std::string> expected{"before " + name};
        const std::map<std::string, std::string> commands{
            {"Edit", "editor"}, {"Copy", "copy"}, {"Save", "save"}, {"Print", "print"}, {"Preview", "preview"}};
        if (commands.count(name))
            expected.push_back(commands.at(name));
        if (type != kptbbtEdit)
            expected.push_back("after " + name);
        EXPECT_EQ(plot.log, expected) << name;
    }
}

TEST_F(ToolBarTest, ZoomInPausesFirstWithItsOwnEventsThenHalvesEveryLinearAxis)
{
    AddAxes();
    Axes()[2]->SetScaleType(kpstLog10);
    Axes()[2]->SetMinSpan(10, 990);  // 10 .. 1000
    plot.log.clear();
    MouseClick(kptbbtZoomIn);
    // Linear axes keep their centre (50); the log axis moves a decade in.
    EXPECT_EQ(plot.log, (std::vector<std::string>{"before ZoomIn", "before Pause", "after Pause", "X-Axis 1 25 50",
                                                  "Y-Axis 1 25 50", "Y-Axis 2 100 99", "after ZoomIn"}));
    EXPECT_EQ(Tracking(), (std::vector<bool>{false, false, false}));

    bar->SetZoomInOutFactor(4);
    plot.log.clear();
    bar->GetButton(kptbbtZoomOut)->OnClick(bar->GetButton(kptbbtZoomOut));
    EXPECT_EQ(plot.log, (std::vector<std::string>{"before ZoomOut", "before Pause", "after Pause", "X-Axis 1 -50 200",
                                                  "Y-Axis 1 -50 200", "Y-Axis 2 10 990", "after ZoomOut"}));
}

TEST_F(ToolBarTest, WithoutAxesZoomingDoesNothingButStillFiresBothEvents)
{
    plot.log.clear();
    MouseClick(kptbbtZoomOut);
    EXPECT_EQ(plot.log, (std::vector<std::string>{"before ZoomOut", "before Pause", "after Pause", "after ZoomOut"}));
}

TEST_F(ToolBarTest, ResumeWithTheCursorDownReleasesItInsideItsOwnEvents)
{
    AddAxes();
    master->AddChannel();
    master->AddDataCursor();
    master->AddDataCursor();
    auto* first = master->DataCursorManager()->GetObject(0);
    auto* second = master->DataCursorManager()->GetObject(1);
    first->SetVisible(false);
    second->SetVisible(false);

    bar->ClickCursor();
    EXPECT_TRUE(bar->GetCursorDown());
    EXPECT_TRUE(first->GetVisible());
    EXPECT_TRUE(second->GetVisible());
    EXPECT_TRUE(first->GetFocused());
    EXPECT_EQ(Tracking(), (std::vector<bool>{false, false, false}));

    auto* channel = master->ChannelManager()->GetObject(0);
    channel->SetFocused(true);
    plot.log.clear();
    bar->ClickResume();
    EXPECT_EQ(plot.log, (std::vector<std::string>{"before Resume", "before Cursor", "after Cursor", "after Resume"}));
    EXPECT_FALSE(bar->GetCursorDown());
    EXPECT_FALSE(first->GetVisible());
    EXPECT_FALSE(second->GetVisible());
    EXPECT_FALSE(channel->GetFocused());  // resuming takes the focus from every object
    EXPECT_EQ(Tracking(), (std::vector<bool>{true, true, true}));
}

TEST_F(ToolBarTest, ResumeAlsoLeavesSelectMode)
{
    AddAxes();
    bar->SetShowSelectButton(true);
    bar->ClickSelect();
    EXPECT_TRUE(bar->GetSelectDown());
    EXPECT_EQ(Tracking(), (std::vector<bool>{false, false, false}));
    plot.log.clear();
    bar->ClickResume();
    EXPECT_EQ(plot.log, (std::vector<std::string>{"before Resume", "before Select", "after Select", "after Resume"}));
    EXPECT_FALSE(bar->GetSelectDown());
}

TEST_F(ToolBarTest, ExactlyOneAxesModeIsDownAndTheAxesFollow)
{
    AddAxes();
    auto zoomModes = [this] {
        std::vector<bool> modes;
        for (TkPlotAxis* axis : Axes())
            modes.push_back(axis->GetZoomMode());
        return modes;
    };
    MouseClick(kptbbtZoomAxesMode);
    EXPECT_TRUE(B(kptbbtZoomAxesMode)->GetDown());
    EXPECT_FALSE(B(kptbbtScrollAxesMode)->GetDown());
    EXPECT_EQ(zoomModes(), (std::vector<bool>{true, true, true}));
    MouseClick(kptbbtZoomAxesMode);  // again: stays down
    EXPECT_TRUE(B(kptbbtZoomAxesMode)->GetDown());
    EXPECT_FALSE(B(kptbbtScrollAxesMode)->GetDown());
    MouseClick(kptbbtScrollAxesMode);
    EXPECT_TRUE(B(kptbbtScrollAxesMode)->GetDown());
    EXPECT_FALSE(B(kptbbtZoomAxesMode)->GetDown());
    EXPECT_EQ(zoomModes(), (std::vector<bool>{false, false, false}));
}

TEST_F(ToolBarTest, AVetoedModeClickLeavesTheModesAsTheyWere)
{
    AddAxes();
    plot.veto["Zoom"] = true;
    plot.log.clear();
    MouseClick(kptbbtZoomAxesMode);
    EXPECT_EQ(plot.log, (std::vector<std::string>{"before Zoom"}));
    EXPECT_TRUE(B(kptbbtScrollAxesMode)->GetDown());
    EXPECT_FALSE(B(kptbbtZoomAxesMode)->GetDown());

    bar->ClickZoomBox();
    plot.veto["Select"] = true;
    bar->ClickSelect();
    EXPECT_TRUE(bar->GetZoomBoxDown());
    EXPECT_FALSE(bar->GetSelectDown());
}

TEST_F(ToolBarTest, AVetoStopsTheActionAndItsAfterEvent)
{
    AddAxes();
    plot.veto["Pause"] = true;
    plot.log.clear();
    bar->ClickPause();
    EXPECT_EQ(plot.log, (std::vector<std::string>{"before Pause"}));
    EXPECT_EQ(Tracking(), (std::vector<bool>{true, true, true}));
    // A vetoed pause inside a zoom stops only the pause.
    plot.log.clear();
    MouseClick(kptbbtZoomIn);
    EXPECT_EQ(plot.log, (std::vector<std::string>{"before ZoomIn", "before Pause", "X-Axis 1 25 50", "Y-Axis 1 25 50",
                                                  "Y-Axis 2 25 50", "after ZoomIn"}));
}

TEST_F(ToolBarTest, SelectAndZoomBoxAreNeverDownTogetherAndTheCursorToggles)
{
    bar->ClickSelect();
    EXPECT_TRUE(bar->GetSelectDown());
    bar->ClickZoomBox();
    EXPECT_TRUE(bar->GetZoomBoxDown());
    EXPECT_FALSE(bar->GetSelectDown());
    bar->ClickSelect();
    EXPECT_TRUE(bar->GetSelectDown());
    EXPECT_FALSE(bar->GetZoomBoxDown());
    bar->ClickSelect();
    EXPECT_FALSE(bar->GetSelectDown());
    EXPECT_FALSE(bar->GetZoomBoxDown());
    bar->ClickZoomBox();
    bar->ClickZoomBox();
    EXPECT_FALSE(bar->GetZoomBoxDown());
    bar->ClickCursor();
    bar->ClickCursor();
    EXPECT_FALSE(bar->GetCursorDown());
}

TEST_F(ToolBarTest, PauseAndResumeSwitchTrackingOnEveryAxis)
{
    AddAxes();
    bar->ClickPause();
    EXPECT_EQ(Tracking(), (std::vector<bool>{false, false, false}));
    bar->ClickResume();
    EXPECT_EQ(Tracking(), (std::vector<bool>{true, true, true}));
}

TEST_F(ToolBarTest, ADisabledButtonIgnoresTheMouse)
{
    B(kptbbtCopy)->SetEnabled(false);
    plot.log.clear();
    MouseClick(kptbbtCopy);
    EXPECT_TRUE(plot.log.empty());
}

TEST_F(ToolBarTest, ZoomFactorsBelowOneAreTakenAsOne)
{
    CallbackLog log;
    TestObject<TkPlotToolBar> own = MakeObject<TkPlotToolBar>(&plot, log.callbacks());
    own->SetZoomInOutFactor(0.5);
    EXPECT_EQ(own->GetZoomInOutFactor(), 1.0);
    log.calls.clear();
    own->SetZoomInOutFactor(0.25);
    EXPECT_TRUE(log.calls.empty());
    own->SetZoomInOutFactor(3);
    EXPECT_EQ(log.calls, std::vector<std::string>{"change"});
}

TEST_F(ToolBarTest, SmallButtonsThinTheBarAndSwitchToTheSmallGlyphs)
{
    TRecordingCanvas canvas;
    EXPECT_EQ(bar->GetRequiredSize(&canvas), 36);
    bar->SetSmallButtons(true);
    EXPECT_EQ(bar->GetRequiredSize(&canvas), 28);
    EXPECT_EQ(B(kptbbtZoomBox)->GetGlyphName(), "SMALLSCROLLBOX");
    EXPECT_EQ(bar->GetImageList()->GetWidth(), 16);
    bar->SetSmallButtons(false);
    EXPECT_EQ(B(kptbbtPrint)->GetGlyphName(), "PRINTER");
}

TEST_F(ToolBarTest, AHoveredButtonOffersItsTranslatedHintBelowIt)
{
    TkPlotToolBarButton* b = B(kptbbtPause);
    b->SetDrawRect(TRect(40, 10, 70, 40));
    TkPlotHintData hint;
    b->MouseMove(0, {50, 20}, &hint);
    const std::string text = "[Pause All (Tracking)]";
    EXPECT_EQ(hint.Text, text);
    EXPECT_EQ(hint.Rect, TRect(40, 43, 40 + int(text.size()) * 6 + 4, 43 + 13 + 4));
    EXPECT_TRUE(b->GetHot());
    plot.customHint = "Hold the chart";
    b->MouseMove(0, {51, 20}, &hint);
    EXPECT_EQ(hint.Text, "Hold the chart");
    EXPECT_EQ(hint.Rect.Right, 40 + int(text.size()) * 6 + 4);  // sized before the event
    b->MouseLeave();
    EXPECT_FALSE(b->GetHot());
}

TEST_F(ToolBarTest, TheBarFindsItsVisibleButtonsUnderThePoint)
{
    B(kptbbtResume)->SetDrawRect(TRect(3, 3, 33, 33));
    B(kptbbtSelect)->SetDrawRect(TRect(40, 3, 70, 33));  // hidden
    bar->SetDrawRect(TRect(0, 0, 300, 36));
    EXPECT_EQ(bar->GetObjectAt({10, 10}), B(kptbbtResume));
    EXPECT_EQ(bar->GetObjectAt({50, 10}), bar);
}

TEST_F(ToolBarTest, DropsItsFocusWhenAnotherObjectTakesItAndOffersTheEditor)
{
    master->AddXAxis();
    bar->SetFocused(true);
    master->XAxisManager()->GetObject(0)->SetFocused(true);
    EXPECT_FALSE(bar->GetFocused());
    TPopupMenu menu(nullptr);
    bar->BuildPopupMenu(&menu);
    ASSERT_EQ(menu.Items->Count(), 1);
    EXPECT_EQ(menu.Items->Items(0)->GetCaption(), "[Edit...]");
}

TEST(ToolBarOnAPlot, ButtonClicksAreThePlotsToolBarEvents)
{
    Application->Initialize();
    TkPlotComponent chart(nullptr);
    chart.AddToolBar();
    chart.AddToolBar();
    chart.AddXAxis();
    std::vector<std::string> log;
    chart.OnBeforeToolBarButtonClick = [&](int Index, int Type, bool& Cancel) {
        log.push_back("before " + std::to_string(Index) + " " + TypeNames[Type]);
        Cancel = Type == kptbbtCursor;
    };
    chart.OnToolBarButtonClick = [&](int Index, int Type) {
        log.push_back("after " + std::to_string(Index) + " " + TypeNames[Type]);
    };
    auto* bar = static_cast<TkPlotToolBar*>(chart.GetToolBar(1));
    bar->ClickPause();
    bar->ClickCursor();
    EXPECT_EQ(log, (std::vector<std::string>{"before 1 Pause", "after 1 Pause", "before 1 Cursor"}));
    EXPECT_FALSE(chart.GetXAxis(0)->GetTrackingEnabled());
    EXPECT_FALSE(bar->GetCursorDown());
}

}  // namespace
