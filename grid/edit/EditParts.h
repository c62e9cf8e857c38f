// Pieces shared by the stand-alone edit controls with a button inside their right edge (the spin
// edit and the edit with button).
#pragma once

#include "platform/controls/StdCtrls.h"
#include "platform/grid/Grid.h"

class QContextMenuEvent;

// The button colours the grid's colour tones write into the edit controls; clNone = not set.
struct TEditButtonColors {
    TColor ButtonColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonTextColorDown = clNone;
};

namespace esgedit
{

// A WM_KEYDOWN or WM_KEYUP sent or posted to a plain control runs that control's whole key protocol
// (OnKeyDown, dialog keys, the character, the Qt widget), just as a key typed on it would; the grid
// does the same for its own window. True when Message was a key message; other messages are left to
// the caller.
bool PerformKeyMessage(TWinControl* Control, const TMessage& Message);

// The border width of an edit: the window system's client area lies inside it.
int BorderWidth(const TEdit* Edit);
// The text height of a font, measured as on a screen device context.
int TextHeight(const TFont* Font);
// The text height of the screen's (the application's) font.
int ScreenTextHeight();

// The button inside the edit's right edge: with a border at the client's right, one pixel clear of
// it and of the bottom; without one flush with the top.
void PlaceButton(TEdit* Edit, TControl* Button);
// The text area between Left and Right of the client area (the edit's formatting rectangle).
void SetTextArea(TEdit* Edit, int Left, int Right);
int ClientWidthOf(const TEdit* Edit);

// Shortcuts that paste or cut (Ctrl+V, Shift+Insert, Ctrl+X, Shift+Delete).
bool IsPasteOrCutKey(WORD Key, TShiftState Shift);
// The edit's standard context menu with Cut and Paste disabled, for an edit that takes no typing.
void ContextMenuWithoutPaste(TEdit* Edit, QContextMenuEvent* Event);
// After a press on an inner button: FocusControl takes the focus when it can and does not have it;
// otherwise the holder itself, when it is a tab stop.
void FocusAfterButton(TWinControl* Holder, TWinControl* FocusControl);

} // namespace esgedit
