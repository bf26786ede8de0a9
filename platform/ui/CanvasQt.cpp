#include "ui/CanvasQt.h"
#include <QPaintDevice>
#include <QPainter>
#include "ui/CanvasPainter.h"

TPainterCanvas::TPainterCanvas(QPainter* APainter, TSize SurfaceSize) : FPainter(APainter), FSurfaceSize(SurfaceSize) {}

void TPainterCanvas::SetPainter(QPainter* APainter, TSize SurfaceSize)
{
    FPainter = APainter;
    FSurfaceSize = SurfaceSize;
    // Each painter is a fresh surface: no clip, pen at the origin.
    RemoveClipRect();
    MoveTo(0, 0);
}

TSize TPainterCanvas::GetSurfaceSize() const
{
    if (FSurfaceSize.cx > 0 || FSurfaceSize.cy > 0 || !FPainter || !FPainter->isActive())
        return FSurfaceSize;
    return TSize(FPainter->device()->width(), FPainter->device()->height());
}

void DrawImageOnCanvas(TCanvas* Canvas, const TRect& R, const QImage& Image)
{
    TCanvasPainter::DrawImage(Canvas, R, Image);
}
