#include "settings/ConfFile.h"

#include "settings/ConfFormat.h"
#include "settings/ExeDir.h"
#include "settings/SettingsError.h"
#include "win/File.h"
#include "win/Files.h"

namespace klarvo {
namespace {

// Opened for reading and writing like the resident cleaner does; a file the
// user made read-only, or another program holds open for reading only,
// still reads back its values instead of zeros.
File OpenForReading(const std::string& path)
{
    File file = File::OpenExisting(path, File::Open::ReadWrite);
    if (!file.IsOpen() && (file.OpenError() == ERROR_ACCESS_DENIED || file.OpenError() == ERROR_SHARING_VIOLATION)) {
        file = File::OpenExisting(path, File::Open::ReadOnly);
    }
    return file;
}

std::int32_t ReadSlot(const std::string& path, std::int32_t slot)
{
    const File file = OpenForReading(path);
    if (!file.IsOpen()) {
        // Absent means "no settings yet"; a file that exists but cannot be
        // opened (locked by another program) must not pass for all zeros.
        if (IsNotFound(file.OpenError()) || IsDirectory(path)) {
            return 0;
        }
        file.FailOpen();
    }
    const std::optional<std::uint64_t> offset = ConfSlotOffset(slot, file.Size());
    if (!offset) {
        return 0;
    }
    unsigned char bytes[kConfRecordSize];
    file.Seek(*offset);
    file.ReadExactly(bytes, sizeof bytes);
    return DecodeConfSlot(bytes);
}

void WriteSlot(const std::string& path, std::int32_t slot, std::int32_t value)
{
    const File file = File::OpenAlways(path);
    const ConfWrite write = PlanConfWrite(file.Size(), slot, value);
    file.Seek(write.offset);
    file.WriteAll(write.bytes.data(), static_cast<DWORD>(write.bytes.size()));
}

} // namespace

std::int32_t ReadConf(const std::string& path, std::int32_t slot)
{
    if (slot < 0) {
        return 0;
    }
    return AsSettingsError([&] { return ReadSlot(path, slot); });
}

void WriteConf(const std::string& path, std::int32_t slot, std::int32_t value)
{
    if (slot < 0 || slot > kMaxConfSlot) {
        throw SettingsError("Slot " + std::to_string(slot) + " of \"" + path + "\" is out of range");
    }
    AsSettingsError([&] { WriteSlot(path, slot, value); });
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
