#include "ProgramForms.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "ui/TextClipCheck.h"

#include <set>
#include <string>

namespace {

TEST(NewDeviceUnitTest, ShowOffersTheValueRules)
{
    TProgramForms P;
    P.Start();
    TProgramForms::WhenShown(frmNewDevice, [] {
        ASSERT_EQ(frmNewDevice->cbxValueRule->Items->Count(), 3);
        EXPECT_EQ(frmNewDevice->cbxValueRule->Items->Get(0), "16位整数(单寄存器)");
        EXPECT_EQ(frmNewDevice->cbxValueRule->Items->Get(2), "32位整数(双寄存器，低16位在前)");
        EXPECT_EQ(frmNewDevice->cbxValueRule->GetItemIndex(), 1);
        EXPECT_EQ(frmNewDevice->speStationId->GetValue(), 1);
        EXPECT_EQ(frmNewDevice->speChannelCount->GetValue(), 1);
        frmNewDevice->EditDeviceButtons->CancelButton()->Click();
    });
    EXPECT_EQ(frmNewDevice->ShowModal(), mrCancel);
    EXPECT_EQ(frmNewDevice->GetText(), "新增设备");
}

TEST(NewDeviceUnitTest, FormLayoutCaptionsAndLimits)
{
    TProgramForms P;
    TfrmNewDevice* F = frmNewDevice;
    EXPECT_EQ(F->GetBorderStyle(), bsToolWindow);
    EXPECT_EQ(F->EditDeviceButtons->GetCaptionOk(), "确定(&O)");
    EXPECT_EQ(F->EditDeviceButtons->GetCaptionCancel(), "取消(&C)");
    std::set<std::string> Captions;
    for (int i = 0; i < F->ComponentCount(); ++i)
        if (auto* L = dynamic_cast<TLabel*>(F->Components(i)))
            Captions.insert(L->GetText());
    for (const char* Caption :
         {"设备序号", "设备名称", "设备型号", "Modbus站号", "通道数量", "测量值寄存器首地址", "测量值寄存器规则"})
        EXPECT_EQ(Captions.count(Caption), 1u) << Caption;
    EXPECT_EQ(F->imgKRN->GetParent(), F->pnlKRN);
    EXPECT_LT(F->pnlKRN->GetLeft(), F->leDeviceName->GetLeft());
    EXPECT_EQ(F->speStationId->GetMinValue(), 1);
    EXPECT_EQ(F->speStationId->GetMaxValue(), 254);
    EXPECT_EQ(F->speChannelCount->GetMinValue(), 1);
    EXPECT_EQ(F->speChannelCount->GetMaxValue(), 12);
    EXPECT_TRUE(F->neDVRBeginAddr->GetIntegersOnly());
    EXPECT_EQ(F->cbxValueRule->GetStyle(), csDropDownList);
}

TEST(NewDeviceUnitTest, AStationIdInUseKeepsTheDialogOpen)
{
    TProgramForms P(
        [](const TScratchDir& Dir) { TScratchDir::Write(Dir.File("Devices.db"), "[Device4]\r\nStationId=5\r\n"); });
    P.Start();
    TModalResult AfterRefusal = -1;
    bool RefusedFocused = false;
    TProgramForms::WhenShown(frmNewDevice, [&AfterRefusal, &RefusedFocused] {
        frmNewDevice->speStationId->SetValue(5);
        frmNewDevice->leDeviceName->SetFocus();
        frmNewDevice->EditDeviceButtons->OkButton()->Click();
        AfterRefusal = frmNewDevice->GetModalResult();
        RefusedFocused = frmNewDevice->Widget()->focusWidget() == frmNewDevice->speStationId->Widget();
        frmNewDevice->speStationId->SetValue(6);
        frmNewDevice->EditDeviceButtons->OkButton()->Click();
    });
    EXPECT_EQ(frmNewDevice->ShowModal(), mrOk);
    EXPECT_EQ(AfterRefusal, mrNone);
    // The refused field takes the focus.
    EXPECT_TRUE(RefusedFocused);
    ASSERT_EQ(P.Asked.size(), 1u);
    EXPECT_EQ(P.Asked[0].Text, "站号[5]已经被设备4占用！");
    EXPECT_EQ(P.Asked[0].Caption, "错误");
    EXPECT_EQ(P.Asked[0].Flags, MB_OK | MB_ICONERROR);
}

TEST(NewDeviceUnitTest, RegisterAddressStaysWithinTwoBytes)
{
    TProgramForms P;
    frmNewDevice->neDVRBeginAddr->SetValue(70000);
    EXPECT_EQ(frmNewDevice->neDVRBeginAddr->AsInteger(), 65535);
    frmNewDevice->neDVRBeginAddr->SetValue(-3);
    EXPECT_EQ(frmNewDevice->neDVRBeginAddr->AsInteger(), 0);
    EXPECT_EQ(StationIdInUseText(12, 3), "站号[12]已经被设备3占用！");
}

}  // namespace

namespace {

// The dialog (a fixed-size tool window) shows its texts whole with the
// largest values its fields take and every value rule.
TEST(NewDeviceUnitTest, EveryTextShowsWholeWithTheWidestValues)
{
    TProgramForms P;
    P.Start();
    frmNewDevice->lblDeviceSection->SetText("设备254");
    TProgramForms::WhenShown(frmNewDevice, [] {
        frmNewDevice->leDeviceName->SetText("SIM-16SI-LONGNAME-01");
        frmNewDevice->leDeviceModel->SetText("KRN-MODEL-XXXX-2");
        frmNewDevice->speStationId->SetValue(254);
        frmNewDevice->speChannelCount->SetValue(12);
        frmNewDevice->neDVRBeginAddr->SetValue(65535);
        Application->ProcessMessages();
        for (const std::string& Problem : TTextClipCheck::Problems(frmNewDevice))
            ADD_FAILURE() << Problem;
        frmNewDevice->EditDeviceButtons->CancelButton()->Click();
    });
    EXPECT_EQ(frmNewDevice->ShowModal(), mrCancel);
}

}  // namespace
