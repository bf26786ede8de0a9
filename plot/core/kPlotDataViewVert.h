#pragma once
#include "plot/core/kPlotDataViewLayout.h"

// The data view's level among the vertical layout objects.
class TkPlotDataViewVert : public TkPlotDataViewLayout {
public:
    using TkPlotDataViewLayout::TkPlotDataViewLayout;

protected:
    ~TkPlotDataViewVert() override = default;
};
