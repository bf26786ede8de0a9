// The property-text routines of kGPFunctions.
#include <algorithm>
#include <set>
#include <string_view>

#include "plot/core/kGPFunctions.h"
#include "rtl/Gbk.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedProperties.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

namespace {

constexpr std::size_t MaxLineLength = 255;
// Our number texts always use '.', whatever the locale.
constexpr char WriterDecimalSeparator = '.';

std::string ReplaceAll(std::string Text, const std::string& From, const std::string& To)
{
    std::size_t at = 0;
    while ((at = Text.find(From, at)) != std::string::npos) {
        Text.replace(at, From.size(), To);
        at += To.size();
    }
    return Text;
}

std::size_t Utf8SequenceLength(unsigned char Lead)
{
    if (Lead < 0x80)
        return 1;
    if ((Lead >> 5) == 0x6)
        return 2;
    if ((Lead >> 4) == 0xE)
        return 3;
    if ((Lead >> 3) == 0x1E)
        return 4;
    return 1;
}

// The limit holds for the line as the file stores it (code page 936, where
// a Chinese character takes two bytes); the cut falls between characters.
std::string CutToFileLength(const std::string& Line)
{
    // No character takes more bytes in the file than in memory.
    if (Line.size() <= MaxLineLength)
        return Line;
    std::size_t pos = 0, stored = 0;
    while (pos < Line.size()) {
        const std::size_t len = std::min(Utf8SequenceLength(static_cast<unsigned char>(Line[pos])), Line.size() - pos);
        const std::size_t bytes = Gbk::ToGbk(std::string_view(Line).substr(pos, len)).size();
        if (stored + bytes > MaxLineLength)
            break;
        stored += bytes;
        pos += len;
    }
    return Line.substr(0, pos);
}

void AddLine(TStrings& Lines, const std::string& Path, const std::string& Value)
{
    Lines.Add(CutToFileLength(Path + " = " + Value));
}

void WriteObject(TObject* Instance, const std::string& Prefix, TStrings& Lines, bool Differential,
                 const TStrings* SkipList, std::set<const TObject*>& Visited)
{
    if (!Visited.insert(Instance).second)
        return;
    for (const TPropInfo* p : TPropertyRegistry::Instance().GetPropList(Instance)) {
        if (!p->IsWritable() || !p->IsReadable() || !p->IsStored(Instance))
            continue;
        const std::string path = Trim(Prefix).empty() ? p->Name : Prefix + "." + p->Name;
        if (SkipList && SkipList->IndexOf(path) >= 0)
            continue;
        if (IsOrdinalKind(p->Kind)) {
            const std::int64_t value = GetOrdProp(Instance, *p);
            if (Differential && p->Default && *p->Default == value)
                continue;
            AddLine(Lines, path, std::to_string(value));
        } else if (p->Kind == TTypeKind::tkFloat) {
            AddLine(Lines, path, FloatToStr(GetFloatProp(Instance, *p)));
        } else if (p->Kind == TTypeKind::tkString) {
            AddLine(Lines, path, ReplaceAll(ReplaceAll(GetStrProp(Instance, *p), "\r", "#13"), "\n", "#10"));
        } else if (p->Kind == TTypeKind::tkClass && p->OwnsObject) {
            // Only owned sub-objects: a reference to another component
            // could lead back here.
            if (TObject* held = GetObjectProp(Instance, *p); held && dynamic_cast<TPersistent*>(held))
                WriteObject(held, path, Lines, Differential, SkipList, Visited);
        }
    }
}

}  // namespace

void WriteObjectProperties(TObject* Instance, const std::string& Prefix, TStrings& Lines, bool Differential,
                           const TStrings* SkipList)
{
    std::set<const TObject*> visited;
    WriteObject(Instance, Prefix, Lines, Differential, SkipList, visited);
}

void ReadObjectProperties(TObject* Instance, const std::string& Prefix, TStrings& Lines)
{
    while (Lines.Count() > 0) {
        std::string path, value;
        SplitNameValue(Lines[0], '=', path, value);
        if (StripPropertyPrefix(Prefix, path) != Prefix)
            break;
        ReadObjectProperty(Instance, path, value, WriterDecimalSeparator);
        Lines.Delete(0);
    }
}

void ReadObjectProperty(TObject* Instance, const std::string& Path, const std::string& Value, char DecimalSeparator)
{
    // Holders are followed only into the sub-objects they own, so a path
    // can neither leave the object nor go round in a circle.
    const TPropLocation location = FindPropertyByPath(Instance, Path);
    if (!location || !location.Info->IsWritable())
        return;
    TObject* target = location.Instance;
    const TPropInfo& p = *location.Info;
    if (IsOrdinalKind(p.Kind)) {
        SetOrdProp(target, p, StrToInt64(Trim(Value)));
    } else if (p.Kind == TTypeKind::tkFloat) {
        std::string text = Value;
        const char other = DecimalSeparator == '.' ? ',' : (DecimalSeparator == ',' ? '.' : '\0');
        if (other) {
            const std::size_t at = text.find(other);
            if (at != std::string::npos)
                text[at] = DecimalSeparator;
        }
        SetFloatProp(target, p, StrToFloat(text));
    } else if (p.Kind == TTypeKind::tkString) {
        SetStrProp(target, p, ReplaceAll(ReplaceAll(Value, "#13", "\r"), "#10", "\n"));
    }
}

bool ExtractValueByName(const std::string& Key, TStrings& Lines, std::string& Value)
{
    for (int i = 0; i < Lines.Count(); ++i) {
        const std::string line = Lines[i];
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;  // no name at all
        if (SameText(Trim(line.substr(0, eq)), Key)) {
            Value = Trim(line.substr(eq + 1));
            Lines.Delete(i);
            return true;
        }
    }
    return false;
}

void SplitNameValue(const std::string& Text, char Separator, std::string& Name, std::string& Value)
{
    const std::size_t at = Text.find(Separator);
    if (at == std::string::npos) {
        Name.clear();
        Value.clear();
        return;
    }
    Name = Trim(Text.substr(0, at));
    Value = Trim(Text.substr(at + 1));
}

std::string StripPropertyPrefix(const std::string& Prefix, std::string& Path)
{
    if (Prefix.empty())
        return std::string();
    const std::size_t dot = Path.find('.');
    const std::string first = Path.substr(0, dot);
    if (!SameText(first, Prefix))
        return std::string();
    Path = dot == std::string::npos ? std::string() : Path.substr(dot + 1);
    return first;
}

TObject* GetClassPropertyObject(TObject* Instance, const std::string& Name)
{
    const TPropInfo* p = GetPropInfo(Instance, Name);
    if (!p || p->Kind != TTypeKind::tkClass || !p->GetObject)
        return nullptr;
    return p->GetObject(Instance);
}
