// The base grid on a shown offscreen form: cell access through merged areas and display hooks, the
// property objects in the cell slots, merging, the keys that leave areas, the cell painter's pixels and
// calls, and the undo list.
#include "grid/base/BaseGrid.h"
#include "grid/CellGraphicProbe.h"
#include "grid/PixelTestSupport.h"
#include "grid/base/CellText.h"
#include "grid/base/UndoRedo.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace basegridtest
{

using gridprobe::TCellGraphic;

// A base grid that can hide real column 2, sets the brush like a derived grid does and records the
// calls of its hooks.
class TTestGrid : public TBaseGrid
{
  public:
    using TBaseGrid::TBaseGrid;

    struct TContent {
        int Col, Row;
        TRect Rect;
    };
    bool HideCol2 = false;
    std::vector<TContent> Contents;
    QStringList Calls;

    int TotalColCount() const override { return ColCount() + (HideCol2 ? 1 : 0); }
    int DisplColIndex(int ACol) const override { return HideCol2 && ACol > 2 ? ACol - 1 : ACol; }

    void SetNormalRowCount(int Value) { FNormalRowCount = Value; }
    void SetHideLastRow(bool Value) { FHideLastRow = Value; }
    void SetHoverRowIdx(int Value) { FHoverRowIdx = Value; }
    int MergeCount() const { return FMergeCount; }

  protected:
    void GetVisualProperties(int, int, TGridDrawState& AState, bool, bool, bool, TBrush* ABrush, TColor&,
                             TColor&, TColor&, TFont*, TAlignment&, TVAlignment&, bool&,
                             TCellGradientDirection&) override
    {
        ABrush->Color = (AState & gdFixed) ? FixedColor() : Color();
    }
    void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        Contents.push_back({ACol, ARow, ARect});
        TBaseGrid::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
    }
    void BaseCellChanged(int ACol, int ARow) override
    {
        Calls << QString("BaseCellChanged(%1,%2)").arg(ACol).arg(ARow);
    }
    void LastRowChanged() override { Calls << "LastRowChanged"; }
    void GetDisplText(int ACol, int ARow, QString& Value) override
    {
        Calls << QString("GetDisplText(%1,%2)").arg(ACol).arg(ARow);
        TBaseGrid::GetDisplText(ACol, ARow, Value);
    }
};

class BaseGrid : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 700, 500);
        grid = new TTestGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 600, 400);
        grid->SetDefaultColWidth(64);
        grid->SetDefaultRowHeight(24);
        grid->SetColor(clWhite);
        grid->SetFixedColor(clBtnFace);
        Size(6, 6);
        form->Show();
        QApplication::processEvents();
    }
    void Size(int cols, int rows)
    {
        grid->SetColCount(cols);
        grid->SetRowCount(rows);
    }
    QImage Grab() const { return grid->Viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static TColor Pixel(QImage& image, int x, int y) { return TCanvas(&image).GetPixel(x, y); }

    std::unique_ptr<TForm> form;
    TTestGrid* grid = nullptr;
};

TEST_F(BaseGrid, MergedAreaReadsAndWritesItsBaseCell)
{
    grid->SetGridCells(1, 1, "B");
    grid->SetGridCells(3, 2, "own");
    grid->MergeCells(1, 1, 3, 2);

    EXPECT_EQ(grid->Cells(3, 2), "B");
    EXPECT_EQ(grid->CellSpan(1, 1), TPoint(2, 1));
    EXPECT_FALSE(grid->IsBaseCell(3, 2));
    EXPECT_EQ(grid->CellSpan(3, 2), TPoint(2, 1)) << "the base's spans";
    EXPECT_EQ(grid->CellProperties(3, 2)->CellSpanX(), 2) << "offset back to the base";
    EXPECT_EQ(grid->CellExt(2, 1), TPoint(1, 1));
    EXPECT_EQ(grid->FullCell(3, 2), (TGridRect{1, 1, 3, 2}));
    int bc = -1, br = -1;
    EXPECT_FALSE(grid->FindBaseCell(3, 2, bc, br));
    EXPECT_EQ(TPoint(bc, br), TPoint(1, 1));
    EXPECT_TRUE(grid->IsMergedNonBaseCell(2, 2));

    grid->SetCells(2, 2, "Z");
    EXPECT_EQ(grid->GridCells(1, 1), "Z");
    EXPECT_EQ(grid->GridCells(2, 2), "");
    EXPECT_EQ(grid->MergeCount(), 1);

    grid->SplitCells(2, 2);
    EXPECT_EQ(grid->Cells(3, 2), "own") << "covered texts come back";
    EXPECT_EQ(grid->Cells(1, 1), "Z");
    EXPECT_FALSE(grid->IsMergedCell(1, 1));
    EXPECT_EQ(grid->MergeCount(), 0);

    grid->MergeCells(0, 0, 1, 1);
    EXPECT_EQ(grid->CellSpan(0, 0), TPoint(0, 0));
    EXPECT_FALSE(grid->IsMergedCell(0, 0));
    const int count = grid->MergeCount();
    grid->SplitCells(4, 4); // never merged
    EXPECT_EQ(grid->MergeCount(), count);
    grid->SplitCells(0, 0); // the 1 x 1 area is an area
    EXPECT_EQ(grid->MergeCount(), count - 1);
}

TEST_F(BaseGrid, SpanQueriesOverRowsAndColumns)
{
    Size(7, 7);
    grid->MergeCells(1, 1, 2, 3); // rows 1..3 in columns 1..2
    grid->MergeCells(4, 1, 1, 2); // rows 1..2 in column 4
    EXPECT_EQ(grid->MinRowSpan(1), 1);
    EXPECT_EQ(grid->MaxRowSpan(1), 2);
    EXPECT_EQ(grid->MinRowSpan(5), grid->RowCount()) << "no vertical merge in the row";
    EXPECT_TRUE(grid->RowSpanIdentical(1, 2));
    EXPECT_FALSE(grid->RowSpanIdentical(5, 6)) << "nothing merged in either";

    grid->MergeCells(1, 5, 3, 1);
    EXPECT_TRUE(grid->ColSpanIdentical(2, 3)) << "row 5: both in one area";
    grid->MergeCells(1, 6, 2, 1);
    grid->MergeCells(3, 6, 2, 1);
    EXPECT_TRUE(grid->ColSpanIdentical(1, 2));
    EXPECT_FALSE(grid->ColSpanIdentical(2, 3)) << "row 6: column 3 starts its own area";
    EXPECT_FALSE(grid->ColSpanIdentical(5, 6));
    EXPECT_TRUE(grid->IsXMergedCell(2, 5));
    EXPECT_FALSE(grid->IsYMergedCell(2, 5));
}

TEST_F(BaseGrid, AreaReachingPastTheLastColumnHasARectangle)
{
    grid->MergeCells(4, 1, 3, 1); // columns 4..6 of 6
    TRect r;
    EXPECT_NO_THROW(r = grid->CellRect(4, 1));
    EXPECT_EQ(r, TRect(256, 24, 384, 48));
    EXPECT_NO_THROW(Grab());

    grid->SetLeftCol(2);
    EXPECT_EQ(grid->CalcCellRect(3, 2), TRect(128, 48, 192, 72)) << "shifted by the hidden columns";
    EXPECT_EQ(grid->CalcCellRect(1, 2), TRect(0, 48, 64, 72)) << "scrolled out, to the left";
    EXPECT_EQ(grid->CalcCellRect(0, 0), TRect(0, 0, 64, 24)) << "fixed cells stay";
    grid->SetLeftCol(1);
    grid->SetTopRow(3);
    EXPECT_EQ(grid->CellRect(2, 1), TRect(0, 0, 64, 24)) << "out of view: the toolkit's empty corner";
}

TEST_F(BaseGrid, PropertiesAreCreatedOnFirstUseWithTheGridsLook)
{
    grid->Font->Color = 0x123456;
    EXPECT_FALSE(grid->HasCellProperties(2, 2));
    TCellProperties* props = grid->CellProperties(2, 2);
    EXPECT_TRUE(grid->HasCellProperties(2, 2));
    EXPECT_EQ(props->BrushColor(), clWhite);
    EXPECT_EQ(props->FontColor(), TColor(0x123456));
    EXPECT_EQ(props->Alignment(), taLeftJustify);
    EXPECT_EQ(props->VAlignment(), vtaTop);
    EXPECT_EQ(props->WordWrap(), grid->WordWrap());
    EXPECT_EQ(props->BrushColorTo(), clNone);
    EXPECT_EQ(props->CalcType(), acNONE);
    EXPECT_EQ(props->OwnerCol(), 2);
    EXPECT_EQ(grid->CellProperties(2, 2), props) << "the same object on the next read";

    TObject user;
    grid->SetObjectEx(1, 1, &user);
    EXPECT_EQ(grid->Objects(1, 1), &user);
    EXPECT_EQ(grid->Cells(1, 1), "");
    EXPECT_EQ(grid->Calls, QStringList{"BaseCellChanged(1,1)"}) << "the blank went in without properties";

    grid->SetHideLastRow(true);
    grid->Calls.clear();
    grid->SetObjectEx(3, 5, &user);
    EXPECT_EQ(grid->Calls.count("LastRowChanged"), 2);

    TObject foreign;
    grid->TStringGrid::SetObjects(4, 4, &foreign);
    EXPECT_FALSE(grid->HasCellProperties(4, 4));
    EXPECT_EQ(grid->Objects(4, 4), nullptr);
    EXPECT_EQ(grid->GraphicObjects(4, 4), nullptr);
    EXPECT_FALSE(grid->IsMergedCell(4, 4));
    grid->FreeCellPropsRect(4, 4, 4, 4);
    EXPECT_EQ(grid->GridObjects(4, 4), &foreign) << "not ours to free";
    grid->SetGridObjects(4, 4, nullptr); // the slot must not outlive the object
}

TEST_F(BaseGrid, PropertyWritesRepaintAsStated)
{
    TCellProperties* props = grid->CellProperties(2, 2);
    TCellProperties copy(nullptr, 0, 0);
    props->SetAlignment(taCenter);
    props->SetBrushColor(clRed);
    props->SetBrushColorTo(clBlue);
    copy.Assign(props);
    EXPECT_EQ(copy.Alignment(), taCenter);
    EXPECT_EQ(copy.BrushColor(), clRed);
    EXPECT_EQ(copy.BrushColorTo(), clNone) << "not copied";
    EXPECT_EQ(TPoint(copy.OwnerCol(), copy.OwnerRow()), TPoint(2, 2)) << "the owner position is copied";

    QApplication::processEvents();
    grid->Contents.clear();
    props->SetAlignment(taRightJustify);
    QApplication::processEvents();
    EXPECT_TRUE(grid->Contents.empty()) << "Alignment only stores";
    props->SetBrushColor(clYellow);
    QApplication::processEvents();
    ASSERT_FALSE(grid->Contents.empty());
    EXPECT_EQ(grid->Contents.front().Col, 2);
}

TEST_F(BaseGrid, DisplayHooksRunBelowTheNormalRowCount)
{
    int hookCalls = 0;
    grid->OnGetDisplText = [&](TObject*, int, int, QString& v) {
        ++hookCalls;
        v += "!";
    };
    grid->SetGridCells(1, 1, "ab");
    grid->SetGridCells(1, 5, "x");
    EXPECT_EQ(grid->Cells(1, 1), "ab");
    EXPECT_EQ(hookCalls, 0) << "a fresh base grid has no normal rows";

    grid->SetNormalRowCount(5);
    EXPECT_EQ(grid->Cells(1, 1), "ab!");
    EXPECT_EQ(grid->Cells(1, 5), "x") << "row 5 is not below 5";
    EXPECT_EQ(hookCalls, 1);

    grid->OnGetDisplText = nullptr;
    grid->OnGetDisplWideText = [](TObject*, int, int, QString& v) { v += QChar(0x20AC); };
    EXPECT_EQ(grid->Cells(1, 1), EncodeWideText(QString("ab") + QChar(0x20AC)));
    EXPECT_EQ(grid->GridCells(1, 1), "ab") << "the store keeps its text";
}

TEST_F(BaseGrid, ArrowKeysLeaveAMergedAreaInOnePress)
{
    Size(7, 4);
    grid->MergeCells(2, 1, 3, 1);
    grid->SetCol(2);
    grid->SetRow(1);
    struct TStep {
        WORD Key;
        int From, To;
    };
    for (const TStep s : {TStep{VK_RIGHT, 2, 5}, TStep{VK_LEFT, 5, 2}, TStep{VK_LEFT, 2, 1}}) {
        grid->SetCol(s.From);
        WORD key = s.Key;
        grid->HandleKeyDown(key, {});
        EXPECT_EQ(grid->Col(), s.To) << "key " << s.Key << " from " << s.From;
    }
    grid->SetCol(5);
    WORD key = VK_LEFT;
    grid->HandleKeyDown(key, {});
    EXPECT_EQ(grid->Col(), 2) << "a covered cell moves to its base";
}

TEST_F(BaseGrid, ClearingDetachesAndCountChangesKeepEverything)
{
    TCellProperties* props = grid->CellProperties(3, 2);
    grid->SetGridCells(3, 2, "t");
    grid->ClearRowCells(2);
    EXPECT_FALSE(grid->HasCellProperties(3, 2));
    EXPECT_EQ(grid->Cells(3, 2), "");
    EXPECT_EQ(props->OwnerCol(), 3) << "alive and detached";
    grid->FreeCellPropsRect(0, 2, 5, 2);
    EXPECT_EQ(props->OwnerRow(), 2) << "nothing was freed";
    delete props; // the caller owns what it detached

    grid->SetGridCells(1, 4, "four");
    TCellProperties* kept = grid->CellProperties(2, 5);
    grid->SetRowCount(3);
    EXPECT_FALSE(grid->HasCellProperties(2, 5)) << "beyond the count";
    grid->SetRowCount(6);
    EXPECT_EQ(grid->Cells(1, 4), "four");
    EXPECT_TRUE(grid->HasCellProperties(2, 5));
    EXPECT_EQ(grid->CellProperties(2, 5), kept);
}

TEST_F(BaseGrid, DestructionFreesEverySlotOnce)
{
    int freed = 0;
    auto* other = new TTestGrid(form.get());
    other->SetGraphicObjectEx(1, 9, new TCellGraphic(freed));
    other->SetRowCount(3); // the object now lies beyond the count
    TCellProperties* shared = other->CellProperties(1, 1);
    other->SetGridObjects(2, 1, shared); // two slots, one object
    delete other;
    EXPECT_EQ(freed, 1);
}

TEST_F(BaseGrid, FreeCellPropsRectFreesCellGraphics)
{
    int freed = 0;
    TObject plain;
    grid->SetGraphicObjectEx(1, 1, new TCellGraphic(freed));
    grid->SetGraphicObjectEx(2, 1, &plain);
    grid->FreeCellProps(3, 3); // nothing there
    grid->FreeCellPropsRect(1, 1, 2, 1);
    EXPECT_EQ(freed, 1);
    EXPECT_FALSE(grid->HasCellProperties(2, 1));
}

TEST_F(BaseGrid, CellPainterPixels)
{
    Size(4, 4);
    QApplication::processEvents();
    QImage image = Grab();
    struct TProbe {
        int X, Y;
        TColor Want;
    };
    for (const TProbe p : {TProbe{160, 71, 0xC0C0C0}, TProbe{191, 60, 0xC0C0C0}, TProbe{160, 70, clWhite},
                           TProbe{100, 23, 0x808080}, TProbe{127, 10, 0x808080}, TProbe{100, 10, 0xF0F0F0}})
        EXPECT_EQ(Pixel(image, p.X, p.Y), p.Want) << p.X << "," << p.Y;

    grid->Contents.clear();
    grid->SetGridLineColor(0x0000FF);
    QApplication::processEvents();
    EXPECT_FALSE(grid->Contents.empty()) << "a line colour repaints";
    image = Grab();
    EXPECT_EQ(Pixel(image, 160, 71), TColor(0x0000FF));

    grid->SetHoverRow(true);
    grid->SetHoverRowIdx(2);
    grid->SetHoverRowColor(clInfoBk);
    image = Grab();
    EXPECT_EQ(Pixel(image, 100, 60), TColor(0xE1FFFF));
    EXPECT_EQ(Pixel(image, 10, 60), TColor(0xF0F0F0)) << "fixed cells are not in the hover cells";

    grid->SetHideLastRow(true);
    grid->SetGridCells(1, 3, "text");
    image = Grab();
    EXPECT_EQ(Pixel(image, 127, 90), clWhite) << "the hidden last row has no lines";
}

TEST_F(BaseGrid, MergedAreaIsPaintedWholeFromItsCells)
{
    Size(4, 4);
    grid->MergeCells(1, 1, 2, 2);
    QApplication::processEvents();
    grid->Contents.clear();
    Grab();
    std::vector<TTestGrid::TContent> area;
    for (const auto& c : grid->Contents)
        if (c.Col >= 1 && c.Col <= 2 && c.Row >= 1 && c.Row <= 2)
            area.push_back(c);
    ASSERT_EQ(area.size(), 2u);
    for (const auto& c : area) {
        EXPECT_EQ(TPoint(c.Col, c.Row), TPoint(1, 1));
        EXPECT_EQ(c.Rect, TRect(65, 25, 191, 71));
    }

    grid->Contents.clear();
    pixeltest::Surface surface(64, 24);
    grid->PaintCellExt(surface.canvas.get(), 3, 2, TRect(0, 0, 64, 24), gdSelected);
    EXPECT_EQ(surface.At(10, 10), TColor(0xE1FFFF)) << "the active-row colour";
    EXPECT_TRUE(grid->Contents.empty());
}

TEST_F(BaseGrid, ScrolledAreaDoesNotPaintOverTheFixedColumn)
{
    Size(8, 4);
    grid->MergeCells(1, 1, 3, 1);
    grid->SetLeftCol(2);
    const TRect r = grid->CellRect(2, 1);
    EXPECT_EQ(r.Left, 0) << "the area starts under the fixed column";
    QImage image = Grab();
    EXPECT_EQ(Pixel(image, 30, 30), TColor(0xF0F0F0));
    EXPECT_EQ(Pixel(image, 100, 30), clWhite);
}

TEST_F(BaseGrid, StyledSelectionReplacesTheCellsBackground)
{
    Size(6, 4);
    grid->SetOptions(grid->Options() | goRangeSelect | goDrawFocusSelected);
    grid->SetSelection(TGridRect{1, 1, 3, 1});
    QImage image = Grab();
    EXPECT_EQ(Pixel(image, 160, 36), clWhite) << "default style: the cell's own brush";
    grid->SetSelectionStyle(ssOffice2007);
    image = Grab();
    const TColor office = Pixel(image, 160, 36);
    EXPECT_NE(office, clWhite);
    grid->SetSelectionStyle(ssWin7);
    image = Grab();
    EXPECT_NE(Pixel(image, 160, 36), office) << "each style its own colours";
    EXPECT_EQ(Pixel(image, 160, 60), clWhite) << "unselected cells keep theirs";
}

// ---- Undo --------------------------------------------------------------------------------------------

class BaseGridUndo : public BaseGrid
{
  protected:
    void SetUp() override
    {
        BaseGrid::SetUp();
        undo = new VIvoDediZudaZove(form.get());
        grid->SetUndoRedo(undo);
        undo->OnUndo = [this](TObject*, TBaseGrid*, int c, int r, const QString& o, const QString& n) {
            events << QString("%1,%2,%3,%4").arg(c).arg(r).arg(o, n);
        };
    }
    // Writes the cell and records the change.
    void Change(int c, int r, const QString& text)
    {
        undo->RegisterChange(c, r, grid->Cells(c, r), text);
        grid->SetCells(c, r, text);
    }
    VIvoDediZudaZove* undo = nullptr;
    QStringList events;
};

TEST_F(BaseGridUndo, SequenceIsUndoneAndRedoneWhole)
{
    grid->SetCells(1, 1, "a");
    grid->SetCells(3, 1, "c");
    EXPECT_EQ(undo->Grid(), grid);
    undo->StartSequence();
    Change(1, 1, "b");
    Change(3, 1, "d");
    undo->StopSequence();
    EXPECT_EQ(undo->Level(), 4);

    undo->Undo();
    EXPECT_EQ(grid->Cells(1, 1), "a");
    EXPECT_EQ(grid->Cells(3, 1), "c");
    EXPECT_EQ(undo->Level(), 0);
    EXPECT_EQ(events, (QStringList{"3,1,d,c", "1,1,b,a"}));
    EXPECT_FALSE(undo->CanUndo());

    undo->Redo();
    EXPECT_EQ(grid->Cells(1, 1), "b");
    EXPECT_EQ(grid->Cells(3, 1), "d");
    EXPECT_EQ(undo->Level(), 4);
    EXPECT_FALSE(undo->CanRedo());
}

TEST_F(BaseGridUndo, ChangeAfterUndoGoesBehindTheUndoneOnes)
{
    Change(1, 1, "c1");
    Change(1, 2, "c2");
    undo->Undo();
    Change(1, 3, "c3");
    EXPECT_EQ(undo->Items()->Count(), 3);
    EXPECT_EQ(undo->Level(), 3);
    undo->Undo();
    EXPECT_EQ(grid->Cells(1, 3), "");
    undo->Undo();
    EXPECT_EQ(grid->Cells(1, 2), "") << "c2 again";
    EXPECT_EQ(grid->Cells(1, 1), "c1");
}

TEST_F(BaseGridUndo, UndoMakesTheCellCurrentByDisplayColumn)
{
    grid->HideCol2 = true;
    Change(3, 1, "x");
    undo->Undo();
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(3, 1), "");
}

TEST_F(BaseGridUndo, MarkersAreSteppedOverNeverWritten)
{
    grid->SetCells(1, 1, "old");
    undo->StartSequence(); // left open
    Change(1, 1, "new");
    EXPECT_NO_THROW(undo->Undo());
    EXPECT_NO_THROW(undo->Undo());
    EXPECT_EQ(undo->Level(), 0);
    EXPECT_EQ(grid->Cells(1, 1), "old");
    undo->Redo();
    EXPECT_EQ(grid->Cells(1, 1), "new") << "the open sequence's last change is redone too";
    EXPECT_EQ(undo->Level(), 2);

    undo->Reset();
    undo->SetMaxLevel(3);
    undo->StartSequence();
    Change(1, 1, "a");
    Change(1, 2, "b");
    undo->StopSequence();
    Change(1, 3, "c"); // drops the start marker
    EXPECT_EQ(undo->Items()->Count(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_NO_THROW(undo->Undo());
    EXPECT_EQ(undo->Level(), 0);
    EXPECT_EQ(grid->Cells(1, 1), "new");
}

TEST_F(BaseGridUndo, EitherSideForgetsTheOther)
{
    delete undo;
    EXPECT_EQ(grid->UndoRedo(), nullptr);

    auto* list = new VIvoDediZudaZove(form.get());
    auto* other = new TTestGrid(form.get());
    other->SetUndoRedo(list);
    delete other;
    EXPECT_EQ(list->Grid(), nullptr);
    list->RegisterChange(1, 1, "a", "b");
    EXPECT_NO_THROW(list->Undo()) << "no grid: nothing";
    EXPECT_EQ(list->Level(), 1);

    // Without a common owner only the links tell; a grid the list moved away from still hears of it.
    auto first = std::make_unique<TTestGrid>(nullptr);
    auto second = std::make_unique<TTestGrid>(nullptr);
    auto* shared = new VIvoDediZudaZove(nullptr);
    first->SetUndoRedo(shared);
    second->SetUndoRedo(shared);
    EXPECT_EQ(shared->Grid(), second.get());
    delete shared;
    EXPECT_EQ(first->UndoRedo(), nullptr);
    EXPECT_EQ(second->UndoRedo(), nullptr);
}

// ---- Bad input ---------------------------------------------------------------------------------------

TEST_F(BaseGrid, IndexesOutsideTheGrid)
{
    try {
        grid->SetCells(-1, 0, "x");
        ADD_FAILURE() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (-1)");
    }
    EXPECT_THROW(grid->Cells(0, -2), EListError);
    EXPECT_EQ(grid->Cells(-1, 3), "") << "a negative column in an empty row";
    grid->SetCells(9, 40, "q");
    EXPECT_EQ(grid->Cells(9, 40), "q");
    EXPECT_FALSE(grid->HasCellProperties(9, 40));
    grid->MergeCells(2, 2, 0, 3);
    EXPECT_FALSE(grid->IsMergedCell(2, 2)) << "a span below 1 merges nothing";
}

} // namespace basegridtest
