#include <gtest/gtest.h>

#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/editor/kPlotLayoutViewerModel.h"
#include "ui/Application.h"

namespace {

using Model = TkPlotLayoutViewerModel;

// A 400 x 300 viewer with 20-pixel levels: an X axis below the data view,
// a Y axis left of it and a label above it. The schematic's outer
// rectangle is (5, 5, 395, 295) and the data view (25, 25, 395, 275).
class LayoutViewerModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&owner);
        layout = master->LayoutManager();
        x = Add(TkPlotObjectKind::XAxis);
        y = Add(TkPlotObjectKind::YAxis);
        label = Add(TkPlotObjectKind::Label);
        layout->RemoveFromZOrder(label);
        layout->InsertAtZOrder(label, layout->HorzDataView()->GetZOrder(), 2);
        model.SetLayoutManager(layout);
        Arrange();
    }

    TkPlotLayoutObject* Add(const TkPlotKind& Kind)
    {
        const int index = master->Add(Kind);
        return static_cast<TkPlotLayoutObject*>(master->KindManager(Kind)->GetObject(index));
    }
    void Arrange() { model.Arrange(400, 300, 20); }
    // A whole drag as the viewer's paints and the mouse deliver it.
    bool Drag(TPoint From, TPoint To)
    {
        model.MouseMove(From, false);
        model.MouseDown(From, true);
        model.MouseMove(To, true);
        Arrange();
        return model.MouseUp();
    }
    static TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

    TkPlotObjectOwner owner;
    std::unique_ptr<TkPlotMasterManager> master;
    TkPlotLayoutManager* layout = nullptr;
    TkPlotLayoutObject *x = nullptr, *y = nullptr, *label = nullptr;
    Model model;
};

TEST_F(LayoutViewerModelTest, LevelsAndObjectsAroundTheDataView)
{
    x->SetStartPercent(50);
    y->SetStopPercent(50);
    Arrange();
    EXPECT_EQ(model.OuterRect(), TRect(5, 5, 395, 295));
    EXPECT_EQ(model.DataViewRect(), TRect(25, 25, 395, 275));
    struct Block {
        TRect Rect;
        int ZOrder;
        bool Horizontal, DataView, TopMost;
    };
    const Block expected[] = {
        {{5, 25, 25, 275}, 0, false, false, false},  {{25, 25, 395, 275}, 1, false, true, false},
        {{5, 5, 395, 25}, 2, true, false, true},     {{25, 25, 395, 275}, 1, true, true, false},
        {{5, 275, 395, 295}, 0, true, false, false},
    };
    ASSERT_EQ(model.Blocks().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TBlockObject& b = model.Blocks()[i];
        EXPECT_EQ(b.Rect, expected[i].Rect) << i;
        EXPECT_EQ(b.ZOrder, expected[i].ZOrder) << i;
        EXPECT_EQ(b.Horizontal, expected[i].Horizontal) << i;
        EXPECT_EQ(b.DataView, expected[i].DataView) << i;
        EXPECT_EQ(b.TopMost, expected[i].TopMost) << i;
    }
    // Axes span the data view; the label may span the whole schematic.
    EXPECT_EQ(x->GetViewerRect(), TRect(210, 275, 395, 295));
    EXPECT_EQ(y->GetViewerRect(), TRect(5, 150, 25, 275));
    EXPECT_EQ(label->GetViewerRect(), TRect(5, 5, 395, 25));
    EXPECT_EQ(layout->HorzDataView()->GetViewerRect(), TRect(25, 25, 395, 275));

    EXPECT_EQ(model.ObjectAt({300, 280}), x);
    EXPECT_EQ(model.ObjectAt({100, 280}), nullptr);
    // The data view takes drops only along its edges, the top level only
    // in its lower half.
    EXPECT_EQ(model.BlockAt({200, 150}), -1);
    EXPECT_EQ(model.BlockAt({30, 150}), 1);
    EXPECT_EQ(model.BlockAt({200, 270}), 3);
    EXPECT_EQ(model.BlockAt({200, 10}), -1);
    EXPECT_EQ(model.BlockAt({200, 20}), 2);
}

TEST_F(LayoutViewerModelTest, ResizingSnapsToStepsOfOnePointTwoFivePercent)
{
    // Hovering near the axis's right end arms its stop end.
    EXPECT_EQ(model.MouseMove({392, 285}, false), Model::szHorizontal);
    EXPECT_EQ(model.ArmedEnd(), Model::reStop);
    model.MouseDown({392, 285}, true);
    EXPECT_EQ(model.Mode(), Model::dmResizing);
    // 30 of 370 pixels is 8.1 %, which snaps to 7.5.
    model.MouseMove({362, 285}, true);
    EXPECT_DOUBLE_EQ(x->GetStopPercent(), 92.5);
    EXPECT_TRUE(model.MouseUp());
    EXPECT_EQ(model.Mode(), Model::dmIdle);

    // The Y axis's bottom end is its start: 20 of 250 pixels up is 8 %.
    EXPECT_EQ(model.MouseMove({15, 272}, false), Model::szVertical);
    EXPECT_EQ(model.ArmedEnd(), Model::reStart);
    EXPECT_TRUE(Drag({15, 272}, {15, 252}));
    EXPECT_DOUBLE_EQ(y->GetStartPercent(), 7.5);
    EXPECT_DOUBLE_EQ(y->GetStopPercent(), 100);
}

TEST_F(LayoutViewerModelTest, ResizingStopsAtTheEdgesAndShortOfTheOtherEnd)
{
    x->SetStartStopPercent(20, 50);
    Arrange();
    const int start = x->GetViewerRect().Left, stop = x->GetViewerRect().Right;
    Drag({start, 285}, {stop + 200, 285});
    EXPECT_DOUBLE_EQ(x->GetStartPercent(), 50 - Model::MinimumSpan);
    EXPECT_DOUBLE_EQ(x->GetStopPercent(), 50);

    x->SetStartStopPercent(20, 50);
    Arrange();
    Drag({start, 285}, {start - 300, 285});
    EXPECT_DOUBLE_EQ(x->GetStartPercent(), 0);
    Arrange();
    Drag({stop - 1, 285}, {start - 300, 285});
    EXPECT_DOUBLE_EQ(x->GetStartPercent(), 0);
    EXPECT_DOUBLE_EQ(x->GetStopPercent(), Model::MinimumSpan);
    Arrange();
    Drag({x->GetViewerRect().Right - 1, 285}, {stop + 900, 285});
    EXPECT_DOUBLE_EQ(x->GetStopPercent(), 100);
}

TEST_F(LayoutViewerModelTest, ResizingInADataViewOfNoSizeChangesNothing)
{
    for (TkPlotLayoutObject* o : {x, y}) {
        const TRect r = o->GetViewerRect();
        const TPoint end = o == x ? TPoint(r.Right - 2, r.Top + 5) : TPoint(r.Left + 5, r.Top + 2);
        ASSERT_NE(model.MouseMove(end, false), Model::szNone);
        model.MouseDown(end, true);
        // The viewer shrinks to nothing while the end is held.
        model.Arrange(30, 30, 20);
        model.MouseMove({end.X - 10, end.Y + 10}, true);
        model.MouseUp();
        EXPECT_DOUBLE_EQ(o->GetStartPercent(), 0);
        EXPECT_DOUBLE_EQ(o->GetStopPercent(), 100);
        Arrange();
    }
}

TEST_F(LayoutViewerModelTest, NeitherADataViewNorAToolBarCanBePickedUp)
{
    TkPlotLayoutObject* view = Add(TkPlotObjectKind::DataView);
    TkPlotLayoutObject* bar = Add(TkPlotObjectKind::ToolBar);
    Arrange();
    for (TkPlotLayoutObject* o : {view, bar}) {
        const TPoint p = Centre(o->GetViewerRect());
        ASSERT_EQ(model.ObjectAt(p), o);
        model.MouseDown(p, true);
        EXPECT_EQ(model.Mode(), Model::dmIdle);
        EXPECT_EQ(model.DraggedObject(), nullptr);
    }
}

TEST_F(LayoutViewerModelTest, AnAxisIsNeverDroppedOnALevelOfTheOtherOrientation)
{
    const int z = x->GetZOrder();
    model.MouseDown({300, 285}, true);
    EXPECT_EQ(model.Mode(), Model::dmMoving);
    model.MouseMove({15, 150}, true);
    EXPECT_EQ(model.DropBlock(), -1);
    TRect feedback;
    EXPECT_FALSE(model.FeedbackRect(feedback));
    EXPECT_FALSE(model.MouseUp());
    EXPECT_TRUE(x->GetHorizontal());
    EXPECT_EQ(x->GetZOrder(), z);
}

TEST_F(LayoutViewerModelTest, TwoLabelsShareALevelWhenDroppedOnItsMiddleThird)
{
    TkPlotLayoutObject* second = Add(TkPlotObjectKind::Label);
    Arrange();
    ASSERT_NE(second->GetZOrder(), label->GetZOrder());
    const int top = label->GetViewerRect().Top;
    model.MouseDown(Centre(second->GetViewerRect()), true);
    // The label's level is the top one: only its lowest third is a target.
    model.MouseMove({200, top + 10}, true);
    EXPECT_EQ(model.DropBlock(), -1);
    model.MouseMove({200, top + 15}, true);
    EXPECT_EQ(model.InsertMode(), 1);
    Arrange();
    ASSERT_TRUE(model.MouseUp());
    EXPECT_EQ(second->GetZOrder(), label->GetZOrder() - 1);
    EXPECT_DOUBLE_EQ(second->GetStartPercent(), 0);
    EXPECT_DOUBLE_EQ(second->GetStopPercent(), 100);

    Arrange();
    ASSERT_TRUE(Drag(Centre(label->GetViewerRect()), Centre(second->GetViewerRect())));
    EXPECT_EQ(second->GetZOrder(), label->GetZOrder());
    EXPECT_DOUBLE_EQ(second->GetStartPercent(), 0);
    EXPECT_DOUBLE_EQ(second->GetStopPercent(), 50);
    EXPECT_DOUBLE_EQ(label->GetStartPercent(), 50);
    EXPECT_DOUBLE_EQ(label->GetStopPercent(), 100);
}

TEST_F(LayoutViewerModelTest, InsertPositionsByThirdsAndHalvesOfALevel)
{
    TkPlotLayoutObject* x2 = Add(TkPlotObjectKind::XAxis);
    Arrange();
    const TRect level = model.Blocks()[model.BlockAt(Centre(x->GetViewerRect()))].Rect;
    const int left = level.Left + 50;
    model.MouseDown(Centre(x2->GetViewerRect()), true);
    const struct {
        int Y, Mode;
    } thirds[] = {{level.Top + 1, 2}, {level.Top + 10, 0}, {level.Bottom - 1, 1}};
    for (const auto& t : thirds) {
        model.MouseMove({left, t.Y}, true);
        EXPECT_EQ(model.InsertMode(), t.Mode) << t.Y;
    }
    // Before the level: the feedback moves half a level down.
    TRect feedback;
    ASSERT_TRUE(model.FeedbackRect(feedback));
    EXPECT_EQ(feedback, TRect(level.Left, level.Top + 10, level.Right, level.Bottom + 10));

    // Against the data view's own placeholder: halves of its edge band.
    const TRect d = model.DataViewRect();
    model.MouseMove({200, d.Top + 2}, true);
    EXPECT_EQ(model.InsertMode(), 2);
    ASSERT_TRUE(model.FeedbackRect(feedback));
    EXPECT_EQ(feedback, TRect(5, d.Top - 11, 395, d.Top + 9));
    Arrange();
    ASSERT_TRUE(model.MouseUp());
    EXPECT_GT(x2->GetZOrder(), layout->HorzDataView()->GetZOrder());
    Arrange();
    EXPECT_LT(x2->GetViewerRect().Bottom, model.DataViewRect().Top + 1);
}

TEST_F(LayoutViewerModelTest, DroppingOnAnObjectOfTheSameLevelSwapsTheirSpans)
{
    TkPlotLayoutObject* x2 = Add(TkPlotObjectKind::XAxis);
    x->SetStartStopPercent(0, 40);
    x2->SetStartStopPercent(40, 100);
    layout->RemoveFromZOrder(x2);
    layout->InsertAtZOrder(x2, x->GetZOrder(), 0);
    Arrange();
    ASSERT_EQ(x2->GetZOrder(), x->GetZOrder());
    ASSERT_TRUE(Drag(Centre(x->GetViewerRect()), Centre(x2->GetViewerRect())));
    EXPECT_DOUBLE_EQ(x->GetStartPercent(), 40);
    EXPECT_DOUBLE_EQ(x->GetStopPercent(), 100);
    EXPECT_DOUBLE_EQ(x2->GetStartPercent(), 0);
    EXPECT_DOUBLE_EQ(x2->GetStopPercent(), 40);
}

TEST_F(LayoutViewerModelTest, AHiddenLegendMovesToALevelOfTheOtherOrientation)
{
    TkPlotLayoutObject* legend = Add(TkPlotObjectKind::Legend);
    legend->SetVisible(false);
    Arrange();
    ASSERT_FALSE(legend->GetHorizontal());
    // Onto the lower half of the X axis's level: a new level before it.
    const TRect level = x->GetViewerRect();
    ASSERT_TRUE(Drag(Centre(legend->GetViewerRect()), {200, level.Bottom - 2}));
    EXPECT_TRUE(legend->GetHorizontal());
    EXPECT_EQ(legend->GetZOrder(), x->GetZOrder() - 1);
}

TEST_F(LayoutViewerModelTest, AnObjectFreedDuringItsDragEndsTheDrag)
{
    // A right press picks the label up; its popup deletes it and takes the
    // release with it. The editor's repaint follows.
    model.MouseDown(Centre(label->GetViewerRect()), false);
    ASSERT_EQ(model.DraggedObject(), label);
    TkPlotObject::Free(label);
    Arrange();
    EXPECT_EQ(model.Mode(), Model::dmIdle);
    EXPECT_EQ(model.DraggedObject(), nullptr);
    EXPECT_EQ(model.Blocks().size(), 4u);
}

TEST_F(LayoutViewerModelTest, APressAfterALostReleaseDropsOnTheLevelsAsTheyAreNow)
{
    // The release of a right press goes to a popup that adds a label level.
    model.MouseDown(Centre(x->GetViewerRect()), false);
    TkPlotLayoutObject* added = Add(TkPlotObjectKind::Label);
    Arrange();
    model.MouseDown(Centre(added->GetViewerRect()), true);
    EXPECT_EQ(model.Mode(), Model::dmMoving);
    EXPECT_EQ(model.DraggedObject(), added);
    EXPECT_EQ(model.Blocks().size(), 6u);
    const int index = model.BlockAt(Centre(added->GetViewerRect()));
    ASSERT_GE(index, 0);
    EXPECT_EQ(model.Blocks()[index].ZOrder, added->GetZOrder());
}

}  // namespace
