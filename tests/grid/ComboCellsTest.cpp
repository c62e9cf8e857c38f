// Combo cells of the grid: the shared item list, the road of one combo edit by keys (show with the
// cell's item, Up/Down, Enter, Esc, refusals), hidden columns, the wheel, type-ahead with lookup and
// lookup history, and the drop-down width. A column grid on a shown offscreen form; keys go to the
// focused widget; every event is logged with its arguments and Sender.
#include "grid/core/ExtCGrid.h"
#include "grid/edit/ExtInplaceEdit.h"
#include "grid/edit/GridCombo.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace combocellstest
{

class ComboCells : public ::testing::Test
{
  protected:
    void SetUp() override
    {
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
        TGridColumnItem* kind = grid->Columns()->Items(2);
        kind->SetEditor(edComboList);
        for (const char* s : {"Bool", "Int8", "Int16"})
            kind->ComboItems()->Add(s);
        TGridColumnItem* check = grid->Columns()->Items(3);
        check->SetEditor(edDataCheckBox);
        other = new TEdit(form.get());
        other->SetParent(form.get());
        other->SetBounds(10, 250, 100, 21);
        form->EndLoading();
        grid->SetCells(2, 1, "Int8");
        grid->SetCells(2, 2, "xyz");
        Hook();
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        grid->SetFocus();
        QApplication::processEvents();
        log.clear();
    }
    void TearDown() override
    {
        form.reset();
        QApplication::processEvents();
    }

    void Hook()
    {
        auto sender = [this](TObject* s) {
            if (s != grid)
                log << "wrong sender";
        };
        grid->OnSelectCell = [=, this](TObject* s, int c, int r, bool&) {
            sender(s);
            log << QString("SelectCell(%1,%2)").arg(c).arg(r);
        };
        grid->OnGetEditorType = [=, this](TObject* s, int c, int r, TEditorType& e) {
            sender(s);
            log << QString("GetEditorType(%1,%2,%3)").arg(c).arg(r).arg(int(e));
        };
        grid->OnEditChange = [=, this](TObject* s, int c, int r, const QString& v) {
            sender(s);
            log << QString("EditChange(%1,%2,%3)").arg(c).arg(r).arg(v);
        };
        grid->OnComboChange = [=, this](TObject* s, int c, int r, int i, const QString& v) {
            sender(s);
            log << QString("ComboChange(%1,%2,%3,%4)").arg(c).arg(r).arg(i).arg(v);
        };
        grid->OnComboObjectChange = [=, this](TObject* s, int c, int r, int i, const QString& v, TObject* o) {
            sender(s);
            log << QString("ComboObjectChange(%1,%2,%3,%4,%5)")
                       .arg(c)
                       .arg(r)
                       .arg(i)
                       .arg(v)
                       .arg(o ? "obj" : "nil");
        };
        grid->OnEditingDone = [=, this](TObject* s) {
            sender(s);
            log << "EditingDone";
        };
        grid->OnEditCellDone = [=, this](TObject* s, int c, int r) {
            sender(s);
            log << QString("EditCellDone(%1,%2)").arg(c).arg(r);
        };
        grid->OnKeyPress = [this](TObject* s, char16_t& k) {
            log << QString("KeyPress(%1,%2)").arg(int(k)).arg(s == grid->Combobox() ? "combo" : "other");
        };
        grid->OnCellValidate = [=, this](TObject* s, int c, int r, QString& v, bool& valid) {
            sender(s);
            log << QString("CellValidate(%1,%2,%3)").arg(c).arg(r).arg(v);
            if (Validate)
                Validate(v, valid);
        };
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
    // The combo editor when it is open and focused.
    TGridCombo* Open() const
    {
        TGridCombo* c = grid->Combobox();
        return c && c->Visible() && c->Focused() ? c : nullptr;
    }
    void Served()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    void Wheel(int Delta)
    {
        TGridCombo* c = grid->Combobox();
        c->DoMouseWheel(0, Delta, TPoint(0, 0));
    }

    // The editing road as logged: repaints after the edit ask the editor kind again (through
    // HasComboBox), which is not part of the road.
    QStringList Road() const
    {
        QStringList r;
        bool done = false;
        for (const QString& e : log) {
            if (done && e.startsWith("GetEditorType"))
                continue;
            done = done || e == "EditingDone";
            r << e;
        }
        return r;
    }

    std::unique_ptr<TForm> form;
    TExtColumnGrid* grid = nullptr;
    TEdit* other = nullptr;
    QStringList log;
    std::function<void(QString&, bool&)> Validate;
};

// ---- Item list -----------------------------------------------------------------------------------------

TEST_F(ComboCells, ItemListOperationsAndTheirRefusals)
{
    ASSERT_NE(grid->Combobox(), nullptr);
    EXPECT_EQ(grid->UniCombo(), grid->Combobox());
    EXPECT_FALSE(grid->Combobox()->Visible());
    EXPECT_FALSE(grid->Combobox()->Enabled());
    TObject tag;
    grid->ClearComboString();
    grid->AddComboString("a");
    grid->AddComboStringObject("b", &tag);
    grid->AddComboString("c");
    EXPECT_EQ(grid->GetComboCount(), 3);
    EXPECT_EQ(grid->Combobox()->Items->Objects(1), &tag);

    EXPECT_TRUE(grid->RemoveComboString("c"));
    EXPECT_FALSE(grid->RemoveComboString("zz"));
    EXPECT_EQ(grid->GetComboCount(), 2);

    grid->SetComboSelection(1);
    EXPECT_EQ(grid->FComboIdx, 1);
    EXPECT_TRUE(grid->SetComboSelectionString("a"));
    EXPECT_EQ(grid->FComboIdx, 0);
    EXPECT_FALSE(grid->SetComboSelectionString("zz"));
    EXPECT_EQ(grid->FComboIdx, 0) << "an absent text leaves the selection";

    // The items come from the application through OnGetEditorProp first.
    int props = 0;
    grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
        ++props;
        grid->ClearComboString();
        grid->AddComboString("x");
        grid->AddComboString("y");
    };
    grid->SetComboIndex(1, 2, 1);
    EXPECT_EQ(grid->Cells(1, 2), "y");
    EXPECT_EQ(grid->GetComboIndex(1, 2), 1);
    EXPECT_EQ(grid->GetComboIndex(1, 1), -1);
    grid->SetComboIndex(1, 2, 2);
    grid->SetComboIndex(1, 2, -1);
    EXPECT_EQ(grid->Cells(1, 2), "y") << "an index outside the items writes nothing";
    EXPECT_EQ(props, 5);
}

TEST_F(ComboCells, WrapperWithoutGridIsRefused)
{
    EXPECT_THROW(TGridCombo(form.get()), EInvalidCast);
}

TEST_F(ComboCells, FormListFromOnGetEditorTypeIsExactlyTheCombosList)
{
    // A form answers edComboList for column 1 after loading its own list.
    TStringList types;
    types.Add("UINT");
    types.Add("INT");
    grid->OnGetEditorType = [&](TObject*, int c, int, TEditorType& e) {
        if (c == 1) {
            grid->ClearComboString();
            grid->Combobox()->Items->Assign(&types);
            e = edComboList;
        }
    };
    grid->SetCells(1, 1, "INT");
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_F2);
    TGridCombo* c = Open();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Items->Count(), 2);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->Style(), csDropDownList);
    Key(Qt::Key_Up);
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), "UINT");
}

// ---- The road of one edit ------------------------------------------------------------------------------

TEST_F(ComboCells, KeyboardRoadPicksStoresAndReportsInOrder)
{
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    TGridCombo* c = Open();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ItemIndex(), 1) << "the cell's own item, selected by code: no events";
    const TRect r = grid->CellRect(2, 1);
    EXPECT_EQ(c->BoundsRect(), TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->Cells(2, 1), "Int8") << "picking writes nothing yet";
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(2, 1), "Int16");
    Served();
    EXPECT_EQ(Road(), (QStringList{"SelectCell(2,1)", "GetEditorType(2,1,3)", "EditChange(2,1,Int16)",
                                   "ComboChange(2,1,2,Int16)", "ComboObjectChange(2,1,2,Int16,nil)",
                                   "CellValidate(2,1,Int16)", "EditingDone", "SelectCell(2,1)",
                                   "KeyPress(13,combo)", "EditCellDone(2,1)"}));
    EXPECT_FALSE(c->Visible());
    EXPECT_TRUE(grid->Focused());
    EXPECT_FALSE(grid->EditMode);
}

TEST_F(ComboCells, TextNotAnItemSelectsTheFirstAndEscapeKeepsTheCell)
{
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    log.clear();
    Key(Qt::Key_F2);
    TGridCombo* c = Open();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(log.filter("Change"), (QStringList{"EditChange(2,2,Bool)", "ComboChange(2,2,0,Bool)",
                                                 "ComboObjectChange(2,2,0,Bool,nil)"}));
    log.clear();
    Key(Qt::Key_Escape);
    Served();
    EXPECT_EQ(grid->Cells(2, 2), "xyz") << "Esc never writes the preselected item";
    EXPECT_TRUE(log.filter("CellValidate").isEmpty());
    EXPECT_TRUE(grid->Focused());

    // An empty list: nothing selected, nothing reported, Enter writes nothing.
    grid->Columns()->Items(2)->ComboItems()->Clear();
    log.clear();
    Key(Qt::Key_F2);
    c = Open();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_TRUE(log.filter("Change").isEmpty());
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->Cells(2, 2), "xyz");
}

TEST_F(ComboCells, HiddenColumnReportsRealAndDisplayColumns)
{
    grid->HideColumn(1);
    ASSERT_EQ(grid->ColCount(), 3);
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    grid->SetCol(1);
    log.clear();
    Key(Qt::Key_F2);
    ASSERT_NE(Open(), nullptr);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    Served();
    EXPECT_EQ(grid->AllCells(2, 1), "Int16");
    EXPECT_EQ(Road(),
              (QStringList{"GetEditorType(2,1,3)", "EditChange(1,1,Int16)", "ComboChange(2,1,2,Int16)",
                           "ComboObjectChange(2,1,2,Int16,nil)", "CellValidate(2,1,Int16)", "EditingDone",
                           "SelectCell(1,1)", "KeyPress(13,combo)", "EditCellDone(2,1)"}));
}

TEST_F(ComboCells, UpStaysWithTheListOrMovesWithComboGetUpDownOff)
{
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    ASSERT_NE(Open(), nullptr);
    Key(Qt::Key_Up);
    ASSERT_NE(Open(), nullptr) << "Up stays with the list";
    EXPECT_EQ(Open()->ItemIndex(), 0);
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid->Cells(2, 1), "Int8");

    grid->Navigation()->ComboGetUpDown = false;
    Key(Qt::Key_Down);
    ASSERT_EQ(grid->Row(), 2);
    Key(Qt::Key_F2);
    ASSERT_NE(Open(), nullptr);
    Key(Qt::Key_Up);
    Served();
    EXPECT_EQ(Open(), nullptr);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(2, 2), "Bool") << "the preselected item was stored";
}

TEST_F(ComboCells, EditableUpDownWithComboGetUpDownOffCommitsThenMovesOnce)
{
    grid->Columns()->Items(2)->SetEditor(edComboEdit);
    grid->Navigation()->ComboGetUpDown = false;
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    ASSERT_NE(Open(), nullptr);
    Open()->SetText("Int32");
    log.clear();
    Key(Qt::Key_Down);
    Served();
    EXPECT_EQ(grid->Cells(2, 1), "Int32");
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(log.filter("CellValidate"), QStringList{"CellValidate(2,1,Int32)"});
}

TEST_F(ComboCells, EditableLookupCompletesAndHistoryAddsOnce)
{
    grid->Columns()->Items(2)->SetEditor(edComboEdit);
    grid->Columns()->Items(2)->ComboItems()->Clear();
    grid->Columns()->Items(2)->ComboItems()->Add("Alpha");
    grid->Columns()->Items(2)->ComboItems()->Add("Alpine");
    grid->Lookup = true;
    grid->SetCells(2, 1, "");
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    TGridCombo* c = Open();
    ASSERT_NE(c, nullptr);
    Type("al");
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(c->Text().size(), 5);
    EXPECT_EQ(c->Text(), "alpha");
    EXPECT_EQ(c->SelStart(), 2);
    EXPECT_EQ(c->SelLength(), 3);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(c->Text(), "al") << "deleting is not undone by a new completion";
    EXPECT_EQ(c->SelLength(), 0);
    Key(Qt::Key_Escape);

    grid->Lookup = false;
    grid->LookupHistory = true;
    for (int i = 0; i < 2; ++i) {
        // The column reloads the shared list at each show: the second time it holds "Gamma" already.
        if (i == 1)
            grid->Columns()->Items(2)->ComboItems()->Add("Gamma");
        Key(Qt::Key_F2);
        c = Open();
        ASSERT_NE(c, nullptr);
        c->SetText("Gamma");
        other->SetFocus();
        QApplication::processEvents();
        EXPECT_FALSE(c->Visible());
        EXPECT_EQ(grid->Cells(2, 1), "Gamma") << "leaving stores";
        EXPECT_EQ(c->Items->Count(), 3);
        EXPECT_EQ(c->Items->IndexOf("Gamma"), 2);
        grid->SetFocus();
        QApplication::processEvents();
    }
}

TEST_F(ComboCells, WheelKeepsTheLastItemAndRefusalKeepsTheComboOpen)
{
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    TGridCombo* c = Open();
    ASSERT_NE(c, nullptr);
    log.clear();
    Wheel(-120);
    Wheel(-120);
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(log.filter("ComboChange"),
              (QStringList{"ComboChange(2,1,2,Int16)", "ComboChange(2,1,2,Int16)"}));
    Key(Qt::Key_Escape);

    // Editable combo, refused: stays open and focused, the refused text all selected, no default editor.
    grid->Columns()->Items(2)->SetEditor(edComboEdit);
    Validate = [](QString&, bool& valid) { valid = false; };
    Key(Qt::Key_F2);
    c = Open();
    ASSERT_NE(c, nullptr);
    c->SetText("bad");
    Key(Qt::Key_Return);
    Served();
    ASSERT_EQ(Open(), c);
    EXPECT_EQ(c->Text(), "bad");
    EXPECT_EQ(c->SelLength(), 3);
    EXPECT_EQ(grid->Cells(2, 1), "Int8");
    EXPECT_TRUE(grid->NormalEdit() == nullptr || !grid->NormalEdit()->Visible());
    EXPECT_EQ(grid->Col(), 2);

    // With no item selected the wheel reports the text and no object.
    Validate = nullptr;
    c->SetItemIndex(-1);
    c->SetText("free");
    log.clear();
    Wheel(120);
    EXPECT_EQ(log.filter("Change"), (QStringList{"EditChange(2,1,free)", "ComboChange(2,1,-1,free)",
                                                 "ComboObjectChange(2,1,-1,free,nil)"}));
}

TEST_F(ComboCells, DropDownWidthFollowsTheWidestItem)
{
    TGridCombo* c = grid->Combobox();
    const QString widest = "a rather long item text for the list";
    const int t = grid->Canvas->TextWidth(widest);
    c->SetBounds(0, 0, t - 50, 20);
    c->SetDropDownCount(8);
    c->Items->Clear();
    for (int i = 0; i < 19; ++i)
        c->Items->Add("x");
    c->Items->Add(widest);
    c->SizeDropDownWidth();
    EXPECT_EQ(c->DroppedWidth(), t + 25);
    c->Items->Clear();
    for (int i = 0; i < 4; ++i)
        c->Items->Add("x");
    c->Items->Add(widest);
    c->SizeDropDownWidth();
    EXPECT_EQ(c->DroppedWidth(), t + 8);
}

TEST_F(ComboCells, StartCharacterIsTypedOnceAndForgottenWhenItOpensNothing)
{
    grid->Columns()->Items(2)->SetEditor(edComboEdit);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    ASSERT_EQ(grid->Col(), 3);
    Key(Qt::Key_Space); // toggles the check box: no editor opens
    Key(Qt::Key_Left);
    Key(Qt::Key_F2);
    TGridCombo* c = Open();
    ASSERT_NE(c, nullptr);
    Served();
    EXPECT_EQ(c->Text(), "Int8") << "no stale start character";
    Key(Qt::Key_Escape);
    Type("Q");
    c = Open();
    ASSERT_NE(c, nullptr);
    Served();
    EXPECT_EQ(c->Text(), "Q");
}

TEST_F(ComboCells, ColourTonesColourTheComboButtonAndBorder)
{
    TColorTones tones;
    tones.Background = {0x00F0F0F0, 0x00101010, 0x00000000};
    tones.Foreground = {0x00E0E0E0, 0x00202020, 0x00000000};
    tones.Selected = {0x00C0C0C0, 0x00303030, 0x00FFFFFF};
    tones.Hover = {0x00D0D0D0, 0x00404040, 0x00000000};
    grid->SetColorTones(tones);
    TGridCombo* c = grid->Combobox();
    EXPECT_EQ(c->ButtonColor, TColor(0x00F0F0F0));
    EXPECT_EQ(c->ButtonColorHot, TColor(0x00D0D0D0));
    EXPECT_EQ(c->ButtonColorDown, TColor(0x00C0C0C0));
    EXPECT_EQ(c->ButtonBorderColor, TColor(0x00101010));
    EXPECT_EQ(c->BorderColor(), grid->Color());
    EXPECT_TRUE(c->Flat());
}

} // namespace combocellstest
