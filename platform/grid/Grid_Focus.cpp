// Focus of the toolkit grid: widget focus as WMSetFocus/WMKillFocus.
#include "platform/grid/Grid.h"
#include "platform/grid/InplaceEdit.h"

#include <QApplication>

void TCustomGrid::HandleSetFocus()
{
    WMSetFocus();
    FFocusFromEditor = false;
}

void TCustomGrid::HandleKillFocus()
{
    WMKillFocus();
}

void TCustomGrid::WMSetFocus()
{
    // The control's handling tells the form, which runs DoEnter when the focus comes from outside.
    TCustomControl::HandleSetFocus();
    InvalidateRect(Selection()); // the focused cell looks different
    // Coming back from the editor, the grid leaves it closed: whoever moved the focus hid it.
    if (!FFocusFromEditor)
        UpdateEdit();
}

void TCustomGrid::WMKillFocus()
{
    TCustomControl::HandleKillFocus();
    InvalidateRect(Selection());
}

bool TCustomGrid::GridFocused() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && Widget() && (focus == Widget() || Widget()->isAncestorOf(focus));
}
