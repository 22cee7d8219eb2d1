#pragma once

#include <exception>
#include <string>

namespace klarvo {

// The base of the project's own exceptions. The standard library's
// runtime_error family keeps its message in a second, reference-counted
// string implementation; throwing one links that whole implementation
// (about 45 KB) into each program. This keeps the message in a plain string.
class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

} // namespace klarvo
