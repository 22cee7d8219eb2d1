#include "support/TempDir.h"

#include "win/File.h"
#include "win/Files.h"
#include "win/Handles.h"

#include <windows.h>

#include <stdexcept>

namespace klarvo::test {
namespace {

void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    if (const FindHandle search(FindFirstFileA((dir + "*").c_str(), &found)); search) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = dir + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search.Get(), &found));
    }
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(dir.c_str());
}

} // namespace

TempDir::TempDir()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    for (unsigned attempt = 0;; ++attempt) {
        const std::string candidate = std::string(base) + "klarvo-" + std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(GetTickCount()) + "-" + std::to_string(attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate + "\\";
            return;
        }
        if (attempt > 1000) {
            throw std::runtime_error("cannot create a temporary directory");
        }
    }
}

TempDir::~TempDir()
{
    RemoveTree(path_);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    const std::string text = ReadText(path);
    return {text.begin(), text.end()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    WriteText(path, std::string(bytes.begin(), bytes.end()));
}

std::string ReadText(const std::string& path)
{
    return ReadWholeFile(path);
}

std::string ReadTextIfAny(const std::string& path)
{
    const File file = File::OpenExisting(path, File::Open::ReadOnly);
    return file.IsOpen() ? file.ReadToEnd() : std::string();
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteWholeFile(path, text);
}

bool FileExists(const std::string& path)
{
    return PathExists(path);
}

std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::vector<std::string> ReadLines(const std::string& path)
{
    return LinesOf(ReadTextIfAny(path));
}

} // namespace klarvo::test
