#pragma once
// The outside OPC client library: loaded once, when first needed, from
// beside the executable, and kept to the end of the process; its entry
// points are called through wrappers that turn its failures into
// exceptions. Without it every OPC feature of the charting components stays
// inert: callers ask Missing first and stay quiet.
#include <cstdint>
#include <string>

#include "plot/core/kOPCEntryPoints.h"
#include "plot/core/kOPCVariant.h"

// The file looked for beside the executable.
extern const char* const OPCLibraryFileName;

class TkOPCDLL {
public:
    // The process's library, loaded on first use.
    static TkOPCDLL& Instance();

    // Replaces the library by the one at Path (an empty path: none). Only
    // while no item or group of the old one is subscribed.
    void Load(const std::string& Path);
    bool Missing() const { return FModule == nullptr; }

    // Each wrapper raises "Ombrix OPC DLL Not Found." without the library,
    // a "Function ... not found in ..." message without its entry point, and
    // the library's own text when it reports a failure of the call.
    std::int32_t SignalAdd(const std::string& ComputerName, const std::string& ServerName, const std::string& ItemName,
                           const std::string& GroupName, int UpdateRate, bool Flag, std::uint16_t RequestedType,
                           const kopc_signal_callback& Callback) const;
    void SignalRemove(std::int32_t Handle) const;
    bool SignalGetActive(std::int32_t Handle) const;
    bool SignalGetUpdateSuspended(std::int32_t Handle) const;
    void SignalSendData(std::int32_t Handle, const TkVariant& Value) const;
    TkOPCVariant SignalGetData(std::int32_t Handle) const;
    double SignalGetTimeStamp(std::int32_t Handle) const;
    std::uint16_t SignalGetQuality(std::int32_t Handle) const;
    std::int32_t GroupAdd(const std::string& Name, const std::string& ComputerName, const std::string& OPCServerName,
                          int UpdateRate, const kopc_group_callback& Callback) const;
    void GroupDelete(std::int32_t Handle) const;
    void GroupSetUpdateRate(std::int32_t Handle, int UpdateRate) const;
    // Quiet without the library or the entry point: 0, nothing.
    std::int32_t ManagerCreated() const;
    void ManagerDestroyed() const;

    TkOPCDLL(const TkOPCDLL&) = delete;
    TkOPCDLL& operator=(const TkOPCDLL&) = delete;

private:
    TkOPCDLL();
    void Unload();
    template <class Fn, class... Args> void Call(Fn Entry, const char* Name, Args... Arguments) const;
    void RaiseLastCallError() const;

    void* FModule = nullptr;
    struct TEntries {
        kopc_SignalAdd_fn SignalAdd;
        kopc_SignalRemove_fn SignalRemove;
        kopc_SignalGetActive_fn SignalGetActive;
        kopc_SignalGetUpdateSuspended_fn SignalGetUpdateSuspended;
        kopc_SignalSendData_fn SignalSendData;
        kopc_SignalGetData_fn SignalGetData;
        kopc_SignalGetTimeStamp_fn SignalGetTimeStamp;
        kopc_SignalGetQuality_fn SignalGetQuality;
        kopc_GroupAdd_fn GroupAdd;
        kopc_GroupDelete_fn GroupDelete;
        kopc_GroupSetUpdateRate_fn GroupSetUpdateRate;
        kopc_ManagerCreated_fn ManagerCreated;
        kopc_ManagerDestroyed_fn ManagerDestroyed;
        kopc_GetLastCallErrorString_fn GetLastCallErrorString;
    } FEntries{};
};

// True while no client library is loaded.
inline bool OPCLibraryMissing()
{
    return TkOPCDLL::Instance().Missing();
}
