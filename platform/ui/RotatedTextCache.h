#pragma once
// Private to platform/ui: turned text, which the font system draws without
// its glyph cache, kept as pictures of the text over the colour it was
// drawn on. A text drawn again, in the same font and colour, at the same
// angle, over a ground of that one colour, is copied from its picture;
// the pixels are those the text would have drawn, as the picture was drawn
// the same way over the same colour.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <cstdint>
#include <map>
#include <tuple>

class QPainter;

class TRotatedTextCache {
public:
    // The cache of the calling thread.
    static TRotatedTextCache& Local();

    // Draws S turned by Orientation (tenths of a degree) at (X, Y) through
    // P onto Target, clipped to Clip, as TCanvas's TextOut draws it; false
    // when it cannot tell that the copy would be the same picture, and
    // nothing was drawn.
    bool Draw(QPainter& P, const QImage& Target, const QRect& Clip, int X, int Y, const QFont& F, QColor Color,
              int Orientation, const QString& S);

    // Off, Draw always answers false; tests compare the pictures both ways.
    void SetEnabled(bool Value) { FEnabled = Value; }

private:
    struct TEntry {
        QImage Picture;
        QPoint Offset;  // of the picture's corner from the text's origin
    };
    using TKey = std::tuple<QString, QString, QRgb, int, QRgb, int, int>;

    static bool Uniform(const QImage& Image, const QRect& Area, QRgb& Ground);
    const TEntry& Make(const TKey& Key, const QPainter& P, const QImage& Target, const QFont& F, QColor Color,
                       int Orientation, const QString& S, QRgb Ground);

    std::map<TKey, TEntry> FEntries;
    bool FEnabled = true;
};
