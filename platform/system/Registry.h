// The registry of the toolkit layer: one process-wide store of keys and values kept in memory.
//
// Nothing on Linux writes the keys the program reads (the office colour theme), so the store starts
// empty; the program and tests write it through TRegistry. Key paths are separated by '\', compared
// without regard to case, and a path that starts with '\' is taken from the root key, any other from
// the open key (from the root when none is open).
//
// Change watch, standing in for the registry's change notification: WatchKey registers a callback
// for a key (and its subkeys when Subtree is set). A write through the layer calls it synchronously,
// on the writer's thread, after the store is updated:
//   - REG_NOTIFY_CHANGE_LAST_SET: a value under the key was written (every write, as the last-write
//     time changes even when the data stays the same);
//   - REG_NOTIFY_CHANGE_NAME: a subkey was created or deleted.
#pragma once

#include "platform/core/SysUtils.h"

#include <QString>
#include <cstdint>
#include <functional>

using HKEY = uintptr_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
constexpr HKEY HKEY_USERS = 0x80000003;

constexpr uint32_t REG_NOTIFY_CHANGE_NAME = 0x1;
constexpr uint32_t REG_NOTIFY_CHANGE_ATTRIBUTES = 0x2;
constexpr uint32_t REG_NOTIFY_CHANGE_LAST_SET = 0x4;
constexpr uint32_t REG_NOTIFY_CHANGE_SECURITY = 0x8;

// "Invalid data type for 'NAME'" when a value is read as the wrong type; "Failed to set data for
// 'NAME'" when no key is open for a write.
class ERegistryException : public Exception
{
    using Exception::Exception;
};

class TRegistry
{
  public:
    TRegistry() = default;
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key first.
    void SetRootKey(HKEY Value);
    QString CurrentPath() const { return FCurrentPath; }
    bool KeyExists(const QString& Key) const;
    // Opens an existing key; false when there is none.
    bool OpenKeyReadOnly(const QString& Key);
    // Opens the key, creating it (and the keys above it) when CanCreate is set.
    bool OpenKey(const QString& Key, bool CanCreate);
    void CloseKey();
    bool HasOpenKey() const { return FOpen; }
    // Deletes the key with everything below it; false when there is none.
    bool DeleteKey(const QString& Key);

    // Values of the open key.
    bool ValueExists(const QString& Name) const;
    int32_t ReadInteger(const QString& Name) const; // raises ERegistryException
    void WriteInteger(const QString& Name, int32_t Value);
    void WriteString(const QString& Name, const QString& Value);

  private:
    QString Resolve(const QString& Key) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    QString FCurrentPath;
    bool FOpen = false;
};

// Watches Path under Root; returns the watch's id, or 0 when the key does not exist (nothing is
// watched then). The callback runs for every change the filter asks for.
using TRegistryWatchCallback = std::function<void()>;
int WatchKey(HKEY Root, const QString& Path, bool Subtree, uint32_t Filter, TRegistryWatchCallback Callback);
// Ends a watch; an unknown id does nothing.
void UnwatchKey(int Id);
