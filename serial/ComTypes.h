#pragma once
// Enumerations, sets and event types of the serial port library.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "rtl/Component.h"

// A set of enumeration values, one bit each.
template <class E> class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> Items)
    {
        for (E item : Items)
            FBits |= Bit(item);
    }
    static constexpr TEnumSet FromBits(std::uint32_t Bits)
    {
        TEnumSet set;
        set.FBits = Bits;
        return set;
    }

    constexpr bool Contains(E Item) const { return FBits & Bit(Item); }
    constexpr TEnumSet& Include(E Item)
    {
        FBits |= Bit(Item);
        return *this;
    }
    constexpr TEnumSet& Exclude(E Item)
    {
        FBits &= ~Bit(Item);
        return *this;
    }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr std::uint32_t Bits() const { return FBits; }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E Item) { return 1u << static_cast<unsigned>(Item); }
    std::uint32_t FBits = 0;
};

enum TBaudRate {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};
enum TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
enum TFlowControl { fcHardware, fcSoftware, fcNone, fcCustom };

enum TComEvent { evRxChar, evTxEmpty, evRxFlag, evRing, evBreak, evCTS, evDSR, evError, evRLSD, evRx80Full };
using TComEvents = TEnumSet<TComEvent>;
constexpr TComEvents AllComEvents{evRxChar, evTxEmpty, evRxFlag, evRing, evBreak,
                                  evCTS,    evDSR,     evError,  evRLSD, evRx80Full};

enum TComSignal { csCTS, csDSR, csRing, csRLSD };
using TComSignals = TEnumSet<TComSignal>;

enum TComError { ceFrame, ceRxParity, ceOverrun, ceBreak, ceIO, ceMode, ceRxOver, ceTxFull };
using TComErrors = TEnumSet<TComError>;

enum TSyncMethod { smThreadSync, smWindowSync, smNone };

enum TStoredProp { spBasic, spFlowControl, spBuffer, spTimeouts, spParity, spOthers };
using TStoredProps = TEnumSet<TStoredProp>;

// Error kinds, in error-number order (number = value + 1).
enum TComExceptions {
    CE_OpenFailed,
    CE_WriteFailed,
    CE_ReadFailed,
    CE_InvalidAsync,
    CE_PurgeFailed,
    CE_AsyncCheck,
    CE_SetStateFailed,
    CE_TimeoutsFailed,
    CE_SetupComFailed,
    CE_ClearComFailed,
    CE_ModemStatFailed,
    CE_EscapeComFailed,
    CE_TransmitFailed,
    CE_ConnChangeProp,
    CE_EnumPortsFailed,
    CE_StoreFailed,
    CE_LoadFailed,
    CE_RegFailed,
    CE_LedStateFailed,
    CE_ThreadCreated,
    CE_WaitFailed,
    CE_HasLink,
    CE_RegError,
    CEPortNotOpen
};

using TRxCharEvent = std::function<void(TObject* Sender, int Count)>;
using TRxBufEvent = std::function<void(TObject* Sender, const void* Buffer, int Count)>;
using TComSignalEvent = std::function<void(TObject* Sender, bool OnOff)>;
using TComErrorEvent = std::function<void(TObject* Sender, TComErrors Errors)>;
using TComExceptionEvent =
    std::function<void(TObject* Sender, TComExceptions TComException, const std::string& ComportMessage,
                       std::int64_t WinError, const std::string& WinMessage)>;
using TComStrEvent = std::function<void(TObject* Sender, const std::string& Str)>;
using TCustPacketEvent = std::function<void(TObject* Sender, const std::string& Str, int& Pos)>;
