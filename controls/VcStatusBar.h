#pragma once
// The status bar that its panes share.
#include "controls/VcPaneHost.h"
#include "ui/Panel.h"

// The bar shares its width among its panes: when the texts of the
// auto-sized ones do not all fit, the widest give way, each to the same
// width, and show what fits of their text. Its panes show in the order
// they were added, left to right: the left-aligned ones from the left
// edge, the right-aligned ones ending at the right edge, so a pane that
// was hidden comes back to its own place however the others moved.
class TVcStatusBar : public TPanel, public TVcPaneHost {
public:
    explicit TVcStatusBar(TComponent* AOwner);

    // Gives every auto-sized pane its width; called when a text, a pane or
    // the bar changes.
    void SharePanes() override;

protected:
    void AlignDone() override;

private:
    void PlaceInOrder();

    bool FArranging = false;
};
