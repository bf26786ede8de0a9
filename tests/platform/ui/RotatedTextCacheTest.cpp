// Turned text copied from the cache's pictures leaves the pixels drawing it
// anew leaves: over plain and mixed grounds, clipped, across the picture's
// edge, in several colours, fonts and angles, drawn many times at many
// places.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "GraphicsTestApp.h"
#include "ui/Bitmap.h"
#include "ui/RotatedTextCache.h"

namespace {

constexpr int Size = 160;

std::vector<std::uint32_t> PixelsOf(TBitmap& Bitmap)
{
    std::vector<std::uint32_t> p(std::size_t(Size) * Size);
    for (int y = 0; y < Size; ++y)
        std::memcpy(&p[std::size_t(y) * Size], Bitmap.ScanLine(y), Size * sizeof(std::uint32_t));
    return p;
}

// The picture Paint makes with the cache on and with it off.
void ExpectSamePicture(const std::string& What, const std::function<void(TCanvas&)>& Paint)
{
    std::vector<std::uint32_t> pictures[2];
    for (bool cached : {true, false}) {
        TRotatedTextCache::Local().SetEnabled(cached);
        TBitmap bitmap(Size, Size);
        TCanvas& c = *bitmap.Canvas;
        c.Brush->SetStyle(bsSolid);
        c.Brush->SetColor(clWhite);
        c.FillRect(TRect(0, 0, Size, Size));
        c.Brush->SetStyle(bsClear);
        // Each picture twice: the first draw may fill the cache, the second
        // copies from it.
        for (int pass = 0; pass < 2; ++pass)
            Paint(c);
        pictures[cached] = PixelsOf(bitmap);
    }
    TRotatedTextCache::Local().SetEnabled(true);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < pictures[0].size(); ++i)
        differing += pictures[0][i] != pictures[1][i];
    EXPECT_EQ(differing, 0u) << What;
}

TEST(RotatedTextCache, CopiesLeaveThePixelsOfTextDrawnAnew)
{
    EnsureGraphicsTestApp();
    for (int angle : {900, 2700, 1800, 450}) {
        const std::string at = " at " + std::to_string(angle);
        ExpectSamePicture("plain ground" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.Font->SetHeight(-13);
            c.Font->SetColor(clBlue);
            c.TextOut(40, 120, "Pressure [bar]");
            c.Font->SetColor(clRed);
            c.TextOut(100, 110, "Pressure [bar]");
            c.Font->SetStyle(TFontStyles{fsBold});
            c.TextOut(70, 80, "Temperature");
        });
        ExpectSamePicture("coloured and mixed grounds" + at, [&](TCanvas& c) {
            c.Brush->SetStyle(bsSolid);
            c.Brush->SetColor(clNavy);
            c.FillRect(TRect(0, 0, 60, Size));
            c.Brush->SetStyle(bsClear);
            c.Pen->SetColor(clGreen);
            c.MoveTo(0, 90);
            c.LineTo(Size, 90);
            c.Font->SetOrientation(angle);
            c.Font->SetColor(clYellow);
            c.TextOut(30, 140, "Flow");
            c.TextOut(110, 150, "Flow");
            c.TextOut(58, 130, "Flow");
        });
        ExpectSamePicture("clipped" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.SetClipRect(TRect(20, 50, 90, 100));
            c.TextOut(50, 120, "Level in the tank");
            c.RemoveClipRect();
            c.TextOut(120, 140, "Level in the tank");
        });
        ExpectSamePicture("struck out, across the top left corner" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.Font->SetStyle(TFontStyles{fsStrikeOut});
            c.TextOut(120, 140, "Level in the tank");
            c.TextOut(-20, -5, "Level in the tank");
        });
    }
}

}  // namespace
