#include "app/CsvLine.h"

#include "rtl/NumberFormat.h"
#include "rtl/StrUtils.h"

std::string TCsvLine::FirstTitle(int AxisFormat)
{
    switch (AxisFormat) {
    case 1: return "相对时间(秒)";
    case 2: return "采样点编号";
    default: return "采样时刻";
    }
}

std::string TCsvLine::ColumnTitle(const TCsvColumn& Column)
{
    const std::string unit = Trim(Column.WorkUnit);
    return unit.empty() ? Column.ValueName : Column.ValueName + "(" + unit + ")";
}

std::string TCsvLine::Field(std::string_view Text)
{
    if (Text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(Text);
    std::string quoted = "\"";
    for (char c : Text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string TCsvLine::Header(int AxisFormat, const std::vector<TCsvColumn>& Columns)
{
    std::string line = Field(FirstTitle(AxisFormat));
    for (const TCsvColumn& column : Columns)
        line += "," + Field(ColumnTitle(column));
    return line;
}

std::string TCsvLine::FirstField(int AxisFormat, TDateTime Now, double ElapsedSeconds, int RecordNumber)
{
    switch (AxisFormat) {
    case 1: return Format("%.3f", ElapsedSeconds);
    case 2: return IntToStr(RecordNumber);
    default: return FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", Now);
    }
}

std::string TCsvLine::Record(const std::string& FirstField, const std::vector<std::string>& Texts)
{
    std::string line = Field(FirstField);
    for (const std::string& text : Texts)
        line += "," + Field(text);
    return line;
}
