// Internal to the toolkit grid: the viewport widget (the client area) and the scroll bars that
// TCustomGrid places around it. Both hand their events to the grid while it is alive.
#pragma once

#include "platform/grid/Grid.h"

#include <QScrollBar>
#include <QWidget>

class TGridViewport : public QWidget
{
  public:
    TGridViewport(TCustomGrid* grid, QWidget* parent);
    TCustomGrid* Grid;
    bool BaseEvent(QEvent* e) { return QWidget::event(e); }

  protected:
    bool event(QEvent* e) override;
};

// A bar of the grid; its mouse release ends a scroll action (SB_THUMBPOSITION, SB_ENDSCROLL).
class TGridScrollBar : public QScrollBar
{
  public:
    TGridScrollBar(TCustomGrid* grid, int bar, QWidget* parent);
    TCustomGrid* Grid;
    const int Bar;

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};
