// TExtStringGrid: the editors of the edit-control kinds - their creation, the editor-table rows that
// show them over a cell and store them back, the date editors' notifications and their colour tones.
#include "grid/base/NumberText.h"
#include "grid/core/ExtGrid.h"
#include "grid/edit/EditLink.h"
#include "grid/edit/GridEditors.h"
#include "platform/controls/Messages.h"
#include "platform/core/DateText.h"
#include "platform/system/SysInfo.h"

#include <QCalendarWidget>

namespace
{

// Width and height of an editor over the cell rectangle R.
int EditorWidth(const TRect& R)
{
    return R.Right - R.Left - 1;
}

int EditorHeight(const TRect& R)
{
    return R.Bottom - R.Top - 1;
}

// The focus goes to the grid first (never on to the form's next control), then the editor hides.
void HideEditorControl(TExtStringGrid* Grid, TWinControl* Control)
{
    if (Control->Focused() && Grid->CanFocus())
        Grid->SetFocus();
    Control->SetEnabled(false);
    Control->SetVisible(false);
}

void FocusEditor(TWinControl* Control)
{
    if (Control->CanFocus())
        Control->SetFocus();
}

void PostStartChar(TWinControl* Control, QChar Start)
{
    if (!Start.isNull())
        PostMessage(Control->Handle(), WM_CHAR, WPARAM(Start.unicode()), 0);
}

// Runs F with FNoEditChange set: loading an editor is no user change.
template <class F> void Quietly(bool& Flag, F&& Run)
{
    const bool old = Flag;
    Flag = true;
    try {
        Run();
    } catch (...) {
        Flag = old;
        throw;
    }
    Flag = old;
}

} // namespace

// ---- Creation and accessors ------------------------------------------------------------------------

bool TExtStringGrid::DatePickersAvailable()
{
    // The date pickers came with common controls 4.70.
    return ComCtlMajorVersion > 4 || (ComCtlMajorVersion == 4 && ComCtlMinorVersion >= 70);
}

void TExtStringGrid::CreateEditControls()
{
    if (IsDesignTime())
        return;
    EditCheck = new TGridCheckBox(this);
    EditCheck->SetParent(this);
    EditCheck->SetEnabled(false);
    EditCheck->SetVisible(false);

    EditBtn = new TGridEditBtn(this);
    EditBtn->SetParent(this);
    EditBtn->SetEnabled(false);
    EditBtn->SetVisible(false);
    EditBtn->SetButtonCaption(QStringLiteral("..."));
    EditBtn->SetBorderStyle(bsNone);
    EditBtn->SetIsWinXP(FIsWinXP);

    UnitEditBtn = new TGridUnitEditBtn(this);
    UnitEditBtn->SetParent(this);
    UnitEditBtn->SetEnabled(false);
    UnitEditBtn->SetVisible(false);
    UnitEditBtn->SetButtonCaption(QStringLiteral("..."));
    UnitEditBtn->SetBorderStyle(bsNone);
    UnitEditBtn->OnUnitChanged = [this](TObject*, const QString& NewUnit) {
        if (OnUnitChanged)
            OnUnitChanged(this, Col(), Row(), NewUnit);
    };

    GridButton = new TGridButton(this);
    GridButton->SetParent(this);
    GridButton->SetEnabled(false);
    GridButton->SetVisible(false);
    GridButton->OnClick = [this](TObject*) {
        if (OnButtonClick)
            OnButtonClick(this, Col(), Row());
    };
}

TGridSpin* TExtStringGrid::SpinEdit()
{
    if (!FEditSpin && !IsDesignTime()) {
        FEditSpin = new TGridSpin(this);
        FEditSpin->SetParent(this);
        FEditSpin->SetVisible(false);
        FEditSpin->SetEnabled(false);
        FEditSpin->SetBorderStyle(bsNone);
        FEditSpin->SetIsWinXP(FIsWinXP);
    }
    return FEditSpin;
}

TGridDatePicker* TExtStringGrid::DateTimePicker()
{
    if (!FEditDate && !IsDesignTime()) {
        FEditDate = new TGridDatePicker(this);
        FEditDate->SetParent(this);
        FEditDate->SetVisible(false);
        FEditDate->SetEnabled(false);
        FEditDate->OnCloseUp = [this](TObject* Sender) { DatePickerCloseUp(Sender); };
        FEditDate->OnDropDown = [this](TObject* Sender) { DatePickerDropDown(Sender); };
        FEditDate->OnChange = [this](TObject* Sender) { DatePickerChange(Sender); };
    }
    return FEditDate;
}

TGridDateTimePicker* TExtStringGrid::DateAndTimePicker()
{
    if (!FEditDateTime && !IsDesignTime()) {
        FEditDateTime = new TGridDateTimePicker(this);
        FEditDateTime->SetParent(this);
        FEditDateTime->SetVisible(false);
        FEditDateTime->SetEnabled(false);
        FEditDateTime->SetAutoTab(true);
        FEditDateTime->OnCloseUp = [this](TObject* Sender) { DatePickerCloseUp(Sender); };
        FEditDateTime->OnTimeChange = [this](TObject* Sender) { DateTimePickerTimeChange(Sender); };
    }
    return FEditDateTime;
}

void TExtStringGrid::SetEditLink(TEditLink* Value)
{
    ChangeReference(FEditLink, Value);
}

void TExtStringGrid::ApplyEditorTones(const TColorTones& ATones)
{
    if (IsDesignTime())
        return;
    auto tone = [&ATones](TEditButtonColors& b) {
        b.ButtonColor = ATones.Background.BrushColor;
        b.ButtonColorHot = ATones.Hover.BrushColor;
        b.ButtonColorDown = ATones.Selected.BrushColor;
        b.ButtonBorderColor = ATones.Background.BorderColor;
    };
    if (EditBtn)
        tone(*EditBtn->Button());
    if (TGridSpin* spin = SpinEdit())
        tone(*spin->Button());
    if (TGridDatePicker* date = DateTimePicker()) {
        tone(*date);
        date->SetBorderColor(ATones.Background.BrushColor);
        date->SetMetroStyle(true);
    }
}

// ---- Relays of the date editors --------------------------------------------------------------------

void TExtStringGrid::DatePickerCloseUp(TObject*)
{
    if (OnDatePickerCloseUp)
        OnDatePickerCloseUp(this, Row(), Col());
    if (FMouseActions->DirectDateClose)
        HideInplaceEdit();
}

void TExtStringGrid::DatePickerDropDown(TObject*)
{
    if (FEditDate) {
        if (QCalendarWidget* calendar = FEditDate->Calendar()) {
            calendar->setVerticalHeaderFormat(FEditDate->WeekNumbers ? QCalendarWidget::ISOWeekNumbers
                                                                     : QCalendarWidget::NoVerticalHeader);
            calendar->setGridVisible(false);
        }
    }
    if (OnDatePickerDropDown)
        OnDatePickerDropDown(this, Row(), Col());
}

void TExtStringGrid::DatePickerChange(TObject*)
{
    if (!OnEditChange || !FEditDate || FNoEditChange)
        return;
    const QString text =
        FEditDate->Kind() == dtkTime ? TimeToStr(FEditDate->Time()) : DateToStr(FEditDate->Date());
    OnEditChange(this, Col(), Row(), text);
}

void TExtStringGrid::DateTimePickerTimeChange(TObject*)
{
    if (OnDateTimeChange && FEditDateTime)
        OnDateTimeChange(this, Col(), Row(), FEditDateTime->DateTime());
}

// ---- Show and store ---------------------------------------------------------------------------------

void TExtStringGrid::EditorLook(int ACol, int ARow, TColor& AColor, TFont& AFont)
{
    TGridDrawState state = 0;
    TBrush brush;
    brush.Color = Color();
    AFont.Assign(Font);
    TColor to = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd{};
    GetVisualProperties(ACol, ARow, state, false, false, true, &brush, to, mirror, mirrorTo, &AFont, ha, va,
                        ww, gd);
    AColor = brush.Color;
}

void TExtStringGrid::ShowSpinEditor(int ACol, int ARow, const TRect& R)
{
    TGridSpin* spin = SpinEdit();
    if (!spin)
        return;
    EditMode = true;
    spin->ReCreate();
    spin->SetBounds(R.Left, R.Top, EditorWidth(R), EditorHeight(R));
    spin->SetVisible(true);
    spin->SetEnabled(true);
    TColor color = clNone;
    TFont font;
    EditorLook(ACol, ARow, color, font);
    spin->SetColor(color);
    spin->ExcelStyleDecimalSeparator = ExcelStyleDecimalSeparator;
    DoGetEditorProp(ACol, ARow, FEditLink);
    const QString text = ReadEditText(DisplColIndex(ACol), ARow);
    Quietly(FNoEditChange, [&] {
        switch (EditControl) {
        case edFloatSpinEdit:
            spin->SetSpinType(sptFloat);
            spin->SetFloatValue(LenientStrToFloat(NumberTextToFloatText(text)));
            break;
        case edTimeSpinEdit:
            spin->SetText(text);
            spin->SetSpinType(sptTime);
            break;
        case edDateSpinEdit: {
            TDateTime d = 0;
            if (text.isEmpty() || !TryStrToDate(text, d))
                d = Now();
            spin->SetSpinType(sptDate);
            spin->SetDateValue(d);
            break;
        }
        default:
            spin->SetSpinType(sptNormal);
            spin->SetValue(LenientStrToInt(text));
            break;
        }
    });
    FocusEditor(spin);
    PostStartChar(spin, FStartEditChar);
    if (FSpinUpClick)
        spin->StepUp(false);
    if (FSpinDnClick)
        spin->StepDown(false);
    EditCtrl = spin;
}

void TExtStringGrid::StoreSpinEditor(int ACol, int ARow)
{
    TGridSpin* spin = FEditSpin;
    EditMode = false;
    if (!spin)
        return;
    if (spin->AllowEmptyValue && spin->Text().trimmed().isEmpty()) {
        SetCellEx(ACol, ARow, QString());
    } else {
        switch (EditControl) {
        case edFloatSpinEdit:
            SetFloats(ACol, ARow, spin->FloatValue());
            break;
        case edTimeSpinEdit:
            StoreEditText(ACol, ARow, spin->Text());
            break;
        case edDateSpinEdit:
            SetDates(ACol, ARow, spin->DateValue());
            break;
        default:
            SetInts(ACol, ARow, spin->Value());
            break;
        }
    }
    HideEditorControl(this, spin);
}

void TExtStringGrid::ShowEditBtnEditor(int ACol, int ARow, const TRect& R)
{
    TGridEditBtn* edit = EditBtn;
    if (!edit)
        return;
    EditMode = true;
    edit->ReCreate();
    edit->SetBounds(R.Left, R.Top, EditorWidth(R), edit->Height());
    // The mask first: it shapes the text that follows.
    edit->SetEditMask(EditControl == edMaskEditBtn ? ReadEditMask(ACol, ARow) : QString());
    Quietly(FNoEditChange, [&] { edit->SetText(ReadEditText(DisplColIndex(ACol), ARow)); });
    edit->SetMaxLength(ReadEditLimit());
    edit->SetVisible(true);
    edit->SetEnabled(true);
    TColor color = clNone;
    TFont font;
    EditorLook(ACol, ARow, color, font);
    edit->SetColor(color);
    FocusEditor(edit);
    edit->SetHeight(EditorHeight(R));
    PostStartChar(edit, FStartEditChar);
    EditCtrl = edit;
}

void TExtStringGrid::StoreEditBtnEditor(int ACol, int ARow)
{
    if (!EditBtn || !EditMode)
        return;
    EditMode = false;
    StoreEditText(ACol, ARow, EditBtn->Text());
    HideEditorControl(this, EditBtn);
}

void TExtStringGrid::ShowUnitEditor(int ACol, int ARow, const TRect& R)
{
    TGridUnitEditBtn* edit = UnitEditBtn;
    if (!edit)
        return;
    EditMode = true;
    edit->ReCreate();
    edit->SetBounds(R.Left, R.Top, EditorWidth(R), edit->Height());
    edit->SetMaxLength(ReadEditLimit());
    DoGetEditorProp(ACol, ARow, FEditLink);
    Quietly(FNoEditChange, [&] { edit->LoadCellText(ReadEditText(DisplColIndex(ACol), ARow)); });
    edit->SetVisible(true);
    edit->SetEnabled(true);
    TColor color = clNone;
    TFont font;
    EditorLook(ACol, ARow, color, font);
    edit->SetColor(color);
    FocusEditor(edit);
    edit->SetHeight(EditorHeight(R));
    PostStartChar(edit, FStartEditChar);
    EditCtrl = edit;
}

void TExtStringGrid::StoreUnitEditor(int ACol, int ARow)
{
    if (!UnitEditBtn)
        return;
    StoreEditText(ACol, ARow, UnitEditBtn->Text() + UnitEditBtn->UnitID());
    HideEditorControl(this, UnitEditBtn);
    EditMode = false;
}

void TExtStringGrid::ShowCheckBoxEditor(int ACol, int ARow, const TRect& R)
{
    TGridCheckBox* check = EditCheck;
    if (!check)
        return;
    EditMode = true;
    check->ReCreate();
    check->SetBounds(R.Left, R.Top, EditorWidth(R), EditorHeight(R));
    check->SetText(ReadEditText(DisplColIndex(ACol), ARow));
    check->SetEnabled(true);
    check->SetChecked(false);
    check->SetVisible(true);
    FocusEditor(check);
}

void TExtStringGrid::StoreCheckBoxEditor(int, int)
{
    // No value is stored: a form reads the editor's state itself.
    if (EditCheck)
        HideEditorControl(this, EditCheck);
    EditMode = false;
}

void TExtStringGrid::ShowButtonEditor(int ACol, int ARow, const TRect& R)
{
    TGridButton* button = GridButton;
    if (!button)
        return;
    EditMode = true;
    button->ReCreate();
    // Over the cell lines: one pixel beyond the cell on each side.
    button->SetBounds(R.Left - 1, R.Top - 1, EditorWidth(R) + 2, EditorHeight(R) + 2);
    button->SetCaption(ReadEditText(DisplColIndex(ACol), ARow));
    button->SetVisible(true);
    button->SetEnabled(true);
    FocusEditor(button);
    EditCtrl = button;
}

void TExtStringGrid::StoreButtonEditor(int, int)
{
    if (GridButton)
        HideEditorControl(this, GridButton);
    EditMode = false;
}

void TExtStringGrid::ShowDateEditor(int ACol, int ARow, const TRect& R)
{
    if (!DatePickersAvailable())
        return;
    TGridDatePicker* picker = DateTimePicker();
    if (!picker)
        return;
    EditMode = true;
    FDateEditCancelled = false;
    picker->SetParent(this);
    picker->ReCreate();
    const QString text = ReadEditText(DisplColIndex(ACol), ARow);
    const bool time = EditControl == edTimeEdit;
    Quietly(FNoEditChange, [&] {
        if (time) {
            TDateTime t = 0;
            if (text.isEmpty() || !TryStrToTime(text, t))
                t = Now();
            picker->SetKind(dtkTime);
            picker->SetTime(t);
            return;
        }
        TDateTime d = Now();
        if (!text.isEmpty()) {
            if (OnCustomStrToDate) {
                OnCustomStrToDate(this, text, d);
            } else if (TryStrToDateTime(text, d)) {
                // A date outside the limits comes inside by a day; one on MinDate loads as it is.
                if (picker->MaxDate() != 0 && d > picker->MaxDate())
                    d = picker->MaxDate() - 1;
                if (picker->MinDate() != 0 && d < picker->MinDate())
                    d = picker->MinDate() + 1;
            } else {
                d = Now();
            }
        }
        picker->SetKind(dtkDate);
        picker->SetDate(d);
        picker->SetDateMode(EditControl == edDateEditUpDown ? dmUpDown : dmComboBox);
    });
    if (!time)
        DoGetEditorProp(ACol, ARow, FEditLink);
    picker->SetBounds(R.Left, R.Top, EditorWidth(R), EditorHeight(R));
    picker->SetEnabled(true);
    picker->SetVisible(true);
    TColor color = clNone;
    TFont font;
    EditorLook(ACol, ARow, color, font);
    picker->SetColor(color);
    if (time)
        DoGetEditorProp(ACol, ARow, FEditLink);
    FocusEditor(picker);
    if (!time) {
        if (FMouseActions->DirectDateDrop) {
            WORD f4 = VK_F4;
            picker->TEsgDateTimePicker::HandleKeyDown(f4, 0);
        }
        PostStartChar(picker, FStartEditChar);
    }
    EditCtrl = picker;
}

void TExtStringGrid::StoreDateEditor(int ACol, int ARow)
{
    if (!DatePickersAvailable() || !FEditDate)
        return;
    TGridDatePicker* picker = FEditDate;
    const bool cancelled = FDateEditCancelled;
    FDateEditCancelled = false;
    if (EditControl == edTimeEdit) {
        QString text;
        {
            // The picker's format reads the text in place of the regional long time format.
            const TFormatSettings old = FormatSettings();
            struct TRestore {
                TFormatSettings Old;
                ~TRestore() { SetFormatSettings(Old); }
            } restore{old};
            if (!picker->Format().isEmpty()) {
                TFormatSettings fs = old;
                fs.LongTimeFormat = picker->Format();
                SetFormatSettings(fs);
            }
            text = picker->Text();
        }
        if (!cancelled)
            StoreEditText(ACol, ARow, text);
        HideEditorControl(this, picker);
        EditMode = false;
        return;
    }
    if (!cancelled)
        StoreEditText(ACol, ARow, picker->Checked() ? picker->DisplayText() : QString());
    EditMode = false;
    HideEditorControl(this, picker);
}

void TExtStringGrid::ShowDateTimeEditor(int ACol, int ARow, const TRect& R)
{
    if (!DatePickersAvailable())
        return;
    TGridDateTimePicker* picker = DateAndTimePicker();
    if (!picker)
        return;
    FDateEditCancelled = false;
    picker->SetParent(this);
    const QString text = ReadEditText(DisplColIndex(ACol), ARow);
    TDateTime d = 0;
    if (text.isEmpty() || !TryStrToDateTime(text, d))
        d = Now();
    FOriginalDateTime = d;
    picker->SetKind(dkDateTime);
    picker->SetDateTime(d);
    picker->SetBorderStyle(bsNone);
    picker->SetBounds(R.Left, R.Top, EditorWidth(R), std::max(picker->Height(), EditorHeight(R)));
    DoGetEditorProp(ACol, ARow, FEditLink);
    picker->SetEnabled(true);
    picker->SetVisible(true);
    TColor color = clNone;
    TFont font;
    EditorLook(ACol, ARow, color, font);
    picker->SetColor(color);
    FocusEditor(picker);
}

void TExtStringGrid::StoreDateTimeEditor(int ACol, int ARow)
{
    if (!DatePickersAvailable() || !FEditDateTime)
        return;
    TGridDateTimePicker* picker = FEditDateTime;
    const bool cancelled = FDateEditCancelled;
    FDateEditCancelled = false;
    if (!cancelled) {
        const TFormatSettings& fs = FormatSettings();
        const QString text = picker->Checked() ? FormatDateTime(fs.ShortDateFormat + " " + fs.ShortTimeFormat,
                                                                picker->DateTime())
                                               : QString();
        StoreEditText(ACol, ARow, text);
    }
    EditMode = false;
    HideEditorControl(this, picker);
}
