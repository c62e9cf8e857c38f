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
#include "grid/base/CellText.h"
#include "grid/base/GridLists.h"
#include "grid/base/GridSettings.h"
#include "grid/base/Looks.h"
#include "platform/controls/LayeredWindows.h"
#include "grid/core/ExtGridEvents.h"
#include "grid/core/ExtGridSettings.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/StringList.h"

#include <array>
#include <memory>
#include <vector>

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
    std::array<int, ColumnTableSize> MaxWidths{};
    std::array<int, ColumnTableSize> Indents{};
    // ACol outside 0 .. 511 raises EExtGridError.
    int PrintColWidth(int ACol) const;
    int PrintColOffset(int ACol) const;

    // -- Wide texts: the cell text with a wide-text escape decoded; writes store the text as given --
    QString WideCells(int c, int r) { return DecodeWideText(Cells(c, r)); }
    void SetWideCells(int c, int r, const QString& Value) { SetCells(c, r, Value); }
    QString AllWideCells(int c, int r) { return DecodeWideText(AllCells(c, r)); }
    void SetAllWideCells(int c, int r, const QString& Value) { SetAllCells(c, r, Value); }

    // -- Lifecycle --
    // Copies the settings of another string grid, then its cells (AssignCells); any other source
    // class: nothing.
    void Assign(const TPersistent* Source) override;
    // The cells of another string grid, every real column and row; any other source: nothing.
    virtual void AssignCells(const TPersistent* Source);
    // Swallows exactly one call after an editor change set FEditChange; otherwise repaints.
    virtual void Invalidate();
    void RepaintGrid() { Invalidate(); }
    // With IntegralHeight the height shrinks to whole rows (border and a needed horizontal bar
    // counted); then the toolkit's bounds.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
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
    virtual QString GetFormattedCell(int ACol, int ARow);
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
    int FilterDropDownRow = 0;
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
    TAlignment DefaultAlignment = taLeftJustify;

    // -- Window messages, focus, scrolling, selection, fills, sizing, window creation --

    // -- Rows: hiding, tree nodes, insertion, removal, moves --

    // -- Cell blocks, column calculations, floating footer --

    // -- Column and row moves with their data (column grid) --

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
    // The cell graphic step over R; R takes back what the step leaves. Cell objects draw here.
    virtual void DrawCellGraphic(TCanvas* ACanvas, int C, int ARow, TRect& R, TGridDrawState AState);
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

    // -- Rows (protected) --

    // -- Cell blocks and footer (protected) --

    // -- Moves (protected) --
};
