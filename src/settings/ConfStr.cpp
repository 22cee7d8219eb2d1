#include "settings/ConfStr.h"

#include "settings/ConfFormat.h"
#include "settings/ExeDir.h"
#include "settings/SettingsError.h"
#include "win/File.h"

namespace klarvo {

std::vector<std::string> ReadConfStr(const std::string& path)
{
    std::string text;
    try {
        text = ReadWholeFile(path, kMaxConfStrBytes);
    } catch (const FileError& error) {
        if (IsNotFound(error.Code())) {
            return std::vector<std::string>(kMissingConfStrLines);
        }
        throw SettingsError(error.what());
    }
    return SplitLines(text);
}

void WriteConfStr(const std::string& path, const std::vector<std::string>& lines)
{
    const std::string text = ConfStrText(lines);
    AsSettingsError([&] { WriteWholeFile(path, text); });
}

std::string ConfStrPath()
{
    return ExeDir() + "ConfStr.dat";
}

} // namespace klarvo
