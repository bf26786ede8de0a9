// Pop-up menus: items, separators, checks, radio groups and clicks.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "ui/Application.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"

TEST(Menu, ItemsInOrderWithSeparatorsAndSubMenus)
{
    TPopupMenu Menu(nullptr);
    Menu.Items->Add(NewMenuItem(&Menu, "置零本设备所有通道", nullptr, "mnuZeroAll"));
    Menu.Items->Add(NewMenuItem(&Menu, "-", nullptr, "mnuBreaker"));
    Menu.Items->Add(NewMenuItem(&Menu, "取消置零", nullptr));
    const QList<QAction*> Actions = Menu.Menu()->actions();
    ASSERT_EQ(Actions.size(), 3);
    EXPECT_EQ(Actions[0]->text().toStdString(), "置零本设备所有通道");
    EXPECT_EQ(Actions[0]->objectName().toStdString(), "mnuZeroAll");
    EXPECT_TRUE(Actions[1]->isSeparator());
    EXPECT_TRUE(Menu.Items->Items(1)->IsLine());
    EXPECT_EQ(Menu.FindComponent("mnuBreaker"), Menu.Items->Items(1));

    TMenuItem* Parent = Menu.Items->Items(2);
    Parent->Add(NewMenuItem(&Menu, "&Sub", nullptr));
    ASSERT_NE(Parent->SubMenu(), nullptr);
    EXPECT_EQ(Parent->Find("sub"), Parent->Items(0));

    Menu.Items->Insert(0, NewMenuItem(&Menu, "first", nullptr));
    EXPECT_EQ(Menu.Menu()->actions()[0]->text().toStdString(), "first");
    Menu.Items->Delete(0);
    EXPECT_EQ(Menu.Items->Count(), 3);
    EXPECT_EQ(Menu.Menu()->actions().size(), 3);
}

TEST(Menu, TriggeringAnItemClicksItWithoutChangingItsCheck)
{
    TPopupMenu Menu(nullptr);
    int Clicks = 0;
    TMenuItem* Item = NewMenuItem(&Menu, "x", [&](TObject*) { ++Clicks; });
    Menu.Items->Add(Item);
    Item->Checked = true;
    Item->Action()->trigger();
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Item->GetChecked());
    EXPECT_TRUE(Item->Action()->isChecked());
    Item->AutoCheck = true;
    Item->Action()->trigger();
    EXPECT_FALSE(Item->GetChecked());
}

TEST(Menu, RadioItemsOfOneGroupUncheckEachOther)
{
    TPopupMenu Menu(nullptr);
    TMenuItem* Items[3];
    for (int I = 0; I < 3; ++I) {
        Items[I] = NewMenuItem(&Menu, std::to_string(I), nullptr);
        Items[I]->RadioItem = true;
        Items[I]->GroupIndex = I < 2 ? 1 : 2;
        Menu.Items->Add(Items[I]);
    }
    Items[2]->Checked = true;
    Items[0]->Checked = true;
    Items[1]->Checked = true;
    EXPECT_FALSE(Items[0]->GetChecked());
    EXPECT_TRUE(Items[1]->GetChecked());
    EXPECT_TRUE(Items[2]->GetChecked());
}

TEST(Menu, EnabledAndVisibleAndFreeingDetaches)
{
    TPopupMenu Menu(nullptr);
    TMenuItem* Item = NewMenuItem(nullptr, "a", nullptr);
    Menu.Items->Add(Item);
    Item->Enabled = false;
    Item->Visible = false;
    EXPECT_FALSE(Item->Action()->isEnabled());
    EXPECT_FALSE(Item->Action()->isVisible());
    delete Item;
    EXPECT_EQ(Menu.Items->Count(), 0);
    EXPECT_TRUE(Menu.Menu()->actions().isEmpty());
}

TEST(Menu, ExceptionInAnItemClickGoesToTheApplication)
{
    TPopupMenu Menu(nullptr);
    TMenuItem* Item = NewMenuItem(&Menu, "x", [](TObject*) { throw Exception("item failed"); });
    Menu.Items->Add(Item);
    std::vector<std::string> Seen;
    Application->OnException = [&](TObject*, Exception& E) { Seen.push_back(E.Message); };
    Item->Action()->trigger();
    Application->OnException = nullptr;
    EXPECT_EQ(Seen, std::vector<std::string>{"item failed"});
}

#include <QApplication>
#include <QContextMenuEvent>
#include <QTimer>

#include "ui/Panel.h"

namespace {

// Closes the menu that is open as soon as the loop runs, choosing the
// action at Index when it is not negative.
void CloseOpenMenuSoon(int Index)
{
    QTimer::singleShot(0, [Index] {
        auto* Open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(Open, nullptr);
        if (Index >= 0)
            Open->actions()[Index]->trigger();
        Open->close();
    });
}

}  // namespace

TEST(Menu, PopupFiresOnPopupShowsTheMenuAndRunsTheChosenItem)
{
    TPopupMenu Menu(nullptr);
    std::vector<std::string> Log;
    Menu.OnPopup = [&](TObject*) { Log.push_back("popup"); };
    Menu.Items->Add(NewMenuItem(&Menu, "a", [&](TObject*) { Log.push_back("a"); }));
    Menu.Items->Add(NewMenuItem(&Menu, "b", [&](TObject*) { Log.push_back("b"); }));
    CloseOpenMenuSoon(1);
    Menu.Popup(10, 10);
    EXPECT_EQ(Log, (std::vector<std::string>{"popup", "b"}));
}

TEST(Menu, RightClickOnAControlPopsUpItsMenu)
{
    TPanel Panel(nullptr);
    Panel.SetBounds(0, 0, 50, 50);
    TPopupMenu Menu(nullptr);
    Panel.PopupMenu = &Menu;
    int Popups = 0;
    Menu.OnPopup = [&](TObject*) { ++Popups; };
    Menu.Items->Add(NewMenuItem(&Menu, "x", nullptr));
    CloseOpenMenuSoon(-1);
    QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QCoreApplication::sendEvent(Panel.Widget(), &Event);
    EXPECT_EQ(Popups, 1);
    EXPECT_EQ(Menu.PopupComponent, &Panel);
}
