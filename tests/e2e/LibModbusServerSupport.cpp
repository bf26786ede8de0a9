#include "LibModbusServer.h"

#include <modbus.h>
#include <poll.h>
#include <stdexcept>

TLibModbusServer::TLibModbusServer(int Fd, int Station, const std::vector<std::uint16_t>& Registers) : FFd(Fd)
{
    // The line is already open: libmodbus only reads and writes the
    // descriptor it is given, it never opens a device here.
    FContext = modbus_new_rtu("/dev/null", 9600, 'N', 8, 1);
    FMapping = modbus_mapping_new(0, 0, static_cast<int>(Registers.size()), 0);
    if (!FContext || !FMapping)
        throw std::runtime_error("libmodbus server");
    for (std::size_t i = 0; i < Registers.size(); ++i)
        FMapping->tab_registers[i] = Registers[i];
    modbus_set_slave(FContext, Station);
    modbus_set_socket(FContext, Fd);
    FThread = std::thread([this] { Serve(); });
}

TLibModbusServer::~TLibModbusServer()
{
    FStop = true;
    FThread.join();
    modbus_set_socket(FContext, -1);
    modbus_free(FContext);
    modbus_mapping_free(FMapping);
}

void TLibModbusServer::Serve()
{
    std::uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
    while (!FStop) {
        pollfd p{FFd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0 || !(p.revents & POLLIN))
            continue;
        const int rc = modbus_receive(FContext, query);
        if (rc > 0 && modbus_reply(FContext, query, rc, FMapping) > 0)
            ++FReplies;
    }
}
