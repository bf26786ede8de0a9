// Colour values, system colours from the palette, and conversion to and from Qt.
#include <gtest/gtest.h>
#include <climits>
#include <QApplication>
#include <QPalette>
#include "GraphicsTestApp.h"
#include "ui/Bitmap.h"
#include "ui/GraphicsQt.h"

namespace {

class Colors : public ::testing::Test {
protected:
    void SetUp() override { EnsureGraphicsTestApp(); }
};

TEST_F(Colors, PlainColoursAreBlueGreenRed)
{
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), 0x332211);
    EXPECT_EQ(GetRValue(clNavy), 0);
    EXPECT_EQ(GetBValue(clNavy), 0x80);
    EXPECT_EQ(clRed, RGB(255, 0, 0));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
}

TEST_F(Colors, SystemColoursComeFromThePalette)
{
    const QPalette Palette = QApplication::palette();
    auto AsColor = [](const QColor& C) { return RGB(C.red(), C.green(), C.blue()); };
    EXPECT_EQ(clBtnFace, TColor(0x8000000F));
    EXPECT_EQ(ColorToRGB(clBtnFace), AsColor(Palette.color(QPalette::Active, QPalette::Button)));
    EXPECT_EQ(ColorToRGB(clWindow), AsColor(Palette.color(QPalette::Active, QPalette::Base)));
    EXPECT_EQ(ColorToRGB(clWindowText), AsColor(Palette.color(QPalette::Active, QPalette::Text)));
    EXPECT_EQ(ColorToRGB(clHighlight), AsColor(Palette.color(QPalette::Active, QPalette::Highlight)));
    EXPECT_EQ(ColorToRGB(clGrayText), AsColor(Palette.color(QPalette::Disabled, QPalette::Text)));
    EXPECT_EQ(ColorToRGB(clInfoBk), AsColor(Palette.color(QPalette::Active, QPalette::ToolTipBase)));
    EXPECT_EQ(ColorToRGB(clBtnShadow), GetSysColor(16));
    // An index without a palette role keeps its classic value.
    EXPECT_EQ(ColorToRGB(clGradientActiveCaption), 0xF0CAA6);
}

TEST_F(Colors, ConversionToQtAndBack)
{
    const QColor Q = ToQColor(0x00332211);
    EXPECT_EQ(Q.red(), 0x11);
    EXPECT_EQ(Q.green(), 0x22);
    EXPECT_EQ(Q.blue(), 0x33);
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201);
    EXPECT_EQ(FromQColor(ToQColor(clTeal)), clTeal);
    EXPECT_EQ(FromQColor(ToQColor(clBtnFace)), ColorToRGB(clBtnFace));
}

TEST_F(Colors, CanvasPaintsSystemColoursResolved)
{
    TBitmap Bmp(4, 4);
    Bmp.Canvas->Brush->Color = clHighlight;
    Bmp.Canvas->FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(Bmp.Canvas->Pixels[2][2], ColorToRGB(clHighlight));
}

TEST(DrawingTools, FontSizeAndHeightFollowEachOther)
{
    TFont Font;
    EXPECT_EQ(Font.Size(), 8);
    EXPECT_EQ(Font.Height(), -11);
    Font.Size = 10;
    EXPECT_EQ(Font.Height(), -13);
    Font.Height = -16;
    EXPECT_EQ(Font.Size(), 12);
    TFont Printer;
    Printer.PixelsPerInch = 600;
    Printer.Size = 10;
    EXPECT_EQ(Printer.Height(), -83);
    // Assigning a screen font to a printer font keeps its size in points.
    Printer.Assign(&Font);
    EXPECT_EQ(Printer.Size(), 12);
}

// Files and streams hold a font's Height and then its Size: the size the
// height already has, set again, must leave the height as it is (a height
// of 22 pixels is 16.5 points, written as 17, which alone would make 23).
TEST(DrawingTools, SettingTheSizeAFontAlreadyHasKeepsItsHeight)
{
    for (const int ppi : {48, 72, 96, 120, 144, 600})
        for (int height = -300; height <= 300; ++height) {
            TFont Font;
            Font.PixelsPerInch = ppi;
            Font.Height = height;
            int Changes = 0;
            Font.OnChange = [&](TObject*) { ++Changes; };
            Font.Size = Font.Size();
            EXPECT_EQ(Font.Height(), height) << ppi << " pixels per inch";
            EXPECT_EQ(Changes, 0);
        }
    TFont Font;
    Font.Height = -22;
    EXPECT_EQ(Font.Size(), 17);
    Font.Size = 18;
    EXPECT_EQ(Font.Height(), -24);
}

// Sizes and heights far beyond any screen stop at the largest height:
// turned into pixels they once overflowed and came back as other sizes.
TEST(DrawingTools, FontHeightsStopAtTheLargestHeightWhateverTheEntry)
{
    TFont Font;
    Font.Size = 146851795;
    EXPECT_EQ(Font.Height(), -32767);
    EXPECT_EQ(Font.Size(), 24575);
    Font.Size = INT_MIN;
    EXPECT_EQ(Font.Height(), 32767);
    Font.Height = INT_MIN;
    EXPECT_EQ(Font.Height(), -32767);
    EXPECT_EQ(Font.Size(), 24575);

    TFont Printer;
    Printer.PixelsPerInch = 600;
    Printer.Size = 24575;
    EXPECT_EQ(Printer.Height(), -32767);
    TFont Screen;
    Screen.Height = -32767;
    Printer.Assign(&Screen);
    EXPECT_EQ(Printer.Height(), -32767);
    // Whatever the resolution, a size converts without overflowing.
    Printer.PixelsPerInch = INT_MAX;
    Printer.Size = INT_MAX;
    EXPECT_EQ(Printer.Height(), -32767);
}

TEST(DrawingTools, ChangesAreReportedOncePerRealChange)
{
    TFont Font;
    TPen Pen;
    TBrush Brush;
    int Changes = 0;
    auto Count = [&](TObject*) { ++Changes; };
    Font.OnChange = Count;
    Pen.OnChange = Count;
    Brush.OnChange = Count;
    Font.Style = TFontStyles{fsBold, fsItalic};
    Font.Style = TFontStyles{fsBold, fsItalic};
    Font.Name = "Arial";
    Font.Orientation = 900;
    Pen.Color = clRed;
    Pen.Color = clRed;
    Pen.Width = 3;
    Pen.Mode = pmXor;
    Brush.Style = bsCross;
    EXPECT_EQ(Changes, 7);
    EXPECT_TRUE(Font.Style().Contains(fsItalic));
    EXPECT_FALSE(Font.Style().Contains(fsUnderline));
    EXPECT_EQ(Font.Name(), "Arial");
}

TEST(DrawingTools, ColouringAClearBrushMakesItSolid)
{
    TBrush Brush;
    Brush.Style = bsClear;
    Brush.Color = clRed;
    EXPECT_EQ(Brush.Style(), bsSolid);
    EXPECT_EQ(Brush.Color(), clRed);
}

TEST(DrawingTools, AssignCopiesEverySetting)
{
    TPen Pen;
    Pen.Color = clBlue;
    Pen.Width = 4;
    Pen.Style = psDot;
    Pen.Mode = pmNotXor;
    TPen Copy;
    Copy.Assign(&Pen);
    EXPECT_EQ(Copy.Color(), clBlue);
    EXPECT_EQ(Copy.Width(), 4);
    EXPECT_EQ(Copy.Style(), psDot);
    EXPECT_EQ(Copy.Mode(), pmNotXor);

    TFont Font;
    Font.Name = "Courier";
    Font.Color = clGreen;
    Font.Style = TFontStyles{fsUnderline};
    Font.Charset = GB2312_CHARSET;
    Font.Pitch = fpFixed;
    TFont FontCopy;
    FontCopy.Assign(&Font);
    EXPECT_EQ(FontCopy.Name(), "Courier");
    EXPECT_EQ(FontCopy.Color(), clGreen);
    EXPECT_TRUE(FontCopy.Style().Contains(fsUnderline));
    EXPECT_EQ(FontCopy.Charset(), GB2312_CHARSET);
    EXPECT_EQ(FontCopy.Pitch(), fpFixed);
    EXPECT_THROW(FontCopy.Assign(&Pen), EConvertError);
}

}  // namespace
