// Check boxes, radio buttons and radio groups: state and click events.
#include <gtest/gtest.h>

#include <QRadioButton>

#include "ui/CheckBox.h"
#include "ui/RadioButton.h"
#include "ui/RadioGroup.h"

TEST(CheckBox, SettingCheckedFiresOnClickOnlyWhenItChanges)
{
    TCheckBox Box(nullptr);
    Box.Caption = "使能";
    int Clicks = 0;
    Box.OnClick = [&](TObject*) { ++Clicks; };
    Box.Checked = true;
    Box.Checked = true;
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Box.GetChecked());
    EXPECT_EQ(Box.GetState(), cbChecked);
    Box.Checked = false;
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(std::string(Box.Caption), "使能");
}

TEST(CheckBox, GrayedStateNeedsAllowGrayed)
{
    TCheckBox Box(nullptr);
    Box.AllowGrayed = true;
    Box.State = cbGrayed;
    EXPECT_EQ(Box.GetState(), cbGrayed);
    EXPECT_FALSE(Box.GetChecked());
}

TEST(RadioGroup, ItemsMakeButtonsAndItemIndexChecksOne)
{
    TRadioGroup Group(nullptr);
    Group.Caption = "启动记录方式";
    Group.Items->Add("立刻开始");
    Group.Items->Add("阈值触发");
    const auto Buttons = Group.Widget()->findChildren<QRadioButton*>();
    ASSERT_EQ(Buttons.size(), 2);
    EXPECT_EQ(Buttons[1]->text().toStdString(), "阈值触发");
    EXPECT_EQ(int(Group.ItemIndex), -1);

    int Clicks = 0;
    Group.OnClick = [&](TObject*) { ++Clicks; };
    Group.ItemIndex = 1;
    EXPECT_TRUE(Buttons[1]->isChecked());
    EXPECT_EQ(Clicks, 1);
    Buttons[0]->click();  // the user's choice
    EXPECT_EQ(int(Group.ItemIndex), 0);
    EXPECT_EQ(Clicks, 2);
    Group.ItemIndex = -1;
    EXPECT_FALSE(Buttons[0]->isChecked());
    EXPECT_FALSE(Buttons[1]->isChecked());
}

TEST(RadioGroup, ColumnsPlaceButtonsSideBySide)
{
    TRadioGroup Group(nullptr);
    Group.SetBounds(0, 0, 200, 100);
    Group.Columns = 2;
    for (const char* S : {"a", "b", "c", "d"})
        Group.Items->Add(S);
    const auto Buttons = Group.Widget()->findChildren<QRadioButton*>();
    ASSERT_EQ(Buttons.size(), 4);
    EXPECT_EQ(Buttons[0]->x(), Buttons[1]->x());
    EXPECT_LT(Buttons[0]->y(), Buttons[1]->y());
    EXPECT_GT(Buttons[2]->x(), Buttons[0]->x());
    EXPECT_EQ(Buttons[2]->y(), Buttons[0]->y());
}

TEST(RadioButton, CheckingFiresOnClick)
{
    TRadioButton Radio(nullptr);
    int Clicks = 0;
    Radio.OnClick = [&](TObject*) { ++Clicks; };
    Radio.Checked = true;
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Radio.GetChecked());
}
