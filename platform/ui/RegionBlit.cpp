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
    const bool Clipped = Painter.hasClipping();
    const QRegion Clip = Clipped ? Painter.clipRegion() : QRegion();
    QRegion Area = Painter.deviceTransform().inverted().map(System) & Target;
    if (Clipped)
        Area &= Clip;
    for (const QRect& Part : Area) {
        Painter.setClipRect(Part);
        Painter.drawImage(Target, Image);
    }
    if (Clipped)
        Painter.setClipRegion(Clip);
    else
        Painter.setClipping(false);
}
