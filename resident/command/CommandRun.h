#pragma once

// A cleaner started with a switch: the one run it makes, its exit codes and
// its help.

#include <string>

#include "resident/command/CommandLine.h"

namespace klarvo::resident {

// How a run from the command line went, as its exit code.
enum CommandExit : int {
    exitDone = 0,
    exitIncomplete = 1,    // something was refused, failed or left: Klarvo.log says what
    exitNotUnderstood = 2, // nothing was done
};

// A cleaner started with a switch: the one piece of work asked for, then
// the end. It is not the resident cleaner: it takes neither the resident's
// mutex nor its window class, so a resident started meanwhile starts as
// ever and the shell never takes this one for its cleaner. Only the work
// itself is shared, each kind under its lock (WorkLocks.h).
int RunCommandLine(const CommandLine& line);

// One box with `text`, and, started from a console of a Windows that lets
// a windowed program write to it, the same text there.
void Tell(const std::string& text, bool warning);

} // namespace klarvo::resident
