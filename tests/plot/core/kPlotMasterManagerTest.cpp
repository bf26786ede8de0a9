#include <gtest/gtest.h>

#include "PlotObjectSupport.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotMasterManager.h"
#include "plot/core/kPlotXAxis.h"
#include "rtl/Exception.h"
#include "ui/Application.h"

namespace {

// The kinds of the library above, as a plot assembled from this library
// alone might declare them: without their classes.
constinit const TkPlotKind ClasslessKinds[] = {
    {.Name = "ToolBar", .DefaultName = "Toolbar", .Order = 100},
    {.Name = "Legend", .DefaultName = "Legend", .Order = 200},
    {.Name = "Table", .DefaultName = "Table", .Order = 300},
    {.Name = "Channel", .DefaultName = "Channel", .Order = 600},
    {.Name = "DataCursor", .DefaultName = "Cursor", .Order = 800},
    {.Name = "Limit", .DefaultName = "Limit", .Order = 900},
    {.Name = "Label", .DefaultName = "Label", .Order = 1000},
    {.Name = "Annotation", .DefaultName = "Annotation", .Order = 1100},
};
const bool Registered = [] {
    for (const TkPlotKind& kind : ClasslessKinds)
        RegisterPlotKind(kind);
    return true;
}();

class UnboundKindsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        master = std::make_unique<TkPlotMasterManager>(&plot);
    }

    FakePlot plot;
    std::unique_ptr<TkPlotMasterManager> master;
};

TEST_F(UnboundKindsTest, AxesAndDataViewsAreMadeHere)
{
    const int placeholders = master->ObjectManager()->GetCount();
    EXPECT_EQ(master->AddXAxis(), 0);
    EXPECT_EQ(master->AddYAxis(), 0);
    EXPECT_EQ(master->AddDataView(), 0);
    EXPECT_EQ(master->XAxisManager()->GetItem(0)->GetTitle(), "X-Axis 1");
    EXPECT_EQ(master->DataViewManager()->GetItem(0)->GetGridYAxisName(), "Y-Axis 1");
    EXPECT_EQ(master->ObjectManager()->GetCount(), placeholders + 3);
}

TEST_F(UnboundKindsTest, AKindWithoutItsClassIsRefusedAndNothingIsAdded)
{
    const std::pair<int (TkPlotMasterManager::*)(), const char*> kinds[] = {
        {&TkPlotMasterManager::AddToolBar, "Toolbar"},   {&TkPlotMasterManager::AddLegend, "Legend"},
        {&TkPlotMasterManager::AddTable, "Table"},       {&TkPlotMasterManager::AddChannel, "Channel"},
        {&TkPlotMasterManager::AddDataCursor, "Cursor"}, {&TkPlotMasterManager::AddLimit, "Limit"},
        {&TkPlotMasterManager::AddLabel, "Label"},       {&TkPlotMasterManager::AddAnnotation, "Annotation"},
    };
    const int placeholders = master->ObjectManager()->GetCount();
    for (const auto& [add, stem] : kinds) {
        try {
            ((*master).*add)();
            ADD_FAILURE() << stem << " was made";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, std::string("No class is registered for ") + stem + " objects");
        }
    }
    EXPECT_EQ(master->ObjectManager()->GetCount(), placeholders);
}

}  // namespace
