// The search footer's strip at the bottom of a string grid: TRetEdit, the edit that reports Return,
// and TSearchPanel, which hosts and lays out the edit, the find-next, find-previous, highlight and
// close buttons and the match-case check box and forwards their clicks as events. The search logic is
// the grid's (its five search footer handlers, hooked by the grid's constructor); the grid copies its
// SearchFooter settings onto the panel whenever they change.
#pragma once

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

class TExtStringGrid;
class TExtGridButton;
class TExtCheckBox;

// A single-line edit that takes Return itself: Return fires OnCtrlReturn with Control held, else
// OnReturn, and goes no further (no default button); the characters 13 and 10 reach OnKeyPress only.
class TRetEdit : public TEdit
{
  public:
    explicit TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}

    TNotifyEvent OnReturn;
    TNotifyEvent OnCtrlReturn;

    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyPress(char16_t& Key) override;
};

// Layout (pixels, made when the window is created; mirrored for a right-to-left grid except for the
// check box): edit 25/6/110; forward 140/5/90/23; backward 235/5/90/23; close 5/7/14/14; highlight
// 330/5/90/23 (a toggle); match case at 425, or 330 without the highlight button, top 8.
class TSearchPanel : public TPanel
{
  public:
    explicit TSearchPanel(TExtStringGrid* AOwner);
    ~TSearchPanel() override;

    TExtStringGrid* Grid() const { return FGrid; }
    TRetEdit* Edit() const { return FEdit; }
    TExtGridButton* ForwardButton() const { return FForwardButton; }
    TExtGridButton* BackwardButton() const { return FBackwardButton; }
    TExtGridButton* ExitButton() const { return FExitButton; }
    TExtGridButton* HiliteButton() const { return FHiliteButton; }
    TExtCheckBox* MatchCase() const { return FMatchCase; }

    // End colour of the background gradient; clNone fills with Color.
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);

    // Texts kept in the panel and written onto their controls.
    void SetFindNextCaption(const QString& Value);
    void SetFindPrevCaption(const QString& Value);
    void SetMatchCaseCaption(const QString& Value);
    void SetHighLightCaption(const QString& Value);
    void SetHints(const QString& FindNext, const QString& FindPrev, const QString& Close,
                  const QString& Highlight);
    // The check box's left: 425 beside a visible highlight button, else 330.
    void PlaceMatchCase();

    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnEditChange;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighlightClick;

  protected:
    // Lays the controls out, then the grid's OnCreatedSearchFooter.
    void CreateWnd() override;
    void Paint() override;

  private:
    void EditChanged();
    void ApplyTexts();

    TExtStringGrid* FGrid;
    TRetEdit* FEdit;
    TExtGridButton* FForwardButton;
    TExtGridButton* FBackwardButton;
    TExtGridButton* FExitButton;
    TExtGridButton* FHiliteButton;
    TExtCheckBox* FMatchCase;
    TColor FColorTo = clNone;
    QString FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHighLightCaption;
    QString FHintFindNext, FHintFindPrev, FHintClose, FHintHighlight;
};
