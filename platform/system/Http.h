// A plain HTTP/1.0 GET over one TCP connection, the way the version check asks its server: no proxy
// (the proxy variables of the environment are not read), no redirects followed, no cookies, the
// request headers exactly as the caller gives them. The call blocks its caller, bounded by a connect
// limit (name lookup and TCP connect) and a total limit (the whole exchange). Network faults and
// time-outs are reported in the result, never thrown. A chunked reply (proxies send one even to an
// HTTP/1.0 request) is decoded, so the body never holds framing bytes; other transfer codings fail.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include <sys/socket.h>

// Defaults of the time limits, in milliseconds.
constexpr int kHttpConnectLimitMs = 10000;
constexpr int kHttpTotalLimitMs = 20000;
// A reply larger than this is refused rather than held in memory.
constexpr qsizetype kHttpMaxReplyBytes = 16 * 1024 * 1024;

struct THttpHeader {
    QByteArray Name;
    QByteArray Value;
};
using THttpHeaders = std::vector<THttpHeader>;

struct THttpLimits {
    int ConnectMs = kHttpConnectLimitMs;   // from the call's start until the TCP connection stands
    int TotalMs = kHttpTotalLimitMs;       // from the call's start until the reply is complete
};

struct THttpResponse {
    bool Ok = false;          // a complete reply arrived; any status code counts, the caller judges it
    int StatusCode = 0;
    QByteArray StatusText;    // the reason phrase
    THttpHeaders Headers;     // in the order received
    QByteArray Body;
    QString Error;            // why the request failed (Ok false)

    // First header of that name (case-insensitive); empty when absent.
    QByteArray Header(const QByteArray& name) const;
};

// Sends "GET <path> HTTP/1.0" to an "http://host[:port]/path?query" address. A "Host" header is
// sent first unless the caller gives one; the caller's headers follow in their order. Bytes of the
// path that cannot stand in a request line (controls, blanks, non-ASCII) are sent percent-encoded;
// everything else goes out as written.
THttpResponse HttpGet(const QString& url, const THttpHeaders& headers, const THttpLimits& limits = {});

// ---- Name lookup ------------------------------------------------------------------------------------
// getaddrinfo bounded in time: a numeric address is taken at once; a name is looked up on a helper
// thread that the caller stops waiting for after timeoutMs (the lookup itself cannot be cancelled and
// finishes on its own). family is AF_INET, AF_INET6 or AF_UNSPEC. Returns false with a reason.

struct TResolvedAddress {
    sockaddr_storage Address{};
    socklen_t Length = 0;
};

bool ResolveHost(const QString& host, int family, int socketType, int timeoutMs,
                 std::vector<TResolvedAddress>& addresses, QString& error);
