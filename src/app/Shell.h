#pragma once

// Tfmshell, the shell's only window: a form of the framework built from the
// stored description SHELL_FORM, whose events are bound by name to the
// handlers of the pages (src/pages/ShellHost.h explains how). It owns the
// window-wide values, runs the fixed start-up order, the 500 ms refresh
// tick, Apply and the loading of the settings, and takes the resident
// cleaner's notifications.

#include "app/MemoryStatus.h"
#include "framework/window/Form.h"
#include "framework/loader/FormLoader.h"
#include "pages/Handlers.h"
#include "pages/Page.h"
#include "pages/Pages.h"
#include "pages/ShellHost.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace klarvo {

// The application title once the window exists (two blanks before "Shell").
inline constexpr char kShellTitle[] = "Klarvo ver 3.1  Shell";
// The form description resource.
inline constexpr char kShellFormResource[] = "SHELL_FORM";

struct ShellOptions {
    // The form description; empty: the SHELL_FORM resource.
    std::string formText;
    // The start page's text; nothing: the program's first argument.
    std::optional<std::string> pageArgument;
    // Null: GlobalMemoryStatus.
    MemoryStatusSource* memory = nullptr;
    // The help text's lines; nothing: the HELP_TEXT resource.
    std::optional<std::vector<std::string>> helpLines;
};

class Tfmshell : public Form, public ShellHost {
public:
    // Loads the description, then runs FormCreate; a failure of FormCreate
    // goes to the default error box and leaves the window as far as it got.
    // A description that cannot be loaded raises FormError.
    explicit Tfmshell(ShellOptions options = {});
    ~Tfmshell() override;

    // ShellHost
    Component& Root() override { return *this; }
    ShellValues& Values() override { return values_; }
    HandlerTable& Handlers() override { return handlers_; }
    void SendToCleaner(std::int32_t command, std::int32_t argument) override;
    // By the rows of the slot table (ApplyLoad.cpp).
    void ShowSlotDefaults(DefaultsButton button) override;

    // ShellControl: the fatal paths.
    void StopRefreshTimer() override;
    void ShowMessage(const std::string& text) override;
    void RequestEnd() override;

    PageSet& Pages() { return *pages_; }

    // The window's own handlers, beside the pages' tables.
    static const std::span<const HandlerRow<Tfmshell>> kHandlerRows;

    // Start-up, in its fixed order; run once by the constructor.
    void FormCreate();
    // What the description's OnCreate runs: nothing, since FormCreate runs
    // from the constructor once the description is loaded, and must not run
    // twice.
    void FormCreateEvent(Component*) {}
    void FormShow(Component* sender);
    // The refresh tick: keeps the resident cleaner alive and the memory
    // figures current. Also run once at the end of FormCreate.
    void tmrefreshTimer(Component* sender);

    // Every setting from the controls into Conf.dat and ConfStr.dat, the
    // autorun value, and the resident cleaner told to reload (ApplyLoad.cpp).
    void nbapplyClick(Component* sender);
    // The reverse, once at start-up.
    void LoadSettings();

    // A WM_SHELLNOTIFY message: a code the shell understands goes to the
    // pages, any other is dropped.
    void ShellNotify(std::uint64_t code, std::int64_t value);

    // The start page FormCreate chose.
    int StartPage() const { return startPage_; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The steps of FormCreate, in its order.
    void SetTitles();
    void ApplyRunTimeGeometry();
    // Defaults of the four pages with settings, applied: either file missing.
    void WriteFirstRunSettings();
    void ShowStartPage();
    void BuildHelpIndexFromText();
    void ShowProgramIcon();
    MemoryStatusBytes ReadMemory();
    // The tick's figures from one reading, remembered and shown.
    void ShowMemory(const MemoryStatusBytes& memory);

    ShellOptions options_;
    ShellValues values_;
    HandlerTable handlers_;
    std::unique_ptr<PageSet> pages_;
    int startPage_ = 0;
};

// The classes the window's description names: the framework's, the custom
// controls and the window itself, whose stored properties are the form's.
const FormClasses& ShellFormClasses();

// Sets every gradient button's text style to tsNormal, from `root` down
// through everything it owns, depth first in ownership order.
void ResetButtonStyles(Component& root);

// The start page for the program's first argument: decimal text, 0 when it
// is none; above the last page the last page, below 0 the first.
int StartPageFor(const char* argument);

} // namespace klarvo
