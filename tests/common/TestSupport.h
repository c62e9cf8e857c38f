// Small helpers shared by the test executables: temporary folders and whole-file reads/writes.
#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A fresh temporary folder removed when the object goes away.
class TempDir {
public:
    TempDir();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
private:
    QTemporaryDir dir_;
};

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& data);
QString fixture(const QString& relative);   // path of a file under tests/fixtures

} // namespace testsupport
