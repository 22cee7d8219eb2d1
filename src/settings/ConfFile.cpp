#include "settings/ConfFile.h"

#include <vector>

#include "settings/ExeDir.h"
#include "settings/File.h"
#include "settings/SettingsError.h"

namespace klarvo {
namespace {

constexpr std::uint64_t kRecordSize = 4;

void EncodeSlot(std::int32_t value, unsigned char* bytes)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

std::int32_t DecodeSlot(const unsigned char* bytes)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= std::uint32_t{bytes[i]} << (8 * i);
    return static_cast<std::int32_t>(bits);
}

// Opened for reading and writing like the resident cleaner does; a file the
// user made read-only, or another program holds open for reading only,
// still reads back its values instead of zeros.
File OpenForReading(const std::string& path)
{
    File file = File::OpenExisting(path, File::Open::ReadWrite);
    if (!file.IsOpen() && (file.OpenError() == ERROR_ACCESS_DENIED || file.OpenError() == ERROR_SHARING_VIOLATION))
        file = File::OpenExisting(path, File::Open::ReadOnly);
    return file;
}

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::int32_t ReadConf(const std::string& path, std::int32_t slot)
{
    if (slot < 0)
        return 0;
    const File file = OpenForReading(path);
    if (!file.IsOpen()) {
        // Absent means "no settings yet"; a file that exists but cannot be
        // opened (locked by another program) must not pass for all zeros.
        if (IsNotFound(file.OpenError()) || IsDirectory(path))
            return 0;
        throw SettingsError("Cannot open \"" + path + "\": " + SystemErrorText(file.OpenError()));
    }
    const std::uint64_t records = file.Size() / kRecordSize;
    if (static_cast<std::uint64_t>(slot) >= records)
        return 0;
    unsigned char bytes[kRecordSize];
    file.Seek(slot * kRecordSize);
    file.ReadExactly(bytes, sizeof bytes);
    return DecodeSlot(bytes);
}

void WriteConf(const std::string& path, std::int32_t slot, std::int32_t value)
{
    if (slot < 0 || slot > kMaxConfSlot)
        throw SettingsError("Slot " + std::to_string(slot) + " of \"" + path + "\" is out of range");
    const File file = File::OpenAlways(path);
    const std::uint64_t records = file.Size() / kRecordSize;
    const auto target = static_cast<std::uint64_t>(slot);
    // Past the end: the zero fill and the value go out as one write that
    // starts at the end of the last whole record, over any partial record.
    const std::uint64_t first = target < records ? target : records;
    std::vector<unsigned char> bytes((target - first + 1) * kRecordSize, 0);
    EncodeSlot(value, bytes.data() + bytes.size() - kRecordSize);
    file.Seek(first * kRecordSize);
    file.WriteAll(bytes.data(), static_cast<DWORD>(bytes.size()));
}

std::string ConfPath()
{
    return ExeDir() + "Conf.dat";
}

std::int32_t ReadConf(std::int32_t slot)
{
    return ReadConf(ConfPath(), slot);
}

void WriteConf(std::int32_t slot, std::int32_t value)
{
    WriteConf(ConfPath(), slot, value);
}

} // namespace klarvo
