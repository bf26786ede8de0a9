#include "plot/editor/kComponentEditorEdit.h"

#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "ui/Application.h"

namespace {

class kComponentEditorEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = std::make_unique<TCountingEditorForm>();
        Edit = new TkComponentEditorEdit(Form.get());
        Edit->SetParent(Form.get());
        Edit->OnUpdate = [this](TObject*) { ++Updates; };
    }

    std::unique_ptr<TCountingEditorForm> Form;
    TkComponentEditorEdit* Edit = nullptr;
    int Updates = 0;
};

TEST_F(kComponentEditorEditTest, SilentSettersFireNothing)
{
    Edit->SetInteger(42);
    EXPECT_EQ(Edit->GetText(), "42");
    EXPECT_EQ(Edit->GetInteger(), 42);
    Edit->SetFloat(1.5);
    EXPECT_EQ(Edit->GetText(), "1.5");
    EXPECT_DOUBLE_EQ(Edit->GetFloat(), 1.5);
    Edit->SetText("text");
    EXPECT_EQ(Edit->GetLastCommitted(), "text");
    EXPECT_EQ(Updates, 0);
    EXPECT_EQ(Form->Changes, 0);
}

TEST_F(kComponentEditorEditTest, TypingCommitsOnlyOnEnterOrLeaving)
{
    Edit->SetInteger(5);
    Type(Edit, "12");
    EXPECT_EQ(Edit->GetText(), "12");
    EXPECT_EQ(Updates, 0);
    PressKey(Edit, Qt::Key_Return);
    EXPECT_EQ(Updates, 1);
    EXPECT_EQ(Form->Changes, 1);
    EXPECT_EQ(Edit->GetLastCommitted(), "12");
    // Enter again with the same text commits nothing new.
    PressKey(Edit, Qt::Key_Return);
    EXPECT_EQ(Updates, 1);
    Type(Edit, "7");
    LeaveControl(Edit);
    EXPECT_EQ(Updates, 2);
    EXPECT_EQ(Form->Changes, 2);
    EXPECT_EQ(Edit->GetInteger(), 7);
}

TEST_F(kComponentEditorEditTest, EscapeRestoresTheCommittedTextSilently)
{
    Edit->SetText("Axis");
    Type(Edit, "Other");
    PressKey(Edit, Qt::Key_Escape);
    EXPECT_EQ(Edit->GetText(), "Axis");
    LeaveControl(Edit);
    EXPECT_EQ(Updates, 0);
    EXPECT_EQ(Form->Changes, 0);
}

TEST_F(kComponentEditorEditTest, WhileLoadingACommitDoesNotTellTheForm)
{
    Edit->SetLoading(true);
    Type(Edit, "x");
    PressKey(Edit, Qt::Key_Return);
    EXPECT_EQ(Updates, 1);
    EXPECT_EQ(Form->Changes, 0);
}

TEST_F(kComponentEditorEditTest, TextEditsReadLettersAndNothingAsZero)
{
    Type(Edit, "abc");
    PressKey(Edit, Qt::Key_Return);
    EXPECT_EQ(Updates, 1);
    EXPECT_EQ(Edit->GetInteger(), 0);
    EXPECT_DOUBLE_EQ(Edit->GetFloat(), 0.0);
    Edit->SetText(" ");
    EXPECT_EQ(Edit->GetInteger(), 0);
}

TEST_F(kComponentEditorEditTest, NumberEditsRefuseTextThatIsNoNumber)
{
    Edit->SetFloat(2.5);
    Type(Edit, "abc");
    PressKey(Edit, Qt::Key_Return);
    EXPECT_EQ(Edit->GetText(), "2.5");
    EXPECT_DOUBLE_EQ(Edit->GetFloat(), 2.5);
    Type(Edit, "");
    LeaveControl(Edit);
    EXPECT_EQ(Edit->GetText(), "2.5");
    Edit->SetInteger(3);
    Type(Edit, "1.5");
    PressKey(Edit, Qt::Key_Return);
    EXPECT_EQ(Edit->GetText(), "3");
    EXPECT_EQ(Updates, 0);
    EXPECT_EQ(Form->Changes, 0);
}

TEST_F(kComponentEditorEditTest, DisablingClearsTheText)
{
    Edit->SetInteger(9);
    Edit->SetEnabled(false);
    EXPECT_EQ(Edit->GetText(), "");
    EXPECT_EQ(Edit->GetLastCommitted(), "");
    EXPECT_EQ(Edit->GetColor(), clBtnFace);
    Edit->SetEnabled(true);
    EXPECT_EQ(Edit->GetColor(), clWindow);
}

}  // namespace
