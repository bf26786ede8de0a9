#pragma once
// A plot component with the real object kinds, a hint timer that
// runs on a clock the test moves, and object classes with fixed measures
// that record the input they receive.
#include <memory>
#include <string>
#include <vector>

#include "plot/channels/kPlotLegend.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotComponent.h"
#include "plot/core/kPlotXAxis.h"
#include "plot/core/kPlotYAxis.h"
#include "ui/Application.h"

// Input as the test objects received it, in order.
struct InputLog {
    std::vector<std::string> lines;
};

// Fixed measures, a fixed hint, and a log of the input received.
template <class Base> class Measured : public Base {
public:
    Measured(TkPlotObjectOwner* AOwner, const TkPlotObjectCallbacks& Callbacks) : Base(AOwner, Callbacks) {}

    int Required = 0;
    int EndMargin = 0;
    std::string HintText;
    InputLog* Log = nullptr;

    int GetRequiredSize(TCanvas*) override { return Required; }
    int GetRequiredEndMargin(TCanvas*) override { return EndMargin; }

protected:
    ~Measured() override = default;
    void DoMouseHover(const TkPlotMouseData& Mouse) override
    {
        if (Mouse.Hint && !HintText.empty()) {
            Mouse.Hint->Text = HintText;
            Mouse.Hint->Rect = TRect(Mouse.Received.X, Mouse.Received.Y + 20, Mouse.Received.X + 60,
                                     Mouse.Received.Y + 36);
        }
    }
    void DoMouseLeftDown(const TkPlotMouseData&) override { Note("down"); }
    void DoMouseRightDown(const TkPlotMouseData&) override { Note("right down"); }
    void DoMouseDrag(const TkPlotMouseData&) override { Note("drag"); }
    void DoMouseUp(const TkPlotMouseData&) override { Note("up"); }
    bool DoMouseWheel(int Delta, TShiftState, TPoint) override
    {
        Note("wheel " + std::to_string(Delta));
        return true;
    }
    void DoMouseLeave() override { Note("leave"); }

private:
    void Note(const std::string& What)
    {
        if (Log)
            Log->lines.push_back(this->GetName() + " " + What);
    }
};

using TestXAxis = Measured<TkPlotXAxis>;
using TestYAxis = Measured<TkPlotYAxis>;
using TestToolBar = Measured<TkPlotToolBar>;
using TestLegend = Measured<TkPlotLegend>;

// Outlives the plot's objects, which log into it.
struct InputLogHolder {
    InputLog log;
};

class TestPlot : public InputLogHolder, public TkPlotComponent {
public:
    TestPlot() : TkPlotComponent(nullptr)
    {
        Application->Initialize();
        TkPlotMasterManager& m = GetMasterManager();
        m.XAxisManager()->SetObjectClass(Make<TestXAxis>());
        m.YAxisManager()->SetObjectClass(Make<TestYAxis>());
        m.ToolBarManager()->SetObjectClass(Make<TestToolBar>());
        m.LegendManager()->SetObjectClass(Make<TestLegend>());
    }

    TestXAxis* X(int i) const { return static_cast<TestXAxis*>(GetXAxis(i)); }
    TestYAxis* Y(int i) const { return static_cast<TestYAxis*>(GetYAxis(i)); }
    TestToolBar* Bar(int i) const { return static_cast<TestToolBar*>(GetToolBar(i)); }
    TestLegend* Legend(int i) const { return static_cast<TestLegend*>(GetLegend(i)); }
    TkPlotLayoutObject* View(int i) const { return static_cast<TkPlotLayoutObject*>(GetDataView(i)); }

    // ---- the hint timer on the test's clock (milliseconds)
    bool TimerActive() const override { return running; }
    void StartTimer(int InitialDelay, int Interval) override
    {
        if (running)
            return;
        running = true;
        due = now + (InitialDelay != 0 ? InitialDelay : Interval);
    }
    void StopTimer() override { running = false; }
    // Moves the clock on, firing the timer when it is due.
    void Advance(int Milliseconds)
    {
        const long target = now + Milliseconds;
        while (running && due <= target) {
            now = due;
            running = false;
            HintTimerTick();
        }
        now = target;
    }
    long now = 0;
    long due = 0;
    bool running = false;

private:
    template <class T> TkPlotObjectClass Make()
    {
        return [this](TkPlotObjectOwner* Owner, const TkPlotObjectCallbacks& Callbacks) -> TkPlotObject* {
            auto* o = new T(Owner, Callbacks);
            o->Log = &log;
            return o;
        };
    }
};
