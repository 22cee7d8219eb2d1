#pragma once

#include <string>

namespace klarvo {

// Whether `path` names a file: a directory of that name does not count.
bool FileExists(const std::string& path);

} // namespace klarvo
