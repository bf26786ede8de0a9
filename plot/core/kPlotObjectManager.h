#pragma once
// Object managers: the plot's list of objects of one kind. A per-kind
// manager owns its objects, names new ones and gives them their first links;
// the all-objects manager sees every object and routes input to the
// selected ones.
#include <functional>
#include <string>
#include <vector>

#include "plot/core/kPlotObjects.h"

class TReader;
class TWriter;
class TkPlotXAxis;
class TkPlotYAxis;
class TkPlotDataView;
class TkPlotXAxisManager;
class TkPlotYAxisManager;
class TkPlotChannelManager;
class TkPlotDataViewManager;
// Kinds defined by the library above this one (plot/channels), which binds
// their classes into the managers; here they are only named, for typed
// access.
class TkPlotToolBar;
class TkPlotLegend;
class TkPlotTable;
class TkPlotChannelCustom;
class TkPlotDataCursor;
class TkPlotLimit;
class TkPlotLabel;
class TkPlotAnnotation;

// Creates an object of one class with its owner and callbacks (a class
// reference of the original design).
using TkPlotObjectClass = std::function<TkPlotObject*(TkPlotObjectOwner*, const TkPlotObjectCallbacks&)>;

// The object class that makes a T.
template <class T> TkPlotObjectClass PlotObjectClassOf()
{
    return [](TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks) -> TkPlotObject* {
        return new T(Owner, Callbacks);
    };
}
// Gives a newly named object its first links to the plot's other objects
// (a channel its colour and axes); bound in together with the class.
using TkPlotFirstLinks = std::function<void(TkPlotObject* Object)>;

class TkPlotObjectManagerCustom : public TObject {
public:
    // Raises when the owner or a callback is missing. The creator then
    // calls DoInsert, which files the manager with the master manager.
    TkPlotObjectManagerCustom(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    // Frees a manager in two phases: Clear and OnRemove while it is whole,
    // then delete. The only way to free one: the destructors of the
    // managers are protected.
    static void Free(TkPlotObjectManagerCustom* Manager);
    void DoInsert();

    virtual TkPlotObject* CreateObject() = 0;
    virtual std::string GetDefaultName() const = 0;
    virtual void ObjectRemoved(TkPlotObject*) {}
    virtual void RemoveObject(TkPlotObject* Object);
    virtual void AddObject(TkPlotObject* Object) = 0;
    void NotifyObjectRenamed(TkPlotObject* Object);
    void NotifyObjectFocused(TkPlotObject* Object);
    virtual void Clear() {}
    // Takes entry Index out of the list only, without notices.
    void Delete(int Index);

    int GetCount() const { return static_cast<int>(FItems.size()); }
    TkPlotObject* GetObject(int Index) const;
    bool HasObjects() const { return !FItems.empty(); }
    int IndexOf(const TkPlotObject* Object) const;
    int IndexOfName(const std::string& Name) const;
    TkPlotObject* FindByName(const std::string& Name) const;
    void AddUnique(TkPlotObject* Object);
    // Stem, a blank, and one more than the highest number used after it.
    std::string MakeDefaultName() const;

    TkPlotObjectOwner* GetOwner() const { return FOwner; }
    const TkPlotObjectCallbacks& GetCallbacks() const { return FCallbacks; }

    // The objects as a collection of the component stream, each with its
    // published properties. Reading clears the manager first, then makes
    // and registers one object per item; read objects keep their stored
    // names. An object whose properties fail to read is freed again.
    void WriteObjects(TWriter& Writer) const;
    void ReadObjects(TReader& Reader);

protected:
    ~TkPlotObjectManagerCustom() override = default;

    const std::vector<TkPlotObject*>& Items() const { return FItems; }
    // Adds an object of the manager's kind and names it when unnamed;
    // answers whether it was taken.
    bool AddAndName(TkPlotObject* Object, TkPlotObjectKind Kind);

private:
    std::vector<TkPlotObject*> FItems;
    TkPlotObjectOwner* FOwner;
    TkPlotObjectCallbacks FCallbacks;
};

// A manager that owns its objects.
class TkPlotObjectOwnedManager : public TkPlotObjectManagerCustom {
public:
    using TkPlotObjectManagerCustom::TkPlotObjectManagerCustom;

    void RemoveObject(TkPlotObject* Object) override;
    void Clear() override;

protected:
    ~TkPlotObjectOwnedManager() override = default;
};

// Every object of the plot; owns none of them.
class TkPlotObjectManager : public TkPlotObjectManagerCustom {
public:
    using TkPlotObjectManagerCustom::TkPlotObjectManagerCustom;

    TkPlotObject* CreateObject() override;
    std::string GetDefaultName() const override { return "n/a"; }
    void AddObject(TkPlotObject* Object) override { AddUnique(Object); }

    void ClearFocus();
    TShiftState GetShiftState() const { return FShiftState; }
    void SetShiftState(TShiftState Value);
    // Input for the selected objects, in list order.
    void MouseDown(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen, TPopupMenu* Menu);
    void MouseMove(TShiftState Shift, TPoint Client);
    void MouseUp(TMouseButton Button, TShiftState Shift, TPoint Client, TPoint Screen, bool DoubleClickPending,
                 TPopupMenu* Menu);
    void KeyDown(std::uint16_t Key, TShiftState Shift, TPopupMenu* Menu);
    bool MouseWheel(int WheelDelta, TShiftState Shift, TPoint Client);
    // Freeing the objects afterwards notifies nobody.
    void DetachCallbacks();

protected:
    ~TkPlotObjectManager() override = default;

private:
    template <class F> void ForEachFocused(F Call);

    TShiftState FShiftState = 0;
};

// A per-kind manager: creates objects of its class and names the new ones.
// The class of a kind defined above this library is bound in later
// (SetObjectClass, SetFirstLinks); until then CreateObject raises.
class TkPlotKindManager : public TkPlotObjectOwnedManager {
public:
    TkPlotKindManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks, TkPlotObjectKind Kind,
                      std::string DefaultName, TkPlotObjectClass ObjectClass = nullptr);

    TkPlotObject* CreateObject() override;
    std::string GetDefaultName() const override { return FDefaultName; }
    void AddObject(TkPlotObject* Object) override;
    TkPlotObjectKind Kind() const { return FKind; }
    void SetObjectClass(TkPlotObjectClass Value) { FObjectClass = std::move(Value); }
    void SetFirstLinks(TkPlotFirstLinks Value) { FFirstLinks = std::move(Value); }

protected:
    ~TkPlotKindManager() override = default;

    // First links of a new object, after it was named: the bound ones.
    virtual void InitNewObject(TkPlotObject* Object);

private:
    TkPlotObjectKind FKind;
    std::string FDefaultName;
    TkPlotObjectClass FObjectClass;
    TkPlotFirstLinks FFirstLinks;
};

// A kind manager that answers its objects typed by kind. GetItem is
// compiled where it is called, so the item class need only be known there.
template <class TItem> class TkPlotTypedKindManager : public TkPlotKindManager {
public:
    using TkPlotKindManager::TkPlotKindManager;
    TItem* GetItem(int Index) const { return static_cast<TItem*>(GetObject(Index)); }

protected:
    ~TkPlotTypedKindManager() override = default;
};

// The mode buttons of a toolbar that the plot reads and works: the down
// states of its zoom-box and select buttons and a click on its select
// button; bound in with the toolbar class.
struct TkPlotToolBarModes {
    std::function<bool(const TkPlotObject* ToolBar)> ZoomBoxDown;
    std::function<bool(const TkPlotObject* ToolBar)> SelectDown;
    std::function<void(TkPlotObject* ToolBar)> ClickSelect;
};

class TkPlotToolBarManager : public TkPlotTypedKindManager<TkPlotToolBar> {
public:
    TkPlotToolBarManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    void SetModes(TkPlotToolBarModes Value) { FModes = std::move(Value); }
    // The modes of the first toolbar; False without one.
    bool ZoomBoxMode() const;
    bool SelectMode() const;
    // Clicks the first toolbar's select button when its state differs;
    // nothing without a toolbar.
    void SetSelectMode(bool Value);

protected:
    ~TkPlotToolBarManager() override = default;

private:
    TkPlotToolBarModes FModes;
};

// Turns a legend's cursor-values mode on or off; bound in with the legend
// class.
using TkPlotLegendCursorValuesMode = std::function<void(TkPlotObject* Legend, bool On)>;

class TkPlotLegendManager : public TkPlotTypedKindManager<TkPlotLegend> {
public:
    TkPlotLegendManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    void SetCursorValuesModeSetter(TkPlotLegendCursorValuesMode Value) { FCursorValuesMode = std::move(Value); }
    // The first legend lists the data cursor's readouts of every channel
    // instead of the last values (when there is a first legend).
    void SetCursorValuesMode(bool On);

protected:
    ~TkPlotLegendManager() override = default;

private:
    TkPlotLegendCursorValuesMode FCursorValuesMode;
};

class TkPlotTableManager : public TkPlotTypedKindManager<TkPlotTable> {
public:
    TkPlotTableManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

protected:
    ~TkPlotTableManager() override = default;
};

class TkPlotXAxisManager : public TkPlotTypedKindManager<TkPlotXAxis> {
public:
    TkPlotXAxisManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

protected:
    ~TkPlotXAxisManager() override = default;

    void InitNewObject(TkPlotObject* Object) override;
};

class TkPlotYAxisManager : public TkPlotTypedKindManager<TkPlotYAxis> {
public:
    TkPlotYAxisManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

protected:
    ~TkPlotYAxisManager() override = default;

    void InitNewObject(TkPlotObject* Object) override;
};

// Names of axis 0 of each orientation, for the first links of new objects.
class TkPlotAxisLinks {
public:
    TkPlotXAxisManager* XAxisManager = nullptr;
    TkPlotYAxisManager* YAxisManager = nullptr;

    bool HasXAxis() const;
    bool HasYAxis() const;
    std::string FirstXAxisName() const;
    std::string FirstYAxisName() const;
};

// Clears the points of one channel; bound in with the channel class.
using TkPlotDataClearer = std::function<void(TkPlotObject* Channel)>;
// Narrows Minimum and Maximum to the values a channel holds along an axis
// it is drawn against (see TkPlotObjectOwner::GetAxisDataExtent); bound in
// with the channel class.
using TkPlotDataExtent = std::function<void(TkPlotObject* Channel, const TkPlotObject* Axis, bool Running,
                                            double& Minimum, double& Maximum)>;

class TkPlotChannelManager : public TkPlotTypedKindManager<TkPlotChannelCustom>, public TkPlotAxisLinks {
public:
    TkPlotChannelManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    void SetDataClearer(TkPlotDataClearer Value) { FDataClearer = std::move(Value); }
    // Clears the points of every channel, in list order.
    void ClearAllData();
    void SetDataExtent(TkPlotDataExtent Value) { FDataExtent = std::move(Value); }
    // The extent of every channel's values along the axis.
    void AxisDataExtent(const TkPlotObject* Axis, bool Running, double& Minimum, double& Maximum) const;

protected:
    ~TkPlotChannelManager() override = default;

private:
    TkPlotDataClearer FDataClearer;
    TkPlotDataExtent FDataExtent;
};

class TkPlotDataViewManager : public TkPlotTypedKindManager<TkPlotDataView>, public TkPlotAxisLinks {
public:
    TkPlotDataViewManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

protected:
    ~TkPlotDataViewManager() override = default;

    void InitNewObject(TkPlotObject* Object) override;
};

// Lets a data cursor update its readout; answers whether it is shown for
// every channel and asks the legend to list all their readouts. Bound in
// with the cursor class.
using TkPlotCursorReadoutUpdate = std::function<bool(TkPlotObject* Cursor)>;
// Gives a data cursor the data view it is drawn in; bound in with the
// cursor class.
using TkPlotCursorViewBinder = std::function<void(TkPlotObject* Cursor, TkPlotDataView* View)>;

class TkPlotDataCursorManager : public TkPlotTypedKindManager<TkPlotDataCursor> {
public:
    TkPlotDataCursorManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

    TkPlotChannelManager* ChannelManager = nullptr;
    TkPlotDataViewManager* DataViewManager = nullptr;

    void SetReadoutUpdate(TkPlotCursorReadoutUpdate Value) { FReadoutUpdate = std::move(Value); }
    void SetViewBinder(TkPlotCursorViewBinder Value) { FViewBinder = std::move(Value); }
    // Updates every cursor's readout, in list order; answers whether one
    // of them asks the legend for every channel's readout.
    bool UpdateReadouts();
    void BindView(TkPlotDataView* View);

protected:
    ~TkPlotDataCursorManager() override = default;

private:
    TkPlotCursorReadoutUpdate FReadoutUpdate;
    TkPlotCursorViewBinder FViewBinder;
};

class TkPlotLimitManager : public TkPlotTypedKindManager<TkPlotLimit>, public TkPlotAxisLinks {
public:
    TkPlotLimitManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

protected:
    ~TkPlotLimitManager() override = default;
};

class TkPlotLabelManager : public TkPlotTypedKindManager<TkPlotLabel> {
public:
    TkPlotLabelManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);

protected:
    ~TkPlotLabelManager() override = default;
};

// Annotations are added but never named by the manager.
class TkPlotAnnotationManager : public TkPlotTypedKindManager<TkPlotAnnotation> {
public:
    TkPlotAnnotationManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks);
    void AddObject(TkPlotObject* Object) override;

protected:
    ~TkPlotAnnotationManager() override = default;
};
