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

// Notifications that a parent window receives about a child (WM_COMMAND,
// WM_NOTIFY, scrolling, colours), passed back to the child's own object as
// CN_BASE + the message.
constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_COMMAND = CN_BASE + 0x0111;        // WM_COMMAND
constexpr unsigned CN_NOTIFY = CN_BASE + 0x004E;         // WM_NOTIFY
constexpr unsigned CN_HSCROLL = CN_BASE + 0x0114;        // WM_HSCROLL
constexpr unsigned CN_VSCROLL = CN_BASE + 0x0115;        // WM_VSCROLL
constexpr unsigned CN_CTLCOLOREDIT = CN_BASE + 0x0133;   // WM_CTLCOLOREDIT
constexpr unsigned CN_CTLCOLORSTATIC = CN_BASE + 0x0138; // WM_CTLCOLORSTATIC

} // namespace klarvo
