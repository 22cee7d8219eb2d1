#pragma once

#include <windows.h>

namespace klarvo {

// Application title on the task bar until the main window sets its own.
inline constexpr char kStartTitle[] = "Klarvo Shell";

// Creates the main window "Tfmshell" and runs the message loop until the
// application ends. Returns the process exit code.
int RunShell(HINSTANCE instance, int showCommand);

} // namespace klarvo
