#include <gtest/gtest.h>

#include "PlotObjectSupport.h"
#include "plot/core/kPlotAxis.h"
#include "plot/core/kPlotDataView.h"
#include "plot/core/kPlotMasterManager.h"
#include "rtl/Exception.h"
#include "ui/Application.h"

namespace {

// A plot assembled from this library alone: the kinds of the library above
// are not bound in.
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
