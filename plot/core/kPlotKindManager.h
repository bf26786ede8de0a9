#pragma once
// A per-kind manager owns its objects, names new ones and gives them their
// first links.
#include <functional>
#include <string>

#include "plot/core/kPlotObjectOwnedManager.h"

class TkPlotMasterManager;

// Creates an object of one class with its owner and callbacks (a class
// reference of the original design).
using TkPlotObjectClass = std::function<TkPlotObject*(TkPlotObjectOwner*, const TkPlotObjectCallbacks&)>;

// The object class that makes a T.
template <class T> TkPlotObjectClass PlotObjectClassOf()
{
    return NewPlotObject<T>;
}

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
    // Among the kind's classes, where it lists them.
    std::string StreamedClassName(const TkPlotObject* Object) const override;
    TkPlotObject* CreateStreamedObject(const std::string& ClassName) override;

protected:
    ~TkPlotKindManager() override = default;

private:
    TkPlotMasterManager& FMaster;
    const TkPlotKind& FKind;
    TkPlotObjectClass FObjectClass;
};
