// Page controls: pages, hidden tabs and no active page.
#include <gtest/gtest.h>

#include <QStackedWidget>
#include <QTabBar>

#include "ui/PageControl.h"

namespace {

TTabSheet* NewPage(TPageControl* Pages, const std::string& Caption)
{
    auto* Page = new TTabSheet(Pages);
    Page->PageControl = Pages;
    Page->Caption = Caption;
    return Page;
}

}  // namespace

TEST(PageControl, PagesInOrderAndActivePageMayBeNone)
{
    TPageControl Pages(nullptr);
    TTabSheet* Device = NewPage(&Pages, "编辑设备");
    TTabSheet* Channel = NewPage(&Pages, "编辑通道");
    EXPECT_EQ(Pages.PageCount(), 2);
    EXPECT_EQ(Pages.Pages(1), Channel);
    EXPECT_EQ(Channel->PageIndex(), 1);
    EXPECT_EQ(Pages.GetActivePage(), nullptr);
    EXPECT_EQ(int(Pages.ActivePageIndex), -1);

    auto* Stack = Pages.Widget()->findChild<QStackedWidget*>();
    ASSERT_NE(Stack, nullptr);
    Pages.ActivePageIndex = 1;
    EXPECT_EQ(Pages.GetActivePage(), Channel);
    EXPECT_EQ(Stack->currentWidget(), Channel->Widget());
    Pages.ActivePage = nullptr;
    EXPECT_EQ(int(Pages.ActivePageIndex), -1);
    EXPECT_NE(Stack->currentWidget(), Device->Widget());
    EXPECT_NE(Stack->currentWidget(), Channel->Widget());
}

TEST(PageControl, HiddenTabsHideTheTabBar)
{
    TPageControl Pages(nullptr);
    Pages.Show();
    TTabSheet* A = NewPage(&Pages, "a");
    TTabSheet* B = NewPage(&Pages, "b");
    auto* Tabs = Pages.Widget()->findChild<QTabBar*>();
    ASSERT_NE(Tabs, nullptr);
    A->TabVisible = false;
    EXPECT_TRUE(Tabs->isTabVisible(1));
    EXPECT_FALSE(Tabs->isTabVisible(0));
    B->TabVisible = false;
    EXPECT_TRUE(Tabs->isHidden());
    Pages.ActivePage = B;  // pages still switch without tabs
    EXPECT_EQ(Pages.GetActivePage(), B);
}

TEST(PageControl, FreeingAPageRemovesIt)
{
    TPageControl Pages(nullptr);
    TTabSheet* A = NewPage(&Pages, "a");
    TTabSheet* B = NewPage(&Pages, "b");
    Pages.ActivePage = A;
    delete A;
    EXPECT_EQ(Pages.PageCount(), 1);
    EXPECT_EQ(Pages.GetActivePage(), nullptr);
    EXPECT_EQ(B->PageIndex(), 0);
}
