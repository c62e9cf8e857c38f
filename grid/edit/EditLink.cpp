// TEditLink: the end of a custom edit, its key protocol and the dialog-key answer of its control; and
// the grid's show and store of the edCustom cells.
#include "grid/edit/EditLink.h"

#include "grid/core/ExtGrid.h"
#include "platform/controls/DialogKeyAnswer.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"

#include <QApplication>

namespace
{

constexpr const char* PopupFormName = "gridform";

} // namespace

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink()
{
    if (FHooked)
        RemoveWantsKeyAnswer(FHooked);
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FOwner)
        FOwner = nullptr;
    if (AComponent == FPopupForm)
        FPopupForm = nullptr;
}

template <class F> void TEditLink::Forced(F&& Run)
{
    FForcedExit = true;
    try {
        Run();
    } catch (...) {
        FForcedExit = false;
        throw;
    }
    FForcedExit = false;
}

void TEditLink::SetVisible(bool Value)
{
    if (TWinControl* c = GetEditControl())
        c->SetVisible(Value);
}

void TEditLink::SetRect(TRect R)
{
    TWinControl* c = GetEditControl();
    if (!c)
        return;
    const int line = FOwner ? FOwner->GridLineWidth() : 0;
    c->SetBounds(R.Left, R.Top, R.Right - R.Left - line, R.Bottom - R.Top - line);
}

void TEditLink::SetFocus(bool Value)
{
    TWinControl* c = GetEditControl();
    if (!c)
        return;
    if (Value) {
        if (!c->Visible())
            c->SetVisible(true);
        if (!c->Enabled())
            c->SetEnabled(true);
    }
    if (EditStyle == esInplace && !FSubClassed) {
        TExtStringGrid* grid = FOwner;
        // With goTabs the arrows and Tab stay with the control while it edits.
        InstallWantsKeyAnswer(c, [grid](WORD Key, TShiftState, bool Own) {
            if (grid && grid->Options().Contains(goTabs) && (IsArrowKey(Key) || Key == VK_TAB))
                return true;
            return Own;
        });
        FHooked = c;
        FSubClassed = true;
    }
    if (Value) {
        if (c->CanFocus())
            c->SetFocus();
    } else if (FOwner && FOwner->CanFocus()) {
        FOwner->SetFocus();
    }
}

void TEditLink::RestoreWinProc()
{
    if (EditStyle != esInplace)
        return;
    TWinControl* c = GetEditControl();
    if (!c)
        return;
    RemoveWantsKeyAnswer(c);
    FHooked = nullptr;
    FSubClassed = false;
    c->SetVisible(false);
}

QString TEditLink::GetCellValue()
{
    if (!FOwner)
        return QString();
    return FOwner->GetGridCell(FOwner->RealColIndex(FOwner->Col()), FOwner->Row());
}

void TEditLink::SetCellValue(const QString& s)
{
    if (FOwner)
        FOwner->StoreEditText(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(), s);
}

TWinControl* TEditLink::GetParent()
{
    if (EditStyle == esPopup)
        return FPopupForm;
    return FOwner;
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (FOwner)
        FOwner->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit(TObject*)
{
    FActive = false;
    HideEditor();
    if (EditStyle == esPopup && FPopupForm) {
        DestroyEditor();
        // The grid's window becomes active again as the pop-up goes; the grid takes the focus then as
        // from its own editor, so it does not open the editor again on entry.
        if (FOwner && QApplication::focusWidget() != FOwner->Widget())
            FOwner->FFocusFromEditor = true;
        FPopupForm->Hide();
        // Without a window manager to hand the activation on, nobody else would.
        if (FOwner && !QApplication::activeWindow())
            if (TCustomForm* form = GetParentForm(FOwner); form && form->Widget() && form->Visible())
                form->Widget()->activateWindow();
    }
}

void TEditLink::FormExit(TObject* Sender)
{
    if (!FActive)
        return;
    if (FOwner && FOwner->NormalEdit())
        FOwner->SetEditorTextQuiet(GetEditorValue());
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
        return;
    }
    EditExit(Sender);
    if (FOwner)
        FOwner->InvokedFocusChange = true;
}

void TEditLink::EditKeyDown(TObject*, WORD& Key, TShiftState Shift)
{
    TExtStringGrid* g = FOwner;
    if (!g)
        return;
    bool exitKey = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                   Key == VK_NEXT || Key == VK_END || IsArrowKey(Key) || (Shift & ssAlt);
    if ((Key == VK_UP || Key == VK_DOWN) && WantKeyUpDown)
        exitKey = false;
    if ((Key == VK_LEFT || Key == VK_RIGHT) && WantKeyLeftRight)
        exitKey = false;
    if ((Key == VK_HOME || Key == VK_END) && WantKeyHomeEnd)
        exitKey = false;
    if ((Key == VK_PRIOR || Key == VK_NEXT) && WantKeyPriorNext)
        exitKey = false;
    if (Key == VK_RETURN && WantKeyReturn)
        exitKey = false;
    if (Key == VK_ESCAPE && WantKeyEscape)
        exitKey = false;
    if (Key == VK_TAB && WantTabs)
        exitKey = false;
    if (!exitKey)
        return;

    if (Key == VK_TAB) {
        if (g->Navigation()->TabToNextAtEnd) {
            Forced([g] {
                if (g->CanFocus())
                    g->SetFocus();
            });
            g->EditorToCell(g->Col(), g->Row());
            if (g->AdvanceOnTab(Shift & ssShift) && !g->IsControlCell(g->RealCol(), g->Row())) {
                // The next editor opens after this key.
                PostMessage(g->Handle(), WM_KEYDOWN, VK_F2, 0);
                Key = 0;
                return;
            }
        }
        Key = 0;
    }
    if (Key == VK_ESCAPE)
        SetEditorValue(g->FCellCache);
    Forced([g] {
        if (g->CanFocus())
            g->SetFocus();
    });
    g->EditorToCell(g->Col(), g->Row());
    if (EditStyle == esPopup)
        EditExit(this);
    g->EditMode = false;
    g->CanSelectCell(g->Col(), g->Row());
    if (!g->FLastValidation) {
        // Refused: the control reopens on the same cell (unless the refusal reopened it already).
        g->FLastValidation = true;
        if (!g->FSpecialEditor)
            g->ShowCellEditor(g->Col(), g->Row());
        return;
    }
    if (Key == VK_RETURN) {
        g->AdvanceAfterEdit(g->Col(), g->Row(), true, false, !(Shift & ssShift), true, false);
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        Key = 0;
        return;
    }
    if (Key == VK_TAB || IsArrowKey(Key)) {
        WORD k = Key;
        g->HandleKeyDown(k, Shift);
    }
    if (TWinControl* c = GetEditControl())
        c->SetEnabled(false);
    Forced([g] {
        if (g->CanFocus())
            g->SetFocus();
    });
    if (g->Options().Contains(goTabs) && Key == VK_TAB && !g->IsControlCell(g->RealCol(), g->Row()))
        PostMessage(g->Handle(), WM_KEYDOWN, VK_F2, 0);
    Key = 0;
}

// ---- The grid's show and store of edCustom ------------------------------------------------------------

void TExtStringGrid::ShowLinkEditor(int ACol, int ARow, const TRect& R)
{
    TEditLink* link = FEditLink;
    if (!link)
        return;
    EditMode = true;
    link->FActive = true;
    link->ChangeReference(link->FOwner, this);
    link->FEditCell = TPoint(ACol, ARow);
    if (link->EditStyle == esPopup) {
        if (link->AutoPopupWidth)
            link->PopupWidth = R.Right - R.Left;
        if (!link->FPopupForm) {
            if (TComponent* old = Application->FindComponent(PopupFormName))
                delete old;
            auto* form = new TForm(Application);
            form->SetName(PopupFormName);
            link->ChangeReference(link->FPopupForm, static_cast<TForm*>(form));
        }
        TForm* form = link->FPopupForm;
        TPoint at = ClientToScreen(TPoint(R.Left, R.Top));
        if (link->PopupLeft != -1 && link->PopupTop != -1)
            at = TPoint(link->PopupLeft, link->PopupTop);
        form->OnDeactivate = [link](TObject* Sender) { link->FormExit(Sender); };
        form->SetBounds(at.X, at.Y, 0, 0);
        form->SetFormStyle(fsStayOnTop);
        form->SetBorderStyle(bsNone);
        form->Show();
        form->SetBounds(at.X, at.Y, link->PopupWidth, link->PopupHeight);
        link->CreateEditor(form);
        link->SetRect(TRect(0, 0, link->PopupWidth, link->PopupHeight));
    } else {
        link->CreateEditor(this);
        link->SetRect(R);
    }
    link->SetVisible(true);
    TColor color = clNone;
    TFont font;
    EditorLook(ACol, ARow, color, font);
    link->SetCellProps(color, &font);
    link->SetProperties();
    DoGetEditorProp(ACol, ARow, link);
    link->SetEditorValue(ReadEditText(DisplColIndex(ACol), ARow));
    link->SetFocus(true);
    FEditActive = true;
    if (TWinControl* c = link->GetEditControl(); c && !FStartEditChar.isNull())
        PostMessage(c->Handle(), WM_CHAR, WPARAM(FStartEditChar.unicode()), 0);
    EditCtrl = link->GetEditControl();
}

void TExtStringGrid::StoreLinkEditor(int ACol, int ARow)
{
    if (FControlLook->DropDownAlwaysVisible()) {
        TEditorType kind = EditControl;
        QueryEditorType(ACol, ARow, kind);
    }
    TEditLink* link = FEditLink;
    if (!link)
        return;
    StoreEditText(ACol, ARow, link->GetEditorValue());
    if (link->EditStyle != esPopup)
        link->FActive = false;
    if (link->EditStyle != esPopup)
        link->SetVisible(false);
    link->RestoreWinProc();
    EditMode = false;
}
