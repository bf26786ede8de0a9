#include "ScratchFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

std::string MakeDirectory(std::string Template)
{
    return ::mkdtemp(Template.data()) ? Template : std::string();
}

}  // namespace

TScratchFile::TScratchFile(const std::string& Name)
{
    // In memory where there is such a file system: the settings files are
    // written with fsync, which on a disk would slow each run down.
    FDirectory = MakeDirectory("/dev/shm/kalvo-fuzz-XXXXXX");
    if (FDirectory.empty())
        FDirectory = MakeDirectory("/tmp/kalvo-fuzz-XXXXXX");
    if (FDirectory.empty()) {
        std::perror("mkdtemp");
        std::abort();
    }
    FPath = FDirectory + "/" + Name;
}

TScratchFile::~TScratchFile()
{
    std::remove(FPath.c_str());
    ::rmdir(FDirectory.c_str());
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
