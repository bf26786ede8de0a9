#include "controls/VcStatusBar.h"

#include "rtl/FileUtils.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
// The program's file version; executables here carry no version resource.
constexpr const char* ProgramFileVersion = "1.0.0.0";
constexpr int PanePadding = 8;

// The first bytes of Text up to Size, less a character cut in two.
std::string Utf8Prefix(const std::string& Text, std::size_t Size)
{
    Size = std::min(Size, Text.size());
    while (Size > 0 && Size < Text.size() && (static_cast<unsigned char>(Text[Size]) & 0xC0) == 0x80)
        --Size;
    return Text.substr(0, Size);
}
}  // namespace

TVcStatusBar::TVcStatusBar(TComponent* AOwner) : TPanel(AOwner)
{
    SetAlign(alBottom);
    SetHeight(22);
    SetBevelOuter(bvNone);
}

void TVcStatusBar::SharePanes()
{
    std::vector<std::pair<int, TVcStatusPane*>> Sized;  // wanted width, pane
    int Room = AlignRect().Width();
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (!C->GetVisible() || (C->GetAlign() != alLeft && C->GetAlign() != alRight))
            continue;
        auto* Pane = dynamic_cast<TVcStatusPane*>(C);
        if (Pane && Pane->GetAutoSize())
            Sized.emplace_back(Pane->WantedWidth(), Pane);
        else
            Room -= C->GetWidth();
    }
    // The narrowest take what they want while an equal share leaves them
    // room; the others share what is left alike.
    std::sort(Sized.begin(), Sized.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
    std::size_t Fitting = 0;
    while (Fitting < Sized.size() &&
           static_cast<long long>(Sized[Fitting].first) * static_cast<long long>(Sized.size() - Fitting) <= Room)
        Room -= Sized[Fitting++].first;
    const int Share = Fitting < Sized.size() ? std::max(0, Room) / static_cast<int>(Sized.size() - Fitting) : 0;
    for (std::size_t I = 0; I < Sized.size(); ++I)
        Sized[I].second->Fit(I < Fitting ? Sized[I].first : Share);
}

void TVcStatusBar::AlignDone()
{
    if (FArranging)
        return;
    FArranging = true;
    SharePanes();
    PlaceInOrder();
    FArranging = false;
}

// Aligning places the children of one side by their positions, and a hidden
// pane keeps the position it had when it was last shown: the panes are put
// back in their own order after every alignment.
void TVcStatusBar::PlaceInOrder()
{
    std::vector<TControl*> Lefts, Rights;
    int RightsWidth = 0;
    for (int I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        if (!C->GetVisible())
            continue;
        if (C->GetAlign() == alLeft) {
            Lefts.push_back(C);
        } else if (C->GetAlign() == alRight) {
            Rights.push_back(C);
            RightsWidth += C->GetWidth();
        }
    }
    const TRect Area = AlignRect();
    // Held, so that the panes are placed all at once; releasing aligns
    // them again by their new positions, which keep this order.
    DisableAlign();
    int X = Area.Left;
    for (TControl* C : Lefts) {
        C->SetBounds(X, Area.Top, C->GetWidth(), Area.Height());
        X += C->GetWidth();
    }
    X = Area.Right - RightsWidth;
    for (TControl* C : Rights) {
        C->SetBounds(X, Area.Top, C->GetWidth(), Area.Height());
        X += C->GetWidth();
    }
    EnableAlign();
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
    if (Value == FText)
        return;
    FText = Value;
    // An auto-sized pane shows what fits, once its width is known.
    if (!FAutoSize)
        TPanel::SetText(Value);
    AdjustWidth();
}

void TVcStatusPane::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (!FAutoSize)
        TPanel::SetText(FText);
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
    FWantedWidth = CaptionWidth(FText) + 2 * PanePadding;
    FCutWidth = -1;
    if (auto* Bar = dynamic_cast<TVcStatusBar*>(GetParent()))
        Bar->SharePanes();
    else
        Fit(FWantedWidth);
}

void TVcStatusPane::Fit(int Width)
{
    // Placing a pane makes the bar share again: only a change may move it.
    if (Width != GetWidth()) {
        if (GetAlign() == alRight)
            SetBounds(GetLeft() + GetWidth() - Width, GetTop(), Width, GetHeight());
        else
            SetWidth(Width);
    }
    if (Width >= FWantedWidth) {
        FCutWidth = -1;
        TPanel::SetText(FText);
        return;
    }
    if (Width == FCutWidth)
        return;
    // The start of a text says what it is about: it is kept, the end cut.
    const std::string Ellipsis = "…";
    std::string Shown = FText;
    while (!Shown.empty() && CaptionWidth(Shown + Ellipsis) + 2 * PanePadding > Width)
        Shown = Utf8Prefix(Shown, Shown.size() - 1);
    FCutWidth = Width;
    TPanel::SetText(Shown + Ellipsis);
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
