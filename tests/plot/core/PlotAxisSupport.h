#pragma once
// A plot for axis tests: records the axis events it is asked to fire and
// the areas crossing axes occupy, and can replace label texts.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "PlotObjectSupport.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotXAxis.h"
#include "plot/core/kPlotYAxis.h"
#include "ui/Font.h"
#include "ui/RecordingCanvas.h"

struct AxisPlot : TkPlotObjectOwner {
    std::vector<std::string> events;
    bool published = false;
    std::function<void(double, std::string&)> customize;
    std::vector<TRect> occupied;
    std::vector<TRect> refused;  // label areas TryOccupyRect turns down

    static std::string Num(double Value)
    {
        std::ostringstream s;
        s << Value;
        return s.str();
    }
    void DoAxisMinChange(TkPlotAxis*, double Old, double New) override
    {
        events.push_back("min " + Num(Old) + " " + Num(New));
    }
    void DoAxisSpanChange(TkPlotAxis*, double Old, double New) override
    {
        events.push_back("span " + Num(Old) + " " + Num(New));
    }
    void DoAxisMinSpanChange(TkPlotAxis*, double OldMin, double OldSpan, double NewMin, double NewSpan) override
    {
        events.push_back("minspan " + Num(OldMin) + " " + Num(OldSpan) + " " + Num(NewMin) + " " + Num(NewSpan));
    }
    void DoAxisCustomizeLabel(TkPlotAxis*, double Value, std::string& Label) override
    {
        events.push_back("label " + Num(Value));
        if (customize)
            customize(Value, Label);
    }
    void AddOccupiedRect(const TRect& R) override { occupied.push_back(R); }
    bool TryOccupyRect(const TRect& R) override
    {
        for (const TRect& r : refused)
            if (r == R)
                return false;
        occupied.push_back(R);
        return true;
    }
    bool IsPublishedPlot() const override { return published; }
};

template <class T> using AxisPtr = TestObject<T>;

// Counts the axis's change signals.
struct AxisCallbacks {
    int changes = 0;
    TkPlotObjectCallbacks Make()
    {
        TkPlotObjectCallbacks c;
        c.OnChange = [this](TObject*) { ++changes; };
        c.OnInsert = [](TObject*) {};
        c.OnRemove = [](TObject*) {};
        c.OnRename = [](TObject*) {};
        return c;
    }
};

inline AxisPtr<TkPlotYAxis> MakeYAxis(AxisPlot& Plot, AxisCallbacks& Callbacks)
{
    return AxisPtr<TkPlotYAxis>(new TkPlotYAxis(&Plot, Callbacks.Make()));
}
// An X axis as the layout leaves it: horizontal.
inline AxisPtr<TkPlotXAxis> MakeXAxis(AxisPlot& Plot, AxisCallbacks& Callbacks)
{
    AxisPtr<TkPlotXAxis> axis(new TkPlotXAxis(&Plot, Callbacks.Make()));
    axis->SetHorizontal(true);
    return axis;
}

// A Y and an X axis of one plot, and a canvas that records what they draw.
class AxisPairTest : public ::testing::Test {
protected:
    AxisPlot plot;
    AxisCallbacks callbacks;
    TRecordingCanvas canvas;
    AxisPtr<TkPlotYAxis> y = MakeYAxis(plot, callbacks);
    AxisPtr<TkPlotXAxis> x = MakeXAxis(plot, callbacks);

    // Both axes' labels in a font whose "0" is 5 pixels wide and 12 high,
    // the Y axis 50 pixels wide and 400 high at the left, the X axis 40
    // high below it, from Left to Right.
    void PlaceWithSmallLabels(int Left, int Right)
    {
        y->GetLabelsFont()->SetHeight(-10);
        x->GetLabelsFont()->SetHeight(-10);
        y->SetDrawRect(TRect(0, 0, 50, 400));
        x->SetDrawRect(TRect(Left, 400, Right, 440));
    }
};
