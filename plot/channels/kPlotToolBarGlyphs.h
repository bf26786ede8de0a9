#pragma once
// The toolbar's button pictures, drawn here rather than read from
// resources: 24 by 24 pixels, or 16 by 16 for the names that start with
// "SMALL", on teal (0x808000), the colour that shows through.
#include <string>

class TBitmap;

class TkPlotToolBarGlyphs {
public:
    // Draws the picture of that name into Bitmap, sized for it; false
    // (Bitmap unchanged) for a name that has no picture.
    static bool Load(const std::string& Name, TBitmap& Bitmap);
};
