// TCustomGrid's in-place editor protocol (see TCustomGrid::ShowEditor) and the edit-text questions
// of the draw grid and the string grid.
#include "platform/grid/InplaceEdit.h"
#include "platform/grid/StringGrid.h"

// ---- Editor mode -----------------------------------------------------------------------------------

void TCustomGrid::SetEditorMode(bool Value)
{
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
    // Loaded but out of view: the cell comes into view, and the editor with it.
    if (FInplaceEdit && FInplaceCol == Col() && FInplaceRow == Row() && !FInplaceEdit->Visible())
        ClampInView(FCurrent);
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::ShowEditorChar(char16_t Ch)
{
    ShowEditor();
    // Posted, so that the character arrives after the key that opened the editor is done.
    if (FInplaceEdit && FInplaceCol >= 0 && FInplaceEdit->Visible())
        PostMessage(FInplaceEdit->Handle(), WM_CHAR, WPARAM(Ch), 0);
}

void TCustomGrid::InvalidateEditor()
{
    FInplaceCol = -1;
    FInplaceRow = -1;
    UpdateEdit();
    // An editor that may not show now keeps no stale text in view.
    if (FInplaceEdit && FInplaceCol < 0 && FInplaceEdit->Visible())
        FInplaceEdit->Hide();
}

// ---- Show, load, write back ------------------------------------------------------------------------

void TCustomGrid::UpdateEdit()
{
    if (!CanShowEditor())
        return;
    if (!FInplaceEdit) {
        TInplaceEdit* editor = CreateInplaceEditor();
        editor->SetVisible(false);
        editor->SetTabStop(false); // reached through the grid, never by Tab
        editor->SetParent(this);
        FInplaceEdit = editor;
    }
    if (FInplaceCol != Col() || FInplaceRow != Row()) {
        if (FInplaceCol >= 0) {
            HideEdit();
            // The write-back may have run code that changed the grid's mind.
            if (!FInplaceEdit || !CanShowEditor())
                return;
        }
        FInplaceCol = Col();
        FInplaceRow = Row();
        FInplaceEdit->UpdateContents();
        FInplaceEdit->SelectAll();
    }
    PlaceEditor();
}

void TCustomGrid::PlaceEditor()
{
    if (!FInplaceEdit || FInplaceCol < 0 || (ComponentState() & csDestroying))
        return;
    const TRect r = CellRect(FInplaceCol, FInplaceRow);
    if (!r.IsEmpty())
        FInplaceEdit->Move(r);
    else if (FInplaceEdit->Visible())
        FInplaceEdit->Hide(); // loaded still: it comes back with its text when the cell does
}

void TCustomGrid::DropEdit()
{
    if (!FInplaceEdit || FInplaceCol < 0)
        return;
    FInplaceCol = -1;
    FInplaceRow = -1;
    if (FInplaceEdit->Visible())
        FInplaceEdit->Hide();
}

void TCustomGrid::HideEdit()
{
    if (!FInplaceEdit)
        return;
    const int c = FInplaceCol;
    const int r = FInplaceRow;
    // Read before hiding: losing the focus may make a subclass reload the editor.
    const QString text = FInplaceEdit->Text();
    // Unloaded first, so that the write below can neither reload nor write twice.
    FInplaceCol = -1;
    FInplaceRow = -1;
    if (FInplaceEdit->Visible())
        FInplaceEdit->Hide();
    if (c >= 0) {
        InvalidateCell(c, r);
        WriteEditText(c, r, text);
    }
}

void TCustomGrid::UpdateText()
{
    if (FInplaceEdit && FInplaceCol >= 0)
        WriteEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

// ---- Questions -------------------------------------------------------------------------------------

bool TCustomGrid::CanShowEditor()
{
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
           !(ComponentState() & (csDesigning | csDestroying)) && Widget() &&
           (FOptions.Contains(goAlwaysShowEditor) || GridFocused());
}

TInplaceEdit* TCustomGrid::CreateInplaceEditor()
{
    return new TInplaceEdit(this);
}

QString TCustomGrid::ReadEditText(int, int)
{
    return QString();
}

void TCustomGrid::WriteEditText(int, int, const QString&) {}

int TCustomGrid::ReadEditLimit()
{
    return 0;
}

QString TCustomGrid::ReadEditMask(int, int)
{
    return QString();
}

bool TCustomGrid::CanEditAcceptKey(char16_t)
{
    return true;
}

bool TCustomGrid::CanEditModify()
{
    return true;
}

// ---- TCustomDrawGrid, TStringGrid ------------------------------------------------------------------

QString TCustomDrawGrid::ReadEditMask(int ACol, int ARow)
{
    QString mask;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, mask);
    return mask;
}

QString TCustomDrawGrid::ReadEditText(int ACol, int ARow)
{
    QString text;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TCustomDrawGrid::WriteEditText(int ACol, int ARow, const QString& Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

QString TStringGrid::ReadEditText(int ACol, int ARow)
{
    QString text = Cells(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TStringGrid::WriteEditText(int ACol, int ARow, const QString& Value)
{
    if (Cells(ACol, ARow) != Value) {
        ++FEditUpdate;
        try {
            SetCells(ACol, ARow, Value);
        } catch (...) {
            --FEditUpdate;
            throw;
        }
        --FEditUpdate;
    }
    TDrawGrid::WriteEditText(ACol, ARow, Value);
}
