#pragma once

// The framework's own control messages, sent to controls with Perform or to
// windows with SendMessage. Numbers follow the 0xB000 block used by the
// original tool set, which the window code sends by number.

namespace klarvo {

constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 11;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 13;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20; // 45076
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 9;

} // namespace klarvo
