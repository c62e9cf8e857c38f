// Hints: the application's one hint window and what a control hands it. A control asked for a hint
// fills THintInfo (its CMHintShow handler may change any field) and passes it to ShowHintInfo; the
// window is made from the info's window class, kept for reuse, and hidden after HideTimeout.
#pragma once

#include "platform/controls/Controls.h"

class THintWindow;
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);
template <class T> THintWindow* CreateHintWindowOf(TComponent* AOwner)
{
    return new T(AOwner);
}

// What the hint machinery shows for a control; the control's hint handler may change any field.
struct THintInfo {
    TControl* HintControl = nullptr;
    THintWindowClass HintWindowClass = nullptr; // the application's HintWindowClass to start with
    TPoint HintPos;                             // screen
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;       // client; while the mouse stays inside, the hint is not asked for again
    TPoint CursorPos;       // client
    int HideTimeout = 2500; // ms; 0 = until cancelled
    QString HintStr;        // empty: no hint
    void* HintData = nullptr;
};

// CM_HINTSHOW; Result != 0 refuses the hint.
struct TCMHintShow {
    THintInfo* HintInfo = nullptr;
    LRESULT Result = 0;
};

// A top-level window that shows a hint without taking the focus. Subclasses draw other kinds of
// hints (mini-HTML) by overriding CalcHintRect, ActivateHint(Data) and Paint.
class THintWindow : public TCustomControl
{
  public:
    explicit THintWindow(TComponent* AOwner);

    // The size the hint needs, as a rectangle from (0, 0), at most MaxWidth wide.
    virtual TRect CalcHintRect(int MaxWidth, const QString& AHint, void* AData);
    // Shows AHint over Rect (screen coordinates), on top, without activating.
    virtual void ActivateHint(TRect Rect, const QString& AHint);
    virtual void ActivateHintData(TRect Rect, const QString& AHint, void* AData);
    void ReleaseHint();
    bool HintShowing() const;

  protected:
    void Paint() override;
};

// The application's hint window class (THintWindow unless changed).
extern THintWindowClass HintWindowClass;
// Hides the hint being shown and forgets it, so that the next rest of the mouse asks again.
void CancelHint();
// The window of the last hint shown (nullptr before the first).
THintWindow* ActiveHintWindow();

// Shows the hint the info describes for its HintControl (HintPos in screen coordinates).
void ShowHintInfo(const THintInfo& Info);
// Whether the hint shown last was asked for by Control with the mouse at ClientPos inside its
// CursorRect: the mouse has not left, so the control is not asked again.
bool HintAskedAt(const TControl* Control, TPoint ClientPos);
