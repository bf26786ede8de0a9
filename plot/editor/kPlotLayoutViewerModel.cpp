#include "plot/editor/kPlotLayoutViewerModel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/channels/kPlotTable.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotLayoutManager.h"
#include "rtl/NumberFormat.h"

namespace {

bool IsDataView(const TkPlotObject* o)
{
    return o->Kind() == TkPlotObjectKind::DataView;
}
bool IsLabel(const TkPlotObject* o)
{
    return o->Kind() == TkPlotObjectKind::Label;
}
bool IsLegend(const TkPlotObject* o)
{
    return o->Kind() == TkPlotObjectKind::Legend;
}

bool CanResize(const TkPlotObject* o)
{
    return o->IsAxis() || IsLabel(o) || IsLegend(o) || o->Kind() == TkPlotObjectKind::Table;
}

// Pairs that may share or stack against each other by thirds of a level.
bool Compatible(const TkPlotObject* Dragged, const TkPlotObject* Occupant)
{
    if (Dragged->IsAxis() || Occupant->IsAxis())
        return Dragged->IsAxis() && Occupant->IsAxis();
    return (IsLabel(Dragged) && (IsLabel(Occupant) || IsLegend(Occupant))) || (IsLegend(Dragged) && IsLabel(Occupant));
}

// The part of Length that Percent covers, in whole pixels.
int PercentOf(int Length, double Percent)
{
    return RoundToInt(Length * Percent / 100);
}

}  // namespace

void TkPlotLayoutViewerModel::SetLayoutManager(TkPlotLayoutManager* Value)
{
    FLayout = Value;
    EndDrag();
    FBlocks.clear();
}

void TkPlotLayoutViewerModel::EndDrag()
{
    FMode = dmIdle;
    FDragged = nullptr;
    FSwapTarget = nullptr;
    FDropBlock = -1;
    FArmedObject = nullptr;
    FArmedEnd = reNone;
}

void TkPlotLayoutViewerModel::ForgetFreedObjects()
{
    const std::vector<TkPlotLayoutObject*> objects = Objects();
    auto held = [&](const TkPlotLayoutObject* o) {
        return std::find(objects.begin(), objects.end(), o) != objects.end();
    };
    if (FDragged && !held(FDragged))
        EndDrag();
    if (FSwapTarget && !held(FSwapTarget))
        FSwapTarget = nullptr;
    if (FArmedObject && !held(FArmedObject)) {
        FArmedObject = nullptr;
        FArmedEnd = reNone;
    }
}

bool TkPlotLayoutViewerModel::IsPlaceholder(const TkPlotLayoutObject* Object) const
{
    return Object == FLayout->HorzDataView() || Object == FLayout->VertDataView();
}

std::vector<TkPlotLayoutObject*> TkPlotLayoutViewerModel::Objects() const
{
    std::vector<TkPlotLayoutObject*> objects;
    if (FLayout)
        for (int i = 0; i < FLayout->GetCount(); ++i)
            objects.push_back(FLayout->GetItem(i));
    return objects;
}

void TkPlotLayoutViewerModel::Arrange(int Width, int Height, int BlockSize)
{
    FWidth = Width;
    FHeight = Height;
    FOuter = TRect(Margin, Margin, Width - Margin, Height - Margin);
    if (!FLayout)
        return;
    ForgetFreedObjects();
    const int b = FBlockSize = BlockSize;
    const int nl = FLayout->LeftLevels(), nr = FLayout->RightLevels();
    const int nt = FLayout->TopLevels(), nb = FLayout->BottomLevels();
    FDataView = TRect(FOuter.Left + nl * b, FOuter.Top + nt * b, FOuter.Right - nr * b, FOuter.Bottom - nb * b);
    if (FMode == dmIdle)
        BuildBlocks(nl, nr, nt, nb);
    for (TkPlotLayoutObject* o : Objects())
        o->SetViewerRect(ObjectRect(*o));
}

void TkPlotLayoutViewerModel::BuildBlocks(int nl, int nr, int nt, int nb)
{
    const int b = FBlockSize;
    const TRect& O = FOuter;
    const TRect& D = FDataView;
    FBlocks.clear();
    for (int i = 0; i < nl; ++i)
        FBlocks.push_back({TRect(O.Left + i * b, D.Top, O.Left + (i + 1) * b, D.Bottom), i, false});
    FBlocks.push_back({D, nl, false, true});
    for (int i = 0; i < nr; ++i)
        FBlocks.push_back({TRect(D.Right + i * b, D.Top, D.Right + (i + 1) * b, D.Bottom), nl + 1 + i, false});
    for (int i = 0; i < nt; ++i)
        FBlocks.push_back(
            {TRect(O.Left, O.Top + i * b, O.Right, O.Top + (i + 1) * b), nt + nb - i, true, false, i == 0});
    FBlocks.push_back({D, nb, true, true});
    for (int i = 0; i < nb; ++i)
        FBlocks.push_back({TRect(O.Left, D.Bottom + i * b, O.Right, D.Bottom + (i + 1) * b), nb - 1 - i, true});
}

TRect TkPlotLayoutViewerModel::ObjectRect(const TkPlotLayoutObject& Object) const
{
    const int b = FBlockSize;
    const TRect& O = FOuter;
    const TRect& D = FDataView;
    if (IsDataView(&Object) || IsPlaceholder(&Object))
        return D;
    const int z = Object.GetZOrder();
    TRect r;
    if (!Object.GetHorizontal()) {
        const int zv = FLayout->VertDataView()->GetZOrder();
        if (z <= zv) {
            const int k = zv - z;
            r.Left = D.Left - k * b;
            r.Right = D.Left - (k - 1) * b;
        } else {
            r.Left = D.Right + (z - zv - 1) * b;
            r.Right = D.Right + (z - zv) * b;
        }
        r.Top = D.Bottom - PercentOf(D.Height(), Object.GetStopPercent());
        r.Bottom = D.Bottom - PercentOf(D.Height(), Object.GetStartPercent());
        return r;
    }
    const int zh = FLayout->HorzDataView()->GetZOrder();
    if (z <= zh) {
        r.Top = D.Bottom + (zh - z - 1) * b;
        r.Bottom = D.Bottom + (zh - z) * b;
    } else {
        r.Top = D.Top - (z - zh) * b;
        r.Bottom = D.Top - (z - zh - 1) * b;
    }
    // Axes run along the data view; the others may reach over the whole width.
    const TRect& along = Object.IsAxis() ? D : O;
    r.Left = along.Left + PercentOf(along.Width(), Object.GetStartPercent());
    r.Right = along.Left + PercentOf(along.Width(), Object.GetStopPercent());
    return r;
}

TkPlotLayoutObject* TkPlotLayoutViewerModel::ObjectAt(TPoint P) const
{
    for (TkPlotLayoutObject* o : Objects())
        if (!IsPlaceholder(o) && PtInRect(o->GetViewerRect(), P))
            return o;
    return nullptr;
}

int TkPlotLayoutViewerModel::BlockAt(TPoint P) const
{
    const int b = FBlockSize;
    for (std::size_t i = 0; i < FBlocks.size(); ++i) {
        const TBlockObject& block = FBlocks[i];
        const TRect& r = block.Rect;
        if (!PtInRect(r, P))
            continue;
        if (block.TopMost && 2 * (P.Y - r.Top) < r.Height())
            continue;
        // The data view takes drops only along its edges: its middle is
        // where the plot is, not a level.
        if (block.DataView) {
            const bool nearEdge = block.Horizontal ? P.Y < r.Top + b || P.Y >= r.Bottom - b
                                                   : P.X < r.Left + b || P.X >= r.Right - b;
            if (!nearEdge)
                continue;
        }
        return int(i);
    }
    return -1;
}

TkPlotLayoutObject* TkPlotLayoutViewerModel::SlotOccupant(int ZOrder, bool Horizontal) const
{
    if (!FLayout)
        return nullptr;
    const TkPlotLayoutObject* otherPlaceholder = Horizontal ? static_cast<TkPlotLayoutObject*>(FLayout->VertDataView())
                                                            : FLayout->HorzDataView();
    for (TkPlotLayoutObject* o : Objects())
        if (o != FDragged && !IsDataView(o) && o != otherPlaceholder && o->GetZOrder() == ZOrder &&
            o->GetHorizontal() == Horizontal)
            return o;
    return nullptr;
}

void TkPlotLayoutViewerModel::MouseDown(TPoint P, bool LeftButton)
{
    // An earlier press whose release went elsewhere (to a popup, which may
    // have changed the levels) is over.
    if (FMode != dmIdle) {
        EndDrag();
        Arrange(FWidth, FHeight, FBlockSize);
    }
    TkPlotLayoutObject* hit = ObjectAt(P);
    if (!hit || IsDataView(hit) || hit->Kind() == TkPlotObjectKind::ToolBar)
        return;
    FDragged = hit;
    FDownPoint = P;
    if (!LeftButton)
        FInsertMode = 0;
    if (FArmedEnd != reNone && FArmedObject == hit) {
        FMode = dmResizing;
        FDownStart = hit->GetStartPercent();
        FDownStop = hit->GetStopPercent();
    } else {
        FMode = dmMoving;
    }
}

TkPlotLayoutViewerModel::TSizing TkPlotLayoutViewerModel::MouseMove(TPoint P, bool LeftButton)
{
    ForgetFreedObjects();
    if (!FLayout || (FMode == dmMoving && !LeftButton))
        return szNone;
    FSwapTarget = nullptr;
    FDropBlock = -1;
    switch (FMode) {
    case dmIdle:
        Hover(P);
        if (FArmedEnd != reNone)
            return FArmedObject->GetHorizontal() ? szHorizontal : szVertical;
        break;
    case dmMoving: Drag(P); break;
    case dmResizing: Resize(P); break;
    }
    return szNone;
}

void TkPlotLayoutViewerModel::Hover(TPoint P)
{
    FArmedEnd = reNone;
    FArmedObject = ObjectAt(P);
    if (!FArmedObject || !CanResize(FArmedObject))
        return;
    const TRect& r = FArmedObject->GetViewerRect();
    // A vertical object starts at its bottom. An object short enough to
    // have both ends in reach resizes by the nearer one.
    const int toStart = FArmedObject->GetHorizontal() ? std::abs(P.X - r.Left) : std::abs(P.Y - r.Bottom);
    const int toStop = FArmedObject->GetHorizontal() ? std::abs(P.X - r.Right) : std::abs(P.Y - r.Top);
    if (std::min(toStart, toStop) < ResizeReach)
        FArmedEnd = toStart <= toStop ? reStart : reStop;
}

void TkPlotLayoutViewerModel::Drag(TPoint P)
{
    TkPlotLayoutObject* hit = ObjectAt(P);
    if (hit && !IsDataView(hit) && hit != FDragged && hit->GetHorizontal() == FDragged->GetHorizontal() &&
        hit->GetZOrder() == FDragged->GetZOrder())
        FSwapTarget = hit;

    const int index = BlockAt(P);
    if (index < 0)
        return;
    const TBlockObject& block = FBlocks[index];
    if (FDragged->IsAxis() && block.Horizontal != FDragged->GetHorizontal())
        return;
    FDropBlock = index;
    const TkPlotLayoutObject* occupant = SlotOccupant(block.ZOrder, block.Horizontal);
    if (!occupant)
        return;
    const TRect& r = block.Rect;
    // Offsets into the block, compared by multiplying out so that an empty
    // block divides nothing.
    const int dy = P.Y - r.Top, dx = P.X - r.Left;
    const int h = r.Height(), w = r.Width();
    if (Compatible(FDragged, occupant)) {
        if (block.TopMost) {
            if (3 * dy > 2 * h)
                FInsertMode = 1;
            else
                FDropBlock = -1;
        } else if (block.Horizontal) {
            FInsertMode = 3 * dy >= 2 * h ? 1 : 3 * dy < h ? 2 : 0;
        } else {
            FInsertMode = 3 * dx < w ? 1 : 3 * dx >= 2 * w ? 2 : 0;
        }
    } else if (block.Horizontal) {
        FInsertMode = 2 * dy < h ? 2 : 1;
    } else {
        FInsertMode = 2 * dx >= w ? 2 : 1;
    }
}

void TkPlotLayoutViewerModel::Resize(TPoint P)
{
    if (FArmedEnd == reNone)
        return;
    const bool horizontal = FDragged->GetHorizontal();
    const int span = horizontal ? FDataView.Width() : FDataView.Height();
    // A schematic squeezed to nothing has no scale to move an end by.
    if (span <= 0)
        return;
    const int moved = horizontal ? P.X - FDownPoint.X : FDownPoint.Y - P.Y;
    const double delta = std::nearbyint(double(moved) / span * 100 / ResizeStep) * ResizeStep;
    // The end stops short of the other one and of the plot's edges, so a
    // drag past either never moves the other end.
    if (FArmedEnd == reStart)
        FDragged->SetStartPercent(std::clamp(FDownStart + delta, 0.0, std::max(0.0, FDownStop - MinimumSpan)));
    else
        FDragged->SetStopPercent(std::clamp(FDownStop + delta, std::min(100.0, FDownStart + MinimumSpan), 100.0));
}

bool TkPlotLayoutViewerModel::MouseUp()
{
    ForgetFreedObjects();
    const bool changed = (FMode == dmMoving && FDropBlock >= 0 && Drop()) ||
                         (FMode == dmResizing && FArmedEnd != reNone);
    EndDrag();
    return changed;
}

bool TkPlotLayoutViewerModel::Drop()
{
    const TBlockObject& block = FBlocks[FDropBlock];
    TkPlotLayoutObject* occupant = SlotOccupant(block.ZOrder, block.Horizontal);
    if (FSwapTarget) {
        const double start = FDragged->GetStartPercent(), stop = FDragged->GetStopPercent();
        FDragged->SetStartStopPercent(FSwapTarget->GetStartPercent(), FSwapTarget->GetStopPercent());
        FSwapTarget->SetStartStopPercent(start, stop);
        return true;
    }
    if (block.Horizontal == FDragged->GetHorizontal()) {
        if (FInsertMode == 0) {
            ShareLevel(block, occupant);
            return true;
        }
        if (occupant) {
            FLayout->RemoveFromZOrder(FDragged);
            FLayout->InsertAtZOrder(FDragged, occupant->GetZOrder(), FInsertMode);
        }
        FDragged->SetStartStopPercent(0, 100);
        return true;
    }
    if (occupant) {
        FLayout->RemoveFromZOrder(FDragged);
        FDragged->SetHorizontal(block.Horizontal);
        FLayout->InsertAtZOrder(FDragged, occupant->GetZOrder(), FInsertMode);
    }
    return true;
}

void TkPlotLayoutViewerModel::ShareLevel(const TBlockObject& Block, TkPlotLayoutObject* Occupant)
{
    std::vector<TkPlotLayoutObject*> level;
    for (TkPlotLayoutObject* o : Objects())
        if (o != FDragged && !IsDataView(o) && !IsPlaceholder(o) && o->GetZOrder() == Block.ZOrder &&
            o->GetHorizontal() == Block.Horizontal)
            level.push_back(o);
    level.push_back(FDragged);
    const double n = double(level.size());
    for (std::size_t i = 0; i < level.size(); ++i)
        level[i]->SetStartStopPercent(i * 100 / n, (i + 1) * 100 / n);
    if (Occupant) {
        FLayout->RemoveFromZOrder(FDragged);
        FLayout->InsertAtZOrder(FDragged, Occupant->GetZOrder(), 0);
    }
}

bool TkPlotLayoutViewerModel::FeedbackRect(TRect& R) const
{
    if (FSwapTarget) {
        R = FSwapTarget->GetViewerRect();
        return true;
    }
    if (FDropBlock < 0)
        return false;
    const TBlockObject& block = FBlocks[FDropBlock];
    const int b = FBlockSize, half = b / 2;
    R = block.Rect;
    int shift = 0;
    if (FInsertMode == 1)
        shift = block.Horizontal ? half : -half;
    else if (FInsertMode == 2)
        shift = block.Horizontal ? -half - 1 : half + 1;
    if (block.Horizontal) {
        R.Top += shift;
        R.Bottom += shift;
    } else {
        R.Left += shift;
        R.Right += shift;
    }
    // On the data view the insert position is a level-deep band at the
    // edge the object would go to.
    if (block.DataView && FInsertMode != 0) {
        if (block.Horizontal) {
            R.Left = FOuter.Left;
            R.Right = FOuter.Right;
            if (FInsertMode == 1)
                R.Top = R.Bottom - b;
            else
                R.Bottom = R.Top + b;
        } else if (FInsertMode == 1) {
            R.Right = R.Left + b;
        } else {
            R.Left = R.Right - b;
        }
    }
    return true;
}
