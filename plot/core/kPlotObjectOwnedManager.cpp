#include "plot/core/kPlotObjectOwnedManager.h"

void TkPlotObjectOwnedManager::RemoveObject(TkPlotObject* Object)
{
    // Every manager hears every removal, so objects here drop references to
    // objects of other kinds too (a channel its axis, a cursor its view).
    for (TkPlotObject* o : std::vector<TkPlotObject*>(Items()))
        if (o != Object)
            o->ObjectRemoved(Object);
    TkPlotObjectManagerCustom::RemoveObject(Object);
}

void TkPlotObjectOwnedManager::Clear()
{
    for (TkPlotObject* o : std::vector<TkPlotObject*>(Items()))
        TkPlotObject::Free(o);
}
