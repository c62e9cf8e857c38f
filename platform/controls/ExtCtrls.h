// Panels, images, shapes, paint boxes and the timer of the toolkit layer.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"

class QTimer;
class TImageList;
class TCategoryPanelGroup;

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

// ---- Category panels ----------------------------------------------------------------------------------

// A titled, collapsible container inside a TCategoryPanelGroup. The header (the group's
// HeaderHeight, caption in the group's HeaderFont, image from the group's Images, chevron at the
// right) sits on top; child controls sit below it, their Top counted from the header's bottom. A
// click on the header collapses or expands the panel. While collapsed the panel is as high as its
// header and a new height is kept for the next expansion.
class TCategoryPanel : public TCustomControl {
public:
    explicit TCategoryPanel(TComponent* AOwner);

    TCategoryPanelGroup* PanelGroup() const;
    void SetPanelGroup(TCategoryPanelGroup* Value);
    bool Collapsed() const { return FCollapsed; }
    void SetCollapsed(bool Value);
    void Collapse() { SetCollapsed(true); }
    void Expand() { SetCollapsed(false); }
    // The height when expanded (the current height unless collapsed).
    int FullHeight() const { return FCollapsed ? FFullHeight : Height(); }
    int ExpandedImageIndex = 0;
    int CollapsedImageIndex = 1;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() const override;

    TNotifyEvent OnCollapse;
    TNotifyEvent OnExpand;

    int HeaderHeight() const;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void Paint() override;
    QWidget* ChildHost() const override { return FSurface; }
    void Resize() override;

private:
    friend class TCategoryPanelGroup;
    void LayoutSurface();
    QWidget* FSurface;
    bool FCollapsed = false;
    int FFullHeight = 0;
    bool FHot = false;
};

// A scrolling stack of category panels: its visible panels are stacked top-down in the order of
// their Top, as wide as the group, and later panels move when one changes its height.
class TCategoryPanelGroup : public TScrollBox {
public:
    explicit TCategoryPanelGroup(TComponent* AOwner);
    ~TCategoryPanelGroup() override;

    TFont* const HeaderFont;
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int Value);
    TColor ChevronColor = clBlack;
    TColor ChevronHotColor = clGray;
    TColor GradientBaseColor = clWindow;
    TColor GradientColor = clBtnFace;
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);

    int PanelCount() const;
    TCategoryPanel* Panels(int Index) const;   // in stacking order; raises EListError for a bad index
    void CollapseAll();
    void ExpandAll();

protected:
    void AlignControls(TRect& Rect) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void InsertChildWidget(TControl* Child) override;

private:
    void RepaintPanels();
    int FHeaderHeight = 24;
    TImageList* FImages = nullptr;
};
