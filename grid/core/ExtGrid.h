// TExtStringGrid: the string grid every table of the program is shown in, on top of the base grid.
//
// Index spaces (get these wrong and a form writes the wrong column):
//   - Cells, the look arrays (Colors, ReadOnly, ...) and every per-cell hook take (real column,
//     display row);
//   - AllCells, AllGridCells, AllObjects take (real column, real row) and reach hidden rows;
//   - Col, Row, Selection, CellRect and input are display indexes.
// A hidden column keeps its cells in the store at its real index and is only left out of the display
// sequence: ColCount (display) + NumHiddenColumns = the real columns. Real columns from 512 up are never
// hidden and convert to themselves. Hidden rows live in FGridItems (TGridItem), out of the store.
//
// Per-cell questions go through a virtual hook that gives the default answer and then fires its event
// (the column grid overrides the hooks to answer from its columns first).
#pragma once

#include "grid/base/BaseGrid.h"
#include "grid/base/CellPainters.h"
#include "grid/base/CellText.h"
#include "grid/base/GridDragDrop.h"
#include "grid/base/GridLists.h"
#include "grid/base/GridSettings.h"
#include "grid/base/GridWindows.h"
#include "grid/core/CellGraphic.h"
#include "grid/base/Looks.h"
#include "platform/controls/LayeredWindows.h"
#include "grid/core/ExtGridEvents.h"
#include "grid/core/ExtGridSettings.h"
#include "grid/core/ExtGrid_Scroll.h"
#include "platform/controls/ExtCtrls.h"
#include "grid/core/ExtGrid_RowsIndex.h"
#include "grid/ops/Filter.h"
#include "grid/ops/FilterDropDown.h"
#include "grid/ops/FindParams.h"
#include "grid/ops/DragDropSettings.h"
#include "grid/ops/FloatingFooter.h"
#include "grid/ops/Grouping.h"
#include "grid/ops/HtmlSettings.h"
#include "grid/ops/PrintSettings.h"
#include "grid/ops/SortSettings.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/DateUtils.h"
#include "platform/core/StringList.h"

#include <array>
#include <memory>
#include <vector>

class TImageList;
class THTMLHintWindow;
class TBalloonWindow;
class TForm;
class THeaderDragButton;
class TExtInplaceEdit;
class TGridCombo;
class TGridSpin;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridCheckBox;
class TGridButton;
class TGridDatePicker;
class TGridDateTimePicker;
class TEditLink;
class TInplaceEdit;
class TTimer;
class TSearchPanel;
class TRichEdit;
class TExtRichEdit;
class TControlEdit;
class TControlCombo;
class TGridTransEdit;
class TGridTransCombo;

// Told of every change of a grid's current cell.
class ITExtStringGridSelect
{
  public:
    virtual ~ITExtStringGridSelect() = default;
    virtual void SelectionChanged(int ACol, int ARow) = 0;
};

class EExtGridError : public Exception
{
    using Exception::Exception;
};

// One hidden row: its cell texts (one line per real column, each with the cell's object), its index
// and height when it was hidden, and the filter level that hid it.
class TGridItem : public TCollectionItem
{
  public:
    explicit TGridItem(TCollection* Collection);
    int Idx = 0;
    int Height = 0;
    int Level = 0;
    TStringList* Items() const { return FItems.get(); }
    // The entry owns the given list from then on.
    void SetItems(TStringList* Value) { FItems.reset(Value); }

  private:
    std::unique_ptr<TStringList> FItems;
};

// Told about cell changes made by grid operations (RegisterNotifier).
class TGridChangeNotifier
{
  public:
    virtual ~TGridChangeNotifier() = default;
    virtual void CellsChanged(const TRect& R) = 0;
};

// Hidden-column tables: entries 0 .. 512, one per real column.
constexpr int MaxHiddenColumns = 512;
constexpr int ColumnTableSize = MaxHiddenColumns + 1;
// Construction values.
constexpr int ExtGridRowCount = 10;
constexpr int ExtGridColCount = 5;
constexpr int ExtGridRowHeight = 22;
constexpr int ExtGridWidth = 400;
constexpr int ExtGridHeight = 250;
constexpr int ExtGridMinColWidth = 10;
constexpr TColor ExtGridSelectionColor = 0x00EACAB6;
constexpr TColor ExtGridActiveCellColor = 0x00808080;
constexpr TColor ExtGridDisabledFontColor = 0x00C0C0C0;
constexpr TColor ExtGridURLColor = 0x00FF0000;
constexpr TColor ExtGridBorderColor = 0x00B99D7F;
constexpr int ExtGridZoomLimit = 10;
inline const char* const ExtGridVersion = "6.2.1.3";
inline const char* const ExtGridVersionDate = "Sep, 2012";
constexpr int ExtGridVersionNr = (6 << 24) + (2 << 16) + (1 << 8) + 3;

// The icon of the invalid-entry balloon (the values are the balloon's icon numbers).
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };

// Which scroll bars stay shown when everything fits.
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };

enum TGridLook {
    glStandard,
    glSoft,
    glClassic,
    glQel,
    glXP,
    glListView,
    glVista,
    glWin7,
    glOffice2007,
    glCustom
};

// Grid styles, in the order of the look interface's styles (value n of one is value n of the other).
enum TExtGridStyle {
    gsOffice2003Blue,
    gsOffice2003Silver,
    gsOffice2003Olive,
    gsOffice2003Classic,
    gsOffice2007Luna,
    gsOffice2007Obsidian,
    gsWindowsXP,
    gsWhidbey,
    gsCustom,
    gsOffice2007Silver,
    gsWindowsVista,
    gsWindows7,
    gsTerminal,
    gsOffice2010Blue,
    gsOffice2010Silver,
    gsOffice2010Black
};
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
// Which fixed cells hot-track under the mouse.
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
// Where the hint of a text too large for its cell shows: over the cell, or at the mouse.
enum THintShowLargeTextPos { hpCell, hpCursor };
// fdAll: automatic filter choices for fixed columns too.
enum TFilterDropDownColumns { fdNormal, fdAll };

class TExtStringGrid : public TBaseGrid
{
  public:
    explicit TExtStringGrid(TComponent* AOwner);
    // Shows hidden columns first, so the cell objects of hidden columns are freed with the others.
    ~TExtStringGrid() override;

    // -- Dimensions (display counts) --
    // RowCount write: the toolkit setter, the fixed-row minimum kept with FixedRowAlways, the largest
    // count remembered, and FNormalRowCount := Value.
    void SetRowCount(int Value);
    void SetColCount(int Value);
    // 1 when the toolkit's is 0 and FixedRowAlways is set. Write: with FixedRowAlways a value not below
    // RowCount becomes RowCount - 1; outside loading the asked value is remembered as the minimum.
    int FixedRows() const;
    void SetFixedRows(int Value);
    void SetFixedCols(int Value);
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
    // Write while loading: stored only. Otherwise every fixed row (column) takes the value; a fixed
    // column width equal to DefaultColWidth leaves the fixed columns as they are.
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(int Value);
    int FixedColWidth() const { return FFixedColWidth; }
    void SetFixedColWidth(int Value);
    int MinColWidth() const { return FMinColWidth; }
    int MinRowHeight() const { return FMinRowHeight; }

    // -- Current cell --
    // Row write: a current column out of range first moves to FixedCols; then the toolkit setter;
    // OnRowUpdate(old, new) when the row differs from the one last reported.
    void SetRow(int Value);
    // Only FixedRows .. RowCount - 1 is passed on.
    void SetTopRow(int Value);
    int RealCol() const { return DisplToRealCol(Col()); }
    int RealRow() const { return DisplToRealRow(Row()); }

    // -- Hidden columns --
    void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll() { UnHideColumns(0, ColCount() + FNumHidden); }
    bool IsHiddenColumn(int ColIndex) const;
    int NumHiddenColumns() const { return FNumHidden; }
    // Display -> real: the (D+1)-th shown column among 0 .. 511; 0 when there is none; D from 512 up
    // (or nothing hidden) is itself.
    int DisplToRealCol(int D) const;
    // Real -> display: R less the hidden columns before it (R's own state not looked at).
    int RealToDisplCol(int R) const;
    int RealColIndex(int ACol) const { return DisplToRealCol(ACol); }
    int DisplColIndex(int ACol) const override { return RealToDisplCol(ACol); }
    int TotalColCount() const override { return ColCount() + FNumHidden; }
    int AllColCount() const { return TotalColCount(); }
    // The saved width of a hidden column, else the width of its display column.
    int AllColWidths(int R) const;
    void SetAllColWidths(int R, int Value);

    // -- Hidden rows (the entries are made by the row operations) --
    int DisplToRealRow(int D) const;
    int RealToDisplRow(int R) const;
    int RealRowIndex(int ARow) const { return DisplToRealRow(ARow); }
    int DisplRowIndex(int ARow) const { return RealToDisplRow(ARow); }
    bool IsHiddenRow(int Rowindex) const;
    int NumHiddenRows() const { return FGridItems->Count(); }
    int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    int AllRowCount() const { return TotalRowCount(); }

    // -- Cells by real column and real row --
    // '' for a negative index; a hidden row from its entry (through the display hook); else Cells.
    QString AllCells(int c, int r);
    // A hidden row's entry gets empty lines until the column exists; else SetCellEx, and the display
    // cell is repainted when its display column differs.
    void SetAllCells(int c, int r, const QString& Value);
    QString AllGridCells(int c, int r) const;
    void SetAllGridCells(int c, int r, const QString& Value);
    TObject* AllObjects(int c, int r) const;
    void SetAllObjects(int c, int r, TObject* Value);

    // -- Per-cell look (real column, display row). Reads of a cell without properties give the
    //    defaults and create nothing (WordWraps excepted); writes create the properties and repaint.
    TColor Colors(int c, int r) const;
    void SetColors(int c, int r, TColor Value);
    TColor ColorsTo(int c, int r) const;
    void SetColorsTo(int c, int r, TColor Value);
    TColor FontColors(int c, int r) const;
    void SetFontColors(int c, int r, TColor Value);
    TFontStyles FontStyles(int c, int r) const;
    void SetFontStyles(int c, int r, TFontStyles Value);
    int FontSizes(int c, int r) const;
    void SetFontSizes(int c, int r, int Value);
    QString FontNames(int c, int r) const;
    void SetFontNames(int c, int r, const QString& Value);
    TAlignment Alignments(int c, int r) const;
    void SetAlignments(int c, int r, TAlignment Value);
    TCellGradientDirection Gradients(int c, int r) const;
    void SetGradients(int c, int r, TCellGradientDirection Value);
    bool ReadOnly(int c, int r) const;
    void SetReadOnly(int c, int r, bool Value);
    bool WordWraps(int c, int r);
    void SetWordWraps(int c, int r, bool Value);

    // -- Per-cell hooks --
    // Fixed rows and columns, the minimum fixed rows (columns) of a grid holding only those, then
    // OnIsFixedCell when still not fixed.
    virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
    // The base grid's question (display column): IsFixedCell of the real column.
    bool IsFixed(int ACol, int ARow) override;
    // A cell with properties: not ReadOnly, and only with goEditing (or range select and edit); then
    // DoCanEditCell. A base column beyond all columns: True without the event.
    virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void GetCheckTrue(int ACol, int ARow, QString& Value);
    virtual void GetCheckFalse(int ACol, int ARow, QString& Value);
    virtual void GetCellWordWrap(int ACol, int ARow, bool& WordWrap);
    // The filter drop-down list of a column in FilterList(); whether it has items.
    virtual bool GetColumnFilter(int Column);
    TStringList* FilterList() const { return FFilterList.get(); }

    // Brush and font of a cell being painted: the active-cell look on the headers of the current cell,
    // the cell's own colours, then OnGetCellColor (ARow first).
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    // Column 0 is centred with HotmailRowSelect; then OnGetAlignment.
    virtual void GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix);
    // The plain query, which the column grid does not answer.
    virtual void QueryEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetCellEditorType(int ACol, int ARow, TEditorType& AEditor);
    // Only OnGetEditorType can mark a cell edNone.
    virtual bool IsEditorNone(int ACol, int ARow);
    virtual void DoIsPasswordCell(int ACol, int ARow, bool& IsPassword);
    // The event's answer; without it, with DropDownAlwaysVisible, a combo editor kind.
    virtual bool HasComboBox(int ACol, int ARow);
    // Never on fixed cells; the event's answer; without it, with SpinButtonsAlwaysVisible, a spin
    // editor kind from the plain query.
    virtual bool HasSpinEdit(int ACol, int ARow);
    virtual TCursor DoGetCellCursor(int ACol, int ARow, int X, int Y);
    // OnGridHint, then OnGridWideHint; a non-empty wide hint replaces the text in the wide coding.
    virtual void DoGridHint(int ACol, int ARow, QString& HintStr, QString& WideHintStr);
    virtual void DoSearchFooterAction(const QString& Value, int ACol, int ARow, TSearchAction SearchAction);
    virtual void DoButtonClick(int ACol, int ARow);
    virtual void DoExpandClick(int ACol, int ARow, bool Expanded);
    virtual void DoComboCloseUp(int ARow, int ACol);
    virtual void DoComboDropDown(int ARow, int ACol);
    // Remembers the cell before an edit; ACol is a display column.
    virtual void StoreOldCell(int ACol, int ARow);

    // -- Current cell (the base of the merged area holding RealCol, Row) --
    QString CurrentCell() { return GetCurrentCellText(); }
    void SetCurrentCell(const QString& Value) { SetCurrentCellText(Value); }
    virtual QString GetCurrentCellText();
    virtual void SetCurrentCellText(const QString& Value);
    virtual QString GetCurrentBaseCell();
    virtual void SetCurrentBaseCell(const QString& Value);
    TEditorType CurrentEditor() const { return EditControl; }
    // Asks CanSelectCell for the current cell; the answer is not used.
    void Select() { CanSelectCell(Col(), Row()); }
    TEditorType DefaultEditor = edNormal;
    TEditorType EditControl = edNormal;

    // -- More cell views --
    // Before user column moves: the position of ACol in the column order (less one right of the
    // group column while grouping).
    int ColumnPosition(int ACol) const;
    QString OriginalCells(int ACol, int ARow) { return GetCellEx(ColumnPosition(ACol), ARow); }
    void SetOriginalCells(int ACol, int ARow, const QString& Value)
    {
        SetCellEx(ColumnPosition(ACol), ARow, Value);
    }
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const;
    QString UnSortedCells(int ACol, int ARow) { return GetCellEx(ACol, UnSortedRow(ARow)); }
    void SetUnSortedCells(int ACol, int ARow, const QString& Value)
    {
        SetCellEx(ACol, UnSortedRow(ARow), Value);
    }
    int LinesInCell(int ACol, int ARow);
    // The cell text without its HTML tags ("<BR>" and "<HR>" become line breaks).
    QString StrippedCells(int c, int r) { return GetStrippedCell(c, r); }
    QString GetStrippedCell(int ACol, int ARow);
    // The text a cell shows. The stored text; only when OnGetFloatFormat is assigned and the text is a
    // number, the event may hand a format ("%d" style formats the integer value, others the float
    // value). A value or format that does not fit leaves the stored text.
    QString DisplCells(int c, int r) { return GetFormattedCell(c, r); }
    virtual QString GetFormattedCell(int ACol, int ARow);
    // The grid's Font without properties; else the scratch font, overwritten by the next call.
    TFont* Fonts(int c, int r);
    void SetFonts(int c, int r, const TFont* Value);
    // Every real column from FixedCols: clNone frees plain cells' properties (keeping the others'
    // but their colour); another colour is set. Then the row repaints.
    void SetRowColor(int ARow, TColor Value);
    void SetRowColorTo(int ARow, TColor Value);
    void SetRowFontColor(int ARow, TColor Value);
    static TCheckBoxState BoolToCheckBoxState(bool Value) { return Value ? cbChecked : cbUnchecked; }

    // -- Cell controls --
    TControl* CellControls(int ACol, int ARow) const;
    // The control is listed by real row, parented to the grid and placed over the cell; nil takes it
    // out of the list.
    void SetCellControls(int ACol, int ARow, TControl* Value);
    int NumCellControls() const { return FNumCellControls; }

    // -- Change notification --
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    // OnCellsChanged, then every notifier in registration order.
    virtual void DoCellsChanged(const TRect& R);

    // -- Update lock --
    // Only a visible grid (the control's own flag) locks; the end of the outermost lock repaints.
    void BeginUpdate();
    // Releases a lock whenever one is held; repaints only when visible.
    void EndUpdate();
    bool LockUpdate() const { return FUpdateCount > 0; }
    // Counts a lock without telling the window (internal scrolling that must not repaint).
    void StartUpdate() { ++FUpdateCount; }
    // Drops every lock; a redraw switched off by BeginUpdate is switched on again, without a repaint.
    void ResetUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // -- Clearing --
    // Empties the texts of a block of display columns (real ones with SaveHiddenCells) and frees its
    // cell objects; with FNilObjects they are detached instead, with FClearTextOnly kept.
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    // Every real column of RCount rows from RowIndex.
    void ClearRows(int RowIndex, int RCount);
    bool SaveHiddenCells = false;

    // -- Edit permission (ACol real) --
    // Editing on for the grid (goEditing, RangeSelectAndEdit or a disabled edit) and the cell editable.
    bool IsEditable(int ACol, int ARow);
    // The base cell of a merged area: CanEditCell and not IsFixedCell.
    bool IsCellEditable(int ACol, int ARow);

    // -- Scroll bars --
    TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
    void SetScrollBarAlways(TScrollBarAlways Value);
    // With ScrollBarAlways the bars of a direction that fits stay shown (greyed) or hidden; with
    // saNone and Force a fitting direction's bar is hidden.
    void ApplyScrollBarAlways(bool Force);

    // -- Print layout (filled by the print engine, one entry per real column) --
    // At least ColumnTableSize entries; a print run widens them to its range.
    std::vector<int> MaxWidths = std::vector<int>(ColumnTableSize, 0);
    std::vector<int> Indents = std::vector<int>(ColumnTableSize, 0);
    // ACol outside 0 .. 511 raises EExtGridError.
    int PrintColWidth(int ACol) const;
    int PrintColOffset(int ACol) const;

    // -- Wide texts: the cell text with a wide-text escape decoded; writes store the text as given --
    QString WideCells(int c, int r) { return DecodeWideText(Cells(c, r)); }
    void SetWideCells(int c, int r, const QString& Value) { SetCells(c, r, Value); }
    QString AllWideCells(int c, int r) { return DecodeWideText(AllCells(c, r)); }
    void SetAllWideCells(int c, int r, const QString& Value) { SetAllCells(c, r, Value); }

    // -- Editing --
    // An editor is open for the current cell: set when the editor may show, cleared by HideInplaceEdit.
    bool EditMode = false;

    // -- Lifecycle --
    // Copies the settings of another string grid, then its cells (AssignCells); any other source
    // class: nothing.
    void Assign(const TPersistent* Source) override;
    // The cells of another string grid with their properties and graphics, through the binary cell
    // stream (the source's save range); any other source: nothing.
    virtual void AssignCells(const TPersistent* Source);
    // Swallows exactly one call after an editor change set FEditChange; otherwise repaints.
    virtual void Invalidate();
    void RepaintGrid() { Invalidate(); }
    // With IntegralHeight the height shrinks to whole rows (border and a needed horizontal bar
    // counted); then the toolkit's bounds.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    // With SizeWithForm the grid follows the size changes of its owner form (a TForm owner only).
    bool SizeWithForm = false;
    int PrevSizeX = 0;
    int PrevSizeY = 0;
    int DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
    // The toolkit's setter; at design time the fixed row height follows.
    void SetDefaultRowHeight(int Value);
    // Both the base grid's word wrap and the grid's own; repaints unless an update is pending.
    bool WordWrap() const { return FWordWrapEx; }
    void SetWordWrap(bool Value);
    // The cursor the application set; the grid returns to it after showing its own.
    void SetCursor(TCursor Value);
    // True at design time, which this program never has.
    bool IsDesignTime() const { return ComponentState() & csDesigning; }
    void GotoFirstRow() { SetRow(FixedRows()); }

    // -- Save ranges (display indexes) --
    bool SaveFixedCells = true;
    bool SaveFixedRows = false;
    bool SaveFixedCols = false;
    int FixedRightCols = 0;
    int SaveStartCol() const { return SaveFixedCells || SaveFixedCols ? 0 : FixedCols(); }
    int SaveStartRow() const { return SaveFixedCells || SaveFixedRows ? 0 : FixedRows(); }
    int SaveEndCol() const
    {
        return SaveFixedCells || SaveFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols - 1;
    }
    int SaveEndRow() const
    {
        return SaveFixedCells || SaveFixedRows ? RowCount() - 1 : RowCount() - FixedFooters - 1;
    }
    int SaveColCount() const
    {
        return SaveFixedCells || SaveFixedCols ? ColCount() : ColCount() - FixedCols() - FixedRightCols;
    }
    int SaveRowCount() const
    {
        return SaveFixedCells || SaveFixedRows ? RowCount() : RowCount() - FixedRows() - FixedFooters;
    }

    // -- Misc --
    // Columns and rows grow by Delta pixels while the factor stays within -10 .. 10.
    void Zoom(int Delta);
    int ZoomFactor() const { return FZoomFactor; }
    // The smallest rectangle of display cells holding every non-empty text; (0, 0, 0, 0) when none.
    TGridRect UsedCells();
    void ScreenToCell(TPoint Pt, int& ACol, int& ARow) const;
    int GetVersionNr() const { return ExtGridVersionNr; }
    QString GetVersionString() const;
    QString Version() const { return ExtGridVersion; }
    // Scaling of the grid's own fonts by M / D (rounded), at run time and when M differs from D. The
    // toolkit scales nothing itself (the window system handles the screen's resolution), so this is
    // the whole step; the column grid scales its item fonts after it.
    virtual void HandleChangeScale(int M, int D);

    // -- Painting: cells, text, glyphs, looks --
    //
    // Paint protocol, per visible cell: the base grid's PaintCellCore asks GetVisualProperties with
    // Select on (it decides the background and the state), adds the hover and active rows, fills,
    // draws the grid lines, shrinks the rectangle and calls DrawCellContent. DrawCellContent asks
    // GetVisualProperties again with Select off and then lays down, in order: the fixed-cell look,
    // row indicator, modified-row mark, OnCustomCellBkgDraw, always-visible buttons, the text step,
    // borders, fixed edges, tree lines, the cell graphic, OnDrawCell, OnCustomCellDraw and the focus
    // rectangle. The floating footer and the printer call both on their own canvas.
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override;
    void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    // The selection colour, or with Mixer its blend with the cell colour.
    static TColor MixSelectionColor(TColor SelColor, TColor CellColor, bool Mixer, int Factor);
    // Percent of Color1 over Color2 per channel (halves to even); clNone on either side gives the other.
    static TColor BlendColors(TColor Color1, TColor Color2, int Percent);
    // The key of a cell in the selected-cell list.
    static int DisjunctCellKey(int ACol, int ARow) { return (ARow << 16) | (ACol & 0xFFFF); }
    // The overlay lines shown while a column or row is sized: drawing the same line again removes it.
    void DrawColSizingLine(int X);
    void DrawRowSizingLine(int Y);
    int SizingLineX() const { return FSizingLineX; }
    int SizingLineY() const { return FSizingLineY; }

    // Text: the displayed text (a float format only through OnGetFloatFormat; a format that does not
    // fit the value leaves the stored text), alignment, font and measured size of a cell (real column).
    virtual void GetCalcCellText(int ACol, int ARow, QString& Text);
    void GetCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA);
    void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                           bool Remap);
    bool IsPasswordCell(int ACol, int ARow);
    // VS: a vertical bar takes 17 pixels of the width; SB: word-wrapped to the cell width.
    TSize GetCellTextSize(int ACol, int ARow, bool VS, bool SB);

    // Looks and styles (the style tables hold the colours).
    virtual void SetStyle(TExtGridStyle AStyle);
    void SetComponentStyle(TQelStyle AStyle);
    void SetColorTones(const TColorTones& ATones);
    void SetTheme(TXPColorScheme Scheme);
    void AdaptToOfficeTheme();
    void SetLook(TGridLook Value);
    static QString LookToStr(TGridLook Value);
    static QString LookToDisplayName(TGridLook Value);
    TExtGridStyle GridStyle() const { return FGridStyle; }
    TColor SortHeaderColor(int Index) const { return FSortHeaderColors.at(Index); }
    // The coloured one-pixel border in the frame (gradient looks and glSoft, not Flat, bsSingle).
    void PaintNCBorder(TCanvas* ACanvas);
    bool FitCellsInGrid() const { return FFitCellsInGrid; }
    void SetFitCellsInGrid(bool Value) { FFitCellsInGrid = Value; }
    void SetBorderColor(TColor Value);
    // The date editor's change: the picked date, 0 when empty.
    void DateTimeChange(int Year, int Month, int Day);

    // The cell object of a cell (real column) with its drawn size, whether the text is drawn beside
    // it, and its alignments; nil (size 0, text drawn) without one.
    TCellGraphic* GetCellGraphicInfo(int ACol, int ARow, int& GW, int& GH, bool& TextAlso, TCellHAlign& GHA,
                                     TCellVAlign& GVA);
    // Radio glyphs of items 1 .. Count with their texts; ItemIndex -1 checks the item equal to the
    // cell text. Zoom scales the glyphs (printing); Upward stacks vertical items upward.
    void DrawRadioGroup(TCanvas* ACanvas, TRect R, int Count, int ItemIndex, bool Horizontal, bool Disabled,
                        TStrings* Items, bool Selected, int ACol, int ARow, TGridControlStyle Style, double Zoom,
                        bool Upward);
    static double LimitPercent(double X) { return X < 0 ? 0 : X > 100 ? 100 : X; }
    // The sort glyph (or the index number) of a header cell centred at (X, Y).
    void DrawSortIndicator(TCanvas* ACanvas, int ACol, int Y, int X);
    // The dialog keys the grid wants: the toolkit grid's answer (arrows, Tab with goTabs, characters
    // with goEditing), plus characters when AutoGotoWhenSorted is on or editing is off.
    uint32_t WMGetDlgCode();
    // One selection listener (a second registration replaces the first); the editing layer calls it
    // with the new current cell.
    void RegisterSelListener(ITExtStringGridSelect* AListener) { FISelect = AListener; }
    void UnRegisterSelListener(ITExtStringGridSelect*) { FISelect = nullptr; }
    ITExtStringGridSelect* SelListener() const { return FISelect; }
    // Forgets removed components the grid refers to: its image list, cell checker, synchronised grid.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The soft frame round the cell being edited (R in client coordinates): a translucent window
    // that follows the cell while the form moves. Run time only.
    void ShowFocusWindow(const TRect& R);
    void HideFocusWindow();
    void MoveFocusWindow();
    TGridFocusWindow* FocusWindow() const { return FFocusWindow; }
    // The grid whose frame is showing, else nil.
    static TExtStringGrid* FocusFrameGrid();
    // Check-box glyph in a ControlLook style; UseState takes the state instead of Checked/Grayed.
    void DrawCheck(TCanvas* ACanvas, TRect R, bool Checked, bool Enabled, bool Grayed, TGridControlStyle Style,
                   bool UseState, TCheckBoxState State);
    // A picture of the grid's resource file, loaded once, transparent.
    static const TBitmap* Glyph(const QString& Name);

    // Design-time quick configuration box (csDesigning only): lines 1 allow edit, 2 column numbers,
    // 3 look menu, 4 close; -1 outside.
    int DesignHelperHitTest(int X, int Y);
    virtual void DesignHelperClick(int X, int Y);
    bool ShowDesignHelper() const { return FShowDesignHelper; }
    void SetShowDesignHelper(bool Value);
    bool ShowColNrs() const { return FShowColNrs; }
    // The look menu's answer while designing (command id, 0 = none); replaceable by tests.
    std::function<int(const QStringList& Items, int Checked)> OnDesignLookMenu;

    // Appearance writers.
    void SetSelectionColor(TColor Value);
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { Repainting(FSelectionColorTo, Value); }
    TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
    void SetSelectionMirrorColor(TColor Value) { Repainting(FSelectionMirrorColor, Value); }
    TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
    void SetSelectionMirrorColorTo(TColor Value) { Repainting(FSelectionMirrorColorTo, Value); }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { Repainting(FSelectionTextColor, Value); }
    bool SelectionColorMixer() const { return FSelectionColorMixer; }
    void SetSelectionColorMixer(bool Value) { Repainting(FSelectionColorMixer, Value); }
    int SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
    void SetSelectionColorMixerFactor(int Value);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value) { Repainting(FSelectionRectangle, Value); }
    bool SelectionResizer() const { return FSelectionResizer; }
    void SetSelectionResizer(bool Value) { Repainting(FSelectionResizer, Value); }
    TColor SelectionRectangleColor = clBlack;
    bool ShowSelection() const { return FShowSel; }
    void SetShowSelection(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    uint32_t VAlignFlag() const { return FVAlign; }
    bool SpreadSheet() const { return FSpreadSheet; }
    void SetSpreadSheet(bool Value);
    void SetActiveCellShow(bool Value);
    void SetActiveCellColor(TColor Value);
    void SetActiveCellColorTo(TColor Value);
    void SetXYOffset(TPoint Value);
    void UpdateXYOffset(int X, int Y) { XYOffset = TPoint{X, Y}; }
    void SetURLColor(TColor Value);
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
    // Copies the settings; any other class raises the toolkit's copy error.
    void SetBackGround(const TPersistent* Value);
    void SetShowModified(const TPersistent* Value) { FShowModified->Assign(Value); }
    void SetProgressAppearance(const TPersistent* Value) { FProgressAppearance->Assign(Value); }
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    void SetRowIndicator(const TBitmap* Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    TBands* Bands() const { return FBands.get(); }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    // The selection with the headers of ActiveCellShow and the ActiveRowShow row repainted.
    TGridRect GetSelectionEx() const { return Selection(); }
    void SetSelectionEx(const TGridRect& Value);
    // Moves the selection out of the grid; UnHideSelection brings it back (or to the first normal cell
    // when the grid shrank meanwhile).
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelHidden; }
    virtual void AppendRow() { SetRowCount(RowCount() + 1); }
    void UpdateEditMode() { CanSelectCell(Col(), Row()); }
    virtual void DoCanAddRow(bool& CanAdd);
    virtual void DoCanInsertRow(int ARow, bool& CanInsert);
    virtual void DoEllipsClick(const QString& Text, QString& Value);

    // True, then OnCanShowFixedDropDown.
    virtual bool CanShowFixedDropDown(int ACol);
    THoverFixedCells HoverFixedCells = hfNone;
    bool HideFocusRect = false;
    bool NoDefaultDraw = false;
    bool NoImageAndText = false;
    bool UseDisabledFont = true;
    bool EnableHTML = true;
    bool Multilinecells = false;
    bool EnhTextSize = false;
    bool AutoNumAlign = false;
    bool XYOffsetTopLeftOnly = false;
    bool FixedRowAlwaysPainted = false;
    bool NoRTLOrientation = false;
    QChar PasswordChar = '*';

    // -- Window messages, focus, scrolling, selection, fills, sizing, window creation --
    // Window creation, once before the first show (HandleNeeded forces it): the grid timer (id 111,
    // 500 ms), the wheel lines per notch, themes found inactive, the metro bars.
    void CreateWnd() override;
    // Wheel and panning.
    bool EnableWheel = true;
    bool IntelliZoom = true;
    TIntelliPan IntelliPan = ipVertical;
    int WheelScrollLines() const { return wheelscrl; }
    bool WheelPanning() const { return wheelpan; }
    // Grid timer state: ticks so far and the blink phase.
    bool Hovering = false;
    bool EnableBlink = false;
    int TimerTicks() const { return FTimerTicks; }
    bool GridBlink() const { return FGridBlink; }
    QString SearchInc;
    int SearchTics = 0;
    // Set while the grid moves the focus itself: WMSetFocus does nothing then.
    bool InvokedFocusChange = false;
    // Called after wheel scrolling with the rows moved; Handled starts True.
    virtual void WheelMessageHook(int Delta, bool& Handled);
    // The message number of the posted end of an edit (WParam = column, LParam = row).
    static UINT GridEditDoneMessage();
    // Whether a client point lies on a border the mouse may size: less than 4 pixels from the
    // left or right edge of a cell in the fixed rows or the first normal row (goColSizing), or from
    // the top or bottom edge of a cell in the fixed columns or the first normal column
    // (goRowSizing). False outside the cells.
    bool IsSizingBorder(int X, int Y);
    // Makes THTMLHintWindow the application's hint window class (False: the toolkit's).
    bool UseHTMLHints() const { return FUseHTMLHints; }
    void SetUseHTMLHints(bool Value);

    // Scrolling.
    TScrollType ScrollType() const { return FScrollType; }
    // ssMetro replaces the bars by two thin child bars (ScrollBars ssNone); leaving it frees them and
    // brings back ssBoth. The flat looks fall back to the system bars.
    void SetScrollType(TScrollType Value);
    TColor ScrollColor = clNone;
    int ScrollWidth = 17;
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool Value);
    bool ScrollSynch = false;
    TScrollHintType ScrollHints = shNone;
    TColor HintColor = clInfoBk;
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    // Scrolls a display cell into view (the current cell moves there when it was out of view).
    void ScrollInView(int ColIndex, int RowIndex);
    // Places the controls held by cells (RebuildList: collects them again first).
    void CellControlsUpdate(bool RebuildList);
    // Our bars are proportional already; these only re-sync them, under the same skip conditions.
    void UpdateVertProportional();
    void UpdateHorzProportional();
    bool IsFlat() const { return FIsFlat; }
    THTMLHintWindow* ScrollHintWindow() const { return FScrollHintWnd; }
    bool ScrollHintShowing() const { return FScrollHintShow; }
    TScrollControl* VertScrollControl() const { return vscrlctrl; }
    TScrollControl* HorzScrollControl() const { return hscrlctrl; }
    virtual void DoScrollCell(int ACol, int ARow, int Position, int Min, int Max);
    // Drag scrolling: a drag entering, moving over (client point) or leaving the grid.
    enum TDragScrollState { dssEnter, dssMove, dssLeave };
    void DragScrollOver(TDragScrollState State, int X, int Y);
    TTimer* DragScrollTimer() const { return FDragTmr.get(); }
    TDragScrollDirection DragScrollDirection() const { return FDragScrollDirection; }
    // One tick of the drag-scroll timer.
    void DragScrollTimerTick();

    // Rectangle selection.
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void FocusCell(int ACol, int ARow) { SetSelection(TGridRect{ACol, ARow, ACol, ARow}); }
    void GotoCell(int ACol, int ARow);
    void MoveCurrentCell(int ACol, int ARow) { MoveColRow(ACol, ARow, true, true); }
    void ClearSelectedCells();
    // The selection as clipboard text: cells joined by tabs, rows by CR LF.
    QString SelectedText();

    // Disjunct rows and columns.
    void SelectRows(int RowIndex, int RCount);
    void UnSelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    bool RowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    bool ColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    void ClearRowSelect();
    void ClearColSelect();
    int RowSelectCount() const;
    int ColSelectCount() const;
    int SelectedRowCount();
    int SelectedRow(int i) const;
    int SelectedColCount();
    bool IsSelected(int ACol, int ARow);
    void SelectionToRowSelect(bool All);
    void SelectionToColSelect(bool All);

    // Disjunct cells: one 64-bit key per cell, the row in the high half.
    static int64_t SelectedCellKey(int ACol, int ARow) { return (int64_t(ARow) << 32) | uint32_t(ACol); }
    static TGridCoord SelectedCellOfKey(int64_t Key) { return TGridCoord{int32_t(uint32_t(Key)), int32_t(Key >> 32)}; }
    bool SelectedCells(int ACol, int ARow) const;
    void SetSelectedCells(int ACol, int ARow, bool Value);
    int SelectedCellsCount();
    // Entry Index of the list; outside it the list's index error.
    TGridCoord SelectedCell(int Index) const;

    // Modified and disabled rows.
    bool RowModified(int ARow) const;
    void SetRowModified(int ARow, bool Value);
    int ModifiedRowCount() const;
    void ClearModifiedRows();
    bool RowEnabled(int ARow) const;
    void SetRowEnabled(int ARow, bool Value);
    bool UseEnabledRows() const { return FUseEnabledRows; }

    // The cell checker (none attached: every check answers True).
    TObject* CellChecker = nullptr;
    bool CheckCell(int ACol, int ARow);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int ACol);
    bool CheckRow(bool DoFixed, int ARow);
    bool CheckGrid(bool DoFixed);

    // Fills of every cell (DoFixed) or of the normal cells; numbering.
    void TextFill(bool DoFixed, const QString& Txt);
    // Fmt takes two integers, column first ("%d:%d").
    void FormatFill(bool DoFixed, const QString& Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);
    int AutoNumberStart = 0;
    int AutoNumberOffset = 0;
    TSortDirection AutoNumberDirection = sdAscending;
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
    bool ExcelClipboardFormat = false;

    // Repaint helpers.
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintRect(const TGridRect& R);
    void RepaintCellRange(const TGridRect& R);

    // Automatic sizing (a bound <= 0 is none).
    bool SizeGrowOnly = false;
    int MaxColWidth = 0;
    int MaxRowHeight = 0;
    void SetMinColWidth(int Value) { FMinColWidth = Value; }
    void SetMinRowHeight(int Value) { FMinRowHeight = Value; }
    void AutoSizeCol(int Index, int Padding = 0);
    void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
    void AutoSizeRow(int Index, int Padding = 0);
    void AutoSizeRows(bool DoFixedRows, int Padding = 0);
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    // The final width of a mouse-sized (automatically sized) column: OnUpdateColumnSize.
    virtual void UpdateColumnSize(int ACol, int& AWidth);
    virtual void UpdateAutoColumnSize(int ACol, int& AWidth);

    // Stretching and sizing notifications.
    void StretchRightColumn() { ApplyColumnStretch(ColCount() - 1); }
    // Index -1 = the last column; raises "Stretch column index out of range" only when a stretch
    // would happen.
    void ApplyColumnStretch(int Index);
    void InitOrigColSizes();
    // Set by the mouse sizing: the column (row) sized and its size before the drag.
    bool ColSized = false;
    int Colclicked = -1;
    int Colclickedsize = 0;
    bool Rowsized = false;
    int Rowclicked = -1;
    int Rowclickedsize = 0;
    bool ColSizeFlg = false;

    // -- Rows: hiding, tree nodes, insertion, removal, moves --
    // Hiding rows (real indexes). A hidden row's cells move into its entry (FGridItems: texts, cell
    // objects, height, one line per stored column, hidden columns included) and come back when it is
    // shown; nothing is copied, so every cell object keeps one owner. Each operation ends with the
    // cell controls refreshed.
    void HideRow(int Rowindex) { HideRows(Rowindex, Rowindex); }
    // New entries go to their sorted place; rows of the range that are hidden already are skipped.
    void HideRows(int FromRow, int ToRow);
    // Appends an entry for every row of the range (hidden ones are not looked for) and removes the
    // rows through RemoveRowsEx; nothing when FromRow is hidden already.
    void HideRowsEx(int FromRow, int ToRow);
    // One filter level: the listed display rows (ascending) are hidden, each entry's Idx being its
    // display position; FilterLevel grows by one.
    void HideRowList(const TIntList* RowList);
    // Shows the row when it is hidden; either way the row's cell controls are made visible.
    void UnHideRow(int Rowindex);
    // Shows the hidden rows of FromRow .. ToRow run by run; nothing unless FromRow is hidden.
    void UnHideRows(int FromRow, int ToRow);
    // Every entry back in one pass, ending as the run-by-run walk ends.
    void UnHideRowsAll();
    // Undoes the newest filter level (FilterLevel - 1); the filter lowers FilterLevel afterwards.
    void UnHideRowList();
    // The answer through ListHidden: every Idx, sorted, made on the first call (ListHidden null) and
    // reused by later calls - for loops over many rows.
    bool IsHiddenRow(int Rowindex, std::unique_ptr<TIntList>& ListHidden) const;
    int FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(int Value) { FFilterLevel = Value; }

    // Row workers (display rows). Nothing for a count <= 0 or a RowIndex outside the rows (for
    // insertion RowIndex = RowCount appends). Rows leave and enter the cell store as blocks; removed
    // rows stay stored beyond RowCount, the last removed first, as row-by-row deletion leaves them.
    // RemoveRows: the full removal - the rows' cell objects freed, cell controls below moved up,
    // hidden rows re-indexed, Row and TopRow kept valid, the selection hidden when no data row
    // is left.
    virtual void RemoveRows(int RowIndex, int RCount);
    // The light removal: cells move up (heights, cell controls and row flags stay where they are),
    // hidden rows re-indexed; the removed rows keep their cells beyond the count.
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    // Frees the rows' cell objects, then DoRemoveRows with the cell controls of the rows dropped
    // (those below move up).
    virtual void DeleteRowRange(int ARow, int Count);
    // The worker: heights of the other rows kept, hidden rows re-indexed and the controls of the
    // removed rows dropped only with UpdateCellControls; Row and TopRow kept valid.
    void DoRemoveRows(int RowIndex, int RCount, bool UpdateCellControls);
    // RCount empty rows at RowIndex with the default height; the rows below move down with their
    // cells and heights, and with UpdateCellControls their cell controls.
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    void DoInsertRows(int RowIndex, int RCount, bool UpdateCellControls);
    // One cleared row at the end.
    void AddRow();
    // The texts of Count rows from FromIndex go to ToIndex (a target below the block counts as
    // before the block is taken out); cell objects do not travel.
    void MoveRows(int FromIndex, int ToIndex, int Count);

    // Tree nodes. A node row holds a ctNode object in column 0: CellBoolean is the collapsed flag,
    // CellIndex the span (rows covered, the node row included; 0 = up to the next node row),
    // CellErrFrom the sub-node count, CellAngle the display row it was added at. Every row a node
    // covers carries its level in the column-0 NodeLevel. Contracting hides the span's rows (real
    // indexes kept), expanding shows them. Rows are real or display as each line says; the node
    // events are fired by the mouse and key handling, never here.
    void AddNode(int ARow, int Span); // real; nothing outside the rows or for a negative span
    // Real row: expanded (without the ExpandOne rule), levels of the span lowered, object removed.
    void RemoveNode(int ARow);
    void RemoveAllNodes();
    bool IsNode(int ARow);          // display
    bool IsSummary(int ARow);       // display
    void MarkSummaryRow(int ARow);  // real
    bool GetNodeState(int ARow);    // display: collapsed; False for a plain row
    void SetNodeState(int ARow, bool Value);
    int GetNodeLevel(int ARow);     // display; -1 for a plain row
    int GetNodeSpan(int ARow);      // display; -1 for a plain row
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    int GetSubNodeCount(int ARow);  // display; 0 for a plain row
    void UpdateSubNodeCount(int ARow, int Delta);
    // Real rows. With CellNode.ExpandOne every other expanded node is contracted first.
    void ExpandNode(int ARow);
    // Nodes inside the span that are contracted are marked expanded and hidden with it, so that
    // expanding this node later shows every row of its span.
    void ContractNode(int ARow);
    void ExpandAll();
    // Every top node contracted; a node of span 0 takes the rows up to the next node row.
    void ContractAll();
    // Display row: the node whose span holds the row (a node row without one: itself), or -1.
    int GetParentRow(int ARow);
    // ARow real: a row inserted at its display row + Offset (a node row with Offset 0: below it,
    // taking the node row's texts and cell objects but the node) inside the parent node, whose
    // span, sub-node count and those of its ancestors grow.
    void InsertChildRow(int ARow, int Offset);
    // Real row: removed, the spans of its parent and ancestors shrinking.
    void RemoveChildRow(int ARow);
    void InsertNormalRow(int ARow); // real
    void RemoveNormalRow(int ARow); // display
    // For the tree lines: 0 on a node row, 2 when a row of the same or a deeper level follows, else 1.
    int GetNodeSpanType(int ARow);
    // Whether client X hits the node glyph of display row ARow (always without PreciseNodeClick).
    bool IsOnNodeGlyph(int ARow, int X);
    int NumNodes() const { return FNumNodes; }
    bool HasNodes() override { return FNumNodes > 0; }
    // Level x CellNode.NodeIndent of a row with column-0 properties while the grid has nodes.
    int GetNodeIndent(int ARow) override;

    // -- Cell blocks, column calculations, floating footer --
    // Blocks take display columns, converted to real ones only with SaveHiddenCells; rows are display
    // rows. The derived clears do nothing on an empty grid or for a count below 1.
    // Every displayed text of the block trimmed of blanks and control characters at both ends.
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
    void TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
    void TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }
    void ClearCols(int ColIndex, int CCount);
    // Leave the fixed columns (left and right) alone.
    void ClearNormalRows(int RowIndex, int RCount);
    // Leave the fixed rows and the footer rows alone.
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    // The selected rows or columns in the disjunct selection modes, else the selection rectangle.
    void ClearSelection();
    // Every cell, hidden columns included; SearchInc emptied.
    void Clear();
    // Clear, and the stored cells of the hidden rows.
    void ClearAll();
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
    // Runs of two or more equal texts in the data rows merged into one cell. Without MainMerge a run
    // also needs the rows merged alike in the other columns (RowSpanIdentical), so a column merged
    // after its left neighbour is cut where the neighbour's areas end.
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    // As MergeColumnCells across the normal columns of one row (ColSpanIdentical).
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    // The displayed text starts with the wide-text escape.
    bool IsWideCell(int ACol, int ARow);
    // The first stored text equal to SubStr, row by row: its column and row.
    bool IsCell(const QString& SubStr, int& ACol, int& ARow);

    // Column functions: rows FromRow .. ToRow (-1 for either: all normal rows). The range is read as
    // real rows (hidden ones included) when ToRow passes RowCount - 1 with a shown footer, RowCount
    // without. Text cells are skipped; covered cells of merged areas are left out, and so are the node
    // and summary rows of a grouped grid unless hidden. Each function but the two event ones reports
    // esExportStart (FromRow), esExportNextRow per row it reads (not ColumnStdDev's own pass) and
    // esExportDone (-1), the last also when a cell raises.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    // The sum over the number of rows of the range (skipped rows count); 0 for an empty range.
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    // The first row's cell must be a number ("Cell does not contain a float value").
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    // Population standard deviation; every cell must be a number; 0 for an empty range.
    double ColumnStdDev(int ACol, int FromRow, int ToRow);
    // Different texts, compared without case.
    double ColumnDistinct(int ACol, int FromRow, int ToRow);
    // OnColumnCalc's (OnGroupCalc's) result, 0 when unassigned; the range is passed as given.
    double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
    double FireGroupCalc(int ACol, int FromRow, int ToRow);
    // Row functions over the base cells of fromCol .. toCol; text cells are skipped.
    double RowSum(int ARow, int fromCol, int toCol);
    // 0 for an empty range.
    double RowAvg(int ARow, int fromCol, int toCol);
    // The first column's cell must be a number; returned as is for an empty range.
    double RowMin(int ARow, int fromCol, int toCol);
    double RowMax(int ARow, int fromCol, int toCol);

    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    // The pictures a mini-HTML text names: a form's container (by name) and the grid's own cache of
    // pictures loaded by URL. The footer template draws with both and with GridImages.
    TPictureContainer* PictureContainer = nullptr;
    THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
    // Repaints the footer panel.
    void UpdateFooter();
    virtual void CalcFooter(int ACol);
    // The calculated footer cells of column ACol (-1: every column), only for a shown fsFixedLastRow
    // footer with EnableCalculation.
    virtual void CalcFooterCells(int ACol);
    // The grid's key handling calls it for F2.
    virtual void F2Pressed() {}
    // The grid leaves its last row unpainted (the footer shows it).
    bool HideLastRow() const { return FHideLastRow; }
    void SetHideLastRow(bool Value);
    // Text insets of a cell: XYOffset once with XYOffsetTopLeftOnly, else twice.
    int GetTotalXOffset() const;
    int GetTotalYOffset() const;
    // The start point of Text drawn at Angle degrees (counter-clockwise) in Rect with the canvas font,
    // left in Rect.Left/Top; Rect is shrunk by 2 on every side first.
    void AlignRotatedText(TRect& Rect, int Angle, const QString& Text, TAlignment HAlign, TVAlignment VAlign);
    // The most text lines of a row's cells (1 without Multilinecells).
    int MaxLinesInRow(int ARow);
    // The longest line of a column's export texts over all rows (first lines only without
    // Multilinecells).
    int MaxCharsInCol(int ACol);

    // -- Column and row moves with their data (column grid) --
    // Records the column order on first use, moves the column with its cells, width, visibility and
    // hidden-row texts (HandleColumnMoved), then the cell controls with it.
    void MoveColumn(int FromIndex, int ToIndex);
    // The row with its cells and height, then the cell controls.
    void MoveRow(int FromIndex, int ToIndex);
    // Widths and heights travel with moved columns and rows.
    bool EnhRowColMove = true;


    // -- Editing: editor kinds, edit life cycle, validation, navigation --
    //
    // One edit of cell C, in the order the grid and its editor follow (columns are display columns
    // unless marked real):
    //   1. Entering C: CanSelectCell switches goEditing on (C editable) or off (FEditDisable), ends an
    //      open edit and validates it unless the default editor owns the focus, fires the move events
    //      and caches C's text (FCellCache).
    //   2. Opening (F2, Enter, a typed character, a click): the toolkit asks CanShowEditor, which
    //      takes the editor kind (OnGetEditorType, real column). A plain kind lets the toolkit show
    //      the default editor (TExtInplaceEdit); another kind goes through ShowCellEditor's table
    //      and the toolkit shows nothing; edNone opens nothing. EditMode and FEditing are set.
    //   3. Typing: every change of the default editor is written into C at once (the live write)
    //      and fires OnEditChange; loading and refusals write nothing.
    //   4. Ending: Enter, Tab, Up/Down, a cursor walk or the focus leaving run ValidateCell
    //      (OnCellValidate, real column): accepted values stay, refused ones put the old or the
    //      corrected text back and reopen the editor (no end is reported then); Esc restores
    //      FCellCache. The editor hides (HideInplaceEdit; special kinds store through EditorToCell).
    //   5. The end is reported once: PostEditDone fires OnEditingDone and posts "GridEditDone",
    //      whose answer fires OnEditCellDone(real column, row) after the ending handler returned.
    //   6. Navigation: Tab walks the editable cells (AdvanceOnTab), Enter advances as Navigation
    //      says (AdvanceAfterEdit).
    // The default editor; nil before the first edit.
    TExtInplaceEdit* NormalEdit() const;
    // True when the value was accepted or nothing awaited validation (ACol real in the events).
    virtual bool ValidateCell(const QString& NewValue);
    virtual bool ValidateCellWide(const QString& NewValue);
    bool AlwaysValidate = false;
    TInvalidEntryIcon InvalidEntryIcon = ieWarning;
    TStringList* LookupItems() const { return FLookupItems.get(); }
    // goTabs, or a validation event assigned: the editors keep Tab and leave through AdvanceOnTab.
    bool EditorWantsTab() const;
    // OnEditingDone now; OnEditCellDone(ACol real, ARow) once the posted message is served.
    void PostEditDone(int ACol, int ARow);
    // The end of an edit by a key pressed in a special editor.
    void DoneInplaceEdit(WORD Key, TShiftState Shift);
    // Opens the editor of the current cell (not on a control cell), scrolling the cell into view.
    virtual void ShowInplaceEdit();
    // Only while EditMode: the editor hides and stores its text, then the current cell is offered
    // to CanSelectCell again.
    virtual void HideInplaceEdit();
    // F2 sent to the grid itself; the store of the open special editor.
    void ShowCellEdit();
    void HideCellEdit() { EditorToCell(Col(), Row()); }
    // Combo item index preselected by the combo kinds when the text is not an item (-1: none).
    int FComboIdx = -1;
    // Whether the cell is an editable (goEditing) or non-fixed cell; OnSelectCell has the last word.
    bool CanNavigateToCell(int ACol, int ARow);
    // The first (last) column of the row CanNavigateToCell accepts; -1 when none.
    int FirstSelectableCol(int ARow);
    int LastSelectableCol(int ARow);
    // One Tab (Shift+Tab) step; False when the Tab was passed on to the parent window.
    bool AdvanceOnTab(bool Backward);
    // Moves the current cell on from (ACol, ARow) as Navigation says and, with ShowEditor, opens the
    // editor there. Runs as a loop: a walk that comes round without finding a cell stops there.
    void AdvanceAfterEdit(int ACol, int ARow, bool ShowEditor, bool Recursing, bool Forward, bool AutoEdit,
                          bool Force);
    // A click at the cell with the move forced: opens its editor as a real click would.
    void SimulateCellClick(int ACol, int ARow);
    // Incremental search: the first normal row whose text in the sort column starts with s
    // (given upper-cased); -1 when none.
    int Search(const QString& s);
    // Escape, Enter advance and the incremental search, then the toolkit's key press.
    void HandleKeyPress(char16_t& Key) override;
    // The toolkit's edit-text write, then the cell (ACol real).
    virtual void StoreEditText(int ACol, int ARow, const QString& Value);
    // The current cell gets FCellCache back.
    virtual void RestoreCellFromCache();
    // OnRowChanging, OnColChanging, OnCellChanging for a move to (ACol, ARow).
    virtual void DoCellChanging(int ACol, int ARow, bool& Allow);
    // OnGetEditorProp, then OnGetEditorPropInt.
    virtual void DoGetEditorProp(int ACol, int ARow, TEditLink* AEditLink);
    // Hooks of the default editor; empty here.
    virtual void EditorKeyDown(WORD& /*Key*/, TShiftState /*Shift*/) {}
    virtual void EditorCaretMoved(const QString& /*Text*/, TPoint /*Caret*/, int /*Index*/) {}
    virtual void EditorFormulaMode(bool /*On*/) {}
    // The plain kinds, served by the default editor.
    static bool IsPlainEditor(TEditorType Kind);


    // -- Cell editors on edit controls (spin, button, unit, check box, push button, date), editor link --
    // The editors of the edit-control kinds. BtnEdit, BtnUnitEdit, Btn and the check box editor are
    // made with the grid (none at design time); SpinEdit, DateTimePicker and DateAndTimePicker make
    // theirs on first use, owned by the grid, hidden and disabled. The date kinds need the common
    // controls' date pickers (DatePickersAvailable); without them they show and store nothing.
    TGridSpin* SpinEdit();
    TGridEditBtn* BtnEdit() const { return EditBtn; }
    TGridUnitEditBtn* BtnUnitEdit() const { return UnitEditBtn; }
    TGridButton* Btn() const { return GridButton; }
    TGridDatePicker* DateTimePicker();
    TGridDateTimePicker* DateAndTimePicker();
    static bool DatePickersAvailable();
    // The link of the edCustom cells; the application owns it and the grid forgets it when it goes.
    TEditLink* EditLink() const { return FEditLink; }
    void SetEditLink(TEditLink* Value);
    // Relays of the date editors' notifications (current cell).
    virtual void DatePickerCloseUp(TObject* Sender);
    virtual void DatePickerDropDown(TObject* Sender);
    virtual void DatePickerChange(TObject* Sender);
    virtual void DateTimePickerTimeChange(TObject* Sender);


    // -- Keyboard, mouse presses and releases, header sort clicks, grid hooks --
    //
    // A key press while the grid has the focus passes three stages: HandleWMKeyDown's pre-stage
    // (options that replace or veto the toolkit's navigation: Home/End variants, control cells, node
    // keys, Tab, skipping fixed cells, appending on Down), the toolkit's key-down (HandleKeyDown: the
    // base grid's merged-cell jumps, OnKeyDown and the move, then wrap-around and row moves), then the
    // post-stage (clipboard keys, Insert and Delete rows, Ctrl+A, disjunct selection, Enter/F2
    // follow-up, OnSelectionChanged). WM_KEYUP reaches HandleKeyUp through the toolkit.
    // A left press: HandleWMLButtonDown decides first (cell objects end the press there; OnCanClickCell
    // may refuse everything), then the toolkit's press (HandleMouseDown: OnMouseDown, the current cell
    // through CanSelectCell, sizing and moving), then OnClickCell and direct editing. A double click
    // arrives as HandleWMLButtonDblClk (down, up, dblclk, up). The release, HandleWMLButtonUp, ends
    // fixed-cell sizing, pushed buttons and the disjunct selections, runs the toolkit's release
    // (HandleMouseUp) and then the cell actions: check-box and radio mouse-up events and the header
    // sort click.
    // Column spaces: OnClickCell, OnDblClickCell, OnCanClickCell and OnRightClickCell get (row,
    // display column); OnCheckBoxClick gets the real column from Space and the display column from a
    // press; OnCheckBoxMouseUp and OnCheckBoxChange the real column.
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // Row + 1 = RowCount - FixedFooters, or Row + 2 = RowCount with a shown floating footer.
    bool IsLastDataRow();
    // OnCanAddRow may refuse; else one row at the end (above a shown floating footer) with every cell,
    // hidden columns included, emptied and without objects; then OnAutoAddRow.
    void AutoAppendRow();
    // A press in a radio-group cell (real column) at X, Y from the cell's top-left corner.
    void ClickRadioCell(int ACol, int ARow, int X, int Y);
    // Opens the fixed-cell editor over a fixed cell (OnCanEditCell may refuse, OnFixedEdit picks
    // the kind).
    void StartFixedCellEdit(int ACol, int ARow);
    // The item chosen in a form-control combo: OnControlComboSelect.
    void ControlComboSelect(int ItemIndex, const QString& ItemText);
    // Set after a row was inserted or deleted by key.
    bool GridModified() const { return FGridModified; }
    void SetGridModified(bool Value) { FGridModified = Value; }

    // Hooks, each firing its event or doing the default work.
    // Repaints the selection for the styled-selection looks, marks the change, OnSelectionChanged.
    virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    virtual void DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values);
    // The default editor's caret moved; nothing here.
    virtual void EditorCaretMoved(const QString& Text, int CharPos, int CaretIndex);
    // Display row for insertion; real row for removal (the only normal row is emptied instead).
    virtual void InsertRowAtKey(int ARow);
    virtual void RemoveRowAtKey(int ARow);
    virtual void DoFilterDone();
    // The text a writer stores for a cell (real column, display row): check boxes without text give
    // their check texts, HTML loses its tags unless SaveWithHTML; then OnSaveCell.
    virtual QString GetExportCellText(int ACol, int ARow);
    // OnLoadCell, then the raw cell text.
    virtual void ImportCellText(int ACol, int ARow, const QString& Value);
    virtual void ExportNotification(TGridExportState AState, int ARow);
    virtual void ImportNotification(TGridImportState AState, int ARow);
    virtual void DoCheckBoxClick(int ACol, int ARow, bool State);
    virtual void DoClickSort(int ACol);
    bool SaveVirtCells = true;
    bool SaveWithHTML = true;
    bool SaveWithRTF = false;
    // Clipboard slots of the data operations; the key handling calls them.
    virtual void CutSelectionToClipboard();
    virtual void CopySelectionToClipboard();
    virtual void PasteSelectionFromClipboard();
    // Empty hooks: before Ctrl+A applies its rectangle, before a header click selects all, a press in
    // cell-selector mode.
    virtual void KeySelectionHook(TGridRect& /*Rect*/) {}
    virtual void BeforeSelectAll(TGridRect& /*Rect*/) {}
    virtual void CellSelectorClick(int /*ACol*/, int /*ARow*/) {}
    bool CellSelectorMode = false;


    // -- Mouse movement, hovering, hints, balloons, floating windows --
    //
    // One mouse move, in this order: the grid's own steps (hover row, hovered fixed and hot cells,
    // hovered cell buttons, the header-drag row and column selections, the fixed-cell sizing borders,
    // the selection resize handle, the OLE drag of the selection, the sizing and moving flags with the
    // enhanced move feedback, what a press here would start (FMouseSelectMode, read by the press and
    // the cursor), links and anchors with their cursor, the cursor restore, the cancelling of a hint
    // or balloon whose cell was left, the selection rectangle); then the toolkit's move (range
    // selection, its sizing and moving, OnMouseMove); then the horizontal scroll lock, the sizing
    // events and the sizing hint, and OnSelectionChanged. Points outside the cells skip every
    // per-cell step.
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    // CM_MOUSELEAVE: no press mode, no fixed sizing border; the hover row and the hovered fixed cell
    // go (a hovered button or link stays).
    void HandleMouseLeave() override;
    // True exactly when OnGetCellBorder is assigned.
    bool HasCellBorderHook() override;
    int HoverRowIdx() const { return FHoverRowIdx; }
    TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
    // The pointer lies on the right edge of a fixed column (bottom edge of a fixed row) that
    // MouseActions lets the mouse size.
    bool SizeFixedBorder() const { return FSizeFixed; }
    bool SizeFixedRowBorder() const { return FSizeFixedR; }
    // The hovered cell button (real column, display row), the cell whose link is underlined, the
    // link's number in it and the anchor target under the pointer; (-1, -1), -1 and '' for none.
    TPoint HoverButton() const { return FHoverButton; }
    TPoint HoverCell() const { return FHoverCell; }
    int HoverLink() const { return FHoverlink; }
    QString HoverAnchor() const { return FAnchor; }

    // Cell hints. Fills the hint of the cell under HintInfo.CursorPos (client coordinates); HintStr
    // arrives holding the grid's Hint. Precedence, weakest first: the comment, the anchor hint, the
    // cell text (HintShowCells), the full text of a cell too small for it (HintShowLargeText), then
    // OnGridHint and OnGridWideHint (with the display column of the base cell). HintPos leaves in
    // screen coordinates, HintColor is always HintColor.
    void GetCellHint(QString& HintStr, THintInfo& HintInfo);
    // The base cell whose hint was computed last; (-1, -1) none. A move to another base cell
    // cancels the hint.
    TPoint LastHintPos() const { return FLastHintPos; }

    // Balloons: one hover window per grid. BalloonInit makes it (nothing when it is made already),
    // BalloonDone destroys it; Balloon.Enable switches between the two outside loading.
    void BalloonInit();
    void BalloonDone();
    TBalloonWindow* BalloonWindow() const { return FBalloonWnd; }
    // What the balloon shows for the cell under a client point (the tooltip's text request):
    // the cell's text by kind, tabs as blanks, leading CR, LF and tabs skipped, at most 2045
    // characters and "..."; title " " and icon biInfo unless the cell carries a balloon; then
    // OnCellBalloon; a title over 100 characters keeps 97 and "...".
    struct TBalloonText {
        QString Text;
        QString Title;
        int Icon = biInfo;
    };
    TBalloonText BalloonNeedText(TPoint ClientPos);
    TPoint LastBalloonPos() const { return FLastBalloonPos; }

    // A never-activated form (TNoActiveForm, opacity 192) showing the cells of ARect as the grid
    // paints them; either corner may come first. Owned by the grid; the caller shows, moves and
    // frees it.
    TForm* SelectionToForm(const TGridRect& ARect);
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    // The floating header of a column or row move and the picture of dragged cells (nil when none).
    THeaderDragButton* MoveButton() const { return FMoveButton; }
    TForm* MoveForm() const { return FMoveForm; }
    // The four drop-position arrows (made on first use).
    TArrowWindow* MoveArrow(TArrowDirection Direction);


    // -- Combo cells: the combo item list and the combo editor --
    // The combo editor of edComboEdit and edComboList, made with the grid (nil at design time). Its
    // one item list serves every combo cell: the column grid copies the column's ComboItems in when
    // the editor kind is asked; a form clears and refills it in OnGetEditorType. FComboIdx survives
    // from edit to edit until changed.
    TGridCombo* Combobox() const { return EditCombo; }
    TGridCombo* UniCombo() const { return EditCombo; }
    void ClearComboString();
    void AddComboString(const QString& s);
    void AddComboStringObject(const QString& s, TObject* AObject);
    // False (nothing changes) when s is not an item.
    bool RemoveComboString(const QString& s);
    int GetComboCount();
    // FComboIdx := Index.
    void SetComboSelection(int Index);
    // FComboIdx := the index of s; False and no change when s is not an item.
    bool SetComboSelectionString(const QString& s);
    // The application may load the items first (OnGetEditorProp); then the cell := item Value
    // (real column). Nothing for a Value outside the items.
    void SetComboIndex(int ACol, int ARow, int Value);
    // The index of the cell's text among the items, after OnGetEditorProp; -1 when absent.
    int GetComboIndex(int ACol, int ARow);


    // -- Form-control, fixed-cell and rich-text editors, cell checker --
    // The hidden rich edit that converts and measures rich-text cells, and the edRichEdit editor; each
    // is made on first use, owned and parented by the grid.
    TExtRichEdit* RichEdit() { return ReadRichEdit(); }
    TExtRichEdit* InplaceRichEdit() { return ReadInplaceRichEdit(); }
    // A cell's text into a rich edit: RTF when it starts with "{\rtf", plain text otherwise, one
    // character per byte (the low byte); an empty cell clears the editor. ACol is the real column.
    void CellToRich(int ACol, int ARow, TRichEdit* Richeditor);
    // The editor's contents as RTF, one character per byte; empty while the grid is destroyed.
    QString RichToString(TRichEdit* Richeditor);
    void RichToCell(int ACol, int ARow, TRichEdit* Richeditor);
    // A rich-text cell (real column) drawn into R of the canvas, over a clear background.
    void PaintRichCell(int ACol, int ARow, const TRect& R, TCanvas* ACanvas);
    // Opens the editor of the cell's next edit control after ControlID (the first when empty); with
    // none left the grid takes the focus. ACol is the display column.
    void EditCellControl(int ACol, int ARow, const QString& ControlID);
    // The control editors' exit: the value goes into the control's tag, once per edit.
    void CellControlEditExit(TObject* Sender);
    // Tab in a control editor: the next edit control of the same cell.
    void ContinueCellControlEdit();
    TControlEdit* ControlEdit() const { return FEditControl; }
    TControlCombo* ControlCombo() const { return FComboControl; }
    // The fixed-cell editors, made hidden with the grid.
    TGridTransEdit* EditTrans = nullptr;
    TGridTransCombo* ComboTrans = nullptr;


    // -- Filtering and grouping --
    // Row filtering. The conditions are the Filter items; every application hides the data rows that
    // fail as one new filter level (HideRowList), so levels stack and come off one by one:
    //   FilterActive := True   ApplyFilter inside an update lock, one level more;
    //   FilterActive := False  the last level shown again, one level less;
    //   NarrowDown(text)       a level per typed character, one off per deleted character.
    // The footer is recalculated after every FilterActive write, changed or not.
    TFilter* Filter() const { return FFilter.get(); }
    void SetFilter(const TFilter* Value) { FFilter->Assign(Value); }
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value);
    // Tests the data rows (not fixed rows nor footer rows; with FilterNormalCellsOnly not node and
    // summary rows) and hides the failing ones with one HideRowList, also when none fails.
    void ApplyFilter();
    // Hides the display row when it fails the filter.
    void FilterRow(int ARow);
    // The newest level shown again; False without a level, else whether two levels or more remain.
    bool RemoveLastFilter();
    // Every level off; without a level the conditions are cleared instead.
    void RemoveAllFilters();
    // Incremental filter on a column (-1: the whole row). Rows hidden by other means than filter
    // levels stay hidden with their data when the text becomes empty.
    void NarrowDown(const QString& ACondition, int AColumn = -1);
    // The items in order, combined by their Operation; OnCustomFilter has the last word.
    virtual bool RowMatchesFilter(int ARow);
    int FilterFixedRows() const { return FFilterFixedRows; }

    // Column filter lists. A release on a filter button of FilterDropDownRow opens the column's
    // choices (GetColumnFilter) in the single list or, with FilterDropDownCheck, the check list;
    // a choice rewrites the Filter conditions and applies them again.
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    void SetFilterDropDown(const TFilterDropDown* Value);
    int FilterDropDownRow() const { return FFilterDropDownRow; }
    // Taken only below FixedRows; the grid repaints.
    void SetFilterDropDownRow(int Value);
    // Opens the list of the display column's filter button in row ARow (the release handler calls it
    // once GetColumnFilter has filled FilterList).
    virtual void ShowFilterDropDown(int ACol, int ARow);
    // Both lists hidden, no filter column.
    void HideFilterDropDown();
    // The single list's choice: the column's condition set (or removed for FilterDropDownClear) and,
    // with AutoFilterUpdate, the filter applied again; FilterCol() is -1 afterwards.
    virtual void SelectFilterItem(int ItemIndex);
    // The ticked choices of the check list become the whole Filter (or-ed) and are applied.
    virtual void ApplyFilterChecks();
    TDropList* DropList() const { return FDropList; }
    TDropCheckList* DropCheckList() const { return FDropCheckList; }
    // The real column whose list is open; -1 when none.
    int FilterCol() const { return FFilterCol; }

    // Grouping: the rows sorted on a column, a node header row before every run of equal values,
    // optional summary rows after the groups, the column removed; UnGroup undoes it. GroupColumn is
    // the grouped column (index before its removal), -1 when not grouped. Write: -1 ungroups, a value
    // above 0 groups, 0 does nothing.
    int GroupColumn() const { return FGroupColumn; }
    void SetGroupColumn(int Value);
    virtual void Group(int Colindex);
    virtual void UnGroup();
    // A second level inside every group on another column; SubUnGroup undoes it for that column.
    virtual void SubGroup(int Colindex);
    virtual void SubUnGroup(int Colindex);
    // Per expanded group: Method 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 custom
    // (OnGroupCalc), 7 distinct, 8 standard deviation, written into the summary row (header row
    // without Summary).
    void GroupCalc(int ACol, int Method);
    // The five also set the shown floating footer's calculation of the column.
    void GroupSum(int ACol);
    void GroupAvg(int ACol);
    void GroupMin(int ACol);
    void GroupMax(int ACol);
    void GroupCount(int ACol);
    void GroupCustomCalc(int ACol) { GroupCalc(ACol, 6); }
    void GroupDistinct(int ACol) { GroupCalc(ACol, 7); }
    void GroupStdDev(int ACol) { GroupCalc(ACol, 8); }
    bool IsGrouping() const { return FIsGrouping; }


    // -- Find, replace, highlighting, search footer --
    //
    // Find protocol: the scan runs over the bounds (the normal cells, every cell with fnIncludeFixed,
    // the selection with fnSelectedCells, the hidden columns and rows added with their options), from
    // the cell after StartCell ((-1, -1): the first cell; the last with fnBackward), down each column
    // (default) or across each row (fnDirectionLeftRight), and ends at the bounds: it never wraps.
    // The row or column restrictions apply after the start step. Without fnIncludeHiddenColumns the
    // columns are display columns (the cell is read at the real column and the hit keeps the display
    // index); without fnIncludeHiddenRows the rows are display rows. Progress: ExportNotification with
    // esExportStart, esExportNewRow before every cell, then esExportDone (miss) or esExportFail (hit).
    // The texts compare upper-cased (AnsiUpperCase) unless fnMatchCase; two double quotes find an
    // empty cell. A miss is (-1, -1).
    TPoint Find(TPoint StartCell, const QString& s, TFindParams FindParams);
    // The same scan over the decoded wide texts (WideCells); it never scrolls.
    TPoint FindWide(TPoint StartCell, const QString& s, TFindParams FindParams);
    // Find from the first cell / from the last hit with the last text and options; both keep the
    // result as the last hit, so after a miss FindNext starts over.
    TPoint FindFirst(const QString& s, TFindParams FindParams);
    TPoint FindNext();
    // Every hit rewritten with each occurrence of OrigStr (any case) replaced by NewStr; the number of
    // cells rewritten. A cell is rewritten at most once, at its real column.
    int Replace(const QString& OrigStr, const QString& NewStr, TFindParams FindParams);
    // The column and row of fnFindInPresetCol and fnFindInPresetRow.
    int FindCol() const { return FFindCol; }
    void SetFindCol(int Value) { FFindCol = Value; }
    int FindRow() const { return FFindRow; }
    void SetFindRow(int Value) { FFindRow = Value; }

    // Highlighting ("hi" tag) and marking ("e" tag) of every occurrence of a text inside cell texts.
    // The text functions touch no cell. The block operations entity-encode the text and the cell
    // (&, ", <, >) before marking and decode them after unmarking, rewrite every base cell of the
    // block through Cells (also when nothing was found), rows outer, columns inner, with store
    // indexes; their column ranges differ per operation on purpose (see the .cpp).
    QString HilightText(bool DoCase, const QString& S, const QString& Text);
    QString UnHilightText(const QString& S);
    QString MarkText(bool DoCase, const QString& S, const QString& Text);
    QString UnMarkText(const QString& S);
    void HilightInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void MarkInCell(bool DoCase, int Col, int Row, const QString& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnMarkInCell(int Col, int Row);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnMarkInCol(bool DoFixed, int Col);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnMarkInRow(bool DoFixed, int Row);
    void HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText);
    void UnHilightInGrid(bool DoFixed);
    void UnMarkInGrid(bool DoFixed);
    // The colours the renderer paints "hi" runs in (process-wide: the last grid to set them wins).
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value);
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value);

    // The search footer: the panel at the bottom (32 high while SearchFooter.Visible, else 0) and the
    // grid's five handlers its edit and buttons call. Copies the settings (the change handler runs).
    void SetSearchFooter(const TPersistent* Value);
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    // The edit changed: OnSearchEditChange may take over; with AutoSearch, a search from the first cell.
    void SearchFooterEditChange(TObject* Sender);
    // Find next (Return, the forward button) and find previous (Ctrl+Return, the backward button).
    void SearchFooterFindNext(TObject* Sender);
    void SearchFooterFindPrev(TObject* Sender);
    // OnSearchFooterClose, then SearchFooter.Visible := False.
    void SearchFooterClose(TObject* Sender);
    // The highlight button went down (highlight the edit text) or up (remove the highlights).
    void SearchFooterHighlight(TObject* Sender);
    // The accelerators of the forward, backward and highlight captions while the footer is visible.
    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;
    // The change handler of the fixed-cell editors: OnEditChange(fixed column, fixed row, the
    // editor's text).
    void FixedEditChange(TObject* Sender);


    // -- Text file and stream, CSV, fixed-width and ASCII text, XML --
    // Every writer takes the save range (SaveStartCol .. SaveEndCol, SaveStartRow .. SaveEndRow; hidden
    // columns follow with SaveHiddenCells), the cells' GetExportCellText and the export hooks (start,
    // one per row, done); every reader stores through ImportCellText and ends with DoCellsChanged and
    // BulkCellsChanged. OnFileProgress fires only when the percentage changes.
    //
    // The grid's own text file: "C,R", a "cw c,w" line per saved column, then "c,r,text" per non-empty
    // cell (absolute indexes, line breaks coded by EncodeLineChars); CR LF lines, 8-bit or UTF-16 with
    // a byte-order mark.
    void SaveToFile(const QString& FileName, bool Unicode = false);
    // Missing file: EInOutError; no columns or rows: EExtGridError. Cells and widths outside the grid
    // are skipped; cells the file does not name keep their texts.
    void LoadFromFile(const QString& FileName);
    // The stream form: UTF-16LE lines without a mark, counts of the save range, widths of every
    // column, coordinates relative to the save range. Numbers are read strictly (EConvertError).
    void SaveToStream(TStream* Stream);
    // Stops at the first line without a "," and leaves the position at its start, so a caller's data
    // may follow the grid's lines (an empty line does).
    void LoadFromStream(TStream* Stream);
    // The cell's number after NumberTextToFloatText; "" gives 0; anything else that does not convert
    // raises EExtGridError naming the 1-based position of the first character not taken.
    double CellToReal(int ACol, int ARow);
    // The toolkit's scaling, then the grid's own fonts (HandleChangeScale).
    void ChangeScale(int M, int D) override;
    // Recomputes the footer after a bulk change of cells.
    virtual void BulkCellsChanged();

    // CSV. Delimiter character 0: "," on writing, detected from the first two lines on reading.
    QChar Delimiter = QChar(0);
    bool QuoteEmptyCells = true;
    bool AlwaysQuotes = false;
    // Line breaks in a field as "~", an empty field as "^".
    bool JavaCSV = false;
    // False: the first line of the input is skipped.
    bool LoadFirstRow = true;
    // Unicode: UTF-8 with a byte-order mark. Append loads the existing file first (it must exist).
    void SaveToCSV(const QString& FileName, bool Unicode = false);
    void AppendToCSV(const QString& FileName, bool Unicode = false);
    // MaxRows <= 0 reads every line. An empty file changes nothing.
    void LoadFromCSV(const QString& FileName, int MaxRows = -1);
    // The lines go below the last row (above a shown floating footer, whose texts stay last).
    void InsertFromCSV(const QString& FileName, int MaxRows = -1);
    // A stream without lines raises Exception "File is empty".
    void LoadFromCSVStream(TStream* AStream, int MaxRows = -1);

    // Fixed width. Save: one width per exported column; missing widths are appended to Positions
    // (longest text + 1) and stay there. Load: n + 1 ascending 1-based positions for n columns, sorted
    // in place; MaxRows -1 reads all lines, 0 one line.
    void SaveToFixed(const QString& FileName, TIntList* Positions);
    void LoadFromFixed(const QString& FileName, TIntList* Positions, bool DoTrim = true, int MaxRows = -1);
    // A readable table: each column as wide as its longest text, cells aligned as shown, further lines
    // of multi-line cells on continuation lines. Unicode: UTF-16 with a byte-order mark.
    void SaveToASCII(const QString& FileName, bool Unicode = false);
    void AppendToASCII(const QString& FileName, bool Unicode = false);

    // XML: a list element, a record per row, a field element per cell (FieldDescr names them, else
    // FIELDn). Written in XMLEncoding when it is UTF-8, else as ISO-8859-1; characters the encoding
    // lacks become numeric references.
    void SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                   TStrings* FieldDescr, bool ExportEmptyCells = false);
    // Any document: attributes and leaf elements become cells along each top-level child's row
    // (LevelToRow: a row per nesting level); LoadFieldDescr puts the leaf names into row 0.
    void LoadFromXML(const QString& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);


    // -- Binary cell stream, HTML export, automation exchange --
    // Binary cell stream: whole cells (text, properties, merges, graphics) as records of the layer's
    // component stream (grid/ops/BinStream.h): a header, then per cell its record, its properties
    // and its graphic with the graphic's data. The clipboard and drag and drop carry the same form.
    // Rect is inclusive (Left, Top, Right, Bottom = columns and rows).
    void SaveRectToBinStream(const TRect& Rect, TStream* Stream);
    // The save range.
    void SaveToBinStream(TStream* Stream);
    void SaveToBinFile(const QString& FileName);
    // Reads from the stream's position; the first cell lands at Point (X column, Y row). A whole-grid
    // stream clears the grid and takes its counts and sizes first. Cells falling outside the grid
    // are read and skipped; absent properties keep the target's. Bad data: EReadError, cells read
    // before stay.
    void LoadAtPointFromBinStream(const TPoint& Point, TStream* Stream);
    // At (0, 0), then the node count from column 0.
    void LoadFromBinStream(TStream* Stream);
    // A missing file: EInOutError naming it.
    void LoadFromBinFile(const QString& FileName);
    // This grid's stream ID: unique per grid and process, never 0.
    int BinStreamID();

    // HTML: the save range as one table with deduplicated style classes; cell pictures go as JPEG
    // files to dir + "images/" (dir ends in "/").
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    void SetHTMLSettings(const TPersistent* Value) { FHTMLSettings->Assign(Value); }
    QString SaveToHTMLString(const QString& dir);
    // Unicode: UTF-16 with a byte-order mark, else 7-bit ASCII ("?" for the rest). Show or
    // AutoPreview: the file is opened through the interaction service.
    void SaveToHTML(const QString& FileName, bool Show = false, bool Unicode = false);
    // A missing file is written new.
    void AppendToHTML(const QString& FileName, bool Show = false, bool Unicode = false);

    // Spreadsheet, word processor and database through automation (platform/core/ComObj.h). Without
    // a server: EExtGridError "Excel OLE server not found" / "Word OLE server not found", the layer's
    // EOleError for the database; the cursor is restored on every path.
    void SaveToXLS(const QString& Filename, bool CreateNewSheet = true);
    void SaveToXLSSheet(const QString& Filename, const QString& SheetName);
    void LoadFromXLS(const QString& Filename);
    void LoadFromXLSSheet(const QString& Filename, const QString& SheetName);
    std::unique_ptr<TStringList> GetXLSSheets(const QString& FileName);
    void SaveToDOC(const QString& Filename, bool CreateNewDocument = true);
    void AppendToDoc(const QString& Filename, const QString& Bookmark);
    void LoadFromMDBTable(const QString& Filename, const QString& Table);
    void LoadFromMDBSQL(const QString& Filename, const QString& SQL);


    // -- Clipboard, paste and smart fill, drag and drop --
    //
    // Copy: a rectangle of display cells as tab-separated text (a tab after every cell but the last
    // column, CR LF after every row when there are several), then with Navigation.AllowRTFClipboard
    // the top-left cell's RTF and with AllowFmtClipboard the binary cell stream, all put on the
    // clipboard in one Open/Close. A cell with line breaks travels quoted with LF line ends, and a
    // quoted field comes back with CR LF. FClipTopLeft and FClipLastOp remember the last copy or cut
    // for the paste's MarkPastedRowsModified. The clipboard keys call the three slots of the key
    // section (CutSelectionToClipboard, CopySelectionToClipboard, PasteSelectionFromClipboard).
    // Paste: the cell stream first, then RTF into one cell, then text (PasteText); PasteSelection...
    // may then fill the selection (Navigation.AllowSmartClipboard: one value everywhere, or a series
    // of dates, times, decimals or integers, or a repeated pattern).
    QString SelectionToText(const TGridRect& Rect, bool Disjunct);
    QString GetSelectionAsText() { return SelectionToText(Selection(), false); }
    // Raw writes at the selection's top-left cell; the counts grow to fit.
    void SetSelectionAsText(const QString& Value);
    // Widens the selection to the whole merged areas at its top-left and bottom-right corners.
    void ExtendSelectionToMerged();
    void CopyRectToClipboard(const TGridRect& Rect, bool Disjunct);
    // The save range; the cut empties its editable cells (all with AllowClipboardAlways).
    void CopyToClipBoard();
    void CutToClipboard();
    // The whole grid as HTML: "HTML Format" (8-bit envelope) and the envelope as text; cell pictures
    // go to "images" below the current folder.
    void CopyToClipBoardAsHTML();
    // At the save range's top-left cell.
    void PasteFromClipboard();
    // One clipboard paste at the cell; the pasted count (fields and line ends for text, the stream's
    // cells, 0 for RTF).
    int PasteAtCell(int ACol, int ARow, int& Lines, int& Fields);
    // Nothing (0) for a negative cell or without editing (goEditing, AllowClipboardAlways or
    // RangeSelectAndEdit). Counts every field and every line end.
    int PasteText(int ACol, int ARow, const QString& Text, int& Lines, int& Fields);
    int PasteText(int ACol, int ARow, const QString& Text)
    {
        int lines = 0, fields = 0;
        return PasteText(ACol, ARow, Text, lines, fields);
    }
    // Empty hooks around a cell-stream paste and around the smart fill.
    virtual void BeforePaste() {}
    virtual void AfterPaste() {}
    // Marks every row of Rect modified with ShowModified.Enabled. TopLeft is this grid's last copied
    // cell when the pasted cells came from it, else (-1, -1).
    virtual void MarkPastedRowsModified(TPoint TopLeft, const TGridRect& Rect, TClipOperation LastOp);
    // One pasted value (display column): undo registered, a check box checked exactly by CheckTrue.
    virtual void PasteCellValue(int ACol, int ARow, const QString& Value);
    virtual bool AllowFormattedClipboard() { return FNavigation->AllowFmtClipboard; }
    TPoint ClipTopLeft() const { return FClipTopLeft; }
    TClipOperation ClipLastOp() const { return FClipLastOp; }

    // Drops onto the grid: DragDropSettings.OleDropTarget registers a TGridDropTarget for the grid's
    // window (OleDropTargetRegistered tells whether that worked). The drop arrows are MoveArrow's:
    // arrDown above and arrUp below a column target, arrLeft 10 pixels left of a row target.
    // A column of a column chooser list box: the next column drop unhides and places column ACol
    // (item AIndex of AList).
    void OleColumnDragStart(int ACol, int AIndex, TListBox* AList);
    IDropTarget* GridDropTarget() const { return FGridDropTarget.Get(); }
    bool OleDropTargetRegistered() const { return FOleDropTargetRegistered; }



    // -- Printing --
    // Print protocol: a job (Print ...) sets FPrintRect, turns the printer to PrintSettings.Orientation,
    // takes the printer's page in 0.1 mm as PrevRect, starts the document, counts the pages (unless
    // FastPrint), lets OnPrintStart narrow or cancel the pages, then lays the range out page by page
    // and ends the document. A preview (PrintPreview ...) does the same on any canvas, drawing the
    // pages FPrintPageFrom .. FPrintPageTo (PreviewPage sets both); PrintDraw draws page 1 into the
    // canvas's clip rectangle without any event. Layout runs in MM_LOMETRIC (0.1 mm, y upward from the
    // page top); the canvas's mapping mode is restored, the document ended (or esExportDone sent and
    // FIsPrintPreview cleared) also when an event raises. Printer errors pass to the caller.
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    void SetPrintSettings(const TPersistent* Value) { FPrintSettings->Assign(Value); }
    bool FastPrint = false;
    void SetPreviewPage(int Value);
    void Print();
    void PrintSelection();
    void PrintRect(const TGridRect& Gridrect);
    void PrintSelectedRows();
    void PrintSelectedCols();
    void PrintPreview(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect);
    void PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect);
    void PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect);
    void PrintDraw(TCanvas* Canvas, const TRect& DrawRect);
    void PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect);
    // Layout units of a point size: -Trunc(PointSize x 254 / 72 x Fontscalefactor); and back.
    int MapFontHeight(int PointSize) const;
    int MapFontSize(int Height) const;
    // The page or preview rectangle of the last job; the horizontal scale of the run (1.0 outside).
    TRect PrevRect;
    double Fontscalefactor = 1.0;
    TGridRect PrintRange() const { return FPrintRect; }
    int PrintPageFrom() const { return FPrintPageFrom; }
    int PrintPageTo() const { return FPrintPageTo; }
    int PrintPageNum() const { return FPrintPageNum; }
    bool IsPrintPreview() const { return FIsPrintPreview; }


    // -- Printed cells and graphics, column layout, visual properties and print settings files --
    // Printed cells: with PrintSettings.PrintGraphics the cells' graphics print as the grid shows
    // them; HTML, rich, word-wrapped and rotated cells print by their kind. Printer drivers that turn
    // landscape text the other way: rotated text follows DeviceCapabilities(DC_ORIENTATION) on paper.
    bool FPrinterdriverfix = false;
    // URL prefixes in plain cell text shown as links.
    bool URLShowInText() const { return FURLShowInText; }
    void SetURLShowInText(bool Value) { Repainting(FURLShowInText, Value); }

    // Column layout as one string: "N#widths#order#visibility" with N = ColCount + NumHiddenColumns,
    // the widths by display index, the column order (0 .. N - 1 when never moved) and a 1/0
    // visibility flag per real column. Restoring: order first, then visibility, then widths (Stretch
    // held off meanwhile); no "#": nothing; a non-number raises EConvertError, earlier steps stay.
    QString ColumnStatesToString();
    void StringToColumnStates(const QString& Value);
    // "Col" + i = ColWidths[i] in section ColumnSize.Section of ColumnSize.Key: an ini file
    // (clIniFile) or the registry stand-in (clRegistry). Nothing without a key and a section or
    // while designing; the store is written back after loads too. With ColumnSize.Save the grid
    // loads them when loaded and when its window is made, and saves them when destroyed.
    void SaveColSizes();
    void LoadColSizes();
    // Colours, fonts and look switches as "key=value" lines. Saving: Exception "Cannot Create " +
    // name when the file cannot be written. Loading: Exception "Cannot open file " + name for a
    // missing file (grid unchanged); a missing or malformed integer raises EConvertError when it is
    // reached, the keys before it stay applied.
    void SaveVisualProps(const QString& FileName);
    void LoadVisualProps(const QString& FileName);
    // Most of PrintSettings in section Section of the ini file Key; loading takes the reader's
    // defaults for missing entries and ends with writing the file back.
    void SavePrintSettings(const QString& Key, const QString& Section);
    void LoadPrintSettings(const QString& Key, const QString& Section);



    // -- Sorting, row and column exchange --
    // Overridable sort slots; the header click and grouping call them.
    //
    // Sort protocol: a wrapper (QSort, QSortIndexed, QSortGroup, QSortGroupIndexed) checks the
    // cross-reference list, hides the floating footer, adds three scratch rows after the data (the
    // pivot lives in RowCount - 2), sorts the rows between the fixed rows and the fixed footer rows
    // with a quick sort that compares through CompareRows / CompareRowsIndexed (CompareCells per
    // column) and moves rows only through SortSwapRows, then clears the scratch rows and restores the
    // current row, the counts, the footer and the scroll position, also when an exception passes.
    // SortSwapRows keeps FSortRowXRef current, so QUnSort can bring back the order before the first
    // sort. Columns are real columns; ties run through the hidden columns too.
    virtual void SortSwapRows(int ARow1, int ARow2);
    // Sorts on SortSettings.Column in SortSettings.Direction; nothing when Column < 0.
    virtual void QSort();
    // Sorts on the sort index list; an empty list raises "No indexes specified for indexed sort".
    virtual void QSortIndexed();
    // Sorts the children of every expanded node of the deepest node level.
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    // The order before the first sort. A cross-reference list that no longer covers every row
    // (rows added or removed since) raises the list's index error before anything moves.
    virtual void QUnSort();
    void InitSortXRef();
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    void SetSortSettings(const TPersistent* Value) { FSortSettings->Assign(Value); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    // Real columns left out of sorting (they compare equal).
    TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
    bool IsIgnoredColumn(int ACol) const { return FIgnoreColumns->HasValue(ACol); }
    // Column and Direction stored in SortSettings, then QSort.
    void Sort(int Column, TSortDirection Direction);
    // With more than one row: SortSettings.Column := Col, then QSort.
    void SortByColumn(int Col);
    // The rows Left .. Right only, with scratch rows but nothing else of the wrappers.
    void QuickSort(int Col, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    // Swaps the two rows when they are out of order on Col (ties: the next columns); True when swapped.
    bool SortLine(int Col, int ARow1, int ARow2);
    // Counters the sort only increments; callers reset them.
    int Compares = 0;
    int Swaps = 0;
    uint32_t SortTime = 0;

    // Column structure (real columns). New columns are empty, visible and DefaultColWidth wide;
    // cells, widths and the visible-column table move with their columns, hidden columns included.
    // Nothing for a count <= 0 or a start outside the real columns; RemoveCols clips its count.
    virtual void InsertCols(int ColIndex, int CCount);
    virtual void RemoveCols(int ColIndex, int CCount);
    void AddColumn() { InsertCols(ColCount(), 1); }
    // Rows whose check state in the column equals RemoveChecked go (bottom-up through RemoveRows).
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    // Later rows whose displayed text in ACol (display column) repeats an earlier one, compared
    // without case, go; DoCase only decides how the kept texts are held.
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void HideSelectedRows();
    void HideUnSelectedRows();
    // Display rows; the whole rows travel (hidden columns too), with heights and cell controls.
    void SwapRows(int ARow1, int ARow2);
    // Real columns; widths, cell controls and SortSettings.Column follow.
    void SwapColumns(int ACol1, int ACol2);
    // Column 1 := Trim(text 1 + Separator + text 2) from FixedRows on, then column 2 is removed.
    void MergeCols(int ColIndex1, int ColIndex2, const QString& Separator);


    // -- Cell objects (one TCellGraphic per cell; columns real, rows display unless said) --
    // The cell's TCellGraphic, else nil. With HotmailRowSelect column 0 answers the shared row
    // check box object.
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    TCellGraphic* CellGraphics(int ACol, int ARow) { return GetCellGraphic(ACol, ARow); }
    // ctEmpty for negative indexes, foreign objects and cells without an object.
    virtual TCellType GetCellType(int ACol, int ARow);
    TCellType CellTypes(int ACol, int ARow) { return GetCellType(ACol, ARow); }
    // Frees the cell's object (never a shared one) and stores a fresh ctNone object; the cell text
    // stays as it was.
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    // False without an object; shared objects are detached but never freed.
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType);
    TIntList* CellImages(int ACol, int ARow);
    int GetCellImageRef(int ACol, int ARow);
    virtual TImageList* GetGridImageList() { return GridImages; }
    // Screen size of the cell's graphic beside or over its text; (0, 0) without one. ExtraHeight is
    // taken off the room a picture may fill.
    virtual TPoint CalcCellGraphicSize(int ACol, int ARow, int ExtraHeight);
    virtual TPoint GetCellGraphicSize(int ACol, int ARow) { return CalcCellGraphicSize(ACol, ARow, 0); }
    TPoint CellGraphicSize(int ACol, int ARow) { return GetCellGraphicSize(ACol, ARow); }
    // The graphic's size on the printer: pictures fit AvailWidth x AvailHeight and are divided by Scale.
    virtual TPoint CalcPrintGraphicSize(int ACol, int ARow, int AvailWidth, int AvailHeight, double Scale);
    TImageList* GridImages = nullptr;
    bool ShowNullDates = true;

    // -- Check boxes. The state lives in the object (ctCheckBox, ctTriStateCheckBox), in the cell
    //    text (ctDataCheckBox, ctVirtCheckBox: text = GetCheckTrue) or in the row selection
    //    (ctRowCheckBox). Adding raises "Invalid cell" outside the real columns and rows.
    void AddCheckBox(int ACol, int ARow, bool State, bool IsData);
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    // From row 0 with CheckAllCheck, else from FixedRows; node rows get a tri-state box.
    void AddCheckBoxColumn(int ACol, bool State, bool IsData);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
    void RemoveCheckBoxColumn(int ACol);
    void RemoveCheckBox(int ACol, int ARow);
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    bool IsDataGraphicCell(int ACol, int ARow);
    bool IsControlCell(int ACol, int ARow);
    // Real row; False (State untouched) for a cell that is no check cell.
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
    // Real row; no event, no edit check.
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    bool IsChecked(int ACol, int ARow);
    // Display row; fires DoCheckBoxChange when the state changed.
    bool ChangeCheckBoxState(int ACol, int ARow, bool State);
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheckBoxCell(ACol, ARow, false); }
    // Always fires DoCheckBoxChange; AskFirst asks CanEditCell unless CheckAlwaysActive.
    virtual bool ToggleCheckBoxCell(int ACol, int ARow, bool AskFirst);
    bool IsInCheckBox(int ACol, int ARow, int X, int Y);
    virtual void DoCheckBoxChange(int ACol, int ARow, bool State);

    // -- Radio buttons and radio groups --
    void AddRadioButton(int ACol, int ARow, bool State);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButton(int ACol, int ARow);
    void RemoveRadioButtonColumn(int ACol);
    bool HasRadioButton(int ACol, int ARow);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    // Checks the button and unchecks the other buttons of the column.
    virtual bool ClickRadioButton(int ACol, int ARow, bool AskFirst);
    void AddRadio(int ACol, int ARow, int Direction, int ItemIndex, TStrings* Items);
    // The returned list belongs to the cell; the caller fills it.
    TStrings* CreateRadio(int ACol, int ARow, int Direction, int ItemIndex);
    bool GetRadioIdx(int ACol, int ARow, int& ItemIndex);
    // Only a ctRadio cell changes.
    bool SetRadioIdx(int ACol, int ARow, int ItemIndex);
    TStrings* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    void CycleRadio(int ACol, int ARow, bool AskFirst);

    // -- Other cell kinds (Add*: caller's object; Create*: owned by the cell) --
    void AddExpand(int ACol, int ARow, int OpenHeight);
    void RemoveExpand(int ACol, int ARow);
    bool HasExpand(int ACol, int ARow);
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    TRect GetExpandButtonRect(int ACol, int ARow);
    void AddInterfacedCell(int ACol, int ARow, TObject* DrawObject);
    TObject* GetInterfacedCell(int ACol, int ARow);
    void RemoveInterfacedCell(int ACol, int ARow);
    void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* GetBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow);
    void RemoveBitmap(int ACol, int ARow);
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign HAlign, TCellVAlign VAlign);
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                            TCellHAlign HAlign, TCellVAlign VAlign);
    TPicture* GetPicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow);
    void RemovePicture(int ACol, int ARow);
    void AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign HAlign, TCellVAlign VAlign);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign HAlign, TCellVAlign VAlign);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    void RemoveFilePicture(int ACol, int ARow);
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign);
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign HAlign, TCellVAlign VAlign);
    void RemoveIcon(int ACol, int ARow);
    // The image-list kinds need GridImages.
    void AddImageIdx(int ACol, int ARow, int ImageIndex, TCellHAlign HAlign, TCellVAlign VAlign);
    bool GetImageIdx(int ACol, int ARow, int& ImageIndex);
    void SetImageIdx(int ACol, int ARow, int ImageIndex);
    void RemoveImageIdx(int ACol, int ARow);
    void AddDataImage(int ACol, int ARow, int ImageIndex, TCellHAlign HAlign, TCellVAlign VAlign);
    bool HasDataImage(int ACol, int ARow);
    void RemoveDataImage(int ACol, int ARow);
    void AddMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign);
    void RemoveMultiImage(int ACol, int ARow);
    void AddProgress(int ACol, int ARow, TColor BarColor, TColor BackColor);
    void AddProgressEx(int ACol, int ARow, TColor BarColor, TColor BarTextColor, TColor BackColor,
                       TColor BackTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor BarColor, TColor BarTextColor, TColor BackColor,
                              TColor BackTextColor, const QString& FormatText, int MinValue, int MaxValue);
    bool HasProgress(int ACol, int ARow);
    void RemoveProgress(int ACol, int ARow);
    void AddExtProgress(int ACol, int ARow, int MinValue, int MaxValue);
    void RemoveExtProgress(int ACol, int ARow);
    void AddProgressPie(int ACol, int ARow, TColor PieColor, int Percent);
    void SetProgressPie(int ACol, int ARow, int Percent);
    void RemoveProgressPie(int ACol, int ARow);
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    void RemoveRangeIndicator(int ACol, int ARow);
    void AddComment(int ACol, int ARow, const QString& CommentText);
    void AddColorComment(int ACol, int ARow, const QString& CommentText, TColor MarkColor);
    QString GetComment(int ACol, int ARow);
    void SetComment(int ACol, int ARow, const QString& CommentText);
    bool IsComment(int ACol, int ARow, QString& CommentText);
    void RemoveComment(int ACol, int ARow);
    void RemoveAllComments();
    void AddShape(int ACol, int ARow, TCellShape Shape, TColor BrushColor, TColor PenColor, TCellHAlign HAlign,
                  TCellVAlign VAlign);
    void SetShapeColor(int ACol, int ARow, TColor BrushColor);
    TColor GetShapeColor(int ACol, int ARow);
    void RemoveShape(int ACol, int ARow);
    void AddRating(int ACol, int ARow, int Stars, TColor StarColor, TColor EmptyStarColor);
    bool HasRating(int ACol, int ARow);
    void RemoveRating(int ACol, int ARow);
    virtual bool DoRatingChange(int ACol, int ARow, double& NewRate);
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    bool HasScrollBar(int ACol, int ARow);
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Position);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    TScrollProp GetScrollProp(int ACol, int ARow);
    void RemoveScrollBar(int ACol, int ARow);
    void AddMarker(int ACol, int ARow, int MarkFrom, int MarkLength);
    void GetMarker(int ACol, int ARow, int& MarkFrom, int& MarkLength);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    void AddButton(int ACol, int ARow, int ButtonWidth, int ButtonHeight, const QString& Caption,
                   TCellHAlign HAlign, TCellVAlign VAlign);
    void AddBitButton(int ACol, int ARow, int ButtonWidth, int ButtonHeight, const QString& Caption,
                      TBitmap* Glyph, TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* CreateBitButton(int ACol, int ARow, int ButtonWidth, int ButtonHeight, const QString& Caption,
                             TCellHAlign HAlign, TCellVAlign VAlign);
    void RemoveBitButton(int ACol, int ARow);
    // Display column.
    void SetButtonText(int ACol, int ARow, const QString& Caption);
    QString GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool Pushed);
    TRect GetCellButtonRect(int ACol, int ARow);
    bool HasButton(int ACol, int ARow);
    void RemoveButton(int ACol, int ARow);
    void RemoveAllButtons();
    void AddRotated(int ACol, int ARow, int Angle, const QString& Text);
    // Turns the cell's object (or a new one) into ctRotated.
    void SetRotated(int ACol, int ARow, int Angle);
    bool IsRotated(int ACol, int ARow, int& Angle);
    void RemoveRotated(int ACol, int ARow);
    void AddBalloon(int ACol, int ARow, const QString& ATitle, const QString& AText, TBalloonIcon AIcon);
    void RemoveBalloon(int ACol, int ARow);
    bool IsBalloon(int ACol, int ARow, QString& ATitle, QString& AText, TBalloonIcon& AIcon);
    bool HasBalloon(int ACol, int ARow);

    // -- Typed cell values (Cells; the All forms use AllCells with a real row) --
    // "" and "-" read 0; other non-numbers raise EExtGridError.
    int Ints(int ACol, int ARow);
    void SetInts(int ACol, int ARow, int Value);
    int AllInts(int ACol, int ARow);
    void SetAllInts(int ACol, int ARow, int Value);
    double Floats(int ACol, int ARow);
    void SetFloats(int ACol, int ARow, double Value);
    double AllFloats(int ACol, int ARow);
    void SetAllFloats(int ACol, int ARow, double Value);
    // Regional short date / long time; invalid text raises the toolkit's conversion error.
    TDateTime Dates(int ACol, int ARow);
    void SetDates(int ACol, int ARow, TDateTime Value);
    TDateTime Times(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, TDateTime Value);
    // The VALUE of the cell's HTML form control with that ID; '' when there is none.
    QString ControlValues(int ACol, int ARow, const QString& ID);
    void SetControlValues(int ACol, int ARow, const QString& ID, const QString& Value);
    // The format a float of the column is written with (the grid's FloatFormat here).
    virtual QString GetFloatFormat(int /*ACol*/) { return FloatFormat; }

    // -- Header lists (row 0 / column 0 captions; a backslash-n in a string is a line break) --
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    void SetColumnHeaders(const TStrings* Value);
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    void SetRowHeaders(const TStrings* Value);
    void ShowColumnHeaders();
    void ClearColumnHeaders();
    void ShowRowHeaders();
    void ClearRowHeaders();

    // -- Column order --
    void SetColumnOrder();
    void ResetColumnOrder();
    // The column order as "Pos" + i entries in section ColumnSize.Section of ColumnSize.Key, an ini
    // file (clIniFile) or a registry key under the current user (clRegistry). Nothing without a key
    // and a section; loading moves nothing unless the entries are a permutation of the columns.
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    int ColumnAtPosition(int APos);
    int ColumnByHeader(const QString& AValue);

    // -- Settings --
    QString FloatFormat = "%.2f";
    QString CheckTrue = "Y";
    QString CheckFalse = "N";
    TColor SelectionColor = ExtGridSelectionColor;
    TColor ActiveCellColor = ExtGridActiveCellColor;
    TColor ActiveCellColorTo = clNone;
    bool ActiveCellShow = false;
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    TColor DisabledFontColor = ExtGridDisabledFontColor;
    TColor URLColor = ExtGridURLColor;
    TColor BorderColor = ExtGridBorderColor;
    TPoint XYOffset{2, 2};
    QString FilterDropDownClear = "(All)";
    bool FilterDropDownAuto = false;
    bool FilterIncremental = false;
    QString XMLEncoding = "ISO-8859-1";
    int FixedFooters = 0;
    TGridLook Look = glXP; // stored by the constructor, not applied
    TFont* FixedFont() const { return FFixedFont.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    TCellNode* CellNode() const { return FCellNode.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
    TShowModified* ShowModified() const { return FShowModified.get(); }
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    TBalloonSettings* Balloon() const { return FBalloonSettings.get(); }
    TGrouping* Grouping() const { return FGrouping.get(); }
    void SetGrouping(const TGrouping* Value) { FGrouping->Assign(Value); }
    // Common-controls 6 is what this platform stands in for.
    bool IsThemed() const { return FIsComCtl6; }

    // Gradients of fixed cells. The four plain ones store the RGB value (system colours resolved) and
    // repaint; the hover and down colours are stored plainly.
    TColor QelGradientFrom() const { return FQelGradFrom; }
    void SetQelGradientFrom(TColor Value) { SetQelGradient(FQelGradFrom, Value); }
    TColor QelGradientTo() const { return FQelGradTo; }
    void SetQelGradientTo(TColor Value) { SetQelGradient(FQelGradTo, Value); }
    TColor QelGradientMirrorFrom() const { return FQelGradMirrorFrom; }
    void SetQelGradientMirrorFrom(TColor Value) { SetQelGradient(FQelGradMirrorFrom, Value); }
    TColor QelGradientMirrorTo() const { return FQelGradMirrorTo; }
    void SetQelGradientMirrorTo(TColor Value) { SetQelGradient(FQelGradMirrorTo, Value); }
    TColor QelGradientHoverFrom = 0, QelGradientHoverTo = 0, QelGradientHoverMirrorFrom = 0,
           QelGradientHoverMirrorTo = 0, QelGradientHoverBorder = 0;
    TColor QelGradientDownFrom = 0, QelGradientDownTo = 0, QelGradientDownMirrorFrom = 0,
           QelGradientDownMirrorTo = 0, QelGradientDownBorder = 0;
    TNavigation* Navigation() const { return FNavigation.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }

    // Plain published settings: stored here, read by the operations that use them.
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    // Repaints when the alignment changes.
    void SetDefaultAlignment(TAlignment Value);
    bool EditWithTags = false;
    bool ExcelStyleDecimalSeparator = false;
    bool OemConvert = false;
    QString ValidChars;
    QString EditMask;
    int MaxEditLength = 0;
    int MaxComboLength = 0;
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    QString InvalidEntryTitle;
    QString InvalidEntryText;
    bool URLEdit = false;
    bool URLUnderlineOnHover = false;
    bool SelectionRTFKeep = false;
    bool FixedAsButtons = false;
    bool FilterNormalCellsOnly = true;
    bool FilterDropDownCheck = false;
    bool AutoFilterUpdate = true;
    bool HintShowCells = false;
    bool HintShowLargeText = false;
    bool HintShowSizing = false;
    bool HTMLHint = false;
    bool AnchorHint = false;
    bool UseInternalHintClass = true;
    THintShowLargeTextPos HintShowLargeTextPos = hpCell;
    TFilterDropDownColumns FilterDropDownColumns = fdNormal;

    // -- Events (fired only when assigned; each by the operation that owns its trigger). OnResize is
    //    the grid's own, fired after the toolkit's resize handling. --
    TAfterCellPasteEvent OnClipboardAfterPasteCell;
    TAfterCellPasteWideEvent OnClipboardAfterPasteWideCell;
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    TAutoAddRowEvent OnAutoAddRow;
    TAutoAdvanceEvent OnAutoAdvance;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    TAutoInsertColEvent OnAutoInsertCol;
    TAutoInsertRowEvent OnAutoInsertRow;
    TAutoInsertRowEvent OnRowDisjunctSelected;
    TBeforeCellPasteEvent OnClipboardBeforePasteCell;
    TBeforeCellPasteWideEvent OnClipboardBeforePasteWideCell;
    TButtonClickEvent OnButtonClick;
    TCalcFooterEvent OnFooterCalc;
    TCanAddRowEvent OnCanAddRow;
    TCanClickCellEvent OnCanClickCell;
    TCanDeleteRowEvent OnCanDeleteRow;
    TCanEditCellEvent OnCanEditCell;
    TCanInsertRowEvent OnCanInsertRow;
    TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
    TCanSortEvent OnCanSort;
    TCellChangingEvent OnCellChanging;
    TCellComboControlEvent OnControlComboList;
    TCellComboControlSelectEvent OnControlComboSelect;
    TCellControlEvent OnControlClick;
    TCellControlEvent OnControlEditDone;
    TCellCursorEvent OnGetCellCursor;
    TCellSaveLoadEvent OnSaveCell;
    TCellSaveLoadEvent OnLoadCell;
    TCellValidateEvent OnCellValidate;
    TCellValidateWideEvent OnCellValidateWide;
    TCellsChangedEvent OnCellsChanged;
    TCheckBoxClickEvent OnCheckBoxChange;
    TCheckBoxClickEvent OnCheckBoxClick;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnRightClickCell;
    TClickCellEvent OnDatePickerCloseUp;
    TClickCellEvent OnDatePickerDropDown;
    TClickCellEvent OnComboCloseUp;
    TClickCellEvent OnComboDropDown;
    TClickCellEvent OnGetEditorPropInt;
    TClickSortEvent OnClickSort;
    TClipboardEvent OnClipboardPaste;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TColChangingEvent OnColChanging;
    TColorSelectEvent OnColorSelect;
    TColorSelectedEvent OnColorSelected;
    TColumnSizeEvent OnColumnSize;
    TColumnSizeEvent OnColumnMove;
    TColumnSizeEvent OnColumnMoving;
    TColumnSizingEvent OnColumnSizing;
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TCustomCellSizeEvent OnCustomCellSize;
    TCustomCompareEvent OnCustomCompare;
    TCustomFilterEvent OnCustomFilter;
    TCustomStrToDateEvent OnCustomStrToDate;
    TDateTimeChangeEvent OnDateTimeChange;
    TDateTimeSpinClickEvent OnTimeSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TDblClickCellEvent OnDblClickCell;
    TDoFitToPageEvent OnFitToPage;
    TDragScrollEvent OnDragScroll;
    TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
    TDropDownButtonClickEvent OnDropDownFooterButtonClick;
    TEditCellDoneEvent OnEditCellDone;
    TEditChangeEvent OnEditChange;
    TEllipsClickEvent OnEllipsClick;
    TEndColumnSizeEvent OnEndColumnSize;
    TEndRowSizeEvent OnEndRowSize;
    TExpandClickEvent OnExpandClick;
    TFilterCheckEvent OnFilterCheck;
    TFilterSelectEvent OnFilterSelect;
    TFixedDropDownEvent OnFixedDropDownClick;
    TFixedEditEvent OnFixedEdit;
    TFloatFormatEvent OnGetFloatFormat;
    TFloatSpinClickEvent OnFloatSpinClick;
    TFooterPaintEvent OnFooterPaint;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGetColumnFilterEvent OnGetColumnFilter;
    TGetEditorPropEvent OnGetEditorProp;
    TGetEditorTypeEvent OnGetEditorType;
    TGridAlignEvent OnGetAlignment;
    TGridBalloonEvent OnCellBalloon;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridFormatEvent OnGetFormat;
    TGridGradientEvent OnGetCellGradient;
    TGridHintEvent OnGridHint;
    TGridPrintCancelEvent OnPrintCancel;
    TGridPrintColumnWidthEvent OnPrintSetColumnWidth;
    TGridPrintNewPageEvent OnPrintNewPage;
    TGridPrintPageDoneEvent OnPrintPageDone;
    TGridPrintPageEvent OnPrintPage;
    TGridPrintPageNumEvent OnPrintGetPageNum;
    TGridPrintRowHeightEvent OnPrintSetRowHeight;
    TGridPrintStartEvent OnPrintStart;
    TGridProgressEvent OnFileProgress;
    TGridProgressEvent OnFilterProgress;
    TGridWideHintEvent OnGridWideHint;
    TGroupCalcEvent OnColumnCalc;
    TGroupCalcEvent OnGroupCalc;
    THasComboEvent OnHasComboBox;
    THasSpinEditEvent OnHasSpinEdit;
    TImageSelectEvent OnImageSelect;
    TImageSelectedEvent OnImageSelected;
    TIsFixedCellEvent OnIsFixedCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TNodeAllowEvent OnBeforeExpandNode;
    TNodeAllowEvent OnBeforeContractNode;
    TNodeClickEvent OnExpandNode;
    TNodeClickEvent OnContractNode;
    TNotifyEvent OnFilterDone;
    TNotifyEvent OnSearchFooterClose;
    TNotifyEvent OnRichEditSelectionChange;
    TNotifyEvent OnEditingDone;
    TNotifyEvent OnResize;
    TNotifyEvent OnCreatedFloatingFooter;
    TNotifyEvent OnCreatedSearchFooter;
    TNotifyEvent OnPainted;
    TOleDragDropEvent OnOleDrop;
    TOleDragDropEvent OnOleDrag;
    TOleDragOverEvent OnOleDragOver;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    TOleDropColEvent OnOleDropCol;
    TOleDropFileEvent OnOleDropFile;
    TOleDropURLEvent OnOleDropURL;
    TOleDroppedEvent OnOleDropped;
    TRadioButtonClickEvent OnRadioButtonClick;
    TRadioClickEvent OnRadioClick;
    TRadioClickEvent OnRadioMouseUp;
    TRatingChangeEvent OnRatingChange;
    TRawCompareEvent OnRawCompare;
    TRowChangedEvent OnRowUpdate;
    TRowChangingEvent OnRowChanging;
    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TRowSizeEvent OnRowSize;
    TRowSizeEvent OnRowMove;
    TRowSizeEvent OnRowMoving;
    TRowSizingEvent OnRowSizing;
    TScrollCellEvent OnScrollCell;
    TScrollHintEvent OnScrollHint;
    TSearchEditChangeEvent OnSearchEditChange;
    TSearchFooterActionEvent OnSearchFooterAction;
    TSelectionChanged OnSelectionChanged;
    TSelectionResizeEvent OnSelectionResize;
    TSelectionResizeEvent OnSelectionResized;
    TSpinClickEvent OnSpinClick;
    TUnitChangedEvent OnUnitChanged;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TWordWrapEvent OnGetWordWrap;

  protected:
    void Loaded() override;
    // The toolkit's handling, then the grid's own OnResize.
    void Resize() override;
    // Nothing is painted while an update lock is held (StartUpdate leaves the redraw on).
    void Paint() override;

    bool FEditChange = false;
    bool FIntegralHeight = false;
    bool FWordWrapEx = true;
    TAlignment FDefaultAlignment = taLeftJustify;
    TCursor FOldCursor = crDefault;
    // The editing seams the grid's operations call (life cycle at the editing section).
    // The editor may show: never while validating; a control cell or edNone opens nothing; a plain
    // kind lets the toolkit show the default editor, any other shows its own (ShowCellEditor).
    bool CanShowEditor() override;
    // The text of the cell the editor was last opened on.
    QString FEditText;
    // Column stretching after the owner form was resized (the sizing code gives it a body).
    virtual void ApplyColumnStretch() {}
    // The owner form's size changes, relayed by an event filter on the form (its own OnResize runs
    // untouched in its own event).
    void OwnerFormResized();
    std::unique_ptr<QObject> FFormResizeRelay;

    // Writes the widths of display columns from .. to - 1 one place to the left (right).
    void ShiftWidthsLeft(int From, int To);
    void ShiftWidthsRight(int From, int To);
    // The display -> real table after a visibility change.
    // Rebuilt lazily at the next conversion after a visibility change.
    void RebuildColumnMap() const;
    void ColumnMapChanged() { FColumnMapDirty = true; }
    // Hidden columns among 0 .. R - 1 (R below 512).
    int RealToDisplColHiddenBefore(int R) const;
    void SetQelGradient(TColor& Field, TColor Value);
    int UnSortedRow(int ARow) const;
    // The entry of a hidden real row, or null.
    TGridItem* HiddenRowItem(int R) const;
    // Creates the cell's properties, applies Set, repaints the cell at its display column.
    template <class F> void StyleCell(int c, int r, F Set, bool OnlyUnlocked = false);
    const TCellProperties* LookOf(int c, int r) const { return GridProps(c, r); }

    std::array<bool, ColumnTableSize> FVisibleCol;
    std::array<int16_t, ColumnTableSize> FAllColWidths{};
    // Caches of the visibility table: display index -> real column for the shown columns of 0 .. 511,
    // and the hidden columns among 0 .. j - 1.
    mutable std::array<int16_t, ColumnTableSize> FDisplToReal{};
    mutable int FShownCount = MaxHiddenColumns;
    mutable std::array<int16_t, ColumnTableSize> FHiddenBefore{};
    mutable bool FColumnMapDirty = true;
    // One past the last hidden column: from there on every column is shown and the tables are not
    // filled (a column converts by the total of hidden columns).
    mutable int FColumnMapEnd = 0;
    int FNumHidden = 0;
    std::unique_ptr<TCollectionOf<TGridItem>> FGridItems;
    std::unique_ptr<TStringList> FFilterList;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FActiveCellFont = std::make_unique<TFont>();
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TBackGround> FBackGround;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TShowModified> FShowModified;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    std::unique_ptr<TBalloonSettings> FBalloonSettings;
    std::unique_ptr<TGrouping> FGrouping = std::make_unique<TGrouping>();
    // Platform facts: Windows 6.1 with common controls 6; themes count as inactive once the window
    // exists.
    bool FIsWinXP = true;
    bool FIsWinVista = true;
    bool FIsWin7 = true;
    bool FIsComCtl6 = true;
    TColor FQelGradFrom = clWhite;
    TColor FQelGradTo = clNone; // the RGB of clBtnFace, set by the constructor
    TColor FQelGradMirrorFrom = clNone;
    TColor FQelGradMirrorTo = clNone;
    std::vector<TGridChangeNotifier*> FNotifierList;
    std::unique_ptr<TControlList> FControlList = std::make_unique<TControlList>();
    int FNumCellControls = 0;
    std::unique_ptr<TIntList> FColumnOrder = std::make_unique<TIntList>(0, 0);
    std::unique_ptr<TIntList> FSortRowXRef = std::make_unique<TIntList>(0, 0);
    std::unique_ptr<TFont> cf = std::make_unique<TFont>(); // scratch font of Fonts
    int FGroupColumn = -1;
    int FOldCol = 0;
    int FOldRow = 0;
    QString FOldCellText;
    QString FOldCellTextWide;
    bool FOldModifiedValue = false;
    bool FModified = false;
    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    int FFixedRowsMin = 1;
    int FFixedColsMin = 1;
    int FFixedRowHeight = ExtGridRowHeight;
    int FFixedColWidth = 64;
    int FMinColWidth = 0;
    int FMinRowHeight = 0;
    int FMaxRowCount = 0;
    int FMaxColCount = 0;
    int FOldRowSel = -1;
    int FZoomFactor = 0;
    int FUpdateCount = 0;
    bool FRedrawOff = false; // BeginUpdate switched the redraw off
    bool FNilObjects = false;
    bool FClearTextOnly = false;
    bool FBlockCellChange = false;
    TScrollBarAlways FScrollBarAlways = saNone;
    bool FLoaded = false;
    bool FEditDisable = false;

    // -- Painting (protected) --
    void WMNCPaint() override;
    bool UsesStyleHooks() override { return false; }
    void LastRowChanged() override;
    // The steps of Paint after the cells: edit frame, background of the empty area, design box,
    // sizing lines, OnPainted.
    void PaintAfterCells();
    void PaintEmptyArea();
    void PaintBackgroundBitmap(TCanvas* ACanvas, const TRect& Area);
    void TileBackgroundBitmap(TCanvas* ACanvas, const TRect& Area, TPoint Origin);
    void PaintDesignHelper();
    TRect DesignHelperRect();
    // The text step; returns the drawn text's width + 2 (0 without text).
    struct TCellPaint;
    int DrawCellText(TCanvas* ACanvas, TCellPaint& P);
    void DrawCellBorders(TCanvas* ACanvas, int ACol, int ARow, TRect R);
    void DrawFixedEdges(TCanvas* ACanvas, int C, TRect R);
    void DrawFixedLook(TCanvas* ACanvas, int DC, int C, int ARow, TRect R, TColor ColorTo, TColor MirrorColor,
                       TColor MirrorColorTo);
    // The cell graphic step over R: places the object of P by its alignments and the text width of
    // the text step, and draws it by kind; R takes back what the step leaves.
    virtual void DrawCellGraphic(TCanvas* ACanvas, TCellPaint& P, TRect& R);
    // A ctInterface object drawing itself into R.
    void DrawInterfaceCell(TCanvas* ACanvas, const TCellPaint& P, const TRect& R);
    // Buttons and the expand button of a cell; G is the placed button rectangle.
    void DrawCellButton(TCanvas* ACanvas, const TCellPaint& P, const TRect& R, TRect G);
    // The node glyph of a ctNode cell with its part of the tree.
    void DrawNodeGlyph(TCanvas* ACanvas, const TCellPaint& P, TRect R);
    // What the painter reads of the sort state: the sorted column, the header row, the glyphs and the
    // index list. Column -1: nothing sorted.
    struct TSortPaintState {
        int Column = -1;
        int Row = 0;
        bool Show = false;
        bool IndexShow = false;
        bool FixedCols = false;
        TSortDirection Direction = sdAscending;
        TColor IndexColor = 0x00FFFF;
        const TBitmap* UpGlyph = nullptr;
        const TBitmap* DownGlyph = nullptr;
        const TBitmap* IndexUpGlyph = nullptr;
        const TBitmap* IndexDownGlyph = nullptr;
        const TSortIndexList* Indexes = nullptr;
    };
    virtual TSortPaintState SortPaintState();
    // Whether a cell shows the sort indicator (its row, the sort column or an index entry).
    bool IsSortHeaderCell(int C, int ARow, const TSortPaintState& S);
    // New properties of a fixed cell start from the fixed look (no brush of their own, FixedFont).
    void GetCellDrawProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                          TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap,
                          TCellGradientDirection& GradientDir) override;
    // The cell button under the mouse (real column, display row), written by the mouse handling.
    TPoint FHoverButton{-1, -1};
    ITExtStringGridSelect* FISelect = nullptr;
    TGridFocusWindow* FFocusWindow = nullptr; // owned through the component tree
    std::unique_ptr<QObject> FFocusMoveFilter;
    // Check boxes, radio buttons and buttons: their cell colour stands even when clNone.
    virtual bool IsControlCellObject(int C, int ARow);
    // Whether the cell (real column) has a graphic that leaves no room for text.
    virtual bool CellGraphicHidesText(int C, int ARow);
    bool CellHasGraphic(int C, int ARow) const
    {
        const TCellProperties* p = GridProps(C, ARow);
        return p && p->GraphicObject();
    }
    // The painter's filter-button flag: GetColumnFilter, or without a handler its answer without
    // building the list.
    virtual bool HasColumnFilter(int C);
    virtual bool GetRowModified(int ARow);
    // The tree lines of node rows in column 0.
    virtual void DrawTreeLines(TCanvas* ACanvas, int C, int ARow, const TRect& R);
    bool Ctl3D() const { return FCtl3D; }
    // The border lives in the frame, outside the viewport.
    void RepaintFrame()
    {
        if (Widget())
            Widget()->update();
    }
    // The sorted column's header colours (HeaderColor, HeaderColorTo, HeaderMirrorColor,
    // HeaderMirrorColorTo) until the sort settings object carries them.
    std::array<TColor, 4> FSortHeaderColors{clNone, clNone, clNone, clNone};
    bool FCtl3D = true;
    template <class T> void Repainting(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        InvalidateGrid();
    }
    TColor FSelectionColorTo = clNone;
    TColor FSelectionMirrorColor = clNone;
    TColor FSelectionMirrorColorTo = clNone;
    TColor FSelectionTextColor = clBlack;
    bool FSelectionColorMixer = false;
    int FSelectionColorMixerFactor = 50;
    bool FSelectionRectangle = false;
    bool FSelectionResizer = false;
    bool FFlat = false;
    bool FFitCellsInGrid = true;
    TVAlignment FVAlignment = vtaTop;
    uint32_t FVAlign = 0;
    bool FSpreadSheet = false;
    bool FURLShow = false;
    bool FURLFull = false;
    bool FAutoThemeAdapt = false;
    bool FShowDesignHelper = true;
    bool FShowColNrs = true;
    int FLastDesignChoice = -1;
    bool FSelHidden = false;
    TGridRect FOldSelection{};
    TExtGridStyle FGridStyle = gsWindowsXP;
    TQelStyle FStyle = tsWindowsXP;
    TOfficeTheme FOldOfficeTheme = otUnknown;
    TColorTones FTones;
    int FHoverFixedX = -1;
    int FHoverFixedY = -1;
    bool FDropDownDown = false;
    bool FMouseDownMove = false;
    bool FMouseDown = false;
    int FSizingLineX = -1;
    int FSizingLineY = -1;
    std::unique_ptr<TBitmap> FRowIndicator = std::make_unique<TBitmap>();
    std::unique_ptr<TBands> FBands = std::make_unique<TBands>();
    std::unique_ptr<TSearchFooter> FSearchFooter = std::make_unique<TSearchFooter>(this, false);
    std::unique_ptr<TPen> FBorderPens[5];

    // -- Messages, focus, scrolling (protected) --
    // The grid's steps of the message flow, then the toolkit's.
    void WindowProcedure(TMessage& Message) override;
    void WMTimer(int Id) override;
    void HandleWMChar(TWMKey& Message) override;
    void DoEnter() override;
    void DoExit() override;
    void WMVScroll(int Code, int Pos) override;
    void WMHScroll(int Code, int Pos) override;
    void TopLeftChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    // The toolkit's layout first (the stretch needs the new client width); then the widths recorded
    // by InitOrigColSizes scaled with ColumnSize.SynchWithGrid, and the stretch column stretched.
    void WMSize() override;
    bool ViewportEvent(QEvent* Event) override;
    // Wheel message of the grid (step 17 of the message flow).
    void WheelMessage(TMessage& Message);
    // The toolkit's wheel handlers: with waScroll or the wheel off only the wheel event answers;
    // else the base grid's step with DirectEdit off, the left column kept under goRowSelect with
    // KeepHorizScroll, and an edit in progress keeps the focus in the grid.
    bool HandleWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool HandleWheelUp(TShiftState Shift, TPoint MousePos) override;
    bool WheelStep(bool Down, TShiftState Shift, TPoint MousePos);
    // Focus: nothing while InvokedFocusChange; else the toolkit's, then with Navigation.AlwaysEdit
    // the editor of an editable visible current cell opens; a merged current cell repaints whole.
    void WMSetFocus() override;
    // Nothing while FBlockKill; else the toolkit's, then a merged current cell repaints whole.
    void WMKillFocus() override;
    // The toolkit's cursor, then the cell's own (DoGetCellCursor) over a cell.
    void WMSetCursor(int X, int Y) override;
    // The toolkit's sizing state; OnColumnSize (OnRowSize) may refuse a column (row) border that
    // lies in the fixed rows (columns).
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                         int& SizingOfs) override;
    void RepaintMergedCurrentCell();
    void StartWheelPan(TPoint At);
    void EndWheelPan();
    void WheelPanStep();
    void GridTimerTick();
    void ScrollHint(bool Vertical, int Code, int Index);
    void CreateScrollControls();
    void FreeScrollControls();
    // Measures a cell's text as the painter lays it out (its font, zoom and markup): (width,
    // height), unbounded, or word-wrapped to the cell's width with Wrapped.
    TPoint MeasureCellText(int RealCol, int ARow, bool Wrapped = false);
    int FitColWidth(int Index, bool GrowOnly);
    // The heights the row sizing gives a row (within the bounds), without writing them: fitting
    // its texts (GrowOnly: never below the current height), or Lines lines of the normal font.
    int FittedRowHeight(int ARow, bool GrowOnly);
    int LinesRowHeight(int ARow, int Lines, int Padding);
    TFont* CellMeasureFont(int ACol, int ARow);
    int LimitToRange(int v, int Min, int Max) const;
    void ForFillArea(bool DoFixed, const std::function<void(int c, int r)>& Fill);
    bool RowFlagSet(int ARow) const;

    int wheelscrl = 3;
    bool wheelpan = false;
    TPoint wheelpanpos;
    int FTimerTicks = 0;
    bool FGridBlink = false;
    int FPaintCount = 0;
    bool FBlockFocus = false;
    bool FBlockKill = false;
    bool FSelChange = false;
    bool FWndCreated = false;
    QChar FStartEditChar;
    TScrollType FScrollType = ssNormal;
    bool FScrollProportional = false;
    bool FIsFlat = false;
    bool FScrollLock = false;
    bool FScrollHintShow = false;
    THTMLHintWindow* FScrollHintWnd = nullptr; // owned by the grid as a component
    TScrollControl* vscrlctrl = nullptr;
    TScrollControl* hscrlctrl = nullptr;
    std::unique_ptr<TTimer> FDragTmr;
    TDragScrollDirection FDragScrollDirection;
    std::unique_ptr<TSyncGrid> FSyncGrid = std::make_unique<TSyncGrid>(this);
    int FOldLeftCol = 1;
    int FOldTopRow = 1;
    std::vector<char> FRowSelect;
    std::vector<char> FColSelect;
    std::vector<int> FSelectedRows;
    std::vector<int64_t> FSelectedCells;
    std::vector<uint8_t> FModifiedRows;
    std::vector<uint8_t> FEnabledRows;
    bool FUseEnabledRows = false;
    bool ColchgFlg = true;
    bool FIsColChanging = false;
    std::vector<int> FOrigColSizes;
    int FOldSize = -1;
    bool FUseHTMLHints = false;

    // -- Rows (protected) --
    // The entry of a hidden real row's cells: the row's stored cells taken out of the store (at least
    // one line per real column); and back into an empty display row.
    TStringList* TakeRowIntoList(int DisplRow);
    void PutListIntoRow(int DisplRow, TStringList* Items);
    // A new entry at the collection's Index (-1: appended), indexed.
    TGridItem* NewHiddenRow(int Index, int Idx, int Height, int Level, TStringList* Items);
    // Frees the entry (its lines' objects are the caller's by then).
    void FreeHiddenRow(TGridItem* Item);
    // Restores the entries in one bottom-up pass and frees them, heights written back with one
    // notification: each at the display place of its real row, or with AtIdx (a filter level) at
    // the display position its Idx holds.
    void RestoreHiddenRows(std::vector<TGridItem*> Items, bool AtIdx = false);
    // The cell controls of real rows from FromRow on move by Delta rows.
    void ShiftCellControlRows(int FromRow, int Delta);
    // Shows or hides the cell controls registered for a real row.
    void ShowCellControlsOfRow(int RealRow, bool Show);
    // Frees the cell objects held by hidden-row entries (the grid is going away).
    void FreeHiddenRowObjects();
    // Takes the store rows From .. From + Count - 1 out to the end of the rows 0 .. End - 1, the last
    // taken first (as Count single deletions leave them); heights leave with them.
    void RemoveStoreRows(int From, int Count, int End);
    // Frees the cell objects of the store rows From .. To and empties them (rows beyond the count
    // about to be shown again).
    void FreeStoreRows(int From, int To);
    // The per-row flag lists (modified, disabled, disjunct selection with its list of selected
    // rows) follow a removal or insertion of RCount rows at RowIndex; each list only when it is in
    // use, and only as far as it reaches.
    void RowListsRemoved(int RowIndex, int RCount, bool Flags, bool Selection);
    void RowListsInserted(int RowIndex, int RCount);
    // The node rows among display rows From .. To (they go with a removal).
    int CountNodeRows(int From, int To);
    // Hides the selection when no data row is left; the next insertion brings it back.
    void HideSelectionOnEmpty();
    // The cell controls of display rows RowIndex .. RowIndex + RCount - 1 hidden and unlisted.
    void DropCellControlsOfRows(int RowIndex, int RCount);

    bool FKeepHiddenIdx = false; // rows hidden or moved, not gone: RemoveRowsEx leaves the entries alone

    // The ctNode object of a display row, or null.
    TCellGraphic* NodeObject(int ARow);
    // The column-0 NodeLevel of a display row (0 without properties).
    int RowLevel(int ARow) const;
    // Expands one node without the ExpandOne rule.
    void ExpandNodeRows(int ARow);
    // The first node row below display row ARow, or RowCount.
    int NextNodeRow(int ARow);

    THiddenRowIndex FHiddenIndex;
    int FFilterLevel = 0;
    int FNumNodes = 0;

    // -- Cell blocks and footer (protected) --
    friend class TFloatingFooter;
    friend class TFooterPanel;
    // Constructor step: the footer settings and the hidden panel at the bottom of the client area.
    void CreateFloatingFooter();
    // RowCount step of a shown footer: the footer row's texts and objects move to the new last row.
    void FooterRowCountChanged(int OldCount);
    // The footer's calculation range: real rows exactly when hidden rows are counted in.
    double FooterColumnCalc(TColumnCalcType Kind, int ACol, int FromRow, int ToRow, bool RealRows);
    bool CalcRangeIsReal(int ToRow) const;
    // Use(text, row) for every row of the range (real rows: hidden ones read from their entries);
    // with Counted covered cells of merged areas are left out.
    template <class F>
    void ForEachCalcRow(int ACol, int FromRow, int ToRow, bool RealRows, bool Counted, F&& Use);
    void NormalRowRange(int& FromRow, int& ToRow) const;
    // The footer panel paints its cells through this.
    void PaintFooterCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    TFooterPanel* FFooterPanel = nullptr; // owned as a component
    std::unique_ptr<THTMLPictureCache> FImageCache = std::make_unique<THTMLPictureCache>();

    // -- Moves (protected) --
    void ColumnMoved(int FromIndex, int ToIndex) override { HandleColumnMoved(FromIndex, ToIndex); }
    void RowMoved(int FromIndex, int ToIndex) override { HandleRowMoved(FromIndex, ToIndex); }
    // Display indexes. The sizes and the per-column tables travel here exactly once; the toolkit's
    // move (which moves only the stored cells) gets the real columns when columns are hidden.
    virtual void HandleColumnMoved(int FromIndex, int ToIndex);
    virtual void HandleRowMoved(int FromIndex, int ToIndex);
    // Entries with index From go to To, those between shift by one (the move rule of the grid).
    static int MovedIndex(int Index, int From, int To);
    // The cell controls follow a move of their column (row) and are placed over their cells again.
    void MoveCellControls(bool Columns, int FromIndex, int ToIndex);
    bool ColMoveFlg = false;


    // -- Editing (protected) --
    friend class TExtInplaceEdit;
    bool CanSelectCell(int ACol, int ARow) override;
    TInplaceEdit* CreateInplaceEditor() override;
    // The cell text (base cell, real column), tags stripped unless EditWithTags; OnGetEditText.
    QString ReadEditText(int ACol, int ARow) override;
    // To the base cell of a merged area, by real column.
    void WriteEditText(int ACol, int ARow, const QString& Value) override;
    // Shows the special editor of the current kind over (ACol, ARow) and stores it back.
    void ShowCellEditor(int ACol, int ARow);
    void EditorToCell(int ACol, int ARow);
    // One row per editor kind: what its show and store do (null: nothing). Later kinds fill theirs.
    struct TEditorKindRow {
        void (*Show)(TExtStringGrid& Grid, int ACol, int ARow, const TRect& R) = nullptr;
        void (*Store)(TExtStringGrid& Grid, int ACol, int ARow) = nullptr;
    };
    static const TEditorKindRow& EditorKindRow(TEditorType Kind);
    // The live write of the default editor's text (EN_CHANGE); True when the message was answered.
    bool EditChangeMessage(TMessage& Message);
    // The invalid-entry balloon on the open editor.
    void ShowInvalidEntryBalloon();
    // Sets the default editor's text without a live write or OnEditChange.
    void SetEditorTextQuiet(const QString& Text);
    bool FEditing = false;
    bool FValidating = false;
    bool FSpecialEditor = false;
    bool FEditActive = false;
    bool FEntered = false;
    bool FShowEditProcess = false;
    bool FNoEditChange = false;
    bool FEditStart = false;
    bool FLastValidation = true;
    bool FGridModified = false;
    bool FForceSel = false;
    bool FDisableChange = false;
    // Set while a refusal hides and reopens the editor: no end is reported, no live write runs.
    bool FReopening = false;
    QString FCellCache;
    QString FNewCellText;
    QString FEditWideText;
    TWinControl* EditCtrl = nullptr;
    int FAECol = 0;
    int FAERow = 0;
    int FLastTabCol = -1;
    int FLastTabRow = -1;
    // The edit was opened by a mouse click (the caret goes under the mouse).
    bool LButFlg = false;
    std::unique_ptr<TStringList> FLookupItems = std::make_unique<TStringList>();


    // -- Cell editors on edit controls (protected) --
    friend class TGridSpin;
    friend class TGridEditBtn;
    friend class TGridUnitEditBtn;
    friend class TGridCheckBox;
    friend class TGridButton;
    friend class TGridDatePicker;
    friend class TGridDateTimePicker;
    friend class TEditLink;
    // Made with the grid (not at design time), owned by it as components.
    void CreateEditControls();
    // Step 8 of the colour tones for these editors (the spin and date editors are made here).
    void ApplyEditorTones(const TColorTones& ATones);
    // The editor-table rows of these kinds (ACol real).
    void ShowSpinEditor(int ACol, int ARow, const TRect& R);
    void StoreSpinEditor(int ACol, int ARow);
    void ShowEditBtnEditor(int ACol, int ARow, const TRect& R);
    void StoreEditBtnEditor(int ACol, int ARow);
    void ShowUnitEditor(int ACol, int ARow, const TRect& R);
    void StoreUnitEditor(int ACol, int ARow);
    void ShowCheckBoxEditor(int ACol, int ARow, const TRect& R);
    void StoreCheckBoxEditor(int ACol, int ARow);
    void ShowButtonEditor(int ACol, int ARow, const TRect& R);
    void StoreButtonEditor(int ACol, int ARow);
    void ShowDateEditor(int ACol, int ARow, const TRect& R);
    void StoreDateEditor(int ACol, int ARow);
    void ShowDateTimeEditor(int ACol, int ARow, const TRect& R);
    void StoreDateTimeEditor(int ACol, int ARow);
    void ShowLinkEditor(int ACol, int ARow, const TRect& R);
    void StoreLinkEditor(int ACol, int ARow);
    // The cell's look for an editor: its brush colour and font (ACol real).
    void EditorLook(int ACol, int ARow, TColor& AColor, TFont& AFont);
    TGridEditBtn* EditBtn = nullptr;
    TGridUnitEditBtn* UnitEditBtn = nullptr;
    TGridCheckBox* EditCheck = nullptr;
    TGridButton* GridButton = nullptr;
    TGridSpin* FEditSpin = nullptr;
    TGridDatePicker* FEditDate = nullptr;
    TGridDateTimePicker* FEditDateTime = nullptr;
    TEditLink* FEditLink = nullptr;
    // The value the date-and-time editor was opened with.
    TDateTime FOriginalDateTime = 0;
    // Esc in a date editor: the store leaves the cell's text as it was.
    bool FDateEditCancelled = false;


    // -- Keyboard and mouse presses (protected) --
    void HandleWMKeyDown(TWMKey& Message) override;
    void HandleWMKeyUp(TWMKey& Message) override;
    void HandleWMLButtonDown(TWMMouse& Message) override;
    void HandleWMLButtonUp(TWMMouse& Message) override;
    void HandleWMLButtonDblClk(TWMMouse& Message) override;
    void HandleWMRButtonDown(TWMMouse& Message) override;
    void HandleWMRButtonUp(TWMMouse& Message) override;
    // Key steps (ExtGrid_Keys.cpp).
    bool KeyHomeEnd(WORD Key, TShiftState Shift, int KeyRow, int SavedLeftCol);
    void KeySkipFixedCells(TWMKey& Message, TShiftState Shift);
    void KeyPostStage(TWMKey& Message, TShiftState Shift);
    // Marks every row from FixedRows inside the selection as selected, the others not.
    void MarkSelectionRows();
    void MarkSelectionCols();
    // Press steps (ExtGrid_Press.cpp).
    bool PressAnchor(int ACol, int ARow, int OrigCol, int OrigRow, int RealCol, const TRect& CR, int X, int Y);
    bool PressCheckBox(int ACol, int ARow, int RealCol, int X, int Y, bool Allowed);
    // The click of a left press without modifiers and its release, as other steps simulate it.
    void SimulateClick(int X, int Y);
    // The sort click of a release in the sort row (ExtGrid_PressSort.cpp).
    void HeaderSortClick(int RCol, TShiftState Shift);
    // The fixed-cell editors come with the form-control editors; until then this only records.
    virtual void ShowFixedCellEditor(TGridFixedCellEditor Kind, const TRect& R, const QString& Value);
    // The form-control editors (edit, password, mask, combo) come later; the press opens them here.
    virtual void ShowCellControlEditor(const QString& Text, const QString& CtrlType, int ARow, int RealCol, int ACol,
                                       const TRect& CtrlRect, const QString& Value, const QString& CtrlID);

    TGridRect FMoveSelection{};
    TPoint FLastKeyCell{-1, -1};
    // Press state, read by the release and by mouse movement.
    bool FDoOnClick = false;
    bool FMouseKeepDown = false;
    bool FSpinUpClick = false;
    bool FSpinDnClick = false;
    bool FSelectionClick = false;
    bool FDeselectState = false;
    TPoint FPushedCellButton{-1, -1};
    TRect FPushedFixedCell{};
    bool FFixedCellPushed = false;
    int Clickposx = 0;
    int Clickposy = 0;
    int Clickposdx = 0;
    int Clickposdy = 0;
    int Movecell = -1;
    int MoveOfsX = 0;
    int MoveOfsY = 0;
    int FMoveColInd = -1;
    int FMoveRowInd = -1;
    TMouseSelectMode FMouseSelectMode = msNormal;
    int FMouseSelectStart = -1;
    bool FSizeFixed = false;
    bool FSizeFixedR = false;
    bool FSizingFixed = false;
    bool FSizingFixedR = false;
    int FSizingFixedCol = -1;
    int FSizingFixedRow = -1;
    int FSizeFixedX = 0;
    int FSizeFixedY = 0;
    TGridRect FDropSelection{};
    bool FMouseResize = false;
    TPoint FCtrlXY{-1, -1};
    bool FCtrlDown = false;
    bool FDblClk = false;
    bool FNoMouseLeave = false;
    int FOldKeepLeftCol = 0;
    int FFixedColEdit = -1;
    int FFixedRowEdit = -1;
    // The fixed-cell editor kind last opened (the editors themselves come later).
    TGridFixedCellEditor FFixedEditKind = fceEdit;
    // The selection when the left button went down: the release reports a change against it.
    TGridRect FPressSelection{};
    bool FPressSelectionValid = false;
    // The real column whose filter list is open; -1 when none.
    int FFilterCol = -1;


    // -- Mouse movement and hints (protected) --
    friend class TGridDropSource;
    // CM_HINTSHOW: GetCellHint fills the record.
    void CMHintShow(TCMHintShow& Message) override;
    // The foundation's drags; a test double replaces them (a drag loop needs a window system).
    virtual HRESULT DoBeginTextDragDrop(TESGDropSource* Source, const QString& Text, const QString& RTF,
                                        TMemoryStream* Stream, DWORD OkEffects, DWORD& Effect);
    virtual HRESULT DoBeginColumnDragDrop(TESGDropSource* Source, int Column, DWORD OkEffects, DWORD& Effect);
    // Steps of HandleMouseMove (ExtGrid_MouseMove*.cpp).
    void HoverSteps(int ACol, int ARow, int X, int Y);
    void HeaderDragSelection(int ACol, int ARow, int Y, bool& ScrolledUp);
    void FixedSizingBorders(int ACol, int ARow, int X, int Y);
    bool InSelectionHandle(int X, int Y);
    // The OLE drag of the selection; false when it did not start (the move goes on as selecting).
    void OleDragStep(TShiftState Shift, int ACol, int ARow, int X, int Y, bool InHandle);
    void EnhancedMoveFeedback(int ACol, int ARow, int X, int Y);
    void DecideSelectMode(int ACol, int ARow, int X, int Y, bool InHandle, bool ScrolledUp, bool& Claimed);
    void LinkSteps(int ACol, int ARow, int X, int Y, bool& Claimed);
    void SizingSteps(int X, int Y);
    // The drag pictures shown without activation: MoveForm at the screen point P.
    void ShowMoveForm(const TGridRect& Cells);
    void PlaceMoveForm(TPoint P);
    THeaderDragButton* NeedMoveButton();
    void HideMoveArrows();
    void FreeMoveForm();
    // Press step: a press on a selected cell that may be dragged out; true when it took the press.
    bool PressOleDragSource(int ACol, int ARow, int RealCol, const TRect& CR, int X, int Y, TShiftState Modifier);
    // Release steps: the sizing hint goes; the end of an enhanced move (true when it ended one:
    // the toolkit's release then moves nothing).
    void ReleaseSizingHint();
    bool EndEnhancedMove(int ACol, int ARow);
    // Balloon.OnEnableChange.
    void BalloonEnableChanged();

    TPoint FHotFixedCell{-1, -1};
    TPoint FHoverCell{-1, -1};
    int FHoverlink = -1;
    QString FAnchor;
    QString FLastAnchorHint;
    bool Invokedchange = false;
    TGridRect FSizeSelection{};
    TPoint FLastHintPos{-1, -1};
    TPoint FLastBalloonPos{-1, -1};
    int FScrollCol = -1;
    int FScrollRow = -1;
    bool FSyncedMove = false;
    std::unique_ptr<TDragDropSettings> FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    TBalloonWindow* FBalloonWnd = nullptr; // owned by the grid as a component
    bool FBalloonInit = false;
    THeaderDragButton* FMoveButton = nullptr; // owned by the grid as a component
    TForm* FMoveForm = nullptr;               // owned by the grid as a component
    std::array<TArrowWindow*, 4> FArrows{};   // owned by the grid as components


    // -- Combo cells (protected) --
    friend class TGridCombo;
    template <class> friend class TGridEditorWrapper;
    TGridCombo* EditCombo = nullptr;
    void CreateComboEditor();
    // The two editor-table rows of the combo kinds (ACol real).
    void ShowComboEditor(int ACol, int ARow, const TRect& R);
    void StoreComboEditor(int ACol, int ARow);
    // The combo editor's notifications to the grid (selection, edit change, close-up, drop-down);
    // True when the message was answered.
    bool ComboMessage(TMessage& Message);


    // -- Form-control, fixed-cell and rich-text editors (protected) --
    friend class TExtRichEdit;
    friend class TControlEdit;
    friend class TControlCombo;
    friend bool StopFixedCellEdit(TExtStringGrid*, TWinControl*, int, int, const QString&);
    // Constructor step: the control and fixed-cell editors, hidden.
    void CreateCellControlEditors();
    void GotoCheckedCell(int ACol, int ARow);
    // The fixed-cell editors' change: OnEditChange for the fixed cell.
    void FixedCellEditChange(const QString& Text);
    TExtRichEdit* ReadRichEdit();
    TExtRichEdit* ReadInplaceRichEdit();
    // The edRichEdit rows of the editor table (ACol real).
    void ShowRichEditor(int ACol, int ARow, const TRect& R);
    void StoreRichEditor(int ACol, int ARow);
    // The rich-text step of GetCellTextSize: the size the cell's content needs in R.
    TSize RichCellTextSize(int ACol, int ARow, const TRect& R);
    // The plain text of a rich-text cell text, through the hidden rich edit.
    QString RichCellPlainText(const QString& Text);
    TControlEdit* FEditControl = nullptr;
    TControlCombo* FComboControl = nullptr;
    TExtRichEdit* FRichEdit = nullptr;
    TExtRichEdit* FInplaceRichEdit = nullptr;
    QString FCtrlID;
    QString FCtrlType;
    bool FCtrlEditing = false;


    // -- Filtering and grouping (protected) --
    // A header row's column 1 shows its group's row count with ShowGroupCount; then the base's event.
    void GetDisplText(int ACol, int ARow, QString& Value) override;
    // The two filter lists, hidden children of the grid (a constructor step).
    void CreateFilterLists();
    // A choice string split at its first "=" (both parts the whole string without one).
    static void SplitFilterChoice(const QString& Choice, QString& FriendlyName, QString& Condition);
    // The text RowMatchesFilter tests for one item.
    QString FilterCellText(const TFilterData* Item, int ARow);
    // The header look on a header (summary) row without merging, or on its merged cell.
    void ColorGroupRow(int ARow, bool Header);
    void MergeGroupRow(int ARow, bool Header, int FromCol);
    void ResetGroupRowColors(int ARow, bool Header);
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    TDropList* FDropList = nullptr;           // owned as a child control
    TDropCheckList* FDropCheckList = nullptr; // owned as a child control
    int FFilterDropDownRow = 0;
    bool FFilterActive = false;
    int FFilterFixedRows = 0;
    QString FLastFilter;
    int FGroupWidth = 0;
    QString FGroupCaption;
    QString FGroupFooter;
    bool FIsGrouping = false;


    // -- Find and search footer (protected) --
    // The scan of Find and FindWide (Wide: the decoded texts, no scrolling step).
    TPoint FindScan(TPoint StartCell, const QString& s, TFindParams FindParams, bool Wide);
    // Marks (Unmark: unmarks) with Tag every base cell of columns C1 .. C2 in rows R1 .. R2.
    void MarkBlock(int C1, int R1, int C2, int R2, bool DoCase, const QString& HiText, const QString& Tag);
    void UnmarkBlock(int C1, int R1, int C2, int R2, const QString& Tag);
    // A constructor step: the panel, its five handlers, the footer's change handler.
    void CreateSearchPanel();
    // The footer's settings onto the panel.
    void SearchFooterChanged();
    // The find options of the footer's handlers: 0 edit change, 1 find next, 2 find previous.
    TFindParams SearchFooterParams(int Which);
    void SearchFooterStep(bool Backward);
    void SearchFooterRemoveHighlights();
    void SearchFooterHighlightAll();
    // The scroll step after a footer search: TopRow + 2 when the current row sits on the last rows.
    void SearchFooterTopRowStep();
    // Ctrl+F: the footer's edit takes the focus.
    void SearchFooterFocusEdit();
    // With the footer shown and room above it: TopRow grows while the last row ends below the panel's
    // top (2 pixels of slack); it stops when TopRow cannot grow.
    void KeepLastRowClearOfSearchFooter();
    TPoint SearchCell{-1, -1};
    TFindParams FFindParams;
    QString SearchCache;
    QString SearchCacheWide;
    int FFindCol = 0;
    int FFindRow = 0;
    TColor FHighlightColor = clHighlight;
    TColor FHighlightTextColor = clHighlightText;
    // Owned by the grid as its component.
    TSearchPanel* FSearchPanel = nullptr;


    // -- Text files (protected) --
    // Fires OnFileProgress when Percent differs from the last one fired (Last).
    void FileProgress(int Percent, int& Last);
    // The rows between the fixed top and footer rows and the file writer shared by save and append.
    void OutputToCSV(const QString& FileName, bool Append, bool Unicode);
    void ReadCSVStream(TStream* Stream, bool Insert, int MaxRows);
    void OutputToASCII(const QString& FileName, bool Append, bool Unicode);
    struct TXMLReadState;
    void ParseXMLNode(const class TXmlNode& Node, TXMLReadState& St);


    // -- Binary cell stream, HTML export, automation (protected) --
    void OutputToHTML(const QString& FileName, bool Append, bool Unicode, bool Show);
    // Writes the graphic as dir + "images/img" n ".jpg" (n from FHTMLImageNo, which advances) and
    // answers its img tag.
    QString ExportCellImage(const TGraphic* Graphic, const TPicture* Picture, const QString& dir);
    QString HTMLCellText(int ACol, int ARow, bool Header, const QString& dir);
    QString CellStyleText(const TFont* AFont, const TBrush* ABrush, TAlignment HA, TVAlignment VA) const;
    void ExportXLS(const QString& FileName, const QString& SheetName, bool CreateNewSheet);
    void ImportXLS(const QString& FileName, const QString& SheetName);
    void ExportDOC(const QString& FileName, const QString& Bookmark, bool Append, bool CreateNewDocument);
    std::unique_ptr<THTMLSettings> FHTMLSettings = std::make_unique<THTMLSettings>();
    int FHTMLImageNo = 0;
    int FBinStreamID = 0;


    // -- Clipboard and drag and drop (protected) --
    friend class TGridDropTarget;
    friend class TDragDropSettings;
    // Creates and registers (Value) or revokes the drop target.
    void ApplyOleDropTarget(bool Value);
    // Editing possible for a paste: goEditing, AllowClipboardAlways or RangeSelectAndEdit.
    bool PasteEditing();
    // The text the smart fill writes into a cell from the top-left cell's new value.
    void SmartFill(const TGridRect& Sel, int Pasted, int Lines, int Fields);
    TPoint FClipTopLeft{-1, -1};
    TClipOperation FClipLastOp = coCopy;
    // Paste-all mode: PasteFromClipboard's notifications (1 per line) instead of the selection's (3).
    bool FPasteAll = false;
    ComPtr<IDropTarget> FGridDropTarget;
    bool FOleDropTargetRegistered = false;
    int FOleDragCol = -1;
    int FOleDragIndex = -1;
    TListBox* FOleDragList = nullptr;



    // -- Printing (protected) --
    friend class TPrintLayout;
    enum TPrintMode { pmPrintPreview = 0, pmPrintDraw = 1, pmCountPrint = 2, pmCountPreview = 3 };
    void PrintJob(const TGridRect& Range, bool SelectedOnly);
    void PrintPreviewJob(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Range, bool SelectedOnly);
    // The layout run: the number of pages.
    int PrintLayout(TCanvas* Canvas, TPrintMode Mode, bool SelectedOnly, int TotalPages, TPrinter* APrinter);
    std::unique_ptr<TPrintSettings> FPrintSettings = std::make_unique<TPrintSettings>(this);
    TGridRect FPrintRect;
    int FPrintPageWidth = 0;
    TRect FPrintPageRect;
    int FPrintColStart = 0;
    int FPrintColEnd = 0;
    // A preview draws page 1 until PreviewPage or a print job sets the range.
    int FPrintPageFrom = 1;
    int FPrintPageTo = 1;
    int FPrintPageNum = 0;
    bool FIsPrintPreview = false;


    // -- Printed cells, column layout and settings files (protected) --
    bool FURLShowInText = false;



    // -- Sorting (protected) --
    friend class TSortSettings;
    struct TSortScope;
    // 1, 0 or -1: positive when the first cell sorts after the second in ascending order.
    int CompareCells(int ACol, int ARow1, int ARow2, bool Descending);
    int CompareRows(int ACol, int ARow1, int ARow2);
    int CompareRowsIndexed(int Index, int ARow1, int ARow2);
    void QuickSortRows(int ACol, int Left, int Right);
    void QuickSortRowsIndexed(int Left, int Right);
    void UnSortRows(int Left, int Right);
    void QSortGroupRows(bool Indexed);
    // The quick sort's pivot row copied into the scratch row RowCount - 2.
    void CopySortPivot(int ARow);
    // The partition shared by both quick sorts; Compare(r1, r2) gives the row comparison.
    template <class F> void QuickSortRange(int Left, int Right, int Target, F&& Compare);
    std::unique_ptr<TSortSettings> FSortSettings = std::make_unique<TSortSettings>(this);
    std::unique_ptr<TSortIndexList> FSortIndexes = std::make_unique<TSortIndexList>();
    std::unique_ptr<TIntList> FIgnoreColumns = std::make_unique<TIntList>(-1, -1);
    std::unique_ptr<TIntList> FUnSortRowXRef = std::make_unique<TIntList>(0, 0);
    int SortDir = 1;
    int SortRow = 0;
    // The real columns a row comparison runs through (ColCount with the hidden columns counted in).
    int FSortColLimit = 0;
    // Set while a wrapper sorts: row heights are written straight and announced once at the end.
    int FSorting = 0;
    bool FSortHeightsMoved = false;


    // -- Cell objects (protected) --
    // The in-place editor's length limit: MaxEditLength.
    int ReadEditLimit() override;
    // The edit mask: EditMask, then OnGetEditMask may change it.
    QString ReadEditMask(int ACol, int ARow) override;
    // The header lists and their change handlers (a constructor step).
    void InitCellObjects();
    // The graphic object of a cell by real column and real row (hidden rows from their entries).
    TCellGraphic* RealRowCellGraphic(int ACol, int ARow);
    // Raises "Invalid cell" outside the real columns and rows.
    void CheckCellIndex(int ACol, int ARow) const;
    TCellVAlign CheckVAlign() const;
    void CellImagesChanged(TObject* Sender, int ACol, int ARow);
    // A change of ColumnHeaders: the column grid copies the strings into its columns.
    virtual void ColumnHeadersChanged() {}
    std::unique_ptr<TCellGraphic> FCellGraphic = std::make_unique<TCellGraphic>();
    std::unique_ptr<TStringList> FColumnHeaders;
    std::unique_ptr<TStringList> FRowHeaders;
};
