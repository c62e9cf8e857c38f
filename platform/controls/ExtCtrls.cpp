#include "platform/controls/ExtCtrls.h"

#include "platform/graphics/ImgList.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>

// ---- TPanel -----------------------------------------------------------------------------------------

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle |= csAcceptsControls | csOpaque;
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut Value)
{
    FBevelOuter = Value;
    Realign();
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut Value)
{
    FBevelInner = Value;
    Realign();
    Invalidate();
}

void TPanel::SetBevelWidth(int Value)
{
    FBevelWidth = std::max(1, Value);
    Realign();
    Invalidate();
}

void TPanel::SetBorderWidth(int Value)
{
    FBorderWidth = std::max(0, Value);
    Realign();
    Invalidate();
}

void TPanel::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    Realign();
    Invalidate();
}

void TPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

namespace {

void BevelColors(TBevelCut bevel, TColor& top, TColor& bottom)
{
    top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

} // namespace

void TPanel::Paint()
{
    TRect r = ClientRect();
    TColor top = clNone, bottom = clNone;
    if (FBorderStyle == bsSingle)
        Frame3D(Canvas, r, clWindowFrame, clWindowFrame, 1);
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, top, bottom);
        Frame3D(Canvas, r, top, bottom, FBevelWidth);
    }
    if (FBorderWidth > 0)
        Frame3D(Canvas, r, Color(), Color(), FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, top, bottom);
        Frame3D(Canvas, r, top, bottom, FBevelWidth);
    }
    Canvas->Brush->Color = Color();
    Canvas->Brush->Style = bsSolid;
    Canvas->FillRect(r);
    if (Caption().isEmpty())
        return;
    Canvas->Brush->Style = bsClear;
    Canvas->Font->Assign(Font);
    const int h = Canvas->TextHeight("W");
    r.Top = (r.Bottom + r.Top - h) / 2;
    r.Bottom = r.Top + h;
    uint32_t flags = DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE;
    flags |= FAlignment == taCenter ? DT_CENTER : (FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT);
    Canvas->DrawText(Caption(), r, flags);
}

void TPanel::AlignControls(TRect& Rect)
{
    int inset = FBorderWidth + (FBorderStyle == bsSingle ? 1 : 0);
    if (FBevelOuter != bvNone)
        inset += FBevelWidth;
    if (FBevelInner != bvNone)
        inset += FBevelWidth;
    InflateRect(Rect, -inset, -inset);
    TCustomControl::AlignControls(Rect);
}

// ---- TImage -----------------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

TPicture* TImage::Picture()
{
    // The caller may change the picture through the pointer; look at it once the event is done.
    if (!FChangePending && Widget()) {
        FChangePending = true;
        QPointer<QWidget> alive = Widget();
        QMetaObject::invokeMethod(
            Widget(),
            [this, alive] {
                if (alive && FChangePending)
                    GuardedDispatch([&] { PictureChanged(); });
            },
            Qt::QueuedConnection);
    }
    return FPicture.get();
}

void TImage::PictureChanged()
{
    FChangePending = false;
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    Invalidate();
}

void TImage::SetStretch(bool Value)
{
    FStretch = Value;
    Invalidate();
}

void TImage::SetProportional(bool Value)
{
    FProportional = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value)
{
    FCenter = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value)
{
    FTransparent = Value;
    Invalidate();
}

void TImage::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    PictureChanged();
}

TRect TImage::DestRect() const
{
    int w = FPicture->Empty() ? 0 : FPicture->Width();
    int h = FPicture->Empty() ? 0 : FPicture->Height();
    const int cw = ClientWidth(), ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            const double aspect = double(w) / h;
            if (w > h) {
                w = cw;
                h = int(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = int(ch * aspect);
                }
            } else {
                h = ch;
                w = int(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = int(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r(0, 0, w, h);
    if (FCenter)
        OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic)
        return;
    graphic->SetTransparent(FTransparent);
    Canvas->StretchDraw(DestRect(), graphic);
}

// ---- TShape -----------------------------------------------------------------------------------------

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner), Pen(new TPen()), Brush(new TBrush())
{
    Pen->OnChange = [this](TGraphicsObject*) { Invalidate(); };
    Brush->OnChange = [this](TGraphicsObject*) { Invalidate(); };
    SetBounds(0, 0, 65, 65);
}

TShape::~TShape()
{
    Pen->OnChange = nullptr;
    Brush->OnChange = nullptr;
    delete Pen;
    delete Brush;
}

void TShape::SetShape(TShapeType Value)
{
    FShape = Value;
    Invalidate();
}

void TShape::Paint()
{
    Canvas->Pen->Assign(Pen);
    Canvas->Brush->Assign(Brush);
    const int pw = Pen->Width;
    int x = pw / 2, y = x;
    int w = Width() - pw + 1, h = Height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    const int s = std::min(w, h);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = s;
        h = s;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare: Canvas->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: Canvas->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stEllipse:
    case stCircle: Canvas->Ellipse(x, y, x + w, y + h); break;
    }
}

// ---- TPaintBox --------------------------------------------------------------------------------------

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint()
{
    Canvas->Font->Assign(Font);
    Canvas->Brush->Color = Color();
    if (OnPaint)
        OnPaint(this);
}

// ---- TTimer -----------------------------------------------------------------------------------------

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FTimer(new QTimer())
{
    FTimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(FTimer, &QTimer::timeout, FTimer, [this] { GuardedDispatch([&] { Timer(); }); });
    UpdateTimer();
}

TTimer::~TTimer()
{
    // The timer may be freed from its own OnTimer; Qt deletes the QTimer once that returns.
    FTimer->stop();
    QObject::disconnect(FTimer, nullptr, nullptr, nullptr);
    FTimer->deleteLater();
}

void TTimer::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (FInterval == Value)
        return;
    FInterval = Value;
    UpdateTimer();
}

bool TTimer::Running() const
{
    return FTimer->isActive();
}

int TTimer::RemainingTime() const
{
    return FTimer->isActive() ? FTimer->remainingTime() : -1;
}

void TTimer::UpdateTimer()
{
    FTimer->stop();
    if (FEnabled && FInterval > 0)
        FTimer->start(int(std::min<unsigned>(FInterval, 0x7FFFFFFF)));
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}

// ---- TCategoryPanel ---------------------------------------------------------------------------------

TCategoryPanel::TCategoryPanel(TComponent* AOwner) : TCustomControl(AOwner), FSurface(new QWidget(Widget()))
{
    ControlStyle |= csAcceptsControls | csOpaque;
    ControlStyle &= ~csDoubleClicks;   // a quick second click on the header toggles again
    SetParentColor(true);
    SetAlign(alTop);
    SetBounds(0, 0, 185, 200);
}

TCategoryPanelGroup* TCategoryPanel::PanelGroup() const
{
    return dynamic_cast<TCategoryPanelGroup*>(Parent());
}

void TCategoryPanel::SetPanelGroup(TCategoryPanelGroup* Value)
{
    SetParent(Value);
}

int TCategoryPanel::HeaderHeight() const
{
    const TCategoryPanelGroup* g = PanelGroup();
    return g ? g->HeaderHeight() : 24;
}

TRect TCategoryPanel::ClientRect() const
{
    // The area below the header, where the controls are.
    return TRect(0, 0, Width(), std::max(0, Height() - HeaderHeight()));
}

void TCategoryPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FCollapsed) {
        // A new height is for the next expansion; the group's stacking passes the current one.
        if (AHeight != Height())
            FFullHeight = AHeight;
        AHeight = HeaderHeight();
    }
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    LayoutSurface();
}

void TCategoryPanel::Resize()
{
    LayoutSurface();
    TCustomControl::Resize();
}

void TCategoryPanel::LayoutSurface()
{
    if (!FSurface || !Widget())
        return;
    const int header = HeaderHeight();
    FSurface->setGeometry(0, header, Width(), std::max(0, (FCollapsed ? FFullHeight : Height()) - header));
    FSurface->setVisible(!FCollapsed);
}

void TCategoryPanel::SetCollapsed(bool Value)
{
    if (FCollapsed == Value)
        return;
    if (Value) {
        FFullHeight = Height();
        FCollapsed = true;
        TCustomControl::SetBounds(Left(), Top(), Width(), HeaderHeight());
        LayoutSurface();
        if (OnCollapse)
            OnCollapse(this);
    } else {
        FCollapsed = false;
        TCustomControl::SetBounds(Left(), Top(), Width(), FFullHeight);
        LayoutSurface();
        if (OnExpand)
            OnExpand(this);
    }
    Invalidate();
}

void TCategoryPanel::HandleMouseEnter()
{
    FHot = true;
    Invalidate();
    TCustomControl::HandleMouseEnter();
}

void TCategoryPanel::HandleMouseLeave()
{
    FHot = false;
    Invalidate();
    TCustomControl::HandleMouseLeave();
}

void TCategoryPanel::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::HandleMouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Y >= 0 && Y < HeaderHeight())
        SetCollapsed(!FCollapsed);
}

void TCategoryPanel::Paint()
{
    const TCategoryPanelGroup* g = PanelGroup();
    const int header = HeaderHeight();
    Canvas->Brush->Style = bsSolid;
    Canvas->Brush->Color = Color();
    Canvas->FillRect(TRect(0, header, Width(), Height()));

    // Header: a vertical blend from the base colour, a line under it, image, caption, chevron.
    const TColor base = ColorToRGB(g ? g->GradientBaseColor : clWindow);
    const TColor to = ColorToRGB(g ? g->GradientColor : clBtnFace);
    for (int y = 0; y < header; ++y) {
        auto mix = [&](int a, int b) { return uint8_t(a + (b - a) * y / std::max(1, header - 1)); };
        Canvas->Brush->Color = RGB(mix(GetRValue(base), GetRValue(to)), mix(GetGValue(base), GetGValue(to)),
                                   mix(GetBValue(base), GetBValue(to)));
        Canvas->FillRect(TRect(0, y, Width(), y + 1));
    }
    Canvas->Brush->Color = clBtnShadow;
    Canvas->FillRect(TRect(0, header - 1, Width(), header));

    int textLeft = 6;
    if (g && g->Images()) {
        const int index = FCollapsed ? CollapsedImageIndex : ExpandedImageIndex;
        g->Images()->Draw(Canvas, 4, (header - g->Images()->Height()) / 2, index, Enabled());
        textLeft += g->Images()->Width() + 2;
    }
    if (g)
        Canvas->Font->Assign(g->HeaderFont);
    else
        Canvas->Font->Assign(Font);
    if (!Enabled())
        Canvas->Font->Color = clGrayText;
    Canvas->Brush->Style = bsClear;
    TRect text(textLeft, 0, Width() - 24, header);
    Canvas->DrawText(Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);

    // Chevron: two strokes pointing up (expanded: click to collapse) or down.
    const TColor chevron = g ? (FHot ? g->ChevronHotColor : g->ChevronColor) : clBlack;
    Canvas->Pen->Color = Enabled() ? chevron : clGrayText;
    Canvas->Pen->Width = 1;
    const int cx = Width() - 14, cy = header / 2;
    for (int k = 0; k < 2; ++k) {
        const int dy = FCollapsed ? -2 + k : 2 - k;
        Canvas->MoveTo(cx - 4, cy + dy);
        Canvas->LineTo(cx, cy - dy);
        Canvas->LineTo(cx + 5, cy + dy + (FCollapsed ? 1 : -1));
    }
}

// ---- TCategoryPanelGroup ----------------------------------------------------------------------------

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner) : TScrollBox(AOwner), HeaderFont(new TFont())
{
    HeaderFont->Style = fsBold;
    HeaderFont->OnChange = [this](TGraphicsObject*) { RepaintPanels(); };
    SetBounds(0, 0, 200, 400);
}

TCategoryPanelGroup::~TCategoryPanelGroup()
{
    Destroying();
    HeaderFont->OnChange = nullptr;
    delete HeaderFont;
}

void TCategoryPanelGroup::SetHeaderHeight(int Value)
{
    FHeaderHeight = std::max(1, Value);
    for (int i = 0; i < PanelCount(); ++i)
        Panels(i)->LayoutSurface();
    Realign();
    RepaintPanels();
}

void TCategoryPanelGroup::SetImages(TImageList* Value)
{
    ChangeReference(FImages, Value);
    RepaintPanels();
}

void TCategoryPanelGroup::Notification(TComponent* AComponent, TOperation Operation)
{
    TScrollBox::Notification(AComponent, Operation);
    if (Operation == opRemove && FImages && AComponent == FImages)
        FImages = nullptr;
}

void TCategoryPanelGroup::InsertChildWidget(TControl* Child)
{
    TScrollBox::InsertChildWidget(Child);
    if (auto* panel = dynamic_cast<TCategoryPanel*>(Child))
        panel->LayoutSurface();
}

int TCategoryPanelGroup::PanelCount() const
{
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        n += dynamic_cast<TCategoryPanel*>(Controls(i)) != nullptr;
    return n;
}

TCategoryPanel* TCategoryPanelGroup::Panels(int Index) const
{
    std::vector<TCategoryPanel*> panels;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* p = dynamic_cast<TCategoryPanel*>(Controls(i)))
            panels.push_back(p);
    std::stable_sort(panels.begin(), panels.end(), [](TCategoryPanel* a, TCategoryPanel* b) { return a->Top() < b->Top(); });
    if (Index < 0 || Index >= static_cast<int>(panels.size()))
        RaiseListIndexError(Index);
    return panels[static_cast<size_t>(Index)];
}

void TCategoryPanelGroup::CollapseAll()
{
    for (int i = 0; i < PanelCount(); ++i)
        Panels(i)->SetCollapsed(true);
}

void TCategoryPanelGroup::ExpandAll()
{
    for (int i = 0; i < PanelCount(); ++i)
        Panels(i)->SetCollapsed(false);
}

void TCategoryPanelGroup::AlignControls(TRect& Rect)
{
    // Panels are stacked by the toolkit's top alignment; the surface is as wide as the visible area.
    TScrollBox::AlignControls(Rect);
    UpdateRange();
}

void TCategoryPanelGroup::RepaintPanels()
{
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->Invalidate();
}
