#include "platform/system/Http.h"

#include "platform/system/NetNamespace.h"
#include "common/TestSupport.h"
#include "common/HttpTestServer.h"

#include <QFile>
#include <gtest/gtest.h>

#include <chrono>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using testsupport::listenOn127;
using testsupport::msSince;
using testsupport::THttpTestServer;

using Clock = std::chrono::steady_clock;

// The bytes of a literal, embedded zeros included.
template <size_t N> QByteArray bytes(const char (&text)[N]) { return QByteArray(text, N - 1); }

const THttpHeaders kVersionCheckHeaders = {
    {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
    {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
};

TEST(HttpGet, SendsTheRequestAsGivenWithoutProxyAndReturnsTheReply)
{
    THttpTestServer server("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\nVER. 1.002");
    // A proxy in the environment must not be used: the request still reaches our server.
    const QByteArray oldProxy = qgetenv("http_proxy");
    qputenv("http_proxy", "http://127.0.0.1:1");
    const THttpResponse r = HttpGet(server.url("/home/download/GetversionSW.asp?nomesw=RIVA101#frag"),
                                    kVersionCheckHeaders);
    if (oldProxy.isNull())
        qunsetenv("http_proxy");
    else
        qputenv("http_proxy", oldProxy);

    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(server.received(), "GET /home/download/GetversionSW.asp?nomesw=RIVA101 HTTP/1.0\r\n"
                                 "Host: 127.0.0.1:" + QByteArray::number(server.port()) + "\r\n"
                                 "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                                 "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                                 "\r\n");
    EXPECT_EQ(r.StatusCode, 200);
    EXPECT_EQ(r.StatusText, "OK");
    EXPECT_EQ(r.Header("content-type"), "text/plain");
    EXPECT_EQ(r.Body, "VER. 1.002");
}

TEST(HttpGet, RequestLineAndHeadersCannotBeBrokenByTheirText)
{
    {
        THttpTestServer server("HTTP/1.0 200 OK\r\n\r\n");
        const THttpResponse r = HttpGet(server.url("/a b\r\nX: y"), {{"Host", "example.test"}});
        ASSERT_TRUE(r.Ok) << r.Error.toStdString();
        EXPECT_EQ(server.received(), "GET /a%20b%0D%0AX:%20y HTTP/1.0\r\nHost: example.test\r\n\r\n");
    }
    {
        THttpTestServer server("HTTP/1.0 200 OK\r\n\r\n");
        const THttpResponse r = HttpGet(server.url("/"), {{"Accept", "x\r\nEvil: 1"}});
        EXPECT_FALSE(r.Ok);
        EXPECT_FALSE(r.Error.isEmpty());
        EXPECT_FALSE(server.accepted());
    }
}

struct ReplyCase {
    const char* name;
    QByteArray reply;
    bool ok;
    int status;
    QByteArray body;
    QByteArray location;
};

TEST(HttpGet, RepliesAreTakenAsTheServerSentThem)
{
    const ReplyCase cases[] = {
        {"length bounds a binary body", bytes("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\na\0bEXTRA"), true,
         200, bytes("a\0b"), ""},
        {"error status keeps its body", "HTTP/1.0 404 Not Found\r\n\r\nmissing", true, 404, "missing", ""},
        {"redirect is not followed", "HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/x\r\n\r\nmoved",
         true, 302, "moved", "http://127.0.0.1:1/x"},
        {"bare line feeds", "HTTP/1.0 200 OK\nServer: t\n\nbody", true, 200, "body", ""},
        {"body cut short", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc", false, 0, "", ""},
        {"not HTTP", "hello there\r\n\r\n", false, 0, "", ""},
        {"chunked body is decoded",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nVER.\r\n6;name=x\r\n 1.002\r\n"
         "0\r\nX-Trailer: t\r\n\r\n",
         true, 200, "VER. 1.002", ""},
        {"chunked wins over a length, sizes in upper case, bare line feeds",
         "HTTP/1.1 200 OK\nContent-Length: 3\nTransfer-Encoding: Chunked\n\nA\n0123456789\n0\n\n", true, 200,
         "0123456789", ""},
        {"chunked body cut short", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhel", false, 0,
         "", ""},
        {"chunked body without its last chunk",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n", false, 0, "", ""},
        {"chunk size that is not hexadecimal",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nhello\r\n0\r\n\r\n", false, 0, "", ""},
        {"chunk longer than its size",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nhello\r\n0\r\n\r\n", false, 0, "", ""},
        {"chunk size beyond the reply limit",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFF\r\nx", false, 0, "", ""},
        {"transfer coding that is not understood",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n", false, 0, "",
         ""},
        {"closed without a word", "", false, 0, "", ""},
    };
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        THttpTestServer server(c.reply);
        const THttpResponse r = HttpGet(server.url("/v"), {});
        EXPECT_EQ(r.Ok, c.ok) << r.Error.toStdString();
        EXPECT_EQ(r.Error.isEmpty(), c.ok);
        if (c.ok) {
            EXPECT_EQ(r.StatusCode, c.status);
            EXPECT_EQ(r.Body, c.body);
            EXPECT_EQ(r.Header("Location"), c.location);
        }
        EXPECT_TRUE(server.received().startsWith("GET /v HTTP/1.0\r\n"));
    }
}

TEST(HttpGet, ServerThatNeverAnswersFailsAfterTheTotalLimit)
{
    THttpTestServer server("", /*silent=*/true);
    const Clock::time_point start = Clock::now();
    const THttpResponse r = HttpGet(server.url("/"), kVersionCheckHeaders, {1000, 300});
    const long elapsed = msSince(start);
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(server.accepted());
    EXPECT_GE(elapsed, 300);
    EXPECT_LT(elapsed, 2000);
}

TEST(HttpGet, ConnectionThatIsNeverAcceptedFailsAfterTheConnectLimit)
{
    // A listener whose queue is full drops further connection requests, so connect() hangs.
    uint16_t port = 0;
    const int listener = listenOn127(0, port);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    int fillers[2];
    for (int& f : fillers) {
        f = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(f, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
    const Clock::time_point start = Clock::now();
    const THttpResponse r =
        HttpGet(QStringLiteral("http://127.0.0.1:%1/").arg(port), {}, {/*ConnectMs=*/250, /*TotalMs=*/5000});
    const long elapsed = msSince(start);
    EXPECT_FALSE(r.Ok);
    EXPECT_GE(elapsed, 250);
    EXPECT_LT(elapsed, 2000);
    for (int f : fillers)
        ::close(f);
    ::close(listener);
}

TEST(HttpGet, ClosedPortFailsPromptly)
{
    uint16_t port = 0;
    ::close(listenOn127(1, port));   // the port is free again, and nothing listens on it
    const Clock::time_point start = Clock::now();
    const THttpResponse r = HttpGet(QStringLiteral("http://127.0.0.1:%1/").arg(port), {}, {5000, 10000});
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Error.isEmpty());
    EXPECT_LT(msSince(start), 1000);
}

bool firstIPv4NameServer(in_addr& address)
{
    QFile conf("/etc/resolv.conf");
    if (!conf.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : conf.readAll().split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() >= 2 && words[0] == "nameserver" && ::inet_pton(AF_INET, words[1].constData(), &address) == 1)
            return true;
    }
    return false;
}

TEST(HttpGet, NameLookupIsBoundedByTheConnectLimit)
{
    // The system's name server, recreated in our own namespace as a socket that never answers: the
    // lookup waits there as it does when the network is gone.
    in_addr nameServer{};
    if (!firstIPv4NameServer(nameServer))
        GTEST_SKIP() << "no IPv4 name server in /etc/resolv.conf";
    THttpResponse r;
    long elapsed = 0;
    std::string setupError;
    IN_OWN_NAMESPACE(nettest::NamespaceSetup{}, [&] {
        if ((ntohl(nameServer.s_addr) >> 24) != 127 && !nettest::addLoopbackAddress(nameServer)) {
            setupError = "cannot give the namespace the name server's address";
            return;
        }
        const int silent = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(53);
        a.sin_addr = nameServer;
        if (::bind(silent, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            setupError = std::string("cannot bind the silent name server: ") + std::strerror(errno);
        } else {
            const Clock::time_point start = Clock::now();
            r = HttpGet("http://www.brivexcorp.example/", {}, {/*ConnectMs=*/300, /*TotalMs=*/5000});
            elapsed = msSince(start);
        }
        ::close(silent);
    });
    ASSERT_TRUE(setupError.empty()) << setupError;
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Error.contains("timed out")) << r.Error.toStdString();
    EXPECT_GE(elapsed, 300);
    EXPECT_LT(elapsed, 1300);
}

TEST(HttpGet, AddressesThatCannotBeRequestedFailWithoutConnecting)
{
    for (const char* url : {"https://127.0.0.1/", "ftp://127.0.0.1/", "http://", "http://127.0.0.1:99999/",
                            "http://user@127.0.0.1/"}) {
        SCOPED_TRACE(url);
        const THttpResponse r = HttpGet(QString::fromLatin1(url), {});
        EXPECT_FALSE(r.Ok);
        EXPECT_FALSE(r.Error.isEmpty());
    }
}

} // namespace
