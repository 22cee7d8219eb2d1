#pragma once

// The window classes the framework registers: shared by window creation,
// which registers them, and the window procedure, which answers for them.

#include <windows.h>

namespace klarvo {

LRESULT CALLBACK KlarvoWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A message that arrives before WM_NCCREATE (a top-level window's
// WM_GETMINMAXINFO) has no object yet: the platform's procedure of a
// superclass, or the default one, answers it.
LRESULT BeforeAttach(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace klarvo
