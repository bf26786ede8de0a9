#include "ui/RegionBlit.h"
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QTransform>

void DrawImageByRects(QPainter& Painter, const QRect& Target, const QImage& Image)
{
    const QPaintEngine* Engine = Painter.paintEngine();
    const QRegion System = Engine ? Engine->systemClip() : QRegion();
    if (System.rectCount() <= 1 || Painter.deviceTransform().type() > QTransform::TxTranslate) {
        Painter.drawImage(Target, Image);
        return;
    }
    QRegion Area = Painter.deviceTransform().inverted().map(System) & Target;
    if (Painter.hasClipping())
        Area &= Painter.clipRegion();
    for (const QRect& Part : Area) {
        Painter.setClipRect(Part);
        Painter.drawImage(Target, Image);
    }
}
