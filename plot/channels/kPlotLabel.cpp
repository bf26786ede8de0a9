#include "plot/channels/kPlotLabel.h"

#include "rtl/PublishedProperties.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotLabel, TkPlotLayoutObject>(
        "TkPlotLabel", TPropertyListBuilder<TkPlotLabel>()
                           .String("Caption", &TkPlotLabel::GetCaption,
                                   [](TkPlotLabel& o, const std::string& v) { o.SetCaption(v); })
                           .Take());
    return true;
}();

} // namespace

TkPlotLabel::TkPlotLabel(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
    : TkPlotLayoutObject(AOwner, Callbacks, TkPlotObjectKind::Label)
{
    (void)Registered;
}
