#include "ui/Graphic.h"
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

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
    const std::string Bytes = Data.str();
    const std::string Temporary = FileName + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream File(Temporary, std::ios::binary | std::ios::trunc);
        if (File)
            File.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
        File.close();
        if (!File) {
            std::remove(Temporary.c_str());
            throw EInOutError("Cannot create file \"" + FileName + "\"");
        }
    }
    if (std::rename(Temporary.c_str(), FileName.c_str()) != 0) {
        std::remove(Temporary.c_str());
        throw EInOutError("Cannot create file \"" + FileName + "\"");
    }
}
