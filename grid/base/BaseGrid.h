// TBaseGrid: the lowest layer of the grid family, under the string grid and the column grid.
//
// On top of the toolkit string grid it adds:
//   - cell access by real column (Cells) that follows merged areas to their base cell and passes the
//     text through the display hooks; GridCells/GridObjects stay the raw toolkit store;
//   - a TCellProperties per cell, created on first use in the cell's object slot (owned there);
//   - merged cells, with rectangles, keys and wheel that follow the areas;
//   - its own cell painter, PaintCellCore, and the link to an undo list (VIvoDediZudaZove).
// The derived grids override the virtuals below to supply hidden columns, fixed cells, node rows and
// the full cell look. Cells, Objects and CellRect hide the toolkit's non-virtual ones on purpose: the
// toolkit's own code (its editor, its paint loop) keeps the plain meaning.
//
// Index rules of every cell access: a negative row raises EListError "List index out of bounds (n)";
// so does a negative column on a write or on a read of a row that holds cells. Cells at or beyond the
// counts are stored and read back, and count as plain, unmerged cells without properties.
#pragma once

#include "grid/base/CellProperties.h"
#include "grid/base/GridTypes.h"
#include "platform/grid/StringGrid.h"

class VIvoDediZudaZove;

// Defaults of the base grid.
constexpr int BaseGridLineWidth = 1;
constexpr TColor BaseGridLineColor = 0xC0C0C0;
constexpr TColor BaseGridFixedLineColor = 0x808080;
constexpr TColor BaseActiveRowColor = clInfoBk;
constexpr TColor BaseHoverRowColor = clInfoBk;
constexpr int BaseGradientSteps = 64;

// The toolkit string grid under the base grid (nothing of its own).
class TObjStringGrid : public TStringGrid
{
  public:
    explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};

class TBaseGrid : public TObjStringGrid
{
    friend class TCellProperties;

  public:
    explicit TBaseGrid(TComponent* AOwner);
    // Frees every TCellProperties still held in any slot (beyond the counts too, each object once)
    // and their TCellGraphic graphic objects.
    ~TBaseGrid() override;

    // -- Cells by real column --
    // Read: the base cell's text; for rows below FNormalRowCount through GetDisplText and, when
    // OnGetDisplWideText is assigned, GetDisplWideText (decoded and encoded again).
    QString GetCellEx(int c, int r);
    // Write: a cell with properties writes its base cell, calls BaseCellChanged and repaints (with a
    // parent); others write the store. Then LastRowChanged when the hidden last row was written.
    void SetCellEx(int c, int r, const QString& Value);
    QString Cells(int c, int r) { return GetCellEx(c, r); }
    void SetCells(int c, int r, const QString& Value) { SetCellEx(c, r, Value); }

    // The user's object of the cell; none without properties.
    TObject* GetObjectEx(int c, int r) const;
    // Stores Value in the cell's properties (created). An empty cell is written " " first and ""
    // afterwards, both through SetCellEx.
    void SetObjectEx(int c, int r, TObject* Value);
    TObject* Objects(int c, int r) const { return GetObjectEx(c, r); }
    void SetObjects(int c, int r, TObject* Value) { SetObjectEx(c, r, Value); }
    TObject* GetGraphicObjectEx(int c, int r) const;
    // As SetObjectEx for the graphic object (an earlier one is not freed); nothing while destroying.
    void SetGraphicObjectEx(int c, int r, TObject* Value);
    TObject* GraphicObjects(int c, int r) const { return GetGraphicObjectEx(c, r); }
    void SetGraphicObjects(int c, int r, TObject* Value) { SetGraphicObjectEx(c, r, Value); }
    static TObject* GraphicObjectOf(const TCellProperties* Props);

    // The cell's properties, created on first use with the look GetCellDrawProps gives.
    TCellProperties* GetCellProperties(int c, int r);
    TCellProperties* CellProperties(int c, int r) { return GetCellProperties(c, r); }
    // Frees the old object in the slot and stores Value (the grid owns it; may be null).
    void SetCellProperties(int c, int r, TCellProperties* Value);
    // 0 <= c < TotalColCount, 0 <= r < RowCount and the slot holds a TCellProperties (an object of
    // another class put into the slot through the toolkit counts as none).
    bool HasCellProperties(int c, int r) const;

    // The raw toolkit store: no merging, no hooks, no property objects. A GridObjects write frees
    // nothing: the caller owns a property object it replaces.
    QString GetGridCell(int c, int r) const { return TStringGrid::Cells(c, r); }
    void SetGridCell(int c, int r, const QString& Value) { TStringGrid::SetCells(c, r, Value); }
    TObject* GetGridObject(int c, int r) const { return TStringGrid::Objects(c, r); }
    void SetGridObject(int c, int r, TObject* Value) { TStringGrid::SetObjects(c, r, Value); }
    QString GridCells(int c, int r) const { return GetGridCell(c, r); }
    void SetGridCells(int c, int r, const QString& Value) { SetGridCell(c, r, Value); }
    TObject* GridObjects(int c, int r) const { return GetGridObject(c, r); }
    void SetGridObjects(int c, int r, TObject* Value) { SetGridObject(c, r, Value); }

    // Empty the object slots of a column (rows 0 .. RowCount - 1) or a row (columns 0 .. ColCount - 1),
    // then the texts through SetCellEx. The property objects are detached, not freed: the caller owns
    // them from then on.
    void ClearColCells(int ACol);
    void ClearRowCells(int ARow);
    // SetCellEx with "" (a merged cell empties its base), then the slot is emptied; the caller owns
    // the detached property object.
    void ClearCellAndObject(int c, int r);
    // Frees the cell's property object (not its graphic object) and empties the slot.
    void FreeCellProps(int c, int r);
    // Frees the property objects of the block (and graphic objects of class TCellGraphic), column by
    // column; nothing when no property object was ever created.
    void FreeCellPropsRect(int FromCol, int FromRow, int ToCol, int ToRow);

    // Invalidates the cell's rectangle (the whole area of a merged cell).
    void RepaintCell(int c, int r);

    // -- Merged cells (see CellProperties.h for the encoding) --
    virtual void MergeCells(int c, int r, int spanx, int spany);
    virtual void SplitCells(int c, int r);
    TPoint BaseCell(int ACol, int ARow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    // True for a plain cell and a base cell; False for a covered one, with its base in BaseCol/Row.
    bool FindBaseCell(int c, int r, int& BaseCol, int& BaseRow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsMergedNonBaseCell(int ACol, int ARow) const;
    // The base cell's span is above 0 (its property object is created if missing).
    bool IsXMergedCell(int ACol, int ARow);
    bool IsYMergedCell(int ACol, int ARow);
    // The base's spans; (0, 0) unless both spans of the cell are set.
    TPoint CellSpan(int ACol, int ARow) const;
    // From the cell to the far corner of its area; (0, 0) under the same condition.
    TPoint CellExt(int ACol, int ARow) const;
    // Cell coordinates of the area (a plain cell: itself).
    TGridRect FullCell(int c, int r) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    // Whether two rows (columns) are merged alike: at least one column (row) merges vertically
    // (horizontally) in both, and wherever both do, with the same base row (column).
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    // The client rectangle of any cell, shown or not; columns and rows at or beyond the counts are
    // 0 wide or high.
    TRect CalcCellRect(int c, int r) const;
    // A merged cell: its whole area; a cell holding a Control: CalcCellRect; else the toolkit's left
    // and top with the cell's size (a cell out of view gives (0, 0, width, height)).
    TRect CellRect(int c, int r) const;
    TPoint CellSize(int c, int r) const;
    // The current cell moves to the base of its area.
    void MoveToBaseCell();

    // -- Painting --
    // The one cell painter; OnGrid is false for painting outside the grid (no area, no fixed look,
    // no content). Steps, in order: hidden last row; covered cell (paints its area once per pass);
    // fixed look; area rectangle; clip against the fixed cells; look from GetVisualProperties; hover
    // row; active row; background (styled selection or gradient); grid lines; DrawCellContent; clip
    // removed.
    void PaintCellCore(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState, bool OnGrid);
    void PaintCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    void PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);

    // -- Virtuals of the derived grids --
    virtual bool IsFixed(int ACol, int ARow);
    virtual int GetNodeIndent(int ARow);
    virtual bool HasNodes();
    virtual int TotalColCount() const { return ColCount(); }
    virtual int DisplColIndex(int ACol) const { return ACol; }

    // -- Properties --
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor Value);
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool Value);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor Value);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor Value);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor Value);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor Value);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle Value);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    // The list's Grid becomes this grid; either side forgets the other when it goes away.
    VIvoDediZudaZove* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(VIvoDediZudaZove* Value);

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

  protected:
    // -- Toolkit overrides --
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The toolkit's paint, then the next paint pass.
    void Paint() override;
    // Only calls DrawGridCell.
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    // Repaints the old current cell, lets the toolkit decide, repaints the new one (right to left:
    // the whole grid).
    bool CanSelectCell(int ACol, int ARow) override;
    // Repaints the merged cells of the fixed columns and rows, so areas reaching into the scrolled
    // part are drawn whole.
    void TopLeftChanged() override;
    bool HandleWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool HandleWheelUp(TShiftState Shift, TPoint MousePos) override;

  public:
    // PgDn past a hidden last row and the arrows out of a merged area, then the toolkit's step,
    // then MoveToBaseCell.
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;

  protected:
    // -- New virtuals --
    // PaintCellCore on the grid's canvas.
    virtual void DrawGridCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // Base: the cell text, one line, centred.
    virtual void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual void LastRowChanged() {}
    virtual void GetDisplText(int ACol, int ARow, QString& Value);
    virtual void GetDisplWideText(int ACol, int ARow, QString& Value);
    // The look of a new TCellProperties: the grid's font and colour, no gradient, left and top.
    virtual void GetCellDrawProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                  TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                  TVAlignment& VAlign, bool& WordWrap, TCellGradientDirection& GradientDir);
    virtual void BaseCellChanged(int /*ACol*/, int /*ARow*/) {}
    virtual bool HasCellBorderHook() { return false; }
    virtual bool UsesStyleHooks() { return false; }
    // Base: changes nothing.
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                     bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD);

    // Frees one property object and, when it is of class TCellGraphic, its graphic object.
    static void FreePropsAndGraphic(TCellProperties* Props);
    // The slot's property object, or null (empty slot or an object of another class).
    TCellProperties* SlotProps(int c, int r) const;
    // SlotProps within TotalColCount x RowCount.
    TCellProperties* GridProps(int c, int r) const;

    bool FDefaultDrawing = false;
    int FGridLineWidth = BaseGridLineWidth;
    TColor FGridLineColor = BaseGridLineColor;
    TColor FGridFixedLineColor = BaseGridFixedLineColor;
    int FPaintID = 1;
    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    VIvoDediZudaZove* FUndoRedo = nullptr;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = BaseActiveRowColor;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    int FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{hcNormal, hcSelected};
    TColor FHoverRowColor = BaseHoverRowColor;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    int FMergeCount = 0;

  private:
    // A new property object in the slot with the look GetCellDrawProps gives.
    TCellProperties* CreateCellProperties(int c, int r);
    // Writes " " into an empty cell, runs Store, then writes "" back.
    template <class F> void WithBlankCell(int c, int r, F Store);
    // Stores a changed value and repaints the grid.
    template <class T> void SetRepainting(T& Field, T Value);
};
