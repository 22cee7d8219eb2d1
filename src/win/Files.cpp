#include "win/Files.h"

#include <windows.h>

#include <optional>

namespace klarvo {
namespace {

std::optional<DWORD> AttributesOf(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return attributes;
}

} // namespace

bool FileExists(const std::string& path)
{
    const std::optional<DWORD> attributes = AttributesOf(path);
    return attributes && !(*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDirectory(const std::string& path)
{
    const std::optional<DWORD> attributes = AttributesOf(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path)
{
    return AttributesOf(path).has_value();
}

} // namespace klarvo
