#include "settings/ConfStr.h"

#include "settings/ExeDir.h"
#include "settings/File.h"
#include "settings/SettingsError.h"

namespace klarvo {
namespace {

constexpr DWORD kMaxConfStrBytes = 1 << 20;

std::string WithoutLineBreaks(const std::string& value)
{
    std::string clean;
    clean.reserve(value.size());
    for (char c : value)
        if (c != '\r' && c != '\n')
            clean += c;
    return clean;
}

} // namespace

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

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
    std::string text;
    for (const std::string& line : lines)
        text += WithoutLineBreaks(line) + "\r\n";
    const File file = File::CreateAlways(path);
    file.WriteAll(text.data(), static_cast<DWORD>(text.size()));
}

std::string ConfStrPath()
{
    return ExeDir() + "ConfStr.dat";
}

} // namespace klarvo
