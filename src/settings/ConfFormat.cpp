#include "settings/ConfFormat.h"

namespace klarvo {

std::int32_t DecodeConfSlot(const unsigned char* bytes)
{
    std::uint32_t bits = 0;
    for (std::uint64_t i = 0; i < kConfRecordSize; ++i) {
        bits |= std::uint32_t{bytes[i]} << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

void EncodeConfSlot(std::int32_t value, unsigned char* bytes)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::uint64_t i = 0; i < kConfRecordSize; ++i) {
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    }
}

std::optional<std::uint64_t> ConfSlotOffset(std::int32_t slot, std::uint64_t fileSize)
{
    if (slot < 0 || static_cast<std::uint64_t>(slot) >= fileSize / kConfRecordSize) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(slot) * kConfRecordSize;
}

ConfWrite PlanConfWrite(std::uint64_t fileSize, std::int32_t slot, std::int32_t value)
{
    const std::uint64_t records = fileSize / kConfRecordSize;
    const auto target = static_cast<std::uint64_t>(slot);
    const std::uint64_t first = target < records ? target : records;
    ConfWrite write;
    write.offset = first * kConfRecordSize;
    write.bytes.assign((target - first + 1) * kConfRecordSize, 0);
    EncodeConfSlot(value, write.bytes.data() + write.bytes.size() - kConfRecordSize);
    return write;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string_view::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::string ConfStrText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        for (char c : line) {
            if (c != '\r' && c != '\n') {
                text += c;
            }
        }
        text += "\r\n";
    }
    return text;
}

} // namespace klarvo
