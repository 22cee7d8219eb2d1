#include "app/Shell.h"

#include "app/PageArgument.h"
#include "app/SettingsValues.h"
#include "controls/GradBtn.h"
#include "controls/IACheckControl.h"
#include "controls/NDigitEdit.h"
#include "framework/window/Application.h"
#include "framework/loader/FormLoader.h"
#include "framework/standard/StdWindows.h"
#include "framework/window/Timer.h"
#include "link/CleanerLink.h"
#include "link/Messages.h"
#include "link/Notifications.h"
#include "pages/HelpIndex.h"
#include "pages/HelpText.h"
#include "pages/KeyRoutes.h"
#include "resources/AssetIds.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/ExeDir.h"
#include "settings/SlotTable.h"
#include "settings/System.h"
#include "win/Files.h"

#include <cstdlib>
#include <utility>

namespace klarvo {

namespace {

// Geometry set over the stored design values (which keep the designer's
// view of the page control's tabs and the Apply button).
constexpr int kHistoryWidth = 500;
constexpr int kHistoryHeight = 100;
constexpr int kPageControlLeft = -4;
constexpr int kPageControlTop = -30;
constexpr int kWindowHeight = 328;
constexpr int kApplyTop = 299;
// The two sizes of the program's icon that Windows 95 shows: the taskbar's
// and the task switcher's.
constexpr int kSmallIconSide = 16;
constexpr int kBigIconSide = 32;

std::string ProgramArgument1()
{
    return __argc > 1 && __argv[1] ? std::string(__argv[1]) : std::string();
}

MemoryFigures FiguresOf(const MemoryStatusBytes& memory)
{
    MemoryFigures figures;
    figures.totalRamMB = TotalRamMBFromBytes(memory.totalPhysical);
    figures.freeMB = FreeMBFromBytes(memory.availablePhysical);
    figures.freePercent = FreePercent(figures.freeMB, figures.totalRamMB);
    return figures;
}

} // namespace

// The framework's classes and the custom controls, plus the window itself,
// whose stored properties are the form's.
const FormClasses& ShellFormClasses()
{
    static FormClasses classes = [] {
        FormClasses fc = StandardFormClasses();
        RegisterGradBtn(fc);
        RegisterIACheckControl(fc);
        RegisterNDigitEdit(fc);
        fc.Register("Tfmshell", "TForm", nullptr);
        return fc;
    }();
    return classes;
}

int StartPageFor(const char* argument)
{
    const std::int32_t page = ParsePageArgument(argument);
    // A negative page has no button; the first page is the sound reading of
    // "no page in particular".
    if (page < 0) {
        return 0;
    }
    return page > kLastPageIndex ? kLastPageIndex : static_cast<int>(page);
}

void ResetButtonStyles(Component& root)
{
    ForEachComponent(&root, [](Component* c) {
        if (auto* button = dynamic_cast<TGradBtn*>(c)) {
            button->SetTextStyle(tsNormal);
        }
    });
}

Tfmshell::Tfmshell(ShellOptions options) : Form(nullptr, kShellWindowClass), options_(std::move(options))
{
    pages_ = std::make_unique<PageSet>(*this);
    BindRows(handlers_, *this, kHandlerRows);
    const std::string text = options_.formText.empty() ? FormResource(kShellFormResource) : options_.formText;
    FormLoader(ShellFormClasses(), handlers_.Finder()).Load(text, *this);
    FollowSpaceBarToggles(*this);
    ShowFocusOnKeyboardUse(*this);
    RouteShortcutKeys(*this);
    HandleNeeded();
    ShowProgramIcon();
    try {
        FormCreate();
    } catch (const std::exception& e) {
        App().HandleException(e);
    }
}

Tfmshell::~Tfmshell()
{
    // The pages and the handler table go before the controls do (members
    // before the base): events raised while the controls are freed must
    // not reach them.
    handlers_.Disarm();
}

void Tfmshell::ShowProgramIcon()
{
    // The window has no frame, so its icons show only on its taskbar button
    // (and in the task switcher). Shared icons belong to the system, which
    // frees them with the program: nothing here may destroy them. A
    // program built without the icon (a test) keeps the default.
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const auto& [which, side] : {std::pair{ICON_SMALL, kSmallIconSide}, std::pair{ICON_BIG, kBigIconSide}}) {
        if (HANDLE icon = LoadImageA(instance, assets::kAppIcon, IMAGE_ICON, side, side, LR_SHARED)) {
            SendMessageA(Handle(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
        }
    }
}

namespace {

const HandlerRow<Tfmshell> kHandlers[] = {
    {"FormCreate", Member<&Tfmshell::FormCreateEvent>},
    KLARVO_HANDLER(Tfmshell, FormShow),
    KLARVO_HANDLER(Tfmshell, tmrefreshTimer),
    KLARVO_HANDLER(Tfmshell, nbapplyClick),
};

} // namespace

const std::span<const HandlerRow<Tfmshell>> Tfmshell::kHandlerRows = kHandlers;

void Tfmshell::SendToCleaner(std::int32_t command, std::int32_t argument)
{
    klarvo::SendToCleaner(*this, command, argument);
}

void Tfmshell::StopRefreshTimer()
{
    if (auto* timer = FindControl<Timer>(*this, "tmrefresh")) {
        timer->SetEnabled(false);
    }
}

void Tfmshell::ShowMessage(const std::string& text)
{
    App().ShowMessage(text);
}

void Tfmshell::RequestEnd()
{
    App().Terminate();
}

MemoryStatusBytes Tfmshell::ReadMemory()
{
    return (options_.memory ? *options_.memory : Win32MemoryStatus()).Read();
}

void Tfmshell::FormCreate()
{
    // ExeDir() is computed on first use from the program file.
    SetTitles();
    ApplyRunTimeGeometry();
    values_.totalRamMB = TotalRamMBFromBytes(ReadMemory().totalPhysical);
    if (!FileExists(ConfPath()) || !FileExists(ConfStrPath())) {
        WriteFirstRunSettings();
    }
    LoadSettings();
    ShowStartPage();
    pages_->chrome.LoadBackground();
    ResetButtonStyles(*this);
    tmrefreshTimer(this);
    pages_->chrome.ApplyButton().SetEnabled(false);
    BuildHelpIndexFromText();
}

void Tfmshell::SetTitles()
{
    App().SetTitle(kShellTitle);
    SetCaption(kShellTitle);
}

void Tfmshell::ApplyRunTimeGeometry()
{
    auto& history = Need<Control>(*this, "imfr");
    history.SetHeight(kHistoryHeight);
    history.SetWidth(kHistoryWidth);
    auto& pc = Need<Control>(*this, "pc");
    pc.SetTop(kPageControlTop);
    pc.SetLeft(kPageControlLeft);
    SetHeight(kWindowHeight);
    pages_->chrome.ApplyButton().SetTop(kApplyTop);
}

void Tfmshell::WriteFirstRunSettings()
{
    // May ask for a reboot and end the application; construction goes on.
    ResetVcacheLimits(*this);
    pages_->autoRam.nbdeffastramClick(this);
    pages_->ram.nbdeframClick(this);
    pages_->hdd.nbdefhddClick(this);
    pages_->options.nbdefoptClick(this);
    nbapplyClick(this);
}

void Tfmshell::ShowStartPage()
{
    const std::string argument = options_.pageArgument ? *options_.pageArgument : ProgramArgument1();
    startPage_ = StartPageFor(argument.c_str());
    auto& pages = Need<PageControl>(*this, "pc");
    TabSheet* loadedPage = pages.ActivePage();
    pages_->chrome.SelectPage(startPage_);
    // The page the description left active shows for the first time with
    // the window; selecting it changed nothing, so its show handler (the
    // Apply button's rule) runs here.
    if (loadedPage && pages.ActivePage() == loadedPage && loadedPage->OnShow) {
        loadedPage->OnShow(loadedPage);
    }
}

void Tfmshell::BuildHelpIndexFromText()
{
    const std::vector<std::string> lines =
        options_.helpLines ? *options_.helpLines : help::SplitLines(FormResource(assets::kHelpText));
    values_.helpTopicCount = BuildHelpIndex(*this, lines);
}

void Tfmshell::FormShow(Component*)
{
    SendToCleaner(cmdReportStatus, 0);
}

void Tfmshell::tmrefreshTimer(Component*)
{
    SendToCleaner(cmdReportStatus, 0);
    ShowMemory(ReadMemory());
}

void Tfmshell::ShowMemory(const MemoryStatusBytes& memory)
{
    const MemoryFigures figures = FiguresOf(memory);
    values_.totalRamMB = figures.totalRamMB;
    pages_->ShowMemoryFigures(figures);
}

void Tfmshell::ShellNotify(std::uint64_t code, std::int64_t value)
{
    if (const std::optional<ShellNotification> notification = NotificationCode(code)) {
        pages_->ShowNotification(*notification, value);
    }
}

LRESULT Tfmshell::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SHELLNOTIFY) {
        ShellNotify(static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam));
        return 0;
    }
    return Form::WndProc(msg, wParam, lParam);
}

} // namespace klarvo
