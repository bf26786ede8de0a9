#pragma once
// The machine's serial devices, as the kernel lists them under sysfs.
#include <optional>
#include <string>
#include <vector>

namespace comm {

// Names (under /dev/) of the terminal devices in Root that are bound to a
// driver; serial8250 slots without a UART behind them are left out. Then
// the virtual serial ports: links named tty* that lead to a
// pseudo-terminal, as simulators and socat publish them; those in DevDir
// by name, those in UserDir, where a user without root may place them, by
// full path. Nothing when Root cannot be read.
std::optional<std::vector<std::string>> ListSerialPorts(const std::string& Root = "/sys/class/tty",
                                                        const std::string& DevDir = "/dev",
                                                        const std::string& UserDir = "/tmp");

}  // namespace comm
