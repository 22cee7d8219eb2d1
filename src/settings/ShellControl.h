#pragma once

// What the settings store and the cleaner link may ask of the main window
// when the shell cannot go on.

#include <string>

namespace klarvo {

// The three things a fatal path needs from the main window. The settings
// store and the cleaner link both meet conditions after which the shell
// cannot go on (the cleaner missing, a reboot needed); neither may depend on
// the window code, so the main window hands itself in through this.
class ShellControl {
public:
    // Stops tmrefresh, so that no further tick repeats the failure.
    virtual void StopRefreshTimer() = 0;
    // A modal box with the application title as caption and one OK button.
    // Once RequestEnd has been called, the application closes later boxes
    // by itself: that rule lives in the application object, not here.
    virtual void ShowMessage(const std::string& text) = 0;
    // Posts the quit request and returns: the caller's handler carries on
    // and the program ends when control is back in the message loop.
    virtual void RequestEnd() = 0;

protected:
    ~ShellControl() = default;
};

// Every fatal path in the order the user sees it: the timer stops first so
// that no tick runs while the box is up.
inline void EndWithMessage(ShellControl& shell, const std::string& text)
{
    shell.StopRefreshTimer();
    shell.ShowMessage(text);
    shell.RequestEnd();
}

} // namespace klarvo
