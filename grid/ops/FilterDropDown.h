// The column filter lists: the look of the list (the grid's published FilterDropDown) and the two
// list controls the grid keeps as hidden children for its whole life - TDropList for a single
// choice, TDropCheckList for ticked choices. The grid opens them from a release on a filter button
// (ShowFilterDropDown) and acts on their OnSelect (SelectFilterItem, ApplyFilterChecks).
//
// A list closes itself in three ways:
//   - TDropList: Enter (after the list's own key handling) or a mouse release: hidden, then
//     OnSelect(ItemIndex);
//   - TDropCheckList: never on a tick, which fires OnSelect(-1) and leaves it open;
//   - either: losing the focus while the mouse is outside its client area: OnCancel (the grid
//     forgets its filter column), then hidden.
#pragma once

#include "platform/controls/CheckListBox.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Canvas.h"

#include <functional>
#include <memory>

using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

constexpr int FilterDropDownDefaultSize = 150;

class TFilterDropDown : public TPersistent
{
  public:
    TFilterDropDown();
    ~TFilterDropDown() override;
    // From a TFilterDropDown only; AutoSize is not copied.
    void Assign(const TPersistent* Source) override;

    // The list fits its choices (choices x item height + 2 x edge, widest text + 8 + 2 x edge).
    bool AutoSize = false;
    TColor Color = clWindow;
    // The list takes the left edge and the width of the header cell.
    bool ColumnWidth = false;
    int Height = FilterDropDownDefaultSize;
    int Width = FilterDropDownDefaultSize;
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    // The filter button of a column without (with) an active condition. The setters copy and fire
    // OnChange.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphActive() const { return FGlyphActive.get(); }
    void SetGlyphActive(const TBitmap* Value);
    // The grid repaints on it.
    TNotifyEvent OnChange;

  private:
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> FGlyphActive = std::make_unique<TBitmap>();
};

// The system edge the list sizes count twice on each axis.
constexpr int FilterListEdge = 2;

class TDropList : public TListBox
{
  public:
    explicit TDropList(TComponent* AOwner);
    TDropSelectEvent OnSelect;
    // Lost focus with the mouse outside: the owner forgets its filter column.
    TNotifyEvent OnCancel;

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleKillFocus() override;
};

class TDropCheckList : public TCheckListBox
{
  public:
    explicit TDropCheckList(TComponent* AOwner);
    TDropSelectEvent OnSelect;
    TNotifyEvent OnCancel;

    void HandleKillFocus() override;

  protected:
    void ClickCheck() override;
};
