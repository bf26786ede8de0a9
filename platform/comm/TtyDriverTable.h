#pragma once
// The kernel's list of terminal drivers and the device numbers each owns,
// so that a device can be known for a terminal before it is opened:
// opening some other devices has effects of its own (a watchdog arms).
#include <string>
#include <vector>

namespace comm {

class TtyDriverTable {
public:
    // Reads the list in the kernel's format ("/proc/tty/drivers").
    static TtyDriverTable Load(const std::string& Path = "/proc/tty/drivers");
    static TtyDriverTable Parse(const std::string& Text);

    // False only when the list is known and no driver owns the number.
    bool MayBeTerminal(unsigned Major, unsigned Minor) const;

private:
    struct Range {
        unsigned Major, First, Last;
    };
    std::vector<Range> FRanges;
};

}  // namespace comm
