// Combo boxes and list boxes: item lists, selection and change events.
#include <gtest/gtest.h>

#include <QComboBox>

#include "rtl/Exception.h"
#include "ui/ComboBox.h"
#include "ui/ListBox.h"

TEST(ComboBox, AddingItemsSelectsNothingAndItemIndexFollowsTheList)
{
    TComboBox Box(nullptr);
    Box.Style = csDropDownList;
    Box.Items->Add("1200");
    Box.Items->Add("9600");
    EXPECT_EQ(Box.Items->Count(), 2);
    EXPECT_EQ(int(Box.ItemIndex), -1);
    EXPECT_EQ(Box.GetText(), "");
    Box.ItemIndex = 1;
    EXPECT_EQ(Box.GetText(), "9600");
    Box.Items->Add("19200");
    EXPECT_EQ(int(Box.ItemIndex), 1);
    Box.ItemIndex = 5;  // out of range: nothing selected
    EXPECT_EQ(int(Box.ItemIndex), -1);
}

TEST(ComboBox, TextSelectsTheMatchingItemInAListOnlyBox)
{
    TComboBox Box(nullptr);
    Box.Style = csDropDownList;
    for (const char* S : {"COM1", "COM2", "ttyUSB0"})
        Box.Items->Add(S);
    Box.Text = "com2";
    EXPECT_EQ(Box.GetItemIndex(), 1);
    Box.Text = "COM9";
    EXPECT_EQ(Box.GetItemIndex(), -1);
    EXPECT_EQ(Box.Items->IndexOf("TTYUSB0"), 2);
}

TEST(ComboBox, ProgrammaticChangesFireNothingUserChoiceFiresOnChange)
{
    TComboBox Box(nullptr);
    Box.Style = csDropDownList;
    Box.Items->Add("a");
    Box.Items->Add("b");
    int Changes = 0;
    Box.OnChange = [&](TObject*) { ++Changes; };
    Box.ItemIndex = 1;
    Box.Items->Add("c");
    EXPECT_EQ(Changes, 0);
    emit static_cast<QComboBox*>(Box.Widget())->activated(0);  // what a user's pick emits
    EXPECT_EQ(Changes, 1);
}

TEST(ComboBox, EditableBoxKeepsTypedText)
{
    TComboBox Box(nullptr);
    Box.Items->Add("x");
    Box.Text = "typed";
    EXPECT_EQ(Box.GetText(), "typed");
    EXPECT_EQ(Box.GetItemIndex(), -1);
}

TEST(ComboBox, ItemsKeepObjectsAndDeleteShiftsTheRest)
{
    TComboBox Box(nullptr);
    TObject A, B;
    Box.Items->AddObject("a", &A);
    Box.Items->AddObject("b", &B);
    Box.Items->Delete(0);
    ASSERT_EQ(Box.Items->Count(), 1);
    EXPECT_EQ(Box.Items->Get(0), "b");
    EXPECT_EQ(Box.Items->Objects(0), &B);
    EXPECT_THROW(Box.Items->Get(3), EListError);
    Box.Items->Clear();
    EXPECT_EQ(Box.Items->Count(), 0);
}

TEST(ListBox, ItemsAndSelection)
{
    TListBox List(nullptr);
    List.Items->SetText("one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(List.Items->Count(), 3);
    EXPECT_EQ(int(List.ItemIndex), -1);
    List.ItemIndex = 2;
    EXPECT_EQ(int(List.ItemIndex), 2);
    List.ItemIndex = -1;
    EXPECT_EQ(int(List.ItemIndex), -1);
}
