// A stand-in for the OPC client library: subscriptions and groups kept in
// memory, values set by tests, callbacks fired on demand on the calling
// thread or on a thread of the library's own.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "plot/core/kOPCEntryPoints.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct TSignal {
    std::string Description;
    kopc_signal_callback Callback{};
    kopc_variant Value{};
    std::u16string Text;
    double TimeStamp = 0;
    uint16_t Quality = 0;
    int32_t Active = 1;
    int32_t Suspended = 0;
    int Sends = 0;
    kopc_variant Sent{};
    std::u16string SentText;
};

struct TGroup {
    kopc_group_callback Callback{};
    int32_t Rate = 0;
};

// Never destroyed, like the state of a library whose threads go on calling
// while the process exits.
std::mutex& Lock = *new std::mutex;
std::map<int32_t, TSignal>& Signals = *new std::map<int32_t, TSignal>;
std::map<int32_t, TGroup>& Groups = *new std::map<int32_t, TGroup>;
// entry name -> message of its next call
std::map<std::string, std::string>& Failures = *new std::map<std::string, std::string>;
int32_t NextHandle = 1;
int32_t Managers = 0;
// Callbacks made by the streaming threads.
std::atomic<int64_t> Streamed{0};
// Each thread's last error, kept without thread-local storage: the leak
// checker, scanning at exit, misreads the thread-local block of a library
// loaded at run time.
std::u16string& LastError()
{
    static std::mutex& Lock = *new std::mutex;
    static auto& Errors = *new std::map<std::thread::id, std::u16string>;
    const std::lock_guard<std::mutex> Guard(Lock);
    return Errors[std::this_thread::get_id()];
}

std::string Narrow(const char16_t* Text)
{
    std::string out;
    for (; Text && *Text; ++Text)
        out += *Text < 0x80 ? static_cast<char>(*Text) : '?';
    return out;
}

std::u16string Wide(const std::string& Text)
{
    return std::u16string(Text.begin(), Text.end());
}

// Starts a call: clears the thread's error, or sets the failure a test
// asked for. Returns false when the call is to fail.
bool Begin(const char* Entry)
{
    LastError().clear();
    const auto failure = Failures.find(Entry);
    if (failure == Failures.end())
        return true;
    LastError() = Wide(failure->second);
    Failures.erase(failure);
    return false;
}

TSignal* FindSignal(int32_t Handle)
{
    const auto found = Signals.find(Handle);
    if (found != Signals.end())
        return &found->second;
    LastError() = u"Invalid handle " + Wide(std::to_string(Handle));
    return nullptr;
}

template <class F> void OnLibraryThread(bool Separate, F Call)
{
    if (Separate)
        std::thread(Call).join();
    else
        Call();
}

}  // namespace

EXPORT void SignalAdd(int32_t* handle, const char16_t* computer_name, const char16_t* server_name,
                      const char16_t* item_name, const char16_t* group_name, int32_t update_rate, int32_t flag,
                      uint16_t requested_type, const kopc_signal_callback* callback)
{
    std::lock_guard<std::mutex> lock(Lock);
    *handle = 0;
    if (!Begin("SignalAdd"))
        return;
    TSignal& signal = Signals[NextHandle];
    signal.Description = Narrow(computer_name) + "|" + Narrow(server_name) + "|" + Narrow(item_name) + "|" +
                         Narrow(group_name) + "|" + std::to_string(update_rate) + "|" + std::to_string(flag) + "|" +
                         std::to_string(requested_type);
    signal.Callback = *callback;
    *handle = NextHandle++;
}

EXPORT void SignalRemove(int32_t handle)
{
    std::lock_guard<std::mutex> lock(Lock);
    if (Begin("SignalRemove") && FindSignal(handle))
        Signals.erase(handle);
}

EXPORT void SignalGetActive(int32_t handle, int32_t* active)
{
    std::lock_guard<std::mutex> lock(Lock);
    *active = 0;
    if (!Begin("SignalGetActive"))
        return;
    if (TSignal* signal = FindSignal(handle))
        *active = signal->Active;
}

EXPORT void SignalGetUpdateSuspended(int32_t handle, int32_t* suspended)
{
    std::lock_guard<std::mutex> lock(Lock);
    *suspended = 0;
    if (!Begin("SignalGetUpdateSuspended"))
        return;
    if (TSignal* signal = FindSignal(handle))
        *suspended = signal->Suspended;
}

#ifndef KOPC_STANDIN_WITHOUT_SEND
EXPORT void SignalSendData(int32_t handle, const kopc_variant* value)
{
    std::lock_guard<std::mutex> lock(Lock);
    if (!Begin("SignalSendData"))
        return;
    if (TSignal* signal = FindSignal(handle)) {
        ++signal->Sends;
        signal->Sent = *value;
        signal->SentText = value->vt == KOPC_VT_BSTR ? value->s : u"";
        signal->Sent.s = nullptr;
    }
}
#endif

EXPORT void SignalGetData(int32_t handle, kopc_variant* value)
{
    std::lock_guard<std::mutex> lock(Lock);
    *value = kopc_variant{};
    if (!Begin("SignalGetData"))
        return;
    if (TSignal* signal = FindSignal(handle)) {
        *value = signal->Value;
        if (value->vt == KOPC_VT_BSTR) {
            const std::size_t bytes = (signal->Text.size() + 1) * sizeof(char16_t);
            value->s = static_cast<char16_t*>(std::malloc(bytes));
            std::memcpy(value->s, signal->Text.c_str(), bytes);
        }
    }
}

EXPORT void SignalGetTimeStamp(int32_t handle, double* time_stamp)
{
    std::lock_guard<std::mutex> lock(Lock);
    *time_stamp = 0;
    if (!Begin("SignalGetTimeStamp"))
        return;
    if (TSignal* signal = FindSignal(handle))
        *time_stamp = signal->TimeStamp;
}

EXPORT void SignalGetQuality(int32_t handle, uint16_t* quality)
{
    std::lock_guard<std::mutex> lock(Lock);
    *quality = 0;
    if (!Begin("SignalGetQuality"))
        return;
    if (TSignal* signal = FindSignal(handle))
        *quality = signal->Quality;
}

EXPORT void GroupAdd(int32_t* handle, const char16_t*, const char16_t*, const char16_t*, int32_t update_rate,
                     const kopc_group_callback* callback)
{
    std::lock_guard<std::mutex> lock(Lock);
    *handle = 0;
    if (!Begin("GroupAdd"))
        return;
    Groups[NextHandle] = TGroup{*callback, update_rate};
    *handle = NextHandle++;
}

EXPORT void GroupDelete(int32_t handle)
{
    std::lock_guard<std::mutex> lock(Lock);
    if (Begin("GroupDelete") && !Groups.erase(handle))
        LastError() = u"Invalid group";
}

EXPORT void GroupSetUpdateRate(int32_t handle, int32_t update_rate)
{
    std::lock_guard<std::mutex> lock(Lock);
    if (!Begin("GroupSetUpdateRate"))
        return;
    const auto found = Groups.find(handle);
    if (found == Groups.end())
        LastError() = u"Invalid group";
    else
        found->second.Rate = update_rate;
}

EXPORT int32_t ManagerCreated()
{
    std::lock_guard<std::mutex> lock(Lock);
    return ++Managers;
}

EXPORT void ManagerDestroyed()
{
    std::lock_guard<std::mutex> lock(Lock);
    --Managers;
}

EXPORT void GetLastCallErrorString(char16_t** message)
{
    *message = nullptr;
    if (LastError().empty())
        return;
    const std::size_t bytes = (LastError().size() + 1) * sizeof(char16_t);
    *message = static_cast<char16_t*>(std::malloc(bytes));
    std::memcpy(*message, LastError().c_str(), bytes);
}

// ---- test controls

EXPORT void kopc_test_reset()
{
    std::lock_guard<std::mutex> lock(Lock);
    Signals.clear();
    Groups.clear();
    Failures.clear();
    Managers = 0;
    NextHandle = 1;
}

// The next call of Entry fails with Message.
EXPORT void kopc_test_fail_next(const char* entry, const char* message)
{
    std::lock_guard<std::mutex> lock(Lock);
    Failures[entry] = message;
}

EXPORT int32_t kopc_test_signal_count()
{
    std::lock_guard<std::mutex> lock(Lock);
    return static_cast<int32_t>(Signals.size());
}

// The live subscription of an item name, 0 when none.
EXPORT int32_t kopc_test_find_signal(const char* item_name)
{
    std::lock_guard<std::mutex> lock(Lock);
    for (const auto& [handle, signal] : Signals) {
        const std::string& d = signal.Description;
        const std::size_t a = d.find('|'), b = d.find('|', a + 1), c = d.find('|', b + 1);
        if (d.substr(b + 1, c - b - 1) == item_name)
            return handle;
    }
    return 0;
}

// "computer|server|item|group|rate|flag|requested type", empty when unknown.
EXPORT void kopc_test_describe(int32_t handle, char* text, int32_t size)
{
    std::lock_guard<std::mutex> lock(Lock);
    const auto found = Signals.find(handle);
    const std::string d = found == Signals.end() ? std::string() : found->second.Description;
    std::snprintf(text, static_cast<std::size_t>(size), "%s", d.c_str());
}

EXPORT void kopc_test_set_active(int32_t handle, int32_t active)
{
    std::lock_guard<std::mutex> lock(Lock);
    Signals.at(handle).Active = active;
}

// Sets what the library holds for a subscription (Text for VT_BSTR) and
// calls its callback, on a thread of its own when Separate (joined before
// this returns).
EXPORT void kopc_test_fire(int32_t handle, const kopc_variant* value, const char* text, double time_stamp,
                           uint16_t quality, int32_t separate)
{
    kopc_signal_callback callback{};
    {
        std::lock_guard<std::mutex> lock(Lock);
        TSignal& signal = Signals.at(handle);
        signal.Value = *value;
        signal.Value.s = nullptr;
        signal.Text = Wide(text ? text : "");
        signal.TimeStamp = time_stamp;
        signal.Quality = quality;
        callback = signal.Callback;
    }
    OnLibraryThread(separate != 0, [=] { callback.new_data(callback.context, handle); });
}

// Sets what the library holds for a subscription and calls its callback
// again and again on a thread of its own, as a live subscription does,
// until the process ends (the library must then stay loaded).
EXPORT void kopc_test_stream(int32_t handle, const kopc_variant* value, uint16_t quality)
{
    kopc_signal_callback callback{};
    {
        std::lock_guard<std::mutex> lock(Lock);
        TSignal& signal = Signals.at(handle);
        signal.Value = *value;
        signal.Value.s = nullptr;
        signal.Quality = quality;
        callback = signal.Callback;
    }
    std::thread([=] {
        for (;;) {
            callback.new_data(callback.context, handle);
            ++Streamed;
            std::this_thread::yield();
        }
    }).detach();
}

// How many callbacks the streaming threads have made.
EXPORT int64_t kopc_test_streamed()
{
    return Streamed;
}

// Calls a group's update callbacks, begin then end.
EXPORT void kopc_test_fire_group(int32_t handle, int32_t separate)
{
    kopc_group_callback callback{};
    {
        std::lock_guard<std::mutex> lock(Lock);
        callback = Groups.at(handle).Callback;
    }
    OnLibraryThread(separate != 0, [=] {
        callback.update_begin(callback.context, handle);
        callback.update_end(callback.context, handle);
    });
}

// How many values were sent to a subscription; the last one into Value
// (its text, for VT_BSTR, into Text).
EXPORT int32_t kopc_test_sent(int32_t handle, kopc_variant* value, char* text, int32_t size)
{
    std::lock_guard<std::mutex> lock(Lock);
    const TSignal& signal = Signals.at(handle);
    *value = signal.Sent;
    std::snprintf(text, static_cast<std::size_t>(size), "%s", Narrow(signal.SentText.c_str()).c_str());
    return signal.Sends;
}

EXPORT int32_t kopc_test_group_count()
{
    std::lock_guard<std::mutex> lock(Lock);
    return static_cast<int32_t>(Groups.size());
}

EXPORT int32_t kopc_test_group_rate(int32_t handle)
{
    std::lock_guard<std::mutex> lock(Lock);
    return Groups.at(handle).Rate;
}

EXPORT int32_t kopc_test_manager_count()
{
    std::lock_guard<std::mutex> lock(Lock);
    return Managers;
}
