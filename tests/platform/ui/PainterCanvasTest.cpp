// A canvas over a painter that someone else owns (widgets, printer pages).
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include "GraphicsTestApp.h"
#include "ui/CanvasQt.h"

#include <vector>

namespace {

TEST(PainterCanvas, DrawsThroughTheGivenPainterWithTheSameRules)
{
    EnsureGraphicsTestApp();
    QImage Image(30, 20, QImage::Format_RGB32);
    Image.fill(Qt::white);
    {
        QPainter Painter(&Image);
        TPainterCanvas Canvas(&Painter);
        EXPECT_EQ(Canvas.ClipRect(), Rect(0, 0, 30, 20));
        Canvas.Pen->Color = clRed;
        Canvas.MoveTo(2, 2);
        Canvas.LineTo(12, 2);
        Canvas.Brush->Color = clBlue;
        Canvas.FillRect(Rect(5, 10, 8, 12));
        EXPECT_EQ(Canvas.Pixels[2][2], clRed);
    }
    EXPECT_EQ(Image.pixelColor(11, 2), QColor(255, 0, 0));
    EXPECT_EQ(Image.pixelColor(12, 2), QColor(255, 255, 255));
    EXPECT_EQ(Image.pixelColor(7, 11), QColor(0, 0, 255));
    EXPECT_EQ(Image.pixelColor(8, 11), QColor(255, 255, 255));
}

TEST(PainterCanvas, WithoutAPainterItDrawsNothingButStillMeasures)
{
    EnsureGraphicsTestApp();
    TPainterCanvas Canvas(nullptr, TSize(50, 40));
    Canvas.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(Canvas.ClipRect(), Rect(0, 0, 50, 40));
    EXPECT_GT(Canvas.TextWidth("abc"), 0);
    EXPECT_EQ(Canvas.Pixels[1][1], TColor(-1));
    QImage Image(10, 10, QImage::Format_RGB32);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    Canvas.SetClipRect(Rect(0, 0, 1, 1));
    Canvas.MoveTo(5, 5);
    Canvas.SetPainter(&Painter, TSize(10, 10));
    EXPECT_FALSE(Canvas.HasClipRect());
    EXPECT_EQ(Canvas.PenPos(), Point(0, 0));
    Canvas.Brush->Color = clLime;
    Canvas.FillRect(Rect(0, 0, 2, 2));
    Painter.end();
    EXPECT_EQ(Image.pixelColor(1, 1), QColor(0, 255, 0));
}

// The canvas draws by its own clip and rules whatever was done to the
// painter between two of its calls: by the painter's owner, or by the
// canvas's own text drawing, which clips the painter to the text's box.
TEST(PainterCanvas, ItsClipAndRulesHoldAfterThePainterWasChangedBetweenCalls)
{
    EnsureGraphicsTestApp();
    QImage Image(30, 20, QImage::Format_RGB32);
    Image.fill(Qt::white);
    {
        QPainter Painter(&Image);
        TPainterCanvas Canvas(&Painter);
        Canvas.SetClipRect(Rect(5, 5, 25, 15));
        Canvas.Pen->Color = clRed;
        Canvas.MoveTo(0, 6);
        Canvas.LineTo(30, 6);

        Canvas.Brush->Style = bsClear;
        Canvas.TextRect(Rect(6, 7, 8, 9), 6, 7, "x");
        Canvas.MoveTo(0, 8);
        Canvas.LineTo(30, 8);

        Painter.setClipRect(QRect(0, 0, 30, 20));
        Painter.setRenderHint(QPainter::Antialiasing, true);
        Painter.setCompositionMode(QPainter::CompositionMode_Plus);
        Canvas.MoveTo(0, 10);
        Canvas.LineTo(30, 10);
        Canvas.Pen->Width = 3;
        Canvas.MoveTo(2, 12);
        Canvas.LineTo(12, 14);
        Canvas.Pen->Width = 1;

        Canvas.RemoveClipRect();
        Painter.setClipRect(QRect(0, 0, 3, 3));
        Canvas.MoveTo(0, 18);
        Canvas.LineTo(29, 18);
    }
    for (int Y : {6, 8, 10}) {
        EXPECT_EQ(Image.pixelColor(4, Y), QColor(255, 255, 255)) << Y;
        EXPECT_EQ(Image.pixelColor(5, Y), QColor(255, 0, 0)) << Y;
        EXPECT_EQ(Image.pixelColor(20, Y), QColor(255, 0, 0)) << Y;
        EXPECT_EQ(Image.pixelColor(24, Y), QColor(255, 0, 0)) << Y;
        EXPECT_EQ(Image.pixelColor(25, Y), QColor(255, 255, 255)) << Y;
    }
    // Not smoothed: a slanted wide line's pixels are the pen's colour or
    // untouched, and none lies left of the clip.
    int Red = 0;
    for (int X = 0; X < 30; ++X)
        for (int Y = 11; Y < 15; ++Y) {
            const QColor C = Image.pixelColor(X, Y);
            EXPECT_TRUE(C == QColor(255, 0, 0) || C == QColor(255, 255, 255)) << X << "," << Y;
            if (C == QColor(255, 0, 0)) {
                ++Red;
                EXPECT_GE(X, 5) << Y;
            }
        }
    EXPECT_GT(Red, 7);
    // Without a clip of its own the canvas draws everywhere.
    EXPECT_EQ(Image.pixelColor(0, 18), QColor(255, 0, 0));
    EXPECT_EQ(Image.pixelColor(29, 18), QColor(255, 255, 255));
    EXPECT_EQ(Image.pixelColor(28, 18), QColor(255, 0, 0));
}

// Each line takes the pen as it is at that moment, however many lines
// before it were drawn with another.
TEST(PainterCanvas, EachLineTakesThePenAsItIsThen)
{
    EnsureGraphicsTestApp();
    QImage Image(30, 20, QImage::Format_RGB32);
    Image.fill(Qt::white);
    {
        QPainter Painter(&Image);
        TPainterCanvas Canvas(&Painter);
        Canvas.Brush->Style = bsClear;
        Canvas.Pen->Color = clRed;
        for (int I = 0; I < 3; ++I) {
            Canvas.MoveTo(0, 2);
            Canvas.LineTo(30, 2);
        }
        Canvas.Pen->Color = clBlue;
        Canvas.MoveTo(0, 5);
        Canvas.LineTo(30, 5);
        Canvas.Pen->Style = psDot;
        Canvas.MoveTo(0, 8);
        Canvas.LineTo(30, 8);
        Canvas.Pen->Style = psSolid;
        Canvas.Pen->Width = 3;
        Canvas.MoveTo(5, 14);
        Canvas.LineTo(25, 14);
    }
    EXPECT_EQ(Image.pixelColor(10, 2), QColor(255, 0, 0));
    EXPECT_EQ(Image.pixelColor(10, 5), QColor(0, 0, 255));
    int Gaps = 0;
    for (int X = 0; X < 29; ++X)
        Gaps += Image.pixelColor(X, 8) == QColor(255, 255, 255);
    EXPECT_GT(Gaps, 5);
    EXPECT_EQ(Image.pixelColor(15, 13), QColor(0, 0, 255));
    EXPECT_EQ(Image.pixelColor(15, 15), QColor(0, 0, 255));
}

// Lines drawn in one call through a painter that someone shifted, under
// the canvas's clip, come out as each line drawn alone, whatever the pen:
// a thin solid pen writes into the image itself, the others go through
// the painter.
TEST(PainterCanvas, LineSegmentsDrawAsEachLineAloneOnAShiftedPainter)
{
    EnsureGraphicsTestApp();
    std::vector<TPoint> Ends;
    for (int I = 0; I < 12; ++I) {
        Ends.push_back(Point(20 + I, 12));
        Ends.push_back(Point(I * 5 - 10, I % 2 ? -5 : 40));
    }
    struct TPenCase {
        TPenStyle Style;
        int Width;
    };
    for (const TPenCase Pen : {TPenCase{psSolid, 0}, TPenCase{psSolid, 1}, TPenCase{psDash, 1}, TPenCase{psSolid, 3}})
        for (const QImage::Format Format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            QImage Alone(40, 30, Format), Together(40, 30, Format);
            for (QImage* Image : {&Alone, &Together}) {
                Image->fill(Qt::white);
                QPainter Painter(Image);
                Painter.translate(3, -2);
                TPainterCanvas Canvas(&Painter);
                Canvas.SetClipRect(Rect(2, 4, 33, 29));
                Canvas.Brush->Style = bsClear;
                Canvas.Pen->Color = clGreen;
                Canvas.Pen->Style = Pen.Style;
                Canvas.Pen->Width = Pen.Width;
                if (Image == &Together) {
                    Canvas.LineSegments(Ends);
                } else {
                    for (std::size_t I = 0; I < Ends.size(); I += 2) {
                        Canvas.MoveTo(Ends[I].X, Ends[I].Y);
                        Canvas.LineTo(Ends[I + 1].X, Ends[I + 1].Y);
                    }
                }
                EXPECT_EQ(Canvas.PenPos(), Ends.back());
            }
            EXPECT_EQ(Together, Alone) << "pen style " << Pen.Style << " width " << Pen.Width << " format " << Format;
            int Drawn = 0;
            for (int Y = 0; Y < 30; ++Y)
                for (int X = 0; X < 40; ++X)
                    Drawn += Together.pixelColor(X, Y) != QColor(255, 255, 255);
            EXPECT_GT(Drawn, 100);
        }
}

}  // namespace
