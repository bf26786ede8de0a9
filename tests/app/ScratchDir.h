#pragma once
// A fresh directory for one test, removed afterwards, and file helpers.
#include <chrono>
#include <cstdlib>
#include <ctime>
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
    // Dates the file's last write to a local time, as the clock of the day
    // a run ended would have.
    static void SetLastWrite(const std::string& FileName, int Year, int Month, int Day, int Hour, int Minute,
                             int Second)
    {
        std::tm Local{};
        Local.tm_year = Year - 1900;
        Local.tm_mon = Month - 1;
        Local.tm_mday = Day;
        Local.tm_hour = Hour;
        Local.tm_min = Minute;
        Local.tm_sec = Second;
        Local.tm_isdst = -1;
        std::filesystem::last_write_time(FileName, std::filesystem::file_time_type::clock::from_sys(
                                                       std::chrono::system_clock::from_time_t(std::mktime(&Local))));
    }

private:
    std::string FPath;
};
