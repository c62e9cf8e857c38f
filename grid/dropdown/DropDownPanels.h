// The header and footer strips of the drop-down window (TExtHeader, TExtFooter) and the checked
// list that keeps their buttons (TDbgList).
//
// The window creates a strip the first time it is prepared with that appearance visible, and at
// every preparation (TDropDownForm::InitializeAndUpdate):
//   1. AttachDropDown: the strip takes the drop-down's images and a copy of its appearance, and
//      shows itself at the appearance's height, or hides;
//   2. InitButtons: CreateButtons rebuilds one TExtButton per item of the appearance's collection,
//      sized to content (an item's Width or Height above 0 replaces it, cut to the button area's
//      height), then ArrangeButtons packs them at the right (first button rightmost) or the left;
//   3. the drop-down's OnDrawHeader/OnGetHeaderText (footer: ...Footer...) become OnDrawBackGround
//      and OnGetText.
// A click on a button reports its item index (Tag) to the drop-down's OnDropDownHeaderButtonClick
// or OnDropDownFooterButtonClick with the drop-down as Sender. The footer's size grip resizes the
// window from its bottom-right corner.
#pragma once

#include "grid/dropdown/DropDownAppearance.h"
#include "grid/dropdown/ExtButton.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/ImgList.h"

#include <memory>
#include <vector>

class TExtCustomDropDown;

using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, QString& Text)>;

// A list of pointers whose guarded accessors report a read or write past the end.
class TDbgList
{
  public:
    int Count() const { return static_cast<int>(FItems.size()); }
    void Add(void* Item) { FItems.push_back(Item); }
    void Clear() { FItems.clear(); }
    // Index >= Count: "Index out of bounds in list read access" (write: "... write access"); a
    // negative index: the list's own "List index out of bounds (-1)".
    void* GetItemsEx(int Index) const;
    void SetItemsEx(int Index, void* Value);
    void AssignList(const TDbgList& ListA);

  private:
    std::vector<void*> FItems;
};

// What the header and the footer share; Appearance is THeaderAppearance or TFooterAppearance.
template <class Appearance> class TExtStrip : public TCustomControl
{
  public:
    explicit TExtStrip(TComponent* AOwner);
    ~TExtStrip() override;

    Appearance* GetAppearance() const { return FAppearance.get(); }
    void SetAppearance(const Appearance* Value) { FAppearance->Assign(Value); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TExtCustomDropDown* DropDown() const { return FExtDropDown; }

    // Stores the drop-down (nil also forgets the images); otherwise takes its images and a copy of
    // its appearance, and with it the visibility and height.
    void AttachDropDown(TExtCustomDropDown* DropDown);
    void InitButtons();
    int ButtonCount() const { return FButtonList.Count(); }
    TExtButton* Button(int Index) const { return static_cast<TExtButton*>(FButtonList.GetItemsEx(Index)); }

    virtual void CreateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();
    // The client rectangle less the margins around the buttons.
    virtual TRect GetButtonArea() const = 0;

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;
    void Paint() override;
    void AppearanceChanged();
    // The drop-down's appearance of this strip.
    virtual const Appearance* DropDownAppearance() const = 0;
    // A new button: footer buttons get the drop-down and the item's modal result.
    virtual void SetupButton(TExtButton* Button, int Index) = 0;
    virtual void ButtonClick(TObject* Sender) = 0;
    // The border lines of step 3 of the paint and, for the footer, the grip.
    virtual void PaintBorder(const TRect& R) = 0;
    virtual void PaintExtras(const TRect&) {}
    bool DropDownHasBorder() const;

    std::unique_ptr<Appearance> FAppearance;
    TImageList* FImages = nullptr;
    TExtCustomDropDown* FExtDropDown = nullptr;
    TDbgList FButtonList;
};

class TExtHeader : public TExtStrip<THeaderAppearance>
{
  public:
    explicit TExtHeader(TComponent* AOwner) : TExtStrip(AOwner) {}
    // The drop-down's DropDownHeader buttons; nil without a drop-down.
    THeaderButtons* Buttons() const;
    TRect GetButtonArea() const override;

  protected:
    const THeaderAppearance* DropDownAppearance() const override;
    void SetupButton(TExtButton* Button, int Index) override;
    void ButtonClick(TObject* Sender) override;
    void PaintBorder(const TRect& R) override;
};

class TExtFooter : public TExtStrip<TFooterAppearance>
{
  public:
    explicit TExtFooter(TComponent* AOwner);
    TFooterButtons* Buttons() const;
    TRect GetButtonArea() const override;
    // The appearance's SizeGrip and the drop-down's DropDownSizeable.
    bool SizeGripVisible() const;
    // Six dots on a staircase at the bottom right of G.
    void DrawSizeGrip(const TRect& G);
    TCursor OldCursor() const { return FOldCursor; }

    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;

  protected:
    const TFooterAppearance* DropDownAppearance() const override;
    void SetupButton(TExtButton* Button, int Index) override;
    void ButtonClick(TObject* Sender) override;
    void PaintBorder(const TRect& R) override;
    void PaintExtras(const TRect& R) override;

    // Moves of a resize started in the grip go to the window by their screen position.
    void WidgetMouse(QMouseEvent* event, TControlWidgetLink& link) override;

  private:
    bool InGripCorner(int X, int Y) const;
    void RestoreCursor();

    TCursor FOldCursor = crDefault;
};
