#include "plot/core/kCheckBox.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "ui/Application.h"

namespace {

class kCheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Box = std::make_unique<TkCheckBox>(nullptr);
        Box->OnChange = [this](TObject*) { ++Changes; };
        Box->OnChangeUser = [this](TObject*) { ++UserChanges; };
    }
    void Send(QEvent::Type Type, Qt::Key Key)
    {
        QKeyEvent e(Type, Key, Qt::NoModifier);
        QCoreApplication::sendEvent(Box->Widget(), &e);
    }
    void Mouse(QEvent::Type Type, int X, int Y)
    {
        const Qt::MouseButtons buttons = Type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent e(Type, QPointF(X, Y), QPointF(X, Y), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(Box->Widget(), &e);
    }

    std::unique_ptr<TkCheckBox> Box;
    int Changes = 0;
    int UserChanges = 0;
};

TEST_F(kCheckBoxTest, Defaults)
{
    EXPECT_EQ(Box->GetCaption(), "Caption");
    EXPECT_FALSE(Box->GetChecked());
    EXPECT_EQ(Box->GetAlignment(), taRightJustify);
    EXPECT_TRUE(Box->GetAutoSize());
    EXPECT_TRUE(Box->GetTabStop());
}

TEST_F(kCheckBoxTest, ProgramChangesFireOnlyOnChange)
{
    Box->SetChecked(true);
    Box->SetChecked(true);
    EXPECT_TRUE(Box->GetChecked());
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(UserChanges, 0);
}

TEST_F(kCheckBoxTest, SpacePressedAndReleasedTogglesAsTheUser)
{
    Send(QEvent::KeyPress, Qt::Key_Space);
    EXPECT_FALSE(Box->GetChecked());
    Send(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_TRUE(Box->GetChecked());
    EXPECT_EQ(UserChanges, 1);
    // A release without its press does nothing.
    Send(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_TRUE(Box->GetChecked());
}

TEST_F(kCheckBoxTest, ReleaseInsideTogglesReleaseOutsideDoesNot)
{
    Box->SetAutoSize(false);
    Box->SetBounds(0, 0, 97, 17);
    Mouse(QEvent::MouseButtonPress, 5, 8);
    Mouse(QEvent::MouseButtonRelease, 5, 8);
    EXPECT_TRUE(Box->GetChecked());
    Mouse(QEvent::MouseButtonPress, 5, 8);
    Mouse(QEvent::MouseButtonRelease, 150, 8);
    EXPECT_TRUE(Box->GetChecked());
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(UserChanges, 1);
}

TEST_F(kCheckBoxTest, AutoSizeWithTheBoxOnTheRightKeepsTheRightEdge)
{
    Box->SetAlignment(taLeftJustify);
    Box->SetBounds(100, 10, 97, 17);
    Box->SetCaption("A much longer caption than before");
    EXPECT_EQ(Box->GetLeft() + Box->GetWidth(), 197);
    Box->SetCaption("B");
    EXPECT_EQ(Box->GetLeft() + Box->GetWidth(), 197);
}

}  // namespace
