// What judging a chosen directory costs beside a Windows folder of 20,000
// files in 2,000 folders (a synthetic one, standing for the real one in the
// list of protected places), on both paths:
// - the NT line: gathering the places and judging a directory on their
//   drive, and, apart, gathering the identities of every folder of the tree,
//   which a batch does once when a drive letter is rooted elsewhere;
// - Windows 9x: the first judgement of a batch (the tree's folders listed,
//   the trial file looked for in each) and each judgement after it.
// Run it in the sandbox prefix; it prints figures and asserts nothing.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Rounds.h"
#include "resident/disk/DiskCleaner.h"
#include "resident/disk/DiskIdentity.h"
#include "support/TempDir.h"
#include "support/Timing.h"
#include "support/Trees.h"

using namespace klarvo;
using namespace klarvo::resident;
using bench::Best;
using bench::Median;

namespace {

constexpr int kTopFolders = 40;
constexpr int kFoldersEach = 49; // with the 40 above them, 2,000 folders in all
constexpr int kFilesEach = 10;   // in each of the 2,000: 20,000 files
constexpr int kRounds = 5;

void MakeWindowsFolder(const std::string& root)
{
    CreateDirectoryA(root.c_str(), nullptr);
    for (int top = 0; top < kTopFolders; ++top) {
        const std::string folder = root + "\\top" + std::to_string(top);
        test::MakeWideTree(folder, kFoldersEach, kFilesEach);
        for (int f = 0; f < kFilesEach; ++f) {
            test::WriteText(folder + "\\file" + std::to_string(f) + ".dll", "x");
        }
    }
}

} // namespace

int main()
{
    test::TempDir temp;
    const std::string windows = temp.File("WINDOWS");
    const std::string chosen = temp.File("chosen");
    MakeWindowsFolder(windows);
    CreateDirectoryA(chosen.c_str(), nullptr);
    const std::vector<ProtectedPlace> places = {{windows, true, true}};

    std::vector<double> ntJudge, ntTree, firstJudge9x, laterJudge9x;
    std::size_t folders = 0;
    for (int round = 0; round < kRounds; ++round) {
        ntJudge.push_back(test::SecondsOf([&] { DiskCleaner(places).Judge(chosen); }));
        const DiskFunctions functions = DiskFunctions::Find();
        ntTree.push_back(test::SecondsOf([&] { folders = TreeIdentities(windows, functions).size(); }));
        const ScopedMissingFunctions windows9x(kWindows9xLacks);
        const DiskCleaner cleaner(places);
        firstJudge9x.push_back(test::SecondsOf([&] { cleaner.Judge(chosen); }));
        laterJudge9x.push_back(test::SecondsOf([&] { cleaner.Judge(chosen); }));
    }
    std::printf("synthetic Windows folder: %zu folders found of %d\n", folders, kTopFolders * (kFoldersEach + 1));
    std::printf("NT line: judging on the places' drive %.4f s; gathering the tree's identities %.3f s\n",
                Median(ntJudge), Median(ntTree));
    std::printf("Windows 9x: first judgement of a batch %.3f s; each after it %.3f s\n", Median(firstJudge9x),
                Median(laterJudge9x));
    return 0;
}
