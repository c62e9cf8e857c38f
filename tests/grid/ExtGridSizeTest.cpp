// Sizing of the string grid: columns and rows to their content, fitting the columns into the width,
// stretching a column over the slack and what follows a width or height change.
#include "grid/ExtGridShownFixture.h"

#include <QFontMetrics>
#include <functional>

namespace
{
using shownextgrid::ShownGrid;
using shownextgrid::TProbeGrid;

class ExtGridSize : public ShownGrid
{
};

TEST_F(ExtGridSize, AutoSizeColFitsTheWidestText)
{
    grid->SetCells(2, 0, "");
    grid->SetCells(2, 1, "A");
    grid->SetCells(2, 2, "WWWW");
    grid->SetCells(2, 3, "");
    grid->AutoSizeCol(2, 0);
    const int advance = QFontMetrics(grid->Font->ToQFont()).horizontalAdvance("WWWW");
    EXPECT_EQ(grid->ColWidths(2), advance + 8); // insets 2 + 2, lines 2 x (1 + 1)

    grid->AutoSizeCol(3, 0);
    EXPECT_EQ(grid->ColWidths(3), 10) << "an empty column gets MinColWidth after Loaded";
    grid->AutoSizeCol(3, 5);
    EXPECT_EQ(grid->ColWidths(3), 15);

    auto* unloaded = new TProbeGrid(form.get());
    unloaded->SetParent(form.get());
    unloaded->AutoSizeCol(1, 0);
    EXPECT_EQ(unloaded->ColWidths(1), 8) << "no minimum before Loaded";
}

TEST_F(ExtGridSize, AutoSizeLimitsAndGrowOnly)
{
    grid->SetCells(1, 1, "WWWWWWWWWWWWWWWWWWWW");
    grid->SetColWidths(1, 500);
    grid->SizeGrowOnly = true;
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), 500) << "SizeGrowOnly never narrows";
    grid->SizeGrowOnly = false;
    grid->MaxColWidth = 60;
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), 60);
    grid->MaxColWidth = 0;
    grid->SetMinColWidth(30);
    grid->SetCells(2, 1, "i");
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), 30);
}

TEST_F(ExtGridSize, AutoSizeColAsksTheUpdateEvent)
{
    grid->SetCells(1, 1, "text");
    grid->OnUpdateColumnSize = [](TObject*, int ACol, int& AWidth) {
        if (ACol == 1)
            AWidth = 77;
    };
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), 77);
}

TEST_F(ExtGridSize, AutoSizeRowsFollowTheirLines)
{
    grid->SetCells(1, 2, "one\rtwo\rthree");
    grid->Multilinecells = true;
    const int one = QFontMetrics(grid->Font->ToQFont()).height();
    grid->AutoSizeRow(2);
    EXPECT_EQ(grid->RowHeights(2), std::max(grid->MinRowHeight(), 3 * one + 4 + 2));
    grid->AutoSizeRow(3);
    EXPECT_EQ(grid->RowHeights(3), grid->MinRowHeight()) << "an empty row keeps the minimum";
}

TEST_F(ExtGridSize, AutoSizeCellsGrowsFromZeroOrFromTheWidthWithGrowOnly)
{
    grid->SetCells(1, 1, "WWWWWWWWWWWW");
    grid->SetColWidths(2, 300);
    grid->SizeGrowOnly = true;
    grid->AutoSizeCells(false, 4, 4);
    const int advance = QFontMetrics(grid->Font->ToQFont()).horizontalAdvance("WWWWWWWWWWWW");
    EXPECT_EQ(grid->ColWidths(1), advance + 4 + 2);
    EXPECT_EQ(grid->ColWidths(2), 300) << "SizeGrowOnly: an empty column is not narrowed";
    EXPECT_EQ(grid->RowHeights(1), 22) << "rows only grow";
    grid->SizeGrowOnly = false;
    grid->AutoSizeCells(false, 4, 4);
    EXPECT_EQ(grid->ColWidths(2), 10) << "without it every column is measured from nothing";
}

TEST_F(ExtGridSize, AutoFitColumnsSharesTheWidth)
{
    grid->SetColCount(3);
    grid->SetColWidths(0, 50);
    grid->SetColWidths(1, 50);
    grid->SetColWidths(2, 100);
    grid->SetOptions(grid->Options() | goVertLine | goFixedVertLine);
    grid->SetWidth(400);
    ASSERT_GE(grid->VisibleRowCount() + grid->FixedRows(), grid->RowCount());
    grid->AutoFitColumns(true);
    EXPECT_EQ(Widths(), (std::vector<int>{99, 99, 198}));
    grid->AutoFitColumns(true);
    EXPECT_EQ(Widths(), (std::vector<int>{99, 99, 198})) << "already fitting: nothing changes";
}

TEST_F(ExtGridSize, AutoFitColumnsOfZeroWidthsDoesNothing)
{
    grid->SetColCount(3);
    for (int c = 0; c < 3; ++c)
        grid->SetColWidths(c, 0);
    grid->AutoFitColumns(true);
    EXPECT_EQ(Widths(), (std::vector<int>{0, 0, 0}));
}

struct StretchCase {
    const char* name;
    int column; // -1 = none
    int width;
    std::vector<int> expected;
};

TEST_F(ExtGridSize, StretchFillsTheClientWidth)
{
    grid->SetColCount(3);
    grid->SetClientWidth(300);
    ASSERT_EQ(grid->ClientRect().Right, 300);
    grid->ColumnSize()->SetStretch(true);
    EXPECT_EQ(Widths(), (std::vector<int>{64, 64, 171}));
    const StretchCase cases[] = {
        {"first column wider", 0, 100, {100, 64, 135}},
        {"others too wide: default width", 1, 250, {100, 250, 64}},
        {"room again", 1, 50, {100, 50, 149}},
    };
    for (const auto& c : cases) {
        grid->SetColWidths(c.column, c.width);
        EXPECT_EQ(Widths(), c.expected) << c.name;
    }
    grid->SetColCount(1);
    EXPECT_EQ(grid->ColWidths(0), 300) << "one column takes the whole client width";
}

TEST_F(ExtGridSize, StaleStretchColumnOnlyMattersWhileStretching)
{
    grid->SetColCount(3);
    grid->ColumnSize()->StretchColumn = 7;
    EXPECT_NO_THROW(grid->SetColWidths(1, 80));
    EXPECT_EQ(grid->ColWidths(1), 80);
    grid->ColumnSize()->StretchColumn = -1;
    grid->ColumnSize()->SetStretch(true);
    const std::vector<int> before = Widths();
    try {
        grid->ApplyColumnStretch(3);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Stretch column index out of range");
    }
    EXPECT_EQ(Widths(), before) << "nothing changed before the error";
}

TEST_F(ExtGridSize, MouseSizedColumnAsksForItsFinalWidth)
{
    std::vector<QString> order;
    grid->OnEndColumnSize = [&](TObject*, int ACol) { order.push_back(QString("end %1").arg(ACol)); };
    grid->OnUpdateColumnSize = [&](TObject*, int ACol, int& AWidth) {
        order.push_back(QString("update %1 %2").arg(ACol).arg(AWidth));
        AWidth = 40;
    };
    // What the mouse sizing leaves before the width is set.
    grid->ColSized = true;
    grid->Colclicked = 2;
    grid->Colclickedsize = 64;
    grid->SetColWidths(2, 80);
    EXPECT_EQ(grid->ColWidths(2), 40);
    EXPECT_EQ(order, (std::vector<QString>{"end 2", "update 2 80"}));
    EXPECT_FALSE(grid->ColSized);
    order.clear();
    grid->SetColWidths(2, 90);
    EXPECT_EQ(grid->ColWidths(2), 90) << "a width set by code is not asked about";
    EXPECT_TRUE(order.empty());
}

TEST_F(ExtGridSize, AllColumnSizeScalesTheOtherNormalColumns)
{
    grid->MouseActions()->AllColumnSize = true;
    for (int c = 0; c < grid->ColCount(); ++c)
        grid->SetColWidths(c, 50);
    grid->ColSized = true;
    grid->Colclicked = 2;
    grid->Colclickedsize = 50;
    grid->SetColWidths(2, 100);
    EXPECT_EQ(Widths(), (std::vector<int>{50, 100, 100, 100, 100}));
}

TEST_F(ExtGridSize, AllRowSizeNeedsAKnownEarlierHeight)
{
    grid->MouseActions()->AllRowSize = true;
    grid->Rowsized = true;
    grid->Rowclicked = 2;
    grid->Rowclickedsize = 0;
    grid->SetRowHeights(2, 44);
    EXPECT_EQ(grid->RowHeights(3), 22) << "no scaling from an unknown height";
    grid->Rowsized = true;
    grid->Rowclicked = 2;
    grid->Rowclickedsize = 22;
    grid->SetRowHeights(2, 33);
    EXPECT_EQ(grid->RowHeights(1), 33);
    EXPECT_EQ(grid->RowHeights(9), 33);
    EXPECT_EQ(grid->RowHeights(0), 22) << "fixed rows keep their height";
}

// Sizing many rows writes their heights as one block: one height notification, the same heights.
class TCountingGrid : public TProbeGrid
{
  public:
    using TProbeGrid::TProbeGrid;
    int Notified = 0;

  protected:
    void RowHeightsChanged() override
    {
        ++Notified;
        TProbeGrid::RowHeightsChanged();
    }
};

TEST_F(ExtGridSize, RowsAreSizedAsOneBlock)
{
    using G = TCountingGrid;
    const auto lineHeight = [](G* g) { return QFontMetrics(g->Font->ToQFont()).height(); };
    const struct {
        const char* Name;
        std::function<void(G*)> Size;
        std::function<int(G*, int r)> Height; // expected height of row r after it
        int Notifications;
    } cases[] = {
        {"Zoom", [](G* g) { g->Zoom(3); }, [](G*, int r) { return 20 + r + 3; }, 1},
        // One line each: every data row takes the same height, whatever it had.
        {"AutoSizeRows", [](G* g) { g->AutoSizeRows(false, 0); },
         [](G* g, int r) { return r == 0                   ? 20
                                  : g->RowHeights(1) == 21 ? -1
                                                           : g->RowHeights(1); }, 1},
        {"AutoSizeCells", [](G* g) { g->AutoSizeCells(false, 0, 30); },
         [&](G* g, int r) { return r == 0 ? 20 : std::max(20 + r, lineHeight(g) + 30 + g->XYOffset.Y); }, 1},
        // The mouse-sized row notifies, then the block of the others.
        {"all rows after a mouse sizing",
         [](G* g) {
             g->MouseActions()->AllRowSize = true;
             g->Rowsized = true;
             g->Rowclicked = 1;
             g->Rowclickedsize = 21;
             g->SetRowHeights(1, 42);
         },
         [](G*, int r) { return r == 0 ? 20 : 2 * (20 + r); }, 2},
    };
    for (const auto& c : cases) {
        auto* g = new G(form.get());
        g->SetParent(form.get());
        g->SetRowCount(50);
        for (int r = 0; r < 50; ++r) {
            g->SetCells(1, r, "x");
            g->SetRowHeights(r, 20 + r);
        }
        g->Notified = 0;
        c.Size(g);
        EXPECT_EQ(g->Notified, c.Notifications) << c.Name;
        for (int r = 0; r < 50; ++r)
            ASSERT_EQ(g->RowHeights(r), c.Height(g, r)) << c.Name << " row " << r;
        delete g;
    }
}

TEST_F(ExtGridSize, SizeToColsAndRows)
{
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SizeToCells();
    EXPECT_EQ(grid->ClientWidth(), 3 * 64);
    EXPECT_EQ(grid->ClientHeight(), 4 * 22);
    EXPECT_EQ(grid->ScrollBars(), ssBoth);
}

TEST_F(ExtGridSize, ResizingKeepsTheStretchAndScalesRecordedWidths)
{
    grid->SetColCount(3);
    grid->SetClientWidth(300);
    grid->ColumnSize()->SetStretch(true);
    grid->SetClientWidth(400);
    EXPECT_EQ(Widths(), (std::vector<int>{64, 64, 271}));

    auto* g = New([](shownextgrid::TProbeGrid* g) {
        g->SetColCount(2);
        g->SetBorderStyle(bsNone);
        g->SetWidth(200);
    });
    g->SetColWidths(0, 40);
    g->SetColWidths(1, 100);
    g->InitOrigColSizes();
    g->ColumnSize()->SynchWithGrid = true;
    g->SetWidth(400);
    EXPECT_EQ(g->ColWidths(0), 80);
    EXPECT_EQ(g->ColWidths(1), 200);
    g->SetWidth(300);
    EXPECT_EQ(g->ColWidths(1), 150) << "scaled from the recorded widths, not the last ones";
}

} // namespace
