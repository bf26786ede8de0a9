#include "app/RunningLogRecovery.h"

#include "app/UniqueFileName.h"
#include "rtl/DateTime.h"
#include "rtl/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <regex>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

const std::regex RunningLogPattern(R"(\$\$\$RunningLogFile(?:\(([0-9]+)\))?\.\$\$\$)");

// The number a run gave its log: 1 for the unnumbered name.
long long RunningLogNumber(const std::string& Name)
{
    std::smatch match;
    if (!std::regex_match(Name, match, RunningLogPattern) || !match[1].matched)
        return 1;
    // Beyond the range: last.
    return std::strtoll(match[1].str().c_str(), nullptr, 10);
}

// The name a run would have given its file at the time of the last write:
// "yyyymmddhhnnss.csv", in local time.
std::string NameOfLastWrite(const struct stat& Status)
{
    std::tm local{};
    localtime_r(&Status.st_mtime, &local);
    const TDateTime written = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
                              EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0);
    return FormatDateTime("yyyymmddhhnnss", written) + ".csv";
}

}  // namespace

bool IsRunningLogName(const std::string& Name)
{
    return std::regex_match(Name, RunningLogPattern);
}

std::string RecoverRunningLogs(const std::string& TempDir, const std::string& DataDir, TLogFileSystem& Files)
{
    // In the order the runs numbered them, so logs of the same second keep
    // that order in their new names.
    std::vector<std::pair<long long, std::string>> logs;
    std::error_code listing;
    for (const auto& entry : std::filesystem::directory_iterator(TempDir, listing)) {
        const std::string name = entry.path().filename().string();
        if (IsRunningLogName(name))
            logs.emplace_back(RunningLogNumber(name), entry.path().string());
    }
    std::sort(logs.begin(), logs.end());

    std::string told;
    for (const auto& [number, log] : logs) {
        const std::error_code held = Files.Hold(log);
        if (held == std::errc::operation_would_block)
            continue;
        struct stat status {};
        if (held || ::stat(log.c_str(), &status) != 0) {
            const std::error_code error = held ? held : std::error_code(errno, std::system_category());
            told += "无法移动记录文件: " + log + " (" + error.message() + ")\r\n";
            continue;
        }
        if (!S_ISREG(status.st_mode) || status.st_size == 0)
            continue;
        ForceDirectories(DataDir);
        const std::string target = UniqueFileName(IncludeTrailingPathDelimiter(DataDir) + NameOfLastWrite(status));
        if (const std::error_code error = Files.Rename(log, target))
            told += "无法保存记录文件: " + target + " (" + error.message() + ")，数据保存在: " + log + "\r\n";
        else
            told += "数据已保存在: " + target + "\r\n";
    }
    return told.empty() ? told : "发现未正常结束的记录文件。\r\n" + told;
}
