#pragma once
// Non-visual settings component. Only its INI-file mode exists here: every
// typed operation makes sure an INI file object exists for the current path
// and forwards to it. Readers return the default for a missing key or text
// that does not convert; writers write at once.
#include "rtl/Component.h"
#include "rtl/DateTime.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TIniFile;

class TVcRegIniFile : public TComponent {
public:
    explicit TVcRegIniFile(TComponent* AOwner = nullptr);
    ~TVcRegIniFile() override;

    const std::string& Path() const { return FPath; }
    void SetPath(const std::string& Value);

    int ReadInteger(std::string_view Section, std::string_view Key, int Default);
    double ReadFloat(std::string_view Section, std::string_view Key, double Default);
    bool ReadBool(std::string_view Section, std::string_view Key, bool Default);
    std::string ReadString(std::string_view Section, std::string_view Key, const std::string& Default);
    // Date part only.
    TDateTime ReadDate(std::string_view Section, std::string_view Key, TDateTime Default);
    // The value's bytes as they are in the file, not decoded from its code page.
    std::string ReadStringBytes(std::string_view Section, std::string_view Key, const std::string& Default);

    void WriteInteger(std::string_view Section, std::string_view Key, int Value);
    void WriteFloat(std::string_view Section, std::string_view Key, double Value);
    void WriteBool(std::string_view Section, std::string_view Key, bool Value);
    void WriteString(std::string_view Section, std::string_view Key, std::string_view Value);
    void WriteDate(std::string_view Section, std::string_view Key, TDateTime Value);

    // A write that did not reach the file raises nothing; it is handed here
    // (with the file's name) so that it is not lost silently.
    std::function<void(const std::string& FileName)> OnWriteError;
    // Called after every write that reached the file.
    std::function<void(const std::string& FileName)> OnWriteDone;

private:
    TIniFile& Ini();
    template <class F> void Write(F&& Operation);

    std::string FPath;
    std::unique_ptr<TIniFile> FIni;
};
