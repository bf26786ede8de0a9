#pragma once
// One simulated instrument on the line: its holding registers laid out by
// its value rule, and the scripted way it answers.
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "tools/modbussim/ModbusFrame.h"

namespace modbussim {

using Clock = std::chrono::steady_clock;

// How a station misbehaves; the default answers correctly at once.
struct Behaviour {
    bool Silent = false;             // never answers
    bool BadCrc = false;             // answers with a corrupted CRC
    std::uint8_t ExceptionCode = 0;  // answers every read with this exception
    int DelayMs = 0;                 // answers this late
    int FragmentSize = 0;            // sends the answer in pieces of this many bytes
    int FragmentGapMs = 0;           // pause between the pieces
    Bytes Noise;                     // bytes put on the line just before the answer
};

// A channel value that walks through Levels, one step per StepMs
// milliseconds or per StepPolls answered reads of the station. Linear
// interpolates between neighbouring levels; Repeat starts over after the
// last level, otherwise the last level holds.
struct Ramp {
    std::vector<std::int32_t> Levels;
    int StepMs = 0;
    int StepPolls = 0;
    bool Linear = false;
    bool Repeat = false;

    std::int32_t ValueAt(double Steps) const;
};

struct StationConfig {
    int Id = 1;
    int Rule = 0;
    std::uint16_t StartAddress = 0;
    int ChannelCount = 1;
    std::vector<std::int32_t> Values;  // missing channels read 0
    Behaviour Answer;
};

class Station {
public:
    explicit Station(const StationConfig& Config);

    const StationConfig& Config() const { return FConfig; }
    void SetChannelValue(int Channel, std::int32_t Value);
    std::int32_t ChannelValue(int Channel) const;
    void SetRegister(std::uint16_t Address, std::uint16_t Value);
    std::uint16_t Register(std::uint16_t Address) const;
    void SetBehaviour(const Behaviour& Value) { FConfig.Answer = Value; }
    void SetRamp(int Channel, const Ramp& Value, Clock::time_point Now = Clock::now());

    // Reads Count registers from Address into Out, first moving ramped
    // channels to their value at Now. Returns 0 or a Modbus exception code.
    std::uint8_t Read(std::uint16_t Address, std::uint16_t Count, Clock::time_point Now,
                      std::vector<std::uint16_t>& Out);
    std::uint64_t Reads() const { return FReads; }

private:
    struct RampState {
        Ramp Steps;
        Clock::time_point Started;
        std::uint64_t ReadsAtStart;
    };

    int RegisterIndex(std::uint16_t Address) const;
    void CheckChannel(int Channel) const;

    StationConfig FConfig;
    std::vector<std::uint16_t> FRegisters;
    std::map<int, RampState> FRamps;
    std::uint64_t FReads = 0;
};

}  // namespace modbussim
