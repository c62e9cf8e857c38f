#include "platform/system/RegistryIniFile.h"

QString TRegistryIniFile::KeyOf(const QString& Section) const
{
    QString key = FFileName;
    if (!key.startsWith(QLatin1Char('\\')))
        key.prepend(QLatin1Char('\\'));
    return key + QLatin1Char('\\') + Section;
}

int TRegistryIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const
{
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(KeyOf(Section)) || !reg.ValueExists(Ident))
        return Default;
    try {
        return reg.ReadInteger(Ident);
    } catch (const ERegistryException&) {
        return Default; // a text where a number belongs reads as missing
    }
}

void TRegistryIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value)
{
    TRegistry reg;
    if (reg.OpenKey(KeyOf(Section), true))
        reg.WriteInteger(Ident, Value);
}
