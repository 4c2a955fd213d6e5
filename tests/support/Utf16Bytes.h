#pragma once

#include <string>
#include <string_view>

namespace velmora::test {

/**
 * The UTF-16 code units as a file holds them: in big- or little-endian byte order, after a
 * byte-order mark when asked for one.
 */
inline std::string Utf16Bytes(std::u16string_view units, bool bigEndian, bool byteOrderMark)
{
    std::string bytes;
    for (std::size_t k = byteOrderMark ? 0 : 1; k <= units.size(); ++k) {
        const char16_t unit = k == 0 ? u'\xFEFF' : units[k - 1];
        const char pair[2] = {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
        bytes += bigEndian ? pair[0] : pair[1];
        bytes += bigEndian ? pair[1] : pair[0];
    }
    return bytes;
}

} // namespace velmora::test
