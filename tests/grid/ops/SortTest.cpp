// Sorting of the string grid: the comparison styles, blanks, ties and what travels with a row, the
// sort state text, unsorting, sorting inside nodes, and the restoring of the grid after a sort.
#include "grid/RegionalRecord.h"
#include "grid/ops/OpsTestSupport.h"

#include <QStringList>
#include <stdexcept>

namespace opstest
{

class Sort : public OpsGridTest
{
  protected:
    void SetUp() override
    {
        OpsGridTest::SetUp();
        grid->SetFixedCols(0);
        grid->SetColCount(2);
    }
    // Data rows of column ACol from row 1 on.
    void Fill(int ACol, const QStringList& Texts)
    {
        grid->SetRowCount(1 + int(Texts.size()));
        for (int i = 0; i < Texts.size(); ++i)
            grid->SetCells(ACol, 1 + i, Texts[i]);
    }
    QStringList Column(int ACol)
    {
        QStringList l;
        for (int r = grid->FixedRows(); r < grid->RowCount(); ++r)
            l << grid->Cells(ACol, r);
        return l;
    }
    void Reset()
    {
        grid->Compares = 0;
        grid->Swaps = 0;
    }
};

TEST_F(Sort, OrderByStyle)
{
    RegionalScope regional(DefaultRecord);
    struct Case {
        const char* Name;
        QStringList In;
        bool AutoFormat;
        TSortDirection Dir;
        TSortStyle Style; // ssAutomatic: no OnGetFormat
        QStringList Out;
    };
    const Case cases[] = {
        {"numbers detected", {"10", "9", "100"}, true, sdAscending, ssAutomatic, {"9", "10", "100"}},
        {"ordinal without AutoFormat",
         {"10", "9", "100"},
         false,
         sdAscending,
         ssAutomatic,
         {"10", "100", "9"}},
        {"numbers descending", {"10", "9", "100"}, true, sdDescending, ssAutomatic, {"100", "10", "9"}},
        {"dates dd/mm/yyyy",
         {"01/02/2020", "02/01/2020", "15/12/2019"},
         true,
         sdAscending,
         ssAutomatic,
         {"15/12/2019", "02/01/2020", "01/02/2020"}},
        {"date and time",
         {"01/02/2020 10:00", "01/02/2020 9:30"},
         true,
         sdAscending,
         ssAutomatic,
         {"01/02/2020 9:30", "01/02/2020 10:00"}},
        {"times", {"10:15", "9:30"}, true, sdAscending, ssAutomatic, {"9:30", "10:15"}},
        {"alphanumeric", {"10", "b", "2"}, true, sdAscending, ssAlphaNumeric, {"2", "10", "b"}},
        {"no case", {"b", "A", "a", "B"}, false, sdAscending, ssAlphaNoCase, {"A", "a", "b", "B"}},
        {"case", {"b", "A", "a", "B"}, false, sdAscending, ssAlphabetic, {"A", "B", "a", "b"}},
        {"financial", {"1,000.5", "999", "-2"}, false, sdAscending, ssFinancial, {"-2", "999", "1,000.5"}},
        {"EU short dates",
         {"02.01.2020", "01.02.2019", "31.12.2019"},
         false,
         sdAscending,
         ssShortDateEU,
         {"01.02.2019", "31.12.2019", "02.01.2020"}},
        {"US short dates",
         {"02/01/2020", "12/31/2019", "x"},
         false,
         sdAscending,
         ssShortDateUS,
         {"x", "12/31/2019", "02/01/2020"}},
        {"HTML tags ignored",
         {"<b>b</b>", "a", "<i>c</i>"},
         false,
         sdAscending,
         ssHTML,
         {"a", "<b>b</b>", "<i>c</i>"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Fill(0, c.In);
        for (int i = 0; i < c.In.size(); ++i)
            grid->SetCells(1, 1 + i, QString(QChar('a' + i)));
        grid->SetCells(0, 0, "head");
        grid->SortSettings()->AutoFormat = c.AutoFormat;
        const TSortStyle style = c.Style;
        grid->OnGetFormat = [style](TObject*, int, TSortStyle& S, QString&, QString&) {
            if (style != ssAutomatic)
                S = style;
        };
        grid->Sort(0, c.Dir);
        EXPECT_EQ(Column(0), c.Out);
        EXPECT_EQ(grid->Cells(0, 0), "head");
        // The other column travels with its row.
        for (int i = 0; i < c.Out.size(); ++i)
            EXPECT_EQ(grid->Cells(1, 1 + i), QString(QChar(char16_t('a' + c.In.indexOf(c.Out[i]))))) << i;
    }
}

TEST_F(Sort, PrefixAndSuffixAreLeftOutOfNumbers)
{
    Fill(0, {"EUR 10 net", "EUR 9 net", "EUR 100 net"});
    grid->OnGetFormat = [](TObject*, int, TSortStyle& S, QString& P, QString& X) {
        S = ssNumeric;
        P = "EUR ";
        X = " net";
    };
    grid->Sort(0, sdAscending);
    EXPECT_EQ(Column(0), QStringList({"EUR 9 net", "EUR 10 net", "EUR 100 net"}));
}

TEST_F(Sort, BlanksAndNonNumbers)
{
    struct Case {
        const char* Name;
        QStringList In;
        bool IgnoreBlanks;
        TSortBlankPosition Pos;
        TSortDirection Dir;
        QStringList Out;
    };
    const Case cases[] = {
        {"first ascending", {"", "b", "a"}, true, blFirst, sdAscending, {"", "a", "b"}},
        {"first descending", {"", "b", "a"}, true, blFirst, sdDescending, {"", "b", "a"}},
        {"last ascending", {"", "b", "a"}, true, blLast, sdAscending, {"a", "b", ""}},
        {"last descending", {"b", "", "a"}, true, blLast, sdDescending, {"b", "a", ""}},
        {"empty counts 0", {"5", "", "3"}, false, blFirst, sdAscending, {"", "3", "5"}},
        {"non-numbers after the numbers",
         {"5", "n/a", "12", "3"},
         false,
         blFirst,
         sdAscending,
         {"3", "5", "12", "n/a"}},
        {"non-numbers kept together",
         {"x", "5", "y", "-1"},
         false,
         blFirst,
         sdAscending,
         {"-1", "5", "x", "y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Fill(0, c.In);
        grid->SortSettings()->IgnoreBlanks = c.IgnoreBlanks;
        grid->SortSettings()->BlankPos = c.Pos;
        grid->Sort(0, c.Dir);
        EXPECT_EQ(Column(0), c.Out);
    }
}

TEST_F(Sort, TiesRunThroughTheNextColumnsAndEqualRowsNeverSwap)
{
    Fill(0, {"b", "a", "b", "a"});
    grid->SetCells(1, 1, "2");
    grid->SetCells(1, 2, "2");
    grid->SetCells(1, 3, "1");
    grid->SetCells(1, 4, "1");
    grid->Sort(0, sdAscending);
    EXPECT_EQ(Column(0), QStringList({"a", "a", "b", "b"}));
    EXPECT_EQ(Column(1), QStringList({"1", "2", "1", "2"}));

    Fill(0, {"x", "x", "x"});
    grid->SetCells(1, 1, "");
    grid->SetCells(1, 2, "");
    grid->SetCells(1, 3, "");
    Reset();
    grid->Sort(0, sdAscending);
    EXPECT_EQ(grid->Swaps, 0);
    EXPECT_GT(grid->Compares, 0);

    // Without Full only the sort column counts: a tie keeps the rows where they are.
    Fill(0, {"b", "a", "b"});
    grid->SetCells(1, 1, "2");
    grid->SetCells(1, 3, "1");
    grid->SortSettings()->Full = false;
    grid->Sort(0, sdAscending);
    EXPECT_EQ(Column(0), QStringList({"a", "b", "b"}));
}

TEST_F(Sort, ObjectsHeightsFlagsAndHiddenCellsTravelWithTheirRows)
{
    grid->SetColCount(3);
    Fill(0, {"c", "a", "b"});
    grid->SetCells(2, 1, "hidden c");
    grid->SetCells(2, 2, "hidden a");
    grid->SetCells(2, 3, "hidden b");
    grid->SetColors(1, 1, clRed); // row "c"
    grid->SetRowHeights(2, 40);   // row "a"
    grid->ShowModified()->Enabled = true;
    grid->SetRowModified(3, true); // row "b"
    grid->HideColumn(2);
    grid->SetRow(1); // the current row follows nothing without MoveRowOnSort

    grid->Sort(0, sdAscending);
    EXPECT_EQ(Column(0), QStringList({"a", "b", "c"}));
    EXPECT_EQ(grid->Colors(1, 3), clRed);
    EXPECT_FALSE(grid->HasCellProperties(1, 1));
    EXPECT_EQ(grid->RowHeights(1), 40);
    EXPECT_EQ(grid->RowHeights(3), grid->DefaultRowHeight());
    EXPECT_TRUE(grid->RowModified(2));
    EXPECT_FALSE(grid->RowModified(3));
    grid->UnHideColumn(2);
    EXPECT_EQ(Column(2), QStringList({"hidden a", "hidden b", "hidden c"}));
    EXPECT_EQ(grid->RowCount(), 4) << "the scratch rows are gone";
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(0, 5), "");
}

TEST_F(Sort, FixedFooterAndRowNumbersStay)
{
    grid->SetColCount(2);
    grid->SetFixedCols(1);
    Fill(1, {"c", "a", "b", "sum"});
    for (int r = 1; r <= 4; ++r)
        grid->SetCells(0, r, QString::number(r));
    grid->FloatingFooter()->SetVisible(true);
    ASSERT_EQ(grid->FixedFooters, 1);
    grid->SortSettings()->NormalCellsOnly = true;
    grid->SortSettings()->Direction = sdAscending;
    grid->SortSettings()->Column = 1;
    grid->QSort();
    EXPECT_EQ(Column(1), QStringList({"a", "b", "c", "sum"}));
    EXPECT_EQ(Column(0), QStringList({"1", "2", "3", "4"}));
    EXPECT_TRUE(grid->FloatingFooter()->Visible());
    EXPECT_EQ(grid->FixedFooters, 1);
    EXPECT_EQ(grid->RowCount(), 5);
}

TEST_F(Sort, NothingToSort)
{
    Fill(0, {"b", "a"});
    grid->SortSettings()->Column = -1;
    Reset();
    grid->QSort();
    EXPECT_EQ(Column(0), QStringList({"b", "a"}));
    EXPECT_EQ(grid->Compares, 0);
    // A column beyond the real columns compares empty texts.
    grid->Sort(7, sdAscending);
    EXPECT_EQ(grid->Swaps, 0);
    EXPECT_EQ(Column(0), QStringList({"b", "a"}));
    // An ignored column compares equal.
    grid->IgnoreColumns()->Add(0);
    grid->SortSettings()->Full = false;
    grid->Sort(0, sdAscending);
    EXPECT_EQ(Column(0), QStringList({"b", "a"}));
}

TEST_F(Sort, DisplayedTextsOrStoredTexts)
{
    Fill(0, {"1", "2", "3"});
    // Shown as "c", "b", "a": the displayed texts sort the other way round.
    grid->OnGetDisplText = [](TObject*, int ACol, int, QString& Value) {
        if (ACol == 0 && Value.size() == 1)
            Value = QString(QChar(char16_t('d' - Value.toInt())));
    };
    grid->Sort(0, sdAscending);
    grid->OnGetDisplText = nullptr;
    EXPECT_EQ(Column(0), QStringList({"3", "2", "1"}));
    EXPECT_EQ(grid->Cells(0, 4), "") << "scratch rows emptied";

    Fill(0, {"3", "1", "2"});
    grid->SortSettings()->SortOnVirtualCells = false;
    grid->OnGetDisplText = [](TObject*, int, int, QString& Value) { Value = "same"; };
    grid->Sort(0, sdAscending);
    grid->OnGetDisplText = nullptr;
    EXPECT_EQ(Column(0), QStringList({"1", "2", "3"}));
}

TEST_F(Sort, SingleColumnMovesOnlyTheSortColumn)
{
    Fill(0, {"b", "a"});
    grid->SetCells(1, 1, "1");
    grid->SetCells(1, 2, "2");
    grid->SortSettings()->SingleColumn = true;
    grid->Sort(0, sdAscending);
    EXPECT_EQ(Column(0), QStringList({"a", "b"}));
    EXPECT_EQ(Column(1), QStringList({"1", "2"}));
}

TEST_F(Sort, CustomAndRawComparisons)
{
    Fill(0, {"aaa", "b", "cc"});
    grid->OnGetFormat = [](TObject*, int, TSortStyle& S, QString&, QString&) { S = ssCustom; };
    // Only the sign of the handler's answer counts.
    grid->OnCustomCompare = [](TObject*, const QString& a, const QString& b, int& Res) {
        Res = int(a.size() - b.size()) * 10;
    };
    grid->Sort(0, sdAscending);
    EXPECT_EQ(Column(0), QStringList({"b", "cc", "aaa"}));

    grid->OnGetFormat = [](TObject*, int, TSortStyle& S, QString&, QString&) { S = ssRaw; };
    grid->OnRawCompare = [this](TObject*, int ACol, int R1, int R2, int& Res) {
        Res = QString::compare(grid->Cells(ACol, R2), grid->Cells(ACol, R1));
    };
    grid->Sort(0, sdAscending);
    EXPECT_EQ(Column(0), QStringList({"cc", "b", "aaa"}));
}

TEST_F(Sort, CheckBoxesSortUncheckedFirst)
{
    Fill(0, {"", "", ""});
    grid->SetCells(1, 1, "one");
    grid->SetCells(1, 2, "two");
    grid->SetCells(1, 3, "three");
    grid->AddCheckBox(0, 1, true, false);
    grid->AddCheckBox(0, 2, false, false);
    grid->AddCheckBox(0, 3, true, false);
    grid->Sort(0, sdAscending);
    EXPECT_EQ(Column(1), QStringList({"two", "one", "three"}));
    EXPECT_FALSE(grid->IsChecked(0, 1));
    EXPECT_TRUE(grid->IsChecked(0, 2));
}

TEST_F(Sort, ExceptionFromTheHandlerRestoresTheGrid)
{
    Fill(0, {"c", "b", "a"});
    grid->FloatingFooter()->SetVisible(true);
    grid->OnGetFormat = [](TObject*, int, TSortStyle& S, QString&, QString&) { S = ssCustom; };
    int calls = 0;
    grid->OnCustomCompare = [&calls](TObject*, const QString&, const QString&, int&) {
        if (++calls == 2)
            throw std::runtime_error("stop");
    };
    const int lock = grid->UpdateCount();
    EXPECT_THROW(grid->Sort(0, sdAscending), std::runtime_error);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->UpdateCount(), lock);
    EXPECT_TRUE(grid->FloatingFooter()->Visible());
    EXPECT_EQ(grid->FixedFooters, 1);
    EXPECT_EQ(grid->Cells(0, 4), "") << "scratch rows emptied";
}

TEST_F(Sort, StateText)
{
    grid->SetColCount(5);
    TSortSettings* s = grid->SortSettings();
    Fill(0, {"b", "a"});
    grid->Sort(0, sdAscending);
    EXPECT_EQ(s->SaveToString(), "u0");
    grid->Sort(3, sdDescending);
    EXPECT_EQ(s->SaveToString(), "d3");

    // (col1, col4) = (b,1), (a,1), (a,2), (b,2); ascending 1, then descending 4.
    Fill(1, {"b", "a", "a", "b"});
    const QStringList four{"1", "1", "2", "2"};
    for (int i = 0; i < 4; ++i)
        grid->SetCells(4, 1 + i, four[i]);
    s->LoadFromString("i;u1;d4");
    EXPECT_TRUE(s->IndexShow);
    EXPECT_TRUE(s->Show());
    EXPECT_EQ(Column(1), QStringList({"a", "a", "b", "b"}));
    EXPECT_EQ(Column(4), QStringList({"2", "1", "2", "1"}));
    EXPECT_EQ(s->SaveToString(), "i;u1;d4");

    s->LoadFromString("d2");
    EXPECT_FALSE(s->IndexShow);
    EXPECT_EQ(s->Column, 2);
    EXPECT_EQ(s->Direction, sdDescending);
    s->LoadFromString("ux"); // no number: Column stays, nothing sorts
    EXPECT_EQ(s->Column, 2);
    EXPECT_EQ(s->Direction, sdAscending);

    const QStringList before = Column(1);
    s->SetShow(false);
    s->LoadFromString("");
    EXPECT_FALSE(s->Show());
    EXPECT_EQ(Column(1), before);
    try {
        s->LoadFromString("x");
        ADD_FAILURE() << "no exception";
    } catch (const EExtGridError&) {
        ADD_FAILURE() << "wrong class";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Invalid sort settings specifier");
    }
    EXPECT_TRUE(s->Show());
}

TEST_F(Sort, SettingsRowAssignRemoveToggle)
{
    TSortSettings* s = grid->SortSettings();
    try {
        s->SetRow(grid->FixedRows());
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(s->Row(), 0);

    TOpsGrid* other = New();
    TSortSettings* o = other->SortSettings();
    o->Column = 3;
    o->Direction = sdDescending;
    o->Full = false;
    o->IgnoreCase = true;
    o->SortOnVirtualCells = false;
    o->BlankPos = blLast;
    o->SetHeaderColor(clRed);
    TBitmap glyph(4, 4);
    o->SetUpGlyph(&glyph);
    s->Assign(o);
    EXPECT_EQ(s->Column, 3);
    EXPECT_EQ(s->Direction, sdDescending);
    EXPECT_FALSE(s->Full);
    EXPECT_EQ(s->BlankPos, blLast);
    EXPECT_EQ(s->HeaderColor(), clRed);
    EXPECT_EQ(grid->SortHeaderColor(0), clRed);
    EXPECT_EQ(s->UpGlyph()->Width(), 4);
    EXPECT_NE(s->UpGlyph(), o->UpGlyph()) << "copied, not shared";
    EXPECT_FALSE(s->IgnoreCase) << "kept";
    EXPECT_TRUE(s->SortOnVirtualCells) << "kept";

    s->ToggleDirection();
    EXPECT_EQ(s->Direction, sdAscending);
    grid->SortIndexes()->AddIndex(1, true);
    s->Remove();
    EXPECT_EQ(s->Column, -1);
    EXPECT_EQ(grid->SortIndexes()->Count(), 0);
}

TEST_F(Sort, UnsortBringsBackTheOrderBeforeTheFirstSort)
{
    Fill(0, {"10", "9", "100"});
    grid->SetCells(1, 1, "z");
    grid->SetCells(1, 2, "x");
    grid->SetCells(1, 3, "y");
    grid->Sort(0, sdAscending);
    grid->Sort(1, sdAscending);
    EXPECT_EQ(Column(0), QStringList({"9", "100", "10"}));
    grid->QUnSort();
    EXPECT_EQ(Column(0), QStringList({"10", "9", "100"}));
    EXPECT_EQ(grid->SortedRowIndex(0), 0);
    for (int r = 0; r < grid->RowCount(); ++r)
        EXPECT_EQ(grid->SortedRowIndex(r), r);

    // Rows added since the sort: the list's error, before any row moves.
    grid->Sort(0, sdAscending);
    grid->AddRow();
    const QStringList sorted = Column(0);
    try {
        grid->QUnSort();
        ADD_FAILURE() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (4)");
    }
    EXPECT_EQ(Column(0), sorted);
}

TEST_F(Sort, IndexedSort)
{
    grid->SetColCount(3);
    Fill(0, {"b", "a", "b", "a"});
    const QStringList second{"1", "2", "2", "1"};
    for (int i = 0; i < 4; ++i)
        grid->SetCells(1, 1 + i, second[i]);
    EXPECT_THROW(grid->QSortIndexed(), EExtGridError);
    EXPECT_EQ(Column(0), QStringList({"b", "a", "b", "a"}));

    grid->SortIndexes()->AddIndex(0, false);
    grid->SortIndexes()->AddIndex(1, true);
    grid->QSortIndexed();
    EXPECT_EQ(Column(0), QStringList({"b", "b", "a", "a"}));
    EXPECT_EQ(Column(1), QStringList({"1", "2", "1", "2"}));

    // Without Full only the first entry counts: ties stay as they are.
    grid->SortSettings()->Full = false;
    grid->SortIndexes()->Clear();
    grid->SortIndexes()->AddIndex(0, true);
    grid->SortIndexes()->AddIndex(1, false);
    grid->QSortIndexed();
    EXPECT_EQ(Column(0), QStringList({"a", "a", "b", "b"}));
    EXPECT_EQ(Column(1), QStringList({"2", "1", "2", "1"}));
}

TEST_F(Sort, GroupSortSortsOnlyExpandedNodesChildren)
{
    // node 1: rows 2-4; node 5 (collapsed): rows 6-7; node 8: rows 9-10; row 11 outside.
    Fill(0, {"N1", "c", "a", "b", "N2", "z", "y", "N3", "f", "e", "q"});
    grid->AddNode(1, 4);
    grid->AddNode(5, 3);
    grid->AddNode(8, 3);
    grid->SetRowCount(13);
    grid->SetCells(0, 12, "d");
    grid->ContractNode(5);
    grid->SortSettings()->Column = 0;
    grid->QSortGroup();
    EXPECT_EQ(Column(0), QStringList({"N1", "a", "b", "c", "N2", "N3", "e", "f", "q", "d"}));
    grid->ExpandNode(5);
    EXPECT_EQ(grid->Cells(0, 6), "z");
    EXPECT_EQ(grid->Cells(0, 7), "y");
}

TEST_F(Sort, MoveRowOnSortFollowsTheCurrentRowAndRowUpdateFiresOtherwise)
{
    Fill(0, {"c", "a", "b"});
    grid->SetRow(1); // "c"
    grid->Navigation()->MoveRowOnSort = true;
    grid->Sort(0, sdAscending);
    EXPECT_EQ(grid->Row(), 3);

    grid->Navigation()->MoveRowOnSort = false;
    std::vector<std::pair<int, int>> updates;
    grid->OnRowUpdate = [&updates](TObject*, int OldRow, int NewRow) { updates.push_back({OldRow, NewRow}); };
    grid->Sort(0, sdDescending);
    EXPECT_EQ(grid->Row(), 3);
    ASSERT_FALSE(updates.empty());
    EXPECT_EQ(updates.back(), std::make_pair(3, 3));
}

// The incremental search looks in the sort column once the sort settings are shown.
TEST_F(Sort, SearchLooksInTheSortColumn)
{
    Fill(0, {"apple", "banana", "cherry"});
    Fill(1, {"cherry", "apple", "banana"});
    EXPECT_EQ(grid->Search("CH"), 3) << "without sort settings the first normal column";
    grid->SortSettings()->SetShow(true);
    grid->SortSettings()->Column = 1;
    EXPECT_EQ(grid->Search("CH"), 1);
    grid->SortSettings()->Column = -1;
    EXPECT_EQ(grid->Search("CH"), -1);
    grid->SortSettings()->IndexShow = true;
    grid->SortIndexes()->AddIndex(1, true);
    EXPECT_EQ(grid->Search("AP"), 2);
}

} // namespace opstest
