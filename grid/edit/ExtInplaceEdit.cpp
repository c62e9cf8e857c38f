// TExtInplaceEdit: the default in-place editor of the string grid.
#include "grid/edit/ExtInplaceEdit.h"

#include "grid/base/CellText.h"
#include "grid/base/NumberText.h"
#include "grid/core/ExtGrid.h"
#include "platform/core/SysUtils.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

TExtInplaceEdit::TExtInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner)
{
    // The grid decides the selection when the editor takes the focus.
    AutoSelect = false;
}

TExtStringGrid* TExtInplaceEdit::ExtGrid() const
{
    return dynamic_cast<TExtStringGrid*>(Grid());
}

bool TExtInplaceEdit::Live() const
{
    TExtStringGrid* g = ExtGrid();
    return g && !(g->ComponentState() & csDestroying) && !IsDestroying();
}

void TExtInplaceEdit::SetVAlign(bool Value)
{
    FValign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
}

void TExtInplaceEdit::SetLengthLimit(int Value)
{
    FLengthLimit = Value;
    const int max = Value > 0 ? Value : 0;
    if (MaxLength() == max)
        return;
    // The line edit sets its text again for a new limit, which drops the selection.
    const int start = SelStart();
    const int length = SelLength();
    SetMaxLength(max);
    SetSelStart(std::min(start, int(Text().size())));
    SetSelLength(length);
}

// ---- Load and place ----------------------------------------------------------------------------------

void TExtInplaceEdit::UpdateContents()
{
    TExtStringGrid* g = ExtGrid();
    if (!Live()) {
        TInplaceEdit::UpdateContents();
        return;
    }
    // Loading is not a change of the user's: neither OnEditChange nor the live write.
    const bool oldNoChange = g->FNoEditChange;
    g->FNoEditChange = true;
    SetPasswordChar(g->EditControl == edPassword ? g->PasswordChar : QChar());
    try {
        TInplaceEdit::UpdateContents();
    } catch (...) {
        g->FNoEditChange = oldNoChange;
        throw;
    }
    g->FNoEditChange = false;
    FColE = g->Col();
    FRowE = g->Row();
    SetLengthLimit(g->ReadEditLimit());
    g->DoGetEditorProp(FColE, FRowE, nullptr);
}

void TExtInplaceEdit::BoundsChanged()
{
    // One pixel inside the cell's right and bottom lines; the text 3 pixels from the left edge.
    const TRect r = CellRect();
    SetBounds(r.Left, r.Top, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1));
    if (QLineEdit* e = LineEdit())
        e->setTextMargins(3, 0, 2, 0);
}

// ---- Focus -------------------------------------------------------------------------------------------

void TExtInplaceEdit::HandleSetFocus()
{
    TInplaceEdit::HandleSetFocus();
    if (!Live())
        return;
    TExtStringGrid* g = ExtGrid();
    FGotFocus = true;
    g->FNoEditChange = false;
    SetLengthLimit(g->ReadEditLimit());
    if (IsMasked() && g->Navigation()->ImproveMaskSel && !g->LButFlg) {
        SetSelStart(0);
        SetSelLength(1);
        return;
    }
    if (!g->Navigation()->EditSelectAll)
        SetSelStart(Text().size());
    if (g->LButFlg) {
        QLineEdit* e = LineEdit();
        const QPoint p = e->mapFromGlobal(QCursor::pos());
        if (e->rect().contains(p))
            e->setCursorPosition(e->cursorPositionAt(p));
        g->LButFlg = false;
    }
}

void TExtInplaceEdit::HandleKillFocus()
{
    if (!Live()) {
        TInplaceEdit::HandleKillFocus();
        return;
    }
    TExtStringGrid* g = ExtGrid();
    g->FStartEditChar = QChar();
    if (g->LookupHistory && !Text().isEmpty() && g->LookupItems()->IndexOf(Text()) < 0)
        g->LookupItems()->Add(Text());
    g->EditorFormulaMode(false);
    TInplaceEdit::HandleKillFocus();
    // A refusal hides and reopens the editor: the edit goes on.
    if (g->FReopening)
        return;
    const bool toGrid = QApplication::focusWidget() == g->Widget();
    if (!toGrid) {
        // The focus left the grid: the edit ends here, validated first.
        try {
            g->ValidateCell(Text());
            g->SetEditorTextQuiet(g->GetCurrentCellText());
        } catch (...) {
            g->HideInplaceEdit();
            g->FEditing = false;
            g->EditMode = false;
            throw;
        }
        g->HideInplaceEdit();
        g->FEditing = false;
        g->EditMode = false;
        if (FColE >= 0 && FColE < g->ColCount() && FRowE >= 0 && FRowE < g->RowCount())
            g->CanSelectCell(FColE, FRowE);
    }
    if (!Live())
        return;
    g->SetEditorTextQuiet(g->GetCurrentCellText());
    g->EditorCaretMoved(Text(), TPoint(-1, -1), -1);
    if (FGotFocus) {
        FGotFocus = false;
        g->PostEditDone(g->RealColIndex(std::max(FColE, 0)), std::max(FRowE, 0));
    }
}

// ---- Change --------------------------------------------------------------------------------------------

void TExtInplaceEdit::HandleChange()
{
    TInplaceEdit::HandleChange();
    if (!Live())
        return;
    TExtStringGrid* g = ExtGrid();
    if (!g->FNoEditChange && g->OnEditChange)
        g->OnEditChange(g, g->Col(), g->Row(), Text());
}

// ---- Keys ------------------------------------------------------------------------------------------------

bool TExtInplaceEdit::WantsKey(WORD Key, TShiftState Shift) const
{
    if (Key == VK_TAB && !(Shift & (ssCtrl | ssAlt)) && Live() && ExtGrid()->EditorWantsTab())
        return true;
    return TInplaceEdit::WantsKey(Key, Shift);
}

void TExtInplaceEdit::SelectAfterRefusal()
{
    if (ExtGrid()->Navigation()->EditSelectAll)
        SelectAll();
    else
        SetSelStart(Text().size());
}

void TExtInplaceEdit::HandleWMKeyDown(TWMKey& Message)
{
    if (!Live()) {
        TInplaceEdit::HandleWMKeyDown(Message);
        return;
    }
    TExtStringGrid* g = ExtGrid();
    const WORD key = Message.CharCode;
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    const bool ctrl = shift & ssCtrl;
    FOldSelStart = SelStart();
    FEnterValidated = false;
    FEnterRefused = false;
    const QString t = Text();

    if (key == VK_ESCAPE) {
        // The cell keeps its old text; the key goes on to the grid (OnKeyPress).
        g->SetEditorTextQuiet(g->FCellCache);
        g->HideInplaceEdit();
    } else if (key == 'A' && ctrl && !(shift & ssAlt)) {
        SelectAll();
        Message.CharCode = 0;
        return;
    } else if (key == VK_RETURN && ctrl &&
               !(g->Navigation()->AllowCtrlEnter && (g->WordWrap() || g->Multilinecells))) {
        Message.CharCode = 0;
        return;
    } else if (key == VK_TAB && !(shift & (ssCtrl | ssAlt)) && g->EditorWantsTab()) {
        if (g->ValidateCell(t)) {
            g->SetEditorTextQuiet(g->FNewCellText);
            g->HideInplaceEdit();
            if (g->Options().Contains(goTabs))
                g->AdvanceOnTab(shift & ssShift);
            else
                PostMessage(g->Handle(), WM_KEYDOWN, VK_TAB, (shift & ssShift) ? KF_SHIFTDOWN : 0);
        } else {
            g->SetEditorTextQuiet(g->FNewCellText);
            SelectAfterRefusal();
        }
        Message.CharCode = 0;
        return;
    } else if (((key == 'C' || key == VK_INSERT) && ctrl && !(shift & ssShift)) ||
               ((key == 'X' && ctrl) || (key == VK_DELETE && (shift & ssShift) && !ctrl)) ||
               ((key == 'V' && ctrl) || (key == VK_INSERT && (shift & ssShift) && !ctrl))) {
        if (key == 'V' || (key == VK_INSERT && (shift & ssShift)))
            HandleWMPaste();
        else if (key == 'X' || key == VK_DELETE)
            HandleWMCut();
        else
            HandleWMCopy();
        Message.CharCode = 0;
        return;
    } else if (key == VK_UP || key == VK_DOWN) {
        // One line: Up and Down always leave the text.
        g->FValidating = true;
        g->SetCurrentCellText(t);
        g->FValidating = false;
        if (!g->ValidateCell(t)) {
            g->SetEditorTextQuiet(g->FNewCellText);
            SelectAfterRefusal();
            Message.CharCode = 0;
            return;
        }
        g->SetEditorTextQuiet(g->FNewCellText);
    } else if (key == VK_RETURN && !ctrl && !g->Navigation()->LineFeedOnEnter) {
        FEnterValidated = true;
        if (!g->ValidateCell(t)) {
            FEnterRefused = true;
            g->SetEditorTextQuiet(g->FNewCellText);
            SelectAfterRefusal();
            // The character stage still comes and drops the key.
            Message.CharCode = 0;
            return;
        }
        g->SetEditorTextQuiet(g->FNewCellText);
    } else if (key == VK_HOME && !(shift & (ssCtrl | ssShift))) {
        SetSelStart(0);
        Message.CharCode = 0;
        return;
    } else if (key == VK_END && !(shift & (ssCtrl | ssShift))) {
        SetSelStart(Text().size());
        Message.CharCode = 0;
        return;
    }
    TInplaceEdit::HandleWMKeyDown(Message);
    if ((key == VK_UP || key == VK_DOWN) && Live() && g->MouseActions()->DisjunctRowSelect()) {
        g->ClearRowSelect();
        g->SetRowSelect(g->Row(), true);
    }
}

void TExtInplaceEdit::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    FSelKeyDown = SelStart();
    if (Key == VK_BACK || Key == VK_DELETE)
        Workmode = false;
    else if (Key != VK_SHIFT && Key != VK_CONTROL && Key != VK_MENU)
        Workmode = true;
    if (Live()) {
        TExtStringGrid* g = ExtGrid();
        if (Key == VK_RETURN && !g->Navigation()->AllowCtrlEnter && (g->WordWrap() || g->Multilinecells))
            g->FEditing = false;
        g->EditorKeyDown(Key, Shift);
    }
    if (Key)
        TInplaceEdit::HandleKeyDown(Key, Shift);
}

void TExtInplaceEdit::HandleKeyUp(WORD& Key, TShiftState Shift)
{
    TInplaceEdit::HandleKeyUp(Key, Shift);
    if (!Live())
        return;
    DoChange();
    TExtStringGrid* g = ExtGrid();
    if (g->SizeWhileTyping()->Width)
        g->FitColWidth(g->Col(), true);
}

void TExtInplaceEdit::HandleKeyPress(char16_t& Key)
{
    if (Live() && Key == 13 && !ExtGrid()->Navigation()->LineFeedOnEnter) {
        TExtStringGrid* g = ExtGrid();
        // The key-down stage of this Enter validated already: one key, one validation.
        const bool refused = FEnterValidated ? FEnterRefused : !g->ValidateCell(Text());
        FEnterValidated = false;
        if (refused) {
            if (!FEnterRefused)
                g->SetEditorTextQuiet(g->GetCurrentCellText());
            FEnterRefused = false;
            Key = 0;
            return;
        }
    }
    TInplaceEdit::HandleKeyPress(Key);
}

// ---- Characters ------------------------------------------------------------------------------------------

namespace
{

enum TCharVerdict { cvAccept, cvDrop, cvBeep };

bool IsControlChar(char16_t Ch)
{
    return Ch == 8 || Ch == 9 || Ch == 13 || Ch == 27;
}

} // namespace

void TExtInplaceEdit::Insert(const QString& S)
{
    QLineEdit* e = LineEdit();
    if (e->isReadOnly())
        return;
    e->insert(S);
}

void TExtInplaceEdit::HandleWMChar(TWMKey& Message)
{
    if (!Live()) {
        TInplaceEdit::HandleWMChar(Message);
        return;
    }
    TExtStringGrid* g = ExtGrid();
    char16_t ch = Message.CharCode;
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    const bool ctrl = shift & ssCtrl;
    const TEditorType kind = g->EditControl;
    const QString text = Text();
    const TFormatSettings& fs = FormatSettings();

    if (g->ExcelStyleDecimalSeparator && ch == '.' && (Message.KeyData & 0x400000))
        ch = fs.DecimalSeparator.unicode();
    if ((ch == 1 && ctrl) ||
        (ch == 10 && ctrl && !(g->Navigation()->AllowCtrlEnter && (g->WordWrap() || g->Multilinecells)))) {
        Message.CharCode = 0;
        return;
    }
    if (FLengthLimit > 0 && text.size() >= FLengthLimit && SelLength() == 0 && ch != 8 && ch != 27 &&
        ch != 13) {
        Message.CharCode = 0; // silently: the limit is no error
        return;
    }

    TCharVerdict verdict = cvAccept;
    QChar typed(ch);
    const bool control = IsControlChar(ch);
    const bool digit = ch >= '0' && ch <= '9';
    switch (kind) {
    case edNormal:
    case edPassword:
        break;
    case edNumeric:
        if (!(control || digit))
            verdict = ch == '-' && !text.contains('-') && SelStart() == 0 ? cvAccept : cvBeep;
        break;
    case edPositiveNumeric:
        if (!(control || digit))
            verdict = cvBeep;
        break;
    case edFloat:
    case edPositiveFloat: {
        const bool minus = ch == '-' && kind == edFloat;
        if (control || digit || minus || ch == ',' || ch == '.') {
            const QString sel = SelText();
            if (typed == fs.DecimalSeparator && text.contains(fs.DecimalSeparator) &&
                !sel.contains(fs.DecimalSeparator))
                verdict = cvDrop;
            else if (typed == fs.ThousandSeparator)
                verdict = cvDrop;
            else if (minus && (SelStart() != 0 || text.contains('-')) && !sel.contains('-'))
                verdict = cvBeep;
        } else if (!ctrl) {
            verdict = cvDrop;
        }
        break;
    }
    case edCapital:
    case edUpperCase:
        typed = typed.toUpper();
        break;
    case edLowerCase:
        typed = typed.toLower();
        break;
    case edMixedCase:
        break;
    case edValidChars:
        if (!(ch == 8 || ch == 13)) {
            const bool ok = g->ValidChars.isEmpty() ? ch >= 32 && ch <= 255 : g->ValidChars.contains(typed);
            if (!ok)
                verdict = cvBeep;
        }
        break;
    default:
        verdict = cvDrop;
        break;
    }
    if (verdict == cvBeep)
        MessageBeep(0);
    if (verdict != cvAccept) {
        Message.CharCode = 0;
        return;
    }

    if (kind == edMixedCase && !control) {
        // The key stage first (OnKeyPress may change or drop it), then the whole text in mixed case.
        char16_t k = ch;
        gridinput::DoKeyPress(this, k);
        if (k) {
            const int caret = SelStart();
            Insert(QString(QChar(k)));
            const bool quiet = g->FNoEditChange;
            SetText(ToMixedCase(Text()));
            g->FNoEditChange = quiet;
            SetSelStart(caret + 1);
        }
        Message.CharCode = 0;
    } else if (typed.unicode() != ch) {
        char16_t k = typed.unicode();
        gridinput::DoKeyPress(this, k);
        if (k)
            Insert(QString(QChar(k)));
        Message.CharCode = 0;
    } else {
        Message.CharCode = ch;
        TInplaceEdit::HandleWMChar(Message);
    }

    if (!Live())
        return;
    const int max = g->MaxEditLength;
    if (g->Navigation()->AdvanceAuto() && g->Navigation()->AdvanceOnEnter && max > 0 &&
        Text().size() == max && SelLength() == 0 && SelStart() == Text().size() && !control) {
        char16_t enter = 13;
        g->HandleKeyPress(enter);
    }
}

// ---- Lookup --------------------------------------------------------------------------------------------

void TExtInplaceEdit::DoChange()
{
    TExtStringGrid* g = ExtGrid();
    if (!Workmode || SelLength() > 0 || !g->Lookup || g->LookupItems()->Count() == 0)
        return;
    const bool cs = g->LookupCaseSensitive;
    QString typed = Text().left(SelStart());
    if (typed.isEmpty())
        return;
    if (!cs)
        typed = typed.toUpper();
    TStringList* items = g->LookupItems();
    for (int i = 0; i < items->Count(); ++i) {
        const QString item = items->Strings(i);
        if (!(cs ? item : item.toUpper()).startsWith(typed))
            continue;
        const int n = typed.size();
        const QString completed = Text().left(n) + item.mid(n, 255);
        SetText(completed);
        SetSelStart(n);
        SetSelLength(completed.size() - n);
        return;
    }
}

// ---- Clipboard -----------------------------------------------------------------------------------------

void TExtInplaceEdit::HandleWMCopy()
{
    TExtStringGrid* g = ExtGrid();
    bool allow = true;
    if (g && g->OnClipboardCopy)
        g->OnClipboardCopy(this, allow);
    if (allow)
        LineEdit()->copy();
}

void TExtInplaceEdit::HandleWMCut()
{
    TExtStringGrid* g = ExtGrid();
    bool allow = true;
    if (g && g->OnClipboardCut)
        g->OnClipboardCut(this, allow);
    if (allow)
        LineEdit()->cut();
}

void TExtInplaceEdit::HandleWMPaste()
{
    TExtStringGrid* g = ExtGrid();
    if (!Live())
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    bool allow = data && data->hasText();
    QString s = allow ? data->text() : QString();
    if (g->OnClipboardPaste)
        g->OnClipboardPaste(this, allow);
    if (allow && g->OnClipboardBeforePasteCell)
        g->OnClipboardBeforePasteCell(this, g->Col(), g->Row(), s, allow);
    if (!allow || (FLengthLimit >= 1 && s.size() > FLengthLimit))
        return;
    if (s.endsWith(QLatin1String("\r\n")) && s.indexOf(QLatin1String("\r\n")) == s.size() - 2)
        s.chop(2);
    const QString text = Text();
    const bool hadSelection = SelLength() > 0;
    const int start = SelStart();
    const QString merged = text.left(start) + s + text.mid(start + SelLength());
    if (FLengthLimit < 1 || merged.size() <= FLengthLimit) {
        const bool minus = merged.contains('-');
        QString result;
        bool ok = true;
        switch (g->EditControl) {
        case edNumeric:
        case edPositiveNumeric:
            ok = NumberTextKind(merged) == 0 && (!minus || g->EditControl == edNumeric);
            result = merged;
            break;
        case edFloat:
        case edPositiveFloat:
            ok = NumberTextKind(merged) < 2 && (!minus || g->EditControl == edFloat);
            result = merged;
            break;
        case edMixedCase:
            result = ToMixedCase(merged);
            break;
        case edLowerCase:
            result = merged.toLower();
            break;
        case edCapital:
        case edUpperCase:
            result = merged.toUpper();
            break;
        case edValidChars:
            for (QChar c : merged)
                ok = ok && g->ValidChars.contains(c);
            result = merged;
            break;
        default:
            result = merged;
            break;
        }
        if (ok) {
            SetText(result);
            if (hadSelection) {
                SetSelStart(start);
                SetSelLength(s.size());
            } else {
                SetSelStart(start + s.size());
            }
        }
    }
    g->SetCurrentBaseCell(Text());
    if (g->OnClipboardAfterPasteCell)
        g->OnClipboardAfterPasteCell(this, g->Col(), g->Row(), Text());
}
