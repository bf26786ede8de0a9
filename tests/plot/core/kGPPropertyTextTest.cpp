#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/core/kGPFunctions.h"
#include "rtl/Exception.h"
#include "rtl/PublishedProperties.h"
#include "rtl/StringList.h"

namespace {

class TTextFont : public TPersistent {
public:
    int Size = 8;
    int Color = 0;
};

class TTextObject : public TPersistent {
public:
    TTextFont Font;
    TTextObject* Other = nullptr;  // a reference, not owned
    TTextObject* Loop = this;      // claims to own itself
    int Width = 1;
    int Kind = 0;
    bool Visible = true;
    double Ratio = 0.5;
    std::string Title = "Plot";
    int Count = 4;  // read-only
};

const bool Registered = [] {
    RegisterPublishedClass<TTextFont>("TTextFont", TPropertyListBuilder<TTextFont>()
                                                       .Integer(
                                                           "Size", [](const TTextFont& f) { return f.Size; },
                                                           [](TTextFont& f, std::int64_t v) { f.Size = int(v); }, 8)
                                                       .Color(
                                                           "Color", [](const TTextFont& f) { return f.Color; },
                                                           [](TTextFont& f, std::int64_t v) { f.Color = int(v); })
                                                       .Take());
    using T = TTextObject;
    RegisterPublishedClass<TTextObject>(
        "TTextObject",
        TPropertyListBuilder<T>()
            .Object("Font", "TTextFont", [](const T& o) { return const_cast<TTextFont*>(&o.Font); })
            .Object(
                "Other", "TTextObject", [](const T& o) { return o.Other; }, false)
            .Object("Loop", "TTextObject", [](const T& o) { return o.Loop; })
            .Integer(
                "Width", [](const T& o) { return o.Width; }, [](T& o, std::int64_t v) { o.Width = int(v); }, 1)
            .Enumeration(
                "Kind", "TKind", {"kA", "kB"}, [](const T& o) { return o.Kind; },
                [](T& o, std::int64_t v) { o.Kind = int(v); }, 0)
            .Boolean(
                "Visible", [](const T& o) { return o.Visible; }, [](T& o, std::int64_t v) { o.Visible = v != 0; }, true)
            .Float(
                "Ratio", [](const T& o) { return o.Ratio; }, [](T& o, double v) { o.Ratio = v; })
            .String(
                "Title", [](const T& o) { return o.Title; }, [](T& o, const std::string& v) { o.Title = v; })
            .Integer(
                "Count", [](const T& o) { return o.Count; }, nullptr)
            .Take());
    return true;
}();

std::vector<std::string> All(const TStrings& l)
{
    std::vector<std::string> r;
    for (int i = 0; i < l.Count(); ++i)
        r.push_back(l[i]);
    return r;
}

void Fill(TStringList& l, std::initializer_list<std::string> items)
{
    for (const auto& s : items)
        l.Add(s);
}

class kGPPropertyTextTest : public ::testing::Test {
protected:
    void SetUp() override { (void)Registered; }
};

TEST_F(kGPPropertyTextTest, WritesOwnedObjectsInPlaceAndSkipsReadOnlyAndReferences)
{
    TTextObject a, b;
    a.Other = &b;
    a.Font.Color = -2147483633;  // a system colour comes out negative
    a.Title = "Two\r\nlines";
    TStringList out;
    WriteObjectProperties(&a, "Label0", out, false, nullptr);
    EXPECT_EQ(All(out), (std::vector<std::string>{"Label0.Font.Size = 8", "Label0.Font.Color = -2147483633",
                                                  "Label0.Width = 1", "Label0.Kind = 0", "Label0.Visible = 1",
                                                  "Label0.Ratio = 0.5", "Label0.Title = Two#13#10lines"}));
}

TEST_F(kGPPropertyTextTest, DifferentialLeavesOutOrdinalDefaultsOnly)
{
    TTextObject a;
    a.Width = 3;
    TStringList out;
    WriteObjectProperties(&a, "", out, true, nullptr);
    // Color has no declared default: always written; floats and strings too
    EXPECT_EQ(All(out), (std::vector<std::string>{"Font.Color = 0", "Width = 3", "Ratio = 0.5", "Title = Plot"}));
}

TEST_F(kGPPropertyTextTest, SkipListMatchesWholePathsIgnoringCase)
{
    TTextObject a;
    TStringList skip;
    Fill(skip, {"font.size", "TITLE", "Ratio.x"});
    TStringList out;
    WriteObjectProperties(&a, "", out, false, &skip);
    EXPECT_EQ(All(out),
              (std::vector<std::string>{"Font.Color = 0", "Width = 1", "Kind = 0", "Visible = 1", "Ratio = 0.5"}));
}

TEST_F(kGPPropertyTextTest, FloatsAtTheExtremesLoadBack)
{
    const double max = std::numeric_limits<double>::max();
    for (const double v : {max, -max, std::nextafter(max, 0.0), 1.7976931348623150e308,
                           std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min()}) {
        TTextObject a, b;
        a.Ratio = v;
        TStringList out;
        WriteObjectProperties(&a, "", out, true, nullptr);
        ASSERT_NO_THROW(ReadObjectProperties(&b, "", out)) << v;
        EXPECT_NEAR(b.Ratio, v, std::fabs(v) * 1e-14);
    }
}

TEST_F(kGPPropertyTextTest, LongValuesAreWrittenWholeAndReadBack)
{
    TTextObject a, b;
    a.Title = std::string(300, 'x');
    for (int i = 0; i < 200; ++i)
        a.Title += "\xE6\xB5\x8B";  // one Chinese character
    TStringList out;
    WriteObjectProperties(&a, "", out, true, nullptr);
    EXPECT_EQ(out[out.Count() - 1], "Title = " + a.Title);
    ReadObjectProperties(&b, "", out);
    EXPECT_EQ(b.Title, a.Title);
}

TEST_F(kGPPropertyTextTest, HashCharactersInTextSurvive)
{
    // Text that itself reads "#13" or "#10" must not come back as a line
    // break, and a lone "#" stays what it was.
    TTextObject a, b;
    a.Title = "C#13 #10# #3#\r\n##1";
    TStringList out;
    WriteObjectProperties(&a, "", out, true, nullptr);
    EXPECT_EQ(out[out.Count() - 1], "Title = C#3513 #3510#35 #353#35#13#10#35#351");
    ReadObjectProperties(&b, "", out);
    EXPECT_EQ(b.Title, a.Title);
    // Files of older writers, with no escaped "#", read as before.
    ReadObjectProperty(&b, "Title", "A#13#10B #1 #", '.');
    EXPECT_EQ(b.Title, "A\r\nB #1 #");
}

TEST_F(kGPPropertyTextTest, FloatsReadBackExactly)
{
    for (const double v : {0.1 + 0.2, 1.0 / 3, 46000.000011574074, -1e-300, 123456789.123456789}) {
        TTextObject a, b;
        a.Ratio = v;
        TStringList out;
        WriteObjectProperties(&a, "", out, true, nullptr);
        ReadObjectProperties(&b, "", out);
        EXPECT_EQ(b.Ratio, v);
    }
}

TEST_F(kGPPropertyTextTest, BlankLinesDoNotEndASection)
{
    TTextObject a;
    TStringList in;
    Fill(in, {"Obj.Width = 5", "", "  ", "Obj.Kind = 1", "Next.Width = 2"});
    ReadObjectProperties(&a, "Obj", in);
    EXPECT_EQ(a.Width, 5);
    EXPECT_EQ(a.Kind, 1);
    EXPECT_EQ(All(in), (std::vector<std::string>{"Next.Width = 2"}));
}

TEST_F(kGPPropertyTextTest, ReadsTheSectionOfItsPrefixAndStopsAtTheNext)
{
    TTextObject a;
    TStringList in;
    Fill(in, {"Channel0.Width=5", "Channel0.Font.Size = 12", "channel0.Kind = 1", "Channel0.Title = A#13#10B",
              "Channel0.Ratio = 0,25", "Channel0.Missing = 3", "Channel0.Count = 9", "Channel1.Width = 7",
              "Channel0.Width = 8"});
    ReadObjectProperties(&a, "Channel0", in);
    EXPECT_EQ(a.Width, 5);
    EXPECT_EQ(a.Font.Size, 12);
    EXPECT_EQ(a.Kind, 0);  // "channel0" differs in case: the section ended there
    EXPECT_EQ(All(in).front(), "channel0.Kind = 1");
    in.Delete(0);
    ReadObjectProperties(&a, "Channel0", in);
    EXPECT_EQ(a.Title, "A\r\nB");
    EXPECT_EQ(a.Ratio, 0.25);  // a decimal comma reads back
    EXPECT_EQ(a.Count, 4);     // read-only: ignored
    EXPECT_EQ(All(in), (std::vector<std::string>{"Channel1.Width = 7", "Channel0.Width = 8"}));
}

TEST_F(kGPPropertyTextTest, EmptyPrefixTakesEveryLine)
{
    TTextObject a;
    TStringList in;
    Fill(in, {"File Type = TTextObject", "Width = $10", "", "no separator", "Other.Width = 3", "Loop.Width = 4"});
    ReadObjectProperties(&a, "", in);
    EXPECT_EQ(in.Count(), 0);
    EXPECT_EQ(a.Width, 16);  // hexadecimal with "$"
}

TEST_F(kGPPropertyTextTest, BadValuesRaise)
{
    TTextObject a;
    TStringList in;
    Fill(in, {"Width = wide"});
    EXPECT_THROW(ReadObjectProperties(&a, "", in), EConvertError);
    EXPECT_THROW(ReadObjectProperty(&a, "Ratio", "half", '.'), EConvertError);
    EXPECT_THROW(ReadObjectProperty(&a, "Kind", "5", '.'), EConvertError);
    EXPECT_EQ(a.Kind, 0);
    ReadObjectProperty(&a, "Ratio", "1.5", ',');  // a comma reader turns the point into its own
    EXPECT_EQ(a.Ratio, 1.5);
}

TEST_F(kGPPropertyTextTest, WriteThenReadRoundTrips)
{
    TTextObject a;
    a.Width = 9;
    a.Kind = 1;
    a.Visible = false;
    a.Ratio = 1.0 / 3;
    a.Title = "x = y\n";
    a.Font.Color = 0x123456;
    TStringList text;
    WriteObjectProperties(&a, "Obj", text, false, nullptr);
    EXPECT_GE(text.IndexOf("Obj.Ratio = 0.3333333333333333"), 0);  // as many digits as read back
    TTextObject b;
    ReadObjectProperties(&b, "Obj", text);
    EXPECT_EQ(text.Count(), 0);
    EXPECT_EQ(b.Width, 9);
    EXPECT_EQ(b.Kind, 1);
    EXPECT_FALSE(b.Visible);
    EXPECT_EQ(b.Ratio, 1.0 / 3);
    EXPECT_EQ(b.Title, "x = y\n");
    EXPECT_EQ(b.Font.Color, 0x123456);
}

TEST_F(kGPPropertyTextTest, LineHelpers)
{
    std::string name, value;
    SplitNameValue("  Width =  a = b \t", '=', name, value);
    EXPECT_EQ(name, "Width");
    EXPECT_EQ(value, "a = b");
    SplitNameValue("no separator", '=', name, value);
    EXPECT_EQ(name, "");
    EXPECT_EQ(value, "");

    std::string path = "CHANNEL0.Font.Size";
    EXPECT_EQ(StripPropertyPrefix("Channel0", path), "CHANNEL0");
    EXPECT_EQ(path, "Font.Size");
    path = "Channel1.Width";
    EXPECT_EQ(StripPropertyPrefix("Channel0", path), "");
    EXPECT_EQ(path, "Channel1.Width");
    EXPECT_EQ(StripPropertyPrefix("", path), "");

    TStringList l;
    Fill(l, {"File Type = Plot Config", "ChannelCount = 2", "Noise", "channelcount = 9"});
    EXPECT_TRUE(ExtractValueByName("CHANNELCOUNT", l, value));
    EXPECT_EQ(value, "2");
    EXPECT_EQ(All(l), (std::vector<std::string>{"File Type = Plot Config", "Noise", "channelcount = 9"}));
    EXPECT_FALSE(ExtractValueByName("Noise", l, value));
    EXPECT_FALSE(ExtractValueByName("XAxisCount", l, value));

    TTextObject a;
    EXPECT_EQ(GetClassPropertyObject(&a, "font"), &a.Font);
    EXPECT_EQ(GetClassPropertyObject(&a, "Width"), nullptr);
    EXPECT_EQ(GetClassPropertyObject(&a, "Missing"), nullptr);
}

}  // namespace
