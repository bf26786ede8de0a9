// The Windows drawing rules, read back from bitmap pixels.
#include <gtest/gtest.h>
#include "GraphicsTestApp.h"
#include "ui/Bitmap.h"

#include <cstdlib>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace {

class DrawingRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGraphicsTestApp();
        Bmp.SetSize(40, 30);
        Bmp.Canvas->Brush->Color = clWhite;
        Bmp.Canvas->FillRect(Rect(0, 0, 40, 30));
    }
    TColor At(int X, int Y) { return Bmp.Canvas->Pixels[X][Y]; }
    TBitmap Bmp;
};

TEST_F(DrawingRules, LineToLeavesOutTheEndPixel)
{
    Bmp.Canvas->Pen->Color = clRed;
    Bmp.Canvas->MoveTo(2, 5);
    Bmp.Canvas->LineTo(10, 5);
    EXPECT_EQ(At(2, 5), clRed);
    EXPECT_EQ(At(9, 5), clRed);
    EXPECT_EQ(At(10, 5), clWhite);
    EXPECT_EQ(At(1, 5), clWhite);
    EXPECT_EQ(Bmp.Canvas->PenPos(), Point(10, 5));

    Bmp.Canvas->MoveTo(20, 2);
    Bmp.Canvas->LineTo(20, 12);
    EXPECT_EQ(At(20, 11), clRed);
    EXPECT_EQ(At(20, 12), clWhite);

    Bmp.Canvas->MoveTo(25, 20);
    Bmp.Canvas->LineTo(30, 25);
    EXPECT_EQ(At(25, 20), clRed);
    EXPECT_EQ(At(29, 24), clRed);
    EXPECT_EQ(At(30, 25), clWhite);

    // Every direction draws its start pixel and leaves out its end pixel.
    const TPoint Starts[] = {{5, 1}, {1, 1}, {1, 5}, {5, 5}};
    const TPoint Ends[] = {{1, 5}, {5, 5}, {5, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        Bmp.Canvas->FillRect(Rect(0, 0, 40, 30));
        Bmp.Canvas->MoveTo(Starts[i].X, Starts[i].Y);
        Bmp.Canvas->LineTo(Ends[i].X, Ends[i].Y);
        EXPECT_EQ(At(Starts[i].X, Starts[i].Y), clRed) << i;
        EXPECT_EQ(At(Ends[i].X, Ends[i].Y), clWhite) << i;
        EXPECT_EQ(At(3, 3), clRed) << i;
    }
}

// The pixels of a thin solid line from (X0, Y0) to (X1, Y1): Bresenham
// steps from the start pixel, the end pixel left out.
std::set<std::pair<int, int>> LinePixels(int X0, int Y0, int X1, int Y1)
{
    std::set<std::pair<int, int>> Pixels;
    const int dx = std::abs(X1 - X0), dy = -std::abs(Y1 - Y0);
    const int sx = X0 < X1 ? 1 : -1, sy = Y0 < Y1 ? 1 : -1;
    int err = dx + dy;
    while (X0 != X1 || Y0 != Y1) {
        Pixels.emplace(X0, Y0);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            X0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            Y0 += sy;
        }
    }
    return Pixels;
}

// Every pixel of thin lines in all directions and slopes, straight, steep,
// shallow and diagonal, with and without a clip rectangle, is exactly the
// stepped line's: the trace of a chart is made of such lines.
TEST_F(DrawingRules, ThinLinesSetExactlyTheSteppedPixels)
{
    Bmp.SetSize(61, 61);
    std::vector<TPoint> Ends;
    for (int i = -25; i <= 25; i += 5) {
        Ends.push_back(Point(30 + i, 5));
        Ends.push_back(Point(30 + i, 55));
        Ends.push_back(Point(5, 30 + i));
        Ends.push_back(Point(55, 30 + i));
    }
    for (TPoint E : {Point(31, 30), Point(30, 31), Point(29, 29), Point(31, 58), Point(58, 29), Point(2, 31)})
        Ends.push_back(E);
    const TRect Clip = Rect(12, 20, 47, 41);
    for (bool Clipped : {false, true}) {
        for (TPoint E : Ends) {
            Bmp.Canvas->RemoveClipRect();
            Bmp.Canvas->Brush->Color = clWhite;
            Bmp.Canvas->FillRect(Rect(0, 0, 61, 61));
            if (Clipped)
                Bmp.Canvas->SetClipRect(Clip);
            Bmp.Canvas->Pen->Color = clRed;
            Bmp.Canvas->MoveTo(30, 30);
            Bmp.Canvas->LineTo(E.X, E.Y);
            const std::set<std::pair<int, int>> Expected = LinePixels(30, 30, E.X, E.Y);
            int Wrong = 0;
            for (int y = 0; y < 61; ++y)
                for (int x = 0; x < 61; ++x) {
                    const bool Inside = !Clipped ||
                                        (x >= Clip.Left && x < Clip.Right && y >= Clip.Top && y < Clip.Bottom);
                    const bool Want = Inside && Expected.count({x, y});
                    Wrong += (At(x, y) == clRed) != Want;
                }
            EXPECT_EQ(Wrong, 0) << "to " << E.X << "," << E.Y << (Clipped ? " clipped" : "");
        }
    }
}

// Steep lines of every slope from one step across to nearly diagonal, in
// all four directions, each drawn alone: exactly the stepped line's pixels,
// through LineTo and through LineSegments (a trace's lines are mostly such
// runs, many pixels tall, between neighbouring columns).
TEST_F(DrawingRules, SteepLinesOfEverySlopeSetExactlyTheSteppedPixels)
{
    constexpr int W = 21, H = 181, X0 = 10, Y0 = 90;
    Bmp.SetSize(W, H);
    Bmp.Canvas->Pen->Color = clRed;
    Bmp.Canvas->Pen->Width = 1;
    int Wrong = 0, Lines = 0;
    for (int Dx = -9; Dx <= 9; ++Dx)
        for (int Dy = -88; Dy <= 88; ++Dy) {
            if (Dx == 0 || std::abs(Dy) <= std::abs(Dx))
                continue;
            for (bool Segments : {false, true}) {
                Bmp.Canvas->Brush->Color = clWhite;
                Bmp.Canvas->FillRect(Rect(0, 0, W, H));
                if (Segments) {
                    Bmp.Canvas->LineSegments({Point(X0, Y0), Point(X0 + Dx, Y0 + Dy)});
                } else {
                    Bmp.Canvas->MoveTo(X0, Y0);
                    Bmp.Canvas->LineTo(X0 + Dx, Y0 + Dy);
                }
                const std::set<std::pair<int, int>> Expected = LinePixels(X0, Y0, X0 + Dx, Y0 + Dy);
                int Here = 0;
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x)
                        Here += (At(x, y) == clRed) != (Expected.count({x, y}) > 0);
                EXPECT_EQ(Here, 0) << "to " << Dx << "," << Dy << (Segments ? " in segments" : "");
                Wrong += Here;
                ++Lines;
            }
        }
    EXPECT_EQ(Wrong, 0);
    EXPECT_GT(Lines, 2500);
}

// Many lines in one call set the pixels each line sets alone, also
// where the clip rectangle or the bitmap's edge cuts them; lines of every
// slope and length, from one that ends beside its start to ones far longer
// than the bitmap.
TEST_F(DrawingRules, LineSegmentsSetTheSteppedPixelsOfEveryLine)
{
    Bmp.SetSize(61, 61);
    std::vector<TPoint> Ends;
    for (int i = -40; i <= 40; i += 7)
        for (TPoint E : {Point(30 + i, -9), Point(30 + i, 70), Point(-9, 30 + i), Point(70, 30 + i), Point(31, 30)}) {
            Ends.push_back(Point(30 + i / 4, 30 - i / 5));
            Ends.push_back(E);
        }
    std::srand(5);
    for (int i = 0; i < 300; ++i) {
        const int Reach = i % 3 == 0 ? 2000 : 90;
        Ends.push_back(Point(std::rand() % 90 - 15, std::rand() % 90 - 15));
        Ends.push_back(Point(Ends.back().X + std::rand() % (2 * Reach + 1) - Reach,
                             Ends.back().Y + std::rand() % (2 * Reach + 1) - Reach));
    }
    std::set<std::pair<int, int>> Expected;
    for (std::size_t i = 0; i < Ends.size(); i += 2)
        for (const auto& P : LinePixels(Ends[i].X, Ends[i].Y, Ends[i + 1].X, Ends[i + 1].Y))
            Expected.insert(P);
    Ends.push_back(Point(3, 3));
    Ends.push_back(Point(3, 3));  // a line of no length draws nothing
    for (const std::optional<TRect> Clip : {std::optional<TRect>(), std::optional<TRect>(Rect(12, 20, 47, 41))}) {
        Bmp.Canvas->RemoveClipRect();
        Bmp.Canvas->Brush->Color = clWhite;
        Bmp.Canvas->FillRect(Rect(0, 0, 61, 61));
        if (Clip)
            Bmp.Canvas->SetClipRect(*Clip);
        Bmp.Canvas->Pen->Color = clRed;
        Bmp.Canvas->Pen->Width = 1;
        Bmp.Canvas->LineSegments(Ends);
        EXPECT_EQ(Bmp.Canvas->PenPos(), Point(3, 3));
        int Wrong = 0;
        for (int y = 0; y < 61; ++y)
            for (int x = 0; x < 61; ++x) {
                const bool Inside = !Clip || (x >= Clip->Left && x < Clip->Right && y >= Clip->Top && y < Clip->Bottom);
                Wrong += (At(x, y) == clRed) != (Inside && Expected.count({x, y}) > 0);
            }
        EXPECT_EQ(Wrong, 0) << (Clip ? "clipped" : "unclipped");
    }
}

// Each line of a polyline across or along (frames, borders) sets the
// pixels LineTo sets, whichever way it runs: from its start pixel up to,
// but not including, its end. Lines drawn up or to the left once lost their
// start pixel and set their end pixel instead. Clipped or not, with lines
// that double back, cross and run past the edges.
TEST_F(DrawingRules, StraightPolylinesSetThePixelsOfLineToEveryWay)
{
    Bmp.SetSize(61, 47);
    std::srand(11);
    for (int Case = 0; Case < 60; ++Case) {
        std::vector<TPoint> Points{Point(std::rand() % 80 - 10, std::rand() % 70 - 10)};
        const int Count = 2 + std::rand() % 6;
        for (int i = 1; i < Count; ++i) {
            TPoint Next = Points.back();
            const int Step = (std::rand() % 2 ? 1 : -1) * (1 + std::rand() % (Case % 4 == 0 ? 120 : 25));
            (std::rand() % 2 ? Next.X : Next.Y) += Step;
            Points.push_back(Next);
        }
        const std::optional<TRect> Clip = Case % 3 == 0 ? std::optional<TRect>(Rect(7, 5, 44, 38))
                                                        : std::optional<TRect>();
        std::set<std::pair<int, int>> Expected;
        for (std::size_t i = 0; i + 1 < Points.size(); ++i)
            for (const auto& P : LinePixels(Points[i].X, Points[i].Y, Points[i + 1].X, Points[i + 1].Y))
                Expected.insert(P);

        Bmp.Canvas->RemoveClipRect();
        Bmp.Canvas->Brush->Color = clWhite;
        Bmp.Canvas->FillRect(Rect(0, 0, 61, 47));
        if (Clip)
            Bmp.Canvas->SetClipRect(*Clip);
        Bmp.Canvas->Pen->Color = clRed;
        Bmp.Canvas->Pen->Width = Case % 2;
        Bmp.Canvas->Polyline(Points);
        int Wrong = 0;
        for (int y = 0; y < 47; ++y)
            for (int x = 0; x < 61; ++x) {
                const bool Inside = !Clip || (x >= Clip->Left && x < Clip->Right && y >= Clip->Top && y < Clip->Bottom);
                Wrong += (At(x, y) == clRed) != (Inside && Expected.count({x, y}) > 0);
            }
        EXPECT_EQ(Wrong, 0) << "case " << Case;
    }
}

TEST_F(DrawingRules, PenWidthZeroAndOneDrawOnePixel)
{
    for (int Width : {0, 1}) {
        Bmp.Canvas->FillRect(Rect(0, 0, 40, 30));
        Bmp.Canvas->Pen->Width = Width;
        Bmp.Canvas->Pen->Color = clBlue;
        Bmp.Canvas->MoveTo(5, 10);
        Bmp.Canvas->LineTo(30, 10);
        EXPECT_EQ(At(15, 10), clBlue) << Width;
        EXPECT_EQ(At(15, 9), clWhite) << Width;
        EXPECT_EQ(At(15, 11), clWhite) << Width;
    }
    Bmp.Canvas->Pen->Width = 3;
    Bmp.Canvas->MoveTo(5, 20);
    Bmp.Canvas->LineTo(30, 20);
    EXPECT_EQ(At(15, 19), clBlue);
    EXPECT_EQ(At(15, 21), clBlue);
}

TEST_F(DrawingRules, RectangleExcludesRightAndBottomEdges)
{
    Bmp.Canvas->Pen->Color = clBlack;
    Bmp.Canvas->Brush->Color = clLime;
    Bmp.Canvas->Rectangle(5, 5, 15, 12);
    EXPECT_EQ(At(5, 5), clBlack);
    EXPECT_EQ(At(14, 5), clBlack);
    EXPECT_EQ(At(14, 11), clBlack);
    EXPECT_EQ(At(5, 11), clBlack);
    EXPECT_EQ(At(15, 8), clWhite);
    EXPECT_EQ(At(8, 12), clWhite);
    EXPECT_EQ(At(6, 6), clLime);
    EXPECT_EQ(At(13, 10), clLime);
}

TEST_F(DrawingRules, RectangleWithoutPenFillsOnePixelLess)
{
    Bmp.Canvas->Pen->Style = psClear;
    Bmp.Canvas->Brush->Color = clRed;
    Bmp.Canvas->Rectangle(5, 5, 15, 12);
    EXPECT_EQ(At(5, 5), clRed);
    EXPECT_EQ(At(13, 10), clRed);
    EXPECT_EQ(At(14, 10), clWhite);
    EXPECT_EQ(At(13, 11), clWhite);
}

TEST_F(DrawingRules, FillRectAndFrameRectStayInsideTheRectangle)
{
    Bmp.Canvas->Brush->Color = clNavy;
    Bmp.Canvas->FillRect(Rect(2, 3, 6, 8));
    EXPECT_EQ(At(2, 3), clNavy);
    EXPECT_EQ(At(5, 7), clNavy);
    EXPECT_EQ(At(6, 7), clWhite);
    EXPECT_EQ(At(5, 8), clWhite);

    Bmp.Canvas->Brush->Color = clMaroon;
    Bmp.Canvas->FrameRect(Rect(10, 10, 20, 18));
    EXPECT_EQ(At(10, 10), clMaroon);
    EXPECT_EQ(At(19, 17), clMaroon);
    EXPECT_EQ(At(19, 12), clMaroon);
    EXPECT_EQ(At(15, 17), clMaroon);
    EXPECT_EQ(At(20, 12), clWhite);
    EXPECT_EQ(At(15, 18), clWhite);
    EXPECT_EQ(At(15, 14), clWhite);

    Bmp.Canvas->Brush->Style = bsClear;
    Bmp.Canvas->FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(At(15, 14), clWhite);
}

TEST_F(DrawingRules, EllipseStaysInsideItsBox)
{
    Bmp.Canvas->Pen->Color = clBlack;
    Bmp.Canvas->Brush->Color = clYellow;
    Bmp.Canvas->Ellipse(10, 5, 30, 25);
    EXPECT_EQ(At(20, 15), clYellow);
    EXPECT_EQ(At(10, 15), clBlack);
    EXPECT_EQ(At(20, 5), clBlack);
    for (int Y = 0; Y < 30; ++Y)
        EXPECT_EQ(At(30, Y), clWhite) << Y;
    for (int X = 0; X < 40; ++X)
        EXPECT_EQ(At(X, 25), clWhite) << X;
}

TEST_F(DrawingRules, PolylineLeavesOutItsLastPixelAndPolygonCloses)
{
    Bmp.Canvas->Pen->Color = clGreen;
    Bmp.Canvas->Polyline({Point(2, 2), Point(10, 2), Point(10, 8)});
    EXPECT_EQ(At(2, 2), clGreen);
    EXPECT_EQ(At(10, 2), clGreen);
    EXPECT_EQ(At(10, 7), clGreen);
    EXPECT_EQ(At(10, 8), clWhite);

    Bmp.Canvas->Brush->Color = clAqua;
    Bmp.Canvas->Polygon({Point(20, 10), Point(36, 10), Point(36, 26), Point(20, 26)});
    EXPECT_EQ(At(20, 10), clGreen);
    EXPECT_EQ(At(20, 20), clGreen);
    EXPECT_EQ(At(28, 18), clAqua);
}

TEST_F(DrawingRules, XorPenDrawnTwiceRestores)
{
    Bmp.Canvas->Brush->Color = clSilver;
    Bmp.Canvas->FillRect(Rect(0, 0, 40, 30));
    Bmp.Canvas->Pen->Mode = pmXor;
    Bmp.Canvas->Pen->Color = clWhite;
    Bmp.Canvas->MoveTo(0, 4);
    Bmp.Canvas->LineTo(20, 4);
    EXPECT_EQ(At(5, 4), RGB(0x3F, 0x3F, 0x3F));
    Bmp.Canvas->MoveTo(0, 4);
    Bmp.Canvas->LineTo(20, 4);
    EXPECT_EQ(At(5, 4), clSilver);

    Bmp.Canvas->Pen->Mode = pmNot;
    Bmp.Canvas->MoveTo(0, 6);
    Bmp.Canvas->LineTo(20, 6);
    EXPECT_EQ(At(5, 6), RGB(0x3F, 0x3F, 0x3F));
}

// A pen that draws nothing leaves every pixel alone, thin or wide, and the
// pen still moves to the line's end.
TEST_F(DrawingRules, ANopOrClearPenDrawsNoLine)
{
    for (TPenMode Mode : {pmNop, pmCopy}) {
        for (int Width : {1, 3}) {
            Bmp.Canvas->Pen->Mode = Mode;
            Bmp.Canvas->Pen->Style = Mode == pmNop ? psSolid : psClear;
            Bmp.Canvas->Pen->Width = Width;
            Bmp.Canvas->Pen->Color = clRed;
            Bmp.Canvas->MoveTo(0, 10);
            Bmp.Canvas->LineTo(30, 10);
            Bmp.Canvas->LineTo(30, 20);
            for (int X = 0; X < 40; ++X)
                EXPECT_EQ(At(X, 10), clWhite) << X << " mode " << Mode << " width " << Width;
            EXPECT_EQ(At(30, 15), clWhite);
            EXPECT_EQ(Bmp.Canvas->GetPenPos().X, 30);
            EXPECT_EQ(Bmp.Canvas->GetPenPos().Y, 20);
        }
    }
}

TEST_F(DrawingRules, ClipRectLimitsDrawingAndCanBeRemoved)
{
    EXPECT_EQ(Bmp.Canvas->ClipRect(), Rect(0, 0, 40, 30));
    Bmp.Canvas->SetClipRect(Rect(10, 10, 20, 20));
    EXPECT_EQ(Bmp.Canvas->ClipRect(), Rect(10, 10, 20, 20));
    Bmp.Canvas->Brush->Color = clRed;
    Bmp.Canvas->FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(At(10, 10), clRed);
    EXPECT_EQ(At(19, 19), clRed);
    EXPECT_EQ(At(20, 19), clWhite);
    EXPECT_EQ(At(9, 15), clWhite);
    Bmp.Canvas->Pixels[5][5] = clBlue;
    EXPECT_EQ(At(5, 5), clWhite);

    Bmp.Canvas->IntersectClipRect(Rect(15, 0, 40, 30));
    EXPECT_EQ(Bmp.Canvas->ClipRect(), Rect(15, 10, 20, 20));

    Bmp.Canvas->RemoveClipRect();
    Bmp.Canvas->Pixels[5][5] = clBlue;
    EXPECT_EQ(At(5, 5), clBlue);
}

TEST_F(DrawingRules, PixelsOutsideTheBitmapReadAsInvalid)
{
    EXPECT_EQ(At(40, 0), TColor(-1));
    EXPECT_EQ(At(-1, 0), TColor(-1));
}

TEST_F(DrawingRules, PieRunsCounterClockwiseFromStartToEnd)
{
    Bmp.Canvas->Pen->Style = psClear;
    Bmp.Canvas->Brush->Color = clRed;
    // From the ray toward the east to the ray toward the north: the upper right quarter.
    Bmp.Canvas->Pie(0, 0, 30, 30, 30, 15, 15, 0);
    EXPECT_EQ(At(20, 8), clRed);
    EXPECT_EQ(At(8, 8), clWhite);
    EXPECT_EQ(At(20, 22), clWhite);
    EXPECT_EQ(At(8, 22), clWhite);
}

TEST_F(DrawingRules, RoundRectLeavesItsCornersOut)
{
    Bmp.Canvas->Brush->Color = clBlue;
    Bmp.Canvas->Pen->Color = clBlue;
    Bmp.Canvas->RoundRect(0, 0, 30, 20, 12, 12);
    EXPECT_EQ(At(0, 0), clWhite);
    EXPECT_EQ(At(29, 19), clWhite);
    EXPECT_EQ(At(15, 0), clBlue);
    EXPECT_EQ(At(15, 10), clBlue);
    EXPECT_EQ(At(30, 10), clWhite);
}

TEST_F(DrawingRules, CopyRectAndTransparentDraw)
{
    TBitmap Source(10, 10);
    Source.Canvas->Brush->Color = clLime;
    Source.Canvas->FillRect(Rect(0, 0, 10, 10));
    Source.Canvas->Pixels[2][3] = clRed;
    Bmp.Canvas->CopyRect(Rect(20, 20, 24, 24), Source.Canvas, Rect(2, 3, 6, 7));
    EXPECT_EQ(At(20, 20), clRed);
    EXPECT_EQ(At(23, 23), clLime);
    EXPECT_EQ(At(24, 23), clWhite);

    // The bottom-left pixel's colour is the transparent one by default.
    Source.Canvas->Pixels[0][9] = clFuchsia;
    Source.Canvas->Brush->Color = clFuchsia;
    Source.Canvas->FillRect(Rect(0, 5, 10, 10));
    Source.Transparent = true;
    EXPECT_EQ(Source.TransparentColor(), clFuchsia);
    Bmp.Canvas->Draw(0, 0, &Source);
    EXPECT_EQ(At(2, 3), clRed);
    EXPECT_EQ(At(5, 2), clLime);
    EXPECT_EQ(At(5, 7), clWhite);
    Source.Transparent = false;
    Bmp.Canvas->Draw(0, 0, &Source);
    EXPECT_EQ(At(5, 7), clFuchsia);
}

TEST_F(DrawingRules, DottedPenLeavesGapsFilledOnlyUnderASolidBrush)
{
    Bmp.Canvas->Pen->Style = psDot;
    Bmp.Canvas->Brush->Color = clYellow;
    Bmp.Canvas->MoveTo(0, 8);
    Bmp.Canvas->LineTo(30, 8);
    int Gaps = 0;
    for (int X = 0; X < 30; ++X) {
        EXPECT_NE(At(X, 8), clWhite) << X;
        Gaps += At(X, 8) == clYellow;
    }
    EXPECT_GT(Gaps, 8);
    Bmp.Canvas->Brush->Style = bsClear;
    Bmp.Canvas->MoveTo(0, 3);
    Bmp.Canvas->LineTo(30, 3);
    int Ink = 0;
    for (int X = 0; X < 30; ++X)
        Ink += At(X, 3) == clBlack;
    EXPECT_GT(Ink, 8);
    EXPECT_LT(Ink, 22);
}

TEST_F(DrawingRules, HatchedBrushLeavesTheGapsAlone)
{
    Bmp.Canvas->Brush->Color = clRed;
    Bmp.Canvas->Brush->Style = bsHorizontal;
    Bmp.Canvas->FillRect(Rect(0, 0, 16, 16));
    int RedRows = 0;
    for (int Y = 0; Y < 16; ++Y) {
        const TColor First = At(0, Y);
        for (int X = 1; X < 16; ++X)
            ASSERT_EQ(At(X, Y), First) << X << "," << Y;  // horizontal lines only
        RedRows += First == clRed;
    }
    EXPECT_GT(RedRows, 0);
    EXPECT_LT(RedRows, 8);
    EXPECT_EQ(At(16, 0), clWhite);
}

}  // namespace
