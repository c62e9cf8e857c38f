// TCustomGrid scrolling: the scroll area layout, the bars, top-left moves, timers and auto-scroll.
#include "platform/grid/Grid.h"
#include "platform/grid/GridViewport.h"

#include <QCursor>
#include <QStyle>
#include <QTimer>

int TCustomGrid::BorderWidth() const
{
    return FBorderStyle == bsNone ? 0 : 2; // the sunken client edge
}

int TCustomGrid::BarExtent() const
{
    const QScrollBar* sb = FBars[SB_VERT];
    return sb ? sb->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, sb) : 0;
}

TRect TCustomGrid::ClientRect() const
{
    const int b = BorderWidth();
    const int ext = BarExtent();
    const int w = Width() - 2 * b - (FBarShown[SB_VERT] ? ext : 0);
    const int h = Height() - 2 * b - (FBarShown[SB_HORZ] ? ext : 0);
    return TRect(0, 0, std::max(w, 0), std::max(h, 0));
}

int TCustomGrid::MaxTopRow() const
{
    return FRows.MaxFirst(ClientHeight());
}

int TCustomGrid::MaxLeftCol() const
{
    return FCols.MaxFirst(ClientWidth());
}

int TCustomGrid::VisibleColCount() const
{
    return FCols.FullyVisibleCount(ClientWidth());
}

int TCustomGrid::VisibleRowCount() const
{
    return FRows.FullyVisibleCount(ClientHeight());
}

void TCustomGrid::UpdateScrollArea(bool ClampTopLeft)
{
    if (!FViewport)
        return;
    const int b = BorderWidth();
    const int ext = BarExtent();
    const int outerW = std::max(Width() - 2 * b, 0);
    const int outerH = std::max(Height() - 2 * b, 0);
    const bool wantH = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    const bool wantV = FScrollBars == ssVertical || FScrollBars == ssBoth;

    // A bar takes room from the other axis, so its need can bring the other bar: settle in two
    // rounds at most (needs only grow as room shrinks).
    bool showH = FBarKeptShown[SB_HORZ];
    bool showV = FBarKeptShown[SB_VERT];
    int cw = outerW, ch = outerH;
    for (int round = 0; round < 3; ++round) {
        cw = std::max(outerW - (showV ? ext : 0), 0);
        ch = std::max(outerH - (showH ? ext : 0), 0);
        if (ClampTopLeft) {
            FCols.First = std::clamp(FCols.First, FCols.Fixed, FCols.MaxFirst(cw));
            FRows.First = std::clamp(FRows.First, FRows.Fixed, FRows.MaxFirst(ch));
        }
        // Scrolled past the limit by a direct write: keep the bar so the user can come back.
        const bool needH = FBarKeptShown[SB_HORZ] ||
                           (wantH && (FCols.MaxFirst(cw) > FCols.Fixed || FCols.First > FCols.Fixed));
        const bool needV = FBarKeptShown[SB_VERT] ||
                           (wantV && (FRows.MaxFirst(ch) > FRows.Fixed || FRows.First > FRows.Fixed));
        if (needH == showH && needV == showV)
            break;
        showH = needH;
        showV = needV;
    }
    FBarShown[SB_HORZ] = showH;
    FBarShown[SB_VERT] = showV;
    FViewport->setGeometry(b, b, cw, ch);
    FBars[SB_VERT]->setGeometry(b + cw, b, ext, ch);
    FBars[SB_HORZ]->setGeometry(b, b + ch, cw, ext);
    FBars[SB_VERT]->setVisible(showV);
    FBars[SB_HORZ]->setVisible(showH);
    UpdateScrollPos();
    PlaceEditor();
}

void TCustomGrid::UpdateScrollAreaClamped()
{
    const TGridCoord topLeft{LeftCol(), TopRow()};
    UpdateScrollArea(true);
    if (TGridCoord{LeftCol(), TopRow()} != topLeft)
        TopLeftChanged();
}

void TCustomGrid::UpdateScrollPos()
{
    auto sync = [](QScrollBar* sb, const TGridAxis& a, int maxFirst, int page) {
        sb->setRange(0, std::max(std::max(maxFirst, a.First) - a.Fixed, 0));
        sb->setPageStep(std::max(page, 1));
        sb->setSingleStep(1);
        if (!sb->isSliderDown()) {
            sb->setSliderPosition(a.First - a.Fixed);
            sb->setValue(a.First - a.Fixed);
        }
    };
    sync(FBars[SB_HORZ], FCols, MaxLeftCol(), VisibleColCount());
    sync(FBars[SB_VERT], FRows, MaxTopRow(), VisibleRowCount());
}

void TCustomGrid::ShowScrollBar(int Bar, bool Visible)
{
    for (int bar : {SB_HORZ, SB_VERT})
        if (Bar == bar || Bar == SB_BOTH)
            FBarKeptShown[bar] = Visible;
    UpdateScrollArea(false);
}

void TCustomGrid::EnableScrollBar(int Bar, bool Enable)
{
    for (int bar : {SB_HORZ, SB_VERT})
        if (Bar == bar || Bar == SB_BOTH)
            FBars[bar]->setEnabled(Enable);
}

bool TCustomGrid::ScrollBarVisible(int Bar) const
{
    return Bar == SB_HORZ || Bar == SB_VERT ? FBarShown[Bar] : false;
}

QScrollBar* TCustomGrid::ScrollBar(int Bar) const
{
    return Bar == SB_HORZ || Bar == SB_VERT ? FBars[Bar] : nullptr;
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars)
        return;
    FScrollBars = Value;
    UpdateScrollAreaClamped();
}

// ---- Size change -----------------------------------------------------------------------------------

void TCustomGrid::Resize()
{
    WMSize();
}

void TCustomGrid::WMSize()
{
    UpdateScrollAreaClamped();
    TCustomControl::Resize();
}

// ---- Top-left ----------------------------------------------------------------------------------------

void TCustomGrid::SetLeftCol(int Value)
{
    if (Value >= FixedCols() && Value < ColCount())
        MoveTopLeft(Value, TopRow());
}

void TCustomGrid::SetTopRow(int Value)
{
    if (Value >= FixedRows() && Value < RowCount())
        MoveTopLeft(LeftCol(), Value);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    if (ALeft == FCols.First && ATop == FRows.First)
        return;
    FCols.First = ALeft;
    FRows.First = ATop;
    UpdateScrollArea(false);
    InvalidateGrid();
    TopLeftChanged();
}

void TCustomGrid::ClampInView(const TGridCoord& Coord)
{
    const TRect client = ClientRect();
    MoveTopLeft(FCols.FirstShowing(Coord.X, client.Width()), FRows.FirstShowing(Coord.Y, client.Height()));
}

// ---- Scroll bar actions ------------------------------------------------------------------------------

void TCustomGrid::ScrollBarAction(int Bar, int Action)
{
    QScrollBar* sb = FBars[Bar];
    int code;
    switch (Action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        code = sb->isSliderDown() ? SB_THUMBTRACK : SB_THUMBPOSITION;
        break;
    default:
        return;
    }
    const int pos = sb->sliderPosition();
    if (Bar == SB_VERT)
        WMVScroll(code, pos);
    else
        WMHScroll(code, pos);
    // Qt applies the slider position after this signal: make it the grid's.
    if (!sb->isSliderDown()) {
        const TGridAxis& a = Bar == SB_VERT ? FRows : FCols;
        sb->setSliderPosition(a.First - a.Fixed);
    }
}

void TCustomGrid::ScrollBarReleased(int Bar, bool Dragging)
{
    GuardedDispatch([&] {
        const int pos = FBars[Bar]->sliderPosition();
        auto send = [&](int code) { Bar == SB_VERT ? WMVScroll(code, pos) : WMHScroll(code, pos); };
        if (Dragging)
            send(SB_THUMBPOSITION);
        send(SB_ENDSCROLL);
        UpdateScrollPos();
    });
}

void TCustomGrid::WMHScroll(int Code, int Pos)
{
    ScrollTo(true, Code, Pos);
}

void TCustomGrid::WMVScroll(int Code, int Pos)
{
    ScrollTo(false, Code, Pos);
}

void TCustomGrid::ScrollTo(bool Horizontal, int Code, int Pos)
{
    const TGridAxis& a = Horizontal ? FCols : FRows;
    const int maxFirst = Horizontal ? MaxLeftCol() : MaxTopRow();
    const int page = std::max(Horizontal ? VisibleColCount() : VisibleRowCount(), 1);
    int target;
    switch (Code) {
    case SB_LINEUP:
        target = a.First - 1;
        break;
    case SB_LINEDOWN:
        target = a.First + 1;
        break;
    case SB_PAGEUP:
        target = a.First - page;
        break;
    case SB_PAGEDOWN:
        target = a.First + page;
        break;
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking))
            return;
        target = a.Fixed + Pos;
        break;
    case SB_THUMBPOSITION:
        target = a.Fixed + Pos;
        break;
    case SB_TOP:
        target = a.Fixed;
        break;
    case SB_BOTTOM:
        target = maxFirst;
        break;
    default:
        return;
    }
    // Never further than the limit, unless a direct write already went beyond it.
    if (target > a.First)
        target = std::min(target, std::max(maxFirst, a.First));
    target = std::max(target, a.Fixed);
    if (Horizontal)
        MoveTopLeft(target, TopRow());
    else
        MoveTopLeft(LeftCol(), target);
    UpdateScrollPos();
}

// ---- Timers and auto-scroll ------------------------------------------------------------------------

void TCustomGrid::SetTimer(int Id, int Interval)
{
    QTimer*& timer = FTimers[Id];
    if (!timer) {
        timer = new QTimer(Widget());
        QObject::connect(timer, &QTimer::timeout, timer,
                         [this, Id] { GuardedDispatch([&] { WMTimer(Id); }); });
    }
    timer->start(Interval);
}

void TCustomGrid::KillTimer(int Id)
{
    const auto it = FTimers.find(Id);
    if (it != FTimers.end())
        it->second->stop();
}

void TCustomGrid::WMTimer(int Id)
{
    if (Id == GridScrollTimerId)
        AutoScrollStep(ScreenToClient(TPoint::FromQPoint(QCursor::pos())));
}

void TCustomGrid::AutoScrollStep(TPoint ClientPos)
{
    if (FGridState != gsSelecting && FGridState != gsRowMoving && FGridState != gsColMoving) {
        KillScrollTimer();
        return;
    }
    const TRect client = ClientRect();
    const int fixedW = FCols.FixedExtent();
    const int fixedH = FRows.FixedExtent();
    int left = LeftCol();
    int top = TopRow();
    if (FGridState != gsRowMoving) {
        if (ClientPos.X < fixedW && left > FixedCols())
            --left;
        else if (ClientPos.X >= client.Right && left < MaxLeftCol())
            ++left;
    }
    if (FGridState != gsColMoving) {
        if (ClientPos.Y < fixedH && top > FixedRows())
            --top;
        else if (ClientPos.Y >= client.Bottom && top < MaxTopRow())
            ++top;
    }
    MoveTopLeft(left, top);
    if (FGridState != gsSelecting)
        return;
    // The anchor goes to the cell under the pointer, held to the visible scrolled cells.
    auto edge = [](const TGridAxis& a, int pos, int fixedExtent, int extent) {
        const int last = std::min(a.Count() - 1, a.First + std::max(a.FullyVisibleCount(extent), 1) - 1);
        if (pos < fixedExtent)
            return a.First;
        if (pos >= extent)
            return last;
        const int i = a.IndexAt(pos);
        return i < 0 ? a.Count() - 1 : i;
    };
    const TGridCoord cell{edge(FCols, ClientPos.X, fixedW, client.Width()),
                          edge(FRows, ClientPos.Y, fixedH, client.Height())};
    if (!(cell == FAnchor))
        MoveAnchor(cell);
}
