#include "LocaleSupport.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

bool HasDecimalComma()
{
    const std::lconv* Conv = std::localeconv();
    return Conv && Conv->decimal_point && std::string(Conv->decimal_point) == ",";
}

bool GenerateLocale()
{
    const std::filesystem::path Dir = std::filesystem::temp_directory_path() /
                                      ("kalvo-locale-" + std::to_string(getuid()));
    const std::filesystem::path Target = Dir / "de_DE.UTF-8";
    std::error_code Ec;
    std::filesystem::create_directories(Dir, Ec);
    if (!std::filesystem::exists(Target / "LC_NUMERIC")) {
        const std::string Command = "localedef -i de_DE -f UTF-8 '" + Target.string() + "' >/dev/null 2>&1";
        if (std::system(Command.c_str()) != 0 && !std::filesystem::exists(Target / "LC_NUMERIC"))
            return false;
    }
    setenv("LOCPATH", Dir.c_str(), 1);
    return true;
}

}  // namespace

CommaLocale::CommaLocale()
{
    const char* Old = std::setlocale(LC_ALL, nullptr);
    FSaved = Old ? Old : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") && HasDecimalComma()) {
        FActive = true;
        return;
    }
    if (GenerateLocale() && std::setlocale(LC_ALL, "de_DE.UTF-8") && HasDecimalComma())
        FActive = true;
}

CommaLocale::~CommaLocale()
{
    std::setlocale(LC_ALL, FSaved.c_str());
}
