#pragma once
// What a status pane needs of the bar it sits on, so that panes need not
// know the bar.
class TVcPaneHost {
public:
    // Gives every auto-sized pane its width again.
    virtual void SharePanes() = 0;

protected:
    ~TVcPaneHost() = default;
};
