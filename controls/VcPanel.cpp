#include "controls/VcPanel.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

int Channel(TColor C, int Shift)
{
    return static_cast<int>((C >> Shift) & 0xFF);
}

// Colour between A (Pos 0) and B (Pos Span).
TColor Blend(TColor A, TColor B, int Pos, int Span)
{
    if (Span <= 0)
        return A;
    auto Mix = [&](int Shift) { return Channel(A, Shift) + (Channel(B, Shift) - Channel(A, Shift)) * Pos / Span; };
    return RGB(Mix(0), Mix(8), Mix(16));
}

}  // namespace

TVcPanel::TVcPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clWhite);
}

void TVcPanel::SetText(const std::string& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    Invalidate();
}

void TVcPanel::SetGradientEndColor(TColor Value)
{
    FGradientEndColor = Value;
    Invalidate();
}

void TVcPanel::SetGradient(bool Value)
{
    FGradient = Value;
    Invalidate();
}

void TVcPanel::SetShowGrid(bool Value)
{
    FShowGrid = Value;
    Invalidate();
}

void TVcPanel::SetGridColor(TColor Value)
{
    FGridColor = Value;
    Invalidate();
}

void TVcPanel::SetGridSize(int Value)
{
    FGridSize = std::max(2, Value);
    Invalidate();
}

void TVcPanel::SetBorderStyle(TVcBorderStyle Value)
{
    FBorderStyle = Value;
    Invalidate();
}

void TVcPanel::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    Invalidate();
}

void TVcPanel::ControlPlaced()
{
    // The caption makes way for the children: it moves with them.
    if (!FCaption.empty())
        Invalidate();
}

int TVcPanel::CaptionLeft(int Width, int Height) const
{
    const int ClientWidth = GetClientWidth();
    const int Top = (GetClientHeight() - Height) / 2;
    // Stretches [left, right) not covered by a visible child in the
    // caption's rows.
    std::vector<std::pair<int, int>> Free{{0, ClientWidth}};
    for (int I = 0; I < ControlCount(); ++I) {
        const TControl* C = Controls(I);
        if (!C->GetVisible() || C->GetTop() >= Top + Height || C->GetTop() + C->GetHeight() <= Top)
            continue;
        const int Left = C->GetLeft(), Right = C->GetLeft() + C->GetWidth();
        std::vector<std::pair<int, int>> Rest;
        for (const auto& [A, B] : Free) {
            if (Left > A)
                Rest.emplace_back(A, std::min(B, Left));
            if (Right < B)
                Rest.emplace_back(std::max(A, Right), B);
        }
        Free.clear();
        for (const auto& S : Rest)
            if (S.first < S.second)
                Free.push_back(S);
    }
    const auto Widest = std::max_element(
        Free.begin(), Free.end(), [](const auto& X, const auto& Y) { return X.second - X.first < Y.second - Y.first; });
    // No room beside the children: centred behind them.
    if (Widest == Free.end() || Widest->second - Widest->first < Width)
        return (ClientWidth - Width) / 2;
    return (Widest->first + Widest->second - Width) / 2;
}

void TVcPanel::Paint()
{
    const int W = GetClientWidth();
    const int H = GetClientHeight();
    const TColor Top = ColorToRGB(GetColor());
    const TColor Bottom = FGradient ? ColorToRGB(FGradientEndColor) : Top;
    for (int Y = 0; Y < H; ++Y) {
        Canvas->Brush->Color = Blend(Top, Bottom, Y, H - 1);
        Canvas->FillRect(Rect(0, Y, W, Y + 1));
    }
    if (FShowGrid) {
        Canvas->Pen->Color = FGridColor;
        Canvas->Pen->Width = 1;
        for (int X = FGridSize; X < W; X += FGridSize) {
            Canvas->MoveTo(X, 0);
            Canvas->LineTo(X, H);
        }
        for (int Y = FGridSize; Y < H; Y += FGridSize) {
            Canvas->MoveTo(0, Y);
            Canvas->LineTo(W, Y);
        }
    }
    if (!FCaption.empty()) {
        Canvas->Font->Assign(Font);
        Canvas->Brush->Style = bsClear;
        const TSize Size = Canvas->TextExtent(FCaption);
        Canvas->TextOut(CaptionLeft(Size.cx, Size.cy), (H - Size.cy) / 2, FCaption);
        Canvas->Brush->Style = bsSolid;
    }
    if (FBorderStyle == vbsSingle) {
        Canvas->Brush->Color = FBorderColor;
        Canvas->FrameRect(Rect(0, 0, W, H));
    }
}
