#include "app/DeviceListUnit.h"

#include "app/AppImages.h"
#include "app/ClassTypes.h"
#include "app/DeviceRegistry.h"
#include "app/DeviceStore.h"
#include "app/DeviceUnit.h"
#include "app/General.h"
#include "app/NewDeviceUnit.h"
#include "controls/VcFormBuilder.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"

#include <cmath>

TfrmDeviceList* frmDeviceList = nullptr;

namespace {

constexpr int ImageStart = 0;
constexpr int ImageStop = 1;
constexpr int ImageBoth = 2;

// Height of the edits, lists and check boxes of the pages.
constexpr int FieldHeight = 22;

const char* const DiscardEditsText = "要放弃所做的修改吗？";

// Posted to the dialog after a declined move: the event that made it is over.
constexpr UINT WM_MOVE_DECLINED = WM_USER + 102;

// Tree images by trigger role: start, stop, both (half of each).
void LoadTriggerImages(TImageList* Images)
{
    TBitmap* Start = TAppImages::ChannelStateBitmap("imgStartTriggerActive");
    TBitmap* Stop = TAppImages::ChannelStateBitmap("imgStopTriggerActive");
    TBitmap Both;
    Both.SetSize(16, 16);
    Both.Canvas->StretchDraw(Rect(0, 0, 8, 16), Start);
    Both.Canvas->StretchDraw(Rect(8, 0, 16, 16), Stop);
    Images->Add(Start, nullptr);
    Images->Add(Stop, nullptr);
    Images->Add(&Both, nullptr);
}

int TriggerImage(bool Start, bool Stop)
{
    if (Start && Stop)
        return ImageBoth;
    if (Start)
        return ImageStart;
    return Stop ? ImageStop : -1;
}

// A level the user left as shown keeps its exact stored value: the field
// shows it rounded to the decimal places, and writing that text back would
// change the setting nobody touched.
bool EditedLevel(const TVcNumericEdit* Edit, double Stored, double& Value)
{
    const std::string Text = Trim(Edit->GetText());
    if (!TryStrToFloat(Text, Value) || !std::isfinite(Value))
        return false;
    return Text != FormatFloat(Edit->GetDisplayFormat(), Stored);
}

bool IntegerText(const std::string& Text, int& Value)
{
    return TryStrToInt(Trim(Text), Value);
}

}  // namespace

TfrmDeviceList::TfrmDeviceList(TComponent* AOwner) : TForm(AOwner)
{
    SetName("frmDeviceList");
    SetText("设备通道列表");
    SetBorderStyle(bsToolWindow);
    SetPosition(poMainFormCenter);
    SetClientWidth(640);
    SetClientHeight(440);

    const TVcFormBuilder Build(this, this);
    toolDevice = Build.Add<TVcToolbar>("toolDevice");
    toolDevice->SetAlign(alTop);
    toolDevice->SetShowCaptions(true);
    toolDevice->SetButtonWidth(72);
    toolDevice->SetHeight(26);
    btnNewDevice = Build.On(toolDevice).ToolButton("btnNewDevice", "增加设备");
    btnNewDevice->OnClick = [this](TObject* S) { btnNewDeviceClick(S); };
    btnDeleteDevice = Build.On(toolDevice).ToolButton("btnDeleteDevice", "删除设备");
    btnDeleteDevice->SetEnabled(false);
    btnDeleteDevice->OnClick = [this](TObject* S) { btnDeleteDeviceClick(S); };

    imlTrigger = new TImageList(this);
    imlTrigger->SetName("imlTrigger");
    LoadTriggerImages(imlTrigger);

    tvDeviceList = Build.Add<TVcTreeView>("tvDeviceList");
    tvDeviceList->SetAlign(alLeft);
    tvDeviceList->SetWidth(250);
    tvDeviceList->SetReadOnly(true);
    tvDeviceList->SetHideSelection(false);
    tvDeviceList->SetImages(imlTrigger);
    tvDeviceList->OnChange = [this](TObject* S, TTreeNode*) { tvDeviceListClick(S); };

    pgcEdit = Build.Add<TVcPageControl>("pgcEdit");
    pgcEdit->SetAlign(alClient);
    tsEditDevice = Build.On(pgcEdit).Page("tsEditDevice", "编辑设备");
    tsEditDevice->SetTabVisible(false);
    tsEditChannel = Build.On(pgcEdit).Page("tsEditChannel", "编辑通道");
    tsEditChannel->SetTabVisible(false);
    pgcEdit->SetActivePage(nullptr);

    BuildDevicePage();
    BuildChannelPage();

    OnShow = [this](TObject* S) { FormShow(S); };
    OnCloseQuery = [this](TObject* S, bool& CanClose) { FormCloseQuery(S, CanClose); };
}

TfrmDeviceList::~TfrmDeviceList()
{
    if (frmDeviceList == this)
        frmDeviceList = nullptr;
}

TVcNumericEdit* TfrmDeviceList::AddLevel(const TVcFormBuilder& Build, const char* Name, int Left, int Top)
{
    auto* E = Build.Add<TVcNumericEdit>(Name, Left, Top, 90, FieldHeight);
    E->OnChange = [this](TObject* S) { EditChannelChange(S); };
    return E;
}

TVcCheckBox* TfrmDeviceList::AddCheck(const TVcFormBuilder& Build, const char* Name, const std::string& Caption,
                                      int Left, int Top)
{
    auto* C = Build.Add<TVcCheckBox>(Name, Left, Top, 170, FieldHeight);
    C->SetText(Caption);
    C->OnClick = [this](TObject* S) { EditChannelChange(S); };
    return C;
}

void TfrmDeviceList::BuildDevicePage()
{
    const TVcFormBuilder Build(this, tsEditDevice);
    constexpr int L = 16, E = 150, W = 200;
    Build.Label("lblDeviceSectionTitle", "设备序号", L, 20);
    lblDeviceSection = Build.Label("lblDeviceSection", "", E, 20);
    Build.Label("lblDeviceName", "设备名称", L, 52);
    leDeviceName = Build.Add<TVcEdit>("leDeviceName", E, 48, W, FieldHeight);
    Build.Label("lblDeviceModel", "设备型号", L, 84);
    leDeviceModel = Build.Add<TVcEdit>("leDeviceModel", E, 80, W, FieldHeight);
    Build.Label("lblStationId", "Modbus站号", L, 116);
    speStationId = Build.Add<TVcSpinEdit>("speStationId", E, 112, 80, FieldHeight);
    speStationId->SetMinValue(1);
    speStationId->SetMaxValue(254);
    Build.Label("lblChannelCountTitle", "通道数量", L, 148);
    lblChannelCount = Build.Label("lblChannelCount", "", E, 148);
    Build.Label("lblDVRBeginAddrTitle", "测量值寄存器首地址", L, 180);
    lblDVRBeginAddr = Build.Label("lblDVRBeginAddr", "", E, 180);
    Build.Label("lblValueRuleTitle", "测量值寄存器规则", L, 212);
    lblValueRule = Build.Label("lblValueRule", "", E, 212);

    EditDeviceButtons = Build.DialogButtons("EditDeviceButtons", "应用修改(&A)", "取消修改(&C)");
    EditDeviceButtons->OnClickOk = [this](TObject* S) { EditDeviceButtonsClickOk(S); };
    EditDeviceButtons->OnClickCancel = [this](TObject* S) { EditDeviceButtonsClickCancel(S); };

    leDeviceName->OnChange = [this](TObject* S) { EditDeviceChange(S); };
    leDeviceModel->OnChange = [this](TObject* S) { EditDeviceChange(S); };
    speStationId->OnChange = [this](TObject* S) { EditDeviceChange(S); };
}

void TfrmDeviceList::BuildChannelPage()
{
    const TVcFormBuilder Build(this, tsEditChannel);
    constexpr int L1 = 12, E1 = 100, L2 = 200, E2 = 290;
    lblChannelIndex = Build.Label("lblChannelIndex", "", L1, 10);
    // The name has the row to itself: names are longer than the other fields.
    Build.Label("lblValueName", "通道名称", L1, 40);
    leValueName = Build.Add<TVcEdit>("leValueName", E1, 36, E2 + 90 - E1, FieldHeight);
    Build.Label("lblWorkDP", "小数点", L1, 70);
    speWorkDP = Build.Add<TVcSpinEdit>("speWorkDP", E1, 66, 90, FieldHeight);
    Build.Label("lblWorkUnit", "测量单位", L2, 70);
    leWorkUnit = Build.Add<TVcEdit>("leWorkUnit", E2, 66, 90, FieldHeight);
    speWorkDP->SetMinValue(0);
    speWorkDP->SetMaxValue(6);
    Build.Label("lblRangeLow", "测量量程下限", L1, 100);
    neRangeLow = AddLevel(Build, "neRangeLow", E1, 96);
    Build.Label("lblRangeHigh", "测量量程上限", L2, 100);
    neRangeHigh = AddLevel(Build, "neRangeHigh", E2, 96);
    Build.Label("lblAlarmLowLevel", "下限报警值", L1, 130);
    neAlarmLowLevel = AddLevel(Build, "neAlarmLowLevel", E1, 126);
    ckxAlarmLowEnabled = AddCheck(Build, "ckxAlarmLowEnabled", "使能", L2, 126);
    Build.Label("lblAlarmHighLevel", "上限报警值", L1, 160);
    neAlarmHighLevel = AddLevel(Build, "neAlarmHighLevel", E1, 156);
    ckxAlarmHighEnabled = AddCheck(Build, "ckxAlarmHighEnabled", "使能", L2, 156);
    ckxIsStartTriggerChannel = AddCheck(Build, "ckxIsStartTriggerChannel", "开始记录触发", L1, 190);
    Build.Label("lblStartTriggerLevel", "阈值", L1 + 16, 220);
    neStartTriggerLevel = AddLevel(Build, "neStartTriggerLevel", E1, 216);
    Build.Label("lblStartTriggeredCount", "触发次数", L2, 220);
    speStartTriggeredCount = Build.Add<TVcSpinEdit>("speStartTriggeredCount", E2, 216, 90, FieldHeight);
    speStartTriggeredCount->SetMinValue(1);
    speStartTriggeredCount->SetMaxValue(1000000);
    ckxIsStopTriggerChannel = AddCheck(Build, "ckxIsStopTriggerChannel", "停止记录触发", L1, 250);
    Build.Label("lblStopTriggerLevel", "阈值", L1 + 16, 280);
    neStopTriggerLevel = AddLevel(Build, "neStopTriggerLevel", E1, 276);
    Build.Label("lblStopTriggeredCount", "触发次数", L2, 280);
    speStopTriggeredCount = Build.Add<TVcSpinEdit>("speStopTriggeredCount", E2, 276, 90, FieldHeight);
    speStopTriggeredCount->SetMinValue(1);
    speStopTriggeredCount->SetMaxValue(1000000);
    ckxAbsoluteCompare = AddCheck(Build, "ckxAbsoluteCompare", "触发或报警按绝对值比较", L1, 306);
    Build.Label("lblZeroLimitation", "置零限制范围", L1, 340);
    neZeroLimitation = AddLevel(Build, "neZeroLimitation", E1, 336);
    ckbNegativeCorrection = AddCheck(Build, "ckbNegativeCorrection", "负值修正", L2, 336);

    EditChannelButtons = Build.DialogButtons("EditChannelButtons", "应用修改(&A)", "取消修改(&C)");
    EditChannelButtons->OnClickOk = [this](TObject* S) { EditChannelButtonsClickOk(S); };
    EditChannelButtons->OnClickCancel = [this](TObject* S) { EditChannelButtonsClickCancel(S); };

    leValueName->OnChange = [this](TObject* S) { EditChannelChange(S); };
    leWorkUnit->OnChange = [this](TObject* S) { EditChannelChange(S); };
    speWorkDP->OnChange = [this](TObject* S) { speWorkDPChange(S); };
    speStartTriggeredCount->OnChange = [this](TObject* S) { EditChannelChange(S); };
    speStopTriggeredCount->OnChange = [this](TObject* S) { EditChannelChange(S); };
}

std::string TfrmDeviceList::DecimalMask(int Decimals)
{
    if (Decimals <= 0)
        return "0";
    return "0." + std::string(static_cast<size_t>(Decimals), '0');
}

bool TfrmDeviceList::Running() const
{
    return RunActive && RunActive();
}

void TfrmDeviceList::SetButtons(TVcDialogButtons* Buttons, bool Enabled)
{
    Buttons->OkButton()->SetEnabled(Enabled);
    Buttons->CancelButton()->SetEnabled(Enabled);
}

bool TfrmDeviceList::PendingEdits() const
{
    return EditDeviceButtons->OkButton()->GetEnabled() || EditChannelButtons->OkButton()->GetEnabled();
}

void TfrmDeviceList::ResetPages()
{
    ++FLoading;
    tvDeviceList->SetSelected(nullptr);
    --FLoading;
    FSelectedNode = nullptr;
    pgcEdit->SetActivePage(nullptr);
    SetButtons(EditDeviceButtons, false);
    SetButtons(EditChannelButtons, false);
    btnDeleteDevice->SetEnabled(false);
}

TfraDevice* TfrmDeviceList::SelectedDevice() const
{
    if (!FSelectedNode || FSelectedNode->GetParent())
        return nullptr;
    return static_cast<TfraDevice*>(FSelectedNode->Data);
}

TfraChannel* TfrmDeviceList::SelectedChannel() const
{
    if (!FSelectedNode || !FSelectedNode->GetParent())
        return nullptr;
    return static_cast<TfraChannel*>(FSelectedNode->Data);
}

std::string TfrmDeviceList::DeviceNodeText(const TfraDevice* Device) const
{
    return DeviceLabel(Device->Section()) + ": " + Device->DeviceName() + " " + Device->DeviceModel();
}

std::string TfrmDeviceList::ChannelNodeText(const TfraChannel* Channel)
{
    return "CH" + IntToStr(Channel->Index() + 1) + ": " + Channel->ValueName();
}

void TfrmDeviceList::FormShow(TObject*)
{
    BuildDeviceTree();
    ResetPages();
    btnNewDevice->SetEnabled(true);
    const bool Run = Running();
    toolDevice->SetVisible(!Run);
    speStationId->SetEnabled(!Run);
}

void TfrmDeviceList::BuildDeviceTree()
{
    ++FLoading;
    FSelectedNode = nullptr;
    FRefusedNode = nullptr;
    tvDeviceList->Items->BeginUpdate();
    tvDeviceList->Items->Clear();
    if (FDevices) {
        for (TfraDevice* Device : FDevices->Frames()) {
            TTreeNode* Node = tvDeviceList->Items->AddObject(nullptr, DeviceNodeText(Device), Device);
            for (int i = 0; i < Device->ChannelCount(); ++i) {
                TfraChannel* Channel = Device->Channel(i);
                tvDeviceList->Items->AddChildObject(Node, ChannelNodeText(Channel), Channel);
            }
            UpdateTriggerIcons(Node);
            Node->Expand(false);
        }
    }
    tvDeviceList->Items->EndUpdate();
    tvDeviceList->SetSelected(nullptr);
    --FLoading;
}

void TfrmDeviceList::UpdateTriggerIcons(TTreeNode* DeviceNode)
{
    bool AnyStart = false;
    bool AnyStop = false;
    for (int i = 0; i < DeviceNode->Count(); ++i) {
        TTreeNode* Node = DeviceNode->Item(i);
        const auto* Channel = static_cast<const TfraChannel*>(Node->Data);
        const bool Start = Channel->IsStartTriggerChannel();
        const bool Stop = Channel->IsStopTriggerChannel();
        AnyStart = AnyStart || Start;
        AnyStop = AnyStop || Stop;
        Node->SetImageIndex(TriggerImage(Start, Stop));
        Node->SetSelectedIndex(Node->GetImageIndex());
    }
    DeviceNode->SetImageIndex(TriggerImage(AnyStart, AnyStop));
    DeviceNode->SetSelectedIndex(DeviceNode->GetImageIndex());
}

void TfrmDeviceList::tvDeviceListClick(TObject*)
{
    if (FLoading)
        return;
    TTreeNode* Node = tvDeviceList->GetSelected();
    if (Node == FSelectedNode)
        return;
    if (PendingEdits()) {
        const bool Declined = (FRefusedNode && Node == FRefusedNode) ||
                              Application->MessageBox(DiscardEditsText, "警告", MB_YESNO | MB_ICONEXCLAMATION) != IDYES;
        if (Declined) {
            if (!FRefusedNode)
                PostMessage(this, WM_MOVE_DECLINED, 0, 0);
            FRefusedNode = Node;
            ++FLoading;
            tvDeviceList->SetSelected(FSelectedNode);
            --FLoading;
            return;
        }
        if (EditDeviceButtons->OkButton()->GetEnabled())
            LoadDeviceFields();
        else
            LoadChannelFields();
    }
    FSelectedNode = Node;
    if (!Node) {
        pgcEdit->SetActivePage(nullptr);
        btnDeleteDevice->SetEnabled(false);
    } else if (Node->GetParent()) {
        btnDeleteDevice->SetEnabled(false);
        LoadChannelFields();
        pgcEdit->SetActivePage(tsEditChannel);
    } else {
        btnDeleteDevice->SetEnabled(true);
        LoadDeviceFields();
        pgcEdit->SetActivePage(tsEditDevice);
    }
}

void TfrmDeviceList::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOVE_DECLINED)
        FRefusedNode = nullptr;
    else
        TForm::WndProc(Message);
}

void TfrmDeviceList::LoadDeviceFields()
{
    const TfraDevice* Device = SelectedDevice();
    if (!Device)
        return;
    ++FLoading;
    lblDeviceSection->SetText(DeviceLabel(Device->Section()));
    lblChannelCount->SetText(IntToStr(Device->ChannelCount()));
    leDeviceName->SetText(Device->DeviceName());
    leDeviceModel->SetText(Device->DeviceModel());
    speStationId->SetValue(Device->StationId());
    lblDVRBeginAddr->SetText(Format("%.4d", Device->DVRBeginAddr()));
    const int Rule = Device->ValueRule();
    lblValueRule->SetText(Rule >= 0 && Rule < static_cast<int>(ValueRuleNames.size()) ? ValueRuleNames[Rule] : "");
    --FLoading;
    SetButtons(EditDeviceButtons, false);
}

void TfrmDeviceList::LoadChannelFields()
{
    const TfraChannel* Channel = SelectedChannel();
    if (!Channel)
        return;
    const auto* Device = static_cast<const TfraDevice*>(FSelectedNode->GetParent()->Data);
    ++FLoading;
    lblChannelIndex->SetText(DeviceLabel(Device->Section()) + ":CH" + IntToStr(Channel->Index() + 1));
    leValueName->SetText(Channel->ValueName());
    leWorkUnit->SetText(Channel->WorkUnit());
    speWorkDP->SetValue(Channel->WorkDP());
    SetLevelFormats(Channel->WorkDP());
    neRangeLow->SetValue(Channel->RangeLow());
    neRangeHigh->SetValue(Channel->RangeHigh());
    neAlarmLowLevel->SetValue(Channel->AlarmLowLevel());
    neAlarmHighLevel->SetValue(Channel->AlarmHighLevel());
    ckxAlarmLowEnabled->SetChecked(Channel->AlarmLowEnabled());
    ckxAlarmHighEnabled->SetChecked(Channel->AlarmHighEnabled());
    ckxIsStartTriggerChannel->SetChecked(Channel->IsStartTriggerChannel());
    neStartTriggerLevel->SetValue(Channel->StartTriggerLevel());
    speStartTriggeredCount->SetValue(Channel->StartTriggeredCount());
    ckxIsStopTriggerChannel->SetChecked(Channel->IsStopTriggerChannel());
    neStopTriggerLevel->SetValue(Channel->StopTriggerLevel());
    speStopTriggeredCount->SetValue(Channel->StopTriggeredCount());
    ckxAbsoluteCompare->SetChecked(Channel->AbsoluteCompare());
    neZeroLimitation->SetValue(Channel->ZeroLimitation());
    ckbNegativeCorrection->SetChecked(Channel->NegativeCorrection());
    --FLoading;
    SetButtons(EditChannelButtons, false);
}

void TfrmDeviceList::SetLevelFormats(int Decimals)
{
    const std::string Mask = DecimalMask(Decimals);
    for (TVcNumericEdit* Edit : {neStartTriggerLevel, neStopTriggerLevel, neRangeLow, neRangeHigh, neAlarmLowLevel,
                                 neAlarmHighLevel, neZeroLimitation})
        Edit->SetDisplayFormat(Mask);
}

void TfrmDeviceList::SaveChannelFields()
{
    TfraChannel* Channel = SelectedChannel();
    if (!Channel)
        return;
    double V = 0;
    int N = 0;
    Channel->SetValueName(leValueName->GetText());
    Channel->SetWorkUnit(leWorkUnit->GetText());
    if (IntegerText(speWorkDP->GetText(), N))
        Channel->SetWorkDP(N);
    if (EditedLevel(neRangeLow, Channel->RangeLow(), V))
        Channel->SetRangeLow(V);
    if (EditedLevel(neRangeHigh, Channel->RangeHigh(), V))
        Channel->SetRangeHigh(V);
    Channel->SetNegativeCorrection(ckbNegativeCorrection->GetChecked());
    Channel->SetAlarmLowEnabled(ckxAlarmLowEnabled->GetChecked());
    Channel->SetAlarmHighEnabled(ckxAlarmHighEnabled->GetChecked());
    if (EditedLevel(neAlarmLowLevel, Channel->AlarmLowLevel(), V))
        Channel->SetAlarmLowLevel(V);
    if (EditedLevel(neAlarmHighLevel, Channel->AlarmHighLevel(), V))
        Channel->SetAlarmHighLevel(V);
    Channel->SetIsStartTriggerChannel(ckxIsStartTriggerChannel->GetChecked());
    Channel->SetIsStopTriggerChannel(ckxIsStopTriggerChannel->GetChecked());
    if (EditedLevel(neStartTriggerLevel, Channel->StartTriggerLevel(), V))
        Channel->SetStartTriggerLevel(V);
    if (EditedLevel(neStopTriggerLevel, Channel->StopTriggerLevel(), V))
        Channel->SetStopTriggerLevel(V);
    if (IntegerText(speStartTriggeredCount->GetText(), N) && N >= 1)
        Channel->SetStartTriggeredCount(N);
    if (IntegerText(speStopTriggeredCount->GetText(), N) && N >= 1)
        Channel->SetStopTriggeredCount(N);
    Channel->SetAbsoluteCompare(ckxAbsoluteCompare->GetChecked());
    if (EditedLevel(neZeroLimitation, Channel->ZeroLimitation(), V))
        Channel->SetZeroLimitation(V);

    UpdateTriggerIcons(FSelectedNode->GetParent());
    FSelectedNode->SetText(ChannelNodeText(Channel));
    SetButtons(EditChannelButtons, false);
}

void TfrmDeviceList::SaveDeviceFields()
{
    TfraDevice* Device = SelectedDevice();
    if (!Device)
        return;
    int Id = 0;
    if (IntegerText(speStationId->GetText(), Id) && Id >= 1 && Id <= 254)
        Device->SetStationId(Id);
    Device->SetDeviceName(leDeviceName->GetText());
    Device->SetDeviceModel(leDeviceModel->GetText());
    FSelectedNode->SetText(DeviceNodeText(Device));
    SetButtons(EditDeviceButtons, false);
}

void TfrmDeviceList::EditDeviceButtonsClickOk(TObject*)
{
    TfraDevice* Device = SelectedDevice();
    if (!Device)
        return;
    int Id = 0;
    if (IntegerText(speStationId->GetText(), Id)) {
        const int InUse = FDevices ? FDevices->FindDeviceByStationId(Id, Device) : -1;
        if (InUse != -1) {
            Application->MessageBox(StationIdInUseText(Id, InUse), "错误", MB_OK | MB_ICONERROR);
            if (speStationId->CanFocus())
                speStationId->SetFocus();
            return;
        }
    }
    SaveDeviceFields();
}

void TfrmDeviceList::EditDeviceButtonsClickCancel(TObject*)
{
    LoadDeviceFields();
}

void TfrmDeviceList::EditChannelButtonsClickOk(TObject*)
{
    SaveChannelFields();
}

void TfrmDeviceList::EditChannelButtonsClickCancel(TObject*)
{
    LoadChannelFields();
}

void TfrmDeviceList::EditDeviceChange(TObject*)
{
    if (!FLoading)
        SetButtons(EditDeviceButtons, true);
}

void TfrmDeviceList::EditChannelChange(TObject*)
{
    if (!FLoading)
        SetButtons(EditChannelButtons, true);
}

void TfrmDeviceList::speWorkDPChange(TObject* Sender)
{
    if (FLoading)
        return;
    EditChannelChange(Sender);
    int Decimals = 0;
    if (IntegerText(speWorkDP->GetText(), Decimals) && Decimals >= 0 && Decimals <= 6) {
        ++FLoading;
        SetLevelFormats(Decimals);
        --FLoading;
    }
}

void TfrmDeviceList::btnNewDeviceClick(TObject*)
{
    // Reloading frees every frame, which a running thread still polls.
    if (Running() || !frmNewDevice || !FDevices)
        return;
    const int N = FDevices->NextDeviceNumber();
    frmNewDevice->lblDeviceSection->SetText("设备" + IntToStr(N));
    if (frmNewDevice->ShowModal() == mrCancel)
        return;
    const std::string Section = "Device" + IntToStr(N);
    TDeviceInfo Info;
    Info.Section = Section;
    Info.DeviceName = frmNewDevice->leDeviceName->GetText();
    Info.DeviceModel = frmNewDevice->leDeviceModel->GetText();
    Info.ChannelCount = frmNewDevice->speChannelCount->GetValue();
    Info.ValueRule = static_cast<TValueRule>(frmNewDevice->cbxValueRule->GetItemIndex());
    Info.DVRBeginAddr = frmNewDevice->neDVRBeginAddr->AsInteger();
    FDevices->Store().WriteNewDevice(Info, frmNewDevice->speStationId->GetValue());
    if (OnDeviceAdded)
        OnDeviceAdded();
    BuildDeviceTree();
    ResetPages();
}

void TfrmDeviceList::btnDeleteDeviceClick(TObject*)
{
    TfraDevice* Device = SelectedDevice();
    if (!Device || !FDevices || Running())
        return;
    const std::string Text = "要删除[" + FSelectedNode->GetText() + "]吗？";
    if (Application->MessageBox(Text, "警告", MB_YESNO | MB_ICONSTOP) != IDYES)
        return;
    FSelectedNode = nullptr;
    FDevices->DeleteDevice(Device, Running());
    BuildDeviceTree();
    if (OnDeviceDeleted)
        OnDeviceDeleted();
    ResetPages();
}

void TfrmDeviceList::FormCloseQuery(TObject*, bool& CanClose)
{
    if (PendingEdits())
        CanClose = Application->MessageBox(DiscardEditsText, "警告", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}
