// The HTTP test server as the version check's tests use it.
#pragma once

#include <QByteArray>
#include <QString>
#include "common/HttpTestServer.h"

namespace versiontest
{

using TVersionServer = testsupport::THttpTestServer;

inline QByteArray ok(const QByteArray& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + body;
}

} // namespace versiontest
