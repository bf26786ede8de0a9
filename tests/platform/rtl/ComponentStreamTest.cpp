// The component stream: TWriter and TReader with published properties,
// owned sub-objects, defined values, binary values and collections.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "rtl/Exception.h"
#include "rtl/MemoryStream.h"
#include "rtl/PublishedProperties.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"

namespace {

class TGauge : public TPersistent {
public:
    int Colour = 0;
    double Width = 1.0;
};

class TItem : public TPersistent {
public:
    std::string Label;
    int Weight = 1;
};

class TDial : public TPersistent {
public:
    int Count = 3;
    bool Enabled = true;
    int Mode = 0;   // dmLinear, dmLog, dmDate
    int Flags = 0;  // set of dfGrid, dfTicks, dfLabels
    double Level = 0.0;
    std::string Caption;
    int Letter = 'A';
    bool Hidden = false;  // stored only while Count is even
    int Spare = 0;        // stored never
    TGauge Gauge;
    int Zoom = 100;                             // a defined value, not published
    std::string Picture;                        // a defined binary value
    std::vector<std::unique_ptr<TItem>> Items;  // a defined collection
    int ReadOnly = 9;

    void DefineProperties(TFiler& Filer) override
    {
        Filer.DefineProperty(
            "Zoom", [this](TReader& R) { Zoom = static_cast<int>(R.ReadInteger()); },
            [this](TWriter& W) { W.WriteInteger(Zoom); }, Zoom != 100);
        Filer.DefineBinaryProperty(
            "Picture",
            [this](TStream& S) {
                Picture.assign(static_cast<std::size_t>(S.GetSize()), '\0');
                S.ReadBuffer(Picture.data(), Picture.size());
            },
            [this](TStream& S) { S.WriteBuffer(Picture.data(), Picture.size()); }, !Picture.empty());
        Filer.DefineProperty(
            "Items",
            [this](TReader& R) {
                Items.clear();
                R.ReadCollection([this]() -> TPersistent* {
                    Items.push_back(std::make_unique<TItem>());
                    return Items.back().get();
                });
            },
            [this](TWriter& W) {
                W.WriteCollection(static_cast<int>(Items.size()), [this](int i) { return Items[i].get(); });
            },
            !Items.empty());
    }
};

void RegisterStreamSamples()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterPublishedClass<TGauge>(
        "TGauge", TPropertyListBuilder<TGauge>()
                      .Color(
                          "Colour", [](const TGauge& g) { return g.Colour; },
                          [](TGauge& g, std::int64_t v) { g.Colour = int(v); }, 0)
                      .Float(
                          "Width", [](const TGauge& g) { return g.Width; }, [](TGauge& g, double v) { g.Width = v; })
                      .Take());
    RegisterPublishedClass<TItem>("TItem", TPropertyListBuilder<TItem>()
                                               .String(
                                                   "Label", [](const TItem& i) { return i.Label; },
                                                   [](TItem& i, const std::string& v) { i.Label = v; })
                                               .Integer(
                                                   "Weight", [](const TItem& i) { return i.Weight; },
                                                   [](TItem& i, std::int64_t v) { i.Weight = int(v); }, 1)
                                               .Take());
    RegisterPublishedClass<TDial>(
        "TDial",
        TPropertyListBuilder<TDial>()
            .Integer(
                "Count", [](const TDial& d) { return d.Count; }, [](TDial& d, std::int64_t v) { d.Count = int(v); }, 3)
            .Boolean(
                "Enabled", [](const TDial& d) { return d.Enabled; },
                [](TDial& d, std::int64_t v) { d.Enabled = v != 0; }, true)
            .Enumeration(
                "Mode", "TDialMode", {"dmLinear", "dmLog", "dmDate"}, [](const TDial& d) { return d.Mode; },
                [](TDial& d, std::int64_t v) { d.Mode = int(v); }, 0)
            .Set(
                "Flags", "TDialFlags", {"dfGrid", "dfTicks", "dfLabels"}, [](const TDial& d) { return d.Flags; },
                [](TDial& d, std::int64_t v) { d.Flags = int(v); }, 0)
            .Float(
                "Level", [](const TDial& d) { return d.Level; }, [](TDial& d, double v) { d.Level = v; })
            .String(
                "Caption", [](const TDial& d) { return d.Caption; },
                [](TDial& d, const std::string& v) { d.Caption = v; })
            .Char(
                "Letter", [](const TDial& d) { return d.Letter; }, [](TDial& d, std::int64_t v) { d.Letter = int(v); })
            .Boolean(
                "Hidden", [](const TDial& d) { return d.Hidden; }, [](TDial& d, std::int64_t v) { d.Hidden = v != 0; },
                false)
            .Stored([](const TDial& d) { return d.Count % 2 == 0; })
            .Integer(
                "Spare", [](const TDial& d) { return d.Spare; }, [](TDial& d, std::int64_t v) { d.Spare = int(v); })
            .Stored([](const TDial&) { return false; })
            .Object("Gauge", "TGauge", [](const TDial& d) { return const_cast<TGauge*>(&d.Gauge); })
            .Integer(
                "ReadOnly", [](const TDial& d) { return d.ReadOnly; }, nullptr)
            .Take());
}

class ComponentStreamTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterStreamSamples(); }

    static std::string Write(const TDial& Dial, bool Defaults = false)
    {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.WriteDefaults = Defaults;
        writer.WriteRoot(&Dial);
        return stream.Bytes();
    }
    static void Read(const std::string& Bytes, TDial& Dial)
    {
        TMemoryStream stream(Bytes);
        TReader(stream).ReadRoot(&Dial);
    }
    static void Change(TDial& d)
    {
        d.Count = 4;
        d.Enabled = false;
        d.Mode = 2;
        d.Flags = 0b101;
        d.Level = -1.25e-300;
        d.Caption = "压力 1";
        d.Letter = 'Z';
        d.Hidden = true;
        d.Spare = 77;
        d.Gauge.Colour = 0x00FF8040;
        d.Gauge.Width = 2.5;
        d.Zoom = 250;
        d.Picture = std::string("\x89PNG\0\x01\xFF", 7);
        for (int i = 0; i < 3; ++i) {
            d.Items.push_back(std::make_unique<TItem>());
            d.Items.back()->Label = "item " + std::to_string(i);
            d.Items.back()->Weight = 10 + i;
        }
    }
    static void ExpectSame(const TDial& a, const TDial& b, bool WithSpare)
    {
        EXPECT_EQ(a.Count, b.Count);
        EXPECT_EQ(a.Enabled, b.Enabled);
        EXPECT_EQ(a.Mode, b.Mode);
        EXPECT_EQ(a.Flags, b.Flags);
        EXPECT_EQ(a.Level, b.Level);
        EXPECT_EQ(a.Caption, b.Caption);
        EXPECT_EQ(a.Letter, b.Letter);
        EXPECT_EQ(a.Hidden, b.Hidden);
        if (WithSpare) {
            EXPECT_EQ(a.Spare, b.Spare);
        }
        EXPECT_EQ(a.Gauge.Colour, b.Gauge.Colour);
        EXPECT_EQ(a.Gauge.Width, b.Gauge.Width);
        EXPECT_EQ(a.Zoom, b.Zoom);
        EXPECT_EQ(a.Picture, b.Picture);
        ASSERT_EQ(a.Items.size(), b.Items.size());
        for (std::size_t i = 0; i < a.Items.size(); ++i) {
            EXPECT_EQ(a.Items[i]->Label, b.Items[i]->Label);
            EXPECT_EQ(a.Items[i]->Weight, b.Items[i]->Weight);
        }
    }
};

TEST_F(ComponentStreamTest, EverySettingReadsBackIntoANewObject)
{
    TDial source;
    Change(source);
    TDial copy;
    Read(Write(source), copy);
    ExpectSame(source, copy, false);
    EXPECT_EQ(copy.Spare, 0) << "a property stored never is not written";
}

TEST_F(ComponentStreamTest, TheBytesFollowTheDocumentedLayout)
{
    TDial d;
    d.Count = 5;
    d.Caption = "ab";
    d.Gauge.Width = 1.0;
    std::string bytes = Write(d);
    // Signature and version, then "Count" as an integer, "Level" (a float
    // has no declared default), "Caption", "Letter", "Gauge.Colour" is at
    // its default, "Gauge.Width", then the end.
    std::string expected("KCS\x1A\x01", 5);
    auto name = [&](const std::string& n) {
        expected += char(n.size());
        expected += '\0';
        expected += n;
    };
    name("Count");
    expected += std::string("\x02\x05\0\0\0\0\0\0\0", 9);
    name("Level");
    expected += std::string("\x03\0\0\0\0\0\0\0\0", 9);
    name("Caption");
    expected += std::string("\x04\x02\0\0\0ab", 7);
    name("Letter");
    expected += std::string("\x02\x41\0\0\0\0\0\0\0", 9);
    name("Gauge.Width");
    expected += std::string("\x03\0\0\0\0\0\0\xF0\x3F", 9);
    expected += std::string("\0\0", 2);
    EXPECT_EQ(bytes, expected);
}

TEST_F(ComponentStreamTest, ValuesAtTheirDefaultAndUnstoredOnesAreLeftOutUnlessDefaultsAreAsked)
{
    TDial d;  // Count 3 is odd: Hidden is not stored
    d.Hidden = true;
    std::string lean = Write(d);
    EXPECT_EQ(lean.find("Count"), std::string::npos);
    EXPECT_EQ(lean.find("Enabled"), std::string::npos);
    EXPECT_EQ(lean.find("Hidden"), std::string::npos);
    EXPECT_EQ(lean.find("Zoom"), std::string::npos) << "a defined value without data";
    EXPECT_EQ(lean.find("Items"), std::string::npos);
    EXPECT_EQ(lean.find("ReadOnly"), std::string::npos) << "read-only properties are never written";
    std::string full = Write(d, true);
    for (const char* key : {"Count", "Enabled", "Mode", "Flags", "Hidden", "Spare", "Gauge.Colour"})
        EXPECT_NE(full.find(key), std::string::npos) << key;
}

TEST_F(ComponentStreamTest, ANestedCollectionInsideACollectionItemIsRead)
{
    TDial d;
    Change(d);
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WritePropName("Outer");
    writer.WriteCollection(2, [&](int) { return static_cast<const TPersistent*>(&d); });
    writer.WriteListEnd();
    stream.SetPosition(0);

    std::vector<std::unique_ptr<TDial>> read;
    int done = 0;
    TReader reader(stream);
    reader.ReadSignature();
    EXPECT_EQ(reader.ReadPropName(), "Outer");
    reader.ReadCollection(
        [&]() -> TPersistent* {
            read.push_back(std::make_unique<TDial>());
            return read.back().get();
        },
        [&](TPersistent* item) {
            EXPECT_EQ(item, read.back().get());
            ++done;
        });
    reader.ReadListEnd();
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(done, 2);
    ExpectSame(d, *read[1], false);
}

// Items of a collection may name their class: the reader that asks hears
// each name (none for an item without one); one that does not refuses a
// named item as a bad stream.
TEST_F(ComponentStreamTest, ItemsMayNameTheirClassWhereTheReaderTakesIt)
{
    TItem first, second;
    first.Label = "plain";
    second.Label = "named";
    const TItem* items[] = {&first, &second};
    TMemoryStream stream;
    {
        TWriter writer(stream);
        writer.WriteSignature();
        writer.WritePropName("Items");
        writer.WriteCollection(
            2, [&](int i) { return items[i]; }, [](int i) { return std::string(i ? "TItem" : ""); });
        writer.WriteListEnd();
    }
    const std::string bytes = stream.Bytes();
    EXPECT_NE(bytes.find(std::string("\x07\x05\0TItem\x01", 9)), std::string::npos);

    std::vector<std::string> classes;
    std::vector<std::unique_ptr<TItem>> read;
    TMemoryStream input(bytes);
    TReader reader(input);
    reader.ReadSignature();
    EXPECT_EQ(reader.ReadPropName(), "Items");
    reader.ReadCollection([&](const std::string& ClassName) -> TPersistent* {
        classes.push_back(ClassName);
        read.push_back(std::make_unique<TItem>());
        return read.back().get();
    });
    reader.ReadListEnd();
    EXPECT_EQ(classes, (std::vector<std::string>{"", "TItem"}));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1]->Label, "named");

    TDial target;
    target.Items.push_back(std::make_unique<TItem>());
    target.Items[0]->Label = "kept";
    EXPECT_THROW(Read(bytes, target), EReadError);
    ASSERT_EQ(target.Items.size(), 1u);
    EXPECT_EQ(target.Items[0]->Label, "kept");
}

// Cutting a valid stream anywhere must raise a read error and leave the
// object exactly as it was, however much of the stream was good.
TEST_F(ComponentStreamTest, ATruncatedStreamRaisesAndChangesNothing)
{
    TDial source;
    Change(source);
    std::string bytes = Write(source);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        TDial target;
        target.Caption = "kept";
        target.Items.push_back(std::make_unique<TItem>());
        TDial before;
        before.Caption = "kept";
        before.Items.push_back(std::make_unique<TItem>());
        EXPECT_THROW(Read(bytes.substr(0, length), target), EReadError) << "length " << length;
        ExpectSame(before, target, true);
    }
}

TEST_F(ComponentStreamTest, ABadValueHalfWayRollsBackWhatWasAlreadySet)
{
    TDial source;
    Change(source);
    std::string bytes = Write(source);
    // The enumeration's identifier is renamed to one the class does not know:
    // the structure is sound, so the error comes while applying.
    auto at = bytes.find("dmDate");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 6, "dmXxxx");

    TDial target;
    target.Caption = "old";
    target.Zoom = 120;
    try {
        Read(bytes, target);
        FAIL() << "no read error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message.find("Mode"), std::string::npos) << e.Message;
    }
    EXPECT_EQ(target.Count, 3);
    EXPECT_TRUE(target.Enabled);
    EXPECT_EQ(target.Caption, "old");
    EXPECT_EQ(target.Zoom, 120);
    EXPECT_TRUE(target.Items.empty());
}

TEST_F(ComponentStreamTest, CorruptStreamsAreRefusedWithAReadError)
{
    TDial source;
    Change(source);
    std::string good = Write(source);
    auto refused = [&](std::string bytes, const std::string& why) {
        TDial target;
        EXPECT_THROW(Read(bytes, target), EReadError) << why;
        EXPECT_EQ(target.Count, 3) << why;
        EXPECT_TRUE(target.Items.empty()) << why;
    };
    refused("", "empty");
    refused("XCS\x1A\x01" + good.substr(5), "signature");
    refused(good.substr(0, 4) + "\x02" + good.substr(5), "unknown version");

    std::string tag = good;
    tag[5 + 2 + 5] = '\x7F';  // the type of "Count"'s value
    refused(tag, "unknown value type");

    std::string huge = good;
    auto caption = huge.find("Caption");
    huge[caption + 7 + 4] = '\x7F';  // top byte of the string's length
    refused(huge, "a length past the end");

    std::string unknown = good;
    unknown.replace(unknown.find("Caption"), 7, "Captiox");
    refused(unknown, "unknown property");

    std::string readOnly = good;
    readOnly.replace(readOnly.find("Caption"), 7, "Readonl");
    refused(readOnly, "unknown property of the same length");

    std::string range = good;
    auto letter = range.find("Letter");
    range[letter + 6 + 2] = '\x01';  // 'Z' + 256: out of a char's range
    refused(range, "ordinal out of range");

    std::string kind = good;
    kind[5 + 2 + 5] = static_cast<char>(TValueType::vaString);  // Count given as a string
    refused(kind, "value of another kind");
}

TEST_F(ComponentStreamTest, CollectionsNestedTooDeepAreRefused)
{
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WritePropName("Items");
    // Each level: a collection holding one item whose only property is the next level.
    for (int i = 0; i < MaxCollectionDepth + 1; ++i) {
        stream.WriteBuffer("\x09\x01", 2);
        writer.WritePropName("Items");
    }
    writer.WriteInteger(1);
    for (int i = 0; i < MaxCollectionDepth + 1; ++i) {
        writer.WriteListEnd();
        stream.WriteBuffer("\x00", 1);
    }
    writer.WriteListEnd();
    TDial target;
    try {
        Read(stream.Bytes(), target);
        FAIL() << "no read error";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message.find("too deep"), std::string::npos) << e.Message;
    }
    EXPECT_TRUE(target.Items.empty());
}

TEST_F(ComponentStreamTest, FloatsKeepEveryBitAndIntegersAreTakenForFloats)
{
    for (double v : {0.0, -0.0, 1.0 / 3.0, 1.7976931348623157e308, 4.9e-324, -2.5}) {
        TDial d;
        d.Level = v;
        TDial copy;
        Read(Write(d, true), copy);
        EXPECT_EQ(std::signbit(copy.Level), std::signbit(v));
        EXPECT_EQ(copy.Level, v);
    }
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WritePropName("Level");
    writer.WriteInteger(-7);
    writer.WriteListEnd();
    TDial target;
    Read(stream.Bytes(), target);
    EXPECT_EQ(target.Level, -7.0);
}

}  // namespace
