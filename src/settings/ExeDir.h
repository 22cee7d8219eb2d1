#pragma once

// Where the suite's files are found: the program's own folder.

#include <string>

namespace klarvo {

// The directory of the running program file, with its trailing backslash.
// Every file of the suite (Conf.dat, ConfStr.dat, Klarvo.exe, default.wav)
// is found relative to it.
const std::string& ExeDir();

// Tests point the suite at a directory of their own.
void OverrideExeDir(const std::string& dir);

// Directory part of a path, up to and including the last backslash; empty
// when the path has none.
std::string DirectoryOf(const std::string& path);

} // namespace klarvo
