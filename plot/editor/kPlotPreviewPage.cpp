#include "plot/editor/kPlotPreviewPage.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "plot/core/kGPFunctions.h"
#include "rtl/NumberFormat.h"

namespace {

constexpr int PaperCodes[TkPlotPreviewPage::PaperSizeCount] = {DMPAPER_LETTER, DMPAPER_LEGAL, DMPAPER_A3, DMPAPER_A4,
                                                               DMPAPER_A5};

// How far the page sits up and left of the middle, and how far its shadow
// falls below and right of it.
constexpr int PageLift = 5;
constexpr int ShadowOffset = 7;
// Room kept round the page in the preview's area.
constexpr int AreaBorder = 20;

}  // namespace

int TkPlotPreviewPage::PaperCode(int Index)
{
    return Index >= 0 && Index < PaperSizeCount ? PaperCodes[Index] : DMPAPER_LETTER;
}

int TkPlotPreviewPage::PaperIndexOf(double Width, double Height)
{
    // Paper sizes in millimetres come back converted: near is the same.
    auto same = [](double A, double B) { return std::fabs(A - B) < 0.01; };
    for (int i = 0; i < PaperSizeCount; ++i) {
        double w = 0, h = 0;
        GetPaperSizeInches(PaperCodes[i], w, h);
        if ((same(w, Width) && same(h, Height)) || (same(w, Height) && same(h, Width)))
            return i;
    }
    return 0;
}

TkPlotPreviewPage::TkPlotPreviewPage(int PaperIndex, bool Landscape, const std::array<double, 4>& Margins,
                                     int AreaWidth, int AreaHeight)
{
    GetPaperSizeInches(PaperCode(PaperIndex), FPaperWidth, FPaperHeight);
    if (Landscape)
        std::swap(FPaperWidth, FPaperHeight);
    // A margin below 0 would put the picture off the page (and NaN nowhere).
    for (std::size_t i = 0; i < Margins.size(); ++i)
        FMargins[i] = std::max(0.0, Margins[i]);

    const double w = AreaWidth - AreaBorder, h = AreaHeight - AreaBorder;
    int pageWidth = 0, pageHeight = 0;
    if (h / FPaperHeight <= w / FPaperWidth) {
        pageHeight = ClampToInt(h);
        pageWidth = RoundToInt(h / FPaperHeight * FPaperWidth);
    } else {
        pageWidth = ClampToInt(w);
        pageHeight = RoundToInt(w / FPaperWidth * FPaperHeight);
    }
    FPixelsPerInch = RoundToInt(pageWidth / FPaperWidth);
    FPrintableWidth = pageWidth - RoundToInt((FMargins[0] + FMargins[2]) * FPixelsPerInch);
    FPrintableHeight = pageHeight - RoundToInt((FMargins[1] + FMargins[3]) * FPixelsPerInch);

    const int midX = AreaWidth / 2, midY = AreaHeight / 2;
    FPage = TRect(midX - pageWidth / 2 - PageLift, midY - pageHeight / 2 - PageLift, midX + pageWidth / 2 - PageLift,
                  midY + pageHeight / 2 - PageLift);
}

TRect TkPlotPreviewPage::ShadowRect() const
{
    return TRect(FPage.Left + ShadowOffset, FPage.Top + ShadowOffset, FPage.Right + ShadowOffset,
                 FPage.Bottom + ShadowOffset);
}

TRect TkPlotPreviewPage::PictureRect(int PictureWidth, int PictureHeight) const
{
    if (!HasPrintableArea() || PictureWidth <= 0 || PictureHeight <= 0)
        return TRect();
    int width = 0, height = 0;
    if (double(FPrintableWidth) / PictureWidth < double(FPrintableHeight) / PictureHeight) {
        width = FPrintableWidth;
        height = RoundToInt(double(PictureHeight) * FPrintableWidth / PictureWidth);
    } else {
        height = FPrintableHeight;
        width = RoundToInt(double(PictureWidth) * FPrintableHeight / PictureHeight);
    }
    const int left = FPage.Left + RoundToInt(FPixelsPerInch * FMargins[0]);
    const int top = FPage.Top + RoundToInt(FPixelsPerInch * FMargins[1]);
    return TRect(left, top, left + width, top + height);
}
