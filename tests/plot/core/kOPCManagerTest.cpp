// The OPC manager's groups: subscribed with the library, found by name,
// their updates reported on the user-interface thread, and stored.
#include "plot/core/kOPCManager.h"

#include "OPCStandInSupport.h"
#include "rtl/MemoryStream.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"

namespace {

class kOPCManagerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OPCTestApp(); }
};

TEST_F(kOPCManagerTest, WithoutTheLibraryGroupsAreKeptWithoutAHandle)
{
    TOPCStandIn none("");
    TkOPCManager manager(nullptr);
    EXPECT_FALSE(manager.GetAccepted());
    EXPECT_EQ(manager.AddGroup("Fast", "Local", 100, "Srv"), 0);
    EXPECT_EQ(manager.Groups(0)->GetHandle(), 0);
    EXPECT_NO_THROW(manager.Groups(0)->SetUpdateRate(50));
    EXPECT_NO_THROW(manager.DeleteGroup(0));
    EXPECT_EQ(manager.GetWidth(), 28);
    EXPECT_FALSE(manager.GetVisible());
}

TEST_F(kOPCManagerTest, GroupsAreSubscribedFoundByNameAndReportTheirUpdatesOnTheUserInterfaceThread)
{
    TOPCStandIn standIn;
    auto manager = std::make_unique<TkOPCManager>(nullptr);
    EXPECT_TRUE(manager->GetAccepted());
    EXPECT_EQ(standIn.ManagerCount(), 1);
    manager->AddGroup("Fast", "Local", 100, "Srv");
    manager->AddGroup("Slow", "Local", 2000, "Srv");
    EXPECT_EQ(standIn.GroupCount(), 2);
    EXPECT_EQ(manager->IndexOfGroup("sLOW"), 1);
    EXPECT_EQ(manager->IndexOfGroup("Medium"), -1);
    const int32_t slow = manager->Groups(1)->GetHandle();
    manager->Groups(1)->SetUpdateRate(1500);
    EXPECT_EQ(standIn.GroupRate(slow), 1500);

    std::vector<std::string> updates;
    manager->OnBeforeGroupUpdate = [&](TObject* Sender, const std::string& Name) {
        EXPECT_EQ(Sender, manager.get());
        EXPECT_TRUE(IsMainThread());
        updates.push_back("before " + Name);
    };
    manager->OnAfterGroupUpdate = [&](TObject*, const std::string& Name) { updates.push_back("after " + Name); };
    standIn.FireGroup(slow, true);
    EXPECT_TRUE(updates.empty());
    ASSERT_TRUE(ServeHandOversUntil([&] { return updates.size() == 2; }));
    EXPECT_EQ(updates, (std::vector<std::string>{"before Slow", "after Slow"}));

    manager->DeleteGroup(0);
    EXPECT_EQ(standIn.GroupCount(), 1);
    EXPECT_EQ(manager->IndexOfGroup("Slow"), 0);
    // an update on its way when the manager goes is dropped
    standIn.FireGroup(slow, true);
    standIn.FailNext("GroupDelete", "Server gone");
    EXPECT_NO_THROW(manager.reset());
    EXPECT_EQ(standIn.ManagerCount(), 0);
    while (CheckSynchronize(0)) {
    }
    EXPECT_EQ(updates.size(), 2u);
}

TEST_F(kOPCManagerTest, StoredGroupsRoundTrip)
{
    TOPCStandIn standIn;
    TkOPCManager manager(nullptr);
    TMemoryStream empty;
    TWriter(empty).WriteRoot(&manager);
    EXPECT_EQ(empty.Bytes().find("Groups"), std::string::npos);

    manager.AddGroup("Fast", "Plant7", 100, "Srv.1");
    manager.AddGroup("Slow", "Local", 2000, "Srv.2");
    TMemoryStream stream;
    TWriter(stream).WriteRoot(&manager);

    TkOPCManager copy(nullptr);
    copy.AddGroup("Old", "Local", 1, "X");
    stream.SetPosition(0);
    TReader(stream).ReadRoot(&copy);
    ASSERT_EQ(copy.GroupCount(), 2);
    EXPECT_EQ(copy.Groups(0)->GetName(), "Fast");
    EXPECT_EQ(copy.Groups(0)->GetComputerName(), "Plant7");
    EXPECT_EQ(copy.Groups(0)->GetOPCServerName(), "Srv.1");
    EXPECT_EQ(copy.Groups(0)->GetUpdateRate(), 100);
    EXPECT_EQ(copy.Groups(1)->GetName(), "Slow");
    EXPECT_NE(copy.Groups(1)->GetHandle(), 0);
    EXPECT_EQ(standIn.GroupCount(), 4);  // two of each manager
}

}  // namespace
