// Run-time loading of modules by name, as the program binds optional system libraries.
//
// The layer answers only for modules registered with it in-process (RegisterModule): a name and its
// exports. Nothing registers the Windows libraries the program asks for ("UXTHEME.DLL", ...), so
// loading them fails and the program takes its fallback. Names are compared without regard to case.
// A module stays loaded until as many FreeLibrary calls as LoadLibrary calls have been made.
#pragma once

#include <QString>
#include <cstdint>
#include <map>

using HMODULE = uintptr_t; // 0 = none
using FARPROC = void (*)();

// 0 when no module of that name is registered.
HMODULE LoadLibrary(const QString& Name);
// nullptr when the module is not loaded or has no such export.
FARPROC GetProcAddress(HMODULE Module, const QString& Name);
// false for a handle that is not loaded.
bool FreeLibrary(HMODULE Module);

// Makes a module loadable by name (replacing one of the same name); exports by name.
void RegisterModule(const QString& Name, std::map<QString, FARPROC> Exports);
// Removes the module; handles still held find nothing afterwards.
void UnregisterModule(const QString& Name);

// The export cast to its documented signature (the caller knows it).
template <class F> F ProcAs(FARPROC Proc)
{
    return reinterpret_cast<F>(Proc);
}
