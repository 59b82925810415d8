#pragma once
// The exception that platform calls raise for a programming fault, such as
// making a file address from no path. It carries the reason as text.
#include <exception>
#include <string>

namespace platform {

class Exception : public std::exception {
public:
    explicit Exception(std::string reason) : reason_(std::move(reason)) { }

    // The reason as text. Any thread.
    const std::string& reason() const { return reason_; }
    const char* what() const noexcept override { return reason_.c_str(); }

private:
    std::string reason_;
};

} // namespace platform
