#include <gtest/gtest.h>

#include <functional>

#include "../core/PlotObjectSupport.h"
#include "plot/channels/kPlotAnnotation.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotLimit.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotEditorHost.h"
#include "plot/core/kPlotEditorLink.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotXAxis.h"
#include "rtl/Exception.h"
#include "ui/Application.h"

namespace {

class MasterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
        master->OnObjectAdd = [this](TObject* o) {
            if (auto* p = dynamic_cast<TkPlotObject*>(o))
                events.push_back("add " + p->GetName());
        };
        master->OnObjectRemove = [this](TObject* o) {
            if (auto* p = dynamic_cast<TkPlotObject*>(o)) {
                // Fired before any manager forgets the object.
                const bool stillKnown = master->ObjectManager() && master->ObjectManager()->IndexOf(p) >= 0;
                events.push_back("remove " + p->GetName() + (stillKnown ? " (known)" : ""));
            }
        };
    }

    TkPlotChannelCustom* Channel(int i)
    {
        return static_cast<TkPlotChannelCustom*>(master->ChannelManager()->GetObject(i));
    }

    FakePlot plot;
    std::vector<std::string> events;  // outlives the master, which reports into it
    std::unique_ptr<TkPlotMasterManager> master;
};

TEST_F(MasterTest, ChannelsAreNamedAndColouredFromThePalette)
{
    EXPECT_EQ(master->AddChannel(), 0);
    EXPECT_EQ(master->AddChannel(), 1);
    EXPECT_EQ(master->AddChannel(), 2);
    EXPECT_EQ(Channel(0)->GetName(), "Channel 1");
    EXPECT_EQ(Channel(2)->GetName(), "Channel 3");
    EXPECT_EQ(Channel(1)->GetTitleText(), "Channel 2");
    EXPECT_EQ(Channel(0)->GetColor(), 0x0000FF);
    EXPECT_EQ(Channel(1)->GetColor(), 0x00FFFF);
    EXPECT_EQ(Channel(2)->GetColor(), 0xFF0000);
    // The all-objects manager holds the layout placeholders and the channels.
    EXPECT_EQ(master->ObjectManager()->GetCount(), 5);
}

TEST_F(MasterTest, ChannelColoursRunThroughThePaletteThenTheLeastUsed)
{
    for (int i = 0; i < 32; ++i)
        master->AddChannel();
    EXPECT_EQ(Channel(7)->GetColor(), 0x000080);
    EXPECT_EQ(Channel(21)->GetColor(), 0x0080FF);
    EXPECT_EQ(Channel(29)->GetColor(), 0x80FF80);
    // Every colour is used once and red twice (the new channel starts red).
    EXPECT_EQ(Channel(30)->GetColor(), 0x00FFFF);
    EXPECT_EQ(Channel(31)->GetColor(), 0xFF0000);
}

TEST_F(MasterTest, NamingFollowsTheHighestNumber)
{
    master->AddChannel();
    master->AddChannel();
    Channel(1)->SetName("channel 20");
    master->AddChannel();
    EXPECT_EQ(Channel(2)->GetName(), "Channel 21");
    Channel(0)->SetName("ChannelX");
    Channel(1)->SetName("Other");
    Channel(2)->SetName("Channel 7");
    master->AddChannel();
    EXPECT_EQ(Channel(3)->GetName(), "Channel 8");
    EXPECT_EQ(master->ChannelManager()->IndexOfName("CHANNEL 8"), 3);
    Channel(1)->SetName("Channel 9223372036854775807");  // no number follows it
    master->AddChannel();
    EXPECT_EQ(Channel(4)->GetName(), "Channel 9");
    EXPECT_EQ(master->ChannelManager()->FindByName("nope"), nullptr);
}

TEST_F(MasterTest, NewObjectsAreLinkedToTheFirstAxes)
{
    master->AddXAxis();
    master->AddYAxis();
    master->AddChannel();
    master->AddDataView();
    master->AddLimit();
    master->AddDataCursor();
    auto* x = master->XAxisManager()->GetObject(0);
    EXPECT_EQ(x->GetName(), "X-Axis 1");
    EXPECT_EQ(static_cast<TkPlotAxis*>(x)->GetTitle(), "X-Axis 1");
    EXPECT_EQ(Channel(0)->GetXAxisName(), "X-Axis 1");
    EXPECT_EQ(Channel(0)->GetYAxisName(), "Y-Axis 1");
    auto* view = static_cast<TkPlotDataView*>(master->DataViewManager()->GetObject(0));
    EXPECT_EQ(view->GetName(), "Data View 1");
    EXPECT_EQ(view->GetGridYAxisName(), "Y-Axis 1");
    auto* cursor = static_cast<TkPlotDataCursor*>(master->DataCursorManager()->GetObject(0));
    EXPECT_EQ(cursor->GetName(), "Cursor 1");
    EXPECT_EQ(cursor->GetDataView(), view);
    EXPECT_EQ(cursor->GetChannelName(), "Channel 1");

    // Renaming the axis reaches every object that names it.
    x->SetName("Time");
    EXPECT_EQ(Channel(0)->GetXAxisName(), "Time");
    EXPECT_EQ(view->GetGridXAxisName(), "Time");
    EXPECT_EQ(static_cast<TkPlotLimit*>(master->LimitManager()->GetObject(0))->GetXAxisName(), "Time");

    // A cursor drops the data view that goes away.
    TkPlotObject::Free(view);
    EXPECT_EQ(cursor->GetDataView(), nullptr);
}

TEST_F(MasterTest, NamesStayUniqueWithinAKind)
{
    master->AddChannel();
    auto* c = new TkPlotChannel(&plot, master->ChannelManager()->GetCallbacks());
    c->SetName("CHANNEL 1");
    c->DoInsert();
    EXPECT_EQ(c->GetName(), "Channel 2");
    auto* own = new TkPlotChannel(&plot, master->ChannelManager()->GetCallbacks());
    own->SetName("Pressure");
    own->DoInsert();
    EXPECT_EQ(own->GetName(), "Pressure");  // a caller's free name is kept
}

TEST_F(MasterTest, ReplacingADuplicateNameLeavesBindingsToTheFirstObject)
{
    master->AddXAxis();
    master->AddChannel();
    master->AddDataCursor();
    auto* cursor = static_cast<TkPlotDataCursor*>(master->DataCursorManager()->GetObject(0));
    ASSERT_EQ(cursor->GetChannelName(), "Channel 1");
    auto* c = new TkPlotChannel(&plot, master->ChannelManager()->GetCallbacks());
    c->SetName("channel 1");
    c->DoInsert();
    EXPECT_EQ(c->GetName(), "Channel 2");
    EXPECT_EQ(cursor->GetChannelName(), "Channel 1");
    auto* x = new TkPlotXAxis(&plot, master->XAxisManager()->GetCallbacks());
    x->SetName("X-Axis 1");
    x->DoInsert();
    EXPECT_EQ(x->GetName(), "X-Axis 2");
    EXPECT_EQ(Channel(0)->GetXAxisName(), "X-Axis 1");
}

TEST_F(MasterTest, KindManagersAnswerObjectsOfTheirKind)
{
    master->AddXAxis();
    master->AddLabel();
    master->AddChannel();
    master->AddChannel();
    EXPECT_EQ(master->XAxisManager()->GetItem(0)->GetTitle(), "X-Axis 1");
    EXPECT_EQ(master->LabelManager()->GetItem(0)->GetCaption(), "Label 1");
    EXPECT_EQ(master->ChannelManager()->GetItem(1)->GetTitleText(), "Channel 2");
    EXPECT_THROW(master->ChannelManager()->GetItem(2), EListError);
}

TEST_F(MasterTest, AnnotationsStayUnnamed)
{
    master->AddAnnotation();
    EXPECT_EQ(master->AnnotationManager()->GetObject(0)->GetName(), "");
}

TEST_F(MasterTest, DeletingAnAxisLeavesEveryManagerAfterTheRemoveEvent)
{
    master->AddXAxis();
    auto* x = master->XAxisManager()->GetObject(0);
    ASSERT_GE(master->LayoutManager()->IndexOf(x), 0);
    events.clear();
    TkPlotObject::Free(x);
    EXPECT_EQ(events, (std::vector<std::string>{"remove X-Axis 1 (known)"}));
    EXPECT_EQ(master->XAxisManager()->GetCount(), 0);
    EXPECT_EQ(master->ObjectManager()->IndexOf(x), -1);
    EXPECT_EQ(master->LayoutManager()->IndexOf(x), -1);
}

// A channel that records which objects it heard going away.
struct ListeningChannel : TkPlotChannel {
    using TkPlotChannel::TkPlotChannel;
    std::vector<std::string> removed;
    void ObjectRemoved(TkPlotObject* o) override { removed.push_back(o->GetName()); }
};

TEST_F(MasterTest, ObjectsOfEveryKindHearAnObjectGoAway)
{
    master->SetChannelClass([](TkPlotObjectOwner* owner, const TkPlotObjectCallbacks& c) -> TkPlotObject* {
        return new ListeningChannel(owner, c);
    });
    master->AddXAxis();
    master->AddChannel();
    master->AddChannel();
    auto* first = static_cast<ListeningChannel*>(Channel(0));
    auto* second = static_cast<ListeningChannel*>(Channel(1));
    // Channels cache their axes: they must hear that an axis goes away.
    TkPlotObject::Free(master->XAxisManager()->GetObject(0));
    EXPECT_EQ(first->removed, (std::vector<std::string>{"X-Axis 1"}));
    // A channel of the same manager hears it once; the one leaving does not.
    TkPlotObject::Free(first);
    EXPECT_EQ(second->removed, (std::vector<std::string>{"X-Axis 1", "Channel 1"}));
}

TEST_F(MasterTest, DestructionFreesObjectsManagerByManagerInItsOrder)
{
    master->AddAnnotation();
    master->AddLabel();
    master->AddLimit();
    master->AddDataCursor();
    master->AddDataView();
    master->AddYAxis();
    master->AddXAxis();
    master->AddChannel();
    master->AddTable();
    master->AddLegend();
    master->AddToolBar();
    master->ChannelManager()->GetObject(0)->SetFocused(true);
    std::vector<std::string> removed;
    master->OnObjectRemove = [&](TObject* o) {
        if (auto* p = dynamic_cast<TkPlotObject*>(o))
            removed.push_back(p->GetName().empty() ? "(unnamed)" : p->GetName());
    };
    master.reset();
    EXPECT_EQ(removed, (std::vector<std::string>{"Toolbar 1", "Legend 1", "Table 1", "Channel 1", "X-Axis 1",
                                                 "Y-Axis 1", "Data View 1", "Cursor 1", "Limit 1", "Label 1",
                                                 "(unnamed)", "Data View", "Data View"}));
}

TEST_F(MasterTest, AddingTwiceOrRemovingStrangersChangesNothing)
{
    master->AddChannel();
    int changes = 0;
    master->OnObjectChange = [&](TObject*) { ++changes; };
    TkPlotObject* c = Channel(0);
    master->ChannelManager()->AddObject(c);
    EXPECT_EQ(master->ChannelManager()->GetCount(), 1);
    auto* stranger = new TkPlotChannel(&plot, master->ChannelManager()->GetCallbacks());
    stranger->SetName("Stranger");
    changes = 0;
    master->LegendManager()->RemoveObject(stranger);
    EXPECT_EQ(changes, 0);
    master->OnObjectChange = nullptr;
    stranger->Callbacks.OnRemove = nullptr;  // never registered
    TkPlotObject::Free(stranger);
}

TEST_F(MasterTest, AllObjectsManagerRoutesInputOnlyToFocusedObjects)
{
    master->AddChannel();
    master->AddChannel();
    master->ObjectManager()->MouseDown(mbLeft, 0, TPoint{1, 1}, TPoint{1, 1}, nullptr);
    EXPECT_FALSE(Channel(0)->GetPressed());
    Channel(1)->SetFocused(true);
    master->ObjectManager()->MouseDown(mbLeft, 0, TPoint{1, 1}, TPoint{1, 1}, nullptr);
    EXPECT_FALSE(Channel(0)->GetPressed());
    EXPECT_TRUE(Channel(1)->GetPressed());
    master->ClearFocus();
    EXPECT_FALSE(Channel(1)->GetFocused());
}

// An object that records the left presses it receives and runs a hook.
struct PressProbe : TkPlotManagerObject {
    PressProbe(TkPlotObjectOwner* owner, const TkPlotObjectCallbacks& c, std::vector<std::string>& log)
        : TkPlotManagerObject(owner, c),
          log(log)
    {
    }
    std::vector<std::string>& log;
    std::function<void()> onPress;
    void DoMouseLeftDown(const TkPlotMouseData&) override
    {
        log.push_back(GetName());
        if (onPress)
            onPress();
    }
};

TEST_F(MasterTest, InputGoesToObjectsFocusedWhenTheirTurnComes)
{
    std::vector<std::string> pressed;
    const TkPlotObjectCallbacks c = master->ChannelManager()->GetCallbacks();
    PressProbe* probe[3];
    for (int i = 0; i < 3; ++i) {
        probe[i] = new PressProbe(&plot, c, pressed);
        probe[i]->SetName("P" + std::to_string(i));
        probe[i]->DoInsert();
    }
    // A handler that moves the focus on: the object that lost it hears
    // nothing more, the one that took it gets the press in its turn.
    probe[0]->SetFocused(true);
    probe[1]->SetFocused(true);
    probe[0]->onPress = [&] {
        probe[1]->SetFocused(false);
        probe[2]->SetFocused(true);
    };
    master->ObjectManager()->MouseDown(mbLeft, 0, TPoint{1, 1}, TPoint{1, 1}, nullptr);
    EXPECT_EQ(pressed, (std::vector<std::string>{"P0", "P2"}));

    // A handler that frees a focused object later in the list.
    pressed.clear();
    probe[0]->onPress = [&] { TkPlotObject::Free(probe[2]); };
    master->ObjectManager()->MouseDown(mbLeft, 0, TPoint{1, 1}, TPoint{1, 1}, nullptr);
    EXPECT_EQ(pressed, (std::vector<std::string>{"P0"}));
    TkPlotObject::Free(probe[0]);
    TkPlotObject::Free(probe[1]);
}

TEST_F(MasterTest, AllObjectsManagerCannotCreate)
{
    try {
        master->ObjectManager()->CreateObject();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Object Manager does not support creation of objects");
    }
}

TEST_F(MasterTest, UserCanEditReachesEveryObject)
{
    master->AddChannel();
    master->SetUserCanEditObjects(false);
    EXPECT_FALSE(Channel(0)->GetUserCanEdit());
    master->AddLegend();
    EXPECT_FALSE(master->LegendManager()->GetObject(0)->GetUserCanEdit());
}

struct FakeEditor : TkPlotEditorLink {
    std::vector<std::string>* log;
    bool IsLoading() const override { return false; }
    void ObjectAdded(TkPlotObject* o) override { log->push_back("added " + o->GetName()); }
    void ObjectRemoved(TkPlotObject* o) override { log->push_back("removed " + o->GetName()); }
    void ObjectRenamed(TkPlotObject* o) override { log->push_back("renamed " + o->GetName()); }
    void Edit(TkPlotObject* o) override { log->push_back("edit " + (o ? o->GetName() : std::string("-"))); }
};

TEST_F(MasterTest, EditorIsMadeByTheRegisteredFactoryAndHearsChanges)
{
    std::vector<std::string> log;
    TkPlotEditorHost host(*master);
    TkPlotEditorHost::SetEditorFactory([&](TkPlotEditorHost&) {
        auto e = std::make_unique<FakeEditor>();
        e->log = &log;
        return e;
    });
    master->AddXAxis();
    auto* x = master->XAxisManager()->GetObject(0);
    x->OnEdit(x);
    x->SetName("Time");
    master->AddYAxis();
    // A new object is named while it registers, before the editor lists it.
    EXPECT_EQ(log, (std::vector<std::string>{"edit X-Axis 1", "renamed Time", "renamed Y-Axis 1", "added Y-Axis 1"}));
    TkPlotEditorHost::SetEditorFactory(nullptr);
}

// An editor that closes itself from inside its own Edit call, as a
// modeless editor's close button does.
struct ClosingEditor : TkPlotEditorLink {
    TkPlotEditorHost* host = nullptr;
    std::vector<std::string>* log = nullptr;
    int number = 0;
    ~ClosingEditor() override { log->push_back("freed " + std::to_string(number)); }
    bool IsLoading() const override { return false; }
    void ObjectAdded(TkPlotObject* o) override { log->push_back("added " + o->GetName()); }
    void ObjectRemoved(TkPlotObject*) override {}
    void ObjectRenamed(TkPlotObject*) override {}
    void Edit(TkPlotObject*) override
    {
        log->push_back("edit in " + std::to_string(number));
        host->EditorClosed();
        log->push_back("closed " + std::to_string(number));  // still whole here
    }
};

TEST_F(MasterTest, AnEditorClosedFromItsOwnHandlerIsFreedLater)
{
    std::vector<std::string> log;
    int made = 0;
    auto host = std::make_unique<TkPlotEditorHost>(*master);
    TkPlotEditorHost::SetEditorFactory([&](TkPlotEditorHost& h) {
        auto e = std::make_unique<ClosingEditor>();
        e->host = &h;
        e->log = &log;
        e->number = ++made;
        return e;
    });
    master->AddLegend();
    TkPlotObject* legend = master->LegendManager()->GetObject(0);
    legend->OnEdit(legend);
    master->AddTable();  // a closed editor hears nothing more
    legend->OnEdit(legend);
    EXPECT_EQ(log, (std::vector<std::string>{"edit in 1", "closed 1", "freed 1", "edit in 2", "closed 2"}));
    TkPlotEditorHost::SetEditorFactory(nullptr);
    master->OnObjectRemove = nullptr;
    host.reset();  // the closed editor dies with its host
    EXPECT_EQ(log.back(), "freed 2");
}

}  // namespace
