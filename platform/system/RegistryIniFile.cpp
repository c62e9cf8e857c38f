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
    if (parts.isEmpty())
        return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/registry/.ini");
    parts.last() += QStringLiteral(".ini");
    // Key names ignore case: a key written as "Software\\Maker" is found again as "software\\maker", so
    // each part takes the spelling of a folder or file already there.
    QString file = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/registry");
    for (const QString& part : parts) {
        QString name = part;
        const QDir folder(file);
        if (folder.exists())
            for (const QString& entry : folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    name = entry;
                    break;
                }
        file += u'/' + name;
    }
    return file;
}

void TRegistryIniFile::UpdateFile()
{
    QDir().mkpath(QFileInfo(FileName()).absolutePath());
    TMemIniFile::UpdateFile();
}
