// Panels, images, shapes, paint boxes and the timer of the toolkit layer.
#pragma once

#include "platform/Controls.h"

class QTimer;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A container drawn with the toolkit's bevels: outer bevel, a border of the panel's colour, inner
// bevel, then the caption centred. Aligned controls inside stay within the bevels.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool ParentBackground = false;

protected:
    void Paint() override;
    void AlignControls(TRect& Rect) override;

private:
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
};

using TCustomPanel = TPanel;

// Shows a picture: at its size from the top-left, centred (Center), scaled to the control (Stretch)
// or scaled keeping its proportions (Proportional, only when it does not fit). Transparent draws a
// bitmap keyed on its transparent colour. Changing the picture through Picture() repaints (and
// resizes with AutoSize) once the current event is handled; PictureChanged() does it at once.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture();
    const TPicture* Picture() const { return FPicture.get(); }
    void PictureChanged();

    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    // Where the picture is drawn in the client area.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FAutoSize = false;
    bool FChangePending = false;
};

// A rectangle, square, rounded rectangle, ellipse or circle drawn with Pen and Brush.
class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);
    ~TShape() override;

    TPen* const Pen;
    TBrush* const Brush;
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType Value);

protected:
    void Paint() override;

private:
    TShapeType FShape = stRectangle;
};

// A control painted by its OnPaint handler on Canvas.
class TPaintBox : public TGraphicControl {
public:
    explicit TPaintBox(TComponent* AOwner);
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

// A timer on the GUI thread. OnTimer fires every Interval milliseconds while Enabled and Interval > 0.
// As in the toolkit: enabling an enabled timer does not restart it, setting the interval it already
// has does nothing, and changing the interval of a running timer restarts the count.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    bool Running() const;
    // Milliseconds until the next tick; -1 when the timer is not running.
    int RemainingTime() const;

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    QTimer* FTimer;
    bool FEnabled = true;
    unsigned FInterval = 1000;
};
