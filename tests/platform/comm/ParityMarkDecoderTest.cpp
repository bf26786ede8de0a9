#include "comm/ParityMarkDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Decode(comm::ParityMarkDecoder& Decoder, std::string Bytes)
{
    auto* data = reinterpret_cast<std::uint8_t*>(Bytes.data());
    Bytes.resize(Decoder.Decode(data, Bytes.size()));
    return Bytes;
}

}  // namespace

TEST(ParityMarkDecoder, BadBytesStayOrAreReplacedAndDoubledFFBecomesOne)
{
    comm::ParityMarkDecoder keep;
    EXPECT_EQ(Decode(keep, std::string("a\xFF\x00Xb\xFF\xFF"
                                       "c",
                                       8)),
              "aXb\xFF"
              "c");
    comm::ParityMarkDecoder replace;
    replace.Configure(true, '?');
    EXPECT_EQ(Decode(replace, std::string("a\xFF\x00Xb\xFF\xFF", 7)), "a?b\xFF");
    // A bad byte that is itself 0 or 0xFF is still one byte.
    EXPECT_EQ(Decode(keep, std::string("\xFF\x00\x00\xFF\x00\xFF", 6)), std::string("\x00\xFF", 2));
}

TEST(ParityMarkDecoder, AMarkCutBetweenReadsIsCompletedByTheNext)
{
    comm::ParityMarkDecoder d;
    d.Configure(true, '#');
    EXPECT_EQ(Decode(d, "x\xFF"), "x");
    EXPECT_EQ(Decode(d, std::string("\x00", 1)), "");
    EXPECT_EQ(Decode(d, "Zy"), "#y");
    EXPECT_EQ(Decode(d, "\xFF"), "");
    EXPECT_EQ(Decode(d, "\xFF"), "\xFF");
    // Configuring again forgets a half-read mark.
    EXPECT_EQ(Decode(d, "\xFF"), "");
    d.Configure(false, 0);
    EXPECT_EQ(Decode(d, "q"), "q");
}
