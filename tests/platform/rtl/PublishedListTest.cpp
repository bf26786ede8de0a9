// Properties declared in a class body: what the registry learns from each
// one-line declaration, and what the generated accessors do.
#include "rtl/PublishedList.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "rtl/Exception.h"
#include "rtl/Persistent.h"

namespace {

PUBLISHED_ENUM(TGaugeStyle, gsNeedle, gsBar, gsDigits);
using TShade = int;  // an integer published under its own type name

struct TGaugeSides {
    int Left = 2, Right = 3;
};

class TGaugeBase : public TPersistent {
public:
    bool GetFramed() const { return FFramed; }
    void SetFramed(bool Value) { FFramed = Value; }

private:
    bool FFramed = true;
};

class TGauge : public TGaugeBase {
    PUBLISHED_CLASS(TGauge);

public:
    int Changes = 0;
    static bool Positive(int& Value) { return Value > 0; }

    PUBLISHED(std::string, Caption, "Gauge", ++Changes);
    PUBLISHED(TGaugeStyle, Style, gsBar, ++Changes);
    PUBLISHED_NODEFAULT(TShade, Shade, 7, ++Changes);
    PUBLISHED(int, Count, 1, ++Changes, Positive);
    PUBLISHED(double, Ratio, 0.5, );
    PUBLISHED_MEMBER(int, Steps, FScale.Steps, 10, ++Changes);
    PUBLISHED_GROUP(TGaugeSides, Gap, TGaugeSides{}, ++Changes, Right, Left);
    PUBLISHED_ACCESSORS(bool, Framed, false);
    int GetReadings() const { return 42; }
    PUBLISHED_READONLY(int, Readings);
    int Half = 4;
    PUBLISHED_VIA(int, Twice, Half * 2, Half = Value / 2);
    PUBLISHED_DATA(bool, Loud, true, true);
    PUBLISHED_OBJECT(TPersistent, Inner, std::make_unique<TPersistent>());

private:
    struct {
        int Steps = 10;
    } FScale;
};

const bool Registered = [] {
    RegisterPublishedClass<TGauge>("TGauge");
    return true;
}();

struct Expected {
    const char* Name;
    TTypeKind Kind;
    const char* TypeName;
    std::optional<std::int64_t> Default;
};

TEST(PublishedList, EachDeclarationIsOneDescriptorInDeclarationOrder)
{
    TGauge gauge;
    const Expected expected[] = {
        {"Caption", TTypeKind::tkString, "String", std::nullopt},
        {"Style", TTypeKind::tkEnumeration, "TGaugeStyle", gsBar},
        {"Shade", TTypeKind::tkInteger, "TShade", std::nullopt},
        {"Count", TTypeKind::tkInteger, "Integer", 1},
        {"Ratio", TTypeKind::tkFloat, "Double", std::nullopt},
        {"Steps", TTypeKind::tkInteger, "Integer", 10},
        {"GapRight", TTypeKind::tkInteger, "Integer", 3},
        {"GapLeft", TTypeKind::tkInteger, "Integer", 2},
        {"Framed", TTypeKind::tkEnumeration, "Boolean", 0},
        {"Readings", TTypeKind::tkInteger, "Integer", std::nullopt},
        {"Twice", TTypeKind::tkInteger, "Integer", std::nullopt},
        {"Loud", TTypeKind::tkEnumeration, "Boolean", 1},
        {"Inner", TTypeKind::tkClass, "TPersistent", std::nullopt},
    };
    const TPropList props = TPropertyRegistry::Instance().GetPropList(&gauge);
    ASSERT_EQ(props.size(), std::size(expected));
    for (std::size_t i = 0; i < props.size(); ++i) {
        SCOPED_TRACE(expected[i].Name);
        EXPECT_EQ(props[i]->Name, expected[i].Name);
        EXPECT_EQ(props[i]->Kind, expected[i].Kind);
        EXPECT_EQ(props[i]->TypeName, expected[i].TypeName);
        EXPECT_EQ(props[i]->Default, expected[i].Default);
    }
    EXPECT_EQ(props[1]->EnumNames, (std::vector<std::string>{"gsNeedle", "gsBar", "gsDigits"}));
    EXPECT_FALSE(props[9]->IsWritable());
    EXPECT_TRUE(props[12]->OwnsObject);
    EXPECT_EQ(GetObjectProp(&gauge, *props[12]), gauge.GetInner());
}

TEST(PublishedList, ASetterStoresADifferingAcceptedValueThenRunsItsChange)
{
    TGauge gauge;
    gauge.SetCaption("Gauge");
    gauge.SetCount(0);
    EXPECT_EQ(gauge.Changes, 0);
    EXPECT_EQ(gauge.GetCount(), 1);
    gauge.SetCaption("Flow");
    SetOrdProp(&gauge, *GetPropInfo(&gauge, "Style"), gsDigits);
    SetOrdProp(&gauge, *GetPropInfo(&gauge, "GapLeft"), 9);
    gauge.SetSteps(12);
    EXPECT_EQ(gauge.Changes, 4);
    EXPECT_EQ(gauge.GetSteps(), 12);
    EXPECT_EQ(gauge.GetCaption(), "Flow");
    EXPECT_EQ(gauge.GetStyle(), gsDigits);
    EXPECT_EQ(gauge.GetGapLeft(), 9);
    EXPECT_EQ(gauge.GetGapRight(), 3);
    SetOrdProp(&gauge, *GetPropInfo(&gauge, "Twice"), 10);
    EXPECT_EQ(gauge.Half, 5);
    SetOrdProp(&gauge, *GetPropInfo(&gauge, "Loud"), 0);
    EXPECT_FALSE(gauge.Loud);
    SetFloatProp(&gauge, *GetPropInfo(&gauge, "Ratio"), 2);
    EXPECT_EQ(gauge.GetRatio(), 2);
    // An ordinal beyond the enumeration's names is refused.
    EXPECT_THROW(SetOrdProp(&gauge, *GetPropInfo(&gauge, "Style"), 3), EConvertError);
    EXPECT_EQ(gauge.GetStyle(), gsDigits);
}

// A group whose members ask for different actions: the action learns
// which member changed.
class TFrame : public TPersistent {
    PUBLISHED_CLASS(TFrame);

public:
    std::vector<std::string> Changed;
    PUBLISHED_GROUP(TGaugeSides, Side, TGaugeSides{}, Changed.push_back(Name(PublishedMember)), Left, Right);
    PUBLISHED_GROUP_CHECKED(TGaugeSides, Pad, TGaugeSides{}, Changed.push_back("pad"), AtMostTen, Left, Right);

private:
    static std::string Name(int TGaugeSides::*Member) { return Member == &TGaugeSides::Left ? "left" : "right"; }
    // Refuses a negative value and lowers one above ten.
    static bool AtMostTen(int& Value)
    {
        Value = std::min(Value, 10);
        return Value >= 0;
    }
};

TEST(PublishedList, AGroupsActionIsToldWhichMemberChanged)
{
    TFrame frame;
    frame.SetSideRight(5);
    frame.SetSideLeft(4);
    frame.SetSideLeft(4);
    EXPECT_EQ(frame.Changed, (std::vector<std::string>{"right", "left"}));
    EXPECT_EQ(frame.GetSideLeft(), 4);
    EXPECT_EQ(frame.GetSideRight(), 5);
}

TEST(PublishedList, AGroupsCheckAdjustsOrRefusesEachMembersValue)
{
    TFrame frame;
    frame.SetPadLeft(-1);
    frame.SetPadRight(40);
    frame.SetPadRight(12);
    EXPECT_EQ(frame.GetPadLeft(), 2);
    EXPECT_EQ(frame.GetPadRight(), 10);
    EXPECT_EQ(frame.Changed, (std::vector<std::string>{"pad"}));
}

TEST(PublishedList, AnEnumeratorGivenAValueIsRefused)
{
    EXPECT_EQ(SplitPublishedNames("a,  b ,c"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_THROW(SplitPublishedNames("a, b = 4"), EListError);
}

}  // namespace
