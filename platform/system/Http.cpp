#include "platform/system/Http.h"

#include "platform/core/SysUtils.h"

#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

QByteArray THttpResponse::Header(const QByteArray& name) const
{
    for (const THttpHeader& h : Headers)
        if (h.Name.compare(name, Qt::CaseInsensitive) == 0)
            return h.Value;
    return {};
}

namespace {

// Rounded up, so that a wait of this length never ends before the deadline.
int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// The lookup thread and the waiting caller share this; whoever finishes last frees it.
struct TLookup {
    std::mutex Mutex;
    std::condition_variable Done;
    bool Finished = false;
    int Code = 0;
    std::vector<TResolvedAddress> Addresses;
};

void copyAddresses(const addrinfo* list, std::vector<TResolvedAddress>& out)
{
    for (const addrinfo* ai = list; ai; ai = ai->ai_next) {
        if (ai->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        TResolvedAddress a;
        std::memcpy(&a.Address, ai->ai_addr, ai->ai_addrlen);
        a.Length = ai->ai_addrlen;
        out.push_back(a);
    }
}

// ---- Address parsing --------------------------------------------------------------------------------

struct TUrl {
    QByteArray Host;   // without brackets
    uint16_t Port = 80;
    QByteArray Target; // path and query as they go into the request line
};

bool parseUrl(const QString& text, TUrl& url, QString& error)
{
    const QByteArray raw = text.trimmed().toUtf8();
    static const QByteArray scheme = "http://";
    if (!raw.left(scheme.size()).toLower().startsWith(scheme)) {
        error = QStringLiteral("only http:// addresses are supported: %1").arg(text);
        return false;
    }
    QByteArray rest = raw.mid(scheme.size());
    const int hash = rest.indexOf('#');
    if (hash >= 0)
        rest.truncate(hash);
    qsizetype end = rest.size();
    for (const char stop : {'/', '?'}) {
        const qsizetype at = rest.indexOf(stop);
        if (at >= 0 && at < end)
            end = at;
    }
    const QByteArray authority = rest.left(end);
    QByteArray target = rest.mid(end);
    if (authority.contains('@')) {
        error = QStringLiteral("user names in addresses are not supported: %1").arg(text);
        return false;
    }
    QByteArray portText;
    if (authority.startsWith('[')) {
        const qsizetype close = authority.indexOf(']');
        if (close < 0) {
            error = QStringLiteral("invalid address: %1").arg(text);
            return false;
        }
        url.Host = authority.mid(1, close - 1);
        const QByteArray after = authority.mid(close + 1);
        if (!after.isEmpty() && !after.startsWith(':')) {
            error = QStringLiteral("invalid address: %1").arg(text);
            return false;
        }
        portText = after.mid(1);
    } else {
        const qsizetype colon = authority.indexOf(':');
        url.Host = colon >= 0 ? authority.left(colon) : authority;
        portText = colon >= 0 ? authority.mid(colon + 1) : QByteArray();
    }
    if (url.Host.isEmpty()) {
        error = QStringLiteral("no host in address: %1").arg(text);
        return false;
    }
    if (!portText.isEmpty()) {
        bool ok = false;
        const uint port = portText.toUInt(&ok);
        if (!ok || port == 0 || port > 65535) {
            error = QStringLiteral("invalid port in address: %1").arg(text);
            return false;
        }
        url.Port = static_cast<uint16_t>(port);
    }
    if (target.isEmpty() || target.startsWith('?'))
        target.prepend('/');
    // A blank or a line break would end the request line early; send such bytes encoded.
    QByteArray safe;
    for (const char ch : target) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7F)
            safe += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        else
            safe += ch;
    }
    url.Target = safe;
    return true;
}

bool validHeader(const THttpHeader& h)
{
    if (h.Name.isEmpty())
        return false;
    for (const char c : h.Name)
        if (static_cast<unsigned char>(c) <= 0x20 || c == ':' || c == 0x7F)
            return false;
    return !h.Value.contains('\r') && !h.Value.contains('\n');
}

// ---- Connection -------------------------------------------------------------------------------------

class TSocket {
public:
    TSocket() = default;
    explicit TSocket(int fd) : fd_(fd) {}
    ~TSocket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TSocket(const TSocket&) = delete;
    TSocket& operator=(const TSocket&) = delete;
    TSocket& operator=(TSocket&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

// Waits for the socket to become ready for `events`; false on time-out (error set).
bool waitReady(int fd, short events, Clock::time_point deadline, QString& error, const char* what)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int rc = ::poll(&p, 1, remainingMs(deadline));
        if (rc > 0)
            return true;
        if (rc == 0) {
            error = QStringLiteral("timed out %1").arg(QLatin1String(what));
            return false;
        }
        if (errno != EINTR) {
            error = SysErrorMessage(errno);
            return false;
        }
    }
}

bool connectTo(const std::vector<TResolvedAddress>& addresses, Clock::time_point deadline, TSocket& out,
               QString& error)
{
    QString last = QStringLiteral("no address to connect to");
    for (const TResolvedAddress& a : addresses) {
        TSocket s(::socket(a.Address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        if (s.fd() < 0) {
            last = SysErrorMessage(errno);
            continue;
        }
        if (::connect(s.fd(), reinterpret_cast<const sockaddr*>(&a.Address), a.Length) != 0) {
            if (errno != EINPROGRESS) {
                last = SysErrorMessage(errno);
                continue;
            }
            if (!waitReady(s.fd(), POLLOUT, deadline, error, "connecting"))
                return false;   // the limit is spent; further addresses would not get a chance
            int code = 0;
            socklen_t len = sizeof code;
            ::getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &code, &len);
            if (code != 0) {
                last = SysErrorMessage(code);
                continue;
            }
        }
        out = std::move(s);
        return true;
    }
    error = last;
    return false;
}

bool sendAll(int fd, const QByteArray& data, Clock::time_point deadline, QString& error)
{
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitReady(fd, POLLOUT, deadline, error, "sending the request"))
                return false;
            continue;
        }
        error = SysErrorMessage(errno);
        return false;
    }
    return true;
}

// ---- Reply parsing ----------------------------------------------------------------------------------

// Position just after the blank line that ends the head, or -1 while it has not arrived.
qsizetype headEnd(const QByteArray& data)
{
    const qsizetype crlf = data.indexOf("\r\n\r\n");
    const qsizetype lf = data.indexOf("\n\n");
    if (crlf >= 0 && (lf < 0 || crlf < lf))
        return crlf + 4;
    return lf >= 0 ? lf + 2 : -1;
}

bool parseHead(const QByteArray& head, THttpResponse& r, QString& error)
{
    QList<QByteArray> lines = head.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    const QByteArray status = lines.value(0);
    // "HTTP/1.x 200 OK"
    const qsizetype sp = status.indexOf(' ');
    bool ok = false;
    const int code = sp > 0 ? status.mid(sp + 1, 3).toInt(&ok) : 0;
    if (!status.startsWith("HTTP/") || sp < 0 || !ok || code < 100 || code > 999 ||
        (status.size() > sp + 4 && status[sp + 4] != ' ')) {
        error = QStringLiteral("not an HTTP reply");
        return false;
    }
    r.StatusCode = code;
    r.StatusText = status.mid(sp + 5);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (line.isEmpty())
            break;
        if ((line[0] == ' ' || line[0] == '\t') && !r.Headers.empty()) {   // folded continuation
            r.Headers.back().Value += ' ' + line.trimmed();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            error = QStringLiteral("malformed header line in the reply");
            return false;
        }
        r.Headers.push_back({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    return true;
}

// Takes a "Transfer-Encoding: chunked" body apart as it arrives. Feed() is given the whole reply
// received so far (the body starts at `bodyStart`) and goes on where it stopped.
class TChunkDecoder
{
  public:
    enum TState { NeedMore, Done, Bad };

    explicit TChunkDecoder(qsizetype bodyStart) : pos_(bodyStart) {}

    TState Feed(const QByteArray& raw, QString& error)
    {
        for (;;) {
            if (state_ == Size || state_ == Trailer) {
                const qsizetype lf = raw.indexOf('\n', pos_);
                if (lf < 0)
                    return NeedMore;
                QByteArray line = raw.mid(pos_, lf - pos_);
                if (line.endsWith('\r'))
                    line.chop(1);
                pos_ = lf + 1;
                if (state_ == Trailer) {
                    if (line.isEmpty())
                        return Done;
                    continue; // trailer fields are not kept
                }
                const qsizetype semicolon = line.indexOf(';');
                const QByteArray digits = (semicolon >= 0 ? line.left(semicolon) : line).trimmed();
                bool ok = !digits.isEmpty() && digits.size() <= 8;
                for (const char c : digits)
                    ok = ok && std::isxdigit(static_cast<unsigned char>(c));
                const qsizetype size = ok ? digits.toLongLong(&ok, 16) : 0;
                if (!ok)
                    return fail(error, QStringLiteral("invalid chunk size in the reply"));
                if (Body.size() + size > kHttpMaxReplyBytes)
                    return fail(error, QStringLiteral("reply too large"));
                remaining_ = size;
                state_ = size == 0 ? Trailer : Data;
                continue;
            }
            if (state_ == Data) {
                if (raw.size() - pos_ < remaining_)
                    return NeedMore;
                Body += raw.mid(pos_, remaining_);
                pos_ += remaining_;
                state_ = DataEnd;
            }
            // The line end after a chunk's data.
            if (raw.size() - pos_ < 1)
                return NeedMore;
            if (raw[pos_] == '\r') {
                if (raw.size() - pos_ < 2)
                    return NeedMore;
                if (raw[pos_ + 1] != '\n')
                    return fail(error, QStringLiteral("invalid chunk framing in the reply"));
                pos_ += 2;
            } else if (raw[pos_] == '\n') {
                pos_ += 1;
            } else {
                return fail(error, QStringLiteral("invalid chunk framing in the reply"));
            }
            state_ = Size;
        }
    }

    QByteArray Body;

  private:
    enum TPart { Size, Data, DataEnd, Trailer };

    TState fail(QString& error, const QString& why)
    {
        error = why;
        return Bad;
    }

    TPart state_ = Size;
    qsizetype pos_;
    qsizetype remaining_ = 0;
};

} // namespace

bool ResolveHost(const QString& host, int family, int socketType, int timeoutMs,
                 std::vector<TResolvedAddress>& addresses, QString& error)
{
    addresses.clear();
    const QByteArray name = host.toUtf8();
    if (name.isEmpty()) {
        error = QStringLiteral("no host name");
        return false;
    }
    addrinfo hints{};
    hints.ai_family = family;
    hints.ai_socktype = socketType;
    hints.ai_flags = AI_NUMERICHOST;
    addrinfo* list = nullptr;
    if (::getaddrinfo(name.constData(), nullptr, &hints, &list) == 0) {
        copyAddresses(list, addresses);
        ::freeaddrinfo(list);
        return !addresses.empty();
    }

    auto lookup = std::make_shared<TLookup>();
    hints.ai_flags = 0;   // no AI_ADDRCONFIG: it refuses even "localhost" on a machine without a network
    std::thread([lookup, name, hints] {
        addrinfo* found = nullptr;
        const int code = ::getaddrinfo(name.constData(), nullptr, &hints, &found);
        std::lock_guard lock(lookup->Mutex);
        lookup->Code = code;
        if (code == 0) {
            copyAddresses(found, lookup->Addresses);
            ::freeaddrinfo(found);
        }
        lookup->Finished = true;
        lookup->Done.notify_all();
    }).detach();

    std::unique_lock lock(lookup->Mutex);
    if (!lookup->Done.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)),
                               [&] { return lookup->Finished; })) {
        error = QStringLiteral("timed out looking up %1").arg(host);
        return false;
    }
    if (lookup->Code != 0 || lookup->Addresses.empty()) {
        const int code = lookup->Code ? lookup->Code : EAI_NONAME;
        error = QStringLiteral("cannot resolve %1: %2").arg(host, QString::fromLocal8Bit(::gai_strerror(code)));
        return false;
    }
    addresses = std::move(lookup->Addresses);
    return true;
}

THttpResponse HttpGet(const QString& url, const THttpHeaders& headers, const THttpLimits& limits)
{
    THttpResponse r;
    const Clock::time_point start = Clock::now();
    const Clock::time_point totalDeadline = start + std::chrono::milliseconds(std::max(limits.TotalMs, 0));
    const Clock::time_point connectDeadline =
        std::min(totalDeadline, start + std::chrono::milliseconds(std::max(limits.ConnectMs, 0)));

    TUrl target;
    if (!parseUrl(url, target, r.Error))
        return r;

    QByteArray request = "GET " + target.Target + " HTTP/1.0\r\n";
    bool hostGiven = false;
    for (const THttpHeader& h : headers) {
        if (!validHeader(h)) {
            r.Error = QStringLiteral("invalid request header: %1").arg(QString::fromUtf8(h.Name));
            return r;
        }
        hostGiven = hostGiven || h.Name.compare("Host", Qt::CaseInsensitive) == 0;
    }
    if (!hostGiven) {
        const QByteArray host = target.Host.contains(':') ? '[' + target.Host + ']' : target.Host;
        const QByteArray port = target.Port != 80 ? ':' + QByteArray::number(target.Port) : QByteArray();
        request += "Host: " + host + port + "\r\n";
    }
    for (const THttpHeader& h : headers)
        request += h.Name + ": " + h.Value + "\r\n";
    request += "\r\n";

    std::vector<TResolvedAddress> addresses;
    if (!ResolveHost(QString::fromUtf8(target.Host), AF_UNSPEC, SOCK_STREAM, remainingMs(connectDeadline),
                     addresses, r.Error))
        return r;
    for (TResolvedAddress& a : addresses) {
        if (a.Address.ss_family == AF_INET)
            reinterpret_cast<sockaddr_in*>(&a.Address)->sin_port = htons(target.Port);
        else if (a.Address.ss_family == AF_INET6)
            reinterpret_cast<sockaddr_in6*>(&a.Address)->sin6_port = htons(target.Port);
    }

    TSocket socket;
    if (!connectTo(addresses, connectDeadline, socket, r.Error))
        return r;
    if (!sendAll(socket.fd(), request, totalDeadline, r.Error))
        return r;

    QByteArray data;
    qsizetype bodyStart = -1;
    qsizetype expected = -1;   // body length from Content-Length, -1 = until the server closes
    std::optional<TChunkDecoder> chunks; // set for a chunked body
    bool chunksDone = false;
    char buffer[16384];
    for (;;) {
        if (bodyStart >= 0 && expected >= 0 && data.size() - bodyStart >= expected)
            break;
        if (chunksDone)
            break;
        const ssize_t n = ::recv(socket.fd(), buffer, sizeof buffer, 0);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                if (!waitReady(socket.fd(), POLLIN, totalDeadline, r.Error, "waiting for the reply"))
                    return r;
                continue;
            }
            r.Error = SysErrorMessage(errno);
            return r;
        }
        data.append(buffer, n);
        if (data.size() > kHttpMaxReplyBytes) {
            r.Error = QStringLiteral("reply too large");
            return r;
        }
        if (bodyStart < 0) {
            bodyStart = headEnd(data);
            if (bodyStart < 0)
                continue;
            if (!parseHead(data.left(bodyStart), r, r.Error))
                return r;
            const QByteArray length = r.Header("Content-Length");
            if (!length.isEmpty()) {
                bool ok = false;
                expected = length.toLongLong(&ok);
                if (!ok || expected < 0) {
                    r.Error = QStringLiteral("invalid Content-Length in the reply");
                    return r;
                }
            }
            if (r.StatusCode == 204 || r.StatusCode == 304 || (r.StatusCode >= 100 && r.StatusCode < 200)) {
                expected = 0;
            } else if (const QByteArray coding = r.Header("Transfer-Encoding").trimmed().toLower();
                       coding == "chunked") {
                // The framing decides the length; a Content-Length beside it does not count.
                chunks.emplace(bodyStart);
                expected = -1;
            } else if (!coding.isEmpty() && coding != "identity") {
                r.Error = QStringLiteral("unsupported transfer coding in the reply: %1")
                              .arg(QString::fromLatin1(coding));
                return r;
            }
        }
        if (chunks) {
            const TChunkDecoder::TState state = chunks->Feed(data, r.Error);
            if (state == TChunkDecoder::Bad)
                return r;
            chunksDone = state == TChunkDecoder::Done;
        }
    }
    if (bodyStart < 0) {
        r.Error = data.isEmpty() ? QStringLiteral("the server closed the connection without a reply")
                                 : QStringLiteral("incomplete reply header");
        return r;
    }
    if (chunks) {
        if (!chunksDone) {
            r.Error = QStringLiteral("the connection closed before the whole reply arrived");
            return r;
        }
        r.Body = std::move(chunks->Body);
        r.Ok = true;
        return r;
    }
    r.Body = data.mid(bodyStart);
    if (expected >= 0) {
        if (r.Body.size() < expected) {
            r.Error = QStringLiteral("the connection closed before the whole reply arrived");
            r.Body.clear();
            return r;
        }
        r.Body.truncate(expected);
    }
    r.Ok = true;
    return r;
}
