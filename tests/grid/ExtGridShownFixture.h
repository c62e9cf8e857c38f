// A string grid built as a form builds it (inside the loading bracket) on a shown offscreen form,
// with access to the protected message entry points the tests drive directly.
#pragma once

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

class ShownGrid : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        QApplication::setWheelScrollLines(3);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 700, 600);
        grid = New();
        form->Show();
        QApplication::processEvents();
    }
    TProbeGrid* New(const std::function<void(TProbeGrid*)>& Setup = {})
    {
        form->BeginLoading();
        auto* g = new TProbeGrid(form.get());
        g->SetParent(form.get());
        g->SetLeft(10);
        g->SetTop(10);
        if (Setup)
            Setup(g);
        form->EndLoading();
        return g;
    }
    std::vector<int> Widths() const
    {
        std::vector<int> w;
        for (int c = 0; c < grid->ColCount(); ++c)
            w.push_back(grid->ColWidths(c));
        return w;
    }

    std::unique_ptr<TForm> form;
    TProbeGrid* grid = nullptr;
};

} // namespace shownextgrid
