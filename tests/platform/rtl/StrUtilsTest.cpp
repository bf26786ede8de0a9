#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

TEST(StrUtils, TrimRemovesOnlyBlanksAndControlCharacters)
{
    EXPECT_EQ(Trim(" \t\r\n ab c \x01"), "ab c");
    EXPECT_EQ(TrimLeft("  x  "), "x  ");
    EXPECT_EQ(TrimRight("  x  "), "  x");
    EXPECT_EQ(Trim("   "), "");
    // Multibyte characters are above 0x20 and stay.
    EXPECT_EQ(Trim(" 测量值 "), "测量值");
}

TEST(StrUtils, CaseFoldingTouchesAsciiOnly)
{
    EXPECT_EQ(UpperCase("Device1 测"), "DEVICE1 测");
    EXPECT_EQ(LowerCase("DEVICE1 ÄB"), "device1 Äb");
    EXPECT_TRUE(SameText("Comm Port", "COMM PORT"));
    EXPECT_FALSE(SameText("Port", "Ports"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_EQ(CompareText("aBc", "AbC"), 0);
    EXPECT_GT(CompareStr("a", "B"), 0);  // 'a' 0x61 > 'B' 0x42
    EXPECT_EQ(CompareStr("x", "x"), 0);
}

TEST(StrUtils, PosIsOneBased)
{
    EXPECT_EQ(Pos("lo", "hello"), 4);
    EXPECT_EQ(Pos("z", "hello"), 0);
    EXPECT_EQ(Pos("", "hello"), 0);
}

TEST(StrUtils, StringReplaceHonoursFlags)
{
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", 0), "aXb-c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfIgnoreCase), "a-bxc");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfIgnoreCase | rfReplaceAll), "a-b-c");
    EXPECT_EQ(StringReplace("line\r\nnext\r", "\r", "#13", rfReplaceAll), "line#13\nnext#13");
    // Replacement text containing the pattern does not loop.
    EXPECT_EQ(StringReplace("aa", "a", "aa", rfReplaceAll), "aaaa");
}

TEST(StrUtils, IsUTF8FollowsTheLeadByteRules)
{
    EXPECT_FALSE(IsUTF8("plain ascii"));
    EXPECT_TRUE(IsUTF8("张三"));
    EXPECT_TRUE(IsUTF8("a\xC3\xA9"));
    // GBK bytes for the same name are not UTF-8.
    EXPECT_FALSE(IsUTF8("\xD5\xC5\xC8\xFD"));
    EXPECT_FALSE(IsUTF8("\xE5\xBC"));                 // truncated sequence
    EXPECT_FALSE(IsUTF8("a\xA0"));                    // stray continuation byte
    EXPECT_TRUE(IsUTF8("a\x80"));                     // a lone 0x80 is let through
    EXPECT_TRUE(IsUTF8("\xFC\x80\x80\x80\x80\x80"));  // six-byte form
    EXPECT_FALSE(IsUTF8("\xF8\x80\x80\x80"));         // needs four continuation bytes
}

TEST(StrUtils, QuotedStrDoublesApostrophes)
{
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(QuotedStr(""), "''");
}
