#pragma once

// /preview from the command line: a preview into a named file or beside the
// log.

#include <string>
#include <vector>

#include "link/Messages.h"

namespace klarvo::resident {

// /preview from the command line: `reportFile` is a full path, or empty for
// the report beside the log. Returns the run's exit code.
int RunPreviewSwitch(const std::string& programDir, const std::vector<HddCategory>& categories,
                     const std::string& reportFile);

} // namespace klarvo::resident
