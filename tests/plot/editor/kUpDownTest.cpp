#include "plot/editor/kUpDown.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "EditorTestSupport.h"
#include "plot/editor/kComponentEditorEdit.h"
#include "ui/Application.h"

namespace {

class kUpDownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = std::make_unique<TCountingEditorForm>();
        Edit = new TkComponentEditorEdit(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(10, 20, 50, 21);
        Edit->SetInteger(98);
        Edit->OnUpdate = [this](TObject*) { ++Updates; };
        UpDown = new TkUpDown(Form.get());
        UpDown->SetParent(Form.get());
        UpDown->SetAssociate(Edit);
    }
    void ClickUpper()
    {
        MousePress(UpDown, 5, 2);
        MouseRelease(UpDown, 5, 2);
    }
    void ClickLower()
    {
        MousePress(UpDown, 5, UpDown->GetHeight() - 2);
        MouseRelease(UpDown, 5, UpDown->GetHeight() - 2);
    }

    std::unique_ptr<TCountingEditorForm> Form;
    TkComponentEditorEdit* Edit = nullptr;
    TkUpDown* UpDown = nullptr;
    int Updates = 0;
};

TEST_F(kUpDownTest, SitsAtTheEditsRightEdge)
{
    EXPECT_EQ(UpDown->GetLeft(), 60);
    EXPECT_EQ(UpDown->GetTop(), 20);
    EXPECT_EQ(UpDown->GetHeight(), 21);
    EXPECT_EQ(UpDown->GetWidth(), 15);
}

TEST_F(kUpDownTest, StepsStopAtMax)
{
    ClickUpper();
    ClickUpper();
    ClickUpper();
    EXPECT_EQ(Edit->GetText(), "100");
    EXPECT_EQ(Updates, 2);
    EXPECT_EQ(Form->Changes, 2);
    ClickLower();
    EXPECT_EQ(Edit->GetText(), "99");
}

TEST_F(kUpDownTest, StepsStopAtMinAndIncrementApplies)
{
    UpDown->SetMin(-5);
    UpDown->SetIncrement(100);
    Edit->SetInteger(50);
    ClickLower();
    EXPECT_EQ(Edit->GetText(), "-5");
}

TEST_F(kUpDownTest, NoLimitWhenMinAndMaxAreBothZero)
{
    UpDown->SetMax(0);
    ClickUpper();
    ClickUpper();
    ClickUpper();
    EXPECT_EQ(Edit->GetText(), "101");
    Edit->SetInteger(0);
    ClickLower();
    EXPECT_EQ(Edit->GetText(), "-1");
}

TEST_F(kUpDownTest, DisablingDisablesTheEditAndFreeingTheEditForgetsIt)
{
    UpDown->SetEnabled(false);
    EXPECT_FALSE(Edit->GetEnabled());
    ClickUpper();
    EXPECT_EQ(Edit->GetText(), "");
    UpDown->SetEnabled(true);
    delete Edit;
    EXPECT_EQ(UpDown->GetAssociate(), nullptr);
    ClickUpper();  // nothing to step
}

TEST_F(kUpDownTest, HoldingTheButtonRepeatsTheStep)
{
    UpDown->SetMax(0);
    Edit->SetInteger(0);
    MousePress(UpDown, 5, 2);
    QElapsedTimer waited;
    waited.start();
    while (Edit->GetInteger() < 4 && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    MouseRelease(UpDown, 5, 2);
    EXPECT_GE(Edit->GetInteger(), 4);
    EXPECT_EQ(Updates, Edit->GetInteger());
}

}  // namespace
