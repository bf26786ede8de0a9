#include "tools/modbussim/LinkClaim.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace modbussim {

namespace {

namespace fs = std::filesystem;

// One name for every way of writing the path: relative or absolute, through
// a linked directory or not. The last part is the link itself and stays.
std::string Key(const std::string& Path)
{
    std::error_code failure;
    const fs::path absolute = fs::absolute(Path, failure);
    if (failure)
        return Path;
    const fs::path directory = fs::weakly_canonical(absolute.parent_path(), failure);
    return failure ? absolute.lexically_normal().string() : (directory / absolute.filename()).string();
}

// The socket address named after Path, and its length.
std::pair<sockaddr_un, socklen_t> AddressOf(const std::string& Path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // Abstract names start with a zero byte; one too long for the address
    // is shortened to a hash of the path.
    std::string name = "modbussim-link:" + Key(Path);
    if (name.size() >= sizeof address.sun_path) {
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (unsigned char c : name) {
            hash ^= c;
            hash *= 1099511628211ull;
        }
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
        name = std::string("modbussim-link#") + hex;
    }
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    return {address, static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size())};
}

}  // namespace

LinkClaim::LinkClaim(const std::string& Path)
{
    const auto [address, size] = AddressOf(Path);
    FSocket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (FSocket < 0)
        throw std::system_error(errno, std::generic_category(), "socket");
    if (::bind(FSocket, reinterpret_cast<const sockaddr*>(&address), size) == 0)
        return;
    const int error = errno;
    ::close(FSocket);
    FSocket = -1;
    if (error != EADDRINUSE)
        throw std::system_error(error, std::generic_category(), "cannot hold the link " + Path);
}

LinkClaim::~LinkClaim()
{
    if (FSocket >= 0)
        ::close(FSocket);
}

std::string LinkClaim::FreePathLike(const std::string& Path)
{
    std::size_t digits = Path.size();
    while (digits > 0 && Path[digits - 1] >= '0' && Path[digits - 1] <= '9' && Path.size() - digits < 9)
        --digits;
    const std::string stem = Path.substr(0, digits);
    const long number = digits < Path.size() ? std::stol(Path.substr(digits)) : 0;
    for (long next = number + 1; next <= number + 100; ++next) {
        const std::string candidate = stem + std::to_string(next);
        std::error_code failure;
        if (fs::symlink_status(candidate, failure).type() == fs::file_type::not_found && LinkClaim(candidate).Held())
            return candidate;
    }
    return stem + std::to_string(number + 1);
}

}  // namespace modbussim
