// The canvas's 0.1 mm mapping mode and the call recorder the print engine draws through.
#include "platform/graphics/Canvas.h"
#include "platform/graphics/CanvasMapping.h"
#include "platform/graphics/Printers.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

namespace
{

QImage PageImage(int Width, int Height, int Dpi)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dpm = int(std::lround(Dpi / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    return image;
}

bool Ink(const QImage& Image, int X, int Y)
{
    return qGray(Image.pixel(X, Y)) < 128;
}

} // namespace

TEST(PrintCanvas, LogicalToDevicePointsFollowTheResolution)
{
    struct TCase {
        int Dpi;
        TPoint Logical, Device;
    };
    for (const TCase& t : {TCase{254, {100, -200}, {100, 200}}, TCase{1200, {254, -254}, {1200, 1200}},
                           TCase{96, {254, -127}, {96, 48}}}) {
        QImage image = PageImage(10, 10, t.Dpi);
        TCanvas canvas(&image);
        EXPECT_EQ(GetDeviceCaps(&canvas, LOGPIXELSX), t.Dpi);
        EXPECT_EQ(SetMapMode(&canvas, MM_LOMETRIC), MM_TEXT);
        TPoint p = t.Logical;
        LPtoDP(&canvas, p);
        EXPECT_EQ(p, t.Device) << t.Dpi;
        DPtoLP(&canvas, p);
        EXPECT_EQ(p, t.Logical) << t.Dpi;
        TRect r(0, 0, t.Logical.X, t.Logical.Y);
        LPtoDP(&canvas, r);
        EXPECT_EQ(r, TRect(0, 0, t.Device.X, t.Device.Y));
        EXPECT_EQ(SetMapMode(&canvas, MM_TEXT), MM_LOMETRIC);
        p = t.Logical;
        LPtoDP(&canvas, p);
        EXPECT_EQ(p, t.Logical) << "MM_TEXT leaves points as they are";
    }
}

TEST(PrintCanvas, TextStandsUprightBelowAndRightOfItsPoint)
{
    QImage image = PageImage(300, 300, 254);
    TCanvas canvas(&image);
    SetMapMode(&canvas, MM_LOMETRIC);
    canvas.Font->Name = "DejaVu Sans";
    canvas.Font->Height = -80;
    canvas.Brush->Style = bsClear;
    canvas.TextOut(100, -100, "L");
    int left = 300, right = -1, top = 300, bottom = -1;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            if (Ink(image, x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GT(right, left) << "the glyph was drawn";
    EXPECT_GE(left, 100);
    EXPECT_GE(top, 100);
    // An upright L: the stroke runs down the left side, the foot along the bottom.
    int leftColumn = 0, topRow = 0, bottomRow = 0;
    for (int y = top; y <= bottom; ++y)
        leftColumn += Ink(image, left + 1, y);
    for (int x = left; x <= right; ++x) {
        topRow += Ink(image, x, top + 1);
        bottomRow += Ink(image, x, bottom - 1);
    }
    EXPECT_GT(leftColumn, (bottom - top) * 3 / 4);
    EXPECT_GT(bottomRow, (right - left) * 3 / 4);
    EXPECT_LT(topRow, (right - left) / 2);
}

TEST(PrintCanvas, MeasuresAndClipsInLogicalUnits)
{
    for (int dpi : {254, 1200}) {
        QImage image = PageImage(dpi * 2, dpi * 3, dpi);
        TCanvas canvas(&image);
        SetMapMode(&canvas, MM_LOMETRIC);
        canvas.Font->Height = -28;
        const int h = canvas.TextHeight("gh");
        EXPECT_GE(h, 28) << dpi;
        EXPECT_LE(h, 40) << dpi;
        EXPECT_GT(canvas.TextWidth("gh"), 0);
        TRect r(10, -20, 10, -20);
        const int height = canvas.DrawText("gh", r, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_EQ(height, h);
        EXPECT_EQ(r.Bottom, -20 - h) << "bottom = top - height";
        EXPECT_EQ(r.Right - r.Left, canvas.TextWidth("gh"));
        // Two inches by three: 508 x 762 tenths of a millimetre, the page top at 0.
        EXPECT_EQ(canvas.ClipRect(), TRect(0, 0, 508, -762)) << dpi;
    }
}

TEST(PrintCanvas, FillsAndLinesLandOnTheirPixels)
{
    QImage image = PageImage(100, 100, 254);
    TCanvas canvas(&image);
    SetMapMode(&canvas, MM_LOMETRIC);
    canvas.Brush->Color = clRed;
    canvas.FillRect(TRect(10, -10, 30, -40));
    EXPECT_EQ(canvas.GetPixel(20, -20), clRed);
    SetMapMode(&canvas, MM_TEXT);
    EXPECT_EQ(canvas.GetPixel(20, 20), clRed);
    EXPECT_EQ(canvas.GetPixel(20, 45), clWhite);
    SetMapMode(&canvas, MM_LOMETRIC);
    canvas.Pen->Width = 3;
    canvas.Pen->Color = clBlue;
    canvas.MoveTo(50, -60);
    canvas.LineTo(90, -60);
    SetMapMode(&canvas, MM_TEXT);
    EXPECT_EQ(canvas.GetPixel(70, 60), clBlue);
    EXPECT_EQ(canvas.Pen->Width, 3) << "the pen keeps its logical width";
}

TEST(PrintCanvas, RecorderHearsTextLinesAndRectangles)
{
    QImage image = PageImage(100, 100, 254);
    TCanvas canvas(&image);
    TCanvasRecorder recorder;
    SetCanvasRecorder(&canvas, &recorder);
    SetMapMode(&canvas, MM_LOMETRIC);
    canvas.Font->Height = -28;
    canvas.TextOut(5, -6, "A");
    TRect r(0, 0, 50, -50);
    canvas.DrawText("B", r, DT_RIGHT | DT_SINGLELINE);
    canvas.MoveTo(1, -2);
    canvas.LineTo(3, -4);
    canvas.FillRect(TRect(1, -1, 9, -9));
    ASSERT_EQ(recorder.Calls.size(), 4u) << "each call once, not again from the pixel code";
    EXPECT_EQ(recorder.Calls[0].Text, "A");
    EXPECT_EQ(recorder.Calls[0].Point, TPoint(5, -6));
    EXPECT_EQ(recorder.Calls[0].FontHeight, -28);
    EXPECT_EQ(recorder.Calls[0].MapMode, MM_LOMETRIC);
    EXPECT_EQ(recorder.Calls[1].Rect, TRect(0, 0, 50, -50));
    EXPECT_TRUE(recorder.Calls[1].Flags & DT_RIGHT);
    EXPECT_EQ(recorder.Calls[2].Kind, TCanvasCall::ckLine);
    EXPECT_EQ(recorder.Calls[2].To, TPoint(3, -4));
    EXPECT_EQ(recorder.Calls[3].Kind, TCanvasCall::ckRect);
    EXPECT_EQ(canvas.Font->Height, -28) << "the logical height is back after the call";
}
