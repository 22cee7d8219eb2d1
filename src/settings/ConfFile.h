#pragma once

// Conf.dat, the numeric settings both programs share: read and written slot
// by slot.

#include <cstdint>
#include <string>

namespace klarvo {

// Conf.dat: a flat array of signed 32-bit little-endian slots, slot n at
// bytes 4n to 4n+3, no header. Each call opens the file, does its work and
// closes it again, so the resident cleaner may touch the file at any time
// between calls. Failures raise SettingsError.

// The value of a slot; 0 when the file or the slot does not exist.
std::int32_t ReadConf(const std::string& path, std::int32_t slot);
// Stores a value, creating the file and zero-filling up to the slot.
void WriteConf(const std::string& path, std::int32_t slot, std::int32_t value);

// The same on ExeDir() + "Conf.dat".
std::string ConfPath();
std::int32_t ReadConf(std::int32_t slot);
void WriteConf(std::int32_t slot, std::int32_t value);

// Highest slot WriteConf accepts: the table ends at 28, and a slot number
// from a fault must not grow the file by gigabytes of zeros.
constexpr std::int32_t kMaxConfSlot = 65535;

} // namespace klarvo
