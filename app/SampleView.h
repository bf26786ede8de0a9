#pragma once
// The main window's run displays as a recording run drives them. Called in
// the user-interface thread only.
#include <string>

class TSampleView {
public:
    virtual ~TSampleView() = default;

    // The log-state pane: empty after an answer, "超时" after a time-out,
    // and file problems.
    virtual void SetLogState(const std::string& Text) = 0;
    // The elapsed-time label, such as "0:00:5.3".
    virtual void SetElapsed(const std::string& Text) = 0;
    // The polling progress pane (parts complete out of ten) and the
    // polling-id pane.
    virtual void SetPollProgress(int PartsComplete, const std::string& StationText) = 0;
    // Posts the end-of-run message (WM_USER + 101) to the main window.
    virtual void PostStopMessage() = 0;
    // Posts the message that the log cannot be written (WM_USER + 110) to
    // the main window, which tells the user while the run goes on.
    virtual void PostLogFailureMessage() = 0;
};
