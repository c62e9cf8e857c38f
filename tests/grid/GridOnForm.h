// A grid of class G built as a form builds it (created and set up inside the loading bracket, then
// Loaded) on a shown offscreen form: the fixture the string-grid tests share.
#pragma once

#include "platform/controls/Forms.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

template <class G> class GridOnForm : public ::testing::Test
{
  protected:
    // The form at (40, 40) with the given size, holding one grid made by New, shown.
    void ShowForm(int Width, int Height)
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, Width, Height);
        grid = New();
        form->Show();
        QApplication::processEvents();
    }
    G* New(const std::function<void(G*)>& Setup = {})
    {
        form->BeginLoading();
        auto* g = new G(form.get());
        g->SetParent(form.get());
        g->SetLeft(10);
        g->SetTop(10);
        if (Setup)
            Setup(g);
        form->EndLoading();
        return g;
    }
    // The widths of the display columns of the grid.
    std::vector<int> DisplayWidths() const
    {
        std::vector<int> w;
        for (int c = 0; c < grid->ColCount(); ++c)
            w.push_back(grid->ColWidths(c));
        return w;
    }

    std::unique_ptr<TForm> form;
    G* grid = nullptr;
};
