// Any INI file: a key written goes back out as written, and writing it
// leaves every other value of the file as it read before.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <utility>

#include "FuzzCheck.h"
#include "FuzzText.h"
#include "ScratchFile.h"
#include "rtl/IniFile.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

namespace {

using TValues = std::map<std::pair<std::string, std::string>, std::string>;

// Every value the file offers, by lower-cased section and key.
TValues ReadAll(TIniFile& Ini)
{
    TValues values;
    TStringList sections;
    Ini.ReadSections(&sections);
    for (int s = 0; s < sections.Count(); ++s) {
        TStringList keys;
        Ini.ReadSection(sections[s], &keys);
        for (int k = 0; k < keys.Count(); ++k)
            values[{LowerCase(sections[s]), LowerCase(keys[k])}] = Ini.ReadString(sections[s], keys[k], "<none>");
    }
    return values;
}

const char* const NameChars = "abcXYZ019 _.-";
const char* const ValueChars = "aZ09 =;#[]._-,\t";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static const TScratchFile file("fuzz.ini");
    FuzzedDataProvider in(Data, Size);
    std::string section = Trim(PickText(in, NameChars, 6));
    std::string key = Trim(PickText(in, NameChars, 6));
    if (section.empty())
        section = "S";
    if (key.empty())
        key = "k";
    const std::string value = Trim(PickText(in, ValueChars, 12));
    const int number = in.ConsumeIntegral<int>();
    const double real = in.ConsumeFloatingPoint<double>();
    const int kind = in.ConsumeIntegralInRange<int>(0, 2);
    file.Write(in.ConsumeRemainingBytesAsString());

    TValues before;
    {
        TIniFile ini(file.Path());
        before = ReadAll(ini);
        switch (kind) {
        case 0: ini.WriteString(section, key, value); break;
        case 1: ini.WriteInteger(section, key, number); break;
        default: ini.WriteFloat(section, key, real); break;
        }
    }

    TIniFile again(file.Path());
    switch (kind) {
    case 0: FUZZ_CHECK(again.ReadString(section, key, "<none>") == value); break;
    case 1: FUZZ_CHECK(again.ReadInteger(section, key, number ^ 1) == number); break;
    default: FUZZ_CHECK(FloatToStr(again.ReadFloat(section, key, -real)) == FloatToStr(real)); break;
    }
    TValues after = ReadAll(again);
    before.erase({LowerCase(section), LowerCase(key)});
    after.erase({LowerCase(section), LowerCase(key)});
    FUZZ_CHECK(before == after);
    return 0;
}
