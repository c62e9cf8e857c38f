// TGridCombo: keys, wheel, type-ahead and focus of the grid's combo editor.
#include "grid/edit/GridCombo.h"

#include "platform/controls/Messages.h"
#include "platform/core/StringList.h"

#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>

TExtStringGrid* WrapperGrid(TComponent* AOwner)
{
    auto* grid = dynamic_cast<TExtStringGrid*>(AOwner);
    if (!grid)
        throw EInvalidCast("Invalid class typecast");
    return grid;
}

void WrapperCursorWalk(TExtStringGrid* g, const QString& Text, bool Backward, void (*Focus)(TExtStringGrid*))
{
    const int col = g->Col();
    const int row = g->Row();
    const int next = Backward ? col - 1 : col + 1 + g->CellSpan(g->RealColIndex(col), row).X;
    const bool inRange = Backward ? col > g->FixedCols() : col < g->ColCount() - g->FixedRightCols - 1;
    if (inRange && next >= 0 && next < g->ColCount() && g->IsControlCell(g->RealColIndex(next), row)) {
        if (g->ValidateCell(Text)) {
            g->HideInplaceEdit();
            g->SetCol(next);
        }
        return;
    }
    Focus(g);
    TNavigation* nav = g->Navigation();
    const TAdvanceDirection dir = nav->AdvanceDirection();
    nav->SetAdvanceDirection(adLeftRight);
    try {
        g->AdvanceAfterEdit(col, row, true, false, !Backward, true, true);
    } catch (...) {
        nav->SetAdvanceDirection(dir);
        throw;
    }
    nav->SetAdvanceDirection(dir);
    if (nav->CursorWalkAlwaysEdit)
        g->ShowEditor();
}

TGridCombo::TGridCombo(TComponent* AOwner) : TGridEditorWrapper<TEsgComboBox>(AOwner)
{
    SetButtonWidth(DefaultButtonWidth);
}

template <class F> void TGridCombo::WithoutAlwaysEdit(F&& Run)
{
    TNavigation* nav = FGrid->Navigation();
    const bool always = nav->AlwaysEdit;
    nav->AlwaysEdit = false;
    try {
        Run();
    } catch (...) {
        nav->AlwaysEdit = always;
        throw;
    }
    nav->AlwaysEdit = always;
}

bool TGridCombo::WantsEditorKey(WORD Key) const
{
    // The arrows are the combo's too: the list moves, or they leave the cell through the grid.
    return TGridEditorWrapper<TEsgComboBox>::WantsEditorKey(Key) || IsArrowKey(Key);
}

// ---- Keys ----------------------------------------------------------------------------------------------

void TGridCombo::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    DeliverEndingChar(Key, [&] { KeyDownSteps(Key, Shift); });
}

bool TGridCombo::Commit(bool SelectAllOnRefusal)
{
    const QString text = Text();
    // A list-only combo without a selected item has nothing to write.
    const bool nothing = Style() == csDropDownList && ItemIndex() < 0;
    if (!nothing)
        FGrid->SetCurrentCellText(text);
    if (!FGrid->ValidateCell(nothing ? FGrid->GetCurrentCellText() : text)) {
        SetText(FGrid->FNewCellText);
        if (Style() != csDropDownList) {
            if (SelectAllOnRefusal)
                SelectAll();
            else
                SetSelStart(int(Text().size()));
        }
        Invalidate();
        return false;
    }
    if (Style() == csDropDownList) {
        const int i = Items->IndexOf(FGrid->GetCurrentCellText());
        if (i >= 0 || !SelectAllOnRefusal)
            SetItemIndex(i);
    } else {
        SetText(FGrid->GetCurrentCellText());
    }
    return true;
}

void TGridCombo::KeyDownSteps(WORD& Key, TShiftState Shift)
{
    Forced = false;
    const bool listMode = ListMode();
    const bool listOnly = Style() == csDropDownList;
    bool exitKey = false;
    switch (Key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
        exitKey = true;
        break;
    case VK_LEFT:
    case VK_RIGHT:
        exitKey = listMode;
        break;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
        exitKey = !listMode;
        break;
    case VK_UP:
    case VK_DOWN:
        exitKey = !listMode;
        break;
    default:
        break;
    }
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    TNavigation* nav = FGrid->Navigation();

    if ((Key == VK_UP || Key == VK_DOWN) && !DroppedDown() && !nav->ComboGetUpDown && !(Shift & ssAlt)) {
        if (listOnly) {
            // Out of a closed list combo: the value is stored and the current cell moves.
            FGrid->HideInplaceEdit();
            WithoutAlwaysEdit([&] { FGrid->SetFocus(); });
            WORD k = Key;
            FGrid->HandleKeyDown(k, Shift);
            Key = 0;
            return;
        }
        // Editable and closed: commit into the edited cell, then one move.
        if (!Commit(true)) {
            Key = 0;
            return;
        }
        FGrid->DoneInplaceEdit(Key, Shift);
        Key = 0;
        return;
    }
    if (Key == VK_DOWN && (Shift & ssAlt))
        exitKey = false;
    if (!exitKey) {
        TEsgComboBox::HandleKeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        // Cancel: the store that follows writes back what the cell holds.
        const QString cell = FGrid->GetCurrentCellText();
        if (listOnly)
            SetItemIndex(Items->IndexOf(cell));
        else
            SetText(cell);
        FGrid->FEditing = false;
        FGrid->HideInplaceEdit();
        FGrid->SetFocus();
        Key = 0;
        return;
    }
    if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        if (!Commit(true)) {
            Key = 0;
            return;
        }
    }
    if (Key == VK_TAB && FGrid->EditorWantsTab()) {
        if (!Commit(false)) {
            Key = 0;
            return;
        }
        if (FGrid->Options().Contains(goTabs)) {
            FGrid->HideInplaceEdit();
            FGrid->SetFocus();
            FGrid->AdvanceOnTab((Shift & ssShift) != 0);
            Key = 0;
            return;
        }
        PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, (Shift & ssShift) ? KF_SHIFTDOWN : 0);
    }
    if (listMode) {
        TMouseActions* mouse = FGrid->MouseActions();
        const bool direct = mouse->DirectComboClose;
        mouse->DirectComboClose = false;
        SetDroppedDown(false);
        try {
            FGrid->HideInplaceEdit();
        } catch (...) {
            mouse->DirectComboClose = direct;
            throw;
        }
        mouse->DirectComboClose = direct;
        if (Key == VK_LEFT || Key == VK_RIGHT) {
            WORD k = Key;
            FGrid->SetFocus();
            FGrid->HandleKeyDown(k, Shift);
            Key = 0;
        }
    } else if (Key == VK_END) {
        TEsgComboBox::HandleKeyDown(Key, Shift);
        return;
    }
    if (Key == 0)
        return;
    FGrid->DoneInplaceEdit(Key, Shift);
    if (nav->AdvanceOnEnter && nav->AdvanceAutoEdit)
        FGrid->ShowInplaceEdit();
    Key = 0;
    TEsgComboBox::HandleKeyDown(Key, Shift);
}

void TGridCombo::HandleKeyUp(WORD& Key, TShiftState Shift)
{
    TNavigation* nav = FGrid->Navigation();
    const bool editable = Style() == csDropDown;
    const bool noShift = (Shift & (ssShift | ssCtrl | ssAlt)) == 0;
    if (editable && nav->CursorWalkEditor && noShift && SelLength() == 0 && Visible()) {
        if (Key == VK_LEFT && SelStart() == 0) {
            Key = 0;
            CursorWalk(true);
        } else if (Key == VK_RIGHT && SelStart() == int(Text().size())) {
            Key = 0;
            CursorWalk(false);
        }
    }
    if (Key != VK_RETURN && Key != 0)
        TEsgComboBox::HandleKeyUp(Key, Shift);
    if (!IsDestroying())
        DoChange();
}

void TGridCombo::CursorWalk(bool Backward)
{
    WrapperCursorWalk(FGrid, Text(), Backward, [](TExtStringGrid* g) { g->SetFocus(); });
}

void TGridCombo::HandleKeyPress(char16_t& Key)
{
    const int before = ItemIndex();
    KeyPressToGrid(Key);
    if (Key == 27)
        Key = 0;
    if (Key == '\r' && OnReturnKey)
        OnReturnKey(this);
    if (Key == '\r' || Key == '\t')
        Key = 0;
    TEsgComboBox::HandleKeyPress(Key);
    if (Key >= 32 && Style() == csDropDownList && !IsDestroying()) {
        // Type-ahead of a list-only combo: the next item that starts with the character.
        const int n = Items->Count();
        for (int k = 1; k <= n; ++k) {
            const int i = (before + k + n) % n;
            if (Items->Strings(i).startsWith(QChar(Key), Qt::CaseInsensitive)) {
                if (i != before) {
                    SetItemIndex(i);
                    Notify(CBN_SELCHANGE);
                }
                break;
            }
        }
        Key = 0;
    }
    if (!IsDestroying() && ItemIndex() != before)
        FireComboChange(ItemIndex(), Text());
}

void TGridCombo::FireComboChange(int Index, const QString& Selection)
{
    const int col = FGrid->RealColIndex(FGrid->Col());
    const int row = FGrid->Row();
    if (FGrid->OnComboChange)
        FGrid->OnComboChange(FGrid, col, row, Index, Selection);
    if (FGrid->OnComboObjectChange)
        FGrid->OnComboObjectChange(FGrid, col, row, Index, Selection,
                                   Index >= 0 && Index < Items->Count() ? Items->Objects(Index) : nullptr);
}

// ---- Type-ahead and lookup history --------------------------------------------------------------------

void TGridCombo::DoChange()
{
    if (!WorkMode || !FGrid->Lookup || Style() == csDropDownList)
        return;
    const QString text = Text();
    const int selStart = SelStart();
    const bool cs = FGrid->LookupCaseSensitive;
    const QString typed = text.left(selStart);
    if (typed.isEmpty())
        return;
    const Qt::CaseSensitivity sense = cs ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int found = -1;
    QString item;
    for (int i = 0; i < Items->Count(); ++i)
        if (Items->Strings(i).startsWith(typed, sense)) {
            found = i;
            item = Items->Strings(i);
            break;
        }
    bool own = found >= 0;
    if (!own) {
        const TStringList* lookup = FGrid->LookupItems();
        for (int i = 0; i < lookup->Count(); ++i)
            if (lookup->Strings(i).startsWith(typed, sense)) {
                found = i;
                item = lookup->Strings(i);
                break;
            }
    }
    if (found < 0)
        return;
    const QString completed = (typed + item.mid(typed.size())).left(MaxCompletionLength);
    if (own) {
        SetItemIndex(found);
    }
    SetText(completed);
    if (QLineEdit* edit = LineEdit())
        edit->setSelection(int(completed.size()), -int(completed.size() - typed.size()));
    ItemIdx = found;
    ItemChange = true;
}

void TGridCombo::DoExit()
{
    const QString text = Text();
    if (FGrid->LookupHistory && !text.isEmpty() && Items->IndexOf(text) < 0)
        Items->Add(text);
    TGridEditorWrapper<TEsgComboBox>::DoExit();
}

void TGridCombo::Change()
{
    TEsgComboBox::Change();
    NotifyEditChange();
}

// ---- Focus ---------------------------------------------------------------------------------------------

void TGridCombo::HandleSetFocus()
{
    TEsgComboBox::HandleSetFocus();
    QLineEdit* edit = LineEdit();
    // The edit field of a focused combo selects its whole text, as the system's combo does.
    if (FGrid->Navigation()->EditSelectAll && edit)
        SelectAll();
    if (!FGrid->Navigation()->EditSelectAll && edit) {
        SetSelStart(int(Text().size()));
        SetSelLength(1);
    }
    if (FGrid->LButFlg && edit && Widget()) {
        const QPoint p = Widget()->mapFromGlobal(QCursor::pos());
        if (Widget()->rect().contains(p)) {
            const int pos = edit->cursorPositionAt(edit->mapFrom(Widget(), p));
            if (pos != -1) {
                edit->setCursorPosition(pos);
                FGrid->LButFlg = false;
            }
        }
    }
}

// ---- Wheel and messages --------------------------------------------------------------------------------

bool TGridCombo::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    TWMMouseWheel wheel;
    wheel.WheelDelta = WheelDelta;
    wheel.XPos = MousePos.X;
    wheel.YPos = MousePos.Y;
    (void)Shift;
    TMessage m = wheel.ToMessage();
    WindowProcedure(m);
    return true;
}

void TGridCombo::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_CHAR && Widget()) {
        // A replayed character (the one that opened the editor) is typed as the keyboard would.
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(char16_t(Message.WParam))));
        QCoreApplication::sendEvent(Widget(), &press);
        return;
    }
    WindowProcedure(Message);
}

void TGridCombo::WindowProcedure(TMessage& Message)
{
    if (Message.Msg != WM_MOUSEWHEEL) {
        TGridEditorWrapper<TEsgComboBox>::WndProc(Message);
        return;
    }
    const TWMMouseWheel wheel = TWMMouseWheel::From(Message);
    int i = ItemIndex();
    if (wheel.WheelDelta < 0) {
        if (i + 1 <= Items->Count() - 1)
            SetItemIndex(i + 1);
    } else if (i > 0) {
        SetItemIndex(i - 1);
    }
    i = ItemIndex();
    // Without a selected item the events report the text and no object.
    const QString selection = i >= 0 ? Items->Strings(i) : Text();
    const int col = FGrid->RealColIndex(FGrid->Col());
    if (FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, col, FGrid->Row(), selection);
    FireComboChange(i, selection);
    Message.Result = 0;
}

// ---- The shared list while open ------------------------------------------------------------------------

void TGridCombo::EditorTypeKeepingList(TExtStringGrid* Grid, int ACol, int ARow, TEditorType& AEditor)
{
    TGridCombo* combo = Grid->EditCombo;
    if (!combo) {
        Grid->GetCellEditorType(ACol, ARow, AEditor);
        return;
    }
    if (!combo->FStandIn) {
        combo->FStandIn = new TGridCombo(Grid);
        combo->FStandIn->FIsStandIn = true;
    }
    Grid->EditCombo = combo->FStandIn;
    try {
        Grid->GetCellEditorType(ACol, ARow, AEditor);
    } catch (...) {
        Grid->EditCombo = combo;
        throw;
    }
    Grid->EditCombo = combo;
}

// ---- Drop-down width -----------------------------------------------------------------------------------

void TGridCombo::SizeDropDownWidth()
{
    int w = Width();
    TCanvas* canvas = FGrid->Canvas;
    const bool scrollBar = Items->Count() > DropDownCount();
    for (int i = 0; i < Items->Count(); ++i) {
        const int t = canvas->TextWidth(Items->Strings(i));
        if (scrollBar) {
            if (t > w - 25)
                w = t + 25;
        } else if (t > w - 5) {
            w = t + 8;
        }
    }
    SetDroppedWidth(w);
}
