#include "platform/system/Modules.h"

#include <mutex>

namespace
{

struct TModule {
    QString Name;
    std::map<QString, FARPROC> Exports;
    HMODULE Handle = 0; // 0 while not loaded
    int LoadCount = 0;
};

struct TModules {
    std::mutex Lock;
    std::map<QString, TModule> ByName; // lower-case name
    HMODULE NextHandle = 0x10000000;   // never reused, so a stale handle finds nothing
};

TModules& Modules()
{
    static TModules modules;
    return modules;
}

TModule* FindLoaded(TModules& m, HMODULE handle)
{
    if (handle == 0)
        return nullptr;
    for (auto& [name, module] : m.ByName)
        if (module.Handle == handle)
            return &module;
    return nullptr;
}

} // namespace

HMODULE LoadLibrary(const QString& Name)
{
    TModules& m = Modules();
    std::lock_guard guard(m.Lock);
    const auto it = m.ByName.find(Name.toLower());
    if (it == m.ByName.end())
        return 0;
    TModule& module = it->second;
    if (module.LoadCount++ == 0)
        module.Handle = m.NextHandle++;
    return module.Handle;
}

FARPROC GetProcAddress(HMODULE Module, const QString& Name)
{
    TModules& m = Modules();
    std::lock_guard guard(m.Lock);
    const TModule* module = FindLoaded(m, Module);
    if (!module)
        return nullptr;
    const auto it = module->Exports.find(Name);
    return it == module->Exports.end() ? nullptr : it->second;
}

bool FreeLibrary(HMODULE Module)
{
    TModules& m = Modules();
    std::lock_guard guard(m.Lock);
    TModule* module = FindLoaded(m, Module);
    if (!module)
        return false;
    if (--module->LoadCount == 0)
        module->Handle = 0;
    return true;
}

void RegisterModule(const QString& Name, std::map<QString, FARPROC> Exports)
{
    TModules& m = Modules();
    std::lock_guard guard(m.Lock);
    m.ByName[Name.toLower()] = TModule{Name, std::move(Exports)};
}

void UnregisterModule(const QString& Name)
{
    TModules& m = Modules();
    std::lock_guard guard(m.Lock);
    m.ByName.erase(Name.toLower());
}
