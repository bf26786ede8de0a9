#pragma once
// The one timer the plot's hint asks for, and the repaint a change of the
// hint needs; the plot runs them.
class TkPlotHintTimer {
public:
    virtual ~TkPlotHintTimer() = default;
    virtual bool HintTimerRunning() const = 0;
    // Starts the timer anew: it fires once after Milliseconds.
    virtual void RestartHintTimer(int Milliseconds) = 0;
    virtual void StopHintTimer() = 0;
    // A shown or hidden hint needs a repaint.
    virtual void HintChanged() = 0;
};
