#include "rtl/IniFile.h"

#include "rtl/Exception.h"
#include "rtl/FileUtils.h"
#include "rtl/Gbk.h"
#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace {

bool IsBlankLine(const std::string& Raw)
{
    return Trim(Raw).empty();
}

// Line breaks inside a name or value would split its line on disk.
std::string OneLine(std::string_view S)
{
    std::string R(S);
    for (char& C : R)
        if (C == '\r' || C == '\n')
            C = ' ';
    return R;
}

}  // namespace

TIniFile::TIniFile(std::string FileName) : FFileName(std::move(FileName)) {}

TIniFile::TLine TIniFile::ParseLine(std::string Raw)
{
    TLine L;
    L.Raw = std::move(Raw);
    // Structure is found in the decoded text: a GBK trail byte may look
    // like ']'. '=' and blanks are never trail bytes, so the raw value can
    // be cut from the bytes directly.
    const std::string Text = Trim(Gbk::FromGbk(L.Raw));
    if (Text.empty() || Text[0] == ';' || Text[0] == '#')
        return L;
    if (Text[0] == '[') {
        const std::size_t Close = Text.find(']');
        if (Close != std::string::npos) {
            L.Kind = TLineKind::Section;
            L.Name = Trim(std::string_view(Text).substr(1, Close - 1));
        }
        return L;
    }
    const std::size_t Eq = Text.find('=');
    if (Eq == std::string::npos)
        return L;
    const std::string Key = Trim(std::string_view(Text).substr(0, Eq));
    if (Key.empty())
        return L;
    L.Kind = TLineKind::Entry;
    L.Name = Key;
    L.Value = Trim(std::string_view(Text).substr(Eq + 1));
    L.RawValue = Trim(std::string_view(L.Raw).substr(L.Raw.find('=') + 1));
    return L;
}

TIniFile::TLine TIniFile::MakeEntry(std::string_view Ident, std::string_view Value)
{
    return ParseLine(Gbk::ToGbk(OneLine(Ident) + "=" + OneLine(Value)));
}

void TIniFile::IndexKeys(TBlock& Block)
{
    Block.Keys.clear();
    for (std::size_t I = 0; I < Block.Lines.size(); ++I)
        if (Block.Lines[I].Kind == TLineKind::Entry)
            Block.Keys.emplace(LowerCase(Block.Lines[I].Name), I);
}

void TIniFile::IndexSections()
{
    FSections.clear();
    for (std::size_t B = 1; B < FBlocks.size(); ++B)
        FSections.emplace(LowerCase(FBlocks[B].Lines.front().Name), B);
}

void TIniFile::Refresh()
{
    // An open update owns the file until it ends.
    if (FUpdateCount > 0 && FLoaded)
        return;
    struct stat St {};
    const bool Exists = ::stat(FFileName.c_str(), &St) == 0;
    const std::int64_t MTime = Exists ? std::int64_t(St.st_mtim.tv_sec) * 1000000000 + St.st_mtim.tv_nsec : 0;
    if (FLoaded && Exists == FExisted && (!Exists || (St.st_size == FSize && MTime == FMTimeNs && St.st_ino == FInode)))
        return;
    FBlocks.assign(1, TBlock());
    FSections.clear();
    FLoaded = false;
    FReadError.clear();
    if (Exists) {
        std::string Bytes;
        try {
            Bytes = ReadFileBytes(FFileName);
        } catch (const EInOutError& E) {
            // Reads give defaults; writes refuse, so the file is not lost.
            FReadError = E.Message;
            return;
        }
        std::size_t Start = 0;
        while (Start < Bytes.size()) {
            std::size_t End = Bytes.find_first_of("\r\n", Start);
            if (End == std::string::npos)
                End = Bytes.size();
            TLine Line = ParseLine(Bytes.substr(Start, End - Start));
            if (Line.Kind == TLineKind::Section)
                FBlocks.emplace_back();
            FBlocks.back().Lines.push_back(std::move(Line));
            if (End < Bytes.size() && Bytes[End] == '\r')
                ++End;
            if (End < Bytes.size() && Bytes[End] == '\n')
                ++End;
            Start = End;
        }
        for (TBlock& Block : FBlocks)
            IndexKeys(Block);
        IndexSections();
    }
    FLoaded = true;
    Remember(Exists, St);
}

void TIniFile::Remember(bool Exists, const struct stat& St)
{
    FExisted = Exists;
    FSize = Exists ? St.st_size : -1;
    FMTimeNs = Exists ? std::int64_t(St.st_mtim.tv_sec) * 1000000000 + St.st_mtim.tv_nsec : 0;
    FInode = Exists ? St.st_ino : 0;
}

void TIniFile::PrepareWrite()
{
    Refresh();
    if (!FLoaded)
        throw EInOutError(FReadError.empty() ? "Cannot read file \"" + FFileName + "\"" : FReadError);
}

void TIniFile::Changed()
{
    if (FUpdateCount > 0)
        FUnsaved = true;
    else
        Save();
}

void TIniFile::Save()
{
    std::string Bytes;
    for (const TBlock& Block : FBlocks)
        for (const TLine& L : Block.Lines) {
            Bytes += L.Raw;
            Bytes += "\r\n";
        }
    FUnsaved = false;
    try {
        WriteFileAtomic(FFileName, Bytes);
    } catch (...) {
        // Memory now differs from the disk: read the disk again next time.
        FLoaded = false;
        throw;
    }
    struct stat St {};
    if (::stat(FFileName.c_str(), &St) == 0)
        Remember(true, St);
    else
        FLoaded = false;
}

void TIniFile::BeginUpdate()
{
    std::lock_guard<std::mutex> Guard(FLock);
    Refresh();
    ++FUpdateCount;
}

void TIniFile::EndUpdate()
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (FUpdateCount == 0 || --FUpdateCount > 0)
        return;
    if (FUnsaved && FLoaded)
        Save();
}

int TIniFile::FindSection(std::string_view Section) const
{
    const auto It = FSections.find(LowerCase(Section));
    return It == FSections.end() ? -1 : static_cast<int>(It->second);
}

int TIniFile::FindKey(const TBlock& Block, std::string_view Ident)
{
    const auto It = Block.Keys.find(LowerCase(Ident));
    return It == Block.Keys.end() ? -1 : static_cast<int>(It->second);
}

const TIniFile::TLine* TIniFile::Lookup(std::string_view Section, std::string_view Ident)
{
    Refresh();
    const int S = FindSection(Section);
    if (S < 0)
        return nullptr;
    const TBlock& Block = FBlocks[S];
    const int K = FindKey(Block, Ident);
    return K < 0 ? nullptr : &Block.Lines[K];
}

template <class ReadsAsFn>
void TIniFile::Store(std::string_view Section, std::string_view Ident, std::string_view Value, ReadsAsFn ReadsAs)
{
    std::lock_guard<std::mutex> Guard(FLock);
    PrepareWrite();
    TLine Entry = MakeEntry(Ident, Value);
    const int S = FindSection(Section);
    if (S < 0) {
        TBlock Block;
        Block.Lines.push_back(ParseLine(Gbk::ToGbk("[" + OneLine(Section) + "]")));
        Block.Lines.push_back(std::move(Entry));
        IndexKeys(Block);
        FSections.emplace(LowerCase(Block.Lines.front().Name), FBlocks.size());
        FBlocks.push_back(std::move(Block));
        Changed();
        return;
    }
    TBlock& Block = FBlocks[S];
    const int K = FindKey(Block, Ident);
    if (K >= 0) {
        TLine& Line = Block.Lines[K];
        if (Line.RawValue == Entry.RawValue || ReadsAs(Line.Value))
            return;
        // Keep the key as it is spelled in the file.
        Line = MakeEntry(Line.Name, Value);
        Changed();
        return;
    }
    // After the section's last non-blank line, so that blank lines before
    // the next section stay where they are.
    std::size_t Insert = Block.Lines.size();
    while (Insert > 1 && IsBlankLine(Block.Lines[Insert - 1].Raw))
        --Insert;
    for (auto& Key : Block.Keys)
        if (Key.second >= Insert)
            ++Key.second;
    Block.Keys.emplace(LowerCase(Entry.Name), Insert);
    Block.Lines.insert(Block.Lines.begin() + Insert, std::move(Entry));
    Changed();
}

void TIniFile::StoreText(std::string_view Section, std::string_view Ident, std::string_view Value)
{
    const std::string Text = Trim(OneLine(Value));
    Store(Section, Ident, Value, [&](const std::string& Current) { return Current == Text; });
}

std::string TIniFile::ReadString(std::string_view Section, std::string_view Ident, const std::string& Default)
{
    std::lock_guard<std::mutex> Guard(FLock);
    const TLine* L = Lookup(Section, Ident);
    return L ? L->Value : Default;
}

std::string TIniFile::ReadStringBytes(std::string_view Section, std::string_view Ident, const std::string& Default)
{
    std::lock_guard<std::mutex> Guard(FLock);
    const TLine* L = Lookup(Section, Ident);
    return L ? L->RawValue : Default;
}

int TIniFile::ReadInteger(std::string_view Section, std::string_view Ident, int Default)
{
    return StrToIntDef(ReadString(Section, Ident, std::string()), Default);
}

double TIniFile::ReadFloat(std::string_view Section, std::string_view Ident, double Default)
{
    return StrToFloatDef(ReadString(Section, Ident, std::string()), Default);
}

bool TIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default)
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

TDateTime TIniFile::ReadDate(std::string_view Section, std::string_view Ident, TDateTime Default)
{
    TDateTime V;
    return TryStrToDate(ReadString(Section, Ident, std::string()), V) ? V : Default;
}

TDateTime TIniFile::ReadTime(std::string_view Section, std::string_view Ident, TDateTime Default)
{
    TDateTime V;
    return TryStrToTime(ReadString(Section, Ident, std::string()), V) ? V : Default;
}

TDateTime TIniFile::ReadDateTime(std::string_view Section, std::string_view Ident, TDateTime Default)
{
    TDateTime V;
    return TryStrToDateTime(ReadString(Section, Ident, std::string()), V) ? V : Default;
}

void TIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value)
{
    StoreText(Section, Ident, Value);
}

void TIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int Value)
{
    Store(Section, Ident, IntToStr(Value), [Value](const std::string& Current) {
        int V = 0;
        return TryStrToInt(Current, V) && V == Value;
    });
}

void TIniFile::WriteFloat(std::string_view Section, std::string_view Ident, double Value)
{
    Store(Section, Ident, FloatToStrExact(Value), [Value](const std::string& Current) {
        double V = 0;
        return TryStrToFloat(Current, V) && V == Value;
    });
}

void TIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value)
{
    Store(Section, Ident, Value ? "1" : "0", [Value](const std::string& Current) {
        int V = 0;
        return TryStrToInt(Current, V) && (V != 0) == Value;
    });
}

void TIniFile::WriteDate(std::string_view Section, std::string_view Ident, TDateTime Value)
{
    StoreText(Section, Ident, DateToStr(Value));
}

void TIniFile::WriteTime(std::string_view Section, std::string_view Ident, TDateTime Value)
{
    StoreText(Section, Ident, TimeToStr(Value));
}

void TIniFile::WriteDateTime(std::string_view Section, std::string_view Ident, TDateTime Value)
{
    StoreText(Section, Ident, DateTimeToStr(Value));
}

void TIniFile::ReadSections(TStrings* Strings)
{
    std::vector<std::string> Names;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        Refresh();
        // The index holds each name once, at its first block.
        for (std::size_t B = 1; B < FBlocks.size(); ++B) {
            const std::string& Name = FBlocks[B].Lines.front().Name;
            if (FindSection(Name) == static_cast<int>(B))
                Names.push_back(Name);
        }
    }
    Strings->BeginUpdate();
    Strings->Clear();
    for (const std::string& N : Names)
        Strings->Add(N);
    Strings->EndUpdate();
}

void TIniFile::ReadSection(std::string_view Section, TStrings* Strings)
{
    TStringList Values;
    ReadSectionValues(Section, &Values);
    Strings->BeginUpdate();
    Strings->Clear();
    for (int I = 0; I < Values.Count(); ++I)
        Strings->Add(Values.Names(I));
    Strings->EndUpdate();
}

void TIniFile::ReadSectionValues(std::string_view Section, TStrings* Strings)
{
    std::vector<std::pair<std::string, std::string>> Entries;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        Refresh();
        const int S = FindSection(Section);
        if (S >= 0) {
            const TBlock& Block = FBlocks[S];
            for (std::size_t I = 0; I < Block.Lines.size(); ++I) {
                const TLine& L = Block.Lines[I];
                if (L.Kind == TLineKind::Entry && FindKey(Block, L.Name) == static_cast<int>(I))
                    Entries.emplace_back(L.Name, L.Value);
            }
        }
    }
    Strings->BeginUpdate();
    Strings->Clear();
    for (const auto& E : Entries)
        Strings->Add(E.first + "=" + E.second);
    Strings->EndUpdate();
}

bool TIniFile::SectionExists(std::string_view Section)
{
    std::lock_guard<std::mutex> Guard(FLock);
    Refresh();
    const int S = FindSection(Section);
    return S >= 0 && !FBlocks[S].Keys.empty();
}

bool TIniFile::ValueExists(std::string_view Section, std::string_view Ident)
{
    std::lock_guard<std::mutex> Guard(FLock);
    return Lookup(Section, Ident) != nullptr;
}

void TIniFile::EraseSection(std::string_view Section)
{
    std::lock_guard<std::mutex> Guard(FLock);
    PrepareWrite();
    const std::size_t Before = FBlocks.size();
    FBlocks.erase(std::remove_if(FBlocks.begin() + 1, FBlocks.end(),
                                 [&](const TBlock& B) { return SameText(B.Lines.front().Name, Section); }),
                  FBlocks.end());
    if (FBlocks.size() == Before)
        return;
    IndexSections();
    Changed();
}

void TIniFile::DeleteKey(std::string_view Section, std::string_view Ident)
{
    std::lock_guard<std::mutex> Guard(FLock);
    PrepareWrite();
    const int S = FindSection(Section);
    if (S < 0 || FindKey(FBlocks[S], Ident) < 0)
        return;
    std::vector<TLine>& Lines = FBlocks[S].Lines;
    Lines.erase(std::remove_if(Lines.begin() + 1, Lines.end(),
                               [&](const TLine& L) { return L.Kind == TLineKind::Entry && SameText(L.Name, Ident); }),
                Lines.end());
    IndexKeys(FBlocks[S]);
    Changed();
}

void TIniFile::UpdateFile()
{
    std::lock_guard<std::mutex> Guard(FLock);
    Refresh();
}
