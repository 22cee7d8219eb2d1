#include "settings/ConfStr.h"

#include "settings/ConfFormat.h"
#include "settings/ExeDir.h"
#include "settings/File.h"
#include "settings/SettingsError.h"

namespace klarvo {

std::vector<std::string> ReadConfStr(const std::string& path)
{
    const File file = File::OpenExisting(path, File::Open::ReadOnly);
    if (!file.IsOpen()) {
        if (IsNotFound(file.OpenError()))
            return std::vector<std::string>(kMissingConfStrLines);
        throw SettingsError("Cannot open \"" + path + "\": " + SystemErrorText(file.OpenError()));
    }
    std::string text(kMaxConfStrBytes, '\0');
    DWORD total = 0;
    while (total < kMaxConfStrBytes) {
        const DWORD got = file.ReadSome(text.data() + total, kMaxConfStrBytes - total);
        if (got == 0)
            break;
        total += got;
    }
    text.resize(total);
    return SplitLines(text);
}

void WriteConfStr(const std::string& path, const std::vector<std::string>& lines)
{
    const std::string text = ConfStrText(lines);
    const File file = File::CreateAlways(path);
    file.WriteAll(text.data(), static_cast<DWORD>(text.size()));
}

std::string ConfStrPath()
{
    return ExeDir() + "ConfStr.dat";
}

} // namespace klarvo
