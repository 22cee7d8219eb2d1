#pragma once

// Directory trees for the disk tests and benchmarks to clean.

#include <string>

#include "support/TempDir.h"

namespace klarvo::test {

// A directory to be emptied, under `under`: top.tmp, and sub\inner.tmp.
std::string MakeTree(const TempDir& under, const std::string& name);

// `directories` folders dir0, dir1, ... under `root`, each with `files`
// small files file0.tmp, file1.tmp, ...: what a deletion is timed on.
void MakeWideTree(const std::string& root, int directories, int files);

} // namespace klarvo::test
