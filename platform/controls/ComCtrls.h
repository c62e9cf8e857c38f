// Page control with tab sheets; the date-time picker (DateTimePicker.h) belongs to the same family.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/controls/DateTimePicker.h"

#include <QTabWidget>

class TPageControl;

// One page of a page control: a container whose caption is the tab's text. A sheet is made with an
// owner and put on its page control with SetPageControl (or SetParent).
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* Value) ;
    // Position among all pages (hidden tabs included).
    int PageIndex() const;
    void SetPageIndex(int Value);
    // Position among the shown tabs; -1 when the tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    void SetText(const QString& Value) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void ApplyVisible() override {}
    void ApplyColor() override;

private:
    friend class TPageControl;
    bool FTabVisible = true;
};

// Tabs over pages. The sheets of the inactive pages are not Visible (as in the toolkit), so their
// controls cannot take the focus. A change of page by the user fires OnChange; setting ActivePage
// from code fires nothing. Hiding the active page's tab activates the next shown one.
class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int Index) const;   // raises EListError for a bad index
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* Value);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);
    // The active page's position among the shown tabs, -1 without one.
    int TabIndex() const;
    // The page after (or before) Current among the shown tabs, wrapping; nullptr when there is none.
    TTabSheet* FindNextPage(TTabSheet* Current, bool GoForward) const;
    void SelectNextPage(bool GoForward);

    bool WantsKey(WORD Key, TShiftState Shift) const override;

    TNotifyEvent OnChange;

    QTabWidget* Tabs() const { return FTabs; }

protected:
    void InsertChildWidget(TControl* Child) override;
    void RemoveChildWidget(TControl* Child) override;
    virtual void Change();

private:
    friend class TTabSheet;
    void SheetChanged(TTabSheet* Sheet);
    void MovePage(TTabSheet* Sheet, int Index);
    void SyncFromQt();
    void ShowPage(TTabSheet* Page);

    QTabWidget* FTabs;
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    int FCodeChange = 0;
};
