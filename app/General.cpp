#include "app/General.h"

#include "rtl/StrUtils.h"
#include "ui/Application.h"

std::string DeviceLabel(std::string_view Section)
{
    return StringReplace(Section, "device", "设备", rfReplaceAll | rfIgnoreCase);
}

void TSettingsWriteReporter::Failed(const std::string& FileName)
{
    if (!FReported.insert(FileName).second)
        return;
    const std::string Message = "无法保存设置文件: " + FileName;
    if (OnReport)
        OnReport(Message);
    else
        Application->MessageBox(Message, "错误", MB_OK | MB_ICONERROR);
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
