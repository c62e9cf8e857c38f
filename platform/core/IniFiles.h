// INI files of the toolkit layer: our own reader and writer, so that values stay exactly as written
// (QSettings escapes backslashes, quotes values with commas and changes key case and sections).
//
// TMemIniFile reads the whole file when it is made (a missing file reads as empty) and keeps it in
// memory; UpdateFile writes everything back in the 8-bit code page with CR LF line ends, sections and
// entries in the order they were first read or written (a missing file is created). Sections are
// "[Name]" lines, entries "Name=Value" lines split at the first "="; section and entry names are
// compared without regard to case, values are kept exactly. Other lines (comments) are kept in place.
// A file that cannot be read or written raises EInOutError naming it.
//
// TIniFile is the same store, written back when it is destroyed if anything changed.
#pragma once

#include "platform/core/Classes.h"

#include <QString>
#include <vector>

class TStrings;

class TMemIniFile : public TObject
{
  public:
    explicit TMemIniFile(const QString& FileName);
    ~TMemIniFile() override;

    QString FileName() const { return FFileName; }
    // Default when the entry is missing or its text is no integer.
    int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    bool SectionExists(const QString& Section) const;
    bool ValueExists(const QString& Section, const QString& Ident) const;
    // The entry names of a section, in file order.
    void ReadSection(const QString& Section, TStrings* Strings) const;
    void DeleteKey(const QString& Section, const QString& Ident);
    void EraseSection(const QString& Section);
    // Writes the whole file.
    virtual void UpdateFile();

  protected:
    bool Modified() const { return FModified; }

  private:
    struct TEntry {
        QString Name;
        QString Value;
        bool Raw = false; // a line that is no entry, written back as it was
    };
    struct TSection {
        QString Name;
        std::vector<TEntry> Entries;
    };
    void Load();
    const TSection* FindSection(const QString& Section) const;
    TSection* FindSection(const QString& Section);
    const TEntry* FindEntry(const QString& Section, const QString& Ident) const;

    QString FFileName;
    std::vector<TEntry> FPreamble; // lines before the first section
    std::vector<TSection> FSections;
    bool FModified = false;
};

class TIniFile : public TMemIniFile
{
  public:
    explicit TIniFile(const QString& FileName) : TMemIniFile(FileName) {}
    // Writes pending changes; a write error here is lost, so callers that care call UpdateFile.
    ~TIniFile() override;
};
