#pragma once
// Private to platform/ui: a picture drawn onto a widget's painter.
class QImage;
class QPainter;
class QRect;

// Draws Image into Target as QPainter::drawImage does, pixel for pixel.
// Where the paint region is several rectangles (a window's children cut
// out of it), the raster engine would fill the picture span by span and
// split that over Qt's thread pool, waking its threads at every paint;
// one rectangle at a time it copies rows in the calling thread. The
// painter's clip is then left on the last rectangle: the canvas sets its
// own again at its next call.
void DrawImageByRects(QPainter& Painter, const QRect& Target, const QImage& Image);
