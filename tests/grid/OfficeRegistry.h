// Test support: the office keys of the in-memory registry, written and cleared by the tests.
#pragma once

#include "grid/base/Looks.h"
#include "platform/system/Registry.h"

namespace officetest
{

inline void ClearOfficeKeys()
{
    TRegistry r;
    r.DeleteKey("\\Software\\Microsoft\\Office");
}

// Creates the key (and those above it) under the current user.
inline void CreateKey(const QString& path)
{
    TRegistry r;
    r.OpenKey(path, true);
}

inline void WriteTheme(const QString& key, int value)
{
    TRegistry r;
    r.OpenKey(key, true);
    r.WriteInteger("Theme", value);
}

} // namespace officetest
