#include "platform/controls/Splitter.h"

#include <algorithm>

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    ControlStyle = csCaptureMouse;
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
}

TControl* TSplitter::ResizeControl() const
{
    TWinControl* parent = Parent();
    if (!parent)
        return nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || c->Align() != Align() || !c->Visible())
            continue;
        const bool adjacent = [&] {
            switch (Align()) {
            case alLeft:
                return c->Left() + c->Width() == Left();
            case alRight:
                return c->Left() == Left() + Width();
            case alTop:
                return c->Top() + c->Height() == Top();
            case alBottom:
                return c->Top() == Top() + Height();
            default:
                return false;
            }
        }();
        if (adjacent)
            return c;
    }
    return nullptr;
}

void TSplitter::Paint()
{
    Canvas->Brush->Color = Color();
    Canvas->FillRect(ClientRect());
}

void TSplitter::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::HandleMouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FControl = ResizeControl();
    if (!FControl)
        return;
    // Positions in the parent's coordinates: the splitter itself moves while dragged.
    FDownPos = Horizontal() ? Left() + X : Top() + Y;
    FStartSize = Horizontal() ? FControl->Width() : FControl->Height();
    SetCursor(Horizontal() ? crHSplit : crVSplit);
}

void TSplitter::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::HandleMouseMove(Shift, X, Y);
    if (!FControl || !Parent())
        return;
    const int pos = Horizontal() ? Left() + X : Top() + Y;
    int delta = pos - FDownPos;
    if (Align() == alRight || Align() == alBottom)
        delta = -delta;
    // Room left for the rest of the parent: what the client area holds beyond the control and the bar.
    const int client = Horizontal() ? Parent()->ClientWidth() : Parent()->ClientHeight();
    const int bar = Horizontal() ? Width() : Height();
    int others = 0;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == this || c == FControl || !c->Visible() || c->Align() == alClient || c->Align() == alNone)
            continue;
        if ((c->Align() == alLeft || c->Align() == alRight) == Horizontal())
            others += Horizontal() ? c->Width() : c->Height();
    }
    const int max_size = std::max(MinSize, client - bar - others - MinSize);
    const int size = std::clamp(FStartSize + delta, MinSize, max_size);
    if (Horizontal())
        FControl->SetWidth(size);
    else
        FControl->SetHeight(size);
}

void TSplitter::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::HandleMouseUp(Button, Shift, X, Y);
    if (!FControl)
        return;
    FControl = nullptr;
    if (OnMoved)
        OnMoved(this);
}
