// Mouse presses, double clicks and releases of the string and column grids on a shown form: real
// clicks on the grid's client area, events recorded by name and arguments in order.
#include "grid/GridOnForm.h"
#include "grid/core/ExtCGrid.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"
#include "platform/grid/InplaceEdit.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

QString Ev(const char* Name, int A, int B)
{
    return QStringLiteral("%1(%2,%3)").arg(Name).arg(A).arg(B);
}
QString Ev(const char* Name, int A, int B, bool State)
{
    return QStringLiteral("%1(%2,%3,%4)").arg(Name).arg(A).arg(B).arg(State ? "T" : "F");
}

QPoint Centre(const TRect& R)
{
    return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

// Records the events the forms bind, in order.
template <class G> void Record(G* g, std::vector<QString>& log)
{
    g->OnCanClickCell = [&log](TObject*, int ARow, int ACol, bool&) {
        log.push_back(Ev("CanClickCell", ARow, ACol));
    };
    g->OnClickCell = [&log](TObject*, int ARow, int ACol) { log.push_back(Ev("ClickCell", ARow, ACol)); };
    g->OnDblClickCell = [&log](TObject*, int ARow, int ACol) {
        log.push_back(Ev("DblClickCell", ARow, ACol));
    };
    g->OnCheckBoxClick = [&log](TObject*, int ACol, int ARow, bool S) {
        log.push_back(Ev("CheckBoxClick", ACol, ARow, S));
    };
    g->OnCheckBoxChange = [&log](TObject*, int ACol, int ARow, bool S) {
        log.push_back(Ev("CheckBoxChange", ACol, ARow, S));
    };
    g->OnCheckBoxMouseUp = [&log](TObject*, int ACol, int ARow, bool S) {
        log.push_back(Ev("CheckBoxMouseUp", ACol, ARow, S));
    };
    g->OnMouseDown = [&log](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("MouseDown"); };
    g->OnClick = [&log](TObject*) { log.push_back("Click"); };
    g->OnSelectCell = [&log](TObject*, int ACol, int ARow, bool&) {
        log.push_back(Ev("SelectCell", ACol, ARow));
    };
    g->OnColumnSize = [&log](TObject*, int ACol, bool&) {
        log.push_back(QStringLiteral("ColumnSize(%1)").arg(ACol));
    };
    g->OnEndColumnSize = [&log](TObject*, int ACol) {
        log.push_back(QStringLiteral("EndColumnSize(%1)").arg(ACol));
    };
}

bool Has(const std::vector<QString>& log, const QString& Prefix)
{
    return std::any_of(log.begin(), log.end(), [&](const QString& s) { return s.startsWith(Prefix); });
}

// ---- The data check-box column of the forms -------------------------------------------------------

class CheckBoxColumn : public GridOnForm<TExtColumnGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(600, 400);
        QApplication::setActiveWindow(form->Widget());
        grid->SetBounds(10, 10, 500, 300);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() | goEditing);
        grid->Columns()->Items(3)->SetEditor(edDataCheckBox);
        grid->SetCells(3, 2, "N");
        grid->SetCells(3, 3, "Y");
        grid->HideColumn(1);
        grid->SetFocus();
        grid->SetCol(2);
        grid->SetRow(2);
        QApplication::processEvents();
        Record(grid, log);
    }
    // The centre of display cell (2, 3): real column 3.
    QPoint CheckCell() const { return Centre(grid->CellRect(2, 3)); }
    void TearDown() override { form.reset(); }
    bool EditorShown() const { return grid->InplaceEditor() && grid->InplaceEditor()->Visible(); }

    std::vector<QString> log;
};

TEST_F(CheckBoxColumn, SpaceTogglesAndReportsTheRealColumn)
{
    QTest::keyClick(grid->Widget(), Qt::Key_Space);
    EXPECT_EQ(grid->Cells(3, 2), "Y");
    const std::vector<QString> expected{Ev("CheckBoxChange", 3, 2, true), Ev("CheckBoxClick", 3, 2, true)};
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(EditorShown());
}

TEST_F(CheckBoxColumn, ClickTogglesOnThePressAndReportsTheReleaseInTheirSpaces)
{
    QTest::mousePress(grid->Viewport(), Qt::LeftButton, {}, CheckCell());
    const std::vector<QString> pressed{Ev("CanClickCell", 3, 2), Ev("CheckBoxChange", 3, 3, false),
                                       Ev("CheckBoxClick", 2, 3, false), "MouseDown", "Click"};
    std::vector<QString> seen;
    for (const QString& e : log)
        if (!e.startsWith("SelectCell"))
            seen.push_back(e);
    EXPECT_EQ(seen, pressed);
    EXPECT_EQ(grid->Cells(3, 3), "N");
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    log.clear();
    QTest::mouseRelease(grid->Viewport(), Qt::LeftButton, {}, CheckCell());
    EXPECT_TRUE(Has(log, Ev("CheckBoxMouseUp", 3, 3, false)));
    EXPECT_FALSE(Has(log, "ClickCell"));
}

TEST_F(CheckBoxColumn, ReadOnlyColumnNeitherTogglesByKeyNorByClick)
{
    grid->Columns()->Items(3)->ReadOnly = true;
    QTest::keyClick(grid->Widget(), Qt::Key_Space);
    EXPECT_EQ(grid->Cells(3, 2), "N");
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, CheckCell());
    EXPECT_EQ(grid->Cells(3, 3), "Y");
    EXPECT_TRUE(Has(log, Ev("ClickCell", 3, 2)));
    EXPECT_FALSE(Has(log, "CheckBoxClick"));
}

// ---- Presses on a plain grid ----------------------------------------------------------------------

class ExtGridPress : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(600, 500);
        QApplication::setActiveWindow(form->Widget());
        grid->SetBounds(10, 10, 560, 400);
        grid->SetFocus();
        QApplication::processEvents();
    }
    void TearDown() override { form.reset(); }
    void Click(int ACol, int ARow)
    {
        QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, Centre(grid->CellRect(ACol, ARow)));
    }
    std::vector<QString> log;
};

TEST_F(ExtGridPress, PlainClickOrderAndARefusal)
{
    Record(grid, log);
    Click(3, 4);
    const std::vector<QString> expected{Ev("CanClickCell", 4, 3), "MouseDown", Ev("SelectCell", 3, 4),
                                        Ev("ClickCell", 4, 3)};
    ASSERT_GE(log.size(), expected.size());
    EXPECT_EQ(std::vector<QString>(log.begin(), log.begin() + 4), expected);

    grid->OnCanClickCell = [](TObject*, int, int, bool& Allow) { Allow = false; };
    const TGridRect before = grid->Selection();
    log.clear();
    Click(1, 2);
    EXPECT_EQ(grid->Selection(), before);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_FALSE(Has(log, "ClickCell"));
}

TEST_F(ExtGridPress, PressNearAHeaderBorderIsNoCellClick)
{
    grid->SetOptions(grid->Options() | goColSizing);
    Record(grid, log);
    const TRect r = grid->CellRect(2, 0);
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, QPoint(r.Left + 2, 5));
    EXPECT_FALSE(Has(log, "ClickCell"));
    log.clear();
    Click(2, 0);
    EXPECT_TRUE(Has(log, Ev("ClickCell", 0, 2)));
}

TEST_F(ExtGridPress, DoubleClickOnHeaderBordersAutoSizes)
{
    grid->SetOptions(grid->Options() | goColSizing);
    grid->SetCells(2, 1, "a rather long text for column two");
    grid->SetCells(3, 1, "and an even longer text for column three");
    Record(grid, log);
    struct Case {
        bool LeftEdge;
        int Sized;
    };
    for (Case c : {Case{true, 2}, Case{false, 3}}) {
        log.clear();
        const TRect r = grid->CellRect(3, 0);
        QTest::mouseDClick(grid->Viewport(), Qt::LeftButton, {},
                           QPoint(c.LeftEdge ? r.Left + 1 : r.Right - 1, 5));
        EXPECT_TRUE(Has(log, QStringLiteral("ColumnSize(%1)").arg(c.Sized)));
        EXPECT_TRUE(Has(log, QStringLiteral("EndColumnSize(%1)").arg(c.Sized)));
        EXPECT_GT(grid->ColWidths(c.Sized), 150);
    }

    // Right of the last column: the last header cell's right edge.
    grid->SetColWidths(4, 20);
    grid->SetCells(4, 1, "the last column's text is long too");
    log.clear();
    const TRect last = grid->CellRect(4, 0);
    QTest::mouseDClick(grid->Viewport(), Qt::LeftButton, {}, QPoint(last.Right + 2, 5));
    EXPECT_TRUE(Has(log, "EndColumnSize(4)"));
}

TEST_F(ExtGridPress, DoubleClickBelowTheRowsReachesTheFormsButSizesNothing)
{
    grid->SetOptions(grid->Options() | goColSizing);
    grid->SetRowCount(3);
    Record(grid, log);
    const TRect r = grid->CellRect(3, 2);
    const int w = grid->ColWidths(2);
    QTest::mouseDClick(grid->Viewport(), Qt::LeftButton, {}, QPoint(r.Left + 1, r.Bottom + 40));
    EXPECT_TRUE(Has(log, Ev("DblClickCell", -1, 3)));
    EXPECT_FALSE(Has(log, "ColumnSize"));
    EXPECT_EQ(grid->ColWidths(2), w);
}

TEST_F(ExtGridPress, CheckAllCheckSetsTheWholeColumn)
{
    grid->MouseActions()->CheckAllCheck = true;
    grid->SetOptions(grid->Options() | goEditing);
    grid->AddCheckBoxColumn(2, false, false);
    ASSERT_TRUE(grid->HasCheckBox(2, 0));
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, Centre(grid->CellRect(2, 0)));
    for (int r = 1; r < grid->RowCount(); ++r) {
        bool state = false;
        grid->GetCheckBoxState(2, r, state);
        EXPECT_TRUE(state) << "row " << r;
    }
}

TEST_F(ExtGridPress, HtmlCheckControlFlipsAndReportsTheOldValue)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetColWidths(2, 120);
    // The renderer lays out only controls with a WIDTH.
    grid->SetCells(2, 2, R"(<CONTROL ID="c1" TYPE="CHECK" VALUE="TRUE" WIDTH="16">)");
    QString reported;
    grid->OnControlClick = [&](TObject*, int, int, const QString& ID, const QString& Type,
                               const QString& Val) { reported = ID + "/" + Type + "/" + Val; };
    const TRect r = grid->CellRect(2, 2);
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, QPoint(r.Left + 8, r.Top + 8));
    EXPECT_EQ(grid->ControlValues(2, 2, "c1"), "FALSE");
    EXPECT_EQ(reported.toUpper(), "C1/CHECK/TRUE");
}

TEST_F(ExtGridPress, RadioGroupGapChoosesOnlyStrictlyInsideAnItem)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetColWidths(2, 200);
    TStringList items;
    items.Add("One");
    items.Add("Two");
    grid->AddRadio(2, 2, 1, -1, &items);
    std::vector<int> clicked;
    grid->OnRadioClick = [&](TObject*, int, int, int AIdx) { clicked.push_back(AIdx); };
    const TRect r = grid->CellRect(2, 2);
    const int spacing =
        grid->ControlLook()->ControlStyle() >= csWinXP ? 16 : grid->ControlLook()->RadioSize();
    const int first = grid->Canvas->TextWidth("One") + spacing;
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, QPoint(r.Left + first, r.Top + 5));
    EXPECT_TRUE(clicked.empty()) << "the boundary belongs to neither item";
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, QPoint(r.Left + first + 3, r.Top + 5));
    EXPECT_EQ(clicked, std::vector<int>{1});
    EXPECT_EQ(grid->Cells(2, 2), "Two");
}

TEST_F(ExtGridPress, FixedCellEditingStartsOnlyWithItsButton)
{
    // A left press edits with fceLeftClick, a right press only with fceRightClick.
    std::vector<QString> edits;
    grid->OnFixedEdit = [&](TObject*, int ACol, int ARow, TGridFixedCellEditor&, TStrings*) {
        edits.push_back(Ev("FixedEdit", ACol, ARow));
    };
    const QPoint header = Centre(grid->CellRect(2, 0));
    grid->MouseActions()->FixedRowsEdit = fceLeftClick;
    QTest::mouseClick(grid->Viewport(), Qt::RightButton, {}, header);
    EXPECT_TRUE(edits.empty());
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, header);
    EXPECT_EQ(edits, std::vector<QString>{Ev("FixedEdit", 2, 0)});
    grid->MouseActions()->FixedRowsEdit = fceRightClick;
    edits.clear();
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, header);
    EXPECT_TRUE(edits.empty());
    QTest::mouseClick(grid->Viewport(), Qt::RightButton, {}, header);
    EXPECT_EQ(edits, std::vector<QString>{Ev("FixedEdit", 2, 0)});
}

TEST_F(ExtGridPress, ReleaseReportsASelectionChangeOnlyWhenThereIsOne)
{
    std::vector<TGridRect> changes;
    grid->OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) {
        changes.push_back(TGridRect{L, T, R, B});
    };
    Click(1, 1); // the current cell already
    EXPECT_TRUE(changes.empty());
    Click(3, 2);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], (TGridRect{3, 2, 3, 2}));
}

// ---- Header sort clicks -------------------------------------------------------------------------

class RecordingSortGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    std::vector<QString> calls;
    void QSort() override
    {
        calls.push_back(QStringLiteral("QSort(%1,%2)")
                            .arg(SortSettings()->Column)
                            .arg(SortSettings()->Direction == sdAscending ? "asc" : "desc"));
    }
    void QUnSort() override { calls.push_back("QUnSort"); }
    void QSortIndexed() override { calls.push_back("QSortIndexed"); }
};

class SortClicks : public GridOnForm<RecordingSortGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(600, 400);
        grid->SetBounds(10, 10, 560, 300);
        grid->SortSettings()->SetShow(true);
        QApplication::processEvents();
    }
    void ClickHeader(int ACol)
    {
        QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, Centre(grid->CellRect(ACol, 0)));
    }
};

TEST_F(SortClicks, ClicksSortThenInvertThenUndo)
{
    std::vector<int> sorted;
    grid->OnClickSort = [&](TObject*, int ACol) { sorted.push_back(ACol); };
    ClickHeader(3);
    ClickHeader(3);
    EXPECT_EQ(grid->calls, (std::vector<QString>{"QSort(3,asc)", "QSort(3,desc)"}));
    EXPECT_EQ(grid->SortSettings()->Column, 3);

    grid->SortSettings()->UndoSort = true;
    grid->calls.clear();
    ClickHeader(3);
    EXPECT_EQ(grid->calls, std::vector<QString>{"QUnSort"});
    EXPECT_EQ(grid->SortSettings()->Column, -1);
    EXPECT_EQ(sorted, (std::vector<int>{3, 3, -1}));
}

TEST_F(SortClicks, NoSortWhenOffRefusedOrOnABorder)
{
    grid->SortSettings()->SetShow(false);
    ClickHeader(2);
    EXPECT_TRUE(grid->calls.empty());
    grid->SortSettings()->SetShow(true);

    grid->OnCanSort = [](TObject*, int, bool& DoSort) { DoSort = false; };
    ClickHeader(2);
    EXPECT_TRUE(grid->calls.empty());
    grid->OnCanSort = nullptr;

    grid->SetOptions(grid->Options() | goColSizing);
    const TRect r = grid->CellRect(2, 0);
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, QPoint(r.Right - 2, 5));
    EXPECT_TRUE(grid->calls.empty());

    // The release after a header-border double click neither sorts nor reports a check box.
    QTest::mouseDClick(grid->Viewport(), Qt::LeftButton, {}, QPoint(r.Right - 1, 5));
    EXPECT_TRUE(grid->calls.empty());
}

TEST_F(SortClicks, IndexSortBuildsTheListWithTheIndexKey)
{
    grid->SortSettings()->IndexShow = true;
    ClickHeader(2);
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, Qt::ShiftModifier, Centre(grid->CellRect(4, 0)));
    EXPECT_EQ(grid->SortIndexes()->Count(), 2);
    ClickHeader(3);
    ASSERT_EQ(grid->SortIndexes()->Count(), 1);
    EXPECT_EQ(grid->SortIndexes()->SortColumns(0), 3);
    EXPECT_EQ(grid->SortSettings()->Column, 3);
    EXPECT_EQ(grid->calls.size(), 3u);
}

// ---- Hooks --------------------------------------------------------------------------------------

TEST_F(ExtGridPress, ExportTextOfCheckBoxesAndHtml)
{
    grid->AddCheckBox(1, 1, true, false);
    grid->AddCheckBox(1, 2, false, false);
    grid->AddCheckBox(1, 3, cbGrayed);
    grid->AddCheckBox(1, 4, true, false);
    grid->SetCells(1, 4, "own");
    EXPECT_EQ(grid->GetExportCellText(1, 1), "Y");
    EXPECT_EQ(grid->GetExportCellText(1, 2), "N");
    EXPECT_EQ(grid->GetExportCellText(1, 3), "N") << "grayed counts as unchecked";
    EXPECT_EQ(grid->GetExportCellText(1, 4), "own");

    grid->SetCells(2, 1, "a<BR>b");
    EXPECT_EQ(grid->GetExportCellText(2, 1), "a<BR>b");
    grid->SaveWithHTML = false;
    EXPECT_EQ(grid->GetExportCellText(2, 1), "a\r\nb");
    grid->OnSaveCell = [](TObject*, int, int, QString& Value) { Value += "!"; };
    EXPECT_EQ(grid->GetExportCellText(2, 1), "a\r\nb!");
}

TEST_F(ExtGridPress, ImportTextPassesOnLoadCellIntoTheRawCell)
{
    grid->OnLoadCell = [](TObject*, int ACol, int ARow, QString& Value) {
        Value = QStringLiteral("%1@%2,%3").arg(Value).arg(ACol).arg(ARow);
    };
    grid->ImportCellText(2, 3, "x");
    EXPECT_EQ(grid->GetGridCell(2, 3), "x@2,3");
}

TEST_F(ExtGridPress, SelectionChangedHookFiresTheEvent)
{
    std::vector<TGridRect> changes;
    grid->OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) {
        changes.push_back(TGridRect{L, T, R, B});
    };
    grid->Look = glXP;
    grid->DoSelectionChanged(1, 2, 3, 4);
    EXPECT_EQ(changes, std::vector<TGridRect>{(TGridRect{1, 2, 3, 4})});
}

} // namespace
