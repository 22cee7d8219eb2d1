#include "resident/PreviewSwitch.h"

#include "resident/CommandRun.h"

namespace klarvo::resident {

int RunPreviewSwitch(const std::string&, const std::vector<HddCategory>&, const std::string&)
{
    // Becomes RunPreview(programDir, categories, reportFile) of resident/Preview.h.
    Tell("preview not available", true);
    return exitNotUnderstood;
}

} // namespace klarvo::resident
