#include "platform/core/IniFiles.h"

#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"

#include <QFileInfo>

namespace
{

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TMemIniFile::TMemIniFile(const QString& FileName) : FFileName(FileName)
{
    Load();
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::Load()
{
    if (FFileName.isEmpty() || !QFileInfo::exists(FFileName))
        return;
    QString text = DecodeWindows1252(ReadFileBytes(FFileName));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    TSection* current = nullptr;
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            const QString name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            current = FindSection(name);
            if (!current) {
                FSections.push_back(TSection{name, {}});
                current = &FSections.back();
            }
            continue;
        }
        std::vector<TEntry>& target = current ? current->Entries : FPreamble;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || trimmed.startsWith(u';') || line.left(eq).trimmed().isEmpty()) {
            if (!trimmed.isEmpty())
                target.push_back(TEntry{QString(), line, true});
            continue;
        }
        target.push_back(TEntry{line.left(eq).trimmed(), line.mid(eq + 1), false});
    }
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const QString& Section) const
{
    for (const TSection& s : FSections)
        if (SameName(s.Name, Section))
            return &s;
    return nullptr;
}

TMemIniFile::TSection* TMemIniFile::FindSection(const QString& Section)
{
    return const_cast<TSection*>(std::as_const(*this).FindSection(Section));
}

const TMemIniFile::TEntry* TMemIniFile::FindEntry(const QString& Section, const QString& Ident) const
{
    if (const TSection* s = FindSection(Section))
        for (const TEntry& e : s->Entries)
            if (!e.Raw && SameName(e.Name, Ident))
                return &e;
    return nullptr;
}

int TMemIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const
{
    const TEntry* e = FindEntry(Section, Ident);
    return e ? StrToIntDef(e->Value.trimmed(), Default) : Default;
}

void TMemIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value)
{
    WriteString(Section, Ident, QString::number(Value));
}

QString TMemIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default) const
{
    const TEntry* e = FindEntry(Section, Ident);
    return e ? e->Value : Default;
}

void TMemIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    FModified = true;
    TSection* s = FindSection(Section);
    if (!s) {
        FSections.push_back(TSection{Section, {}});
        s = &FSections.back();
    }
    for (TEntry& e : s->Entries)
        if (!e.Raw && SameName(e.Name, Ident)) {
            e.Value = Value;
            return;
        }
    s->Entries.push_back(TEntry{Ident, Value, false});
}

bool TMemIniFile::SectionExists(const QString& Section) const
{
    return FindSection(Section) != nullptr;
}

bool TMemIniFile::ValueExists(const QString& Section, const QString& Ident) const
{
    return FindEntry(Section, Ident) != nullptr;
}

void TMemIniFile::ReadSection(const QString& Section, TStrings* Strings) const
{
    Strings->Clear();
    if (const TSection* s = FindSection(Section))
        for (const TEntry& e : s->Entries)
            if (!e.Raw)
                Strings->Add(e.Name);
}

void TMemIniFile::DeleteKey(const QString& Section, const QString& Ident)
{
    if (TSection* s = FindSection(Section))
        for (auto it = s->Entries.begin(); it != s->Entries.end(); ++it)
            if (!it->Raw && SameName(it->Name, Ident)) {
                s->Entries.erase(it);
                FModified = true;
                return;
            }
}

void TMemIniFile::EraseSection(const QString& Section)
{
    for (auto it = FSections.begin(); it != FSections.end(); ++it)
        if (SameName(it->Name, Section)) {
            FSections.erase(it);
            FModified = true;
            return;
        }
}

void TMemIniFile::UpdateFile()
{
    QString text;
    auto put = [&](const TEntry& e) {
        text += (e.Raw ? e.Value : e.Name + u'=' + e.Value) + QStringLiteral("\r\n");
    };
    for (const TEntry& e : FPreamble)
        put(e);
    for (const TSection& s : FSections) {
        text += u'[' + s.Name + QStringLiteral("]\r\n");
        for (const TEntry& e : s.Entries)
            put(e);
        text += QStringLiteral("\r\n");
    }
    WriteFileAtomic(FFileName, EncodeWindows1252(text));
    FModified = false;
}

TIniFile::~TIniFile()
{
    if (!Modified())
        return;
    try {
        UpdateFile();
    } catch (const EInOutError&) {
        // A destructor cannot report it; UpdateFile does for callers that need to know.
    }
}
