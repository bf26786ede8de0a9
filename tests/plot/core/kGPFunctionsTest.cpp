#include "plot/core/kGPFunctions.h"

#include <gtest/gtest.h>

#include <cmath>

#include <QApplication>

#include "ui/Bitmap.h"
#include "ui/RecordingCanvas.h"

namespace {

// Text measures need the application's fonts.
QApplication& App()
{
    static int argc = 1;
    static char name[] = "kGPFunctionsTest";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

class kGPFunctionsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App(); }

    std::vector<const TCanvasRecord*> Ops(TCanvasOp Op) const
    {
        std::vector<const TCanvasRecord*> r;
        for (const TCanvasRecord& rec : Canvas.Records)
            if (rec.Op == Op)
                r.push_back(&rec);
        return r;
    }

    TRecordingCanvas Canvas{TSize(400, 300)};
};

TEST_F(kGPFunctionsTest, OffsetColorClampsEachChannel)
{
    EXPECT_EQ(OffsetColor(clWhite, 64, true), clWhite);
    EXPECT_EQ(OffsetColor(clBlack, 64, false), clBlack);
    EXPECT_EQ(OffsetColor(RGB(100, 150, 200), 64, true), RGB(164, 214, 255));
    EXPECT_EQ(OffsetColor(RGB(100, 20, 200), 32, false), RGB(68, 0, 168));
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(OffsetColor(clBtnFace, 0, true), face);  // system colours are resolved
}

TEST_F(kGPFunctionsTest, SignificantDecimals)
{
    EXPECT_EQ(SignificantDecimals(3, kpsSignificantDigits, 0, 0.5), 3);
    EXPECT_EQ(SignificantDecimals(3, kpsSignificantDigits, 0, 1000), 0);
    EXPECT_EQ(SignificantDecimals(3, kpsSignificantDigits, 10, 20), 1);
    EXPECT_EQ(SignificantDecimals(4, kpsSignificantDigits, 0, 0.05), 5);
    EXPECT_EQ(SignificantDecimals(3, kpsSignificantDigits, 5, 5), 1);  // no span: 0, plus one below 1
    EXPECT_EQ(SignificantDecimals(0, kpsSignificantDigits, 0, 0.5), 0);
    EXPECT_EQ(SignificantDecimals(2, kpsFixedDecimalPoints, 0, 1000), 2);
}

TEST_F(kGPFunctionsTest, DateTimeUnits)
{
    // one day and 12:34:56.789
    const double v = 1 + (12 * 3600 + 34 * 60 + 56.789) / 86400;
    EXPECT_EQ(DateTimeToMilliseconds(v), 86400000LL + 45296789);
    EXPECT_EQ(DateTimeToSeconds(v), 86400 + 45296);
    EXPECT_EQ(DateTimeToMinutes(v), 1440 + 754);
    EXPECT_EQ(DateTimeToHours(v), 24 + 12);
    // today's day numbers do not overflow
    EXPECT_EQ(DateTimeToMilliseconds(46000.25), 46000LL * 86400000 + 6 * 3600000);
    EXPECT_EQ(DateTimeToMinutes(-1.5), 10000);
    EXPECT_EQ(DateTimeToMinutes(-0.25), 10000);
    EXPECT_EQ(DateTimeToSeconds(-1.5), 2147483647);
    EXPECT_EQ(DateTimeToMilliseconds(-3), 2147483647);
    EXPECT_EQ(DateTimeToHours(-0.5), 2147483647);
}

TEST_F(kGPFunctionsTest, DateTimeUnitsJustBeforeMidnightRoundToTheNextDay)
{
    // Tick arithmetic lands a hair below midnight; the time of day rounds
    // up to 24:00, which must carry into the day count, not vanish.
    const double justBefore = 45000.0 - 1e-11;
    EXPECT_EQ(DateTimeToMilliseconds(justBefore), 45000LL * 86400000);
    EXPECT_EQ(DateTimeToSeconds(justBefore), 45000LL * 86400);
    EXPECT_EQ(DateTimeToMinutes(justBefore), 45000LL * 1440);
    EXPECT_EQ(DateTimeToHours(justBefore), 45000LL * 24);
    EXPECT_EQ(DateTimeToSeconds(1.0 - 1e-12), 86400);
    // a whole millisecond before midnight stays on its day
    EXPECT_EQ(DateTimeToMilliseconds(2.0 - 1.0 / 86400000), 2 * 86400000LL - 1);
}

TEST_F(kGPFunctionsTest, DateTimeUnitsBeyondTheLastDateGiveTheMarker)
{
    // An axis extent of "nothing" (1e300) or infinity is no date: the same
    // marker as a negative value, never an overflowed number.
    for (double v : {1e300, 1e20, HUGE_VAL}) {
        EXPECT_EQ(DateTimeToMilliseconds(v), 2147483647) << v;
        EXPECT_EQ(DateTimeToSeconds(v), 2147483647) << v;
        EXPECT_EQ(DateTimeToMinutes(v), 10000) << v;
        EXPECT_EQ(DateTimeToHours(v), 2147483647) << v;
    }
    // the last day of year 9999 still counts
    EXPECT_EQ(DateTimeToHours(2958465.5), 2958465LL * 24 + 12);
}

TEST_F(kGPFunctionsTest, PaperSizes)
{
    EXPECT_DOUBLE_EQ(MillimetresToInches(25.4), 1.0);
    double w = 0, h = 0;
    GetPaperSizeInches(DMPAPER_LETTER, w, h);
    EXPECT_EQ(w, 8.5);
    EXPECT_EQ(h, 11);
    GetPaperSizeInches(DMPAPER_A4, w, h);
    EXPECT_NEAR(w, 8.2677, 1e-4);
    EXPECT_NEAR(h, 11.6929, 1e-4);
    GetPaperSizeInches(DMPAPER_LEGAL, w, h);
    EXPECT_EQ(h, 14);
    GetPaperSizeInches(999, w, h);
    EXPECT_EQ(w, 8.5);
}

TEST_F(kGPFunctionsTest, PointsAndRectangles)
{
    EXPECT_EQ(OrientedRect(true, 1, 2, 5, 9), TRect(2, 1, 9, 5));
    EXPECT_EQ(OrientedRect(false, 5, 9, 1, 2), TRect(1, 2, 5, 9));
    EXPECT_EQ(NormalizedRect(7, 3, 2, 8), TRect(2, 3, 7, 8));
    EXPECT_EQ(OrientedPoint(true, 3, 4), Point(4, 3));
    EXPECT_EQ(OrientedPoint(false, 3, 4), Point(3, 4));
    EXPECT_EQ(ReversiblePoint(true, 3, 4), Point(4, 3));
    EXPECT_EQ(RectFromPoints(Point(1, 2), Point(3, 4)), TRect(1, 2, 3, 4));
    int a = 1, b = 2;
    SwapInteger(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
}

TEST_F(kGPFunctionsTest, NextTextLineStepsOverEachLineEnd)
{
    const std::string text = "a\r\nb\rc\nd";
    std::size_t pos = 0;
    std::string line;
    std::vector<std::string> lines;
    while (NextTextLine(pos, text, line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
    pos = 0;
    lines.clear();
    while (NextTextLine(pos, "x\n\ny\r\n", line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"x", "", "y"}));
    pos = 0;
    EXPECT_FALSE(NextTextLine(pos, "", line));
}

TEST_F(kGPFunctionsTest, MultiLineMeasures)
{
    const int wide = Canvas.TextWidth("a much longer line");
    EXPECT_EQ(MultiLineTextWidth(&Canvas, "short\r\na much longer line\nmid"), wide);
    const int one = MultiLineTextHeight(&Canvas, "one");
    EXPECT_GT(one, 0);
    EXPECT_EQ(MultiLineTextHeight(&Canvas, "one\r\ntwo\rthree"), 3 * one);
    EXPECT_EQ(WordWrapTextHeight(&Canvas, "alpha beta gamma", Canvas.TextWidth("alpha beta") + 2), 2 * one);
    EXPECT_TRUE(Canvas.Records.empty());  // measuring draws nothing
}

TEST_F(kGPFunctionsTest, DisabledTextIsEmbossed)
{
    Canvas.Font->SetColor(clRed);
    TRect r(10, 10, 200, 40);
    DrawFormattedText(&Canvas, "Off", r, 0, false);
    auto texts = Ops(TCanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Args, (std::vector<int>{11, 11}));
    EXPECT_EQ(texts[0]->Font.Color, OffsetColor(clBtnFace, 64, true));
    EXPECT_EQ(texts[1]->Args, (std::vector<int>{10, 10}));
    EXPECT_EQ(texts[1]->Font.Color, OffsetColor(clBtnFace, 32, false));
    EXPECT_EQ(Canvas.Font->GetColor(), clRed);
    Canvas.Records.clear();
    DrawFormattedText(&Canvas, "On", r, ktfCenter, true);
    texts = Ops(TCanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Font.Color, clRed);
    EXPECT_EQ(texts[0]->Args[0], 10 + (190 - Canvas.TextWidth("On")) / 2);
}

TEST_F(kGPFunctionsTest, RotatedTextCoversAnAreaCentredOnTheRectangle)
{
    const TSize extent = Canvas.TextExtent("Pressure");
    const TRect r(100, 100, 201, 301);  // centre (150, 200)
    TRect out;
    DrawRotatedText(&Canvas, "Pressure", r, out, 1);
    EXPECT_EQ(out.Width(), extent.cy);
    EXPECT_EQ(out.Height(), extent.cx);
    EXPECT_GT(out.Height(), out.Width());
    EXPECT_EQ(out.Left, 150 - extent.cy / 2);
    EXPECT_EQ(out.Top, 200 - extent.cx / 2);
    auto texts = Ops(TCanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Font.Orientation, 900);
    // bottom-to-top text starts at the bottom-left corner of its area
    EXPECT_EQ(texts[0]->Args, (std::vector<int>{out.Left, out.Bottom}));
    EXPECT_EQ(Canvas.Font->GetOrientation(), 0);

    Canvas.Records.clear();
    DrawRotatedText(&Canvas, "Pressure", r, out, 0);
    EXPECT_EQ(out, TRect(150 - extent.cx / 2, 200 - extent.cy / 2, 150 - extent.cx / 2 + extent.cx,
                         200 - extent.cy / 2 + extent.cy));
    EXPECT_EQ(Ops(TCanvasOp::TextOut)[0]->Font.Orientation, 0);

    Canvas.Records.clear();
    DrawRotatedText(&Canvas, "Pressure", r, out, 3);
    texts = Ops(TCanvasOp::TextOut);
    EXPECT_EQ(texts[0]->Font.Orientation, 2700);
    EXPECT_EQ(texts[0]->Args, (std::vector<int>{out.Right, out.Top}));
}

TEST_F(kGPFunctionsTest, RotatedTextInkStaysInsideItsArea)
{
    for (int code = 0; code < 4; ++code) {
        TBitmap bitmap(200, 200);
        bitmap.Canvas->Brush->SetColor(clWhite);
        bitmap.Canvas->FillRect(TRect(0, 0, 200, 200));
        bitmap.Canvas->Brush->SetStyle(bsClear);
        bitmap.Canvas->Font->SetColor(clBlack);
        bitmap.Canvas->Font->SetSize(14);
        TRect out;
        DrawRotatedText(bitmap.Canvas, "WHWH", TRect(40, 40, 161, 161), out, code);
        int inside = 0, outside = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                if (TColor(bitmap.Canvas->Pixels[x][y]) != clWhite)
                    (PtInRect(out, Point(x, y)) ? inside : outside)++;
        EXPECT_GT(inside, 20) << "angle code " << code;
        EXPECT_EQ(outside, 0) << "angle code " << code;
    }
}

TEST_F(kGPFunctionsTest, RotatedTextWithALineBreakDrawsTwoLines)
{
    const int lineHeight = Canvas.TextHeight("kPa");
    TRect out;
    DrawRotatedText(&Canvas, "Pressure\r\nkPa", TRect(0, 0, 300, 300), out, 1);
    auto texts = Ops(TCanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(out.Width(), 2 * lineHeight);
    EXPECT_EQ(texts[0]->Text, "Pressure");
    EXPECT_EQ(texts[1]->Text, "kPa");
    EXPECT_EQ(texts[1]->Args[0] - texts[0]->Args[0], lineHeight);  // next line to the right
}

TEST_F(kGPFunctionsTest, VerticalGradientRunsFromStartToStopColour)
{
    DrawGradient(&Canvas, TRect(0, 0, 10, 5), kfdTopBottom, RGB(0, 0, 0), RGB(200, 100, 40));
    auto lines = Ops(TCanvasOp::LineTo);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0]->Pen.Color, RGB(0, 0, 0));
    EXPECT_EQ(lines[2]->Pen.Color, RGB(100, 50, 20));
    EXPECT_EQ(lines[4]->Pen.Color, RGB(200, 100, 40));
    EXPECT_EQ(lines[4]->Args, (std::vector<int>{10, 4}));
    EXPECT_FALSE(Canvas.HasClipRect());  // the caller's clip comes back

    Canvas.Records.clear();
    DrawGradient(&Canvas, TRect(0, 0, 4, 4), kfdRightLeft, clBlack, clWhite);
    lines = Ops(TCanvasOp::LineTo);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0]->Pen.Color, clWhite);
    EXPECT_EQ(lines[3]->Pen.Color, clBlack);
}

TEST_F(kGPFunctionsTest, EveryGradientCoversItsRectangleAndNothingElse)
{
    for (int d = kfdTopBottom; d <= kfdCircleIn; ++d) {
        TBitmap bitmap(50, 40);
        bitmap.Canvas->Brush->SetColor(clWhite);
        bitmap.Canvas->FillRect(TRect(0, 0, 50, 40));
        const TRect r(5, 4, 43, 31);
        DrawGradient(bitmap.Canvas, r, static_cast<TkFillDirection>(d), clBlack, clBlack);
        int gaps = 0, spills = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 50; ++x) {
                const bool inside = PtInRect(r, Point(x, y));
                const TColor c = bitmap.Canvas->Pixels[x][y];
                gaps += inside && c != clBlack;
                spills += !inside && c != clWhite;
            }
        EXPECT_EQ(gaps, 0) << "direction " << d;
        EXPECT_EQ(spills, 0) << "direction " << d;
        EXPECT_FALSE(bitmap.Canvas->HasClipRect());
    }
}

TEST_F(kGPFunctionsTest, RectangleAndCircleGradientsStartAtTheEdge)
{
    // Step i is the outline shrunk by i: the start colour lies in the
    // rectangle's corner, the stop colour in its middle; the second
    // direction of each pair the other way round.
    const TRect r(0, 0, 60, 48);
    auto edgeAndMiddle = [&](TkFillDirection d) {
        TBitmap bitmap(60, 48);
        DrawGradient(bitmap.Canvas, r, d, clBlack, clWhite);
        return std::make_pair(TColor(bitmap.Canvas->Pixels[1][1]), TColor(bitmap.Canvas->Pixels[30][24]));
    };
    for (TkFillDirection d : {kfdRectangleOut, kfdCircleOut}) {
        const auto [edge, middle] = edgeAndMiddle(d);
        EXPECT_LT(GetRValue(edge), 40) << d;
        EXPECT_GT(GetRValue(middle), 215) << d;
    }
    for (TkFillDirection d : {kfdRectangleIn, kfdCircleIn}) {
        const auto [edge, middle] = edgeAndMiddle(d);
        EXPECT_GT(GetRValue(edge), 215) << d;
        EXPECT_LT(GetRValue(middle), 40) << d;
    }
}

TEST_F(kGPFunctionsTest, GradientsWithoutStepsDoNotDivideByZero)
{
    for (int d = kfdTopBottom; d <= kfdCircleIn; ++d) {
        Canvas.Records.clear();
        DrawGradient(&Canvas, TRect(5, 5, 6, 6), static_cast<TkFillDirection>(d), clRed, clBlue);
        EXPECT_FALSE(Canvas.Records.empty()) << d;
        for (const TCanvasRecord& rec : Canvas.Records) {
            if (rec.Op == TCanvasOp::LineTo) {
                EXPECT_TRUE(rec.Pen.Color == clRed || rec.Pen.Color == clBlue) << d;
            }
        }
        Canvas.Records.clear();
        DrawGradient(&Canvas, TRect(5, 5, 5, 40), static_cast<TkFillDirection>(d), clRed, clBlue);
        EXPECT_TRUE(Ops(TCanvasOp::LineTo).empty()) << d;
    }
    EXPECT_EQ(GradientStepColor(clRed, clBlue, 0, 0), clRed);
}

TEST_F(kGPFunctionsTest, BordersUseTheEdgeColours)
{
    DrawBorder(&Canvas, TRect(0, 0, 20, 10), 2);
    auto rects = Ops(TCanvasOp::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->Pen.Color, clBtnShadow);
    Canvas.Records.clear();
    DrawBorder(&Canvas, TRect(0, 0, 20, 10), 0);
    auto polys = Ops(TCanvasOp::Polyline);
    ASSERT_EQ(polys.size(), 4u);
    EXPECT_EQ(polys[0]->Pen.Color, clBtnShadow);  // sunken: dark at the top left
    EXPECT_EQ(polys[1]->Pen.Color, clBtnHighlight);
    Canvas.Records.clear();
    DrawBorder(&Canvas, TRect(0, 0, 20, 10), 1);
    polys = Ops(TCanvasOp::Polyline);
    ASSERT_EQ(polys.size(), 4u);
    EXPECT_EQ(polys[0]->Pen.Color, cl3DLight);  // raised: light at the top left
}

}  // namespace
