#pragma once
// A libmodbus RTU server answering on the master side of a pseudo-terminal,
// serving holding registers of one station. Runs in its own thread.
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

typedef struct _modbus modbus_t;
typedef struct _modbus_mapping_t modbus_mapping_t;

class TLibModbusServer {
public:
    TLibModbusServer(int Fd, int Station, const std::vector<std::uint16_t>& Registers);
    ~TLibModbusServer();
    TLibModbusServer(const TLibModbusServer&) = delete;
    TLibModbusServer& operator=(const TLibModbusServer&) = delete;

    int Replies() const { return FReplies.load(); }

private:
    void Serve();

    int FFd;
    modbus_t* FContext = nullptr;
    modbus_mapping_t* FMapping = nullptr;
    std::atomic<bool> FStop{false};
    std::atomic<int> FReplies{0};
    std::thread FThread;
};
