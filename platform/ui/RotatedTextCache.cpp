#include "ui/RotatedTextCache.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/TextReach.h"

namespace {

// Axis titles and turned labels of a few plots, in a few fonts.
constexpr std::size_t MaxEntries = 256;

void DrawText(QPainter& P, int X, int Y, const QFont& F, QColor Color, int Orientation, const QString& S)
{
    P.translate(X, Y);
    P.rotate(-Orientation / 10.0);
    P.setFont(F);
    P.setPen(Color);
    P.drawText(0, QFontMetrics(F, P.device()).ascent(), S);
}

}  // namespace

TRotatedTextCache& TRotatedTextCache::Local()
{
    thread_local TRotatedTextCache cache;
    return cache;
}

bool TRotatedTextCache::Uniform(const QImage& Image, const QRect& Area, QRgb& Ground)
{
    Ground = reinterpret_cast<const QRgb*>(Image.constScanLine(Area.top()))[Area.left()];
    for (int y = Area.top(); y <= Area.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(Image.constScanLine(y));
        for (int x = Area.left(); x <= Area.right(); ++x)
            if (row[x] != Ground)
                return false;
    }
    return true;
}

bool TRotatedTextCache::Draw(QPainter& P, const QImage& Target, const QRect& Clip, int X, int Y, const QFont& F,
                             QColor Color, int Orientation, const QString& S)
{
    // Only what a plain copy of 32-bit pixels reproduces exactly.
    if (!FEnabled || Target.depth() != 32 || Target.devicePixelRatio() != 1.0 || !P.transform().isIdentity() ||
        P.compositionMode() != QPainter::CompositionMode_SourceOver || P.opacity() != 1.0)
        return false;
    const QFontMetrics metrics(F, &Target);
    const QRect reach = TextReach(metrics, Orientation, S).translated(X, Y);
    const QRect area = reach & Clip & Target.rect();
    QRgb ground = 0;
    // Outlines that cross the picture's edge are cut there before they are
    // filled, which may set other pixels next to the edge than the whole
    // outline drawn in the cache's picture: such text is drawn anew.
    if (area.isEmpty() || !Target.rect().contains(reach) || !Uniform(Target, area, ground))
        return false;
    const TKey key{S, F.key(), Color.rgba(), Orientation, ground, int(Target.format()), int(P.renderHints())};
    auto found = FEntries.find(key);
    const TEntry& entry = found != FEntries.end() ? found->second
                                                  : Make(key, P, Target, F, Color, Orientation, S, ground);
    const QPoint corner = QPoint(X, Y) + entry.Offset;
    P.save();
    P.setCompositionMode(QPainter::CompositionMode_Source);
    P.drawImage(area.topLeft(), entry.Picture, area.translated(-corner));
    P.restore();
    return true;
}

const TRotatedTextCache::TEntry& TRotatedTextCache::Make(const TKey& Key, const QPainter& P, const QImage& Target,
                                                         const QFont& F, QColor Color, int Orientation,
                                                         const QString& S, QRgb Ground)
{
    if (FEntries.size() >= MaxEntries)
        FEntries.clear();
    const QRect reach = TextReach(QFontMetrics(F, &Target), Orientation, S);
    TEntry entry{QImage(reach.size(), Target.format()), reach.topLeft()};
    // Measured and drawn at the target's resolution, over its colour.
    entry.Picture.setDotsPerMeterX(Target.dotsPerMeterX());
    entry.Picture.setDotsPerMeterY(Target.dotsPerMeterY());
    entry.Picture.fill(Ground);
    {
        QPainter p(&entry.Picture);
        p.setRenderHints(P.renderHints());
        DrawText(p, -reach.left(), -reach.top(), F, Color, Orientation, S);
    }
    return FEntries.emplace(Key, std::move(entry)).first->second;
}
