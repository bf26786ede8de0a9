#pragma once
// What the plot's layout and its axes' ticks were last computed from. A
// paint that finds the same inputs keeps the rectangles and ticks the
// objects hold instead of computing them again, which is most of a paint
// that only redraws what it showed.
#include <cstdint>
#include <vector>

#include "plot/core/kPlotLayoutPass.h"
#include "rtl/Types.h"

class TCanvas;
class TkPlotMasterManager;

class TkPlotLayoutMemo {
public:
    struct TInputs {
        std::uint64_t Changes = 0;  // the objects' change count
        TkPlotLayoutFrame Frame;
        // Text is measured on the canvas: another canvas may measure it
        // differently. (Only a canvas known to live on is compared.)
        const TCanvas* Canvas = nullptr;

        bool operator==(const TInputs&) const = default;
    };

    static TInputs Take(const TkPlotMasterManager& Master, const TkPlotLayoutFrame& Frame, const TCanvas* Canvas);

    // Whether the objects still hold what Inputs give.
    bool Holds(const TInputs& Inputs) const { return FValid && Inputs == FInputs; }
    // Around a computation from Inputs. The first pass of ticks measures the
    // axes at the lengths the last layout left, so the result is only kept
    // when the layout came back to those rectangles; until then each paint
    // computes again, as it would without the memo.
    void Begin(const TkPlotMasterManager& Master);
    void End(const TkPlotMasterManager& Master, const TInputs& Inputs);

private:
    static std::vector<TRect> Rects(const TkPlotMasterManager& Master);

    TInputs FInputs;
    std::vector<TRect> FRectsBefore;
    bool FValid = false;
};
