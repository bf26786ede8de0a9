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
    master->AddLabel();  // label at level 0, toolbar pushed to 1, data view to 2
    auto* toolbar = static_cast<TkPlotLayoutObject*>(master->ToolBarManager()->GetObject(0));
    auto* label = static_cast<TkPlotLayoutObject*>(master->LabelManager()->GetObject(0));
    ASSERT_EQ(label->GetZOrder(), 0);
    ASSERT_EQ(toolbar->GetZOrder(), 1);
    TkPlotObject::Free(label);
    EXPECT_EQ(toolbar->GetZOrder(), 0);
    EXPECT_EQ(master->LayoutManager()->HorzDataView()->GetZOrder(), 1);
    EXPECT_EQ(master->LayoutManager()->GetCount(), 3);  // the toolbar and the two placeholders
}

} // namespace
