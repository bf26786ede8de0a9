#include "plot/core/kPlotLayoutPass.h"

#include <algorithm>

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotMasterManager.h"
#include "rtl/NumberFormat.h"
#include "rtl/Saturating.h"

namespace {

// An axis drawn across the data view: it takes no band.
bool IsCartesian(const TkPlotObject* Object)
{
    return Object->IsAxis() && static_cast<const TkPlotAxis*>(Object)->GetCartesianStyle() != kpcsNone;
}

std::vector<TkPlotAxis*> AxesOf(const TkPlotObjectManagerCustom* Manager)
{
    std::vector<TkPlotAxis*> axes;
    if (Manager)
        for (int i = 0; i < Manager->GetCount(); ++i)
            axes.push_back(static_cast<TkPlotAxis*>(Manager->GetObject(i)));
    return axes;
}

// Edge moved outward (Outward -1: toward smaller coordinates) by Amount.
int MovedOutward(int Edge, int Outward, int Amount)
{
    return Outward < 0 ? SatSub(Edge, Amount) : SatAdd(Edge, Amount);
}

TkPlotLayoutObject* FirstDataView(const TkPlotMasterManager& Master)
{
    return static_cast<TkPlotLayoutObject*>(Master.FirstOf(TkPlotObjectKind::DataView));
}

// Objects that span the whole plot sit against its top border.
bool SpansWholePlot(const TkPlotObject* Object)
{
    return Object->Kind().Span == TkPlotLayoutSpan::WholePlot;
}

}  // namespace

void TkPlotLayoutPass::CopyVisible(const TList& From, TList& To) const
{
    To.clear();
    for (TkPlotLayoutObject* o : From)
        if (o->GetVisible())
            To.push_back(o);
}

void TkPlotLayoutPass::SetStackingFlags(const TList& List)
{
    for (TkPlotLayoutObject* o : List) {
        o->SetStartStacked(false);
        o->SetEndStacked(false);
    }
    TkPlotLayoutObject* previous = nullptr;
    for (TkPlotLayoutObject* o : List) {
        if (IsCartesian(o))
            continue;
        if (o->GetForceStacking()) {
            o->SetStartStacked(true);
            o->SetEndStacked(true);
        } else if (previous && previous->GetZOrder() == o->GetZOrder()) {
            previous->SetEndStacked(true);
            o->SetStartStacked(true);
        }
        previous = o;
    }
}

int TkPlotLayoutPass::EndMargin(const TList& List, bool AtStart, TCanvas* Canvas) const
{
    int margin = 0;
    for (TkPlotLayoutObject* o : List)
        if (!IsCartesian(o) && !(AtStart ? o->GetStartStacked() : o->GetEndStacked()))
            margin = std::max(margin, o->GetRequiredEndMargin(Canvas));
    return margin;
}

int TkPlotLayoutPass::LevelSize(const TList& List, int ZOrder, TCanvas* Canvas)
{
    int size = 0;
    for (TkPlotLayoutObject* o : List)
        if (o->GetZOrder() == ZOrder && !IsCartesian(o))
            size = std::max(size, o->GetRequiredSize(Canvas));
    return size;
}

int TkPlotLayoutPass::Thickness(const TList& List, TCanvas* Canvas)
{
    std::vector<int> levels;
    int thickness = 0;
    for (TkPlotLayoutObject* o : List)
        if (std::find(levels.begin(), levels.end(), o->GetZOrder()) == levels.end()) {
            levels.push_back(o->GetZOrder());
            thickness = SatAdd(thickness, LevelSize(List, o->GetZOrder(), Canvas));
        }
    return thickness;
}

void TkPlotLayoutPass::PlaceBands(const TList& List, int Side, bool Backward, int Edge, int VertEndMargin,
                                  TCanvas* Canvas, int Border) const
{
    // Outward is toward smaller coordinates on the left and top.
    const int outward = Side == 0 || Side == 1 ? -1 : 1;
    bool levelStarted = false;
    int level = 0;
    int levelSize = 0;
    bool pastAxes = false;
    const int count = static_cast<int>(List.size());
    for (int n = 0; n < count; ++n) {
        TkPlotLayoutObject* o = List[static_cast<std::size_t>(Backward ? count - 1 - n : n)];
        if (!pastAxes && !o->IsAxis()) {
            pastAxes = true;
            Edge = MovedOutward(Edge, outward, VertEndMargin);
        }
        if (!levelStarted || o->GetZOrder() != level) {
            Edge = MovedOutward(Edge, outward, levelSize);
            levelStarted = true;
            level = o->GetZOrder();
            levelSize = LevelSize(List, level, Canvas);
        }
        const int inner = Edge;
        const int outer = MovedOutward(Edge, outward, levelSize);
        TRect r = o->GetDrawRect();
        switch (Side) {
        case 0:
            r.Right = inner;
            r.Left = outer;
            break;
        case 2:
            r.Left = inner;
            r.Right = outer;
            break;
        case 1:
            r.Bottom = inner;
            r.Top = outer;
            break;
        default:
            r.Top = inner;
            r.Bottom = outer;
            break;
        }
        if (Side == 1 && SpansWholePlot(o)) {
            r.Top = Border;
            r.Bottom = SatAdd(Border, o->GetRequiredSize(Canvas));
        }
        o->SetDrawRect(r);
    }
}

void TkPlotLayoutPass::Run(TkPlotMasterManager& Master, TCanvas* Canvas, const TkPlotLayoutFrame& Frame)
{
    TkPlotLayoutManager* layout = Master.LayoutManager();
    if (!layout)
        return;
    // 1. Working lists.
    CopyVisible(layout->TopList(), FTop);
    CopyVisible(layout->BottomList(), FBottom);
    CopyVisible(layout->LeftList(), FLeft);
    CopyVisible(layout->RightList(), FRight);
    // 2. Stacking flags.
    for (const TList* list : {&FTop, &FBottom, &FLeft, &FRight})
        SetStackingFlags(*list);
    // 3. End margins.
    const int topStart = EndMargin(FTop, true, Canvas), topEnd = EndMargin(FTop, false, Canvas);
    const int bottomStart = EndMargin(FBottom, true, Canvas), bottomEnd = EndMargin(FBottom, false, Canvas);
    const int leftStart = EndMargin(FLeft, true, Canvas), leftEnd = EndMargin(FLeft, false, Canvas);
    const int rightStart = EndMargin(FRight, true, Canvas), rightEnd = EndMargin(FRight, false, Canvas);
    // 4. Band thickness.
    int top = Thickness(FTop, Canvas), bottom = Thickness(FBottom, Canvas);
    int left = Thickness(FLeft, Canvas), right = Thickness(FRight, Canvas);
    // 5. Room for the end margins.
    left = std::max(left, std::max(topStart, bottomStart));
    right = std::max(right, std::max(topEnd, bottomEnd));
    int vertEndMargin = std::max(leftEnd, rightEnd);
    top = std::max(top, vertEndMargin);
    bottom = std::max(bottom, std::max(leftStart, rightStart));
    // 6. The data area.
    const bool loneWholePlotBand = FTop.size() == 1 && SpansWholePlot(FTop.front());
    if (!loneWholePlotBand)
        vertEndMargin = 0;
    // Sizes too large for any plot saturate: the data area then has no room,
    // as it has when objects merely need more than the plot's size.
    FInner.Top = SatAdd(top, Frame.Border, Frame.MarginTop, vertEndMargin);
    FInner.Left = SatAdd(left, Frame.Border, Frame.MarginLeft);
    FInner.Right = SatSub(SatSub(Frame.Width, SatAdd(right, Frame.Border, Frame.MarginRight)), 1);
    FInner.Bottom = SatSub(SatSub(Frame.Height, SatAdd(bottom, Frame.Border, Frame.MarginBottom)), 1);
    // 7. Bands.
    PlaceBands(FLeft, 0, true, FInner.Left, vertEndMargin, Canvas, Frame.Border);
    PlaceBands(FRight, 2, false, FInner.Right, vertEndMargin, Canvas, Frame.Border);
    PlaceBands(FTop, 1, false, FInner.Top, vertEndMargin, Canvas, Frame.Border);
    PlaceBands(FBottom, 3, true, FInner.Bottom, vertEndMargin, Canvas, Frame.Border);
    // 8. Only the first data view takes part.
    if (TkPlotLayoutObject* view = FirstDataView(Master))
        view->SetDrawRect(FInner);
    ShareStackedEnds(Canvas);
    PlaceAlongEdges(Master, Frame);
    PlaceCartesianAxes(Master);
    AlignAxes(Master, Canvas);
    FitDataViewToScales(Master, Canvas, Frame);
}

// A stacked axis keeps its end margins for the end labels inside its own
// band, where a neighbour on its level meets it: one in the middle of the
// level at both ends, the first and the last at one end only. Spread by
// percent over the whole edge, equal percents would then give the middle
// scales fewer pixels than the outer ones. So the percents share out what
// the level's end margins leave, and each object moves on by the margins
// kept before it.
void TkPlotLayoutPass::ShareStackedEnds(TCanvas* Canvas)
{
    FStackedEnds.clear();
    for (const TList* list : {&FTop, &FBottom, &FLeft, &FRight}) {
        std::map<int, TList> levels;
        for (TkPlotLayoutObject* o : *list)
            levels[o->GetZOrder()].push_back(o);
        for (auto& [level, objects] : levels) {
            std::stable_sort(objects.begin(), objects.end(),
                             [](const TkPlotLayoutObject* a, const TkPlotLayoutObject* b) {
                                 return a->GetStartPercent() < b->GetStartPercent();
                             });
            int kept = 0;
            for (TkPlotLayoutObject* o : objects) {
                int own = 0;
                if (o->IsAxis() && (o->GetStartStacked() || o->GetEndStacked())) {
                    const int end = static_cast<TkPlotAxis*>(o)->GetStackingEndMargin(Canvas);
                    own = SatAdd(o->GetStartStacked() ? end : 0, o->GetEndStacked() ? end : 0);
                }
                FStackedEnds[o] = TStackedEnds{kept, own, 0};
                kept = SatAdd(kept, own);
            }
            for (TkPlotLayoutObject* o : objects)
                FStackedEnds[o].Level = kept;
        }
    }
}

TkPlotLayoutPass::TStackedEnds TkPlotLayoutPass::StackedEndsOf(const TkPlotLayoutObject* Object) const
{
    const auto found = FStackedEnds.find(Object);
    return found == FStackedEnds.end() ? TStackedEnds{} : found->second;
}

// 9. Positions along the edge.
void TkPlotLayoutPass::PlaceAlongEdges(TkPlotMasterManager& Master, const TkPlotLayoutFrame& Frame) const
{
    TkPlotLayoutManager* layout = Master.LayoutManager();
    const int b = Frame.Border;
    const int viewWidth = SatSub(FInner.Right, FInner.Left);
    const int viewHeight = SatSub(FInner.Bottom, FInner.Top);
    for (int i = 0; i < layout->GetCount(); ++i) {
        TkPlotLayoutObject* o = layout->GetItem(i);
        const TkPlotLayoutSpan span = o->Kind().Span;
        if (span == TkPlotLayoutSpan::None)
            continue;
        const double s = o->GetStartPercent() / 100;
        const double e = o->GetStopPercent() / 100;
        TRect r = o->GetDrawRect();
        if (o->IsHorizontal()) {
            switch (span) {
            case TkPlotLayoutSpan::WholePlot: {
                const int w = SatSub(Frame.Width, SatMul(2, b));
                r.Left = SatAdd(RoundToInt(s * w), b);
                r.Right = SatAdd(RoundToInt(e * w), b, -1);
                break;
            }
            case TkPlotLayoutSpan::OuterMargins: {
                const int w = SatSub(SatSub(SatSub(Frame.Width, b), Frame.MarginLeft), Frame.MarginRight);
                r.Left = SatAdd(RoundToInt(s * w), b, Frame.MarginLeft);
                r.Right = SatAdd(RoundToInt(e * w), b, Frame.MarginLeft);
                break;
            }
            default: {
                const TStackedEnds ends = StackedEndsOf(o);
                const int length = SatSub(viewWidth, ends.Level);
                r.Left = SatAdd(FInner.Left, RoundToInt(length * s), ends.Before);
                r.Right = SatAdd(FInner.Left, RoundToInt(length * e), ends.Before, ends.Own);
                break;
            }
            }
        } else if (span != TkPlotLayoutSpan::WholePlot) {
            const TStackedEnds ends = StackedEndsOf(o);
            const int length = SatSub(viewHeight, ends.Level);
            r.Top = SatSub(SatSub(SatSub(FInner.Bottom, RoundToInt(length * e)), ends.Before), ends.Own);
            r.Bottom = SatSub(SatSub(FInner.Bottom, RoundToInt(length * s)), ends.Before);
        }
        o->SetDrawRect(r);
    }
}

// 10 and 11. Axes drawn across the data view.
void TkPlotLayoutPass::PlaceCartesianAxes(TkPlotMasterManager& Master) const
{
    const TRect& view = FInner;
    for (bool xAxes : {true, false}) {
        const auto* others = xAxes ? static_cast<const TkPlotObjectManagerCustom*>(Master.YAxisManager())
                                   : static_cast<const TkPlotObjectManagerCustom*>(Master.XAxisManager());
        for (TkPlotAxis* axis : AxesOf(xAxes ? static_cast<TkPlotObjectManagerCustom*>(Master.XAxisManager())
                                             : static_cast<TkPlotObjectManagerCustom*>(Master.YAxisManager()))) {
            if (axis->GetCartesianStyle() == kpcsMaster) {
                if (axis->IsVertical()) {
                    const int x = Middle(view.Left, view.Right);
                    axis->SetDrawRect(TRect(x, view.Top, x, view.Bottom));
                } else {
                    const int y = Middle(view.Top, view.Bottom);
                    axis->SetDrawRect(TRect(view.Left, y, view.Right, y));
                }
            } else if (axis->GetCartesianStyle() == kpcsChild) {
                auto* ref = others ? static_cast<TkPlotAxis*>(others->FindByName(axis->GetCartesianChildRefAxisName()))
                                   : nullptr;
                if (!ref) {
                    axis->SetDrawRect(TRect());
                    continue;
                }
                const int at = ref->ValueToPixel(axis->GetCartesianChildRefValue());
                if (axis->IsHorizontal())
                    axis->SetDrawRect(TRect(view.Left, at, view.Right, at));
                else
                    axis->SetDrawRect(TRect(at, view.Top, at, view.Bottom));
            }
        }
    }
}

// 12. Axes aligned with another of their kind.
void TkPlotLayoutPass::AlignAxes(TkPlotMasterManager& Master, TCanvas* Canvas) const
{
    for (TkPlotObjectManagerCustom* manager : {static_cast<TkPlotObjectManagerCustom*>(Master.XAxisManager()),
                                               static_cast<TkPlotObjectManagerCustom*>(Master.YAxisManager())}) {
        for (TkPlotAxis* axis : AxesOf(manager)) {
            auto* ref = static_cast<TkPlotAxis*>(manager->FindByName(axis->GetAlignRefAxisName()));
            if (!ref || ref == axis)
                continue;
            TRect r = axis->GetDrawRect();
            if (axis->IsVertical()) {
                r.Top = ref->GetDrawRect().Top;
                r.Bottom = ref->GetDrawRect().Bottom;
            } else {
                r.Left = ref->GetDrawRect().Left;
                r.Right = ref->GetDrawRect().Right;
            }
            axis->SetDrawRect(r);
            axis->SetStartStacked(ref->GetStartStacked());
            axis->SetEndStacked(ref->GetEndStacked());
            axis->CalcScaleRect(Canvas);
        }
    }
}

// 13. The data area ends where the axes' scales end. A kind of axis that
// the plot has none of leaves that dimension as the bands left it, so the
// data view is never turned inside out.
void TkPlotLayoutPass::FitDataViewToScales(TkPlotMasterManager& Master, TCanvas* Canvas, const TkPlotLayoutFrame& Frame)
{
    const std::vector<TkPlotAxis*> xAxes = AxesOf(Master.XAxisManager());
    const std::vector<TkPlotAxis*> yAxes = AxesOf(Master.YAxisManager());
    for (TkPlotAxis* axis : xAxes)
        axis->CalcScaleRect(Canvas);
    for (TkPlotAxis* axis : yAxes)
        axis->CalcScaleRect(Canvas);
    TkPlotLayoutObject* view = FirstDataView(Master);
    if (!view)
        return;
    const std::vector<TkPlotAxis*>& across = Frame.XYAxesReverse ? xAxes : yAxes;
    const std::vector<TkPlotAxis*>& along = Frame.XYAxesReverse ? yAxes : xAxes;
    TRect r = view->GetDrawRect();
    if (!across.empty()) {
        r.Top = Frame.Height;
        r.Bottom = 0;
        for (TkPlotAxis* axis : across) {
            r.Top = std::min(r.Top, axis->GetScaleRect().Top);
            r.Bottom = std::max(r.Bottom, axis->GetScaleRect().Bottom);
        }
    }
    if (!along.empty()) {
        r.Left = Frame.Width;
        r.Right = 0;
        for (TkPlotAxis* axis : along) {
            r.Left = std::min(r.Left, axis->GetScaleRect().Left);
            r.Right = std::max(r.Right, axis->GetScaleRect().Right);
        }
    }
    view->SetDrawRect(r);
}
