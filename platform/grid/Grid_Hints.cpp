// The grid's hint request: the application's hint for the cell area (platform/controls/Hints.h).
#include "platform/controls/Forms.h"
#include "platform/grid/Grid.h"

#include <QHelpEvent>

namespace
{
constexpr int HintCursorHeight = 20; // a hint opens below the mouse cursor
} // namespace

// ---- The grid's hint request -----------------------------------------------------------------------

void TCustomGrid::CMHintShow(TCMHintShow&) {}

void TCustomGrid::ShowCellHint(QHelpEvent* Event)
{
    Event->accept(); // the widget's own tooltip never shows over the cells
    const TPoint at = TPoint::FromQPoint(Event->pos());
    if (HintAskedAt(this, at))
        return; // asked already; CancelHint makes the next rest ask again
    if (!ShowHint() || !Application->ShowHint) {
        CancelHint();
        return;
    }
    THintInfo info;
    info.HintControl = this;
    info.HintWindowClass = HintWindowClass;
    info.CursorPos = at;
    info.CursorRect = ClientRect();
    info.HintPos = ClientToScreen(TPoint(at.X, at.Y + HintCursorHeight));
    info.HintMaxWidth = Screen->Width();
    info.HintStr = GetShortHint(Hint());
    TCMHintShow message{&info, 0};
    GuardedDispatch([&] {
        CMHintShow(message);
        if (message.Result != 0 || info.HintStr.isEmpty())
            CancelHint();
        else
            ShowHintInfo(info);
    });
}
