#pragma once
// The machine's serial devices, as the kernel lists them under sysfs.
#include <optional>
#include <string>
#include <vector>

namespace comm {

// Names (under /dev/) of the terminal devices in Root that are bound to a
// driver; serial8250 slots without a UART behind them are left out. Then
// the virtual serial ports: links named tty* in DevDir that lead to a
// pseudo-terminal, as simulators and socat publish them. Nothing when Root
// cannot be read.
std::optional<std::vector<std::string>> ListSerialPorts(const std::string& Root = "/sys/class/tty",
                                                        const std::string& DevDir = "/dev");

}  // namespace comm
