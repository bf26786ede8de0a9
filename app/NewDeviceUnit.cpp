#include "app/NewDeviceUnit.h"

#include "app/ClassTypes.h"
#include "app/DeviceRegistry.h"
#include "controls/VcFormBuilder.h"
#include "rtl/NumberFormat.h"
#include "ui/Application.h"

TfrmNewDevice* frmNewDevice = nullptr;

namespace {
constexpr int LabelLeft = 150;
constexpr int EditLeft = 270;
constexpr int EditWidth = 220;
constexpr int EditHeight = 22;
// An edit starts this much above its label, so that their texts line up.
constexpr int EditRaise = 4;
}  // namespace

std::string StationIdInUseText(int Id, int DeviceNumber)
{
    return "站号[" + IntToStr(Id) + "]已经被设备" + IntToStr(DeviceNumber) + "占用！";
}

TfrmNewDevice::TfrmNewDevice(TComponent* AOwner) : TForm(AOwner)
{
    SetName("frmNewDevice");
    SetText("新增设备");
    SetBorderStyle(bsToolWindow);
    SetPosition(poMainFormCenter);
    SetClientWidth(510);
    SetClientHeight(300);

    const TVcFormBuilder Build(this, this);
    pnlKRN = Build.Add<TVcPanel>("pnlKRN", 8, 8, 130, 240);
    imgKRN = Build.On(pnlKRN).Add<TVcPanel>("imgKRN", 10, 60, 110, 110);
    imgKRN->SetColor(0x404040);
    imgKRN->SetGradientEndColor(0x101010);
    imgKRN->Font->SetColor(0x00FF00);
    imgKRN->Font->SetSize(16);
    imgKRN->SetText("KRN");

    Build.Label("lblDeviceSectionTitle", "设备序号", LabelLeft, 16);
    lblDeviceSection = Build.Add<TVcLabel>("lblDeviceSection", EditLeft, 16, EditWidth, 18);

    Build.Label("lblDeviceName", "设备名称", LabelLeft, 46);
    leDeviceName = Build.Add<TVcEdit>("leDeviceName", EditLeft, 46 - EditRaise, EditWidth, EditHeight);
    Build.Label("lblDeviceModel", "设备型号", LabelLeft, 76);
    leDeviceModel = Build.Add<TVcEdit>("leDeviceModel", EditLeft, 76 - EditRaise, EditWidth, EditHeight);
    Build.Label("lblStationId", "Modbus站号", LabelLeft, 106);
    speStationId = Build.Add<TVcSpinEdit>("speStationId", EditLeft, 106 - EditRaise, EditWidth, EditHeight);
    speStationId->SetMinValue(1);
    speStationId->SetMaxValue(254);
    speStationId->SetValue(1);
    Build.Label("lblChannelCount", "通道数量", LabelLeft, 136);
    speChannelCount = Build.Add<TVcSpinEdit>("speChannelCount", EditLeft, 136 - EditRaise, EditWidth, EditHeight);
    speChannelCount->SetMinValue(1);
    speChannelCount->SetMaxValue(12);
    speChannelCount->SetValue(1);
    Build.Label("lblDVRBeginAddr", "测量值寄存器首地址", LabelLeft, 166);
    neDVRBeginAddr = Build.Add<TVcNumericEdit>("neDVRBeginAddr", EditLeft, 166 - EditRaise, EditWidth, EditHeight);
    neDVRBeginAddr->SetIntegersOnly(true);
    // A request carries the address in two bytes.
    neDVRBeginAddr->SetMin(0);
    neDVRBeginAddr->SetMax(65535);
    neDVRBeginAddr->SetCheckRange(true);
    neDVRBeginAddr->SetValue(0);
    Build.Label("lblValueRule", "测量值寄存器规则", LabelLeft, 196);
    cbxValueRule = Build.Add<TVcComboBox>("cbxValueRule", EditLeft, 196 - EditRaise, EditWidth, EditHeight);

    EditDeviceButtons = Build.DialogButtons("EditDeviceButtons", "确定(&O)", "取消(&C)");
    EditDeviceButtons->OnClickOk = [this](TObject* S) { EditDeviceButtonsClickOk(S); };
    EditDeviceButtons->OnClickCancel = [this](TObject* S) { EditDeviceButtonsClickCancel(S); };

    OnShow = [this](TObject* S) { FormShow(S); };
}

TfrmNewDevice::~TfrmNewDevice()
{
    if (frmNewDevice == this)
        frmNewDevice = nullptr;
}

void TfrmNewDevice::FormShow(TObject*)
{
    cbxValueRule->Items->Clear();
    for (const std::string& Name : ValueRuleNames)
        cbxValueRule->Items->Add(Name);
    cbxValueRule->SetItemIndex(1);
}

void TfrmNewDevice::EditDeviceButtonsClickOk(TObject*)
{
    const int Id = speStationId->GetValue();
    const int InUse = FDevices ? FDevices->FindDeviceByStationId(Id) : -1;
    if (InUse != -1) {
        Application->MessageBox(StationIdInUseText(Id, InUse), "错误", MB_OK | MB_ICONERROR);
        if (speStationId->CanFocus())
            speStationId->SetFocus();
        return;
    }
    SetModalResult(mrOk);
}

void TfrmNewDevice::EditDeviceButtonsClickCancel(TObject*)
{
    SetModalResult(mrCancel);
}
