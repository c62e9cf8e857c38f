// The small top-level windows the string grid puts on the screen: the picture of dragged cells
// (TNoActiveForm), the floating header of a column or row move (THeaderDragButton), the cell balloon
// (TBalloonWindow) and the drop source that moves the drag pictures along with an OLE drag.
//
// All of them are frameless, stay on top and show without taking the activation, so the form that
// holds the grid keeps its focus while they follow the mouse.
#pragma once

#include "grid/base/GridDragDrop.h"
#include "platform/controls/Forms.h"

#include <QPointer>

class QTimer;
class TExtStringGrid;
class TImage;

// A form that never takes the activation: frameless, on top, semi-transparent. Show() shows it
// without activating it.
class TNoActiveForm : public TForm
{
  public:
    explicit TNoActiveForm(TComponent* AOwner);
    void SetVisible(bool Value) override;
    // 0 transparent .. 255 opaque.
    uint8_t Alpha() const { return FAlpha; }
    void SetAlpha(uint8_t Value);
    // The client-aligned picture (the selection picture of SelectionToForm).
    TImage* Image() const { return FImage; }

  private:
    uint8_t FAlpha = 255;
    TImage* FImage = nullptr;
};

// The floating header shown while a column or row header is dragged: the fixed-cell look of the grid
// with the caption centred on one line (cut with an ellipsis), or drawn as mini-HTML when it holds an
// end tag.
class THeaderDragButton : public TCustomControl
{
  public:
    explicit THeaderDragButton(TComponent* AOwner);
    TExtStringGrid* Grid() const { return FGrid; }
    void SetGrid(TExtStringGrid* Value) { FGrid = Value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Flat = false;

  protected:
    void Paint() override;
    void ApplyVisible() override;

  private:
    TExtStringGrid* FGrid = nullptr;
    QString FCaption;
};

// The balloon of a grid: a hover window with an icon, a bold title and the text (at most 300 pixels
// wide). Protocol: while Active it watches the mouse over the grid; when the mouse rests for
// InitialDelay (ReshowDelay right after another balloon) it asks the grid for the cell's text
// (BalloonNeedText) and shows it below the mouse when the text is not empty; it hides after
// AutoHideDelay, when the mouse leaves the grid, and on Pop (the grid's TTM_POP when the pointer
// reaches another cell). Delays of -1 take the toolkit's hint timings.
class TBalloonWindow : public TCustomControl
{
  public:
    static constexpr int MaxTipWidth = 300;
    TBalloonWindow(TComponent* AOwner, TExtStringGrid* AGrid);
    ~TBalloonWindow() override;

    int InitialDelay = -1;
    int ReshowDelay = -1;
    int AutoHideDelay = -1;
    // clNone: the hint colours of the system.
    TColor BackgroundColor = clNone;
    TColor TextColor = clNone;
    uint8_t Alpha() const { return FAlpha; }
    void SetAlpha(uint8_t Value);

    // Asks the grid for the text of the cell under ClientPos and shows it; false when the text is
    // empty (nothing shows).
    bool ShowFor(TPoint ClientPos);
    // Hides the balloon; the next rest asks again.
    void Pop();
    bool Showing() const;
    QString Title() const { return FTitle; }
    QString Text() const { return FText; }
    int Icon() const { return FIcon; }

  protected:
    void Paint() override;
    void ApplyVisible() override;

  private:
    class TWatcher;
    void MouseMoved(TPoint ClientPos);
    void MouseLeft();
    int Delay(int Value, int Toolkit) const;
    // The layout of the current texts: icon and title line, text block, window size.
    void Layout(int& TitleHeight, TRect& TextRect, int& Width, int& Height);

    TExtStringGrid* FGrid;
    std::unique_ptr<TWatcher> FWatcher;
    QTimer* FRestTimer = nullptr; // children of the window
    QTimer* FHideTimer = nullptr;
    TPoint FRestPos;
    bool FRecentlyShown = false;
    uint8_t FAlpha = 255;
    QString FTitle;
    QString FText;
    int FIcon = 1;
};

// The drop source of an OLE drag out of the grid: the drag picture follows the cursor (the cells
// picture 4 pixels right of and below it, the header button with its bottom-left corner at it), the
// last copy or move effect is kept, and the cells picture goes when the drag ends.
class TGridDropSource : public TESGDropSource
{
  public:
    explicit TGridDropSource(TExtStringGrid* AGrid);
    DWORD LastEffect() const { return FLastEffect; }

  protected:
    void EndDragDrop() override;
    void CurrentEffect(DWORD Effect) override;
    void QueryDrag() override;

  private:
    QPointer<QObject> FGridAlive;
    TExtStringGrid* FGrid;
    DWORD FLastEffect = DROPEFFECT_NONE;
};
