#include "app/UniqueFileName.h"

#include "rtl/FileUtils.h"
#include "rtl/NumberFormat.h"

#include <cctype>
#include <cstdint>

std::string RemoveFileExt(std::string_view FileName)
{
    const std::string ext = ExtractFileExt(FileName);
    return std::string(FileName.substr(0, FileName.size() - ext.size()));
}

namespace {

// For a base ending in "(k)" with at least one character before the
// parenthesis: the base without it and k.
bool SplitNumberSuffix(const std::string& Base, std::string& Stem, std::int64_t& Number)
{
    if (Base.size() < 3 || Base.back() != ')')
        return false;
    std::size_t p = Base.size() - 1;  // index of the final ')'
    while (p > 0 && std::isdigit(static_cast<unsigned char>(Base[p - 1])))
        --p;
    // p is now the index of the first digit; the '(' sits before it.
    if (p < 2 || Base[p - 1] != '(' || p == Base.size() - 1)
        return false;
    const std::string digits = Base.substr(p, Base.size() - 1 - p);
    if (!TryStrToInt64(digits, Number) || Number < 0 || Number > INT32_MAX)
        return false;
    Stem = Base.substr(0, p - 1);
    return true;
}

}  // namespace

std::string UniqueFileName(std::string_view FileName)
{
    const std::string dir = ExtractFilePath(FileName);
    const std::string ext = ExtractFileExt(FileName);
    std::string base = RemoveFileExt(ExtractFileName(FileName));
    std::int64_t n = 2;
    for (;;) {
        const std::string candidate = dir + base + ext;
        if (!FileExists(candidate))
            return candidate;
        std::string stem;
        std::int64_t k = 0;
        if (SplitNumberSuffix(base, stem, k)) {
            base = stem;
            n = k + 1;
        } else {
            base += "(" + IntToStr(n) + ")";
        }
    }
}
