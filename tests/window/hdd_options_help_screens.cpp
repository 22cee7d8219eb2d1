// Pictures of the HDD Cleaning, Options, Help and About pages as the real
// window shows them after a first run, for people to look at:
// build/screens/pages-hdd.png, pages-options.png, pages-help-index.png,
// pages-help-topic.png and pages-about.png. Run by `make screens`; takes
// --out=<directory>.

#include "app/Shell.h"
#include "framework/window/Application.h"
#include "win/Gdi.h"
#include "link/CleanerLink.h"
#include "settings/ExeDir.h"
#include "settings/System.h"
#include "support/Png.h"
#include "support/ScreenProgram.h"
#include "support/Process.h"
#include "support/ShellPlaces.h"
#include "support/Pump.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

using namespace klarvo;

namespace {

using test::Pump;

void Save(Tfmshell& shell, const std::string& path)
{
    for (int i = 0; i < 2; ++i) {
        RedrawWindow(shell.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
    }
    WindowDc dc(shell.Handle());
    test::SaveDcToPng(dc.Get(), 0, 0, shell.Width(), shell.Height(), path);
    std::printf("%s\n", path.c_str());
}

int Run()
{
    const std::string out = test::ScreensDir("screens");

    // The first run's settings go to places of this program's own.
    test::ShellPlaces places("screens");

    {
        ShellOptions options;
        options.pageArgument = "3";
        Tfmshell shell(options);
        shell.StopRefreshTimer();
        shell.SetBounds(0, 0, shell.Width(), shell.Height());
        shell.Show();
        Pump();
        Save(shell, out + "pages-hdd.png");
        shell.Pages().chrome.SelectPage(4);
        Save(shell, out + "pages-options.png");
        shell.Pages().chrome.SelectPage(5);
        Save(shell, out + "pages-help-index.png");
        shell.Pages().help.nbnextClick(nullptr);
        Save(shell, out + "pages-help-topic.png");
        shell.Pages().chrome.SelectPage(6);
        Save(shell, out + "pages-about.png");
    }
    return 0;
}

} // namespace

int main()
{
    return klarvo::test::RunScreenProgram("hdd_options_help_screens", Run);
}
