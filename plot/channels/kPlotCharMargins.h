#pragma once
// Margins counted in widths (left, right) and heights (top, bottom) of the
// digit "0" of an object's font, so that they grow with its text.

struct TkPlotCharMargins {
    struct TPixels {
        int Left = 0, Top = 0, Right = 0, Bottom = 0;
    };

    double Left = 0, Top = 0, Right = 0, Bottom = 0;

    // Each margin rounded to the nearest pixel, for a "0" CharWidth wide
    // and CharHeight high, and kept within the pixel limit.
    TPixels InPixels(int CharWidth, int CharHeight) const;
};
