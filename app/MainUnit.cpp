#include "app/MainUnit.h"

#include "app/DeviceListUnit.h"
#include "app/DeviceRegistry.h"
#include "app/DeviceSampleAdapter.h"
#include "app/DeviceUnit.h"
#include "app/NewDeviceUnit.h"
#include "app/SetupUnit.h"
#include "app/SysOption.h"
#include "controls/VcFormBuilder.h"
#include "controls/VcSpacer.h"
#include "rtl/FileUtils.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "serial/CPort.h"
#include "ui/AlignPause.h"
#include "ui/Bitmap.h"

#include <utility>
#include <vector>

TfrmMain* frmMain = nullptr;

namespace {
constexpr TColor RunningColor = 0xFF8000;
constexpr TColor IdleColor = 0x808080;

enum TMainImage { miRecord, miStop, miOptions, miArrange, miDeviceList, miExit };

// The toolbar pictures, 24 x 24, drawn in code on a transparent key colour.
void LoadMainImages(TImageList* Images)
{
    constexpr TColor Key = clFuchsia;
    constexpr TColor Blue = RGB(0, 102, 204);
    Images->SetWidth(24);
    Images->SetHeight(24);
    for (int Index = miRecord; Index <= miExit; ++Index) {
        TBitmap B(24, 24);
        TCanvas* C = B.Canvas;
        C->Brush->Color = Key;
        C->FillRect(Rect(0, 0, 24, 24));
        C->Pen->Color = Blue;
        C->Brush->Color = Blue;
        switch (Index) {
        case miRecord:  // a red dot
            C->Pen->Color = RGB(220, 0, 0);
            C->Brush->Color = RGB(220, 0, 0);
            C->Ellipse(4, 4, 20, 20);
            break;
        case miStop:  // a square
            C->Rectangle(5, 5, 19, 19);
            break;
        case miOptions:  // three sliders
            for (int y : {6, 12, 18}) {
                C->MoveTo(3, y);
                C->LineTo(21, y);
            }
            for (auto [x, y] : {std::pair{8, 6}, std::pair{15, 12}, std::pair{11, 18}})
                C->Rectangle(x - 2, y - 2, x + 3, y + 3);
            break;
        case miArrange:  // stacked frames
            C->Brush->Color = clWhite;
            for (int y : {3, 10, 17})
                C->Rectangle(3, y, 21, y + 5);
            break;
        case miDeviceList:  // a list with bullets
            for (int y : {5, 11, 17}) {
                C->Rectangle(3, y, 6, y + 3);
                C->Rectangle(8, y + 1, 21, y + 2);
            }
            break;
        case miExit:  // an arrow leaving a door
            C->Brush->Color = clWhite;
            C->Rectangle(3, 3, 13, 21);
            C->Brush->Color = Blue;
            C->Polygon({Point(10, 10), Point(16, 10), Point(16, 6), Point(22, 12), Point(16, 18), Point(16, 14),
                        Point(10, 14)});
            break;
        }
        Images->AddMasked(&B, Key);
    }
}
}  // namespace

std::string AppDir()
{
    return ExeDir();
}

std::string MainCaption(const std::string& ProgramTitle)
{
    if (Trim(ProgramTitle).empty())
        return "仪表变送器数据采集软件";
    return ProgramTitle;
}

std::string OwnerLine(const std::string& Author)
{
    if (Trim(Author).empty())
        return "";
    return "授权用户: " + Trim(Author);
}

TfrmMain::TfrmMain(TComponent* AOwner) : TForm(AOwner)
{
    SetName("frmMain");
    SetPosition(poDesktopCenter);
    SetClientWidth(1024);
    SetClientHeight(700);

    const TVcFormBuilder Build(this, this);
    pnlToolBar = Build.Add<TVcPanel>("pnlToolBar");
    pnlToolBar->SetAlign(alTop);
    pnlToolBar->SetHeight(50);
    pnlToolBar->SetBorderStyle(vbsNone);

    pnlPollingState = Build.On(pnlToolBar).Add<TVcPanel>("pnlPollingState");
    pnlPollingState->SetAlign(alRight);
    pnlPollingState->SetWidth(160);
    pnlPollingState->SetColor(RunningColor);
    lblElapsed = Build.On(pnlPollingState).Add<TVcLabel>("lblElapsed");
    lblElapsed->SetAlign(alClient);
    // The panel gives it its size: measuring each new time to fit the
    // label to it, only for the alignment to undo that, cost more than the
    // rest of a poll's display work.
    lblElapsed->SetAutoSize(false);
    lblElapsed->SetAlignment(taCenter);
    lblElapsed->SetLayout(tlCenter);
    lblElapsed->Font->SetSize(16);
    lblElapsed->Font->SetColor(IdleColor);
    lblElapsed->SetText("0:00:00.0");

    toolMain = Build.On(pnlToolBar).Add<TVcToolbar>("toolMain");
    toolMain->SetAlign(alClient);
    toolMain->SetShowCaptions(true);
    toolMain->SetButtonWidth(64);
    toolMain->SetButtonHeight(44);
    imlMain = new TImageList(this);
    imlMain->SetName("imlMain");
    LoadMainImages(imlMain);
    toolMain->SetImages(imlMain);
    const TVcFormBuilder Tools = Build.On(toolMain);
    btnRecord = Tools.ToolButton("btnRecord", "开始记录", miRecord);
    btnRecord->OnClick = [this](TObject* S) { btnRecordClick(S); };
    btnStop = Tools.ToolButton("btnStop", "停止记录", miStop);
    btnStop->SetEnabled(false);
    btnStop->OnClick = [this](TObject* S) { btnStopClick(S); };
    Tools.Add<TVcSpacer>("tbsSpacer1");
    btnChangeOptions = Tools.ToolButton("btnChangeOptions", "参数设置", miOptions);
    btnChangeOptions->OnClick = [this](TObject* S) { btnChangeOptionsClick(S); };
    Tools.Add<TVcSpacer>("tbsSpacer2");
    btnArrangeDevices = Tools.ToolButton("btnArrangeDevices", "重新排列", miArrange);
    btnArrangeDevices->OnClick = [this](TObject* S) { btnArrangeDevicesClick(S); };
    btnDeviceList = Tools.ToolButton("btnDeviceList", "设备管理", miDeviceList);
    btnDeviceList->OnClick = [this](TObject* S) { btnDeviceListClick(S); };
    Tools.Add<TVcSpacer>("tbsSpacer3");
    btnExit = Tools.ToolButton("btnExit", "退出", miExit);
    btnExit->OnClick = [this](TObject* S) { btnExitClick(S); };

    // The bar shows its panes in the order they are added.
    stbMain = Build.Add<TVcStatusBar>("stbMain");
    const TVcFormBuilder Panes = Build.On(stbMain);
    spPort = AddPane(Panes, "spPort", alLeft);
    spPort->SetAlignment(taCenter);
    spBaud = AddPane(Panes, "spBaud", alLeft);
    spBaud->SetAlignment(taCenter);
    vf1 = new TVcVersionInfo(this);
    vf1->SetName("vf1");
    spVersion = Panes.Add<TVcVersionInfoStatus>("spVersion");
    spVersion->SetAlign(alLeft);
    spVersion->SetLabel("版本");
    spVersion->SetVersionInfo(vf1);
    lblPollingId = AddPane(Panes, "lblPollingId", alRight);
    lblPollingId->SetVisible(false);
    spLogState = AddPane(Panes, "spLogState", alRight);
    spLogState->SetVisible(false);
    psbPolling = Panes.Add<TVcProgressStatus>("psbPolling");
    psbPolling->SetWidth(120);
    psbPolling->SetAlign(alRight);
    psbPolling->SetTotalParts(10);
    psbPolling->SetVisible(false);
    spAuthor = AddPane(Panes, "spAuthor", alRight);

    srxDevices = Build.Add<TScrollBox>("srxDevices");
    srxDevices->SetAlign(alClient);
    srxDevices->SetColor(clWhite);
    pnlNoneDevice = Build.On(srxDevices).Add<TVcPanel>("pnlNoneDevice", 20, 20, 360, 60);
    pnlNoneDevice->SetText("打开设备管理添加新设备");

    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->SetName("SaveDialog1");
    SaveDialog1->DefaultExt = ".csv";
    SaveDialog1->Filter = "CSV文件(*.csv)|*.csv";
    sysIni = new TVcRegIniFile(this);
    sysIni->SetName("sysIni");
    ComPort1 = new TComPort(this);
    ComPort1->SetName("ComPort1");
    ComDataPacket1 = new TComDataPacket(this);
    ComDataPacket1->SetName("ComDataPacket1");
    ComDataPacket1->SetComPort(ComPort1);
    ApplicationEvents1 = new TApplicationEvents(this);
    ApplicationEvents1->SetName("ApplicationEvents1");
    ApplicationEvents1->OnMessage = [this](TMsg& Msg, bool& Handled) { ApplicationEvents1Message(Msg, Handled); };

    FDevices = std::make_unique<TDeviceRegistry>(AppDir() + "Devices.db", srxDevices);
    FRecording = std::make_unique<TRecordingControl>(this);

    OnCreate = [this](TObject* S) { FormCreate(S); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnCloseQuery = [this](TObject* S, bool& CanClose) { FormCloseQuery(S, CanClose); };
    OnDestroy = [this](TObject* S) { FormDestroy(S); };
}

TfrmMain::~TfrmMain()
{
    DoDestroy();
    if (frmMain == this)
        frmMain = nullptr;
}

TVcStatusPane* TfrmMain::AddPane(const TVcFormBuilder& Build, const char* Name, TAlign Align)
{
    auto* P = Build.Add<TVcStatusPane>(Name);
    P->SetAlign(Align);
    P->SetAutoSize(true);
    return P;
}

void TfrmMain::FormCreate(TObject*)
{
    vf1->SetFileName(Application->ExeName());
    spVersion->UpdateText();
    sysIni->SetPath(AppDir() + "config.ini");
    SetOptionStore(sysIni);
}

void TfrmMain::FormShow(TObject*)
{
    // Loading once: frames rebuilt on a later show would be freed under a
    // running thread, and the dialogs reload them themselves.
    if (FDevicesLoaded)
        return;
    FDevicesLoaded = true;
    ConnectDialogs();
    srxDevices->SetVisible(false);
    LoadDeviceFrames();
    srxDevices->SetVisible(true);
    ApplyOptions();
    FRecording->RecoverRunningLogs(AppDir());
}

// The dialogs exist only once this window does: they are told here what
// they work on and how they reach this window.
void TfrmMain::ConnectDialogs()
{
    if (frmSetup) {
        frmSetup->RunActive = [this] { return RunActive(); };
        frmSetup->OnApplyOptions = [this] { ApplyOptions(); };
        frmSetup->OnSelectTriggerChannels = [] {
            if (frmDeviceList)
                frmDeviceList->ShowModal();
        };
    }
    if (frmDeviceList) {
        frmDeviceList->SetDevices(FDevices.get());
        frmDeviceList->RunActive = [this] { return RunActive(); };
        frmDeviceList->OnDeviceAdded = [this] {
            LoadDeviceFrames();
            ApplyOptions();
        };
        frmDeviceList->OnDeviceDeleted = [this] {
            ArrangeDevices();
            UpdateDeviceControls();
        };
    }
    if (frmNewDevice)
        frmNewDevice->SetDevices(FDevices.get());
}

// Dialogs that outlive this window must not reach it, nor the devices it
// lent them.
void TfrmMain::DisconnectDialogs()
{
    if (frmSetup) {
        frmSetup->RunActive = nullptr;
        frmSetup->OnApplyOptions = nullptr;
    }
    if (frmDeviceList) {
        frmDeviceList->SetDevices(nullptr);
        frmDeviceList->RunActive = nullptr;
        frmDeviceList->OnDeviceAdded = nullptr;
        frmDeviceList->OnDeviceDeleted = nullptr;
    }
    if (frmNewDevice)
        frmNewDevice->SetDevices(nullptr);
}

int TfrmMain::LoadDeviceFrames()
{
    const int Count = FDevices->LoadDevices();
    ArrangeDevices();
    UpdateDeviceControls();
    return Count;
}

bool TfrmMain::HasDevices() const
{
    return !FDevices->empty();
}

void TfrmMain::UpdateDeviceControls()
{
    const bool Any = HasDevices();
    pnlNoneDevice->SetVisible(!Any);
    if (!RunActive())
        btnRecord->SetEnabled(Any);
    btnArrangeDevices->SetEnabled(Any);
}

void TfrmMain::ApplyOptions()
{
    if (!optCommPort)
        return;
    spPort->SetText(optCommPort->AsString());
    spBaud->SetText(IntToStr(optBaudRate->AsInteger()));
    spAuthor->SetText(OwnerLine(optAuthor->AsString()));
    SetText(MainCaption(optProgramTitle->AsString()));
    // Error boxes carry the program's title, not the executable's name.
    Application->SetTitle(GetText());
    for (TfraDevice* Device : FDevices->Frames()) {
        Device->SetAxisFormat(optAxisFormat->AsInteger());
        Device->ApplyRingBufferSize();
    }
    // Two devices on one station would read each other's values unnoticed.
    const std::string Problems = FDevices->LoadStationIds();
    if (!Problems.empty())
        ShowError(Problems);
}

void TfrmMain::ArrangeDevices()
{
    const std::vector<TfraDevice*> Frames = FDevices->Frames();
    // One placing of all frames at the end, not one per frame.
    TAlignPause Pause(srxDevices);
    for (TfraDevice* Device : Frames)
        Device->SetAlign(alNone);
    int Top = 0;
    for (TfraDevice* Device : Frames) {
        Device->SetTop(Top);
        Top += Device->GetHeight();
    }
    for (TfraDevice* Device : Frames)
        Device->SetAlign(alTop);
}

bool TfrmMain::RunActive() const
{
    return FRecording->Running();
}

TRecordingOptions TfrmMain::RecordingOptions() const
{
    return TRecordingOptions::FromOptions(AppDir());
}

void TfrmMain::btnRecordClick(TObject*)
{
    if (RunActive() || !HasDevices())
        return;
    std::vector<std::unique_ptr<TSampleDevice>> Devices;
    for (TfraDevice* Device : FDevices->Frames())
        Devices.push_back(std::make_unique<TDeviceSampleAdapter>(Device));
    FRecording->RecordAction(RecordingOptions(), std::move(Devices));
}

void TfrmMain::btnStopClick(TObject*)
{
    FRecording->StopAction(RecordingOptions());
}

void TfrmMain::StopRecording()
{
    FRecording->StopRecording();
}

void TfrmMain::btnChangeOptionsClick(TObject*)
{
    if (frmSetup)
        frmSetup->ShowModal();
}

void TfrmMain::btnDeviceListClick(TObject*)
{
    if (frmDeviceList)
        frmDeviceList->ShowModal();
}

void TfrmMain::btnArrangeDevicesClick(TObject*)
{
    ArrangeDevices();
}

void TfrmMain::btnExitClick(TObject*)
{
    Close();
}

void TfrmMain::ApplicationEvents1Message(TMsg& Msg, bool& Handled)
{
    Handled = FRecording->HandleMessage(Msg.message);
}

void TfrmMain::FormCloseQuery(TObject*, bool& CanClose)
{
    if (!RunActive())
        return;
    CanClose = Confirm("正在记录中, 确认要退出吗？");
    if (CanClose)
        StopRecording();
}

void TfrmMain::FormDestroy(TObject*)
{
    // The thread polls the frames: it ends before they go.
    if (RunActive())
        StopRecording();
    DisconnectDialogs();
}

void TfrmMain::SetLogState(const std::string& Text)
{
    spLogState->SetText(Text);
}

void TfrmMain::SetElapsed(const std::string& Text)
{
    lblElapsed->SetText(Text);
}

void TfrmMain::SetPollProgress(int PartsComplete, const std::string& StationText)
{
    psbPolling->SetPartsComplete(PartsComplete);
    lblPollingId->SetText(StationText);
}

void TfrmMain::PostStopMessage()
{
    PostMessage(this, WM_STOP_RECORDING, 0, 0);
}

void TfrmMain::PostLogFailureMessage()
{
    PostMessage(this, WM_LOG_FAILURE, 0, 0);
}

void TfrmMain::SetRunState(bool Running)
{
    btnRecord->SetEnabled(!Running && HasDevices());
    btnExit->SetEnabled(!Running);
    btnStop->SetEnabled(Running);
    btnChangeOptions->SetEnabled(true);
    psbPolling->SetVisible(Running);
    lblPollingId->SetVisible(Running);
    spLogState->SetVisible(Running);
    lblElapsed->Font->SetColor(Running ? RunningColor : IdleColor);
}

void TfrmMain::ShowError(const std::string& Text)
{
    Application->MessageBox(Text, "错误", MB_OK | MB_ICONERROR);
}

bool TfrmMain::Confirm(const std::string& Text)
{
    return Application->MessageBox(Text, "警告", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

bool TfrmMain::AskLogFileName(const std::string& InitialDir, std::string& FileName)
{
    SaveDialog1->InitialDir = InitialDir;
    SaveDialog1->Options = ofHideReadOnly;
    if (!SaveDialog1->Execute())
        return false;
    FileName = SaveDialog1->FileName;
    return true;
}
