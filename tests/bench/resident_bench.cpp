// Clearing a tree of 10,000 small files in 100 directories through the
// chosen-directory category, next to the bare floor (delete_floor.exe:
// FindFirstFileA, DeleteFileA and RemoveDirectoryA with no checks, timed by
// its own clock) and the platform's own `rd /s /q` of identical trees in
// the same round; and the preview of the cleaner's tree, with its report,
// just before the Clear of it. Run it in the sandbox prefix with
// --floor=<path of delete_floor.exe>; it prints figures and asserts nothing.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Rounds.h"
#include "link/Messages.h"
#include "resident/disk/DiskCleaner.h"
#include "resident/disk/Preview.h"
#include "resident/work/ResidentSettings.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "support/Timing.h"
#include "support/Trees.h"

using namespace klarvo;
using namespace klarvo::resident;
using bench::Best;
using bench::Median;

namespace {

constexpr int kDirectories = 100;
constexpr int kFilesPerDirectory = 100;
constexpr int kRounds = 5;

// Runs a program to its end; false when it could not be started.
bool RunToEnd(std::string command, const std::string& directory)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                        &info)) {
        return false;
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

// The floor's own figure for one tree, in seconds; negative if it failed.
double FloorSeconds(const std::string& tree, const test::TempDir& work)
{
    const std::string result = work.File("floor.txt");
    if (!RunToEnd("\"" + work.File("delete_floor.exe") + "\" \"" + tree + "\" \"" + result + "\"", work.Path())) {
        return -1;
    }
    double seconds = -1;
    if (FILE* file = std::fopen(result.c_str(), "r")) {
        if (std::fscanf(file, "%lf", &seconds) != 1) {
            seconds = -1;
        }
        std::fclose(file);
    }
    return seconds;
}

} // namespace

int main()
{
    test::TempDir program; // stands for the directory of Klarvo.exe
    test::TempDir work;
    if (!CopyFileA(test::FileArgument("floor").c_str(), work.File("delete_floor.exe").c_str(), FALSE)) {
        std::printf("run with --floor=<path of delete_floor.exe>\n");
        return 2;
    }
    const std::string cleanerTree = work.File("cleaner");
    const std::string floorTree = work.File("floor");
    const std::string rdTree = work.File("rd");
    WriteConf(program.File("Conf.dat"), slotSubdir, 1);
    WriteConfStr(program.File("ConfStr.dat"), {"", "", "", "", cleanerTree, "", ""});

    std::vector<double> cleaner, floor, rd, preview;
    for (int round = 0; round < kRounds; ++round) {
        test::MakeWideTree(cleanerTree, kDirectories, kFilesPerDirectory);
        test::MakeWideTree(floorTree, kDirectories, kFilesPerDirectory);
        test::MakeWideTree(rdTree, kDirectories, kFilesPerDirectory);
        unsigned long deleted = 0;
        preview.push_back(test::SecondsOf([&] { RunPreview(program.Path(), {hcDir}, work.File("preview.txt")); }));
        cleaner.push_back(test::SecondsOf([&] {
            // What a Clear of the chosen directory does on the worker,
            // judging the directory and gathering the places included.
            const ResidentSettings settings = LoadSettings(program.Path());
            const DiskCleaner diskCleaner(SystemProtectedPlaces(program.Path()), SystemCleanablePlaces());
            deleted = diskCleaner.Clear(settings.categoryPath[hcDir], WithSubdirectories(settings, hcDir)).filesDeleted;
        }));
        if (deleted != kDirectories * kFilesPerDirectory) {
            std::printf("warning: the cleaner deleted %lu files\n", deleted);
        }
        floor.push_back(FloorSeconds(floorTree, work));
        rd.push_back(test::SecondsOf([&] { RunToEnd("cmd.exe /c rd /s /q \"" + rdTree + "\"", work.Path()); }));
        std::printf("round %d: cleaner %.3f s, floor %.3f s (ratio %.2f), rd /s /q %.3f s, preview %.3f s\n", round + 1,
                    cleaner.back(), floor.back(), cleaner.back() / floor.back(), rd.back(), preview.back());
    }
    // On a shared machine the best round says most about the code itself.
    std::printf("median: cleaner %.3f s, floor %.3f s (ratio %.2f), rd /s /q %.3f s, preview %.3f s\n", Median(cleaner),
                Median(floor), Median(cleaner) / Median(floor), Median(rd), Median(preview));
    std::printf("best:   cleaner %.3f s, floor %.3f s (ratio %.2f), rd /s /q %.3f s, preview %.3f s\n", Best(cleaner),
                Best(floor), Best(cleaner) / Best(floor), Best(rd), Best(preview));
    return 0;
}
