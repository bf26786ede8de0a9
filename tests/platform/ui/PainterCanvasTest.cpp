// A canvas over a painter that someone else owns (widgets, printer pages).
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include "GraphicsTestApp.h"
#include "ui/CanvasQt.h"

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

}  // namespace
