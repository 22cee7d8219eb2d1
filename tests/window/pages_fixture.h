#pragma once

// The main window on its real description, for the tests of the HDD
// Cleaning, Options, Help and About pages: everything the shared fixture
// fakes (cleaner, memory, registry, Windows directory, message boxes) plus
// the file and folder dialogs.

#include "shell_fixture.h"

namespace klarvo::test {

// Answers every browse button with a prepared choice, or a cancel.
class ChosenDialogs final : public BrowseDialogs {
public:
    bool OpenFile(HWND, const std::string& filter, const std::string&, const std::string&, std::string& chosen) override
    {
        filters.push_back(filter);
        return Answer(chosen);
    }
    bool OpenPicture(HWND owner, const std::string& filter, const std::string& dir, const std::string& current,
                     std::string& chosen) override
    {
        ++pictureDialogs;
        return OpenFile(owner, filter, dir, current, chosen);
    }
    bool BrowseFolder(HWND, const std::string&, const std::string&, std::string& chosen) override
    {
        ++folderDialogs;
        return Answer(chosen);
    }
    std::optional<std::string> answer;
    std::vector<std::string> filters;
    int folderDialogs = 0;
    int pictureDialogs = 0;

private:
    bool Answer(std::string& chosen)
    {
        if (!answer) {
            return false;
        }
        chosen = *answer;
        return true;
    }
};

class PagesTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        SetBrowseDialogs(&dialogs);
    }
    void TearDown() override
    {
        ShellTest::TearDown();
        SetBrowseDialogs(nullptr);
    }

    // The window shown, its refresh timer stopped.
    Tfmshell& StartReal(std::optional<std::vector<std::string>> helpLines = std::nullopt)
    {
        Start("", std::move(helpLines));
        // Commands the tests count are the pages' own, not the tick's.
        shell->StopRefreshTimer();
        ShowShell();
        cleaner.commands.clear();
        return *shell;
    }

    void SelectPage(int page) { Press("nb" + std::to_string(page + 1)); }
    // A left click on a windowed control, as the mouse gives it.
    void ClickOn(const std::string& name) { Press(name, Button::Left, 4, 4); }
    // Characters typed into a windowed control.
    void Type(const std::string& name, const std::string& chars)
    {
        for (char c : chars) {
            SendMessageA(Get<WinControl>(name).Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        }
        Pump();
    }
    bool Checked(const std::string& name) { return Get<TIACheckControl>(name).Checked(); }

    ChosenDialogs dialogs;
};

} // namespace klarvo::test
