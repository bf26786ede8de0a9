#include "plot/core/kPlotAxisRelayHold.h"

#include <utility>

namespace {

// Set while a hold is alive, such as while a gesture of an axis with
// MasterUIInput is replayed on the other axes of its kind.
bool GReplaying = false;

}  // namespace

TkPlotAxisRelayHold::TkPlotAxisRelayHold() : FWasHeld(std::exchange(GReplaying, true)) {}

TkPlotAxisRelayHold::~TkPlotAxisRelayHold()
{
    GReplaying = FWasHeld;
}

bool TkPlotAxisRelayHold::IsHeld()
{
    return GReplaying;
}
