// A string grid built as a form builds it (inside the loading bracket) on a shown offscreen form,
// with access to the protected message entry points the tests drive directly.
#pragma once

#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Messages.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace shownextgrid
{

class TProbeGrid : public TExtStringGrid
{
  public:
    using TExtStringGrid::CalcSizingState;
    using TExtStringGrid::HandleWheelDown;
    using TExtStringGrid::HandleWheelUp;
    using TExtStringGrid::ScrollHint;
    using TExtStringGrid::TExtStringGrid;
    using TExtStringGrid::WMTimer;
    using TExtStringGrid::WMVScroll;
    bool ThemesOff() const { return !FIsWinXP; }
    // One wheel notch: towards the user (Down) or away, with the given MK_ keys.
    LRESULT Wheel(bool Down, WPARAM Keys = 0)
    {
        const TMessage m = TWMMouseWheel{WM_MOUSEWHEEL, Keys, Down ? -120 : 120, 0, 0, 0}.ToMessage();
        return Perform(m.Msg, m.WParam, m.LParam);
    }
    void Mouse(UINT Msg, int X, int Y)
    {
        const TMessage m = TWMMouse{Msg, 0, X, Y, 0}.ToMessage();
        Perform(m.Msg, m.WParam, m.LParam);
    }
};

class ShownGrid : public GridOnForm<TProbeGrid>
{
  protected:
    void SetUp() override
    {
        QApplication::setWheelScrollLines(3);
        ShowForm(700, 600);
    }
    std::vector<int> Widths() const { return DisplayWidths(); }
};

} // namespace shownextgrid
