// The print tests' grid and page: a string grid on a shown form set up with fixed printed sizes, and
// a 254-dpi image canvas (one pixel = 0.1 mm) with a recorder.
#pragma once

#include "grid/GridOnForm.h"
#include "grid/core/ExtGrid.h"
#include "platform/graphics/CanvasMapping.h"

#include <QDate>
#include <QImage>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace printtest
{

// An A4 page at 254 dpi with its canvas and the canvas's recorder.
struct TPreviewPage {
    explicit TPreviewPage(int Width = 2100, int Height = 2970) : Image(Width, Height, QImage::Format_RGB32)
    {
        Image.fill(Qt::white);
        Image.setDotsPerMeterX(10000);
        Image.setDotsPerMeterY(10000);
        Canvas = std::make_unique<TCanvas>(&Image);
        SetCanvasRecorder(Canvas.get(), &Recorder);
    }
    const TCanvasCall* FindText(const QString& Text) const
    {
        for (const TCanvasCall& c : Recorder.Calls)
            if (c.Kind == TCanvasCall::ckText && c.Text == Text)
                return &c;
        return nullptr;
    }
    // Texts drawn into cells (the header and footer draw with TextOut, without a rectangle).
    QStringList CellTexts() const
    {
        QStringList texts;
        for (const TCanvasCall& c : Recorder.Calls)
            if (c.Kind == TCanvasCall::ckText && c.HasRect && !c.Text.isEmpty())
                texts << c.Text;
        return texts;
    }
    // Measured on this canvas in layout units with Font at its mapped height.
    int WidthOf(const QString& Text, const TFont* Font) { return Measure(Font, Text).X; }
    int HeightOf(const TFont* Font) { return Measure(Font, "gh").Y; }

    QImage Image;
    std::unique_ptr<TCanvas> Canvas;
    TCanvasRecorder Recorder;

  private:
    TPoint Measure(const TFont* Font, const QString& Text)
    {
        SetCanvasRecorder(Canvas.get(), nullptr);
        const int mode = SetMapMode(Canvas.get(), MM_LOMETRIC);
        Canvas->Font->Assign(Font);
        Canvas->Font->Height = -int(Font->Size * 254 / 72);
        const TPoint r(Canvas->TextWidth(Text), Canvas->TextHeight("gh"));
        SetMapMode(Canvas.get(), mode);
        SetCanvasRecorder(Canvas.get(), &Recorder);
        return r;
    }
};

inline QStringList RowTexts(int From, int To)
{
    QStringList texts;
    for (int r = From; r <= To; ++r)
        texts << "r" + QString::number(r);
    return texts;
}

class PrintTest : public GridOnForm<TExtStringGrid>
{
  protected:
    void SetUp() override { ShowForm(700, 500); }
    // Cols x Rows, "r0" .. in column 0, one fixed row, 50 x 24 mm cells, no margins or spacings,
    // centred, the page number bottom right.
    void SetupLayoutGrid(int Cols, int Rows)
    {
        grid->SetFixedCols(0);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        grid->SetFixedRows(1);
        for (int r = 0; r < Rows; ++r)
            grid->SetCells(0, r, "r" + QString::number(r));
        TPrintSettings* s = grid->PrintSettings();
        s->UseFixedWidth = true;
        s->FixedWidth = 500;
        s->UseFixedHeight = true;
        s->FixedHeight = 240;
        s->Centered = true;
        s->PageNr = ppBottomRight;
    }
};

} // namespace printtest
