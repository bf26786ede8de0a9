#include "plot/core/kPlotAxisTitleFont.h"

#include "plot/core/kGraphicsProperties.h"
#include "rtl/PublishedProperties.h"

namespace {

const bool Registered = [] {
    RegisterGraphicsProperties();
    TPropertyListBuilder<TkPlotAxisTitleFont> font;
    RegisterPublishedClass<TkPlotAxisTitleFont, TFont>("TkPlotAxisTitleFont",
                                                       AddFontStyle(font, TFontStyles{fsBold}.Bits()).Take());
    return true;
}();

}  // namespace

TkPlotAxisTitleFont::TkPlotAxisTitleFont()
{
    SetName("Arial");
    SetSize(10);
    SetStyle(TFontStyles{fsBold});
    SetColor(clWhite);
}
