#include "ScratchFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

TScratchFile::TScratchFile(const std::string& Name)
{
    char dir[] = "/tmp/kalvo-fuzz-XXXXXX";
    if (!::mkdtemp(dir)) {
        std::perror("mkdtemp");
        std::abort();
    }
    FPath = std::string(dir) + "/" + Name;
}

void TScratchFile::Write(const std::string& Bytes) const
{
    std::ofstream out(FPath, std::ios::binary | std::ios::trunc);
    out << Bytes;
    if (!out.flush()) {
        std::perror(FPath.c_str());
        std::abort();
    }
}
