// The floating footer of the string grid: a strip docked at the bottom of the grid's client area that
// stays in place while the rows scroll. TFloatingFooter holds the settings (the grid's FloatingFooter),
// TFooterPanel is the window that paints them.
//
// What the strip shows depends on FooterStyle:
//   fsFixedLastRow   the grid's last row under the grid's columns; the grid stops painting that row
//                    (HideLastRow) and counts it as a fixed footer row; its cells with a CalcType are
//                    recalculated by CalcFooter;
//   fsColumnPreview  the current row's cell of column Column over the whole footer width;
//   fsCustomPreview  CustomTemplate with its "<#N>" tags replaced by the current row's cells, as mini-HTML;
//   fsCustomPaint    whatever the grid's OnFooterPaint draws.
#pragma once

#include "grid/base/GridTypes.h"
#include "grid/base/HtmlPicture.h"
#include "grid/core/ExtGridEvents.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Hints.h"

class TExtStringGrid;

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

constexpr TColor FloatingFooterDefaultColor = clBtnFace;

class TFloatingFooter : public TPersistent
{
  public:
    explicit TFloatingFooter(TExtStringGrid* AGrid) : FGrid(AGrid) {}

    // Write: the panel is shown FooterHeight - 1 high (or 0), the grid's FixedFooters becomes 1 for a
    // shown fsFixedLastRow footer (else 0), HideLastRow follows, the grid repaints.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Write: HideLastRow follows (FixedFooters stays as the last Visible write left it).
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    int Column() const { return FColumn; }
    void SetColumn(int Value);
    QString CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const QString& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    // Kept in step with the grid's DefaultRowHeight; the panel is one pixel lower.
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    bool CalculateHiddenRows = true;
    bool EnableCalculation = true;
    // Asked for acCUSTOM footer cells when the grid's OnFooterCalc is not assigned.
    TCalcFooterEvent OnCalcFooter;

    // The CalcType of the footer cell (c, RowCount - 1): reading creates nothing; writing creates the
    // cell's properties and recalculates the column. Columns outside 0 .. AllColCount - 1: acNONE,
    // nothing written.
    TColumnCalcType ColumnCalc(int c) const;
    void SetColumnCalc(int c, TColumnCalcType Value);

    // From another TFloatingFooter; other sources are ignored.
    void Assign(const TPersistent* Source) override;
    // Repaints the panel.
    void Invalidate();

  private:
    TExtStringGrid* FGrid;
    bool FVisible = false;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    int FColumn = 0;
    QString FCustomTemplate;
    TColor FColor = FloatingFooterDefaultColor;
    TColor FBorderColor = clNone;
    bool FShowHint = false;
    int FHeight = 0;
};

// The footer strip's window. Paint runs the painter of the footer style, which returns the painted
// width; a BorderColor line is drawn over that width only. A release over a column fires the grid's
// OnClick, then OnClickCell(grid, RowCount - 1, column); the hint request asks OnGridHint for the
// column under the mouse.
class TFooterPanel : public TPanel
{
  public:
    explicit TFooterPanel(TExtStringGrid* AGrid);

    // The column at client x, as the footer lays the columns out from LeftCol; -1 for none.
    int ColumnAt(int X) const;
    // The footer area's width: the fixed columns and LeftCol .. ColCount - 1.
    int FooterWidth() const;
    int LastHintColumn() const { return FLastHintX; }

  protected:
    // The window comes to be (its first show): the panel takes the footer's height and the grid's
    // OnCreatedFloatingFooter fires.
    void CreateWnd() override;
    // The cells are painted with the grid's NoRTLOrientation on (the rectangles come mirrored); the
    // two preview styles paint with a black SelectionTextColor. Both are restored, also when a
    // handler raises.
    void Paint() override;
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseLeave() override;
    bool WidgetEvent(QEvent* Event, TControlWidgetLink& Link) override;
    // The hint asked for while the mouse rests: the column's text from OnGridHint.
    virtual void CMHintShow(TCMHintShow& Message);

  private:
    // The four painters; each returns the width it painted.
    int PaintFixedLastRow();
    int PaintColumnPreview();
    int PaintCustomPreview();
    int PaintCustomPaint();
    // The area left of the footer width (right of it for right-to-left) filled and framed as the two
    // preview styles show it; the rest of the panel in the grid's colour.
    TRect PaintPreviewFrame(int Width);
    // Left and right taken from the client's right edge in right-to-left mode.
    TRect Mirrored(TRect R) const;
    bool RightToLeft() const;

    TExtStringGrid* FGrid;
    int FLastHintX = -1;
};

// The footer template with every "<#N>" replaced by Cells[N, Row] of the grid's current row (empty
// for a column beyond the grid or a negative one); a tag that is no number disappears. An "<#" with no
// ">" after it is kept literally with the rest of the template.
QString ExpandFooterTemplate(TExtStringGrid* Grid, const QString& Template);
