#include "plot/core/kPlotAxis.h"

#include "rtl/PublishedProperties.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotAxis, TkPlotLayoutObject>(
        "TkPlotAxis", TPropertyListBuilder<TkPlotAxis>()
                          .String("Title", [](const TkPlotAxis& o) { return o.GetTitle(); },
                                  [](TkPlotAxis& o, const std::string& v) { o.SetTitle(v); })
                          .Take());
    return true;
}();

} // namespace

void TkPlotAxis::SetTitle(const std::string& Value) { SetProperty(Value, FTitle, &TkPlotObject::DoLayoutChange); }
