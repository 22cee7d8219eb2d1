#pragma once

// The window classes the framework registers: shared by window creation,
// which registers them, and the window procedure, which answers for them.

#include "win/MessageWindow.h"

#include <windows.h>

namespace klarvo {

// A message that arrives before WM_NCCREATE (a top-level window's
// WM_GETMINMAXINFO) has no object yet: the platform's procedure of a
// superclass, or the default one, answers it.
LRESULT BeforeAttach(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The procedure of every class the framework registers.
inline constexpr WNDPROC KlarvoWindowProc = MessageWindow::Procedure<BeforeAttach>;

} // namespace klarvo
