// The list of kinds: every kind's file registers its own, in whatever
// order the program starts them, and a plot has a manager for each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlotObjectSupport.h"
#include "plot/core/kPlotMasterManager.h"
#include "rtl/Exception.h"
#include "ui/Application.h"

namespace {

constinit const TkPlotKind Late{.Name = "Late", .DefaultName = "Late", .Order = 1500};
constinit const TkPlotKind Early{.Name = "Early", .DefaultName = "Early", .Order = 50};
// Late first, and Early twice.
const bool Registered = RegisterPlotKind(Late) && RegisterPlotKind(Early) && RegisterPlotKind(Early);

std::vector<std::string> KindNames(const TkPlotMasterManager& Master)
{
    std::vector<std::string> names;
    for (const TkPlotKindManager* m : Master.KindManagers())
        names.push_back(m->Kind().Name);
    return names;
}

TEST(PlotKinds, APlotHasOneManagerPerRegisteredKindInTheKindsOrder)
{
    Application->Initialize();
    FakePlot plot;
    TkPlotMasterManager master(&plot);
    // This library's own kinds, and those registered here.
    EXPECT_EQ(KindNames(master), (std::vector<std::string>{"Early", "XAxis", "YAxis", "DataView", "Late"}));
    EXPECT_EQ(master.KindManager(Early), master.KindManager("Early"));
    EXPECT_EQ(master.KindManager(TkPlotObjectKind::Other), nullptr);
}

TEST(PlotKinds, AKindThePlotLacksIsRefusedByName)
{
    Application->Initialize();
    FakePlot plot;
    TkPlotMasterManager master(&plot);
    const int objects = master.ObjectManager()->GetCount();
    try {
        master.AddLegend();
        ADD_FAILURE() << "a legend was made";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "The plot knows no kind named Legend");
    }
    EXPECT_THROW(master.ChannelManager(), Exception);
    EXPECT_EQ(master.ObjectManager()->GetCount(), objects);
}

}  // namespace
