#pragma once

#include <string>
#include <vector>

#include "settings/ShellControl.h"

namespace klarvo::test {

// Records what the link and the settings store ask of the main window, and
// plays the application object's rule that boxes shown while the end is
// pending close by themselves, so a test can count the boxes a user sees.
class FakeShell : public ShellControl {
public:
    void StopRefreshTimer() override { calls.push_back("stop timer"); }
    void ShowMessage(const std::string& text) override
    {
        calls.push_back("message " + text);
        if (!endPending)
            seenByUser.push_back(text);
    }
    void RequestEnd() override
    {
        calls.push_back("end");
        endPending = true;
    }

    std::vector<std::string> calls;
    std::vector<std::string> seenByUser;
    bool endPending = false;
};

} // namespace klarvo::test
