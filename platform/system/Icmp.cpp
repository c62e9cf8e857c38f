#include "platform/system/Icmp.h"

#include "platform/system/Http.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <vector>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

namespace {

constexpr int kIcmpHeaderSize = 8;
constexpr int kMaxPacketSize = 65507;   // largest ICMP message in one IPv4 datagram
constexpr int kResolveLimitMs = 5000;
constexpr uint8_t kEchoReply = 0;
constexpr uint8_t kEchoRequest = 8;

uint16_t checksum(const uint8_t* data, size_t size)
{
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < size; i += 2)
        sum += static_cast<uint32_t>(data[i] << 8 | data[i + 1]);
    if (size & 1)
        sum += static_cast<uint32_t>(data[size - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint16_t>(~sum);
}

uint16_t read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

void write16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}

class TFd {
public:
    explicit TFd(int fd = -1) : fd_(fd) {}
    ~TFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Opens the datagram ping socket and binds it to the wanted identifier (the kernel uses the bound
// "port" as the echo identifier); when that one is taken, the kernel picks another.
int openDatagram(uint16_t wanted, uint16_t& identifier, int& error)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(wanted);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        local.sin_port = 0;
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
            error = errno;
            ::close(fd);
            return -1;
        }
    }
    socklen_t len = sizeof local;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &len);
    identifier = ntohs(local.sin_port);
    return fd;
}

int openRaw(int& error)
{
    const int fd = ::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0)
        error = errno;
    return fd;
}

// The ICMP message inside what the socket delivered: a raw socket hands over the IP header too.
// Returns false when the data is not a well-formed ICMP message.
bool icmpPart(const uint8_t* data, size_t size, bool raw, const uint8_t*& icmp, size_t& icmpSize)
{
    if (!raw) {
        icmp = data;
        icmpSize = size;
        return size >= static_cast<size_t>(kIcmpHeaderSize);
    }
    if (size < 20 || (data[0] >> 4) != 4 || data[9] != IPPROTO_ICMP)
        return false;
    const size_t headerSize = static_cast<size_t>(data[0] & 0x0F) * 4;
    const size_t totalSize = std::min<size_t>(read16(data + 2), size);
    if (headerSize < 20 || totalSize < headerSize + kIcmpHeaderSize)
        return false;
    icmp = data + headerSize;
    icmpSize = totalSize - headerSize;
    // The kernel checks the sum before a ping socket sees a reply; a raw socket gets everything.
    return checksum(icmp, icmpSize) == 0;
}

} // namespace

uint16_t NextEchoIdentifier()
{
    static std::atomic<uint32_t> next{static_cast<uint32_t>(::getpid()) * 2654435761u >> 16};
    return static_cast<uint16_t>(next++);
}

TEchoResult IcmpEcho(const TEchoRequest& request)
{
    TEchoResult result;
    result.Sequence = request.Sequence;

    std::vector<TResolvedAddress> addresses;
    if (!ResolveHost(request.Host.trimmed(), AF_INET, SOCK_DGRAM, kResolveLimitMs, addresses, result.Error))
        return result;
    const sockaddr_in target = *reinterpret_cast<const sockaddr_in*>(&addresses.front().Address);

    uint16_t identifier = request.Identifier;
    int datagramError = 0, rawError = 0;
    int fd = -1;
    bool raw = false;
    if (request.SocketKind != TIcmpSocketKind::Raw)
        fd = openDatagram(request.Identifier, identifier, datagramError);
    if (fd < 0 && request.SocketKind != TIcmpSocketKind::Datagram) {
        fd = openRaw(rawError);
        raw = fd >= 0;
        identifier = request.Identifier;
    }
    const TFd socket(fd);
    if (fd < 0) {
        QStringList reasons;
        if (datagramError)
            reasons << QStringLiteral("ping socket: %1").arg(SysErrorMessage(datagramError));
        if (rawError)
            reasons << QStringLiteral("raw socket: %1").arg(SysErrorMessage(rawError));
        result.Error =
            QStringLiteral("cannot open an ICMP socket (%1)").arg(reasons.join(QStringLiteral("; ")));
        return result;
    }

    const int size = std::clamp(request.PacketSize, kIcmpHeaderSize, kMaxPacketSize);
    std::vector<uint8_t> packet(static_cast<size_t>(size));
    packet[0] = kEchoRequest;
    write16(&packet[4], identifier);
    write16(&packet[6], request.Sequence);
    for (size_t i = kIcmpHeaderSize; i < packet.size(); ++i)
        packet[i] = static_cast<uint8_t>('a' + i % 23);
    write16(&packet[2], checksum(packet.data(), packet.size()));

    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + std::chrono::milliseconds(std::max(request.TimeoutMs, 0));
    if (::sendto(socket.fd(), packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&target),
                 sizeof target) < 0) {
        result.Error = QStringLiteral("cannot send the echo request: %1").arg(SysErrorMessage(errno));
        return result;
    }

    std::vector<uint8_t> buffer(65536);
    for (;;) {
        // Take everything that has arrived; only our reply ends the wait.
        for (;;) {
            sockaddr_in from{};
            socklen_t fromLen = sizeof from;
            const ssize_t n = ::recvfrom(socket.fd(), buffer.data(), buffer.size(), 0,
                                         reinterpret_cast<sockaddr*>(&from), &fromLen);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                break;   // nothing more now; ICMP errors queued on the socket count as no reply
            }
            const uint8_t* icmp = nullptr;
            size_t icmpSize = 0;
            if (!icmpPart(buffer.data(), static_cast<size_t>(n), raw, icmp, icmpSize))
                continue;
            if (icmp[0] != kEchoReply || icmp[1] != 0 || read16(icmp + 4) != identifier ||
                read16(icmp + 6) != request.Sequence || from.sin_addr.s_addr != target.sin_addr.s_addr)
                continue;
            result.Status = TEchoStatus::Answered;
            result.BytesReceived = static_cast<int>(icmpSize);
            result.RoundTripMs = static_cast<uint32_t>(
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
            char text[INET_ADDRSTRLEN] = {};
            ::inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
            result.FromAddress = QString::fromLatin1(text);
            return result;
        }

        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            result.Status = TEchoStatus::TimedOut;
            return result;
        }
        const int wait = request.Idle ? std::min<int>(static_cast<int>(left), kIcmpIdleStepMs)
                                      : static_cast<int>(left);
        pollfd p{socket.fd(), POLLIN, 0};
        const int rc = ::poll(&p, 1, wait);
        if (rc < 0 && errno != EINTR) {
            result.Error = SysErrorMessage(errno);
            return result;
        }
        if (rc == 0 && request.Idle)
            request.Idle();
    }
}

void TIcmpClient::Ping()
{
    TEchoRequest request;
    request.Host = Host;
    request.PacketSize = PacketSize;
    request.TimeoutMs = ReceiveTimeout;
    request.Identifier = identifier_;
    request.Sequence = ++sequence_;
    request.SocketKind = SocketKind;
    request.Idle = OnIdle;
    const TEchoResult result = IcmpEcho(request);
    if (result.Status == TEchoStatus::Failed)
        throw EIcmpError(result.Error);
    ReplyStatus = result;
    if (OnReply)
        OnReply(result);
}
