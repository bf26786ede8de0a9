#pragma once
// Profile (INI) files with the Windows rules: section and key names match
// ignoring case, the first occurrence wins, values are trimmed, a missing or
// invalid value gives the default, unknown lines and their order are kept,
// a new key goes to the end of its section. GBK and CRLF on disk. Each
// change reaches the disk at once, atomically; a write whose key already
// reads as the value written leaves the file untouched, so bytes that
// decode with a '?', or numbers spelled another way ("0x10", "1.50"), keep
// their text. The file is read again when it changed on disk, so several
// objects on one file agree. Sections and keys are found through an index:
// a look-up costs the same in a file of thousands of sections.
#include "rtl/DateTime.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TStrings;
struct stat;

class TIniFile {
public:
    explicit TIniFile(std::string FileName);
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;
    virtual ~TIniFile() = default;

    const std::string& FileName() const { return FFileName; }

    std::string ReadString(std::string_view Section, std::string_view Ident, const std::string& Default);
    // The value's bytes exactly as on disk (trimmed, not decoded), for
    // callers that must tell how a value was encoded.
    std::string ReadStringBytes(std::string_view Section, std::string_view Ident, const std::string& Default);
    // Decimal, or hexadecimal with "0x" or "$".
    int ReadInteger(std::string_view Section, std::string_view Ident, int Default);
    // '.' or ',' as decimal separator.
    double ReadFloat(std::string_view Section, std::string_view Ident, double Default);
    // An integer: 0 is false, any other is true; anything else the default.
    bool ReadBool(std::string_view Section, std::string_view Ident, bool Default);
    // Short date format "yyyy-mm-dd"; time "hh:nn:ss"; date and time joined by a blank.
    TDateTime ReadDate(std::string_view Section, std::string_view Ident, TDateTime Default);
    TDateTime ReadTime(std::string_view Section, std::string_view Ident, TDateTime Default);
    TDateTime ReadDateTime(std::string_view Section, std::string_view Ident, TDateTime Default);

    // Raise EInOutError naming the file when the file cannot be written.
    // Line breaks in a value would split the line and are written as blanks.
    void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value);
    void WriteInteger(std::string_view Section, std::string_view Ident, int Value);
    // General format, '.' as decimal separator, with the digits it takes to
    // read back the same value.
    void WriteFloat(std::string_view Section, std::string_view Ident, double Value);
    void WriteBool(std::string_view Section, std::string_view Ident, bool Value);
    void WriteDate(std::string_view Section, std::string_view Ident, TDateTime Value);
    void WriteTime(std::string_view Section, std::string_view Ident, TDateTime Value);
    void WriteDateTime(std::string_view Section, std::string_view Ident, TDateTime Value);

    // Section names in file order, each once.
    void ReadSections(TStrings* Strings);
    // Key names of Section, each once, in file order.
    void ReadSection(std::string_view Section, TStrings* Strings);
    // "Key=Value" for each key of Section (first occurrence of each).
    void ReadSectionValues(std::string_view Section, TStrings* Strings);
    // True when the section holds at least one key.
    bool SectionExists(std::string_view Section);
    // True when the key is present, even with an empty value.
    bool ValueExists(std::string_view Section, std::string_view Ident);
    // Removes every section of that name with all its lines.
    void EraseSection(std::string_view Section);
    // Removes the key (every line of it) from the section.
    void DeleteKey(std::string_view Section, std::string_view Ident);
    // Changes are written at once; this only re-reads a file changed on disk.
    void UpdateFile();

    // Between BeginUpdate and the matching EndUpdate (they nest) changes
    // are kept in memory and the file is not looked at again; EndUpdate
    // writes them in one atomic rewrite, raising EInOutError like a write.
    // For many changes in a row, such as a start-up writing back every
    // key it read.
    void BeginUpdate();
    void EndUpdate();

private:
    enum class TLineKind { Other, Section, Entry };
    struct TLine {
        std::string Raw;  // the bytes on disk, without the line end
        TLineKind Kind = TLineKind::Other;
        std::string Name;      // section name or key, trimmed, UTF-8
        std::string Value;     // trimmed value, UTF-8
        std::string RawValue;  // trimmed value as on disk
    };

    // A section header with the lines up to the next one; the first block
    // holds the lines before any header and has no header.
    struct TBlock {
        std::vector<TLine> Lines;
        // Lower-case key -> index in Lines of its first entry.
        std::unordered_map<std::string, std::size_t> Keys;
    };

    static TLine ParseLine(std::string Raw);
    static TLine MakeEntry(std::string_view Ident, std::string_view Value);
    static void IndexKeys(TBlock& Block);
    void IndexSections();
    void Refresh();
    void Remember(bool Exists, const struct stat& St);
    // Refreshes and raises EInOutError when the file exists but cannot be read.
    void PrepareWrite();
    // Writes the lines now, or at EndUpdate while an update is open.
    void Changed();
    void Save();
    // Index in FBlocks of the first section of that name, or -1.
    int FindSection(std::string_view Section) const;
    // Index in the block's lines of the key's first entry, or -1.
    static int FindKey(const TBlock& Block, std::string_view Ident);
    const TLine* Lookup(std::string_view Section, std::string_view Ident);
    // Writes Value unless the key's current text already reads as it
    // (ReadsAs(decoded text) is true).
    template <class ReadsAsFn>
    void Store(std::string_view Section, std::string_view Ident, std::string_view Value, ReadsAsFn ReadsAs);
    void StoreText(std::string_view Section, std::string_view Ident, std::string_view Value);

    std::mutex FLock;
    std::string FFileName;
    std::vector<TBlock> FBlocks;
    // Lower-case section name -> index in FBlocks of its first block.
    std::unordered_map<std::string, std::size_t> FSections;
    bool FLoaded = false;
    int FUpdateCount = 0;
    bool FUnsaved = false;
    std::string FReadError;
    // What the file looked like when last read or written, to notice changes.
    bool FExisted = false;
    std::int64_t FSize = -1;
    std::int64_t FMTimeNs = 0;
    std::uint64_t FInode = 0;
};
