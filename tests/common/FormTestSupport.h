// Helpers for tests that drive real forms under the offscreen platform.
#pragma once

#include "platform/controls/Forms.h"

#include <QTimer>
#include <functional>

namespace formtest {

// Shows the form modally and runs `script` from inside its message loop. A watchdog ends the loop
// with mrAbort should the script never end it, so a broken test fails instead of hanging.
inline TModalResult RunModal(TCustomForm& form, std::function<void()> script, int watchdogMs = 10000)
{
    QTimer::singleShot(0, [script] { script(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&form] { form.SetModalResult(mrAbort); });
    watchdog.start(watchdogMs);
    return form.ShowModal();
}

// Lets queued events (activation, focus, posted messages) happen.
inline void Pump()
{
    for (int i = 0; i < 3; ++i)
        Application->ProcessMessages();
}

// A self-drawn control that records what reaches it: dialog keys (Enter when TakeEnter), dialog
// chars matching its caption's accelerator, clicks and mouse messages.
class TProbe : public TCustomControl {
public:
    explicit TProbe(TComponent* owner, TWinControl* parent = nullptr) : TCustomControl(owner)
    {
        SetTabStop(true);
        if (parent)
            SetParent(parent);
    }
    bool TakeEnter = false;
    int EnterKeys = 0;
    int AccelChars = 0;
    int Clicks = 0;
    int DblClicks = 0;
    std::vector<TShiftState> Downs;
    int Ups = 0;
    TControl* CaptureWhileDown = nullptr;

    bool HandleDialogKey(WORD& Key, TShiftState Shift) override
    {
        if (Key == VK_RETURN && TakeEnter) {
            ++EnterKeys;
            return true;
        }
        return TCustomControl::HandleDialogKey(Key, Shift);
    }
    bool HandleDialogChar(char16_t Key, TShiftState Shift) override
    {
        if (IsAccel(Key, Caption())) {
            ++AccelChars;
            return true;
        }
        return TCustomControl::HandleDialogChar(Key, Shift);
    }
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        Downs.push_back(Shift);
        CaptureWhileDown = GetCaptureControl();
        TCustomControl::HandleMouseDown(Button, Shift, X, Y);
    }
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        ++Ups;
        TCustomControl::HandleMouseUp(Button, Shift, X, Y);
    }
    void Click() override
    {
        ++Clicks;
        TCustomControl::Click();
    }
    void DblClick() override
    {
        ++DblClicks;
        TCustomControl::DblClick();
    }
};

} // namespace formtest
