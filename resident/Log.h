#pragma once

#include <cstddef>
#include <string>

namespace klarvo::resident {

// The cleaner's own record of what it refused or could not do, for a person
// who wonders why something was not cleaned. Nothing ever reads it back.
inline constexpr char kLogName[] = "Klarvo.log";
// When a line would take the file past this, the older half goes first.
inline constexpr std::size_t kLogLimitBytes = 64 * 1024;

class Log {
public:
    // `file` is the full path of the log; empty writes nothing.
    explicit Log(std::string file);

    // Appends one line, "YYYY-MM-DD hh:mm:ss text". Line breaks inside the
    // text become blanks so that each event stays one line. A log that
    // cannot be written is given up on quietly: it must never stop a
    // cleaning.
    void Write(const std::string& text) const;

    const std::string& File() const { return file_; }

private:
    void Append(std::string line) const;

    std::string file_;
};

// The part of `content` kept when the log is full: the newer half, from the
// start of a whole line.
std::string NewerHalf(const std::string& content);

} // namespace klarvo::resident
