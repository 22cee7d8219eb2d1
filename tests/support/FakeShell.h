#pragma once

// A main window stand-in for tests of the settings store and the link.

#include <string>
#include <vector>

#include "settings/ShellControl.h"

namespace klarvo::test {

// Records what the link and the settings store ask of the main window.
// Which of the boxes a person sees is the application's rule, tested on the
// real window (shell_end_test.cpp).
class FakeShell : public ShellControl {
public:
    void StopRefreshTimer() override { calls.push_back("stop timer"); }
    void ShowMessage(const std::string& text) override { calls.push_back("message " + text); }
    void RequestEnd() override { calls.push_back("end"); }

    std::vector<std::string> calls;
};

} // namespace klarvo::test
