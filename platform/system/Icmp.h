// ICMP echo (ping) to an IPv4 host, used to see whether a device answers before it is updated.
// The request goes out on Linux's unprivileged ping socket (SOCK_DGRAM, IPPROTO_ICMP) when the system
// allows it (net.ipv4.ping_group_range), else on a raw socket (needs CAP_NET_RAW). Only an echo reply
// from the asked host carrying our identifier and sequence number counts; everything else that arrives
// meanwhile is ignored: on loopback a raw socket first reads back our own request, and other
// programs' pings and stray ICMP messages are delivered to every raw socket.
#pragma once

#include "platform/core/SysUtils.h"

#include <QString>
#include <cstdint>
#include <functional>

// Defaults of the device update's echo client.
constexpr int kIcmpPacketSize = 1024;          // ICMP message size, 8-byte header included
constexpr int kIcmpReceiveTimeoutMs = 400;
constexpr int kIcmpIdleStepMs = 10;            // longest wait between two idle calls

enum class TEchoStatus {
    Answered,   // a matching echo reply arrived
    TimedOut,   // nothing matching arrived within the time-out
    Failed      // the request could not be sent (no such host, no permission, no route)
};

enum class TIcmpSocketKind { Auto, Datagram, Raw };   // Auto: datagram first, raw as the fallback

struct TEchoResult {
    TEchoStatus Status = TEchoStatus::Failed;
    int BytesReceived = 0;      // size of the ICMP reply (header and data); 0 unless answered
    uint32_t RoundTripMs = 0;
    QString FromAddress;        // dotted address of the replying host
    uint16_t Sequence = 0;      // sequence number of the request
    QString Error;              // why it failed
};

// A per-process identifier, different for every call, so that two echo clients never take each
// other's replies.
uint16_t NextEchoIdentifier();

struct TEchoRequest {
    QString Host;                             // IPv4 address or host name
    int PacketSize = kIcmpPacketSize;         // clipped to 8 .. 65507
    int TimeoutMs = kIcmpReceiveTimeoutMs;
    uint16_t Identifier = NextEchoIdentifier(); // the datagram socket asks the kernel for it
    uint16_t Sequence = 1;
    TIcmpSocketKind SocketKind = TIcmpSocketKind::Auto;
    // Called between waits of at most kIcmpIdleStepMs while no reply has come (e.g. to keep a
    // window painting); the wait then runs in such steps. Unset: one uninterrupted wait.
    std::function<void()> Idle;
};

// Sends one echo request and waits for its reply. Never throws on network faults.
TEchoResult IcmpEcho(const TEchoRequest& request);

class EIcmpError : public Exception {
    using Exception::Exception;
};

// The echo client component: the settings stay between requests, each Ping() sends one request with
// the next sequence number and reports the reply or the time-out (BytesReceived 0) through OnReply
// before returning. A request that cannot be sent raises EIcmpError and reports nothing.
class TIcmpClient {
public:
    QString Host;
    int PacketSize = kIcmpPacketSize;
    int ReceiveTimeout = kIcmpReceiveTimeoutMs;
    TIcmpSocketKind SocketKind = TIcmpSocketKind::Auto;
    std::function<void()> OnIdle;                          // see TEchoRequest::Idle
    std::function<void(const TEchoResult&)> OnReply;

    TEchoResult ReplyStatus;                               // the last reply or time-out

    void Ping();

private:
    uint16_t identifier_ = NextEchoIdentifier();
    uint16_t sequence_ = 0;
};
