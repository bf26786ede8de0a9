#include "app/SetupUnit.h"

#include "app/ClassTypes.h"
#include "app/SysOption.h"
#include "controls/VcFormBuilder.h"
#include "controls/VcGroupBox.h"
#include "rtl/NumberFormat.h"
#include "rtl/StringList.h"
#include "serial/EnumComPorts.h"
#include "ui/Application.h"

#include <cmath>

TfrmSetup* frmSetup = nullptr;

namespace {
constexpr int EditLeft = 130;
constexpr int EditHeight = 22;
// The log page's right-hand column.
constexpr int RightColumn = 236;
// Below the radio groups on the log page.
constexpr int LogGroupsTop = 228;
}  // namespace

TfrmSetup::TfrmSetup(TComponent* AOwner) : TForm(AOwner)
{
    SetName("frmSetup");
    SetText("设置");
    SetPosition(poMainFormCenter);
    SetBorderStyle(bsDialog);
    SetClientWidth(460);
    SetClientHeight(350);

    const TVcFormBuilder Build(this, this);
    DialogButtons = Build.DialogButtons("DialogButtons", "确定(&O)", "取消(&C)");
    DialogButtons->OnClickOk = [this](TObject* S) { DialogButtonsClickOk(S); };
    DialogButtons->OnClickCancel = [this](TObject* S) { DialogButtonsClickCancel(S); };

    pgcSetup = Build.Add<TVcPageControl>("pgcSetup");
    pgcSetup->SetAlign(alClient);
    const TVcFormBuilder Pages = Build.On(pgcSetup);
    tsComm = Pages.Page("tsComm", "通讯参数");
    tsDisplay = Pages.Page("tsDisplay", "显示参数");
    tsLog = Pages.Page("tsLog", "记录参数");

    // Communication.
    const TVcFormBuilder Comm = Build.On(tsComm);
    Comm.Label("lblPort", "串行口:", 20, 24);
    cbxPort = Comm.Add<TVcComboBox>("cbxPort", EditLeft, 20, 150, EditHeight);
    Comm.Label("lblBaud", "波特率:", 20, 58);
    cbxBaud = Comm.Add<TVcComboBox>("cbxBaud", EditLeft, 54, 150, EditHeight);
    for (const char* Rate : {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"})
        cbxBaud->Items->Add(Rate);
    Comm.Label("lblParity", "校验位:", 20, 92);
    cbxParity = Comm.Add<TVcComboBox>("cbxParity", EditLeft, 88, 150, EditHeight);
    for (const char* Parity : {"无校验", "奇校验", "偶校验"})
        cbxParity->Items->Add(Parity);
    Comm.Label("lblPollDelay", "通讯延时(ms):", 20, 126);
    spePollDelay = Comm.Add<TVcSpinEdit>("spePollDelay", EditLeft, 122, 150, EditHeight);
    spePollDelay->SetMinValue(0);
    spePollDelay->SetMaxValue(100);
    Comm.Label("lblPollTimeout", "通讯超时(ms):", 20, 160);
    spePollTimeout = Comm.Add<TVcSpinEdit>("spePollTimeout", EditLeft, 156, 150, EditHeight);
    spePollTimeout->SetMinValue(100);
    spePollTimeout->SetMaxValue(2000);

    // Display.
    const TVcFormBuilder Display = Build.On(tsDisplay);
    Display.Label("lblXAxisFormat", "记录曲线X轴格式", 20, 24);
    cbxXAxisFormat = Display.Add<TVcComboBox>("cbxXAxisFormat", EditLeft, 20, 120, EditHeight);
    for (const char* Format : {"采样时刻", "相对时间", "采样序号"})
        cbxXAxisFormat->Items->Add(Format);
    cbxXAxisFormat->OnChange = [this](TObject* S) { cbxXAxisFormatChange(S); };
    Display.Label("lblXSpan", "记录曲线X轴跨度", 20, 58);
    neXSpan = Display.Add<TVcNumericEdit>("neXSpan", EditLeft, 54, 120, EditHeight);
    neXSpan->SetMin(0);
    neXSpan->SetMax(MaxXSpan);
    neXSpan->SetCheckRange(true);
    cbxTimeBaseX = Display.Add<TVcComboBox>("cbxTimeBaseX", EditLeft + 128, 54, 80, EditHeight);
    lblSampleNumber = Display.Label("lblSampleNumber", "个数据点", EditLeft + 128, 58);
    Display.Label("lblChannelRingBufferSize", "记录曲线数据缓存", 20, 92);
    neChannelRingBufferSize = Display.Add<TVcNumericEdit>("neChannelRingBufferSize", EditLeft, 88, 120, EditHeight);
    neChannelRingBufferSize->SetIntegersOnly(true);
    neChannelRingBufferSize->SetMin(0);
    neChannelRingBufferSize->SetMax(50000);
    neChannelRingBufferSize->SetCheckRange(true);
    Display.Label("lblRingBufferRange", "(0 - 50000个数据点)", EditLeft + 128, 92);
    TVcLabel* Note = Display.Label("lblRingBufferNote",
                                   "记录曲线数据缓存设为0时，将缓存所有数据点。如果记录时间\n"
                                   "较长数据量较大，则曲线的刷新速度会变慢。这时将缓存设成一\n"
                                   "个适当的值即可。",
                                   20, 130);
    Note->SetWordWrap(false);

    // Logging.
    const TVcFormBuilder Log = Build.On(tsLog);
    rgLogFilenameMode = AddRadioGroup(Log, "rgLogFilenameMode", "数据记录文件名",
                                      {"手动输入记录文件名", "按开始时间自动生成"}, 8, 6, 62);
    rgStartMode = AddRadioGroup(Log, "rgStartMode", "启动记录方式", {"立刻开始", "阈值触发"}, 8, 72, 62);
    rgStartTriggerLogic = AddRadioGroup(Log, "rgStartTriggerLogic", "启动记录条件",
                                        {"任意通道被触发", "所有通道被触发"}, RightColumn, 72, 62);
    // Three items need more height than the two-item groups.
    rgStopMode = AddRadioGroup(Log, "rgStopMode", "结束记录方式", {"手动结束", "指定持续时间", "阈值触发"}, 8, 138, 86);
    rgStopTriggerLogic = AddRadioGroup(Log, "rgStopTriggerLogic", "结束记录条件", {"任意通道被触发", "所有通道被触发"},
                                       RightColumn, 138, 62);
    rgStartMode->OnClick = [this](TObject* S) { ModeClick(S); };
    rgStopMode->OnClick = [this](TObject* S) { ModeClick(S); };
    lblLogDuration = Log.Label("lblLogDuration", "持续时间", RightColumn, 208);
    leLogDuration = Log.Add<TVcEdit>("leLogDuration", RightColumn, 224, 100, EditHeight);
    lblTimeBaseLog = Log.Label("lblTimeBaseLog", "时间单位", RightColumn + 108, 208);
    cbxTimeBaseLog = Log.Add<TVcComboBox>("cbxTimeBaseLog", RightColumn + 108, 224, 90, EditHeight);

    auto* grpLogInterval = Log.Add<TVcGroupBox>("grpLogInterval");
    grpLogInterval->SetText("记录间隔");
    grpLogInterval->SetBounds(8, LogGroupsTop, 86, 50);
    const TVcFormBuilder LogInterval = Build.On(grpLogInterval);
    neLogInterval = LogInterval.Add<TVcNumericEdit>("neLogInterval", 8, 20, 60, EditHeight);
    neLogInterval->SetDisplayFormat("0.0");
    LogInterval.Label("lblLogIntervalUnit", "秒", 70, 24);

    auto* grpMaxRecord = Log.Add<TVcGroupBox>("grpMaxRecordPerFile");
    grpMaxRecord->SetText("每个数据文件最大记录");
    // Wide enough for its caption, the longest of the page.
    grpMaxRecord->SetBounds(98, LogGroupsTop, 134, 50);
    const TVcFormBuilder MaxRecord = Build.On(grpMaxRecord);
    speMaxRecordPerFile = MaxRecord.Add<TVcSpinEdit>("speMaxRecordPerFile", 6, 20, 100, EditHeight);
    speMaxRecordPerFile->SetMinValue(10);
    speMaxRecordPerFile->SetMaxValue(1000000);
    speMaxRecordPerFile->SetIncrement(10000);
    MaxRecord.Label("lblMaxRecordUnit", "条", 110, 24);

    btnTriggerChannels = Log.Add<TVcBitBtn>("btnTriggerChannels");
    btnTriggerChannels->SetText("选择触发通道...");
    btnTriggerChannels->SetBounds(RightColumn, 8, 130, 25);
    btnTriggerChannels->OnClick = [this](TObject* S) { btnTriggerChannelsClick(S); };

    OnCreate = [this](TObject* S) { FormCreate(S); };
    OnShow = [this](TObject* S) { FormShow(S); };
}

TfrmSetup::~TfrmSetup()
{
    if (frmSetup == this)
        frmSetup = nullptr;
}

TVcRadioGroup* TfrmSetup::AddRadioGroup(const TVcFormBuilder& Build, const char* Name, const std::string& Caption,
                                        std::initializer_list<const char*> Items, int Left, int Top, int Height)
{
    auto* G = Build.Add<TVcRadioGroup>(Name);
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
    FOptions = std::make_unique<TOptionList>(OptionStore());
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
