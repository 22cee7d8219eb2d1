#include "support/TempDir.h"

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

namespace {

bool TryReadText(const std::string& path, std::string& text)
{
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file) {
        return false;
    }
    // To the end rather than by the reported size, which files such as
    // those of /proc give as 0.
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    return true;
}

} // namespace

std::string ReadText(const std::string& path)
{
    std::string text;
    if (!TryReadText(path, text)) {
        throw std::runtime_error("cannot open " + path);
    }
    return text;
}

std::string ReadTextIfAny(const std::string& path)
{
    std::string text;
    TryReadText(path, text);
    return text;
}

void WriteText(const std::string& path, const std::string& text)
{
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) {
        throw std::runtime_error("cannot create " + path);
    }
    DWORD done = 0;
    WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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
