// The caption label: its size from the caption and the margins, and what it
// draws (caption in either direction, an image of the plot, a bitmap),
// checked on a recording canvas with known font metrics.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "../core/PlotObjectSupport.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/core/kPlotPixels.h"
#include "plot/core/kGPFunctions.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Font.h"
#include "ui/ImageList.h"
#include "ui/RecordingCanvas.h"

namespace {

struct LabelPlot : TkPlotObjectOwner {
    mutable TImageList images;
    TImageList* GetImageList(int Index) const override { return Index == 1 ? &images : nullptr; }
};

std::vector<const TCanvasRecord*> Ops(const TRecordingCanvas& Canvas, TCanvasOp Op)
{
    std::vector<const TCanvasRecord*> found;
    for (const TCanvasRecord& r : Canvas.Records)
        if (r.Op == Op)
            found.push_back(&r);
    return found;
}

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        label->GetFont()->SetName("MS Sans Serif");
        label->GetFont()->SetHeight(-10);
        label->GetFont()->SetStyle({});
        canvas.Font->Assign(label->GetFont());
        zeroWidth = canvas.TextWidth("0");
        zeroHeight = canvas.TextHeight("0");
        ASSERT_GT(zeroWidth, 0);
        ASSERT_GT(zeroHeight, 0);
        label->SetDrawRect(TRect(10, 20, 210, 60));
    }
    int Width(const std::string& Text) { return canvas.TextWidth(Text); }
    void Paint()
    {
        canvas.Records.clear();
        label->Draw(&canvas, clBlack);
    }

    LabelPlot plot;
    CallbackLog log;
    TestObject<TkPlotLabel> label = MakeObject<TkPlotLabel>(&plot, log.callbacks());
    TRecordingCanvas canvas;
    int zeroWidth = 0;
    int zeroHeight = 0;
};

TEST_F(LabelTest, StartsAsAHorizontalEmptyCaptionInLargeBoldWhiteArial)
{
    TestObject<TkPlotLabel> fresh = MakeObject<TkPlotLabel>(&plot, log.callbacks());
    EXPECT_TRUE(fresh->GetHorizontal());
    EXPECT_EQ(fresh->GetCaption(), "");
    EXPECT_EQ(fresh->GetAlignment(), kahCenter);
    EXPECT_EQ(fresh->GetImageListIndex(), -1);
    EXPECT_EQ(fresh->GetImageIndex(), 0);
    EXPECT_EQ(fresh->GetFont()->GetName(), "Arial");
    EXPECT_EQ(fresh->GetFont()->GetSize(), 14);
    EXPECT_TRUE(fresh->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(fresh->GetFont()->GetColor(), clWhite);
}

TEST_F(LabelTest, RequiredSizeIsTheCaptionHeightPlusTopAndBottomMarginsInHeightsOfZero)
{
    label->SetCaption("Pressure");
    const int bare = label->GetRequiredSize(&canvas);
    EXPECT_EQ(bare, zeroHeight);
    label->SetMarginTop(1);
    label->SetMarginBottom(1);
    EXPECT_EQ(label->GetRequiredSize(&canvas), bare + 2 * zeroHeight);
    label->SetMarginBottom(0.5);
    EXPECT_EQ(label->GetRequiredSize(&canvas), bare + zeroHeight + int(std::nearbyint(0.5 * zeroHeight)));
    // Left and right margins run along the label and take no thickness.
    label->SetMarginLeft(3);
    label->SetMarginRight(3);
    EXPECT_EQ(label->GetRequiredSize(&canvas), bare + zeroHeight + int(std::nearbyint(0.5 * zeroHeight)));
    label->SetCaption("two\nlines");
    EXPECT_EQ(label->GetRequiredSize(&canvas), 2 * bare + zeroHeight + int(std::nearbyint(0.5 * zeroHeight)));
}

TEST_F(LabelTest, MarginsBeyondAnyScreenGiveTheLargestSizeAndStayInsideTheLabel)
{
    // Each margin counts as at most the largest pixel size either way.
    label->SetCaption("Pressure");
    label->SetMarginTop(1e12);
    label->SetMarginBottom(1e12);
    EXPECT_GE(label->GetRequiredSize(&canvas), 2 * PixelLimit);
    label->SetMarginTop(-1e12);
    label->SetMarginBottom(-1e12);
    EXPECT_LE(label->GetRequiredSize(&canvas), -PixelLimit);

    // A caption pushed right by a margin of no end ends at the far right,
    // never wrapping round to the left of the label.
    label->SetMarginTop(0);
    label->SetMarginBottom(0);
    label->SetMarginLeft(1e12);
    Paint();
    const std::vector<const TCanvasRecord*> texts = Ops(canvas, TCanvasOp::TextOut);
    ASSERT_FALSE(texts.empty());
    EXPECT_GE(texts[0]->Args[0], 10);
}

TEST_F(LabelTest, SettersSignalOnlyRealChanges)
{
    log.calls.clear();
    label->SetCaption("A");
    label->SetCaption("A");
    label->SetAlignment(kahLeft);
    label->SetAlignment(kahLeft);
    label->SetImageIndex(0);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"change", "change"}));
    label->GetFont()->SetColor(clRed);
    EXPECT_EQ(log.calls.size(), 3u);
}

// Only the top and bottom margins enter the label's size: the left and
// right ones move the caption and ask for a repaint alone.
TEST_F(LabelTest, TopAndBottomMarginsAskForANewLayoutLeftAndRightOnlyForARepaint)
{
    std::vector<std::string> layouts;
    label->OnLayoutChange = [&](TObject*) { layouts.push_back("layout"); };
    log.calls.clear();
    label->SetMarginLeft(2);
    label->SetMarginRight(2);
    EXPECT_TRUE(layouts.empty());
    label->SetMarginTop(2);
    label->SetMarginBottom(2);
    label->SetMarginBottom(2);
    label->OnLayoutChange = nullptr;
    EXPECT_EQ(layouts.size(), 2u);
    EXPECT_EQ(log.calls.size(), 4u);
}

TEST_F(LabelTest, HorizontalCaptionIsAlignedInsideTheMarginsAndCentredVertically)
{
    label->SetCaption("Title");
    label->SetMarginLeft(2);
    label->SetMarginRight(3);
    label->SetMarginTop(1);
    const int w = Width("Title");
    const int lineHeight = canvas.TextHeight("Wg");
    // The box inside the margins: 10 + 2c .. 210 - 3c across, 20 + h .. 60 down.
    const int boxLeft = 10 + 2 * zeroWidth, boxRight = 210 - 3 * zeroWidth;
    const int y = 20 + zeroHeight + (40 - zeroHeight - lineHeight) / 2;
    struct Case {
        TkAlignmentHorizontal alignment;
        int x;
    } cases[] = {{kahLeft, boxLeft}, {kahCenter, boxLeft + (boxRight - boxLeft - w) / 2}, {kahRight, boxRight - w}};
    for (const Case& c : cases) {
        label->SetAlignment(c.alignment);
        Paint();
        auto texts = Ops(canvas, TCanvasOp::TextOut);
        ASSERT_EQ(texts.size(), 1u) << c.alignment;
        EXPECT_EQ(texts[0]->Text, "Title");
        EXPECT_EQ(texts[0]->Args, (std::vector<int>{c.x, y})) << c.alignment;
        EXPECT_EQ(texts[0]->Font.Orientation, 0);
        EXPECT_EQ(texts[0]->Brush.Style, bsClear);
    }
}

TEST_F(LabelTest, AmpersandsAreShownAsTyped)
{
    label->SetCaption("R&D");
    Paint();
    auto texts = Ops(canvas, TCanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Text, "R&D");
}

TEST_F(LabelTest, VerticalCaptionIsTurnedAndPlacedAlongTheLabelByAlignment)
{
    label->SetHorizontal(false);
    label->SetDrawRect(TRect(0, 0, 40, 300));
    label->SetCaption("Volts");
    label->SetMarginTop(1);
    label->SetMarginLeft(2);
    label->SetMarginRight(4);
    const int w = Width("Volts");
    const int centreX = (0 + zeroHeight + 40) / 2;  // between Left + top margin and Right - bottom margin
    struct Case {
        TkAlignmentHorizontal alignment;
        int centreY;
    } cases[] = {{kahCenter, 150}, {kahLeft, 300 - w / 2 - 2 * zeroWidth}, {kahRight, w / 2 + 4 * zeroWidth}};
    for (const Case& c : cases) {
        label->SetAlignment(c.alignment);
        Paint();
        auto texts = Ops(canvas, TCanvasOp::TextOut);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0]->Font.Orientation, 900);
        TRect out;
        TRecordingCanvas probe;
        probe.Font->Assign(label->GetFont());
        DrawRotatedText(&probe, "Volts", TRect(centreX, c.centreY, centreX, c.centreY), out, 1);
        auto expected = Ops(probe, TCanvasOp::TextOut);
        ASSERT_EQ(expected.size(), 1u);
        EXPECT_EQ(texts[0]->Args, expected[0]->Args) << c.alignment;
    }
}

TEST_F(LabelTest, MarginsOfAnySizeKeepTheirDirection)
{
    // A stored margin may be anything; in pixels it must neither wrap
    // around nor overflow the sums it goes into.
    label->SetHorizontal(false);
    label->SetDrawRect(TRect(0, 0, 40, 300));
    label->SetCaption("Volts");
    label->SetMarginBottom(-1e12);
    Paint();
    auto texts = Ops(canvas, TCanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_GT(texts[0]->Args[0], 40);  // pushed right, past the label
    label->SetMarginTop(1e12);
    EXPECT_GT(label->GetRequiredSize(&canvas), 0);
}

TEST_F(LabelTest, AnImageOfThePlotReplacesTheCaptionOnlyWhenListAndIndexExist)
{
    plot.images.SetWidth(24);
    plot.images.SetHeight(24);
    TBitmap picture(24, 24);
    plot.images.AddMasked(&picture, clTeal);
    label->SetCaption("Logo");
    label->SetMarginTop(1);

    Paint();  // ImageListIndex -1
    EXPECT_EQ(Ops(canvas, TCanvasOp::TextOut).size(), 1u);

    label->SetImageListIndex(0);  // the plot has no list 0
    Paint();
    EXPECT_EQ(Ops(canvas, TCanvasOp::TextOut).size(), 1u);

    label->SetImageListIndex(1);
    label->SetImageIndex(1);  // equal to the count
    Paint();
    EXPECT_EQ(Ops(canvas, TCanvasOp::TextOut).size(), 1u);
    EXPECT_TRUE(Ops(canvas, TCanvasOp::StretchDraw).empty());

    label->SetImageIndex(0);
    label->SetAlignment(kahRight);
    label->SetMarginRight(2);
    Paint();
    EXPECT_TRUE(Ops(canvas, TCanvasOp::TextOut).empty());
    auto images = Ops(canvas, TCanvasOp::StretchDraw);
    ASSERT_EQ(images.size(), 1u);
    const int left = 210 - 2 * zeroWidth - 24;
    EXPECT_EQ(images[0]->Args, (std::vector<int>{left, 20 + zeroHeight, left + 24, 20 + zeroHeight + 24}));
}

TEST_F(LabelTest, ABitmapIsDrawnInsteadOfEverythingElse)
{
    plot.images.SetWidth(24);
    TBitmap picture(24, 24);
    plot.images.AddMasked(&picture, clTeal);
    label->SetImageListIndex(1);
    label->SetCaption("Logo");
    TBitmap logo(30, 10);
    label->SetBitmap(&logo);
    label->SetAlignment(kahCenter);
    Paint();
    auto drawn = Ops(canvas, TCanvasOp::StretchDraw);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0]->Args, (std::vector<int>{110 - 15, 20, 110 + 15, 30}));
    EXPECT_TRUE(Ops(canvas, TCanvasOp::TextOut).empty());
    label->SetBitmap(nullptr);
    Paint();
    EXPECT_EQ(Ops(canvas, TCanvasOp::StretchDraw).size(), 1u);  // the image again
}

TEST_F(LabelTest, AHiddenLabelDrawsNothing)
{
    label->SetCaption("Hidden");
    label->SetVisible(false);
    Paint();
    EXPECT_TRUE(canvas.Records.empty());
}

}  // namespace
