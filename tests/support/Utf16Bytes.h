#pragma once

#include <string>
#include <string_view>

namespace velmora::test {

/**
 * The UTF-16 code units as a file holds them: in big- or little-endian byte order, after a
 * byte-order mark when asked for one. The units come from u"" literals, encoded by the compiler.
 */
inline std::string Utf16Bytes(std::u16string_view units, bool bigEndian, bool byteOrderMark)
{
    std::string bytes;
    const auto append = [&](char16_t unit) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    };
    if (byteOrderMark)
        append(u'\xFEFF');
    for (const char16_t unit : units)
        append(unit);
    return bytes;
}

/** ASCII text as UTF-16 bytes. */
inline std::string Utf16Bytes(std::string_view ascii, bool bigEndian, bool byteOrderMark)
{
    return Utf16Bytes(std::u16string(ascii.begin(), ascii.end()), bigEndian, byteOrderMark);
}

} // namespace velmora::test
