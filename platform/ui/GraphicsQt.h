#pragma once
// Private to platform/ui: conversions between the drawing types and Qt's.
#include <QColor>
#include <QFont>
#include <QImage>
#include "ui/Color.h"
#include "ui/Font.h"

class TBitmap;

// System colours are resolved first.
QColor ToQColor(TColor Color);
TColor FromQColor(const QColor& Color);
QFont ToQFont(const TFont& Font);

// The image behind a bitmap (Format_RGB32, or ARGB32 when it carries alpha).
const QImage& BitmapImage(const TBitmap& Bitmap);
void SetBitmapImage(TBitmap& Bitmap, const QImage& Image);
