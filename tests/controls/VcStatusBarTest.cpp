#include "controls/VcDialogButtons.h"
#include "controls/VcStatusBar.h"
#include "controls/VcStatusPane.h"
#include "controls/VcProgressStatus.h"
#include "controls/VcVersionInfo.h"
#include "controls/VcVersionInfoStatus.h"
#include "rtl/FileUtils.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Screenshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

class VcStatusBarTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
};

TEST_F(VcStatusBarTest, ProgressKeepsPartsWithinTheTotal)
{
    TVcProgressStatus Progress(nullptr);
    EXPECT_EQ(Progress.GetTotalParts(), 10);
    Progress.SetPartsComplete(4);
    EXPECT_EQ(Progress.GetPartsComplete(), 4);
    Progress.SetPartsComplete(11);
    EXPECT_EQ(Progress.GetPartsComplete(), 10);
    Progress.SetPartsComplete(-1);
    EXPECT_EQ(Progress.GetPartsComplete(), 0);
    Progress.SetPartsComplete(8);
    Progress.SetTotalParts(5);
    EXPECT_EQ(Progress.GetPartsComplete(), 5);
}

// A pane shown again takes its own place back, though the others changed
// their widths while it was hidden; the panes of a side touch each other
// and their edge.
TEST_F(VcStatusBarTest, PanesShowInTheOrderTheyWereAdded)
{
    TVcStatusBar Bar(nullptr);
    Bar.SetBounds(0, 0, 400, 22);
    auto Pane = [&](TAlign Align, int Width) {
        auto* P = new TVcStatusPane(&Bar);
        P->SetParent(&Bar);
        P->SetWidth(Width);
        P->SetAlign(Align);
        return P;
    };
    TVcStatusPane* Left = Pane(alLeft, 50);
    TVcStatusPane* A = Pane(alRight, 30);
    TVcStatusPane* B = Pane(alRight, 40);
    TVcStatusPane* C = Pane(alRight, 20);
    auto Lefts = [&] { return std::vector<int>{Left->GetLeft(), A->GetLeft(), B->GetLeft(), C->GetLeft()}; };
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 310, 340, 380}));
    B->SetVisible(false);
    A->SetWidth(60);
    C->SetWidth(5);
    B->SetVisible(true);
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 295, 355, 395}));
    A->SetVisible(false);
    C->SetWidth(70);
    A->SetVisible(true);
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 230, 290, 330}));
    EXPECT_EQ(A->GetHeight(), 22);
}

TEST_F(VcStatusBarTest, VersionPaneShowsLabelAndVersion)
{
    TVcVersionInfo Info;
    TVcVersionInfoStatus Pane(nullptr);
    Pane.SetLabel("版本");
    EXPECT_EQ(Pane.GetText(), "版本");
    Pane.SetVersionInfo(&Info);
    EXPECT_EQ(Pane.GetText(), "版本");
    Info.SetFileName(Application->ExeName());
    Pane.UpdateText();
    EXPECT_EQ(Pane.GetText(), "版本 1.0.0.0");
    Info.SetFileName("/no/such/program");
    EXPECT_EQ(Info.FileVersion(), "");
}

TEST_F(VcStatusBarTest, AutoSizedPaneFollowsItsCaption)
{
    TVcStatusPane Pane(nullptr);
    Pane.SetAutoSize(true);
    Pane.SetText("COM1");
    const int Short = Pane.GetWidth();
    Pane.SetText("/dev/ttyUSB0 and more text");
    EXPECT_GT(Pane.GetWidth(), Short);
}

// Columns holding ink (dark pixels) in a picture of the control.
std::pair<int, int> InkColumns(TControl* Control)
{
    TBitmap Picture;
    GrabControl(Control, Picture);
    int Left = Picture.GetWidth(), Right = -1;
    for (int X = 0; X < Picture.GetWidth(); ++X)
        for (int Y = 0; Y < Picture.GetHeight(); ++Y) {
            const TColor C = Picture.Canvas->Pixels[X][Y];
            if (GetRValue(C) < 96 && GetGValue(C) < 96 && GetBValue(C) < 96) {
                Left = std::min(Left, X);
                Right = std::max(Right, X);
            }
        }
    return {Left, Right};
}

// An auto-sized pane is wider than its text as it is drawn, which a pane
// with room to spare shows.
TEST_F(VcStatusBarTest, AnAutoSizedPaneIsWiderThanItsDrawnText)
{
    const std::string Text = "授权用户: KALVO Test Bench 3";
    TVcStatusPane Wide(nullptr);
    Wide.SetBounds(0, 0, 600, 22);
    Wide.SetText(Text);
    const auto [Left, Right] = InkColumns(&Wide);
    ASSERT_GT(Right, Left) << "no text drawn";

    TVcStatusPane Pane(nullptr);
    Pane.SetHeight(22);
    Pane.SetAutoSize(true);
    Pane.SetText(Text);
    // Room for the bevels and a margin on either side.
    EXPECT_GE(Pane.GetWidth(), Right - Left + 1 + 2 * 4);
}

// Panes share their bar: a text too long for the room the others leave
// shows its start, ended by "…", and a right-aligned pane whose text grows
// keeps its place.
TEST_F(VcStatusBarTest, PanesShareTheBarAndATextTooLongShowsItsStart)
{
    TVcStatusBar Bar(nullptr);
    Bar.SetBounds(0, 0, 400, 22);
    // Right-aligned panes show in the order they were added, the last at
    // the right edge.
    auto Pane = [&Bar](TAlign Align, const std::string& Text) {
        auto* P = new TVcStatusPane(&Bar);
        P->SetParent(&Bar);
        P->SetAlign(Align);
        P->SetAutoSize(true);
        P->SetText(Text);
        return P;
    };
    TVcStatusPane* Port = Pane(alLeft, "COM1");
    TVcStatusPane* Id = Pane(alRight, "254");
    TVcStatusPane* State = Pane(alRight, "超时");
    const int PortWidth = Port->GetWidth(), IdWidth = Id->GetWidth();

    const std::string Long = "无法写入记录文件 (" + std::string(80, 'x') + ")";
    State->SetText(Long);
    EXPECT_EQ(State->GetText(), Long);
    auto ExpectSideBySide = [&](int BarWidth) {
        EXPECT_EQ(Port->GetLeft(), 0);
        EXPECT_EQ(Port->GetWidth(), PortWidth);
        EXPECT_EQ(Id->GetWidth(), IdWidth);
        EXPECT_EQ(State->GetLeft() + State->GetWidth(), BarWidth);
        EXPECT_EQ(Id->GetLeft() + Id->GetWidth(), State->GetLeft());
        EXPECT_GE(Id->GetLeft(), PortWidth);
    };
    ExpectSideBySide(400);
    const std::string Shown = State->ShownText();
    const std::string Ellipsis = "…";
    ASSERT_GT(Shown.size(), Ellipsis.size());
    const std::size_t Start = Shown.size() - Ellipsis.size();
    EXPECT_EQ(Shown.substr(Start), Ellipsis);
    EXPECT_EQ(Shown.substr(0, Start), Long.substr(0, Start));

    // With room enough the whole text shows again.
    Bar.SetWidth(2000);
    ExpectSideBySide(2000);
    EXPECT_EQ(State->ShownText(), Long);
}

TEST_F(VcStatusBarTest, DialogButtonsReportTheirClicks)
{
    TVcDialogButtons Buttons(nullptr);
    EXPECT_EQ(Buttons.GetCaptionOk(), "确定(&O)");
    EXPECT_EQ(Buttons.GetCaptionCancel(), "取消(&C)");
    int Ok = 0, Cancel = 0;
    Buttons.OnClickOk = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Buttons);
        ++Ok;
    };
    Buttons.OnClickCancel = [&](TObject*) { ++Cancel; };
    Buttons.OkButton()->Click();
    Buttons.CancelButton()->Click();
    Buttons.CancelButton()->Click();
    EXPECT_EQ(Ok, 1);
    EXPECT_EQ(Cancel, 2);
    Buttons.OkButton()->SetEnabled(false);
    EXPECT_FALSE(Buttons.OkButton()->GetEnabled());
}

}  // namespace
