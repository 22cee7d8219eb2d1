#pragma once

// ConfStr.dat, the paths both programs share: the sound and the places the
// disk cleaning cleans.

#include <string>
#include <vector>

namespace klarvo {

// ConfStr.dat: one path per line in the system code page.
enum ConfStrLine : int {
    lineSound = 0,   // fesound: the sound played after freeing RAM
    lineTemp = 1,    // Windows temporary directory, no trailing backslash
    lineCache = 2,   // Internet Explorer temporary files ("Cache")
    lineCookies = 3, // "Cookies"
    lineDir = 4,     // dedir: the directory "Clear directory:" cleans
    lineWall = 5,    // fewall: the background picture
    lineHistory = 6, // Internet Explorer history ("History")
};
constexpr int kConfStrLineCount = 7;

// Where a line's value comes from on Apply.
enum class LineSource {
    Control,     // the text of the control `name`, which loading fills again
    SystemTemp,  // the system's temporary directory, taken afresh
    ShellFolder, // the user's Shell Folders value `name`, taken afresh
};

struct ConfStrLineInfo {
    ConfStrLine line;
    LineSource source;
    const char* name;
};

// Every line, each once, in line order: Apply writes them all, loading
// fills the controls' lines in this order.
inline constexpr ConfStrLineInfo kConfStrLines[kConfStrLineCount] = {
    {lineSound, LineSource::Control, "fesound"},       {lineTemp, LineSource::SystemTemp, nullptr},
    {lineCache, LineSource::ShellFolder, "Cache"},     {lineCookies, LineSource::ShellFolder, "Cookies"},
    {lineDir, LineSource::Control, "dedir"},           {lineWall, LineSource::Control, "fewall"},
    {lineHistory, LineSource::ShellFolder, "History"},
};

// What a missing file reads as: this many empty lines.
constexpr int kMissingConfStrLines = 10;

// Lines of the file; a line may end with CR LF, LF or CR. A missing file
// reads as kMissingConfStrLines empty lines. Other failures raise
// SettingsError. Only the first MB is read: the file holds seven paths.
std::vector<std::string> ReadConfStr(const std::string& path);
// Creates or truncates the file and writes every line followed by CR LF in
// one go. Line breaks inside a value are dropped: no path holds one, and one
// would shift every later line for the resident cleaner.
void WriteConfStr(const std::string& path, const std::vector<std::string>& lines);

std::string ConfStrPath();

} // namespace klarvo
