#include "plot/core/kPlotLayoutManager.h"

#include <algorithm>
#include <cmath>

#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataView.h"
#include "rtl/Exception.h"

namespace {

bool IsDataView(const TkPlotObject* o)
{
    return o->Kind() == TkPlotObjectKind::DataView;
}

// Level first, then the rounded start percent; compared as numbers.
bool LayoutBefore(const TkPlotLayoutObject* a, const TkPlotLayoutObject* b)
{
    if (a->GetZOrder() != b->GetZOrder())
        return a->GetZOrder() < b->GetZOrder();
    return std::nearbyint(a->GetStartPercent()) < std::nearbyint(b->GetStartPercent());
}

int CountLevels(const std::vector<TkPlotLayoutObject*>& List)
{
    int levels = 0;
    for (std::size_t i = 0; i < List.size(); ++i)
        if (i == 0 || List[i]->GetZOrder() != List[i - 1]->GetZOrder())
            ++levels;
    return levels;
}

}  // namespace

TkPlotLayoutManager* TkPlotLayoutManager::Create(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks)
{
    auto* m = new TkPlotLayoutManager(AOwner, Callbacks);
    m->DoInsert();
    m->FHorzDataView = new TkPlotDataViewHorz(AOwner, Callbacks);
    m->FHorzDataView->SetHorizontal(true);
    m->FHorzDataView->SetZOrder(1);
    m->FHorzDataView->SetName("Data View");
    m->FHorzDataView->DoInsert();
    m->FVertDataView = new TkPlotDataViewVert(AOwner, Callbacks);
    m->FVertDataView->SetHorizontal(false);
    m->FVertDataView->SetZOrder(1);
    m->FVertDataView->SetName("Data View");
    m->FVertDataView->DoInsert();
    m->FAutoPlacement = true;
    return m;
}

void TkPlotLayoutManager::Clear()
{
    // The placeholders are the only objects this manager owns.
    FAutoPlacement = false;
    TkPlotObject::Free(FHorzDataView);
    FHorzDataView = nullptr;
    TkPlotObject::Free(FVertDataView);
    FVertDataView = nullptr;
}

TkPlotObject* TkPlotLayoutManager::CreateObject()
{
    throw Exception("Object Manager does not support creation of objects");
}

TkPlotLayoutObject* TkPlotLayoutManager::GetItem(int Index) const
{
    return static_cast<TkPlotLayoutObject*>(GetObject(Index));
}

bool TkPlotLayoutManager::IsPlaceholder(const TkPlotObject* Object) const
{
    return Object && (Object == FHorzDataView || Object == FVertDataView);
}

void TkPlotLayoutManager::ApplyAxisOrientation(TkPlotLayoutObject* Axis)
{
    if (Axis->Kind() == TkPlotObjectKind::XAxis)
        Axis->SetHorizontal(!FXYAxesReverse);
    else if (Axis->Kind() == TkPlotObjectKind::YAxis)
        Axis->SetHorizontal(FXYAxesReverse);
}

void TkPlotLayoutManager::AddObject(TkPlotObject* Object)
{
    if (!Object || !Object->IsLayoutObject())
        return;
    auto* layout = static_cast<TkPlotLayoutObject*>(Object);
    AddUnique(layout);
    if (layout->Kind().RelayoutOnChange)
        layout->OnLayoutChange = [this](TObject*) { Rebuild(); };
    if (layout->IsAxis())
        ApplyAxisOrientation(layout);
    if (FAutoPlacement)
        InsertAtZOrder(layout, 0, 0);
}

void TkPlotLayoutManager::ObjectRemoved(TkPlotObject* Object)
{
    RemoveFromLists(Object);
    if (FAutoPlacement && Object->IsLayoutObject() && !IsPlaceholder(Object))
        RemoveFromZOrder(static_cast<TkPlotLayoutObject*>(Object));
}

void TkPlotLayoutManager::RemoveFromLists(const TkPlotObject* Object)
{
    for (auto* list : {&FTopList, &FBottomList, &FLeftList, &FRightList})
        list->erase(std::remove(list->begin(), list->end(), Object), list->end());
}

std::vector<TkPlotLayoutObject*> TkPlotLayoutManager::Peers(const TkPlotLayoutObject* Object) const
{
    std::vector<TkPlotLayoutObject*> peers;
    for (TkPlotObject* o : Items()) {
        auto* l = static_cast<TkPlotLayoutObject*>(o);
        if (l != Object && l->GetHorizontal() == Object->GetHorizontal())
            peers.push_back(l);
    }
    return peers;
}

void TkPlotLayoutManager::InsertAtZOrder(TkPlotLayoutObject* Object, int Level, int Mode)
{
    const std::vector<TkPlotLayoutObject*> peers = Peers(Object);
    auto moveUpFrom = [&](int From) {
        for (TkPlotLayoutObject* p : peers)
            if (!IsDataView(p) && p->GetZOrder() >= From)
                p->SetZOrder(p->GetZOrder() + 1);
    };
    switch (Mode) {
    case 0: {
        const bool blocked = std::any_of(peers.begin(), peers.end(), [&](const TkPlotLayoutObject* p) {
            if (IsDataView(p) || p->GetZOrder() != Level)
                return false;
            const bool same = p->GetStartPercent() == Object->GetStartPercent() &&
                              p->GetStopPercent() == Object->GetStopPercent();
            return same ||
                   (p->GetStartPercent() < Object->GetStopPercent() && p->GetStopPercent() > Object->GetStartPercent());
        });
        if (blocked)
            moveUpFrom(Level);
        Object->SetZOrder(Level);
        break;
    }
    case 1:
        moveUpFrom(Level);
        Object->SetZOrder(Level);
        break;
    case 2:
        moveUpFrom(Level + 1);
        Object->SetZOrder(Level + 1);
        break;
    default: break;
    }
    Rebuild();
}

void TkPlotLayoutManager::RemoveFromZOrder(TkPlotLayoutObject* Object)
{
    const std::vector<TkPlotLayoutObject*> peers = Peers(Object);
    const int level = Object->GetZOrder();
    const bool alone = std::none_of(peers.begin(), peers.end(), [&](const TkPlotLayoutObject* p) {
        return !IsDataView(p) && p->GetZOrder() == level;
    });
    if (alone)
        for (TkPlotLayoutObject* p : peers)
            if (p->GetZOrder() > level)
                p->SetZOrder(p->GetZOrder() - 1);
    Rebuild();
}

void TkPlotLayoutManager::Rebuild()
{
    if (!FAutoPlacement || !FHorzDataView || !FVertDataView)
        return;
    FTopList.clear();
    FBottomList.clear();
    FLeftList.clear();
    FRightList.clear();
    for (TkPlotObject* o : Items()) {
        if (IsDataView(o) || IsPlaceholder(o))
            continue;
        auto* l = static_cast<TkPlotLayoutObject*>(o);
        if (l->IsHorizontal()) {
            const bool far = FHorzDataView->GetZOrder() < l->GetZOrder();
            l->SetFarSide(far);
            (far ? FTopList : FBottomList).push_back(l);
        } else {
            const bool far = FVertDataView->GetZOrder() < l->GetZOrder();
            l->SetFarSide(far);
            (far ? FRightList : FLeftList).push_back(l);
        }
    }
    for (auto* list : {&FTopList, &FBottomList, &FLeftList, &FRightList})
        std::stable_sort(list->begin(), list->end(), LayoutBefore);
    FTopLevels = CountLevels(FTopList);
    FBottomLevels = CountLevels(FBottomList);
    FLeftLevels = CountLevels(FLeftList);
    FRightLevels = CountLevels(FRightList);
}

void TkPlotLayoutManager::SetAutoPlacement(bool Value)
{
    FAutoPlacement = Value;
    if (Value)
        Rebuild();
}

void TkPlotLayoutManager::SetXYAxesReverse(bool Value)
{
    if (Value == FXYAxesReverse)
        return;
    FXYAxesReverse = Value;
    if (!FAutoPlacement)
        return;
    std::vector<TkPlotLayoutObject*> axes;
    for (TkPlotObject* o : Items())
        if (o->IsAxis())
            axes.push_back(static_cast<TkPlotLayoutObject*>(o));
    std::stable_sort(axes.begin(), axes.end(), [](const TkPlotLayoutObject* a, const TkPlotLayoutObject* b) {
        return a->GetZOrder() < b->GetZOrder();
    });
    for (TkPlotLayoutObject* axis : axes) {
        RemoveFromZOrder(axis);
        ApplyAxisOrientation(axis);
        InsertAtZOrder(axis, 0, 0);
    }
}
