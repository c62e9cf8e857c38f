#include "platform/controls/TreeView.h"

#include "platform/graphics/ImgList.h"

#include <QPixmap>
#include <QStyledItemDelegate>

// Gives each node its picture and the text colour of the custom-draw handler as Qt lays out and
// paints the item.
class TTreeDrawDelegate : public QStyledItemDelegate
{
  public:
    TTreeDrawDelegate(TTreeView* view, QTreeWidget* tree)
        : QStyledItemDelegate(tree), view_(view), tree_(tree)
    {
    }

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        TTreeNode* node = Node(index);
        if (!node)
            return;
        const bool selected = option->state & QStyle::State_Selected;
        const int picture = selected ? node->SelectedIndex() : node->ImageIndex();
        if (view_->FImages && picture >= 0 && picture < view_->FImages->Count()) {
            option->icon = QIcon(QPixmap::fromImage(view_->FImages->Image(picture)));
            option->decorationSize = QSize(view_->FImages->Width(), view_->FImages->Height());
            option->features |= QStyleOptionViewItem::HasDecoration;
        }
        if (view_->OnCustomDrawItem) {
            view_->Canvas->Font->Color = clWindowText;
            bool default_draw = true;
            view_->OnCustomDrawItem(view_, node, default_draw);
            option->palette.setColor(QPalette::Text, ColorToQColor(view_->Canvas->Font->Color));
        }
    }

  private:
    TTreeNode* Node(const QModelIndex& index) const
    {
        // The item of an index: the item at the index's row below its parent's item.
        if (!index.isValid())
            return nullptr;
        QTreeWidgetItem* parent =
            index.parent().isValid() ? Item(index.parent()) : tree_->invisibleRootItem();
        QTreeWidgetItem* item = parent ? parent->child(index.row()) : nullptr;
        return item ? TTreeNode::From(item) : nullptr;
    }
    QTreeWidgetItem* Item(const QModelIndex& index) const
    {
        if (!index.isValid())
            return tree_->invisibleRootItem();
        QTreeWidgetItem* parent = Item(index.parent());
        return parent ? parent->child(index.row()) : nullptr;
    }

    TTreeView* view_;
    QTreeWidget* tree_;
};

// ---- TTreeNode ----------------------------------------------------------------------------------------

void TTreeNode::Repaint()
{
    // The whole item area: cheap, coalesced, and no layout work per node while a tree is filled.
    if (QTreeWidget* tree = treeWidget(); tree && tree->updatesEnabled())
        tree->viewport()->update();
}

void TTreeNode::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Repaint();
}

void TTreeNode::SetSelectedIndex(int Value)
{
    FSelectedIndex = Value;
    Repaint();
}

TTreeNode* TTreeNode::Parent() const
{
    QTreeWidgetItem* p = parent();
    return p ? From(p) : nullptr;
}

TTreeNode* TTreeNode::Item(int Index) const
{
    if (Index < 0 || Index >= childCount())
        RaiseListIndexError(Index);
    return From(child(Index));
}

int TTreeNode::Level() const
{
    int level = 0;
    for (QTreeWidgetItem* p = parent(); p; p = p->parent())
        ++level;
    return level;
}

void TTreeNode::Expand(bool Recurse)
{
    setExpanded(true);
    if (Recurse)
        for (int i = 0; i < childCount(); ++i)
            From(child(i))->Expand(true);
}

void TTreeNode::Collapse(bool Recurse)
{
    setExpanded(false);
    if (Recurse)
        for (int i = 0; i < childCount(); ++i)
            From(child(i))->Collapse(true);
}

void TTreeNode::MakeVisible()
{
    for (QTreeWidgetItem* p = parent(); p; p = p->parent())
        p->setExpanded(true);
    if (QTreeWidget* tree = treeWidget())
        tree->scrollToItem(this);
}

// ---- TTreeNodes ---------------------------------------------------------------------------------------

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const QString& S)
{
    auto* node = new TTreeNode();
    node->SetText(S);
    if (Parent)
        Parent->addChild(node->AsItem());
    else
        FOwner->FTree->addTopLevelItem(node->AsItem());
    return node;
}

void TTreeNodes::Clear()
{
    FOwner->FTree->clear();
}

int TTreeNodes::Count() const
{
    int n = 0;
    for (QTreeWidgetItemIterator it(FOwner->FTree); *it; ++it)
        ++n;
    return n;
}

TTreeNode* TTreeNodes::GetFirstNode() const
{
    QTreeWidgetItem* top = FOwner->FTree->topLevelItem(0);
    return top ? TTreeNode::From(top) : nullptr;
}

void TTreeNodes::BeginUpdate()
{
    if (FUpdate++ == 0)
        FOwner->FTree->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate()
{
    if (FUpdate > 0 && --FUpdate == 0)
        FOwner->FTree->setUpdatesEnabled(true);
}

// ---- TTreeView ----------------------------------------------------------------------------------------

TTreeView::TTreeView(TComponent* AOwner)
    : TWinControl(AOwner, new TWidgetBridge<QTreeWidget>()), Items(new TTreeNodes(this)),
      Canvas(new TCanvas())
{
    FTree = static_cast<QTreeWidget*>(Widget());
    NativeInput = true;
    ControlStyle = csDoubleClicks;
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    FTree->setColumnCount(1);
    FTree->setHeaderHidden(true);
    FTree->setSelectionMode(QAbstractItemView::SingleSelection);
    FTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTree->setUniformRowHeights(true);
    FTree->setItemDelegate(new TTreeDrawDelegate(this, FTree));
    ConnectSignal(FTree, &QTreeWidget::itemClicked, [this](QTreeWidgetItem*, int) { Click(); });
    SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView()
{
    // The nodes go with the widget; the delegate must not call back into a half-destroyed view.
    OnCustomDrawItem = nullptr;
    delete Items;
    delete Canvas;
}

TTreeNode* TTreeView::Selected() const
{
    QTreeWidgetItem* item = FTree->currentItem();
    return item && item->isSelected() ? TTreeNode::From(item) : nullptr;
}

void TTreeView::SetSelected(TTreeNode* Node)
{
    if (Node) {
        FTree->setCurrentItem(Node->AsItem());
    } else {
        FTree->setCurrentItem(nullptr);
        FTree->clearSelection();
    }
}

void TTreeView::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) {
        FImages->FreeNotification(this);
        FTree->setIconSize(QSize(FImages->Width(), FImages->Height()));
    }
    FTree->viewport()->update();
}

void TTreeView::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    FTree->setEditTriggers(Value ? QAbstractItemView::NoEditTriggers
                                 : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
}

TRect TTreeView::NodeRect(TTreeNode* Node) const
{
    if (!Node)
        return TRect();
    const QRect r = FTree->visualItemRect(Node->AsItem());
    if (r.isEmpty())
        return TRect();
    return TRect::FromQRect(r);
}

bool TTreeView::WantsKey(WORD Key, TShiftState) const
{
    return IsArrowKey(Key);
}

void TTreeView::ApplyColor()
{
    TWinControl::ApplyColor();
    QPalette pal = Widget()->palette();
    pal.setColor(QPalette::Base, ColorToQColor(Color()));
    Widget()->setPalette(pal);
}

void TTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}
