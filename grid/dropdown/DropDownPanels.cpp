// The header and footer strips of the drop-down window.
#include "grid/dropdown/DropDownPanels.h"

#include "grid/base/HtmlRender.h"
#include "grid/dropdown/DropDownForm.h"
#include "grid/dropdown/ExtDropDown.h"
#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"

#include <QMouseEvent>

namespace
{

// Draws (or, MeasureOnly, measures) a strip caption; returns its height.
int StripCaption(TCanvas* Canvas, const QString& Text, const TRect& R, TImageList* Images, HWND Window,
                 bool MeasureOnly)
{
    QString anchor, plain, focus, title, id, value, type;
    int width = 0, height = 0, anchors = 0, hitNumber = -1;
    TRect anchorRect, controlRect;
    RenderHTML(Canvas, Text, R, Images, 0, 0, -1, -1, 1, false, MeasureOnly, false, false, false, false,
               false, false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focus, title, width, height,
               anchors, hitNumber, anchorRect, controlRect, id, value, type, nullptr, nullptr, Window, 0);
    return height;
}

} // namespace

// ---- TDbgList --------------------------------------------------------------------------------------

void* TDbgList::GetItemsEx(int Index) const
{
    if (Index >= Count())
        throw Exception("Index out of bounds in list read access");
    if (Index < 0)
        RaiseListIndexError(Index);
    return FItems[size_t(Index)];
}

void TDbgList::SetItemsEx(int Index, void* Value)
{
    if (Index >= Count())
        throw Exception("Index out of bounds in list write access");
    if (Index < 0)
        RaiseListIndexError(Index);
    FItems[size_t(Index)] = Value;
}

void TDbgList::AssignList(const TDbgList& ListA)
{
    const std::vector<void*> items = ListA.FItems; // ListA may be this list
    FItems.clear();
    for (void* item : items)
        FItems.push_back(item);
}

// ---- The strip -------------------------------------------------------------------------------------

template <class Appearance>
TExtStrip<Appearance>::TExtStrip(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<Appearance>(AOwner))
{
    ControlStyle = ControlStyle | csOpaque;
    DoubleBuffered = true;
    FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
}

template <class Appearance> TExtStrip<Appearance>::~TExtStrip()
{
    Destroying();
}

template <class Appearance> void TExtStrip<Appearance>::AppearanceChanged()
{
    SetVisible(FAppearance->Visible());
    SetHeight(FAppearance->Height());
}

template <class Appearance> void TExtStrip<Appearance>::SetImages(TImageList* Value)
{
    ChangeReference(FImages, Value);
}

template <class Appearance>
void TExtStrip<Appearance>::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

template <class Appearance> void TExtStrip<Appearance>::AttachDropDown(TExtCustomDropDown* DropDown)
{
    FExtDropDown = DropDown;
    if (!DropDown) {
        SetImages(nullptr);
        return;
    }
    SetImages(DropDown->Images());
    FAppearance->Assign(DropDownAppearance());
    // Assign notifies only a change of Visible; the height follows every time.
    AppearanceChanged();
}

template <class Appearance> void TExtStrip<Appearance>::InitButtons()
{
    if (FExtDropDown)
        CreateButtons();
}

template <class Appearance> void TExtStrip<Appearance>::ClearButtons()
{
    for (int i = FButtonList.Count() - 1; i >= 0; --i)
        delete Button(i);
    FButtonList.Clear();
}

template <class Appearance> void TExtStrip<Appearance>::CreateButtons()
{
    if (!FExtDropDown)
        return;
    ClearButtons();
    const int maxHeight = GetButtonArea().Height();
    const auto* items = DropDownAppearance()->Buttons();
    for (int i = 0; i < items->Count(); ++i) {
        const auto* item = items->Items(i);
        auto* button = new TExtButton(this);
        button->SetParent(this);
        SetupButton(button, i);
        button->SetAppearance(FExtDropDown->ButtonAppearance());
        button->SetCaption(item->Caption());
        button->SetImages(FImages);
        button->SetImageIndex(item->ImageIndex());
        button->SetEnabled(item->Enabled());
        button->AdjustToContent();
        int w = item->Width() > 0 ? item->Width() : button->Width();
        int h = item->Height() > 0 ? item->Height() : button->Height();
        h = std::min(h, maxHeight);
        button->SetBounds(button->Left(), button->Top(), w, h);
        button->Tag = i;
        button->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
        FButtonList.Add(button);
    }
    ArrangeButtons();
}

template <class Appearance> void TExtStrip<Appearance>::ArrangeButtons()
{
    if (FButtonList.Count() == 0)
        return;
    const TRect area = GetButtonArea();
    int x = FAppearance->ButtonAlignment() == baRight ? area.Right : area.Left;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TExtButton* b = Button(i);
        // Not centred in the area: its top is not added (kept as the strips have always placed them).
        const int top = std::max(area.Top, (area.Bottom - b->Height()) / 2);
        int left;
        if (FAppearance->ButtonAlignment() == baRight) {
            left = x - b->Width();
            x = left;
        } else {
            left = x;
            x += b->Width();
        }
        b->SetBounds(left, top, b->Width(), b->Height());
    }
}

template <class Appearance> void TExtStrip<Appearance>::UpdateButtons()
{
    if (!FExtDropDown)
        return;
    const auto* items = DropDownAppearance()->Buttons();
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TExtButton* b = Button(i);
        b->SetAppearance(FExtDropDown->ButtonAppearance());
        b->SetImages(FImages);
        if (i < items->Count()) {
            b->SetCaption(items->Items(i)->Caption());
            b->SetImageIndex(items->Items(i)->ImageIndex());
            b->SetEnabled(items->Items(i)->Enabled());
        }
        b->AutoSize = true;
    }
    ArrangeButtons();
}

template <class Appearance> void TExtStrip<Appearance>::Resize()
{
    TCustomControl::Resize();
    ArrangeButtons();
}

template <class Appearance> bool TExtStrip<Appearance>::DropDownHasBorder() const
{
    return FExtDropDown && FExtDropDown->DropDownBorderWidth() > 0 &&
           FExtDropDown->DropDownBorderColor() != clNone;
}

template <class Appearance> void TExtStrip<Appearance>::Paint()
{
    const TRect R = ClientRect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, Canvas, R);
        return;
    }
    const Appearance* a = FAppearance.get();
    if (a->ColorTo() == clNone) {
        if (a->Color() != clNone) {
            Canvas->Brush->Style = bsSolid;
            Canvas->Brush->Color = a->Color();
            Canvas->FillRect(R);
        }
    } else {
        DrawGradientBands(Canvas, a->Color(), a->ColorTo(), a->GradientDirection() == gdHorizontal, R, 80);
    }

    if (a->BorderColor() != clNone && a->BorderWidth() > 0) {
        Canvas->Pen->Color = a->BorderColor();
        Canvas->Pen->Width = a->BorderWidth();
        PaintBorder(R);
        Canvas->Pen->Width = 1;
    }

    TRect text(R.Left + a->BorderWidth(), R.Top + a->BorderWidth(), R.Right - a->BorderWidth(),
               R.Bottom - a->BorderWidth());
    if (a->ImageIndex() >= 0 && FImages) {
        FImages->Draw(Canvas, text.Left + 4, text.Top + (text.Height() - FImages->Height()) / 2,
                      a->ImageIndex());
        text.Left += FImages->Width() + 8;
    }

    QString caption = a->Caption();
    if (OnGetText)
        OnGetText(this, caption);
    if (!caption.isEmpty()) {
        if (FButtonList.Count() > 0)
            text.Right = Button(FButtonList.Count() - 1)->Left() - 2;
        Canvas->Font->Assign(a->Font());
        Canvas->Brush->Style = bsClear;
        const int h = StripCaption(Canvas, caption, text, FImages, Handle(), true);
        if (h < text.Height())
            text.Top += (text.Height() - h) / 2;
        StripCaption(Canvas, caption, text, FImages, Handle(), false);
    }
    PaintExtras(R);
}

template class TExtStrip<THeaderAppearance>;
template class TExtStrip<TFooterAppearance>;

// ---- Header ----------------------------------------------------------------------------------------

THeaderButtons* TExtHeader::Buttons() const
{
    return FExtDropDown ? FExtDropDown->DropDownHeader()->Buttons() : nullptr;
}

const THeaderAppearance* TExtHeader::DropDownAppearance() const
{
    return FExtDropDown->DropDownHeader();
}

TRect TExtHeader::GetButtonArea() const
{
    const TRect r = ClientRect();
    return TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 3);
}

void TExtHeader::SetupButton(TExtButton*, int) {}

void TExtHeader::ButtonClick(TObject* Sender)
{
    auto* button = dynamic_cast<TExtButton*>(Sender);
    if (button && FExtDropDown && FExtDropDown->OnDropDownHeaderButtonClick)
        FExtDropDown->OnDropDownHeaderButtonClick(FExtDropDown, int(button->Tag));
}

void TExtHeader::PaintBorder(const TRect& R)
{
    Canvas->MoveTo(R.Left, R.Bottom - 1);
    Canvas->LineTo(R.Right, R.Bottom - 1);
    if (!DropDownHasBorder()) {
        Canvas->MoveTo(R.Left, R.Bottom - 1);
        Canvas->LineTo(R.Left, R.Top);
        Canvas->LineTo(R.Right - 1, R.Top);
        Canvas->LineTo(R.Right - 1, R.Bottom - 1);
    }
    Canvas->Pen->Width = 1;
    Canvas->Pen->Color = BlendColors(FAppearance->BorderColor(), clWhite, 20);
    Canvas->Brush->Style = bsClear;
    Canvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom - FAppearance->BorderWidth());
}

// ---- Footer ----------------------------------------------------------------------------------------

TExtFooter::TExtFooter(TComponent* AOwner) : TExtStrip(AOwner)
{
    ControlStyle = ControlStyle | csCaptureMouse;
}

TFooterButtons* TExtFooter::Buttons() const
{
    return FExtDropDown ? FExtDropDown->DropDownFooter()->Buttons() : nullptr;
}

const TFooterAppearance* TExtFooter::DropDownAppearance() const
{
    return FExtDropDown->DropDownFooter();
}

bool TExtFooter::SizeGripVisible() const
{
    return FAppearance->SizeGrip() && FExtDropDown && FExtDropDown->DropDownSizeable();
}

TRect TExtFooter::GetButtonArea() const
{
    const TRect r = ClientRect();
    return TRect(r.Left + 2, r.Top + 2, r.Right - (SizeGripVisible() ? 14 : 2), r.Bottom - 2);
}

void TExtFooter::SetupButton(TExtButton* Button, int Index)
{
    Button->SetDropDown(FExtDropDown);
    Button->SetModalResult(FExtDropDown->DropDownFooter()->Buttons()->Items(Index)->ModalResult());
}

void TExtFooter::ButtonClick(TObject* Sender)
{
    auto* button = dynamic_cast<TExtButton*>(Sender);
    if (button && FExtDropDown && FExtDropDown->OnDropDownFooterButtonClick)
        FExtDropDown->OnDropDownFooterButtonClick(FExtDropDown, int(button->Tag));
}

void TExtFooter::PaintBorder(const TRect& R)
{
    Canvas->MoveTo(R.Left, R.Top);
    Canvas->LineTo(R.Right, R.Top);
    if (!DropDownHasBorder()) {
        Canvas->MoveTo(R.Left, R.Top);
        Canvas->LineTo(R.Left, R.Bottom);
        Canvas->LineTo(R.Right - 1, R.Bottom);
        Canvas->LineTo(R.Right - 1, R.Top);
    }
    Canvas->Pen->Width = 1;
    Canvas->Pen->Color = BlendColors(FAppearance->BorderColor(), clWhite, 20);
    Canvas->Brush->Style = bsClear;
    Canvas->Rectangle(R.Left, R.Top + FAppearance->BorderWidth(), R.Right, R.Bottom);
}

void TExtFooter::PaintExtras(const TRect& R)
{
    if (!SizeGripVisible())
        return;
    const int bw = FAppearance->BorderWidth();
    DrawSizeGrip(TRect(R.Right - bw - 16, 1, R.Right - bw - 1, R.Bottom));
}

void TExtFooter::DrawSizeGrip(const TRect& G)
{
    static constexpr TPoint Dots[] = {{5, -4}, {9, -4}, {13, -4}, {9, -8}, {13, -8}, {13, -12}};
    Canvas->Brush->Style = bsSolid;
    // White squares first, then the same staircase in the border colour one pixel up and left.
    for (const TColor color : {TColor(clWhite), FAppearance->BorderColor()}) {
        const int shift = color == clWhite ? 0 : -1;
        if (color == clNone)
            continue;
        Canvas->Brush->Color = color;
        for (const TPoint& d : Dots) {
            const int x = G.Left + d.X + shift, y = G.Bottom + d.Y + shift;
            Canvas->FillRect(TRect(x, y, x + 2, y + 2));
        }
    }
}

bool TExtFooter::InGripCorner(int X, int Y) const
{
    return SizeGripVisible() && X > Width() - 12 && Y > Height() - 15;
}

void TExtFooter::RestoreCursor()
{
    if (Screen->Cursor() != FOldCursor)
        Screen->SetCursor(FOldCursor);
}

void TExtFooter::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtStrip::HandleMouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Parent() || !InGripCorner(X, Y))
        return;
    SetMouseCapture(false);
    // The system's resize from the window's bottom-right corner: the pop-up's manual resize.
    if (auto* form = dynamic_cast<TDropDownForm*>(GetParentForm(this)))
        form->BeginManualResize(ClientToScreen(TPoint(X, Y)));
}

void TExtFooter::WidgetMouse(QMouseEvent* event, TControlWidgetLink& link)
{
    auto* form = dynamic_cast<TDropDownForm*>(GetParentForm(this));
    if (form && form->Resizing() && event->type() == QEvent::MouseMove) {
        const QPoint global = event->globalPosition().toPoint();
        GuardedDispatch([&] { form->ManualResizeTo(TPoint(global.x(), global.y())); });
        event->accept();
        return;
    }
    TExtStrip::WidgetMouse(event, link);
}

void TExtFooter::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    TExtStrip::HandleMouseMove(Shift, X, Y);
    if (InGripCorner(X, Y))
        Screen->SetCursor(crSizeNWSE);
    else
        RestoreCursor();
}

void TExtFooter::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtStrip::HandleMouseUp(Button, Shift, X, Y);
    if (auto* form = dynamic_cast<TDropDownForm*>(GetParentForm(this)); form && Button == mbLeft)
        form->EndManualResize();
    RestoreCursor();
}

void TExtFooter::HandleMouseEnter()
{
    TExtStrip::HandleMouseEnter();
    if (Screen->Cursor() != crSizeNWSE)
        FOldCursor = Screen->Cursor();
}

void TExtFooter::HandleMouseLeave()
{
    TExtStrip::HandleMouseLeave();
    RestoreCursor();
}
