// A string grid on a shown offscreen form, built in the loading bracket, for the block, calculation and
// footer tests.
#pragma once

#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace opstest
{

// Opens the flags the grid's own operations set, and records the footer's cell painting.
class TOpsGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::TExtStringGrid;
    void SetNilObjects(bool Value) { FNilObjects = Value; }
    bool HasCellProps() const { return FHasCellProps; }

    struct TPaintedCell {
        int Col, Row;
        TRect Rect;
        TGridDrawState State;
    };
    std::vector<TPaintedCell> Painted;
    bool RecordPaint = false;

  protected:
    void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        if (RecordPaint)
            Painted.push_back({ACol, ARow, ARect, AState});
        TExtStringGrid::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
    }
};

class OpsGridTest : public GridOnForm<TOpsGrid>
{
  protected:
    void SetUp() override { ShowForm(700, 500); }
    // Column ACol from row FixedRows on holds the texts; RowCount fits them (plus Extra rows).
    void FillColumn(TOpsGrid* g, int ACol, std::initializer_list<QString> Texts, int Extra = 0)
    {
        g->SetRowCount(g->FixedRows() + int(Texts.size()) + Extra);
        int r = g->FixedRows();
        for (const QString& t : Texts)
            g->SetCells(ACol, r++, t);
    }
};

} // namespace opstest
