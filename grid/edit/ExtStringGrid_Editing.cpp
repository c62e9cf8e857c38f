// TExtStringGrid: editor kinds and the life of one edit (the order is written down in ExtGrid.h, at
// the editing section): may the editor show, open and hide it, the edit-text questions of the
// toolkit, the live write of the default editor and the posted end of an edit.
#include "grid/base/HtmlText.h"
#include "grid/core/ExtCGrid.h"
#include "grid/core/ExtGrid.h"
#include "grid/edit/ExtInplaceEdit.h"

bool TExtStringGrid::IsPlainEditor(TEditorType Kind)
{
    switch (Kind) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

TExtInplaceEdit* TExtStringGrid::NormalEdit() const
{
    return dynamic_cast<TExtInplaceEdit*>(FInplaceEdit);
}

TInplaceEdit* TExtStringGrid::CreateInplaceEditor()
{
    return new TExtInplaceEdit(this);
}

bool TExtStringGrid::EditorWantsTab() const
{
    return Options().Contains(goTabs) || OnCellValidate || OnCellValidateWide;
}

// ---- May the editor show -----------------------------------------------------------------------------

bool TExtStringGrid::CanShowEditor()
{
    // A special editor stays open and focused, also when a refused validation reopens the edit.
    if (FValidating || FSpecialEditor)
        return false;
    const bool can = TBaseGrid::CanShowEditor();
    if (IsDesignTime())
        return can;
    const TPoint base = BaseCell(RealCol(), Row());
    if (can && !EditMode && IsControlCell(base.X, base.Y))
        return false;
    if (can && !EditMode) {
        FNoEditChange = true;
        FCellCache = GetCurrentCellText();
        TEditorType kind = DefaultEditor;
        GetCellEditorType(base.X, base.Y, kind);
        EditControl = kind;
        if (kind == edNone) {
            FNoEditChange = false;
            return false;
        }
        // The edit begins: validation compares with the text the cell has now.
        if (!FEditing)
            StoreOldCell(Col(), Row());
        EditMode = true;
        if (IsPlainEditor(kind)) {
            FShowEditProcess = true;
        } else {
            ShowCellEditor(DisplColIndex(base.X), base.Y);
            FEntered = true;
            return false;
        }
    }
    if (can) {
        FEntered = true;
        FEditing = true;
    }
    return can;
}

// ---- Open and hide -----------------------------------------------------------------------------------

void TExtStringGrid::ShowInplaceEdit()
{
    if (IsControlCell(RealCol(), Row()))
        return;
    if (Row() < TopRow())
        TBaseGrid::SetTopRow(Row());
    if (Col() < LeftCol())
        SetLeftCol(Col());
    FEditText = Cells(RealCol(), Row());
    FEditStart = true;
    try {
        ShowEditor();
    } catch (...) {
        FEditStart = false;
        throw;
    }
    FEditStart = false;
}

void TExtStringGrid::HideInplaceEdit()
{
    if (!EditMode)
        return;
    HideEditor();
    EditorToCell(Col(), Row());
    EditMode = false;
    CanSelectCell(Col(), Row());
}

void TExtStringGrid::ShowCellEdit()
{
    Perform(WM_KEYDOWN, VK_F2, 0);
}

void TExtStringGrid::PostEditDone(int ACol, int ARow)
{
    if (ComponentState() & csDestroying)
        return;
    if (OnEditingDone)
        OnEditingDone(this);
    EditMode = false;
    PostMessage(Handle(), GridEditDoneMessage(), WPARAM(ACol), LPARAM(ARow));
}

void TExtStringGrid::DoneInplaceEdit(WORD Key, TShiftState Shift)
{
    FBlockFocus = true;
    FEditing = false;
    try {
        HideInplaceEdit();
        if (FNavigation->AppendOnArrowDown && Key == VK_DOWN && Row() == RowCount() - FixedFooters - 1)
            AppendRow();
        const bool alwaysEdit = FNavigation->AlwaysEdit;
        FNavigation->AlwaysEdit = false;
        if (Key == VK_TAB || (Key >= VK_LEFT && Key <= VK_DOWN)) {
            WORD k = Key;
            HandleKeyDown(k, Shift);
        }
        if (Widget() && Widget()->isVisible())
            SetFocus();
        if (Key == VK_RETURN)
            AdvanceAfterEdit(Col(), Row(), false, false, true, true, false);
        FNavigation->AlwaysEdit = alwaysEdit;
    } catch (...) {
        FBlockFocus = false;
        throw;
    }
    FBlockFocus = false;
}

// ---- Edit text -----------------------------------------------------------------------------------------

QString TExtStringGrid::ReadEditText(int ACol, int ARow)
{
    FNoEditChange = true;
    const int real = RealColIndex(ACol);
    if (TExtInplaceEdit* edit = NormalEdit()) {
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        GetCellAlignment(real, ARow, ha, va);
        edit->SetVAlign(ha == taRightJustify);
    }
    const TPoint b = BaseCell(real, ARow);
    QString text = TBaseGrid::ReadEditText(b.X, b.Y);
    if (!EditWithTags)
        text = HTMLToText(text);
    return text;
}

void TExtStringGrid::WriteEditText(int ACol, int ARow, const QString& Value)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    TBaseGrid::WriteEditText(b.X, b.Y, Value);
}

void TExtStringGrid::StoreEditText(int ACol, int ARow, const QString& Value)
{
    WriteEditText(DisplColIndex(ACol), ARow, Value);
    SetCellEx(ACol, ARow, Value);
}

void TExtStringGrid::RestoreCellFromCache()
{
    SetCellEx(RealCol(), Row(), FCellCache);
    // Read and written back unchanged, so the write notifications run.
    WriteEditText(Col(), Row(), GetCellEx(RealCol(), Row()));
}

void TExtStringGrid::SetEditorTextQuiet(const QString& Text)
{
    TExtInplaceEdit* edit = NormalEdit();
    if (!edit)
        return;
    const bool old = FNoEditChange;
    FNoEditChange = true;
    try {
        edit->SetText(Text);
    } catch (...) {
        FNoEditChange = old;
        throw;
    }
    FNoEditChange = old;
}

bool TExtStringGrid::EditChangeMessage(TMessage& Message)
{
    if (Message.Msg != WM_COMMAND || HiWord(Message.WParam) != EN_CHANGE)
        return false;
    // The editor's own change handling first (OnEditChange), then the cell follows the text.
    TBaseGrid::WindowProcedure(Message);
    TExtInplaceEdit* edit = NormalEdit();
    if (edit && Message.LParam == LPARAM(edit->Handle()) && EditMode && !FEditStart && !FNoEditChange &&
        !FReopening && IsPlainEditor(EditControl) && FInplaceCol >= 0)
        WriteEditText(Col(), Row(), edit->Text());
    return true;
}

// ---- Event hooks ---------------------------------------------------------------------------------------

void TExtStringGrid::DoCellChanging(int ACol, int ARow, bool& Allow)
{
    if (ARow != Row() && OnRowChanging)
        OnRowChanging(this, Row(), ARow, Allow);
    if (ACol != Col() && OnColChanging)
        OnColChanging(this, Col(), ACol, Allow);
    if ((ACol != Col() || ARow != Row()) && !FDisableChange && OnCellChanging)
        OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
}

void TExtStringGrid::DoGetEditorProp(int ACol, int ARow, TEditLink* AEditLink)
{
    if (OnGetEditorProp)
        OnGetEditorProp(this, ACol, ARow, AEditLink);
    if (OnGetEditorPropInt)
        OnGetEditorPropInt(this, ACol, ARow);
}
