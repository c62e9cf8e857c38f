#include "common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace testsupport {

TempDir::TempDir()
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read " + path).toStdString());
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size())
        throw std::runtime_error(("cannot write " + path).toStdString());
}

QString writeScript(const QString& path, const QByteArray& body)
{
    writeBytes(path, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

QString fixture(const QString& relative)
{
    // CONF_FIXTURES may point elsewhere; by default the checkout's own folder.
    const QString dir = qEnvironmentVariable("CONF_FIXTURES", QStringLiteral(CONF_FIXTURES_DIR));
    return dir + "/" + relative;
}

} // namespace testsupport
