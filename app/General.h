#pragma once
// Constants and small helpers shared by the application's units.
#include <functional>
#include <set>
#include <string>
#include <string_view>

// A channel value that means "no value" (time-out, or reset at run start).
inline constexpr double NoValue = -99999999.0;
inline const std::string NoValueText = "-------";

// A device section name as shown to the user: every "device" (any case)
// becomes "设备", so "Device3" reads "设备3".
std::string DeviceLabel(std::string_view Section);

// Failed writes of a settings file are reported once per file, until a write
// to that file succeeds again, so a read-only disk does not bury the user in
// boxes while loading and no change is lost silently.
class TSettingsWriteReporter {
public:
    using TReportEvent = std::function<void(const std::string& Message)>;

    void Failed(const std::string& FileName);
    void Succeeded(const std::string& FileName);
    // Shows the message; when unassigned an error box shows it.
    TReportEvent OnReport;

private:
    std::set<std::string> FReported;
};

TSettingsWriteReporter& SettingsWriteReporter();
