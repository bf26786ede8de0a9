#include "tools/modbussim/ModbusSlave.h"

#include <stdexcept>
#include <string>

namespace modbussim {

namespace {

// Every request this line understands is 8 bytes: id, function, two
// 16-bit fields, CRC. Function 06 and the like share that length, so they
// are recognised too and refused with an exception.
constexpr std::size_t RequestSize = 8;

}  // namespace

void ModbusSlave::AddStation(const StationConfig& Config)
{
    Station station(Config);
    std::lock_guard lock(FMutex);
    FStations.insert_or_assign(Config.Id, std::move(station));
}

void ModbusSlave::RemoveStation(int Id)
{
    std::lock_guard lock(FMutex);
    FStations.erase(Id);
}

Station& ModbusSlave::Find(int Id)
{
    auto it = FStations.find(Id);
    if (it == FStations.end())
        throw std::out_of_range("no station " + std::to_string(Id));
    return it->second;
}

const Station& ModbusSlave::Find(int Id) const
{
    return const_cast<ModbusSlave*>(this)->Find(Id);
}

void ModbusSlave::SetChannelValue(int Id, int Channel, std::int32_t Value)
{
    std::lock_guard lock(FMutex);
    Find(Id).SetChannelValue(Channel, Value);
}

std::int32_t ModbusSlave::ChannelValue(int Id, int Channel) const
{
    std::lock_guard lock(FMutex);
    return Find(Id).ChannelValue(Channel);
}

void ModbusSlave::SetRegister(int Id, std::uint16_t Address, std::uint16_t Value)
{
    std::lock_guard lock(FMutex);
    Find(Id).SetRegister(Address, Value);
}

std::uint16_t ModbusSlave::Register(int Id, std::uint16_t Address) const
{
    std::lock_guard lock(FMutex);
    return Find(Id).Register(Address);
}

void ModbusSlave::SetBehaviour(int Id, const Behaviour& Value)
{
    std::lock_guard lock(FMutex);
    Find(Id).SetBehaviour(Value);
}

Behaviour ModbusSlave::BehaviourOf(int Id) const
{
    std::lock_guard lock(FMutex);
    return Find(Id).Config().Answer;
}

void ModbusSlave::SetRamp(int Id, int Channel, const Ramp& Value)
{
    std::lock_guard lock(FMutex);
    Find(Id).SetRamp(Channel, Value, Clock::now());
}

std::uint64_t ModbusSlave::RequestCount(int Id) const
{
    std::lock_guard lock(FMutex);
    auto it = FRequests.find(Id);
    return it == FRequests.end() ? 0 : it->second;
}

Bytes ModbusSlave::LastRequest(int Id) const
{
    std::lock_guard lock(FMutex);
    auto it = FLastRequests.find(Id);
    return it == FLastRequests.end() ? Bytes{} : it->second;
}

bool ModbusSlave::WaitForRequests(int Id, std::uint64_t Count, std::chrono::milliseconds Timeout) const
{
    std::unique_lock lock(FMutex);
    return FRequestSeen.wait_for(lock, Timeout, [&] {
        auto it = FRequests.find(Id);
        return it != FRequests.end() && it->second >= Count;
    });
}

std::vector<int> ModbusSlave::StationIds() const
{
    std::lock_guard lock(FMutex);
    std::vector<int> ids;
    for (const auto& entry : FStations)
        ids.push_back(entry.first);
    return ids;
}

std::vector<Transmission> ModbusSlave::Receive(const std::uint8_t* Data, std::size_t Count, Clock::time_point Now)
{
    std::lock_guard lock(FMutex);
    FPending.insert(FPending.end(), Data, Data + Count);
    std::vector<Transmission> out;
    std::size_t start = 0;
    // Slide over the bytes until a window holds a frame with a valid CRC;
    // a partial frame at the end waits for the rest.
    while (FPending.size() - start >= RequestSize) {
        const std::uint8_t* window = FPending.data() + start;
        if (!HasValidCrc(window, RequestSize)) {
            ++start;
            continue;
        }
        auto answer = Answer(window, Now);
        out.insert(out.end(), answer.begin(), answer.end());
        start += RequestSize;
    }
    FPending.erase(FPending.begin(), FPending.begin() + static_cast<std::ptrdiff_t>(start));
    return out;
}

std::vector<Transmission> ModbusSlave::Answer(const std::uint8_t* Request, Clock::time_point Now)
{
    int id = Request[0];
    auto it = FStations.find(id);
    if (it == FStations.end())
        return {};  // another station's request, or a broadcast: stay quiet
    ++FRequests[id];
    FLastRequests[id] = Bytes(Request, Request + RequestSize);
    FRequestSeen.notify_all();
    Station& station = it->second;
    const Behaviour& behaviour = station.Config().Answer;
    if (behaviour.Silent)
        return {};

    std::uint8_t function = Request[1];
    Bytes reply;
    if (function != ReadHoldingRegisters) {
        reply = BuildExceptionReply(static_cast<std::uint8_t>(id), function, IllegalFunction);
    } else if (behaviour.ExceptionCode != 0) {
        reply = BuildExceptionReply(static_cast<std::uint8_t>(id), function, behaviour.ExceptionCode);
    } else {
        auto address = static_cast<std::uint16_t>(Request[2] << 8 | Request[3]);
        auto count = static_cast<std::uint16_t>(Request[4] << 8 | Request[5]);
        std::vector<std::uint16_t> registers;
        std::uint8_t code = station.Read(address, count, Now, registers);
        reply = code ? BuildExceptionReply(static_cast<std::uint8_t>(id), function, code)
                     : BuildReadReply(static_cast<std::uint8_t>(id), registers);
    }
    if (behaviour.BadCrc) {
        reply[reply.size() - 2] ^= 0xFF;
        reply[reply.size() - 1] ^= 0xFF;
    }

    std::vector<Transmission> plan;
    std::chrono::milliseconds delay(behaviour.DelayMs);
    if (!behaviour.Noise.empty())
        plan.push_back({delay, behaviour.Noise, true});
    bool first = true;
    std::size_t piece = behaviour.FragmentSize > 0 ? static_cast<std::size_t>(behaviour.FragmentSize) : reply.size();
    for (std::size_t at = 0; at < reply.size(); at += piece) {
        auto end = reply.begin() + static_cast<std::ptrdiff_t>(std::min(reply.size(), at + piece));
        plan.push_back(
            {delay, Bytes(reply.begin() + static_cast<std::ptrdiff_t>(at), end), first && behaviour.Noise.empty()});
        first = false;
        delay += std::chrono::milliseconds(behaviour.FragmentGapMs);
    }
    return plan;
}

}  // namespace modbussim
