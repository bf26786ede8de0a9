#include "plot/core/kPlotPaintOrder.h"

#include <algorithm>
#include <cctype>
#include <string>

void TkPlotPaintOrder::Add(int Layer, char Group, TkPlotObject* Object)
{
    const char group = static_cast<char>(std::toupper(static_cast<unsigned char>(Group)));
    // Before the first entry whose key is not smaller: ahead of equal keys.
    auto at = std::find_if(FEntries.begin(), FEntries.end(),
                           [&](const TEntry& e) { return e.Layer > Layer || (e.Layer == Layer && e.Group >= group); });
    FEntries.insert(at, TEntry{Layer, group, Object});
}
