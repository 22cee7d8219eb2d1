#pragma once

// The byte layout of Conf.dat and the text of ConfStr.dat, apart from the
// file calls that read and write them, so that any content another program
// leaves behind can be checked without a file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace klarvo {

// Conf.dat: slot n is the signed 32-bit little-endian record at byte 4n.
constexpr std::uint64_t kConfRecordSize = 4;

std::int32_t DecodeConfSlot(const unsigned char* bytes);
void EncodeConfSlot(std::int32_t value, unsigned char* bytes);

// Where a slot's record starts in a file of `fileSize` bytes; nothing for a
// negative slot or one whose whole record is not in the file (a partial last
// record reads as absent).
std::optional<std::uint64_t> ConfSlotOffset(std::int32_t slot, std::uint64_t fileSize);

// One write that stores `value` in `slot` (not negative) of a file of
// `fileSize` bytes: past the end, the zero fill and the value go out
// together from the end of the last whole record, over any partial record.
struct ConfWrite {
    std::uint64_t offset = 0;
    std::vector<unsigned char> bytes;
};
ConfWrite PlanConfWrite(std::uint64_t fileSize, std::int32_t slot, std::int32_t value);

// ConfStr.dat: only this much of the file is read; it holds seven paths.
constexpr std::uint32_t kMaxConfStrBytes = 1 << 20;

// Splits stored text (ConfStr.dat, the help text) as a multi-line edit
// holds it: a line may end with CR LF, LF or CR; a final line without an
// ending still counts, an ending at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// The file's text for `lines`: each followed by CR LF. Line breaks inside a
// value are dropped: no path holds one, and one would shift every later
// line for the resident cleaner.
std::string ConfStrText(const std::vector<std::string>& lines);

} // namespace klarvo
