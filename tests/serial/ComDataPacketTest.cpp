#include "serial/ComDataPacket.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtl/Exception.h"
#include "serial/ComPort.h"

namespace {

// Feeds received batches straight into the framer and records its events.
class Framer : public TComDataPacket {
public:
    Framer() : TComDataPacket(nullptr)
    {
        OnPacket = [this](TObject*, const std::string& Str) { Packets.push_back(Str); };
        OnDiscard = [this](TObject*, const std::string& Str) { Discards.push_back(Str); };
    }
    void Receive(const std::string& Bytes) { RxBuf(Bytes.data(), static_cast<int>(Bytes.size())); }

    std::vector<std::string> Packets;
    std::vector<std::string> Discards;
};

using Strings = std::vector<std::string>;

}  // namespace

TEST(ComDataPacket, BytesBeforeTheStartAreDiscardedAndTheSizeCountsTheStart)
{
    Framer f;
    f.SetStartString("\x01");
    f.SetSize(9);
    f.Receive("\x7F\x01");
    f.Receive("abcdefgh");
    EXPECT_EQ(f.Discards, Strings{"\x7F"});
    EXPECT_EQ(f.Packets, Strings{"abcdefgh"});
    EXPECT_EQ(f.Buffer(), "");
}

TEST(ComDataPacket, APacketSplitAcrossBatchesAndTwoPacketsInOneBatch)
{
    Framer f;
    f.SetStartString("\x05");
    f.SetSize(4);
    f.Receive("\x05\x03");
    EXPECT_TRUE(f.Packets.empty());
    f.Receive(std::string("\x00\xFF\x05\x10\x11\x12\x05\x20\x21\x22", 10));
    EXPECT_EQ(f.Packets, (Strings{std::string("\x03\x00\xFF", 3), "\x10\x11\x12", "\x20\x21\x22"}));
    EXPECT_TRUE(f.Discards.empty());
}

TEST(ComDataPacket, StartAndStopStringsAreStrippedAndAnUnfinishedPacketWaits)
{
    Framer f;
    f.SetStartString("AB");
    f.SetStopString("\n");
    f.Receive("xxAB12\nAB3");
    EXPECT_EQ(f.Discards, Strings{"xx"});
    EXPECT_EQ(f.Packets, Strings{"12"});
    EXPECT_EQ(f.Buffer(), "AB3");
    f.Receive("4\n");
    EXPECT_EQ(f.Packets, (Strings{"12", "34"}));
}

TEST(ComDataPacket, IncludeStringsKeepsStartAndStop)
{
    Framer f;
    f.SetIncludeStrings(true);
    f.SetStartString("<");
    f.SetStopString(">");
    f.Receive("<a><b>");
    EXPECT_EQ(f.Packets, (Strings{"<a>", "<b>"}));
}

TEST(ComDataPacket, CaseInsensitiveMatchesButDeliversTheReceivedCase)
{
    Framer f;
    f.SetCaseInsensitive(true);
    f.SetStartString("ab");
    f.SetStopString("z");
    f.SetIncludeStrings(true);
    f.Receive("qABcdZ");
    EXPECT_EQ(f.Discards, Strings{"q"});
    EXPECT_EQ(f.Packets, Strings{"ABcdZ"});

    Framer exact;
    exact.SetStartString("ab");
    exact.SetStopString("z");
    exact.Receive("ABcdZ");
    EXPECT_TRUE(exact.Packets.empty());
}

TEST(ComDataPacket, WithoutFramingEveryBatchIsOnePacketEvenWithAStartString)
{
    Framer f;
    f.SetStartString("S");
    f.Receive("abc");
    f.Receive(std::string("\0d", 2));
    EXPECT_EQ(f.Packets, (Strings{"abc", std::string("\0d", 2)}));
}

TEST(ComDataPacket, OnlyAStopStringAtTheVeryEndIsStripped)
{
    Framer f;
    f.SetStopString("!");
    f.OnCustomStop = [](TObject*, const std::string& Str, int& Pos) {
        // The packet ends at the second '!'.
        auto first = Str.find('!');
        auto second = first == std::string::npos ? first : Str.find('!', first + 1);
        Pos = second == std::string::npos ? 0 : static_cast<int>(second) + 1;
    };
    f.Receive("a!b!c");
    EXPECT_EQ(f.Packets, Strings{"a!b!"});
    EXPECT_EQ(f.Buffer(), "c");
}

TEST(ComDataPacket, SizeWinsOverTheStopStringOnceEnoughBytesAreThere)
{
    Framer f;
    f.SetStopString(";");
    f.SetSize(3);
    f.Receive("abcd;");
    EXPECT_EQ(f.Packets, (Strings{"abc", "d"}));
}

TEST(ComDataPacket, CustomStartPositionsThePacket)
{
    Framer f;
    f.SetSize(2);
    f.OnCustomStart = [](TObject*, const std::string& Str, int& Pos) {
        auto at = Str.find('#');
        Pos = at == std::string::npos ? 0 : static_cast<int>(at) + 1;
    };
    f.Receive("zz");
    EXPECT_TRUE(f.Packets.empty());
    EXPECT_EQ(f.Buffer(), "zz");
    f.Receive("#1");
    EXPECT_EQ(f.Discards, Strings{"zz"});
    EXPECT_EQ(f.Packets, Strings{"#1"});
}

TEST(ComDataPacket, AFullBufferIsDiscardedWhole)
{
    Framer f;
    f.SetStartString("<");
    f.SetStopString(">");
    f.SetMaxBufferSize(8);
    f.Receive("<1234");
    EXPECT_TRUE(f.Discards.empty());
    f.Receive("567");
    EXPECT_EQ(f.Discards, Strings{"<1234567"});
    EXPECT_EQ(f.Buffer(), "");
    f.Receive("<x>");
    EXPECT_EQ(f.Packets, Strings{"x"});
}

TEST(ComDataPacket, ResetAndFramingChangesDiscardTheBuffer)
{
    Framer f;
    f.SetStartString("<");
    f.SetStopString(">");
    f.Receive("<ab");
    f.ResetBuffer();
    EXPECT_EQ(f.Discards, Strings{"<ab"});
    f.ResetBuffer();
    EXPECT_EQ(f.Discards.size(), 1u);
    f.Receive("<cd");
    f.SetStopString("]");
    EXPECT_EQ(f.Discards, (Strings{"<ab", "<cd"}));
    // Setting the same value changes nothing.
    f.Receive("<ef");
    f.SetStopString("]");
    EXPECT_EQ(f.Discards.size(), 2u);
}

TEST(ComDataPacket, SizeLargerThanMaxBufferSizeIsRefused)
{
    Framer f;
    EXPECT_THROW(f.SetSize(1025), EListError);
    EXPECT_EQ(f.Size(), 0);
    EXPECT_THROW(f.SetSize(-1), EListError);
    f.SetSize(1024);
    EXPECT_THROW(f.SetMaxBufferSize(100), EListError);
    EXPECT_EQ(f.MaxBufferSize(), 1024);
    f.SetMaxBufferSize(0);
    f.SetSize(5000);
    EXPECT_EQ(f.Size(), 5000);
}

TEST(ComDataPacket, BindingMovesTheLinkBetweenPortsAndSurvivesThePort)
{
    auto* port = new TComPort(nullptr);
    Framer f;
    f.SetComPort(port);
    // The framer takes the received bytes, so the trigger cannot change.
    EXPECT_THROW(port->SetTriggersOnRxChar(false), Exception);
    TComPort other(nullptr);
    f.SetComPort(&other);
    port->SetTriggersOnRxChar(false);
    EXPECT_FALSE(port->TriggersOnRxChar());
    delete port;
    EXPECT_EQ(f.ComPort(), &other);
    TComPort* last = new TComPort(nullptr);
    f.SetComPort(last);
    delete last;
    EXPECT_EQ(f.ComPort(), nullptr);
}
