#pragma once
// The stand-in OPC client library loaded in place of the real one, its test
// controls, and a component with properties to bind items to.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <string>
#include <vector>

#include "plot/core/kCustomComponent.h"
#include "plot/core/kOPCDLLLoader.h"
#include "rtl/Exception.h"
#include "rtl/PublishedProperties.h"
#include "rtl/Thread.h"
#include "ui/Font.h"

inline QApplication& OPCTestApp()
{
    static int argc = 1;
    static char name[] = "kOPCTest";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Loads the library at Path into the loader for its lifetime (an empty path:
// none at all) and reaches its test controls.
class TOPCStandIn {
public:
    explicit TOPCStandIn(const std::string& Path = OPC_STANDIN)
    {
        TkOPCDLL::Instance().Load(Path);
        if (Path.empty())
            return;
        FModule = dlopen(Path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!FModule)
            throw Exception("stand-in not loaded: " + Path);
        Reset();
    }
    // The stand-in itself stays loaded to the end of the process: its state
    // is never destroyed, and unloading it would leave that state behind
    // unreachable.
    ~TOPCStandIn() { TkOPCDLL::Instance().Load(""); }
    TOPCStandIn(const TOPCStandIn&) = delete;
    TOPCStandIn& operator=(const TOPCStandIn&) = delete;

    void Reset() const { Control<void (*)()>("kopc_test_reset")(); }
    void FailNext(const char* Entry, const char* Message) const
    {
        Control<void (*)(const char*, const char*)>("kopc_test_fail_next")(Entry, Message);
    }
    int SignalCount() const { return Control<int32_t (*)()>("kopc_test_signal_count")(); }
    int32_t FindSignal(const char* ItemName) const
    {
        return Control<int32_t (*)(const char*)>("kopc_test_find_signal")(ItemName);
    }
    std::string Describe(int32_t Handle) const
    {
        char text[512];
        Control<void (*)(int32_t, char*, int32_t)>("kopc_test_describe")(Handle, text, sizeof text);
        return text;
    }
    void SetActive(int32_t Handle, bool Active) const
    {
        Control<void (*)(int32_t, int32_t)>("kopc_test_set_active")(Handle, Active);
    }
    // Fires a value; Separate runs the callback on a thread of the library's
    // own (finished when this returns).
    void Fire(int32_t Handle, kopc_variant Value, uint16_t Quality = 0xC0, bool Separate = false,
              const char* Text = nullptr, double TimeStamp = 0) const
    {
        Control<void (*)(int32_t, const kopc_variant*, const char*, double, uint16_t, int32_t)>("kopc_test_fire")(
            Handle, &Value, Text, TimeStamp, Quality, Separate);
    }
    // Calls back with Value on a thread of the library's own, over and
    // over until the process ends: the library must stay loaded.
    void Stream(int32_t Handle, kopc_variant Value, uint16_t Quality = 0xC0) const
    {
        Control<void (*)(int32_t, const kopc_variant*, uint16_t)>("kopc_test_stream")(Handle, &Value, Quality);
    }
    int64_t Streamed() const { return Control<int64_t (*)()>("kopc_test_streamed")(); }
    void FireGroup(int32_t Handle, bool Separate) const
    {
        Control<void (*)(int32_t, int32_t)>("kopc_test_fire_group")(Handle, Separate);
    }
    int Sent(int32_t Handle, kopc_variant& Value, std::string& Text) const
    {
        char text[256];
        const int count = Control<int32_t (*)(int32_t, kopc_variant*, char*, int32_t)>("kopc_test_sent")(
            Handle, &Value, text, sizeof text);
        Text = text;
        return count;
    }
    int GroupCount() const { return Control<int32_t (*)()>("kopc_test_group_count")(); }
    int GroupRate(int32_t Handle) const { return Control<int32_t (*)(int32_t)>("kopc_test_group_rate")(Handle); }
    int ManagerCount() const { return Control<int32_t (*)()>("kopc_test_manager_count")(); }

private:
    template <class F> F Control(const char* Name) const
    {
        auto* entry = reinterpret_cast<F>(dlsym(FModule, Name));
        if (!entry)
            throw Exception(std::string("no test control ") + Name);
        return entry;
    }
    void* FModule = nullptr;
};

inline kopc_variant OPCInteger(uint16_t VarType, int64_t Value)
{
    kopc_variant v{};
    v.vt = VarType;
    v.i = Value;
    return v;
}

inline kopc_variant OPCFloat(uint16_t VarType, double Value)
{
    kopc_variant v{};
    v.vt = VarType;
    v.d = Value;
    return v;
}

// Serves hand-overs to this (the user-interface) thread until Done says so;
// false when nothing more arrived for a long while.
template <class F> bool ServeHandOversUntil(F Done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        CheckSynchronize(100);
    }
    return true;
}

// A component with properties of the kinds items are bound to; Level
// reports its changes for sending back, and records the thread it was set on.
class TOPCTestWin : public TkCustomComponent {
public:
    explicit TOPCTestWin(TComponent* AOwner = nullptr) : TkCustomComponent(AOwner) {}
    void PaintToCanvas(TCanvas*) override {}

    int64_t GetLevel() const { return Level; }
    void SetLevel(int64_t Value)
    {
        Level = Value;
        Levels.push_back(Value);
        LevelSetOnMainThread = IsMainThread();
        SendOPCValue("Level", TkVariant(Value));
    }

    int64_t Level = 0;
    std::vector<int64_t> Levels;  // every value set, in order
    bool LevelSetOnMainThread = false;
    double Ratio = 0;
    std::string Caption;
};

inline void RegisterOPCTestWin()
{
    static const bool registered = [] {
        using T = TOPCTestWin;
        RegisterPublishedClass<TOPCTestWin, TkCustomComponent>(
            "TOPCTestWin",
            TPropertyListBuilder<T>()
                .Object("Font", "TFont", [](const T& c) { return static_cast<TObject*>(c.Font); })
                .Integer(
                    "Level", [](const T& c) { return c.GetLevel(); }, [](T& c, std::int64_t v) { c.SetLevel(v); })
                .Float(
                    "Ratio", [](const T& c) { return c.Ratio; }, [](T& c, double v) { c.Ratio = v; })
                .String(
                    "Caption", [](const T& c) { return c.Caption; }, [](T& c, const std::string& v) { c.Caption = v; })
                .Take());
        return true;
    }();
    (void)registered;
}
