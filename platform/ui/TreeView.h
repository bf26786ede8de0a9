#pragma once
// A tree of text nodes with data pointers and images.
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"

class QTreeWidgetItem;
class TTreeView;
class TTreeNodes;
class TImageList;

class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;
    ~TTreeNode();

    std::string GetText() const;
    void SetText(const std::string& Value);
    void* Data = nullptr;
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int GetSelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int Value);
    TProperty<TTreeNode, std::string, &TTreeNode::GetText, &TTreeNode::SetText> Text{this};
    TProperty<TTreeNode, int, &TTreeNode::GetImageIndex, &TTreeNode::SetImageIndex> ImageIndex{this};
    TProperty<TTreeNode, int, &TTreeNode::GetSelectedIndex, &TTreeNode::SetSelectedIndex> SelectedIndex{this};

    TTreeNode* GetParent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int Index) const;
    bool HasChildren() const { return !FChildren.empty(); }
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // Position among its siblings; depth from the root (0 for top level).
    int Index() const;
    int Level() const;

    bool GetExpanded() const;
    void SetExpanded(bool Value);
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool GetSelected() const;
    void SetSelected(bool Value);
    TProperty<TTreeNode, bool, &TTreeNode::GetExpanded, &TTreeNode::SetExpanded> Expanded{this};
    TProperty<TTreeNode, bool, &TTreeNode::GetSelected, &TTreeNode::SetSelected> Selected{this};
    TReadOnlyProperty<TTreeNode, TTreeNode*, &TTreeNode::GetParent> Parent{this};
    // Frees the node and its children.
    void Delete();

    TTreeView* TreeView() const { return FTree; }
    QTreeWidgetItem* Item() const { return FItem; }

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeNode(TTreeView* ATree, TTreeNode* AParent, QTreeWidgetItem* AItem);
    void ApplyIcon();

    TTreeView* FTree;
    TTreeNode* FParent;
    QTreeWidgetItem* FItem;
    std::vector<TTreeNode*> FChildren;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
};

// The nodes of a tree view.
class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* ATree) : FTree(ATree) {}
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;
    ~TTreeNodes();

    // Adds a node after the last sibling of Sibling (at the top level when
    // Sibling is null).
    TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
    TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr);
    // Adds a node as the last child of Parent (top level when null).
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& S);
    TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr);
    void Delete(TTreeNode* Node);
    void Clear();
    // Every node, in display order (parents before their children).
    int Count() const;
    TTreeNode* Item(int Index) const;
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
    int RootCount() const { return static_cast<int>(FRoots.size()); }
    TTreeNode* Root(int Index) const;
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeNode;
    friend class TTreeView;
    void Collect(std::vector<TTreeNode*>& Out) const;

    TTreeView* FTree;
    std::vector<TTreeNode*> FRoots;
    int FUpdate = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    TTreeNodes* const Items;
    // Null when nothing is selected; setting null clears the selection.
    TTreeNode* GetSelected() const;
    void SetSelected(TTreeNode* Node);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    TImageList* GetImages() const { return FImages; }
    void SetImages(TImageList* Value);
    void FullExpand();
    void FullCollapse();
    TTreeNode* NodeOfItem(const QTreeWidgetItem* Item) const;
    TTreeNode* GetNodeAt(int X, int Y) const;

    TProperty<TTreeView, TTreeNode*, &TTreeView::GetSelected, &TTreeView::SetSelected> Selected{this};
    TProperty<TTreeView, bool, &TTreeView::GetReadOnly, &TTreeView::SetReadOnly> ReadOnly{this};
    TProperty<TTreeView, bool, &TTreeView::GetHideSelection, &TTreeView::SetHideSelection> HideSelection{this};
    TProperty<TTreeView, TImageList*, &TTreeView::GetImages, &TTreeView::SetImages> Images{this};

    // The selection changed (by the user or from code).
    TTVChangedEvent OnChange;

protected:
    void ApplyColor() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    TImageList* FImages = nullptr;
    bool FReadOnly = false;
    bool FHideSelection = true;
};
