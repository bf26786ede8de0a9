#include "rtl/Gbk.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(Gbk, ConvertsChineseBothWays)
{
    EXPECT_EQ(Gbk::ToGbk("中文"), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(Gbk::ToGbk("测量值=kg"), "\xB2\xE2\xC1\xBF\xD6\xB5=kg");
    EXPECT_EQ(Gbk::FromGbk("\xB2\xE2\xC1\xBF\xD6\xB5=kg"), "测量值=kg");
    EXPECT_EQ(Gbk::ToGbk("é€"), "\xA8\xA6\x80");
    EXPECT_EQ(Gbk::FromGbk("\x80"), "€");
    EXPECT_EQ(Gbk::ToGbk("plain\r\n"), "plain\r\n");
    EXPECT_EQ(Gbk::ToGbk(""), "");
}

TEST(Gbk, RoundTripKeepsEveryGbkCharacter)
{
    const std::string Text = "KALVO数据采集软件，仪表变送器数据采集软件：秒、分钟、小时（°C）";
    EXPECT_EQ(Gbk::FromGbk(Gbk::ToGbk(Text)), Text);
}

TEST(Gbk, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(Gbk::ToGbk("a한b"), "a?b");
    EXPECT_EQ(Gbk::ToGbk("😀中"), "?\xD6\xD0");
    // Tag characters, which the converter would drop without a word.
    EXPECT_EQ(Gbk::ToGbk("a\xF3\xA0\x80\x8F"
                         "b\xF3\xA0\x81\xBF\xF3\xA0\x81\x81"),
              "a?b??");
    EXPECT_EQ(Gbk::ToGbk("\xF3\xA0\x80"
                         "中"),
              "???\xD6\xD0");  // a cut one is malformed
    // Malformed UTF-8: each bad byte becomes one '?', the rest survives.
    EXPECT_EQ(Gbk::ToGbk("x\xFFy"), "x?y");
    EXPECT_EQ(Gbk::ToGbk("\xE4\xB8"), "??");
    EXPECT_EQ(Gbk::ToGbk("\xED\xA0\x80z"), "???z");  // encoded surrogate
}

TEST(Gbk, InvalidGbkBytesDoNotSwallowText)
{
    // A lead byte with an ASCII byte after it: the ASCII byte stays.
    EXPECT_EQ(Gbk::FromGbk("\x81=1"), "?=1");
    EXPECT_EQ(Gbk::FromGbk("ab\xFF"), "ab?");
    EXPECT_EQ(Gbk::FromGbk("\xD6\xD0\xCE"), "中?");  // truncated at the end
}

TEST(Gbk, LongTextAndThreadsConvertIndependently)
{
    std::string Utf8;
    for (int I = 0; I < 5000; ++I)
        Utf8 += "通道" + std::to_string(I) + ",";
    const std::string Bytes = Gbk::ToGbk(Utf8);
    EXPECT_EQ(Gbk::FromGbk(Bytes), Utf8);
    std::vector<std::thread> Threads;
    std::vector<int> Ok(4, 0);
    for (int T = 0; T < 4; ++T)
        Threads.emplace_back([&, T] {
            bool Good = true;
            for (int I = 0; I < 50; ++I)
                Good = Good && Gbk::ToGbk(Utf8) == Bytes && Gbk::FromGbk(Bytes) == Utf8;
            Ok[T] = Good;
        });
    for (auto& T : Threads)
        T.join();
    EXPECT_EQ(Ok, std::vector<int>(4, 1));
}
