#include "controls/VcStatusPane.h"

#include "controls/VcPaneHost.h"

#include <algorithm>

namespace {

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
    if (auto* Bar = dynamic_cast<TVcPaneHost*>(GetParent()))
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
