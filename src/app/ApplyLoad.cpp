// Apply and the loading of the settings: which control goes to which slot
// and line, and the conversions on the way.

#include "app/SettingsValues.h"
#include "app/Shell.h"
#include "controls/IACheckControl.h"
#include "framework/StdWindows.h"
#include "link/Messages.h"
#include "pages/OptionsRules.h"
#include "pages/RamPage.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/ExeDir.h"
#include "settings/SlotTable.h"
#include "settings/System.h"
#include "win/Files.h"

#include <windows.h>

namespace klarvo {

namespace {

// The folder of background pictures beside the program, where fewall's
// dialog opens when no picture was chosen.
constexpr char kBackgroundsFolder[] = "backgrounds\\";

bool Ticked(Component& root, const char* name)
{
    return Need<TIACheckControl>(root, name).Checked();
}

void Tick(Component& root, const char* name, bool ticked)
{
    Need<TIACheckControl>(root, name).SetChecked(ticked);
}

UpDown& Arrows(Component& root, const char* name)
{
    return Need<UpDown>(root, name);
}

// What the row's control shows, in the row's own terms.
std::int32_t ShownValue(Component& root, const SlotInfo& row, const ShellValues& values)
{
    switch (row.kind) {
    case SlotKind::Flag:
    case SlotKind::InvertedFlag:
        return Ticked(root, row.control) ? 1 : 0;
    case SlotKind::Position:
    case SlotKind::RamShare:
        // The 16-bit value the control holds.
        return static_cast<std::int16_t>(Arrows(root, row.control).Position());
    case SlotKind::HotKey:
        return HotKeySlot(Ticked(root, row.control), Need<Control>(root, row.partner).Text());
    case SlotKind::PercentButtons:
        break;
    }
    return values.ramPercent;
}

void ShowStored(Component& root, const SlotInfo& row, ShellValues& values, std::int32_t stored)
{
    switch (row.kind) {
    case SlotKind::Flag:
        Tick(root, row.control, stored == 1);
        if (row.partner) {
            Tick(root, row.partner, stored == 0);
        }
        return;
    case SlotKind::InvertedFlag:
        Tick(root, row.control, stored == 0);
        return;
    case SlotKind::Position:
    case SlotKind::RamShare:
        Arrows(root, row.control).SetPosition(ShownFromStored(row, stored, values.totalRamMB));
        return;
    case SlotKind::HotKey:
        Tick(root, row.control, stored != 0);
        Need<Control>(root, row.partner).SetText(HotKeyText(stored));
        return;
    case SlotKind::PercentButtons:
        values.ramPercent = stored;
        PressPercentButton(root, values.ramPercent);
        return;
    }
}

void ShowDefault(Component& root, const SlotInfo& row, ShellValues& values, const MachineFacts& machine)
{
    const std::int32_t shown = ShownDefault(row, machine);
    switch (row.kind) {
    case SlotKind::Flag:
    case SlotKind::InvertedFlag:
        // Of a radio pair only the one to be on is pressed; it lets go of
        // the other.
        if (row.partner && !shown) {
            Tick(root, row.partner, true);
        } else {
            Tick(root, row.control, shown != 0);
        }
        return;
    case SlotKind::Position:
    case SlotKind::RamShare:
        Arrows(root, row.control).SetPosition(shown);
        return;
    case SlotKind::HotKey:
        Tick(root, row.control, false);
        Need<Control>(root, row.partner).SetText(std::string(1, static_cast<char>(row.value)));
        return;
    case SlotKind::PercentButtons:
        values.ramPercent = shown;
        PressPercentButton(root, values.ramPercent);
        return;
    }
}

} // namespace

void Tfmshell::nbapplyClick(Component*)
{
    Component& root = *this;
    // 1. Slot by slot, each write its own open and close; a failure stops
    // here with the rest unwritten and Apply still enabled.
    for (const SlotInfo& row : SlotTable()) {
        WriteConf(row.slot, StoredFromShown(row, ShownValue(root, row, values_), values_.totalRamMB));
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
    SetAutorun(Ticked(root, "cbautorun"));
    // 4. Only now that both files are whole.
    SendToCleaner(cmdReloadSettings, 0);
    // 5.
    pages_->chrome.ApplyButton().SetEnabled(false);
    // 6.
    if (values_.backgroundChanged) {
        pages_->chrome.LoadBackground();
    }
}

void Tfmshell::ShowSlotDefaults(DefaultsButton button)
{
    const MachineFacts machine{values_.totalRamMB, DefaultSoundFor(ExeDir(), FileExists).enabled};
    for (const SlotInfo& row : SlotTable()) {
        if (row.button == button) {
            ShowDefault(*this, row, values_, machine);
        }
    }
}

void Tfmshell::LoadSettings()
{
    Component& root = *this;
    // 1. Conf.dat.
    for (const SlotInfo& row : SlotTable()) {
        ShowStored(root, row, values_, ReadConf(row.slot));
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
