#include "plot/core/kPlotLayoutObject.h"

#include <algorithm>

#include "rtl/NumberFormat.h"
#include "rtl/PublishedList.h"

namespace {

const bool Registered = [] {
    RegisterPublishedClass<TkPlotLayoutObject, TkPlotObject>("TkPlotLayoutObject");
    return true;
}();

}  // namespace

TkPlotLayoutObject::TkPlotLayoutObject(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& ACallbacks,
                                       const TkPlotKind& AKind)
    : TkPlotManagerObject(AOwner, ACallbacks, AKind)
{
}

bool TkPlotLayoutObject::HitTest(const TkPlotMouseData& Mouse)
{
    return PtInRect(FDrawRect, Mouse.Received);
}

void TkPlotLayoutObject::DoInsert()
{
    TkPlotObject::DoInsert();
    if (OnLayoutChange)
        OnLayoutChange(this);
}

void TkPlotLayoutObject::SetStartPercent(double Value)
{
    Value = std::clamp(Value, 0.0, 100.0);
    if (FStopPercent - Value < 1) {
        FStopPercent = Value + 1;
        if (FStopPercent > 100) {
            FStopPercent = 100;
            Value = 99;
        }
    }
    SetProperty(Value, FStartPercent, &TkPlotObject::DoChange);
}

void TkPlotLayoutObject::SetStopPercent(double Value)
{
    Value = std::clamp(Value, 0.0, 100.0);
    if (Value - FStartPercent < 1) {
        FStartPercent = Value - 1;
        if (FStartPercent < 0) {
            FStartPercent = 0;
            Value = 1;
        }
    }
    SetProperty(Value, FStopPercent, &TkPlotObject::DoChange);
}

void TkPlotLayoutObject::SetStartStopPercent(double Start, double Stop)
{
    FStartPercent = Start;
    FStopPercent = Stop;
    DoChange();
}

void TkPlotLayoutObject::SetForceStacking(bool Value)
{
    SetProperty(Value, FForceStacking, &TkPlotObject::DoLayoutChange);
}
void TkPlotLayoutObject::SetFarSide(bool Value)
{
    SetProperty(Value, FFarSide, &TkPlotObject::DoChange);
}

std::string TkPlotLayoutObject::GetZOrderKey() const
{
    return SortKey(FZOrder, 3);
}

std::string TkPlotLayoutObject::GetStartPercentKey() const
{
    return SortKey(RoundToInt(FStartPercent), 3);
}

bool TkPlotLayoutObject::PopupCentre(TPoint& P) const
{
    P = TPoint{(FDrawRect.Left + FDrawRect.Right) / 2, (FDrawRect.Top + FDrawRect.Bottom) / 2};
    return true;
}
