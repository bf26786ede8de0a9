#include "app/CsvLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CsvLineTest, FirstTitleByAxisFormat)
{
    EXPECT_EQ("采样时刻", TCsvLine::FirstTitle(0));
    EXPECT_EQ("相对时间(秒)", TCsvLine::FirstTitle(1));
    EXPECT_EQ("采样点编号", TCsvLine::FirstTitle(2));
}

TEST(CsvLineTest, HeaderNamesWithTrimmedUnits)
{
    EXPECT_EQ("相对时间(秒),压力(MPa),温度,流量(m3/h)",
              TCsvLine::Header(1, {{"压力", "MPa"}, {"温度", "  "}, {"流量", " m3/h "}}));
}

TEST(CsvLineTest, FirstFieldFormats)
{
    const TDateTime t = EncodeDate(2026, 12, 7) + EncodeTime(8, 9, 10, 123);
    EXPECT_EQ("2026-12-07 08:09:10.123", TCsvLine::FirstField(0, t, 0, 1));
    EXPECT_EQ("12.345", TCsvLine::FirstField(1, t, 12.345, 1));
    EXPECT_EQ("0.000", TCsvLine::FirstField(1, t, 0, 1));
    EXPECT_EQ("42", TCsvLine::FirstField(2, t, 12.345, 42));
}

TEST(CsvLineTest, RecordJoinsTheTextsUnchanged)
{
    EXPECT_EQ("3,123.45,-------,-7", TCsvLine::Record("3", {"123.45", "-------", "-7"}));
}

TEST(CsvLineTest, FieldsThatWouldShiftColumnsAreQuoted)
{
    EXPECT_EQ("plain", TCsvLine::Field("plain"));
    EXPECT_EQ("\"a,b\"", TCsvLine::Field("a,b"));
    EXPECT_EQ("\"say \"\"hi\"\"\"", TCsvLine::Field("say \"hi\""));
    EXPECT_EQ("\"x\r\ny\"", TCsvLine::Field("x\r\ny"));
    EXPECT_EQ("采样时刻,\"p,1(bar)\"", TCsvLine::Header(0, {{"p,1", "bar"}}));
}

}  // namespace
