#include "resident/command/PreviewSwitch.h"

#include "resident/disk/Preview.h"

namespace klarvo::resident {

int RunPreviewSwitch(const std::string& programDir, const std::vector<HddCategory>& categories,
                     const std::string& reportFile)
{
    // A file named on the command line is for a script: nothing is opened.
    if (!reportFile.empty()) {
        return RunPreview(programDir, categories, reportFile);
    }
    const std::string file = DefaultPreviewFile(programDir);
    const int exitCode = RunPreview(programDir, categories, file);
    OpenPreview(file);
    return exitCode;
}

} // namespace klarvo::resident
