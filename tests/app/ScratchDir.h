#pragma once
// A fresh directory for one test, removed afterwards, and file helpers.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TScratchDir {
public:
    TScratchDir()
    {
        std::string Pattern = (std::filesystem::temp_directory_path() / "kalvo-app-XXXXXX").string();
        if (!mkdtemp(Pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        FPath = Pattern + "/";
    }
    ~TScratchDir() { std::filesystem::remove_all(FPath); }
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    const std::string& Path() const { return FPath; }
    std::string File(const std::string& Name) const { return FPath + Name; }
    std::string operator/(const std::string& Name) const { return File(Name); }

    static std::string Read(const std::string& FileName)
    {
        std::ifstream In(FileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(In), {});
    }
    static void Write(const std::string& FileName, const std::string& Bytes)
    {
        std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
        Out << Bytes;
    }

private:
    std::string FPath;
};
