#include "ui/TreeView.h"

#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>
#include <algorithm>

#include "rtl/Exception.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/ControlQt.h"
#include "ui/GraphicsQt.h"
#include "ui/ImageList.h"

namespace {

const int NodeRole = Qt::UserRole + 1;

QTreeWidget* TreeOf(const TControl* C)
{
    return static_cast<QTreeWidget*>(C->Widget());
}

}  // namespace

// --- TTreeNode -----------------------------------------------------------------

TTreeNode::TTreeNode(TTreeView* ATree, TTreeNode* AParent, QTreeWidgetItem* AItem)
    : FTree(ATree),
      FParent(AParent),
      FItem(AItem)
{
    FItem->setData(0, NodeRole, QVariant::fromValue<void*>(this));
}

TTreeNode::~TTreeNode()
{
    for (TTreeNode* Child : FChildren)
        delete Child;
}

std::string TTreeNode::GetText() const
{
    return StdStr(FItem->text(0));
}
void TTreeNode::SetText(const std::string& Value)
{
    FItem->setText(0, QStr(Value));
}

void TTreeNode::SetImageIndex(int Value)
{
    FImageIndex = Value;
    ApplyIcon();
}

void TTreeNode::SetSelectedIndex(int Value)
{
    FSelectedIndex = Value;
}

void TTreeNode::ApplyIcon()
{
    TImageList* Images = FTree->FImages;
    if (!Images || FImageIndex < 0 || FImageIndex >= Images->GetCount()) {
        FItem->setIcon(0, QIcon());
        return;
    }
    TBitmap Image;
    Images->GetBitmap(FImageIndex, &Image);
    FItem->setIcon(0, QIcon(QPixmap::fromImage(BitmapImage(Image))));
}

TTreeNode* TTreeNode::Item(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("Tree node index out of bounds (" + std::to_string(Index) + ")");
    return FChildren[size_t(Index)];
}

int TTreeNode::Index() const
{
    const std::vector<TTreeNode*>& List = FParent ? FParent->FChildren : FTree->Items->FRoots;
    return int(std::find(List.begin(), List.end(), this) - List.begin());
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    const std::vector<TTreeNode*>& List = FParent ? FParent->FChildren : FTree->Items->FRoots;
    const size_t I = size_t(Index()) + 1;
    return I < List.size() ? List[I] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    const std::vector<TTreeNode*>& List = FParent ? FParent->FChildren : FTree->Items->FRoots;
    const int I = Index();
    return I > 0 ? List[size_t(I - 1)] : nullptr;
}

int TTreeNode::Level() const
{
    int L = 0;
    for (TTreeNode* P = FParent; P; P = P->FParent)
        ++L;
    return L;
}

bool TTreeNode::GetExpanded() const
{
    return FItem->isExpanded();
}
void TTreeNode::SetExpanded(bool Value)
{
    FItem->setExpanded(Value);
}

void TTreeNode::Expand(bool Recurse)
{
    SetExpanded(true);
    if (Recurse)
        for (TTreeNode* C : FChildren)
            C->Expand(true);
}

void TTreeNode::Collapse(bool Recurse)
{
    SetExpanded(false);
    if (Recurse)
        for (TTreeNode* C : FChildren)
            C->Collapse(true);
}

bool TTreeNode::GetSelected() const
{
    return FTree->GetSelected() == this;
}

void TTreeNode::SetSelected(bool Value)
{
    if (Value)
        FTree->SetSelected(this);
    else if (GetSelected())
        FTree->SetSelected(nullptr);
}

void TTreeNode::Delete()
{
    FTree->Items->Delete(this);
}

// --- TTreeNodes ----------------------------------------------------------------

TTreeNodes::~TTreeNodes()
{
    for (TTreeNode* Root : FRoots)
        delete Root;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S)
{
    return AddObject(Sibling, S, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr)
{
    return AddChildObject(Sibling ? Sibling->FParent : nullptr, S, Ptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& S)
{
    return AddChildObject(Parent, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr)
{
    auto* Item = new QTreeWidgetItem(QStringList(QStr(S)));
    if (Parent)
        Parent->FItem->addChild(Item);
    else
        TreeOf(FTree)->addTopLevelItem(Item);
    auto* Node = new TTreeNode(FTree, Parent, Item);
    Node->Data = Ptr;
    (Parent ? Parent->FChildren : FRoots).push_back(Node);
    return Node;
}

void TTreeNodes::Delete(TTreeNode* Node)
{
    if (!Node)
        return;
    std::vector<TTreeNode*>& List = Node->FParent ? Node->FParent->FChildren : FRoots;
    auto It = std::find(List.begin(), List.end(), Node);
    if (It == List.end())
        return;
    List.erase(It);
    TTreeNode* Before = FTree->GetSelected();
    {
        // The item takes its children's items with it; the node its nodes.
        const QSignalBlocker Block(TreeOf(FTree));
        QTreeWidgetItem* Item = Node->FItem;
        delete Node;
        delete Item;
    }
    TTreeNode* After = FTree->GetSelected();
    if (After != Before && FTree->OnChange)
        FTree->OnChange(FTree, After);
}

void TTreeNodes::Clear()
{
    const bool HadSelection = FTree->GetSelected() != nullptr;
    QTreeWidget* Tree = TreeOf(FTree);
    const QSignalBlocker Block(Tree);
    for (TTreeNode* Root : FRoots)
        delete Root;
    FRoots.clear();
    Tree->clear();
    if (HadSelection && FTree->OnChange)
        FTree->OnChange(FTree, nullptr);
}

void TTreeNodes::Collect(std::vector<TTreeNode*>& Out) const
{
    std::vector<TTreeNode*> Stack(FRoots.rbegin(), FRoots.rend());
    while (!Stack.empty()) {
        TTreeNode* N = Stack.back();
        Stack.pop_back();
        Out.push_back(N);
        Stack.insert(Stack.end(), N->FChildren.rbegin(), N->FChildren.rend());
    }
}

int TTreeNodes::Count() const
{
    std::vector<TTreeNode*> All;
    Collect(All);
    return int(All.size());
}

TTreeNode* TTreeNodes::Item(int Index) const
{
    std::vector<TTreeNode*> All;
    Collect(All);
    if (Index < 0 || Index >= int(All.size()))
        throw EListError("Tree node index out of bounds (" + std::to_string(Index) + ")");
    return All[size_t(Index)];
}

TTreeNode* TTreeNodes::Root(int Index) const
{
    if (Index < 0 || Index >= RootCount())
        throw EListError("Tree node index out of bounds (" + std::to_string(Index) + ")");
    return FRoots[size_t(Index)];
}

void TTreeNodes::BeginUpdate()
{
    if (FUpdate++ == 0)
        TreeOf(FTree)->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate()
{
    if (FUpdate > 0 && --FUpdate == 0)
        TreeOf(FTree)->setUpdatesEnabled(true);
}

// --- TTreeView -----------------------------------------------------------------

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner, NewWidget<QTreeWidget>()), Items(new TTreeNodes(this))
{
    QTreeWidget* Tree = TreeOf(this);
    Tree->setColumnCount(1);
    Tree->header()->hide();
    // Nodes show whole: the one column is as wide as its widest node and
    // the tree scrolls sideways, rather than cutting nodes with an ellipsis.
    Tree->header()->setStretchLastSection(false);
    Tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    Tree->setSelectionMode(QAbstractItemView::SingleSelection);
    Tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SetInputWidget(Tree->viewport());
    QObject::connect(Tree, &QTreeWidget::itemSelectionChanged, [this] {
        CallGuarded(this, [this] {
            if (OnChange)
                OnChange(this, GetSelected());
        });
    });
    SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView()
{
    const QSignalBlocker Block(TreeOf(this));
    delete Items;
}

TTreeNode* TTreeView::NodeOfItem(const QTreeWidgetItem* Item) const
{
    return Item ? static_cast<TTreeNode*>(Item->data(0, NodeRole).value<void*>()) : nullptr;
}

TTreeNode* TTreeView::GetSelected() const
{
    const QList<QTreeWidgetItem*> Selected = TreeOf(this)->selectedItems();
    return Selected.isEmpty() ? nullptr : NodeOfItem(Selected.front());
}

void TTreeView::SetSelected(TTreeNode* Node)
{
    QTreeWidget* Tree = TreeOf(this);
    if (!Node) {
        Tree->clearSelection();
        Tree->setCurrentItem(nullptr);
        return;
    }
    Tree->setCurrentItem(Node->FItem);
    Node->FItem->setSelected(true);
}

void TTreeView::SetReadOnly(bool Value)
{
    FReadOnly = Value;
}

void TTreeView::SetHideSelection(bool Value)
{
    FHideSelection = Value;
    QPalette Pal = Widget()->palette();
    const QPalette::ColorGroup Shown = QPalette::Active;
    for (QPalette::ColorRole Role : {QPalette::Highlight, QPalette::HighlightedText})
        Pal.setColor(QPalette::Inactive, Role,
                     Value ? QApplication::palette().color(QPalette::Inactive, Role) : Pal.color(Shown, Role));
    Widget()->setPalette(Pal);
}

void TTreeView::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (Value)
        Value->FreeNotification(this);
    std::vector<TTreeNode*> All;
    Items->Collect(All);
    for (TTreeNode* N : All)
        N->ApplyIcon();
}

void TTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages) {
        FImages = nullptr;
        std::vector<TTreeNode*> All;
        Items->Collect(All);
        for (TTreeNode* N : All)
            N->ApplyIcon();
    }
}

void TTreeView::FullExpand()
{
    for (TTreeNode* Root : Items->FRoots)
        Root->Expand(true);
}

void TTreeView::FullCollapse()
{
    for (TTreeNode* Root : Items->FRoots)
        Root->Collapse(true);
}

TTreeNode* TTreeView::GetNodeAt(int X, int Y) const
{
    return NodeOfItem(TreeOf(this)->itemAt(X, Y));
}

void TTreeView::ApplyColor()
{
    QPalette Pal = Widget()->palette();
    Pal.setColor(QPalette::Base, ToQColor(GetColor() == clBtnFace ? clWindow : GetColor()));
    Widget()->setPalette(Pal);
}
