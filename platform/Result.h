#pragma once
// The one way a platform call reports failure: a Result holds either the
// value asked for or an Error whose message says, for the log, what went
// wrong. Platform calls never throw across into the callers' layers.
//
//     Result<Bytes> read(...)  { ...; if (bad) return failure("why"); return bytes; }
//     Result<void> open(...)   { ...; if (bad) return failure("why"); return {}; }
//     if (auto bytes = read(...)) use(*bytes); else log(bytes.error());
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace platform {

// What kind of failure an Error is, for a caller that answers the kinds
// differently (the import screen tells why a page did not come); most
// failures are Other, and callers read only their message.
enum class ErrorKind {
    Other,
    NotAnAddress, // not an address this call accepts
    TooLarge,     // larger than the call's limit
    HostNotFound, // the address's host name has no network address
    TimedOut,     // no answer within the call's time
    Refused,      // the connection was refused or failed
    HttpStatus,   // the server answered with an error status (see status())
};

// Why a call failed, in a readable text. Made with failure().
class Error {
public:
    explicit Error(std::string message, ErrorKind kind = ErrorKind::Other, int status = 0)
        : message_(std::move(message)), kind_(kind), status_(status)
    {
    }
    const std::string& message() const { return message_; }
    ErrorKind kind() const { return kind_; }
    // The server's status for HttpStatus; 0 otherwise.
    int status() const { return status_; }

private:
    std::string message_;
    ErrorKind kind_;
    int status_;
};

// The failure of any Result, with its message (and its kind, where a caller
// tells kinds apart).
inline Error failure(std::string message, ErrorKind kind = ErrorKind::Other, int status = 0)
{
    return Error(std::move(message), kind, status);
}

// The failure of a system call that set errno: what was being done, and
// errno's text.
inline Error systemError(std::string_view what)
{
    return failure(std::string(what) + ": " + std::strerror(errno));
}

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // Why there is no value; the empty text when there is one.
    const std::string& error() const { return failure().message(); }
    // The whole failure, kind included; an empty Other when there is a value.
    const Error& failure() const
    {
        static const Error none{std::string()};
        return ok() ? none : std::get<1>(state_);
    }

private:
    std::variant<T, Error> state_;
};

// A result without a value: success, or the error.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(error.message()), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }

private:
    std::string error_;
    bool failed_ = false;
};

} // namespace platform
