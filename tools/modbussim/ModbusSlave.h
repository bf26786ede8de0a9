#pragma once
// The answering side of a Modbus RTU line with several stations: takes the
// bytes a master sends and plans what goes back, and when. No I/O here, so
// the protocol can be tested byte by byte.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "tools/modbussim/Station.h"

namespace modbussim {

// Bytes to send once Delay has passed since the request arrived.
// StartsFrame marks bytes that need the inter-frame silence before them.
struct Transmission {
    std::chrono::milliseconds Delay{0};
    Bytes Data;
    bool StartsFrame = true;
};

// Thread-safe: tests change stations while the line runs.
class ModbusSlave {
public:
    // Adds a station or replaces the one with the same id.
    void AddStation(const StationConfig& Config);
    void RemoveStation(int Id);
    void SetChannelValue(int Id, int Channel, std::int32_t Value);
    std::int32_t ChannelValue(int Id, int Channel) const;
    void SetRegister(int Id, std::uint16_t Address, std::uint16_t Value);
    std::uint16_t Register(int Id, std::uint16_t Address) const;
    void SetBehaviour(int Id, const Behaviour& Value);
    Behaviour BehaviourOf(int Id) const;
    void SetRamp(int Id, int Channel, const Ramp& Value);
    // Requests with a valid CRC addressed to the station, answered or not.
    std::uint64_t RequestCount(int Id) const;
    // The last such request, empty before the first.
    Bytes LastRequest(int Id) const;
    // Waits until the station has seen at least Count requests; false when
    // Timeout passed first.
    bool WaitForRequests(int Id, std::uint64_t Count, std::chrono::milliseconds Timeout) const;
    std::vector<int> StationIds() const;

    // Takes bytes from the line and returns the answers they call for, in
    // sending order. Bytes that do not form a request are skipped.
    std::vector<Transmission> Receive(const std::uint8_t* Data, std::size_t Count,
                                      Clock::time_point Now = Clock::now());

private:
    std::vector<Transmission> Answer(const std::uint8_t* Request, Clock::time_point Now);
    Station& Find(int Id);
    const Station& Find(int Id) const;

    mutable std::mutex FMutex;
    mutable std::condition_variable FRequestSeen;
    std::map<int, Station> FStations;
    std::map<int, std::uint64_t> FRequests;
    std::map<int, Bytes> FLastRequests;
    Bytes FPending;
};

}  // namespace modbussim
