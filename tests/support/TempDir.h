#pragma once

// Folders that tests make and that go when the test ends.

#include <cstdint>
#include <string>
#include <vector>

namespace klarvo::test {

// A fresh directory under the Wine prefix's temporary directory, removed
// with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // With trailing backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Whole-file helpers for checking bytes on disk.
std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::string ReadText(const std::string& path);
// The text of a file another program writes: empty while it does not exist
// or cannot be opened this instant.
std::string ReadTextIfAny(const std::string& path);
void WriteText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
// The lines ended by "\r\n" (a line still being written is left out), of a
// text and of a file that may not exist yet, such as a log.
std::vector<std::string> LinesOf(const std::string& text);
std::vector<std::string> ReadLines(const std::string& path);

} // namespace klarvo::test
