// Clearing a tree of 10,000 small files in 100 directories through the
// chosen-directory category, next to the platform's own recursive deletes
// of an identical tree. Run it in the sandbox prefix; it prints figures and
// asserts nothing.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "resident/DiskCleaner.h"
#include "resident/ResidentSettings.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/TempDir.h"
#include "support/Timing.h"
#include "support/Trees.h"

using namespace klarvo;
using namespace klarvo::resident;

namespace {

constexpr int kDirectories = 100;
constexpr int kFilesPerDirectory = 100;
constexpr int kRounds = 5;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    test::TempDir program; // stands for the directory of Klarvo.exe
    test::TempDir work;
    const std::string cleanerTree = work.File("cleaner");
    const std::string shellTree = work.File("shell");
    const std::string rdTree = work.File("rd");
    WriteConf(program.File("Conf.dat"), slotSubdir, 1);
    WriteConfStr(program.File("ConfStr.dat"), {"", "", "", "", cleanerTree, "", ""});

    std::vector<double> cleaner, shell, rd;
    for (int round = 0; round < kRounds; ++round) {
        test::MakeWideTree(cleanerTree, kDirectories, kFilesPerDirectory);
        test::MakeWideTree(shellTree, kDirectories, kFilesPerDirectory);
        test::MakeWideTree(rdTree, kDirectories, kFilesPerDirectory);
        unsigned long deleted = 0;
        cleaner.push_back(test::SecondsOf([&] {
            // What a Clear of the chosen directory does on the worker.
            const ResidentSettings settings = LoadSettings(program.Path());
            const DiskCleaner diskCleaner(SystemProtectedPlaces(program.Path()));
            deleted = diskCleaner.Clear(settings.categoryPath[hcDir], WithSubdirectories(settings, hcDir)).filesDeleted;
        }));
        if (deleted != kDirectories * kFilesPerDirectory) {
            std::printf("warning: the cleaner deleted %lu files\n", deleted);
        }
        shell.push_back(test::SecondsOf([&] {
            std::string from = shellTree + '\0'; // double NUL ended
            SHFILEOPSTRUCTA operation{};
            operation.wFunc = FO_DELETE;
            operation.pFrom = from.c_str();
            operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
            SHFileOperationA(&operation);
        }));
        rd.push_back(test::SecondsOf([&] {
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION info{};
            std::string command = "cmd.exe /c rd /s /q \"" + rdTree + "\"";
            if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, work.Path().c_str(),
                               &startup, &info)) {
                WaitForSingleObject(info.hProcess, INFINITE);
                CloseHandle(info.hThread);
                CloseHandle(info.hProcess);
            }
        }));
        std::printf("round %d: cleaner %.3f s, SHFileOperation %.3f s, rd /s /q %.3f s\n", round + 1, cleaner.back(),
                    shell.back(), rd.back());
    }
    // On a shared machine the best round says most about the code itself.
    auto best = [](const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); };
    std::printf("median: cleaner %.3f s, SHFileOperation %.3f s (ratio %.2f), rd /s /q %.3f s (ratio %.2f)\n",
                Median(cleaner), Median(shell), Median(cleaner) / Median(shell), Median(rd),
                Median(cleaner) / Median(rd));
    std::printf("best:   cleaner %.3f s, SHFileOperation %.3f s (ratio %.2f), rd /s /q %.3f s (ratio %.2f)\n",
                best(cleaner), best(shell), best(cleaner) / best(shell), best(rd), best(cleaner) / best(rd));
    return 0;
}
