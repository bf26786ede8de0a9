#include <gtest/gtest.h>

#include "PlotObjectSupport.h"
#include "plot/core/kPlotMasterManager.h"
#include "ui/Application.h"

namespace {

static_assert(!PlainDeletable<TkPlotObjectManagerCustom>);
static_assert(!PlainDeletable<TkPlotObjectOwnedManager>);
static_assert(!PlainDeletable<TkPlotObjectManager>);
static_assert(!PlainDeletable<TkPlotKindManager>);
// Every kind's manager is one of these, typed by the kind's class.
static_assert(!PlainDeletable<TkPlotTypedKindManager<TkPlotObject>>);
static_assert(!PlainDeletable<TkPlotLayoutManager>);

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
        layout = master->LayoutManager();
    }

    TkPlotLayoutObject* X(int i) { return static_cast<TkPlotLayoutObject*>(master->XAxisManager()->GetObject(i)); }
    TkPlotLayoutObject* Y(int i) { return static_cast<TkPlotLayoutObject*>(master->YAxisManager()->GetObject(i)); }

    FakePlot plot;
    std::unique_ptr<TkPlotMasterManager> master;
    TkPlotLayoutManager* layout = nullptr;
};

TEST_F(LayoutTest, FirstAxesGoBelowAndLeftOfTheDataView)
{
    EXPECT_EQ(layout->HorzDataView()->GetZOrder(), 1);
    EXPECT_EQ(layout->HorzDataView()->GetName(), "Data View");
    master->AddXAxis();
    master->AddYAxis();
    EXPECT_TRUE(X(0)->GetHorizontal());
    EXPECT_FALSE(Y(0)->GetHorizontal());
    EXPECT_EQ(X(0)->GetZOrder(), 0);
    EXPECT_EQ(Y(0)->GetZOrder(), 0);
    EXPECT_EQ(layout->BottomList(), (std::vector<TkPlotLayoutObject*>{X(0)}));
    EXPECT_EQ(layout->LeftList(), (std::vector<TkPlotLayoutObject*>{Y(0)}));
    EXPECT_EQ(layout->BottomLevels(), 1);
    EXPECT_EQ(layout->TopLevels(), 0);
}

TEST_F(LayoutTest, OverlappingSpansStackAndPushTheDataViewOut)
{
    master->AddXAxis();
    master->AddXAxis();
    EXPECT_EQ(X(1)->GetZOrder(), 0);
    EXPECT_EQ(X(0)->GetZOrder(), 1);
    EXPECT_EQ(layout->HorzDataView()->GetZOrder(), 2);
    EXPECT_EQ(layout->BottomList(), (std::vector<TkPlotLayoutObject*>{X(1), X(0)}));
    EXPECT_EQ(layout->BottomLevels(), 2);
}

TEST_F(LayoutTest, TouchingSpansShareALevel)
{
    layout->SetAutoPlacement(false);
    master->AddXAxis();
    master->AddXAxis();
    X(0)->SetStopPercent(50);
    X(1)->SetStartPercent(50);
    layout->SetAutoPlacement(true);
    layout->InsertAtZOrder(X(0), 0, 0);
    layout->InsertAtZOrder(X(1), 0, 0);
    EXPECT_EQ(X(0)->GetZOrder(), 0);
    EXPECT_EQ(X(1)->GetZOrder(), 0);
    EXPECT_EQ(layout->BottomLevels(), 1);
    EXPECT_EQ(layout->BottomList(), (std::vector<TkPlotLayoutObject*>{X(0), X(1)}));
}

TEST_F(LayoutTest, StackedYAxesOfTheApplication)
{
    // Y axes in bands: channel 1 on top, each band its own span.
    layout->SetAutoPlacement(false);
    for (int i = 0; i < 3; ++i)
        master->AddYAxis();
    Y(0)->SetStartStopPercent(66, 100);
    Y(1)->SetStartStopPercent(33, 66);
    Y(2)->SetStartStopPercent(0, 33);
    layout->SetAutoPlacement(true);
    for (int i = 0; i < 3; ++i)
        layout->InsertAtZOrder(Y(i), 0, 0);
    EXPECT_EQ(layout->LeftLevels(), 1);
    EXPECT_EQ(layout->LeftList(), (std::vector<TkPlotLayoutObject*>{Y(2), Y(1), Y(0)}));
}

TEST_F(LayoutTest, RemovingTheOnlyObjectOfALevelClosesIt)
{
    master->AddXAxis();
    master->AddXAxis();  // X(1) at 0, X(0) at 1, data view at 2
    TkPlotObject::Free(X(1));
    EXPECT_EQ(X(0)->GetZOrder(), 0);
    EXPECT_EQ(layout->HorzDataView()->GetZOrder(), 1);
}

TEST_F(LayoutTest, InsertBeforeAndAfter)
{
    master->AddXAxis();
    master->AddXAxis();                  // X(1) 0, X(0) 1, view 2
    layout->InsertAtZOrder(X(1), 1, 2);  // after level 1
    EXPECT_EQ(X(1)->GetZOrder(), 2);
    EXPECT_EQ(layout->HorzDataView()->GetZOrder(), 3);
    layout->InsertAtZOrder(X(1), 5, 1);  // before a level above the view
    EXPECT_EQ(X(1)->GetZOrder(), 5);
    EXPECT_EQ(layout->TopList(), (std::vector<TkPlotLayoutObject*>{X(1)}));
    EXPECT_TRUE(X(1)->GetFarSide());
    EXPECT_FALSE(X(0)->GetFarSide());
}

TEST_F(LayoutTest, LevelsCompareAsNumbers)
{
    master->AddXAxis();
    master->AddXAxis();
    layout->InsertAtZOrder(X(0), 1000, 1);
    layout->InsertAtZOrder(X(1), 999, 1);
    // 999 and 1000 are two levels above the data view, in numeric order.
    EXPECT_EQ(layout->TopList(), (std::vector<TkPlotLayoutObject*>{X(1), X(0)}));
    EXPECT_EQ(layout->TopLevels(), 2);
}

TEST_F(LayoutTest, ReversingTurnsAxesAround)
{
    master->AddXAxis();
    master->AddYAxis();
    master->SetXYAxesReverse(true);
    EXPECT_FALSE(X(0)->GetHorizontal());
    EXPECT_TRUE(Y(0)->GetHorizontal());
    EXPECT_EQ(layout->LeftList(), (std::vector<TkPlotLayoutObject*>{X(0)}));
    EXPECT_EQ(layout->BottomList(), (std::vector<TkPlotLayoutObject*>{Y(0)}));
    EXPECT_TRUE(X(0)->GetXYAxesReverse());
}

TEST_F(LayoutTest, ReversingReLevelsStackedAxesFromTheLowestLevel)
{
    master->AddXAxis();
    master->AddYAxis();
    master->AddXAxis();  // X(1) 0, X(0) 1, horizontal view 2; Y(0) 0, vertical view 1
    master->SetXYAxesReverse(true);
    EXPECT_EQ(Y(0)->GetZOrder(), 0);
    EXPECT_EQ(layout->HorzDataView()->GetZOrder(), 1);
    EXPECT_EQ(X(0)->GetZOrder(), 0);
    EXPECT_EQ(X(1)->GetZOrder(), 1);
    EXPECT_EQ(layout->VertDataView()->GetZOrder(), 2);
    EXPECT_EQ(layout->LeftList(), (std::vector<TkPlotLayoutObject*>{X(0), X(1)}));
    EXPECT_EQ(layout->LeftLevels(), 2);
    EXPECT_EQ(layout->BottomList(), (std::vector<TkPlotLayoutObject*>{Y(0)}));
    EXPECT_TRUE(layout->TopList().empty());
    EXPECT_TRUE(layout->RightList().empty());

    master->SetXYAxesReverse(false);  // and back: each orientation levelled again
    EXPECT_TRUE(X(0)->GetHorizontal());
    EXPECT_EQ(layout->BottomLevels(), 2);
    EXPECT_EQ(layout->LeftList(), (std::vector<TkPlotLayoutObject*>{Y(0)}));
}

}  // namespace
