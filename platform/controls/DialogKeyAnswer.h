// Another object's answer to a control's dialog-key question (WantsKey), for as long as it is
// installed: an editor link makes a foreign control keep the arrows and Tab while it edits a cell
// and gives the control its own answer back when the edit ends.
#pragma once

#include "platform/controls/Controls.h"

#include <functional>

// Own is the control's own answer; the installed answer decides.
using TWantsKeyAnswer = std::function<bool(WORD Key, TShiftState Shift, bool Own)>;

// Replaces an answer installed before for the same control.
void InstallWantsKeyAnswer(TWinControl* Control, TWantsKeyAnswer Answer);
void RemoveWantsKeyAnswer(TWinControl* Control);
bool HasWantsKeyAnswer(const TWinControl* Control);
// The installed answer when there is one, else the control's own WantsKey.
bool ControlWantsKey(const TWinControl* Control, WORD Key, TShiftState Shift);
