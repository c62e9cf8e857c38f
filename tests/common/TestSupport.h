// Small helpers shared by the test executables: temporary folders and whole-file reads/writes.
#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <chrono>

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
// Writes a shell script ("#!/bin/sh" and `body`) that its owner may run; returns `path`.
QString writeScript(const QString& path, const QByteArray& body);

// Milliseconds gone since `start`, for the tests that bound how long a call may take.
inline long msSince(std::chrono::steady_clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count());
}

} // namespace testsupport
