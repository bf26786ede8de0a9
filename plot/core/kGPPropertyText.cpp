// The property-text routines of kGPFunctions.
#include <functional>
#include <set>
#include <string_view>

#include "plot/core/kGPFunctions.h"
#include "rtl/NumberFormat.h"
#include "rtl/PublishedProperties.h"
#include "rtl/StrUtils.h"
#include "rtl/Strings.h"

namespace {

// Our number texts always use '.', whatever the locale.
constexpr char WriterDecimalSeparator = '.';

// Line breaks become "#13" and "#10"; a "#" of the text itself becomes
// "#35", so text that reads "#13" comes back as written.
std::string EscapeText(const std::string& Text)
{
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text) {
        if (c == '#')
            out += "#35";
        else if (c == '\r')
            out += "#13";
        else if (c == '\n')
            out += "#10";
        else
            out += c;
    }
    return out;
}

// In one pass, so that an escape is never made out of the end of another;
// a "#" that starts no escape (files of older writers) stays.
std::string UnescapeText(const std::string& Text)
{
    std::string out;
    out.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const std::string_view code = std::string_view(Text).substr(i, 3);
        if (code == "#13" || code == "#10" || code == "#35") {
            out += code == "#13" ? '\r' : (code == "#10" ? '\n' : '#');
            i += 2;
        } else {
            out += Text[i];
        }
    }
    return out;
}

bool IsBlank(const std::string& Line)
{
    return Trim(Line).empty();
}

// A line is never cut: a cut value would load as another value.
void AddLine(TStrings& Lines, const std::string& Path, const std::string& Value)
{
    Lines.Add(Path + " = " + Value);
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
            AddLine(Lines, path, FloatToStrExact(GetFloatProp(Instance, *p)));
        } else if (p->Kind == TTypeKind::tkString) {
            AddLine(Lines, path, EscapeText(GetStrProp(Instance, *p)));
        } else if (p->Kind == TTypeKind::tkClass && (p->OwnsObject || p->SharesObject)) {
            // Only sub-objects that are parts of this one: a reference to
            // another component could lead back here.
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
        // A blank line carries nothing and ends no section.
        if (IsBlank(Lines[0])) {
            Lines.Delete(0);
            continue;
        }
        std::string path, value;
        SplitNameValue(Lines[0], '=', path, value);
        if (StripPropertyPrefix(Prefix, path) != Prefix)
            break;
        ReadObjectProperty(Instance, path, value, WriterDecimalSeparator);
        Lines.Delete(0);
    }
}

namespace {

// A line's value as its property takes it.
struct TPropertyValue {
    TPropLocation Location;
    std::int64_t Ordinal = 0;
    double Float = 0;
    std::string Text;
};

// False for a line that is ignored; raises EConvertError for a value the
// property cannot take.
bool ConvertPropertyValue(TObject* Instance, const std::string& Path, const std::string& Value, char DecimalSeparator,
                          TPropertyValue& Result)
{
    // Holders are followed only into the sub-objects they own, so a path
    // can neither leave the object nor go round in a circle.
    Result.Location = FindPropertyByPath(Instance, Path);
    if (!Result.Location || !Result.Location.Info->IsWritable())
        return false;
    const TPropInfo& p = *Result.Location.Info;
    if (IsOrdinalKind(p.Kind)) {
        Result.Ordinal = StrToInt64(Trim(Value));
        CheckOrdRange(p, Result.Ordinal);
    } else if (p.Kind == TTypeKind::tkFloat) {
        std::string text = Value;
        const char other = DecimalSeparator == '.' ? ',' : (DecimalSeparator == ',' ? '.' : '\0');
        if (other) {
            const std::size_t at = text.find(other);
            if (at != std::string::npos)
                text[at] = DecimalSeparator;
        }
        Result.Float = StrToFloat(text);
    } else if (p.Kind == TTypeKind::tkString) {
        Result.Text = UnescapeText(Value);
    } else {
        return false;
    }
    return true;
}

}  // namespace

void ReadObjectProperty(TObject* Instance, const std::string& Path, const std::string& Value, char DecimalSeparator)
{
    TPropertyValue v;
    if (!ConvertPropertyValue(Instance, Path, Value, DecimalSeparator, v))
        return;
    TObject* target = v.Location.Instance;
    const TPropInfo& p = *v.Location.Info;
    if (IsOrdinalKind(p.Kind))
        SetOrdProp(target, p, v.Ordinal);
    else if (p.Kind == TTypeKind::tkFloat)
        SetFloatProp(target, p, v.Float);
    else
        SetStrProp(target, p, v.Text);
}

void CheckObjectProperty(TObject* Instance, const std::string& Path, const std::string& Value, char DecimalSeparator)
{
    TPropertyValue v;
    ConvertPropertyValue(Instance, Path, Value, DecimalSeparator, v);
}

void ResetToDeclaredDefaults(TObject* Instance)
{
    std::set<const TObject*> visited;
    std::function<void(TObject*)> reset = [&](TObject* Object) {
        if (!visited.insert(Object).second)
            return;
        for (const TPropInfo* p : TPropertyRegistry::Instance().GetPropList(Object)) {
            if (!p->IsWritable() || !p->IsReadable() || !p->IsStored(Object))
                continue;
            if (IsOrdinalKind(p->Kind) && p->Default && GetOrdProp(Object, *p) != *p->Default)
                SetOrdProp(Object, *p, *p->Default);
            else if (p->Kind == TTypeKind::tkClass && p->OwnsObject)
                if (TObject* held = GetObjectProp(Object, *p))
                    reset(held);
        }
    };
    reset(Instance);
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
