#pragma once

// Klarvo.log: the cleaner's record of what it refused or could not do.

#include <cstddef>
#include <deque>
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
    // text become blanks so that each event stays one line. A line the log
    // cannot take now (a viewer holds it without letting writers in) is
    // held in memory, after those held before it, and written when the log
    // opens again; at most a full log's worth is held, all a trim would
    // keep. The log must never stop a cleaning, nor lose a line to a viewer.
    void Write(const std::string& text);
    // Tries the held lines again; an ending cleaner gives them this last
    // chance.
    void WriteHeld();
    // Lines wait for the log to open again.
    bool Holding() const { return !held_.empty(); }

    const std::string& File() const { return file_; }

private:
    // False while a trim that ended half way cannot be mended: the log is
    // not opened before, lest a new one start beside the history.
    bool MendTrim() const;
    void Append(const std::string& lines, bool replacingAll) const;
    void Hold(std::string line);

    std::string file_;
    std::deque<std::string> held_;
    std::size_t heldBytes_ = 0;
    // More was held than a full log keeps: the held lines are then all the
    // log keeps, and nothing older may stand before them.
    bool heldFillsLog_ = false;
};

// The part of `content` kept when the log is full: the newer half, from the
// start of a whole line.
std::string NewerHalf(const std::string& content);

} // namespace klarvo::resident
