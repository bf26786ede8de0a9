// The print preview's page: paper scaled into the preview's area, margins
// and the plot's picture fitted into what they leave. No display needed.
#include "plot/editor/kPlotPreviewPage.h"

#include <gtest/gtest.h>

#include "plot/core/kGPFunctions.h"

namespace {

const std::array<double, 4> Inch{1, 1, 1, 1};

TEST(PlotPreviewPage, LandscapeA4FillsTheHeightOfAWideAreaAndTheWidthOfATallOne)
{
    const TkPlotPreviewPage wide(3, true, Inch, 1000, 400);
    EXPECT_NEAR(wide.PaperWidth(), 297 / 25.4, 1e-9);
    EXPECT_NEAR(wide.PaperHeight(), 210 / 25.4, 1e-9);
    // 380 pixels high, 537 wide; halves are whole pixels, 5 up and left.
    EXPECT_EQ(wide.PageRect(), TRect(227, 5, 763, 385));
    EXPECT_EQ(wide.ShadowRect(), TRect(234, 12, 770, 392));
    EXPECT_EQ(wide.PixelsPerInch(), 46);
    EXPECT_EQ(wide.PrintableWidth(), 537 - 92);
    EXPECT_EQ(wide.PrintableHeight(), 380 - 92);
    // A wide picture takes the printable width, from the margins' corner.
    EXPECT_EQ(wide.PictureRect(500, 200), TRect(227 + 46, 5 + 46, 227 + 46 + 445, 5 + 46 + 178));

    const TkPlotPreviewPage tall(3, true, Inch, 400, 1000);
    EXPECT_EQ(tall.PageRect(), TRect(5, 361, 385, 629));  // 380 wide, 269 high
    EXPECT_EQ(tall.PixelsPerInch(), 32);
    EXPECT_EQ(tall.PrintableWidth(), 380 - 64);
    EXPECT_EQ(tall.PrintableHeight(), 269 - 64);
    // A tall picture takes the printable height.
    EXPECT_EQ(tall.PictureRect(100, 400), TRect(5 + 32, 361 + 32, 5 + 32 + 51, 361 + 32 + 205));
}

TEST(PlotPreviewPage, PortraitKeepsThePaperUprightWithItsOwnMargins)
{
    const TkPlotPreviewPage page(0, false, {0.5, 0.25, 1.5, 2}, 500, 700);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 8.5);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 11);
    // 680 / 11 > 480 / 8.5: the width is filled, 621 high, 56 per inch.
    EXPECT_EQ(page.PageRect(), TRect(250 - 240 - 5, 350 - 310 - 5, 250 + 240 - 5, 350 + 310 - 5));
    EXPECT_EQ(page.PixelsPerInch(), 56);
    EXPECT_EQ(page.PrintableWidth(), 480 - 112);
    EXPECT_EQ(page.PrintableHeight(), 621 - 126);
    EXPECT_EQ(page.PictureRect(368, 100).TopLeft(), TPoint(5 + 28, 35 + 14));
}

TEST(PlotPreviewPage, MarginsLargerThanThePageLeaveNoPlaceForThePicture)
{
    const TkPlotPreviewPage page(0, false, {5, 1, 4, 1}, 500, 700);
    EXPECT_LE(page.PrintableWidth(), 0);
    EXPECT_FALSE(page.HasPrintableArea());
    EXPECT_EQ(page.PictureRect(500, 200), TRect());
    const TkPlotPreviewPage high(0, false, {1, 6, 1, 6}, 500, 700);
    EXPECT_GT(high.PrintableWidth(), 0);
    EXPECT_FALSE(high.HasPrintableArea());
    EXPECT_EQ(high.PictureRect(500, 200), TRect());
}

TEST(PlotPreviewPage, NegativeMarginsCountAsNone)
{
    const TkPlotPreviewPage none(0, true, {0, 0, 0, 0}, 800, 600);
    const TkPlotPreviewPage negative(0, true, {-1, -0.5, -2, -3}, 800, 600);
    EXPECT_EQ(negative.Margins(), (std::array<double, 4>{0, 0, 0, 0}));
    EXPECT_EQ(negative.PrintableWidth(), none.PrintableWidth());
    EXPECT_EQ(negative.PrintableHeight(), none.PrintableHeight());
    EXPECT_EQ(negative.PictureRect(300, 200), none.PictureRect(300, 200));
    EXPECT_EQ(none.PictureRect(300, 200).TopLeft(), none.PageRect().TopLeft());
}

TEST(PlotPreviewPage, PaperIndexesNameTheirPaperAndAnyOtherIsLetter)
{
    EXPECT_EQ(TkPlotPreviewPage::PaperCode(0), DMPAPER_LETTER);
    EXPECT_EQ(TkPlotPreviewPage::PaperCode(1), DMPAPER_LEGAL);
    EXPECT_EQ(TkPlotPreviewPage::PaperCode(2), DMPAPER_A3);
    EXPECT_EQ(TkPlotPreviewPage::PaperCode(3), DMPAPER_A4);
    EXPECT_EQ(TkPlotPreviewPage::PaperCode(4), DMPAPER_A5);
    EXPECT_EQ(TkPlotPreviewPage::PaperCode(5), DMPAPER_LETTER);
    EXPECT_EQ(TkPlotPreviewPage::PaperCode(-1), DMPAPER_LETTER);
    EXPECT_DOUBLE_EQ(TkPlotPreviewPage(9, false, Inch, 500, 500).PaperHeight(), 11);

    EXPECT_EQ(TkPlotPreviewPage::PaperIndexOf(297 / 25.4, 210 / 25.4), 3);  // A4 turned
    EXPECT_EQ(TkPlotPreviewPage::PaperIndexOf(8.5, 14), 1);
    EXPECT_EQ(TkPlotPreviewPage::PaperIndexOf(148 / 25.4, 210 / 25.4), 4);
    EXPECT_EQ(TkPlotPreviewPage::PaperIndexOf(7.25, 10.5), 0);  // not offered
}

}  // namespace
