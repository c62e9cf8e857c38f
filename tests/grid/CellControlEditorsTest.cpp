// Form controls inside mini-HTML cells and fixed cells, edited in place on a shown form: real clicks
// and keys, events recorded in order.
#include "grid/edit/CellControlEditors.h"
#include "grid/GridOnForm.h"
#include "grid/base/HtmlRender.h"
#include "grid/base/HtmlText.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/ExtGridSettings.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

const QString TwoControls = QStringLiteral(
    R"(Name <CONTROL TYPE="EDIT" ID="a" VALUE="x" MAXLEN="5" WIDTH="60"> <B>Pin</B> )"
    R"(<CONTROL TYPE="BUTTON" ID="b" VALUE="Go" WIDTH="30"> <CONTROL TYPE="PASSWORD" ID="p" VALUE="" WIDTH="60">)");

class CellControls : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(700, 400);
        QApplication::setActiveWindow(form->Widget());
        grid->SetBounds(10, 10, 660, 300);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetColWidths(2, 400);
        grid->SetRowHeights(2, 40);
        grid->SetFocus();
        QApplication::processEvents();
    }
    void TearDown() override { form.reset(); }

    // The rectangle the press finds the control in (grid client coordinates).
    TRect ControlRect(int ACol, int ARow, const QString& ID)
    {
        const TRect cr = grid->CellRect(ACol, ARow);
        const TPoint off = grid->XYOffset;
        const TRect r(cr.Left + 1 + off.X, cr.Top + 1 + off.Y, cr.Right - off.X, cr.Bottom);
        QString anchor, plain, focus, title, value, type, id = ID;
        int w = 0, h = 0, anchors = 0, hit = -1;
        TRect ar, ctrl;
        RenderHTML(grid->Canvas, grid->Cells(grid->RealColIndex(ACol), ARow), r, nullptr, -1, -1, -1, -1, 1,
                   true, false, false, false, false, false, false, false, 1.0, grid->URLColor, clNone, clNone,
                   clGray, anchor, plain, focus, title, w, h, anchors, hit, ar, ctrl, id, value, type,
                   nullptr, nullptr, grid->Handle(), 0);
        return ctrl;
    }
    void ClickAt(const TRect& R)
    {
        QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {},
                          QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
        QApplication::processEvents();
    }
    QLineEdit* EditWidget() { return grid->ControlEdit()->LineEdit(); }
};

TEST_F(CellControls, EditAndPasswordControlsAreEditedInPlaceWithTabBetweenThem)
{
    grid->SetCells(2, 2, TwoControls);
    std::vector<QString> done;
    grid->OnControlEditDone = [&](TObject* Sender, int ARow, int ACol, const QString& ID, const QString& Type,
                                  const QString& Val) {
        EXPECT_EQ(Sender, grid);
        done.push_back(QStringLiteral("%1,%2,%3,%4,%5").arg(ARow).arg(ACol).arg(ID, Type, Val));
    };
    const TRect a = ControlRect(2, 2, "a");
    ASSERT_GT(a.Width(), 0);
    ClickAt(a);

    TControlEdit* e = grid->ControlEdit();
    ASSERT_TRUE(e->Visible());
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->Left(), a.Left + 1);
    EXPECT_EQ(e->Top(), a.Top + 8);
    EXPECT_EQ(e->Width(), a.Width() - 4);
    EXPECT_EQ(e->Height(), 14);
    EXPECT_EQ(e->MaxLength(), 5);
    EXPECT_EQ(e->BorderStyle(), bsNone);
    EXPECT_EQ(e->Text(), "x");

    e->SelectAll();
    QTest::keyClicks(EditWidget(), "hello!");
    EXPECT_EQ(e->Text(), "hello");
    QTest::keyClick(EditWidget(), Qt::Key_Tab);
    QApplication::processEvents();

    // Tab stored "hello" and skipped the button: the password control is open.
    EXPECT_TRUE(done.size() == 1 && done[0] == "2,2,a,EDIT,hello") << done.size();
    ASSERT_TRUE(e->Visible());
    EXPECT_EQ(e->PasswordChar(), QChar('*'));
    EXPECT_EQ(EditWidget()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(e->MaxLength(), 0);
    QTest::keyClicks(EditWidget(), "s3cret");
    QTest::keyClick(EditWidget(), Qt::Key_Return);
    QApplication::processEvents();

    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[1], "2,2,p,PASSWORD,s3cret");
    EXPECT_FALSE(e->Visible());
    EXPECT_TRUE(grid->Focused());
    QString expected = TwoControls;
    HTMLSetControlValue(expected, "a", "hello");
    HTMLSetControlValue(expected, "p", "s3cret");
    EXPECT_EQ(grid->Cells(2, 2), expected);
    // Every other part of the text stays byte for byte.
    EXPECT_TRUE(grid->Cells(2, 2).startsWith("Name <CONTROL"));
    EXPECT_TRUE(
        grid->Cells(2, 2).contains(R"( <B>Pin</B> <CONTROL TYPE="BUTTON" ID="b" VALUE="Go" WIDTH="30"> )"));
}

TEST_F(CellControls, TabPastTheLastControlGivesTheGridTheFocus)
{
    grid->SetCells(2, 2, TwoControls);
    ClickAt(ControlRect(2, 2, "p"));
    ASSERT_TRUE(grid->ControlEdit()->Focused());
    QTest::keyClick(EditWidget(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_FALSE(grid->ControlEdit()->Visible());
    EXPECT_TRUE(grid->Focused());
    // A second exit of the same edit changes nothing.
    int done = 0;
    grid->OnControlEditDone = [&](TObject*, int, int, const QString&, const QString&, const QString&) {
        ++done;
    };
    grid->CellControlEditExit(grid->ControlEdit());
    EXPECT_EQ(done, 0);
}

TEST_F(CellControls, MaskControlTakesItsPropAsEditMask)
{
    grid->SetCells(2, 2, R"(<CONTROL TYPE="MASK" ID="m" VALUE="" PROP="000" MAXLEN="5x" WIDTH="60">)");
    grid->EditCellControl(2, 2, "");
    QApplication::processEvents();
    TControlEdit* e = grid->ControlEdit();
    ASSERT_TRUE(e->Visible());
    EXPECT_EQ(e->EditMask(), "000");
    EXPECT_EQ(e->MaxLength(), 5);
}

TEST_F(CellControls, BadControlsOpenNothing)
{
    const QString text = R"(<CONTROL TYPE="CHECK" ID="c" VALUE="TRUE" WIDTH="16">)";
    grid->SetCells(2, 2, text);
    grid->EditCellControl(2, 2, "");
    QApplication::processEvents();
    EXPECT_FALSE(grid->ControlEdit()->Visible());
    EXPECT_FALSE(grid->ControlCombo()->Visible());
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->Cells(2, 2), text);
}

TEST_F(CellControls, ComboControlListOnlyWithItsDropCount)
{
    grid->SetCells(2, 2, R"(Mode <CONTROL TYPE="COMBO" ID="k" VALUE="Two" WIDTH="100">)");
    grid->OnControlComboList = [&](TObject* Sender, int ARow, int ACol, const QString& ID,
                                   const QString& Type, const QString& Val, TStringList* Values, bool& Edit,
                                   int& DropCount) {
        EXPECT_EQ(Sender, grid);
        EXPECT_EQ(ARow, 2);
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ID, "k");
        EXPECT_EQ(Type, "COMBO");
        EXPECT_EQ(Val, "Two");
        Values->Add("One");
        Values->Add("Two");
        Values->Add("Three");
        Edit = false;
        DropCount = 4;
    };
    std::vector<QString> picked;
    grid->OnControlComboSelect = [&](TObject*, int, int, int Index, const QString& ID, const QString& Val) {
        picked.push_back(QStringLiteral("%1,%2,%3").arg(Index).arg(ID, Val));
    };
    const TRect k = ControlRect(2, 2, "k");
    ASSERT_GT(k.Width(), 0);
    ClickAt(k);

    TControlCombo* c = grid->ControlCombo();
    ASSERT_TRUE(c->Visible());
    EXPECT_EQ(c->Style(), csDropDownList);
    EXPECT_TRUE(c->DroppedDown());
    EXPECT_EQ(c->DropDownCount(), 4);
    EXPECT_EQ(c->Combo()->maxVisibleItems(), 4);
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->Left(), k.Left - 1);
    EXPECT_EQ(c->Top(), k.Top + 4);
    EXPECT_EQ(c->Width(), k.Width());

    c->SetDroppedDown(false);
    QTest::keyClick(c->Combo(), Qt::Key_Down);
    QTest::keyClick(c->Combo(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(c->Visible());
    QString value;
    HTMLGetControlValue(grid->Cells(2, 2), "k", value);
    EXPECT_EQ(value, "Three");
    ASSERT_FALSE(picked.empty());
    EXPECT_EQ(picked.back(), "2,k,Three");
}

TEST(ControlComboAlone, KeysWithoutAGridParentRunOnlyTheComboHandling)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    TExtStringGrid grid(&form);
    TControlCombo combo(&grid);
    combo.SetParent(&form);
    bool exited = false;
    combo.OnExit = [&](TObject*) { exited = true; };
    for (char16_t key : {u'\r', u'\t', u'a'}) {
        char16_t k = key;
        combo.HandleKeyPress(k);
        EXPECT_EQ(k, key);
    }
    EXPECT_FALSE(exited);
}

// ---- Fixed cells ------------------------------------------------------------------------------------------

class FixedCellEdit : public CellControls
{
  protected:
    void SetUp() override
    {
        CellControls::SetUp();
        grid->MouseActions()->FixedRowsEdit = fceDblClick;
        grid->SetCells(2, 0, "Head");
        grid->SetCells(1, 1, "x");
    }
    void DblClickHeader()
    {
        const TRect r = grid->CellRect(2, 0);
        QTest::mouseDClick(grid->Viewport(), Qt::LeftButton, {},
                           QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        QApplication::processEvents();
    }
};

TEST_F(FixedCellEdit, RefusalKeepsTheEditorOnItsCellAndAcceptanceStoresAfterEditingDone)
{
    std::vector<QString> log;
    bool accept = false;
    grid->OnCellValidate = [&](TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid) {
        EXPECT_EQ(Sender, grid);
        log.push_back(QStringLiteral("Validate(%1,%2,%3)").arg(ACol).arg(ARow).arg(Value));
        Valid = accept;
    };
    grid->OnEditingDone = [&](TObject*) {
        log.push_back(QStringLiteral("EditingDone(%1)").arg(grid->Cells(2, 0)));
    };
    DblClickHeader();
    TGridTransEdit* e = grid->EditTrans;
    ASSERT_TRUE(e->Visible());
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->Text(), "Head");
    EXPECT_EQ(e->Col, 2);
    EXPECT_EQ(e->Row, 0);
    e->SelectAll();
    QTest::keyClicks(e->LineEdit(), "Title");

    grid->SetCol(1);
    grid->SetRow(1);
    EXPECT_FALSE(e->StopEdit());
    EXPECT_TRUE(e->Visible());
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Cells(2, 0), "Head");

    accept = true;
    EXPECT_TRUE(e->StopEdit());
    EXPECT_FALSE(e->Visible());
    EXPECT_EQ(grid->Cells(2, 0), "Title");
    const std::vector<QString> want{"Validate(2,0,Title)", "Validate(2,0,Title)", "EditingDone(Head)"};
    EXPECT_EQ(log, want);
}

TEST_F(FixedCellEdit, ComboListEditorTakesTheFixedComboValues)
{
    grid->MouseActions()->FixedRowsEditor = fceComboList;
    TStringList values;
    values.Add("Head");
    values.Add("Other");
    grid->MouseActions()->SetFixedComboValues(&values);
    DblClickHeader();
    TGridTransCombo* c = grid->ComboTrans;
    ASSERT_TRUE(c->Visible());
    EXPECT_EQ(c->Style(), csDropDownList);
    EXPECT_EQ(c->Items->Count(), 2);
    EXPECT_EQ(c->ItemIndex(), 0);
    c->SetItemIndex(1);
    EXPECT_TRUE(c->StopEdit());
    EXPECT_EQ(grid->Cells(2, 0), "Other");
}

TEST(FixedCellEditAlone, StopEditWithoutAGridHidesAndAnswersTrue)
{
    TForm form(nullptr);
    TGridTransEdit e(&form);
    e.SetParent(&form);
    e.SetVisible(true);
    EXPECT_TRUE(e.StopEdit());
    EXPECT_FALSE(e.Visible());
}

} // namespace
