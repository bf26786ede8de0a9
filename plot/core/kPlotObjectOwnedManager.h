#pragma once
#include "plot/core/kPlotObjectManagerCustom.h"

// A manager that owns its objects.
class TkPlotObjectOwnedManager : public TkPlotObjectManagerCustom {
public:
    using TkPlotObjectManagerCustom::TkPlotObjectManagerCustom;

    void RemoveObject(TkPlotObject* Object) override;
    void Clear() override;

protected:
    ~TkPlotObjectOwnedManager() override = default;
};
