#include "plot/core/kPlotAxisTitleFont.h"

#include "plot/core/kGraphicsProperties.h"
#include "rtl/PublishedProperties.h"

namespace {

const bool Registered = [] {
    RegisterGraphicsProperties();
    RegisterPublishedClass<TkPlotAxisTitleFont, TFont>(
        "TkPlotAxisTitleFont",
        TPropertyListBuilder<TkPlotAxisTitleFont>()
            .Set("Style", "TFontStyles", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"},
                 [](const TFont& f) { return f.GetStyle().Bits(); },
                 [](TFont& f, std::int64_t v) {
                     TFontStyles s;
                     for (int i = 0; i < 4; ++i)
                         if (v & (1 << i))
                             s << static_cast<TFontStyle>(i);
                     f.SetStyle(s);
                 },
                 TFontStyles{fsBold}.Bits())
            .Take());
    return true;
}();

} // namespace

TkPlotAxisTitleFont::TkPlotAxisTitleFont()
{
    SetName("Arial");
    SetSize(10);
    SetStyle(TFontStyles{fsBold});
    SetColor(clWhite);
}
