#pragma once

// The main window in-process, in a fresh directory, with every outside
// service under the test's control: the resident cleaner (always there,
// commands recorded), the memory size, the registry (a key of its own) and
// the Windows directory (an empty one), and message boxes (recorded).

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Shell.h"
#include "controls/GradBtn.h"
#include "controls/IACheckControl.h"
#include "framework/window/Application.h"
#include "framework/drawing/Bitmap.h"
#include "framework/loader/FormLoader.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "framework/window/Timer.h"
#include "link/CleanerLink.h"
#include "link/Messages.h"
#include "pages/InfoGraph.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/ExeDir.h"
#include "settings/SlotTable.h"
#include "settings/System.h"
#include "support/Pump.h"
#include "support/RealInput.h"
#include "support/ShellPlaces.h"
#include "support/TempDir.h"

namespace klarvo::test {

// A key pressed and released, sent bare: a modal loop must be the one that
// takes it from the queue.
inline void SendBareKey(WORD vk)
{
    INPUT keys[2]{};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = vk;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

class FixedMemory final : public MemoryStatusSource {
public:
    MemoryStatusBytes Read() override { return bytes; }
    // A machine whose TotalRamMB is `mb`, with `freeMB` available.
    void Set(std::int32_t mb, std::int32_t freeMB)
    {
        bytes.totalPhysical = static_cast<std::uint32_t>(mb - 1) << 20;
        bytes.availablePhysical = static_cast<std::uint32_t>(freeMB) << 20;
    }
    MemoryStatusBytes bytes;
};

class ShellTest : public testing::Test {
protected:
    void SetUp() override
    {
        memory.Set(65, 20);
        App().SetMessageBoxFunction([this](HWND, const std::string& text, const std::string&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        shell.reset();
        Pump();
        App().SetMessageBoxFunction(nullptr);
    }

    // Builds the window as the program does, from its own description;
    // helpLines replaces the built-in help text.
    Tfmshell& Start(const std::string& argument = "", std::optional<std::vector<std::string>> helpLines = {})
    {
        shell.reset();
        ShellOptions options;
        options.pageArgument = argument;
        options.memory = &memory;
        options.helpLines = std::move(helpLines);
        shell = std::make_unique<Tfmshell>(options);
        return *shell;
    }
    void ShowShell()
    {
        shell->Show();
        Pump();
    }

    template <typename T> T& Get(const std::string& name) { return Need<T>(*shell, name); }
    std::string Text(const std::string& name) { return Get<Control>(name).Text(); }
    bool Enabled(const std::string& name) { return Get<Control>(name).Enabled(); }
    int Position(const std::string& updown) { return Get<UpDown>(updown).Position(); }
    Control& Apply() { return Get<Control>("nbapply"); }
    // The pages' background picture.
    Picture& Back() { return Get<Image>("imback").GetPicture(); }
    int ActivePage() { return Get<PageControl>("pc").ActivePageIndex(); }
    // The page showing and the page buttons' marks agree with `page`.
    void ExpectOnPage(int page)
    {
        EXPECT_EQ(ActivePage(), page);
        for (int n = 1; n <= 7; ++n) {
            EXPECT_EQ(Get<TGradBtn>("nb" + std::to_string(n)).DownLock(), n == page + 1) << "nb" << n;
        }
    }
    void Notify(int code, std::int64_t value)
    {
        SendMessageA(shell->Handle(), WM_SHELLNOTIFY, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
    }
    // A press and release of a mouse button on a point of a windowed
    // control, through the input queue. Every other press lands a
    // double-click square further on: two presses in a row are two single
    // clicks, as a person makes them who means to press twice.
    void Press(const std::string& name, Button button = Button::Left, int x = 5, int y = 5)
    {
        const int apart = presses_++ % 2;
        MoveTo(Get<WinControl>(name).Handle(), x + apart * GetSystemMetrics(SM_CXDOUBLECLK),
               y + apart * GetSystemMetrics(SM_CYDOUBLECLK));
        PressButton(button);
        ReleaseButton(button);
        Pump();
    }

    // The pointer on a point of a control (its middle by default) and a
    // click there, through the input queue.
    void PointAt(const std::string& name, int x = -1, int y = -1)
    {
        auto& c = Get<Control>(name);
        HWND window = nullptr;
        Point origin;
        if (auto* w = dynamic_cast<WinControl*>(&c)) {
            window = w->Handle();
        } else {
            window = c.Parent()->Handle();
            origin = c.OriginIn(c.Parent());
        }
        MoveTo(window, origin.x + (x < 0 ? c.Width() / 2 : x), origin.y + (y < 0 ? c.Height() / 2 : y));
    }
    void Click(const std::string& name, int x = -1, int y = -1)
    {
        PointAt(name, x, y);
        PressLeft();
        ReleaseLeft();
    }

    // Enough ticks for the newest sample to reach the picture: the newest
    // few lie past its right edge.
    void TickPastTheRightEdge()
    {
        for (int i = 0; i < 5; ++i) {
            shell->tmrefreshTimer(nullptr);
        }
    }
    // The Info page's picture (imfr) shows the history as it stands now.
    bool PictureIsCurrent()
    {
        const ShellValues& values = shell->Values();
        Bitmap expected(kGraphWidth, kGraphHeight);
        DrawFreeRamGraph(expected.GetCanvas(), values.freeRamHistory, values.totalRamMB, LocaleDecimalSeparator());
        const Bitmap& picture = Get<Image>("imfr").GetPicture().GetBitmap();
        bool same = picture.Width() == kGraphWidth && picture.Height() == kGraphHeight;
        for (int y = 0; same && y < kGraphHeight; ++y) {
            for (int x = 0; same && x < kGraphWidth; ++x) {
                same = picture.Pixel(x, y) == expected.Pixel(x, y);
            }
        }
        return same;
    }

    // The autorun value under the test's key, or nothing.
    std::optional<std::string> AutorunValue() { return test::AutorunValue(root); }

    // The program directory, Windows directory, registry and resident
    // cleaner of this test alone.
    ShellPlaces places{"shell"};
    TempDir& dir = places.exeDir;
    HKEY root = places.Root();
    RecordingCleaner& cleaner = places.cleaner;
    FixedMemory memory;
    std::vector<std::string> messages;
    std::unique_ptr<Tfmshell> shell;

private:
    int presses_ = 0;
};

} // namespace klarvo::test
