#include "plot/editor/kValueConverterEdit.h"

#include <gtest/gtest.h>

#include <QDateTimeEdit>

#include "EditorTestSupport.h"
#include "plot/editor/kComponentEditorButton.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "plot/editor/kComponentEditorPageControl.h"
#include "rtl/DateTime.h"
#include "ui/Application.h"
#include "ui/DateTimePicker.h"
#include "ui/PageControl.h"

namespace {

class kValueConverterEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = std::make_unique<TkValueConverterEditForm>(nullptr);
    }
    void Enter(TkComponentEditorEdit* Edit, const std::string& Text)
    {
        Type(Edit, Text);
        PressKey(Edit, Qt::Key_Return);
    }
    std::string Interval() const
    {
        return Form->WeeksEdit->GetText() + "w " + Form->DaysEdit->GetText() + "d " + Form->HoursEdit->GetText() + ":" +
               Form->MinutesEdit->GetText() + ":" + Form->SecondsEdit->GetText() + "." +
               Form->MilliSecondsEdit->GetText();
    }
    std::string Price() const
    {
        return Form->PriceIntegerEdit->GetText() + " " + Form->Price32ndsEdit->GetText() + "/32 " +
               Form->Price256thsEdit->GetText() + "/256";
    }

    std::unique_ptr<TkValueConverterEditForm> Form;
};

TEST_F(kValueConverterEditTest, ControlsAreFoundByName)
{
    EXPECT_EQ(Form->GetText(), "Value Converter");
    for (const char* name : {"ValueEdit", "PageControl", "IntervalTabSheet", "DateTimeTabSheet", "Price32TabSheet",
                             "WeeksEdit", "DaysEdit", "HoursEdit", "MinutesEdit", "SecondsEdit", "MilliSecondsEdit",
                             "SetNowButton", "PriceIntegerEdit", "Price32ndsEdit", "Price256thsEdit"})
        EXPECT_NE(Form->FindComponent(name), nullptr) << name;
    EXPECT_EQ(Form->PageControl->PageCount(), 3);
    Form->ShowPage(kvcptPrice32nd);
    EXPECT_EQ(Form->PageControl->GetActivePage(), Form->Price32TabSheet);
}

TEST_F(kValueConverterEditTest, OneAndAHalfDays)
{
    Form->SetValue(1.5);
    EXPECT_EQ(Interval(), "0w 1d 12:0:0.0");
    EXPECT_EQ(Price(), "1 16/32 0/256");
    EXPECT_DOUBLE_EQ(Form->DatePicker->GetDateTime(), 1.0);
    EXPECT_DOUBLE_EQ(Form->TimePicker->GetDateTime(), 0.5);
    EXPECT_DOUBLE_EQ(Form->GetValue(), 1.5);
}

TEST_F(kValueConverterEditTest, PricesInThirtySecondsAndTwoHundredFiftySixths)
{
    Form->SetValue(10.40625);
    EXPECT_EQ(Price(), "10 13/32 0/256");
    Form->SetValue(10.41015625);
    EXPECT_EQ(Price(), "10 13/32 1/256");
    Enter(Form->Price32ndsEdit, "16");
    EXPECT_DOUBLE_EQ(Form->GetValue(), 10.0 + 16.0 / 32 + 1.0 / 256);
}

TEST_F(kValueConverterEditTest, TwoWeeksAtSixInTheMorning)
{
    Form->SetValue(0.25);
    Enter(Form->WeeksEdit, "2");
    EXPECT_DOUBLE_EQ(Form->GetValue(), 14.25);
    EXPECT_EQ(Interval(), "2w 14d 6:0:0.0");
    Enter(Form->HoursEdit, "18");
    EXPECT_DOUBLE_EQ(Form->GetValue(), 14.75);
    Form->SetAllToZeroButton->Click();
    EXPECT_DOUBLE_EQ(Form->GetValue(), 0.0);
}

TEST_F(kValueConverterEditTest, HugeValuesShowOnlyTheirTimeOfDay)
{
    Form->SetValue(100000000000000.5);
    EXPECT_DOUBLE_EQ(Form->GetValue(), 100000000000000.5);
    EXPECT_EQ(Interval(), "0w 0d 12:0:0.0");
    EXPECT_TRUE(Form->DateTimeTabSheet->GetEnabled());
}

TEST_F(kValueConverterEditTest, DatePageClosesForValuesNoDateCanShow)
{
    Form->SetValue(1.5);
    EXPECT_TRUE(Form->DateTimeTabSheet->GetEnabled());
    Form->SetValue(5000000.0);  // after the year 9999
    EXPECT_FALSE(Form->DateTimeTabSheet->GetEnabled());
    EXPECT_DOUBLE_EQ(Form->DatePicker->GetDateTime(), 1.0);
    Form->SetValue(-700000.0);  // before the year 1
    EXPECT_FALSE(Form->DateTimeTabSheet->GetEnabled());
    EXPECT_DOUBLE_EQ(Form->GetValue(), -700000.0);
    Form->SetValue(45000.25);
    EXPECT_TRUE(Form->DateTimeTabSheet->GetEnabled());
}

TEST_F(kValueConverterEditTest, TypedTimesOutOfRangeKeepTheValue)
{
    Form->SetValue(2.25);
    Enter(Form->HoursEdit, "24");
    EXPECT_DOUBLE_EQ(Form->GetValue(), 2.25);
    EXPECT_EQ(Form->HoursEdit->GetText(), "6");
    Enter(Form->MinutesEdit, "60");
    EXPECT_DOUBLE_EQ(Form->GetValue(), 2.25);
    EXPECT_EQ(Form->MinutesEdit->GetText(), "0");
    Enter(Form->MinutesEdit, "-1");
    EXPECT_EQ(Form->MinutesEdit->GetText(), "0");
    Enter(Form->MinutesEdit, "30");
    EXPECT_NEAR(Form->GetValue(), 2.25 + 30 * OneMinute, 1e-9);
}

TEST_F(kValueConverterEditTest, PickingADateKeepsTheTimeOfDay)
{
    Form->SetValue(2.75);
    auto* date = static_cast<QDateTimeEdit*>(Form->DatePicker->Widget());
    date->setDate(QDate(1900, 1, 10));
    EXPECT_DOUBLE_EQ(Form->GetValue(), 11.75);
    EXPECT_EQ(Form->DaysEdit->GetText(), "11");
}

}  // namespace
