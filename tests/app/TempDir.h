#pragma once
// A fresh directory for one test, removed with everything in it afterwards.
#include <filesystem>
#include <random>
#include <string>

class TTempDir {
public:
    TTempDir()
    {
        std::random_device rd;
        FPath = std::filesystem::temp_directory_path() /
                ("kalvo-app-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(FPath);
    }
    ~TTempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // The directory with a trailing '/'.
    std::string Path() const { return FPath.string() + "/"; }
    std::string operator/(const std::string& Name) const { return Path() + Name; }

private:
    std::filesystem::path FPath;
};
