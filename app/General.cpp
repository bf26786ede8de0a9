#include "app/General.h"

#include "rtl/StrUtils.h"

std::string DeviceLabel(std::string_view Section)
{
    return StringReplace(Section, "device", "设备", rfReplaceAll | rfIgnoreCase);
}

void TSettingsWriteReporter::Failed(const std::string& FileName)
{
    if (!FReported.insert(FileName).second)
        return;
    if (OnReport)
        OnReport("无法保存设置文件: " + FileName);
}

void TSettingsWriteReporter::Succeeded(const std::string& FileName)
{
    FReported.erase(FileName);
}

TSettingsWriteReporter& SettingsWriteReporter()
{
    static TSettingsWriteReporter Reporter;
    return Reporter;
}
