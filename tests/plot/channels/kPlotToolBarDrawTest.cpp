// What the toolbar draws: its face and border, the buttons and separators
// laid out left to right, the enabled states of Resume and Pause, the
// pressed, down and flat looks, and the glyphs, which load at the first
// paint into an image list of the bar's button size.
#include <gtest/gtest.h>

#include <algorithm>

#include "../core/PlotObjectSupport.h"
#include "ToolBarTestSupport.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/channels/kPlotToolBarGlyphs.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotMasterManager.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/ImageList.h"
#include "ui/RecordingCanvas.h"

namespace {

std::vector<int> Args(const TRect& R)
{
    return {R.Left, R.Top, R.Right, R.Bottom};
}

class ToolBarDrawTest : public ToolBarTestBase<FakePlot> {
protected:
    void SetUp() override
    {
        ToolBarTestBase::SetUp();
        bar->SetDrawRect(TRect(10, 20, 610, 56));
    }
    void Paint()
    {
        canvas.Records.clear();
        bar->Draw(&canvas, clBlack);
    }
    std::vector<const TCanvasRecord*> Pictures()
    {
        std::vector<const TCanvasRecord*> found;
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::StretchDraw)
                found.push_back(&r);
        return found;
    }
    // Whether R was filled in Color.
    bool Filled(const TRect& R, TColor Color)
    {
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::FillRect && r.Args == Args(R) && r.Brush.Color == Color)
                return true;
        return false;
    }

    TRecordingCanvas canvas;
};

TEST_F(ToolBarDrawTest, TheFaceIsOnePixelWiderThanTheBarAndButtonsRunFromTheCorner)
{
    Paint();
    ASSERT_FALSE(canvas.Records.empty());
    EXPECT_EQ(canvas.Records[0].Op, TCanvasOp::FillRect);
    EXPECT_EQ(canvas.Records[0].Args, (std::vector<int>{10, 20, 611, 56}));
    EXPECT_EQ(canvas.Records[0].Brush.Color, clBtnFace);
    // Resume, Pause, |, Scroll, Zoom, |, Zoom Out, Zoom In, |, Zoom Box,
    // Cursor, |, Properties, |, Copy, Save, Print.
    std::vector<std::vector<int>> rects;
    for (TkPlotToolBarButton* b : bar->GetButtons())
        if (b->GetVisible())
            rects.push_back({b->GetDrawRect().Left, b->GetDrawRect().Right});
    EXPECT_EQ(rects, (std::vector<std::vector<int>>{{13, 43},
                                                    {43, 73},
                                                    {73, 83},
                                                    {83, 113},
                                                    {113, 143},
                                                    {143, 153},
                                                    {153, 183},
                                                    {183, 213},
                                                    {213, 223},
                                                    {223, 253},
                                                    {253, 283},
                                                    {283, 293},
                                                    {293, 323},
                                                    {323, 333},
                                                    {333, 363},
                                                    {363, 393},
                                                    {393, 423}}));
    EXPECT_EQ(B(kptbbtResume)->GetDrawRect(), TRect(13, 23, 43, 53));
    // Every visible button draws its glyph; disabled ones (Resume and
    // Pause, with no axes) draw it twice, embossed.
    EXPECT_EQ(Pictures().size(), 10u + 2u * 2u);
}

TEST_F(ToolBarDrawTest, AFlatBorderLeavesOutTheRaisedFrame)
{
    Paint();
    const std::size_t framed = canvas.Records.size();
    bar->SetFlatBorder(true);
    Paint();
    EXPECT_LT(canvas.Records.size(), framed);
}

TEST_F(ToolBarDrawTest, SeparatorsShowOnlyBesideTheirButtons)
{
    bar->SetShowSelectButton(true);
    bar->SetShowZoomBoxButton(false);
    bar->SetShowCursorButton(false);
    bar->SetShowResumeButton(false);
    Paint();
    std::vector<std::string> shown;
    for (TkPlotToolBarButton* b : bar->GetButtons())
        if (b->GetVisible())
            shown.push_back(b->IsSeparator() ? "|" : b->GetHint());
    EXPECT_EQ(shown, (std::vector<std::string>{"Pause All (Tracking)", "|", "Scroll (Axes)", "Zoom (Axes)", "|",
                                               "Zoom Out All Axes", "Zoom In All Axes", "|", "Select", "Properties",
                                               "|", "Copy to Clipboard", "Save to File", "Print"}));
    bar->SetShowEditButton(false);
    bar->SetShowPauseButton(false);
    Paint();
    EXPECT_EQ(bar->GetButtons()[2]->GetVisible(), false);
    EXPECT_EQ(bar->GetButtons()[14]->GetVisible(), false);
}

TEST_F(ToolBarDrawTest, WithoutAxesResumeAndPauseAreBothDisabled)
{
    Paint();
    EXPECT_FALSE(B(kptbbtResume)->GetEnabled());
    EXPECT_FALSE(B(kptbbtPause)->GetEnabled());
    master->AddXAxis();
    master->AddYAxis();
    Paint();
    EXPECT_FALSE(B(kptbbtResume)->GetEnabled());
    EXPECT_TRUE(B(kptbbtPause)->GetEnabled());
    static_cast<TkPlotAxis*>(master->YAxisManager()->GetObject(0))->SetTrackingEnabled(false);
    Paint();
    EXPECT_TRUE(B(kptbbtResume)->GetEnabled());
    EXPECT_TRUE(B(kptbbtPause)->GetEnabled());
    bar->ClickPause();
    Paint();
    EXPECT_TRUE(B(kptbbtResume)->GetEnabled());
    EXPECT_FALSE(B(kptbbtPause)->GetEnabled());
}

TEST_F(ToolBarDrawTest, ADownButtonIsLighterSunkenAndItsGlyphMovesOnePixel)
{
    Paint();
    const TRect scroll = B(kptbbtScrollAxesMode)->GetDrawRect();
    const TRect zoom = B(kptbbtZoomAxesMode)->GetDrawRect();
    EXPECT_TRUE(Filled(scroll, TColor(0xEFEFEF)));
    EXPECT_FALSE(Filled(zoom, TColor(0xEFEFEF)));
    std::vector<std::vector<int>> glyphs;
    for (const TCanvasRecord* r : Pictures())
        glyphs.push_back(r->Args);
    // Glyphs of 24 pixels centred in buttons of 30: 3 pixels in.
    const std::vector<int> down{scroll.Left + 4, scroll.Top + 4, scroll.Left + 28, scroll.Top + 28};
    const std::vector<int> up{zoom.Left + 3, zoom.Top + 3, zoom.Left + 27, zoom.Top + 27};
    EXPECT_NE(std::find(glyphs.begin(), glyphs.end(), down), glyphs.end());
    EXPECT_NE(std::find(glyphs.begin(), glyphs.end(), up), glyphs.end());
}

TEST_F(ToolBarDrawTest, FlatButtonsShowAFrameOnlyWhenHotOrDown)
{
    bar->SetFlatButtons(true);
    Paint();
    const TRect zoom = B(kptbbtZoomAxesMode)->GetDrawRect();
    auto framed = [&](TColor TopLeft) {
        for (const TCanvasRecord& r : canvas.Records)
            if (r.Op == TCanvasOp::LineTo && r.Points[0] == TPoint{zoom.Left, zoom.Bottom - 1} &&
                r.Args == std::vector<int>{zoom.Left, zoom.Top})
                return r.Pen.Color == TopLeft;
        return false;
    };
    EXPECT_FALSE(framed(clBtnHighlight));
    EXPECT_FALSE(framed(clBtnShadow));
    B(kptbbtZoomAxesMode)->MouseMove(0, {zoom.Left + 5, zoom.Top + 5});
    Paint();
    EXPECT_TRUE(framed(clBtnHighlight));  // raised while the mouse is over it
    B(kptbbtZoomAxesMode)->SetDown(true);
    Paint();
    EXPECT_TRUE(framed(clBtnShadow));              // sunken while down
    EXPECT_FALSE(Filled(zoom, TColor(0xEFEFEF)));  // hot: no lighter face
    B(kptbbtZoomAxesMode)->MouseLeave();
    Paint();
    EXPECT_TRUE(Filled(zoom, TColor(0xEFEFEF)));
}

TEST_F(ToolBarDrawTest, GlyphsLoadAtTheFirstPaintAndReloadSmallAfterASwitch)
{
    EXPECT_EQ(bar->GetImageList()->GetCount(), 0);
    Paint();
    EXPECT_NE(B(kptbbtCursor)->GetImageIndex(), -1);
    const int loaded = bar->GetImageList()->GetCount();
    EXPECT_EQ(loaded, 12);  // the visible buttons
    Paint();
    EXPECT_EQ(bar->GetImageList()->GetCount(), loaded);  // loaded once

    bar->SetSmallButtons(true);
    EXPECT_EQ(B(kptbbtCursor)->GetImageIndex(), -1);
    EXPECT_EQ(bar->GetImageList()->GetCount(), 0);
    bar->SetDrawRect(TRect(0, 0, 600, 28));
    Paint();
    EXPECT_EQ(bar->GetImageList()->GetWidth(), 16);
    EXPECT_EQ(B(kptbbtResume)->GetDrawRect(), TRect(3, 3, 25, 25));
    const TRect zoom = B(kptbbtZoomAxesMode)->GetDrawRect();
    EXPECT_EQ(zoom, TRect(79, 3, 101, 25));
    bool centred = false;
    for (const TCanvasRecord* r : Pictures())
        centred = centred || r->Args == std::vector<int>{82, 6, 98, 22};
    EXPECT_TRUE(centred);
}

TEST_F(ToolBarDrawTest, AHiddenBarDrawsNothing)
{
    bar->SetVisible(false);
    Paint();
    EXPECT_TRUE(canvas.Records.empty());
}

TEST(ToolBarGlyphs, EveryButtonHasAPictureInBothSizesOnTeal)
{
    Application->Initialize();
    for (const std::string name : {"AUTO", "PAUSE", "SCROLL", "ZOOM", "ZOOMOUT", "ZOOMIN", "SELECT", "SCROLLBOX",
                                   "CURSOR", "PROPERTIES", "COPY", "SAVE", "PRINTER", "PREVIEW"})
        for (const std::string prefix : {"", "SMALL"}) {
            TBitmap picture;
            ASSERT_TRUE(TkPlotToolBarGlyphs::Load(prefix + name, picture)) << prefix + name;
            const int size = prefix.empty() ? 24 : 16;
            EXPECT_EQ(picture.GetWidth(), size);
            EXPECT_EQ(picture.GetHeight(), size);
            EXPECT_EQ(picture.Canvas->GetPixel(0, size - 1), clTeal) << prefix + name;
            int drawn = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    drawn += picture.Canvas->GetPixel(x, y) != clTeal;
            EXPECT_GT(drawn, size) << prefix + name;
        }
    TBitmap none;
    EXPECT_FALSE(TkPlotToolBarGlyphs::Load("NOSUCHGLYPH", none));
    EXPECT_EQ(none.GetWidth(), 0);
}

}  // namespace
