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
        std::uint64_t Changes = 0;       // the objects' change count
        std::uint64_t SetupChanges = 0;  // the same without content changes
        TkPlotLayoutFrame Frame;
        // Text is measured on the canvas: another canvas may measure it
        // differently. (Only a canvas known to live on is compared.)
        const TCanvas* Canvas = nullptr;

        bool operator==(const TInputs&) const = default;
    };

    static TInputs Take(const TkPlotMasterManager& Master, const TkPlotLayoutFrame& Frame, const TCanvas* Canvas);

    // Whether the objects still hold what Inputs give.
    bool Holds(const TInputs& Inputs) const { return FValid && Inputs == FInputs; }
    // Whether only what the objects show changed since (points added,
    // ranges moved). The layout then reads nothing new but what the objects
    // measure, and where those measures came back the same it stands: a
    // run's paint then computes each axis' ticks once, at the rectangles
    // the layout left, instead of the layout and the ticks twice over.
    bool HoldsSetup(const TInputs& Inputs) const;
    // After the axes' ticks were computed again: whether every object
    // measures as it did, in which case the layout and ticks are kept as
    // the result for Inputs. Leaves the canvas' font as it found it.
    bool Remeasure(const TkPlotMasterManager& Master, TCanvas* Canvas, const TInputs& Inputs);
    // Around a computation from Inputs. The first pass of ticks measures the
    // axes at the lengths the last layout left, so the result is only kept
    // when the layout came back to those rectangles; until then each paint
    // computes again, as it would without the memo.
    void Begin(const TkPlotMasterManager& Master);
    void End(const TkPlotMasterManager& Master, TCanvas* Canvas, const TInputs& Inputs);

private:
    static std::vector<TRect> Rects(const TkPlotMasterManager& Master);
    // What the layout asks the objects for, with the canvas' font kept.
    static std::vector<int> Measures(const TkPlotMasterManager& Master, TCanvas* Canvas);
    // An axis placed at a value of another moves with that axis' range.
    static bool AxisAtValue(const TkPlotMasterManager& Master);

    TInputs FInputs;
    std::vector<TRect> FRectsBefore;
    std::vector<int> FMeasures;
    bool FAxisAtValue = false;
    bool FValid = false;
};
