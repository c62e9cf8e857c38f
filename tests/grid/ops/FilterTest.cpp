// Row filtering of the string grid: the row test and its combinations, filter passes as stacked
// levels of hidden rows, the narrow-down while typing, and the footer row kept through all of it.
#include "grid/ops/OpsTestSupport.h"
#include "grid/ops/FloatingFooter.h"

namespace opstest
{

class Filter : public OpsGridTest
{
  protected:
    // Header row ("", "N", "T"), then one row per pair (column 1, column 2).
    TOpsGrid* Rows(std::initializer_list<std::pair<QString, QString>> Data, int Extra = 0)
    {
        auto* g = New();
        g->SetColCount(3);
        g->SetRowCount(1 + int(Data.size()) + Extra);
        g->SetCells(1, 0, "N");
        g->SetCells(2, 0, "T");
        int r = 1;
        for (const auto& [n, t] : Data) {
            g->SetCells(1, r, n);
            g->SetCells(2, r, t);
            ++r;
        }
        return g;
    }
    TOpsGrid* Sample() { return Rows({{"1", "x1"}, {"2", "x2"}, {"3", "y3"}, {"0", "y4"}}); }
    // The texts of a column in the shown data rows.
    static QStringList Shown(TOpsGrid* g, int ACol)
    {
        QStringList texts;
        // Row 0 is the header, also when no data row is left.
        for (int r = 1; r < g->RowCount() - g->FixedFooters; ++r)
            texts << g->Cells(ACol, r);
        return texts;
    }
};

TEST_F(Filter, AddAndInsertGiveTheirOperations)
{
    TFilter* f = grid->Filter();
    EXPECT_EQ(f->Add()->Operation, foNONE);
    EXPECT_EQ(f->Add()->Operation, foAND);
    EXPECT_EQ(f->Insert(0)->Operation, foSHORT);
    EXPECT_EQ(f->Count(), 3);
    EXPECT_EQ(f->Items(2)->Operation, foSHORT) << "Insert appends";
    TFilterData* c5 = f->ColumnFilter(5);
    EXPECT_EQ(f->Count(), 4);
    EXPECT_EQ(c5->Operation, foAND);
    EXPECT_EQ(f->ColumnFilter(5), c5);
    f->ColumnFilter(7);
    f->Items(1)->Column = 5;
    f->RemoveColumnFilter(5);
    EXPECT_FALSE(f->HasFilter(5));
    EXPECT_TRUE(f->HasFilter(7));
    EXPECT_EQ(f->Count(), 3);

    TFilterData copy(nullptr);
    TFilterData* src = f->Items(0);
    src->Condition = "a";
    src->Prefix = "$";
    src->Data = fcStripHTML;
    src->Method = fmLiteral;
    copy.Assign(src);
    EXPECT_EQ(copy.Condition, "a");
    EXPECT_EQ(copy.Prefix, "$");
    EXPECT_EQ(copy.Data, fcStripHTML);
    EXPECT_EQ(copy.Method, fmExpression) << "Method is not copied";
}

TEST_F(Filter, ItemsCombineByTheirOperation)
{
    struct Item {
        int Column;
        QString Condition;
        TFilterOperation Op;
        TFilterCells Data = fcVirtual;
    };
    struct Case {
        const char* Name;
        std::vector<Item> Items;
        QStringList Want;
    };
    const Case cases[] = {
        {"and", {{1, ">1", foNONE}, {2, "x*", foAND}}, {"x2"}},
        {"or", {{1, ">1", foNONE}, {2, "x*", foOR}}, {"x1", "x2", "y3"}},
        {"xor", {{1, ">1", foNONE}, {2, "y*", foXOR}}, {"x2", "y4"}},
        {"none drops the result so far", {{1, ">5", foNONE}, {2, "y*", foNONE}}, {"y3", "y4"}},
        {"a failing short item ends the test", {{1, ">1", foSHORT}, {2, "x*", foOR}}, {"x2", "y3"}},
        {"whole row, any case", {{0, "Y3", foNONE, fcRow}}, {"y3"}},
        {"stored text", {{2, "?4", foNONE, fcNormal}}, {"y4"}},
        {"column beyond the grid tests the empty text", {{50, "x*", foNONE}}, {}},
        {"empty condition passes", {{50, "", foNONE}}, {"x1", "x2", "y3", "y4"}},
    };
    for (const Case& k : cases) {
        auto* g = Sample();
        for (const Item& i : k.Items) {
            TFilterData* d = g->Filter()->Add();
            d->Column = int16_t(i.Column);
            d->Condition = i.Condition;
            d->Operation = i.Op;
            d->Data = i.Data;
        }
        g->SetFilterActive(true);
        EXPECT_EQ(Shown(g, 2), k.Want) << k.Name;
        EXPECT_EQ(g->FilterLevel(), 1) << k.Name;
    }
}

TEST_F(Filter, TextIsPreparedBeforeTheTest)
{
    struct Case {
        QStringList Texts;
        QString Condition, Prefix, Suffix;
        TFilterMethod Method;
        QStringList Want;
    };
    const Case cases[] = {
        {{"$150", "$50"}, ">100", "$", "", fmExpression, {"$150"}},
        {{"5 kg", "12 kg", "5 kgx"}, "<10", "", " kg", fmExpression, {"5 kg"}},
        {{"x1", "X1", " x1 "}, "x1", "", "", fmLiteral, {"x1", " x1 "}},
        {{EncodeWideText(QString::fromUtf8("\xc3\xa9t\xc3\xa9")), "ete"}, QString::fromUtf8("\xc3\xa9*"), "", "",
         fmExpression, {EncodeWideText(QString::fromUtf8("\xc3\xa9t\xc3\xa9"))}},
    };
    for (const Case& k : cases) {
        auto* g = New();
        g->SetRowCount(1 + int(k.Texts.size()));
        for (int i = 0; i < k.Texts.size(); ++i)
            g->SetCells(1, 1 + i, k.Texts[i]);
        TFilterData* d = g->Filter()->Add();
        d->Column = 1;
        d->Condition = k.Condition;
        d->Prefix = k.Prefix;
        d->Suffix = k.Suffix;
        d->Method = k.Method;
        g->SetFilterActive(true);
        EXPECT_EQ(Shown(g, 1), k.Want) << k.Condition.toStdString();
    }
}

TEST_F(Filter, CustomFilterAndFixedRowsHaveTheirSay)
{
    auto* g = Sample();
    g->Filter()->Add()->Condition = "nothing";
    g->Filter()->Items(0)->Column = 2;
    std::vector<int> asked;
    g->OnCustomFilter = [&](TObject*, int ARow, bool& Accept) {
        asked.push_back(ARow);
        Accept = ARow != 3 && !Accept;
    };
    g->SetFilterActive(true);
    EXPECT_EQ(asked, (std::vector<int>{1, 2, 3, 4})) << "fixed rows are never tested";
    EXPECT_EQ(Shown(g, 2), (QStringList{"x1", "x2", "y4"}));
    EXPECT_EQ(g->Cells(2, 0), "T");

    // An exception from the event passes to the caller with the update lock released.
    auto* h = Sample();
    h->OnCustomFilter = [](TObject*, int, bool&) { throw Exception("stop"); };
    EXPECT_THROW(h->SetFilterActive(true), Exception);
    EXPECT_EQ(h->UpdateCount(), 0);
}

TEST_F(Filter, NodeAndSummaryRowsStayWithNormalCellsOnly)
{
    for (const bool normalOnly : {true, false}) {
        auto* g = Rows({{"", "head"}, {"1", "a"}, {"2", "b"}, {"", "sum"}});
        g->AddNode(1, 3);
        g->MarkSummaryRow(4);
        g->FilterNormalCellsOnly = normalOnly;
        TFilterData* d = g->Filter()->Add();
        d->Column = 1;
        d->Condition = ">1";
        g->SetFilterActive(true);
        EXPECT_EQ(Shown(g, 2), normalOnly ? QStringList({"head", "b", "sum"}) : QStringList({"b"}));
    }
}

TEST_F(Filter, ActiveHidesAndShowsAgain)
{
    auto* g = Rows({{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}, {"5", "e"}}, 1);
    g->SetCells(1, 6, "footer");
    g->FloatingFooter()->SetVisible(true);
    g->FloatingFooter()->CalculateHiddenRows = false;
    g->FloatingFooter()->SetColumnCalc(2, acSUM);
    g->FloatingFooter()->SetColumnCalc(1, acSUM);
    ASSERT_EQ(g->Cells(1, 6), "15.00");
    std::vector<int> progress;
    g->OnFilterProgress = [&](TObject*, int16_t p) { progress.push_back(p); };
    TFilterData* d = g->Filter()->Add();
    d->Column = 1;
    d->Condition = ">=3";
    g->SetRow(5);
    g->SetTopRow(3);

    g->SetFilterActive(true);
    EXPECT_EQ(Shown(g, 2), (QStringList{"c", "d", "e"}));
    EXPECT_EQ(g->TopRow(), g->FixedRows());
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Cells(1, 4), "12.00") << "the footer row stays last and sums the shown rows";
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(progress.front(), 20);
    EXPECT_EQ(progress.size(), 6u);

    g->SetFilterActive(false);
    EXPECT_EQ(Shown(g, 2), (QStringList{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(g->Cells(1, 6), "15.00");
    EXPECT_EQ(g->FilterLevel(), 0);
    EXPECT_EQ(g->NumHiddenRows(), 0);

    // The same levels, taken off by RemoveLastFilter.
    g->SetFilterActive(true);
    d->Condition = "<5";
    g->ApplyFilter();
    EXPECT_EQ(Shown(g, 2), (QStringList{"c", "d"}));
    EXPECT_EQ(g->FilterLevel(), 2);
    EXPECT_FALSE(g->RemoveLastFilter()) << "one level left";
    EXPECT_EQ(Shown(g, 2), (QStringList{"c", "d", "e"}));
    EXPECT_FALSE(g->RemoveLastFilter());
    EXPECT_EQ(Shown(g, 2), (QStringList{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(g->Cells(1, 6), "15.00");
    EXPECT_FALSE(g->RemoveLastFilter()) << "no level";
    EXPECT_EQ(g->RowCount(), 7);
}

TEST_F(Filter, FooterRowSurvivesHiddenRows)
{
    // The footer row is carried along by every count change of hiding and showing.
    auto* g = Rows({{"1", "a"}, {"2", "b"}, {"3", "c"}}, 1);
    g->SetCells(2, 4, "foot");
    g->FloatingFooter()->SetVisible(true);
    g->HideRow(2);
    EXPECT_EQ(g->Cells(2, 3), "foot");
    g->UnHideRow(2);
    EXPECT_EQ(g->Cells(2, 4), "foot");
    EXPECT_EQ(Shown(g, 2), (QStringList{"a", "b", "c"}));

    TIntList list(0, 0);
    list.Add(1);
    list.Add(3);
    list.Add(4); // the footer row itself is never hidden by a level
    g->HideRowList(&list);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(2, 2), "foot");
    EXPECT_EQ(Shown(g, 2), (QStringList{"b"}));
    g->UnHideRowList();
    EXPECT_EQ(g->Cells(2, 4), "foot");
    EXPECT_EQ(Shown(g, 2), (QStringList{"a", "b", "c"}));
    g->HideRow(1);
    g->HideRow(3);
    g->UnHideRowsAll();
    EXPECT_EQ(g->Cells(2, 4), "foot");
    EXPECT_EQ(Shown(g, 2), (QStringList{"a", "b", "c"}));
}

TEST_F(Filter, NarrowDownStacksALevelPerCharacter)
{
    auto* g = Rows({{"1", "apple"}, {"2", "apricot"}, {"3", "banana"}, {"4", "grape"}});
    struct Step {
        QString Text;
        QStringList Want;
        int Level;
    };
    const Step steps[] = {
        {"a", {"apple", "apricot", "banana", "grape"}, 1},
        {"ap", {"apple", "apricot", "grape"}, 2},
        {"apr", {"apricot"}, 3},
        {"ap", {"apple", "apricot", "grape"}, 2},
        {"x", {}, 1},
        {"", {"apple", "apricot", "banana", "grape"}, 0},
    };
    for (const Step& s : steps) {
        g->NarrowDown(s.Text, 2);
        EXPECT_EQ(Shown(g, 2), s.Want) << s.Text.toStdString();
        EXPECT_EQ(g->FilterLevel(), s.Level) << s.Text.toStdString();
        EXPECT_EQ(g->Cells(2, 0), "T") << "the header stays";
    }
    EXPECT_EQ(g->NumHiddenRows(), 0);
    EXPECT_TRUE(g->FixedRowAlways());

    // The whole row, and a text with a blank (quoted) on a column.
    auto* h = Rows({{"1", "New York"}, {"2", "Newark"}, {"3", "york new"}});
    h->NarrowDown("new y", 2);
    EXPECT_EQ(Shown(h, 2), (QStringList{"New York"}));
    h->NarrowDown("", 2);
    h->NarrowDown("3", -1);
    EXPECT_EQ(Shown(h, 2), (QStringList{"york new"}));
}

TEST_F(Filter, NarrowDownToNothingKeepsRowsHiddenOtherwise)
{
    auto* g = Rows({{"1", "a"}, {"2", "b"}, {"3", "c"}});
    g->HideRow(2);
    g->NarrowDown("", 2);
    EXPECT_TRUE(g->IsHiddenRow(2));
    EXPECT_EQ(Shown(g, 2), (QStringList{"a", "c"}));
    g->UnHideRowsAll();
    EXPECT_EQ(Shown(g, 2), (QStringList{"a", "b", "c"}));

    // RemoveAllFilters without a level clears the conditions.
    g->Filter()->Add();
    g->RemoveAllFilters();
    EXPECT_EQ(g->Filter()->Count(), 0);
}

} // namespace opstest
