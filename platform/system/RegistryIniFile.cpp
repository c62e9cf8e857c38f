#include "platform/system/RegistryIniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

TRegistryIniFile::TRegistryIniFile(const QString& Key) : TMemIniFile(KeyFileName(Key)), FKey(Key) {}

QString TRegistryIniFile::KeyFileName(const QString& Key)
{
    QString path = Key;
    path.replace(u'\\', u'/');
    while (path.startsWith(u'/'))
        path.remove(0, 1);
    while (path.endsWith(u'/'))
        path.chop(1);
    // A key path never leaves the registry folder.
    QStringList parts;
    for (const QString& p : path.split(u'/', Qt::SkipEmptyParts))
        if (p != QLatin1String(".") && p != QLatin1String(".."))
            parts << p;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/registry/") + parts.join(u'/') + QStringLiteral(".ini");
}

void TRegistryIniFile::UpdateFile()
{
    QDir().mkpath(QFileInfo(FileName()).absolutePath());
    TMemIniFile::UpdateFile();
}
