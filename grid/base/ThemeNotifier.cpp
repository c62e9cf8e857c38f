#include "grid/base/ThemeNotifier.h"

#include "grid/base/Looks.h"
#include "platform/controls/Forms.h"

#include <algorithm>

// ---- THandleList ------------------------------------------------------------------------------------

void THandleList::CheckIndex(int Index, int Count) const
{
    if (Index < 0 || Index >= Count)
        RaiseListIndexError(Index);
}

int THandleList::Add(HWND Value)
{
    FItems.push_back(Value);
    return Count() - 1;
}

void THandleList::Insert(int Index, HWND Value)
{
    CheckIndex(Index, Count() + 1);
    FItems.insert(FItems.begin() + Index, Value);
}

void THandleList::Delete(int Index)
{
    CheckIndex(Index, Count());
    FItems.erase(FItems.begin() + Index);
}

HWND THandleList::GetInteger(int Index) const
{
    CheckIndex(Index, Count());
    return FItems[size_t(Index)];
}

void THandleList::SetInteger(int Index, HWND Value)
{
    CheckIndex(Index, Count());
    FItems[size_t(Index)] = Value;
}

bool THandleList::HasValue(HWND Value) const
{
    return std::find(FItems.begin(), FItems.end(), Value) != FItems.end();
}

void THandleList::DeleteValue(HWND Value)
{
    const auto it = std::find(FItems.begin(), FItems.end(), Value);
    if (it != FItems.end())
        FItems.erase(it);
}

// ---- TRegMonitorThread ------------------------------------------------------------------------------

TRegMonitorThread::TRegMonitorThread()
    : FReg(std::make_unique<TRegistry>()), FWinList(std::make_unique<THandleList>())
{
}

TRegMonitorThread::~TRegMonitorThread() = default;

void TRegMonitorThread::Resume()
{
    if (FWatch != 0)
        return;
    FReg->SetRootKey(FRootKey);
    if (!FReg->OpenKeyReadOnly(FKey))
        return;
    FWatch = WatchKey(FRootKey, FKey, FWatchSub, Filter(), [this] { Changed(); });
}

void TRegMonitorThread::Stop()
{
    UnwatchKey(FWatch);
    delete this;
}

void TRegMonitorThread::Changed()
{
    // Everything is copied first: a handler may register or unregister windows, or stop the monitor.
    const HKEY root = FRootKey;
    const QString key = FKey;
    const HWND own = FWnd;
    const std::vector<HWND> windows = FWinList->Items();
    const auto path = LPARAM(key.utf16());
    if (own != 0)
        SendMessage(own, WM_OFFICETHEMECHANGE, WPARAM(root), path);
    for (HWND window : windows)
        SendMessage(window, WM_OFFICETHEMECHANGE, WPARAM(root), path);
}

// ---- TThemeNotifierWindow ---------------------------------------------------------------------------

TThemeNotifierWindow::TThemeNotifierWindow(TComponent* AOwner) : TCustomControl(AOwner) {}

void TThemeNotifierWindow::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_OFFICETHEMECHANGE && OnOfficeThemeChange)
        OnOfficeThemeChange(this);
    TCustomControl::WndProc(Message);
}

// ---- TThemeNotifier ---------------------------------------------------------------------------------

namespace
{
TThemeNotifier* gThemeNotifier = nullptr;
}

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner)
{
    if (ComponentState() & csDesigning)
        return;
    const int kind = GetOfficeVersionKind();
    if (kind == 0)
        return;
    FNotifier = new TThemeNotifierWindow(this);
    FNotifier->SetVisible(false);
    if (auto* parent = dynamic_cast<TWinControl*>(AOwner))
        FNotifier->SetParent(parent);
    FNotifier->OnOfficeThemeChange = [this](TObject*) {
        if (OnOfficeThemeChange)
            OnOfficeThemeChange(this);
    };
    auto* monitor = new TRegMonitorThread();
    monitor->FWnd = FNotifier->Handle();
    monitor->SetFilter(REG_NOTIFY_CHANGE_LAST_SET);
    monitor->FKey = QString::fromLatin1(kind == 2 ? Office2010CommonKey : Office2007CommonKey);
    monitor->FRootKey = HKEY_CURRENT_USER;
    monitor->FWatchSub = true;
    RegMonitorThread = monitor;
    monitor->Resume();
}

TThemeNotifier::~TThemeNotifier()
{
    if (RegMonitorThread) {
        RegMonitorThread->Stop();
        RegMonitorThread = nullptr;
    }
    if (gThemeNotifier == this)
        gThemeNotifier = nullptr;
}

void TThemeNotifier::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    // The hidden window may go first, with the parent it was given.
    if (Operation == opRemove && AComponent == FNotifier)
        FNotifier = nullptr;
}

void TThemeNotifier::RegisterWindow(HWND Wnd)
{
    if (RegMonitorThread && !RegMonitorThread->FWinList->HasValue(Wnd))
        RegMonitorThread->FWinList->Add(Wnd);
}

void TThemeNotifier::UnRegisterWindow(HWND Wnd)
{
    if (RegMonitorThread)
        RegMonitorThread->FWinList->DeleteValue(Wnd);
}

TThemeNotifier* GetThemeNotifier(TComponent* AOwner)
{
    if (!gThemeNotifier) {
        TComponent* owner = Application && Application->MainForm() ? Application->MainForm() : AOwner;
        gThemeNotifier = new TThemeNotifier(owner);
    }
    return gThemeNotifier;
}
