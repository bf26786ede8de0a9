#pragma once
// Private to platform/ui: the box a text drawn at its origin (the top-left
// corner of its cell), turned by Orientation (tenths of a degree), may
// touch: its cell and its ink, with pixels to spare for smoothed edges.
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QTransform>

inline QRect TextReach(const QFontMetrics& Metrics, int Orientation, const QString& S)
{
    const QRect cell(0, 0, Metrics.horizontalAdvance(S), Metrics.height());
    const QRect ink = Metrics.boundingRect(S).translated(0, Metrics.ascent());
    QTransform turn;
    turn.rotate(-Orientation / 10.0);
    return turn.mapRect(QRectF(cell.united(ink))).toAlignedRect().adjusted(-2, -2, 2, 2);
}
