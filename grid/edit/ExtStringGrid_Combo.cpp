// TExtStringGrid: the combo cells - the shared item list of the combo editor, its show and store
// for edComboEdit and edComboList, and the notifications it sends the grid.
#include "grid/core/ExtGrid.h"
#include "grid/edit/GridCombo.h"
#include "platform/controls/Messages.h"

// ---- The item list -------------------------------------------------------------------------------------

void TExtStringGrid::CreateComboEditor()
{
    if (IsDesignTime())
        return;
    EditCombo = new TGridCombo(this);
    EditCombo->SetParent(this);
    EditCombo->SetEnabled(false);
    EditCombo->SetVisible(false);
    // Vista with common controls 6: the style paints it unless a button colour is set.
    EditCombo->IsWinXP = IsThemed();
    EditCombo->IsVista = IsThemed();
}

void TExtStringGrid::ClearComboString()
{
    if (EditCombo)
        EditCombo->Items->Clear();
}

void TExtStringGrid::AddComboString(const QString& s)
{
    if (EditCombo)
        EditCombo->Items->Add(s);
}

void TExtStringGrid::AddComboStringObject(const QString& s, TObject* AObject)
{
    if (EditCombo)
        EditCombo->Items->AddObject(s, AObject);
}

bool TExtStringGrid::RemoveComboString(const QString& s)
{
    if (!EditCombo)
        return false;
    const int i = EditCombo->Items->IndexOf(s);
    if (i < 0)
        return false;
    EditCombo->Items->Delete(i);
    return true;
}

int TExtStringGrid::GetComboCount()
{
    return EditCombo ? EditCombo->Items->Count() : 0;
}

void TExtStringGrid::SetComboSelection(int Index)
{
    FComboIdx = Index;
}

bool TExtStringGrid::SetComboSelectionString(const QString& s)
{
    const int i = EditCombo ? EditCombo->Items->IndexOf(s) : -1;
    if (i < 0)
        return false;
    FComboIdx = i;
    return true;
}

void TExtStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    DoGetEditorProp(ACol, ARow, nullptr);
    if (!EditCombo || Value < 0 || Value >= EditCombo->Items->Count())
        return;
    SetCells(ACol, ARow, EditCombo->Items->Strings(Value));
}

int TExtStringGrid::GetComboIndex(int ACol, int ARow)
{
    DoGetEditorProp(ACol, ARow, nullptr);
    return EditCombo ? EditCombo->Items->IndexOf(Cells(ACol, ARow)) : -1;
}

// ---- Show and store ------------------------------------------------------------------------------------

void TExtStringGrid::ShowComboEditor(int ACol, int ARow, const TRect& R)
{
    TGridCombo* combo = EditCombo;
    if (!combo)
        return;
    const bool list = EditControl == edComboList;
    EditMode = true;
    combo->SetDropDownCount(FControlLook->DropDownCount);
    DoGetEditorProp(ACol, ARow, nullptr);
    combo->SetEnabled(true);
    combo->SetDroppedDown(false);
    combo->SetStyle(list ? csDropDownList : csDropDown);
    const QString text = ReadEditText(DisplColIndex(ACol), ARow);
    const int count = combo->Items->Count();
    const bool comboIdxValid = FComboIdx >= 0 && FComboIdx < count;
    bool fallback = false;
    FNoEditChange = true;
    if (list) {
        int i = combo->Items->IndexOf(GetGridCell(ACol, ARow));
        if (i < 0 && FComboIdx == -1) {
            i = combo->Items->IndexOf(text);
            if (i < 0 && count > 0) {
                i = 0;
                fallback = true;
            }
        } else if (i < 0 && comboIdxValid) {
            i = FComboIdx;
        }
        combo->SetItemIndex(i);
    } else {
        combo->SetItemIndex(combo->Items->IndexOf(text));
        if (combo->ItemIndex() < 0 && comboIdxValid)
            combo->SetItemIndex(FComboIdx);
        // The cell's text is shown whatever item is selected.
        combo->SetText(text);
        combo->SetMaxLength(MaxComboLength);
    }
    FNoEditChange = false;
    if (fallback)
        combo->Change();
    // Placed exactly over the cell; DropDownCount gives the list's rows.
    combo->SetBounds(R.Left, R.Top, R.Right - R.Left - 1, R.Bottom - R.Top - 1);
    {
        TGridDrawState state = 0;
        TBrush brush;
        brush.Color = Color();
        TFont font;
        font.Assign(Font);
        TColor to = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = false;
        TCellGradientDirection gd{};
        GetVisualProperties(ACol, ARow, state, false, false, true, &brush, to, mirror, mirrorTo, &font, ha,
                            va, ww, gd);
        combo->SetColor(brush.Color);
        combo->Font->Assign(&font);
    }
    combo->SetVisible(true);
    const bool flat = Look == glSoft || Look == glQel || Look == glXP || Look == glListView ||
                      Look == glVista || Look == glWin7 || Look == glOffice2007;
    combo->SetFlat(flat);
    combo->SetEtched(flat);
    if (FNavigation->AutoComboDropSize)
        combo->SizeDropDownWidth();
    else if (combo->DropWidth() > 0)
        combo->SetDroppedWidth(combo->DropWidth());
    if (combo->CanFocus())
        combo->SetFocus();
    if (FMouseActions->DirectComboDrop || FControlLook->DropDownAlwaysVisible())
        combo->SetDroppedDown(true);
    if (FMouseActions->DirectEdit && FMouseActions->DirectComboDrop) {
        const TGridRect s = Selection();
        DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
    if (!FStartEditChar.isNull())
        PostMessage(combo->Handle(), WM_CHAR, WPARAM(FStartEditChar.unicode()), 0);
    EditCtrl = combo;
    if (fallback) {
        if (OnComboChange)
            OnComboChange(this, ACol, ARow, 0, combo->Items->Strings(0));
        if (OnComboObjectChange)
            OnComboObjectChange(this, ACol, ARow, 0, combo->Items->Strings(0), combo->Items->Objects(0));
    }
}

void TExtStringGrid::StoreComboEditor(int ACol, int ARow)
{
    TGridCombo* combo = EditCombo;
    if (!combo || !EditMode)
        return;
    EditMode = false;
    // A list-only combo without a selected item writes nothing: the cell keeps its text.
    if (!(combo->Style() == csDropDownList && combo->ItemIndex() < 0))
        StoreEditText(ACol, ARow, combo->Text());
    // The focus goes to the grid first, never on to the form's next control.
    if (combo->Focused() && CanFocus())
        SetFocus();
    combo->SetDroppedDown(false);
    combo->SetEnabled(false);
    combo->SetVisible(false);
}

// ---- Notifications -------------------------------------------------------------------------------------

bool TExtStringGrid::ComboMessage(TMessage& Message)
{
    if (Message.Msg != WM_COMMAND)
        return false;
    const WORD code = HiWord(Message.WParam);
    if (code != CBN_SELCHANGE && code != CBN_EDITCHANGE && code != CBN_CLOSEUP && code != CBN_DROPDOWN)
        return false;
    const bool fromCombo = EditCombo && Message.LParam == LPARAM(EditCombo->Handle());
    // The control finishes its own handling of the notification first.
    TBaseGrid::WindowProcedure(Message);
    if (IsDestroying())
        return true;
    auto comboEvents = [this] {
        const int i = EditCombo->ItemIndex();
        const QString selection = i >= 0 ? EditCombo->Items->Strings(i) : EditCombo->Text();
        TObject* object = i >= 0 ? EditCombo->Items->Objects(i) : nullptr;
        const int col = RealColIndex(Col());
        if (OnComboChange)
            OnComboChange(this, col, Row(), i, selection);
        if (OnComboObjectChange)
            OnComboObjectChange(this, col, Row(), i, selection, object);
    };
    if (fromCombo && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && EditMode)
        comboEvents();
    if (fromCombo && code == CBN_CLOSEUP) {
        if (FMouseActions->DirectComboClose && EditMode) {
            if (EditCombo->ItemIndex() >= 0)
                EditCombo->SetText(EditCombo->Items->Strings(EditCombo->ItemIndex()));
            comboEvents();
            EditControl = edComboEdit;
            EditMode = true;
            const bool direct = FMouseActions->DirectEdit;
            FMouseActions->DirectEdit = false;
            try {
                HideInplaceEdit();
            } catch (...) {
                FMouseActions->DirectEdit = direct;
                throw;
            }
            FMouseActions->DirectEdit = direct;
            if (CanFocus())
                SetFocus();
        }
        DoComboCloseUp(Row(), RealColIndex(Col()));
    }
    if (fromCombo && code == CBN_DROPDOWN)
        DoComboDropDown(Row(), RealColIndex(Col()));
    if (code == CBN_EDITCHANGE && OnComboChange)
        OnComboChange(this, Col(), Row(), -1, EditCombo ? EditCombo->Text() : QString());
    return true;
}
