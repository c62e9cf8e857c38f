// THTMLHintWindow: a hint window that shows mini-HTML (and wide-escaped texts) - the grid's cell hints
// with markup and its sizing and scrolling hints.
//
// Protocol: CalcHintRect measures the text alone (no margins); ActivateHint lays it out again,
// adds its margins (16 pixels across, 4 down; 8 across for a wide text), keeps the window 2 pixels
// inside the monitor and shows it topmost without activating; Paint fills, frames and draws it.
#pragma once

#include "platform/controls/Hints.h"
#include "platform/graphics/ImgList.h"

class TPictureContainer;

class THTMLHintWindow : public THintWindow
{
  public:
    explicit THTMLHintWindow(TComponent* AOwner);

    TRect CalcHintRect(int MaxWidth, const QString& AHint, void* AData) override;
    void ActivateHint(TRect Rect, const QString& AHint) override;
    // AData: a string grid, whose images and pictures the markup may use.
    void ActivateHintData(TRect Rect, const QString& AHint, void* AData) override;

    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }
    // The font name wide texts are drawn in (the grid's font when it computed the hint).
    static QString& HintFontName();

  protected:
    void Paint() override;
    void HandleTextChanged() override;

  private:
    // Lays the hint out in Rect without drawing: (width, height) of the text.
    TPoint Measure(const QString& AHint, const TRect& Rect);
    void Render(const QString& AHint, const TRect& Rect, bool MeasureOnly, int& Width, int& Height);

    TImageList* FImages = nullptr;
    TPictureContainer* FPictureContainer = nullptr;
    int FTextHeight = 0;
    int FTextWidth = 0;
    QString FWideCaption;
};
