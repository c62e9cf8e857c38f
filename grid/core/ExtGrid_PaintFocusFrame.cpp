// TExtStringGrid: the soft focus frame round the cell being edited. A translucent top-level window
// shows a blurred rounded frame; it is cut to the ring round the cell and follows the cell while the
// form moves (an event filter on the form's window stands in for a window hook).
#include "grid/core/ExtGrid.h"

#include <QEvent>
#include <QPointer>
#include <QRegion>

namespace
{

constexpr TColor FocusFrameColor = 0x00FDD397;
constexpr uint8_t FocusFrameOpacity = 230;
constexpr int FocusFrameBlur = 3;
constexpr int FocusFrameCorner = 5;
constexpr int FocusFramePen = 4;
constexpr int FocusFrameMargin = 4; // the frame reaches this far outside the cell
constexpr int FocusFrameGrow = 9;   // the window is this much larger than the cell

// The one grid showing its frame; the pointer to its window tells whether it still exists.
TExtStringGrid* ShowingGrid = nullptr;
QPointer<QWidget> ShowingWidget;

// Moves of the form's window move the frame of the grid showing it.
class TFormMoveFilter : public QObject
{
  public:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::Move || Event->type() == QEvent::Resize)
            if (TExtStringGrid* grid = TExtStringGrid::FocusFrameGrid())
                grid->MoveFocusWindow();
        return QObject::eventFilter(Watched, Event);
    }
};

} // namespace

TExtStringGrid* TExtStringGrid::FocusFrameGrid()
{
    return ShowingWidget ? ShowingGrid : nullptr;
}

void TExtStringGrid::ShowFocusWindow(const TRect& R)
{
    if (IsDesignTime() || !Widget())
        return;
    if (!FFocusWindow) {
        FFocusWindow = new TGridFocusWindow(this);
        FFocusWindow->SetParent(this);
    }
    FFocusWindow->Hide();
    const int W = R.Width() + FocusFrameGrow, H = R.Height() + FocusFrameGrow;
    TBitmap mask, picture(W, H, pf24bit);
    CreateRoundRectMask(&mask, W, H, FocusFramePen, FocusFrameCorner, FocusFrameBlur);
    picture.Canvas->Brush->Color = FocusFrameColor;
    picture.Canvas->FillRect(TRect(0, 0, W, H));
    TGridAlphaMask alpha;
    alpha.MergeMask(&mask, &picture, FocusFrameColor);
    alpha.Opacity = FocusFrameOpacity;
    const TPoint corner = ClientToScreen(TPoint(R.Left, R.Top));
    const TPoint at(corner.X - FocusFrameMargin, corner.Y - FocusFrameMargin), source(0, 0);
    const TSize size{W, H};
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = alpha.Opacity;
    UpdateLayeredWindow(FFocusWindow->Handle(), nullptr, &at, &size, alpha.Canvas, &source, clNone, &blend,
                        ULW_ALPHA);
    // Only the ring round the cell belongs to the window: the cell stays clickable.
    const QRegion ring =
        QRegion(0, 0, W, H) - QRegion(FocusFrameMargin, FocusFrameMargin, R.Width(), R.Height());
    FFocusWindow->Widget()->setMask(ring);
    if (QWidget* top = Widget()->window(); top && !FFocusMoveFilter) {
        FFocusMoveFilter = std::make_unique<TFormMoveFilter>();
        top->installEventFilter(FFocusMoveFilter.get());
    }
    ShowingGrid = this;
    ShowingWidget = Widget();
    FFocusWindow->Show();
}

void TExtStringGrid::HideFocusWindow()
{
    if (ShowingGrid == this) {
        ShowingGrid = nullptr;
        ShowingWidget = nullptr;
    }
    if (FFocusWindow)
        FFocusWindow->Hide();
}

void TExtStringGrid::MoveFocusWindow()
{
    if (!FFocusWindow || !FFocusWindow->Visible())
        return;
    const TRect R = CellRect(Col(), Row());
    const TPoint corner = ClientToScreen(TPoint(R.Left, R.Top));
    FFocusWindow->SetBounds(corner.X - FocusFrameMargin, corner.Y - FocusFrameMargin,
                            R.Width() + FocusFrameGrow, R.Height() + FocusFrameGrow);
}
