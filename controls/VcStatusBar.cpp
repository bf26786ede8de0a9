#include "controls/VcStatusBar.h"

#include "rtl/FileUtils.h"
#include "ui/Bitmap.h"

#include <algorithm>

namespace {
// The program's file version; executables here carry no version resource.
constexpr const char* ProgramFileVersion = "1.0.0.0";
constexpr int PanePadding = 8;
}  // namespace

TVcStatusBar::TVcStatusBar(TComponent* AOwner) : TPanel(AOwner)
{
    SetAlign(alBottom);
    SetHeight(22);
    SetBevelOuter(bvNone);
}

TVcStatusPane::TVcStatusPane(TComponent* AOwner) : TPanel(AOwner)
{
    SetBevelOuter(bvLowered);
    SetAlign(alLeft);
    SetWidth(80);
}

TVcStatusPane::~TVcStatusPane() = default;

void TVcStatusPane::SetText(const std::string& Value)
{
    if (Value == GetText())
        return;
    TPanel::SetText(Value);
    AdjustWidth();
}

void TVcStatusPane::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    AdjustWidth();
}

void TVcStatusPane::FontChanged()
{
    TPanel::FontChanged();
    AdjustWidth();
}

void TVcStatusPane::AdjustWidth()
{
    if (!FAutoSize)
        return;
    // Panes change their text at every poll: the measuring surface is
    // made once.
    if (!FMeasure)
        FMeasure = std::make_unique<TBitmap>(1, 1);
    FMeasure->Canvas->Font->Assign(Font);
    SetWidth(FMeasure->Canvas->TextWidth(GetText()) + 2 * PanePadding);
}

TVcProgressStatus::TVcProgressStatus(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetAlign(alRight);
    SetWidth(100);
}

void TVcProgressStatus::SetPartsComplete(int Value)
{
    FPartsComplete = std::clamp(Value, 0, FTotalParts);
    Invalidate();
}

void TVcProgressStatus::SetTotalParts(int Value)
{
    FTotalParts = std::max(1, Value);
    FPartsComplete = std::min(FPartsComplete, FTotalParts);
    Invalidate();
}

void TVcProgressStatus::Paint()
{
    const int W = GetClientWidth();
    const int H = GetClientHeight();
    Canvas->Brush->Color = clBtnFace;
    Canvas->FillRect(Rect(0, 0, W, H));
    Canvas->Brush->Color = clHighlight;
    const int Inner = W - 4;
    for (int i = 0; i < FPartsComplete; ++i) {
        const int Left = 2 + Inner * i / FTotalParts;
        const int Right = 2 + Inner * (i + 1) / FTotalParts - 1;
        Canvas->FillRect(Rect(Left, 3, Right, H - 3));
    }
    Canvas->Brush->Color = clGray;
    Canvas->FrameRect(Rect(0, 0, W, H));
}

std::string TVcVersionInfo::FileVersion() const
{
    if (FFileName.empty() || !FileExists(FFileName))
        return {};
    return ProgramFileVersion;
}

TVcVersionInfoStatus::TVcVersionInfoStatus(TComponent* AOwner) : TVcStatusPane(AOwner)
{
    SetAutoSize(true);
}

void TVcVersionInfoStatus::SetLabel(const std::string& Value)
{
    FLabel = Value;
    UpdateText();
}

void TVcVersionInfoStatus::SetVersionInfo(TVcVersionInfo* Value)
{
    if (FVersionInfo)
        FVersionInfo->RemoveFreeNotification(this);
    FVersionInfo = Value;
    if (FVersionInfo)
        FVersionInfo->FreeNotification(this);
    UpdateText();
}

void TVcVersionInfoStatus::UpdateText()
{
    const std::string Version = FVersionInfo ? FVersionInfo->FileVersion() : std::string();
    SetText(Version.empty() ? FLabel : FLabel + " " + Version);
}

void TVcVersionInfoStatus::Notification(TComponent* AComponent, TOperation Operation)
{
    TVcStatusPane::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FVersionInfo)
        FVersionInfo = nullptr;
}
