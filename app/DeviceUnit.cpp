#include "app/DeviceUnit.h"

#include "app/AppImages.h"
#include "app/General.h"
#include "app/SysOption.h"
#include "controls/VcFormBuilder.h"
#include "plot/channels/kPlot.h"
#include "rtl/NumberFormat.h"
#include "ui/Application.h"

#include <algorithm>

namespace {
constexpr int ToolButtonSize = 23;

// The chart options; before the options exist (tests of a lone frame),
// their defaults.
int RingBufferSizeOption()
{
    return optChannelRingBufferSize ? optChannelRingBufferSize->AsInteger() : 0;
}
double XSpanOption()
{
    return optXSpan ? optXSpan->AsFloat() : 1200.0;
}
int TimeBaseXOption()
{
    return optTimeBaseX ? optTimeBaseX->AsInteger() : 0;
}
}  // namespace

TfraDevice::TfraDevice(TComponent* AOwner, const TDeviceInfo& Info, TDeviceStore* Store) : TFrame(AOwner)
{
    SetBounds(0, 0, 1380, MinHeight);
    OnCanResize = [this](TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize) {
        FrameCanResize(Sender, NewWidth, NewHeight, Resize);
    };

    imlDevice = new TImageList(this);
    TAppImages::LoadDeviceImages(imlDevice);

    const TVcFormBuilder Build(this, this);
    toolDevice = Build.Add<TVcToolbar>("toolDevice");
    toolDevice->SetAlign(alRight);
    toolDevice->SetWidth(ToolButtonSize + 4);
    toolDevice->SetWrapable(true);
    toolDevice->SetButtonWidth(ToolButtonSize);
    toolDevice->SetButtonHeight(ToolButtonSize);
    toolDevice->SetImages(imlDevice);
    const struct {
        TVcToolButton** Button;
        const char* Name;
        const char* Hint;
        int Image;
        bool Toggle;
    } Buttons[] = {
        {&btnShowMeter, "btnShowMeter", "显示/隐藏设备面板", TAppImages::diShowMeter, true},
        {&btnShowCurve, "btnShowCurve", "显示/隐藏曲线图", TAppImages::diShowCurve, true},
        {&btnZoom, "btnZoom", "放大曲线图窗口", TAppImages::diZoom, true},
        {&btnCursor, "btnCursor", "显示/隐藏曲线图读数光标", TAppImages::diCursor, true},
        {&btnPause, "btnPause", "暂停曲线图跟踪", TAppImages::diPause, false},
        {&btnResume, "btnResume", "恢复曲线图跟踪", TAppImages::diResume, false},
        {&btnEnlarge, "btnEnlarge", "扩大曲线图高度", TAppImages::diEnlarge, false},
        {&btnShrink, "btnShrink", "缩小曲线图高度", TAppImages::diShrink, false},
    };
    for (const auto& B : Buttons) {
        TVcToolButton* Button = *B.Button = Build.On(toolDevice).ToolButton(B.Name, "", B.Image);
        Button->SetHint(B.Hint);
        Button->SetShowHint(true);
        if (B.Toggle)
            Button->SetStyle(tbsCheck);
    }
    btnShowMeter->SetDown(true);
    btnShowCurve->SetDown(true);
    btnResume->SetEnabled(false);
    btnShowMeter->OnClick = [this](TObject* Sender) { btnShowMeterClick(Sender); };
    btnShowCurve->OnClick = [this](TObject* Sender) { btnShowCurveClick(Sender); };
    btnZoom->OnClick = [this](TObject* Sender) { btnZoomClick(Sender); };
    btnCursor->OnClick = [this](TObject* Sender) { btnCursorClick(Sender); };
    btnPause->OnClick = [this](TObject* Sender) { btnPauseClick(Sender); };
    btnResume->OnClick = [this](TObject* Sender) { btnResumeClick(Sender); };
    btnEnlarge->OnClick = [this](TObject* Sender) { btnEnlargeClick(Sender); };
    btnShrink->OnClick = [this](TObject* Sender) { btnShrinkClick(Sender); };

    const std::string Label = DeviceLabel(Info.Section);
    pnlDeviceBody = Build.Add<TVcPanel>("pnlDeviceBody");
    pnlDeviceBody->SetAlign(alClient);
    pnlDeviceBody->SetShowGrid(true);
    // A cell height of 64 pixels, as the frame's layout gives it.
    pnlDeviceBody->Font->SetHeight(64);
    pnlDeviceBody->Font->SetColor(11447982);
    pnlDeviceBody->SetText(Label);
    pnlDeviceBody->OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        pnlDeviceBodyMouseDown(S, B, Sh, X, Y);
    };
    pnlDeviceBody->OnMouseMove = [this](TObject* S, TShiftState Sh, int X, int Y) {
        pnlDeviceBodyMouseMove(S, Sh, X, Y);
    };

    // Before the meter panel, which stays above it.
    pltDevice = Build.On(pnlDeviceBody).Add<TkPlot>("pltDevice");
    pltDevice->SetAlign(alClient);
    FChart = std::make_unique<TDeviceChart>(pltDevice);
    FChart->ApplyStoredLayout();
    pltDevice->OnMouseDownDataView = [this](int Index, TMouseButton B, TShiftState Sh, int X, int Y) {
        pltDeviceMouseDownDataView(Index, B, Sh, X, Y);
    };
    pltDevice->OnDataCursorChange = [this](int Index) { pltDeviceDataCursorChange(Index); };
    pltDevice->OnAfterPaint = [this](TObject* Sender) { pltDeviceAfterPaint(Sender); };

    auto MeterMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        pnlDeviceMouseDown(S, B, Sh, X, Y);
    };
    pnlDevice = Build.On(pnlDeviceBody).Add<TVcPanel>("pnlDevice");
    pnlDevice->SetColor(0xFFF4E8);
    pnlDevice->SetGradientEndColor(0xF0D8C0);
    // The body's watermark font must not reach the meter panel's children.
    pnlDevice->Font->SetHeight(-12);
    pnlDevice->Font->SetColor(clWindowText);
    pnlDevice->OnMouseDown = MeterMouseDown;

    const TVcFormBuilder Meter = Build.On(pnlDevice);
    lblDeviceSection = Meter.Add<TVcLabel>("lblDeviceSection");
    lblDeviceSection->SetText(Label);
    // At least the layout's 40 pixels, wider for a long device number; the
    // channels are placed right of it.
    lblDeviceSection->SetAutoSize(false);
    lblDeviceSection->SetBounds(4, 4, std::max(40, lblDeviceSection->GetWidth()), 16);
    lblDeviceSection->OnMouseDown = MeterMouseDown;

    pmZero = new TPopupMenu(this);
    pmZero->SetName("pmZero");
    pmZero->OnPopup = [this](TObject* Sender) { pmZeroPopup(Sender); };

    toolZero = Meter.Add<TVcToolbar>("toolZero");
    toolZero->SetAlign(alNone);
    toolZero->SetBounds(4, 24, 40, ToolButtonSize + 2);
    toolZero->SetImages(imlDevice);
    btnZero = Build.On(toolZero).Add<TVcToolButton>("btnZero");
    btnZero->SetStyle(tbsDropDown);
    btnZero->SetImageIndex(TAppImages::diZero);
    btnZero->SetHint("置零按钮");
    btnZero->SetShowHint(true);
    btnZero->SetDropdownMenu(pmZero);

    AssignInfo(Info, Store);
    pnlDevice->SetAnchors(akTop | akRight);
}

TfraDevice::~TfraDevice()
{
    // The chart outlives this body (its owner frees it): its events must
    // not reach a half-destroyed frame.
    pltDevice->OnMouseDownDataView = nullptr;
    pltDevice->OnDataCursorChange = nullptr;
    pltDevice->OnAfterPaint = nullptr;
    // Channel frames go before the panels that hold them.
    FreeChannels();
}

std::unique_ptr<TChannelModel> TfraDevice::CreateChannel(int Index)
{
    auto* Frame = new TfraChannel(this, Index);
    Frame->SetName("fraChannelDisplay" + IntToStr(Index + 1));
    Frame->SetParent(pnlDevice);
    Frame->OnValueNameChange = [this](TObject* Sender) {
        auto* Channel = static_cast<TfraChannel*>(Sender);
        FChart->SetYAxisTitle(Channel->Index(), Channel->ValueName());
    };
    Frame->OnRangeChange = [this](TObject* Sender) { ApplyChannelRange(static_cast<TfraChannel*>(Sender)); };
    return std::unique_ptr<TChannelModel>(Frame);
}

void TfraDevice::BuildingChannels()
{
    BuildChart();
}

void TfraDevice::ChannelsBuilt()
{
    BuildZeroMenu();
    PlaceChannels();
    for (int i = 0; i < ChannelCount(); ++i)
        ApplyChannelRange(Channel(i));
}

void TfraDevice::BuildChart()
{
    FChart->Build(ChannelCount(), RingBufferSizeOption());
}

void TfraDevice::ApplyChannelRange(TfraChannel* Channel)
{
    FChart->ApplyChannelRange(Channel->Index(), Channel->RangeLow(), Channel->RangeHigh(), Channel->WorkDP());
}

void TfraDevice::SetAxisFormat(int Value)
{
    TDeviceModel::SetAxisFormat(Value);
    FChart->SetAxisFormat(Value, TDeviceChart::XSpanToAxisUnits(XSpanOption(), TimeBaseXOption(), Value), Now());
}

void TfraDevice::ApplyRingBufferSize()
{
    FChart->SetRingBufferSize(RingBufferSizeOption());
}

void TfraDevice::ResetDevice()
{
    FChart->ClearData();
    TDeviceModel::ResetDevice();
}

void TfraDevice::AddChartPoints(double X, const std::vector<double>& Values)
{
    FChart->AddPoints(X, Values, AxisFormat() == 0);
}

void TfraDevice::btnShowCurveClick(TObject*)
{
    const bool Shown = btnShowCurve->GetDown();
    pltDevice->SetVisible(Shown);
    for (TVcToolButton* Button : {btnZoom, btnCursor, btnPause, btnResume})
        Button->SetVisible(Shown);
}

void TfraDevice::btnZoomClick(TObject*)
{
    FChart->SetZoomBox(btnZoom->GetDown());
}

void TfraDevice::btnCursorClick(TObject*)
{
    FChart->SetCursorShown(btnCursor->GetDown());
    FollowCursor();
}

// The button and the channel panels follow the data cursor, however it
// was shown or hidden (this button, resuming, the plot's own toolbar): a
// panel left showing a reading of a cursor that is gone would freeze on
// it while the run goes on.
void TfraDevice::FollowCursor()
{
    const bool Shown = FChart->CursorShown();
    btnCursor->SetDown(Shown);
    bool Changed = false;
    for (int i = 0; i < ChannelCount(); ++i) {
        if ((Channel(i)->DisplayMode() == 1) == Shown)
            continue;
        Channel(i)->SetDisplayMode(Shown ? 1 : 0);
        Changed = true;
    }
    if (Changed && Shown)
        pltDeviceDataCursorChange(0);
}

void TfraDevice::btnPauseClick(TObject*)
{
    FChart->Pause();
}

void TfraDevice::btnResumeClick(TObject*)
{
    FChart->Resume();
    FollowCursor();
}

void TfraDevice::pltDeviceMouseDownDataView(int, TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbLeft)
        btnPauseClick(btnPause);
}

void TfraDevice::pltDeviceDataCursorChange(int)
{
    double Y = 0;
    for (int i = 0; i < ChannelCount(); ++i)
        if (FChart->CursorY(i, Y))
            Channel(i)->SetCursorValue(Y);
}

void TfraDevice::pltDeviceAfterPaint(TObject*)
{
    btnResume->SetEnabled(FChart->AnyAxisTracking(false));
    btnPause->SetEnabled(FChart->AnyAxisTracking(true));
    FollowCursor();
}

void TfraDevice::BuildZeroMenu()
{
    pmZero->Items->Clear();
    FZeroItems.clear();
    for (const TZeroMenuItem& Item : ZeroMenuItems()) {
        TMenuItem* M = NewMenuItem(pmZero, Item.Caption, nullptr, Item.Name);
        if (Item.Kind != TZeroMenuItem::zkSeparator)
            M->OnClick = [this, Item](TObject*) { ZeroMenuClick(Item); };
        pmZero->Items->Add(M);
        FZeroItems.emplace_back(M, Item);
    }
}

void TfraDevice::PlaceChannels()
{
    const int X0 = lblDeviceSection->GetLeft() + lblDeviceSection->GetWidth();
    const TMeterLayout L = CalcMeterLayout(ChannelCount(), X0, TfraChannel::FrameWidth, TfraChannel::FrameHeight);
    pnlDevice->SetBounds(pnlDevice->GetLeft(), pnlDevice->GetTop(), L.Width, L.Height);
    for (int i = 0; i < ChannelCount(); ++i)
        Channel(i)->SetBounds(L.Lefts[i], L.Tops[i], TfraChannel::FrameWidth, TfraChannel::FrameHeight);
}

int TfraDevice::DefaultMeterLeft() const
{
    return GetWidth() - toolDevice->GetWidth() - 10 - pnlDevice->GetWidth();
}

void TfraDevice::ZeroMenuClick(const TZeroMenuItem& Item)
{
    switch (Item.Kind) {
    case TZeroMenuItem::zkZeroAll: ShowRefusal(ZeroAll()); break;
    case TZeroMenuItem::zkZero: ShowRefusal(ZeroOne(Item.Channel)); break;
    case TZeroMenuItem::zkUnzeroAll: UnzeroAll(); break;
    case TZeroMenuItem::zkUnzero: UnzeroOne(Item.Channel); break;
    case TZeroMenuItem::zkSeparator: break;
    }
}

void TfraDevice::ShowRefusal(const std::string& Text)
{
    if (!Text.empty())
        Application->MessageBox(Text, "错误", MB_OK | MB_ICONERROR);
}

void TfraDevice::pmZeroPopup(TObject*)
{
    for (auto& [Menu, Item] : FZeroItems)
        if (Item.Kind == TZeroMenuItem::zkUnzero || Item.Kind == TZeroMenuItem::zkUnzeroAll)
            Menu->SetEnabled(UnzeroEnabled(Item.Channel));
}

void TfraDevice::btnShowMeterClick(TObject*)
{
    pnlDevice->SetVisible(btnShowMeter->GetDown());
}

void TfraDevice::FrameCanResize(TObject*, int&, int& NewHeight, bool& Resize)
{
    Resize = NewHeight >= MinHeight;
}

void TfraDevice::btnEnlargeClick(TObject*)
{
    SetHeight(GetHeight() + 20);
    Realign();
}

void TfraDevice::btnShrinkClick(TObject*)
{
    SetHeight(GetHeight() - 20);
    Realign();
}

void TfraDevice::pnlDeviceMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    ReleaseCapture();
    PostMessage(pnlDevice, WM_SYSCOMMAND, SC_MOVE | 1, 0);
}

void TfraDevice::pnlDeviceBodyMouseMove(TObject*, TShiftState, int X, int Y)
{
    const bool InBand = X > 3 && X < pnlDeviceBody->GetWidth() - 3 && Y >= pnlDeviceBody->GetHeight() - 3;
    pnlDeviceBody->SetCursor(InBand ? crSizeNS : crDefault);
}

void TfraDevice::pnlDeviceBodyMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    if (!(X > 3 && X < pnlDeviceBody->GetWidth() - 3 && Y >= pnlDeviceBody->GetHeight() - 3))
        return;
    ReleaseCapture();
    Perform(WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOM, 0);
    Realign();
}
