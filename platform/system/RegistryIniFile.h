// An ini-file view of a registry key under the current user, for settings that may live either in
// an ini file or in "the registry". Linux has no registry for them, so the key is an ini file under
// the user's configuration folder: AppConfigLocation + "/registry/" + the key path with "\" turned
// into "/" + ".ini" (so it survives a restart); its sections stand for the subkeys. The layer's
// in-memory registry (other programs' keys) is not involved.
#pragma once

#include "platform/core/IniFiles.h"

class TRegistryIniFile : public TMemIniFile
{
  public:
    explicit TRegistryIniFile(const QString& Key);
    QString Key() const { return FKey; }
    // The ini file standing for Key.
    static QString KeyFileName(const QString& Key);
    // Creates the folder on the way.
    void UpdateFile() override;

  private:
    QString FKey;
};
