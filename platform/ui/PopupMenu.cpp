#include "ui/PopupMenu.h"

#include <QMenu>

#include "ui/Application.h"
#include "ui/MouseCapture.h"

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), Items(new TMenuItem(nullptr))
{
    QObject::connect(Items->EnsureMenu(), &QMenu::aboutToShow, [this] {
        CallGuarded(this, [this] {
            if (OnPopup)
                OnPopup(this);
        });
    });
}

TPopupMenu::~TPopupMenu()
{
    delete Items;
}

QMenu* TPopupMenu::Menu() const
{
    return Items->EnsureMenu();
}

void TPopupMenu::Popup(int X, int Y)
{
    // The menu takes the mouse from whatever control held it, and nothing
    // holds it once the menu is gone.
    ReleaseCapture();
    Menu()->exec(QPoint(X, Y));
}
