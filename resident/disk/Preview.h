#pragma once

// The preview of a Clear: the same judgement and walk, nothing deleted, and
// a plain-text report of what a Clear would delete and keep.

#include <atomic>
#include <string>
#include <vector>

#include "link/Messages.h"

namespace klarvo::resident {

// Where a preview goes when no file is named: beside Klarvo.log.
inline constexpr char kPreviewName[] = "Klarvo-preview.txt";

// Judges and walks each category exactly as a Clear does, deletes nothing,
// and writes what it found to `reportFile` as plain text: each category's
// place and whether it would be cleaned or why it is refused, every entry
// that would be deleted (files with their sizes), what would be kept and
// why, and the totals. No categories: the ones ticked in Conf.dat, at the
// places of ConfStr.dat in `programDir` (with its trailing backslash).
// Writes nothing else. 0 when everything could be previewed; 1 when
// something was refused or failed, or the report could not be written.
int RunPreview(const std::string& programDir, const std::vector<HddCategory>& categories,
               const std::string& reportFile);
// The same; `stop` ends it between entries, as it ends a Clear.
int RunPreview(const std::string& programDir, const std::vector<HddCategory>& categories, const std::string& reportFile,
               const std::atomic<bool>* stop);

std::string DefaultPreviewFile(const std::string& programDir);

// Opens a written report in the system's viewer of text; false when
// there is no report or no viewer.
bool OpenPreview(const std::string& reportFile);

// The preview of the ticked categories in the default file, opened once
// written; what RunPreview returns.
int PreviewAndOpen(const std::string& programDir);

} // namespace klarvo::resident
