#include "settings/ExeDir.h"

#include <windows.h>

namespace klarvo {
namespace {

std::string& ExeDirStorage()
{
    static std::string dir;
    return dir;
}

std::string ModuleFileName()
{
    std::string name(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

} // namespace

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

const std::string& ExeDir()
{
    std::string& dir = ExeDirStorage();
    if (dir.empty()) {
        dir = DirectoryOf(ModuleFileName());
    }
    return dir;
}

void OverrideExeDir(const std::string& dir)
{
    ExeDirStorage() = dir.empty() || dir.back() == '\\' ? dir : dir + '\\';
}

} // namespace klarvo
