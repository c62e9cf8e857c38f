#include "platform/system/SerialPorts.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace
{
const QString kDefaultPrefix = QStringLiteral("/dev/ttyS");
QString& prefix()
{
    static QString p = kDefaultPrefix;
    return p;
}
} // namespace

QString SerialDevicePrefix()
{
    return prefix();
}

void SetSerialDevicePrefix(const QString& p)
{
    prefix() = p.isEmpty() ? kDefaultPrefix : p;
}

QString SerialPortDevice(int port)
{
    return prefix() + QString::number(port - 1);
}

bool SerialOpenErrorMeansPresent(int error)
{
    return error == EBUSY || error == EACCES || error == EPERM;
}

bool SerialPortPresent(int port)
{
    const QByteArray device = QFile::encodeName(SerialPortDevice(port));
    // Non-blocking so that a modem line without carrier does not hold the open; no controlling tty.
    const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return SerialOpenErrorMeansPresent(errno);
}
