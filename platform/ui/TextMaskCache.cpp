#include "ui/TextMaskCache.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "ui/Graphics.h"
#include "ui/GraphicsQt.h"
#include "ui/TextKey.h"
#include "ui/TextReach.h"

namespace {

// Labels of a few plots over a run: time labels keep coming, so the
// cache starts over once it holds this many.
constexpr std::size_t MaxEntries = 4096;

bool WritesPlainPixels(const QPainter& P, const QImage& Target)
{
    const QImage::Format F = Target.format();
    return (F == QImage::Format_RGB32 || F == QImage::Format_ARGB32 || F == QImage::Format_ARGB32_Premultiplied) &&
           Target.devicePixelRatio() == 1.0 && P.transform().isIdentity() &&
           P.compositionMode() == QPainter::CompositionMode_SourceOver && P.opacity() == 1.0;
}

}  // namespace

TTextMaskCache& TTextMaskCache::Local()
{
    thread_local TTextMaskCache cache;
    return cache;
}

bool TTextMaskCache::Draw(QPainter& P, const QImage& Target, const QRect& Clip, int X, int Y, const TFont& Font,
                          const std::string& Text)
{
    if (!FEnabled || Font.GetOrientation() % 3600 != 0 || !WritesPlainPixels(P, Target))
        return false;
    TextKey(FKey, Font, {int(Font.GetColor()), Target.dotsPerMeterX(), Target.dotsPerMeterY(), int(P.renderHints())},
            Text);
    auto found = FEntries.find(FKey);
    if (found == FEntries.end()) {
        if (FEntries.size() >= MaxEntries)
            FEntries.clear();
        found = FEntries.emplace(FKey, Make(P, Target, Font, Text)).first;
    }
    const TEntry& entry = found->second;
    if (!entry.Plain)
        return false;
    const QRect area = Clip & Target.rect();
    const QRgb pixel = ToQColor(Font.GetColor()).rgba();
    // Written through constBits, as the painter's own buffer, so that the
    // image is not detached from the painter.
    uchar* const bits = const_cast<uchar*>(Target.constBits());
    const qsizetype rowBytes = Target.bytesPerLine();
    for (const TRun& run : entry.Runs) {
        const int y = Y + run.Y;
        if (y < area.top() || y > area.bottom())
            continue;
        const int left = std::max(X + run.Left, area.left()), right = std::min(X + run.Right, area.right() + 1);
        if (left < right) {
            QRgb* row = reinterpret_cast<QRgb*>(bits + y * rowBytes);
            std::fill(row + left, row + right, pixel);
        }
    }
    ++FHits;
    return true;
}

TTextMaskCache::TEntry TTextMaskCache::Make(const QPainter& P, const QImage& Target, const TFont& Font,
                                            const std::string& Text)
{
    const QFont F = ToQFont(Font);
    const QString S = QString::fromStdString(Text);
    const QColor Color = ToQColor(Font.GetColor());
    const QRect reach = TextReach(QFontMetrics(F, &Target), 0, S);
    TEntry entry;
    // A picture of more pixels than the target holds would cost with the
    // font's size (a font of thousands of pixels asks for gigabytes) what
    // the target can never show: such a text is drawn anew each time,
    // which costs no more than the part of it that lands on the target.
    const std::int64_t pixels = std::int64_t(reach.width()) * reach.height();
    if (pixels > std::int64_t(Target.width()) * Target.height())
        return entry;

    // Drawn as TextOut draws it, at the target's resolution, onto nothing.
    QImage picture(reach.size(), QImage::Format_ARGB32_Premultiplied);
    FPicturePixels += pixels;
    picture.setDotsPerMeterX(Target.dotsPerMeterX());
    picture.setDotsPerMeterY(Target.dotsPerMeterY());
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.setRenderHints(P.renderHints());
        p.translate(-reach.left(), -reach.top());
        p.setFont(F);
        p.setPen(Color);
        p.drawText(0, QFontMetrics(F, p.device()).ascent(), S);
    }

    entry.Plain = Color.alpha() == 255;
    const QRgb opaque = Color.rgba();
    for (int y = 0; y < picture.height() && entry.Plain; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (row[x] == 0)
                continue;
            if (row[x] != opaque) {
                entry.Plain = false;  // a blended edge: drawn anew each time
                break;
            }
            const int left = x;
            while (x + 1 < picture.width() && row[x + 1] == opaque)
                ++x;
            entry.Runs.push_back({y + reach.top(), left + reach.left(), x + 1 + reach.left()});
        }
    }
    if (!entry.Plain)
        entry.Runs.clear();
    return entry;
}
