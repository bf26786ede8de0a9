// A font declared in one line: made with its look, owned and published,
// and every later change of it reaches its holder.
#include <gtest/gtest.h>

#include "PlotObjectSupport.h"
#include "plot/core/kGraphicsProperties.h"

namespace {

class TCaptioned : public TkPlotObject {
    PUBLISHED_CLASS(TCaptioned);

public:
    using TkPlotObject::TkPlotObject;
    int FontChanges = 0;
    PUBLISHED_FONT(Font, (TkFontLook{.Name = "Arial", .Size = 14, .Color = clWhite}), ++FontChanges);
};

const bool Registered = [] {
    RegisterGraphicsProperties();
    RegisterPublishedClass<TCaptioned, TkPlotObject>("TCaptioned");
    return true;
}();

TEST(PublishedFont, StartsWithItsLookWithoutAChangeAndReportsEveryChangeAfter)
{
    CallbackLog log;
    TestObject<TCaptioned> object = MakeObject<TCaptioned>(nullptr, log.callbacks());
    EXPECT_EQ(object->GetFont()->GetName(), "Arial");
    EXPECT_EQ(object->GetFont()->GetSize(), 14);
    EXPECT_EQ(object->GetFont()->GetColor(), clWhite);
    EXPECT_FALSE(object->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(object->FontChanges, 0);

    object->GetFont()->SetSize(20);
    const TPropLocation color = FindPropertyByPath(object.get(), "Font.Color");
    ASSERT_TRUE(color);
    SetOrdProp(color.Instance, *color.Info, clRed);
    EXPECT_EQ(object->FontChanges, 2);
    EXPECT_EQ(object->GetFont()->GetColor(), clRed);
    EXPECT_EQ(GetPropInfo(object.get(), "Font")->TypeName, "TFont");
}

}  // namespace
