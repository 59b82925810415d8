#pragma once
// A tiny HTTP/1.1 server on a loopback address (127.0.0.1 unless named) for
// the fetch tests: one worker thread, one connection at a time, one canned
// response per request path; it counts the connections made to it. Without
// a handler it holds its port closed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

class LocalHttpServer {
public:
    struct Response {
        Response(int status_, std::string body_, std::chrono::milliseconds delay_ = {},
                 bool contentLength_ = true, std::string location_ = {})
            : status(status_), body(std::move(body_)), delay(delay_), contentLength(contentLength_),
              location(std::move(location_))
        {
        }
        int status;
        std::string body;
        std::chrono::milliseconds delay; // before anything is sent
        bool contentLength;              // else the body ends when the connection closes
        std::string location;            // a Location header, for redirects
    };
    using Handler = std::function<Response(const std::string& path)>;

    // Listens on a loopback address ("127.0.0.2", "::1") and port; port 0
    // takes a free one. Without a handler the port is held but not listened
    // on: a connection to it is refused, and no other server can take it.
    // Throws std::system_error when the port cannot be had (address in use:
    // another socket holds it, if only a closed connection in TIME_WAIT).
    explicit LocalHttpServer(Handler handler, const std::string& ip = "127.0.0.1", int port = 0)
        : handler_(std::move(handler)),
          host_(ip.find(':') == std::string::npos ? ip : "[" + ip + "]")
    {
        sockaddr_in6 address{}; // large enough for either family
        auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
        socklen_t length = 0;
        if (::inet_pton(AF_INET, ip.c_str(), &v4->sin_addr) == 1) {
            v4->sin_family = AF_INET;
            v4->sin_port = htons(static_cast<std::uint16_t>(port));
            length = sizeof(sockaddr_in);
        } else if (::inet_pton(AF_INET6, ip.c_str(), &address.sin6_addr) == 1) {
            address.sin6_family = AF_INET6;
            address.sin6_port = htons(static_cast<std::uint16_t>(port));
            length = sizeof(sockaddr_in6);
        }
        auto* any = reinterpret_cast<sockaddr*>(&address);
        // Non-blocking, so that accepts() and the worker may both take a
        // waiting connection.
        listener_ = ::socket(any->sa_family, SOCK_STREAM | SOCK_NONBLOCK, 0);
        if (length == 0 || listener_ < 0 || ::bind(listener_, any, length) != 0 ||
            (handler_ && ::listen(listener_, 8) != 0) ||
            ::getsockname(listener_, any, &length) != 0) {
            const int error = errno;
            if (listener_ >= 0)
                ::close(listener_);
            throw std::system_error(error, std::generic_category(), "cannot listen on " + ip);
        }
        port_ = ntohs(any->sa_family == AF_INET ? v4->sin_port : address.sin6_port);
        if (handler_)
            thread_ = std::thread([this] { serve(); });
    }

    ~LocalHttpServer()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
        ::close(listener_);
    }

    std::string url(const std::string& path) const
    {
        return "http://" + host_ + ":" + std::to_string(port_) + path;
    }
    int port() const { return port_; }

    // The connections made to this server so far, answered or still waiting
    // to be: a connection the client dropped at once counts too.
    int accepts()
    {
        std::lock_guard lock(acceptMutex_);
        for (int waiting; (waiting = ::accept(listener_, nullptr, nullptr)) >= 0;) {
            ::close(waiting);
            ++accepts_;
        }
        return accepts_;
    }

private:
    void serve()
    {
        while (!stopping_) {
            pollfd ready{listener_, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0)
                continue;
            int connection = -1;
            {
                std::lock_guard lock(acceptMutex_);
                connection = ::accept(listener_, nullptr, nullptr);
                if (connection < 0)
                    continue;
                ++accepts_;
            }
            answer(connection);
            ::close(connection);
        }
    }

    void answer(int connection)
    {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            pollfd ready{connection, POLLIN, 0};
            if (::poll(&ready, 1, 2000) <= 0)
                return;
            const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0)
                return;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        const std::size_t start = request.find(' ') + 1;
        const Response response = handler_(request.substr(start, request.find(' ', start) - start));
        {
            std::unique_lock lock(mutex_);
            if (wake_.wait_for(lock, response.delay, [this] { return stopping_.load(); }))
                return;
        }
        std::string head = "HTTP/1.1 " + std::to_string(response.status) + " Canned\r\n";
        if (response.contentLength)
            head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
        if (!response.location.empty())
            head += "Location: " + response.location + "\r\n";
        head += "Content-Type: text/html; charset=utf-8\r\nConnection: close\r\n\r\n";
        if (send(connection, head))
            send(connection, response.body);
    }

    static bool send(int connection, const std::string& bytes)
    {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n =
                ::send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return false; // the client gave up
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

    Handler handler_;
    std::string host_; // as written in a URL
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stopping_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::mutex acceptMutex_;
    int accepts_ = 0;
};
