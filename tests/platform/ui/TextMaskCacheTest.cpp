// Text written from the pixels it set the first time leaves the pixels that
// drawing it anew leaves: over plain, coloured and crossed grounds, clipped,
// underlined, in several colours and fonts, drawn many times at many places;
// unturned text is written from them, turned text is left to its own cache.
#include <gtest/gtest.h>

#include <string>

#include "GraphicsTestApp.h"
#include "TextCachePictures.h"

namespace {

constexpr int Size = TextPictureSize;

TEST(TextMaskCache, WrittenTextLeavesThePixelsOfTextDrawnAnew)
{
    EnsureGraphicsTestApp();
    std::int64_t unturnedHits = 0;
    for (int angle : {0, 900, 2700, 1800, 450}) {
        const std::string at = " at " + std::to_string(angle);
        std::int64_t hits = ExpectSameTextPicture("plain ground" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.Font->SetHeight(-13);
            c.Font->SetColor(clBlue);
            c.TextOut(40, 120, "12:34:56");
            c.Font->SetColor(clRed);
            c.TextOut(100, 110, "12:34:56");
            c.Font->SetStyle(TFontStyles{fsBold});
            c.TextOut(70, 80, "Temperature");
        });
        hits += ExpectSameTextPicture("coloured and crossed grounds" + at, [&](TCanvas& c) {
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
        hits += ExpectSameTextPicture("clipped" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.Font->SetStyle(TFontStyles{fsStrikeOut});
            c.SetClipRect(TRect(20, 50, 90, 100));
            c.TextOut(50, 70, "Level in the tank");
            c.RemoveClipRect();
            c.TextOut(120, 140, "Level in the tank");
            c.TextOut(-20, -5, "Level in the tank");
        });
        hits += ExpectSameTextPicture("across the picture's edges" + at, [&](TCanvas& c) {
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
    ExpectSameTextPicture("same places", [&](TCanvas& c) {
        for (TColor colour : {clRed, clBlue, clRed})
            for (const char* text : {"1.5", "15", "1.5", "-1.5"}) {
                c.Font->SetColor(colour);
                c.TextOut(10, 10, text);
                c.TextOut(80, 60, text);
            }
    });
}

// A font many times the picture's size costs no more than the picture
// holds: the text still sets the pixels it sets drawn anew, and no picture
// larger than the target is made to find them.
TEST(TextMaskCache, AHugeFontCostsNoMoreThanThePictureHolds)
{
    EnsureGraphicsTestApp();
    const std::int64_t before = TTextMaskCache::Local().PicturePixels();
    ExpectSameTextPicture("huge font", [&](TCanvas& c) {
        c.Font->SetHeight(-4000);
        c.TextOut(-300, -900, "Wg");
        c.TextOut(40, 60, "Wg");
    });
    // Two passes on each side; the cache's own pictures are what is counted.
    EXPECT_LE(TTextMaskCache::Local().PicturePixels() - before, std::int64_t(Size) * Size);
    // A text of the usual size is still written from its pixels.
    const std::int64_t hits = ExpectSameTextPicture("usual font", [&](TCanvas& c) {
        c.Font->SetHeight(-13);
        c.TextOut(10, 10, "12:34:56");
    });
    EXPECT_GT(hits, 0);
}

}  // namespace
