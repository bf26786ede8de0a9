#pragma once
// A fake plot for object tests: records the events objects fire, and a set
// of callbacks that record what they are called with.
#include <string>
#include <vector>

#include "plot/core/kPlotObjects.h"

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
