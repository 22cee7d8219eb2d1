#pragma once

// The application object: title, message loop, processing of pending
// messages, minimise and restore, the pending end, message boxes, the
// default error box, and the hint machinery with a replaceable hint-window
// class. There is one, reached through App().
//
// Pending end: Terminate() posts the quit request and returns; the current
// handler carries on and the program ends when control is back in the
// message loop. While the end is pending, every further modal message box
// closes by itself at once (ShowMessage returns IDOK without waiting).

#include "framework/drawing/Color.h"
#include "framework/drawing/Font.h"
#include "win/MessageWindow.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace klarvo {

class Component;
class Control;
class Form;
class HintWindow;

// The class of which the application makes its hint window.
using HintWindowClass = std::unique_ptr<HintWindow> (*)();

class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The first form made becomes the main form; closing it ends the run.
    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }

    // Shows the main form and runs the message loop until the end.
    void Run();
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();

    // Asks the application to end (the pending end).
    void Terminate();
    bool Terminated() const { return terminated_; }

    void Minimize();
    void Restore();

    // A modal box with the title as caption and one OK button. While the end
    // is pending it closes by itself. Returns the box's result.
    int ShowMessage(const std::string& text);
    // Any modal box with the title as caption (MB_ flags).
    int ShowMessageBox(const std::string& text, UINT flags);
    // The default error box for a failure that reached the loop or a handler;
    // while one shows, further failures show none.
    void HandleException(const std::exception& e);
    void HandleUnknownException();
    // Replaces the platform's MessageBoxA (tests); null restores it.
    using MessageBoxFunction =
        std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT flags)>;
    void SetMessageBoxFunction(MessageBoxFunction f) { messageBox_ = std::move(f); }

    // Hints.
    bool ShowHint() const { return showHint_; }
    // Switching hints off destroys the hint window; on makes one of the
    // current class.
    void SetShowHint(bool v);
    HintWindowClass GetHintWindowClass() const { return hintClass_; }
    void SetHintWindowClass(HintWindowClass cls) { hintClass_ = cls; }
    HintWindow* CurrentHintWindow() const { return hintWindow_.get(); }
    Color HintColor() const { return hintColor_; }
    void SetHintColor(Color c) { hintColor_ = c; }
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    Font& HintFont() { return hintFont_; }
    // Hides the hint now and forgets the pending one.
    void CancelHint();
    // Shows the hint of a control at once (what the pause would do).
    void ActivateHintFor(Control* control, POINT cursorScreen);

    // The control under the pointer, as the routers last saw it; changing it
    // sends CM_MOUSELEAVE to the old one and CM_MOUSEENTER to the new one.
    Control* MouseControl() const { return mouseControl_; }
    void SetMouseControl(Control* control, POINT cursorScreen);
    // The control holding the mouse capture (windowed or not), if any.
    Control* CaptureControl() const { return captureControl_; }
    void SetCaptureControl(Control* control);
    // The platform took the capture away.
    void ForgetCapture() { captureControl_ = nullptr; }

    // Called by Control's destructor so no stale pointer stays behind.
    void ControlDestroyed(Control* control);

    // The hidden window that timers and the hint pause use.
    HWND UtilityWindow();

    // Handles one message as the loop would (accelerators, tab keys,
    // dispatch); returns false for WM_QUIT.
    bool ProcessMessage(MSG& msg);

private:
    // The utility window's side of the shared window procedure: timers and
    // the hint pause fire here, and their failures go to the error box.
    class UtilityPort : public MessageWindow {
    public:
        explicit UtilityPort(Application& app) : app_(app) {}

    private:
        LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
        void OnFailure() override;
        Application& app_;
    };
    void HintTimerFired();
    void ShowErrorBox(const std::string& text);

    std::string title_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    bool showHint_ = true;
    HintWindowClass hintClass_;
    std::unique_ptr<HintWindow> hintWindow_;
    Color hintColor_ = clInfoBk;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    Font hintFont_;
    Control* mouseControl_ = nullptr;
    Control* captureControl_ = nullptr;
    Control* hintControl_ = nullptr;
    bool hintShowing_ = false;
    POINT hintCursor_{};
    UtilityPort utilityPort_{*this};
    HWND utility_ = nullptr;
    MessageBoxFunction messageBox_;
    bool errorBoxOpen_ = false;
};

Application& App();

} // namespace klarvo
