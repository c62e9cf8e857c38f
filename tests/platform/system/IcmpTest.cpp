#include "platform/system/Icmp.h"

#include "platform/system/NetNamespace.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <sys/socket.h>

namespace {

using Clock = std::chrono::steady_clock;
using nettest::NamespaceSetup;
using testsupport::msSince;

uint16_t internetChecksum(const std::vector<uint8_t>& data)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < data.size(); i += 2)
        sum += static_cast<uint32_t>(data[i] << 8 | (i + 1 < data.size() ? data[i + 1] : 0));
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint16_t>(~sum);
}

// Sends one ICMP message to 127.0.0.1 from `source` every few milliseconds until destroyed.
class TForger {
public:
    TForger(uint8_t type, uint16_t id, uint16_t seq, const char* source, bool damageChecksum)
    {
        std::vector<uint8_t> msg = {type, 0, 0, 0, uint8_t(id >> 8), uint8_t(id), uint8_t(seq >> 8), uint8_t(seq)};
        msg.resize(64, 'f');
        uint16_t sum = internetChecksum(msg);
        if (damageChecksum)
            sum ^= 0x0101;
        msg[2] = uint8_t(sum >> 8);
        msg[3] = uint8_t(sum);
        fd_ = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        sockaddr_in from{};
        from.sin_family = AF_INET;
        ::inet_pton(AF_INET, source, &from.sin_addr);
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0)
            ADD_FAILURE() << "cannot open the forging socket: " << std::strerror(errno);
        thread_ = std::thread([this, msg] {
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            while (!stop_) {
                ::sendto(fd_, msg.data(), msg.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    ~TForger()
    {
        stop_ = true;
        thread_.join();
        ::close(fd_);
    }

private:
    int fd_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(IcmpEcho, LoopbackAnswers)
{
    TEchoRequest request;
    request.Host = "127.0.0.1";
    request.Sequence = 5;
    request.TimeoutMs = 2000;
    const TEchoResult r = IcmpEcho(request);
    if (r.Status == TEchoStatus::Failed && r.Error.contains("cannot open an ICMP socket"))
        GTEST_SKIP() << "this user may open neither a ping socket nor a raw socket: " << r.Error.toStdString();
    ASSERT_EQ(r.Status, TEchoStatus::Answered) << r.Error.toStdString();
    EXPECT_EQ(r.BytesReceived, kIcmpPacketSize);
    EXPECT_EQ(r.FromAddress, "127.0.0.1");
    EXPECT_EQ(r.Sequence, 5);
}

TEST(IcmpEcho, EachSocketKindGetsItsReply)
{
    NamespaceSetup setup;
    setup.pingSocketsAllowed = true;
    std::vector<TEchoResult> results;
    IN_OWN_NAMESPACE(setup, [&] {
        for (TIcmpSocketKind kind : {TIcmpSocketKind::Datagram, TIcmpSocketKind::Raw}) {
            TEchoRequest request;
            request.Host = "127.0.0.1";
            request.PacketSize = 300;
            request.TimeoutMs = 2000;
            request.SocketKind = kind;
            results.push_back(IcmpEcho(request));
        }
    });
    for (const TEchoResult& r : results) {
        EXPECT_EQ(r.Status, TEchoStatus::Answered) << r.Error.toStdString();
        EXPECT_EQ(r.BytesReceived, 300);
    }
}

TEST(IcmpEcho, RawSocketIsTheFallbackWhenPingSocketsAreNotAllowed)
{
    TEchoResult datagram, automatic;
    IN_OWN_NAMESPACE(NamespaceSetup{}, [&] {
        TEchoRequest request;
        request.Host = "127.0.0.1";
        request.TimeoutMs = 2000;
        request.SocketKind = TIcmpSocketKind::Datagram;
        datagram = IcmpEcho(request);
        request.SocketKind = TIcmpSocketKind::Auto;
        automatic = IcmpEcho(request);
    });
    EXPECT_EQ(datagram.Status, TEchoStatus::Failed);
    EXPECT_TRUE(datagram.Error.contains("ping socket")) << datagram.Error.toStdString();
    EXPECT_EQ(automatic.Status, TEchoStatus::Answered) << automatic.Error.toStdString();
}

struct ArrivalCase {
    const char* name;
    uint8_t type;
    uint16_t idOffset;
    uint16_t seqOffset;
    const char* source;
    bool damagedChecksum;
    bool answers;
};

TEST(IcmpEcho, OnlyTheMatchingReplyCounts)
{
    // The kernel answers nothing here: whatever arrives is forged by the test.
    const ArrivalCase cases[] = {
        {"matching reply", 0, 0, 0, "127.0.0.1", false, true},
        {"other identifier", 0, 1, 0, "127.0.0.1", false, false},
        {"other sequence", 0, 0, 1, "127.0.0.1", false, false},
        {"our own request read back", 8, 0, 0, "127.0.0.1", false, false},
        {"reply from another host", 0, 0, 0, "127.0.0.2", false, false},
        {"damaged checksum", 0, 0, 0, "127.0.0.1", true, false},
    };
    NamespaceSetup setup;
    setup.echoIgnored = true;
    setup.pingSocketsAllowed = true;
    constexpr uint16_t kId = 0x5A17, kSeq = 3;
    std::vector<std::pair<std::string, TEchoResult>> results;
    IN_OWN_NAMESPACE(setup, [&] {
        for (TIcmpSocketKind kind : {TIcmpSocketKind::Datagram, TIcmpSocketKind::Raw}) {
            for (const ArrivalCase& c : cases) {
                TForger forger(c.type, kId + c.idOffset, kSeq + c.seqOffset, c.source, c.damagedChecksum);
                TEchoRequest request;
                request.Host = "127.0.0.1";
                request.Identifier = kId;
                request.Sequence = kSeq;
                // The answered case returns as soon as the forged reply comes, so its limit can be
                // long enough for a busy machine; the others wait their whole limit out.
                request.TimeoutMs = c.answers ? 3000 : 400;
                request.SocketKind = kind;
                results.emplace_back(std::string(kind == TIcmpSocketKind::Raw ? "raw: " : "datagram: ") + c.name,
                                     IcmpEcho(request));
            }
        }
    });
    ASSERT_EQ(results.size(), 2 * std::size(cases));
    for (size_t i = 0; i < results.size(); ++i) {
        SCOPED_TRACE(results[i].first);
        const TEchoResult& r = results[i].second;
        EXPECT_EQ(r.Status, cases[i % std::size(cases)].answers ? TEchoStatus::Answered : TEchoStatus::TimedOut)
            << r.Error.toStdString();
    }
}

TEST(IcmpEcho, UnansweredEchoTimesOutWithinTheLimit)
{
    NamespaceSetup setup;
    setup.echoIgnored = true;
    TEchoResult r;
    long elapsed = 0;
    int idleCalls = 0;
    IN_OWN_NAMESPACE(setup, [&] {
        TEchoRequest request;
        request.Host = "127.0.0.1";
        request.TimeoutMs = 300;
        request.Idle = [&] { ++idleCalls; };
        const Clock::time_point start = Clock::now();
        r = IcmpEcho(request);
        elapsed = msSince(start);
    });
    EXPECT_EQ(r.Status, TEchoStatus::TimedOut) << r.Error.toStdString();
    EXPECT_EQ(r.BytesReceived, 0);
    EXPECT_GE(elapsed, 300);
    EXPECT_LT(elapsed, 1300);
    EXPECT_GE(idleCalls, 10);   // waits of at most 10 ms each
}

TEST(IcmpEcho, NoRouteFailsAtOnce)
{
    NamespaceSetup setup;
    setup.loopbackUp = false;
    TEchoResult r;
    long elapsed = 0;
    IN_OWN_NAMESPACE(setup, [&] {
        TEchoRequest request;
        request.Host = "127.0.0.1";
        request.TimeoutMs = 3000;
        const Clock::time_point start = Clock::now();
        r = IcmpEcho(request);
        elapsed = msSince(start);
    });
    EXPECT_EQ(r.Status, TEchoStatus::Failed);
    EXPECT_FALSE(r.Error.isEmpty());
    EXPECT_LT(elapsed, 1000);
}

struct ClientCase {
    const char* name;
    NamespaceSetup setup;
    bool raises;
    bool dataReplies;   // replies carry data; a time-out is reported as a reply without data
};

TEST(IcmpClient, ReportsRepliesAndTimeOutsAndRaisesOnErrors)
{
    const ClientCase cases[] = {
        {"answering host", {true, false, false}, false, true},
        {"silent host", {true, true, false}, false, false},
        {"no route", {false, false, false}, true, false},
    };
    for (const ClientCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TEchoResult> replies;
        bool raised = false;
        IN_OWN_NAMESPACE(c.setup, [&] {
            TIcmpClient client;
            client.Host = "127.0.0.1";
            client.ReceiveTimeout = 150;
            client.OnReply = [&](const TEchoResult& r) { replies.push_back(r); };
            try {
                client.Ping();
                client.Ping();
            } catch (const EIcmpError&) {
                raised = true;
            }
        });
        EXPECT_EQ(raised, c.raises);
        if (c.raises) {
            EXPECT_TRUE(replies.empty());
            continue;
        }
        ASSERT_EQ(replies.size(), 2u);
        for (size_t i = 0; i < replies.size(); ++i) {
            EXPECT_EQ(replies[i].Sequence, i + 1);
            EXPECT_EQ(replies[i].BytesReceived > 0, c.dataReplies);
        }
    }
}

} // namespace
