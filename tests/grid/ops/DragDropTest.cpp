// Drops onto a registered grid, driven by real Qt drag events with real QMimeData on the grid's
// viewport (the entry the window system uses; offscreen has no drag loop of its own).
#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "grid/ops/GridDropTarget.h"
#include "platform/controls/StdCtrls.h"
#include "tests/common/TestSupport.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace
{

class DropGrid : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override
    {
        ShowForm(700, 500);
        grid->SetBounds(10, 10, 600, 400);
        grid->SetColCount(6);
        grid->SetRowCount(6);
        grid->SetFixedRows(1);
        grid->SetFixedCols(1);
        for (int c = 0; c < 6; ++c)
            grid->SetColWidths(c, 60);
        grid->SetOptions(grid->Options() | goEditing);
        grid->DragDropSettings()->SetOleDropTarget(true);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Application->OnException = nullptr;
        form.reset();
    }
    QWidget* Viewport() const
    {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(grid->Widget()))
            return area->viewport();
        return grid->Widget();
    }
    QPoint Centre(int c, int r) const
    {
        const TRect cell = grid->CellRect(c, r);
        return QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
    }
    // Enter and move to `at`: whether the move was accepted.
    bool DragTo(QMimeData* mime, QPoint at)
    {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &move);
        return move.isAccepted();
    }
    // Enter, move and drop at `at`.
    void DropAt(QMimeData* mime, QPoint at)
    {
        DragTo(mime, at);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &drop);
    }
    static std::unique_ptr<QMimeData> Text(const QString& t)
    {
        auto m = std::make_unique<QMimeData>();
        m->setText(t);
        return m;
    }
    std::vector<QString> Column(int c)
    {
        std::vector<QString> v;
        for (int r = 0; r < grid->RowCount(); ++r)
            v.push_back(grid->Cells(c, r));
        return v;
    }
};

TEST_F(DropGrid, UnitStartAndRegistration)
{
    EXPECT_EQ(ExtGridOleInitializeCount(), 1);
    EXPECT_EQ(CF_GRIDCELLS, RegisterClipboardFormat("TExtStringGrid Cells"));

    EXPECT_TRUE(grid->OleDropTargetRegistered());
    ASSERT_NE(grid->GridDropTarget(), nullptr);
    ComPtr<TGridDropTarget> other(new TGridDropTarget(grid));
    EXPECT_EQ(RegisterDragDrop(grid->Handle(), other.Get()), DRAGDROP_E_ALREADYREGISTERED);

    grid->DragDropSettings()->SetOleDropTarget(false);
    EXPECT_FALSE(grid->OleDropTargetRegistered());
    EXPECT_EQ(grid->GridDropTarget(), nullptr);
    EXPECT_EQ(RevokeDragDrop(grid->Handle()), DRAGDROP_E_NOTREGISTERED);
    auto mime = Text("gone");
    DropAt(mime.get(), Centre(2, 2));
    EXPECT_EQ(grid->Cells(2, 2), "");

    // Assign carries the switch over, registering the copy's grid.
    TDragDropSettings on;
    on.SetOleDropTarget(true);
    on.OleInsertRows = true;
    grid->DragDropSettings()->Assign(&on);
    EXPECT_TRUE(grid->OleDropTargetRegistered());
    EXPECT_TRUE(grid->DragDropSettings()->OleInsertRows);
}

TEST_F(DropGrid, TextFillsTheBlockAtTheCellAndSelectsIt)
{
    std::vector<TGridRect> dropped;
    grid->OnOleDropped = [&](TObject*, const TGridRect& R) { dropped.push_back(R); };
    auto mime = Text("a\tb\tc\r\nd\te\tf\r\n");
    DropAt(mime.get(), Centre(2, 3));
    EXPECT_EQ(grid->Cells(2, 3), "a");
    EXPECT_EQ(grid->Cells(4, 3), "c");
    EXPECT_EQ(grid->Cells(2, 4), "d");
    EXPECT_EQ(grid->Cells(4, 4), "f");
    EXPECT_EQ(grid->Cells(2, 5), "");
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 4, 4}));
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0], (TGridRect{2, 3, 4, 4}));
    EXPECT_EQ(grid->RowCount(), 6);

    // A refusing OnOleDrop keeps everything.
    grid->OnOleDrop = [](TObject*, int, int, const QString&, bool& Allow) { Allow = false; };
    auto other = Text("z");
    DropAt(other.get(), Centre(1, 1));
    EXPECT_EQ(grid->Cells(1, 1), "");
    EXPECT_EQ(dropped.size(), 1u);
}

TEST_F(DropGrid, EntireRowsAppendBelowTheLastRow)
{
    grid->SetRowCount(3);
    grid->SetCells(1, 2, "last");
    grid->DragDropSettings()->OleEntireRows = true;
    grid->DragDropSettings()->OleAppendRows = true;
    const TRect last = grid->CellRect(1, 2);
    const QPoint below(Centre(1, 2).x(), last.Bottom + 20);
    auto mime = Text("p\tq\r\nr\ts");
    EXPECT_TRUE(DragTo(mime.get(), below));
    EXPECT_TRUE(grid->MoveArrow(arrLeft)->Visible());
    DropAt(mime.get(), below);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->Cells(1, 2), "last");
    EXPECT_EQ(grid->Cells(1, 3), "p");
    EXPECT_EQ(grid->Cells(2, 3), "q");
    EXPECT_EQ(grid->Cells(1, 4), "r");
    EXPECT_FALSE(grid->MoveArrow(arrLeft)->Visible());

    // Without the append switches a point below the rows is no target.
    grid->DragDropSettings()->OleAppendRows = false;
    EXPECT_FALSE(DragTo(mime.get(), QPoint(below.x(), grid->CellRect(1, 4).Bottom + 20)));
}

TEST_F(DropGrid, InsertRowsPushesTheRowsBelowDown)
{
    grid->DragDropSettings()->OleInsertRows = true;
    for (int r = 1; r <= 3; ++r)
        grid->SetCells(1, r, QString("r%1").arg(r));
    auto mime = Text("n1\r\nn2");
    DropAt(mime.get(), Centre(1, 2));
    EXPECT_EQ(grid->RowCount(), 8);
    const std::vector<QString> expect{"", "r1", "n1", "n2", "r2", "r3", "", ""};
    EXPECT_EQ(Column(1), expect);
}

TEST_F(DropGrid, FixedRowsRefuseTextAndHideTheRowArrow)
{
    auto mime = Text("t");
    EXPECT_TRUE(DragTo(mime.get(), Centre(2, 2)));
    EXPECT_TRUE(grid->MoveArrow(arrLeft)->Visible());
    EXPECT_FALSE(DragTo(mime.get(), Centre(2, 0)));
    EXPECT_FALSE(grid->MoveArrow(arrLeft)->Visible());

    int overCalls = 0;
    grid->OnOleDragOver = [&](TObject*, int ARow, int ACol, bool& Allow) {
        ++overCalls;
        Allow = !(ARow == 3 && ACol == 3);
    };
    EXPECT_FALSE(DragTo(mime.get(), Centre(3, 3)));
    EXPECT_TRUE(DragTo(mime.get(), Centre(2, 3)));
    EXPECT_EQ(overCalls, 2);
}

TEST_F(DropGrid, FilesCsvLoadsXlsReportsOneErrorTwoFilesDoNothing)
{
    testsupport::TempDir dir;
    const QString csv = dir.file("data.csv");
    testsupport::writeBytes(csv, "x,y\r\nz,w\r\n");
    TExtStringGrid ref(form.get());
    ref.SetColCount(6);
    ref.SetRowCount(6);
    ref.SetFixedRows(1);
    ref.SetFixedCols(1);
    ref.LoadFromCSV(csv);

    std::vector<QString> asked;
    grid->OnOleDrop = [&](TObject*, int ARow, int ACol, const QString& Data, bool&) {
        asked.push_back(QString("%1,%2 %3").arg(ARow).arg(ACol).arg(Data));
    };
    auto one = std::make_unique<QMimeData>();
    one->setUrls({QUrl::fromLocalFile(csv)});
    DropAt(one.get(), Centre(2, 2));
    for (int r = 0; r < ref.RowCount(); ++r)
        for (int c = 0; c < ref.ColCount(); ++c)
            EXPECT_EQ(grid->Cells(c, r), ref.Cells(c, r)) << c << "," << r;
    bool loaded = false;
    for (int r = 0; r < ref.RowCount(); ++r)
        for (int c = 0; c < ref.ColCount(); ++c)
            loaded = loaded || ref.Cells(c, r) == "x";
    EXPECT_TRUE(loaded);
    EXPECT_EQ(asked, (std::vector<QString>{"-1,-1 " + csv}));

    std::vector<QString> reports;
    Application->OnException = [&](TObject*, const std::exception& E) { reports.push_back(E.what()); };
    const QString xls = dir.file("report.xls");
    testsupport::writeBytes(xls, "not a sheet");
    const auto before = Column(1);
    auto sheet = std::make_unique<QMimeData>();
    sheet->setUrls({QUrl::fromLocalFile(xls)});
    DropAt(sheet.get(), Centre(2, 2));
    EXPECT_EQ(reports, (std::vector<QString>{"Excel OLE server not found"}));
    EXPECT_EQ(Column(1), before);
    EXPECT_FALSE(grid->MoveArrow(arrLeft)->Visible());

    auto two = std::make_unique<QMimeData>();
    const QString csv2 = dir.file("more.csv");
    testsupport::writeBytes(csv2, "q,q\r\n");
    two->setUrls({QUrl::fromLocalFile(csv2), QUrl::fromLocalFile(csv)});
    DropAt(two.get(), Centre(2, 2));
    EXPECT_EQ(Column(1), before);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(DropGrid, ColumnReorderMovesTheDroppedColumn)
{
    grid->DragDropSettings()->OleColumnReorder = true;
    for (int c = 0; c < 6; ++c)
        grid->SetCells(c, 0, QString("h%1").arg(c));
    std::vector<QString> dropCols;
    grid->OnOleDropCol = [&](TObject*, int ARow, int ACol, int DropCol) {
        dropCols.push_back(QString("%1 %2 %3").arg(ARow).arg(ACol).arg(DropCol));
    };
    const auto headers = [this] {
        QStringList h;
        for (int c = 0; c < grid->ColCount(); ++c)
            h << grid->Cells(c, 0);
        return h.join(' ');
    };
    {
        ComPtr<TSourceDataObject> col(new TSourceDataObject(QString(), QString(), 1, nullptr));
        TDataObjectMime mime(col.Get());
        EXPECT_TRUE(DragTo(&mime, Centre(4, 0)));
        EXPECT_TRUE(grid->MoveArrow(arrDown)->Visible());
        EXPECT_TRUE(grid->MoveArrow(arrUp)->Visible());
        EXPECT_FALSE(DragTo(&mime, Centre(4, 2))) << "columns go only onto the header";
        DropAt(&mime, Centre(4, 0));
        EXPECT_FALSE(grid->MoveArrow(arrDown)->Visible());
    }
    EXPECT_EQ(headers(), "h0 h2 h3 h4 h1 h5");
    {
        ComPtr<TSourceDataObject> col(new TSourceDataObject(QString(), QString(), 2, nullptr));
        TDataObjectMime mime(col.Get());
        const TRect lastCell = grid->CellRect(5, 0);
        DropAt(&mime, QPoint(lastCell.Right + 30, Centre(5, 0).y()));
    }
    // Column 2 now holds h3; beyond the last column it goes last.
    EXPECT_EQ(headers(), "h0 h2 h4 h1 h5 h3");
    ASSERT_EQ(dropCols.size(), 2u);
    EXPECT_EQ(dropCols[0], "0 4 1");
    EXPECT_TRUE(dropCols[1].endsWith(" 5 2")) << dropCols[1].toStdString();
}

TEST_F(DropGrid, ColumnChooserPutsTheHiddenColumnBack)
{
    for (int c = 0; c < 6; ++c)
        grid->SetCells(c, 0, QString("h%1").arg(c));
    grid->SetColumnOrder();
    grid->HideColumn(2);
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->Items->Add("h2");
    grid->OleColumnDragStart(2, 0, list);
    ComPtr<TSourceDataObject> col(new TSourceDataObject(QString(), QString(), 2, nullptr));
    TDataObjectMime mime(col.Get());
    DropAt(&mime, Centre(1, 0));
    EXPECT_EQ(list->Items->Count(), 0);
    EXPECT_FALSE(grid->IsHiddenColumn(2));
    EXPECT_EQ(grid->Cells(grid->RealColIndex(1), 0), "h2");
}

TEST_F(DropGrid, CellStreamOfAnotherGridLandsAtTheCell)
{
    TExtStringGrid x(form.get());
    x.SetColCount(4);
    x.SetRowCount(4);
    x.SetCells(1, 1, "s1");
    x.SetCells(2, 1, "s2");
    x.SetColors(1, 1, clRed);
    TMemoryStream ms;
    x.SaveRectToBinStream(TRect(1, 1, 2, 1), &ms);
    ComPtr<TSourceDataObject> data(new TSourceDataObject("s1\ts2", QString(), -1, &ms));
    TDataObjectMime mime(data.Get());
    std::vector<TGridRect> dropped;
    grid->OnOleDropped = [&](TObject*, const TGridRect& R) { dropped.push_back(R); };
    DropAt(&mime, Centre(3, 2));
    EXPECT_EQ(grid->Cells(3, 2), "s1");
    EXPECT_EQ(grid->Cells(4, 2), "s2");
    EXPECT_EQ(grid->Colors(3, 2), clRed);
    EXPECT_EQ(dropped.size(), 1u);
}

TEST(DropTextDimensions, ColumnsAndExtraRows)
{
    struct Case {
        QString Text;
        int Cols, Extra;
    } cases[] = {
        {"a", 1, 0}, {"a\tb\tc\r\nd\te\tf\r\n", 3, 1}, {"a\r\n\r\nb\tc", 2, 1}, {"a\tb\r\nc\td\te", 3, 1},
        {"", 1, 0},
    };
    for (const Case& c : cases) {
        int cols = 0, extra = 0;
        TGridDropTarget::GetTextDimensions(c.Text, cols, extra);
        EXPECT_EQ(cols, c.Cols) << c.Text.toStdString();
        EXPECT_EQ(extra, c.Extra) << c.Text.toStdString();
    }
}

} // namespace
