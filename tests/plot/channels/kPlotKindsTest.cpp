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
#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/RecordingCanvas.h"

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

// A channel of a class of its own, beside the trace channels: it lists a
// readout of its own in the legend.
class OwnChannel : public TkPlotChannelCustom {
public:
    using TkPlotChannelCustom::TkPlotChannelCustom;
    void CalcFirstVisibleIndex() override {}
    void CalcLastVisibleIndex() override {}
    double GetXMaxExtent() override { return 0; }
    double GetXMinExtent() override { return 0; }
    double GetYMaxExtentVisible() override { return 0; }
    double GetYMinExtentVisible() override { return 0; }
    void UpdateCursorValues(TkPlotDataCursor*) override {}
    TkPlotLegendChannelData LegendData() const override
    {
        TkPlotLegendChannelData d = TkPlotChannelCustom::LegendData();
        d.CursorYText = "own readout";
        return d;
    }

protected:
    ~OwnChannel() override = default;
};

TEST_F(PlotKindsTest, TheChannelManagerHoldsChannelsOfEveryClass)
{
    master->AddXAxis();
    master->AddYAxis();
    master->AddLegend();
    EXPECT_EQ(master->AddChannel(), 0);
    EXPECT_EQ(master->Add(TkPlotObjectKind::Channel, PlotObjectClassOf<OwnChannel>()), 1);
    EXPECT_EQ(master->AddChannel(), 2);
    TkPlotTypedKindManager<TkPlotChannelCustom>* channels = master->ChannelManager();
    EXPECT_NE(dynamic_cast<TkPlotChannel*>(channels->GetItem(0)), nullptr);
    auto* own = dynamic_cast<OwnChannel*>(channels->GetItem(1));
    ASSERT_NE(own, nullptr);
    EXPECT_NE(dynamic_cast<TkPlotChannel*>(channels->GetItem(2)), nullptr);
    // Named, coloured and linked like any channel.
    EXPECT_EQ(own->GetName(), "Channel 2");
    EXPECT_EQ(own->GetColor(), TColor(0x00FFFF));
    EXPECT_EQ(own->GetYAxisName(), "Y-Axis 1");
    EXPECT_TRUE(own->AxisFinder);

    // The legend lists it with what it says of itself.
    auto* legend = master->LegendManager()->GetItem(0);
    TRecordingCanvas canvas;
    legend->CalcLayout(&canvas);
    ASSERT_EQ(legend->GetItems().size(), 3u);
    EXPECT_EQ(legend->GetItems()[1].Channel, own);
    EXPECT_EQ(legend->GetItems()[1].Data.CursorYText, "own readout");
    EXPECT_EQ(legend->GetItems()[2].Data.CursorYText, "");

    // The plot clears it with the others.
    own->AddXY(1, 2);
    channels->GetItem(0)->AddXY(1, 2);
    master->ClearAllData();
    EXPECT_EQ(own->GetCount(), 0);
    EXPECT_EQ(channels->GetItem(0)->GetCount(), 0);
}

// An object of another kind would be filed by no manager of its own kind
// and never freed with the plot.
TEST_F(PlotKindsTest, AClassThatMakesAnotherKindIsRefused)
{
    const int objects = master->ObjectManager()->GetCount();
    master->LegendManager()->SetObjectClass(PlotObjectClassOf<TkPlotChannel>());
    try {
        master->AddLegend();
        ADD_FAILURE() << "a channel was added as a legend";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "The class makes no Legend objects");
    }
    EXPECT_THROW(master->Add(TkPlotObjectKind::Table, PlotObjectClassOf<TkPlotLabel>()), Exception);
    EXPECT_EQ(master->ChannelManager()->GetCount(), 0);
    EXPECT_EQ(master->LabelManager()->GetCount(), 0);
    EXPECT_EQ(master->ObjectManager()->GetCount(), objects);
}

}  // namespace
