#include "framework/window/WinControl.h"

#include "framework/window/Application.h"
#include "framework/drawing/GdiCanvas.h"
#include "framework/window/WindowClasses.h"
#include "win/Error.h"

#include <map>
#include <string>

// Making and destroying a control's window: the class it needs, registered
// once, and its children's windows after its own.

namespace klarvo {

namespace {

struct ClassRecord {
    WNDPROC platformProc = nullptr;
};
std::map<std::string, ClassRecord>& Registered()
{
    static std::map<std::string, ClassRecord> classes;
    return classes;
}

} // namespace

LRESULT BeforeAttach(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof name);
    auto it = Registered().find(name);
    if (it != Registered().end() && it->second.platformProc) {
        return CallWindowProcA(it->second.platformProc, hwnd, msg, wParam, lParam);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND WinControl::Handle()
{
    if (!hwnd_ && !creating_) {
        if (parent_ && !parent_->Handle()) {
            return nullptr;
        }
        CreateWnd();
    }
    return hwnd_;
}

void WinControl::DestroyHandle()
{
    if (hwnd_) {
        DestroyWnd();
    }
}

void WinControl::RecreateHandle()
{
    if (hwnd_) {
        DestroyHandle();
        Handle();
    }
}

void WinControl::DestroyWnd()
{
    HWND h = hwnd_;
    if (App().CaptureControl() == this) {
        App().SetCaptureControl(nullptr);
    }
    DestroyWindow(h);
    hwnd_ = nullptr;
    windowFont_.Reset();
}

void WinControl::CreateParams(WindowParams& p)
{
    p.caption = text_;
    p.x = Left();
    p.y = Top();
    p.width = Width();
    p.height = Height();
    if (parent_) {
        p.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        p.parent = parent_->Handle();
    } else {
        p.style = WS_POPUP | WS_CLIPCHILDREN;
    }
    if (visible_ && parent_) {
        p.style |= WS_VISIBLE;
    }
    if (!enabled_) {
        p.style |= WS_DISABLED;
    }
    if (tabStop_) {
        p.style |= WS_TABSTOP;
    }
    p.className = "KlarvoControl";
    p.classStyle = CS_DBLCLKS;
}

namespace {

// Registers the window class a control's parameters ask for, once: our own,
// or a superclass of a platform control whose procedure stays the default
// handler while ours sees every message first. Returns its name.
std::string RegisteredClass(const WindowParams& p, WNDPROC& platformProc)
{
    std::string cls = p.platformClass.empty() ? p.className : "Klarvo." + p.platformClass;
    auto& reg = Registered();
    auto found = reg.find(cls);
    if (found == reg.end()) {
        WNDCLASSA wc{};
        ClassRecord rec;
        if (!p.platformClass.empty()) {
            if (!GetClassInfoA(nullptr, p.platformClass.c_str(), &wc)) {
                throw Error("unknown window class " + p.platformClass);
            }
            rec.platformProc = wc.lpfnWndProc;
        } else {
            wc.style = p.classStyle;
            wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
            wc.hbrBackground = p.background;
        }
        wc.lpfnWndProc = KlarvoWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = cls.c_str();
        if (!RegisterClassA(&wc)) {
            throw Error("cannot register window class " + cls);
        }
        found = reg.emplace(cls, rec).first;
    }
    platformProc = found->second.platformProc;
    return cls;
}

} // namespace

void WinControl::CreateWnd()
{
    WindowParams p;
    CreateParams(p);
    const std::string cls = RegisteredClass(p, platformProc_);
    creating_ = true;
    // The window procedure attaches this object at WM_NCCREATE.
    HWND h = CreateWindowExA(p.exStyle, cls.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width, p.height, p.parent,
                             nullptr, GetModuleHandleA(nullptr), static_cast<MessageWindow*>(&port_));
    creating_ = false;
    if (!h) {
        hwnd_ = nullptr;
        throw Error("cannot create window of class " + cls);
    }
    hwnd_ = h;
    if (platformProc_) {
        ApplyFontToWindow();
    }
    // Children get their windows with the parent, in child order.
    for (WinControl* child : std::vector<WinControl*>(tabList_)) {
        if (!child->HandleAllocated()) {
            child->CreateWnd();
        }
    }
}

void WinControl::ApplyFontToWindow()
{
    if (!hwnd_) {
        return;
    }
    GdiObject<HFONT> f(CreateFontFor(font_));
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(f.Get()), TRUE);
    windowFont_ = std::move(f); // the old one is no longer in use
}

} // namespace klarvo
