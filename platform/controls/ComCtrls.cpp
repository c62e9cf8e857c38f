#include "platform/controls/ComCtrls.h"

#include <QTabBar>
#include <algorithm>

// ---- TTabSheet --------------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner, new TWidgetBridge<QWidget>())
{
    ControlStyle |= csAcceptsControls;
    Widget()->setFocusPolicy(Qt::NoFocus);
    SetParentColor(true);
    SetVisibleFlag(false);
}

TTabSheet::~TTabSheet()
{
    // Leave the page control before the widget goes, so the tabs stay in step.
    Destroying();
    SetParent(nullptr);
}

TPageControl* TTabSheet::PageControl() const
{
    return dynamic_cast<TPageControl*>(Parent());
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    SetParent(Value);
}

int TTabSheet::PageIndex() const
{
    TPageControl* pc = PageControl();
    if (!pc)
        return -1;
    const auto it = std::find(pc->FPages.begin(), pc->FPages.end(), this);
    return static_cast<int>(it - pc->FPages.begin());
}

void TTabSheet::SetPageIndex(int Value)
{
    if (TPageControl* pc = PageControl())
        pc->MovePage(this, Value);
}

int TTabSheet::TabIndex() const
{
    TPageControl* pc = PageControl();
    if (!pc || !FTabVisible)
        return -1;
    int index = 0;
    for (TTabSheet* s : pc->FPages) {
        if (s == this)
            return index;
        if (s->FTabVisible)
            ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value)
{
    if (FTabVisible == Value)
        return;
    FTabVisible = Value;
    if (TPageControl* pc = PageControl())
        pc->SheetChanged(this);
}

void TTabSheet::SetText(const QString& Value)
{
    TWinControl::SetText(Value);
    if (TPageControl* pc = PageControl())
        pc->SheetChanged(this);
}

void TTabSheet::ApplyColor()
{
    TWinControl::ApplyColor();
    Widget()->setAutoFillBackground(true);
}

// ---- TPageControl -----------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner)
    : TWinControl(AOwner, new TWidgetBridge<QTabWidget>()), FTabs(static_cast<QTabWidget*>(Widget()))
{
    NativeInput = true;
    ControlStyle = csAcceptsControls | csSetCaption | csDoubleClicks;
    SetTabStop(true);
    RouteKeysOf(FTabs->tabBar());
    ConnectSignal(FTabs, &QTabWidget::currentChanged, [this](int) {
        if (FCodeChange > 0)
            return;
        SyncFromQt();
        Change();
    });
    SetBounds(0, 0, 289, 193);
}

TTabSheet* TPageControl::Pages(int Index) const
{
    if (Index < 0 || Index >= PageCount())
        RaiseListIndexError(Index);
    return FPages[static_cast<size_t>(Index)];
}

void TPageControl::InsertChildWidget(TControl* Child)
{
    auto* sheet = dynamic_cast<TTabSheet*>(Child);
    if (!sheet) {
        TWinControl::InsertChildWidget(Child);
        return;
    }
    FPages.push_back(sheet);
    ++FCodeChange;
    const int index = FTabs->addTab(sheet->Widget(), sheet->Caption());
    FTabs->setTabVisible(index, sheet->FTabVisible);
    --FCodeChange;
    if (!FActivePage && sheet->FTabVisible)
        ShowPage(sheet);
    else
        SyncFromQt();
}

void TPageControl::RemoveChildWidget(TControl* Child)
{
    auto* sheet = dynamic_cast<TTabSheet*>(Child);
    if (!sheet) {
        TWinControl::RemoveChildWidget(Child);
        return;
    }
    const auto it = std::find(FPages.begin(), FPages.end(), sheet);
    if (it == FPages.end())
        return;
    const int index = static_cast<int>(it - FPages.begin());
    TTabSheet* next = FActivePage == sheet ? FindNextPage(sheet, true) : FActivePage;
    FPages.erase(it);
    ++FCodeChange;
    FTabs->removeTab(index);
    --FCodeChange;
    if (sheet->Widget() && !(sheet->ComponentState() & csDestroying))
        sheet->Widget()->setParent(nullptr);
    if (FActivePage == sheet)
        FActivePage = nullptr;
    ShowPage(next == sheet ? nullptr : next);
}

void TPageControl::SheetChanged(TTabSheet* Sheet)
{
    const int index = Sheet->PageIndex();
    if (index < 0)
        return;
    ++FCodeChange;
    FTabs->setTabText(index, Sheet->Caption());
    FTabs->setTabVisible(index, Sheet->FTabVisible);
    --FCodeChange;
    if (Sheet == FActivePage && !Sheet->FTabVisible)
        ShowPage(FindNextPage(Sheet, true));
    else if (!FActivePage && Sheet->FTabVisible)
        ShowPage(Sheet);
    else
        ShowPage(FActivePage);
}

void TPageControl::MovePage(TTabSheet* Sheet, int Index)
{
    const int from = Sheet->PageIndex();
    if (from < 0)
        return;
    Index = std::clamp(Index, 0, PageCount() - 1);
    if (from == Index)
        return;
    FPages.erase(FPages.begin() + from);
    FPages.insert(FPages.begin() + Index, Sheet);
    ++FCodeChange;
    FTabs->tabBar()->moveTab(from, Index);
    --FCodeChange;
    ShowPage(FActivePage);
}

void TPageControl::ShowPage(TTabSheet* Page)
{
    if (Page && !Page->FTabVisible)
        Page = nullptr;
    TTabSheet* old = FActivePage;
    FActivePage = Page;
    ++FCodeChange;
    if (Page)
        FTabs->setCurrentIndex(Page->PageIndex());
    --FCodeChange;
    for (TTabSheet* s : FPages)
        s->SetVisibleFlag(s == Page);
    if (old != Page && !IsDestroying()) {
        if (old && old->OnHide)
            old->OnHide(old);
        if (Page && Page->OnShow)
            Page->OnShow(Page);
    }
}

void TPageControl::SyncFromQt()
{
    const int index = FTabs->currentIndex();
    ShowPage(index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Value)
{
    if (Value && Value->PageControl() != this)
        return;
    ShowPage(Value);
}

int TPageControl::ActivePageIndex() const
{
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int Value)
{
    SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<size_t>(Value)] : nullptr);
}

int TPageControl::TabIndex() const
{
    return FActivePage ? FActivePage->TabIndex() : -1;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* Current, bool GoForward) const
{
    const int n = PageCount();
    if (n == 0)
        return nullptr;
    int i = Current ? Current->PageIndex() : (GoForward ? n - 1 : 0);
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TTabSheet* s = FPages[static_cast<size_t>(i)];
        if (s->FTabVisible && s != Current)
            return s;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward)
{
    if (TTabSheet* next = FindNextPage(FActivePage, GoForward)) {
        ShowPage(next);
        Change();
    }
}

bool TPageControl::WantsKey(WORD Key, TShiftState) const
{
    return IsArrowKey(Key);
}

void TPageControl::Change()
{
    if (OnChange)
        OnChange(this);
}
