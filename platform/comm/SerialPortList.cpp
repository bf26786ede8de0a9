#include "comm/SerialPortList.h"

#include <filesystem>
#include <fstream>

namespace comm {

namespace fs = std::filesystem;

namespace {

// Adds the links named tty* in Dir that lead to a pseudo-terminal, each as
// its file name or its full path.
void AddPseudoTerminalLinks(const std::string& Dir, bool FullPath, std::vector<std::string>& Names)
{
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(Dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("tty", 0) != 0 || !entry.is_symlink(ec))
            continue;
        const fs::path target = fs::read_symlink(entry.path(), ec);
        if (!ec && target.parent_path().filename() == "pts")
            Names.push_back(FullPath ? entry.path().string() : name);
    }
}

}  // namespace

std::optional<std::vector<std::string>> ListSerialPorts(const std::string& Root, const std::string& DevDir,
                                                        const std::string& UserDir)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(Root, ec);
    if (ec)
        return std::nullopt;
    for (const fs::directory_entry& entry : it) {
        fs::path driver = entry.path() / "device" / "driver";
        if (!fs::exists(driver, ec))
            continue;
        if (fs::read_symlink(driver, ec).filename() == "serial8250") {
            // The legacy driver claims every slot; a UART type of 0 means
            // nothing is there.
            std::ifstream type(entry.path() / "type");
            int value = 0;
            if (!(type >> value) || value == 0)
                continue;
        }
        names.push_back(entry.path().filename().string());
    }
    AddPseudoTerminalLinks(DevDir, false, names);
    AddPseudoTerminalLinks(UserDir, true, names);
    return names;
}

}  // namespace comm
