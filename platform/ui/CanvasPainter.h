#pragma once
// Private to platform/ui: gives the Qt side the painter behind a canvas,
// set up with the canvas's clip and background.
#include "rtl/Types.h"

class QImage;
class QPainter;
class TCanvas;

class TCanvasPainter {
public:
    // Null when the canvas has no active painter.
    static QPainter* Begin(TCanvas* Canvas);
    static void DrawImage(TCanvas* Canvas, const TRect& R, const QImage& Image);
};
