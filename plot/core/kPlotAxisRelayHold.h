#pragma once
// While one is alive, an axis with MasterUIInput does not hand its input
// on to the other axes of its kind: for callers that give the input to
// every axis themselves, so that none takes it twice.
class TkPlotAxisRelayHold {
public:
    TkPlotAxisRelayHold();
    // Whether a hold is alive: an axis replaying a gesture holds one too.
    static bool IsHeld();
    ~TkPlotAxisRelayHold();
    TkPlotAxisRelayHold(const TkPlotAxisRelayHold&) = delete;
    TkPlotAxisRelayHold& operator=(const TkPlotAxisRelayHold&) = delete;

private:
    bool FWasHeld;
};
