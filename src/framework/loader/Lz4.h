#pragma once

// Texts the program carries packed (its window description) are stored in
// the LZ4 tool's legacy format, `lz4 -l`: a four-byte magic number, then
// blocks, each a four-byte little-endian length and an LZ4 block. The
// decoder checks every length and offset, so damaged data is refused, never
// read or written out of bounds.

#include <string>
#include <string_view>

namespace klarvo {

// True when `data` begins with the legacy format's magic number.
bool IsLz4Packed(std::string_view data);

// Unpacks `packed` into `out`; false (and `out` unspecified) when the data
// is damaged or would unpack to more than `limit` bytes.
bool UnpackLz4(std::string_view packed, std::string& out, std::size_t limit = 1 << 20);

} // namespace klarvo
