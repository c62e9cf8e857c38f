// TCellProperties: the per-cell record of the base grid (grid/base/BaseGrid.h).
//
// The grid creates one on first use of a cell (CellProperties, Objects, GraphicObjects, a merge) and
// keeps it in the cell's object slot of the toolkit store, where the grid owns it. It holds the cell's
// look (colours, font, alignment), its merge encoding, its editor kind, the user's own object and the
// cell's graphic object. The merge encoding:
//   plain cell            IsBaseCell True,  spans -1, -1
//   base of a W x H area  IsBaseCell True,  spans W - 1, H - 1
//   covered cell          IsBaseCell False, spans = offset back to the base (column, row)
//
// Writing BrushColor, BrushColorTo, VAlignment or WordWrap repaints the owner cell; every other write
// only stores. The grid never dereferences or frees CellObject (forms keep integers there), CalcObject
// or Control; the graphic object is freed only by the grid's FreeCellPropsRect (and its destructor),
// and only when its class is TCellGraphic.
#pragma once

#include "grid/base/GridTypes.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/Canvas.h"

class TBaseGrid;

// Values of a new property object.
constexpr int CellSpanNone = -1;

class TCellProperties : public TPersistent
{
  public:
    // Marks the grid as having property objects; WordWrap starts as the grid's.
    TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);

    // Copies IsBaseCell, the spans, OwnerRow, OwnerCol, CellObject, Alignment, BorderColor,
    // BorderWidth, BrushColor, BrushStyle, the font fields, ReadOnly, Editor, VAlignment, WordWrap,
    // NodeLevel and Control, without repainting. Not the grid, the graphic object, BrushColorTo,
    // GradientDirection, the paint pass or the calculation.
    void Assign(const TPersistent* Source) override;

    // The base cell of (c, r) as this cell's encoding gives it: (c - span X, r - span Y) for a
    // covered cell, else (c, r). Works from the coordinates given, not from OwnerCol/OwnerRow.
    void GetBaseCell(int c, int r, int& BaseCol, int& BaseRow) const;
    TPoint BaseCell(int c, int r) const
    {
        TPoint p;
        GetBaseCell(c, r, p.X, p.Y);
        return p;
    }

    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
    int OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int Value) { FOwnerCol = Value; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int Value) { FOwnerRow = Value; }

    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
    int CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int Value) { FCellSpanX = Value; }
    int CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(int Value) { FCellSpanY = Value; }

    TObject* CellObject() const { return FObject; }
    void SetCellObject(TObject* Value) { FObject = Value; }
    TObject* GraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor Value);
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }

    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }

    QString FontName() const { return FFontName; }
    void SetFontName(const QString& Value) { FFontName = Value; }
    int FontSize() const { return FFontSize; }
    void SetFontSize(int Value) { FFontSize = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }

    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value) { FEditor = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int Value) { FNodeLevel = Value; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
    TObject* CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* Value) { FCalcObject = Value; }

    // Paint pass in which the area was last painted on behalf of a covered cell.
    int PaintID() const { return FPaintID; }
    void SetPaintID(int Value) { FPaintID = Value; }

  private:
    void RepaintOwner();

    TBaseGrid* FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    TObject* FObject = nullptr;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    int FFontSize = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle = 0;
    int FCellSpanY = CellSpanNone;
    int FCellSpanX = CellSpanNone;
    int FBorderWidth = 0;
    TColor FBorderColor = clBlack;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintID = 0;
    bool FWordWrap;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    QString FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    TControl* FControl = nullptr;
};
