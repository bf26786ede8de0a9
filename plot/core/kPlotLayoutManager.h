#pragma once
// Keeps every layout object of the plot, gives each a level (ZOrder) so that
// objects of one orientation share a level side by side or stack on separate
// levels, and sorts them into the lists above, below, left and right of the
// data view.
#include <vector>

#include "plot/core/kPlotDataViewHorz.h"
#include "plot/core/kPlotDataViewVert.h"
#include "plot/core/kPlotObjectManagerCustom.h"

class TkPlotLayoutManager : public TkPlotObjectManagerCustom {
public:
    // Makes the manager, files it and its two placeholders with the master
    // manager, and switches automatic placement on.
    static TkPlotLayoutManager* Create(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    TkPlotObject* CreateObject() override;
    std::string GetDefaultName() const override { return "Layout Object"; }
    void AddObject(TkPlotObject* Object) override;
    void ObjectRemoved(TkPlotObject* Object) override;
    void Clear() override;

    TkPlotLayoutObject* GetItem(int Index) const;
    bool GetAutoPlacement() const { return FAutoPlacement; }
    void SetAutoPlacement(bool Value);
    bool GetXYAxesReverse() const { return FXYAxesReverse; }
    void SetXYAxesReverse(bool Value);

    // Mode 0: at Level, sharing it when no peer there overlaps; 1: before
    // Level; 2: after Level. Peers above move out one level as needed.
    void InsertAtZOrder(TkPlotLayoutObject* Object, int Level, int Mode);
    // Closes the level that Object leaves when it was alone there.
    void RemoveFromZOrder(TkPlotLayoutObject* Object);
    void Rebuild();

    TkPlotDataViewHorz* HorzDataView() const { return FHorzDataView; }
    TkPlotDataViewVert* VertDataView() const { return FVertDataView; }
    const std::vector<TkPlotLayoutObject*>& TopList() const { return FTopList; }
    const std::vector<TkPlotLayoutObject*>& BottomList() const { return FBottomList; }
    const std::vector<TkPlotLayoutObject*>& LeftList() const { return FLeftList; }
    const std::vector<TkPlotLayoutObject*>& RightList() const { return FRightList; }
    int TopLevels() const { return FTopLevels; }
    int BottomLevels() const { return FBottomLevels; }
    int LeftLevels() const { return FLeftLevels; }
    int RightLevels() const { return FRightLevels; }

protected:
    ~TkPlotLayoutManager() override = default;

private:
    using TkPlotObjectManagerCustom::TkPlotObjectManagerCustom;

    bool IsPlaceholder(const TkPlotObject* Object) const;
    // The other layout objects of the same orientation.
    std::vector<TkPlotLayoutObject*> Peers(const TkPlotLayoutObject* Object) const;
    void ApplyAxisOrientation(TkPlotLayoutObject* Axis);
    void RemoveFromLists(const TkPlotObject* Object);

    bool FXYAxesReverse = false;
    TkPlotDataViewHorz* FHorzDataView = nullptr;
    TkPlotDataViewVert* FVertDataView = nullptr;
    bool FAutoPlacement = false;
    std::vector<TkPlotLayoutObject*> FTopList, FBottomList, FLeftList, FRightList;
    int FLeftLevels = 0, FRightLevels = 0, FBottomLevels = 0, FTopLevels = 0;
};
