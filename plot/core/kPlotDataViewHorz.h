#pragma once
#include "plot/core/kPlotDataViewLayout.h"

// The data view's level among the horizontal layout objects.
class TkPlotDataViewHorz : public TkPlotDataViewLayout {
public:
    using TkPlotDataViewLayout::TkPlotDataViewLayout;

protected:
    ~TkPlotDataViewHorz() override = default;
};
