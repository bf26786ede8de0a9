#pragma once
// The font of an axis title. It starts bold, so its stored style must count
// bold as the default: otherwise a title set to plain would be left out of
// a stream and come back bold.
#include "ui/Font.h"

class TkPlotAxisTitleFont : public TFont {
public:
    TkPlotAxisTitleFont();
};
