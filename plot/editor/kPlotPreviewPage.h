#pragma once
// Where a printout sits on its page as the print preview shows it: the
// paper scaled into the preview's area, the margins, and the plot's
// picture fitted into what the margins leave. Lengths on paper are in
// inches, everything else in pixels.
#include <array>

#include "rtl/Types.h"

class TkPlotPreviewPage {
public:
    // The paper sizes the preview offers, by index: "Letter", "Legal",
    // "A3", "A4", "A5".
    static constexpr int PaperSizeCount = 5;
    // The platform's paper code of an index; any other index is Letter's.
    static int PaperCode(int Index);
    // The index of the paper of that size (either way round), or 0.
    static int PaperIndexOf(double Width, double Height);

    // Lays out the paper of that index, turned for landscape, in an area of
    // AreaWidth x AreaHeight pixels. Margins are left, top, right and
    // bottom; a negative margin counts as none.
    TkPlotPreviewPage(int PaperIndex, bool Landscape, const std::array<double, 4>& Margins, int AreaWidth,
                      int AreaHeight);

    double PaperWidth() const { return FPaperWidth; }
    double PaperHeight() const { return FPaperHeight; }
    const std::array<double, 4>& Margins() const { return FMargins; }
    // Whole pixels per inch of the scaled paper.
    int PixelsPerInch() const { return FPixelsPerInch; }
    // The paper, centred a little up and left of the middle, and the shadow
    // it casts below and right.
    const TRect& PageRect() const { return FPage; }
    TRect ShadowRect() const;
    // What the margins leave of the page; zero or less when they leave
    // nothing.
    int PrintableWidth() const { return FPrintableWidth; }
    int PrintableHeight() const { return FPrintableHeight; }
    bool HasPrintableArea() const { return FPrintableWidth > 0 && FPrintableHeight > 0; }
    // Where a picture of that size goes: as large as the printable area
    // lets it keep its proportions, from the top-left margins' corner.
    // Empty when there is no printable area or no picture.
    TRect PictureRect(int PictureWidth, int PictureHeight) const;

private:
    double FPaperWidth = 0;
    double FPaperHeight = 0;
    std::array<double, 4> FMargins{};
    int FPixelsPerInch = 0;
    TRect FPage;
    int FPrintableWidth = 0;
    int FPrintableHeight = 0;
};
