#include "plot/channels/kPlot.h"

#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotKindManager.h"
#include "plot/core/kPlotMasterManager.h"
#include "rtl/PublishedProperties.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlot, TkPlotComponent>("TkPlot", {});
    return true;
}();

}  // namespace

TkPlot::TkPlot(TComponent* AOwner) : TkPlotComponent(AOwner)
{
    (void)Registered;
    BeginUpdate();
    // The objects keep the levels given here; placing them one by one as
    // they come would reorder them.
    TkPlotLayoutManager* layout = GetMasterManager().LayoutManager();
    layout->SetAutoPlacement(false);
    AddDefaultObjects();
    layout->SetAutoPlacement(true);
    EndUpdate();
}

void TkPlot::AddDefaultObjects()
{
    static_cast<TkPlotLayoutObject*>(GetToolBar(AddToolBar()))->SetZOrder(3);
    static_cast<TkPlotLayoutObject*>(GetLegend(AddLegend()))->SetZOrder(2);
    TkPlotAxis* x = GetXAxis(AddXAxis());
    x->SetTitle(x->GetName());
    TkPlotAxis* y = GetYAxis(AddYAxis());
    y->SetTitle(y->GetName());
    TkPlotChannel* channel = Channel(AddChannel());
    channel->SetXAxisName(x->GetName());
    channel->SetYAxisName(y->GetName());
    auto* view = static_cast<TkPlotDataView*>(GetDataView(AddDataView()));
    view->SetGridXAxisName(x->GetName());
    view->SetGridYAxisName(y->GetName());
    auto* cursor = static_cast<TkPlotDataCursor*>(GetDataCursor(AddDataCursor()));
    cursor->SetDataView(view);
    cursor->SetChannelName(channel->GetName());

    auto* title = static_cast<TkPlotLabel*>(GetLabel(AddLabel()));
    title->SetZOrder(2);
    title->SetName("Title");
    title->SetCaption("Untitled");
    title->SetMarginBottom(0);
}

int TkPlot::AddXYChannel()
{
    return GetMasterManager().Add(TkPlotObjectKind::Channel, PlotObjectClassOf<TkXYPlotChannel>());
}
