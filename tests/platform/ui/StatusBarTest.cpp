// Status bars and spin edits.
#include <gtest/gtest.h>

#include <QLabel>

#include "ui/Form.h"
#include "ui/SpinEdit.h"
#include "ui/StatusBar.h"
#include "ui/UpDown.h"

TEST(StatusBar, PanelsSitSideBySideAndTheLastTakesTheRest)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 400, 300);
    auto* Bar = new TStatusBar(&Form);
    Bar->Parent = &Form;
    EXPECT_EQ(Bar->GetAlign(), alBottom);
    EXPECT_EQ(Bar->GetTop(), 300 - Bar->GetHeight());
    TStatusPanel* Port = Bar->AddPanel();
    Port->Width = 80;
    Port->Text = "COM1";
    TStatusPanel* Rest = Bar->AddPanel();
    Rest->Text = "9600";
    const auto Labels = Bar->Widget()->findChildren<QLabel*>();
    QLabel* PortLabel = nullptr;
    QLabel* RestLabel = nullptr;
    for (QLabel* L : Labels) {
        if (L->text() == "COM1")
            PortLabel = L;
        if (L->text() == "9600")
            RestLabel = L;
    }
    ASSERT_TRUE(PortLabel && RestLabel);
    EXPECT_EQ(PortLabel->x(), 0);
    EXPECT_EQ(RestLabel->x(), 80);
    EXPECT_EQ(RestLabel->x() + RestLabel->width() + 2, 400);
    EXPECT_EQ(Bar->Panels(1), Rest);
}

TEST(SpinEdit, ValueLimitsAndChangeEvents)
{
    TSpinEdit Spin(nullptr);
    Spin.MinValue = 1;
    Spin.MaxValue = 254;
    int Changes = 0;
    Spin.OnChange = [&](TObject*) { ++Changes; };
    Spin.Value = 17;
    EXPECT_EQ(int(Spin.Value), 17);
    EXPECT_EQ(Spin.GetText(), "17");
    EXPECT_EQ(Changes, 1);
    Spin.Value = 999;
    EXPECT_EQ(int(Spin.Value), 254);
    Spin.MinValue = 0;
    Spin.MaxValue = 0;  // no limits
    Spin.Value = -5000;
    EXPECT_EQ(int(Spin.Value), -5000);
}

TEST(UpDown, StepsWithinItsRangeAndUpdatesItsAssociate)
{
    TUpDown Up(nullptr);
    TSpinEdit Shown(nullptr);
    Up.Min = 0;
    Up.Max = 10;
    Up.Increment = 4;
    Up.Associate = &Shown;
    Up.StepBy(btNext);
    Up.StepBy(btNext);
    EXPECT_EQ(int(Up.Position), 8);
    Up.StepBy(btNext);
    EXPECT_EQ(int(Up.Position), 10);
    EXPECT_EQ(Shown.GetText(), "10");
    Up.Wrap = true;
    Up.StepBy(btNext);
    EXPECT_EQ(int(Up.Position), 0);
}
