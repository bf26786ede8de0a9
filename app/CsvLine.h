#pragma once
// The lines of a CSV log file, in memory as UTF-8 without the line end.
#include "rtl/DateTime.h"

#include <string>
#include <string_view>
#include <vector>

struct TCsvColumn {
    std::string ValueName;
    std::string WorkUnit;
};

class TCsvLine {
public:
    // By the axis format: 0 time of day, 1 seconds since start, 2 number.
    static std::string FirstTitle(int AxisFormat);
    // The name, then the trimmed unit in parentheses when there is one.
    static std::string ColumnTitle(const TCsvColumn& Column);
    // A field holding ',', '"', CR or LF is quoted with '"' doubled, so it
    // cannot shift the columns; every other field is written as it is.
    static std::string Field(std::string_view Text);

    static std::string Header(int AxisFormat, const std::vector<TCsvColumn>& Columns);
    // 0 "yyyy-mm-dd hh:nn:ss.zzz" of Now, 1 seconds with three decimals,
    // 2 the record number.
    static std::string FirstField(int AxisFormat, TDateTime Now, double ElapsedSeconds, int RecordNumber);
    static std::string Record(const std::string& FirstField, const std::vector<std::string>& Texts);
};
