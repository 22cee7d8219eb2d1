#include "framework/window/Application.h"

#include "framework/window/CommonControls.h"
#include "framework/window/Control.h"
#include "framework/window/Form.h"
#include "framework/window/HintWindow.h"
#include "framework/window/Messages.h"
#include "framework/window/OnScreen.h"
#include "framework/window/Timer.h"
#include "framework/drawing/WindowCanvas.h"

#include <commctrl.h>

namespace klarvo {

namespace {

constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

// While the end is pending, a modal box that opens is answered at once.
HHOOK g_autoCloseHook = nullptr;

LRESULT CALLBACK AutoCloseHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        char cls[16] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) {
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(g_autoCloseHook, code, wParam, lParam);
}

} // namespace

Application& App()
{
    static Application app;
    return app;
}

Application::Application() : hintClass_(&MakePlainHintWindow)
{
    InitCommonControlClasses();
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    auto slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
        name = name.substr(slash + 1);
    }
    auto dot = name.find_last_of('.');
    title_ = dot == std::string::npos ? name : name.substr(0, dot);
    hintFont_.SetName("MS Sans Serif");
    hintFont_.SetHeight(11);
    hintFont_.SetColor(clInfoText);
}

Application::~Application()
{
    hintWindow_.reset();
    if (utility_) {
        DestroyWindow(utility_);
    }
}

void Application::SetTitle(const std::string& title)
{
    title_ = title;
}

HWND Application::UtilityWindow()
{
    if (!utility_) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = MessageWindow::Procedure<>;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KlarvoUtility";
        RegisterClassA(&wc);
        utility_ = CreateWindowExA(0, "KlarvoUtility", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), static_cast<MessageWindow*>(&utilityPort_));
    }
    return utility_;
}

LRESULT Application::UtilityPort::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (wParam == kHintShowTimer || wParam == kHintHideTimer) {
        KillTimer(window, wParam);
        if (wParam == kHintShowTimer) {
            app_.HintTimerFired();
        } else {
            app_.CancelHint();
        }
    } else {
        Timer::FireById(wParam);
    }
    return 0;
}

void Application::UtilityPort::OnFailure()
{
    try {
        throw;
    } catch (const std::exception& e) {
        app_.HandleException(e);
    } catch (...) {
        app_.HandleUnknownException();
    }
}

bool Application::ProcessMessage(MSG& msg)
{
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    // The system would call a WM_TIMER's lParam as a function; no timer here
    // has one, so such a message came from another program.
    if (msg.message == WM_TIMER && msg.lParam != 0) {
        return true;
    }
    // The system sends a window its first and last messages itself; from the
    // queue they came from another program, and would part a window from
    // its object for good.
    if (msg.message == WM_NCCREATE || msg.message == WM_NCDESTROY) {
        return true;
    }
    // A control hears of its own notifications by a direct call from its
    // parent, with the platform's pointer; one that arrives through the
    // queue came from another program, with whatever lParam it liked.
    if (msg.message >= CN_BASE && msg.message < CN_BASE + 0x400) {
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    // Canvases used outside painting give their DCs back after each message.
    WindowCanvas::FreeAll();
    return true;
}

void Application::ProcessMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the loop that owns it.
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ProcessMessage(msg);
    }
}

void Application::HandleMessage()
{
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        terminated_ = true;
        return;
    }
    ProcessMessage(msg);
}

void Application::Run()
{
    if (mainForm_) {
        mainForm_->Show();
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ProcessMessage(msg);
    }
    terminated_ = true;
}

void Application::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::Minimize()
{
    if (mainForm_ && mainForm_->HandleAllocated()) {
        ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
    }
}

void Application::Restore()
{
    if (mainForm_ && mainForm_->HandleAllocated()) {
        ShowWindow(mainForm_->Handle(), SW_RESTORE);
    }
}

int Application::ShowMessageBox(const std::string& text, UINT flags)
{
    CancelHint();
    HWND owner = nullptr;
    if (mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->Handle())) {
        owner = mainForm_->Handle();
    }
    bool hooked = false;
    if (terminated_ && !g_autoCloseHook) {
        g_autoCloseHook = SetWindowsHookExA(WH_CBT, AutoCloseHook, nullptr, GetCurrentThreadId());
        hooked = g_autoCloseHook != nullptr;
    }
    int result = 0;
    {
        KeepDialogsOnScreen onScreen(owner);
        result = messageBox_ ? messageBox_(owner, text, title_, flags)
                             : MessageBoxA(owner, text.c_str(), title_.c_str(), flags);
    }
    if (hooked) {
        UnhookWindowsHookEx(g_autoCloseHook);
        g_autoCloseHook = nullptr;
    }
    return result;
}

int Application::ShowMessage(const std::string& text)
{
    return ShowMessageBox(text, MB_OK);
}

void Application::HandleException(const std::exception& e)
{
    ShowErrorBox(e.what());
}

void Application::HandleUnknownException()
{
    ShowErrorBox("Unexpected failure.");
}

void Application::ShowErrorBox(const std::string& text)
{
    // The box's own loop handles messages: a failure that repeats with each
    // of them (a settings file another program keeps locked) would open box
    // inside box until the stack ran out. One shows; the rest are dropped.
    if (errorBoxOpen_) {
        return;
    }
    errorBoxOpen_ = true;
    struct Closed {
        bool& open;
        ~Closed() { open = false; }
    } closed{errorBoxOpen_};
    ShowMessageBox(text, MB_OK | MB_ICONERROR);
}

// ---- hints -----------------------------------------------------------------

void Application::SetShowHint(bool v)
{
    if (v == showHint_) {
        return;
    }
    showHint_ = v;
    if (v) {
        hintWindow_ = hintClass_ ? hintClass_() : nullptr;
    } else {
        CancelHint();
        hintWindow_.reset();
    }
}

void Application::CancelHint()
{
    if (utility_) {
        KillTimer(utility_, kHintShowTimer);
        KillTimer(utility_, kHintHideTimer);
    }
    if (hintShowing_ && hintWindow_) {
        hintWindow_->ReleaseHandle();
    }
    hintShowing_ = false;
}

void Application::ActivateHintFor(Control* control, POINT cursor)
{
    if (!showHint_ || !control) {
        return;
    }
    if (!hintWindow_) {
        hintWindow_ = hintClass_ ? hintClass_() : nullptr;
        if (!hintWindow_) {
            return;
        }
    }
    const std::string& text = control->Hint();
    Rect r = hintWindow_->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), text);
    // Just below the pointer, as a tooltip sits.
    int dy = GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
    Rect placed = Bounds(cursor.x, cursor.y + dy, r.Width(), r.Height());
    hintWindow_->ActivateHint(placed, text);
    hintShowing_ = true;
    hintControl_ = control;
    SetTimer(UtilityWindow(), kHintHideTimer, static_cast<UINT>(hintHidePause_), nullptr);
}

void Application::HintTimerFired()
{
    if (mouseControl_ && mouseControl_ == hintControl_) {
        ActivateHintFor(mouseControl_, hintCursor_);
    }
}

void Application::SetMouseControl(Control* control, POINT cursor)
{
    if (control == mouseControl_) {
        return;
    }
    Control* old = mouseControl_;
    mouseControl_ = control;
    CancelHint();
    if (old) {
        old->Perform(CM_MOUSELEAVE, 0, 0);
    }
    // The leave handler may have destroyed or replaced things; check again.
    if (mouseControl_ != control) {
        return;
    }
    if (control) {
        control->Perform(CM_MOUSEENTER, 0, 0);
    }
    hintControl_ = control;
    hintCursor_ = cursor;
    if (control && mouseControl_ == control && showHint_ && control->ShowHint() && !control->Hint().empty()) {
        SetTimer(UtilityWindow(), kHintShowTimer, static_cast<UINT>(hintPause_), nullptr);
    }
}

void Application::SetCaptureControl(Control* control)
{
    captureControl_ = control;
    if (!control) {
        if (GetCapture()) {
            ReleaseCapture();
        }
        captureControl_ = nullptr;
        return;
    }
    for (Control* c = control; c; c = c->Parent()) {
        if (auto* w = dynamic_cast<WinControl*>(c); w && w->HandleAllocated()) {
            SetCapture(w->Handle());
            break;
        }
    }
    captureControl_ = control;
}

void Application::ControlDestroyed(Control* control)
{
    if (mouseControl_ == control) {
        mouseControl_ = nullptr;
    }
    if (captureControl_ == control) {
        captureControl_ = nullptr;
    }
    if (hintControl_ == control) {
        CancelHint();
        hintControl_ = nullptr;
    }
    if (mainForm_ == control) {
        mainForm_ = nullptr;
    }
}

} // namespace klarvo
