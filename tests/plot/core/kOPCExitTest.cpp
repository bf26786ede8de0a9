// A subscription still live when the process exits: the library's thread
// goes on calling back while the exit handlers run, and the process must
// end cleanly all the same.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "OPCStandInSupport.h"
#include "plot/core/kOPCItemManager.h"

namespace {

std::atomic<const TOPCStandIn*> ExitingStandIn{nullptr};

// Among the very last exit handlers, after the program's own static objects
// are gone: waits until the library has called back twice more, so that at
// least one call comes in after them.
void LetTheLibraryCallBack()
{
    const TOPCStandIn* standIn = ExitingStandIn.load();
    if (!standIn)
        return;
    const std::int64_t from = standIn->Streamed();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (standIn->Streamed() < from + 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
}

// Made before any other static object of the program, so that its exit
// handler runs after all of them are destroyed.
struct TLateExitHandler {
    TLateExitHandler() { std::atexit(LetTheLibraryCallBack); }
};
TLateExitHandler LateExitHandler __attribute__((init_priority(101)));

[[noreturn]] void ExitWhileTheLibraryCallsBack()
{
    OPCTestApp();
    RegisterOPCTestWin();
    // Neither is freed, and the library stays loaded: the subscription is
    // live when the process exits.
    static const TOPCStandIn* const standIn = new TOPCStandIn;
    static TOPCTestWin* const component = new TOPCTestWin;
    TkOPCItem* item = component->GetOPCItems()->Items(component->GetOPCItems()->Add());
    item->SetPropertyName("Level");
    item->SetServerName("Srv");
    item->SetItemName("Tank.Level");
    item->Connect();
    standIn->Stream(item->GetHandle(), OPCInteger(KOPC_VT_I4, 42));
    if (!ServeHandOversUntil([] { return component->Level == 42; }))
        std::_Exit(3);
    ExitingStandIn = standIn;
    std::exit(0);
}

TEST(kOPCExitTest, TheProcessEndsCleanlyWhileTheLibrarysThreadStillCallsBack)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ExitWhileTheLibraryCallsBack(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
