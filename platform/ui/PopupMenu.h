#pragma once
// A menu that pops up at a point on the screen.
#include "rtl/Component.h"
#include "ui/MenuItem.h"

class QMenu;

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // The root item whose sub-items the menu shows.
    TMenuItem* const Items;
    // Shows the menu at screen position (X, Y) (OnPopup fires first) and
    // returns once it closed (the chosen item's Click has run by then).
    void Popup(int X, int Y);
    // The control the menu was last popped up for.
    TComponent* PopupComponent = nullptr;
    bool AutoPopup = true;

    TNotifyEvent OnPopup;

    QMenu* Menu() const;
};
