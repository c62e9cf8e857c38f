// What the grid benchmarks share: 100,000 x 20 cells in an 800 x 600 shown window, once in one of
// our grids and once in a QTableWidget holding the same texts (the baseline of the same run).
#pragma once

#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QTableWidget>
#include <memory>

namespace benchgrids
{

constexpr int Rows = 100000;
constexpr int Cols = 20;
constexpr int ClientWidth = 800;
constexpr int ClientHeight = 600;

using TCellText = QString (*)(int ACol, int ARow);

// The default texts: r x 20 + c.
inline QString NumberText(int ACol, int ARow)
{
    return QString::number(ARow * Cols + ACol);
}

// Sizes a grid the caller has set up (columns, look, fixed cells), fills it inside the update lock
// and shows it.
template <class G> void FillAndShow(G& Grid, TCellText Text = NumberText)
{
    Grid.SetColCount(Cols);
    Grid.SetRowCount(Rows);
    Grid.SetBounds(0, 0, ClientWidth, ClientHeight);
    Grid.BeginUpdate();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            Grid.SetCells(c, r, Text(c, r));
    Grid.EndUpdate();
    Grid.Widget()->show();
    QApplication::processEvents();
}

inline std::unique_ptr<TExtStringGrid> ShownGrid(TCellText Text = NumberText)
{
    auto grid = std::make_unique<TExtStringGrid>(nullptr);
    FillAndShow(*grid, Text);
    return grid;
}

inline std::unique_ptr<QTableWidget> ShownTable(TCellText Text = NumberText)
{
    auto table = std::make_unique<QTableWidget>(Rows, Cols);
    table->resize(ClientWidth, ClientHeight);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            table->setItem(r, c, new QTableWidgetItem(Text(c, r)));
    table->show();
    QApplication::processEvents();
    return table;
}

} // namespace benchgrids
