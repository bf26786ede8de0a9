#include "comm/TtyDriverTable.h"

#include <gtest/gtest.h>

using comm::TtyDriverTable;

namespace {

// As the kernel lists its terminal drivers.
const char* const Drivers =
    "/dev/tty             /dev/tty        5       0 system:/dev/tty\n"
    "/dev/console         /dev/console    5       1 system:console\n"
    "/dev/ptmx            /dev/ptmx       5       2 system\n"
    "serial               /dev/ttyS       4 64-111 serial\n"
    "usbserial            /dev/ttyUSB   188 0-511 serial\n"
    "pty_slave            /dev/pts      136 0-1048575 pty:slave\n"
    "unknown              /dev/tty        4 1-63 console\n";

}  // namespace

TEST(TtyDriverTable, OnlyDeviceNumbersOfATerminalDriverAreTerminals)
{
    TtyDriverTable table = TtyDriverTable::Parse(Drivers);
    EXPECT_TRUE(table.MayBeTerminal(4, 64));
    EXPECT_TRUE(table.MayBeTerminal(4, 111));
    EXPECT_TRUE(table.MayBeTerminal(188, 3));
    EXPECT_TRUE(table.MayBeTerminal(136, 12));
    EXPECT_TRUE(table.MayBeTerminal(5, 0));
    EXPECT_TRUE(table.MayBeTerminal(4, 1));
    // Memory devices, a watchdog, a minor past a driver's range.
    EXPECT_FALSE(table.MayBeTerminal(1, 3));
    EXPECT_FALSE(table.MayBeTerminal(10, 130));
    EXPECT_FALSE(table.MayBeTerminal(4, 112));
    EXPECT_FALSE(table.MayBeTerminal(4, 0));
    EXPECT_FALSE(table.MayBeTerminal(5, 3));
    EXPECT_FALSE(table.MayBeTerminal(188, 512));
}

TEST(TtyDriverTable, AnUnreadableOrEmptyTableRefusesNothing)
{
    // Without the list the device itself is asked after opening.
    EXPECT_TRUE(TtyDriverTable::Parse("").MayBeTerminal(1, 3));
    EXPECT_TRUE(TtyDriverTable::Parse("garbage\nmore garbage here x y\n").MayBeTerminal(1, 3));
    EXPECT_TRUE(TtyDriverTable::Load("/nonexistent/tty/drivers").MayBeTerminal(1, 3));
}
