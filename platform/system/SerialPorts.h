// Serial port presence test of the toolkit layer. The original platform numbers ports COM1, COM2, ...;
// here port N is the device SerialDevicePrefix() + (N - 1), so COM1 is /dev/ttyS0.
#pragma once

#include <QString>

// Device prefix, "/dev/ttyS" unless a test replaced it (an empty prefix restores the default).
QString SerialDevicePrefix();
void SetSerialDevicePrefix(const QString& prefix);

// Device path of port N (1-based).
QString SerialPortDevice(int port);

// True when port N is present: its device opens for reading and writing, or the open is refused
// because the port is busy or access is denied (a port in use by another program). The device is
// closed again at once; a missing device, or one with no hardware behind it, is not present.
bool SerialPortPresent(int port);

// Whether an open that failed with this errno value still means the port exists.
bool SerialOpenErrorMeansPresent(int error);
