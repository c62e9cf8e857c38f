#include "platform/core/IniFiles.h"

TIniFile::TIniFile(const QString& FileName)
    : FFileName(FileName), FSettings(std::make_unique<QSettings>(FileName, QSettings::IniFormat))
{
}

TIniFile::~TIniFile()
{
    FSettings->sync();
}

int TIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const
{
    const QVariant v = FSettings->value(KeyOf(Section, Ident));
    if (!v.isValid())
        return Default;
    bool ok = false;
    const int i = v.toString().trimmed().toInt(&ok);
    return ok ? i : Default;
}

void TIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value)
{
    FSettings->setValue(KeyOf(Section, Ident), QString::number(Value));
}

QString TIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default) const
{
    const QVariant v = FSettings->value(KeyOf(Section, Ident));
    return v.isValid() ? v.toString() : Default;
}

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    FSettings->setValue(KeyOf(Section, Ident), Value);
}

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const
{
    return FSettings->contains(KeyOf(Section, Ident));
}

void TIniFile::DeleteKey(const QString& Section, const QString& Ident)
{
    FSettings->remove(KeyOf(Section, Ident));
}

void TIniFile::EraseSection(const QString& Section)
{
    FSettings->remove(Section);
}

void TIniFile::UpdateFile()
{
    FSettings->sync();
    if (FSettings->status() != QSettings::NoError)
        throw EInOutError(QStringLiteral("Cannot write file \"%1\"").arg(FFileName));
}
