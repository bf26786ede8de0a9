#include "controls/VcRegIniFile.h"

#include "rtl/Exception.h"
#include "rtl/IniFile.h"

#include <cmath>

TVcRegIniFile::TVcRegIniFile(TComponent* AOwner) : TComponent(AOwner) {}

TVcRegIniFile::~TVcRegIniFile() = default;

void TVcRegIniFile::SetPath(const std::string& Value)
{
    if (Value == FPath)
        return;
    FPath = Value;
    FIni.reset();
}

TIniFile& TVcRegIniFile::Ini()
{
    if (!FIni)
        FIni = std::make_unique<TIniFile>(FPath);
    return *FIni;
}

int TVcRegIniFile::ReadInteger(std::string_view Section, std::string_view Key, int Default)
{
    return Ini().ReadInteger(Section, Key, Default);
}

double TVcRegIniFile::ReadFloat(std::string_view Section, std::string_view Key, double Default)
{
    const double V = Ini().ReadFloat(Section, Key, Default);
    return std::isfinite(V) ? V : Default;
}

bool TVcRegIniFile::ReadBool(std::string_view Section, std::string_view Key, bool Default)
{
    return Ini().ReadBool(Section, Key, Default);
}

std::string TVcRegIniFile::ReadString(std::string_view Section, std::string_view Key, const std::string& Default)
{
    return Ini().ReadString(Section, Key, Default);
}

TDateTime TVcRegIniFile::ReadDate(std::string_view Section, std::string_view Key, TDateTime Default)
{
    return std::trunc(Ini().ReadDate(Section, Key, Default));
}

std::string TVcRegIniFile::ReadStringBytes(std::string_view Section, std::string_view Key, const std::string& Default)
{
    return Ini().ReadStringBytes(Section, Key, Default);
}

template <class F> void TVcRegIniFile::Write(F&& Operation)
{
    try {
        Operation();
    } catch (const EInOutError&) {
        if (OnWriteError)
            OnWriteError(FPath);
        return;
    }
    if (OnWriteDone)
        OnWriteDone(FPath);
}

void TVcRegIniFile::WriteInteger(std::string_view Section, std::string_view Key, int Value)
{
    Write([&] { Ini().WriteInteger(Section, Key, Value); });
}

void TVcRegIniFile::WriteFloat(std::string_view Section, std::string_view Key, double Value)
{
    Write([&] { Ini().WriteFloat(Section, Key, Value); });
}

void TVcRegIniFile::WriteBool(std::string_view Section, std::string_view Key, bool Value)
{
    Write([&] { Ini().WriteBool(Section, Key, Value); });
}

void TVcRegIniFile::WriteString(std::string_view Section, std::string_view Key, std::string_view Value)
{
    Write([&] { Ini().WriteString(Section, Key, Value); });
}

void TVcRegIniFile::WriteDate(std::string_view Section, std::string_view Key, TDateTime Value)
{
    Write([&] { Ini().WriteDate(Section, Key, std::trunc(Value)); });
}
