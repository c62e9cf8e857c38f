// TExtStringGrid: window creation and the grid timer (incremental search, hovering, blinking).
#include "grid/base/HtmlHintWindow.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Messages.h"

#include <QApplication>
#include <QCursor>

namespace
{
constexpr int GridTimerId = 111;
constexpr int GridTimerInterval = 500; // ms
constexpr int SearchResetTicks = 4;
} // namespace

UINT TExtStringGrid::GridEditDoneMessage()
{
    static const UINT message = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    return message;
}

void TExtStringGrid::CreateWnd()
{
    TBaseGrid::CreateWnd();
    // Registered once per process, before any editor can post them.
    GridEditDoneMessage();
    RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    SetTimer(GridTimerId, GridTimerInterval);
    const int lines = QApplication::wheelScrollLines();
    // -1 asks for page scrolling.
    wheelscrl = lines < 0 ? std::max(1, VisibleRowCount()) : lines;
    // Themes are never active here.
    FIsWinXP = false;
    if (FScrollType == ssMetro)
        SetScrollType(ssMetro);
    if (FColumnSize->Save)
        LoadColSizes();
}

void TExtStringGrid::WMTimer(int Id)
{
    // Panning steps on every timer message while it lasts.
    if (wheelpan && IntelliPan != ipNone)
        WheelPanStep();
    if (Id == GridTimerId)
        GridTimerTick();
    else if (Id != WheelPanTimerId)
        TBaseGrid::WMTimer(Id);
}

void TExtStringGrid::GridTimerTick()
{
    ++FTimerTicks;
    if (FNavigation->AutoGotoIncremental && ++SearchTics >= SearchResetTicks) {
        SearchInc.clear();
        SearchTics = 0;
    }
    if (Hovering && !IsDesignTime() && Showing()) {
        const TPoint p = ScreenToClient(TPoint::FromQPoint(QCursor::pos()));
        const TRect client = ClientRect();
        if (p.X >= 0 && p.Y >= 0 && p.X < client.Right && p.Y < client.Bottom) {
            int c = -1, r = -1;
            MouseToCell(p.X, p.Y, c, r);
            if (c >= FixedCols() && r >= FixedRows() && c < ColCount() && r < RowCount()) {
                if (CanFocus())
                    SetFocus();
                SetRow(r);
                SetCol(c);
            }
        }
    }
    if (EnableBlink) {
        FGridBlink = !FGridBlink;
        const int lastCol = std::min(TotalColCount() - 1, LeftCol() + VisibleColCount() + FNumHidden);
        const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
        auto blink = [&](int c, int r) {
            if (GetCellEx(DisplToRealCol(c), r).toUpper().contains(QLatin1String("<BLI")))
                RepaintCell(c, r);
        };
        for (int r = TopRow(); r <= lastRow; ++r)
            for (int c = LeftCol(); c <= std::min(lastCol, ColCount() - 1); ++c)
                blink(c, r);
        for (int r = 0; r < FixedRows(); ++r)
            for (int c = LeftCol(); c <= std::min(lastCol, ColCount() - 1); ++c)
                blink(c, r);
        for (int c = 0; c < FixedCols(); ++c)
            for (int r = TopRow(); r <= lastRow; ++r)
                blink(c, r);
    }
}
