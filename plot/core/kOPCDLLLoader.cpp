#include "plot/core/kOPCDLLLoader.h"

#include <dlfcn.h>

#include <cstdlib>

#include "plot/core/kOPCOutgoingValue.h"
#include "plot/core/kOPCWideString.h"
#include "rtl/Exception.h"
#include "rtl/FileUtils.h"

const char* const OPCLibraryFileName = "kOPC2.so";

TkOPCDLL& TkOPCDLL::Instance()
{
    // Never destroyed: components freed late in the process's exit still
    // unsubscribe through it, and the library's threads may still be
    // calling back.
    static TkOPCDLL* const library = new TkOPCDLL;
    return *library;
}

TkOPCDLL::TkOPCDLL()
{
    Load(ExeDir() + OPCLibraryFileName);
}

void TkOPCDLL::Unload()
{
    if (FModule)
        dlclose(FModule);
    FModule = nullptr;
    FEntries = {};
}

template <class Fn> static void Find(void* Module, Fn& Entry, const char* Name)
{
    Entry = reinterpret_cast<Fn>(dlsym(Module, Name));
}

void TkOPCDLL::Load(const std::string& Path)
{
    Unload();
    if (Path.empty())
        return;
    FModule = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!FModule)
        return;
    Find(FModule, FEntries.SignalAdd, "SignalAdd");
    Find(FModule, FEntries.SignalRemove, "SignalRemove");
    Find(FModule, FEntries.SignalGetActive, "SignalGetActive");
    Find(FModule, FEntries.SignalGetUpdateSuspended, "SignalGetUpdateSuspended");
    Find(FModule, FEntries.SignalSendData, "SignalSendData");
    Find(FModule, FEntries.SignalGetData, "SignalGetData");
    Find(FModule, FEntries.SignalGetTimeStamp, "SignalGetTimeStamp");
    Find(FModule, FEntries.SignalGetQuality, "SignalGetQuality");
    Find(FModule, FEntries.GroupAdd, "GroupAdd");
    Find(FModule, FEntries.GroupDelete, "GroupDelete");
    Find(FModule, FEntries.GroupSetUpdateRate, "GroupSetUpdateRate");
    Find(FModule, FEntries.ManagerCreated, "ManagerCreated");
    Find(FModule, FEntries.ManagerDestroyed, "ManagerDestroyed");
    Find(FModule, FEntries.GetLastCallErrorString, "GetLastCallErrorString");
}

template <class Fn, class... Args> void TkOPCDLL::Call(Fn Entry, const char* Name, Args... Arguments) const
{
    if (!FModule)
        throw Exception("Ombrix OPC DLL Not Found.");
    if (!Entry)
        throw Exception(std::string("Function \"") + Name + "\" not found in \"" + OPCLibraryFileName + "\".");
    Entry(Arguments...);
    RaiseLastCallError();
}

void TkOPCDLL::RaiseLastCallError() const
{
    if (!FEntries.GetLastCallErrorString)
        return;
    char16_t* message = nullptr;
    FEntries.GetLastCallErrorString(&message);
    const std::string text = OPCNarrowString(message);
    std::free(message);
    if (!text.empty())
        throw Exception(text);
}

std::int32_t TkOPCDLL::SignalAdd(const std::string& ComputerName, const std::string& ServerName,
                                 const std::string& ItemName, const std::string& GroupName, int UpdateRate, bool Flag,
                                 std::uint16_t RequestedType, const kopc_signal_callback& Callback) const
{
    std::int32_t handle = 0;
    const std::u16string computer = OPCWideString(ComputerName), server = OPCWideString(ServerName),
                         item = OPCWideString(ItemName), group = OPCWideString(GroupName);
    Call(FEntries.SignalAdd, "SignalAdd", &handle, computer.c_str(), server.c_str(), item.c_str(), group.c_str(),
         std::int32_t(UpdateRate), std::int32_t(Flag), RequestedType, &Callback);
    return handle;
}

void TkOPCDLL::SignalRemove(std::int32_t Handle) const
{
    Call(FEntries.SignalRemove, "SignalRemove", Handle);
}

bool TkOPCDLL::SignalGetActive(std::int32_t Handle) const
{
    std::int32_t active = 0;
    Call(FEntries.SignalGetActive, "SignalGetActive", Handle, &active);
    return active != 0;
}

bool TkOPCDLL::SignalGetUpdateSuspended(std::int32_t Handle) const
{
    std::int32_t suspended = 0;
    Call(FEntries.SignalGetUpdateSuspended, "SignalGetUpdateSuspended", Handle, &suspended);
    return suspended != 0;
}

void TkOPCDLL::SignalSendData(std::int32_t Handle, const TkVariant& Value) const
{
    const TkOPCOutgoingValue value(Value);
    Call(FEntries.SignalSendData, "SignalSendData", Handle, value.Get());
}

TkOPCVariant TkOPCDLL::SignalGetData(std::int32_t Handle) const
{
    kopc_variant value{};
    try {
        Call(FEntries.SignalGetData, "SignalGetData", Handle, &value);
    } catch (...) {
        std::free(value.s);
        throw;
    }
    return OPCVariantFromLibrary(value);
}

double TkOPCDLL::SignalGetTimeStamp(std::int32_t Handle) const
{
    double stamp = 0;
    Call(FEntries.SignalGetTimeStamp, "SignalGetTimeStamp", Handle, &stamp);
    return stamp;
}

std::uint16_t TkOPCDLL::SignalGetQuality(std::int32_t Handle) const
{
    std::uint16_t quality = 0;
    Call(FEntries.SignalGetQuality, "SignalGetQuality", Handle, &quality);
    return quality;
}

std::int32_t TkOPCDLL::GroupAdd(const std::string& Name, const std::string& ComputerName,
                                const std::string& OPCServerName, int UpdateRate,
                                const kopc_group_callback& Callback) const
{
    std::int32_t handle = 0;
    const std::u16string name = OPCWideString(Name), computer = OPCWideString(ComputerName),
                         server = OPCWideString(OPCServerName);
    Call(FEntries.GroupAdd, "GroupAdd", &handle, name.c_str(), computer.c_str(), server.c_str(),
         std::int32_t(UpdateRate), &Callback);
    return handle;
}

void TkOPCDLL::GroupDelete(std::int32_t Handle) const
{
    Call(FEntries.GroupDelete, "GroupDelete", Handle);
}

void TkOPCDLL::GroupSetUpdateRate(std::int32_t Handle, int UpdateRate) const
{
    Call(FEntries.GroupSetUpdateRate, "GroupSetUpdateRate", Handle, std::int32_t(UpdateRate));
}

std::int32_t TkOPCDLL::ManagerCreated() const
{
    return FModule && FEntries.ManagerCreated ? FEntries.ManagerCreated() : 0;
}

void TkOPCDLL::ManagerDestroyed() const
{
    if (FModule && FEntries.ManagerDestroyed)
        FEntries.ManagerDestroyed();
}
