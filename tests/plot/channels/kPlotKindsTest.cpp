#include <gtest/gtest.h>

#include "../core/PlotObjectSupport.h"
#include "plot/channels/kPlotAnnotation.h"
#include "plot/channels/kPlotChannel.h"
#include "plot/channels/kPlotDataCursor.h"
#include "plot/channels/kPlotLabel.h"
#include "plot/channels/kPlotLegend.h"
#include "plot/channels/kPlotLimit.h"
#include "plot/channels/kPlotTable.h"
#include "plot/channels/kPlotToolBar.h"
#include "plot/core/kPlotMasterManager.h"
#include "ui/Application.h"

namespace {

static_assert(!PlainDeletable<TkPlotAnnotation>);
static_assert(!PlainDeletable<TkPlotChannelCustom>);
static_assert(!PlainDeletable<TkPlotChannel>);
static_assert(!PlainDeletable<TkPlotDataCursor>);
static_assert(!PlainDeletable<TkPlotLabel>);
static_assert(!PlainDeletable<TkPlotLegend>);
static_assert(!PlainDeletable<TkPlotLimit>);
static_assert(!PlainDeletable<TkPlotTable>);
static_assert(!PlainDeletable<TkPlotToolBar>);

class PlotKindsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
    }

    FakePlot plot;
    std::unique_ptr<TkPlotMasterManager> master;
};

TEST_F(PlotKindsTest, FreeingALayoutKindClosesTheLevelItHeldAlone)
{
    master->AddToolBar();
    auto* toolbar = static_cast<TkPlotLayoutObject*>(master->ToolBarManager()->GetObject(0));
    toolbar->SetHorizontal(true);  // rows like the label
    master->AddLabel();            // label at level 0, toolbar pushed to 1, data view to 2
    auto* label = static_cast<TkPlotLayoutObject*>(master->LabelManager()->GetObject(0));
    ASSERT_EQ(label->GetZOrder(), 0);
    ASSERT_EQ(toolbar->GetZOrder(), 1);
    TkPlotObject::Free(label);
    EXPECT_EQ(toolbar->GetZOrder(), 0);
    EXPECT_EQ(master->LayoutManager()->HorzDataView()->GetZOrder(), 1);
    EXPECT_EQ(master->LayoutManager()->GetCount(), 3);  // the toolbar and the two placeholders
}

TEST_F(PlotKindsTest, RegisteredKindsAreMadeOfTheirClassesWithTheirFirstLinks)
{
    master->AddXAxis();
    master->AddYAxis();
    master->AddDataView();
    EXPECT_EQ(master->AddToolBar(), 0);
    EXPECT_EQ(master->AddLegend(), 0);
    EXPECT_EQ(master->AddTable(), 0);
    EXPECT_EQ(master->AddChannel(), 0);
    EXPECT_EQ(master->AddChannel(), 1);
    EXPECT_EQ(master->AddDataCursor(), 0);
    EXPECT_EQ(master->AddLimit(), 0);
    EXPECT_EQ(master->AddLabel(), 0);
    EXPECT_EQ(master->AddAnnotation(), 0);
    EXPECT_NE(dynamic_cast<TkPlotToolBar*>(master->ToolBarManager()->GetObject(0)), nullptr);
    EXPECT_NE(dynamic_cast<TkPlotLegend*>(master->LegendManager()->GetObject(0)), nullptr);
    EXPECT_NE(dynamic_cast<TkPlotTable*>(master->TableManager()->GetObject(0)), nullptr);
    EXPECT_NE(dynamic_cast<TkPlotChannel*>(master->ChannelManager()->GetObject(0)), nullptr);
    EXPECT_NE(dynamic_cast<TkPlotAnnotation*>(master->AnnotationManager()->GetObject(0)), nullptr);

    TkPlotChannelCustom* second = master->ChannelManager()->GetItem(1);
    EXPECT_EQ(second->GetTitleText(), "Channel 2");
    EXPECT_EQ(second->GetColor(), TColor(0x00FFFF));
    EXPECT_EQ(second->GetXAxisName(), "X-Axis 1");
    EXPECT_EQ(second->GetYAxisName(), "Y-Axis 1");
    TkPlotDataCursor* cursor = master->DataCursorManager()->GetItem(0);
    EXPECT_EQ(cursor->GetDataView(), master->DataViewManager()->GetItem(0));
    EXPECT_EQ(cursor->GetChannelName(), "Channel 1");
    EXPECT_EQ(master->LimitManager()->GetItem(0)->GetYAxisName(), "Y-Axis 1");
    EXPECT_EQ(master->LabelManager()->GetItem(0)->GetCaption(), "Label 1");
    EXPECT_EQ(master->AnnotationManager()->GetItem(0)->GetName(), "");
}

}  // namespace
