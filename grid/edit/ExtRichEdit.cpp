// TExtRichEdit: the grid's hidden converter and its in-place rich editor.
#include "grid/edit/ExtRichEdit.h"

#include "grid/core/ExtGrid.h"
#include "grid/core/ExtGridSettings.h"

#include <QTextCursor>
#include <QTextEdit>

namespace
{
// The offsets of sub- and superscript, in twips.
constexpr int SubscriptOffset = -40;
constexpr int SuperscriptOffset = 40;
// Room the in-place editor and its row keep under the requested height.
constexpr int RowGrowSlack = 5;
constexpr int EditorExtraHeight = 9;
constexpr int RowExtraHeight = 10;
} // namespace

TExtRichEdit::TExtRichEdit(TComponent* AOwner)
    : TRichEdit(AOwner), FGrid(dynamic_cast<TExtStringGrid*>(AOwner))
{
}

void TExtRichEdit::SelNormal()
{
    SelAttributes->SetOffset(0);
}

void TExtRichEdit::SelSubscript()
{
    SelAttributes->SetOffset(SubscriptOffset);
}

void TExtRichEdit::SelSuperscript()
{
    SelAttributes->SetOffset(SuperscriptOffset);
}

bool TExtRichEdit::IsSelNormal() const
{
    return SelAttributes->Offset() == 0;
}

bool TExtRichEdit::IsSelSubscript() const
{
    return SelAttributes->Offset() == SubscriptOffset;
}

bool TExtRichEdit::IsSelSuperscript() const
{
    return SelAttributes->Offset() == SuperscriptOffset;
}

bool TExtRichEdit::IsInplace() const
{
    return FGrid && FGrid->FInplaceRichEdit == this;
}

bool TExtRichEdit::WantsKey(WORD Key, TShiftState Shift) const
{
    if (Key == VK_TAB || (IsInplace() && Key == VK_ESCAPE))
        return true;
    return TRichEdit::WantsKey(Key, Shift);
}

void TExtRichEdit::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    TRichEdit::HandleKeyDown(Key, Shift);
    if (!IsInplace() || Key == 0)
        return;
    TExtStringGrid* g = FGrid;
    if (Key == VK_TAB) {
        Key = 0;
        if (g->Options().Contains(goTabs)) {
            g->SetFocus();
            WORD k = VK_TAB;
            g->HandleKeyDown(k, Shift);
            g->ShowInplaceEdit();
        }
        return;
    }
    if ((Key == VK_UP || Key == VK_DOWN) && !g->WordWrap() && !g->Multilinecells) {
        WORD k = Key;
        Key = 0;
        g->SetFocus();
        g->HandleKeyDown(k, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        // Cancel: the store that follows writes back what the cell holds.
        Lock();
        g->CellToRich(g->RealColIndex(g->Col()), g->Row(), this);
        Unlock();
        Key = 0;
        g->FEditing = false;
        g->HideInplaceEdit();
        g->SetFocus();
        return;
    }
    // Enter ends the edit; Shift+Enter or Ctrl+Enter breaks the line: a new paragraph, as the rich
    // edit control makes (the text edit's own Shift+Enter is a soft break inside the line).
    if (Key == VK_RETURN) {
        Key = 0;
        if (Shift & (ssShift | ssCtrl)) {
            QTextCursor cursor = Editor()->textCursor();
            cursor.insertBlock();
            Editor()->setTextCursor(cursor);
            return;
        }
        g->DoneInplaceEdit(VK_RETURN, Shift);
    }
}

void TExtRichEdit::HandleKillFocus()
{
    if (FGrid && FGrid->InvokedFocusChange)
        return;
    if (IsInplace() && FGrid->Focused())
        FGrid->HideInplaceEdit();
    TRichEdit::HandleKillFocus();
}

void TExtRichEdit::RequestResize(const TRect& Rect)
{
    if (!FGrid)
        return;
    if (FGrid->FRichEdit == this) {
        FReqWidth = Rect.Width();
        FReqHeight = Rect.Height();
    }
    if (IsInplace() && FGrid->SizeWhileTyping()->Height && !FLocked) {
        const int h = Rect.Height();
        const int row = FGrid->Row();
        const TRect cell = FGrid->CellRect(FGrid->Col(), row);
        if (h + RowGrowSlack > FGrid->RowHeights(row) && cell.Top + h + RowGrowSlack < FGrid->Height()) {
            // The editor's own resize asks again for the same size: one growth, one event.
            Lock();
            SetHeight(h + EditorExtraHeight);
            FGrid->SetRowHeights(row, h + RowExtraHeight);
            Unlock();
            if (FGrid->OnEndRowSize)
                FGrid->OnEndRowSize(FGrid, row);
        }
    }
}
