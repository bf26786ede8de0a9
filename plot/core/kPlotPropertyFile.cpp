#include "plot/core/kPlotPropertyFile.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "plot/core/kGPFunctions.h"
#include "plot/core/kPlotComponent.h"
#include "rtl/Exception.h"
#include "rtl/MemoryStream.h"
#include "rtl/NumberFormat.h"
#include "rtl/Reader.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"
#include "rtl/Writer.h"

namespace {

// Our files always use '.'; the reader also takes ','.
constexpr char DecimalSeparator = '.';
// A count beyond this is no plot but a broken file, which would otherwise
// make objects until memory runs out.
constexpr int MaxObjectsOfKind = 10000;
constexpr const char* AnnotationWord = "Annotation";

// The kinds the configuration file holds, in the file's order.
std::vector<const TkPlotKind*> ConfigKinds()
{
    std::vector<const TkPlotKind*> kinds;
    for (const TkPlotKind* kind : RegisteredPlotKinds())
        if (kind->ConfigRank > 0)
            kinds.push_back(kind);
    std::stable_sort(kinds.begin(), kinds.end(),
                     [](const TkPlotKind* A, const TkPlotKind* B) { return A->ConfigRank < B->ConfigRank; });
    return kinds;
}

int CountOf(const TkPlotMasterManager& Master, const TkPlotKind& Kind)
{
    const TkPlotKindManager* manager = Master.KindManager(Kind);
    return manager ? manager->GetCount() : 0;
}

std::string SectionName(const std::string& Word, int Index)
{
    return Word + std::to_string(Index);
}

// The value of a header line taken out of Lines; none when missing.
std::optional<int> ExtractInteger(const std::string& Key, TStrings& Lines, int Min, int Max)
{
    std::string value;
    if (!ExtractValueByName(Key, Lines, value))
        return std::nullopt;
    const std::int64_t number = StrToInt64(value);
    if (number < Min || number > Max)
        throw EConvertError("Value " + value + " is out of range for " + Key);
    return static_cast<int>(number);
}

int ExtractCount(const std::string& Key, TStrings& Lines)
{
    return ExtractInteger(Key, Lines, 0, MaxObjectsOfKind).value_or(0);
}

struct TPropertyLine {
    std::string Path;
    std::string Value;
};
using TPropertyLines = std::vector<TPropertyLine>;

// The lines of a file sorted by section, wherever they stand and whatever
// stands between them; the rest are the plot's own.
class TSectionedLines {
public:
    // Sections, by name; call before Sort.
    void AddSection(const std::string& Name) { FSections.emplace(UpperCase(Name), TPropertyLines()); }

    void Sort(const TStrings& Lines)
    {
        for (int i = 0; i < Lines.Count(); ++i) {
            std::string path, value;
            SplitNameValue(Lines[i], '=', path, value);
            if (path.empty())
                continue;  // a blank line, or one without "="
            const std::size_t dot = path.find('.');
            const auto section = dot == std::string::npos ? FSections.end()
                                                          : FSections.find(UpperCase(path.substr(0, dot)));
            if (section != FSections.end())
                section->second.push_back({path.substr(dot + 1), value});
            else
                FOwn.push_back({path, value});
        }
    }

    const TPropertyLines& Section(const std::string& Name) const { return FSections.at(UpperCase(Name)); }
    const TPropertyLines& Own() const { return FOwn; }

private:
    std::map<std::string, TPropertyLines> FSections;
    TPropertyLines FOwn;
};

void Check(TObject* Sample, const TPropertyLines& Lines)
{
    if (Sample)
        for (const TPropertyLine& line : Lines)
            CheckObjectProperty(Sample, line.Path, line.Value, DecimalSeparator);
}

void Apply(TObject* Object, const TPropertyLines& Lines)
{
    for (const TPropertyLine& line : Lines)
        ReadObjectProperty(Object, line.Path, line.Value, DecimalSeparator);
}

// A new object starts from its declared defaults, not from what making
// it chose (the next colour of the palette, the annotation defaults): a
// differential file leaves those values out because they are the declared
// defaults.
TkPlotObject* NewObject(TkPlotMasterManager& Master, const TkPlotKind& Kind)
{
    TkPlotObject* object = Master.KindManager(Kind)->GetObject(Master.Add(Kind));
    ResetToDeclaredDefaults(object);
    return object;
}

// The plot as its full component stream: what a failed load puts back.
class TPlotSnapshot {
public:
    explicit TPlotSnapshot(TkPlotComponent& Plot) : FPlot(Plot)
    {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.WriteDefaults = true;
        writer.WriteRoot(&Plot);
        FBytes = stream.Bytes();
    }

    void Restore() const
    {
        TMemoryStream stream(FBytes);
        TReader reader(stream);
        reader.ReadRoot(&FPlot);
    }

private:
    TkPlotComponent& FPlot;
    std::string FBytes;
};

// Runs Change inside an update bracket with the automatic placement off,
// and puts the plot back as it was when Change raises.
template <class F> void ChangeOrRestore(TkPlotComponent& Plot, F Change)
{
    TkPlotLayoutManager* layout = Plot.GetMasterManager().LayoutManager();
    const bool placement = layout->GetAutoPlacement();
    const TPlotSnapshot snapshot(Plot);
    Plot.BeginUpdate();
    layout->SetAutoPlacement(false);
    try {
        Change();
    } catch (...) {
        layout->SetAutoPlacement(placement);
        snapshot.Restore();
        Plot.EndUpdate();
        throw;
    }
    layout->SetAutoPlacement(placement);
    Plot.EndUpdate();
}

}  // namespace

void TkPlotPropertyFile::WriteConfig(TStrings& Lines) const
{
    TStringList skip;
    skip.Add("Name");
    if (!FPlot.GetOptionSaveAllProperties())
        for (const char* name : {"Left", "Top", "Width", "Height", "Align", "Cursor", "ShowHint", "Tag", "Visible",
                                 "Enabled", "Hint", "HelpContext", "HelpKeyword"})
            skip.Add(name);
    const TkPlotMasterManager& master = FPlot.GetMasterManager();
    const std::vector<const TkPlotKind*> kinds = ConfigKinds();
    const bool differential = FPlot.GetDifferentialPropertySave();
    Lines.Add("File Type = Plot Config");
    for (const TkPlotKind* kind : kinds)
        Lines.Add(std::string(kind->Name) + "Count = " + std::to_string(CountOf(master, *kind)));
    Lines.Add("DataViewZHorz = " + std::to_string(FPlot.GetDataViewZHorz()));
    Lines.Add("DataViewZVert = " + std::to_string(FPlot.GetDataViewZVert()));
    for (const TkPlotKind* kind : kinds)
        for (int i = 0; i < CountOf(master, *kind); ++i)
            WriteObjectProperties(master.KindManager(*kind)->GetObject(i), SectionName(kind->Name, i), Lines,
                                  differential, nullptr);
    WriteObjectProperties(&FPlot, "", Lines, differential, &skip);
}

void TkPlotPropertyFile::ReadConfig(TStrings& Lines)
{
    std::string fileType;
    if (!ExtractValueByName("File Type", Lines, fileType) || !SameText(fileType, "Plot Config"))
        throw Exception("Incompatible Plot Configuration File Type");
    TkPlotMasterManager& master = FPlot.GetMasterManager();
    const std::vector<const TkPlotKind*> kinds = ConfigKinds();
    std::map<const TkPlotKind*, int> counts;
    TSectionedLines sections;
    for (const TkPlotKind* kind : kinds) {
        counts[kind] = master.KindManager(*kind) ? ExtractCount(std::string(kind->Name) + "Count", Lines) : 0;
        for (int i = 0; i < counts[kind]; ++i)
            sections.AddSection(SectionName(kind->Name, i));
    }
    const std::optional<int> zHorz = ExtractInteger("DataViewZHorz", Lines, INT32_MIN, INT32_MAX);
    const std::optional<int> zVert = ExtractInteger("DataViewZVert", Lines, INT32_MIN, INT32_MAX);
    sections.Sort(Lines);
    Lines.Clear();

    // Every value is checked against an object of its kind before the
    // plot loses anything.
    for (const TkPlotKind* kind : kinds)
        for (int i = 0; i < counts[kind]; ++i)
            Check(master.FirstOf(*kind), sections.Section(SectionName(kind->Name, i)));
    Check(&FPlot, sections.Own());

    ChangeOrRestore(FPlot, [&] {
        if (zHorz)
            FPlot.SetDataViewZHorz(*zHorz);
        if (zVert)
            FPlot.SetDataViewZVert(*zVert);
        std::vector<const TkPlotKind*> byFreeRank = RegisteredPlotKinds();
        std::stable_sort(byFreeRank.begin(), byFreeRank.end(),
                         [](const TkPlotKind* A, const TkPlotKind* B) { return A->FreeRank() < B->FreeRank(); });
        for (const TkPlotKind* kind : byFreeRank) {
            TkPlotKindManager* manager = master.KindManager(*kind);
            if (!manager)
                continue;
            if (kind->ConfigLoad == TkPlotConfigLoad::Replace)
                manager->Clear();
            else if (kind->ConfigLoad == TkPlotConfigLoad::KeepFirst)
                while (manager->GetCount() >= 2)
                    TkPlotObject::Free(manager->GetObject(manager->GetCount() - 1));
        }
        for (const TkPlotKind* kind : kinds)
            for (int i = 0; i < counts[kind]; ++i) {
                TkPlotObject* first = master.FirstOf(*kind);
                TkPlotObject* target = nullptr;
                if (kind->ConfigLoad == TkPlotConfigLoad::IntoFirst)
                    target = first;
                else if (kind->ConfigLoad == TkPlotConfigLoad::KeepFirst && i == 0 && first)
                    target = first;
                else
                    target = NewObject(master, *kind);
                if (target)
                    Apply(target, sections.Section(SectionName(kind->Name, i)));
            }
        Apply(&FPlot, sections.Own());
    });
}

void TkPlotPropertyFile::WriteAnnotations(TStrings& Lines) const
{
    Lines.Add("AnnotationCount = " + std::to_string(FPlot.GetAnnotationCount()));
    for (int i = 0; i < FPlot.GetAnnotationCount(); ++i)
        WriteObjectProperties(FPlot.GetAnnotation(i), SectionName(AnnotationWord, i), Lines, true, nullptr);
}

void TkPlotPropertyFile::ReadAnnotations(TStrings& Lines)
{
    const int count = ExtractCount("AnnotationCount", Lines);
    TSectionedLines sections;
    for (int i = 0; i < count; ++i)
        sections.AddSection(SectionName(AnnotationWord, i));
    sections.Sort(Lines);
    Lines.Clear();
    for (int i = 0; i < count; ++i)
        Check(FPlot.GetAnnotationCount() > 0 ? FPlot.GetAnnotation(0) : nullptr,
              sections.Section(SectionName(AnnotationWord, i)));

    ChangeOrRestore(FPlot, [&] {
        FPlot.RemoveAllAnnotations();
        for (int i = 0; i < count; ++i) {
            TkPlotObject* annotation = FPlot.GetAnnotation(FPlot.AddAnnotation());
            ResetToDeclaredDefaults(annotation);
            Apply(annotation, sections.Section(SectionName(AnnotationWord, i)));
        }
    });
}

void TkPlotPropertyFile::SaveConfig(const std::string& FileName) const
{
    TStringList lines;
    WriteConfig(lines);
    lines.SaveToFile(FileName);
}

void TkPlotPropertyFile::LoadConfig(const std::string& FileName)
{
    TStringList lines;
    lines.LoadFromFile(FileName);
    ReadConfig(lines);
}

void TkPlotPropertyFile::SaveAnnotations(const std::string& FileName) const
{
    TStringList lines;
    WriteAnnotations(lines);
    lines.SaveToFile(FileName);
}

void TkPlotPropertyFile::LoadAnnotations(const std::string& FileName)
{
    TStringList lines;
    lines.LoadFromFile(FileName);
    ReadAnnotations(lines);
}
