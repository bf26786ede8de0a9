#include "app/SetupUnit.h"

#include "app/ClassTypes.h"
#include "app/SysOption.h"
#include "rtl/NumberFormat.h"
#include "rtl/StringList.h"
#include "serial/EnumComPorts.h"
#include "ui/Application.h"

#include <cmath>

TfrmSetup* frmSetup = nullptr;

namespace {
constexpr int EditLeft = 130;
// The log page's right-hand column.
constexpr int RightColumn = 236;
// Below the radio groups on the log page.
constexpr int LogGroupsTop = 228;
}

TfrmSetup::TfrmSetup(TComponent* AOwner) : TForm(AOwner)
{
    SetName("frmSetup");
    SetText("设置");
    SetPosition(poMainFormCenter);
    SetBorderStyle(bsDialog);
    SetClientWidth(460);
    SetClientHeight(350);

    DialogButtons = new TVcDialogButtons(this);
    DialogButtons->SetName("DialogButtons");
    DialogButtons->SetParent(this);
    DialogButtons->SetCaptionOk("确定(&O)");
    DialogButtons->SetCaptionCancel("取消(&C)");
    DialogButtons->OnClickOk = [this](TObject* S) { DialogButtonsClickOk(S); };
    DialogButtons->OnClickCancel = [this](TObject* S) { DialogButtonsClickCancel(S); };

    pgcSetup = new TVcPageControl(this);
    pgcSetup->SetName("pgcSetup");
    pgcSetup->SetParent(this);
    pgcSetup->SetAlign(alClient);
    auto AddPage = [this](const char* Name, const char* Caption) {
        auto* Page = new TVcTabSheet(this);
        Page->SetName(Name);
        Page->SetPageControl(pgcSetup);
        Page->SetText(Caption);
        return Page;
    };
    tsComm = AddPage("tsComm", "通讯参数");
    tsDisplay = AddPage("tsDisplay", "显示参数");
    tsLog = AddPage("tsLog", "记录参数");

    // Communication.
    AddLabel(tsComm, "lblPort", "串行口:", 20, 24);
    cbxPort = AddCombo(tsComm, "cbxPort", EditLeft, 20, 150);
    AddLabel(tsComm, "lblBaud", "波特率:", 20, 58);
    cbxBaud = AddCombo(tsComm, "cbxBaud", EditLeft, 54, 150);
    for (const char* Rate : {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"})
        cbxBaud->Items->Add(Rate);
    AddLabel(tsComm, "lblParity", "校验位:", 20, 92);
    cbxParity = AddCombo(tsComm, "cbxParity", EditLeft, 88, 150);
    for (const char* Parity : {"无校验", "奇校验", "偶校验"})
        cbxParity->Items->Add(Parity);
    AddLabel(tsComm, "lblPollDelay", "通讯延时(ms):", 20, 126);
    spePollDelay = new TVcSpinEdit(this);
    spePollDelay->SetName("spePollDelay");
    spePollDelay->SetParent(tsComm);
    spePollDelay->SetBounds(EditLeft, 122, 150, 22);
    spePollDelay->SetMinValue(0);
    spePollDelay->SetMaxValue(100);
    AddLabel(tsComm, "lblPollTimeout", "通讯超时(ms):", 20, 160);
    spePollTimeout = new TVcSpinEdit(this);
    spePollTimeout->SetName("spePollTimeout");
    spePollTimeout->SetParent(tsComm);
    spePollTimeout->SetBounds(EditLeft, 156, 150, 22);
    spePollTimeout->SetMinValue(100);
    spePollTimeout->SetMaxValue(2000);

    // Display.
    AddLabel(tsDisplay, "lblXAxisFormat", "记录曲线X轴格式", 20, 24);
    cbxXAxisFormat = AddCombo(tsDisplay, "cbxXAxisFormat", EditLeft, 20, 120);
    for (const char* Format : {"采样时刻", "相对时间", "采样序号"})
        cbxXAxisFormat->Items->Add(Format);
    cbxXAxisFormat->OnChange = [this](TObject* S) { cbxXAxisFormatChange(S); };
    AddLabel(tsDisplay, "lblXSpan", "记录曲线X轴跨度", 20, 58);
    neXSpan = new TVcNumericEdit(this);
    neXSpan->SetName("neXSpan");
    neXSpan->SetParent(tsDisplay);
    neXSpan->SetBounds(EditLeft, 54, 120, 22);
    cbxTimeBaseX = AddCombo(tsDisplay, "cbxTimeBaseX", EditLeft + 128, 54, 80);
    lblSampleNumber = AddLabel(tsDisplay, "lblSampleNumber", "个数据点", EditLeft + 128, 58);
    AddLabel(tsDisplay, "lblChannelRingBufferSize", "记录曲线数据缓存", 20, 92);
    neChannelRingBufferSize = new TVcNumericEdit(this);
    neChannelRingBufferSize->SetName("neChannelRingBufferSize");
    neChannelRingBufferSize->SetParent(tsDisplay);
    neChannelRingBufferSize->SetBounds(EditLeft, 88, 120, 22);
    neChannelRingBufferSize->SetIntegersOnly(true);
    neChannelRingBufferSize->SetMin(0);
    neChannelRingBufferSize->SetMax(50000);
    neChannelRingBufferSize->SetCheckRange(true);
    AddLabel(tsDisplay, "lblRingBufferRange", "(0 - 50000个数据点)", EditLeft + 128, 92);
    TVcLabel* Note = AddLabel(tsDisplay, "lblRingBufferNote",
                              "记录曲线数据缓存设为0时，将缓存所有数据点。如果记录时间\n"
                              "较长数据量较大，则曲线的刷新速度会变慢。这时将缓存设成一\n"
                              "个适当的值即可。",
                              20, 130);
    Note->SetWordWrap(false);

    // Logging.
    rgLogFilenameMode = AddRadioGroup(tsLog, "rgLogFilenameMode", "数据记录文件名",
                                      {"手动输入记录文件名", "按开始时间自动生成"}, 8, 6, 62);
    rgStartMode = AddRadioGroup(tsLog, "rgStartMode", "启动记录方式", {"立刻开始", "阈值触发"}, 8, 72, 62);
    rgStartTriggerLogic = AddRadioGroup(tsLog, "rgStartTriggerLogic", "启动记录条件",
                                        {"任意通道被触发", "所有通道被触发"}, RightColumn, 72, 62);
    // Three items need more height than the two-item groups.
    rgStopMode = AddRadioGroup(tsLog, "rgStopMode", "结束记录方式", {"手动结束", "指定持续时间", "阈值触发"}, 8,
                               138, 86);
    rgStopTriggerLogic = AddRadioGroup(tsLog, "rgStopTriggerLogic", "结束记录条件",
                                       {"任意通道被触发", "所有通道被触发"}, RightColumn, 138, 62);
    rgStartMode->OnClick = [this](TObject* S) { ModeClick(S); };
    rgStopMode->OnClick = [this](TObject* S) { ModeClick(S); };
    lblLogDuration = AddLabel(tsLog, "lblLogDuration", "持续时间", RightColumn, 208);
    leLogDuration = new TVcEdit(this);
    leLogDuration->SetName("leLogDuration");
    leLogDuration->SetParent(tsLog);
    leLogDuration->SetBounds(RightColumn, 224, 100, 22);
    lblTimeBaseLog = AddLabel(tsLog, "lblTimeBaseLog", "时间单位", RightColumn + 108, 208);
    cbxTimeBaseLog = AddCombo(tsLog, "cbxTimeBaseLog", RightColumn + 108, 224, 90);

    auto* grpLogInterval = new TVcGroupBox(this);
    grpLogInterval->SetName("grpLogInterval");
    grpLogInterval->SetParent(tsLog);
    grpLogInterval->SetText("记录间隔");
    grpLogInterval->SetBounds(8, LogGroupsTop, 86, 50);
    neLogInterval = new TVcNumericEdit(this);
    neLogInterval->SetName("neLogInterval");
    neLogInterval->SetParent(grpLogInterval);
    neLogInterval->SetBounds(8, 20, 60, 22);
    neLogInterval->SetDisplayFormat("0.0");
    AddLabel(grpLogInterval, "lblLogIntervalUnit", "秒", 70, 24);

    auto* grpMaxRecord = new TVcGroupBox(this);
    grpMaxRecord->SetName("grpMaxRecordPerFile");
    grpMaxRecord->SetParent(tsLog);
    grpMaxRecord->SetText("每个数据文件最大记录");
    // Wide enough for its caption, the longest of the page.
    grpMaxRecord->SetBounds(98, LogGroupsTop, 134, 50);
    speMaxRecordPerFile = new TVcSpinEdit(this);
    speMaxRecordPerFile->SetName("speMaxRecordPerFile");
    speMaxRecordPerFile->SetParent(grpMaxRecord);
    speMaxRecordPerFile->SetBounds(6, 20, 100, 22);
    speMaxRecordPerFile->SetMinValue(10);
    speMaxRecordPerFile->SetMaxValue(1000000);
    speMaxRecordPerFile->SetIncrement(10000);
    AddLabel(grpMaxRecord, "lblMaxRecordUnit", "条", 110, 24);

    btnTriggerChannels = new TVcBitBtn(this);
    btnTriggerChannels->SetName("btnTriggerChannels");
    btnTriggerChannels->SetParent(tsLog);
    btnTriggerChannels->SetText("选择触发通道...");
    btnTriggerChannels->SetBounds(RightColumn, 8, 130, 25);
    btnTriggerChannels->OnClick = [this](TObject* S) { btnTriggerChannelsClick(S); };

    OnCreate = [this](TObject* S) { FormCreate(S); };
    OnShow = [this](TObject* S) { FormShow(S); };
}

TfrmSetup::~TfrmSetup()
{
    FreeOptions();
    if (frmSetup == this)
        frmSetup = nullptr;
}

TVcLabel* TfrmSetup::AddLabel(TWinControl* Parent, const char* Name, const std::string& Caption, int Left, int Top)
{
    auto* L = new TVcLabel(this);
    L->SetName(Name);
    L->SetParent(Parent);
    L->SetLeft(Left);
    L->SetTop(Top);
    L->SetText(Caption);
    return L;
}

TVcComboBox* TfrmSetup::AddCombo(TWinControl* Parent, const char* Name, int Left, int Top, int Width)
{
    auto* C = new TVcComboBox(this);
    C->SetName(Name);
    C->SetParent(Parent);
    C->SetBounds(Left, Top, Width, 22);
    return C;
}

TVcRadioGroup* TfrmSetup::AddRadioGroup(TWinControl* Parent, const char* Name, const std::string& Caption,
                                        std::initializer_list<const char*> Items, int Left, int Top, int Height)
{
    auto* G = new TVcRadioGroup(this);
    G->SetName(Name);
    G->SetParent(Parent);
    G->SetText(Caption);
    G->SetBounds(Left, Top, 200, Height);
    for (const char* Item : Items)
        G->Items->Add(Item);
    return G;
}

void TfrmSetup::FillTimeUnits(TVcComboBox* Combo)
{
    Combo->Items->Clear();
    for (const std::string& Name : TimeUnitNames)
        Combo->Items->Add(Name);
}

void TfrmSetup::FormCreate(TObject*)
{
    CreateOptions(OptionStore());
}

void TfrmSetup::FormShow(TObject*)
{
    const bool Running = RunActive && RunActive();
    tsComm->SetTabVisible(!Running);
    tsLog->SetTabVisible(!Running);
    tsDisplay->SetTabVisible(true);
    pgcSetup->SetActivePage(Running ? tsDisplay : tsLog);
    cbxXAxisFormat->SetEnabled(!Running);

    TStringList Ports;
    EnumComPorts(&Ports);
    cbxPort->Items->Clear();
    for (int i = 0; i < Ports.Count(); ++i)
        cbxPort->Items->Add(Ports[i]);
    FillTimeUnits(cbxTimeBaseX);
    FillTimeUnits(cbxTimeBaseLog);

    // A stored port or rate that the lists do not offer shows no selection.
    cbxPort->SetItemIndex(cbxPort->Items->IndexOf(optCommPort->AsString()));
    cbxBaud->SetItemIndex(cbxBaud->Items->IndexOf(IntToStr(optBaudRate->AsInteger())));
    cbxParity->SetItemIndex(optParity->AsInteger());
    spePollDelay->SetValue(optPollDelay->AsInteger());
    spePollTimeout->SetValue(optPollTimeout->AsInteger());
    FShownPollDelay = spePollDelay->GetValue();
    FShownPollTimeout = spePollTimeout->GetValue();
    cbxXAxisFormat->SetItemIndex(optAxisFormat->AsInteger());
    cbxTimeBaseX->SetItemIndex(optTimeBaseX->AsInteger());
    ApplyXFormat();
    neXSpan->SetValue(optXSpan->AsFloat());
    neChannelRingBufferSize->SetValue(optChannelRingBufferSize->AsInteger());
    FShownRingBufferSize = neChannelRingBufferSize->AsInteger();
    rgLogFilenameMode->SetItemIndex(optLogFilenameMode->AsInteger());
    rgStartMode->SetItemIndex(optStartMode->AsInteger());
    rgStopMode->SetItemIndex(optStopMode->AsInteger());
    rgStartTriggerLogic->SetItemIndex(optStartTriggerLogic->AsInteger());
    rgStopTriggerLogic->SetItemIndex(optStopTriggerLogic->AsInteger());
    leLogDuration->SetText(FloatToStr(optLogDuration->AsFloat()));
    cbxTimeBaseLog->SetItemIndex(optTimeBaseLog->AsInteger());
    neLogInterval->SetValue(optLogInterval->AsFloat());
    speMaxRecordPerFile->SetValue(optMaxRecordPerFile->AsInteger());
    FShownMaxRecordPerFile = speMaxRecordPerFile->GetValue();
    ApplyEnabling();
}

void TfrmSetup::ApplyXFormat()
{
    const bool Samples = cbxXAxisFormat->GetItemIndex() == 2;
    neXSpan->SetIntegersOnly(Samples);
    neXSpan->SetDisplayFormat(Samples ? "0" : "0.0");
    lblSampleNumber->SetVisible(Samples);
    cbxTimeBaseX->SetVisible(!Samples);
}

void TfrmSetup::ApplyEnabling()
{
    const int Start = rgStartMode->GetItemIndex();
    const int Stop = rgStopMode->GetItemIndex();
    rgStartTriggerLogic->SetEnabled(Start == 1);
    rgStopTriggerLogic->SetEnabled(Stop == 2);
    leLogDuration->SetEnabled(Stop == 1);
    lblLogDuration->SetEnabled(Stop == 1);
    cbxTimeBaseLog->SetEnabled(Stop == 1);
    lblTimeBaseLog->SetEnabled(Stop == 1);
    btnTriggerChannels->SetEnabled(Start == 1 || Stop == 2);
}

void TfrmSetup::cbxXAxisFormatChange(TObject*)
{
    ApplyXFormat();
}

void TfrmSetup::ModeClick(TObject*)
{
    ApplyEnabling();
}

void TfrmSetup::btnTriggerChannelsClick(TObject*)
{
    if (OnSelectTriggerChannels)
        OnSelectTriggerChannels();
}

bool TfrmSetup::CheckFloatText(TVcEdit* Control, double& Value)
{
    const std::string Text = Control->GetText();
    if (TryStrToFloat(Text, Value) && std::isfinite(Value))
        return true;
    Application->MessageBox("'" + Text + "'" + " 不是一个合法的浮点数值！", "错误", MB_OK | MB_ICONERROR);
    if (Control->CanFocus())
        Control->SetFocus();
    return false;
}

void TfrmSetup::DialogButtonsClickOk(TObject*)
{
    // Everything is checked before anything is written, so a refused
    // duration leaves the stored options as they were.
    double Duration = 0;
    if (!CheckFloatText(leLogDuration, Duration))
        return;

    // A list without a selection keeps the stored value.
    if (cbxBaud->GetItemIndex() >= 0)
        optBaudRate->SetValue(StrToInt(cbxBaud->GetText()));
    if (cbxPort->GetItemIndex() >= 0)
        optCommPort->SetValue(cbxPort->GetText());
    if (spePollDelay->GetValue() != FShownPollDelay)
        optPollDelay->SetValue(spePollDelay->GetValue());
    if (spePollTimeout->GetValue() != FShownPollTimeout)
        optPollTimeout->SetValue(spePollTimeout->GetValue());
    if (cbxParity->GetItemIndex() >= 0)
        optParity->SetValue(cbxParity->GetItemIndex());
    if (neXSpan->GetValue() > 0)
        optXSpan->SetValue(neXSpan->GetValue());
    if (cbxTimeBaseX->GetItemIndex() >= 0)
        optTimeBaseX->SetValue(cbxTimeBaseX->GetItemIndex());
    if (cbxXAxisFormat->GetItemIndex() >= 0)
        optAxisFormat->SetValue(cbxXAxisFormat->GetItemIndex());
    if (neChannelRingBufferSize->AsInteger() != FShownRingBufferSize)
        optChannelRingBufferSize->SetValue(neChannelRingBufferSize->AsInteger());
    if (rgLogFilenameMode->GetItemIndex() >= 0)
        optLogFilenameMode->SetValue(rgLogFilenameMode->GetItemIndex());
    if (rgStartMode->GetItemIndex() >= 0)
        optStartMode->SetValue(rgStartMode->GetItemIndex());
    if (rgStopMode->GetItemIndex() >= 0)
        optStopMode->SetValue(rgStopMode->GetItemIndex());
    optLogDuration->SetValue(Duration);
    if (cbxTimeBaseLog->GetItemIndex() >= 0)
        optTimeBaseLog->SetValue(cbxTimeBaseLog->GetItemIndex());
    if (rgStartTriggerLogic->GetItemIndex() >= 0)
        optStartTriggerLogic->SetValue(rgStartTriggerLogic->GetItemIndex());
    if (rgStopTriggerLogic->GetItemIndex() >= 0)
        optStopTriggerLogic->SetValue(rgStopTriggerLogic->GetItemIndex());
    if (speMaxRecordPerFile->GetValue() != FShownMaxRecordPerFile)
        optMaxRecordPerFile->SetValue(speMaxRecordPerFile->GetValue());
    optLogInterval->SetValue(neLogInterval->GetValue());

    if (OnApplyOptions)
        OnApplyOptions();
    SetModalResult(mrOk);
    if (!Modal())
        Close();
}

void TfrmSetup::DialogButtonsClickCancel(TObject*)
{
    SetModalResult(mrCancel);
    if (!Modal())
        Close();
}
