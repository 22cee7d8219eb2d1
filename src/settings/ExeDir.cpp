#include "settings/ExeDir.h"

#include <windows.h>

#include "settings/SettingsError.h"

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
    if (dir.empty())
        dir = DirectoryOf(ModuleFileName());
    return dir;
}

void OverrideExeDir(const std::string& dir)
{
    ExeDirStorage() = dir.empty() || dir.back() == '\\' ? dir : dir + '\\';
}

std::string SystemErrorText(unsigned long code)
{
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : "System error " + std::to_string(code);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

} // namespace klarvo
