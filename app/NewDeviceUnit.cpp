#include "app/NewDeviceUnit.h"

#include "app/ClassTypes.h"
#include "app/DeviceUnit.h"
#include "rtl/NumberFormat.h"
#include "ui/Application.h"

TfrmNewDevice* frmNewDevice = nullptr;

namespace {
constexpr int LabelLeft = 150;
constexpr int EditLeft = 270;
constexpr int EditWidth = 220;
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

    pnlKRN = new TVcPanel(this);
    pnlKRN->SetName("pnlKRN");
    pnlKRN->SetParent(this);
    pnlKRN->SetBounds(8, 8, 130, 240);
    imgKRN = new TVcPanel(this);
    imgKRN->SetName("imgKRN");
    imgKRN->SetParent(pnlKRN);
    imgKRN->SetBounds(10, 60, 110, 110);
    imgKRN->SetColor(0x404040);
    imgKRN->SetGradientEndColor(0x101010);
    imgKRN->Font->SetColor(0x00FF00);
    imgKRN->Font->SetSize(16);
    imgKRN->SetText("KRN");

    AddLabel("lblDeviceSectionTitle", "设备序号", 16);
    lblDeviceSection = new TVcLabel(this);
    lblDeviceSection->SetName("lblDeviceSection");
    lblDeviceSection->SetParent(this);
    lblDeviceSection->SetBounds(EditLeft, 16, EditWidth, 18);

    auto AddEdit = [this](auto* Edit, const char* Name, int Top) {
        Edit->SetName(Name);
        Edit->SetParent(this);
        Edit->SetBounds(EditLeft, Top - 4, EditWidth, 22);
        return Edit;
    };
    AddLabel("lblDeviceName", "设备名称", 46);
    leDeviceName = AddEdit(new TVcEdit(this), "leDeviceName", 46);
    AddLabel("lblDeviceModel", "设备型号", 76);
    leDeviceModel = AddEdit(new TVcEdit(this), "leDeviceModel", 76);
    AddLabel("lblStationId", "Modbus站号", 106);
    speStationId = AddEdit(new TVcSpinEdit(this), "speStationId", 106);
    speStationId->SetMinValue(1);
    speStationId->SetMaxValue(254);
    speStationId->SetValue(1);
    AddLabel("lblChannelCount", "通道数量", 136);
    speChannelCount = AddEdit(new TVcSpinEdit(this), "speChannelCount", 136);
    speChannelCount->SetMinValue(1);
    speChannelCount->SetMaxValue(12);
    speChannelCount->SetValue(1);
    AddLabel("lblDVRBeginAddr", "测量值寄存器首地址", 166);
    neDVRBeginAddr = AddEdit(new TVcNumericEdit(this), "neDVRBeginAddr", 166);
    neDVRBeginAddr->SetIntegersOnly(true);
    // A request carries the address in two bytes.
    neDVRBeginAddr->SetMin(0);
    neDVRBeginAddr->SetMax(65535);
    neDVRBeginAddr->SetCheckRange(true);
    neDVRBeginAddr->SetValue(0);
    AddLabel("lblValueRule", "测量值寄存器规则", 196);
    cbxValueRule = AddEdit(new TVcComboBox(this), "cbxValueRule", 196);

    EditDeviceButtons = new TVcDialogButtons(this);
    EditDeviceButtons->SetName("EditDeviceButtons");
    EditDeviceButtons->SetParent(this);
    EditDeviceButtons->SetCaptionOk("确定(&O)");
    EditDeviceButtons->SetCaptionCancel("取消(&C)");
    EditDeviceButtons->OnClickOk = [this](TObject* S) { EditDeviceButtonsClickOk(S); };
    EditDeviceButtons->OnClickCancel = [this](TObject* S) { EditDeviceButtonsClickCancel(S); };

    OnShow = [this](TObject* S) { FormShow(S); };
}

TfrmNewDevice::~TfrmNewDevice()
{
    if (frmNewDevice == this)
        frmNewDevice = nullptr;
}

TVcLabel* TfrmNewDevice::AddLabel(const char* Name, const std::string& Caption, int Top)
{
    auto* L = new TVcLabel(this);
    L->SetName(Name);
    L->SetParent(this);
    L->SetLeft(LabelLeft);
    L->SetTop(Top);
    L->SetText(Caption);
    return L;
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
    const int InUse = FindDeviceByStationId(Id);
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
