#include "framework/loader/Lz4.h"

#include <cstdint>

namespace klarvo {
namespace {

constexpr std::uint32_t kLegacyMagic = 0x184C2102;
// A match is at least this long; the token stores the length less it.
constexpr std::size_t kMinMatch = 4;

std::uint32_t ReadLe32(std::string_view data, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
    }
    return v;
}

// A length whose nibble is 15 continues in bytes that add up until one is
// not 255.
bool ReadLength(std::string_view block, std::size_t& at, std::size_t& length, std::size_t limit)
{
    if (length != 15) {
        return true;
    }
    for (;;) {
        if (at >= block.size()) {
            return false;
        }
        const unsigned char more = static_cast<unsigned char>(block[at++]);
        length += more;
        if (length > limit) {
            return false;
        }
        if (more != 255) {
            return true;
        }
    }
}

bool UnpackBlock(std::string_view block, std::string& out, std::size_t limit)
{
    std::size_t at = 0;
    while (at < block.size()) {
        const unsigned char token = static_cast<unsigned char>(block[at++]);
        std::size_t literals = token >> 4;
        if (!ReadLength(block, at, literals, limit) || literals > block.size() - at || literals > limit - out.size()) {
            return false;
        }
        out.append(block.substr(at, literals));
        at += literals;
        if (at == block.size()) {
            return true; // a block ends with literals
        }
        if (block.size() - at < 2) {
            return false;
        }
        const std::size_t offset = static_cast<unsigned char>(block[at]) |
                                   static_cast<std::size_t>(static_cast<unsigned char>(block[at + 1])) << 8;
        at += 2;
        std::size_t length = token & 15;
        if (offset == 0 || offset > out.size() || !ReadLength(block, at, length, limit)) {
            return false;
        }
        length += kMinMatch;
        if (length > limit - out.size()) {
            return false;
        }
        // Byte by byte: a match may overlap the bytes it produces.
        for (std::size_t from = out.size() - offset; length > 0; --length) {
            out.push_back(out[from++]);
        }
    }
    return true;
}

} // namespace

bool IsLz4Packed(std::string_view data)
{
    return data.size() >= 4 && ReadLe32(data, 0) == kLegacyMagic;
}

bool UnpackLz4(std::string_view packed, std::string& out, std::size_t limit)
{
    if (!IsLz4Packed(packed)) {
        return false;
    }
    out.clear();
    std::size_t at = 4;
    while (at < packed.size()) {
        if (packed.size() - at < 4) {
            return false;
        }
        const std::uint32_t size = ReadLe32(packed, at);
        at += 4;
        // Another magic number starts a further stream of blocks.
        if (size == kLegacyMagic) {
            continue;
        }
        if (size > packed.size() - at || !UnpackBlock(packed.substr(at, size), out, limit)) {
            return false;
        }
        at += size;
    }
    return true;
}

} // namespace klarvo
