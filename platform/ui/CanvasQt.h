#pragma once
// Private to platform/ui: a canvas that paints through a given QPainter
// (a widget's paint event, a printer page, an image).
#include "ui/Canvas.h"

class TPainterCanvas : public TCanvas {
public:
    // SurfaceSize is the painted area's size, reported by ClipRect when no
    // clip rectangle is set; zero takes the painter's device size.
    explicit TPainterCanvas(QPainter* APainter = nullptr, TSize SurfaceSize = TSize(0, 0));

    // Points the canvas at another painter (nullptr: draw nothing); the
    // clip rectangle is removed and PenPos goes back to (0, 0).
    void SetPainter(QPainter* APainter, TSize SurfaceSize = TSize(0, 0));
    TSize GetSurfaceSize() const override;

protected:
    QPainter* Painter() override { return FPainter; }

private:
    QPainter* FPainter;
    TSize FSurfaceSize;
};

// Draws Image stretched into R of Canvas (mirrored when R is reversed).
void DrawImageOnCanvas(TCanvas* Canvas, const TRect& R, const QImage& Image);
