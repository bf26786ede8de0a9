#pragma once
#include "plot/core/kPlotKindManager.h"

// A kind manager that answers its objects typed. GetItem is compiled where
// it is called, so the item class need only be known there.
template <class TItem> class TkPlotTypedKindManager : public TkPlotKindManager {
public:
    using TkPlotKindManager::TkPlotKindManager;
    TItem* GetItem(int Index) const { return static_cast<TItem*>(GetObject(Index)); }

protected:
    ~TkPlotTypedKindManager() override = default;
};

// The manager factory of a kind whose objects are TItem.
template <class TItem> TkPlotKindManager* NewPlotKindManager(TkPlotObjectOwner* Owner,
                                                             const TkPlotObjectCallbacks& Callbacks,
                                                             TkPlotMasterManager& Master, const TkPlotKind& Kind)
{
    return new TkPlotTypedKindManager<TItem>(Owner, Callbacks, Master, Kind);
}
