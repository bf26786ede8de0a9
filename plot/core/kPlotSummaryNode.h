#pragma once
// One block of stored points as a list's min/max summary keeps it.
#include <cstdint>

struct TkPlotSummaryNode {
    enum : std::uint8_t { fHasValid = 1, fHasNull = 2, fAllValid = 4, fUp = 8, fDown = 16 };
    double FirstX = 0;
    double LastX = 0;
    // Taken as a column's range takes its points: a Y beyond them, or
    // not a number, leaves them.
    double MinY = 1e301;
    double MaxY = -1e301;
    double LastY = 0;
    std::uint8_t Flags = fAllValid | fUp | fDown;
};
