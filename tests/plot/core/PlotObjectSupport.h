#pragma once
// A fake plot for object tests: records the events objects fire, and a set
// of callbacks that record what they are called with.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plot/core/kPlotObject.h"

struct FakePlot : TkPlotObjectOwner {
    std::vector<std::string> events;
    bool cancelPopup = false;

    void DoObjectMouseDown(TkPlotObject* o, TMouseButton, TShiftState, int, int) override
    {
        events.push_back("down " + o->GetName());
    }
    void DoObjectMouseUp(TkPlotObject* o, TMouseButton, TShiftState, int, int) override
    {
        events.push_back("up " + o->GetName());
    }
    void DoObjectPopupMenu(TkPlotObject* o, bool& Cancel, int X, int Y) override
    {
        events.push_back("popup " + o->GetName() + " at " + std::to_string(X) + "," + std::to_string(Y));
        Cancel = cancelPopup;
    }
    void DoObjectGotFocus(TkPlotObject* o) override { events.push_back("got " + o->GetName()); }
    void DoObjectLostFocus(TkPlotObject* o) override { events.push_back("lost " + o->GetName()); }
};

struct CallbackLog {
    std::vector<std::string> calls;
    TkPlotObjectCallbacks callbacks()
    {
        TkPlotObjectCallbacks c;
        c.OnChange = [this](TObject*) { calls.push_back("change"); };
        c.OnInsert = [this](TObject*) { calls.push_back("insert"); };
        c.OnRemove = [this](TObject*) { calls.push_back("remove"); };
        c.OnRename = [this](TObject*) { calls.push_back("rename"); };
        return c;
    }
};

// A test's own plot object, freed the only way plot objects are: Free.
struct FreePlotObject {
    void operator()(TkPlotObject* Object) const { TkPlotObject::Free(Object); }
};
template <class T> using TestObject = std::unique_ptr<T, FreePlotObject>;
template <class T, class... Args> TestObject<T> MakeObject(Args&&... args)
{
    return TestObject<T>(new T(std::forward<Args>(args)...));
}

// Plot objects and managers unregister in two phases (Free); a plain
// delete, which would unregister a half-destroyed object, must not compile.
template <class T>
concept PlainDeletable = requires(T* Object)
{
    delete Object;
};
