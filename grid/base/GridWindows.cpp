// Move arrows, the focus frame window, alpha masks and the blur of the focus frame.
#include "grid/base/GridWindows.h"

#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace
{

constexpr TColor ArrowColor = 0x00FF00;
constexpr TColor FocusWindowColor = 0x0000FF;

// The seven points of each arrow, in TArrowDirection order.
const std::vector<TPoint> ArrowShapes[] = {
    {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}},
    {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}},
    {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}},
    {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}},
};

QWidget* OwnerWindowOf(TComponent* Owner)
{
    auto* control = dynamic_cast<TWinControl*>(Owner);
    return control ? control->Widget() : nullptr;
}

// Re-parents a window-to-be under its owner's widget and keeps it a top-level window there.
void SetTopLevel(QWidget* w, QWidget* owner, Qt::WindowFlags flags)
{
    const bool visible = w->isVisible();
    const QRect geometry = w->geometry();
    w->setParent(owner, flags);
    w->setGeometry(geometry);
    if (visible)
        w->show();
}

constexpr Qt::WindowFlags ArrowFlags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
// A tool-tip window: on top, no taskbar entry, and never activated when shown (a Qt::Tool window
// may be, depending on the platform).
constexpr Qt::WindowFlags FocusFlags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                       Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput;

} // namespace

// ---- TArrowWindow -------------------------------------------------------------------------------------

TArrowWindow::TArrowWindow(TComponent* AOwner) : TPanel(AOwner)
{
    Widget()->setAttribute(Qt::WA_ShowWithoutActivating);
    MakeTopLevel(nullptr);
    SetTabStop(false);
    SetDir(arrUp);
}

TArrowWindow* TArrowWindow::Init(TComponent* AOwner, TArrowDirection Direction)
{
    auto* arrow = new TArrowWindow(AOwner);
    arrow->SetDir(Direction);
    arrow->SetColor(ArrowColor);
    if (auto* owner = dynamic_cast<TWinControl*>(AOwner))
        arrow->SetParent(owner);
    arrow->Hide();
    return arrow;
}

void TArrowWindow::SetDir(TArrowDirection Value)
{
    FDir = Value;
    FArrow = ArrowShapes[std::clamp(int(Value), 0, 3)];
    Widget()->setMask(CreatePolygonRgn(FArrow));
}

void TArrowWindow::SetParent(TWinControl* AParent)
{
    TPanel::SetParent(AParent);
    MakeTopLevel(AParent ? AParent->Widget() : nullptr);
}

void TArrowWindow::MakeTopLevel(QWidget* OwnerWindow)
{
    SetTopLevel(Widget(), OwnerWindow, ArrowFlags);
    // Re-parenting drops the shape.
    if (!FArrow.empty())
        Widget()->setMask(CreatePolygonRgn(FArrow));
}

void TArrowWindow::ApplyVisible()
{
    // A window of its own: it shows whether or not it has a parent.
    Widget()->setVisible(Visible());
}

void TArrowWindow::Paint()
{
    Canvas->Pen->Color = Color();
    Canvas->Brush->Color = Color();
    Canvas->Brush->Style = bsSolid;
    Canvas->FillRect(ClientRect());
}

// ---- TGridFocusWindow ---------------------------------------------------------------------------------

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    Widget()->setAttribute(Qt::WA_ShowWithoutActivating);
    Widget()->setAttribute(Qt::WA_TranslucentBackground);
    Widget()->setFocusPolicy(Qt::NoFocus);
    MakeTopLevel(OwnerWindowOf(AOwner));
    SetTabStop(false);
    SetBounds(0, 0, 0, 0);
    SetColor(FocusWindowColor);
    Hide();
}

void TGridFocusWindow::SetParent(TWinControl* AParent)
{
    TCustomControl::SetParent(AParent);
    MakeTopLevel(AParent ? AParent->Widget() : OwnerWindowOf(Owner()));
}

void TGridFocusWindow::MakeTopLevel(QWidget* OwnerWindow)
{
    SetTopLevel(Widget(), OwnerWindow, FocusFlags);
}

void TGridFocusWindow::ApplyVisible()
{
    Widget()->setVisible(Visible());
}

// ---- TGridAlphaMask -----------------------------------------------------------------------------------

TGridAlphaMask::TGridAlphaMask()
{
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(const TBitmap* Mask, const TBitmap* Bitmap, TColor)
{
    if (!Bitmap || Bitmap->PixelFormat() != pf24bit)
        return;
    // A smaller mask would be read past its end.
    if (!Mask || Mask->PixelFormat() != pf24bit || Mask->Width() < Bitmap->Width() ||
        Mask->Height() < Bitmap->Height())
        return;
    SetPixelFormat(pf32bit);
    SetSize(Bitmap->Width(), Bitmap->Height());
    SetAlphaFormat(afPremultiplied);
    for (int y = 0; y < Bitmap->Height(); ++y) {
        const uint8_t* source = Bitmap->ScanLine(y);
        const uint8_t* alpha = Mask->ScanLine(y);
        uint8_t* target = ScanLine(y);
        for (int x = 0; x < Bitmap->Width(); ++x) {
            const unsigned a = alpha[3 * x + 2];
            for (int c = 0; c < 3; ++c)
                target[4 * x + c] = uint8_t((source[3 * x + c] * a + 127) / 255);
            target[4 * x + 3] = uint8_t(a);
        }
    }
}

void TGridAlphaMask::Assign(const TBitmap* Source)
{
    if (const auto* other = dynamic_cast<const TGridAlphaMask*>(Source)) {
        if (other == this)
            return;
        Opacity = other->Opacity;
        SetPixelFormat(pf32bit);
        SetSize(other->Width(), other->Height());
        SetAlphaFormat(other->AlphaFormat());
        for (int y = 0; y < other->Height(); ++y)
            std::copy_n(other->ScanLine(y), 4 * other->Width(), ScanLine(y));
        return;
    }
    TBitmap::Assign(Source);
    SetPixelFormat(pf32bit);
}

// ---- Masks and blur -----------------------------------------------------------------------------------

void CreateRoundRectMask(TBitmap* Bitmap, int Width, int Height, int PenWidth, int Corner, int Blur)
{
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(Width, Height);
    TCanvas* canvas = Bitmap->Canvas;
    canvas->Brush->Style = bsSolid;
    canvas->Brush->Color = clBlack;
    canvas->FillRect(TRect(0, 0, Width, Height));
    canvas->Pen->Color = clWhite;
    canvas->Pen->Style = psSolid;
    if (PenWidth < 1) {
        canvas->Pen->Width = 1;
        canvas->Brush->Color = clWhite;
    } else {
        canvas->Pen->Width = PenWidth;
        canvas->Brush->Color = clBlack;
    }
    const int h = PenWidth / 2;
    canvas->RoundRect(h + 2, h + 2, Width - h - 2, Height - h - 2, Corner, Corner);
    canvas->Pen->Width = 1;
    if (Blur > 0)
        BlurBitmap(Bitmap, Blur);
}

TGaussianKernel MakeGaussianKernel(int Radius)
{
    TGaussianKernel k;
    float* w = k.Weights + 10; // w[-10 .. 10]
    for (int j = -10; j <= 10; ++j) {
        const double t = double(j) / Radius;
        w[j] = float(std::exp(-t * t / 2));
    }
    double sum = 0;
    for (int j = -10; j <= 10; ++j)
        sum += w[j];
    for (int j = -10; j <= 10; ++j)
        w[j] = float(w[j] / sum);
    // Drop the outer weights that together cannot change a byte.
    constexpr double delta = 1.0 / 510;
    double dropped = 0;
    k.Size = 10;
    while (dropped < delta && k.Size > 1) {
        dropped += 2 * double(w[k.Size]);
        --k.Size;
    }
    sum = 0;
    for (int j = -k.Size; j <= k.Size; ++j)
        sum += w[j];
    for (int j = -k.Size; j <= k.Size; ++j)
        w[j] = float(w[j] / sum);
    return k;
}

namespace
{

struct TBgr {
    uint8_t c[3];
};

uint8_t TrimToByte(double v)
{
    if (v < 0)
        return 0;
    if (v >= 255)
        return 255;
    return uint8_t(v);
}

void BlurLine(std::vector<TBgr>& line, std::vector<TBgr>& scratch, const TGaussianKernel& k)
{
    const int n = int(line.size());
    const float* w = k.Weights + 10;
    scratch.resize(line.size());
    for (int x = 0; x < n; ++x) {
        double sum[3] = {0, 0, 0};
        for (int j = -k.Size; j <= k.Size; ++j) {
            const TBgr& p = line[size_t(std::clamp(x - j, 0, n - 1))];
            for (int c = 0; c < 3; ++c)
                sum[c] += double(w[j]) * p.c[c];
        }
        for (int c = 0; c < 3; ++c)
            scratch[size_t(x)].c[c] = TrimToByte(sum[c]);
    }
    line.swap(scratch);
}

} // namespace

void BlurBitmap(TBitmap* Bitmap, int Radius)
{
    if (Bitmap->PixelFormat() != pf24bit)
        throw EInvalidGraphicOperation("Blur only works for 24-bit bitmaps");
    // k / Radius below has no meaning for a radius of 0.
    if (Radius <= 0)
        return;
    const TGaussianKernel kernel = MakeGaussianKernel(Radius);
    const int width = Bitmap->Width();
    const int height = Bitmap->Height();
    if (width == 0 || height == 0)
        return;
    std::vector<TBgr> line, scratch;

    for (int r = 0; r < height; ++r) {
        uint8_t* row = Bitmap->ScanLine(r);
        if (r > 20 && r < height - 20) {
            std::copy_n(Bitmap->ScanLine(15), 3 * width, row);
            continue;
        }
        line.assign(reinterpret_cast<TBgr*>(row), reinterpret_cast<TBgr*>(row) + width);
        BlurLine(line, scratch, kernel);
        std::copy_n(reinterpret_cast<const uint8_t*>(line.data()), 3 * width, row);
    }

    for (int c = 0; c < width; ++c) {
        if (c > 20 && c < width - 20) {
            for (int r = 0; r < height; ++r) {
                uint8_t* row = Bitmap->ScanLine(r);
                std::copy_n(row + 3 * 15, 3, row + 3 * c);
            }
            continue;
        }
        line.resize(size_t(height));
        for (int r = 0; r < height; ++r)
            std::copy_n(Bitmap->ScanLine(r) + 3 * c, 3, line[size_t(r)].c);
        BlurLine(line, scratch, kernel);
        for (int r = 0; r < height; ++r)
            std::copy_n(line[size_t(r)].c, 3, Bitmap->ScanLine(r) + 3 * c);
    }
}
