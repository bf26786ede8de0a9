#include "rtl/PublishedProperties.h"

#include <gtest/gtest.h>

#include "rtl/Exception.h"
#include "rtl/Persistent.h"

namespace {

class TSampleFont : public TPersistent {
public:
    int Color = 0;
    int Size = 8;
    int Style = 0;  // set of bold, italic
};

class TSampleWidget : public TPersistent {
public:
    TSampleFont Font;
    TSampleWidget* Buddy = nullptr;  // not owned
    TSampleWidget* Self = this;      // owned in name only: a cycle
    std::string Caption = "Widget";
    double Ratio = 0.5;
    int Kind = 0;
    bool Visible = true;
    char Letter = 'A';
    int Tag = 0;
    int ReadOnlyCount = 7;
    bool HasClick = false;
};

class TSampleButton : public TSampleWidget {
public:
    int Repeat = 0;
};

// Derived but never registered: takes its nearest registered base's list.
class TSampleSpecialButton : public TSampleButton {};

void RegisterSamples()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterPublishedClass<TSampleFont>(
        "TSampleFont",
        TPropertyListBuilder<TSampleFont>()
            .Color(
                "Color", [](const TSampleFont& f) { return f.Color; },
                [](TSampleFont& f, std::int64_t v) { f.Color = int(v); }, 0)
            .Integer(
                "Size", [](const TSampleFont& f) { return f.Size; },
                [](TSampleFont& f, std::int64_t v) { f.Size = int(v); }, 8)
            .Set(
                "Style", "TFontStyles", {"fsBold", "fsItalic"}, [](const TSampleFont& f) { return f.Style; },
                [](TSampleFont& f, std::int64_t v) { f.Style = int(v); }, 0)
            .Take());
    // The button registers before its base: order of registration must not matter.
    RegisterPublishedClass<TSampleButton, TSampleWidget>(
        "TSampleButton", TPropertyListBuilder<TSampleButton>()
                             .Integer(
                                 "Repeat", [](const TSampleButton& b) { return b.Repeat; },
                                 [](TSampleButton& b, std::int64_t v) { b.Repeat = int(v); })
                             // re-published with another default: keeps its first place
                             .Integer(
                                 "Tag", [](const TSampleButton& b) { return b.Tag; },
                                 [](TSampleButton& b, std::int64_t v) { b.Tag = int(v); }, 5)
                             .Take());
    RegisterPublishedClass<TSampleWidget>(
        "TSampleWidget",
        TPropertyListBuilder<TSampleWidget>()
            .Object("Font", "TSampleFont", [](const TSampleWidget& w) { return const_cast<TSampleFont*>(&w.Font); })
            .Object(
                "Buddy", "TSampleWidget", [](const TSampleWidget& w) { return w.Buddy; }, false)
            .Object("Self", "TSampleWidget", [](const TSampleWidget& w) { return w.Self; })
            .String(
                "Caption", [](const TSampleWidget& w) { return w.Caption; },
                [](TSampleWidget& w, const std::string& v) { w.Caption = v; })
            .Float(
                "Ratio", [](const TSampleWidget& w) { return w.Ratio; },
                [](TSampleWidget& w, double v) { w.Ratio = v; })
            .Enumeration(
                "Kind", "TSampleKind", {"skNone", "skLine", "skBar"}, [](const TSampleWidget& w) { return w.Kind; },
                [](TSampleWidget& w, std::int64_t v) { w.Kind = int(v); }, 0)
            .Boolean(
                "Visible", [](const TSampleWidget& w) { return w.Visible; },
                [](TSampleWidget& w, std::int64_t v) { w.Visible = v != 0; }, true)
            .Char(
                "Letter", [](const TSampleWidget& w) { return w.Letter; },
                [](TSampleWidget& w, std::int64_t v) { w.Letter = char(v); })
            .Integer(
                "Tag", [](const TSampleWidget& w) { return w.Tag; },
                [](TSampleWidget& w, std::int64_t v) { w.Tag = int(v); }, 0)
            .Integer(
                "ReadOnlyCount", [](const TSampleWidget& w) { return w.ReadOnlyCount; }, nullptr)
            .Stored([](const TSampleWidget& w) { return w.ReadOnlyCount > 0; })
            .Method("OnClick", "TNotifyEvent", [](const TSampleWidget& w) { return w.HasClick; })
            .Take());
}

std::vector<std::string> Names(const TObject* o)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : TPropertyRegistry::Instance().GetPropList(o))
        names.push_back(p->Name);
    return names;
}

class PublishedPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterSamples(); }
};

TEST_F(PublishedPropertiesTest, ListsBaseClassFirstAndRepublishedKeepsItsPlace)
{
    TSampleButton button;
    std::vector<std::string> expected{"Font",    "Buddy",  "Self", "Caption",       "Ratio",   "Kind",
                                      "Visible", "Letter", "Tag",  "ReadOnlyCount", "OnClick", "Repeat"};
    EXPECT_EQ(Names(&button), expected);
    EXPECT_EQ(GetPropInfo(&button, "tag")->Default, 5);
    TSampleWidget widget;
    EXPECT_EQ(GetPropInfo(&widget, "Tag")->Default, 0);
    EXPECT_EQ(TPropertyRegistry::Instance().GetClassName(&button), "TSampleButton");
}

TEST_F(PublishedPropertiesTest, UnregisteredClassUsesNearestRegisteredBase)
{
    TSampleSpecialButton special;
    EXPECT_EQ(TPropertyRegistry::Instance().GetClassName(&special), "TSampleButton");
    EXPECT_EQ(Names(&special).back(), "Repeat");
    TObject plain;
    EXPECT_TRUE(Names(&plain).empty());
    EXPECT_EQ(GetPropInfo(&plain, "Tag"), nullptr);
}

TEST_F(PublishedPropertiesTest, KindsAndTypeNames)
{
    TSampleWidget w;
    EXPECT_EQ(GetPropInfo(&w, "Visible")->Kind, TTypeKind::tkEnumeration);
    EXPECT_EQ(GetPropInfo(&w, "Visible")->TypeName, "Boolean");
    EXPECT_EQ(GetPropInfo(&w, "Font")->Kind, TTypeKind::tkClass);
    EXPECT_EQ(GetPropInfo(&w, "Ratio")->Kind, TTypeKind::tkFloat);
    EXPECT_EQ(GetPropInfo(&w, "Caption")->Kind, TTypeKind::tkString);
    EXPECT_EQ(GetPropInfo(&w, "Letter")->Kind, TTypeKind::tkChar);
    EXPECT_EQ(GetPropInfo(&w, "OnClick")->Kind, TTypeKind::tkMethod);
    EXPECT_EQ(GetPropInfo(&w.Font, "Style")->Kind, TTypeKind::tkSet);
    EXPECT_EQ(GetPropInfo(&w.Font, "Color")->TypeName, "TColor");
    EXPECT_FALSE(GetPropInfo(&w, "ReadOnlyCount")->IsWritable());
    EXPECT_TRUE(GetPropInfo(&w, "Caption")->IsWritable());
}

TEST_F(PublishedPropertiesTest, TypedAccessReadsAndWritesTheObject)
{
    TSampleWidget w;
    SetStrProp(&w, *GetPropInfo(&w, "Caption"), "Pump 1");
    SetFloatProp(&w, *GetPropInfo(&w, "Ratio"), 2.25);
    SetOrdProp(&w, *GetPropInfo(&w, "Kind"), 2);
    SetOrdProp(&w, *GetPropInfo(&w, "Visible"), 0);
    EXPECT_EQ(w.Caption, "Pump 1");
    EXPECT_DOUBLE_EQ(w.Ratio, 2.25);
    EXPECT_EQ(w.Kind, 2);
    EXPECT_FALSE(w.Visible);
    EXPECT_EQ(GetStrProp(&w, *GetPropInfo(&w, "Caption")), "Pump 1");
    EXPECT_EQ(GetOrdProp(&w, *GetPropInfo(&w, "Kind")), 2);
    EXPECT_EQ(GetObjectProp(&w, *GetPropInfo(&w, "Font")), &w.Font);
}

TEST_F(PublishedPropertiesTest, OrdinalValuesOutOfRangeAreRefused)
{
    TSampleWidget w;
    const TPropInfo& kind = *GetPropInfo(&w, "Kind");
    EXPECT_THROW(SetOrdProp(&w, kind, 3), EConvertError);
    EXPECT_THROW(SetOrdProp(&w, kind, -1), EConvertError);
    EXPECT_EQ(w.Kind, 0);
    EXPECT_THROW(SetOrdProp(&w, *GetPropInfo(&w, "Visible"), 2), EConvertError);
    EXPECT_TRUE(w.Visible);
    EXPECT_THROW(SetOrdProp(&w.Font, *GetPropInfo(&w.Font, "Style"), 4), EConvertError);
    SetOrdProp(&w.Font, *GetPropInfo(&w.Font, "Style"), 3);
    EXPECT_EQ(w.Font.Style, 3);
    // a colour is a plain signed integer: system colours are negative
    SetOrdProp(&w.Font, *GetPropInfo(&w.Font, "Color"), -2147483633LL);
    EXPECT_EQ(w.Font.Color, -2147483633);
}

TEST_F(PublishedPropertiesTest, WrongKindAndReadOnlyAreRefused)
{
    TSampleWidget w;
    EXPECT_THROW(SetOrdProp(&w, *GetPropInfo(&w, "ReadOnlyCount"), 1), EConvertError);
    EXPECT_EQ(w.ReadOnlyCount, 7);
    EXPECT_THROW(SetStrProp(&w, *GetPropInfo(&w, "Ratio"), "1"), EConvertError);
    EXPECT_THROW(GetFloatProp(&w, *GetPropInfo(&w, "Caption")), EConvertError);
}

TEST_F(PublishedPropertiesTest, StoredSpecifierAndDefaults)
{
    TSampleWidget w;
    const TPropInfo& count = *GetPropInfo(&w, "ReadOnlyCount");
    EXPECT_TRUE(count.IsStored(&w));
    w.ReadOnlyCount = 0;
    EXPECT_FALSE(count.IsStored(&w));
    EXPECT_TRUE(GetPropInfo(&w, "Caption")->IsStored(&w));
    EXPECT_EQ(GetPropInfo(&w, "Visible")->Default, 1);
    EXPECT_FALSE(GetPropInfo(&w, "Letter")->Default.has_value());
}

TEST_F(PublishedPropertiesTest, EnumerationNames)
{
    TSampleWidget w;
    const TPropInfo& kind = *GetPropInfo(&w, "Kind");
    EXPECT_EQ(GetEnumName(kind, 1), "skLine");
    EXPECT_EQ(GetEnumName(kind, 3), "");
    EXPECT_EQ(GetEnumValue(kind, "SKBAR"), 2);
    EXPECT_EQ(GetEnumValue(kind, "skPie"), -1);
}

TEST_F(PublishedPropertiesTest, DottedPathFollowsOwnedObjects)
{
    TSampleWidget w;
    TPropLocation loc = FindPropertyByPath(&w, "font.COLOR");
    ASSERT_TRUE(loc);
    EXPECT_EQ(loc.Instance, &w.Font);
    SetOrdProp(loc.Instance, *loc.Info, 255);
    EXPECT_EQ(w.Font.Color, 255);
    EXPECT_EQ(FindPropertyByPath(&w, "Caption").Instance, &w);
    EXPECT_FALSE(FindPropertyByPath(&w, "Font.Missing"));
    EXPECT_FALSE(FindPropertyByPath(&w, "Caption.Length"));
    EXPECT_FALSE(FindPropertyByPath(&w, "Missing.Color"));
}

TEST_F(PublishedPropertiesTest, DottedPathIgnoresReferencesAndNeverLoops)
{
    TSampleWidget a, b;
    a.Buddy = &b;
    // a reference to another object is not followed
    EXPECT_FALSE(FindPropertyByPath(&a, "Buddy.Caption"));
    // a sub-object that leads back to an object already visited ends the walk
    EXPECT_FALSE(FindPropertyByPath(&a, "Self.Caption"));
    EXPECT_FALSE(FindPropertyByPath(&a, "Self.Self.Self.Self.Font.Color"));
    a.Self = nullptr;
    EXPECT_FALSE(FindPropertyByPath(&a, "Self.Caption"));
}

}  // namespace

namespace {

enum TMeterStyle { msNeedle, msBar, msDigits };

class TMeter : public TPersistent {
public:
    int Range() const { return FRange; }
    void SetRange(int Value) { FRange = Value; }
    TMeterStyle Style() const { return FStyle; }
    void SetStyle(TMeterStyle Value) { FStyle = Value; }
    char Mark() const { return FMark; }
    void SetMark(char Value) { FMark = Value; }
    const std::string& Unit() const { return FUnit; }
    void SetUnit(const std::string& Value) { FUnit = Value; }
    TSampleFont* Font() const { return const_cast<TSampleFont*>(&FFont); }

    double Scale = 1.5;
    bool Lit = false;
    std::function<void()> OnTick;

private:
    int FRange = 10;
    TMeterStyle FStyle = msBar;
    char FMark = '\xB0';
    std::string FUnit = "bar";
    TSampleFont FFont;
};

// Member functions and data members stand in for accessor lambdas, one line
// a property, with the value converted to the setter's own type.
TEST(PublishedMemberPointers, DeclareAPropertyInOneLine)
{
    RegisterSamples();
    RegisterPublishedClass<TMeter>("TMeter", TPropertyListBuilder<TMeter>()
                                                 .Integer("Range", &TMeter::Range, &TMeter::SetRange, 10)
                                                 .Enumeration("Style", "TMeterStyle", {"msNeedle", "msBar", "msDigits"},
                                                              &TMeter::Style, &TMeter::SetStyle, msBar)
                                                 .Char("Mark", &TMeter::Mark, &TMeter::SetMark)
                                                 .String("Unit", &TMeter::Unit, &TMeter::SetUnit)
                                                 .Float("Scale", &TMeter::Scale, &TMeter::Scale)
                                                 .Boolean("Lit", &TMeter::Lit, &TMeter::Lit, false)
                                                 .Integer("ReadOnlyRange", &TMeter::Range, nullptr)
                                                 .Object("Font", "TSampleFont", &TMeter::Font)
                                                 .Method("OnTick", "TNotifyEvent", &TMeter::OnTick)
                                                 .Take());
    TMeter m;
    SetOrdProp(&m, *GetPropInfo(&m, "Range"), 250);
    EXPECT_EQ(m.Range(), 250);
    SetOrdProp(&m, *GetPropInfo(&m, "Style"), 2);
    EXPECT_EQ(m.Style(), msDigits);
    EXPECT_EQ(GetOrdProp(&m, *GetPropInfo(&m, "Mark")), 0xB0) << "a char reads as 0..255";
    SetOrdProp(&m, *GetPropInfo(&m, "Mark"), 0xE9);
    EXPECT_EQ(m.Mark(), '\xE9');
    SetStrProp(&m, *GetPropInfo(&m, "Unit"), "kPa");
    EXPECT_EQ(m.Unit(), "kPa");
    SetFloatProp(&m, *GetPropInfo(&m, "Scale"), -0.25);
    EXPECT_EQ(m.Scale, -0.25);
    SetOrdProp(&m, *GetPropInfo(&m, "Lit"), 1);
    EXPECT_TRUE(m.Lit);
    EXPECT_FALSE(GetPropInfo(&m, "ReadOnlyRange")->IsWritable());
    EXPECT_THROW(SetOrdProp(&m, *GetPropInfo(&m, "ReadOnlyRange"), 1), EConvertError);
    EXPECT_EQ(GetObjectProp(&m, *GetPropInfo(&m, "Font")), m.Font());
    EXPECT_FALSE(GetPropInfo(&m, "OnTick")->GetAssigned(&m));
    m.OnTick = [] {};
    EXPECT_TRUE(GetPropInfo(&m, "OnTick")->GetAssigned(&m));
    auto location = FindPropertyByPath(&m, "Font.Size");
    ASSERT_TRUE(location);
    EXPECT_EQ(GetOrdProp(location.Instance, *location.Info), 8);
}

}  // namespace
