#include "controls/VcPanel.h"
#include "ui/Application.h"
#include "ui/Screenshot.h"

#include <gtest/gtest.h>

namespace {

class VcPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Panel = new TVcPanel(nullptr);
        Panel->SetBounds(0, 0, 101, 61);
        Panel->SetColor(RGB(200, 0, 0));
        Panel->SetGradientEndColor(RGB(0, 0, 200));
    }
    void TearDown() override { delete Panel; }
    TColor Pixel(int X, int Y)
    {
        TBitmap Picture;
        GrabControl(Panel, Picture);
        EXPECT_EQ(Picture.GetWidth(), 101);
        EXPECT_EQ(Picture.GetHeight(), 61);
        return Picture.Canvas->Pixels[X][Y];
    }
    TVcPanel* Panel = nullptr;
};

TEST_F(VcPanelTest, GradientRunsFromColorToEndColor)
{
    Panel->SetBorderStyle(vbsNone);
    EXPECT_EQ(Pixel(50, 0), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(50, 60), RGB(0, 0, 200));
    EXPECT_EQ(Pixel(50, 30), RGB(100, 0, 100));

    Panel->SetGradient(false);
    EXPECT_EQ(Pixel(50, 60), RGB(200, 0, 0));
}

TEST_F(VcPanelTest, GridAndBorder)
{
    Panel->SetGradient(false);
    Panel->SetShowGrid(true);
    Panel->SetGridColor(RGB(0, 255, 0));
    Panel->SetGridSize(10);
    Panel->SetBorderColor(RGB(0, 0, 0));
    EXPECT_EQ(Pixel(10, 25), RGB(0, 255, 0));
    EXPECT_EQ(Pixel(25, 20), RGB(0, 255, 0));
    EXPECT_EQ(Pixel(25, 25), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(0, 25), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(100, 25), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(50, 60), RGB(0, 0, 0));
}

TEST_F(VcPanelTest, CaptionIsDrawnInTheMiddle)
{
    Panel->SetGradient(false);
    Panel->SetBorderStyle(vbsNone);
    Panel->Font->SetColor(RGB(255, 255, 255));
    Panel->Font->SetHeight(-40);
    Panel->SetText("88");
    TBitmap Picture;
    GrabControl(Panel, Picture);
    int White = 0;
    for (int X = 30; X < 70; ++X)
        for (int Y = 15; Y < 45; ++Y)
            if (Picture.Canvas->Pixels[X][Y] == RGB(255, 255, 255))
                ++White;
    EXPECT_GT(White, 20);
    EXPECT_EQ(Picture.Canvas->Pixels[2][2], RGB(200, 0, 0));
}

}  // namespace
