#pragma once
#include "plot/core/kPlotLayoutObject.h"

// Marks the data view's level among the layout objects; never drawn.
class TkPlotDataViewLayout : public TkPlotLayoutObject {
public:
    using TkPlotLayoutObject::TkPlotLayoutObject;

protected:
    ~TkPlotDataViewLayout() override = default;
};
