// TExtStringGrid: editing the form controls of mini-HTML cells and the fixed cells.
#include "grid/base/HtmlRender.h"
#include "grid/base/HtmlText.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/ExtGridSettings.h"
#include "grid/edit/CellControlEditors.h"

namespace
{
// Where a control editor sits in the rectangle the renderer reports for its control.
constexpr int EditInsetLeft = 1;
constexpr int EditInsetTop = 8;
constexpr int EditWidthLess = 4;
constexpr int EditHeight = 14;
constexpr int ComboInsetTop = 4;
constexpr int ComboDefaultDropCount = 8;

bool IsEditType(const QString& Type)
{
    return Type == QLatin1String("EDIT") || Type == QLatin1String("PASSWORD") ||
           Type == QLatin1String("MASK");
}
} // namespace

void TExtStringGrid::CreateCellControlEditors()
{
    if (IsDesignTime())
        return;
    EditTrans = new TGridTransEdit(this);
    EditTrans->SetParent(this);
    EditTrans->SetBorderStyle(bsNone);
    ComboTrans = new TGridTransCombo(this);
    ComboTrans->SetParent(this);
    FEditControl = new TControlEdit(this);
    FEditControl->SetVisible(false);
    FComboControl = new TControlCombo(this);
    FComboControl->SetVisible(false);
}

void TExtStringGrid::ShowCellControlEditor(const QString& Text, const QString& CtrlType, int ARow,
                                           int RealCol, int ACol, const TRect& CtrlRect, const QString& Value,
                                           const QString& CtrlID)
{
    const QString type = CtrlType.toUpper();
    const TRect& R = CtrlRect;
    if (IsEditType(type) && FEditControl) {
        TControlEdit* e = FEditControl;
        FCtrlXY = TPoint(RealCol, ARow);
        FCtrlID = CtrlID;
        FCtrlType = type;
        FCtrlEditing = true;
        e->SetWidth(0);
        e->SetPasswordChar(type == QLatin1String("PASSWORD") ? QChar('*') : QChar());
        QString mask;
        if (type == QLatin1String("MASK"))
            HTMLGetControlProp(Text, CtrlID, mask);
        e->SetEditMask(mask);
        e->OnExit = [this](TObject* Sender) { CellControlEditExit(Sender); };
        e->SetMaxLength(0);
        e->SetText(Value);
        e->SetBorderStyle(bsNone);
        e->SetBounds(R.Left + EditInsetLeft, R.Top + EditInsetTop, R.Right - R.Left - EditWidthLess,
                     EditHeight);
        e->SetMaxLength(HTMLGetControlMaxLen(Text, CtrlID));
        e->SetParent(this);
        e->SetVisible(true);
        e->BringToFront();
        if (e->CanFocus())
            e->SetFocus();
        return;
    }
    if (type == QLatin1String("COMBO") && FComboControl) {
        TControlCombo* c = FComboControl;
        FCtrlXY = TPoint(RealCol, ARow);
        FCtrlID = CtrlID;
        FCtrlType = type;
        FCtrlEditing = true;
        c->IsWinXP = IsThemed();
        c->SetWidth(0);
        bool edit = true;
        int dropCount = ComboDefaultDropCount;
        c->SetFlat(false);
        // The combo keeps its own height; DropCount gives the list's rows.
        c->SetBounds(R.Left - 1, R.Top + ComboInsetTop, R.Right - R.Left, c->Height());
        c->OnSelect = [this, c](TObject*) { ControlComboSelect(c->ItemIndex(), c->Text()); };
        c->SetParent(this);
        TStringList values;
        if (OnControlComboList)
            OnControlComboList(this, ARow, ACol, CtrlID, type, Value, &values, edit, dropCount);
        c->SetStyle(edit ? csDropDown : csDropDownList);
        c->Items->Assign(&values);
        const int index = c->Items->IndexOf(Value);
        if (index >= 0)
            c->SetItemIndex(index);
        else if (edit)
            c->SetText(Value);
        c->SetDropDownCount(dropCount > 0 ? dropCount : ComboDefaultDropCount);
        c->OnExit = [this](TObject* Sender) { CellControlEditExit(Sender); };
        c->SetMaxLength(HTMLGetControlMaxLen(Text, CtrlID));
        c->SetVisible(true);
        c->BringToFront();
        if (c->CanFocus())
            c->SetFocus();
        c->SetDroppedDown(true);
    }
}

void TExtStringGrid::CellControlEditExit(TObject*)
{
    if (!FCtrlEditing)
        return;
    FCtrlEditing = false;
    const bool combo = FCtrlType == QLatin1String("COMBO");
    TWinControl* editor = combo ? static_cast<TWinControl*>(FComboControl) : FEditControl;
    if (!editor)
        return;
    const QString value = editor->Text();
    QString text = Cells(FCtrlXY.X, FCtrlXY.Y);
    // Only that control's tag changes; a control gone from the text leaves the cell as it is.
    if (HTMLSetControlValue(text, FCtrlID, value))
        SetCells(FCtrlXY.X, FCtrlXY.Y, text);
    if (combo)
        FComboControl->SetDroppedDown(false);
    editor->SetVisible(false);
    if (OnControlEditDone)
        OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, value);
    FCtrlType.clear();
}

void TExtStringGrid::ContinueCellControlEdit()
{
    const int dc = RealToDisplCol(FCtrlXY.X);
    if (dc < 0 || FCtrlXY.Y < 0 || FCtrlXY.Y >= RowCount())
        return;
    EditCellControl(dc, FCtrlXY.Y, FCtrlID);
}

void TExtStringGrid::EditCellControl(int ACol, int ARow, const QString& ControlID)
{
    const int real = RealColIndex(ACol);
    const QString text = Cells(real, ARow);
    QString id;
    HTMLNextEditControl(text, ControlID, id);
    if (id.isEmpty()) {
        if (CanFocus())
            SetFocus();
        return;
    }
    TRect r = CellRect(ACol, ARow);
    int dx = XYOffset.X + 1;
    const int dy = XYOffset.Y + 1;
    if (HasCheckBox(real, ARow))
        dx += FControlLook->CheckSize();
    r = TRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
    QString anchor, plain, focus, title, value, type;
    int w = 0, h = 0, anchors = 0, hit = -1;
    TRect anchorRect, ctrlRect;
    QString ctrlId = id;
    RenderHTML(Canvas, text, r, nullptr, -1, -1, -1, -1, 1, true, false, false, false, false, false,
               WordWrap(), false, 1.0, URLColor, clNone, clNone, clGray, anchor, plain, focus, title, w, h,
               anchors, hit, anchorRect, ctrlRect, ctrlId, value, type, nullptr, nullptr, Handle(), 0);
    ShowCellControlEditor(text, type, ARow, real, ACol, ctrlRect, value, id);
}

// ---- Fixed cells ---------------------------------------------------------------------------------------

void TExtStringGrid::StartFixedCellEdit(int ACol, int ARow)
{
    // An open fixed-cell edit ends first; a refused one stays.
    if (EditTrans && EditTrans->Visible() && !EditTrans->StopEdit())
        return;
    if (ComboTrans && ComboTrans->Visible() && !ComboTrans->StopEdit())
        return;
    bool canEdit = true;
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, canEdit);
    if (!canEdit)
        return;
    FFixedColEdit = ACol;
    FFixedRowEdit = ARow;
    TGridFixedCellEditor kind = ACol == 0 ? FMouseActions->FixedColsEditor : FMouseActions->FixedRowsEditor;
    TStringList values;
    TStrings* items = ComboTrans ? ComboTrans->Items : &values;
    items->Assign(FMouseActions->FixedComboValues());
    DoFixedEdit(ACol, ARow, kind, items);
    FFixedEditKind = kind;
    TRect r = CellRect(ACol, ARow);
    r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    ShowFixedCellEditor(kind, r, Cells(RealColIndex(ACol), ARow));
}

void TExtStringGrid::ShowFixedCellEditor(TGridFixedCellEditor Kind, const TRect& R, const QString& Value)
{
    const int real = RealColIndex(FFixedColEdit);
    if (Kind == fceEdit) {
        if (!EditTrans)
            return;
        EditTrans->SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
        EditTrans->SetText(Value);
        EditTrans->Col = real;
        EditTrans->Row = FFixedRowEdit;
        EditTrans->OnChange = [this](TObject*) { FixedCellEditChange(EditTrans->Text()); };
        EditTrans->SetVisible(true);
        EditTrans->BringToFront();
        if (EditTrans->CanFocus())
            EditTrans->SetFocus();
        return;
    }
    if (!ComboTrans)
        return;
    ComboTrans->SetBounds(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top);
    ComboTrans->SetStyle(Kind == fceComboEdit ? csDropDown : csDropDownList);
    const int index = ComboTrans->Items->IndexOf(Value);
    ComboTrans->SetItemIndex(index);
    if (Kind == fceComboEdit)
        ComboTrans->SetText(Value);
    ComboTrans->Col = real;
    ComboTrans->Row = FFixedRowEdit;
    ComboTrans->OnChange = [this](TObject*) { FixedCellEditChange(ComboTrans->Text()); };
    ComboTrans->SetVisible(true);
    ComboTrans->BringToFront();
    if (ComboTrans->CanFocus())
        ComboTrans->SetFocus();
}

void TExtStringGrid::FixedCellEditChange(const QString& Text)
{
    if (OnEditChange)
        OnEditChange(this, FFixedColEdit, FFixedRowEdit, Text);
}
