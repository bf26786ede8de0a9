#include "ui/Graphic.h"
#include <sstream>
#include "rtl/FileUtils.h"

void TGraphic::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    Changed();
}

void TGraphic::SaveToFile(const std::string& FileName) const
{
    std::ostringstream Data;
    SaveToStream(Data);
    WriteFileAtomic(FileName, Data.str());
}
