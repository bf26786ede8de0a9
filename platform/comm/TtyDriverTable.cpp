#include "comm/TtyDriverTable.h"

#include <fstream>
#include <sstream>

namespace comm {

namespace {

bool ToNumber(const std::string& Text, unsigned& Value)
{
    if (Text.empty() || Text.size() > 9 || Text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    Value = static_cast<unsigned>(std::stoul(Text));
    return true;
}

}  // namespace

TtyDriverTable TtyDriverTable::Load(const std::string& Path)
{
    std::ifstream file(Path);
    std::stringstream text;
    text << file.rdbuf();
    return Parse(text.str());
}

TtyDriverTable TtyDriverTable::Parse(const std::string& Text)
{
    TtyDriverTable table;
    std::istringstream lines(Text);
    std::string line;
    // Each line: driver name, device node, major number, minor or
    // first-last minors, driver type.
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name, node, major, minors;
        if (!(fields >> name >> node >> major >> minors))
            continue;
        Range range{};
        size_t dash = minors.find('-');
        std::string first = minors.substr(0, dash);
        std::string last = dash == std::string::npos ? first : minors.substr(dash + 1);
        if (ToNumber(major, range.Major) && ToNumber(first, range.First) && ToNumber(last, range.Last) &&
            range.First <= range.Last)
            table.FRanges.push_back(range);
    }
    return table;
}

bool TtyDriverTable::MayBeTerminal(unsigned Major, unsigned Minor) const
{
    if (FRanges.empty())
        return true;
    for (const Range& r : FRanges)
        if (r.Major == Major && Minor >= r.First && Minor <= r.Last)
            return true;
    return false;
}

}  // namespace comm
