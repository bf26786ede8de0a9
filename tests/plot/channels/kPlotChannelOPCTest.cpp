// The channels' OPC binding against the stand-in client library: where
// the X of each new point comes from, the item pair that shares a group,
// the settings kept in the form stream, and a plot left quiet without the
// library or while it is being designed.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../core/OPCStandInSupport.h"
#include "plot/channels/kPlot.h"
#include "plot/channels/kXYPlotChannel.h"
#include "plot/core/kOPCManager.h"
#include "plot/core/kPlotMasterManager.h"
#include "rtl/MemoryStream.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "ui/Application.h"

namespace {

class ChannelOPC : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }

    static TkXYPlotChannel* AddXYChannel(TkPlot& Plot)
    {
        TkPlotMasterManager& master = Plot.GetMasterManager();
        return Plot.XYChannel(master.Add(TkPlotObjectKind::Channel, PlotObjectClassOf<TkXYPlotChannel>()));
    }
    static std::string GroupNameOf(const TkPlotChannelCustom& Channel)
    {
        char name[32];
        std::snprintf(name, sizeof name, "%p", static_cast<const void*>(&Channel));
        return name;
    }
    // Writes Plot and reads it into a fresh plot whose channels are of Class.
    static std::unique_ptr<TkPlot> Copied(const TkPlot& Plot, const TkPlotObjectClass& Class)
    {
        TMemoryStream stream;
        TWriter(stream).WriteRoot(&Plot);
        auto copy = std::make_unique<TkPlot>(nullptr);
        copy->GetMasterManager().SetChannelClass(Class);
        stream.SetPosition(0);
        TReader(stream).ReadRoot(copy.get());
        return copy;
    }
    static void ServeGroup(const TOPCStandIn& StandIn, const TkPlotChannelOPC& OPC, int Points,
                           const TkPlotChannelCustom& Channel)
    {
        StandIn.FireGroup(OPC.Groups()->Groups(0)->GetHandle(), true);
        ASSERT_TRUE(ServeHandOversUntil([&] { return Channel.GetCount() == Points; }));
    }
};

TEST_F(ChannelOPC, EachXValueSourceGivesTheXOfThePointItem0Adds)
{
    TOPCStandIn standIn;
    TkPlot plot(nullptr);
    TkPlotChannel* channel = plot.Channel(0);
    channel->SetOPCServerName("Srv");
    channel->SetOPCItemName("Tank.Level");
    channel->SetOPCScalar(2);
    channel->SetOPCOffset(1);
    channel->OPCConnect();
    const int32_t handle = channel->GetOPC().Item(0)->GetHandle();
    ASSERT_NE(handle, 0);
    EXPECT_EQ(standIn.Describe(handle), "Local|Srv|Tank.Level||500|0|0");

    standIn.Fire(handle, OPCFloat(KOPC_VT_R8, 1.5), 0xC0, false, nullptr, 45000.25);
    ASSERT_EQ(channel->GetCount(), 1);
    EXPECT_DOUBLE_EQ(channel->GetDataX(0), 45000.25);
    EXPECT_DOUBLE_EQ(channel->GetDataY(0), 4);  // scaled by the item

    channel->SetOPCXValueSource(kopcxvsSystemTimeStamp);
    TDateTime before = Now();
    standIn.Fire(handle, OPCInteger(KOPC_VT_I4, 3));
    ASSERT_EQ(channel->GetCount(), 2);
    EXPECT_GE(channel->GetDataX(1), before);
    EXPECT_LE(channel->GetDataX(1), Now());
    EXPECT_DOUBLE_EQ(channel->GetDataY(1), 7);

    channel->SetOPCXValueSource(kopcxvsElapsedTime);
    before = Now();
    standIn.Fire(handle, OPCInteger(KOPC_VT_I4, 4));
    ASSERT_EQ(channel->GetCount(), 3);
    EXPECT_GE(channel->GetDataX(2), before - channel->GetStartTime());
    EXPECT_LE(channel->GetDataX(2), Now() - channel->GetStartTime());
    EXPECT_DOUBLE_EQ(channel->GetDataY(2), 9);

    channel->SetOPCXValueSource(kopcxvsElapsedSeconds);
    before = Now();
    standIn.Fire(handle, OPCInteger(KOPC_VT_I4, 5));
    ASSERT_EQ(channel->GetCount(), 4);
    EXPECT_GE(channel->GetDataX(3), (before - channel->GetStartTime()) * 86400);
    EXPECT_LE(channel->GetDataX(3), (Now() - channel->GetStartTime()) * 86400);
    EXPECT_DOUBLE_EQ(channel->GetDataY(3), 11);

    // item 0 alone adds nothing when item 1 gives X
    channel->SetOPCXValueSource(kopcxvsOPCItem);
    standIn.Fire(handle, OPCInteger(KOPC_VT_I4, 6));
    EXPECT_EQ(channel->GetCount(), 4);
}

TEST_F(ChannelOPC, AValueOfBadQualityAddsNoPoint)
{
    TOPCStandIn standIn;
    TkPlot plot(nullptr);
    TkPlotChannel* channel = plot.Channel(0);
    channel->SetOPCServerName("Srv");
    channel->SetOPCItemName("Tank.Level");
    channel->SetOPCScalar(10);
    channel->OPCConnect();
    // unscaled, it would be a point far off the trace
    standIn.Fire(channel->GetOPC().Item(0)->GetHandle(), OPCInteger(KOPC_VT_I4, 9), 0x40);
    EXPECT_EQ(channel->GetCount(), 0);
}

TEST_F(ChannelOPC, ItemPairOfATraceSharesAGroupAndEachGroupUpdateAddsOnePoint)
{
    TOPCStandIn standIn;
    TkPlot plot(nullptr);
    TkPlotChannel* channel = plot.Channel(0);
    channel->SetOPCXValueSource(kopcxvsOPCItem);
    channel->SetOPCServerName("Srv");
    channel->SetOPCUpdateRate(250);
    channel->SetOPCItemName("Tank.Level");
    channel->SetOPCItem2Name("Tank.Time");
    channel->SetOPCScalar2(10);
    channel->SetAllowOutOfOrderXValues(false);
    channel->OPCConnect();
    const TkPlotChannelOPC& opc = channel->GetOPC();
    const std::string group = GroupNameOf(*channel);
    ASSERT_EQ(opc.Groups()->GroupCount(), 1);
    EXPECT_EQ(opc.Groups()->Groups(0)->GetName(), group);
    EXPECT_EQ(standIn.GroupRate(opc.Groups()->Groups(0)->GetHandle()), 250);
    EXPECT_EQ(standIn.Describe(opc.Item(0)->GetHandle()), "Local|Srv|Tank.Level|" + group + "|250|0|0");
    EXPECT_EQ(standIn.Describe(opc.Item(1)->GetHandle()), "Local||Tank.Time|" + group + "|500|0|0");

    standIn.Fire(opc.Item(1)->GetHandle(), OPCInteger(KOPC_VT_I4, 2));
    standIn.Fire(opc.Item(0)->GetHandle(), OPCFloat(KOPC_VT_R8, 7.5));
    EXPECT_EQ(channel->GetCount(), 0);
    ServeGroup(standIn, opc, 1, *channel);
    EXPECT_DOUBLE_EQ(channel->GetDataX(0), 20);
    EXPECT_DOUBLE_EQ(channel->GetDataY(0), 7.5);

    // connecting again keeps the group
    channel->OPCConnect();
    EXPECT_EQ(opc.Groups()->GroupCount(), 1);
    EXPECT_EQ(standIn.SignalCount(), 2);
    standIn.Fire(opc.Item(1)->GetHandle(), OPCInteger(KOPC_VT_I4, 3));
    ServeGroup(standIn, opc, 2, *channel);
    EXPECT_DOUBLE_EQ(channel->GetDataX(1), 30);
    EXPECT_DOUBLE_EQ(channel->GetDataY(1), 7.5);
}

TEST_F(ChannelOPC, ATraceReadBackMakesAGroupOfItsOwnAgain)
{
    TOPCStandIn standIn;
    TkPlot plot(nullptr);
    TkPlotChannel* channel = plot.Channel(0);
    channel->SetOPCXValueSource(kopcxvsOPCItem);
    channel->SetOPCServerName("Srv");
    channel->SetOPCItemName("Tank.Level");
    channel->SetOPCItem2Name("Tank.Time");
    channel->OPCConnect();
    // the group the channel made is its own business, not a setting
    EXPECT_EQ(channel->GetOPCGroupName(), "");

    const auto copy = Copied(plot, PlotObjectClassOf<TkPlotChannel>());
    TkPlotChannel* read = copy->Channel(0);
    read->OPCConnect();
    const TkPlotChannelOPC& opc = read->GetOPC();
    ASSERT_EQ(opc.Groups()->GroupCount(), 1);
    EXPECT_EQ(opc.Item(0)->GetGroupName(), GroupNameOf(*read));
    standIn.Fire(opc.Item(1)->GetHandle(), OPCInteger(KOPC_VT_I4, 2));
    standIn.Fire(opc.Item(0)->GetHandle(), OPCInteger(KOPC_VT_I4, 5));
    ServeGroup(standIn, opc, 1, *read);
    EXPECT_DOUBLE_EQ(read->GetDataX(0), 2);
    EXPECT_DOUBLE_EQ(read->GetDataY(0), 5);
}

TEST_F(ChannelOPC, AnXYChannelConnectsBothItemsInOneNewGroupOfItsOwn)
{
    TOPCStandIn standIn;
    TkPlot plot(nullptr);
    TkXYPlotChannel* channel = AddXYChannel(plot);
    const TkPlotChannelOPC& opc = channel->GetOPC();
    // connected once it is in the plot (OPCAutoConnect), with nothing to subscribe yet
    EXPECT_EQ(opc.Groups()->GroupCount(), 1);
    EXPECT_EQ(standIn.SignalCount(), 0);
    channel->SetOPCComputerName("Plant7");
    channel->SetOPCServerName("Srv");
    channel->SetOPCUpdateRate(100);
    channel->SetOPCItemName("Flow");
    channel->SetOPCItem2Name("Pressure");
    channel->SetOPCOffset2(-1);
    channel->OPCConnect();
    channel->OPCConnect();  // the old group goes
    const std::string group = GroupNameOf(*channel);
    ASSERT_EQ(opc.Groups()->GroupCount(), 1);
    EXPECT_EQ(opc.Groups()->Groups(0)->GetName(), group);
    EXPECT_EQ(opc.Groups()->Groups(0)->GetComputerName(), "Plant7");
    EXPECT_EQ(opc.Groups()->Groups(0)->GetOPCServerName(), "Srv");
    EXPECT_EQ(standIn.GroupRate(opc.Groups()->Groups(0)->GetHandle()), 100);
    EXPECT_EQ(standIn.SignalCount(), 2);
    EXPECT_EQ(standIn.Describe(opc.Item(0)->GetHandle()), "Plant7|Srv|Flow|" + group + "|100|0|0");
    EXPECT_EQ(standIn.Describe(opc.Item(1)->GetHandle()), "Local||Pressure|" + group + "|500|0|0");

    // X runs back: the X-Y channel takes it
    for (const auto& [x, y] : {std::pair{5, 1.5}, std::pair{3, 2.5}}) {
        standIn.Fire(opc.Item(1)->GetHandle(), OPCInteger(KOPC_VT_I4, x));
        standIn.Fire(opc.Item(0)->GetHandle(), OPCFloat(KOPC_VT_R8, y));
    }
    ServeGroup(standIn, opc, 1, *channel);
    EXPECT_DOUBLE_EQ(channel->GetDataX(0), 2);
    EXPECT_DOUBLE_EQ(channel->GetDataY(0), 2.5);
}

TEST_F(ChannelOPC, WithoutTheLibraryOrWhileDesignedTheChannelsStayQuiet)
{
    for (const bool designed : {false, true}) {
        TOPCStandIn standIn(designed ? OPC_STANDIN : "");
        TkPlot plot(nullptr);
        plot.OnDesignMode = [&](TObject*, bool& Design) { Design = designed; };
        TkPlotChannel* trace = plot.Channel(0);
        TkXYPlotChannel* xy = AddXYChannel(plot);
        const auto address = [](auto* Channel) {
            Channel->SetOPCServerName("Srv");
            Channel->SetOPCItemName("Tank.Level");
            Channel->SetOPCItem2Name("Tank.Time");
        };
        address(trace);
        address(xy);
        trace->SetOPCXValueSource(kopcxvsOPCItem);
        EXPECT_NO_THROW(trace->OPCConnect());
        EXPECT_NO_THROW(xy->OPCConnect());
        for (const TkPlotChannelOPC* opc : {&trace->GetOPC(), &xy->GetOPC()}) {
            EXPECT_EQ(opc->Item(0)->GetHandle(), 0);
            EXPECT_EQ(opc->Item(1)->GetHandle(), 0);
            EXPECT_EQ(opc->Groups()->GroupCount(), 0);
        }
        EXPECT_EQ(trace->GetOPCGroupName(), "");
        EXPECT_FALSE(plot.GetErrorActive());
        if (designed) {
            EXPECT_EQ(standIn.SignalCount(), 0);
        }
    }
}

TEST_F(ChannelOPC, TheSettingsRoundTripThroughTheFormStreamInTheirPlaces)
{
    TOPCStandIn none("");
    TkPlot plot(nullptr);
    TkPlot xyPlot(nullptr);
    xyPlot.DeleteChannel(0);
    TkXYPlotChannel* xy = AddXYChannel(xyPlot);
    TkPlotChannel* trace = plot.Channel(0);
    const auto set = [](auto* Channel) {
        Channel->SetOPCComputerName("Plant7");
        Channel->SetOPCServerName("Srv");
        Channel->SetOPCItemName("Flow");
        Channel->SetOPCItem2Name("Pressure");
        Channel->SetOPCUpdateRate(250);
        Channel->SetOPCScalar(2.5);
        Channel->SetOPCOffset(-1);
        Channel->SetOPCScalar2(4);
        Channel->SetOPCOffset2(0.5);
        Channel->SetOPCAutoConnect(false);
    };
    set(trace);
    set(xy);
    trace->SetOPCGroupName("Fast");
    trace->SetOPCXValueSource(kopcxvsElapsedSeconds);

    const auto copy = Copied(plot, PlotObjectClassOf<TkPlotChannel>());
    const auto xyCopy = Copied(xyPlot, PlotObjectClassOf<TkXYPlotChannel>());
    const TkPlotChannel* traceCopy = copy->Channel(0);
    const TkXYPlotChannel* xyCopied = xyCopy->XYChannel(0);
    ASSERT_NE(traceCopy, nullptr);
    ASSERT_NE(xyCopied, nullptr);
    const auto check = [](const auto* Channel) {
        EXPECT_EQ(Channel->GetOPCComputerName(), "Plant7");
        EXPECT_EQ(Channel->GetOPCServerName(), "Srv");
        EXPECT_EQ(Channel->GetOPCItemName(), "Flow");
        EXPECT_EQ(Channel->GetOPCItem2Name(), "Pressure");
        EXPECT_EQ(Channel->GetOPCUpdateRate(), 250);
        EXPECT_EQ(Channel->GetOPCScalar(), 2.5);
        EXPECT_EQ(Channel->GetOPCOffset(), -1);
        EXPECT_EQ(Channel->GetOPCScalar2(), 4);
        EXPECT_EQ(Channel->GetOPCOffset2(), 0.5);
        EXPECT_FALSE(Channel->GetOPCAutoConnect());
    };
    check(traceCopy);
    check(xyCopied);
    EXPECT_EQ(traceCopy->GetOPCGroupName(), "Fast");
    EXPECT_EQ(traceCopy->GetOPCXValueSource(), kopcxvsElapsedSeconds);
    // the items' own settings, not copies of them
    EXPECT_EQ(traceCopy->GetOPC().Item(1)->GetItemName(), "Pressure");
    EXPECT_EQ(traceCopy->GetOPC().Item(0)->GetScalar(), 2.5);

    const auto names = [](const TObject* Object) {
        std::vector<std::string> list;
        bool after = false;
        for (const TPropInfo* info : TPropertyRegistry::Instance().GetPropList(Object)) {
            after = after || info->Name.starts_with("OPC") || info->Name == "BarBrushStyle";
            if (after)
                list.push_back(info->Name);
        }
        return list;
    };
    EXPECT_EQ(names(trace),
              (std::vector<std::string>{"BarBrushStyle", "OPCGroupName", "OPCComputerName", "OPCServerName",
                                        "OPCItemName", "OPCItem2Name", "OPCUpdateRate", "OPCScalar", "OPCOffset",
                                        "OPCScalar2", "OPCOffset2", "OPCAutoConnect", "OPCXValueSource"}));
    EXPECT_EQ(names(xy),
              (std::vector<std::string>{"OPCComputerName", "OPCServerName", "OPCItemName", "OPCUpdateRate", "OPCScalar",
                                        "OPCOffset", "OPCScalar2", "OPCOffset2", "OPCAutoConnect", "OPCItem2Name"}));
}

}  // namespace
