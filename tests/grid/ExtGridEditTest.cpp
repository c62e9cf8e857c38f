// In-place editing of the column grid as the program's forms set it up (no goEditing): the road of
// one edit, validation with refusal and correction, the moves that switch editing on and off, the
// default editor's filters, paste and lookup, hidden columns, Tab and Enter navigation, undo and the
// incremental search. Real grids on a shown offscreen form; keys go to the focused widget; every
// event is logged with its arguments and checked for its Sender.
#include "grid/base/UndoRedo.h"
#include "grid/core/ExtCGrid.h"
#include "grid/edit/EsgCheck.h"
#include "grid/edit/ExtInplaceEdit.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/SysUtils.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace extgridedittest
{

class ExtGridEdit : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TFormatSettings fs;
        fs.DecimalSeparator = '.';
        fs.ThousandSeparator = ',';
        SetFormatSettings(fs);
        ResetBeepCount();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 600, 400);
        form->BeginLoading();
        grid = new TExtColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 500, 200);
        grid->SetColCount(4);
        grid->SetRowCount(3);
        grid->SetFixedRows(1);
        grid->SetFixedCols(1);
        grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
        grid->Columns()->Items(1)->EditLength = 4;
        TGridColumnItem* check = grid->Columns()->Items(3);
        check->SetEditor(edDataCheckBox);
        check->CheckTrue = "Y";
        check->CheckFalse = "N";
        other = new TEdit(form.get());
        other->SetParent(form.get());
        other->SetBounds(10, 250, 100, 21);
        form->EndLoading();
        grid->SetCells(1, 1, "ab");
        Hook();
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        grid->SetFocus();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        form.reset();
        QApplication::processEvents();
        ResetFormatSettings();
    }

    // Every event of interest, logged as "Name(args)"; a wrong Sender is logged too.
    void Hook()
    {
        auto sender = [this](TObject* s) {
            if (s != grid)
                log << "wrong sender";
        };
        grid->OnGetEditorType = [=, this](TObject* s, int c, int r, TEditorType& e) {
            sender(s);
            log << QString("GetEditorType(%1,%2,%3)").arg(c).arg(r).arg(int(e));
        };
        grid->OnEditChange = [=, this](TObject* s, int c, int r, const QString& v) {
            sender(s);
            log << QString("EditChange(%1,%2,%3)").arg(c).arg(r).arg(v);
        };
        grid->OnEditingDone = [=, this](TObject* s) {
            sender(s);
            log << "EditingDone";
        };
        grid->OnEditCellDone = [=, this](TObject* s, int c, int r) {
            sender(s);
            log << QString("EditCellDone(%1,%2)").arg(c).arg(r);
        };
        grid->OnKeyPress = [=, this](TObject* s, char16_t& k) {
            sender(s);
            log << QString("KeyPress(%1)").arg(int(k));
        };
        grid->OnCellValidate = [=, this](TObject* s, int c, int r, QString& v, bool& valid) {
            sender(s);
            log << QString("CellValidate(%1,%2,%3)").arg(c).arg(r).arg(v);
            if (Validate)
                Validate(v, valid);
        };
    }
    QStringList Take(const QString& Prefix)
    {
        QStringList l;
        for (const QString& s : log)
            if (s.startsWith(Prefix))
                l << s;
        return l;
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
    // The editor, when it is the focused widget.
    TExtInplaceEdit* Editor() const
    {
        TExtInplaceEdit* e = grid->NormalEdit();
        return e && e->Visible() && e->Focused() ? e : nullptr;
    }
    void Served()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }

    std::unique_ptr<TForm> form;
    TExtColumnGrid* grid = nullptr;
    TEdit* other = nullptr;
    QStringList log;
    std::function<void(QString&, bool&)> Validate;
};

// ---- Life cycle ---------------------------------------------------------------------------------------

TEST_F(ExtGridEdit, PlainRoadTypesLiveAndEscapePutsTheOldTextBack)
{
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    ASSERT_EQ(grid->Col(), 1);
    log.clear();
    Key(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "ab");
    EXPECT_EQ(Editor()->SelLength(), 2);
    EXPECT_EQ(Take("GetEditorType"), QStringList{"GetEditorType(1,1,0)"});

    Type("xyz12");
    EXPECT_EQ(Editor()->Text(), "xyz1");
    EXPECT_EQ(grid->Cells(1, 1), "xyz1");
    EXPECT_EQ(Take("EditChange"), (QStringList{"EditChange(1,1,x)", "EditChange(1,1,xy)",
                                               "EditChange(1,1,xyz)", "EditChange(1,1,xyz1)"}));
    EXPECT_EQ(BeepCount(), 0);

    log.clear();
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid->Cells(1, 1), "ab");
    EXPECT_TRUE(Take("CellValidate").isEmpty());
    EXPECT_EQ(Take("KeyPress"), QStringList{"KeyPress(27)"});
    EXPECT_EQ(Take("EditingDone"), QStringList{"EditingDone"});
    EXPECT_TRUE(Take("EditCellDone").isEmpty()) << "the end is posted";
    Served();
    EXPECT_EQ(Take("Edit"), (QStringList{"EditingDone", "EditCellDone(1,1)"}));
    EXPECT_FALSE(grid->EditMode);
    EXPECT_FALSE(log.contains("wrong sender"));
}

TEST_F(ExtGridEdit, RefusalReopensAndCorrectionStandsWithOneEndReported)
{
    grid->InvalidEntryTitle = "Error";
    grid->InvalidEntryText = "Not allowed";
    Validate = [](QString& v, bool& valid) {
        if (v == "bad")
            valid = false;
        if (v == "fix") {
            v = "FIX";
            valid = false;
        }
    };
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_F2);
    log.clear();
    Type("bad");
    Key(Qt::Key_Return);
    EXPECT_EQ(Take("CellValidate"), QStringList{"CellValidate(1,1,bad)"});
    EXPECT_EQ(grid->Cells(1, 1), "ab");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(Editor()->Text(), "bad");
    EXPECT_EQ(Editor()->SelLength(), 3);
    EXPECT_EQ(LastEditBalloon().Edit, grid->NormalEdit());
    EXPECT_EQ(LastEditBalloon().Title, "Error");
    EXPECT_EQ(LastEditBalloon().Text, "Not allowed");
    EXPECT_EQ(LastEditBalloon().Icon, 2);
    Served();
    EXPECT_TRUE(Take("Edit").filter("Done").isEmpty()) << "a refusal is no end";

    log.clear();
    Type("fix");
    Key(Qt::Key_Return);
    EXPECT_EQ(Take("CellValidate"), QStringList{"CellValidate(1,1,fix)"});
    EXPECT_EQ(grid->Cells(1, 1), "FIX");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "FIX");

    log.clear();
    Key(Qt::Key_Return);
    Served();
    EXPECT_TRUE(Take("CellValidate").isEmpty());
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(grid->Cells(1, 1), "FIX");
    EXPECT_EQ(Take("Edit").filter("Done"), (QStringList{"EditingDone", "EditCellDone(1,1)"}));
}

TEST_F(ExtGridEdit, MovesSwitchEditingOnAndOffByColumn)
{
    grid->Columns()->Items(1)->ReadOnly = true;
    Key(Qt::Key_Right);
    ASSERT_EQ(grid->Col(), 2);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    Key(Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_FALSE(grid->Options().Contains(goEditing));
    EXPECT_TRUE(grid->IsEditable(2, 1)) << "editing is only disabled, not off";
    Key(Qt::Key_F2);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_FALSE(grid->EditMode);
    grid->SetCells(2, 1, "two");
    Key(Qt::Key_Right);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    // The old-cell record is the cell entered: an edit there validates against its text.
    Key(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    log.clear();
    Key(Qt::Key_Return);
    EXPECT_TRUE(Take("CellValidate").isEmpty());
}

TEST_F(ExtGridEdit, MergedNonBaseCellsAndDisabledRowsRefuseTheMove)
{
    grid->SetOptions(grid->Options() - goRangeSelect);
    grid->SetRowCount(4);
    grid->MergeCells(1, 2, 2, 1);
    grid->SetCol(2);
    grid->SetRow(1);
    grid->SetRow(2); // onto (2, 2), covered by the area based at (1, 2)
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);

    grid->SetRowEnabled(3, false);
    grid->Navigation()->SkipDisabledRows = true;
    grid->SetRow(3);
    EXPECT_EQ(grid->Row(), 2);
    grid->SetCol(0); // a fixed column
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(ExtGridEdit, EdNoneOpensNothing)
{
    grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
        if (c == 2)
            e = edNone;
    };
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    EXPECT_EQ(Editor(), nullptr);
    Key(Qt::Key_Return);
    Type("q");
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_FALSE(grid->EditMode);
    EXPECT_EQ(grid->Cells(2, 1), "");
}

TEST_F(ExtGridEdit, RaisingValidatorLeavesTheGridUsable)
{
    int calls = 0;
    Validate = [&calls](QString&, bool&) {
        if (++calls == 1)
            throw Exception("boom");
    };
    QString reported;
    Application->OnException = [&reported](TObject*, const std::exception& e) { reported = e.what(); };
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_F2);
    Type("xy");
    Key(Qt::Key_Return);
    EXPECT_EQ(reported, "boom");
    Application->OnException = nullptr;
    if (Editor())
        Key(Qt::Key_Escape);
    // The next edit validates again.
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    Type("zz");
    Key(Qt::Key_Return);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(grid->Cells(1, 1), "zz");
}

TEST_F(ExtGridEdit, GridDestroyedWithAnEndPostedFiresNothing)
{
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_F2);
    Type("q");
    int after = 0;
    Key(Qt::Key_Return);
    grid->OnEditCellDone = [&after](TObject*, int, int) { ++after; };
    delete grid;
    grid = nullptr;
    Served();
    EXPECT_EQ(after, 0);
}

TEST_F(ExtGridEdit, EditorOpenWhenTheGridGoesAway)
{
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_F2);
    Type("q");
    int events = 0;
    grid->OnEditingDone = [&events](TObject*) { ++events; };
    grid->OnCellValidate = [&events](TObject*, int, int, QString&, bool&) { ++events; };
    form.reset();
    Served();
    EXPECT_EQ(events, 0);
}

// ---- Hidden columns -------------------------------------------------------------------------------------

TEST_F(ExtGridEdit, HiddenColumnReportsRealAndDisplayColumns)
{
    auto* g = new TExtStringGrid(form.get());
    g->SetParent(form.get());
    g->SetBounds(10, 10, 500, 200);
    g->SetColCount(5);
    g->SetRowCount(3);
    g->SetCells(2, 1, "two");
    g->HideColumn(1);
    g->SetCol(2);
    g->SetCol(1);
    QStringList l;
    g->OnGetEditorType = [&l](TObject*, int c, int r, TEditorType&) {
        l << QString("Type(%1,%2)").arg(c).arg(r);
    };
    g->OnCellValidate = [&l](TObject*, int c, int r, QString& v, bool&) {
        l << QString("Validate(%1,%2,%3)").arg(c).arg(r).arg(v);
    };
    g->OnEditCellDone = [&l](TObject*, int c, int r) { l << QString("Done(%1,%2)").arg(c).arg(r); };
    g->OnEditChange = [&l](TObject*, int c, int r, const QString&) {
        l << QString("Change(%1,%2)").arg(c).arg(r);
    };
    g->OnSelectCell = [&l](TObject*, int c, int r, bool&) { l << QString("Select(%1,%2)").arg(c).arg(r); };
    g->SetOptions(g->Options() | goEditing);
    g->SetFocus();
    QApplication::processEvents();
    g->SetCol(2);
    g->SetCol(1);
    Key(Qt::Key_F2);
    Type("x");
    Key(Qt::Key_Return);
    Served();
    EXPECT_TRUE(l.contains("Type(2,1)")) << l.join(' ').toStdString();
    EXPECT_TRUE(l.contains("Change(1,1)"));
    EXPECT_TRUE(l.contains("Validate(2,1,x)"));
    EXPECT_TRUE(l.contains("Done(2,1)"));
    EXPECT_TRUE(l.contains("Select(1,1)"));
    EXPECT_EQ(g->Cells(2, 1), "x");
}

// ---- Filters, paste, lookup -----------------------------------------------------------------------------

struct TFilterCase {
    TEditorType Kind;
    QChar Decimal;
    QChar Thousand;
    QString Start;
    int Caret; // -1: typed over the loaded (selected) text
    QString Typed;
    QString Expected;
    int Beeps;
    int CaretAfter; // -1: not checked
};

TEST_F(ExtGridEdit, CharacterFiltersByKind)
{
    const TFilterCase cases[] = {
        {edNumeric, '.', ',', "", -1, "-12", "-12", 0, -1},
        {edNumeric, '.', ',', "12", 0, "-", "-12", 0, -1},
        {edNumeric, '.', ',', "-12", 0, "-", "-12", 1, -1},
        {edNumeric, '.', ',', "-1", 2, "-", "-1", 1, -1},
        {edPositiveNumeric, '.', ',', "", -1, "1-2", "12", 1, -1},
        {edFloat, ',', '.', "1,5", 3, ",.", "1,5", 0, -1},
        {edFloat, ',', '.', "1,5", 2, "-", "1,5", 1, -1},
        {edPositiveFloat, '.', ',', "", -1, "1-a", "1", 0, -1},
        {edMixedCase, '.', ',', "", -1, "hello world", "Hello World", 0, 11},
        {edUpperCase, '.', ',', "", -1, "abc", "ABC", 0, -1},
        {edLowerCase, '.', ',', "", -1, "ABC", "abc", 0, -1},
        {edValidChars, '.', ',', "", -1, "abd", "ab", 1, -1},
    };
    grid->ValidChars = "abc";
    int row = 1;
    for (const TFilterCase& t : cases) {
        SCOPED_TRACE(QString("kind %1 typed %2").arg(int(t.Kind)).arg(t.Typed).toStdString());
        TFormatSettings fs;
        fs.DecimalSeparator = t.Decimal;
        fs.ThousandSeparator = t.Thousand;
        SetFormatSettings(fs);
        ResetBeepCount();
        grid->OnGetEditorType = [&t](TObject*, int, int, TEditorType& e) { e = t.Kind; };
        grid->SetRowCount(row + 1);
        grid->SetCells(2, row, t.Start);
        grid->SetCol(2);
        grid->SetRow(row);
        Key(Qt::Key_F2);
        ASSERT_NE(Editor(), nullptr);
        if (t.Caret >= 0)
            Editor()->SetSelStart(t.Caret);
        Type(t.Typed);
        EXPECT_EQ(Editor()->Text(), t.Expected);
        EXPECT_EQ(BeepCount(), t.Beeps);
        if (t.CaretAfter >= 0)
            EXPECT_EQ(Editor()->SelStart(), t.CaretAfter);
        Key(Qt::Key_Escape);
        ++row;
    }
}

TEST_F(ExtGridEdit, PasteGoesThroughTheKindAndIntoTheCellAtOnce)
{
    QStringList after;
    grid->OnClipboardAfterPasteCell = [&after](TObject*, int c, int r, const QString& v) {
        after << QString("%1,%2,%3").arg(c).arg(r).arg(v);
    };
    auto paste = [&](const QString& clip, bool text = true) {
        auto* data = new QMimeData;
        if (text)
            data->setText(clip);
        else
            data->setData("application/x-other", "1");
        QApplication::clipboard()->setMimeData(data);
        Key(Qt::Key_V, Qt::ControlModifier);
    };
    Key(Qt::Key_Right); // column 2: no length limit
    Key(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    paste("12\r\n");
    EXPECT_EQ(Editor()->Text(), "12");
    EXPECT_EQ(grid->Cells(2, 1), "12");
    EXPECT_EQ(after.last(), "2,1,12");

    paste("", false);
    EXPECT_EQ(Editor()->Text(), "12") << "no text on the clipboard pastes nothing";
    Key(Qt::Key_Escape);

    EXPECT_EQ(grid->Cells(2, 1), "") << "Esc takes the paste back too";

    grid->SetCells(2, 1, "12");
    grid->OnGetEditorType = [](TObject*, int, int, TEditorType& e) { e = edNumeric; };
    Key(Qt::Key_F2);
    Editor()->SetSelStart(2);
    after.clear();
    paste("1a");
    EXPECT_EQ(Editor()->Text(), "12");
    EXPECT_EQ(after, QStringList{"2,1,12"});
    Key(Qt::Key_Escape);

    grid->OnGetEditorType = nullptr;
    Key(Qt::Key_Left); // column 1: EditLength 4
    Key(Qt::Key_F2);
    paste("toolong");
    EXPECT_EQ(Editor()->Text(), "ab");
}

TEST_F(ExtGridEdit, LookupCompletesUntilBackspace)
{
    grid->Lookup = true;
    grid->LookupItems()->Add("Alpha");
    grid->LookupItems()->Add("Alpine");
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    Type("al");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "alpha");
    EXPECT_EQ(Editor()->SelStart(), 2);
    EXPECT_EQ(Editor()->SelText(), "pha");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Editor()->Text(), "al");
    EXPECT_EQ(Editor()->SelLength(), 0);
    Key(Qt::Key_Shift);
    EXPECT_EQ(Editor()->Text(), "al") << "no completion until another key";
}

// ---- Navigation ----------------------------------------------------------------------------------------

TEST_F(ExtGridEdit, TabWalksTheEditableCellsAndWrapsBothWays)
{
    grid->SetOptions(grid->Options() | goEditing | goTabs);
    grid->Columns()->Items(2)->ReadOnly = true;
    grid->SetCol(1);
    grid->SetRow(1);
    Key(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_Tab); // typed into the editor
    EXPECT_EQ(grid->Col(), 3) << "column 2 is read-only";
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(Editor(), nullptr) << "a check-box cell opens no editor";
    EXPECT_TRUE(grid->AdvanceOnTab(false));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    ASSERT_NE(Editor(), nullptr) << "the walk opens the editor where it lands";
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 3);
    grid->AdvanceOnTab(false);
    EXPECT_EQ(grid->Col(), 1) << "wraps to the first data row";
    EXPECT_EQ(grid->Row(), 1);
    grid->AdvanceOnTab(true);
    EXPECT_EQ(grid->Col(), 3) << "Shift+Tab wraps back to the last data row";
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(ExtGridEdit, TabAtTheEndPassesTheFocusOn)
{
    grid->SetOptions(grid->Options() | goEditing | goTabs);
    grid->Navigation()->TabToNextAtEnd = true;
    grid->SetCol(3);
    grid->SetRow(2);
    grid->SetFocus();
    QApplication::processEvents();
    EXPECT_FALSE(grid->AdvanceOnTab(false));
    Served();
    EXPECT_TRUE(other->Focused());
}

TEST_F(ExtGridEdit, EnterAdvancesAppendsAndSkipsReadOnlyCells)
{
    grid->Navigation()->AdvanceOnEnter = true;
    grid->Navigation()->SetAdvanceInsert(true);
    grid->Columns()->Items(2)->ReadOnly = true;
    QStringList l;
    grid->OnAutoAddRow = [&l](TObject*, int r) { l << QString("AddRow(%1)").arg(r); };
    grid->OnAutoAdvance = [&l](TObject*, int oldRow, int oldCol, int& r, int& c, bool&) {
        l << QString("Advance(%1,%2->%3,%4)").arg(oldRow).arg(oldCol).arg(r).arg(c);
    };
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCol(1);
    grid->SetRow(1);
    Key(Qt::Key_F2);
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 3) << "column 2 is read-only";
    EXPECT_TRUE(l.contains("Advance(1,1->1,3)")) << l.join(' ').toStdString();
    grid->SetRow(2);
    grid->AdvanceAfterEdit(3, 2, false, false, true, false, false);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_TRUE(l.contains("AddRow(3)"));
}

TEST_F(ExtGridEdit, WalksOverAGridWithoutEditableCellsEndWhereTheyStarted)
{
    for (int c = 1; c < 4; ++c)
        grid->Columns()->Items(c)->ReadOnly = true;
    grid->SetRowCount(2000);
    grid->Navigation()->AdvanceOnEnter = true;
    grid->SetCol(1);
    grid->SetRow(5);
    grid->AdvanceAfterEdit(1, 5, true, false, true, true, false);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 5);

    grid->SetOptions(grid->Options() | goEditing | goTabs);
    grid->AdvanceOnTab(false);
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->Col(), 1);
    grid->AdvanceOnTab(true);
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(ExtGridEdit, ShiftTabInARowWithoutSelectableColumnsStays)
{
    auto* g = new TExtStringGrid(form.get());
    g->SetParent(form.get());
    g->SetColCount(3);
    g->SetRowCount(3);
    g->SetFixedCols(0);
    g->OnSelectCell = [](TObject*, int, int r, bool& can) { can = r != 1; };
    g->SetRow(2);
    g->SetCol(0);
    g->OnSelectCell = [](TObject*, int, int, bool& can) { can = false; };
    EXPECT_NO_THROW(g->AdvanceOnTab(true));
    EXPECT_EQ(g->Col(), 0);
    EXPECT_EQ(g->Row(), 2);
}

// ---- Undo, checker ---------------------------------------------------------------------------------------

TEST_F(ExtGridEdit, UndoRegistersTheOldTextOnlyForAChange)
{
    auto* undo = new VIvoDediZudaZove(form.get());
    grid->SetUndoRedo(undo);
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_F2);
    Type("xy");
    Key(Qt::Key_Return);
    ASSERT_EQ(undo->Items()->Count(), 1);
    const TUndoRedoItem* item = undo->Items()->Items(0);
    EXPECT_EQ(item->Col, 1);
    EXPECT_EQ(item->Row, 1);
    EXPECT_EQ(item->OrigValue, "ab");
    EXPECT_EQ(item->Value, "xy");

    grid->AlwaysValidate = true;
    log.clear();
    Key(Qt::Key_F2);
    Key(Qt::Key_Return);
    EXPECT_EQ(Take("CellValidate").size(), 1);
    EXPECT_EQ(undo->Items()->Count(), 1) << "an unchanged value registers nothing";
    undo->Undo();
    EXPECT_EQ(grid->Cells(1, 1), "ab");
}

class TUpperCheck : public TExtStringGridCheck
{
  public:
    using TExtStringGridCheck::TExtStringGridCheck;
    QString Correct(int, int, const QString& S) override { return S.toUpper(); }
    QString MarkError(int, int, const QString& S) override { return S + "!"; }
};

TEST_F(ExtGridEdit, CheckerCorrectsBeforeAndMarksAfterTheHandler)
{
    auto* check = new TUpperCheck(form.get());
    check->AutoCorrect = true;
    check->AutoMarkError = true;
    grid->CellChecker = check;
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_F2);
    Type("xy");
    log.clear();
    Key(Qt::Key_Return);
    EXPECT_EQ(Take("CellValidate"), QStringList{"CellValidate(1,1,XY)"});
    EXPECT_EQ(grid->Cells(1, 1), "XY!");
    TExtStringGridCheck plain(nullptr);
    EXPECT_EQ(plain.Correct(1, 1, "a"), "a");
    EXPECT_EQ(plain.MarkError(1, 1, "a"), "a");
}

// ---- Incremental search -----------------------------------------------------------------------------------

class TTimerGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    using TExtStringGrid::WMTimer;
};

TEST_F(ExtGridEdit, IncrementalSearchFollowsTheTypedPrefix)
{
    auto* g = new TTimerGrid(form.get());
    g->SetParent(form.get());
    g->SetBounds(10, 10, 400, 200);
    g->SetColCount(2);
    g->SetRowCount(4);
    g->SetFixedCols(0);
    g->SetCells(0, 1, "apple");
    g->SetCells(0, 2, "banana");
    g->SetCells(0, 3, "bandana");
    g->Navigation()->AutoGotoWhenSorted = true;
    g->Navigation()->AutoGotoIncremental = true;
    g->SetFocus();
    QApplication::processEvents();
    Type("band");
    EXPECT_EQ(g->Row(), 3);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(g->SearchInc, "ban");
    EXPECT_EQ(g->Row(), 2);
    for (int i = 0; i < 3; ++i)
        g->WMTimer(111);
    EXPECT_EQ(g->SearchInc, "ban");
    g->WMTimer(111);
    EXPECT_EQ(g->SearchInc, "") << "the fourth tick clears it";
    EXPECT_EQ(g->Search("ZZZ"), -1);
}

} // namespace extgridedittest
