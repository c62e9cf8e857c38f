// Network tests talk to 127.0.0.1 only. The cases that need a silent host, a silent name server or no
// route at all run on a thread that has moved into a network namespace of its own: only a loopback
// device, set up as the case needs it, nothing beyond it reachable. Needs CAP_SYS_ADMIN and
// CAP_NET_ADMIN; without them the cases are skipped with the reason.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace nettest {

struct NamespaceSetup {
    bool loopbackUp = true;
    bool echoIgnored = false;          // the kernel answers no echo request
    bool pingSocketsAllowed = false;   // a new namespace lets no group open ping sockets
};

inline bool writeProcFile(const char* path, const char* value)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, value, std::strlen(value)) == static_cast<ssize_t>(std::strlen(value));
    ::close(fd);
    return ok;
}

inline bool bringLoopbackUp()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ifreq ifr{};
    std::strcpy(ifr.ifr_name, "lo");
    bool ok = ::ioctl(fd, SIOCGIFFLAGS, &ifr) == 0;
    ifr.ifr_flags |= IFF_UP;
    ok = ok && ::ioctl(fd, SIOCSIFFLAGS, &ifr) == 0;
    ::close(fd);
    return ok;
}

// Gives the loopback device one more IPv4 address (as the alias lo:1), inside the namespace only.
inline bool addLoopbackAddress(in_addr address)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ifreq ifr{};
    std::strcpy(ifr.ifr_name, "lo:1");
    auto* sin = reinterpret_cast<sockaddr_in*>(&ifr.ifr_addr);
    sin->sin_family = AF_INET;
    sin->sin_addr = address;
    bool ok = ::ioctl(fd, SIOCSIFADDR, &ifr) == 0;
    sin->sin_addr.s_addr = 0xFFFFFFFF;
    ok = ok && ::ioctl(fd, SIOCSIFNETMASK, &ifr) == 0;
    ::close(fd);
    return ok;
}

// Runs body on a thread inside a fresh network namespace; threads it starts live there too. Returns
// the reason when no namespace can be made here (then body does not run).
inline std::string inOwnNamespace(const NamespaceSetup& setup, const std::function<void()>& body)
{
    std::string why;
    std::thread([&] {
        // A network namespace belongs to the thread; the rest of the test process stays where it was.
        if (::unshare(CLONE_NEWNET) != 0) {
            why = std::string("cannot create a network namespace: ") + std::strerror(errno);
            return;
        }
        if (setup.loopbackUp && !bringLoopbackUp()) {
            why = "cannot bring up the loopback device of the new namespace";
            return;
        }
        if (!writeProcFile("/proc/sys/net/ipv4/icmp_echo_ignore_all", setup.echoIgnored ? "1" : "0") ||
            (setup.pingSocketsAllowed && !writeProcFile("/proc/sys/net/ipv4/ping_group_range", "0 2147483647"))) {
            why = "cannot set the ICMP settings of the new namespace";
            return;
        }
        body();
    }).join();
    return why;
}

} // namespace nettest

#define IN_OWN_NAMESPACE(setup, body)                                                                          \
    do {                                                                                                       \
        const std::string why_ = nettest::inOwnNamespace(setup, body);                                         \
        if (!why_.empty())                                                                                     \
            GTEST_SKIP() << why_;                                                                              \
    } while (0)
