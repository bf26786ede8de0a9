#include "controls/VcDialogButtons.h"
#include "controls/VcStatusBar.h"
#include "rtl/FileUtils.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

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
