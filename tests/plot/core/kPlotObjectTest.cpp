#include <gtest/gtest.h>

#include "plot/core/kPlotButton.h"
#include "plot/core/kPlotLayoutObject.h"
#include "plot/core/kPlotManagerObject.h"
#include "PlotObjectSupport.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotLayoutManager.h"
#include "plot/core/kPlotXAxis.h"
#include "plot/core/kPlotYAxis.h"
#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/Keys.h"

namespace {

static_assert(!PlainDeletable<TkPlotObject>);
static_assert(!PlainDeletable<TkPlotManagerObject>);
static_assert(!PlainDeletable<TkPlotLayoutObject>);
static_assert(!PlainDeletable<TkPlotButton>);
static_assert(!PlainDeletable<TkPlotAxis>);
static_assert(!PlainDeletable<TkPlotXAxis>);
static_assert(!PlainDeletable<TkPlotYAxis>);
static_assert(!PlainDeletable<TkPlotDataView>);
static_assert(!PlainDeletable<TkPlotDataViewLayout>);
static_assert(!PlainDeletable<TkPlotDataViewHorz>);
static_assert(!PlainDeletable<TkPlotDataViewVert>);
static_assert(PlainDeletable<TPersistent>);  // the check itself can tell

std::string CreationError(TkPlotObjectOwner* owner, TkPlotObjectCallbacks c)
{
    try {
        MakeObject<TkPlotManagerObject>(owner, c);
    } catch (const Exception& e) {
        return e.Message;
    }
    return "";
}

TEST(PlotObject, ManagerObjectNeedsOwnerAndCallbacksInOrder)
{
    FakePlot plot;
    CallbackLog log;
    TkPlotObjectCallbacks c = log.callbacks();
    EXPECT_EQ(CreationError(nullptr, {}), "Owner must be assigned");
    c.OnChange = nullptr;
    c.OnRemove = nullptr;
    EXPECT_EQ(CreationError(&plot, c), "OnChange event handler can not be null");
    c = log.callbacks();
    c.OnInsert = nullptr;
    EXPECT_EQ(CreationError(&plot, c), "OnInsert event handler can not be null");
    c = log.callbacks();
    c.OnRemove = nullptr;
    EXPECT_EQ(CreationError(&plot, c), "OnRemove event handler can not be null");
    c = log.callbacks();
    c.OnRename = nullptr;
    EXPECT_EQ(CreationError(&plot, c), "AOnRename event handler can not be null");
    EXPECT_EQ(CreationError(&plot, log.callbacks()), "");
    EXPECT_EQ(log.calls, (std::vector<std::string>{"remove", "change"}));  // the one made was freed
}

TEST(PlotObject, DefaultsAndRename)
{
    FakePlot plot;
    CallbackLog log;
    auto* o = new TkPlotManagerObject(&plot, log.callbacks());
    EXPECT_TRUE(o->GetVisible());
    EXPECT_TRUE(o->GetEnabled());
    EXPECT_TRUE(o->GetPopupEnabled());
    EXPECT_TRUE(o->GetCanFocus());
    EXPECT_TRUE(o->GetUserCanEdit());
    EXPECT_FALSE(o->GetFocused());
    EXPECT_EQ(o->GetLayer(), 100);
    EXPECT_TRUE(log.calls.empty());  // creation does not register

    o->SetName("Axis");
    EXPECT_EQ(log.calls, (std::vector<std::string>{"rename", "change"}));
    log.calls.clear();
    o->SetName("Axis");  // same name: nothing
    EXPECT_TRUE(log.calls.empty());
    o->SetName("Time");
    EXPECT_EQ(o->GetOldName(), "Axis");

    log.calls.clear();
    TkPlotObject::Free(o);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"remove", "change"}));
}

TEST(PlotObject, LayerSortKeyPadsToSixDigits)
{
    FakePlot plot;
    CallbackLog log;
    auto o = MakeObject<TkPlotManagerObject>(&plot, log.callbacks());
    EXPECT_EQ(o->GetLayerSortKey(), "000100");
    o->SetLayer(1234567);
    EXPECT_EQ(o->GetLayerSortKey(), "1234567");
}

TEST(PlotObject, DisablingFocusedObjectDropsFocus)
{
    FakePlot plot;
    CallbackLog log;
    auto o = MakeObject<TkPlotManagerObject>(&plot, log.callbacks());
    o->SetName("Cursor 1");
    int focusCalls = 0;
    o->OnFocus = [&](TObject*) { ++focusCalls; };
    o->SetFocused(true);
    EXPECT_EQ(focusCalls, 1);
    o->SetEnabled(false);
    EXPECT_FALSE(o->GetFocused());
    EXPECT_EQ(plot.events, (std::vector<std::string>{"got Cursor 1", "lost Cursor 1"}));
}

TEST(PlotLayoutObject, PercentsClampAndKeepOnePercentApart)
{
    FakePlot plot;
    CallbackLog log;
    auto o = MakeObject<TkPlotLayoutObject>(&plot, log.callbacks());
    o->SetStartPercent(99.5);
    EXPECT_EQ(o->GetStartPercent(), 99);
    EXPECT_EQ(o->GetStopPercent(), 100);
    o->SetStartPercent(150);
    EXPECT_EQ(o->GetStartPercent(), 99);
    EXPECT_EQ(o->GetStopPercent(), 100);

    auto p = MakeObject<TkPlotLayoutObject>(&plot, log.callbacks());
    p->SetStopPercent(0.5);
    EXPECT_EQ(p->GetStopPercent(), 1);
    EXPECT_EQ(p->GetStartPercent(), 0);
    p->SetStartStopPercent(120, -5);  // the viewer's moves are not clamped
    EXPECT_EQ(p->GetStartPercent(), 120);
    EXPECT_EQ(p->GetStopPercent(), -5);
}

TEST(PlotLayoutObject, SortKeys)
{
    FakePlot plot;
    CallbackLog log;
    auto o = MakeObject<TkPlotLayoutObject>(&plot, log.callbacks());
    o->SetZOrder(7);
    o->SetStartPercent(12.5);  // halves go to the even neighbour
    EXPECT_EQ(o->GetZOrderKey(), "007");
    EXPECT_EQ(o->GetStartPercentKey(), "012");
    o->SetZOrder(1000);
    EXPECT_EQ(o->GetZOrderKey(), "1000");
}

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
};

TEST_F(PopupTest, RightPressOpensMenuOnlyWhenEnabledAndReleasedInside)
{
    FakePlot plot;
    plot.cancelPopup = true;  // record the request without showing a menu
    CallbackLog log;
    auto o = MakeObject<TkPlotLayoutObject>(&plot, log.callbacks());
    o->SetName("Legend 1");
    o->SetDrawRect(TRect{0, 0, 10, 10});
    TPopupMenu menu(nullptr);

    o->MouseDown(mbRight, 0, TPoint{5, 5}, TPoint{5, 5}, &menu);
    o->MouseUp(mbRight, 0, TPoint{20, 20}, TPoint{20, 20}, false, &menu);  // released outside
    EXPECT_EQ(std::count(plot.events.begin(), plot.events.end(), "popup Legend 1 at 20,20"), 0);

    o->MouseDown(mbRight, 0, TPoint{5, 5}, TPoint{5, 5}, &menu);
    o->MouseUp(mbRight, 0, TPoint{6, 6}, TPoint{6, 6}, false, &menu);
    EXPECT_EQ(std::count(plot.events.begin(), plot.events.end(), "popup Legend 1 at 6,6"), 1);

    o->SetPopupEnabled(false);
    o->MouseDown(mbRight, 0, TPoint{5, 5}, TPoint{5, 5}, &menu);
    o->MouseUp(mbRight, 0, TPoint{6, 6}, TPoint{6, 6}, false, &menu);
    EXPECT_EQ(std::count(plot.events.begin(), plot.events.end(), "popup Legend 1 at 6,6"), 1);
    EXPECT_EQ(std::count(plot.events.begin(), plot.events.end(), "down Legend 1"), 3);
    EXPECT_EQ(std::count(plot.events.begin(), plot.events.end(), "up Legend 1"), 3);
}

TEST_F(PopupTest, MenuKeysOpenThePopupAtTheCentreOfALayoutObject)
{
    FakePlot plot;
    plot.cancelPopup = true;
    CallbackLog log;
    auto o = MakeObject<TkPlotLayoutObject>(&plot, log.callbacks());
    o->SetName("Legend 1");
    o->SetDrawRect(TRect{10, 20, 30, 60});
    TPopupMenu menu(nullptr);
    o->KeyDown(VK_F10, 0, &menu);  // F10 needs Shift
    o->KeyDown('A', ssShift, &menu);
    o->KeyDown(VK_F10, ssShift, &menu);
    o->KeyDown(VK_APPS, 0, &menu);
    o->SetPopupEnabled(false);
    o->KeyDown(VK_APPS, 0, &menu);
    EXPECT_EQ(plot.events, (std::vector<std::string>{"popup Legend 1 at 20,40", "popup Legend 1 at 20,40"}));
}

// Records what each mouse hook receives.
struct MouseProbe : TkPlotLayoutObject {
    using TkPlotLayoutObject::TkPlotLayoutObject;
    std::vector<std::string> seen;
    static std::string Text(const char* What, const TkPlotMouseData& m)
    {
        return std::string(What) + " " + std::to_string(m.Point.X) + "," + std::to_string(m.Point.Y) + " from " +
               std::to_string(m.Received.X) + "," + std::to_string(m.Received.Y) + (m.Flag ? " flag" : "");
    }
    void DoMouseHover(const TkPlotMouseData& m) override { seen.push_back(Text("hover", m)); }
    void DoMouseLeftDown(const TkPlotMouseData& m) override { seen.push_back(Text("left", m)); }
    void DoMouseRightDown(const TkPlotMouseData& m) override { seen.push_back(Text("right", m)); }
    void DoMouseDrag(const TkPlotMouseData& m) override { seen.push_back(Text("drag", m)); }
    void DoMouseUp(const TkPlotMouseData& m) override { seen.push_back(Text("up", m)); }
};

TEST(PlotObjectMouse, HoverDragAndReleaseInTheObjectsFrame)
{
    FakePlot plot;
    CallbackLog log;
    auto o = MakeObject<MouseProbe>(&plot, log.callbacks());
    o->SetName("Axis");
    o->SetDrawRect(TRect{0, 0, 10, 50});
    o->SetXYAxesReverse(true);  // the object's frame exchanges X and Y
    o->MouseMove(0, TPoint{2, 30});
    o->MouseDown(mbLeft, 0, TPoint{2, 30}, TPoint{0, 0}, nullptr);
    o->MouseMove(0, TPoint{3, 31});
    o->MouseUp(mbLeft, 0, TPoint{40, 40}, TPoint{0, 0}, true, nullptr);
    o->MouseDown(mbMiddle, 0, TPoint{2, 30}, TPoint{0, 0}, nullptr);  // no press of its own
    o->MouseMove(0, TPoint{4, 4});
    EXPECT_EQ(o->seen, (std::vector<std::string>{"hover 30,2 from 2,30", "left 30,2 from 2,30", "drag 31,3 from 3,31",
                                                 "up 40,40 from 40,40 flag", "hover 4,4 from 4,4"}));
    // Events of the plot fire only where the object is hit; a release
    // outside still ends the press.
    EXPECT_EQ(plot.events, (std::vector<std::string>{"down Axis", "up Axis", "down Axis"}));
    o->SetEnabled(false);
    o->MouseDown(mbLeft, 0, TPoint{2, 30}, TPoint{0, 0}, nullptr);
    EXPECT_FALSE(o->GetPressed());
}

TEST_F(PopupTest, EditItemOnlyWhenUserCanEdit)
{
    FakePlot plot;
    CallbackLog log;
    auto o = MakeObject<TkPlotManagerObject>(&plot, log.callbacks());
    int edits = 0;
    o->OnEdit = [&](TObject*) { ++edits; };
    TPopupMenu menu(nullptr);
    o->BuildPopupMenu(&menu);
    o->AddEditMenuItem(&menu);
    ASSERT_EQ(menu.Items->Count(), 1);
    EXPECT_EQ(menu.Items->Items(0)->GetCaption(), "Edit...");
    menu.Items->Items(0)->Click();
    EXPECT_EQ(edits, 1);
    o->BuildPopupMenu(&menu);  // frees the old items
    o->SetUserCanEdit(false);
    o->AddEditMenuItem(&menu);
    EXPECT_EQ(menu.Items->Count(), 0);
}

TEST_F(PopupTest, AutoRepeatButtonClicksAfterDelayThenFastAndOnRelease)
{
    FakePlot plot;
    CallbackLog log;
    auto b = MakeObject<TkPlotButton>(&plot, log.callbacks());
    b->AutoRepeat = true;
    b->SetDrawRect(TRect{0, 0, 10, 10});
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->MouseDown(mbLeft, 0, TPoint{1, 1}, TPoint{1, 1}, nullptr);
    EXPECT_EQ(b->RepeatInterval(), 500u);
    b->RepeatTick();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->RepeatInterval(), 50u);
    b->RepeatTick();
    EXPECT_EQ(clicks, 2);
    b->MouseUp(mbLeft, 0, TPoint{2, 2}, TPoint{2, 2}, false, nullptr);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(b->RepeatInterval(), 0u);
}

TEST_F(PopupTest, ButtonDisabledByItsOwnClickStopsRepeating)
{
    FakePlot plot;
    CallbackLog log;
    auto b = MakeObject<TkPlotButton>(&plot, log.callbacks());
    b->AutoRepeat = true;
    b->SetDrawRect(TRect{0, 0, 10, 10});
    b->OnClick = [&](TObject*) { b->SetEnabled(false); };
    b->MouseDown(mbLeft, 0, TPoint{1, 1}, TPoint{1, 1}, nullptr);
    b->RepeatTick();  // the timer is freed after the tick, not inside it
    EXPECT_EQ(b->RepeatInterval(), 0u);
    EXPECT_FALSE(b->GetEnabled());
}

TEST_F(PopupTest, GroupClickBeforeClickOnlyInsideButton)
{
    FakePlot plot;
    CallbackLog log;
    auto b = MakeObject<TkPlotButton>(&plot, log.callbacks());
    b->GroupIndex = 2;
    b->SetDrawRect(TRect{0, 0, 10, 10});
    std::vector<std::string> seen;
    b->OnGroupClick = [&](TObject*) { seen.push_back("group"); };
    b->OnClick = [&](TObject*) { seen.push_back("click"); };
    b->MouseDown(mbLeft, 0, TPoint{1, 1}, TPoint{1, 1}, nullptr);
    b->MouseUp(mbLeft, 0, TPoint{15, 1}, TPoint{15, 1}, false, nullptr);
    EXPECT_TRUE(seen.empty());
    b->MouseDown(mbLeft, 0, TPoint{1, 1}, TPoint{1, 1}, nullptr);
    b->MouseUp(mbLeft, 0, TPoint{9, 9}, TPoint{9, 9}, false, nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"group", "click"}));
}

}  // namespace
