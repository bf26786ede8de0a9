#include "plot/editor/kComponentEditorListBox.h"

#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "ui/Application.h"

namespace {

// Counts its own deletions.
struct TCountedObject : TObject {
    explicit TCountedObject(int& Freed) : FFreed(Freed) {}
    ~TCountedObject() override { ++FFreed; }
    int& FFreed;
};

class kComponentEditorListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        List = std::make_unique<TkComponentEditorListBox>(nullptr);
        List->SetBounds(0, 0, 120, 160);
        for (const char* name : {"A", "B", "C", "D"})
            List->GetItems()->AddObject(name, new TCountedObject(Freed));
        List->OnClick = [this](TObject*) { ++Clicks; };
    }
    void TearDown() override
    {
        for (int i = 0; i < List->GetItems()->Count(); ++i)
            delete List->GetItems()->GetObject(i);
    }
    std::string Order() const
    {
        std::string s;
        for (int i = 0; i < List->GetItems()->Count(); ++i)
            s += List->GetItems()->Get(i);
        return s;
    }

    std::unique_ptr<TkComponentEditorListBox> List;
    int Freed = 0;
    int Clicks = 0;
};

TEST_F(kComponentEditorListBoxTest, UserSelectionsFireOnClickCodeSelectionsDoNot)
{
    List->SetItemIndex(1);
    List->SelectLast();
    EXPECT_EQ(List->GetItemIndex(), 3);
    EXPECT_EQ(Clicks, 0);
    MousePress(List.get(), 10, 16 + 3);
    MouseRelease(List.get(), 10, 16 + 3);
    EXPECT_EQ(List->GetItemIndex(), 1);
    EXPECT_EQ(Clicks, 1);
    PressKey(List.get(), Qt::Key_Down);
    EXPECT_EQ(List->GetItemIndex(), 2);
    PressKey(List.get(), Qt::Key_Home);
    EXPECT_EQ(List->GetItemIndex(), 0);
    EXPECT_EQ(Clicks, 3);
    // Below the last entry nothing is selected anew.
    MousePress(List.get(), 10, 150);
    EXPECT_EQ(List->GetItemIndex(), 0);
    EXPECT_EQ(Clicks, 3);
}

TEST_F(kComponentEditorListBoxTest, DeleteSelectedFreesItsObjectAndSelectsTheNextOrLast)
{
    List->SetItemIndex(1);
    List->DeleteSelected();
    EXPECT_EQ(Order(), "ACD");
    EXPECT_EQ(Freed, 1);
    EXPECT_EQ(List->GetItemIndex(), 1);
    List->SelectLast();
    List->DeleteSelected();
    EXPECT_EQ(Order(), "AC");
    EXPECT_EQ(List->GetItemIndex(), 1);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(kComponentEditorListBoxTest, RemoveObjectKeepsTheSelectionIndex)
{
    TObject* c = List->GetItems()->GetObject(2);
    List->SetItemIndex(3);
    List->RemoveObject(c);
    EXPECT_EQ(Order(), "ABD");
    EXPECT_EQ(List->GetItemIndex(), 2);
    EXPECT_EQ(Freed, 0);
    delete c;
}

TEST_F(kComponentEditorListBoxTest, DraggedEntriesMoveOnlyWhenDraggingIsOn)
{
    int moves = 0;
    List->OnItemMove = [&](TObject*) { ++moves; };
    MousePress(List.get(), 10, 3);
    MouseRelease(List.get(), 10, 2 * 16 + 3);
    EXPECT_EQ(Order(), "ABCD");
    List->SetDragEnabled(true);
    MousePress(List.get(), 10, 3);
    MouseRelease(List.get(), 10, 2 * 16 + 3);
    EXPECT_EQ(Order(), "BCAD");
    EXPECT_EQ(List->GetItemIndex(), 2);
    MousePress(List.get(), 10, 3);
    MouseRelease(List.get(), 10, 150);  // past the end: goes last
    EXPECT_EQ(Order(), "CADB");
    EXPECT_EQ(moves, 2);
}

}  // namespace
