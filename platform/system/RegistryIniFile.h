// An ini-file view of the registry: a "file" is a key under HKEY_CURRENT_USER, its sections are
// subkeys and its entries values. Settings that may live either in an ini file or in the registry
// use it in place of TIniFile.
#pragma once

#include "platform/system/Registry.h"

class TRegistryIniFile
{
  public:
    explicit TRegistryIniFile(const QString& FileName) : FFileName(FileName) {}

    QString FileName() const { return FFileName; }
    // Default when the entry is missing or holds no integer.
    int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
    // Creates the section's key when needed.
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    // Every write is in the store at once; kept for the ini-file protocol.
    void UpdateFile() {}

  private:
    QString KeyOf(const QString& Section) const;
    QString FFileName;
};
