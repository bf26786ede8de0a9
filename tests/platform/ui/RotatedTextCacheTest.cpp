// Turned text copied from the cache's pictures leaves the pixels drawing it
// anew leaves: over plain and mixed grounds, clipped, across the picture's
// edge, in several colours, fonts and angles, drawn many times at many
// places.
#include <gtest/gtest.h>

#include <string>

#include "GraphicsTestApp.h"
#include "TextCachePictures.h"

namespace {

constexpr int Size = TextPictureSize;

TEST(RotatedTextCache, CopiesLeaveThePixelsOfTextDrawnAnew)
{
    EnsureGraphicsTestApp();
    for (int angle : {900, 2700, 1800, 450}) {
        const std::string at = " at " + std::to_string(angle);
        ExpectSameTextPicture("plain ground" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.Font->SetHeight(-13);
            c.Font->SetColor(clBlue);
            c.TextOut(40, 120, "Pressure [bar]");
            c.Font->SetColor(clRed);
            c.TextOut(100, 110, "Pressure [bar]");
            c.Font->SetStyle(TFontStyles{fsBold});
            c.TextOut(70, 80, "Temperature");
        });
        ExpectSameTextPicture("coloured and mixed grounds" + at, [&](TCanvas& c) {
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
        ExpectSameTextPicture("clipped" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.SetClipRect(TRect(20, 50, 90, 100));
            c.TextOut(50, 120, "Level in the tank");
            c.RemoveClipRect();
            c.TextOut(120, 140, "Level in the tank");
        });
        ExpectSameTextPicture("struck out, across the top left corner" + at, [&](TCanvas& c) {
            c.Font->SetOrientation(angle);
            c.Font->SetStyle(TFontStyles{fsStrikeOut});
            c.TextOut(120, 140, "Level in the tank");
            c.TextOut(-20, -5, "Level in the tank");
        });
    }
}

}  // namespace
