#include "ui/GraphicsQt.h"
#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
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

namespace {

// The largest pixel size (em) whose cell, ascent to descent, is at most
// Cell pixels. Without a GUI there are no metrics: about seven eighths.
int PixelSizeForCell(QFont Font, int Cell)
{
    int Pixels = std::max(1, Cell * 7 / 8);
    if (!QGuiApplication::instance())
        return Pixels;
    auto CellAt = [&Font](int Size) {
        Font.setPixelSize(Size);
        return QFontMetrics(Font).height();
    };
    while (Pixels > 1 && CellAt(Pixels) > Cell)
        --Pixels;
    while (CellAt(Pixels + 1) <= Cell)
        ++Pixels;
    return Pixels;
}

}  // namespace

QFont ToQFont(const TFont& Font)
{
    QFont Result(QString::fromStdString(Font.GetName()));
    const TFontStyles Style = Font.GetStyle();
    Result.setBold(Style.Contains(fsBold));
    Result.setItalic(Style.Contains(fsItalic));
    Result.setUnderline(Style.Contains(fsUnderline));
    Result.setStrikeOut(Style.Contains(fsStrikeOut));
    if (Font.GetPitch() == fpFixed)
        Result.setFixedPitch(true);
    Result.setStyleStrategy(QFont::NoAntialias);
    // A negative height is the character height (the em); a positive one
    // the whole cell, which the font's own ascent and descent fill.
    const int Height = Font.GetHeight();
    Result.setPixelSize(Height > 0 ? PixelSizeForCell(Result, Height) : std::max(1, std::abs(Height)));
    return Result;
}
