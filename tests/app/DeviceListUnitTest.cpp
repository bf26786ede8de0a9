#include "ProgramForms.h"

#include "app/DeviceRegistry.h"
#include "app/DeviceUnit.h"
#include "rtl/IniFile.h"
#include "ui/TextClipCheck.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <functional>
#include <set>
#include <vector>

namespace {

const char* const Devices =
    "[Device1]\r\nDeviceName=Press\r\nDeviceModel=M1\r\nChannelCount=2\r\nValueRule=0\r\nStationId=1\r\n"
    "IsStartTriggerChannel1=1\r\nIsStopTriggerChannel2=1\r\nAlarmHighLevel1=2.345\r\nWorkDP1=1\r\n"
    "[Device3]\r\nDeviceName=Oven\r\nDeviceModel=M3\r\nChannelCount=1\r\nValueRule=1\r\nDVRBeginAddr=40\r\n"
    "StationId=7\r\nIsStartTriggerChannel1=1\r\nIsStopTriggerChannel1=1\r\n";

class DeviceListUnitTest : public ::testing::Test {
protected:
    DeviceListUnitTest() : P([](const TScratchDir& Dir) { TScratchDir::Write(Dir.File("Devices.db"), Devices); })
    {
        P.Start();
        frmDeviceList->Show();
    }
    ~DeviceListUnitTest() override { frmDeviceList->Hide(); }

    TTreeView* Tree() const { return frmDeviceList->tvDeviceList; }
    TTreeNode* DeviceNode(int i) const { return Tree()->Items->Root(i); }
    // A click on a node; what it posts is handled before the next action.
    void Select(TTreeNode* Node)
    {
        Tree()->SetSelected(Node);
        Application->ProcessMessages();
    }
    std::string Stored(const std::string& Section, const std::string& Key)
    {
        TIniFile Ini(P.Dir.File("Devices.db"));
        return Ini.ReadString(Section, Key, "<missing>");
    }
    bool ApplyEnabled(TVcDialogButtons* B) const { return B->OkButton()->GetEnabled(); }

    TProgramForms P;
};

// The captions of the labels and check boxes placed on Parent.
std::set<std::string> CaptionsOn(const TForm* Form, const TWinControl* Parent)
{
    std::set<std::string> Captions;
    for (int i = 0; i < Form->ComponentCount(); ++i) {
        auto* C = dynamic_cast<TControl*>(Form->Components(i));
        if (C && C->GetParent() == Parent && (dynamic_cast<TLabel*>(C) || dynamic_cast<TCheckBox*>(C)))
            Captions.insert(C->GetText());
    }
    return Captions;
}

TEST_F(DeviceListUnitTest, FormLayoutCaptionsAndLimits)
{
    TfrmDeviceList* F = frmDeviceList;
    EXPECT_EQ(F->GetText(), "设备通道列表");
    EXPECT_EQ(F->GetBorderStyle(), bsToolWindow);
    EXPECT_EQ(F->GetPosition(), poMainFormCenter);
    EXPECT_EQ(F->btnNewDevice->GetText(), "增加设备");
    EXPECT_EQ(F->btnDeleteDevice->GetText(), "删除设备");
    EXPECT_EQ(F->btnNewDevice->GetParent(), F->toolDevice);
    EXPECT_EQ(F->btnDeleteDevice->GetParent(), F->toolDevice);
    EXPECT_EQ(F->tvDeviceList->GetAlign(), alLeft);
    EXPECT_TRUE(F->tvDeviceList->GetReadOnly());
    EXPECT_FALSE(F->tvDeviceList->GetHideSelection());
    EXPECT_EQ(F->tsEditDevice->GetText(), "编辑设备");
    EXPECT_EQ(F->tsEditChannel->GetText(), "编辑通道");
    EXPECT_FALSE(F->tsEditDevice->GetTabVisible());
    EXPECT_FALSE(F->tsEditChannel->GetTabVisible());
    for (TVcDialogButtons* B : {F->EditDeviceButtons, F->EditChannelButtons}) {
        EXPECT_EQ(B->GetCaptionOk(), "应用修改(&A)");
        EXPECT_EQ(B->GetCaptionCancel(), "取消修改(&C)");
        EXPECT_FALSE(B->OkButton()->GetEnabled());
        EXPECT_FALSE(B->CancelButton()->GetEnabled());
    }
    EXPECT_EQ(F->EditDeviceButtons->GetParent(), F->tsEditDevice);
    EXPECT_EQ(F->EditChannelButtons->GetParent(), F->tsEditChannel);

    const std::set<std::string> Device = CaptionsOn(F, F->tsEditDevice);
    for (const char* Caption :
         {"设备序号", "设备名称", "设备型号", "Modbus站号", "通道数量", "测量值寄存器首地址", "测量值寄存器规则"})
        EXPECT_EQ(Device.count(Caption), 1u) << Caption;
    EXPECT_EQ(F->speStationId->GetMinValue(), 1);
    EXPECT_EQ(F->speStationId->GetMaxValue(), 254);

    const std::set<std::string> Channel = CaptionsOn(F, F->tsEditChannel);
    for (const char* Caption :
         {"通道名称", "测量单位", "小数点", "测量量程下限", "测量量程上限", "下限报警值", "上限报警值", "使能",
          "开始记录触发", "阈值", "触发次数", "停止记录触发", "触发或报警按绝对值比较", "置零限制范围", "负值修正"})
        EXPECT_EQ(Channel.count(Caption), 1u) << Caption;
    EXPECT_EQ(F->ckxAlarmLowEnabled->GetText(), "使能");
    EXPECT_EQ(F->ckxAlarmHighEnabled->GetText(), "使能");
    EXPECT_EQ(F->ckxIsStartTriggerChannel->GetText(), "开始记录触发");
    EXPECT_EQ(F->ckxIsStopTriggerChannel->GetText(), "停止记录触发");
    EXPECT_EQ(F->ckxAbsoluteCompare->GetText(), "触发或报警按绝对值比较");
    EXPECT_EQ(F->ckbNegativeCorrection->GetText(), "负值修正");
    EXPECT_EQ(F->speWorkDP->GetMinValue(), 0);
    EXPECT_EQ(F->speWorkDP->GetMaxValue(), 6);
    EXPECT_EQ(F->speStartTriggeredCount->GetMinValue(), 1);
    EXPECT_EQ(F->speStopTriggeredCount->GetMinValue(), 1);
}

TEST_F(DeviceListUnitTest, TreeShowsDevicesChannelsAndTriggerIcons)
{
    ASSERT_EQ(Tree()->Items->RootCount(), 2);
    EXPECT_EQ(DeviceNode(0)->GetText(), "设备1: Press M1");
    EXPECT_EQ(DeviceNode(1)->GetText(), "设备3: Oven M3");
    ASSERT_EQ(DeviceNode(0)->Count(), 2);
    EXPECT_EQ(DeviceNode(0)->Item(0)->GetText(), "CH1: 测量值");
    EXPECT_EQ(DeviceNode(0)->Item(1)->GetText(), "CH2: 测量值");
    // Start only, stop only, both; a device with both kinds of channels.
    EXPECT_EQ(DeviceNode(0)->Item(0)->GetImageIndex(), 0);
    EXPECT_EQ(DeviceNode(0)->Item(1)->GetImageIndex(), 1);
    EXPECT_EQ(DeviceNode(0)->GetImageIndex(), 2);
    EXPECT_EQ(DeviceNode(1)->Item(0)->GetImageIndex(), 2);
    EXPECT_EQ(DeviceNode(1)->GetImageIndex(), 2);
    EXPECT_TRUE(DeviceNode(0)->GetExpanded());
    EXPECT_EQ(Tree()->GetSelected(), nullptr);
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), nullptr);
    EXPECT_FALSE(frmDeviceList->btnDeleteDevice->GetEnabled());
    EXPECT_TRUE(frmDeviceList->btnNewDevice->GetEnabled());
    EXPECT_TRUE(frmDeviceList->toolDevice->GetVisible());
    EXPECT_TRUE(frmDeviceList->speStationId->GetEnabled());
}

TEST_F(DeviceListUnitTest, DevicePageShowsTheDevice)
{
    Select(DeviceNode(1));
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), frmDeviceList->tsEditDevice);
    EXPECT_TRUE(frmDeviceList->btnDeleteDevice->GetEnabled());
    EXPECT_EQ(frmDeviceList->lblDeviceSection->GetText(), "设备3");
    EXPECT_EQ(frmDeviceList->lblChannelCount->GetText(), "1");
    EXPECT_EQ(frmDeviceList->leDeviceName->GetText(), "Oven");
    EXPECT_EQ(frmDeviceList->leDeviceModel->GetText(), "M3");
    EXPECT_EQ(frmDeviceList->speStationId->GetValue(), 7);
    EXPECT_EQ(frmDeviceList->lblDVRBeginAddr->GetText(), "0040");
    EXPECT_EQ(frmDeviceList->lblValueRule->GetText(), "32位整数(双寄存器，高16位在前)");
    EXPECT_FALSE(ApplyEnabled(frmDeviceList->EditDeviceButtons));

    Select(DeviceNode(0)->Item(1));
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), frmDeviceList->tsEditChannel);
    EXPECT_FALSE(frmDeviceList->btnDeleteDevice->GetEnabled());
    EXPECT_EQ(frmDeviceList->lblChannelIndex->GetText(), "设备1:CH2");
}

TEST_F(DeviceListUnitTest, RenamingADeviceSavesTheName)
{
    Select(DeviceNode(0));
    frmDeviceList->leDeviceName->SetText("Big press");
    EXPECT_TRUE(ApplyEnabled(frmDeviceList->EditDeviceButtons));
    frmDeviceList->EditDeviceButtons->OkButton()->Click();
    EXPECT_TRUE(P.Asked.empty());
    EXPECT_EQ(Stored("Device1", "DeviceName"), "Big press");
    EXPECT_EQ(Stored("Device1", "StationId"), "1");
    EXPECT_EQ(DeviceNode(0)->GetText(), "设备1: Big press M1");
    EXPECT_FALSE(ApplyEnabled(frmDeviceList->EditDeviceButtons));
}

TEST_F(DeviceListUnitTest, AStationIdInUseIsRefused)
{
    Select(DeviceNode(1));
    frmDeviceList->leDeviceName->SetText("Renamed");
    frmDeviceList->speStationId->SetValue(1);
    frmDeviceList->leDeviceName->SetFocus();
    frmDeviceList->EditDeviceButtons->OkButton()->Click();
    ASSERT_EQ(P.Asked.size(), 1u);
    EXPECT_EQ(P.Asked[0].Text, "站号[1]已经被设备1占用！");
    EXPECT_EQ(P.Asked[0].Caption, "错误");
    EXPECT_EQ(P.Asked[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(Stored("Device3", "StationId"), "7");
    EXPECT_EQ(Stored("Device3", "DeviceName"), "Oven");
    EXPECT_EQ(frmMain->Devices()[1]->StationId(), 7);
    EXPECT_TRUE(ApplyEnabled(frmDeviceList->EditDeviceButtons));
    // The refused field takes the focus (the window's focus widget: an
    // offscreen window is never active).
    EXPECT_EQ(frmDeviceList->Widget()->focusWidget(), frmDeviceList->speStationId->Widget());

    // A free id is taken.
    frmDeviceList->speStationId->SetValue(12);
    frmDeviceList->EditDeviceButtons->OkButton()->Click();
    EXPECT_EQ(Stored("Device3", "StationId"), "12");
    EXPECT_EQ(Stored("Device3", "DeviceName"), "Renamed");
}

TEST_F(DeviceListUnitTest, CancelReloadsTheDeviceFields)
{
    Select(DeviceNode(0));
    frmDeviceList->leDeviceModel->SetText("zzz");
    frmDeviceList->EditDeviceButtons->CancelButton()->Click();
    EXPECT_EQ(frmDeviceList->leDeviceModel->GetText(), "M1");
    EXPECT_FALSE(ApplyEnabled(frmDeviceList->EditDeviceButtons));
    EXPECT_EQ(Stored("Device1", "DeviceModel"), "M1");
}

TEST_F(DeviceListUnitTest, PendingEditsAreKeptWhenTheUserSaysNo)
{
    Select(DeviceNode(0)->Item(0));
    frmDeviceList->leValueName->SetText("Pressure");
    P.Answers = {IDNO};
    Select(DeviceNode(1));
    ASSERT_EQ(P.Asked.size(), 1u);
    EXPECT_EQ(P.Asked[0].Text, "要放弃所做的修改吗？");
    EXPECT_EQ(P.Asked[0].Caption, "警告");
    EXPECT_EQ(P.Asked[0].Flags, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_EQ(Tree()->GetSelected(), DeviceNode(0)->Item(0));
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), frmDeviceList->tsEditChannel);
    EXPECT_EQ(frmDeviceList->leValueName->GetText(), "Pressure");
    EXPECT_TRUE(ApplyEnabled(frmDeviceList->EditChannelButtons));

    P.Answers = {IDYES};
    Select(DeviceNode(1));
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), frmDeviceList->tsEditDevice);
    EXPECT_EQ(frmDeviceList->leDeviceName->GetText(), "Oven");
    EXPECT_FALSE(ApplyEnabled(frmDeviceList->EditChannelButtons));
    EXPECT_EQ(Stored("Device1", "ValueName1"), "测量值");
}

TEST_F(DeviceListUnitTest, ChannelApplyWritesValidFieldsAndSkipsInvalidOnes)
{
    Select(DeviceNode(0)->Item(1));
    frmDeviceList->leValueName->SetText("Temp");
    frmDeviceList->leWorkUnit->SetText("C");
    frmDeviceList->speWorkDP->SetValue(2);
    frmDeviceList->neRangeLow->SetText("abc");
    frmDeviceList->neRangeHigh->SetText("250.5");
    frmDeviceList->ckxAlarmHighEnabled->SetChecked(true);
    frmDeviceList->neAlarmHighLevel->SetText("99.25");
    frmDeviceList->ckxIsStartTriggerChannel->SetChecked(true);
    frmDeviceList->speStartTriggeredCount->SetValue(3);
    EXPECT_TRUE(ApplyEnabled(frmDeviceList->EditChannelButtons));
    frmDeviceList->EditChannelButtons->OkButton()->Click();

    EXPECT_TRUE(P.Asked.empty());
    EXPECT_EQ(Stored("Device1", "ValueName2"), "Temp");
    EXPECT_EQ(Stored("Device1", "WorkUnit2"), "C");
    EXPECT_EQ(Stored("Device1", "WorkDP2"), "2");
    EXPECT_EQ(Stored("Device1", "RangeLow2"), "0");
    EXPECT_EQ(Stored("Device1", "RangeHigh2"), "250.5");
    EXPECT_EQ(Stored("Device1", "AlarmHighEnabled2"), "1");
    EXPECT_EQ(Stored("Device1", "AlarmHighLevel2"), "99.25");
    EXPECT_EQ(Stored("Device1", "IsStartTriggerChannel2"), "1");
    EXPECT_EQ(Stored("Device1", "StartTriggeredCount2"), "3");
    EXPECT_EQ(DeviceNode(0)->Item(1)->GetText(), "CH2: Temp");
    EXPECT_EQ(DeviceNode(0)->Item(1)->GetImageIndex(), 2);
    EXPECT_FALSE(ApplyEnabled(frmDeviceList->EditChannelButtons));
    EXPECT_EQ(frmMain->Devices()[0]->Channel(1)->ValueName(), "Temp");
}

TEST_F(DeviceListUnitTest, UntouchedLevelsKeepTheirExactValue)
{
    // 2.345 shows as "2.3" with one decimal place.
    Select(DeviceNode(0)->Item(0));
    EXPECT_EQ(frmDeviceList->neAlarmHighLevel->GetText(), "2.3");
    EXPECT_EQ(frmDeviceList->neAlarmHighLevel->GetDisplayFormat(), "0.0");
    frmDeviceList->leWorkUnit->SetText("bar");
    frmDeviceList->EditChannelButtons->OkButton()->Click();
    EXPECT_EQ(Stored("Device1", "WorkUnit1"), "bar");
    EXPECT_EQ(Stored("Device1", "AlarmHighLevel1"), "2.345");
}

TEST_F(DeviceListUnitTest, DecimalPlacesReformatTheLevels)
{
    Select(DeviceNode(0)->Item(1));
    frmDeviceList->speWorkDP->SetValue(3);
    EXPECT_EQ(frmDeviceList->neStartTriggerLevel->GetDisplayFormat(), "0.000");
    EXPECT_EQ(frmDeviceList->neZeroLimitation->GetDisplayFormat(), "0.000");
    EXPECT_EQ(frmDeviceList->neRangeHigh->GetText(), "100.000");
    EXPECT_TRUE(ApplyEnabled(frmDeviceList->EditChannelButtons));
    EXPECT_EQ(TfrmDeviceList::DecimalMask(0), "0");
    EXPECT_EQ(TfrmDeviceList::DecimalMask(1), "0.0");
    EXPECT_EQ(TfrmDeviceList::DecimalMask(6), "0.000000");
}

TEST_F(DeviceListUnitTest, ANewDeviceTakesTheFirstFreeNumber)
{
    TProgramForms::WhenShown(frmNewDevice, [] {
        EXPECT_EQ(frmNewDevice->lblDeviceSection->GetText(), "设备2");
        frmNewDevice->leDeviceName->SetText("Mixer");
        frmNewDevice->leDeviceModel->SetText("KRN-2");
        frmNewDevice->speStationId->SetValue(20);
        frmNewDevice->speChannelCount->SetValue(3);
        frmNewDevice->neDVRBeginAddr->SetValue(100);
        frmNewDevice->cbxValueRule->SetItemIndex(2);
        frmNewDevice->EditDeviceButtons->OkButton()->Click();
    });
    frmDeviceList->btnNewDevice->Click();

    EXPECT_EQ(Stored("Device2", "DeviceName"), "Mixer");
    EXPECT_EQ(Stored("Device2", "DeviceModel"), "KRN-2");
    EXPECT_EQ(Stored("Device2", "ChannelCount"), "3");
    EXPECT_EQ(Stored("Device2", "StationId"), "20");
    EXPECT_EQ(Stored("Device2", "ValueRule"), "2");
    EXPECT_EQ(Stored("Device2", "DVRBeginAddr"), "100");
    ASSERT_EQ(frmMain->Devices().size(), 3u);
    EXPECT_EQ(frmMain->Devices()[1]->Section(), "Device2");
    EXPECT_EQ(frmMain->Devices()[1]->StationId(), 20);
    ASSERT_EQ(Tree()->Items->RootCount(), 3);
    EXPECT_EQ(DeviceNode(1)->GetText(), "设备2: Mixer KRN-2");
    EXPECT_EQ(DeviceNode(1)->Count(), 3);
    EXPECT_EQ(Tree()->GetSelected(), nullptr);
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), nullptr);
    EXPECT_EQ(frmMain->Devices()[2]->GetTop(), frmMain->Devices()[0]->GetHeight() + frmMain->Devices()[1]->GetHeight());
}

TEST_F(DeviceListUnitTest, CancellingTheNewDeviceWritesNothing)
{
    const std::string Before = P.Read("Devices.db");
    TProgramForms::WhenShown(frmNewDevice, [] { frmNewDevice->EditDeviceButtons->CancelButton()->Click(); });
    frmDeviceList->btnNewDevice->Click();
    EXPECT_EQ(P.Read("Devices.db"), Before);
    EXPECT_EQ(frmMain->Devices().size(), 2u);
}

TEST_F(DeviceListUnitTest, DeletingAskedAndAnsweredYesDropsTheSection)
{
    Select(DeviceNode(0));
    P.Answers = {IDNO};
    frmDeviceList->btnDeleteDevice->Click();
    ASSERT_EQ(P.Asked.size(), 1u);
    EXPECT_EQ(P.Asked[0].Text, "要删除[设备1: Press M1]吗？");
    EXPECT_EQ(P.Asked[0].Caption, "警告");
    EXPECT_EQ(P.Asked[0].Flags, MB_YESNO | MB_ICONSTOP);
    EXPECT_EQ(frmMain->Devices().size(), 2u);

    P.Answers = {IDYES};
    frmDeviceList->btnDeleteDevice->Click();
    EXPECT_EQ(P.Read("Devices.db").find("[Device1]"), std::string::npos);
    EXPECT_NE(P.Read("Devices.db").find("[Device3]"), std::string::npos);
    ASSERT_EQ(frmMain->Devices().size(), 1u);
    EXPECT_EQ(frmMain->Devices()[0]->GetTop(), 0);
    ASSERT_EQ(Tree()->Items->RootCount(), 1);
    EXPECT_FALSE(frmDeviceList->btnDeleteDevice->GetEnabled());
    EXPECT_FALSE(frmMain->pnlNoneDevice->GetVisible());

    Select(DeviceNode(0));
    P.Answers = {IDYES};
    frmDeviceList->btnDeleteDevice->Click();
    EXPECT_TRUE(frmMain->Devices().empty());
    EXPECT_TRUE(frmMain->pnlNoneDevice->GetVisible());
    EXPECT_FALSE(frmMain->btnRecord->GetEnabled());
    EXPECT_FALSE(frmMain->btnArrangeDevices->GetEnabled());
}

TEST_F(DeviceListUnitTest, EveryChannelControlMarksAnEdit)
{
    Select(DeviceNode(0)->Item(0));
    const std::vector<std::function<void()>> Edits = {
        [] { frmDeviceList->leValueName->SetText("a"); },
        [] { frmDeviceList->leWorkUnit->SetText("b"); },
        [] { frmDeviceList->speWorkDP->SetValue(4); },
        [] { frmDeviceList->neRangeLow->SetText("3"); },
        [] { frmDeviceList->neRangeHigh->SetText("4"); },
        [] { frmDeviceList->neAlarmLowLevel->SetText("5"); },
        [] { frmDeviceList->ckxAlarmLowEnabled->SetChecked(true); },
        [] { frmDeviceList->neAlarmHighLevel->SetText("6"); },
        [] { frmDeviceList->ckxAlarmHighEnabled->SetChecked(true); },
        [] { frmDeviceList->ckxIsStartTriggerChannel->SetChecked(false); },
        [] { frmDeviceList->neStartTriggerLevel->SetText("7"); },
        [] { frmDeviceList->speStartTriggeredCount->SetValue(2); },
        [] { frmDeviceList->ckxIsStopTriggerChannel->SetChecked(true); },
        [] { frmDeviceList->neStopTriggerLevel->SetText("8"); },
        [] { frmDeviceList->speStopTriggeredCount->SetValue(2); },
        [] { frmDeviceList->ckxAbsoluteCompare->SetChecked(true); },
        [] { frmDeviceList->neZeroLimitation->SetText("9"); },
        [] { frmDeviceList->ckbNegativeCorrection->SetChecked(true); },
    };
    for (size_t i = 0; i < Edits.size(); ++i) {
        frmDeviceList->EditChannelButtons->CancelButton()->Click();
        ASSERT_FALSE(ApplyEnabled(frmDeviceList->EditChannelButtons)) << i;
        Edits[i]();
        EXPECT_TRUE(ApplyEnabled(frmDeviceList->EditChannelButtons)) << i;
        EXPECT_TRUE(frmDeviceList->EditChannelButtons->CancelButton()->GetEnabled()) << i;
    }
    P.Answers = {IDYES};
    Select(DeviceNode(1));
    ASSERT_EQ(frmDeviceList->pgcEdit->GetActivePage(), frmDeviceList->tsEditDevice);
    for (auto Edit : std::vector<std::function<void()>>{[] { frmDeviceList->leDeviceName->SetText("a"); },
                                                        [] { frmDeviceList->leDeviceModel->SetText("b"); },
                                                        [] { frmDeviceList->speStationId->SetValue(30); }}) {
        frmDeviceList->EditDeviceButtons->CancelButton()->Click();
        ASSERT_FALSE(ApplyEnabled(frmDeviceList->EditDeviceButtons));
        Edit();
        EXPECT_TRUE(ApplyEnabled(frmDeviceList->EditDeviceButtons));
    }
}

TEST_F(DeviceListUnitTest, ALevelTypedBeforeTheDecimalPlacesChangeIsSaved)
{
    Select(DeviceNode(0)->Item(0));
    frmDeviceList->neAlarmHighLevel->SetText("5.5");
    frmDeviceList->speWorkDP->SetValue(2);
    frmDeviceList->EditChannelButtons->OkButton()->Click();
    EXPECT_EQ(Stored("Device1", "WorkDP1"), "2");
    EXPECT_EQ(Stored("Device1", "AlarmHighLevel1"), "5.5");
}

TEST_F(DeviceListUnitTest, TriggerIconsFollowAnAppliedChannel)
{
    Select(DeviceNode(1)->Item(0));
    frmDeviceList->ckxIsStartTriggerChannel->SetChecked(false);
    frmDeviceList->EditChannelButtons->OkButton()->Click();
    EXPECT_EQ(DeviceNode(1)->Item(0)->GetImageIndex(), 1);
    EXPECT_EQ(DeviceNode(1)->GetImageIndex(), 1);
    frmDeviceList->ckxIsStopTriggerChannel->SetChecked(false);
    frmDeviceList->EditChannelButtons->OkButton()->Click();
    EXPECT_EQ(DeviceNode(1)->Item(0)->GetImageIndex(), -1);
    EXPECT_EQ(DeviceNode(1)->GetImageIndex(), -1);
    frmDeviceList->ckxIsStartTriggerChannel->SetChecked(true);
    frmDeviceList->EditChannelButtons->OkButton()->Click();
    EXPECT_EQ(DeviceNode(1)->Item(0)->GetImageIndex(), 0);
    EXPECT_EQ(DeviceNode(1)->GetImageIndex(), 0);
    EXPECT_EQ(Stored("Device3", "IsStartTriggerChannel1"), "1");
    EXPECT_EQ(Stored("Device3", "IsStopTriggerChannel1"), "0");
}

TEST_F(DeviceListUnitTest, DiscardingDeviceEditsReloadsThemBeforeMoving)
{
    Select(DeviceNode(0));
    frmDeviceList->leDeviceName->SetText("Changed");
    P.Answers = {IDYES};
    Select(DeviceNode(0)->Item(1));
    ASSERT_EQ(P.Asked.size(), 1u);
    EXPECT_FALSE(ApplyEnabled(frmDeviceList->EditDeviceButtons));
    EXPECT_EQ(frmDeviceList->leDeviceName->GetText(), "Press");
    EXPECT_EQ(Stored("Device1", "DeviceName"), "Press");
    // Back on the device: nothing pending, so nothing is asked.
    Select(DeviceNode(0));
    EXPECT_EQ(P.Asked.size(), 1u);
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), frmDeviceList->tsEditDevice);
}

TEST_F(DeviceListUnitTest, MovingByKeyboardLoadsTheNodeItLandsOn)
{
    // The edit page always belongs to the highlighted node, so an apply
    // never lands on another channel than the one shown.
    Select(DeviceNode(0)->Item(1));
    QKeyEvent Down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(Tree()->Widget(), &Down);
    ASSERT_EQ(Tree()->GetSelected(), DeviceNode(1));
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), frmDeviceList->tsEditDevice);
    EXPECT_EQ(frmDeviceList->lblDeviceSection->GetText(), "设备3");
    frmDeviceList->leDeviceName->SetText("Kiln");
    frmDeviceList->EditDeviceButtons->OkButton()->Click();
    EXPECT_EQ(Stored("Device3", "DeviceName"), "Kiln");
    EXPECT_EQ(Stored("Device1", "DeviceName"), "Press");

    // With pending edits, moving away asks first; No stays put.
    frmDeviceList->leDeviceModel->SetText("M9");
    P.Answers = {IDNO};
    QKeyEvent Up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(Tree()->Widget(), &Up);
    // Asked once, though the tree reports the move more than once.
    ASSERT_EQ(P.Asked.size(), 1u);
    EXPECT_EQ(Tree()->GetSelected(), DeviceNode(1));
    EXPECT_EQ(frmDeviceList->leDeviceModel->GetText(), "M9");
    EXPECT_TRUE(ApplyEnabled(frmDeviceList->EditDeviceButtons));

    // A later try asks again; Yes moves on.
    Application->ProcessMessages();
    P.Answers = {IDYES};
    QApplication::sendEvent(Tree()->Widget(), &Up);
    ASSERT_EQ(P.Asked.size(), 2u);
    EXPECT_EQ(Tree()->GetSelected(), DeviceNode(0)->Item(1));
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), frmDeviceList->tsEditChannel);
    EXPECT_FALSE(ApplyEnabled(frmDeviceList->EditDeviceButtons));
    EXPECT_EQ(Stored("Device3", "DeviceModel"), "M3");
}

TEST_F(DeviceListUnitTest, ClosingWithPendingEditsAsks)
{
    bool CanClose = true;
    frmDeviceList->FormCloseQuery(frmDeviceList, CanClose);
    EXPECT_TRUE(CanClose);
    EXPECT_TRUE(P.Asked.empty());

    Select(DeviceNode(0));
    frmDeviceList->leDeviceName->SetText("x");
    P.Answers = {IDNO, IDYES};
    frmDeviceList->FormCloseQuery(frmDeviceList, CanClose);
    EXPECT_FALSE(CanClose);
    CanClose = true;
    frmDeviceList->FormCloseQuery(frmDeviceList, CanClose);
    EXPECT_TRUE(CanClose);
    ASSERT_EQ(P.Asked.size(), 2u);
    EXPECT_EQ(P.Asked[0].Text, "要放弃所做的修改吗？");

    // Shown again, the dialog starts clean: no page, nothing to apply.
    frmDeviceList->Hide();
    frmDeviceList->Show();
    EXPECT_EQ(frmDeviceList->pgcEdit->GetActivePage(), nullptr);
    EXPECT_FALSE(ApplyEnabled(frmDeviceList->EditDeviceButtons));
    EXPECT_FALSE(frmDeviceList->EditDeviceButtons->CancelButton()->GetEnabled());
    EXPECT_EQ(Tree()->GetSelected(), nullptr);
    CanClose = true;
    frmDeviceList->FormCloseQuery(frmDeviceList, CanClose);
    EXPECT_TRUE(CanClose);
    EXPECT_EQ(P.Asked.size(), 2u);
}

}  // namespace

namespace {

// Both pages and the tree show their texts whole with long names, the
// widest value rule, six decimal places and the largest counts.
TEST_F(DeviceListUnitTest, LongNamesAndWideValuesShowWhole)
{
    TfraDevice* D = frmMain->Devices()[0];
    D->SetDeviceName("SIM-16SI-LONGNAME-0001");
    D->SetDeviceModel("KRN-MODEL-XXXX-2");
    D->Channel(0)->SetValueName("负三位无修正的压力通道");
    D->Channel(0)->SetWorkUnit("kN/m2");
    D->Channel(0)->SetWorkDP(6);
    D->Channel(0)->SetRangeLow(-2147.483648);
    D->Channel(0)->SetRangeHigh(2147.483647);
    D->Channel(0)->SetStartTriggeredCount(1000000);
    frmDeviceList->Hide();
    frmDeviceList->Show();
    Application->ProcessMessages();
    for (TTreeNode* Node : {DeviceNode(0), DeviceNode(0)->Item(0)}) {
        Select(Node);
        SCOPED_TRACE(Node->GetText());
        for (const std::string& Problem : TTextClipCheck::Problems(frmDeviceList))
            ADD_FAILURE() << Problem;
    }
}

}  // namespace
