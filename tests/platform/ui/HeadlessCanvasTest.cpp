// Canvases used where no application exists (logic tests of other
// libraries): text is measured by a fixed rule and not drawn.
#include <gtest/gtest.h>
#include <QGuiApplication>
#include "ui/Bitmap.h"
#include "ui/RecordingCanvas.h"

namespace {

TEST(HeadlessCanvas, TextIsMeasuredByAFixedRule)
{
    ASSERT_EQ(QGuiApplication::instance(), nullptr);
    TRecordingCanvas Canvas;
    Canvas.Font->Height = -10;
    EXPECT_EQ(Canvas.TextWidth("ab"), 10);
    EXPECT_EQ(Canvas.TextWidth("\xE6\x95\xB0x"), 15);  // one wide, one narrow
    EXPECT_EQ(Canvas.TextHeight("ab"), 12);
    TRect R(0, 0, 0, 0);
    EXPECT_EQ(Canvas.DrawText("a\nb", R, DT_CALCRECT), 24);
    EXPECT_EQ(R, Rect(0, 0, 5, 24));
}

TEST(HeadlessCanvas, BitmapsDrawShapesButSkipText)
{
    ASSERT_EQ(QGuiApplication::instance(), nullptr);
    TBitmap Bmp(20, 20);
    Bmp.Canvas->Brush->Style = bsClear;
    Bmp.Canvas->TextOut(0, 0, "text");
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 20; ++X)
            ASSERT_EQ(Bmp.Canvas->GetPixel(X, Y), clWhite);
    Bmp.Canvas->Brush->Color = clBtnFace;  // classic value without a palette
    Bmp.Canvas->FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(Bmp.Canvas->Pixels[1][1], 0xC8D0D4);
}

}  // namespace
