#include "plot/core/kPlotLayoutMemo.h"

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotLayoutObject.h"
#include "plot/core/kPlotMasterManager.h"
#include "ui/Canvas.h"
#include "ui/Font.h"

TkPlotLayoutMemo::TInputs TkPlotLayoutMemo::Take(const TkPlotMasterManager& Master, const TkPlotLayoutFrame& Frame,
                                                 const TCanvas* Canvas)
{
    return {Master.GetChangeCount(), Master.GetSetupChangeCount(), Frame, Canvas};
}

bool TkPlotLayoutMemo::HoldsSetup(const TInputs& Inputs) const
{
    return FValid && !FAxisAtValue && Inputs.SetupChanges == FInputs.SetupChanges && Inputs.Frame == FInputs.Frame &&
           Inputs.Canvas == FInputs.Canvas;
}

bool TkPlotLayoutMemo::Remeasure(const TkPlotMasterManager& Master, TCanvas* Canvas, const TInputs& Inputs)
{
    if (Measures(Master, Canvas) != FMeasures)
        return false;
    FInputs = Inputs;
    return true;
}

void TkPlotLayoutMemo::Begin(const TkPlotMasterManager& Master)
{
    // A computation cut short by an exception leaves nothing to keep.
    FValid = false;
    FRectsBefore = Rects(Master);
}

void TkPlotLayoutMemo::End(const TkPlotMasterManager& Master, TCanvas* Canvas, const TInputs& Inputs)
{
    FInputs = Inputs;
    FValid = Rects(Master) == FRectsBefore;
    if (!FValid)
        return;
    FMeasures = Measures(Master, Canvas);
    FAxisAtValue = AxisAtValue(Master);
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

std::vector<int> TkPlotLayoutMemo::Measures(const TkPlotMasterManager& Master, TCanvas* Canvas)
{
    TFont font;
    font.Assign(Canvas->Font);
    std::vector<int> measures;
    const TkPlotObjectManager* all = Master.ObjectManager();
    for (int i = 0; i < all->GetCount(); ++i)
        if (auto* o = dynamic_cast<TkPlotLayoutObject*>(all->GetObject(i))) {
            measures.push_back(o->GetRequiredSize(Canvas));
            measures.push_back(o->GetRequiredEndMargin(Canvas));
            if (o->IsAxis())
                measures.push_back(static_cast<TkPlotAxis*>(o)->GetStackingEndMargin(Canvas));
        }
    Canvas->Font->Assign(&font);
    return measures;
}

bool TkPlotLayoutMemo::AxisAtValue(const TkPlotMasterManager& Master)
{
    const TkPlotObjectManager* all = Master.ObjectManager();
    for (int i = 0; i < all->GetCount(); ++i)
        if (const TkPlotObject* o = all->GetObject(i); o->IsAxis())
            if (static_cast<const TkPlotAxis*>(o)->GetCartesianStyle() == kpcsChild)
                return true;
    return false;
}
