#include "plot/channels/kPlotChannelPropertyFile.h"

#include "plot/core/kGPFunctions.h"
#include "plot/core/kPlotComponent.h"
#include "rtl/Exception.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

namespace {

constexpr const char* Section = "Channel";
constexpr char DecimalSeparator = '.';

}  // namespace

void TkPlotChannelPropertyFile::Save(const std::string& FileName) const
{
    try {
        const auto* plot = dynamic_cast<const TkPlotComponent*>(FChannel.GetOwner());
        TStringList skip;
        skip.Add(std::string(Section) + ".Name");
        TStringList lines;
        lines.Add("File Type = Plot Channel Config");
        WriteObjectProperties(&FChannel, Section, lines, plot && plot->GetDifferentialPropertySave(), &skip);
        lines.SaveToFile(FileName);
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Saving Properties - ") + e.what());
    }
}

void TkPlotChannelPropertyFile::Load(const std::string& FileName)
{
    try {
        TStringList lines;
        lines.LoadFromFile(FileName);
        std::string fileType;
        if (!ExtractValueByName("File Type", lines, fileType) || !SameText(fileType, "Plot Channel Config"))
            throw Exception("Incompatible Plot Channel Configuration File Type");
        TStringList checked;
        checked.AddStrings(lines);
        for (int i = 0; i < checked.Count(); ++i) {
            std::string path, value;
            SplitNameValue(checked[i], '=', path, value);
            if (StripPropertyPrefix(Section, path) == Section)
                CheckObjectProperty(&FChannel, path, value, DecimalSeparator);
        }
        ReadObjectProperties(&FChannel, Section, lines);
    } catch (const std::exception& e) {
        throw Exception(std::string("Error Loading Properties - ") + e.what());
    }
}
