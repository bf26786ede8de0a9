// Items bound to a component's published properties: when they subscribe,
// what reaches the property (scaled, of good quality, on the user-interface
// thread), what is sent back, and how the items are stored.
#include "plot/core/kOPCItem.h"

#include <algorithm>
#include <thread>

#include "OPCStandInSupport.h"
#include "plot/core/kOPCItemManager.h"
#include "rtl/MemoryStream.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "ui/Application.h"
#include "ui/DialogRequest.h"

namespace {

class kOPCItemTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        OPCTestApp();
        RegisterOPCTestWin();
    }
    void TearDown() override { C.reset(); }

    // An item of C bound to Property at Srv / Item.
    TkOPCItem* Bind(const std::string& Property, const std::string& Item, double Scalar = 0, double Offset = 0)
    {
        TkOPCItem* item = C->GetOPCItems()->Items(C->GetOPCItems()->Add());
        item->SetPropertyName(Property);
        item->SetServerName("Srv");
        item->SetScalar(Scalar);
        item->SetOffset(Offset);
        item->SetItemName(Item);
        item->Connect();
        return item;
    }

    std::unique_ptr<TOPCTestWin> C = std::make_unique<TOPCTestWin>();
};

TEST_F(kOPCItemTest, WithoutTheLibraryEverythingStaysInertAndQuiet)
{
    TOPCStandIn none("");
    TkOPCItem* item = Bind("Level", "Tank.Level");
    item->SetAutoError(true);
    EXPECT_NO_THROW(item->SetAutoConnect(false));
    EXPECT_NO_THROW(item->SetAutoConnect(true));
    EXPECT_EQ(item->GetHandle(), 0);
    EXPECT_FALSE(item->Active());
    EXPECT_FALSE(item->GetUpdateSuspended());
    EXPECT_NO_THROW(item->SendData(TkVariant(std::int64_t(1))));
    C->SetLevel(5);
    EXPECT_FALSE(C->SendOPCValue("Level", TkVariant(std::int64_t(5))));
    EXPECT_FALSE(C->GetErrorActive());
}

TEST_F(kOPCItemTest, SubscribesOnlyWithAPropertyAGroupOrServerAndAnItem)
{
    TOPCStandIn standIn;
    TkOPCItem* item = C->GetOPCItems()->Items(C->GetOPCItems()->Add());
    item->SetPropertyName("Caption");
    item->SetServerName("Srv");
    item->Connect();  // no item name
    item->SetItemName("Tank.Name");
    item->SetServerName(" ");
    item->Connect();  // neither group nor server
    item->SetPropertyName("  ");
    item->SetGroupName("G1");
    item->Connect();  // no property
    EXPECT_EQ(standIn.SignalCount(), 0);

    item->SetPropertyName("Caption");
    item->Connect();
    ASSERT_NE(item->GetHandle(), 0);
    // a string property asks for its values as strings
    EXPECT_EQ(standIn.Describe(item->GetHandle()), "Local| |Tank.Name|G1|500|0|8");
    EXPECT_TRUE(item->Active());

    TkOPCItem* level = Bind("Level", "Tank.Level");
    EXPECT_EQ(standIn.Describe(level->GetHandle()), "Local|Srv|Tank.Level||500|0|0");

    C->OnDesignMode = [](TObject*, bool& Design) { Design = true; };
    TkOPCItem* designed = Bind("Ratio", "Tank.Ratio");
    EXPECT_EQ(designed->GetHandle(), 0);
    EXPECT_EQ(standIn.SignalCount(), 2);
}

TEST_F(kOPCItemTest, ReceivedValuesAreScaledByTheirType)
{
    TOPCStandIn standIn;
    TkOPCItem* level = Bind("Level", "Tank.Level", 2);
    TkOPCItem* ratio = Bind("Ratio", "Tank.Ratio", 2, 0.25);
    TkOPCItem* caption = Bind("Caption", "Tank.Name", 2, 1);

    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_I2, 3));
    EXPECT_EQ(C->Level, 6);
    standIn.Fire(ratio->GetHandle(), OPCFloat(KOPC_VT_R8, 1.5));
    EXPECT_DOUBLE_EQ(C->Ratio, 3.25);
    standIn.Fire(caption->GetHandle(), kopc_variant{KOPC_VT_BSTR, 0, 0, 0, nullptr}, 0xC0, false, "7");
    EXPECT_EQ(C->Caption, "7");  // strings are not scaled

    level->SetScalar(0.5);
    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_I4, 5));  // 2.5: the even neighbour
    EXPECT_EQ(C->Level, 2);
    level->SetScalar(0);
    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_UI1, 200));
    EXPECT_EQ(C->Level, 200);
}

TEST_F(kOPCItemTest, AScaledIntegerThatOutgrowsItsTypeWidens)
{
    TOPCStandIn standIn;
    TkOPCItem* level = Bind("Level", "Tank.Level", 3);
    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_I2, 30000));
    EXPECT_EQ(C->Level, 90000);
    EXPECT_EQ(std::get<std::int64_t>(level->GetValue().Value), 90000);

    level->SetScalar(-1);
    level->SetOffset(-10);
    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_UI1, 250));
    EXPECT_EQ(C->Level, -260);

    const TkOPCVariant huge = ScaleOPCValue({KOPC_VT_I8, TkVariant(std::int64_t(1) << 62)}, 4, 0);
    EXPECT_EQ(huge.VarType, KOPC_VT_R8);
    EXPECT_DOUBLE_EQ(std::get<double>(huge.Value), 18446744073709551616.0);
    const TkOPCVariant date = ScaleOPCValue({KOPC_VT_DATE, TkVariant(45000.0)}, 2, 1);
    EXPECT_DOUBLE_EQ(std::get<double>(date.Value), 45000.0);  // dates are left alone
}

TEST_F(kOPCItemTest, AValueOfBadQualityIsNotWrittenButStillAnnounced)
{
    TOPCStandIn standIn;
    TkOPCItem* level = Bind("Level", "Tank.Level", 10);
    level->SetAutoError(true);
    EXPECT_TRUE(C->GetErrorActive());  // no good value yet
    std::vector<std::string> events;
    C->OnBeforeNewOPCData = [&](int Index, TkVariant&) { events.push_back("before " + std::to_string(Index)); };
    C->OnNewOPCData = [&](int Index) { events.push_back("new " + std::to_string(Index)); };

    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_I4, 4));
    EXPECT_EQ(C->Level, 40);
    EXPECT_FALSE(C->GetErrorActive());
    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_I4, 9), 0x40);  // uncertain
    EXPECT_EQ(C->Level, 40);
    EXPECT_EQ(std::get<std::int64_t>(level->GetValue().Value), 9);  // kept unscaled
    EXPECT_EQ(level->GetQuality(), 0x40);
    EXPECT_TRUE(C->GetErrorActive());
    EXPECT_EQ(events, (std::vector<std::string>{"before 0", "new 0", "before 0", "new 0"}));
}

TEST_F(kOPCItemTest, ValuesFromTheLibrarysThreadAreWrittenOnTheUserInterfaceThread)
{
    TOPCStandIn standIn;
    TkOPCItem* level = Bind("Level", "Tank.Level");
    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_I4, 12), 0xC0, true);
    // the callback has returned; the value waits for this thread
    EXPECT_EQ(C->Level, 0);
    ASSERT_TRUE(ServeHandOversUntil([&] { return C->Level == 12; }));
    EXPECT_TRUE(C->LevelSetOnMainThread);
}

TEST_F(kOPCItemTest, AValueTheLibraryFailsToHandOverIsReportedToTheUserAndNotWritten)
{
    TOPCStandIn standIn;
    const int32_t handle = Bind("Level", "Tank.Level")->GetHandle();
    std::vector<std::string> errors;
    Application->OnException = [&](TObject*, Exception& E) { errors.push_back(E.Message); };
    standIn.FailNext("SignalGetData", "Tank.Level is not readable");
    standIn.Fire(handle, OPCInteger(KOPC_VT_I4, 5), 0xC0, true);
    EXPECT_TRUE(ServeHandOversUntil([&] { return !errors.empty(); }));
    standIn.FailNext("SignalGetQuality", "Quality unknown");
    standIn.Fire(handle, OPCInteger(KOPC_VT_I4, 6), 0xC0, false);
    Application->OnException = nullptr;
    EXPECT_EQ(errors, (std::vector<std::string>{"Tank.Level is not readable", "Quality unknown"}));
    EXPECT_TRUE(C->Levels.empty());
}

// A text bound to a number does not convert: the error is shown in a box,
// whose loop keeps serving the values that follow. They are counted and
// told once the box is closed, never shown in boxes inside it.
TEST_F(kOPCItemTest, BadValuesArrivingWhileAnErrorIsShownAreCountedAndToldAfterIt)
{
    TOPCStandIn standIn;
    const int32_t handle = Bind("Level", "Tank.Level")->GetHandle();
    int arrived = 0;
    C->OnBeforeNewOPCData = [&](int, TkVariant&) { ++arrived; };
    const auto fireText = [&](const std::string& Text) {
        standIn.Fire(handle, kopc_variant{KOPC_VT_BSTR, 0, 0, 0, nullptr}, 0xC0, true, Text.c_str());
    };
    std::vector<std::string> shown;
    int open = 0, deepest = 0;
    Application.Get();
    const TDialogResponder previous = SetDialogResponder([&](const TDialogRequest& Request) {
        shown.push_back(Request.Text);
        deepest = std::max(deepest, ++open);
        if (shown.size() == 1) {
            // the user is slow to answer: five more values come and are served
            for (int i = 1; i <= 5; ++i)
                fireText("w" + std::to_string(i));
            EXPECT_TRUE(ServeHandOversUntil([&] { return arrived == 6; }));
        }
        --open;
        TDialogAnswer answer;
        answer.Result = IDOK;
        return answer;
    });
    fireText("wide");
    const bool served = ServeHandOversUntil([&] { return arrived == 6 && open == 0; });
    fireText("narrow");  // after the boxes: shown on its own
    const bool servedLast = ServeHandOversUntil([&] { return arrived == 7; });
    SetDialogResponder(previous);

    ASSERT_TRUE(served && servedLast);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"'wide' is not a valid integer value",
                                        "5 more errors occurred while the previous message was shown; the last was:\n\n"
                                        "'w5' is not a valid integer value",
                                        "'narrow' is not a valid integer value"}));
    EXPECT_TRUE(C->Levels.empty());
}

TEST_F(kOPCItemTest, AnOldSubscriptionIsRemovedBeforeANewOneAndItsValuesAreDropped)
{
    TOPCStandIn standIn;
    TkOPCItem* level = Bind("Level", "Tank.Level");
    const int32_t first = level->GetHandle();
    level->Connect();
    EXPECT_EQ(standIn.SignalCount(), 1);
    EXPECT_NE(level->GetHandle(), first);

    // a value on its way from the library's thread when the item moves on
    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_I4, 5), 0xC0, true);
    level->SetItemName("Tank.Other");
    EXPECT_EQ(standIn.SignalCount(), 1);
    EXPECT_EQ(standIn.FindSignal("Tank.Level"), 0);
    ASSERT_NE(standIn.FindSignal("Tank.Other"), 0);
    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_I4, 6), 0xC0, true);
    ASSERT_TRUE(ServeHandOversUntil([&] { return C->Level == 6; }));
    while (CheckSynchronize(0)) {
    }
    EXPECT_EQ(C->Levels, std::vector<std::int64_t>{6});

    // an item that is not live keeps its subscription until it connects again
    standIn.SetActive(level->GetHandle(), false);
    level->SetItemName("Tank.Third");
    EXPECT_NE(standIn.FindSignal("Tank.Other"), 0);
    level->Connect();
    EXPECT_EQ(standIn.SignalCount(), 1);
    EXPECT_NE(standIn.FindSignal("Tank.Third"), 0);
}

TEST_F(kOPCItemTest, ValuesInFlightForAFreedComponentAreDropped)
{
    TOPCStandIn standIn;
    const int32_t handle = Bind("Level", "Tank.Level")->GetHandle();
    standIn.Fire(handle, OPCInteger(KOPC_VT_I4, 5), 0xC0, true);
    C.reset();
    EXPECT_EQ(standIn.SignalCount(), 0);
    while (CheckSynchronize(0)) {
    }
}

TEST_F(kOPCItemTest, DestructorsDoNotRaiseWhenTheLibraryRefusesToUnsubscribe)
{
    TOPCStandIn standIn;
    Bind("Level", "Tank.Level");
    standIn.FailNext("SignalRemove", "Server gone");
    EXPECT_NO_THROW(C.reset());
    // elsewhere the refusal is raised
    C = std::make_unique<TOPCTestWin>();
    TkOPCItem* item = Bind("Level", "Tank.Level");
    standIn.FailNext("SignalRemove", "Server gone");
    EXPECT_THROW(item->Disconnect(), Exception);
    EXPECT_EQ(item->GetHandle(), 0);
}

TEST_F(kOPCItemTest, ProgramChangesAreSentToLiveItemsButValuesFromOPCAreNotSentBack)
{
    TOPCStandIn standIn;
    TkOPCItem* level = Bind("Level", "Tank.Level");
    C->SetLevel(70000);
    kopc_variant sent{};
    std::string text;
    EXPECT_EQ(standIn.Sent(level->GetHandle(), sent, text), 1);
    EXPECT_EQ(sent.vt, KOPC_VT_I4);
    EXPECT_EQ(sent.i, 70000);

    standIn.Fire(level->GetHandle(), OPCInteger(KOPC_VT_I4, 3));
    EXPECT_EQ(C->Level, 3);
    EXPECT_EQ(standIn.Sent(level->GetHandle(), sent, text), 1);
    C->SetLevel(4);
    EXPECT_EQ(standIn.Sent(level->GetHandle(), sent, text), 2);

    standIn.SetActive(level->GetHandle(), false);
    C->SetLevel(5);
    EXPECT_EQ(standIn.Sent(level->GetHandle(), sent, text), 2);
}

TEST_F(kOPCItemTest, StoredItemsRoundTripAndConnectWhenRead)
{
    TOPCStandIn standIn;
    TMemoryStream empty;
    TWriter(empty).WriteRoot(C.get());
    EXPECT_EQ(empty.Bytes().find("OPCItems"), std::string::npos);

    TkOPCItem* level = Bind("Level", "Tank.Level", 2.5, -1);
    level->SetGroupName("G1");
    level->SetComputerName("Plant7");
    level->SetUpdateRate(250);
    level->SetAutoError(true);
    TkOPCItem* caption = Bind("Caption", "Tank.Name");
    caption->SetAutoConnect(false);
    TMemoryStream stream;
    TWriter(stream).WriteRoot(C.get());

    standIn.Reset();
    TOPCTestWin copy;
    copy.GetOPCItems()->Add();  // replaced by what is read
    stream.SetPosition(0);
    TReader(stream).ReadRoot(&copy);
    TkOPCItemManager* items = copy.GetOPCItems();
    ASSERT_EQ(items->Count(), 2);
    const TkOPCItem* a = items->Items(0);
    EXPECT_EQ(a->GetPropertyName(), "Level");
    EXPECT_EQ(a->GetPropertyKind(), TTypeKind::tkInteger);
    EXPECT_EQ(a->GetGroupName(), "G1");
    EXPECT_EQ(a->GetComputerName(), "Plant7");
    EXPECT_EQ(a->GetServerName(), "Srv");
    EXPECT_EQ(a->GetItemName(), "Tank.Level");
    EXPECT_EQ(a->GetScalar(), 2.5);
    EXPECT_EQ(a->GetOffset(), -1);
    EXPECT_EQ(a->GetUpdateRate(), 250);
    EXPECT_TRUE(a->GetAutoError());
    EXPECT_TRUE(a->GetAutoConnect());
    EXPECT_FALSE(items->Items(1)->GetAutoConnect());
    EXPECT_EQ(items->Items(1)->GetPropertyName(), "Caption");
    // the first connected once, with all its settings in; the second waits
    EXPECT_EQ(standIn.SignalCount(), 1);
    EXPECT_EQ(a->GetHandle(), 1);
    EXPECT_EQ(standIn.Describe(a->GetHandle()), "Plant7|Srv|Tank.Level|G1|250|0|0");
    EXPECT_TRUE(copy.GetErrorActive());
}

}  // namespace
