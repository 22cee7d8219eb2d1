// Apply and the loading of the settings: which control goes to which slot
// and line, and the conversions on the way.

#include "app/SettingsValues.h"
#include "app/Shell.h"
#include "controls/IACheckControl.h"
#include "framework/standard/StdWindows.h"
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

#include <array>

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

// What a slot's kind does with its controls: read what they show, show a
// stored value, show the row's default (in the control's own terms).
struct ControlKind {
    std::int32_t (*shown)(Component& root, const SlotInfo& row, const ShellValues& values);
    void (*showStored)(Component& root, const SlotInfo& row, ShellValues& values, std::int32_t stored);
    void (*showDefault)(Component& root, const SlotInfo& row, ShellValues& values, std::int32_t shown);
};

std::int32_t TickedValue(Component& root, const SlotInfo& row, const ShellValues&)
{
    return Ticked(root, row.control) ? 1 : 0;
}

// The 16-bit value the control holds.
std::int32_t ArrowsValue(Component& root, const SlotInfo& row, const ShellValues&)
{
    return static_cast<std::int16_t>(Arrows(root, row.control).Position());
}

std::int32_t HotKeyValue(Component& root, const SlotInfo& row, const ShellValues&)
{
    return HotKeySlot(Ticked(root, row.control), Need<Control>(root, row.partner).Text());
}

std::int32_t RamPercentValue(Component&, const SlotInfo&, const ShellValues& values)
{
    return values.ramPercent;
}

// A radio button's partner is ticked for 0.
void ShowStoredFlag(Component& root, const SlotInfo& row, ShellValues&, std::int32_t stored)
{
    Tick(root, row.control, stored == 1);
    if (row.partner) {
        Tick(root, row.partner, stored == 0);
    }
}

void ShowStoredInvertedFlag(Component& root, const SlotInfo& row, ShellValues&, std::int32_t stored)
{
    Tick(root, row.control, stored == 0);
}

void ShowStoredPosition(Component& root, const SlotInfo& row, ShellValues& values, std::int32_t stored)
{
    Arrows(root, row.control).SetPosition(ShownFromStored(row, stored, values.totalRamMB));
}

void ShowStoredHotKey(Component& root, const SlotInfo& row, ShellValues&, std::int32_t stored)
{
    Tick(root, row.control, stored != 0);
    Need<Control>(root, row.partner).SetText(HotKeyText(stored));
}

// Shown and stored alike: a share of RAM in percent.
void ShowRamPercent(Component& root, const SlotInfo&, ShellValues& values, std::int32_t percent)
{
    values.ramPercent = percent;
    PressPercentButton(root, values.ramPercent);
}

// Of a radio pair only the one to be on is pressed; it lets go of the other.
void ShowDefaultFlag(Component& root, const SlotInfo& row, ShellValues&, std::int32_t shown)
{
    if (row.partner && !shown) {
        Tick(root, row.partner, true);
    } else {
        Tick(root, row.control, shown != 0);
    }
}

void ShowDefaultPosition(Component& root, const SlotInfo& row, ShellValues&, std::int32_t shown)
{
    Arrows(root, row.control).SetPosition(shown);
}

// The box clear, the edit suggesting the row's letter.
void ShowDefaultHotKey(Component& root, const SlotInfo& row, ShellValues&, std::int32_t)
{
    Tick(root, row.control, false);
    Need<Control>(root, row.partner).SetText(std::string(1, static_cast<char>(row.value)));
}

// By SlotKind.
constexpr std::array<ControlKind, kSlotKindCount> kControlKinds{{
    {TickedValue, ShowStoredFlag, ShowDefaultFlag},         // Flag
    {TickedValue, ShowStoredInvertedFlag, ShowDefaultFlag}, // InvertedFlag
    {ArrowsValue, ShowStoredPosition, ShowDefaultPosition}, // Position
    {ArrowsValue, ShowStoredPosition, ShowDefaultPosition}, // RamShare
    {HotKeyValue, ShowStoredHotKey, ShowDefaultHotKey},     // HotKey
    {RamPercentValue, ShowRamPercent, ShowRamPercent},      // PercentButtons
}};

const ControlKind& ControlsOf(const SlotInfo& row)
{
    return kControlKinds[static_cast<std::size_t>(row.kind)];
}

// A line's value as Apply writes it: the system's lines taken afresh.
std::string LineValue(Component& root, const ConfStrLineInfo& row)
{
    switch (row.source) {
    case LineSource::Control:
        return Need<Control>(root, row.name).Text();
    case LineSource::SystemTemp:
        return SystemTempDirLine();
    case LineSource::ShellFolder:
        return GetShellFolder(row.name);
    }
    return {};
}

} // namespace

void Tfmshell::nbapplyClick(Component*)
{
    Component& root = *this;
    // Slot by slot, each write its own open and close; a failure stops
    // here with the rest unwritten and Apply still enabled.
    for (const SlotInfo& row : SlotTable()) {
        const std::int32_t shown = ControlsOf(row).shown(root, row, values_);
        WriteConf(row.slot, StoredFromShown(row, shown, values_.totalRamMB));
    }
    // The paths, the system's taken afresh on every Apply.
    std::vector<std::string> lines(kConfStrLineCount);
    for (const ConfStrLineInfo& row : kConfStrLines) {
        lines[row.line] = LineValue(root, row);
    }
    WriteConfStr(ConfStrPath(), lines);
    // The autorun value follows the box.
    SetAutorun(Ticked(root, "cbautorun"));
    // Only now that both files are whole.
    SendToCleaner(cmdReloadSettings, 0);
    // Nothing is left unsaved.
    pages_->chrome.ApplyButton().SetEnabled(false);
    // A newly chosen background shows now.
    if (values_.backgroundChanged) {
        pages_->chrome.LoadBackground();
    }
}

void Tfmshell::ShowSlotDefaults(DefaultsButton button)
{
    const MachineFacts machine{values_.totalRamMB, DefaultSoundFor(ExeDir(), FileExists).enabled};
    for (const SlotInfo& row : SlotTable()) {
        if (row.button == button) {
            ControlsOf(row).showDefault(*this, row, values_, ShownDefault(row, machine));
        }
    }
}

void Tfmshell::LoadSettings()
{
    Component& root = *this;
    // Conf.dat.
    for (const SlotInfo& row : SlotTable()) {
        ControlsOf(row).showStored(root, row, values_, ReadConf(row.slot));
    }
    // ConfStr.dat into the controls of its lines, stopping quietly at the
    // first line it does not have (ReadConfStr gives a missing file as ten
    // empty lines). The directory edit's browse dialog starts at its text.
    const std::vector<std::string> lines = ReadConfStr(ConfStrPath());
    for (const ConfStrLineInfo& row : kConfStrLines) {
        if (row.source != LineSource::Control) {
            continue;
        }
        if (lines.size() <= static_cast<std::size_t>(row.line)) {
            break;
        }
        Need<Control>(root, row.name).SetText(lines[row.line]);
    }
    // A background folder to start the picture dialog in.
    auto& wall = Need<Control>(root, "fewall");
    if (wall.Text().empty()) {
        wall.SetText(ExeDir() + kBackgroundsFolder);
    }
}

} // namespace klarvo
