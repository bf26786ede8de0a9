#include "ui/Font.h"
#include <algorithm>
#include <cmath>

void TFont::SetName(const std::string& Value)
{
    if (Value.empty() || Value == FName)
        return;
    FName = Value;
    Changed();
}

int TFont::GetSize() const
{
    const int PPI = PixelsPerInch > 0 ? PixelsPerInch : 96;
    return static_cast<int>(std::lround(-FHeight * 72.0 / PPI));
}

int TFont::LimitedHeight(double Pixels)
{
    return static_cast<int>(std::lround(std::clamp(Pixels, -double(MaxHeight), double(MaxHeight))));
}

void TFont::SetSize(int Value)
{
    // The size the height already has is no change: a height between two
    // whole sizes (22 pixels, 16.5 points) would otherwise move to the
    // height of its rounded size each time a file or stream gives both.
    if (Value == GetSize())
        return;
    const int PPI = PixelsPerInch > 0 ? PixelsPerInch : 96;
    SetHeight(-LimitedHeight(Value * double(PPI) / 72.0));
}

void TFont::SetHeight(int Value)
{
    Value = LimitedHeight(Value);
    if (Value == FHeight)
        return;
    FHeight = Value;
    Changed();
}

void TFont::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (Value == FPitch)
        return;
    FPitch = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value)
{
    if (Value == FCharset)
        return;
    FCharset = Value;
    Changed();
}

void TFont::SetOrientation(int Value)
{
    if (Value == FOrientation)
        return;
    FOrientation = Value;
    Changed();
}

void TFont::Assign(const TPersistent* Source)
{
    if (auto* Other = dynamic_cast<const TFont*>(Source)) {
        FName = Other->FName;
        // The size in points carries over between resolutions, as the
        // platform does when a screen font is given to a printer canvas.
        const int PPI = PixelsPerInch > 0 ? PixelsPerInch : 96;
        const int OtherPPI = Other->PixelsPerInch > 0 ? Other->PixelsPerInch : 96;
        FHeight = LimitedHeight(Other->FHeight * double(PPI) / OtherPPI);
        FColor = Other->FColor;
        FStyle = Other->FStyle;
        FPitch = Other->FPitch;
        FCharset = Other->FCharset;
        FOrientation = Other->FOrientation;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}
