// The string grid built in code inside the loading bracket on a shown offscreen form: construction
// values, fixed-row rules, hidden columns and index conversion, the per-cell look and hooks, the
// current row, the update lock and destruction with hidden columns.
#include "grid/core/ExtGrid.h"
#include "grid/CellGraphicProbe.h"
#include "grid/GridOnForm.h"
#include "grid/base/CellText.h"
#include "grid/dropdown/DropDownAppearance.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/grid/InplaceEdit.h"
#include "platform/system/RegistryIniFile.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace extgridtest
{

using gridprobe::TCellGraphic;

// Counts the paints of the client area.
class TPaintCountingGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    int Paints = 0;
    // What an editor change leaves behind.
    void MarkEditChange() { FEditChange = true; }
    // What a sort sets while it copies rows.
    void SetNilObjects(bool Value) { FNilObjects = Value; }
    using TExtStringGrid::HideInplaceEdit;
    using TExtStringGrid::ReadEditLimit;
    using TExtStringGrid::ReadEditMask;
    using TExtStringGrid::ShowInplaceEdit;
    TCursor OldCursor() const { return FOldCursor; }

  protected:
    void Paint() override
    {
        ++Paints;
        TExtStringGrid::Paint();
    }
};

class ExtGrid : public GridOnForm<TPaintCountingGrid>
{
  protected:
    void SetUp() override { ShowForm(700, 500); }
};

TEST_F(ExtGrid, NewGridValues)
{
    auto* g = New([](TPaintCountingGrid* g) { g->SetOptions(g->Options() | goAlwaysShowEditor); });
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(g->DefaultRowHeight(), 22);
    EXPECT_EQ(g->FixedRowHeight(), 22);
    EXPECT_EQ(g->Width(), 400);
    EXPECT_EQ(g->Height(), 250);
    EXPECT_EQ(g->FloatFormat, "%.2f");
    EXPECT_EQ(g->CheckTrue, "Y");
    EXPECT_EQ(g->CheckFalse, "N");
    EXPECT_EQ(g->SelectionColor, TColor(0x00EACAB6));
    EXPECT_EQ(g->ActiveCellColor, TColor(0x00808080));
    EXPECT_EQ(g->DisabledFontColor, TColor(0x00C0C0C0));
    EXPECT_EQ(g->URLColor, TColor(0x00FF0000));
    EXPECT_EQ(g->XYOffset, TPoint(2, 2));
    EXPECT_EQ(g->FilterDropDownClear, "(All)");
    EXPECT_EQ(g->XMLEncoding, "ISO-8859-1");
    EXPECT_EQ(QString(g->FixedFont()->Name), "Tahoma");
    EXPECT_EQ(TFontStyles(g->FixedFont()->Style), fsBold);
    EXPECT_EQ(g->BorderColor, TColor(0x00B99D7F));
    EXPECT_EQ(g->GetVersionString(), "6.2.1.3 Sep, 2012");
    EXPECT_EQ(g->Version(), "6.2.1.3");
    for (int c = 0; c < 512; ++c)
        ASSERT_FALSE(g->IsHiddenColumn(c)) << c;

    EXPECT_EQ(g->MinColWidth(), 10);
    EXPECT_EQ(g->MinRowHeight(), 22);
    EXPECT_FALSE(g->Options().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(g->Navigation()->AlwaysEdit);
}

TEST_F(ExtGrid, SettingsObjectsOfANewGrid)
{
    EXPECT_EQ(grid->Look, glXP);
    EXPECT_EQ(grid->ControlLook()->ControlStyle(), csTheme) << "themes are found off only with the window";
    EXPECT_TRUE(grid->IsThemed());
    EXPECT_EQ(grid->ControlLook()->CheckSize(), 15);
    EXPECT_EQ(grid->ControlLook()->RadioSize(), 10);
    EXPECT_EQ(grid->ControlLook()->DropDownCount, 8);
    EXPECT_EQ(grid->QelGradientFrom(), clWhite);
    EXPECT_EQ(grid->QelGradientTo(), ColorToRGB(clBtnFace));
    EXPECT_EQ(grid->BackGround()->Color(), clWindow);
    EXPECT_EQ(grid->BackGround()->ColorTo(), clBtnFace);
    EXPECT_EQ(grid->CellNode()->NodeType(), cnXP);
    EXPECT_EQ(grid->CellNode()->NodeIndent(), 12);
    EXPECT_EQ(grid->ColumnSize()->StretchColumn, -1);
    EXPECT_EQ(grid->DragScrollOptions()->Delays()->InitialDelay, 1000);
    EXPECT_EQ(grid->DragScrollOptions()->Margins()->RightMargin, 50);
    EXPECT_EQ(grid->ShowModified()->Color(), TColor(0x0000FFFF));
    EXPECT_EQ(grid->ProgressAppearance()->Values().Level2Perc, 90);
    EXPECT_EQ(grid->Balloon()->InitialDelay, -1);
}

TEST_F(ExtGrid, ControlLookForwardsFixedGradients)
{
    TControlLook* look = grid->ControlLook();
    look->SetFixedGradientFrom(clNone);
    EXPECT_EQ(grid->QelGradientFrom(), clWhite) << "an unset colour is not forwarded";
    look->SetFixedGradientFrom(clBtnFace);
    EXPECT_EQ(grid->QelGradientFrom(), ColorToRGB(clBtnFace)) << "stored as RGB";
    look->SetFixedGradientMirrorTo(0x00123456);
    EXPECT_EQ(grid->QelGradientMirrorTo(), TColor(0x00123456));
    look->SetFixedGradientDownBorder(clNone);
    EXPECT_EQ(grid->QelGradientDownBorder, TColor(0));
    look->SetFixedGradientHoverMirrorFrom(clRed);
    EXPECT_EQ(grid->QelGradientHoverMirrorFrom, clRed);
    look->Init();
    EXPECT_EQ(grid->QelGradientHoverMirrorFrom, clNone) << "mirrors are reset through their writers";
    EXPECT_EQ(look->FixedGradientFrom(), clNone);

    TControlLook other(nullptr);
    other.SetControlStyle(csFlat);
    other.SetFlatButton(true);
    other.SetFixedGradientTo(clRed);
    look->Assign(&other);
    EXPECT_EQ(look->ControlStyle(), csFlat);
    EXPECT_FALSE(look->FlatButton()) << "not copied";
    EXPECT_EQ(look->FixedGradientTo(), clRed);
    EXPECT_EQ(grid->QelGradientTo(), ColorToRGB(clBtnFace)) << "Assign does not forward";
    TShowModified notALook;
    EXPECT_NO_THROW(look->Assign(&notALook));
}

TEST_F(ExtGrid, FixedRowAlwaysKeepsAFixedRow)
{
    grid->SetRowCount(3);
    grid->SetFixedRowAlways(true);
    struct TStep {
        const char* What;
        std::function<void()> Do;
        int FixedRows;
    };
    const TStep steps[] = {
        {"FixedRows := 5", [&] { grid->SetFixedRows(5); }, 2},
        {"RowCount := 10", [&] { grid->SetRowCount(10); }, 5},
        {"FixedRows := 0", [&] { grid->SetFixedRows(0); }, 1},
        {"RowCount := 1", [&] { grid->SetRowCount(1); }, 1},
    };
    for (const TStep& s : steps) {
        s.Do();
        EXPECT_EQ(grid->FixedRows(), s.FixedRows) << s.What;
    }

    grid->SetFixedRowAlways(false);
    grid->SetRowCount(3);
    EXPECT_THROW(grid->SetFixedRows(3), EInvalidGridOperation) << "the toolkit's rule without it";

    grid->SetColWidths(0, 40);
    grid->SetFixedColWidth(64); // the default column width
    EXPECT_EQ(grid->ColWidths(0), 40);
    grid->SetFixedColWidth(50);
    EXPECT_EQ(grid->ColWidths(0), 50);
}

TEST_F(ExtGrid, HiddenColumnsConvertIndexes)
{
    grid->SetColCount(6);
    const int widths[] = {64, 10, 20, 30, 40, 50};
    for (int c = 0; c < 6; ++c)
        grid->SetColWidths(c, widths[c]);
    grid->SetCells(3, 2, "three");
    grid->HideColumn(1);
    grid->HideColumn(3);

    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->NumHiddenColumns(), 2);
    EXPECT_EQ(grid->AllColCount(), 6);
    EXPECT_TRUE(grid->IsHiddenColumn(3));
    const std::pair<int, int> toReal[] = {{0, 0}, {1, 2},     {2, 4},   {3, 5},
                                          {4, 6}, {509, 511}, {510, 0}, {600, 600}};
    for (auto [d, r] : toReal)
        EXPECT_EQ(grid->RealColIndex(d), r) << "display " << d;
    const std::pair<int, int> toDispl[] = {{0, 0}, {1, 1}, {2, 1},     {3, 2},
                                           {4, 2}, {5, 3}, {511, 509}, {600, 600}};
    for (auto [r, d] : toDispl)
        EXPECT_EQ(grid->DisplColIndex(r), d) << "real " << r;
    EXPECT_FALSE(grid->IsHiddenColumn(600));

    EXPECT_EQ(DisplayWidths(), (std::vector<int>{64, 20, 40, 50}));
    EXPECT_EQ(grid->AllColWidths(1), 10);
    EXPECT_EQ(grid->AllColWidths(3), 30);
    EXPECT_EQ(grid->AllColWidths(4), 40);
    EXPECT_EQ(grid->Cells(3, 2), "three") << "a hidden column keeps its cells by real index";

    grid->HideColumn(3); // hidden already
    grid->HideColumn(700);
    EXPECT_EQ(grid->ColCount(), 4);

    grid->UnHideColumn(1);
    EXPECT_EQ(DisplayWidths(), (std::vector<int>{64, 10, 20, 40, 50}));
    grid->UnHideColumn(1); // shown already
    EXPECT_EQ(grid->ColCount(), 5);

    grid->SetCol(4);
    grid->HideColumn(5); // the current, last display column
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->ColCount(), 4);

    // Ranges with hidden and shown columns mixed.
    grid->HideColumns(1, 4); // 3 and 5 hidden already
    EXPECT_EQ(DisplayWidths(), (std::vector<int>{64}));
    EXPECT_EQ(grid->RealColIndex(0), 0);
    grid->UnHideColumns(2, 4);
    EXPECT_EQ(DisplayWidths(), (std::vector<int>{64, 20, 30, 40}));
    EXPECT_EQ(grid->RealColIndex(3), 4);
    grid->UnHideColumnsAll();
    EXPECT_EQ(DisplayWidths(), (std::vector<int>{64, 10, 20, 30, 40, 50}));
    EXPECT_EQ(grid->DisplColIndex(5), 5);
}

TEST_F(ExtGrid, LastDisplayColumnStays)
{
    grid->SetFixedCols(0);
    grid->SetColCount(2);
    grid->HideColumns(0, 1);
    EXPECT_EQ(grid->ColCount(), 1);
    EXPECT_EQ(grid->NumHiddenColumns(), 1);
}

TEST_F(ExtGrid, CellLookAndEditPermission)
{
    EXPECT_EQ(grid->Colors(2, 3), clNone);
    EXPECT_FALSE(grid->HasCellProperties(2, 3)) << "a read creates nothing";
    EXPECT_EQ(grid->WordWraps(2, 3), grid->WordWrap());
    EXPECT_TRUE(grid->HasCellProperties(2, 3)) << "WordWraps does";

    grid->SetColors(1, 2, clRed);
    grid->SetFontStyles(1, 2, fsItalic);
    EXPECT_EQ(grid->Colors(1, 2), clRed);
    EXPECT_EQ(grid->FontStyles(1, 2), fsItalic);

    bool can = true;
    grid->CanEditCell(3, 4, can);
    EXPECT_TRUE(can) << "no properties";
    grid->SetReadOnly(3, 4, false);
    can = true;
    grid->CanEditCell(3, 4, can);
    EXPECT_FALSE(can) << "properties without goEditing";
    grid->SetOptions(grid->Options() | goEditing);
    can = true;
    grid->CanEditCell(3, 4, can);
    EXPECT_TRUE(can);
    grid->SetReadOnly(3, 4, true);
    can = true;
    grid->CanEditCell(3, 4, can);
    EXPECT_FALSE(can);

    QList<QPair<int, int>> asked; // (row, col) in the event's order
    grid->OnCanEditCell = [&](TObject*, int r, int c, bool&) { asked << qMakePair(r, c); };
    can = true;
    grid->CanEditCell(2, 5, can);
    EXPECT_EQ(asked, (QList<QPair<int, int>>{{5, 2}}));
}

TEST_F(ExtGrid, FixedCellsAndTheirHook)
{
    int asked = 0;
    grid->OnIsFixedCell = [&](TObject*, int, int, bool&) { ++asked; };
    bool fixed = false;
    grid->IsFixedCell(0, 3, fixed);
    EXPECT_TRUE(fixed);
    EXPECT_EQ(asked, 0) << "not asked for a fixed cell";
    fixed = false;
    grid->IsFixedCell(2, 3, fixed);
    EXPECT_FALSE(fixed);
    EXPECT_EQ(asked, 1);

    grid->SetFixedRowAlways(true);
    grid->SetRowCount(1);
    fixed = false;
    grid->IsFixedCell(1, 1, fixed);
    EXPECT_TRUE(fixed) << "a grid holding only its minimum fixed row";
}

TEST_F(ExtGrid, RowUpdateFiresOnChange)
{
    QList<QPair<int, int>> updates;
    grid->OnRowUpdate = [&](TObject*, int o, int n) { updates << qMakePair(o, n); };
    grid->SetRow(5);
    grid->SetRow(5);
    EXPECT_EQ(updates, (QList<QPair<int, int>>{{-1, 5}}));
    EXPECT_THROW(grid->SetRow(grid->RowCount()), EInvalidGridOperation);
    EXPECT_EQ(grid->Row(), 5);

    grid->SetTopRow(grid->RowCount());
    grid->SetTopRow(0);
    EXPECT_EQ(grid->TopRow(), 1) << "outside FixedRows .. RowCount - 1: ignored";
}

TEST_F(ExtGrid, ColumnFilterAndZoom)
{
    grid->FilterDropDownAuto = true;
    grid->SetRowCount(4);
    grid->SetCells(2, 1, "A");
    grid->SetCells(2, 2, "B B");
    grid->SetCells(2, 3, "A");
    EXPECT_TRUE(grid->GetColumnFilter(2));
    EXPECT_EQ(grid->FilterList()->Count(), 3);
    EXPECT_EQ(grid->FilterList()->Strings(0), "(All)");
    EXPECT_EQ(grid->FilterList()->Strings(1), "A");
    EXPECT_EQ(grid->FilterList()->Strings(2), "B B=\"B B\"");

    const int width = grid->ColWidths(1), height = grid->RowHeights(1);
    for (int i = 0; i < 4; ++i)
        grid->Zoom(3);
    EXPECT_EQ(grid->ZoomFactor(), 9);
    EXPECT_EQ(grid->ColWidths(1), width + 9);
    EXPECT_EQ(grid->RowHeights(1), height + 9);
}

TEST_F(ExtGrid, UsedCellsAndAllCells)
{
    EXPECT_EQ(grid->UsedCells(), (TGridRect{0, 0, 0, 0}));
    grid->SetCells(2, 5, "x");
    grid->SetCells(4, 1, "y");
    EXPECT_EQ(grid->UsedCells(), (TGridRect{2, 1, 4, 5}));
    EXPECT_EQ(grid->AllCells(2, 5), "x") << "without hidden rows real = display";
    EXPECT_EQ(grid->AllCells(-1, 5), "");
    EXPECT_EQ(grid->AllGridCells(2, -3), "");
    EXPECT_EQ(grid->AllObjects(-1, 0), nullptr);
    EXPECT_NO_THROW(grid->SetAllCells(-1, 2, "z"));
}

class TRecordingNotifier : public TGridChangeNotifier
{
  public:
    explicit TRecordingNotifier(QStringList& Log) : FLog(Log) {}
    void CellsChanged(const TRect&) override { FLog << "notifier"; }

  private:
    QStringList& FLog;
};

TEST_F(ExtGrid, UpdateLockAndNotifiers)
{
    grid->SetVisible(false);
    grid->BeginUpdate();
    EXPECT_FALSE(grid->LockUpdate()) << "an invisible grid does not lock";
    grid->SetVisible(true);
    QApplication::processEvents();

    grid->BeginUpdate();
    grid->BeginUpdate();
    grid->EndUpdate();
    grid->Paints = 0;
    grid->InvalidateGrid();
    QApplication::processEvents();
    EXPECT_EQ(grid->Paints, 0);
    grid->EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(grid->Paints, 1);

    grid->BeginUpdate();
    grid->SetVisible(false);
    grid->EndUpdate();
    grid->SetVisible(true);
    EXPECT_FALSE(grid->LockUpdate());
    grid->Paints = 0;
    grid->InvalidateGrid();
    QApplication::processEvents();
    EXPECT_GT(grid->Paints, 0) << "the lock ended though the grid was hidden meanwhile";

    // On a page that is not shown the grid is still visible by its own flag, so it locks.
    auto* pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    auto* first = new TTabSheet(form.get());
    first->SetPageControl(pages);
    auto* second = new TTabSheet(form.get());
    second->SetPageControl(pages);
    auto* onPage = New([&](TPaintCountingGrid* g) { g->SetParent(second); });
    pages->SetActivePage(first);
    QApplication::processEvents();
    onPage->BeginUpdate();
    EXPECT_TRUE(onPage->LockUpdate());
    onPage->EndUpdate();

    QStringList log;
    TRecordingNotifier notifier(log);
    grid->RegisterNotifier(&notifier);
    grid->RegisterNotifier(&notifier);
    grid->OnCellsChanged = [&](TObject*, const TRect&) { log << "event"; };
    grid->DoCellsChanged(TRect(1, 1, 2, 2));
    EXPECT_EQ(log, (QStringList{"event", "notifier"}));
    grid->UnRegisterNotifier(&notifier);
}

TEST_F(ExtGrid, IntegralHeightKeepsWholeRows)
{
    grid->SetBorderStyle(bsSingle);
    grid->SetIntegralHeight(true);
    struct TCase {
        int Asked, Got;
    };
    for (const TCase c : {TCase{100, 92}, TCase{250, 246}, TCase{26, 26}}) {
        grid->SetHeight(c.Asked);
        EXPECT_EQ(grid->Height(), c.Got) << c.Asked;
    }
    grid->SetIntegralHeight(false);
    grid->SetHeight(100);
    EXPECT_EQ(grid->Height(), 100);
}

TEST_F(ExtGrid, AssignCopiesGeometryAndCells)
{
    auto* src = New([](TPaintCountingGrid* g) {
        g->SetColCount(7);
        g->SetRowCount(12);
    });
    src->SetColWidths(3, 90);
    src->SetRowHeights(5, 40);
    src->SetCells(6, 11, "corner");
    src->SetCells(2, 3, "hidden");
    src->HideColumn(2);
    src->SetOptions(src->Options() | goEditing);
    src->ActiveCellFont()->Size = 14;
    src->ActiveCellColorTo = clYellow;
    src->InvalidEntryText = "no";
    src->AutoNumAlign = true;

    grid->Assign(src);
    EXPECT_EQ(int(grid->ActiveCellFont()->Size), 14) << "the font is copied, not shared";
    EXPECT_NE(grid->ActiveCellFont(), src->ActiveCellFont());
    EXPECT_EQ(grid->ActiveCellColorTo, clYellow);
    EXPECT_EQ(grid->InvalidEntryText, "no");
    EXPECT_TRUE(grid->AutoNumAlign);
    EXPECT_EQ(grid->ColCount(), src->ColCount());
    EXPECT_EQ(grid->RowCount(), 12);
    EXPECT_EQ(grid->ColWidths(2), 90) << "display column 2 is real column 3";
    EXPECT_EQ(grid->RowHeights(5), 40);
    EXPECT_EQ(grid->RowHeights(4), 22);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    // The cells travel through the binary cell stream, which carries the shown columns.
    EXPECT_EQ(grid->Cells(5, 11), "corner");
    EXPECT_EQ(grid->ColCount(), 6);
    for (int c = 0; c < grid->ColCount(); ++c)
        EXPECT_NE(grid->Cells(c, 3), "hidden") << "the hidden cell lands nowhere; column " << c;

    TStringList notAGrid;
    EXPECT_NO_THROW(grid->Assign(&notAGrid));
    EXPECT_EQ(grid->RowCount(), 12);
}

TEST_F(ExtGrid, InvalidateAfterAnEditorChangeIsSwallowedOnce)
{
    QApplication::processEvents();
    grid->Paints = 0;
    grid->MarkEditChange();
    grid->Invalidate();
    QApplication::processEvents();
    EXPECT_EQ(grid->Paints, 0);
    grid->Invalidate();
    QApplication::processEvents();
    EXPECT_EQ(grid->Paints, 1);

    int resized = 0;
    grid->OnResize = [&](TObject* Sender) {
        EXPECT_EQ(Sender, grid);
        ++resized;
    };
    grid->SetWidth(300);
    EXPECT_EQ(resized, 1);
}

TEST_F(ExtGrid, HooksFireTheirEventsInTheirArgumentOrder)
{
    QStringList asked;
    auto note = [&](const char* name, int a, int b) {
        asked << QString("%1(%2,%3)").arg(name).arg(a).arg(b);
    };
    grid->OnGetCellColor = [&](TObject*, int a, int b, TGridDrawState, TBrush*, TFont*) {
        note("color", a, b);
    };
    grid->OnGetAlignment = [&](TObject*, int a, int b, TAlignment&, TVAlignment&) { note("align", a, b); };
    grid->OnIsPasswordCell = [&](TObject*, int a, int b, bool&) { note("password", a, b); };
    grid->OnGetEditorType = [&](TObject*, int a, int b, TEditorType& e) {
        note("editor", a, b);
        e = edNone;
    };
    grid->OnGridHint = [&](TObject*, int a, int b, QString&) { note("hint", a, b); };
    grid->OnGridWideHint = [&](TObject*, int, int, QString& h) { h = QString("x") + QChar(0x20AC); };

    TBrush brush;
    TFont font;
    grid->GetCellColor(3, 1, 0, &brush, &font);
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    grid->GetAlignment(3, 1, ha, va);
    bool password = false;
    grid->DoIsPasswordCell(3, 1, password);
    EXPECT_TRUE(grid->IsEditorNone(3, 1));
    QString hint = "plain", wide;
    grid->DoGridHint(3, 1, hint, wide);
    EXPECT_EQ(asked, (QStringList{"color(1,3)", "align(1,3)", "password(1,3)", "editor(3,1)", "hint(1,3)"}));
    EXPECT_EQ(hint, EncodeWideText(QString("x") + QChar(0x20AC))) << "a wide hint replaces the text";
}

TEST_F(ExtGrid, CellColourAndDropDownButtons)
{
    grid->SetColors(2, 3, clRed);
    grid->SetFontColors(2, 3, clBlue);
    TBrush brush;
    brush.Color = clWhite;
    TFont font;
    grid->GetCellColor(2, 3, 0, &brush, &font);
    EXPECT_EQ(brush.Color, clRed);
    EXPECT_EQ(font.Color, clBlue);

    grid->ActiveCellShow = true;
    grid->SetCol(2);
    grid->SetRow(3);
    brush.Color = clWhite;
    grid->GetCellColor(2, 0, 0, &brush, &font);
    EXPECT_EQ(brush.Color, grid->ActiveCellColor) << "the header of the current column";

    EXPECT_FALSE(grid->HasComboBox(2, 3));
    grid->ControlLook()->SetDropDownAlwaysVisible(true);
    grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
        if (c == 2)
            e = edComboList;
    };
    EXPECT_TRUE(grid->HasComboBox(2, 3));
    EXPECT_FALSE(grid->HasComboBox(3, 3));
    grid->DefaultEditor = edSpinEdit;
    grid->ControlLook()->SetSpinButtonsAlwaysVisible(true);
    EXPECT_TRUE(grid->HasSpinEdit(3, 3));
    EXPECT_FALSE(grid->HasSpinEdit(0, 3)) << "never on fixed cells";
}

TEST_F(ExtGrid, RowColoursFreeWhatTheyCleared)
{
    int freed = 0;
    grid->SetAlignments(2, 4, taCenter);
    grid->SetGraphicObjectEx(3, 4, new TCellGraphic(freed));
    grid->SetAlignments(3, 4, taCenter);
    grid->SetRowColor(4, clNone);
    EXPECT_FALSE(grid->HasCellProperties(2, 4)) << "a plain cell loses its alignment";
    EXPECT_EQ(grid->Alignments(3, 4), taCenter) << "a cell holding an object keeps it";

    grid->SetRowColor(5, clYellow);
    EXPECT_EQ(grid->Colors(4, 5), clYellow);
    grid->SetRowColorTo(5, clNone);
    EXPECT_FALSE(grid->HasCellProperties(4, 5));
    grid->SetRowFontColor(6, clRed);
    EXPECT_EQ(grid->FontColors(1, 6), clRed);
    EXPECT_FALSE(grid->HasCellProperties(0, 6)) << "fixed columns are left alone";
    grid->FreeCellPropsRect(3, 4, 3, 4);
    EXPECT_EQ(freed, 1);
}

TEST_F(ExtGrid, CurrentCellAndCellControls)
{
    grid->SetCells(1, 1, "base");
    grid->MergeCells(1, 1, 2, 2);
    grid->SetCol(2);
    grid->SetRow(2);
    EXPECT_EQ(grid->CurrentCell(), "base");
    grid->SetCurrentCell("new");
    EXPECT_EQ(grid->GridCells(1, 1), "new");

    auto* edit = new TEdit(form.get());
    grid->SetCellControls(3, 4, edit);
    EXPECT_EQ(grid->CellControls(3, 4), edit);
    EXPECT_EQ(grid->NumCellControls(), 1);
    EXPECT_EQ(edit->Parent(), grid);
    grid->SetCellControls(3, 4, nullptr);
    EXPECT_EQ(grid->CellControls(3, 4), nullptr);
    EXPECT_EQ(grid->NumCellControls(), 0);
}

TEST_F(ExtGrid, DestructionFreesCellsOfHiddenColumns)
{
    int freed = 0;
    auto* g = New();
    g->SetColCount(6);
    g->SetGraphicObjectEx(4, 2, new TCellGraphic(freed));
    g->SetColors(4, 3, clRed);
    g->HideColumn(4);
    g->HideColumn(2);
    delete g;
    EXPECT_EQ(freed, 1);
}

TEST_F(ExtGrid, ClearRowsReachesEveryRealColumn)
{
    int freed = 0;
    grid->SetColCount(6);
    for (int c = 0; c < 6; ++c) {
        grid->SetCells(c, 3, QString("r3c%1").arg(c));
        grid->SetCells(c, 2, QString("r2c%1").arg(c));
    }
    grid->SetGraphicObjectEx(2, 3, new TCellGraphic(freed));
    grid->SetColors(4, 3, clRed);
    grid->HideColumn(4);
    QList<TRect> changed;
    grid->OnCellsChanged = [&](TObject*, const TRect& R) { changed << R; };

    grid->ClearRows(3, 1);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(grid->AllCells(c, 3), "") << c;
        EXPECT_EQ(grid->AllCells(c, 2), QString("r2c%1").arg(c)) << "neighbour row kept";
    }
    EXPECT_EQ(freed, 1);
    EXPECT_FALSE(grid->HasCellProperties(4, 3)) << "hidden column's properties freed";
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0].Top, 3);
    EXPECT_EQ(changed[0].Bottom, 3);

    changed.clear();
    grid->ClearRows(3, 0);
    EXPECT_TRUE(changed.isEmpty()) << "a count of 0 clears nothing";

    // While rows are copied by a sort the objects are detached, not freed.
    grid->SetColors(1, 5, clBlue);
    TCellProperties* props = grid->CellProperties(1, 5);
    grid->SetNilObjects(true);
    grid->ClearRows(5, 1);
    grid->SetNilObjects(false);
    EXPECT_FALSE(grid->HasCellProperties(1, 5));
    EXPECT_EQ(props->BrushColor(), clBlue) << "still alive";
    delete props;
}

TEST_F(ExtGrid, ClearRectColumnsFollowSaveHiddenCells)
{
    struct Case {
        bool SaveHidden;
        int ClearedReal;
    };
    for (const Case& k : {Case{false, 1}, Case{true, 2}}) {
        auto* g = New();
        g->SetColCount(6);
        for (int c = 0; c < 6; ++c)
            g->SetCells(c, 2, "x");
        g->HideColumn(1);
        g->SaveHiddenCells = k.SaveHidden;
        g->ClearRect(1, 2, 1, 2);
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(g->AllCells(c, 2), c == k.ClearedReal ? "" : "x") << k.SaveHidden << " col " << c;
        delete g;
    }
}

TEST_F(ExtGrid, ClearOfTheDisplayBlockLeavesHiddenColumnObjectsToTheDestructor)
{
    // Display columns 0 .. 4 are real 0 .. 4 without SaveHiddenCells: real column 5 keeps its
    // graphic, which must still be freed with the grid.
    int freed = 0;
    auto* g = New();
    g->SetColCount(6);
    g->SetGraphicObjectEx(5, 2, new TCellGraphic(freed));
    g->HideColumn(4);
    g->ClearRect(0, 0, g->ColCount() - 1, g->RowCount() - 1);
    EXPECT_EQ(freed, 0);
    delete g;
    EXPECT_EQ(freed, 1);
}

TEST_F(ExtGrid, EditPermissionOfCells)
{
    grid->SetColCount(6);
    EXPECT_FALSE(grid->IsEditable(2, 2)) << "no editing on the grid";
    EXPECT_TRUE(grid->IsCellEditable(2, 2));
    grid->MouseActions()->RangeSelectAndEdit = true;
    EXPECT_TRUE(grid->IsEditable(2, 2));
    grid->MouseActions()->RangeSelectAndEdit = false;
    grid->SetOptions(grid->Options() | goEditing);
    EXPECT_TRUE(grid->IsEditable(2, 2));
    EXPECT_FALSE(grid->IsEditable(0, 2)) << "fixed column";
    EXPECT_FALSE(grid->IsEditable(2, 0)) << "fixed row";

    // A covered cell answers for its base.
    grid->MergeCells(2, 3, 2, 1);
    grid->SetReadOnly(2, 3, true);
    EXPECT_FALSE(grid->IsCellEditable(3, 3));
    EXPECT_TRUE(grid->IsCellEditable(3, 4));

    // The fixed-cell question is asked about the real column given, hidden columns or not.
    grid->HideColumn(1);
    QList<int> askedCols;
    grid->OnIsFixedCell = [&](TObject*, int, int c, bool& f) {
        askedCols << c;
        f = c == 4;
    };
    EXPECT_FALSE(grid->IsCellEditable(4, 5));
    EXPECT_TRUE(grid->IsCellEditable(5, 5));
    EXPECT_EQ(askedCols, (QList<int>{4, 5}));
}

TEST_F(ExtGrid, CountingUpdateLock)
{
    grid->StartUpdate();
    grid->StartUpdate();
    EXPECT_EQ(grid->UpdateCount(), 2);
    EXPECT_TRUE(grid->LockUpdate());
    grid->ResetUpdate();
    EXPECT_EQ(grid->UpdateCount(), 0);

    // A BeginUpdate ended by ResetUpdate does not leave the redraw off.
    grid->BeginUpdate();
    grid->ResetUpdate();
    QApplication::processEvents();
    grid->Paints = 0;
    grid->InvalidateGrid();
    QApplication::processEvents();
    EXPECT_GT(grid->Paints, 0);
}

TEST_F(ExtGrid, ScrollBarsKeptShownWhenEverythingFits)
{
    QScrollBar* vert = grid->ScrollBar(SB_VERT);
    grid->SetRowCount(3);
    grid->SetScrollBarAlways(saVert);
    EXPECT_TRUE(grid->ScrollBarVisible(SB_VERT));
    EXPECT_FALSE(vert->isEnabled()) << "greyed while the rows fit";
    EXPECT_FALSE(grid->ScrollBarVisible(SB_HORZ));

    grid->SetRowCount(100);
    EXPECT_TRUE(vert->isEnabled());
    grid->SetRowCount(3);
    EXPECT_FALSE(vert->isEnabled());

    grid->SetScrollBarAlways(saNone);
    EXPECT_FALSE(grid->ScrollBarVisible(SB_VERT));
}

TEST_F(ExtGrid, PrintColumnLayoutRange)
{
    grid->MaxWidths[0] = 70;
    grid->Indents[511] = 300;
    EXPECT_EQ(grid->PrintColWidth(0), 70);
    EXPECT_EQ(grid->PrintColOffset(511), 300);
    for (int bad : {-1, 512, 600}) {
        try {
            grid->PrintColWidth(bad);
            ADD_FAILURE() << bad;
        } catch (const EExtGridError& e) {
            EXPECT_EQ(e.Message, "Columns is not in valid range");
        }
        EXPECT_THROW(grid->PrintColOffset(bad), EExtGridError) << bad;
    }
}

TEST_F(ExtGrid, WideCellsDecodeTheEscape)
{
    grid->SetColCount(6);
    const QString wide = QString::fromUtf8("\u03a9\u4e2d x");
    grid->SetCells(2, 3, EncodeWideText(wide));
    EXPECT_EQ(grid->WideCells(2, 3), wide);
    grid->SetWideCells(3, 3, wide);
    EXPECT_EQ(grid->WideCells(3, 3), wide);
    grid->HideColumn(2);
    EXPECT_EQ(grid->AllWideCells(2, 3), wide) << "hidden column by real index";
    grid->SetAllWideCells(5, 4, "plain");
    EXPECT_EQ(grid->Cells(5, 4), "plain");
}

TEST_F(ExtGrid, StrippedCellsLoseTheirTags)
{
    grid->SetCells(2, 3, "<B>bold</B><br>next<HR>x &amp; y");
    EXPECT_EQ(grid->StrippedCells(2, 3), "bold\r\nnext\r\nx &amp; y");
    grid->SetCells(3, 3, "a < b");
    EXPECT_EQ(grid->StrippedCells(3, 3), "a < b") << "an unclosed tag keeps the rest";
    grid->SetColCount(6);
    grid->SetCells(4, 2, "<I>hidden</I>");
    grid->HideColumn(3);
    EXPECT_EQ(grid->StrippedCells(4, 2), "hidden") << "real column";
}

TEST_F(ExtGrid, DisplCellsFormatNumbersOnlyWhenTheEventAgrees)
{
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    SetFormatSettings(fs);
    struct TCase {
        const char* Text;
        const char* Format; // what the event hands back; nullptr: it says "not a float"
        const char* Shown;
        bool Asked;
    };
    const TCase cases[] = {
        {"1,5", "%.3f", "1,500", true},
        {"12", "%d", "12", true},
        {"-", "%d", "0", true},
        {"1.234,5", "%.1f", "1234,5", true},
        {"2,5", "%d", "2,5", true}, // no integer value: the stored text
        {"3", "%s", "3", true},     // the format does not fit a float: the stored text
        {"7", "", "7", true},
        {"7", nullptr, "7", true},
        {"abc", "%.2f", "abc", false},
        {"", "%.2f", "", false},
    };
    int asked = 0;
    const char* handed = nullptr;
    grid->OnGetFloatFormat = [&](TObject*, int ACol, int ARow, bool& IsFloat, QString& Fmt) {
        ++asked;
        EXPECT_EQ(ACol, 3);
        EXPECT_EQ(ARow, 2);
        EXPECT_EQ(Fmt, "%.2f") << "the grid's FloatFormat comes in";
        if (handed)
            Fmt = handed;
        else
            IsFloat = false;
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        grid->SetCells(3, 2, c.Text);
        handed = c.Format;
        asked = 0;
        EXPECT_EQ(grid->DisplCells(3, 2), c.Shown);
        EXPECT_EQ(asked, c.Asked ? 1 : 0);
        EXPECT_EQ(grid->Cells(3, 2), c.Text) << "the stored text stays";
    }
    grid->OnGetFloatFormat = nullptr;
    grid->SetCells(3, 2, "1,5");
    EXPECT_EQ(grid->DisplCells(3, 2), "1,5") << "without the event nothing is formatted";
    ResetFormatSettings();
}

TEST_F(ExtGrid, InplaceEditSeams)
{
    grid->SetRowCount(40);
    grid->SetColCount(12);
    grid->SetOptions(grid->Options() | goEditing);
    for (int c = 0; c < 12; ++c)
        grid->SetCells(c, 30, QString("c%1").arg(c));
    QApplication::setActiveWindow(form->Widget());
    grid->SetFocus();
    QApplication::processEvents();
    std::vector<std::pair<int, int>> selected;
    grid->OnSelectCell = [&](TObject*, int ACol, int ARow, bool&) { selected.emplace_back(ACol, ARow); };

    grid->HideInplaceEdit();
    EXPECT_TRUE(selected.empty()) << "nothing open: nothing asked";

    grid->SetCol(9);
    grid->SetRow(30);
    grid->SetTopRow(35);
    grid->SetLeftCol(10);
    selected.clear();
    grid->ShowInplaceEdit();
    EXPECT_TRUE(grid->EditMode);
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    EXPECT_TRUE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->TopRow(), 30) << "the current row is scrolled into view";
    EXPECT_EQ(grid->LeftCol(), 9);
    EXPECT_EQ(grid->InplaceEditor()->Text(), "c9");

    grid->InplaceEditor()->SetText("edited");
    grid->HideInplaceEdit();
    EXPECT_FALSE(grid->EditMode);
    EXPECT_FALSE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->Cells(9, 30), "edited") << "the text is stored";
    EXPECT_EQ(selected, (std::vector<std::pair<int, int>>{{9, 30}}));

    // Hiding a column before it closes the open editor first, so its text lands in its own cell
    // and not in the column that moves into its place.
    grid->ShowInplaceEdit();
    ASSERT_TRUE(grid->EditMode);
    grid->InplaceEditor()->SetText("kept");
    grid->HideColumn(4);
    EXPECT_FALSE(grid->EditMode);
    EXPECT_FALSE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->AllCells(9, 30), "kept");
    EXPECT_EQ(grid->AllCells(10, 30), "c10");
}

TEST_F(ExtGrid, WordWrapAndCursorAreKept)
{
    grid->SetWordWrap(false);
    EXPECT_FALSE(grid->WordWrap());
    EXPECT_FALSE(grid->TBaseGrid::WordWrap()) << "the base grid's flag follows";
    const int paints = grid->Paints;
    grid->BeginUpdate();
    grid->SetWordWrap(true);
    grid->EndUpdate();
    QApplication::processEvents();
    EXPECT_TRUE(grid->TBaseGrid::WordWrap());
    EXPECT_EQ(grid->Paints, paints + 1) << "one repaint, at the end of the lock";

    grid->SetCursor(crHandPoint);
    EXPECT_EQ(grid->Cursor(), crHandPoint);
    EXPECT_EQ(grid->OldCursor(), crHandPoint);
    auto* loaded = New([](TPaintCountingGrid* g) { g->TControl::SetCursor(crCross); });
    EXPECT_EQ(loaded->OldCursor(), crCross) << "Loaded takes the streamed cursor";
}

TEST_F(ExtGrid, GridFollowsItsOwnerFormsSize)
{
    int formResizes = 0;
    form->OnResize = [&](TObject*) {
        ++formResizes;
        throw Exception("form handler fails");
    };
    std::vector<QString> reported;
    Application->OnException = [&](TObject*, const std::exception& E) { reported.push_back(E.what()); };
    grid->SizeWithForm = true;
    const int w = grid->Width(), h = grid->Height();
    grid->PrevSizeX = form->Width();
    grid->PrevSizeY = form->Height();

    form->SetBounds(form->Left(), form->Top(), form->Width() + 50, form->Height() + 30);
    QApplication::processEvents();
    EXPECT_EQ(grid->Width(), w + 50);
    EXPECT_EQ(grid->Height(), h + 30);
    EXPECT_EQ(grid->PrevSizeX, form->Width());
    EXPECT_EQ(grid->PrevSizeY, form->Height());
    EXPECT_GE(formResizes, 1) << "the form's own handler still runs";
    EXPECT_EQ(int(reported.size()), formResizes) << "its errors are reported, not swallowed";

    grid->SizeWithForm = false;
    form->SetBounds(form->Left(), form->Top(), form->Width() - 40, form->Height() - 20);
    QApplication::processEvents();
    EXPECT_EQ(grid->Width(), w + 50) << "without SizeWithForm the grid keeps its size";

    // A grid freed before its form leaves no filter behind.
    delete grid;
    grid = nullptr;
    form->SetBounds(form->Left(), form->Top(), form->Width() + 10, form->Height() + 10);
    QApplication::processEvents();
    Application->OnException = nullptr;
    form->OnResize = nullptr;
}

TEST_F(ExtGrid, SettingsWithTheirOwnEnumerations)
{
    EXPECT_EQ(grid->HintShowLargeTextPos, hpCell);
    EXPECT_EQ(grid->InvalidEntryIcon, ieWarning);
    EXPECT_EQ(int(ieWarning), 2) << "the balloon's icon number";
    EXPECT_EQ(grid->FilterDropDownColumns, fdNormal);
    const TGrouping* g = grid->Grouping();
    EXPECT_FALSE(g->HeaderUnderline);
    EXPECT_EQ(g->HeaderLineColor, TColor(0x00FF0000));
    EXPECT_EQ(g->HeaderLineWidth, 2);
    EXPECT_EQ(g->SummaryLineWidth, 2);
    EXPECT_EQ(g->HeaderColor, clNone);
}

TEST_F(ExtGrid, GroupingAssignKeepsSummaryAndTheLines)
{
    TGrouping src;
    src.HeaderUnderline = true;
    src.SummaryLine = true;
    src.HeaderColor = 0x123456;
    src.GroupCountFormat = "(%d)";
    src.Summary = true;
    src.HeaderLineColor = 0x00FF00;
    src.SummaryLineWidth = 5;
    grid->SetGrouping(&src);
    const TGrouping* g = grid->Grouping();
    EXPECT_TRUE(g->HeaderUnderline);
    EXPECT_TRUE(g->SummaryLine);
    EXPECT_EQ(g->HeaderColor, TColor(0x123456));
    EXPECT_EQ(g->GroupCountFormat, "(%d)");
    EXPECT_FALSE(g->Summary);
    EXPECT_EQ(g->HeaderLineColor, TColor(0x00FF0000));
    EXPECT_EQ(g->SummaryLineWidth, 2);
    grid->Grouping()->Assign(grid->ControlLook()); // not a grouping: ignored
    EXPECT_TRUE(grid->Grouping()->HeaderUnderline);
}

TEST_F(ExtGrid, GroupingLinesUnderHeadersAndOverSummaries)
{
    grid->SetRowCount(8);
    grid->AddNode(2, 3);
    grid->MarkSummaryRow(5);
    TPen pen;
    auto border = [&](int c, int r) {
        pen.Color = clBlack;
        pen.Width = 1;
        TCellBorders b;
        grid->GetCellBorder(c, r, &pen, b);
        return b;
    };
    EXPECT_TRUE(border(1, 2).Empty()) << "lines are off by default";
    grid->Grouping()->HeaderUnderline = true;
    grid->Grouping()->SummaryLine = true;
    grid->Grouping()->SummaryLineColor = 0x0000FF;
    grid->Grouping()->SummaryLineWidth = 3;
    EXPECT_EQ(border(1, 2), TCellBorders{cbBottom});
    EXPECT_EQ(TColor(pen.Color), TColor(0x00FF0000));
    EXPECT_EQ(int(pen.Width), 2);
    EXPECT_EQ(border(3, 5), TCellBorders{cbTop});
    EXPECT_EQ(TColor(pen.Color), TColor(0x0000FF));
    EXPECT_EQ(int(pen.Width), 3);
    EXPECT_TRUE(border(0, 2).Empty()) << "the node column has none";
    EXPECT_TRUE(border(1, 3).Empty()) << "a data row has none";
    // The handler has the last word.
    grid->OnGetCellBorder = [](TObject*, int, int, TPen*, TCellBorders& b) { b.Include(cbLeft); };
    EXPECT_EQ(border(1, 2), (TCellBorders{cbBottom, cbLeft}));
}

TEST_F(ExtGrid, ExpandClickSetsTheRowHeight)
{
    grid->SetRowHeights(3, 20);
    grid->AddExpand(1, 3, 60);
    std::vector<bool> states;
    grid->OnExpandClick = [&](TObject*, int, int, bool Expanded) {
        states.push_back(Expanded);
        EXPECT_EQ(grid->RowHeights(3), Expanded ? 20 : 60) << "the event comes first";
    };
    grid->DoExpandClick(1, 3, true);
    EXPECT_EQ(grid->RowHeights(3), 60);
    grid->DoExpandClick(1, 3, false);
    EXPECT_EQ(grid->RowHeights(3), 20);
    // A cell without an expand object goes back to the default height.
    grid->SetRowHeights(4, 40);
    grid->DoExpandClick(2, 4, true);
    EXPECT_EQ(grid->RowHeights(4), grid->DefaultRowHeight());
    EXPECT_EQ(states, (std::vector<bool>{true, false, true}));
}

TEST_F(ExtGrid, ControlLookOwnsTheDropDownStrips)
{
    TControlLook* look = grid->ControlLook();
    ASSERT_NE(look->DropDownHeader(), nullptr);
    ASSERT_NE(look->DropDownFooter(), nullptr);
    EXPECT_EQ(look->DropDownHeader()->GetOwner(), grid);
    THeaderAppearance header(nullptr);
    header.SetCaption("Pick");
    header.SetColor(0x00FF00);
    look->SetDropDownHeader(&header);
    EXPECT_EQ(look->DropDownHeader()->Caption(), "Pick");
    EXPECT_NE(look->DropDownHeader(), &header) << "the look keeps its own object";
    TFooterAppearance footer(nullptr);
    footer.SetSizeGrip(false);
    look->SetDropDownFooter(&footer);
    EXPECT_FALSE(look->DropDownFooter()->SizeGrip());
    // A look copied from another grid's takes both strips along.
    auto* other = New();
    other->ControlLook()->Assign(look);
    EXPECT_EQ(other->ControlLook()->DropDownHeader()->Caption(), "Pick");
    EXPECT_EQ(other->ControlLook()->DropDownHeader()->Color(), TColor(0x00FF00));
    EXPECT_FALSE(other->ControlLook()->DropDownFooter()->SizeGrip());
}

TEST_F(ExtGrid, ChangeScaleScalesTheGridsOwnFonts)
{
    grid->FixedFont()->Size = 8;
    grid->ActiveCellFont()->Size = 10;
    grid->HandleChangeScale(3, 2);
    EXPECT_EQ(int(grid->FixedFont()->Size), 12);
    EXPECT_EQ(int(grid->ActiveCellFont()->Size), 15);
    grid->HandleChangeScale(2, 2);
    EXPECT_EQ(int(grid->FixedFont()->Size), 12) << "M = D changes nothing";
    grid->HandleChangeScale(1, 3); // 4 and 5 exactly
    EXPECT_EQ(int(grid->FixedFont()->Size), 4);
    EXPECT_EQ(int(grid->ActiveCellFont()->Size), 5);
}

TEST_F(ExtGrid, EditLimitAndMask)
{
    EXPECT_EQ(grid->ReadEditLimit(), 0);
    grid->MaxEditLength = 6;
    EXPECT_EQ(grid->ReadEditLimit(), 6);
    EXPECT_EQ(grid->ReadEditMask(1, 1), "");
    grid->EditMask = "999";
    EXPECT_EQ(grid->ReadEditMask(1, 1), "999");
    grid->OnGetEditMask = [](TObject*, int ACol, int ARow, QString& Value) {
        if (ACol == 2 && ARow == 3)
            Value = "AA";
    };
    EXPECT_EQ(grid->ReadEditMask(2, 3), "AA");
    EXPECT_EQ(grid->ReadEditMask(1, 3), "999");
}

// Column order kept as "Pos" + i entries: read back by a fresh grid from the registry and from an
// ini file.
TEST_F(ExtGrid, ColumnPositionsInTheRegistryAndInAnIniFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("pos.ini");
    for (TColumnSizeLocation location : {clRegistry, clIniFile}) {
        SCOPED_TRACE(int(location));
        auto* source = New([&](TPaintCountingGrid* g) {
            g->ColumnSize()->Location = location;
            g->ColumnSize()->Key = location == clIniFile ? ini : QStringLiteral("Software\\ExtGridTest");
            g->ColumnSize()->Section = "Pos";
        });
        for (int c = 0; c < 5; ++c)
            source->SetCells(c, 1, QString::number(c));
        source->ResetColumnOrder(); // records the order
        source->MoveColumn(1, 4);   // 0, 2, 3, 4, 1
        source->SaveColPositions();
        auto* fresh = New([&](TPaintCountingGrid* g) { g->ColumnSize()->Assign(source->ColumnSize()); });
        for (int c = 0; c < 5; ++c)
            fresh->SetCells(c, 1, QString::number(c));
        fresh->LoadColPositions();
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(fresh->Cells(c, 1), source->Cells(c, 1)) << c;
    }
    TRegistryIniFile reg("\\Software\\ExtGridTest");
    EXPECT_EQ(reg.ReadInteger("Pos", "Pos4", -1), 1);
}

TEST_F(ExtGrid, ColumnPositionsThatAreNoPermutationMoveNothing)
{
    grid->ColumnSize()->Key = "Software\\ExtGridBadPositions";
    grid->ColumnSize()->Section = "Pos";
    {
        TRegistryIniFile reg("\\Software\\ExtGridBadPositions");
        for (int i = 0; i < 5; ++i)
            reg.WriteInteger("Pos", QStringLiteral("Pos%1").arg(i), i == 3 ? 1 : i); // 1 twice
        reg.UpdateFile();
    }
    for (int c = 0; c < 5; ++c)
        grid->SetCells(c, 1, QString::number(c));
    grid->LoadColPositions();
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(grid->Cells(c, 1), QString::number(c)) << c;
    // Without a section nothing is read at all.
    grid->ColumnSize()->Section = "";
    grid->LoadColPositions();
    EXPECT_EQ(grid->Cells(3, 1), "3");
}

} // namespace extgridtest
