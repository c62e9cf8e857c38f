// The theme notifier: tells registered windows when the office colour theme keys change.
//
// One notifier is shared by the process (GetThemeNotifier). It exists in full only when an office
// 2007 or 2010 key is present: then a hidden window and a registry monitor watch the office
// "Common" key and everything below it. On a change the monitor sends WM_OFFICETHEMECHANGE, with
// (root key, pointer to the key path's UTF-16 text, valid during the call), first to the hidden
// window (which fires the notifier's OnOfficeThemeChange) and then to every registered window in
// registration order. The monitor runs on the GUI thread: the registry calls it synchronously from
// the write that changed the key.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/system/Registry.h"

#include <memory>
#include <vector>

constexpr UINT WM_OFFICETHEMECHANGE = 0x0BB1;

// A list of window handles.
class THandleList
{
  public:
    int Count() const { return int(FItems.size()); }
    int Add(HWND Value);
    void Insert(int Index, HWND Value);
    void Delete(int Index);
    HWND GetInteger(int Index) const;
    void SetInteger(int Index, HWND Value);
    bool HasValue(HWND Value) const;
    // Removes the first occurrence; nothing when absent.
    void DeleteValue(HWND Value);
    const std::vector<HWND>& Items() const { return FItems; }

  private:
    void CheckIndex(int Index, int Count) const;
    std::vector<HWND> FItems;
};

// Watches a registry key and sends WM_OFFICETHEMECHANGE on every change.
//   1. Create (suspended): set FKey, FRootKey, FWatchSub, the filter, FWnd and fill FWinList;
//   2. Resume: starts watching; when the key cannot be opened the monitor stays idle;
//   3. Stop: ends the watch and frees the monitor.
class TRegMonitorThread
{
  public:
    TRegMonitorThread();
    TRegMonitorThread(const TRegMonitorThread&) = delete;
    TRegMonitorThread& operator=(const TRegMonitorThread&) = delete;

    void Resume();
    void Stop();
    // Whether the key is being watched.
    bool Watching() const { return FWatch != 0; }
    // 0 reads as 15 (every kind of change).
    uint32_t Filter() const { return FFilter == 0 ? 15u : FFilter; }
    void SetFilter(uint32_t Value) { FFilter = Value; }

    std::unique_ptr<TRegistry> FReg;
    QString FKey;
    HKEY FRootKey = HKEY_CURRENT_USER;
    bool FWatchSub = true;
    HWND FWnd = 0;
    std::unique_ptr<THandleList> FWinList;

  private:
    ~TRegMonitorThread();
    void Changed();

    uint32_t FFilter = 0;
    int FWatch = 0;
};

// The notifier's hidden window.
class TThemeNotifierWindow : public TCustomControl
{
  public:
    explicit TThemeNotifierWindow(TComponent* AOwner);
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnOfficeThemeChange; // Sender = the window
};

class TThemeNotifier : public TComponent
{
  public:
    explicit TThemeNotifier(TComponent* AOwner);
    ~TThemeNotifier() override;

    // Both act only while a monitor exists; a window is kept once.
    void RegisterWindow(HWND Wnd);
    void UnRegisterWindow(HWND Wnd);

    TRegMonitorThread* RegMonitorThread = nullptr;
    TNotifyEvent OnOfficeThemeChange; // Sender = the notifier
    TThemeNotifierWindow* NotifierWindow() const { return FNotifier; }

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    TThemeNotifierWindow* FNotifier = nullptr;
};

// The shared notifier; the first call creates it, owned by the main form when there is one, else by
// AOwner. Destroying it clears the shared one, so the next call makes a new one.
TThemeNotifier* GetThemeNotifier(TComponent* AOwner);
