// Text written from the pixels it set the first time leaves the pixels that
// drawing it anew leaves: over plain, coloured and crossed grounds, clipped,
// underlined, in several colours and fonts, drawn many times at many places;
// unturned text is written from them, turned text is left to its own cache.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "GraphicsTestApp.h"
#include "ui/Bitmap.h"
#include "ui/RotatedTextCache.h"
#include "ui/TextMaskCache.h"

namespace {

constexpr int Size = 160;

std::vector<std::uint32_t> PixelsOf(TBitmap& Bitmap)
{
    std::vector<std::uint32_t> p(std::size_t(Size) * Size);
    for (int y = 0; y < Size; ++y)
        std::memcpy(&p[std::size_t(y) * Size], Bitmap.ScanLine(y), Size * sizeof(std::uint32_t));
    return p;
}

// The picture Paint makes with the text caches on and with them off; the
// texts written from their pixels with them on.
std::int64_t ExpectSamePicture(const std::string& What, const std::function<void(TCanvas&)>& Paint)
{
    std::vector<std::uint32_t> pictures[2];
    std::int64_t hits = 0;
    for (bool cached : {true, false}) {
        TTextMaskCache::Local().SetEnabled(cached);
        TRotatedTextCache::Local().SetEnabled(cached);
        const std::int64_t before = TTextMaskCache::Local().Hits();
        TBitmap bitmap(Size, Size);
        TCanvas& c = *bitmap.Canvas;
        c.Brush->SetStyle(bsSolid);
        c.Brush->SetColor(clWhite);
        c.FillRect(TRect(0, 0, Size, Size));
        c.Brush->SetStyle(bsClear);
        // Each picture twice: the first draw may fill the cache, the second
        // writes from it.
        for (int pass = 0; pass < 2; ++pass)
            Paint(c);
        pictures[cached] = PixelsOf(bitmap);
        if (cached)
            hits = TTextMaskCache::Local().Hits() - before;
    }
    TTextMaskCache::Local().SetEnabled(true);
    TRotatedTextCache::Local().SetEnabled(true);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < pictures[0].size(); ++i)
        differing += pictures[0][i] != pictures[1][i];
    EXPECT_EQ(differing, 0u) << What;
    return hits;
}

TEST(TextMaskCache, WrittenTextLeavesThePixelsOfTextDrawnAnew)
{
    EnsureGraphicsTestApp();
    std::int64_t unturnedHits = 0;
    for (int angle : {0, 900, 2700, 1800, 450}) {
        const std::string at = " at " + std::to_string(angle);
        std::int64_t hits = ExpectSamePicture("plain ground" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.Font->SetHeight(-13);
            c.Font->SetColor(clBlue);
            c.TextOut(40, 120, "12:34:56");
            c.Font->SetColor(clRed);
            c.TextOut(100, 110, "12:34:56");
            c.Font->SetStyle(TFontStyles{fsBold});
            c.TextOut(70, 80, "Temperature");
        });
        hits += ExpectSamePicture("coloured and crossed grounds" + at, [&](TCanvas& c) {
            c.Brush->SetStyle(bsSolid);
            c.Brush->SetColor(clNavy);
            c.FillRect(TRect(0, 0, 60, Size));
            c.Brush->SetStyle(bsClear);
            c.Pen->SetColor(clGreen);
            for (int y = 0; y < Size; y += 7) {
                c.MoveTo(0, y);
                c.LineTo(Size, y + 30);
            }
            c.Font->SetOrientation(angle);
            c.Font->SetColor(clYellow);
            c.TextOut(30, 140, "-0.25");
            c.TextOut(110, 150, "Flow");
            c.Font->SetStyle(TFontStyles{fsUnderline, fsItalic});
            c.Font->SetColor(clBlack);
            c.TextOut(58, 130, "Flow [m3/h]");
        });
        hits += ExpectSamePicture("clipped" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.Font->SetStyle(TFontStyles{fsStrikeOut});
            c.SetClipRect(TRect(20, 50, 90, 100));
            c.TextOut(50, 70, "Level in the tank");
            c.RemoveClipRect();
            c.TextOut(120, 140, "Level in the tank");
            c.TextOut(-20, -5, "Level in the tank");
        });
        hits += ExpectSamePicture("across the picture's edges" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.Font->SetHeight(-15);
            for (const TPoint p : {Point(-30, 60), Point(60, -8), Point(Size - 40, 60), Point(60, Size - 6),
                                   Point(5, 30), Point(Size - 5, Size - 30)})
                c.TextOut(p.X, p.Y, "Level in the tank");
        });
        if (angle == 0)
            unturnedHits = hits;
    }
    // Our fonts draw unsmoothed: unturned text is written from its pixels.
    EXPECT_GT(unturnedHits, 0);
}

// A colour another text was kept in, or another text in the same colour,
// is drawn as itself.
TEST(TextMaskCache, EachTextAndColourIsItsOwn)
{
    EnsureGraphicsTestApp();
    ExpectSamePicture("same places", [&](TCanvas& c) {
        for (TColor colour : {clRed, clBlue, clRed})
            for (const char* text : {"1.5", "15", "1.5", "-1.5"}) {
                c.Font->SetColor(colour);
                c.TextOut(10, 10, text);
                c.TextOut(80, 60, text);
            }
    });
}

}  // namespace
