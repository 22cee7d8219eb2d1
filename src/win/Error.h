#pragma once

// The project's own exception base, light enough for both programs.

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

// A file that could not be opened, read or written. The message names the
// file and the system's reason; each caller decides what the failure means
// to it (nothing yet, its own error, a quiet give-up).
class FileError : public Error {
public:
    FileError(std::string message, unsigned long code) : Error(std::move(message)), code_(code) {}
    // The Win32 error code of the failed call.
    unsigned long Code() const { return code_; }

private:
    unsigned long code_;
};

// Text of a Win32 error code for a message ("Access is denied"), without
// the system's closing full stop and line break.
std::string SystemErrorText(unsigned long code);

} // namespace klarvo
