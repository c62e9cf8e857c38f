// The column grid: items in real column order, copying rules, the hooks answered from the columns,
// data check-box columns, column moves with their items and data, column positions in an ini file
// and the column stream. A shown grid built in the loading bracket, a recording handler for events.
#include "grid/core/ExtCGrid.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/IniFiles.h"
#include "platform/system/RegistryIniFile.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <type_traits>

namespace extcgridtest
{

class ExtCGrid : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 700, 500);
        grid = New([](TExtColumnGrid* g) {
            g->SetColCount(3);
            g->SetRowCount(5);
        });
        form->Show();
        QApplication::processEvents();
    }
    template <class G = TExtColumnGrid> G* New(const std::function<void(std::type_identity_t<G>*)>& Setup)
    {
        form->BeginLoading();
        auto* g = new G(form.get());
        g->SetParent(form.get());
        g->SetFixedRows(1);
        g->SetFixedCols(1);
        Setup(g);
        form->EndLoading();
        return g;
    }
    QStringList Headers() const
    {
        QStringList l;
        for (int i = 0; i < grid->ColumnHeaders()->Count(); ++i)
            l << grid->ColumnHeaders()->Strings(i);
        return l;
    }

    std::unique_ptr<TForm> form;
    TExtColumnGrid* grid = nullptr;
};

TEST_F(ExtCGrid, ItemsFollowColumnsAndAddInheritsTheLook)
{
    ASSERT_EQ(grid->Columns()->Count(), 3);
    TGridColumnItem* c2 = grid->Columns()->Items(2);
    c2->SetEditor(edComboList);
    c2->ComboItems()->Add("A");
    c2->ComboItems()->Add("B");
    c2->DropDownCount = 5;
    c2->ReadOnly = true;
    c2->SetAlignment(taRightJustify);
    c2->SetColor(0x00A8FFFF);
    c2->SetWidth(50);
    c2->SetHeader("Len");
    EXPECT_EQ(grid->ColWidths(2), 50);
    EXPECT_EQ(grid->Cells(2, 0), "Len");

    TGridColumnItem* c3 = grid->Columns()->Add();
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(c3->Editor(), edComboList);
    EXPECT_TRUE(c3->ReadOnly);
    EXPECT_EQ(c3->Alignment(), taRightJustify);
    EXPECT_EQ(c3->ComboItems()->Count(), 0);
    EXPECT_EQ(c3->DropDownCount, 8);
    EXPECT_EQ(c3->Header(), "");
    EXPECT_EQ(c3->Color(), grid->Color());
    EXPECT_EQ(c3->Width(), 64);
    EXPECT_EQ(Headers(), QStringList({"", "", "Len", ""}));
    c3->SetHeader("Mode");
    EXPECT_EQ(grid->Cells(3, 0), "Mode");

    // Out of range: the collection's error, nothing changes.
    EXPECT_THROW(grid->Columns()->Items(4), EListError);
    EXPECT_THROW(grid->Columns()->Items(-1), EListError);
    EXPECT_EQ(grid->Columns()->Count(), 4);
    EXPECT_EQ(grid->GetVersionString(), "3.1.3.1 Aug, 2012");
}

TEST_F(ExtCGrid, HiddenColumnsKeepTheirItems)
{
    grid->SetColCount(15);
    grid->Columns()->Items(13)->Name = "thirteen";
    grid->HideColumn(5);
    EXPECT_EQ(grid->ColCount(), 14);
    EXPECT_EQ(grid->Columns()->Count(), 15);
    EXPECT_EQ(grid->Columns()->Items(13)->Name, "thirteen");
    EXPECT_EQ(grid->GetColumnByName("thirteen"), grid->Columns()->Items(13));
    grid->UnHideColumn(5);
    EXPECT_EQ(grid->Columns()->Count(), 15);
}

TEST_F(ExtCGrid, HeaderWithoutFixedRowsRebuildsOnlyTheList)
{
    grid->SetFixedRows(0);
    grid->SetCells(1, 0, "data");
    grid->Columns()->Items(1)->SetHeader("Cap");
    EXPECT_EQ(grid->Cells(1, 0), "data");
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(Headers(), QStringList({"", "Cap", ""}));
}

TEST_F(ExtCGrid, ColumnHeadersListSetsTheCaptions)
{
    TStringList list;
    list.Add("a");
    list.Add("b");
    grid->SetColumnHeaders(&list);
    EXPECT_EQ(grid->Columns()->Items(0)->Header(), "a");
    EXPECT_EQ(grid->Columns()->Items(1)->Header(), "b");
    EXPECT_EQ(grid->Cells(1, 0), "b");
}

TEST_F(ExtCGrid, CanEditAndComboFromTheColumns)
{
    grid->Columns()->Items(2)->SetEditor(edComboList);
    grid->Columns()->Items(2)->ReadOnly = true;
    grid->SetOptions(grid->Options() | goEditing);
    struct Case {
        int Col, Row;
        bool Editable;
    } cases[] = {{1, 0, false}, {0, 2, false}, {1, 2, true}, {2, 2, false}};
    for (const Case& c : cases) {
        bool can = true;
        grid->CanEditCell(c.Col, c.Row, can);
        EXPECT_EQ(can, c.Editable) << c.Col << "," << c.Row;
    }
    grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
        if (ACol == 2 && ARow == 2)
            CanEdit = true;
    };
    bool can = false;
    grid->CanEditCell(2, 2, can);
    EXPECT_TRUE(can);
    grid->SetReadOnly(1, 3, true);
    can = true;
    grid->CanEditCell(1, 3, can);
    EXPECT_FALSE(can);

    EXPECT_TRUE(grid->HasComboBox(2, 2));
    EXPECT_FALSE(grid->HasComboBox(2, 0));
}

TEST_F(ExtCGrid, LookHooksAnswerFromTheItemFirst)
{
    TGridColumnItem* item = grid->Columns()->Items(1);
    item->SetColor(clYellow);
    item->SetHeaderAlignment(taCenter);
    item->SetAlignment(taRightJustify);
    TBrush brush;
    TFont font;
    grid->GetCellColor(1, 2, TGridDrawState(), &brush, &font);
    EXPECT_EQ(TColor(brush.Color), clYellow);
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    grid->GetAlignment(1, 0, ha, va);
    EXPECT_EQ(ha, taCenter);
    grid->GetAlignment(1, 2, ha, va);
    EXPECT_EQ(ha, taRightJustify);

    // The editor kind query leaves a column's number format with the grid.
    item->SetFloatFormat("%.3f");
    TEditorType ed = edNormal;
    grid->GetCellEditorType(1, 2, ed);
    EXPECT_EQ(grid->FloatFormat, "%.3f");
    grid->GetCellEditorType(2, 2, ed);
    EXPECT_EQ(grid->FloatFormat, "%.3f");
    grid->SetFloats(2, 1, 1.5);
    EXPECT_EQ(grid->Cells(2, 1), "1.500");

    // The caller keeps its pen; the item copies it.
    auto pen = std::make_unique<TPen>();
    pen->Color = clRed;
    item->SetBorderPen(pen.get());
    pen.reset();
    EXPECT_EQ(TColor(item->BorderPen()->Color), clRed);
}

TEST_F(ExtCGrid, DataCheckBoxColumnsAnswerAsVirtualCheckBoxes)
{
    grid->SetColCount(4);
    grid->Columns()->Items(3)->SetEditor(edDataCheckBox);
    EXPECT_EQ(grid->GetCellType(3, 2), ctDataCheckBox);
    TCellGraphic* shared = grid->GetCellGraphic(3, 2);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->CellType(), ctVirtCheckBox);
    EXPECT_EQ(grid->GetCellGraphic(3, 3), shared);
    // Never freed by a removal.
    EXPECT_TRUE(grid->RemoveCellGraphic(3, 2));
    EXPECT_EQ(grid->GetCellGraphic(3, 2), shared);
    EXPECT_EQ(shared->CellType(), ctVirtCheckBox);

    grid->FixedFooters = 1;
    EXPECT_EQ(grid->GetCellType(3, 4), ctEmpty);
    EXPECT_EQ(grid->GetCellGraphic(3, 4), nullptr);
    EXPECT_EQ(grid->GetCellType(3, 0), ctEmpty);

    std::vector<int> events;
    grid->OnCheckBoxChange = [&](TObject*, int, int r, bool) { events.push_back(r); };
    const std::pair<const char*, bool> reads[] = {{"Y", true}, {"y", false}, {"", false}, {"N", false}};
    for (auto [text, checked] : reads) {
        grid->SetCells(3, 1, text);
        EXPECT_EQ(grid->IsChecked(3, 1), checked) << text;
    }
    grid->Columns()->Items(3)->CheckTrue = "Yes";
    EXPECT_TRUE(grid->SetCheckBoxState(3, 2, true));
    EXPECT_EQ(grid->Cells(3, 2), "Yes");
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(grid->ToggleCheckBox(3, 2));
    EXPECT_EQ(grid->Cells(3, 2), "N");
    EXPECT_EQ(events, std::vector<int>{2});
}

TEST_F(ExtCGrid, ColumnMoveCarriesItemsAndData)
{
    grid->SetColCount(7);
    TGridColumnItem* c2 = grid->Columns()->Items(2);
    c2->SetHeader("two");
    c2->SetEditor(edSpinEdit);
    c2->ComboItems()->Add("x");
    c2->ColumnPopupType = cpAllCellsLClick;
    c2->PrintBorderCustom = false;
    grid->SetColWidths(2, 33);
    grid->SetCells(2, 3, "cell");
    std::vector<std::pair<int, int>> moves;
    grid->OnAfterColumnMoved = [&](TObject*, int f, int t) { moves.push_back({f, t}); };

    grid->MoveColumn(2, 5);
    const TGridColumnItem* c5 = grid->Columns()->Items(5);
    EXPECT_EQ(c5->Header(), "two");
    EXPECT_EQ(c5->Editor(), edSpinEdit);
    EXPECT_EQ(c5->ComboItems()->Count(), 1);
    EXPECT_EQ(c5->ColumnPopupType, cpAllCellsLClick);
    EXPECT_FALSE(c5->PrintBorderCustom);
    EXPECT_EQ(grid->Columns()->Count(), 7);
    EXPECT_EQ(grid->Cells(5, 3), "cell");
    EXPECT_EQ(grid->ColWidths(5), 33);
    EXPECT_EQ(grid->ColWidths(2), 64);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 5}}));
}

TEST_F(ExtCGrid, SortColumnAndSortIndexesFollowColumnMoves)
{
    grid->SetColCount(7);
    struct Case {
        int Sorted, From, To, After;
    };
    for (const Case& c : {Case{2, 2, 5, 5}, Case{1, 4, 1, 2}, Case{3, 1, 3, 2}, Case{6, 1, 3, 6}}) {
        grid->SortSettings()->Column = c.Sorted;
        grid->MoveColumn(c.From, c.To);
        EXPECT_EQ(grid->SortSettings()->Column, c.After) << c.Sorted << ": " << c.From << " -> " << c.To;
    }
    // With the index display every listed column follows and keeps its direction.
    grid->SortSettings()->IndexShow = true;
    grid->SortIndexes()->Clear();
    grid->SortIndexes()->AddIndex(2, false);
    grid->SortIndexes()->AddIndex(4, true);
    grid->MoveColumn(2, 5);
    EXPECT_EQ(grid->SortIndexes()->SaveToString(), "d5;u3");
}

TEST_F(ExtCGrid, MovesKeepHiddenColumnsWithTheirRealColumn)
{
    grid->SetColCount(8);
    grid->SetColWidths(6, 41);
    grid->HideColumn(6); // real 6 hidden, width 41 saved
    grid->SetCells(2, 1, "two");
    grid->MoveColumn(2, 4); // display 2..4 = real 2..4, before the hidden one
    EXPECT_EQ(grid->Cells(4, 1), "two");
    EXPECT_TRUE(grid->IsHiddenColumn(6));
    EXPECT_EQ(grid->AllColWidths(6), 41);

    grid->SetCells(5, 1, "five");
    grid->MoveColumn(5, 1); // display 5 is real 5; the hidden real 6 stays where it is
    EXPECT_EQ(grid->Cells(1, 1), "five");
    EXPECT_TRUE(grid->IsHiddenColumn(6));
    EXPECT_EQ(grid->AllColWidths(6), 41);
    grid->UnHideColumn(6);
    EXPECT_EQ(grid->ColWidths(6), 41);
}

TEST_F(ExtCGrid, CellControlsTravelWithTheirColumns)
{
    grid->SetColCount(5);
    auto* a = new TEdit(form.get());
    auto* b = new TEdit(form.get());
    grid->SetCellControls(1, 2, a);
    grid->SetCellControls(3, 2, b);
    grid->MoveColumn(3, 1);
    EXPECT_EQ(grid->CellControls(2, 2), a);
    EXPECT_EQ(grid->CellControls(1, 2), b);
    const TRect r = grid->CellRect(2, 2);
    EXPECT_EQ(a->Left(), r.Left - 1);
}

TEST_F(ExtCGrid, RowMoveCarriesHeights)
{
    grid->SetRowCount(8);
    grid->SetRowHeights(2, 40);
    grid->SetCells(1, 2, "r2");
    int changes = 0;
    grid->OnRowMoved = [&](TObject*, int, int) { ++changes; };
    grid->MoveRow(2, 6);
    EXPECT_EQ(grid->Cells(1, 6), "r2");
    EXPECT_EQ(grid->RowHeights(6), 40);
    EXPECT_EQ(grid->RowHeights(2), grid->DefaultRowHeight());
    EXPECT_EQ(changes, 1);
}

TEST_F(ExtCGrid, ColumnPositionsInAnIniFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("cols.ini");
    for (int c = 0; c < 3; ++c)
        grid->Columns()->Items(c)->Name = QString::number(c);
    grid->SetColCount(4);
    grid->Columns()->Items(3)->Name = "3";
    grid->SetOrganization();
    grid->MoveColumn(1, 3); // order 0, 2, 3, 1
    grid->SaveColumnPositions(ini, "Grid");
    {
        TIniFile f(ini);
        EXPECT_EQ(f.ReadInteger("Grid", "CP0", -1), 0);
        EXPECT_EQ(f.ReadInteger("Grid", "CP1", -1), 2);
        EXPECT_EQ(f.ReadInteger("Grid", "CP2", -1), 3);
        EXPECT_EQ(f.ReadInteger("Grid", "CP3", -1), 1);
    }
    auto* fresh = New([](TExtColumnGrid* g) { g->SetColCount(4); });
    for (int c = 0; c < 4; ++c) {
        fresh->Columns()->Items(c)->Name = QString::number(c);
        fresh->SetCells(c, 1, QString::number(c));
    }
    fresh->LoadColumnPositions(ini, "Grid");
    const char* order[] = {"0", "2", "3", "1"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(fresh->Columns()->Items(c)->Name, order[c]) << c;
        EXPECT_EQ(fresh->Cells(c, 1), order[c]) << c;
    }
}

TEST_F(ExtCGrid, BadColumnPositionsMoveNothing)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("cols.ini");
    grid->SetColCount(4);
    for (int c = 0; c < 4; ++c)
        grid->SetCells(c, 1, QString::number(c));
    const std::vector<std::vector<int>> bad = {
        {0, 2, 3},    // CP3 missing
        {0, 2, 2, 1}, // no permutation
        {0, 9, 3, 1}, // out of range
    };
    for (const auto& values : bad) {
        QFile::remove(ini);
        {
            TIniFile f(ini);
            for (size_t i = 0; i < values.size(); ++i)
                f.WriteInteger("Grid", QStringLiteral("CP%1").arg(i), values[i]);
        }
        grid->LoadColumnPositions(ini, "Grid");
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(grid->Cells(c, 1), QString::number(c)) << values.size();
    }
}

TEST_F(ExtCGrid, RemoveColsClipsToTheItems)
{
    grid->SetColCount(5);
    grid->Columns()->Items(4)->Name = "last";
    grid->RemoveCols(3, 10);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->Columns()->Count(), 3);
    grid->RemoveCols(1, 1);
    EXPECT_EQ(grid->ColCount(), 2);
    EXPECT_EQ(grid->Columns()->Count(), 2);
}

TEST_F(ExtCGrid, ColumnStreamRoundTripAndBadStreams)
{
    grid->SetColCount(3);
    TGridColumnItem* c = grid->Columns()->Items(1);
    c->SetHeader("Cap & <x>");
    c->SetEditor(edComboEdit);
    c->ComboItems()->Add("one");
    c->Filter()->Add("Big=>100");
    c->SetAlignment(taCenter);
    c->SetBorders({cbTop, cbBottom});
    c->BorderPen()->Color = clRed;
    c->Font()->Size = 13;
    c->HeaderFont()->Style = fsBold;
    c->PrintFontCustom = false;
    c->CheckTrue = "J";
    c->SpinStep = 5;
    c->Tag = 77;
    c->SetFloatFormat("%.1f");
    c->ColumnPopupType = cpNormalCellsRClick;
    c->SetWidth(90);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    grid->SaveColumnsToStream(&buffer);

    auto* other = New([](TExtColumnGrid* g) { g->SetColCount(3); });
    buffer.seek(0);
    other->LoadColumnsFromStream(&buffer);
    const TGridColumnItem* d = other->Columns()->Items(1);
    EXPECT_EQ(d->Header(), "Cap & <x>");
    EXPECT_EQ(d->Editor(), edComboEdit);
    EXPECT_EQ(d->ComboItems()->Strings(0), "one");
    EXPECT_EQ(d->Filter()->Strings(0), "Big=>100");
    EXPECT_EQ(d->Alignment(), taCenter);
    EXPECT_EQ(d->Borders(), TCellBorders({cbTop, cbBottom}));
    EXPECT_EQ(TColor(d->BorderPen()->Color), clRed);
    EXPECT_EQ(int(d->Font()->Size), 13);
    EXPECT_EQ(TFontStyles(d->HeaderFont()->Style), fsBold);
    EXPECT_FALSE(d->PrintFontCustom);
    EXPECT_EQ(d->CheckTrue, "J");
    EXPECT_EQ(d->SpinStep, 5);
    EXPECT_EQ(d->Tag, 77);
    EXPECT_EQ(d->FloatFormat(), "%.1f");
    EXPECT_EQ(d->ColumnPopupType, cpNormalCellsRClick);
    EXPECT_EQ(d->Width(), 90);

    // Not a column stream, or cut short: an error, the columns unchanged.
    const QByteArray whole = buffer.data();
    const QByteArray bad[] = {QByteArray("hello"), whole.left(whole.size() / 2), QByteArray("<Other/>")};
    for (const QByteArray& bytes : bad) {
        QBuffer b;
        b.setData(bytes);
        b.open(QIODevice::ReadOnly);
        EXPECT_THROW(other->LoadColumnsFromStream(&b), EExtGridError);
        EXPECT_EQ(other->Columns()->Items(1)->Header(), "Cap & <x>");
        EXPECT_EQ(other->Columns()->Count(), 3);
    }
}

// The in-place editor's questions, open for the test.
class TEditQuestionsGrid : public TExtColumnGrid
{
  public:
    using TExtColumnGrid::ReadEditLimit;
    using TExtColumnGrid::ReadEditMask;
    using TExtColumnGrid::TExtColumnGrid;
};

TEST_F(ExtCGrid, EditLimitAndMaskFromTheColumns)
{
    auto* g = New<TEditQuestionsGrid>([](TEditQuestionsGrid* g) { g->SetColCount(5); });
    g->MaxEditLength = 9;
    g->Columns()->Items(2)->EditLength = 4;
    g->Columns()->Items(3)->EditLength = 7;
    g->Columns()->Items(3)->EditMask = "000";
    g->Columns()->Items(0)->EditLength = 2;
    g->SetCol(2);
    EXPECT_EQ(g->ReadEditLimit(), 4);
    g->SetCol(3);
    EXPECT_EQ(g->ReadEditLimit(), 7);
    EXPECT_EQ(g->ReadEditMask(3, 1), "000");
    EXPECT_EQ(g->ReadEditMask(0, 1), "") << "fixed columns have no column mask";
    // With column 2 hidden, display column 2 is real column 3.
    g->HideColumn(2);
    g->SetCol(2);
    EXPECT_EQ(g->ReadEditLimit(), 7);
    EXPECT_EQ(g->ReadEditMask(2, 1), "000");
    // The grid's own mask wins when it has one.
    g->EditMask = "AA";
    EXPECT_EQ(g->ReadEditMask(2, 1), "AA");
}

TEST_F(ExtCGrid, ChangeScaleScalesTheItemFonts)
{
    grid->Columns()->Items(1)->Font()->Size = 8;
    grid->Columns()->Items(1)->HeaderFont()->Size = 10;
    grid->FixedFont()->Size = 8;
    grid->HandleChangeScale(5, 4);
    EXPECT_EQ(int(grid->Columns()->Items(1)->Font()->Size), 10);
    EXPECT_EQ(int(grid->Columns()->Items(1)->HeaderFont()->Size), 13) << "12.5 rounds away from zero";
    EXPECT_EQ(int(grid->FixedFont()->Size), 10) << "the string grid's part runs first";
    grid->HandleChangeScale(4, 4);
    EXPECT_EQ(int(grid->Columns()->Items(1)->Font()->Size), 10);
}

TEST_F(ExtCGrid, ColumnPositionsInTheRegistryAreTheStringGridsFormat)
{
    grid->SetColCount(4);
    grid->ColumnSize()->Location = clRegistry;
    grid->ColumnSize()->Key = "Software\\ExtCGridTest";
    grid->ColumnSize()->Section = "Cols";
    for (int c = 0; c < 4; ++c) {
        grid->Columns()->Items(c)->Name = QString::number(c);
        grid->SetCells(c, 1, QString::number(c));
    }
    grid->ResetColumnOrder();
    grid->MoveColumn(1, 3); // 0, 2, 3, 1
    grid->SaveColPositions();
    TRegistryIniFile reg("\\Software\\ExtCGridTest");
    EXPECT_TRUE(reg.ValueExists("Cols", "Pos0"));
    EXPECT_FALSE(reg.ValueExists("Cols", "CP0"));
    auto* fresh = New([&](TExtColumnGrid* g) {
        g->SetColCount(4);
        g->ColumnSize()->Assign(grid->ColumnSize());
    });
    for (int c = 0; c < 4; ++c) {
        fresh->Columns()->Items(c)->Name = QString::number(c);
        fresh->SetCells(c, 1, QString::number(c));
    }
    fresh->LoadColPositions();
    const char* order[] = {"0", "2", "3", "1"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(fresh->Cells(c, 1), order[c]) << c;
        EXPECT_EQ(fresh->Columns()->Items(c)->Name, order[c]) << c;
    }
}

} // namespace extcgridtest
