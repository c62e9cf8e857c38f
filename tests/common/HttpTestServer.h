// A small HTTP server for tests: 127.0.0.1 only, on its own thread, so that a client that blocks
// its calling thread can be tested. Every connection gets `reply` and is closed; a silent server
// accepts and holds each connection without a word until it is destroyed. The request heads are
// recorded, so a test can check the bytes sent and that no second connection was made.
#pragma once

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

// A listening socket on 127.0.0.1 with a free port.
inline int listenOn127(int backlog, uint16_t& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, backlog) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        ADD_FAILURE() << "cannot listen on 127.0.0.1";
    port = ntohs(a.sin_port);
    return fd;
}

class THttpTestServer {
public:
    explicit THttpTestServer(QByteArray reply, bool silent = false) : reply_(std::move(reply)), silent_(silent)
    {
        listen_ = listenOn127(4, port_);
        if (::pipe(stop_) != 0)
            ADD_FAILURE() << "pipe";
        thread_ = std::thread([this] { serve(); });
    }
    ~THttpTestServer()
    {
        stop();
        ::close(listen_);
        ::close(stop_[0]);
        ::close(stop_[1]);
    }
    uint16_t port() const { return port_; }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    QString url(const char* target) const { return base() + QString::fromUtf8(target); }

    // The request heads received, one per connection (valid once the server has stopped).
    const std::vector<QByteArray>& requests()
    {
        stop();
        return requests_;
    }
    QByteArray received() { return requests().empty() ? QByteArray() : requests_.front(); }
    bool accepted() { return !requests().empty(); }

private:
    void stop()
    {
        if (thread_.joinable()) {
            (void)!::write(stop_[1], "x", 1);
            thread_.join();
        }
    }
    // Waits for fd or the stop pipe; true when fd is ready.
    bool wait(int fd)
    {
        pollfd p[2] = {{fd, POLLIN, 0}, {stop_[0], POLLIN, 0}};
        ::poll(p, 2, 10000);
        return (p[0].revents & POLLIN) && !(p[1].revents & POLLIN);
    }
    void serve()
    {
        while (wait(listen_)) {
            const int c = ::accept(listen_, nullptr, nullptr);
            if (c < 0)
                return;
            QByteArray request;
            char buf[4096];
            while (!request.contains("\r\n\r\n") && wait(c)) {
                const ssize_t n = ::recv(c, buf, sizeof buf, 0);
                if (n <= 0)
                    break;
                request.append(buf, n);
            }
            requests_.push_back(request);
            if (silent_) {
                pollfd p{stop_[0], POLLIN, 0};
                ::poll(&p, 1, 10000);
            } else {
                (void)!::send(c, reply_.constData(), reply_.size(), MSG_NOSIGNAL);
            }
            ::close(c);
        }
    }

    QByteArray reply_;
    bool silent_;
    int listen_ = -1;
    int stop_[2] = {-1, -1};
    uint16_t port_ = 0;
    std::vector<QByteArray> requests_;
    std::thread thread_;
};

} // namespace testsupport
