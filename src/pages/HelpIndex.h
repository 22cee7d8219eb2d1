#pragma once

// The Help page's index, built once at start-up: one underlined, clickable
// label per topic title, owned by the page control and placed on tshelp.
// The page's own handlers (ShowHelpTopic, lbbuyMouseEnter/Leave) are taken
// from the handler table when they exist.

#include "pages/ShellHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace klarvo {

// Puts the help text's lines into the hidden mmtext (when the window has
// one), makes an index label for each title and returns the number of
// titles (HelpTopicCount).
std::int32_t BuildHelpIndex(ShellHost& host, const std::vector<std::string>& lines);

} // namespace klarvo
