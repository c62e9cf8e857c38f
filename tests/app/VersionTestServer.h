// A small HTTP server for the version check's tests: its own thread, 127.0.0.1 only.
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

namespace versiontest
{

// A server on 127.0.0.1 with its own thread: answers every connection with `reply` and closes it,
// or, when silent, accepts and holds the connection without a word until it is destroyed. Counts
// the connections so that a followed redirect would show.
class TVersionServer
{
  public:
    explicit TVersionServer(QByteArray reply, bool silent = false) : reply_(std::move(reply)), silent_(silent)
    {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (listen_ < 0 || ::bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
            ::listen(listen_, 4) != 0 || ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len) != 0 ||
            ::pipe(stop_) != 0)
            ADD_FAILURE() << "cannot listen on 127.0.0.1";
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~TVersionServer()
    {
        stop();
        ::close(listen_);
        ::close(stop_[0]);
        ::close(stop_[1]);
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    // Valid once the server has stopped.
    const std::vector<QByteArray>& requests()
    {
        stop();
        return requests_;
    }

  private:
    void stop()
    {
        if (thread_.joinable()) {
            (void)!::write(stop_[1], "x", 1);
            thread_.join();
        }
    }
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

inline QByteArray ok(const QByteArray& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + body;
}

} // namespace versiontest
