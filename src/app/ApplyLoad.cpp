// Apply and the loading of the settings: which control goes to which slot
// and line, and the conversions on the way.

#include "app/SettingsValues.h"
#include "app/Shell.h"
#include "controls/IACheckControl.h"
#include "framework/StdWindows.h"
#include "link/Messages.h"
#include "pages/RamPage.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/ExeDir.h"
#include "settings/SlotTable.h"
#include "settings/System.h"

#include <windows.h>

namespace klarvo {

namespace {

// The folder of background pictures beside the program, where fewall's
// dialog opens when no picture was chosen.
constexpr char kBackgroundsFolder[] = "backgrounds\\";

std::int32_t Flag(Component& root, const char* name)
{
    return Need<TIACheckControl>(root, name).Checked() ? 1 : 0;
}

// An up-down's position as the 16-bit value the control holds.
std::int32_t UpDownPosition(Component& root, const char* name)
{
    return static_cast<std::int16_t>(Need<UpDown>(root, name).Position());
}

void Tick(Component& root, const char* name, bool ticked)
{
    Need<TIACheckControl>(root, name).SetChecked(ticked);
}

std::string SystemTempDirLine()
{
    char buffer[kTempPathRoom + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    return TempDirLine(std::string_view(buffer, sizeof buffer), length);
}

struct HotKey {
    Slot slot;
    const char* box;
    const char* edit;
};
constexpr HotKey kHotKeys[] = {
    {slotHot1, "cbhot1", "edhot1"},
    {slotHot2, "cbhot2", "edhot2"},
    {slotHot3, "cbhot3", "edhot3"},
};

} // namespace

void Tfmshell::nbapplyClick(Component*)
{
    Component& root = *this;
    const std::int32_t total = values_.totalRamMB;
    // 1. Slot by slot, each write its own open and close; a failure stops
    // here with the rest unwritten and Apply still enabled.
    WriteConf(slotAuto, Flag(root, "cbauto"));
    WriteConf(slotMinProc, UpDownPosition(root, "udminproc"));
    WriteConf(slotFree, FreeSlotFromPercent(UpDownPosition(root, "udfree"), total));
    WriteConf(slotFastOnly, Flag(root, "rbfast"));
    WriteConf(slotEvery, UpDownPosition(root, "udevery"));
    WriteConf(slotMaxTry, UpDownPosition(root, "udmaxtry"));
    WriteConf(slotPopup1, UpDownPosition(root, "udpopup1"));
    WriteConf(slotPopup2, UpDownPosition(root, "udpopup2"));
    WriteConf(slotPopup3, UpDownPosition(root, "udpopup3"));
    WriteConf(slotAutorun, Flag(root, "cbautorun"));
    WriteConf(slotRunShell, 1 - Flag(root, "cbnorunshell"));
    WriteConf(slotTrayMem, Flag(root, "cbtraymem"));
    WriteConf(slotRamPercent, values_.ramPercent);
    WriteConf(slotSound, Flag(root, "cbsound"));
    WriteConf(slotTemp, Flag(root, "cbtemp"));
    WriteConf(slotInternet, Flag(root, "cbinternet"));
    WriteConf(slotCookies, Flag(root, "cbcookies"));
    WriteConf(slotDir, Flag(root, "cbdir"));
    WriteConf(slotSubdir, Flag(root, "cbsubdir"));
    WriteConf(slotClearSelect, Flag(root, "cbclearselect"));
    WriteConf(slotWall, Flag(root, "cbwall"));
    WriteConf(slotHistory, Flag(root, "cbhistory"));
    for (const HotKey& key : kHotKeys) {
        WriteConf(key.slot,
                  HotKeySlot(Need<TIACheckControl>(root, key.box).Checked(), Need<Control>(root, key.edit).Text()));
    }
    // 2. The paths, the system's taken afresh on every Apply.
    std::vector<std::string> lines(kConfStrLineCount);
    lines[lineSound] = Need<Control>(root, "fesound").Text();
    lines[lineTemp] = SystemTempDirLine();
    lines[lineCache] = GetShellFolder("Cache");
    lines[lineCookies] = GetShellFolder("Cookies");
    lines[lineDir] = Need<Control>(root, "dedir").Text();
    lines[lineWall] = Need<Control>(root, "fewall").Text();
    lines[lineHistory] = GetShellFolder("History");
    WriteConfStr(ConfStrPath(), lines);
    // 3.
    SetAutorun(Flag(root, "cbautorun") == 1);
    // 4. Only now that both files are whole.
    SendToCleaner(cmdReloadSettings, 0);
    // 5.
    pages_->chrome.ApplyButton().SetEnabled(false);
    // 6.
    if (values_.backgroundChanged) {
        pages_->chrome.LoadBackground();
    }
}

void Tfmshell::LoadSettings()
{
    Component& root = *this;
    const std::int32_t total = values_.totalRamMB;
    // 1. Conf.dat.
    Tick(root, "cbauto", ReadConf(slotAuto) == 1);
    Need<UpDown>(root, "udminproc").SetPosition(ReadConf(slotMinProc));
    Need<UpDown>(root, "udfree").SetPosition(PercentFromFreeSlot(ReadConf(slotFree), total));
    Tick(root, "rbfast", ReadConf(slotFastOnly) == 1);
    Tick(root, "rbfull", ReadConf(slotFastOnly) == 0);
    Need<UpDown>(root, "udevery").SetPosition(ReadConf(slotEvery));
    Need<UpDown>(root, "udmaxtry").SetPosition(ReadConf(slotMaxTry));
    Need<UpDown>(root, "udpopup1").SetPosition(ReadConf(slotPopup1));
    Need<UpDown>(root, "udpopup2").SetPosition(ReadConf(slotPopup2));
    Need<UpDown>(root, "udpopup3").SetPosition(ReadConf(slotPopup3));
    Tick(root, "cbautorun", ReadConf(slotAutorun) == 1);
    Tick(root, "cbnorunshell", ReadConf(slotRunShell) == 0);
    Tick(root, "cbtraymem", ReadConf(slotTrayMem) == 1);
    values_.ramPercent = ReadConf(slotRamPercent);
    PressPercentButton(root, values_.ramPercent);
    const std::pair<Slot, const char*> flags[] = {
        {slotSound, "cbsound"},
        {slotTemp, "cbtemp"},
        {slotInternet, "cbinternet"},
        {slotCookies, "cbcookies"},
        {slotDir, "cbdir"},
        {slotSubdir, "cbsubdir"},
        {slotClearSelect, "cbclearselect"},
        {slotWall, "cbwall"},
        {slotHistory, "cbhistory"},
    };
    for (const auto& [slot, name] : flags) {
        Tick(root, name, ReadConf(slot) == 1);
    }
    for (const HotKey& key : kHotKeys) {
        const std::int32_t stored = ReadConf(key.slot);
        Tick(root, key.box, stored != 0);
        Need<Control>(root, key.edit).SetText(HotKeyText(stored));
    }
    // 2. ConfStr.dat, stopping quietly at the first line it does not have
    // (ReadConfStr gives a missing file as ten empty lines).
    const std::vector<std::string> lines = ReadConfStr(ConfStrPath());
    auto& sound = Need<Control>(root, "fesound");
    auto& dir = Need<Control>(root, "dedir");
    auto& wall = Need<Control>(root, "fewall");
    if (lines.size() > lineSound) {
        sound.SetText(lines[lineSound]);
        if (lines.size() > lineDir) {
            // The directory edit's browse dialog starts at its text.
            dir.SetText(lines[lineDir]);
            if (lines.size() > lineWall) {
                wall.SetText(lines[lineWall]);
            }
        }
    }
    // 3.
    if (wall.Text().empty()) {
        wall.SetText(ExeDir() + kBackgroundsFolder);
    }
}

} // namespace klarvo
