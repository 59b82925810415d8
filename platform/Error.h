#pragma once
// An error handed back by a platform call that failed, with a readable text.
#include <string>

namespace platform {

class Error {
public:
    explicit Error(std::string description) : description_(std::move(description)) {}

    // The readable text of the failure. Any thread.
    const std::string& localizedDescription() const { return description_; }

private:
    std::string description_;
};

} // namespace platform
