#pragma once
// The trace channel that the plot creates by default.
#include "plot/channels/kPlotChannelCustom.h"

class TkPlotChannel : public TkPlotChannelCustom {
public:
    using TkPlotChannelCustom::TkPlotChannelCustom;

protected:
    ~TkPlotChannel() override = default;
};
