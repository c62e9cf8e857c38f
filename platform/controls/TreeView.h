// The tree view of the toolkit layer over QTreeWidget: nodes with a text, a picture from the view's
// image list (ImageIndex; SelectedIndex while the node is selected), a free Data pointer and an
// expanded state. Nodes are made by Items->AddChild and all freed by Items->Clear.
//
// Drawing: before a node is drawn, OnCustomDrawItem runs with Canvas->Font->Color set to the
// window text colour; the colour the handler leaves is the colour of the node's text. Pictures
// are taken from Images at drawing time, so a node costs no icon of its own.
// OnClick fires on a click on a node, after the click made it the selected node.
#pragma once

#include "platform/controls/Controls.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <functional>
#include <memory>

class TImageList;
class TTreeView;
class TTreeNodes;

// One node: the Qt item itself, so a tree of many nodes costs one object per node.
class TTreeNode : private QTreeWidgetItem
{
  public:
    QString Text() const { return text(0); }
    void SetText(const QString& Value) { setText(0, Value); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int Value);
    void* Data = nullptr; // not owned

    TTreeNode* Parent() const;
    int Count() const { return childCount(); }
    TTreeNode* Item(int Index) const; // raises EListError for a bad index
    int Level() const;
    bool Expanded() const { return isExpanded(); }
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool Selected() const { return isSelected(); }
    // Expands the parents and scrolls the node into view.
    void MakeVisible();

  private:
    friend class TTreeNodes;
    friend class TTreeView;
    friend class TTreeDrawDelegate;
    TTreeNode() = default;
    static TTreeNode* From(QTreeWidgetItem* item) { return static_cast<TTreeNode*>(item); }
    QTreeWidgetItem* AsItem() { return this; }
    void Repaint();

    int FImageIndex = -1;
    int FSelectedIndex = -1;
};

// The nodes of one tree view.
class TTreeNodes
{
  public:
    explicit TTreeNodes(TTreeView* owner) : FOwner(owner) {}

    // A new last child of Parent (nullptr: a new last root node).
    TTreeNode* AddChild(TTreeNode* Parent, const QString& S);
    // Frees every node.
    void Clear();
    int Count() const; // all nodes of the tree
    TTreeNode* GetFirstNode() const;
    void BeginUpdate();
    void EndUpdate();

  private:
    TTreeView* FOwner;
    int FUpdate = 0;
};

class TTreeView : public TWinControl
{
  public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    TTreeNodes* const Items;
    TCanvas* const Canvas; // the custom-draw canvas: only its Font counts

    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* Node);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // The node's rectangle in the item area (Tree()->viewport()); empty when it is not shown.
    TRect NodeRect(TTreeNode* Node) const;

    std::function<void(TObject* Sender, TTreeNode* Node, bool& DefaultDraw)> OnCustomDrawItem;

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    QTreeWidget* Tree() const { return FTree; }

  protected:
    void ApplyColor() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    friend class TTreeDrawDelegate;
    friend class TTreeNode;
    friend class TTreeNodes;
    QTreeWidget* FTree;
    TImageList* FImages = nullptr;
    bool FReadOnly = false;
};
