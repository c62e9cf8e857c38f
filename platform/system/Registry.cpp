#include "platform/system/Registry.h"

#include <QStringList>
#include <algorithm>
#include <map>
#include <mutex>
#include <variant>
#include <vector>

namespace
{

struct TRegValue {
    QString Name; // as written
    std::variant<int32_t, QString> Data;
};

struct TRegKey {
    std::map<QString, TRegValue> Values; // by lower-case name
};

// A key is known by its root and its lower-case path ("" is the root itself).
using TKeyId = std::pair<HKEY, QString>;

struct TWatch {
    int Id;
    HKEY Root;
    QString Path;
    bool Subtree;
    uint32_t Filter;
    TRegistryWatchCallback Callback;
};

struct TStore {
    std::mutex Lock;
    std::map<TKeyId, TRegKey> Keys;
    std::vector<TWatch> Watches;
    int NextWatchId = 1;
};

TStore& Store()
{
    static TStore store;
    return store;
}

QString Normalize(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'));
}

QString ParentOf(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('\\'));
    return slash < 0 ? QString() : path.left(slash);
}

bool KeyExistsLocked(TStore& s, HKEY root, const QString& path)
{
    return path.isEmpty() || s.Keys.count({root, path.toLower()}) != 0;
}

bool IsUnder(const QString& path, const QString& top)
{
    return top.isEmpty() || path.startsWith(top + QLatin1Char('\\'));
}

// Calls, outside the store's lock, every watch that a change of `kind` to the key `path` concerns.
// A watch ended by an earlier callback of the same change is not called.
void Notify(HKEY root, const QString& path, uint32_t kind)
{
    TStore& s = Store();
    std::vector<int> due;
    {
        std::lock_guard guard(s.Lock);
        const QString key = path.toLower();
        for (const TWatch& w : s.Watches)
            if (w.Root == root && (w.Filter & kind) && (w.Path == key || (w.Subtree && IsUnder(key, w.Path))))
                due.push_back(w.Id);
    }
    for (int id : due) {
        TRegistryWatchCallback callback;
        {
            std::lock_guard guard(s.Lock);
            const auto it = std::find_if(s.Watches.begin(), s.Watches.end(),
                                         [id](const TWatch& w) { return w.Id == id; });
            if (it == s.Watches.end())
                continue;
            callback = it->Callback;
        }
        callback();
    }
}

} // namespace

void TRegistry::SetRootKey(HKEY Value)
{
    CloseKey();
    FRootKey = Value;
}

QString TRegistry::Resolve(const QString& Key) const
{
    if (Key.startsWith(QLatin1Char('\\')) || !FOpen)
        return Normalize(Key);
    return Normalize(FCurrentPath + QLatin1Char('\\') + Key);
}

bool TRegistry::KeyExists(const QString& Key) const
{
    TStore& s = Store();
    std::lock_guard guard(s.Lock);
    return KeyExistsLocked(s, FRootKey, Resolve(Key));
}

bool TRegistry::OpenKeyReadOnly(const QString& Key)
{
    return OpenKey(Key, false);
}

bool TRegistry::OpenKey(const QString& Key, bool CanCreate)
{
    const QString path = Resolve(Key);
    std::vector<QString> created;
    {
        TStore& s = Store();
        std::lock_guard guard(s.Lock);
        if (!KeyExistsLocked(s, FRootKey, path)) {
            if (!CanCreate)
                return false;
            for (QString p = path; !KeyExistsLocked(s, FRootKey, p); p = ParentOf(p)) {
                s.Keys[{FRootKey, p.toLower()}];
                created.push_back(p);
            }
        }
    }
    CloseKey();
    FCurrentPath = path;
    FOpen = true;
    // Outermost new key first: each is a new subkey of the key above it.
    for (auto it = created.rbegin(); it != created.rend(); ++it)
        Notify(FRootKey, ParentOf(*it), REG_NOTIFY_CHANGE_NAME);
    return true;
}

void TRegistry::CloseKey()
{
    FOpen = false;
    FCurrentPath.clear();
}

bool TRegistry::DeleteKey(const QString& Key)
{
    const QString path = Resolve(Key);
    if (path.isEmpty())
        return false; // a root key cannot be deleted
    {
        TStore& s = Store();
        std::lock_guard guard(s.Lock);
        const QString lower = path.toLower();
        if (!KeyExistsLocked(s, FRootKey, lower))
            return false;
        for (auto it = s.Keys.begin(); it != s.Keys.end();) {
            if (it->first.first == FRootKey &&
                (it->first.second == lower || IsUnder(it->first.second, lower)))
                it = s.Keys.erase(it);
            else
                ++it;
        }
    }
    Notify(FRootKey, ParentOf(path), REG_NOTIFY_CHANGE_NAME);
    return true;
}

bool TRegistry::ValueExists(const QString& Name) const
{
    if (!FOpen)
        return false;
    TStore& s = Store();
    std::lock_guard guard(s.Lock);
    const auto key = s.Keys.find({FRootKey, FCurrentPath.toLower()});
    return key != s.Keys.end() && key->second.Values.count(Name.toLower()) != 0;
}

int32_t TRegistry::ReadInteger(const QString& Name) const
{
    TStore& s = Store();
    std::lock_guard guard(s.Lock);
    const auto key = FOpen ? s.Keys.find({FRootKey, FCurrentPath.toLower()}) : s.Keys.end();
    if (key != s.Keys.end()) {
        const auto value = key->second.Values.find(Name.toLower());
        if (value != key->second.Values.end() && std::holds_alternative<int32_t>(value->second.Data))
            return std::get<int32_t>(value->second.Data);
    }
    throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(Name));
}

namespace
{

void WriteValue(HKEY root, bool open, const QString& path, const QString& name,
                std::variant<int32_t, QString> data)
{
    {
        TStore& s = Store();
        std::lock_guard guard(s.Lock);
        const auto key = open ? s.Keys.find({root, path.toLower()}) : s.Keys.end();
        if (key == s.Keys.end())
            throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(name));
        key->second.Values[name.toLower()] = TRegValue{name, std::move(data)};
    }
    Notify(root, path, REG_NOTIFY_CHANGE_LAST_SET);
}

} // namespace

void TRegistry::WriteInteger(const QString& Name, int32_t Value)
{
    WriteValue(FRootKey, FOpen, FCurrentPath, Name, Value);
}

void TRegistry::WriteString(const QString& Name, const QString& Value)
{
    WriteValue(FRootKey, FOpen, FCurrentPath, Name, Value);
}

int WatchKey(HKEY Root, const QString& Path, bool Subtree, uint32_t Filter, TRegistryWatchCallback Callback)
{
    TStore& s = Store();
    std::lock_guard guard(s.Lock);
    const QString path = Normalize(Path);
    if (!KeyExistsLocked(s, Root, path))
        return 0;
    const int id = s.NextWatchId++;
    s.Watches.push_back(TWatch{id, Root, path.toLower(), Subtree, Filter, std::move(Callback)});
    return id;
}

void UnwatchKey(int Id)
{
    TStore& s = Store();
    std::lock_guard guard(s.Lock);
    std::erase_if(s.Watches, [Id](const TWatch& w) { return w.Id == Id; });
}
