// TIniFile: integers and strings by section and key in an INI file, over QSettings' INI format.
// Writes reach the file at the latest when the object is destroyed (UpdateFile writes at once).
#pragma once

#include "platform/core/Classes.h"

#include <QSettings>
#include <memory>

class TIniFile : public TObject
{
  public:
    explicit TIniFile(const QString& FileName);
    ~TIniFile() override;

    QString FileName() const { return FFileName; }
    // Default when the key is missing or its text is no integer.
    int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    bool ValueExists(const QString& Section, const QString& Ident) const;
    void DeleteKey(const QString& Section, const QString& Ident);
    void EraseSection(const QString& Section);
    // Writes pending changes; raises EInOutError when the file cannot be written.
    void UpdateFile();

  private:
    static QString KeyOf(const QString& Section, const QString& Ident) { return Section + "/" + Ident; }
    QString FFileName;
    std::unique_ptr<QSettings> FSettings;
};
