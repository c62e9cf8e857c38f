// The column filter lists of the string grid: opening a list from the filter button, a single
// choice, ticked choices, closing by losing the focus, and the list settings.
#include "grid/core/ExtCGrid.h"
#include "grid/ops/OpsTestSupport.h"

#include <QCursor>
#include <QTest>

namespace opstest
{

class FilterDropDown : public OpsGridTest
{
  protected:
    // Header ("", "City", "Amount"), one data row per pair.
    TOpsGrid* Cities(std::initializer_list<std::pair<QString, QString>> Data)
    {
        auto* g = New();
        g->SetBounds(10, 10, 600, 300);
        g->SetColCount(3);
        g->SetRowCount(1 + int(Data.size()));
        g->SetColWidths(1, 120);
        g->SetColWidths(2, 120);
        g->SetCells(1, 0, "City");
        g->SetCells(2, 0, "Amount");
        int r = 1;
        for (const auto& [c, a] : Data) {
            g->SetCells(1, r, c);
            g->SetCells(2, r, a);
            ++r;
        }
        g->FilterDropDownAuto = true;
        return g;
    }
    TOpsGrid* Sample()
    {
        return Cities({{"New York", "500"}, {"Boston", "1500"}, {"Austin", "2500"}, {"Boston", "700"}});
    }
    // A left click on the filter button of the header cell of column ACol.
    static void ClickButton(TOpsGrid* g, int ACol)
    {
        const TRect cr = g->CellRect(ACol, 0);
        QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, QPoint(cr.Right - 10, cr.Top + 5));
        QApplication::processEvents();
    }
    static void Choose(TOpsGrid* g, int Index)
    {
        g->DropList()->SetItemIndex(Index);
        QTest::keyClick(g->DropList()->Widget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    static QStringList Shown(TOpsGrid* g, int ACol)
    {
        QStringList texts;
        for (int r = g->FixedRows(); r < g->RowCount(); ++r)
            texts << g->Cells(ACol, r);
        return texts;
    }
    static QStringList ListItems(TListBox* l)
    {
        QStringList items;
        for (int i = 0; i < l->Count(); ++i)
            items << l->Items->Strings(i);
        return items;
    }
};

TEST_F(FilterDropDown, ReleaseOnTheButtonOpensTheSingleList)
{
    auto* g = Sample();
    g->OnGetColumnFilter = [](TObject*, int Column, TStrings* List) {
        if (Column == 2)
            List->Add("Large=>1000");
    };
    ClickButton(g, 2);
    TDropList* list = g->DropList();
    ASSERT_TRUE(list->Visible());
    EXPECT_FALSE(g->DropCheckList()->Visible());
    EXPECT_EQ(g->FilterCol(), 2);
    const TRect cr = g->CellRect(2, 0);
    EXPECT_EQ(list->Left(), cr.Right - 16);
    EXPECT_EQ(list->Top(), cr.Top + 16);
    EXPECT_EQ(list->Width(), 150);
    EXPECT_EQ(list->Height(), 150);
    EXPECT_EQ(ListItems(list), (QStringList{"(All)", "1500", "2500", "500", "700", "Large"}));
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_TRUE(list->Focused());

    int done = 0;
    g->OnFilterDone = [&](TObject*) { ++done; };
    Choose(g, 5);
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(g->FilterCol(), -1);
    EXPECT_EQ(g->Filter()->ColumnFilter(2)->Condition, ">1000");
    EXPECT_EQ(Shown(g, 2), (QStringList{"1500", "2500"}));
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(g->FilterActive());

    // "(All)" takes the column's condition away again.
    ClickButton(g, 2);
    Choose(g, 0);
    EXPECT_FALSE(g->Filter()->HasFilter(2));
    EXPECT_EQ(Shown(g, 2), (QStringList{"500", "1500", "2500", "700"}));
    EXPECT_EQ(done, 2);
}

TEST_F(FilterDropDown, ChoicesWithBlanksAreQuoted)
{
    auto* g = Sample();
    ClickButton(g, 1);
    ASSERT_EQ(ListItems(g->DropList()), (QStringList{"(All)", "Austin", "Boston", "New York"}));
    Choose(g, 3);
    EXPECT_EQ(g->Filter()->ColumnFilter(1)->Condition, "\"New York\"");
    EXPECT_EQ(Shown(g, 1), (QStringList{"New York"}));

    // The event sees the choice and may empty the condition, which removes it.
    ClickButton(g, 1);
    int column = -1;
    QString friendly;
    g->OnFilterSelect = [&](TObject*, int Column, int, const QString& Friendly, QString& Condition) {
        column = Column;
        friendly = Friendly;
        Condition.clear();
    };
    Choose(g, 2);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(friendly, "Boston");
    EXPECT_FALSE(g->Filter()->HasFilter(1));
    EXPECT_EQ(g->RowCount(), 5);
}

TEST_F(FilterDropDown, WithoutAutoUpdateOnlyTheConditionChanges)
{
    auto* g = Sample();
    g->AutoFilterUpdate = false;
    ClickButton(g, 1);
    Choose(g, 1);
    EXPECT_EQ(g->Filter()->ColumnFilter(1)->Condition, "Austin");
    EXPECT_EQ(g->RowCount(), 5);
    g->SetFilterActive(true);
    EXPECT_EQ(Shown(g, 1), (QStringList{"Austin"}));
}

TEST_F(FilterDropDown, CheckListOrsTheTickedChoices)
{
    auto* g = Sample();
    g->FilterDropDownCheck = true;
    TFilterData* other = g->Filter()->Add();
    other->Column = 2;
    other->Condition = ">600";
    other = g->Filter()->Add();
    other->Column = 1;
    other->Condition = "Boston";
    ClickButton(g, 1);
    TDropCheckList* list = g->DropCheckList();
    ASSERT_TRUE(list->Visible());
    EXPECT_FALSE(g->DropList()->Visible());
    ASSERT_EQ(ListItems(list), (QStringList{"(All)", "Austin", "Boston", "New York"}));
    EXPECT_TRUE(list->Checked(2)) << "the column's present condition is ticked";
    EXPECT_FALSE(list->Checked(1));

    // Ticks by the user (Space on the current item).
    list->SetChecked(2, false);
    for (const int i : {1, 3}) {
        list->SetItemIndex(i);
        QTest::keyClick(list->Widget(), Qt::Key_Space);
    }
    QApplication::processEvents();
    EXPECT_TRUE(list->Checked(1));
    EXPECT_TRUE(list->Checked(3));
    ASSERT_EQ(g->Filter()->Count(), 2) << "other columns' conditions are dropped";
    EXPECT_EQ(g->Filter()->Items(0)->Condition, "Austin");
    EXPECT_EQ(g->Filter()->Items(0)->Operation, foNONE);
    EXPECT_EQ(g->Filter()->Items(1)->Condition, "\"New York\"");
    EXPECT_EQ(g->Filter()->Items(1)->Operation, foOR);
    EXPECT_EQ(Shown(g, 1), (QStringList{"New York", "Austin"}));
    EXPECT_TRUE(list->Visible());
    EXPECT_EQ(g->FilterCol(), 1);
}

TEST_F(FilterDropDown, LosingTheFocusOutsideCloses)
{
    auto* g = Sample();
    ClickButton(g, 2);
    ASSERT_TRUE(g->DropList()->Visible());
    QCursor::setPos(g->Widget()->mapToGlobal(QPoint(-50, -50)));
    g->SetFocus();
    QApplication::processEvents();
    EXPECT_FALSE(g->DropList()->Visible());
    EXPECT_EQ(g->FilterCol(), -1);
    EXPECT_EQ(g->RowCount(), 5);

    // A release elsewhere in the grid closes it too.
    ClickButton(g, 2);
    ASSERT_TRUE(g->DropList()->Visible());
    QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, QPoint(30, 60));
    QApplication::processEvents();
    EXPECT_FALSE(g->DropList()->Visible());
    EXPECT_EQ(g->FilterCol(), -1);
}

TEST_F(FilterDropDown, SizeAndPlace)
{
    auto* g = Cities({{"a", "1"}, {"bb", "2"}});
    g->FilterDropDown()->AutoSize = true;
    ClickButton(g, 1);
    TDropList* list = g->DropList();
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->Height(), 3 * list->ItemHeight() + 4);
    const QFontMetrics m(list->Widget()->font());
    EXPECT_EQ(list->Width(), m.horizontalAdvance("(All)") + 8 + 4);

    // With ColumnWidth the list takes the cell's left edge and width; a list that would leave the
    // grid ends at the column's right edge.
    g->FilterDropDown()->AutoSize = false;
    g->FilterDropDown()->ColumnWidth = true;
    ClickButton(g, 2);
    const TRect cr = g->CellRect(2, 0);
    EXPECT_EQ(list->Left(), cr.Left);
    EXPECT_EQ(list->Width(), cr.Right - cr.Left);
    g->FilterDropDown()->ColumnWidth = false;
    g->FilterDropDown()->Width = 2000;
    ClickButton(g, 1);
    EXPECT_EQ(list->Left(), 0);
    g->FilterDropDown()->Width = 200;
    g->SetColWidths(2, 400);
    ClickButton(g, 2);
    EXPECT_EQ(list->Left(), g->CellRect(2, 0).Right - 200);
}

TEST_F(FilterDropDown, SettingsAndBadInput)
{
    auto* g = Sample();
    g->SetFilterDropDownRow(1);
    EXPECT_EQ(g->FilterDropDownRow(), 0) << "only a fixed row";
    g->SetFixedRows(2);
    g->SetFilterDropDownRow(1);
    EXPECT_EQ(g->FilterDropDownRow(), 1);

    ::TFilterDropDown a, b;
    a.AutoSize = true;
    a.Color = clRed;
    a.Width = 77;
    a.ColumnWidth = true;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_FALSE(b.AutoSize);
    EXPECT_EQ(b.Color, clRed);
    EXPECT_EQ(b.Width, 77);
    EXPECT_TRUE(b.ColumnWidth);
    EXPECT_EQ(changes, 2) << "both glyphs were written";

    // No open list, or an index outside it: only the filter column is forgotten.
    auto* h = Sample();
    h->SelectFilterItem(0);
    h->ApplyFilterChecks();
    EXPECT_EQ(h->Filter()->Count(), 0);
    ClickButton(h, 1);
    h->SelectFilterItem(99);
    EXPECT_EQ(h->FilterCol(), -1);
    EXPECT_EQ(h->Filter()->Count(), 0);
}

TEST(ColumnGridFilter, TheColumnsOwnListGivesTheCondition)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(40, 40, 600, 400);
    auto* g = new TExtColumnGrid(form.get());
    g->SetParent(form.get());
    form->Show();
    QApplication::processEvents();
    g->SetColCount(3);
    g->SetRowCount(4);
    for (int r = 1; r <= 3; ++r)
        g->SetCells(2, r, QString::number(r * 10));
    TGridColumnItem* item = g->Columns()->Items(2);
    item->Filter()->Add("Small=<15");
    item->Filter()->Add("Big=>15");
    item->FilterCaseSensitive = true;
    g->AutoFilterDisplay = true;
    const TRect cr = g->CellRect(2, 0);
    QTest::mouseClick(g->Viewport(), Qt::LeftButton, {}, QPoint(cr.Right - 10, cr.Top + 5));
    QApplication::processEvents();
    ASSERT_TRUE(g->DropList()->Visible());
    EXPECT_EQ(g->DropList()->Items->Strings(1), "Big");
    g->DropList()->SetItemIndex(1);
    QTest::keyClick(g->DropList()->Widget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(g->Filter()->ColumnFilter(2)->Condition, ">15");
    EXPECT_TRUE(g->Filter()->ColumnFilter(2)->CaseSensitive);
    EXPECT_EQ(item->Header(), "Big");
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->FilterCol(), -1);
}

} // namespace opstest
