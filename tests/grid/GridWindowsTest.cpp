// Move arrows, the focus frame window, alpha masks, rounded masks and the blur.
#include "grid/base/GridWindows.h"

#include "platform/controls/Forms.h"
#include "platform/controls/LayeredWindows.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace
{

std::unique_ptr<TBitmap> Bitmap24(int w, int h, TColor fill)
{
    auto b = std::make_unique<TBitmap>(w, h, pf24bit);
    b->Canvas->Brush->Color = fill;
    b->Canvas->FillRect(TRect(0, 0, w, h));
    return b;
}

// B, G, R(, A) bytes of one pixel.
std::vector<int> Bytes(const TBitmap& b, int x, int y)
{
    const int n = b.PixelFormat() == pf24bit ? 3 : 4;
    const uint8_t* p = b.ScanLine(y) + n * x;
    return std::vector<int>(p, p + n);
}

// ---- Arrow and focus windows ----------------------------------------------------------------------------

TEST(ArrowWindow, EachDirectionHasItsShapeAndStartsHiddenGreenOverItsOwner)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 200, 200);
    form.Show();
    struct {
        TArrowDirection dir;
        QPoint in1, in2, out1, out2;
    } cases[] = {
        {arrUp, {5, 1}, {4, 8}, {0, 0}, {9, 8}},
        {arrDown, {5, 7}, {4, 1}, {0, 0}, {1, 7}},
        {arrLeft, {7, 5}, {1, 5}, {8, 0}, {0, 9}},
        {arrRight, {1, 5}, {7, 5}, {0, 0}, {8, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.dir));
        TArrowWindow* arrow = TArrowWindow::Init(&form, c.dir);
        EXPECT_EQ(arrow->Dir(), c.dir);
        EXPECT_EQ(arrow->Color(), TColor(0x00FF00));
        EXPECT_FALSE(arrow->Visible());
        EXPECT_FALSE(arrow->Widget()->isVisible());
        EXPECT_EQ(arrow->Parent(), &form);
        // A window of its own, owned by the form's, that never grabs the input.
        EXPECT_TRUE(arrow->Widget()->isWindow());
        EXPECT_EQ(arrow->Widget()->parentWidget(), form.Widget());
        EXPECT_NE(arrow->Widget()->windowType(), Qt::Popup);
        const QRegion shape = arrow->Widget()->mask();
        EXPECT_TRUE(shape.contains(c.in1));
        EXPECT_TRUE(shape.contains(c.in2));
        EXPECT_FALSE(shape.contains(c.out1));
        EXPECT_FALSE(shape.contains(c.out2));
    }
}

TEST(ArrowWindow, ShownAtScreenPointWithoutTakingTheFocus)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 200, 200);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    form.Show();
    QApplication::setActiveWindow(form.Widget());
    edit->SetFocus();
    QApplication::processEvents();
    TArrowWindow* arrow = TArrowWindow::Init(&form, arrDown);
    arrow->SetBounds(400, 300, 10, 10);
    arrow->Show();
    QApplication::processEvents();
    EXPECT_TRUE(arrow->Showing());
    EXPECT_EQ(arrow->Widget()->geometry(), QRect(400, 300, 10, 10));
    EXPECT_EQ(QApplication::focusWidget(), edit->Widget());
    // Painted in its colour all over.
    EXPECT_EQ(arrow->Widget()->grab().toImage().pixelColor(5, 5), QColor(0, 255, 0));
}

TEST(GridFocusWindow, EmptyRedAndNeverFocused)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 200, 200);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    form.Show();
    QApplication::setActiveWindow(form.Widget());
    edit->SetFocus();
    QApplication::processEvents();

    auto* frame = new TGridFocusWindow(&form);
    EXPECT_EQ(frame->Width(), 0);
    EXPECT_EQ(frame->Height(), 0);
    EXPECT_EQ(frame->Color(), TColor(0x0000FF));
    EXPECT_TRUE(frame->Widget()->isWindow());
    EXPECT_TRUE(frame->Widget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(frame->Widget()->windowFlags().testFlag(Qt::WindowTransparentForInput));
    frame->SetBounds(150, 150, 30, 20);
    frame->Show();
    QApplication::processEvents();
    EXPECT_TRUE(frame->Showing());
    EXPECT_EQ(QApplication::focusWidget(), edit->Widget());
    EXPECT_EQ(QApplication::activeWindow(), form.Widget());
}

TEST(GridFocusWindow, ShowsTheMergedFrameThroughTheLayeredWindowCall)
{
    TForm form(nullptr);
    form.Show();
    auto* frame = new TGridFocusWindow(&form);
    constexpr int W = 80, H = 60;
    TBitmap mask, picture(W, H, pf24bit);
    CreateRoundRectMask(&mask, W, H, 4, 5, 3);
    picture.Canvas->Brush->Color = TColor(0xFDD397);
    picture.Canvas->FillRect(TRect(0, 0, W, H));
    TGridAlphaMask alpha;
    alpha.MergeMask(&mask, &picture, clNone);
    alpha.Opacity = 230;
    const TPoint at(200, 150), source(0, 0);
    const TSize size{W, H};
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = alpha.Opacity;
    ASSERT_TRUE(UpdateLayeredWindow(frame->Handle(), nullptr, &at, &size, alpha.Canvas, &source, clNone,
                                    &blend, ULW_ALPHA));
    frame->Show();
    QApplication::processEvents();
    EXPECT_EQ(frame->Widget()->geometry(), QRect(200, 150, W, H));
    const QImage shot = frame->Widget()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_GT(qAlpha(shot.pixel(W / 2, 4)), 100);   // on the frame
    EXPECT_EQ(qAlpha(shot.pixel(W / 2, H / 2)), 0); // the middle stays clear
}

// ---- Alpha mask ---------------------------------------------------------------------------------------

TEST(GridAlphaMask, MergeMaskPremultipliesByTheMasksRed)
{
    TGridAlphaMask alpha;
    EXPECT_EQ(alpha.Opacity, 255);
    EXPECT_EQ(alpha.PixelFormat(), pf32bit);
    auto bitmap = Bitmap24(3, 2, TColor(200 | 100 << 8 | 50 << 16));
    auto mask = Bitmap24(3, 2, TColor(128 | 255 << 8 | 255 << 16)); // only the red byte counts
    mask->Canvas->SetPixel(2, 1, clWhite);
    alpha.MergeMask(mask.get(), bitmap.get(), clRed);
    ASSERT_EQ(alpha.Width(), 3);
    ASSERT_EQ(alpha.Height(), 2);
    EXPECT_EQ(Bytes(alpha, 0, 0), (std::vector<int>{25, 50, 100, 128}));
    EXPECT_EQ(Bytes(alpha, 2, 1), (std::vector<int>{50, 100, 200, 255}));
}

TEST(GridAlphaMask, WrongFormatsOrASmallerMaskLeaveItUnchanged)
{
    auto bitmap = Bitmap24(4, 4, clWhite);
    auto mask = Bitmap24(4, 4, clWhite);
    TGridAlphaMask alpha;
    alpha.MergeMask(mask.get(), bitmap.get(), clNone);
    const std::vector<int> before = Bytes(alpha, 1, 1);

    TBitmap bitmap32(6, 6, pf32bit);
    auto small = Bitmap24(3, 4, clBlack);
    TBitmap mask32(4, 4, pf32bit);
    for (auto [m, b] : {std::pair<TBitmap*, TBitmap*>{mask.get(), &bitmap32},
                        {small.get(), bitmap.get()},
                        {&mask32, bitmap.get()}}) {
        alpha.MergeMask(m, b, clNone);
        EXPECT_EQ(alpha.Width(), 4);
        EXPECT_EQ(alpha.Height(), 4);
        EXPECT_EQ(Bytes(alpha, 1, 1), before);
    }
}

TEST(GridAlphaMask, AssignTakesOpacitySizeAndBytes)
{
    auto bitmap = Bitmap24(2, 2, TColor(0x102030));
    auto mask = Bitmap24(2, 2, clWhite);
    TGridAlphaMask source;
    source.MergeMask(mask.get(), bitmap.get(), clNone);
    source.Opacity = 230;
    TGridAlphaMask copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Opacity, 230);
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
    EXPECT_EQ(Bytes(copy, 1, 1), Bytes(source, 1, 1));
    copy.Assign(bitmap.get());
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
    EXPECT_EQ(copy.Width(), 2);
}

// ---- Rounded mask and blur ----------------------------------------------------------------------------

TEST(RoundRectMask, FilledRectangleInsetOnBlack)
{
    TBitmap b;
    CreateRoundRectMask(&b, 10, 10, 0, 0, 0);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(b.Width(), 10);
    EXPECT_EQ(b.Height(), 10);
    EXPECT_EQ(b.Canvas->GetPixel(2, 2), clWhite);
    EXPECT_EQ(b.Canvas->GetPixel(7, 7), clWhite);
    EXPECT_EQ(b.Canvas->GetPixel(1, 1), clBlack);
    EXPECT_EQ(b.Canvas->GetPixel(8, 8), clBlack);
}

TEST(RoundRectMask, OutlineOnlyWithAPen)
{
    TBitmap b;
    CreateRoundRectMask(&b, 30, 30, 4, 5, 0);
    EXPECT_EQ(b.Canvas->GetPixel(15, 5), clWhite);  // on the top edge
    EXPECT_EQ(b.Canvas->GetPixel(15, 15), clBlack); // inside
    EXPECT_EQ(b.Canvas->GetPixel(0, 0), clBlack);
}

TEST(BlurBitmap, KernelIsTrimmedToTheWeightsThatMatter)
{
    EXPECT_EQ(MakeGaussianKernel(3).Size, 8);
    EXPECT_EQ(MakeGaussianKernel(1).Size, 2);
    const TGaussianKernel k = MakeGaussianKernel(3);
    double sum = 0;
    for (int j = -k.Size; j <= k.Size; ++j)
        sum += k.Weights[j + 10];
    EXPECT_NEAR(sum, 1.0, 1e-6);
    EXPECT_FLOAT_EQ(k.Weights[10 - 3], k.Weights[10 + 3]);
    EXPECT_GT(k.Weights[10], k.Weights[11]);
}

TEST(BlurBitmap, SpreadsAPointEvenlyAndLeavesFlatAreasFlat)
{
    auto b = Bitmap24(9, 9, clBlack);
    b->Canvas->SetPixel(4, 4, clWhite);
    BlurBitmap(b.get(), 1);
    const int centre = Bytes(*b, 4, 4)[0];
    EXPECT_LT(centre, 255);
    EXPECT_GT(centre, 0);
    EXPECT_EQ(Bytes(*b, 3, 4), Bytes(*b, 5, 4));
    EXPECT_EQ(Bytes(*b, 4, 3), Bytes(*b, 4, 5));
    EXPECT_EQ(Bytes(*b, 3, 3), Bytes(*b, 5, 5));
    EXPECT_EQ(Bytes(*b, 0, 0), (std::vector<int>{0, 0, 0}));

    // Sums are truncated: a flat area may lose a little in each pass, but stays flat.
    auto flat = Bitmap24(5, 5, TColor(0x646464));
    BlurBitmap(flat.get(), 2);
    const std::vector<int> middle = Bytes(*flat, 2, 2);
    EXPECT_GE(middle[0], 98);
    EXPECT_LE(middle[0], 100);
    EXPECT_EQ(Bytes(*flat, 0, 0), middle);
    EXPECT_EQ(Bytes(*flat, 4, 1), middle);
}

TEST(BlurBitmap, MiddleRowsAndColumnsAreCopies)
{
    TBitmap b;
    CreateRoundRectMask(&b, 60, 50, 4, 5, 3);
    // Row 25 and column 30 lie more than 20 pixels from both edges.
    for (int x = 0; x < 60; ++x)
        EXPECT_EQ(Bytes(b, x, 25), Bytes(b, x, 15)) << x;
    for (int y = 0; y < 50; ++y)
        EXPECT_EQ(Bytes(b, 30, y), Bytes(b, 15, y)) << y;
    // The outline is soft now: neither pure white nor black next to it.
    const int edge = Bytes(b, 30, 1)[2];
    EXPECT_GT(edge, 0);
    EXPECT_LT(edge, 255);
}

TEST(BlurBitmap, RadiusZeroOrAnotherFormatChangesNothing)
{
    auto b = Bitmap24(5, 5, clBlack);
    b->Canvas->SetPixel(2, 2, clWhite);
    BlurBitmap(b.get(), 0);
    BlurBitmap(b.get(), -2);
    EXPECT_EQ(Bytes(*b, 2, 2), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(Bytes(*b, 1, 2), (std::vector<int>{0, 0, 0}));

    TBitmap b32(5, 5, pf32bit);
    b32.Canvas->SetPixel(2, 2, clWhite);
    try {
        BlurBitmap(&b32, 3);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message, "Blur only works for 24-bit bitmaps");
    }
    EXPECT_EQ(b32.Canvas->GetPixel(2, 2), clWhite);
    EXPECT_EQ(b32.Canvas->GetPixel(1, 2), b32.Canvas->GetPixel(0, 0));
}

} // namespace
