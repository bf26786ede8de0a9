// Labels and edits: text, automatic size and change events.
#include <gtest/gtest.h>

#include <QLabel>

#include "ui/Edit.h"
#include "ui/Label.h"

TEST(Label, AutoSizeFollowsTheTextAndRightAlignedLabelsKeepTheirRightEdge)
{
    TLabel Label(nullptr);
    Label.SetBounds(100, 10, 50, 20);
    Label.Caption = "CH1";
    const int Short = Label.GetWidth();
    Label.Caption = "CH1 with a much longer text";
    EXPECT_GT(Label.GetWidth(), Short);
    EXPECT_EQ(Label.GetLeft(), 100);

    Label.Alignment = taRightJustify;
    const int Right = Label.GetLeft() + Label.GetWidth();
    Label.Caption = "1";
    EXPECT_EQ(Label.GetLeft() + Label.GetWidth(), Right);
    EXPECT_TRUE(static_cast<QLabel*>(Label.Widget())->alignment() & Qt::AlignRight);
}

TEST(Label, FixedSizeWhenAutoSizeIsOff)
{
    TLabel Label(nullptr);
    Label.AutoSize = false;
    Label.SetBounds(0, 0, 40, 15);
    Label.Caption = "a long caption that does not fit";
    EXPECT_EQ(Label.GetWidth(), 40);
    EXPECT_EQ(std::string(Label.Caption), "a long caption that does not fit");
}

TEST(Edit, TextChangesFireOnChangeAndLimitsApply)
{
    TEdit Edit(nullptr);
    int Changes = 0;
    Edit.OnChange = [&](TObject*) { ++Changes; };
    Edit.Text = "设备名称";
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Edit.GetText(), "设备名称");
    Edit.MaxLength = 3;
    Edit.Text = "abcdef";
    EXPECT_EQ(Edit.GetText(), "abc");
    EXPECT_EQ(int(Edit.MaxLength), 3);
    Edit.ReadOnly = true;
    EXPECT_TRUE(Edit.GetReadOnly());
}

TEST(Label, ShowsItsColourOnceSetUnlessTransparent)
{
    TLabel Label(nullptr);
    EXPECT_FALSE(Label.Widget()->autoFillBackground());
    Label.Color = clYellow;
    EXPECT_TRUE(Label.Widget()->autoFillBackground());
    EXPECT_EQ(Label.Widget()->palette().color(QPalette::Window), QColor(255, 255, 0));
    Label.Transparent = true;
    EXPECT_FALSE(Label.Widget()->autoFillBackground());
}
