// The cell editors on the edit controls: spin, edit with button, unit edit, push button, date, date
// and time, check box. A column grid on a shown offscreen form; each test gives a column its editor
// kind, opens the cell with F2 and drives the editor with real keys and mouse; events are logged.
#include "grid/core/ExtCGrid.h"
#include "grid/edit/GridEditors.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/DateText.h"
#include "platform/core/SysUtils.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace celleditorstest
{

// The grid with the editing state a test reads.
class TProbeGrid : public TExtColumnGrid
{
  public:
    using TExtColumnGrid::TExtColumnGrid;
    using TExtStringGrid::EditCheck;
    using TExtStringGrid::FCellCache;
};

class CellEditors : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TFormatSettings fs;
        fs.DecimalSeparator = '.';
        fs.ThousandSeparator = ',';
        fs.DateSeparator = '.';
        fs.TimeSeparator = ':';
        fs.ShortDateFormat = "dd.MM.yyyy";
        fs.ShortTimeFormat = "HH:mm";
        fs.LongTimeFormat = "HH:mm:ss";
        SetFormatSettings(fs);
        ResetBeepCount();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 600, 400);
        form->BeginLoading();
        grid = new TProbeGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 500, 200);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
        other = new TEdit(form.get());
        other->SetParent(form.get());
        other->SetBounds(10, 250, 100, 21);
        form->EndLoading();
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        grid->SetFocus();
        QApplication::processEvents();
        Hook();
    }
    void TearDown() override
    {
        form.reset();
        QApplication::processEvents();
        ResetFormatSettings();
    }

    void Hook()
    {
        grid->OnSpinClick = [this](TObject* s, int c, int r, int v, bool up) {
            log << QString("SpinClick(%1,%2,%3,%4%5)")
                       .arg(c)
                       .arg(r)
                       .arg(v)
                       .arg(up)
                       .arg(s == grid ? "" : ",?");
        };
        grid->OnEllipsClick = [this](TObject* s, int c, int r, QString& v) {
            log << QString("EllipsClick(%1,%2,%3%4)").arg(c).arg(r).arg(v).arg(s == grid ? "" : ",?");
            if (!Ellips.isNull())
                v = Ellips;
        };
        grid->OnCellValidate = [this](TObject*, int c, int r, QString& v, bool& valid) {
            log << QString("CellValidate(%1,%2,%3)").arg(c).arg(r).arg(v);
            valid = !Refuse;
        };
        grid->OnEditingDone = [this](TObject*) { log << "EditingDone"; };
    }
    // Column c edits with Kind; the cell (c, r) holds Text and becomes current.
    void Cell(int c, int r, TEditorType Kind, const QString& Text)
    {
        grid->Columns()->Items(c)->SetEditor(Kind);
        grid->SetCells(c, r, Text);
        // Entered from another cell: entering switches editing on for the column.
        grid->SetCol(c == 1 ? 2 : 1);
        grid->SetCol(c);
        grid->SetRow(r);
        grid->SetFocus();
        QApplication::processEvents();
    }
    static void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), K, M);
    }
    static void Type(const QString& Text)
    {
        for (QChar c : Text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    static void Served()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    // Opens the current cell's editor; the control that took the focus.
    template <class T> T* Open(T* Control)
    {
        Key(Qt::Key_F2);
        Served();
        return Control && Control->Visible() && Control->Focused() ? Control : nullptr;
    }
    QStringList Take()
    {
        QStringList l = log;
        log.clear();
        return l;
    }

    std::unique_ptr<TForm> form;
    TProbeGrid* grid = nullptr;
    TEdit* other = nullptr;
    QStringList log;
    QString Ellips;
    bool Refuse = false;
};

// ---- Spin --------------------------------------------------------------------------------------------

TEST_F(CellEditors, SpinHomeEndFireSpinClickPagesAndArrowsStepSilently)
{
    grid->Columns()->Items(1)->SpinMin = 0;
    grid->Columns()->Items(1)->SpinMax = 10;
    Cell(1, 1, edSpinEdit, "5");
    TGridSpin* spin = Open(grid->SpinEdit());
    ASSERT_NE(spin, nullptr);
    const TRect r = grid->CellRect(1, 1);
    EXPECT_EQ(spin->BoundsRect(), TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
    EXPECT_EQ(spin->Value(), 5);
    log.clear();
    Key(Qt::Key_End);
    EXPECT_EQ(spin->Value(), 0);
    Key(Qt::Key_Home);
    EXPECT_EQ(spin->Value(), 10);
    EXPECT_EQ(Take(), (QStringList{"SpinClick(1,1,0,0)", "SpinClick(1,1,10,1)"}));

    Key(Qt::Key_PageDown);
    Key(Qt::Key_Down);
    Key(Qt::Key_Up);
    Key(Qt::Key_PageUp);
    EXPECT_NE(spin->Value(), 0) << "the keys stepped";
    EXPECT_TRUE(Take().filter("SpinClick").isEmpty());

    Key(Qt::Key_End);
    log.clear();
    QTest::mouseClick(spin->Button()->UpButton()->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(spin->Value(), 1);
    EXPECT_EQ(Take(), QStringList{"SpinClick(1,1,1,1)"});
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "1");
    EXPECT_FALSE(spin->Visible());
}

TEST_F(CellEditors, SpinRefusalShowsTheCellTextAndEscapeRestores)
{
    Cell(1, 1, edSpinEdit, "5");
    TGridSpin* spin = Open(grid->SpinEdit());
    ASSERT_NE(spin, nullptr);
    spin->SelectAll();
    Type("7");
    EXPECT_EQ(spin->Text(), "7");
    Refuse = true;
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(spin->Text(), "5") << "the cell's text again";
    EXPECT_EQ(spin->SelStart(), 1);
    EXPECT_EQ(spin->SelLength(), 0);
    EXPECT_TRUE(spin->Visible() && spin->Focused()) << "open on its cell";
    EXPECT_EQ(grid->Cells(1, 1), "5");

    Refuse = false;
    spin->SelectAll();
    Type("8");
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "5");
    EXPECT_FALSE(spin->Visible());
    EXPECT_FALSE(grid->EditMode);
}

TEST_F(CellEditors, SpinShowReadsTheLeadingIntegerLeniently)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {{"12ab", 12}, {"", 0}, {"-12a", 12}, {"$1F", 31}, {"  7", 7}, {"0x10", 16}, {"-3", -3}};
    grid->Columns()->Items(1)->SpinMin = -100;
    grid->Columns()->Items(1)->SpinMax = 100;
    for (const auto& c : cases) {
        Cell(1, 1, edSpinEdit, c.text);
        TGridSpin* spin = Open(grid->SpinEdit());
        ASSERT_NE(spin, nullptr) << c.text;
        EXPECT_EQ(spin->Value(), c.value) << c.text;
        Key(Qt::Key_Escape);
        Served();
    }
    EXPECT_EQ(LenientStrToInt("2147483647x"), 2147483647);
}

TEST_F(CellEditors, SpinWithAllowEmptyValueStoresAnEmptyCell)
{
    Cell(1, 1, edSpinEdit, "3");
    grid->SpinEdit()->AllowEmptyValue = true;
    TGridSpin* spin = Open(grid->SpinEdit());
    ASSERT_NE(spin, nullptr);
    spin->SelectAll();
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "");
}

// ---- Edit with button --------------------------------------------------------------------------------

TEST_F(CellEditors, FloatEditBtnFilterWithCommaSeparator)
{
    TFormatSettings fs = FormatSettings();
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    SetFormatSettings(fs);
    Cell(1, 1, edFloatEditBtn, "1,5");
    TGridEditBtn* edit = Open(grid->BtnEdit());
    ASSERT_NE(edit, nullptr);
    edit->SetSelStart(3);
    Type(",");
    EXPECT_EQ(edit->Text(), "1,5") << "a second separator is dropped";
    Type(".");
    EXPECT_EQ(edit->Text(), "1,5") << "the thousand separator is dropped";
    EXPECT_EQ(BeepCount(), 0) << "both silently";
    edit->SelectAll();
    Type(",");
    EXPECT_EQ(edit->Text(), ",") << "the selection held the separator";
    edit->SetText("12");
    edit->SetSelStart(2);
    Type("-");
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(BeepCount(), 1);
    edit->SetSelStart(0);
    Type("-");
    EXPECT_EQ(edit->Text(), "-12");
}

TEST_F(CellEditors, NumericEditBtnFilterAndPaste)
{
    Cell(1, 1, edNumericEditBtn, "");
    TGridEditBtn* edit = Open(grid->BtnEdit());
    ASSERT_NE(edit, nullptr);
    Type("-");
    EXPECT_EQ(edit->Text(), "-");
    EXPECT_EQ(BeepCount(), 0);
    Type("-");
    Type("a");
    Type("4");
    EXPECT_EQ(edit->Text(), "-4");
    EXPECT_EQ(BeepCount(), 2);
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "");

    // A paste lands in the cell at once; the CR LF that ends it goes, one inside stays.
    Cell(1, 2, edEditBtn, "");
    edit = Open(grid->BtnEdit());
    ASSERT_NE(edit, nullptr);
    QApplication::clipboard()->setText("ab\r\n");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(grid->Cells(1, 2), "ab");
    edit->SelectAll();
    QApplication::clipboard()->setText("x\r\ny");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cells(1, 2), "x\r\ny");
    QApplication::clipboard()->clear();
    edit->SetText("k");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), "k") << "no text on the clipboard: nothing";
    Key(Qt::Key_Escape);
    Served();
}

TEST_F(CellEditors, EditBtnEllipsisEnterAndRefusal)
{
    Cell(1, 1, edEditBtn, "abc");
    TGridEditBtn* edit = Open(grid->BtnEdit());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text(), "abc");
    Ellips = "chosen";
    log.clear();
    edit->ClickButton(edit->Button());
    EXPECT_EQ(Take(), QStringList{"EllipsClick(1,1,abc)"});
    EXPECT_EQ(edit->Text(), "chosen");
    EXPECT_EQ(edit->SelLength(), 6);

    Refuse = true;
    Key(Qt::Key_Return);
    Served();
    EXPECT_TRUE(edit->Visible() && edit->Focused()) << "a refusal keeps it open";
    EXPECT_EQ(grid->Cells(1, 1), "abc");
    Refuse = false;
    edit->SetText("new");
    Key(Qt::Key_Return);
    Served();
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(grid->Cells(1, 1), "new");
}

// ---- Push button -------------------------------------------------------------------------------------

TEST_F(CellEditors, ButtonCoversTheCellLinesClicksAndEscapeRestores)
{
    Cell(2, 1, edButton, "Go");
    TGridButton* button = Open(grid->Btn());
    ASSERT_NE(button, nullptr);
    const TRect r = grid->CellRect(2, 1);
    EXPECT_EQ(button->BoundsRect(), TRect(r.Left - 1, r.Top - 1, r.Right, r.Bottom));
    EXPECT_EQ(button->Caption(), "Go");
    Ellips = "X";
    log.clear();
    QTest::mouseClick(button->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Take(), QStringList{"EllipsClick(2,1,Go)"});
    EXPECT_EQ(button->Caption(), "X");
    EXPECT_EQ(grid->Cells(2, 1), "X");

    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(2, 1), "Go") << "the cached text is back";
    EXPECT_FALSE(button->Visible());
    EXPECT_FALSE(button->Enabled());
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(Open(grid->Btn()), button) << "F2 opens it again";
}

TEST_F(CellEditors, ButtonArrowMovesTheGrid)
{
    Cell(2, 1, edButton, "Go");
    ASSERT_NE(Open(grid->Btn()), nullptr);
    Key(Qt::Key_Down);
    Served();
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(grid->Btn()->Visible());
    EXPECT_FALSE(grid->EditMode);
}

// ---- Unit edit ---------------------------------------------------------------------------------------

TEST_F(CellEditors, UnitEditSplitsAndJoinsAndKeepsTextWithoutUnit)
{
    TStringList units;
    units.Add("m");
    units.Add("mm");
    grid->BtnUnitEdit()->SetUnits(&units);
    const struct {
        const char* cell;
        const char* value;
        const char* unit;
    } cases[] = {{"5mm", "5", "mm"}, {"7m", "7", "m"}, {"12", "12", ""}, {"", "", ""}};
    for (const auto& c : cases) {
        Cell(1, 1, edUnitEditBtn, c.cell);
        TGridUnitEditBtn* edit = Open(grid->BtnUnitEdit());
        ASSERT_NE(edit, nullptr) << c.cell;
        EXPECT_EQ(edit->Text(), c.value) << c.cell;
        EXPECT_EQ(edit->UnitID(), c.unit) << c.cell;
        Key(Qt::Key_Return);
        Served();
        EXPECT_EQ(grid->Cells(1, 1), c.cell) << "stored back unchanged";
        EXPECT_FALSE(edit->Visible());
    }
    Cell(1, 1, edUnitEditBtn, "5mm");
    TGridUnitEditBtn* edit = Open(grid->BtnUnitEdit());
    ASSERT_NE(edit, nullptr);
    edit->SelectAll();
    Type("9");
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "9mm");
}

// ---- Date and time -----------------------------------------------------------------------------------

TEST_F(CellEditors, DateEditorLimitsCheckMarkAndEscape)
{
    grid->Columns()->Items(1)->SetEditor(edDateEdit);
    TGridDatePicker* picker = grid->DateTimePicker();
    ASSERT_NE(picker, nullptr);
    picker->SetMinDate(EncodeDate(2020, 1, 1));
    picker->SetMaxDate(EncodeDate(2030, 12, 31));

    Cell(1, 1, edDateEdit, "01.01.2020");
    ASSERT_NE(Open(picker), nullptr);
    EXPECT_EQ(picker->Date(), EncodeDate(2020, 1, 1)) << "a date on MinDate loads as it is";
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "01.01.2020");

    Cell(1, 2, edDateEdit, "05.05.2031");
    ASSERT_NE(Open(picker), nullptr);
    EXPECT_EQ(picker->Date(), EncodeDate(2030, 12, 30));
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(1, 2), "05.05.2031") << "Esc leaves the text as it was";

    Cell(1, 3, edDateEdit, "abc");
    ASSERT_NE(Open(picker), nullptr);
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(1, 3), "abc");
    EXPECT_FALSE(picker->Visible());

    picker->SetShowCheckbox(true);
    Cell(1, 1, edDateEdit, "03.03.2021");
    ASSERT_NE(Open(picker), nullptr);
    picker->SetChecked(false);
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "") << "unchecked stores an empty cell";
}

TEST_F(CellEditors, DateEditorAutoTabFollowsTheLastLetterOfItsFormat)
{
    TGridDatePicker* picker = grid->DateTimePicker();
    picker->SetFormat("dd.MM.yyyy");
    Cell(1, 1, edDateEdit, "15.06.2021");
    ASSERT_NE(Open(picker), nullptr);
    picker->SelectField(2);
    ASSERT_EQ(picker->FieldLetter(2), 'y');
    Type("2");
    Served();
    EXPECT_EQ(picker->SelectedField(), 2) << "a year digit stays in the year";

    picker->SelectField(0);
    Type("3");
    Served();
    EXPECT_EQ(picker->SelectedField(), 1) << "a changed day moves on";
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "15.06.2021");
}

TEST_F(CellEditors, DateAndTimeEditorEscapeKeepsTheTextEnterStoresShortFormats)
{
    Cell(1, 1, edDateTimeEdit, "01.02.2021 10:30");
    TGridDateTimePicker* picker = Open(grid->DateAndTimePicker());
    ASSERT_NE(picker, nullptr);
    picker->SetDateTime(EncodeDate(2022, 3, 4) + EncodeTime(11, 45, 0, 0));
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "01.02.2021 10:30");
    EXPECT_FALSE(picker->Visible());

    Cell(1, 1, edDateTimeEdit, "01.02.2021 10:30:15");
    picker = Open(grid->DateAndTimePicker());
    ASSERT_NE(picker, nullptr);
    picker->SetDateTime(EncodeDate(2022, 3, 4) + EncodeTime(11, 45, 0, 0));
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Cells(1, 1), "04.03.2022 11:45");
}

// ---- Check box ---------------------------------------------------------------------------------------

TEST_F(CellEditors, CheckBoxTogglesOnThePressAndStoresNothing)
{
    Cell(1, 1, edCheckBox, "Option");
    TGridCheckBox* check = Open(grid->EditCheck);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->Text(), "Option");
    EXPECT_FALSE(check->Checked());
    QTest::mousePress(check->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(check->Checked()) << "before the release";
    QTest::mouseRelease(check->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(check->Checked()) << "the release does not toggle again";
    Key(Qt::Key_Space);
    EXPECT_FALSE(check->Checked());

    ASSERT_FALSE(grid->Navigation()->AdvanceOnEnter);
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(1, 1), "Option");
    EXPECT_FALSE(check->Visible());
    EXPECT_TRUE(grid->Focused());
}

// ---- Creation ----------------------------------------------------------------------------------------

TEST_F(CellEditors, EagerEditorsComeWithTheGridLazyOnesOnFirstUse)
{
    auto* g = new TExtStringGrid(form.get());
    g->SetParent(form.get());
    EXPECT_NE(g->BtnEdit(), nullptr);
    EXPECT_NE(g->BtnUnitEdit(), nullptr);
    EXPECT_NE(g->Btn(), nullptr);
    EXPECT_EQ(g->BtnEdit()->ButtonCaption(), "...");
    TGridSpin* spin = g->SpinEdit();
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(g->SpinEdit(), spin) << "made once";
    EXPECT_EQ(spin->MaxValue, 100);
    EXPECT_FALSE(spin->Visible());
    EXPECT_NE(g->DateTimePicker(), nullptr);
    EXPECT_NE(g->DateAndTimePicker(), nullptr);
    EXPECT_TRUE(TExtStringGrid::DatePickersAvailable());
    EXPECT_THROW(TGridSpin(form.get()), EInvalidCast);
}

} // namespace celleditorstest
