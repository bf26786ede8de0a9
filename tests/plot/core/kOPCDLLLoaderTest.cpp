// The client library's wrappers: what they raise without the library,
// without an entry point, and when the library reports a failure.
#include "plot/core/kOPCDLLLoader.h"

#include "OPCStandInSupport.h"

namespace {

template <class F> std::string MessageOf(F&& Call)
{
    try {
        Call();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "no exception";
}

kopc_signal_callback NoCallback()
{
    return {nullptr, [](void*, int32_t) {}};
}

TEST(kOPCDLLLoader, WithoutTheLibraryWrappersRaiseNotFoundAndTheManagerCallsAreQuiet)
{
    TOPCStandIn none("");
    const TkOPCDLL& library = TkOPCDLL::Instance();
    EXPECT_TRUE(OPCLibraryMissing());
    EXPECT_EQ(MessageOf([&] { library.SignalAdd("Local", "S", "I", "", 500, false, 0, NoCallback()); }),
              "Ombrix OPC DLL Not Found.");
    EXPECT_EQ(MessageOf([&] { library.SignalRemove(1); }), "Ombrix OPC DLL Not Found.");
    EXPECT_EQ(MessageOf([&] { library.GroupSetUpdateRate(1, 100); }), "Ombrix OPC DLL Not Found.");
    EXPECT_EQ(library.ManagerCreated(), 0);
    EXPECT_NO_THROW(library.ManagerDestroyed());
}

TEST(kOPCDLLLoader, AMissingEntryPointIsNamedWhenItIsCalled)
{
    TOPCStandIn partial(OPC_STANDIN_PARTIAL);
    const TkOPCDLL& library = TkOPCDLL::Instance();
    EXPECT_FALSE(OPCLibraryMissing());
    const int32_t handle = library.SignalAdd("Local", "S", "I", "", 500, false, 0, NoCallback());
    EXPECT_NE(handle, 0);
    EXPECT_EQ(MessageOf([&] { library.SignalSendData(handle, TkVariant(1.5)); }),
              "Function \"SignalSendData\" not found in \"kOPC2.so\".");
    EXPECT_NO_THROW(library.SignalRemove(handle));
}

TEST(kOPCDLLLoader, TheLibrarysOwnErrorTextIsRaisedAndTextsCrossAsUtf16)
{
    TOPCStandIn standIn;
    const TkOPCDLL& library = TkOPCDLL::Instance();
    standIn.FailNext("SignalAdd", "Server Ombrix.Sim is not running");
    EXPECT_EQ(MessageOf([&] { library.SignalAdd("Local", "Ombrix.Sim", "I", "", 500, false, 0, NoCallback()); }),
              "Server Ombrix.Sim is not running");
    EXPECT_EQ(MessageOf([&] { library.SignalRemove(77); }), "Invalid handle 77");

    const int32_t handle = library.SignalAdd("Local", "Srv", "Tank.Level", "G1", 250, false, 8, NoCallback());
    EXPECT_EQ(standIn.Describe(handle), "Local|Srv|Tank.Level|G1|250|0|8");
    standIn.Fire(handle, kopc_variant{KOPC_VT_BSTR, 0, 0, 0, nullptr}, 0xC0, false, "full", 45000.5);
    const TkOPCVariant value = library.SignalGetData(handle);
    EXPECT_EQ(value.VarType, KOPC_VT_BSTR);
    EXPECT_EQ(std::get<std::string>(value.Value), "full");
    EXPECT_EQ(library.SignalGetTimeStamp(handle), 45000.5);
    EXPECT_EQ(library.SignalGetQuality(handle), 0xC0);
}

}  // namespace
