// Text placement by the top of its cell, rotated text and DrawText layout.
#include <gtest/gtest.h>
#include "GraphicsTestApp.h"
#include "ui/Bitmap.h"
#include "ui/RecordingCanvas.h"

namespace {

// The box around every pixel that is not white, or an empty rectangle.
TRect InkBox(TBitmap& Bmp)
{
    TRect Box(1 << 20, 1 << 20, -1, -1);
    for (int Y = 0; Y < Bmp.GetHeight(); ++Y)
        for (int X = 0; X < Bmp.GetWidth(); ++X)
            if (Bmp.Canvas->GetPixel(X, Y) != clWhite) {
                Box.Left = std::min(Box.Left, X);
                Box.Top = std::min(Box.Top, Y);
                Box.Right = std::max(Box.Right, X + 1);
                Box.Bottom = std::max(Box.Bottom, Y + 1);
            }
    return Box;
}

class TextDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGraphicsTestApp();
        Bmp.SetSize(120, 120);
        Bmp.Canvas->Brush->Color = clWhite;
        Bmp.Canvas->FillRect(Rect(0, 0, 120, 120));
        Bmp.Canvas->Font->Height = -14;
        Bmp.Canvas->Font->Color = clBlack;
    }
    TBitmap Bmp;
};

TEST_F(TextDrawing, SolidBrushFillsExactlyTheTextCellBelowAndRightOfThePoint)
{
    const TSize Size = Bmp.Canvas->TextExtent("Hig");
    ASSERT_GT(Size.cx, 0);
    ASSERT_GT(Size.cy, 14);
    Bmp.Canvas->Brush->Color = clYellow;
    Bmp.Canvas->TextOut(10, 20, "Hig");
    EXPECT_EQ(InkBox(Bmp), Rect(10, 20, 10 + Size.cx, 20 + Size.cy));
    EXPECT_EQ(Bmp.Canvas->Pixels[10][20], clYellow);
    EXPECT_EQ(Bmp.Canvas->PenPos(), Point(10 + Size.cx, 20));
}

TEST_F(TextDrawing, ClearBrushDrawsOnlyTheGlyphsInsideTheCell)
{
    const TSize Size = Bmp.Canvas->TextExtent("Hig");
    Bmp.Canvas->Brush->Style = bsClear;
    Bmp.Canvas->TextOut(10, 20, "Hig");
    const TRect Ink = InkBox(Bmp);
    EXPECT_GE(Ink.Left, 10);
    EXPECT_GE(Ink.Top, 20);
    EXPECT_LE(Ink.Right, 10 + Size.cx + 1);
    EXPECT_LE(Ink.Bottom, 20 + Size.cy);
    // Glyph tops sit near the cell top, not a baseline at Y.
    EXPECT_LT(Ink.Top, 20 + Size.cy / 2);
    EXPECT_EQ(Bmp.Canvas->Pixels[10][20], clWhite);
}

TEST_F(TextDrawing, OrientationTurnsTextCounterClockwiseAboutItsPoint)
{
    const TSize Size = Bmp.Canvas->TextExtent("Hello");
    Bmp.Canvas->Font->Orientation = 900;
    Bmp.Canvas->Brush->Color = clAqua;
    Bmp.Canvas->TextOut(30, 100, "Hello");
    const TRect Ink = InkBox(Bmp);
    // Written bottom to top: the cell now stands on (30, 100) and grows up.
    EXPECT_NEAR(Ink.Left, 30, 1);
    EXPECT_NEAR(Ink.Right, 30 + Size.cy, 1);
    EXPECT_NEAR(Ink.Bottom, 100, 1);
    EXPECT_NEAR(Ink.Top, 100 - Size.cx, 1);
    EXPECT_GT(Ink.Height(), Ink.Width());
}

TEST_F(TextDrawing, TextRectClipsToItsRectangleAndFillsAllOfIt)
{
    Bmp.Canvas->Brush->Color = clSilver;
    Bmp.Canvas->TextRect(Rect(10, 10, 30, 20), 12, 12, "a long text that runs out");
    EXPECT_EQ(InkBox(Bmp), Rect(10, 10, 30, 20));
    EXPECT_EQ(Bmp.Canvas->Pixels[10][10], clSilver);
    EXPECT_EQ(Bmp.Canvas->Pixels[11][19], clSilver);
}

class DrawTextLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGraphicsTestApp();
        Canvas.Font->Height = -12;
    }
    std::vector<TCanvasRecord> Texts() const
    {
        std::vector<TCanvasRecord> Result;
        for (const TCanvasRecord& R : Canvas.Records)
            if (R.Op == TCanvasOp::TextOut)
                Result.push_back(R);
        return Result;
    }
    TRecordingCanvas Canvas{TSize(300, 200)};
};

TEST_F(DrawTextLayout, CalcRectMeasuresWithoutDrawing)
{
    TRect R(5, 7, 5, 7);
    const int Height = Canvas.DrawText("one\r\nlonger line", R, DT_CALCRECT);
    EXPECT_EQ(Height, 2 * Canvas.TextHeight("Wg"));
    EXPECT_EQ(R, Rect(5, 7, 5 + Canvas.TextWidth("longer line"), 7 + Height));
    EXPECT_TRUE(Canvas.Records.empty());
}

TEST_F(DrawTextLayout, WordBreakWrapsAtSpacesAndStacksLines)
{
    const int Width = Canvas.TextWidth("alpha beta");
    TRect R(0, 0, Width + 2, 100);
    const int Height = Canvas.DrawText("alpha beta gamma", R, DT_WORDBREAK);
    const auto Lines = Texts();
    ASSERT_EQ(Lines.size(), 2u);
    EXPECT_EQ(Lines[0].Text, "alpha beta");
    EXPECT_EQ(Lines[1].Text, "gamma");
    const int LineHeight = Canvas.TextHeight("Wg");
    EXPECT_EQ(Lines[0].Args, (std::vector<int>{0, 0}));
    EXPECT_EQ(Lines[1].Args, (std::vector<int>{0, LineHeight}));
    EXPECT_EQ(Height, 2 * LineHeight);
}

TEST_F(DrawTextLayout, CentredSingleLineAndPrefixes)
{
    TRect R(10, 10, 210, 60);
    Canvas.DrawText("&Save && close", R, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const auto Lines = Texts();
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_EQ(Lines[0].Text, "Save & close");
    const int W = Canvas.TextWidth("Save & close");
    const int H = Canvas.TextHeight("Wg");
    EXPECT_EQ(Lines[0].Args, (std::vector<int>{10 + (200 - W) / 2, 10 + (50 - H) / 2}));
    // Drawn inside a clip of the rectangle, which is removed again.
    ASSERT_GE(Canvas.Records.size(), 3u);
    EXPECT_EQ(Canvas.Records.front().Op, TCanvasOp::SetClip);
    EXPECT_EQ(Canvas.Records.front().Args, (std::vector<int>{10, 10, 210, 60}));
    EXPECT_EQ(Canvas.Records.back().Op, TCanvasOp::RemoveClip);
    EXPECT_FALSE(Canvas.HasClipRect());
}

TEST_F(DrawTextLayout, EndEllipsisShortensTextToFit)
{
    TRect R(0, 0, Canvas.TextWidth("abcdef"), 20);
    Canvas.DrawText("abcdefghijklmnop", R, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    const auto Lines = Texts();
    ASSERT_EQ(Lines.size(), 1u);
    const std::string& T = Lines[0].Text;
    ASSERT_GE(T.size(), 4u);
    EXPECT_EQ(T.substr(T.size() - 3), "...");
    EXPECT_EQ(T.substr(0, 1), "a");
    EXPECT_LE(Canvas.TextWidth(T), R.Width());
    EXPECT_EQ(Canvas.Records.size(), 1u);  // DT_NOCLIP: no clip records
}

TEST_F(DrawTextLayout, RightAlignedLinesEndAtTheRightEdge)
{
    TRect R(0, 0, 150, 100);
    Canvas.DrawText("ab\ncdef", R, DT_RIGHT);
    const auto Lines = Texts();
    ASSERT_EQ(Lines.size(), 2u);
    EXPECT_EQ(Lines[0].Args[0], 150 - Canvas.TextWidth("ab"));
    EXPECT_EQ(Lines[1].Args[0], 150 - Canvas.TextWidth("cdef"));
}

TEST_F(DrawTextLayout, LeadingSpacesNeverMakeAnEmptyLine)
{
    TRect R(0, 0, Canvas.TextWidth("abcdef") - 1, 100);
    Canvas.DrawText("  abcdefgh ij", R, DT_WORDBREAK);
    const auto Lines = Texts();
    ASSERT_EQ(Lines.size(), 2u);
    EXPECT_EQ(Lines[0].Text, "  abcdefgh");
    EXPECT_EQ(Lines[1].Text, "ij");
}

TEST_F(DrawTextLayout, WideCharactersWrapBetweenEachOther)
{
    const std::string Text = "\xE6\x95\xB0\xE6\x8D\xAE\xE9\x87\x87\xE9\x9B\x86";  // four CJK characters
    const int Two = Canvas.TextWidth("\xE6\x95\xB0\xE6\x8D\xAE");
    TRect R(0, 0, Two + 1, 100);
    Canvas.DrawText(Text, R, DT_WORDBREAK);
    const auto Lines = Texts();
    ASSERT_EQ(Lines.size(), 2u);
    EXPECT_EQ(Lines[0].Text, "\xE6\x95\xB0\xE6\x8D\xAE");
    EXPECT_EQ(Lines[1].Text, "\xE9\x87\x87\xE9\x9B\x86");

    // Punctuation below the CJK ranges (an ellipsis) keeps to its word.
    Canvas.Records.clear();
    TRect Narrow(0, 0, Canvas.TextWidth("ab"), 100);
    Canvas.DrawText("ab\xE2\x80\xA6", Narrow, DT_WORDBREAK);
    ASSERT_EQ(Texts().size(), 1u);
}

}  // namespace

// A font's height follows the platform's sign rule: negative is the
// character height (the em), positive the whole cell, ascent to descent.
TEST(FontHeight, PositiveIsTheCellAndNegativeTheCharacterHeight)
{
    EnsureGraphicsTestApp();
    for (const char* Name : {"MS Sans Serif", "Arial"})
        for (const int Pixels : {13, 29, 64}) {
            SCOPED_TRACE(std::string(Name) + " " + std::to_string(Pixels));
            TBitmap Bmp;
            Bmp.Canvas->Font->Name = Name;
            Bmp.Canvas->Font->Height = Pixels;
            const int Cell = Bmp.Canvas->TextHeight("Hg");
            EXPECT_LE(Cell, Pixels);
            EXPECT_GE(Cell, Pixels - 1);
            Bmp.Canvas->Font->Height = -Pixels;
            EXPECT_GT(Bmp.Canvas->TextHeight("Hg"), Pixels);
        }
}

// Measuring again after the font changed gives the new font's measure,
// not one found for the old font or for another text before.
TEST(FontHeight, MeasuresFollowTheFontAndTheTextFromCallToCall)
{
    EnsureGraphicsTestApp();
    TBitmap Bmp;
    TCanvas* C = Bmp.Canvas;
    C->Font->Name = "Arial";
    C->Font->Height = -13;
    const TSize Small = C->TextExtent("Hello 12:00");
    EXPECT_EQ(C->TextExtent("Hello 12:00"), Small);
    EXPECT_GT(C->TextWidth("Hello 12:00:00"), Small.cx);
    C->Font->Height = -29;
    const TSize Large = C->TextExtent("Hello 12:00");
    EXPECT_GT(Large.cx, Small.cx);
    EXPECT_GT(Large.cy, Small.cy);
    C->Font->Style = TFontStyles{fsBold};
    EXPECT_GT(C->TextWidth("Hello 12:00"), Large.cx);
    C->Font->Style = TFontStyles{};
    EXPECT_EQ(C->TextExtent("Hello 12:00"), Large);
    EXPECT_LT(C->TextWidth("iiii"), C->TextWidth("WWWW"));
}
