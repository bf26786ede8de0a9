#include "ui/GraphicsQt.h"
#include <cstdlib>

QColor ToQColor(TColor Color)
{
    const TColor Value = ColorToRGB(Color);
    return QColor(GetRValue(Value), GetGValue(Value), GetBValue(Value));
}

TColor FromQColor(const QColor& Color)
{
    return RGB(Color.red(), Color.green(), Color.blue());
}

QFont ToQFont(const TFont& Font)
{
    QFont Result(QString::fromStdString(Font.GetName()));
    // A negative height is the character height; a positive one the whole
    // cell, of which the character takes about seven eighths.
    int Pixels = Font.GetHeight();
    if (Pixels > 0)
        Pixels = std::max(1, Pixels * 7 / 8);
    else
        Pixels = std::max(1, std::abs(Pixels));
    Result.setPixelSize(Pixels);
    const TFontStyles Style = Font.GetStyle();
    Result.setBold(Style.Contains(fsBold));
    Result.setItalic(Style.Contains(fsItalic));
    Result.setUnderline(Style.Contains(fsUnderline));
    Result.setStrikeOut(Style.Contains(fsStrikeOut));
    if (Font.GetPitch() == fpFixed)
        Result.setFixedPitch(true);
    Result.setStyleStrategy(QFont::NoAntialias);
    return Result;
}
