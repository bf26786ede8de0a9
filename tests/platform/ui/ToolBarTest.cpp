// Tool bars: button layout, toggles, groups and drop-down menus.
#include <gtest/gtest.h>

#include <QMenu>
#include <QToolButton>

#include "ui/PopupMenu.h"
#include "ui/ToolBar.h"

namespace {

TToolButton* NewButton(TToolBar* Bar, TToolButtonStyle Style = tbsButton, int Group = 0)
{
    auto* B = new TToolButton(Bar);
    B->Parent = Bar;
    B->Style = Style;
    B->GroupIndex = Group;
    return B;
}

}  // namespace

TEST(ToolBar, ButtonsLineUpAndWrapWhenTheBarIsNarrow)
{
    TToolBar Bar(nullptr);
    Bar.SetBounds(0, 0, 200, 29);
    Bar.ButtonWidth = 30;
    Bar.ButtonHeight = 25;
    TToolButton* A = NewButton(&Bar);
    TToolButton* Sep = NewButton(&Bar, tbsSeparator);
    TToolButton* B = NewButton(&Bar);
    EXPECT_EQ(Bar.ButtonCount(), 3);
    EXPECT_EQ(A->GetLeft(), 0);
    EXPECT_EQ(Sep->GetLeft(), 30);
    EXPECT_EQ(Sep->GetWidth(), 8);
    EXPECT_EQ(B->GetLeft(), 38);
    EXPECT_EQ(B->GetHeight(), 25);

    Bar.Width = 30;  // a vertical bar: one button per row
    EXPECT_EQ(A->GetTop(), 0);
    EXPECT_EQ(Sep->GetTop(), 25);
    EXPECT_EQ(B->GetTop(), 50);
    EXPECT_EQ(B->GetLeft(), 0);
}

TEST(ToolBar, HiddenButtonsTakeNoRoom)
{
    TToolBar Bar(nullptr);
    Bar.SetBounds(0, 0, 300, 29);
    TToolButton* A = NewButton(&Bar);
    TToolButton* B = NewButton(&Bar);
    A->Visible = false;
    EXPECT_EQ(B->GetLeft(), 0);
    A->Visible = true;
    EXPECT_EQ(B->GetLeft(), A->GetWidth());
}

TEST(ToolButton, CheckButtonTogglesDownOnEveryClick)
{
    TToolBar Bar(nullptr);
    TToolButton* B = NewButton(&Bar, tbsCheck);
    B->Down = true;
    int Clicks = 0;
    B->OnClick = [&](TObject*) { ++Clicks; };
    static_cast<QToolButton*>(B->Widget())->click();
    EXPECT_FALSE(B->GetDown());
    static_cast<QToolButton*>(B->Widget())->click();
    EXPECT_TRUE(B->GetDown());
    EXPECT_TRUE(static_cast<QToolButton*>(B->Widget())->isChecked());
    EXPECT_EQ(Clicks, 2);
}

TEST(ToolButton, PlainButtonDoesNotStayDown)
{
    TToolBar Bar(nullptr);
    TToolButton* B = NewButton(&Bar);
    static_cast<QToolButton*>(B->Widget())->click();
    EXPECT_FALSE(B->GetDown());
    EXPECT_FALSE(static_cast<QToolButton*>(B->Widget())->isChecked());
}

TEST(ToolButton, GroupedButtonsReleaseEachOtherAndOneStaysDownWithoutAllowAllUp)
{
    TToolBar Bar(nullptr);
    TToolButton* A = NewButton(&Bar, tbsCheck, 1);
    TToolButton* B = NewButton(&Bar, tbsCheck, 1);
    TToolButton* Other = NewButton(&Bar, tbsCheck, 2);
    Other->Down = true;
    A->Click();
    EXPECT_TRUE(A->GetDown());
    B->Click();
    EXPECT_TRUE(B->GetDown());
    EXPECT_FALSE(A->GetDown());
    EXPECT_TRUE(Other->GetDown());
    B->Click();  // cannot release the last one
    EXPECT_TRUE(B->GetDown());
    B->AllowAllUp = true;
    B->Click();
    EXPECT_FALSE(B->GetDown());
}

TEST(ToolButton, DropDownMenuFiresOnPopupBeforeShowing)
{
    TToolBar Bar(nullptr);
    TPopupMenu Menu(nullptr);
    TToolButton* B = NewButton(&Bar, tbsDropDown);
    B->DropdownMenu = &Menu;
    EXPECT_EQ(static_cast<QToolButton*>(B->Widget())->menu(), Menu.Menu());
    EXPECT_EQ(static_cast<QToolButton*>(B->Widget())->popupMode(), QToolButton::MenuButtonPopup);
    int Popups = 0;
    Menu.OnPopup = [&](TObject*) { ++Popups; };
    emit Menu.Menu()->aboutToShow();
    EXPECT_EQ(Popups, 1);
}

TEST(ToolButton, FreedMenuIsForgotten)
{
    TToolBar Bar(nullptr);
    TToolButton* B = NewButton(&Bar, tbsDropDown);
    auto* Menu = new TPopupMenu(nullptr);
    B->DropdownMenu = Menu;
    delete Menu;
    EXPECT_EQ(B->GetDropdownMenu(), nullptr);
    EXPECT_EQ(static_cast<QToolButton*>(B->Widget())->menu(), nullptr);
}
