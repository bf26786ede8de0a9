#pragma once
// Object managers: the plot's list of objects of one kind. A per-kind
// manager owns its objects, names new ones and gives them their first links;
// the all-objects manager sees every object and routes input to the
// selected ones.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plot/core/kPlotObject.h"

class TReader;
class TWriter;
class TkPlotMasterManager;

// Creates an object of one class with its owner and callbacks (a class
// reference of the original design).
using TkPlotObjectClass = std::function<TkPlotObject*(TkPlotObjectOwner*, const TkPlotObjectCallbacks&)>;

// The object class that makes a T.
template <class T> TkPlotObjectClass PlotObjectClassOf()
{
    return NewPlotObject<T>;
}

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
    // Changes whenever an object comes, goes or is renamed, and differs
    // between managers, so that an answer of FindByName can be kept until
    // it does.
    std::uint64_t GetNamesVersion() const { return FNamesVersion; }
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
    bool AddAndName(TkPlotObject* Object, const TkPlotKind& Kind);

private:
    void NamesChanged();

    std::vector<TkPlotObject*> FItems;
    std::uint64_t FNamesVersion = 0;
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

// The manager of one kind (see TkPlotKind): makes objects of a class, by
// default the kind's own, links them, and names the new ones.
class TkPlotKindManager : public TkPlotObjectOwnedManager {
public:
    // Master is only handed on to the kind's links.
    TkPlotKindManager(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks, TkPlotMasterManager& Master,
                      const TkPlotKind& Kind);

    // An object of the manager's class; raises when it has none.
    TkPlotObject* CreateObject() override;
    // An object of Class, which must make objects of the manager's kind.
    // Neither registers it: the caller calls its DoInsert.
    TkPlotObject* CreateObject(const TkPlotObjectClass& Class);
    std::string GetDefaultName() const override { return FKind.DefaultName; }
    void AddObject(TkPlotObject* Object) override;
    const TkPlotKind& Kind() const { return FKind; }
    // The class CreateObject makes objects of from now on.
    void SetObjectClass(TkPlotObjectClass Value) { FObjectClass = std::move(Value); }

protected:
    ~TkPlotKindManager() override = default;

private:
    TkPlotMasterManager& FMaster;
    const TkPlotKind& FKind;
    TkPlotObjectClass FObjectClass;
};

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
