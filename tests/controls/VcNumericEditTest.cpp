#include "controls/VcNumericEdit.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

namespace {

class VcNumericEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Edit = new TVcNumericEdit(nullptr);
    }
    void TearDown() override { delete Edit; }
    TVcNumericEdit* Edit = nullptr;
};

TEST_F(VcNumericEditTest, ShowsTheValueInItsDisplayFormat)
{
    Edit->SetDisplayFormat("0.000");
    Edit->SetValue(-1.5);
    EXPECT_EQ(Edit->GetText(), "-1.500");
    EXPECT_DOUBLE_EQ(Edit->GetValue(), -1.5);
    Edit->SetDisplayFormat("0.0");
    EXPECT_EQ(Edit->GetText(), "-1.5");
    Edit->SetDisplayFormat("0");
    EXPECT_EQ(Edit->GetText(), "-2");
}

TEST_F(VcNumericEditTest, ReadsTypedTextAndKeepsTheLastValueForOtherText)
{
    Edit->SetValue(3);
    Edit->SetText("12,25");
    EXPECT_DOUBLE_EQ(Edit->GetValue(), 12.25);
    EXPECT_EQ(Edit->AsInteger(), 12);
    Edit->SetText("x1");
    EXPECT_DOUBLE_EQ(Edit->GetValue(), 3);
    EXPECT_EQ(Edit->GetText(), "x1");
}

TEST_F(VcNumericEditTest, IntegersOnlyRoundsAndRangeClamps)
{
    Edit->SetIntegersOnly(true);
    Edit->SetValue(2.6);
    EXPECT_EQ(Edit->GetText(), "3");
    Edit->SetMin(0);
    Edit->SetMax(50000);
    Edit->SetCheckRange(true);
    Edit->SetValue(60000);
    EXPECT_EQ(Edit->GetText(), "50000");
    Edit->SetText("-4");
    EXPECT_DOUBLE_EQ(Edit->GetValue(), 0);
    Edit->SetText("1e12");
    EXPECT_EQ(Edit->AsInteger(), 50000);
}

TEST_F(VcNumericEditTest, UneditedValueKeepsItsPrecision)
{
    // The display format only rounds what is shown; a value nobody edited
    // reads back as it was set.
    Edit->SetDisplayFormat("0.0");
    Edit->SetValue(0.05);
    EXPECT_EQ(Edit->GetText(), "0.1");
    EXPECT_DOUBLE_EQ(Edit->GetValue(), 0.05);
    Edit->SetValue(1200.25);
    EXPECT_DOUBLE_EQ(Edit->GetValue(), 1200.25);
    // A new display format shows the value, not the old text, again.
    Edit->SetDisplayFormat("0.00");
    EXPECT_EQ(Edit->GetText(), "1200.25");
    // Other text is an edit.
    Edit->SetText("1200.5");
    EXPECT_DOUBLE_EQ(Edit->GetValue(), 1200.5);
    Edit->SetValue(0.05);
    Edit->SetText("0.2");
    EXPECT_DOUBLE_EQ(Edit->GetValue(), 0.2);
}

}  // namespace
