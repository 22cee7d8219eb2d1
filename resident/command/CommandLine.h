#pragma once

// What the cleaner is asked to do by the words it was started with. Plain
// text in, plain answer out: no window, no file.

#include <cstdint>
#include <string>
#include <vector>

#include "link/Messages.h"

namespace klarvo::resident {

enum class Invocation {
    Resident,      // no switch: the resident cleaner, as the shell and autorun start it
    Clear,         // clean `categories` once
    Ram,           // free `megabytes` once
    Preview,       // list what a Clear of `categories` would take, into `reportFile`
    Help,          // show the switches
    NotUnderstood, // `problem` says what
};

struct CommandLine {
    Invocation invocation = Invocation::Resident;
    // Clear and Preview: each named category once, in the order named;
    // empty means the categories ticked in the settings.
    std::vector<HddCategory> categories;
    std::int32_t megabytes = 0; // Ram: 1 to kMaxCommandLineMegabytes
    std::string reportFile;     // Preview: as written; empty for the default report
    std::string problem;        // NotUnderstood: the switch and what is wrong with it
};

inline constexpr std::int32_t kMaxCommandLineMegabytes = 4096;

// Reads the whole command line as the system hands it over (the program's
// name first, quoted or not). The rules:
// - Words are separated by blanks and tabs; a double quote starts or ends
//   a stretch in which blanks belong to the word, and is itself dropped.
//   Backslashes are taken as they stand (paths end in them).
// - The program's name runs to its closing quote, or unquoted to the first
//   blank: the rest of an unquoted path with blanks (the autorun value of a
//   cleaner under "Program Files") is only more words.
// - Only words that begin with '/' are switches; other words are passed
//   over. Switch names and category names are read in any case.
// - One switch at a time: a second one, even the same again, is not
//   understood, since which of them was meant cannot be known.
// - A category list is names separated by commas; an empty name (as in
//   "/clear:" or "/clear:temp,,dir") is not understood rather than read as
//   "the ticked ones", which would clean more than was written.
// - /preview's value is a category list when it holds only letters and
//   commas, a report file otherwise, or both as "list:file".
CommandLine ParseCommandLine(const std::string& raw);

// The switches with an example, for the help box and the console.
std::string CommandLineHelp();

} // namespace klarvo::resident
