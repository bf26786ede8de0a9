#pragma once
// A reference to a plot object that knows when the object is freed. Input
// handlers hold one across calls that may run anything: a popup menu, the
// editor or a dialog opened from it, or a handler of the application. Any
// of these may free the object (a property file loaded, the object
// removed in the editor), and the handler touches the object afterwards
// only when it is still there.
#include <memory>

#include "plot/core/kPlotObject.h"

class TkPlotObjectRef {
public:
    explicit TkPlotObjectRef(const TkPlotObject* Object) : FLife(Object->Life()) {}

    // The object's freeing has not begun.
    explicit operator bool() const { return !FLife.expired(); }

private:
    std::weak_ptr<const void> FLife;
};
