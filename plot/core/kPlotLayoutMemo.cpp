#include "plot/core/kPlotLayoutMemo.h"

#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotObjects.h"

TkPlotLayoutMemo::TInputs TkPlotLayoutMemo::Take(const TkPlotMasterManager& Master, const TkPlotLayoutFrame& Frame,
                                                 const TCanvas* Canvas)
{
    return {Master.GetChangeCount(), Frame, Canvas};
}

void TkPlotLayoutMemo::Begin(const TkPlotMasterManager& Master)
{
    // A computation cut short by an exception leaves nothing to keep.
    FValid = false;
    FRectsBefore = Rects(Master);
}

void TkPlotLayoutMemo::End(const TkPlotMasterManager& Master, const TInputs& Inputs)
{
    FInputs = Inputs;
    FValid = Rects(Master) == FRectsBefore;
}

std::vector<TRect> TkPlotLayoutMemo::Rects(const TkPlotMasterManager& Master)
{
    std::vector<TRect> rects;
    const TkPlotObjectManager* all = Master.ObjectManager();
    for (int i = 0; i < all->GetCount(); ++i)
        if (const auto* o = dynamic_cast<const TkPlotLayoutObject*>(all->GetObject(i)))
            rects.push_back(o->GetDrawRect());
    return rects;
}
