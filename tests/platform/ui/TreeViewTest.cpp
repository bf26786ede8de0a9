// Tree views: nodes with data and images, selection and deletion.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTreeWidget>

#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/TextClipCheck.h"
#include "ui/TreeView.h"

namespace {

struct TTree : ::testing::Test {
    TTreeView Tree{nullptr};
    int Device1 = 1, Device2 = 2, Channel = 3;
    TTreeNode* D1 = nullptr;
    TTreeNode* D2 = nullptr;
    TTreeNode* C1 = nullptr;
    TTreeNode* C2 = nullptr;

    void SetUp() override
    {
        D1 = Tree.Items->AddObject(nullptr, "设备1: A", &Device1);
        C1 = Tree.Items->AddChildObject(D1, "CH1: P", &Channel);
        C2 = Tree.Items->AddChild(D1, "CH2: T");
        D2 = Tree.Items->Add(D1, "设备2: B");
        D2->Data = &Device2;
    }
};

}  // namespace

TEST_F(TTree, NodesKeepTextDataParentsAndOrder)
{
    EXPECT_EQ(Tree.Items->Count(), 4);
    EXPECT_EQ(Tree.Items->Item(0), D1);
    EXPECT_EQ(Tree.Items->Item(1), C1);
    EXPECT_EQ(Tree.Items->Item(2), C2);
    EXPECT_EQ(Tree.Items->Item(3), D2);
    EXPECT_EQ(Tree.Items->RootCount(), 2);
    EXPECT_EQ(D1->Count(), 2);
    EXPECT_EQ(C2->GetParent(), D1);
    EXPECT_EQ(D2->GetParent(), nullptr);
    EXPECT_EQ(C2->Index(), 1);
    EXPECT_EQ(C2->Level(), 1);
    EXPECT_EQ(C1->GetNextSibling(), C2);
    EXPECT_EQ(D1->GetNextSibling(), D2);
    EXPECT_EQ(C1->Data, &Channel);
    EXPECT_EQ(D2->Data, &Device2);
    EXPECT_EQ(std::string(C2->Text), "CH2: T");
    C2->Text = "CH2: 温度";
    EXPECT_EQ(static_cast<QTreeWidget*>(Tree.Widget())->topLevelItem(0)->child(1)->text(0).toStdString(), "CH2: 温度");
}

TEST_F(TTree, SelectionCanBeSetReadAndClearedAndReportsChanges)
{
    std::vector<TTreeNode*> Changes;
    Tree.OnChange = [&](TObject*, TTreeNode* Node) { Changes.push_back(Node); };
    EXPECT_EQ(Tree.GetSelected(), nullptr);
    Tree.Selected = C2;
    EXPECT_EQ(Tree.GetSelected(), C2);
    EXPECT_TRUE(C2->GetSelected());
    Tree.Selected = nullptr;
    EXPECT_EQ(Tree.GetSelected(), nullptr);
    EXPECT_EQ(Changes, (std::vector<TTreeNode*>{C2, nullptr}));
}

TEST_F(TTree, DeletingANodeTakesItsChildrenAndTheSelection)
{
    Tree.Selected = C1;
    std::vector<TTreeNode*> Changes;
    Tree.OnChange = [&](TObject*, TTreeNode* Node) { Changes.push_back(Node); };
    D1->Delete();
    EXPECT_EQ(Tree.Items->Count(), 1);
    EXPECT_EQ(Tree.Items->GetFirstNode(), D2);
    EXPECT_EQ(Tree.GetSelected(), nullptr);
    EXPECT_EQ(Changes, (std::vector<TTreeNode*>{nullptr}));
    Tree.Items->Clear();
    EXPECT_EQ(Tree.Items->Count(), 0);
    EXPECT_EQ(static_cast<QTreeWidget*>(Tree.Widget())->topLevelItemCount(), 0);
}

TEST_F(TTree, ExpandAndImageIndexes)
{
    D1->Expand(false);
    EXPECT_TRUE(D1->GetExpanded());
    Tree.FullCollapse();
    EXPECT_FALSE(D1->GetExpanded());
    C1->ImageIndex = 2;
    C1->SelectedIndex = 2;
    EXPECT_EQ(int(C1->ImageIndex), 2);
    EXPECT_EQ(C1->GetSelectedIndex(), 2);
    EXPECT_THROW(D1->Item(5), EListError);
}

// A node wider than the tree shows whole and the tree scrolls sideways to
// it, as a Windows tree does, instead of cutting it with an ellipsis.
TEST(TreeViewWidth, LongNodesScrollInsteadOfBeingCut)
{
    Application->Initialize();
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 300, 200);
    auto* Tree = new TTreeView(&Form);
    Tree->SetName("tvList");
    Tree->SetParent(&Form);
    Tree->SetBounds(0, 0, 120, 150);
    TTreeNode* Device = Tree->Items->Add(nullptr, "设备1: SIM-16SI-LONGNAME-0001 KRN-MODEL-XXXX");
    Tree->Items->AddChild(Device, "CH1: 负三位无修正的一个很长的通道名称");
    Device->Expand(true);
    Form.Show();
    Application->ProcessMessages();
    for (const std::string& P : TTextClipCheck::Problems(&Form))
        ADD_FAILURE() << P;
    auto* Widget = static_cast<QTreeWidget*>(Tree->Widget());
    EXPECT_GT(Widget->horizontalScrollBar()->maximum(), 0);
    Form.Hide();
}
