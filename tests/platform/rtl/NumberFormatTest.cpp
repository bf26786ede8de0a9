#include "rtl/NumberFormat.h"

#include "rtl/Exception.h"

#include "LocaleSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <climits>
#include <limits>

TEST(NumberFormat, IntegerTextRoundTrips)
{
    EXPECT_EQ(IntToStr(-123), "-123");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
    EXPECT_EQ(IntToHex(-1, 4), "FFFFFFFFFFFFFFFF");
}

TEST(NumberFormat, StrToIntAcceptsDecimalAndHex)
{
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt(" -17 "), -17);
    EXPECT_EQ(StrToInt("+5"), 5);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("0X10"), 16);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    // A full 32-bit hex pattern is the two's complement value.
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 4294967295LL);
}

TEST(NumberFormat, StrToIntRejectsInvalidText)
{
    int V = 7;
    for (const char* Bad :
         {"", " ", "12a", "1.5", "0x", "$", "--1", "2147483648", "-2147483649", "$100000000", "1 2"}) {
        EXPECT_FALSE(TryStrToInt(Bad, V)) << Bad;
        EXPECT_EQ(StrToIntDef(Bad, -3), -3) << Bad;
    }
    EXPECT_EQ(V, 7);
    std::int64_t V64 = 9;
    EXPECT_FALSE(TryStrToInt64("-$FFFFFFFFFFFFFFFF", V64));
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", V64));
    EXPECT_EQ(V64, 9);
    EXPECT_TRUE(TryStrToInt64("-9223372036854775808", V64));
    EXPECT_EQ(V64, std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(TryStrToInt("-$FFFFFFFF", V));
    try {
        StrToInt("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, "'abc' is not a valid integer value");
    }
}

TEST(NumberFormat, FloatToStrUsesGeneralFormat)
{
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(1.5), "1.5");
    EXPECT_EQ(FloatToStr(-2.25), "-2.25");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(1200), "1200");
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(100000000000000.0), "100000000000000");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1.5e20), "1.5E20");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(-1.25e-7), "-1.25E-7");
    // Rounding up would pass the largest double: the digit is cut instead.
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::max()), "1.79769313486231E308");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::max()), "-1.79769313486231E308");
    EXPECT_EQ(FloatToStr(1.7976931348623150e308), "1.79769313486231E308");
    EXPECT_EQ(FloatToStr(1.797693134862314e308), "1.79769313486231E308");
    EXPECT_EQ(FloatToStr(1.79769313486231e308), "1.79769313486231E308");
    EXPECT_EQ(FloatToStr(1e308), "1E308");
    EXPECT_EQ(Format("%.3g", std::numeric_limits<double>::max()), "1.79E308");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
    EXPECT_EQ(FloatToStr(-HUGE_VAL), "-INF");
}

TEST(NumberFormat, StoredFloatTextReadsBackExactly)
{
    const double Max = std::numeric_limits<double>::max();
    const double MinNormal = std::numeric_limits<double>::min();
    const double MinDenormal = std::numeric_limits<double>::denorm_min();
    for (const double V :
         {Max, -Max, std::nextafter(Max, 0.0), 1.7976931348623150e308, -1.7976931348623155e308, MinNormal, -MinNormal,
          std::nextafter(MinNormal, 0.0), MinDenormal, -MinDenormal, 3 * MinDenormal, 0.1 + 0.2, 1.0 / 3.0, -2.0 / 3.0,
          45351.123456789012, 1e15 + 0.5, 123456789012345678.0, 0.0}) {
        const std::string Text = FloatToStrExact(V);
        double Back = -1;
        EXPECT_TRUE(TryStrToFloat(Text, Back)) << Text;
        EXPECT_EQ(Back, V) << Text;
    }
    // Values that fifteen digits carry keep their short form.
    EXPECT_EQ(FloatToStrExact(1200.0), "1200");
    EXPECT_EQ(FloatToStrExact(-0.25), "-0.25");
    EXPECT_EQ(FloatToStrExact(0.1), "0.1");
    EXPECT_EQ(FloatToStrExact(1.5e20), "1.5E20");
    EXPECT_EQ(FloatToStrExact(1e-5), "1E-5");
    EXPECT_EQ(FloatToStrExact(Max), "1.7976931348623157E308");
    EXPECT_EQ(FloatToStrExact(0.1 + 0.2), "0.30000000000000004");
    // An infinity reads back as the nearest finite value rather than as nothing.
    EXPECT_EQ(FloatToStrExact(HUGE_VAL), FloatToStrExact(Max));
    EXPECT_EQ(FloatToStrExact(-HUGE_VAL), FloatToStrExact(-Max));
}

TEST(NumberFormat, StrToFloatAcceptsPointAndComma)
{
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat(" -0,25 "), -0.25);
    EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("5."), 5.0);
    EXPECT_DOUBLE_EQ(StrToFloat("1.5E20"), 1.5e20);
    EXPECT_DOUBLE_EQ(StrToFloat("+2e-3"), 0.002);
    EXPECT_DOUBLE_EQ(StrToFloat("10"), 10.0);
    double V = 9;
    for (const char* Bad : {"", "abc", "1.2.3", "1,2.3", "1e", "e5", "INF", "nan", "1e999", "1 2", "-"}) {
        EXPECT_FALSE(TryStrToFloat(Bad, V)) << Bad;
        EXPECT_DOUBLE_EQ(StrToFloatDef(Bad, -1.5), -1.5) << Bad;
    }
    EXPECT_EQ(V, 9);
    EXPECT_THROW(StrToFloat("x"), EConvertError);
}

TEST(NumberFormat, TextIgnoresTheCLocale)
{
    CommaLocale Locale;
    if (!Locale.Active())
        GTEST_SKIP() << "no locale with a decimal comma (de_DE.UTF-8) can be set up";
    EXPECT_EQ(FloatToStr(1.5), "1.5");
    EXPECT_EQ(Format("%.2f|%g|%e", 3.14159, 0.25, 2.0), "3.14|0.25|2.00000000000000E+000");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1,234.50");
    EXPECT_DOUBLE_EQ(StrToFloat("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(StrToFloat("2,5"), 2.5);
}

TEST(NumberFormat, RoundIsHalfToEvenAndConversionsClamp)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.6), 3);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(ClampToInt64(std::nan("")), 0);
    EXPECT_EQ(ClampToInt64(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ClampToInt64(-1e300), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(ClampToInt64(HUGE_VAL), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ClampToInt(3e9), std::numeric_limits<int>::max());
    EXPECT_EQ(ClampToInt(-3e9), std::numeric_limits<int>::min());
    EXPECT_EQ(ClampToInt(-7.9), -7);
    EXPECT_EQ(Round(1e300), std::numeric_limits<std::int64_t>::max());
}

TEST(NumberFormat, FormatFloatPictures)
{
    EXPECT_EQ(FormatFloat("0", 2.5), "3");  // halves away from zero
    EXPECT_EQ(FormatFloat("0", -2.5), "-3");
    EXPECT_EQ(FormatFloat("0", 0.4), "0");
    EXPECT_EQ(FormatFloat("0", -0.4), "0");  // no "-0"
    EXPECT_EQ(FormatFloat("0.0", 12.34), "12.3");
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.68");
    EXPECT_EQ(FormatFloat("0.00", 0.5), "0.50");
    EXPECT_EQ(FormatFloat("#,##0", 1234567.4), "1,234,567");
    EXPECT_EQ(FormatFloat("#,##0", 12), "12");
    EXPECT_EQ(FormatFloat("#,##0.00", -1234.5), "-1,234.50");
    EXPECT_EQ(FormatFloat("0.###", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("0.###", 2), "2");
    EXPECT_EQ(FormatFloat("0.###", 1.23456), "1.235");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("000", 7), "007");
    EXPECT_EQ(FormatFloat("0.00E+00", 1234.5), "1.23E+03");
    EXPECT_EQ(FormatFloat("0.00E+00", 0.000123), "1.23E-04");
    EXPECT_EQ(FormatFloat("0.0E-0", 1234.5), "1.2E3");
    EXPECT_EQ(FormatFloat("0.00e+00", 0), "0.00e+00");
    EXPECT_EQ(FormatFloat("0.0 \"kg\"", 3.25), "3.3 kg");
    EXPECT_EQ(FormatFloat("'#'0", 5), "#5");
    EXPECT_EQ(FormatFloat("0.0;(0.0)", -1.25), "(1.3)");
    EXPECT_EQ(FormatFloat("0.0;(0.0)", 1.25), "1.3");
    EXPECT_EQ(FormatFloat("0.0;(0.0);zero", 0), "zero");
    EXPECT_EQ(FormatFloat("0.0;;zero", 0.01), "zero");  // rounds to zero
    EXPECT_EQ(FormatFloat("0.0;;zero", -2), "-2.0");    // empty negative section
    EXPECT_EQ(FormatFloat("", 1.5), "1.5");
    EXPECT_EQ(FormatFloat("0.0", 99.96), "100.0");
}

TEST(NumberFormat, FormatDirectives)
{
    EXPECT_EQ(Format("%d items", 3), "3 items");
    EXPECT_EQ(Format("%.2d", 5), "05");
    EXPECT_EQ(Format("%.4d", 12), "0012");
    EXPECT_EQ(Format("%.2d", -5), "-05");
    EXPECT_EQ(Format("%5d|%-5d|", 42, 42), "   42|42   |");
    EXPECT_EQ(Format("%x", 255), "FF");
    EXPECT_EQ(Format("%.4x", 255), "00FF");
    EXPECT_EQ(Format("%x", -1), "FFFFFFFF");
    EXPECT_EQ(Format("%u", -1), "4294967295");
    EXPECT_EQ(Format("%.3f", 12.3456), "12.346");
    EXPECT_EQ(Format("%.1f", 5.25), "5.3");
    EXPECT_EQ(Format("%.0f", 2.5), "3");
    EXPECT_EQ(Format("%f", 1.0), "1.00");
    EXPECT_EQ(Format("%.1f", 7), "7.0");  // integers are accepted for floats
    EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("%e", 1234.5), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3e", -0.0012345), "-1.23E-003");
    EXPECT_EQ(Format("%g", 0.1), "0.1");
    EXPECT_EQ(Format("%s=%s", "Key", std::string("值")), "Key=值");
    EXPECT_EQ(Format("%.2s|%4s|%-4s|", "abc", "ab", "ab"), "ab|  ab|ab  |");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("%*d", 4, 7), "   7");
    EXPECT_EQ(Format("%.*f", 1, 2.25), "2.3");
    EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b");
    EXPECT_EQ(Format("System Error.  Code: %d.  %s", 5, "Access denied"), "System Error.  Code: 5.  Access denied");
    EXPECT_EQ(Format("%p", reinterpret_cast<const void*>(0x1A2B)).size(), sizeof(void*) * 2);
    EXPECT_EQ(Format("%p", reinterpret_cast<const void*>(0x1A2B)).substr(sizeof(void*) * 2 - 4), "1A2B");
    EXPECT_EQ(Format("%s-%d", {"x", 1}), "x-1");
}

TEST(NumberFormat, FormatBoundsWidthsAndPrecisions)
{
    EXPECT_EQ(Format("%*d|", -4, 7), "7   |");
    EXPECT_EQ(Format("%*d", 1 << 20, 7).size(), std::size_t(1) << 20);
    EXPECT_EQ(Format("%.*d", 1 << 20, 7).size(), std::size_t(1) << 20);
    EXPECT_EQ(Format("%-*s|", -(1 << 20), "a").size(), (std::size_t(1) << 20) + 1);
    for (const long long Absurd :
         {static_cast<long long>(INT_MIN), INT_MIN + 1LL, INT_MAX - 1LL, static_cast<long long>(INT_MAX),
          (1LL << 20) + 1, -(1LL << 20) - 1, LLONG_MIN, LLONG_MAX}) {
        EXPECT_THROW(Format("%*d", Absurd, 7), EConvertError) << Absurd;
        EXPECT_THROW(Format("%.*f", Absurd, 1.5), EConvertError) << Absurd;
        EXPECT_THROW(Format("%*.*s", 1, Absurd, "x"), EConvertError) << Absurd;
    }
    EXPECT_THROW(Format("%1048577d", 7), EConvertError);
    EXPECT_THROW(Format("%.2147483648f", 1.5), EConvertError);
    EXPECT_THROW(Format("%99999999999999999999s", "x"), EConvertError);
}

TEST(NumberFormat, FormatRejectsMismatchedArguments)
{
    EXPECT_THROW(Format("%d", 1.5), EConvertError);
    EXPECT_THROW(Format("%s", 1), EConvertError);
    EXPECT_THROW(Format("%d %d", 1), EConvertError);
    EXPECT_THROW(Format("%f", "x"), EConvertError);
    EXPECT_THROW(Format("%q", 1), EConvertError);
    EXPECT_THROW(Format("50%"), EConvertError);
    try {
        Format("%d", "a");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, "Format '%d' invalid or incompatible with argument");
    }
}
