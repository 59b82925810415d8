#pragma once
// A tiny HTTP/1.1 server on 127.0.0.1 for the fetch tests: one worker thread,
// one connection at a time, one canned response per request path.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
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

    explicit LocalHttpServer(Handler handler) : handler_(std::move(handler))
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 ||
            ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(listener_, 8) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    ~LocalHttpServer()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
        ::close(listener_);
    }

    std::string url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    void serve()
    {
        while (!stopping_) {
            pollfd ready{listener_, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0)
                continue;
            const int connection = ::accept(listener_, nullptr, nullptr);
            if (connection < 0)
                continue;
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
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stopping_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
};
