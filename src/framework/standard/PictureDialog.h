#pragma once

// The open dialog for pictures: the platform's explorer-style open dialog
// with a preview pane at its right. The pane shows the selected Windows
// bitmap or JPEG file shrunk to fit, with its size in pixels above it, or
// "(None)" for anything that is not a readable picture; it shows the file
// the dialog opens with at once and follows the selection. A damaged file
// shows "(None)" and never an error box.
//
// The pane is a child dialog of our own (a template built in memory) and its
// hook, the extension that the comdlg32 of Windows 95 and 98 already offers:
// its "stc32" placeholder stands for the standard controls, and what lies
// right of it is moved right of them.

#include <windows.h>
#include <commdlg.h>

namespace klarvo {

// GetOpenFileNameA with the preview added. Sets the explorer, hook,
// template and sizing flags and the hook itself; the caller fills in the
// rest. ofn.lpstrFile names the picture shown first.
bool GetOpenPictureFileName(OPENFILENAMEA& ofn);

} // namespace klarvo
