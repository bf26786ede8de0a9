#include "controls/VcVersionInfo.h"

#include "rtl/FileUtils.h"

namespace {
// The program's file version; executables here carry no version resource.
constexpr const char* ProgramFileVersion = "1.0.0.0";
}  // namespace

std::string TVcVersionInfo::FileVersion() const
{
    if (FFileName.empty() || !FileExists(FFileName))
        return {};
    return ProgramFileVersion;
}
