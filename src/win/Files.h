#pragma once

// Questions about a path that open nothing. Reading and writing files is
// File.h's.

#include <string>

namespace klarvo {

// Whether `path` names a file: a directory of that name does not count.
bool FileExists(const std::string& path);
// Whether `path` names a directory.
bool IsDirectory(const std::string& path);
// Whether anything, file or directory, has that name.
bool PathExists(const std::string& path);

} // namespace klarvo
