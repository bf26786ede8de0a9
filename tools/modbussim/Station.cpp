#include "tools/modbussim/Station.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace modbussim {

std::int32_t Ramp::ValueAt(double Steps) const
{
    if (Levels.empty())
        return 0;
    const auto n = static_cast<double>(Levels.size());
    double position = Steps;
    if (Repeat)
        position = std::fmod(position, n);
    else if (position >= n - 1)
        return Levels.back();
    auto index = static_cast<std::size_t>(position);
    std::int32_t from = Levels[index];
    if (!Linear)
        return from;
    std::int32_t to = Levels[(index + 1) % Levels.size()];
    double fraction = position - static_cast<double>(index);
    return static_cast<std::int32_t>(std::llround(from + (double(to) - double(from)) * fraction));
}

Station::Station(const StationConfig& Config) : FConfig(Config)
{
    if (Config.Id < 1 || Config.Id > 247)
        throw std::invalid_argument("station id must be 1 to 247");
    if (Config.ChannelCount < 1)
        throw std::invalid_argument("a station needs at least one channel");
    int perChannel = RegistersPerChannel(Config.Rule);
    if (Config.StartAddress + Config.ChannelCount * perChannel > 0x10000)
        throw std::invalid_argument("registers beyond address 65535");
    FRegisters.assign(static_cast<std::size_t>(Config.ChannelCount * perChannel), 0);
    for (int i = 0; i < Config.ChannelCount && i < static_cast<int>(Config.Values.size()); ++i)
        SetChannelValue(i, Config.Values[static_cast<std::size_t>(i)]);
}

void Station::CheckChannel(int Channel) const
{
    if (Channel < 0 || Channel >= FConfig.ChannelCount)
        throw std::out_of_range("station " + std::to_string(FConfig.Id) + " has no channel " + std::to_string(Channel));
}

void Station::SetChannelValue(int Channel, std::int32_t Value)
{
    CheckChannel(Channel);
    auto words = EncodeChannel(FConfig.Rule, Value);
    std::size_t first = static_cast<std::size_t>(Channel) * words.size();
    for (std::size_t k = 0; k < words.size(); ++k)
        FRegisters[first + k] = words[k];
}

std::int32_t Station::ChannelValue(int Channel) const
{
    CheckChannel(Channel);
    auto perChannel = static_cast<std::size_t>(RegistersPerChannel(FConfig.Rule));
    return DecodeChannel(FConfig.Rule, &FRegisters[static_cast<std::size_t>(Channel) * perChannel]);
}

int Station::RegisterIndex(std::uint16_t Address) const
{
    int index = int(Address) - int(FConfig.StartAddress);
    if (index < 0 || index >= static_cast<int>(FRegisters.size()))
        throw std::out_of_range("station " + std::to_string(FConfig.Id) + " has no register " +
                                std::to_string(Address));
    return index;
}

void Station::SetRegister(std::uint16_t Address, std::uint16_t Value)
{
    FRegisters[static_cast<std::size_t>(RegisterIndex(Address))] = Value;
}

std::uint16_t Station::Register(std::uint16_t Address) const
{
    return FRegisters[static_cast<std::size_t>(RegisterIndex(Address))];
}

void Station::SetRamp(int Channel, const Ramp& Value, Clock::time_point Now)
{
    CheckChannel(Channel);
    if (Value.Levels.empty() || (Value.StepMs <= 0) == (Value.StepPolls <= 0))
        throw std::invalid_argument("a ramp needs levels and either a step time or a step poll count");
    FRamps[Channel] = RampState{Value, Now, FReads};
}

std::uint8_t Station::Read(std::uint16_t Address, std::uint16_t Count, Clock::time_point Now,
                           std::vector<std::uint16_t>& Out)
{
    if (Count < 1 || Count > MaxReadCount)
        return IllegalDataValue;
    int first = int(Address) - int(FConfig.StartAddress);
    if (first < 0 || first + Count > static_cast<int>(FRegisters.size()))
        return IllegalDataAddress;
    for (const auto& [channel, ramp] : FRamps) {
        double steps;
        if (ramp.Steps.StepPolls > 0)
            steps = double(FReads - ramp.ReadsAtStart) / ramp.Steps.StepPolls;
        else
            steps = std::chrono::duration<double, std::milli>(Now - ramp.Started).count() / ramp.Steps.StepMs;
        SetChannelValue(channel, ramp.Steps.ValueAt(steps));
    }
    ++FReads;
    Out.assign(FRegisters.begin() + first, FRegisters.begin() + first + Count);
    return 0;
}

}  // namespace modbussim
