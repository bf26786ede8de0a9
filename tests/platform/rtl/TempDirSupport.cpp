#include "TempDirSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir()
{
    std::string Pattern = (std::filesystem::temp_directory_path() / "kalvo-rtl-XXXXXX").string();
    if (!mkdtemp(Pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    FPath = Pattern + "/";
}

TempDir::~TempDir()
{
    std::error_code Ec;
    std::filesystem::remove_all(FPath, Ec);
}

std::string ReadRaw(const std::string& FileName)
{
    std::ifstream In(FileName, std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

void WriteRaw(const std::string& FileName, const std::string& Bytes)
{
    std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
    Out << Bytes;
    if (!Out)
        throw std::runtime_error("cannot write " + FileName);
}
