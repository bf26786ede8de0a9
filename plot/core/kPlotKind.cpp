#include "plot/core/kPlotKind.h"

#include <algorithm>

constinit const TkPlotKind TkPlotObjectKind::Other{.Name = "Other"};

namespace {

// Made on first use, so that a registration from any file's initialiser
// finds it; never destroyed, so that it outlives every plot.
std::vector<const TkPlotKind*>& Kinds()
{
    static auto* kinds = new std::vector<const TkPlotKind*>;
    return *kinds;
}

}  // namespace

bool RegisterPlotKind(const TkPlotKind& Kind)
{
    std::vector<const TkPlotKind*>& kinds = Kinds();
    if (std::find(kinds.begin(), kinds.end(), &Kind) != kinds.end())
        return true;
    // After the kinds of the same Order, so that ties keep the order of
    // registration.
    auto at = std::upper_bound(kinds.begin(), kinds.end(), Kind.Order,
                               [](int Order, const TkPlotKind* k) { return Order < k->Order; });
    kinds.insert(at, &Kind);
    return true;
}

const std::vector<const TkPlotKind*>& RegisteredPlotKinds()
{
    return Kinds();
}
