#include "app/SysOption.h"

#include "app/General.h"
#include "controls/VcRegIniFile.h"
#include "rtl/Exception.h"
#include "rtl/Gbk.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"

#include <climits>

namespace {

TVcRegIniFile* GStore = nullptr;

TOption::TValidator IntInRange(int Low, int High)
{
    return [Low, High](const TOptionValue& V) {
        const int I = std::get<int>(V);
        return I >= Low && I <= High;
    };
}

// Chinese text saved as UTF-8 is made of three-byte characters (CJK
// ideographs, their punctuation, full-width forms). GBK bytes often form
// valid UTF-8 as well, but then as two-byte characters (the GBK bytes of
// 谢 read as a Cyrillic letter), so only text whose every non-ASCII
// character is such a three-byte one is taken for UTF-8.
bool IsChineseUtf8(const std::string& S)
{
    for (std::size_t I = 0; I < S.size();) {
        const auto B = static_cast<unsigned char>(S[I]);
        if (B < 0x80) {
            ++I;
            continue;
        }
        if ((B & 0xF0) != 0xE0 || I + 2 >= S.size())
            return false;
        const auto C1 = static_cast<unsigned char>(S[I + 1]);
        const auto C2 = static_cast<unsigned char>(S[I + 2]);
        if ((C1 & 0xC0) != 0x80 || (C2 & 0xC0) != 0x80)
            return false;
        const unsigned Code = ((B & 0x0Fu) << 12) | ((C1 & 0x3Fu) << 6) | (C2 & 0x3Fu);
        const bool Cjk = (Code >= 0x2E80 && Code <= 0x9FFF) || (Code >= 0xF900 && Code <= 0xFAFF) ||
                         (Code >= 0xFE30 && Code <= 0xFFEF);
        if (!Cjk)
            return false;
        I += 3;
    }
    return true;
}

}  // namespace

std::vector<TOption*> OptionList;

TOption* optAuthor = nullptr;
TOption* optCommPort = nullptr;
TOption* optBaudRate = nullptr;
TOption* optParity = nullptr;
TOption* optPollDelay = nullptr;
TOption* optPollTimeout = nullptr;
TOption* optXSpan = nullptr;
TOption* optTimeBaseX = nullptr;
TOption* optChannelRingBufferSize = nullptr;
TOption* optLogFilenameMode = nullptr;
TOption* optStartMode = nullptr;
TOption* optStopMode = nullptr;
TOption* optLogDuration = nullptr;
TOption* optTimeBaseLog = nullptr;
TOption* optStartTriggerLogic = nullptr;
TOption* optStopTriggerLogic = nullptr;
TOption* optMaxRecordPerFile = nullptr;
TOption* optLogInterval = nullptr;
TOption* optAxisFormat = nullptr;
TOption* optProgramTitle = nullptr;

namespace {

// The live list is gone: nothing shows its options any more.
void ClearOptionViews()
{
    OptionList.clear();
    for (TOption** P : {&optAuthor,
                        &optCommPort,
                        &optBaudRate,
                        &optParity,
                        &optPollDelay,
                        &optPollTimeout,
                        &optXSpan,
                        &optTimeBaseX,
                        &optChannelRingBufferSize,
                        &optLogFilenameMode,
                        &optStartMode,
                        &optStopMode,
                        &optLogDuration,
                        &optTimeBaseLog,
                        &optStartTriggerLogic,
                        &optStopTriggerLogic,
                        &optMaxRecordPerFile,
                        &optLogInterval,
                        &optAxisFormat,
                        &optProgramTitle})
        *P = nullptr;
}

}  // namespace

void SetOptionStore(TVcRegIniFile* Store)
{
    GStore = Store;
}

TVcRegIniFile* OptionStore()
{
    return GStore;
}

TOption::TOption(TOptionKind Kind, TOptionValue Default, std::string Key, std::string Section, TValidator Valid)
    : FKind(Kind),
      FKey(std::move(Key)),
      FSection(std::move(Section)),
      FValid(std::move(Valid))
{
    Default = Converted(Default);
    FValue = Default;
    Read(Default);
}

void TOption::Read(const TOptionValue& Default)
{
    if (!GStore)
        return;
    TOptionValue V = Default;
    switch (FKind) {
    case okInteger: V = GStore->ReadInteger(FSection, FKey, std::get<int>(Default)); break;
    case okFloat: V = GStore->ReadFloat(FSection, FKey, std::get<double>(Default)); break;
    case okBool: V = GStore->ReadBool(FSection, FKey, std::get<bool>(Default)); break;
    case okString: V = GStore->ReadString(FSection, FKey, std::get<std::string>(Default)); break;
    case okDateTime: V = GStore->ReadDate(FSection, FKey, std::get<double>(Default)); break;
    }
    FValue = (FValid && !FValid(V)) ? Default : V;
}

void TOption::Write()
{
    if (!GStore)
        return;
    switch (FKind) {
    case okInteger: GStore->WriteInteger(FSection, FKey, std::get<int>(FValue)); break;
    case okFloat: GStore->WriteFloat(FSection, FKey, std::get<double>(FValue)); break;
    case okBool: GStore->WriteBool(FSection, FKey, std::get<bool>(FValue)); break;
    case okString: GStore->WriteString(FSection, FKey, std::get<std::string>(FValue)); break;
    case okDateTime: GStore->WriteDate(FSection, FKey, std::get<double>(FValue)); break;
    }
}

TOptionValue TOption::Converted(const TOptionValue& V) const
{
    switch (FKind) {
    case okInteger:
        if (auto D = std::get_if<double>(&V))
            return ClampToInt(*D);
        if (auto B = std::get_if<bool>(&V))
            return int(*B);
        if (auto S = std::get_if<std::string>(&V))
            return StrToInt(*S);
        return V;
    case okFloat:
    case okDateTime:
        if (auto I = std::get_if<int>(&V))
            return double(*I);
        if (auto B = std::get_if<bool>(&V))
            return double(*B);
        if (auto S = std::get_if<std::string>(&V))
            return StrToFloat(*S);
        return V;
    case okBool:
        if (auto I = std::get_if<int>(&V))
            return *I != 0;
        if (auto D = std::get_if<double>(&V))
            return *D != 0.0;
        if (auto S = std::get_if<std::string>(&V))
            return StrToInt(*S) != 0;
        return V;
    case okString:
        if (auto I = std::get_if<int>(&V))
            return IntToStr(*I);
        if (auto D = std::get_if<double>(&V))
            return FloatToStr(*D);
        if (auto B = std::get_if<bool>(&V))
            return std::string(*B ? "1" : "0");
        return V;
    }
    return V;
}

int TOption::AsInteger() const
{
    return std::visit(
        [](const auto& X) -> int {
            using T = std::decay_t<decltype(X)>;
            if constexpr (std::is_same_v<T, std::string>)
                return StrToIntDef(X, 0);
            else if constexpr (std::is_same_v<T, double>)
                return ClampToInt(X);
            else
                return int(X);
        },
        FValue);
}

double TOption::AsFloat() const
{
    return std::visit(
        [](const auto& X) -> double {
            using T = std::decay_t<decltype(X)>;
            if constexpr (std::is_same_v<T, std::string>)
                return StrToFloatDef(X, 0.0);
            else
                return double(X);
        },
        FValue);
}

bool TOption::AsBool() const
{
    return std::visit(
        [](const auto& X) -> bool {
            using T = std::decay_t<decltype(X)>;
            if constexpr (std::is_same_v<T, std::string>)
                return StrToIntDef(X, 0) != 0;
            else
                return X != 0;
        },
        FValue);
}

std::string TOption::AsString() const
{
    return std::visit(
        [](const auto& X) -> std::string {
            using T = std::decay_t<decltype(X)>;
            if constexpr (std::is_same_v<T, std::string>)
                return X;
            else if constexpr (std::is_same_v<T, double>)
                return FloatToStr(X);
            else if constexpr (std::is_same_v<T, bool>)
                return X ? "1" : "0";
            else
                return IntToStr(X);
        },
        FValue);
}

void TOption::SetValue(const TOptionValue& V)
{
    const TOptionValue New = Converted(V);
    if (New == FValue)
        return;
    FValue = New;
    Write();
}

TOptionList::TOptionList(TVcRegIniFile* Store)
{
    SetOptionStore(Store);
    // A change that does not reach "config.ini" is reported, not lost silently.
    if (Store && !Store->OnWriteError) {
        Store->OnWriteError = [](const std::string& FileName) { SettingsWriteReporter().Failed(FileName); };
        Store->OnWriteDone = [](const std::string& FileName) { SettingsWriteReporter().Succeeded(FileName); };
    }
    const std::string Sys = "System Parameters";
    const std::string Disp = "Display Parameters";
    const std::string Log = "Log Parameters";
    try {
        optAuthor = Add(okString, std::string(), "Author", Sys);
        optCommPort = Add(okString, std::string("COM1"), "Comm Port", Sys);
        optBaudRate = Add(okInteger, 9600, "Baud Rate", Sys, IntInRange(1, INT_MAX));
        optParity = Add(okInteger, 0, "Parity", Sys, IntInRange(0, 2));
        optPollDelay = Add(okInteger, 100, "Poll Delay", Sys, IntInRange(0, INT_MAX));
        // The setup dialog's range: a longer wait would hold up every cycle
        // for one silent device.
        optPollTimeout = Add(okInteger, 1000, "Poll Timeout", Sys, IntInRange(100, 2000));
        optXSpan = Add(okFloat, 1200.0, "XSpan", Disp, [](const TOptionValue& V) {
            const double Span = std::get<double>(V);
            return Span > 0 && Span <= MaxXSpan;
        });
        optTimeBaseX = Add(okInteger, 0, "TimeBaseX", Disp, IntInRange(0, 5));
        optChannelRingBufferSize = Add(okInteger, 0, "ChannelRingBufferSize", Disp);
        optLogFilenameMode = Add(okInteger, 0, "LogFilenameMode", Log, IntInRange(0, 1));
        optStartMode = Add(okInteger, 0, "StartMode", Log, IntInRange(0, 1));
        optStopMode = Add(okInteger, 0, "StopMode", Log, IntInRange(0, 2));
        optLogDuration = Add(okFloat, 10.0, "LogDuration", Log);
        optTimeBaseLog = Add(okInteger, 0, "TimeBaseLog", Log, IntInRange(0, 5));
        optStartTriggerLogic = Add(okInteger, 0, "StartTriggerLogic", Log, IntInRange(0, 1));
        optStopTriggerLogic = Add(okInteger, 0, "StopTriggerLogic", Log, IntInRange(0, 1));
        optMaxRecordPerFile = Add(okInteger, 65530, "MaxRecordPerFile", Log, IntInRange(1, INT_MAX));
        optLogInterval = Add(okFloat, 0.0, "LogInterval", Log);
        optAxisFormat = Add(okInteger, 0, "AxisFormat", Disp, IntInRange(0, 2));
        optProgramTitle = Add(okString, std::string("KALVO数据采集软件"), "Program Title", Sys);
        Repair(Store);
    } catch (...) {
        // The options made so far go with this list: nothing may show them.
        ClearOptionViews();
        throw;
    }
}

TOptionList::~TOptionList()
{
    // A list made meanwhile to replace this one keeps showing its own.
    if (Shown())
        ClearOptionViews();
}

bool TOptionList::Shown() const
{
    return !FOptions.empty() && !OptionList.empty() && OptionList.front() == FOptions.front().get();
}

TOption* TOptionList::Add(TOptionKind Kind, TOptionValue Default, std::string Key, std::string Section,
                          TOption::TValidator Valid)
{
    FOptions.push_back(
        std::make_unique<TOption>(Kind, std::move(Default), std::move(Key), std::move(Section), std::move(Valid)));
    if (FOptions.size() == 1)
        OptionList.clear();
    OptionList.push_back(FOptions.back().get());
    return FOptions.back().get();
}

void TOptionList::Repair(TVcRegIniFile* Store)
{
    // An owner name saved as UTF-8 instead of the file's code page is
    // converted and written back, but only when it really is UTF-8 Chinese
    // and every character has a GBK form; anything else is left as it is.
    if (Store) {
        const std::string Raw = Store->ReadStringBytes(optAuthor->Section(), optAuthor->Key(), "");
        if (IsUTF8(Raw) && IsChineseUtf8(Raw) && Gbk::FromGbk(Gbk::ToGbk(Raw)) == Raw) {
            optAuthor->SetValue(Raw);
        }
    }
    if (optChannelRingBufferSize->AsInteger() < 0)
        optChannelRingBufferSize->SetValue(0);
}
