#include "app/ChannelUnit.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Form.h"
#include "ui/Screenshot.h"
#include "ui/TextClipCheck.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// Where the value's ink lies in a picture of the channel panel: the
// leftmost and rightmost columns, and the rows inked in the leftmost one.
struct TInk {
    int Left = -1;
    int Right = -1;
    int LeftColumnRows = 0;
};

TInk ValueInk(TBitmap& Picture, TColor Ink)
{
    TInk Result;
    for (int X = 0; X < Picture.GetWidth(); ++X)
        for (int Y = 0; Y < Picture.GetHeight(); ++Y) {
            if (Picture.Canvas->Pixels[X][Y] != Ink)
                continue;
            if (Result.Left < 0)
                Result.Left = X;
            Result.Right = X;
        }
    if (Result.Left >= 0)
        for (int Y = 0; Y < Picture.GetHeight(); ++Y)
            Result.LeftColumnRows += Picture.Canvas->Pixels[Result.Left][Y] == Ink;
    return Result;
}

class ChannelUnitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Host.SetBounds(0, 0, 300, 120);
        Channel = new TfraChannel(&Host, 11);
        Channel->SetParent(&Host);
        Host.Show();
        Application->ProcessMessages();
    }
    void TearDown() override { Host.Hide(); }

    // The panel showing Raw at Decimals places, and where its value is inked.
    TInk Show(int Decimals, std::int32_t Raw, TBitmap& Picture)
    {
        Channel->SetWorkDP(Decimals);
        Channel->SetRawValue(Raw);
        Application->ProcessMessages();
        GrabControl(Channel, Picture);
        return ValueInk(Picture, TColor(Channel->LabelColor()));
    }

    TForm Host{nullptr};
    TfraChannel* Channel = nullptr;
};

TEST_F(ChannelUnitTest, EveryValueTheChannelCanShowIsWholeAndClearOfItsNumber)
{
    const int NumberRight = Channel->lblChannelId->GetLeft() + Channel->lblChannelId->GetWidth();
    const int PanelRight = Channel->GetWidth();
    const struct {
        int Decimals;
        std::int32_t Raw;
        std::int64_t Offset;
        const char* Text;
    } Cases[] = {
        {0, -2147483647 - 1, 0, "-2147483648"},
        {0, -1673487295, 0, "-1673487295"},
        {6, -2147483647 - 1, 0, "-2147.483648"},
        {0, 2147483647, 0, "2147483647"},
        // The widest: a zero offset of the other sign, 33 bits of counts.
        {6, -2147483647 - 1, 2147483647, "-4294.967295"},
        {0, -2147483647 - 1, 2147483647, "-4294967295"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Text);
        Channel->SetZeroLimitation(1e12);
        Channel->UnzeroChannel();
        if (C.Offset != 0) {
            Channel->SetWorkDP(C.Decimals);
            Channel->SetRawValue(static_cast<std::int32_t>(C.Offset));
            ASSERT_EQ(Channel->ZeroChannel(), 0);
        }
        TBitmap Picture;
        const TInk Ink = Show(C.Decimals, C.Raw, Picture);
        ASSERT_EQ(Channel->lblValue->GetText(), C.Text);
        ASSERT_GE(Ink.Left, 0) << "no value drawn";
        EXPECT_GT(Ink.Left, NumberRight + 1) << "the value runs into the channel number";
        EXPECT_LT(Ink.Right, PanelRight - 1) << "the value runs off the panel";
        const bool Negative = C.Text[0] == '-';
        // A minus sign is a short bar; a cut-off digit would ink many rows.
        if (Negative) {
            EXPECT_LE(Ink.LeftColumnRows, 4) << "the sign is missing";
        }
    }
}

TEST_F(ChannelUnitTest, ShortValuesKeepTheFullSizeFont)
{
    TBitmap Picture;
    Show(2, 12345, Picture);
    EXPECT_EQ(Channel->lblValue->GetText(), "123.45");
    EXPECT_EQ(Channel->lblValue->Font->GetHeight(), -29);
    Show(0, -2147483647 - 1, Picture);
    const int Shrunk = Channel->lblValue->Font->GetHeight();
    EXPECT_GT(Shrunk, -29);
    Show(0, 7, Picture);
    EXPECT_EQ(Channel->lblValue->Font->GetHeight(), -29);
}

TEST_F(ChannelUnitTest, NameAndUnitShowWholeSideBySideLeftOfTheIcons)
{
    Channel->SetIsStartTriggerChannel(true);
    Channel->SetAlarmHighEnabled(true);
    const int IconsLeft = Channel->imgStartTrigger->GetLeft();
    const struct {
        const char* Name;
        const char* Unit;
    } Cases[] = {
        {"负三位无修正", "kPa"},
        {"P", "MPa"},
        {"测量值", "kg"},
        {"Pressure in front", "kN/m2"},
        {"负三位无修正负三位无", "N·m"},
        {"无单位的通道名称", ""},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Channel->SetValueName(C.Name);
        Channel->SetWorkUnit(C.Unit);
        Application->ProcessMessages();
        for (const std::string& P : TTextClipCheck::Problems(Channel))
            ADD_FAILURE() << P;
        EXPECT_EQ(Channel->lblValueName->GetText(), C.Name);
        EXPECT_EQ(Channel->lblUnit->GetText(), C.Unit);
        const int NameRight = Channel->lblValueName->GetLeft() + Channel->lblValueName->GetWidth();
        if (*C.Unit) {
            EXPECT_GT(Channel->lblUnit->GetLeft(), NameRight);
            EXPECT_LE(Channel->lblUnit->GetLeft() + Channel->lblUnit->GetWidth(), IconsLeft);
        } else {
            EXPECT_LE(NameRight, IconsLeft);
        }
    }
}

TEST_F(ChannelUnitTest, ANameTooLongForAnyFontEndsInAnEllipsis)
{
    const std::string Long = "一个非常非常非常非常非常非常非常长的通道名称";
    Channel->SetValueName(Long);
    Channel->SetWorkUnit("kPa");
    Application->ProcessMessages();
    const std::string Shown = Channel->lblValueName->GetText();
    EXPECT_LT(Shown.size(), Long.size());
    ASSERT_GE(Shown.size(), 3u);
    EXPECT_EQ(Shown.substr(Shown.size() - 3), "…");
    EXPECT_EQ(Long.compare(0, Shown.size() - 3, Shown, 0, Shown.size() - 3), 0);
    EXPECT_EQ(Channel->ValueName(), Long);
    for (const std::string& P : TTextClipCheck::Problems(Channel))
        ADD_FAILURE() << P;
}

}  // namespace
