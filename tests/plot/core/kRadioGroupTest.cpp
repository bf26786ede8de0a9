#include "plot/core/kRadioGroup.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "ui/Application.h"
#include "ui/Keys.h"
#include "ui/RecordingCanvas.h"

namespace {

void SendKey(TControl* Control, Qt::Key Key)
{
    QKeyEvent down(QEvent::KeyPress, Key, Qt::NoModifier);
    QCoreApplication::sendEvent(Control->Widget(), &down);
    QKeyEvent up(QEvent::KeyRelease, Key, Qt::NoModifier);
    QCoreApplication::sendEvent(Control->Widget(), &up);
}

void SendClick(TControl* Control, TPoint At)
{
    const QPointF p(At.X, At.Y);
    QMouseEvent down(QEvent::MouseButtonPress, p, Control->Widget()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(Control->Widget(), &down);
    QMouseEvent up(QEvent::MouseButtonRelease, p, Control->Widget()->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(Control->Widget(), &up);
}

TEST(kRadioGroupLayoutTest, SevenItemsInThreeColumnsFillThreeRowsColumnByColumn)
{
    const TkRadioGroupLayout l = TkRadioGroupLayout::Calc(16, 164, 100, 7, 3);
    EXPECT_EQ(l.Rows, 3);
    EXPECT_EQ(l.RowHeight, (100 - 16 - 4) / 3);  // 26
    EXPECT_EQ(l.FirstRowCenter, 29);
    EXPECT_EQ(l.ColumnWidth, 50);
    // Item 4 is in column 1, row 1.
    EXPECT_EQ(l.ItemCenter(4), TPoint(14 + 50, 29 + 26));
    EXPECT_EQ(l.ItemAt(64, 55), 4);
    EXPECT_EQ(l.ItemAt(64 + 40, 55 + 10), 4);
    EXPECT_EQ(l.ItemAt(14, 29), 0);
    EXPECT_EQ(l.ItemAt(114, 29), 6);
    // Below the last row of column 0 lies no item, not column 1's first.
    EXPECT_EQ(l.ItemAt(14, 29 + 3 * 26), -1);
    EXPECT_EQ(l.ItemAt(14, 29 - 26), -1);
}

TEST(kRadioGroupLayoutTest, EmptyOrSqueezedGroupsDivideByNothing)
{
    const TkRadioGroupLayout empty = TkRadioGroupLayout::Calc(16, 97, 17, 0, 1);
    EXPECT_EQ(empty.Rows, 1);
    EXPECT_EQ(empty.ItemAt(20, 10), -1);
    // Too low for a row, too narrow for a column.
    const TkRadioGroupLayout flat = TkRadioGroupLayout::Calc(16, 10, 10, 5, 2);
    EXPECT_EQ(flat.ItemAt(5, 5), -1);
    EXPECT_EQ(TkRadioGroupLayout().ItemAt(0, 0), -1);
}

class kRadioGroupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Group = std::make_unique<TkRadioGroup>(nullptr);
        Group->OnChange = [this](TObject*) { ++Changes; };
        Group->OnChangeUser = [this](TObject*) { ++UserChanges; };
    }
    void AddItems(int Count)
    {
        for (int i = 0; i < Count; ++i)
            Group->GetItems()->Add("Item " + std::to_string(i));
    }
    // The items are placed by the last paint, as on the screen.
    void Paint()
    {
        TRecordingCanvas canvas(TSize(Group->GetWidth(), Group->GetHeight()));
        Group->PaintToCanvas(&canvas);
    }

    std::unique_ptr<TkRadioGroup> Group;
    int Changes = 0;
    int UserChanges = 0;
};

TEST_F(kRadioGroupTest, DefaultsAndLimits)
{
    EXPECT_EQ(Group->GetCaption(), "Radio Group");
    EXPECT_EQ(Group->GetText(), "Radio Group");
    EXPECT_EQ(Group->GetWidth(), 97);
    EXPECT_EQ(Group->GetHeight(), 17);
    EXPECT_TRUE(Group->GetTabStop());
    AddItems(3);
    Group->SetItemIndex(10);
    EXPECT_EQ(Group->GetItemIndex(), 2);
    Group->SetItemIndex(-5);
    EXPECT_EQ(Group->GetItemIndex(), -1);
    Group->SetColumns(0);
    EXPECT_EQ(Group->GetColumns(), 1);
    Group->SetColumns(3);
    EXPECT_EQ(Group->GetColumns(), 3);
    Group->SetItemIndex(2);
    Group->GetItems()->Delete(2);
    EXPECT_EQ(Group->GetItemIndex(), 1);
}

TEST_F(kRadioGroupTest, ProgramChangesFireOnlyOnChange)
{
    AddItems(3);
    Group->SetItemIndex(1);
    Group->SetItemIndex(1);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(UserChanges, 0);
}

TEST_F(kRadioGroupTest, ArrowKeysStepAndWrapAsUserChanges)
{
    AddItems(3);
    Group->SetItemIndex(2);
    Changes = 0;
    SendKey(Group.get(), Qt::Key_Right);
    EXPECT_EQ(Group->GetItemIndex(), 0);
    SendKey(Group.get(), Qt::Key_Up);
    EXPECT_EQ(Group->GetItemIndex(), 2);
    SendKey(Group.get(), Qt::Key_Down);
    SendKey(Group.get(), Qt::Key_Down);
    SendKey(Group.get(), Qt::Key_Left);
    EXPECT_EQ(Group->GetItemIndex(), 0);
    EXPECT_EQ(Changes, 5);
    EXPECT_EQ(UserChanges, 5);
    SendKey(Group.get(), Qt::Key_Space);
    EXPECT_EQ(Changes, 5);
}

TEST_F(kRadioGroupTest, ArrowKeysInAnEmptyGroupChangeNothing)
{
    SendKey(Group.get(), Qt::Key_Right);
    SendKey(Group.get(), Qt::Key_Left);
    EXPECT_EQ(Group->GetItemIndex(), -1);
    EXPECT_EQ(Changes, 0);
    Paint();  // no row to share the height among: still one
    EXPECT_EQ(Group->GetLayout().Rows, 1);
}

TEST_F(kRadioGroupTest, ClickOnAnItemSelectsItAsAUserChange)
{
    Group->SetBounds(0, 0, 200, 120);
    Group->SetColumns(3);
    AddItems(7);
    Paint();
    const TkRadioGroupLayout& l = Group->GetLayout();
    ASSERT_EQ(l.Rows, 3);
    SendClick(Group.get(), l.ItemCenter(4));
    EXPECT_EQ(Group->GetItemIndex(), 4);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(UserChanges, 1);
    // Pressed on one item, released on another: no change.
    const TPoint from = l.ItemCenter(1);
    const TPoint to = l.ItemCenter(5);
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(from.X, from.Y), QPointF(from.X, from.Y), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Group->Widget(), &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(to.X, to.Y), QPointF(to.X, to.Y), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(Group->Widget(), &up);
    EXPECT_EQ(Group->GetItemIndex(), 4);
    EXPECT_EQ(Changes, 1);
}

TEST_F(kRadioGroupTest, PaintShowsEveryItemAndTheSelectedDot)
{
    Group->SetBounds(0, 0, 200, 120);
    AddItems(2);
    Group->SetItemIndex(1);
    TRecordingCanvas canvas(TSize(200, 120));
    Group->PaintToCanvas(&canvas);
    int circles = 0;
    std::vector<std::string> texts;
    for (const TCanvasRecord& r : canvas.Records) {
        if (r.Op == TCanvasOp::Ellipse)
            ++circles;
        if (r.Op == TCanvasOp::TextOut)
            texts.push_back(r.Text);
    }
    EXPECT_EQ(circles, 3);  // two circles and one dot
    EXPECT_EQ(texts, (std::vector<std::string>{"Radio Group", "Item 0", "Item 1"}));
}

}  // namespace
